#include "reports/engine/rpPageBuild.h"
#include "core/BinaryStream.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpControl.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpEMFPages.h"
#include "reports/engine/rpFunctionSplitter.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpRegistries.h"
#include "reports/engine/rpSubReportView.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"

namespace {

// The data band kinds of levels 1 to 3.
constexpr int kDataKind[] = {0, btMasterData, btDetailData, btSubDetailData};
// The totalling kinds of each level, in registration order.
const QList<int> kTotallingKinds[] = {
    {},
    {btPageFooter, btColumnFooter, btMasterFooter, btGroupFooter, btReportSummary},
    {btPageFooter, btColumnFooter, btMasterFooter, btDetailFooter, btGroupFooter, btReportSummary},
    {btPageFooter, btColumnFooter, btMasterFooter, btDetailFooter, btSubDetailFooter, btGroupFooter, btReportSummary},
};

bool LiesIn(const TrpView* object, const TrpBand* band) {
  return object->Top >= band->y && object->Top <= band->y + band->height;
}

// The expressions of a text object's lines: every outermost [ ... ].
QStringList BracketExpressions(const QString& text) {
  QStringList result;
  int depth = 0;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('[')) {
      if (depth++ == 0) start = i + 1;
    } else if (text[i] == QLatin1Char(']') && depth > 0) {
      if (--depth == 0) result.append(text.mid(start, i - start));
    }
  }
  return result;
}

} // namespace

TrpPageBuild::TrpPageBuild(TrpReport& report, TrpPage& page, TrpEMFPages& prepared, TrpRunContext& context)
    : report(report), page(page), prepared(prepared), context(context) {}

TrpPageBuild::~TrpPageBuild() {
  TrpRunContext& g = context;
  if (g.Run == this) g.Run = nullptr;
  if (g.Aggregates == this) g.Aggregates = nullptr;
}

int TrpPageBuild::ColumnFooterHeight() const {
  const TrpBand* footer = Band(btColumnFooter);
  return footer && footer->Exists() ? footer->height : 0;
}

// --- start: bands and links

void TrpPageBuild::StartBuild() {
  if (page.PageType == 1) {
    StartDialog();
    return;
  }
  for (int kind = 0; kind < btKindCount; ++kind) {
    owned_.push_back(std::make_unique<TrpBand>(kind, *this));
    bands_[kind] = owned_.back().get();
  }
  LinkBands();
  currentRecord = 1;
  built_ = true;
}

void TrpPageBuild::LinkBands() {
  TrpRunContext& g = context;
  QList<TrpView*> unattached;
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* object = page.GetObject(i);
    object->RecordMode = 1; // objects are written into prepared pages from now on
    if ((object->Flags & 0x8000) && !g.WatchList.contains(object)) g.WatchList.append(object);
    if (!dynamic_cast<TrpBandView*>(object)) unattached.append(object);
  }
  g.CurrentPage = &page;
  crossBandOf_.clear();
  LinkCrossBands(unattached);
  for (int kind = 0; kind < btNone; ++kind) {
    if (kind == btCrossHeader || kind == btCrossData || kind == btCrossFooter) continue;
    TrpBand* tail = nullptr;
    for (int i = 0; i < page.Count(); ++i) {
      auto* bandView = dynamic_cast<TrpBandView*>(page.GetObject(i));
      if (!bandView || bandView->GetBandType() != kind) continue;
      TrpBand* band = bands_[kind];
      if (tail) {
        owned_.push_back(std::make_unique<TrpBand>(kind, *this));
        band = owned_.back().get();
        tail->next = band;
      }
      band->TakeView(bandView, subreportPage);
      tail = band;
      AttachObjects(band, unattached);
    }
    OrderChain(kind);
  }
  TrpBand* none = bands_[btNone];
  for (TrpView* object : unattached)
    if (!crossBandOf_.contains(object)) none->objects.append(object);
  none->y = 0;
  TrpBand* master = bands_[btMasterData];
  if (master->Exists() && !master->dataSource && report.Dataset() && report.ReportType == rtSimple) {
    master->dataSource = report.Dataset();
    master->dataSource->Init();
  }
  LinkHeadersAndFooters();
  LinkCrossSources();
  for (const auto& band : owned_)
    if (band->view && !band->view->ChildBand.isEmpty())
      if (auto* childView = dynamic_cast<TrpBandView*>(page.FindObject(band->view->ChildBand)))
        for (const auto& other : owned_)
          if (other->view == childView) band->child = other.get();
  LinkGroups();
}

