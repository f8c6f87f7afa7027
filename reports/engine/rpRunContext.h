#pragma once
#include "core/DateTime.h"
#include <QtCore/QList>
#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <functional>
#include <memory>

class QIODevice;
class TrpReportBase;
class TrpPage;
class TrpBandView;
class TrpView;
class TrpParser;
class TrpInterpretator;
class TrpAggregateBands;

// What the band engine and page building answer for a running report: the
// row and column counters, the page positions and limits, and the requests
// that scripts make of the current band and page. The page building installs
// it in TrpRunContext::Run; without it the counters are 0 and requests are ignored.
class TrpRunState {
public:
  virtual ~TrpRunState() = default;
  // LINE# (`throughReport` false) and LINETHROUGH# of the band being printed.
  virtual qint64 RowNumber(bool throughReport) const = 0;
  virtual qint64 ColumnNumber() const = 0; // COLUMN#
  virtual qint64 CurrentRow() const = 0;   // CURRENT#
  virtual int CurY() const = 0;
  virtual void SetCurY(int y) = 0; // marks the band moved when it has a pending new page or column
  virtual int BottomLimit() const = 0;
  // The height the current band is printed with (stretched bands grow).
  virtual int BandPrintedHeight() const = 0;
  virtual bool FinalPass() const = 0;
  virtual void Terminate() = 0;
  virtual void RequestNewPage() = 0;
  virtual void RequestNewColumn() = 0;
  virtual void ShowBand(const QString& name) = 0;
  // False when the current page is not a dialog page.
  virtual bool SetModalResult(int result) = 0;
  virtual void Progress(const QString& text) = 0;
  // True for an object that lies on no band: its Top stays a page position
  // while bands print, where band objects hold positions within their band.
  virtual bool OnNoBand(const TrpView* object) const { return false; }
};

// Everything about one run of the engine: the report being loaded, built,
// shown, printed or exported, where the run stands, and the parser and
// interpreter bound to that report. Each report owns one for its builds, so
// a report prepared inside another's event, or on another thread, leaves the
// other's run as it was; the engine keeps one more for work done outside a
// build (designing, loading, showing). Pointers are references, not owned.
class TrpRunContext {
public:
  TrpRunContext();
  ~TrpRunContext();
  TrpRunContext(const TrpRunContext&) = delete;
  TrpRunContext& operator=(const TrpRunContext&) = delete;

  TrpReportBase* CurrentReport = nullptr; // named-value look-ups go to it
  TrpReportBase* RunReport = nullptr;     // owns the prepared pages being built
  TrpPage* CurrentPage = nullptr;
  TrpBandView* CurrentBand = nullptr;
  TrpView* CurrentObject = nullptr;
  bool EngineMode = false;      // off while designing, on while building, showing, printing, exporting
  bool SuppressDrawing = false; // the first pass of a two-pass build
  int PageNumber = 0;           // 0-based; PAGE# is this + 1
  int TotalPages = 0;
  TDateTime RunDate = 0, RunTime = 0;
  QVariant CurrentValue;  // VALUE: the value being formatted
  QString EvaluatingName; // guards a name whose value refers to itself
  bool AggregatePass = false;
  TrpBandView* AggregateBand = nullptr;
  bool AppendPage = false;
  bool AppendNextReport = false;
  bool BuildAborted = false;
  bool LoadErrorFlag = false;
  QString LoadErrorText;
  quint8 StreamVersion = 0;
  QIODevice* ExportStream = nullptr;
  QList<TrpView*> WatchList;
  // Where a page continuing the previous report of a composite goes on.
  struct TAppendPlace {
    int savedCurY = 0, savedPageBottom = 0;
    bool footerPrinted = false;
  } AppendPlace;

  // The expression parser and the script interpreter bound to CurrentReport;
  // whoever owns the context creates them (the report its own engine interpreter).
  std::shared_ptr<TrpParser> Parser;
  std::shared_ptr<TrpInterpretator> Interpreter;

  // The band engine's run state and aggregate side; null until page building installs them.
  TrpRunState* Run = nullptr;
  TrpAggregateBands* Aggregates = nullptr;
  // The export filter's object callback (the report being exported installs it).
  std::function<void(int x, int y, TrpView* object)> ExportObject;
  // The export filter's text callback for a line of a text object.
  std::function<void(const QRect& drawRect, int x, int y, const QString& text, int frameLines, TrpView* object)>
      ExportText;
  // False while the filter places text by its object's rectangle: ExportText's x
  // matters only where that rectangle is empty.
  bool ExportTextPositions = true;
};

// The run context current on this thread: the innermost TrpRunScope's, else
// the engine's own. Raises Exception when the engine is not started.
TrpRunContext& rpRun();

// Makes a run context current on this thread for its lifetime and restores
// the one before, so runs nest without disturbing each other.
class TrpRunScope {
public:
  explicit TrpRunScope(TrpRunContext& context);
  ~TrpRunScope();
  TrpRunScope(const TrpRunScope&) = delete;
  TrpRunScope& operator=(const TrpRunScope&) = delete;

private:
  TrpRunContext* previous_;
};

// The engine's own context, current where no scope is; set by the engine start and cleared at its end.
void rpSetEngineRunContext(TrpRunContext* context);
