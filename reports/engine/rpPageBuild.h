#pragma once
#include "reports/engine/rpBand.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpRunContext.h"
#include "reports/engine/rpStdFunctionLibrary.h"
#include <QtCore/QHash>
#include <memory>
#include <vector>

class TrpEMFPages;

// Building one report page template into prepared pages: links its objects
// to bands, registers the aggregates, walks the data of up to three nested
// levels with their headers, footers and groups, and opens pages and columns
// as bands run out of room. While a page builds it answers the run values of
// scripts (TrpRunState) and the aggregate calls (TrpAggregateBands).
class TrpPageBuild : public TrpRunState, public TrpAggregateBands {
public:
  // Bands waiting for a record below them; the three data levels with their
  // headers and group headers stay well below this.
  static constexpr int kMaxPendingBands = 100;

  // `context` is the run the build belongs to (its report's, or a composite's for a member).
  TrpPageBuild(TrpReport& report, TrpPage& page, TrpEMFPages& prepared, TrpRunContext& context);
  ~TrpPageBuild() override;

  // A dialog page shows its controls (through TrpGlobals::ShowDialogPage)
  // after its script ran; a modal result of 2 sets BuildAborted. A report page links its bands.
  void StartBuild();
  // Binds field objects to their fields and registers the aggregates.
  void PrepareBuild();
  void BuildPage();
  // The page script, its errors to the report's error text.
  void RunPageScript();
  // Rewinds the data sources for the final pass of a two-pass run (bands and aggregates stay).
  void Rewind();

  void ShowBand(TrpBand* band);
  void NewPage();
  void NewColumn(TrpBand* band);
  void FinishPages();
  void ResetBandCounter(TrpBand* band, int n);
  // Replays the recorded walk of a subreport page; true when it ran full
  // (the action that did not fit is retried on the next page).
  bool PlayDelayedActions();
  // Appends the prepared object to the page being filled.
  void WritePrepared(TrpView* object);

  TrpBand* Band(int kind) const { return bands_[size_t(kind)]; }
  TrpReport& report;
  TrpPage& page;
  TrpEMFPages& prepared;
  TrpRunContext& context;

  // --- build state
  int curY = 0, pageBottom = 0, pageX = 0, columnIndex = 0, columnStartY = 0;
  TrpBand* lastPrintedBand = nullptr;
  TrpBand* currentBand = nullptr;
  bool inSummary = false;
  bool subreportPage = false;
  // A subreport page records its walk instead of printing it: 0 print the band, 1 First, 2 Next.
  bool delayed = false;
  struct TAction {
    TrpBand* band;
    int action;
  };
  QList<TAction> actions;
  int replayPosition = 0;
  bool unfinished = false;
  TrpBand* pendingSubreportBand = nullptr;
  int currentRecord = 1;
  int crossColumn = 1;  // COLUMN#: the cross column being printed
  int crossX = 0;       // where the next cross cell prints
  int crossRowPage = 0; // the prepared page the row of cross cells started on
  // The cross band a cell object belongs to; null for any other object.
  TrpBand* CrossBandOf(const TrpView* object) const { return crossBandOf_.value(object); }
  int ColumnCount() const { return page.ColumnCount > 1 ? page.ColumnCount : 1; }
  int ColumnFooterHeight() const;

  // --- TrpRunState
  qint64 RowNumber(bool throughReport) const override;
  qint64 ColumnNumber() const override { return crossColumn; }
  qint64 CurrentRow() const override { return currentRecord; }
  int CurY() const override { return curY; }
  void SetCurY(int y) override;
  int BottomLimit() const override { return pageBottom; }
  int BandPrintedHeight() const override;
  bool OnNoBand(const TrpView* object) const override;
  bool FinalPass() const override;
  void Terminate() override;
  void RequestNewPage() override;
  void RequestNewColumn() override;
  void ShowBand(const QString& name) override;
  bool SetModalResult(int result) override;
  void Progress(const QString&) override {}

  // --- TrpAggregateBands
  int CallBandType() const override;
  QString CallBandName() const override;
  bool CallBandHasCrossObjects() const override { return currentBand && currentBand->HasCrossObjects(); }
  int AggregateBandType() const override;
  QString AggregateBandName() const override;
  void Register(const QString& key, const QVariant& start) override;
  bool LinkedName(QString& name) const override;
  QVariant Value(const QString& key) const override;

private:
  void LinkBands();
  void LinkCrossBands(QList<TrpView*>& unattached);
  void AttachObjects(TrpBand* band, QList<TrpView*>& unattached);
  void LinkCrossSources();
  // The band whose entries an aggregate call of the current band reads, and the key's band name.
  TrpBand* AggregateSource(QString& name) const;
  void OrderChain(int kind);
  void LinkHeadersAndFooters();
  void LinkGroups();
  void RegisterAggregates();
  void RegisterBand(TrpBand* band);
  int DeepestLevel() const;
  void WalkDataBands(int level);
  void Queue(TrpBand* band);
  void QueueGroups(TrpBand* group);
  void Flush();
  void AddPreparedPage();
  void StartDialog();
  void BindFieldObjects();
  void BindField(TrpView* object);
  void FireEndPage(int number);

  std::vector<std::unique_ptr<TrpBand>> owned_;
  TrpBand* bands_[btKindCount] = {};
  QHash<const TrpView*, TrpBand*> crossBandOf_;
  QList<TrpBand*> pending_;
  int deepestLevel_ = 0;
  TrpBand* aggregateBand_ = nullptr; // the data band registering during the aggregate pass
  TrpBand* scannedBand_ = nullptr;   // the totalling band being scanned
  bool built_ = false;
  int modalResult_ = 0; // set by a dialog page's script (MODALRESULT)
};