void TrpPageBuild::LinkCrossBands(QList<TrpView*>& unattached) {
  // One band per cross kind: every band object of the kind fills it, so the last one's settings stay.
  for (int i = 0; i < page.Count(); ++i) {
    auto* bandView = dynamic_cast<TrpBandView*>(page.GetObject(i));
    if (!bandView) continue;
    const int kind = bandView->GetBandType();
    if (kind != btCrossHeader && kind != btCrossData && kind != btCrossFooter) continue;
    TrpBand* band = bands_[kind];
    band->ReleaseDataSets();
    band->TakeView(bandView, subreportPage);
  }
  for (int kind : {btCrossHeader, btCrossData, btCrossFooter}) {
    TrpBand* band = bands_[kind];
    if (!band->view) continue;
    for (TrpView* object : unattached) {
      if (crossBandOf_.contains(object) || object->Left < band->x ||
          object->Left + object->Width > band->x + band->width)
        continue;
      object->Left -= band->x;
      crossBandOf_.insert(object, band);
      band->objects.append(object);
    }
  }
}

void TrpPageBuild::AttachObjects(TrpBand* band, QList<TrpView*>& unattached) {
  // The band's own objects in page order, then its cross cells, then its subreports.
  const auto take = [&](const std::function<bool(const TrpView*)>& wanted) {
    for (qsizetype k = 0; k < unattached.size();) {
      TrpView* object = unattached[k];
      if (!wanted(object) || !LiesIn(object, band)) {
        ++k;
        continue;
      }
      object->Top -= band->y;
      band->objects.append(object);
      unattached.removeAt(k);
    }
  };
  const auto isSubreport = [](const TrpView* object) {
    return dynamic_cast<const TrpSubReportView*>(object) != nullptr;
  };
  take([&](const TrpView* object) { return !crossBandOf_.contains(object) && !isSubreport(object); });
  take([&](const TrpView* object) { return crossBandOf_.contains(object); });
  take([&](const TrpView* object) { return !crossBandOf_.contains(object) && isSubreport(object); });
  for (TrpView* object : band->objects)
    if (crossBandOf_.contains(object)) band->hasCrossObjects = true;
}

void TrpPageBuild::LinkCrossSources() {
  const TrpBand* crossData = bands_[btCrossData];
  if (!crossData->view) return;
  const QString text = crossData->view->DisplayFormatText;
  if (!text.contains(QLatin1Char(';'))) return;
  QStringList pairs;
  rpSplitBySemicolon(text, pairs);
  for (const QString& pair : pairs) {
    const qsizetype equals = pair.indexOf(QLatin1Char('='));
    if (equals < 0) continue;
    const QString bandName = pair.left(equals).trimmed();
    const QString dataSetName = pair.mid(equals + 1).trimmed();
    for (const auto& band : owned_) {
      if (band->kind < btMasterHeader || band->kind > btChild || !band->view ||
          band->view->Name.compare(bandName, Qt::CaseInsensitive) != 0)
        continue;
      band->SetCrossDataSource(dataSetName);
    }
  }
}

