#pragma once
#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

class TrpBandView;
class TrpDataset;
class TrpPageBuild;
class TrpView;
class TrpStretcheable;

// Band kinds as the band view's type code holds them.
enum TrpBandKind : int {
  btReportTitle = 0,
  btReportSummary,
  btPageHeader,
  btPageFooter,
  btMasterHeader,
  btMasterData,
  btMasterFooter,
  btDetailHeader,
  btDetailData,
  btDetailFooter,
  btSubDetailHeader,
  btSubDetailData,
  btSubDetailFooter,
  btOverlay,
  btColumnHeader,
  btColumnFooter,
  btGroupHeader,
  btGroupFooter,
  btCrossHeader,
  btCrossData,
  btCrossFooter,
  btChild,
  btNone,
  btKindCount
};

// The run-time band of one band object (or an empty band of a kind without
// one) while a page builds: the objects lying in it, its data source, its
// counters and the aggregates it totals. Prints itself into the current
// prepared page, splitting or starting columns and pages as room runs out.
class TrpBand {
public:
  TrpBand(int kind, TrpPageBuild& build);
  ~TrpBand();
  TrpBand(const TrpBand&) = delete;
  TrpBand& operator=(const TrpBand&) = delete;

  // Takes the band view's rectangle, texts, flags and data source.
  void TakeView(TrpBandView* bandView, bool subreportPage);
  // A numeric text gives an owned virtual data set; a group header keeps its condition in postfix form.
  void ResolveDataSource(const QString& text);
  void ReleaseDataSets();
  // The data set that the cross data band walks for this band (a name or a count, as a data source).
  void SetCrossDataSource(const QString& text);

  // Prints the band now; true when the page ran full on a subreport page.
  bool PrintBand();
  // The row of cross cells of this horizontal band: header, one data cell per
  // record of its vertical data source, footer; cells that do not fit to the
  // right continue on the prepared pages after the current one.
  void OutputCrossCells();
  int TotalHeight();
  // Starts a new column or page (unless `noBreak`) when the height does not fit at y; true then.
  bool CheckFit(int y, int height, bool noBreak);

  // --- aggregates
  void ResetAggregates();
  // `inCrossCell`: the print of one cross data cell, which totals the entries
  // of the current cross column; otherwise the entries without a column.
  void Accumulate(bool inCrossCell = false);
  void AddAggregate(const QString& key, const QVariant& initial);
  QVariant AggregateValue(const QString& key) const;
  // The n-th field of a key whose fields end with the character of code 1.
  static QString KeyField(const QString& key, int n);

  // Replays the subreports of this band from its subreport index beside each
  // other, starting pages until the longest has ended.
  void RunSubreports();

  // A band object stands behind it, or it is the band of the objects outside every band and holds some.
  bool Exists() const { return view != nullptr || (kind == btNone && !objects.isEmpty()); }
  bool IsDataBand() const { return kind == btMasterData || kind == btDetailData || kind == btSubDetailData; }
  bool IsCrossBand() const { return kind == btCrossHeader || kind == btCrossData || kind == btCrossFooter; }
  // Some listed object belongs to a cross band (a cell of this horizontal band).
  bool HasCrossObjects() const { return hasCrossObjects; }
  // The data source the cross data band walks for this horizontal band.
  TrpDataset* VerticalDataSource() const;
  // The band whose LINE# and LINETHROUGH# a print of this band reads.
  const TrpBand* CounterBand() const;

  TrpPageBuild& build;
  TrpBandView* view = nullptr;
  quint16 flags = 0;
  int kind;
  QString name;
  TrpBand *next = nullptr, *previous = nullptr, *last = nullptr;
  TrpBand *header = nullptr, *footer = nullptr, *dataBand = nullptr;
  TrpBand *firstGroup = nullptr, *lastGroup = nullptr, *nextGroup = nullptr, *previousGroup = nullptr;
  TrpBand *child = nullptr, *aggregateOwner = nullptr;
  int x = 0, y = 0, width = 0, height = 0;
  int maximumHeight = 0, calculatedHeight = -1;
  QList<TrpView*> objects;
  QStringList script; // compiled
  TrpDataset* dataSource = nullptr;
  bool ownsDataSource = false;
  TrpDataset* crossDataSource = nullptr; // named for this band by the cross data band's list of pairs
  bool ownsCrossDataSource = false;
  bool hasCrossObjects = false;
  int maxCrossColumns = 0; // cross data band: the most records a vertical data source had
  QString groupCondition;  // postfix
  QVariant lastGroupValue;
  bool hasGroupValue = false;
  QList<QPair<QString, QVariant>> values; // aggregate entries in registration order
  QList<QVariant> initialValues;
  int aggregateRows = 0;
  QHash<QString, QString> aggregatePostfix; // each aggregate's expression parsed once per run
  bool visible = true, stretched = false, newPageAfter = false, breaked = false;
  bool printIfSubsetEmpty = false, printChildIfInvisible = false;
  int lineCounter = 1, runningCounter = 1;
  int columnCounter = 1, columnStartX = 0;
  int pendingNewPages = 0, pendingNewColumns = 0;
  bool scriptDone = false, yChangedByScript = false, noValueReset = false, printed = true;
  int subreportIndex = -1;

private:
  int MeasureHeight();
  int MeasureCrossHeight();
  void OutputCrossCell(TrpBand* cross, int atX);
  void CheckCrossWidth(int cellWidth);
  void RunBandScript();
  void OutputBody();
  // Returns whether subreports ran (they advance the page themselves).
  bool OutputObjects();
  void StartSubreports(int index);
  void OutputObject(TrpView* object);
  // Writes the object into the current prepared page moved by dx and atY.
  void WriteObjectAt(TrpView* object, int dx, int atY);
  void OutputSplit();
  void ShiftObjectsBelow(const TrpView* object, int amount);
  void AdvanceColumns();
  bool IsFixedKind() const { return kind == btPageFooter || kind == btOverlay || kind == btNone; }
};