void TrpPageBuild::OrderChain(int kind) {
  QList<TrpBand*> chain;
  for (TrpBand* b = bands_[kind]; b; b = b->next)
    chain.append(b);
  if (chain.isEmpty() || !chain.first()->Exists()) return;
  std::stable_sort(chain.begin(), chain.end(), [](const TrpBand* a, const TrpBand* b) { return a->y < b->y; });
  for (qsizetype i = 0; i < chain.size(); ++i) {
    chain[i]->previous = i > 0 ? chain[i - 1] : nullptr;
    chain[i]->next = i + 1 < chain.size() ? chain[i + 1] : nullptr;
    chain[i]->last = nullptr;
  }
  bands_[kind] = chain.first();
  chain.first()->last = chain.last();
}

void TrpPageBuild::LinkHeadersAndFooters() {
  for (int level = 1; level <= 3; ++level) {
    const int dataKind = kDataKind[level];
    for (TrpBand* h = bands_[dataKind - 1]; h && h->Exists(); h = h->next)
      for (TrpBand* d = bands_[dataKind]; d && d->Exists(); d = d->next)
        if (h->y + h->height < d->y) {
          if (!d->header) {
            d->header = h;
            h->dataBand = d;
          }
          break;
        }
    for (TrpBand* f = bands_[dataKind + 1]; f && f->Exists(); f = f->next) {
      TrpBand* found = nullptr;
      for (TrpBand* d = bands_[dataKind]; d && d->Exists(); d = d->next)
        if (d->y + d->height <= f->y) found = d;
      if (found && !found->footer) {
        found->footer = f;
        f->dataBand = found;
      }
    }
  }
  // Group footers pair with group headers from the inside out.
  QList<TrpBand*> headers, footers;
  for (TrpBand* b = bands_[btGroupHeader]; b && b->Exists(); b = b->next)
    headers.append(b);
  for (TrpBand* b = bands_[btGroupFooter]; b && b->Exists(); b = b->next)
    footers.append(b);
  for (qsizetype i = 0; i < headers.size() && i < footers.size(); ++i) {
    headers[headers.size() - 1 - i]->footer = footers[i];
    footers[i]->dataBand = headers[headers.size() - 1 - i];
  }
}

void TrpPageBuild::LinkGroups() {
  if (!bands_[btMasterData]->Exists()) return;
  for (TrpBand* g = bands_[btGroupHeader]; g && g->Exists(); g = g->next) {
    TrpBand* data = bands_[btMasterData];
    if (!g->view->Master.isEmpty()) {
      data = nullptr;
      for (const auto& band : owned_)
        if (band->view && band->view->Name.compare(g->view->Master, Qt::CaseInsensitive) == 0) data = band.get();
    }
    if (!data) continue;
    g->dataBand = data;
    if (!data->firstGroup) data->firstGroup = g;
    g->previousGroup = data->lastGroup;
    if (data->lastGroup) data->lastGroup->nextGroup = g;
    data->lastGroup = g;
  }
}

// --- preparation: aggregates

void TrpPageBuild::PrepareBuild() {
  TrpRunContext& g = context;
  g.Aggregates = this;
  g.Run = this;
  BindFieldObjects();
  g.AggregatePass = true;
  try {
    RegisterAggregates();
  } catch (const Exception& error) {
    rpReportObjectError(context, error);
    report.Terminated = true;
  }
  g.AggregatePass = false;
}

void TrpPageBuild::RegisterAggregates() {
  for (int level = 1; level <= 3; ++level) {
    for (TrpBand* data = bands_[kDataKind[level]]; data && data->Exists(); data = data->next) {
      if (data != bands_[kDataKind[level]] && !data->dataSource) break;
      aggregateBand_ = data;
      for (int kind : kTotallingKinds[level])
        for (TrpBand* b = bands_[kind]; b && b->Exists(); b = b->next) {
          for (TrpBand* c = b; c; c = c->child) {
            RegisterBand(c);
            if (c->child == b) break;
          }
        }
    }
  }
  // The row totals of cross footers come from the cross data band.
  if (bands_[btCrossData]->view && bands_[btCrossFooter]->view) {
    aggregateBand_ = bands_[btCrossData];
    RegisterBand(bands_[btCrossFooter]);
  }
  aggregateBand_ = nullptr;
}

void TrpPageBuild::RegisterBand(TrpBand* band) {
  static const QStringList names{QStringLiteral("SUM"), QStringLiteral("MIN"), QStringLiteral("MAX"),
                                 QStringLiteral("AVG"), QStringLiteral("COUNT")};
  QStringList calls;
  TrpFunctionSplitter splitter(names, calls, &rpVariables());
  if (band->view) splitter.Split(band->view->Script.join(QLatin1Char('\n')));
  for (TrpView* object : band->objects) {
    if (dynamic_cast<TrpMemoView*>(object))
      for (const QString& expression : BracketExpressions(object->Memo.join(QLatin1Char('\n'))))
        splitter.Split(expression);
    splitter.Split(object->Script.join(QLatin1Char('\n')));
  }
  scannedBand_ = band;
  currentBand = band;
  for (const QString& call : calls)
    context.Parser->Calc(call);
  scannedBand_ = nullptr;
}

int TrpPageBuild::CallBandType() const { return currentBand ? currentBand->kind : -1; }
QString TrpPageBuild::CallBandName() const { return currentBand ? currentBand->name : QString(); }
int TrpPageBuild::AggregateBandType() const { return aggregateBand_ ? aggregateBand_->kind : -1; }
QString TrpPageBuild::AggregateBandName() const { return aggregateBand_ ? aggregateBand_->name : QString(); }

void TrpPageBuild::Register(const QString& key, const QVariant& start) {
  if (!aggregateBand_ || !scannedBand_) return;
  aggregateBand_->AddAggregate(key, start);
  scannedBand_->aggregateOwner = aggregateBand_;
}

TrpBand* TrpPageBuild::AggregateSource(QString& name) const {
  if (!currentBand || !currentBand->aggregateOwner) return nullptr;
  if (currentBand->kind != btCrossData) {
    name = currentBand->name;
    return currentBand->aggregateOwner;
  }
  // A cross data cell reads the column's copy in the entries its horizontal band shows.
  const TrpBand* row = currentBand->aggregateOwner;
  if (!row->aggregateOwner) return nullptr;
  name = QString::number(crossColumn) + QChar(1) + row->name;
  return row->aggregateOwner;
}

bool TrpPageBuild::LinkedName(QString& name) const { return AggregateSource(name) != nullptr; }

QVariant TrpPageBuild::Value(const QString& key) const {
  QString name;
  const TrpBand* source = AggregateSource(name);
  return source ? source->AggregateValue(key) : QVariant();
}

// --- building

void TrpPageBuild::Rewind() {
  for (const auto& band : owned_) {
    for (TrpView* object : band->objects)
      if (auto* memo = dynamic_cast<TrpMemoView*>(object)) memo->LastPrintedText.clear();
  }
  for (TrpBand* band : bands_)
    if (band && band->dataSource) band->dataSource->First();
  context.Run = this;
  context.Aggregates = this;
}

void TrpPageBuild::AddPreparedPage() { prepared.Add(page); }

void TrpPageBuild::RunPageScript() {
  if (page.Script.isEmpty()) return;
  TrpRunContext& g = context;
  g.CurrentObject = nullptr;
  g.Run = this;
  try {
    QStringList coded, errors;
    context.Interpreter->PrepareScript(page.Script, coded, errors);
    context.Interpreter->DoScript(coded);
  } catch (const Exception& error) {
    rpReportObjectError(context, error);
    report.Terminated = true;
  }
}

// --- dialog pages

void TrpPageBuild::StartDialog() {
  TrpGlobals& g = rpGlobals();
  TrpRunContext& run = context;
  run.CurrentPage = &page;
  int placed = 0;
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* object = page.GetObject(i);
    object->Page = &page;
    if (dynamic_cast<TrpNonVisualControl*>(object)) {
      if (report.OnCustomizeObject) report.OnCustomizeObject(object);
    } else if (dynamic_cast<TrpControl*>(object)) {
      ++placed;
    }
  }
  modalResult_ = 0;
  RunPageScript();
  if (placed > 0 && page.Visible && !report.Terminated) {
    // A script that already set the modal result decides without showing the form.
    if (modalResult_ == 0) modalResult_ = g.ShowDialogPage ? g.ShowDialogPage(page) : 1;
    if (modalResult_ == 2) run.BuildAborted = true;
  }
  if (run.Run == this) run.Run = nullptr;
  built_ = true;
}

bool TrpPageBuild::SetModalResult(int result) {
  if (page.PageType != 1) return false;
  modalResult_ = result;
  return true;
}

// --- field objects

void TrpPageBuild::BindFieldObjects() {
  for (const auto& band : owned_) {
    currentBand = band.get();
    for (TrpView* object : band->objects)
      BindField(object);
  }
  currentBand = nullptr;
}

void TrpPageBuild::BindField(TrpView* object) {
  object->BoundFieldName.clear();
  object->BoundDataSet = nullptr;
  const QString text = object->Memo.join(QStringLiteral("\r\n"));
  const auto* memo = dynamic_cast<const TrpMemoView*>(object);
  if (text.size() <= 2 || !text.startsWith(QLatin1Char('[')) || (memo && (memo->Flags & mfTextOnly))) return;
  const qsizetype close = text.lastIndexOf(QLatin1Char(']'));
  const QString name = close > 0 ? text.mid(1, close - 1) : text.mid(1);
  TDataSet* dataSet = nullptr;
  QString field;
  try {
    if (!report.Dictionary.ResolveName(context, name) || !report.Dictionary.CachedField(name, dataSet, field)) {
      dataSet = report.UseDefaultDataSetName() ? rpGetDefaultDataSet(context.CurrentReport) : nullptr;
      rpGetDataSetAndField(context.CurrentReport, name, dataSet, field);
    }
  } catch (const Exception&) {
    return; // an expression that is no field reference shows no field
  }
  if (!dataSet || field.isEmpty()) return;
  object->BoundDataSet = dataSet;
  object->BoundFieldName = field;
}

void TrpPageBuild::FireEndPage(int number) {
  if (report.OnEndPage) report.OnEndPage(number);
  auto* run = dynamic_cast<TrpReport*>(context.RunReport);
  if (run && run != &report && run->OnEndPage) run->OnEndPage(number);
}

void TrpPageBuild::BuildPage() {
  TrpRunContext& g = context;
  g.Run = this;
  g.Aggregates = this;
  g.CurrentPage = &page;
  TrpRunContext::TAppendPlace& shared = context.AppendPlace;
  TrpBand* master = bands_[btMasterData];
  if (delayed) {
    inSummary = false;
    pending_.clear();
    deepestLevel_ = DeepestLevel();
    WalkDataBands(1);
    return;
  }
  if (!report.PrintIfEmpty) {
    bool empty = true;
    try {
      if (master->dataSource) {
        master->dataSource->First();
        empty = master->dataSource->Eof();
      }
    } catch (const Exception&) {
      empty = true;
    }
    if (empty) {
      if (g.AppendPage) ++g.PageNumber;
      return;
    }
  }
  inSummary = false;
  RunPageScript();
  if (g.AppendPage && shared.savedCurY == shared.savedPageBottom) {
    g.AppendPage = false;
    shared.footerPrinted = false;
    g.PageNumber = prepared.Count();
  }
  const TrpBand* footer = bands_[btPageFooter];
  pageBottom = g.AppendPage && shared.footerPrinted ? shared.savedPageBottom
                                                    : page.PrintableBottom() - (footer->Exists() ? footer->height : 0);
  columnIndex = 0;
  pageX = page.PrintableLeft();
  if (g.AppendPage) {
    curY = shared.savedCurY;
  } else {
    g.PageNumber = prepared.Count();
    AddPreparedPage();
    curY = page.PrintableTop();
    ShowBand(bands_[btOverlay]);
    ShowBand(bands_[btNone]);
  }
  const bool manual = bool(report.OnManualBuild);
  const int keptPage = g.PageNumber;
  if (!manual) ShowBand(bands_[btReportTitle]);
  if (g.PageNumber == keptPage) {
    if (bands_[btPageHeader]->Exists() && (bands_[btPageHeader]->flags & bfOnFirstPage)) ShowBand(bands_[btPageHeader]);
    ShowBand(bands_[btColumnHeader]);
  }
  if (manual) {
    report.OnManualBuild(&page);
  } else {
    pending_.clear();
    deepestLevel_ = DeepestLevel();
    WalkDataBands(1);
    inSummary = true;
    ShowBand(bands_[btColumnFooter]);
    TrpBand* columnFooter = bands_[btColumnFooter];
    const int keptFooterHeight = columnFooter->height;
    columnFooter->height = 0;
    ShowBand(bands_[btReportSummary]);
    columnFooter->height = keptFooterHeight;
    inSummary = false;
  }
  shared.savedCurY = columnIndex > 0 ? page.PrintableBottom() : curY;
  shared.savedPageBottom = pageBottom;
  columnIndex = 0;
  pageX = page.PrintableLeft();
  const int keptNumber = g.PageNumber;
  int number = keptNumber;
  shared.footerPrinted = false;
  TrpBand* pageFooter = bands_[btPageFooter];
  if (!manual && ((g.PageNumber == 0 && (pageFooter->flags & bfOnFirstPage)) || (pageFooter->flags & bfOnLastPage))) {
    const quint16 kept = pageFooter->flags;
    pageFooter->flags |= bfOnFirstPage;
    shared.footerPrinted = pageFooter->Exists();
    if (shared.footerPrinted) {
      FinishPages();
      number = g.PageNumber;
    }
    pageFooter->flags = kept;
  }
  FireEndPage(number);
  // The page after the last one this template filled; a template that prints on the previous page steps back from it.
  g.PageNumber = keptNumber + 1;
  lastPrintedBand = nullptr;
}

void TrpPageBuild::ShowBand(TrpBand* band) {
  if (!band) return;
  if (delayed)
    actions.append({band, 0});
  else
    band->PrintBand();
}

bool TrpPageBuild::PlayDelayedActions() {
  TrpRunContext& g = context;
  g.Run = this;
  g.Aggregates = this;
  g.CurrentPage = &page;
  while (replayPosition < actions.size()) {
    const TAction& a = actions[replayPosition];
    if (a.action == 1) {
      a.band->dataSource->First();
      ResetBandCounter(a.band, 1);
    } else if (a.action == 2) {
      a.band->dataSource->Next();
      ++currentRecord;
      ++a.band->runningCounter;
      ++a.band->lineCounter;
    } else if (pendingSubreportBand) {
      pendingSubreportBand->RunSubreports();
      if (pendingSubreportBand) return true;
    } else if (a.band->PrintBand()) {
      return true;
    }
    ++replayPosition;
  }
  return false;
}

int TrpPageBuild::DeepestLevel() const {
  int deepest = 0;
  for (int level = 1; level <= 3; ++level)
    if (bands_[kDataKind[level]]->Exists()) deepest = level;
  return deepest;
}

void TrpPageBuild::Queue(TrpBand* band) {
  if (!band) return;
  if (pending_.size() >= kMaxPendingBands)
    throw Exception(QStringLiteral("Zostava čaká na tlač viac ako %1 pásov; skontrolujte skupiny a úrovne údajov.")
                        .arg(kMaxPendingBands));
  pending_.append(band);
}

void TrpPageBuild::QueueGroups(TrpBand* group) {
  for (TrpBand* g = group; g; g = g->nextGroup) {
    ++g->lineCounter;
    ++g->runningCounter;
    Queue(g);
  }
}

void TrpPageBuild::Flush() {
  const QList<TrpBand*> bands = std::exchange(pending_, {});
  for (TrpBand* band : bands)
    if (band->Exists()) ShowBand(band);
}

void TrpPageBuild::WalkDataBands(int level) {
  for (TrpBand* b = bands_[kDataKind[level]]; b && b->Exists(); b = b->next) {
    TrpDataset* data = b->dataSource;
    if (!data) continue;
    data->First();
    if (delayed) {
      actions.append({b, 1});
    } else {
      ResetBandCounter(b, 1);
      b->runningCounter = 1;
    }
    for (TrpBand* g = b->firstGroup; g; g = g->nextGroup) {
      ResetBandCounter(g, 0);
      g->runningCounter = 0;
      g->hasGroupValue = false;
    }
    if (data->Eof()) continue;
    Queue(b->header);
    QueueGroups(b->firstGroup);
    if (b->footer) b->footer->ResetAggregates();
    while (!data->Eof() && !report.Terminated) {
      Queue(b);
      if (b->printIfSubsetEmpty) Flush();
      bool counted = true;
      if (level < deepestLevel_) {
        WalkDataBands(level + 1);
        if (!pending_.isEmpty()) {
          if (b->printIfSubsetEmpty) {
            Flush();
          } else {
            pending_.removeLast();
            counted = false;
          }
        }
      } else {
        Flush();
      }
      data->Next();
      const bool atEnd = data->Eof();
      TrpBand* changed = nullptr;
      for (TrpBand* g = b->firstGroup; g; g = g->nextGroup)
        if (atEnd || !g->hasGroupValue ||
            rpCompare(context.Parser->CalcPostfix(g->groupCondition), g->lastGroupValue) != 0) {
          changed = g;
          break;
        }
      if (changed) {
        bool wentBack = true;
        if (!atEnd) {
          try {
            data->Prior();
          } catch (const Exception&) {
            wentBack = false;
          }
        }
        for (TrpBand* g = b->lastGroup; g && g != changed; g = g->previousGroup) {
          Queue(g->footer);
          ResetBandCounter(g, 0);
          if (g->footer) ResetBandCounter(g->footer, 0);
        }
        Queue(changed->footer);
        Flush();
        if (!atEnd) {
          if (wentBack) data->Next();
          if (changed->visible && (changed->flags & bfFormNewPage)) NewPage();
          QueueGroups(changed);
          ResetBandCounter(b, 0);
        }
      }
      if (delayed) {
        actions.append({b, 2});
      } else if (counted) {
        ++currentRecord;
        ++b->runningCounter;
        ++b->lineCounter;
        if (b->visible && b->newPageAfter && !data->Eof()) NewPage();
      }
    }
    if (pending_.isEmpty())
      ShowBand(b->footer);
    else
      pending_.removeLast();
  }
}

void TrpPageBuild::ResetBandCounter(TrpBand* band, int n) {
  band->lineCounter = n;
  for (TrpView* object : band->objects)
    if (auto* memo = dynamic_cast<TrpMemoView*>(object)) memo->LastPrintedText.clear();
}

void TrpPageBuild::NewPage() {
  TrpRunContext& g = context;
  report.ReportProgress(g.PageNumber + 1);
  if (!inSummary) ShowBand(bands_[btColumnFooter]);
  FinishPages();
  const TrpBand* footer = bands_[btPageFooter];
  pageBottom = page.PrintableBottom() - (footer->Exists() ? footer->height : 0);
  g.PageNumber = prepared.Count();
  AddPreparedPage();
  g.AppendPage = false;
  ShowBand(bands_[btOverlay]);
  curY = page.PrintableTop();
  ShowBand(bands_[btPageHeader]);
  ShowBand(bands_[btColumnHeader]);
}

void TrpPageBuild::NewColumn(TrpBand* band) {
  if (columnIndex < ColumnCount() - 1) {
    ShowBand(bands_[btColumnFooter]);
    ++columnIndex;
    pageX += page.ColumnWidth + page.ColumnGap;
    curY = columnStartY;
    ShowBand(bands_[btColumnHeader]);
  } else {
    NewPage();
  }
  if (!inSummary)
    for (TrpBand* g = bands_[btGroupHeader]; g && g->Exists() && g != band; g = g->next)
      if (g->flags & bfRepeatHeader) {
        g->noValueReset = true;
        ShowBand(g);
        g->noValueReset = false;
      }
  if (band && band->IsDataBand() && band->header && (band->header->flags & bfRepeatHeader)) {
    band->header->noValueReset = true;
    ShowBand(band->header);
    band->header->noValueReset = false;
  }
}

void TrpPageBuild::FinishPages() {
  TrpRunContext& g = context;
  columnIndex = 0;
  pageX = page.PrintableLeft();
  TrpBand* footer = bands_[btPageFooter];
  if (g.PageNumber != 0 || (footer->flags & bfOnFirstPage)) {
    for (int number = g.PageNumber; number < prepared.Count(); ++number) {
      g.PageNumber = number;
      if (g.AppendPage && context.AppendPlace.footerPrinted) continue;
      FireEndPage(number);
      ShowBand(footer);
    }
  }
  g.PageNumber = prepared.Count();
}

void TrpPageBuild::WritePrepared(TrpView* object) {
  TrpRunContext& g = context;
  if (g.PageNumber < 0 || g.PageNumber >= prepared.Count()) {
    TBinaryWriter dropped; // no page to write into; the object still runs its script
    object->WritePrepared(g, dropped);
    return;
  }
  // Records hold absolute positions (a picture's end), so the object is written at the end of its page's stream.
  QByteArray& page = prepared.GetPage(g.PageNumber).Stream();
  const qsizetype kept = page.size();
  TBinaryWriter stream(std::move(page));
  try {
    object->WritePrepared(g, stream);
  } catch (...) {
    page = stream.TakeData();
    page.truncate(kept);
    throw;
  }
  page = stream.TakeData();
}

// --- run state

qint64 TrpPageBuild::RowNumber(bool throughReport) const {
  const TrpBand* band = currentBand ? currentBand->CounterBand() : nullptr;
  if (!band) return 0;
  return throughReport ? band->runningCounter : band->lineCounter;
}

void TrpPageBuild::SetCurY(int y) {
  curY = y;
  if (currentBand && (currentBand->pendingNewPages > 0 || currentBand->pendingNewColumns > 0))
    currentBand->yChangedByScript = true;
}

bool TrpPageBuild::OnNoBand(const TrpView* object) const {
  const TrpBand* none = Band(btNone);
  return none && none->objects.contains(object);
}

int TrpPageBuild::BandPrintedHeight() const {
  if (!currentBand) return 0;
  return std::max(currentBand->calculatedHeight, currentBand->height);
}

bool TrpPageBuild::FinalPass() const {
  // The pass belongs to the run: a composite's members build inside its passes.
  const auto* run = dynamic_cast<const TrpReport*>(context.RunReport);
  return run ? run->FinalPass : report.FinalPass;
}

void TrpPageBuild::Terminate() { report.Terminated = true; }

void TrpPageBuild::RequestNewPage() {
  if (currentBand) ++currentBand->pendingNewPages;
}

void TrpPageBuild::RequestNewColumn() {
  if (currentBand) ++currentBand->pendingNewColumns;
}

void TrpPageBuild::ShowBand(const QString& name) {
  for (const auto& band : owned_)
    if (band->view && band->view->Name.compare(name, Qt::CaseInsensitive) == 0) {
      band->PrintBand();
      return;
    }
}
