#include "reports/engine/rpBand.h"
#include "core/BinaryStream.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpEMFPages.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPageBuild.h"
#include "reports/engine/rpRegistries.h"
#include "reports/engine/rpSubReportView.h"
#include "reports/engine/rpValue.h"
#include <algorithm>
#include <memory>

namespace {

bool HasStretchedFlag(const TrpView* object) { return (object->Flags & 1) != 0; }

// The band's objects keep their rectangles for one print and get them back afterwards.
struct TKeptRect {
  TrpView* object;
  int top, height;
};

void RunObjectScript(TrpInterpretator& interpreter, const TrpView* object) {
  if (object->Script.isEmpty()) return;
  QStringList coded, errors;
  interpreter.PrepareScript(object->Script, coded, errors);
  interpreter.DoScript(coded);
}

} // namespace

TrpBand::TrpBand(int kind, TrpPageBuild& build) : build(build), kind(kind) {}

TrpBand::~TrpBand() {
  if (view && view->RunBand == this) view->RunBand = nullptr;
  ReleaseDataSets();
  if (crossDataSource) crossDataSource->Exit();
  if (ownsCrossDataSource) delete crossDataSource;
}

void TrpBand::TakeView(TrpBandView* bandView, bool subreportPage) {
  view = bandView;
  bandView->RunBand = this;
  script.clear();
  QStringList errors;
  build.context.Interpreter->PrepareScript(bandView->Script, script, errors);
  if (!errors.isEmpty()) throw ErpScriptError(errors.join(QLatin1Char('\n')));
  y = bandView->Top;
  x = bandView->Left;
  width = bandView->Width;
  height = bandView->Height;
  flags = bandView->Flags;
  visible = bandView->Visible;
  name = bandView->Name;
  columnCounter = 1;
  stretched = flags & bfStretched;
  printIfSubsetEmpty = flags & bfPrintIfSubsetEmpty;
  printChildIfInvisible = flags & bfPrintChildIfInvisible;
  newPageAfter = !subreportPage && (flags & bfFormNewPage);
  breaked = !subreportPage && (flags & bfBreaked);
  ResolveDataSource(bandView->DisplayFormatText);
}

void TrpBand::ResolveDataSource(const QString& text) {
  if (kind == btGroupHeader) {
    groupCondition = build.context.Parser->ToPostfix(text);
    return;
  }
  // A list of "band=data set;" pairs is the cross data band's, resolved per horizontal band.
  if (text.isEmpty() || text.contains(QLatin1Char(';'))) return;
  dataSource = rpResolveBandDataSource(build.context.CurrentReport, text, ownsDataSource);
}

void TrpBand::SetCrossDataSource(const QString& text) {
  if (crossDataSource) crossDataSource->Exit();
  if (ownsCrossDataSource) delete crossDataSource;
  crossDataSource = nullptr;
  ownsCrossDataSource = false;
  crossDataSource = rpResolveBandDataSource(build.context.CurrentReport, text, ownsCrossDataSource);
}

TrpDataset* TrpBand::VerticalDataSource() const {
  const TrpBand* crossData = build.Band(btCrossData);
  const bool pairs = crossData->view && crossData->view->DisplayFormatText.contains(QLatin1Char(';'));
  return pairs ? crossDataSource : crossData->dataSource;
}

void TrpBand::ReleaseDataSets() {
  if (!dataSource) return;
  dataSource->Exit();
  if (ownsDataSource) delete dataSource;
  dataSource = nullptr;
  ownsDataSource = false;
}

const TrpBand* TrpBand::CounterBand() const {
  // A cross cell counts with the horizontal band it prints for (its counters are copied in).
  if (IsDataBand() || kind == btGroupHeader || IsCrossBand()) return this;
  return dataBand;
}

bool TrpBand::PrintBand() {
  TrpRunContext& g = build.context;
  const bool keptBreaked = breaked;
  g.CurrentObject = view;
  g.CurrentBand = view;
  build.currentBand = this;
  calculatedHeight = -1;
  pendingNewPages = pendingNewColumns = 0;
  if (build.report.OnBeginBand) build.report.OnBeginBand(this);
  TrpBand* lastPrinted = build.lastPrintedBand;
  if (lastPrinted && lastPrinted != this && lastPrinted->Exists() && lastPrinted->columnCounter > 1) {
    build.pageX = lastPrinted->columnStartX;
    build.curY += lastPrinted->height;
    lastPrinted->columnCounter = 1;
  }
  yChangedByScript = false;
  if (!scriptDone) RunBandScript();
  scriptDone = false;
  const int oldY = build.curY;
  if (build.report.Terminated) return false;
  for (int i = 0; i < pendingNewPages; ++i) {
    build.columnIndex = build.ColumnCount() - 1;
    build.NewColumn(this);
  }
  for (int i = 0; i < pendingNewColumns; ++i)
    build.NewColumn(this);
  if (yChangedByScript) build.curY = oldY;
  bool result = false;
  if (visible) {
    if (kind == btColumnHeader) build.columnStartY = build.curY;
    if (kind == btPageFooter) y = build.pageBottom;
    if (Exists()) {
      calculatedHeight = std::max(calculatedHeight, height);
      if (kind != btPageFooter && kind != btOverlay && kind != btColumnFooter && kind != btNone) {
        const int h = TotalHeight();
        if (build.curY + h > build.pageBottom && !breaked) {
          if (build.pageBottom - build.page.PrintableTop() >= h || build.curY != build.page.PrintableTop()) {
            if (build.subreportPage) {
              breaked = keptBreaked;
              return true;
            }
            CheckFit(0, 10000, false);
          } else {
            breaked = true; // taller than an empty page: split for this print
          }
        }
      }
      printed = true;
      if (IsDataBand() && dataSource && next && !next->dataSource) {
        for (TrpBand* b = this; b; b = b->next)
          if (b->visible) b->OutputBody();
      } else {
        OutputBody();
        if (child) child->PrintBand();
        if (!IsDataBand() && kind != btGroupHeader && visible && newPageAfter) build.NewPage();
      }
      result = !printed;
    }
  } else {
    if (child && printChildIfInvisible) child->PrintBand();
    if (IsDataBand()) Accumulate();
  }
  if (!noValueReset && (kind != btPageFooter || build.context.PageNumber >= build.prepared.Count() - 1))
    ResetAggregates();
  if (build.report.OnEndBand) build.report.OnEndBand(this);
  breaked = keptBreaked;
  return result;
}

void TrpBand::RunBandScript() {
  if (script.isEmpty()) return;
  try {
    build.context.Interpreter->DoScript(script);
  } catch (const Exception& error) {
    rpReportObjectError(build.context, error);
  }
}

int TrpBand::TotalHeight() {
  int result = 0;
  if (IsDataBand() && next && !next->dataSource) {
    for (TrpBand* b = this; b; b = b->next)
      result += b->MeasureHeight();
  } else {
    result = stretched ? MeasureHeight() : height;
  }
  calculatedHeight = std::max(calculatedHeight, result);
  return result;
}

int TrpBand::MeasureHeight() {
  int result = height;
  if (hasCrossObjects && kind != btPageFooter) {
    result = MeasureCrossHeight();
  } else {
    for (TrpView* object : objects) {
      auto* stretchable = dynamic_cast<TrpStretcheable*>(object);
      if (!stretchable) continue;
      const int keptHeight = object->Height;
      result = std::max(result, stretchable->CalcHeight(build.context) + object->Top);
      object->Height = keptHeight;
    }
  }
  calculatedHeight = std::max(calculatedHeight, result);
  return result;
}

int TrpBand::MeasureCrossHeight() {
  const auto measure = [this](bool cells) {
    int result = height;
    for (TrpView* object : objects) {
      auto* stretchable = dynamic_cast<TrpStretcheable*>(object);
      if (!stretchable || (!cells && build.CrossBandOf(object))) continue;
      const int keptHeight = object->Height;
      result = std::max(result, stretchable->CalcHeight(build.context) + object->Top);
      object->Height = keptHeight;
      stretchable->SplitMode = 0;
    }
    return result;
  };
  // The band's own objects, then every object once per column's record.
  int result = measure(false);
  build.crossColumn = 1;
  if (build.report.OnBeginColumn) build.report.OnBeginColumn(this);
  TrpDataset* source = build.Band(btCrossData)->view ? VerticalDataSource() : nullptr;
  if (!source) return result;
  for (source->First(); !source->Eof() && !build.report.Terminated; source->Next()) {
    if (build.report.OnPrintColumn) {
      int discarded = 0;
      build.report.OnPrintColumn(build.crossColumn, discarded);
    }
    result = std::max(result, measure(true));
    ++build.crossColumn;
  }
  return result;
}

bool TrpBand::CheckFit(int atY, int bandHeight, bool noBreak) {
  if (kind == btColumnFooter) return false;
  if (atY + build.ColumnFooterHeight() + bandHeight <= build.pageBottom) return false;
  if (!noBreak) build.NewColumn(this);
  return true;
}

void TrpBand::OutputBody() {
  if (!Exists()) return;
  const int keptY = y;
  if (!IsFixedKind()) y = build.curY;
  if (stretched) {
    const int h = calculatedHeight;
    QList<TKeptRect> kept;
    for (TrpView* object : objects) {
      kept.append({object, object->Top, object->Height});
      if (dynamic_cast<TrpStretcheable*>(object) && HasStretchedFlag(object) && object->Height > 0)
        object->Height = h - object->Top;
    }
    maximumHeight = h;
    int grow = h;
    if (!breaked) {
      CheckFit(y, h, false);
      y = build.curY;
    }
    if (breaked) {
      OutputSplit();
      grow = 0;
    } else {
      if (OutputObjects()) grow = 0;
      if (hasCrossObjects) OutputCrossCells();
    }
    for (const TKeptRect& k : kept)
      k.object->Height = k.height;
    build.curY += grow;
  } else {
    if (!IsFixedKind()) {
      if (!breaked) CheckFit(y, height, false);
      y = build.curY;
    }
    if (breaked) {
      maximumHeight = calculatedHeight;
      OutputSplit();
    } else {
      const bool subreportsRan = OutputObjects();
      if (hasCrossObjects) OutputCrossCells();
      if (!subreportsRan && !IsFixedKind()) build.curY += height;
    }
  }
  if (build.lastPrintedBand != this) columnCounter = 1;
  build.lastPrintedBand = this;
  AdvanceColumns();
  y = keptY;
  if (IsDataBand()) Accumulate();
}

void TrpBand::AdvanceColumns() {
  if (!view || view->Columns <= 1 || view->NewColumnAfter != 1) return;
  if (columnCounter == 1) columnStartX = build.pageX;
  const int n = columnCounter;
  columnCounter = n + 1;
  if (columnCounter > view->Columns) {
    build.pageX = columnStartX;
    columnCounter = 1;
  } else {
    build.pageX = columnStartX + (view->ColumnWidth + view->ColumnGap) * n;
    build.curY -= std::max(calculatedHeight, height);
  }
}

bool TrpBand::OutputObjects() {
  for (int i = 0; i < objects.size(); ++i) {
    if (build.report.Terminated) return false;
    if (auto* sub = dynamic_cast<TrpSubReportView*>(objects[i]); sub && sub->Visible) {
      TrpRunContext& g = build.context;
      int limit = build.curY + height;
      if (limit < 1) limit = 0;
      const int keptPage = g.PageNumber;
      StartSubreports(i);
      RunSubreports();
      if (g.PageNumber == keptPage && build.curY < limit) build.curY = limit;
      return true;
    }
    OutputObject(objects[i]);
  }
  return false;
}

void TrpBand::StartSubreports(int index) {
  subreportIndex = index;
  for (int i = index; i < objects.size(); ++i) {
    auto* sub = dynamic_cast<TrpSubReportView*>(objects[i]);
    TrpPageBuild* shown = sub && sub->Visible ? build.report.SubreportBuild(sub->SubPage) : nullptr;
    if (!shown) continue;
    shown->delayed = true;
    shown->actions.clear();
    shown->BuildPage();
    shown->curY = sub->Top + y;
    shown->pageBottom = build.pageBottom;
    shown->pageX = build.pageX + sub->Left;
    shown->replayPosition = 0;
    shown->unfinished = true;
  }
  build.pendingSubreportBand = nullptr;
}

void TrpBand::RunSubreports() {
  TrpRunContext& g = build.context;
  QList<TrpPageBuild*> shown;
  for (int i = subreportIndex; i >= 0 && i < objects.size(); ++i)
    if (auto* sub = dynamic_cast<TrpSubReportView*>(objects[i]); sub && sub->Visible)
      if (TrpPageBuild* page = build.report.SubreportBuild(sub->SubPage)) shown.append(page);
  int lowest = build.curY;
  while (!build.report.Terminated) {
    if (!printed)
      for (TrpPageBuild* page : shown) {
        page->curY = build.curY;
        page->pageBottom = build.pageBottom;
      }
    printed = true;
    lowest = build.curY;
    for (TrpPageBuild* page : shown) {
      if (!page->unfinished) continue;
      if (page->PlayDelayedActions()) {
        printed = false;
      } else {
        page->unfinished = false;
        lowest = std::max(lowest, page->curY);
      }
    }
    if (printed) break;
    if (build.subreportPage) {
      build.pendingSubreportBand = this; // the outer level starts the new page
      return;
    }
    scriptDone = true;
    build.NewPage();
  }
  for (TrpPageBuild* page : shown) {
    page->actions.clear();
    page->delayed = false;
  }
  g.Run = &build;
  g.Aggregates = &build;
  build.currentBand = this;
  build.curY += std::max(lowest - build.curY, calculatedHeight);
  build.pendingSubreportBand = nullptr;
}

void TrpBand::OutputObject(TrpView* object) {
  TrpRunContext& g = build.context;
  g.CurrentPage = &build.page;
  g.CurrentBand = view;
  g.CurrentObject = object;
  build.currentBand = this;
  if (build.CrossBandOf(object)) return; // a cell prints with its row of cross cells
  try {
    auto* memo = dynamic_cast<TrpMemoView*>(object);
    if (g.SuppressDrawing && !breaked) {
      // The first pass only runs the object's script (its side effects count pages).
      if (!(memo && memo->SplitMode != 0)) RunObjectScript(*build.context.Interpreter, object);
      return;
    }
    WriteObjectAt(object, build.pageX - build.page.PrintableLeft(), y);
  } catch (const Exception& error) {
    rpReportObjectError(build.context, error);
  }
}

void TrpBand::WriteObjectAt(TrpView* object, int dx, int atY) {
  TrpRunContext& g = build.context;
  const int keptLeft = object->Left, keptTop = object->Top;
  const int keptViewTop = view ? view->Top : 0;
  object->Left += dx;
  object->Top += atY;
  if (view) view->Top = atY; // band-aligned objects read the band's printed position
  try {
    build.WritePrepared(object);
  } catch (...) {
    object->Left = keptLeft;
    object->Top = keptTop;
    if (view) view->Top = keptViewTop;
    throw;
  }
  object->Left = keptLeft;
  object->Top = keptTop;
  if (view) view->Top = keptViewTop;
  // Objects that collect printed values (a chart) hear of every text printed, not of continuation parts.
  auto* memo = dynamic_cast<TrpMemoView*>(object);
  if (memo && memo->SplitMode < 2)
    for (TrpView* watcher : g.WatchList)
      watcher->NotifyObjectPrinted(object);
}

// --- cross cells

void TrpBand::OutputCrossCells() {
  if (kind == btPageFooter) return;
  TrpRunContext& g = build.context;
  const int keptPage = g.PageNumber;
  build.crossRowPage = keptPage;
  build.crossColumn = 1;
  build.crossX = 0;
  if (build.report.OnBeginColumn) build.report.OnBeginColumn(this);
  if (TrpBand* header = build.Band(btCrossHeader); header->view) {
    header->RunBandScript();
    OutputCrossCell(header, header->x);
    build.crossX = header->x + header->width;
  }
  if (TrpBand* data = build.Band(btCrossData); data->view) {
    if (build.crossX == 0) build.crossX = data->x;
    TrpDataset* source = VerticalDataSource();
    if (source) source->First();
    // A master footer below an exhausted source still prints as many cells as the widest row had.
    std::unique_ptr<TrpUserDataset> columns;
    if (kind == btMasterFooter && (!source || source->Eof())) {
      columns = std::make_unique<TrpUserDataset>();
      columns->RangeEnd = TRangeEnd::reCount;
      columns->RangeEndCount = data->maxCrossColumns;
      source = columns.get();
      source->First();
    }
    while (source && !source->Eof() && !build.report.Terminated) {
      g.CurrentObject = data->view;
      if (build.report.OnPrintColumn) build.report.OnPrintColumn(build.crossColumn, data->width);
      data->RunBandScript();
      CheckCrossWidth(data->width);
      OutputCrossCell(data, build.crossX);
      data->Accumulate();
      if (IsDataBand()) Accumulate(true);
      build.crossX += data->width;
      ++build.crossColumn;
      source->Next();
    }
    if (source) data->maxCrossColumns = std::max(data->maxCrossColumns, source->RecNo());
  }
  if (TrpBand* footer = build.Band(btCrossFooter); footer->view) {
    if (build.crossX == 0) build.crossX = footer->x;
    footer->RunBandScript();
    CheckCrossWidth(footer->width);
    OutputCrossCell(footer, build.crossX);
    footer->ResetAggregates();
  }
  g.PageNumber = keptPage;
  g.CurrentBand = view;
  build.currentBand = this;
}

void TrpBand::OutputCrossCell(TrpBand* cross, int atX) {
  TrpRunContext& g = build.context;
  build.currentBand = cross;
  g.CurrentBand = cross->view;
  cross->lineCounter = lineCounter;
  cross->runningCounter = runningCounter;
  build.Band(btCrossData)->aggregateOwner = this;
  for (TrpView* object : cross->objects) {
    if (!objects.contains(object)) continue;
    g.CurrentObject = object;
    try {
      if (g.SuppressDrawing)
        RunObjectScript(*build.context.Interpreter, object);
      else
        cross->WriteObjectAt(object, atX, y);
    } catch (const Exception& error) {
      rpReportObjectError(build.context, error);
    }
  }
}

void TrpBand::CheckCrossWidth(int cellWidth) {
  if (build.crossX + cellWidth <= build.page.PrintableRight()) return;
  TrpRunContext& g = build.context;
  build.crossX = build.page.PrintableLeft();
  ++g.PageNumber;
  if (g.PageNumber >= build.prepared.Count()) {
    build.prepared.Add(build.page);
    // The new page gets its overlay and page header; the row and its column keep going.
    const int keptY = build.curY, keptColumn = build.crossColumn, keptX = build.crossX;
    TrpBand* keptBand = build.currentBand;
    build.ShowBand(build.Band(btOverlay));
    TrpBand* pageHeader = build.Band(btPageHeader);
    if (pageHeader->Exists() && (build.crossRowPage > 0 || (pageHeader->flags & bfOnFirstPage))) {
      build.curY = build.page.PrintableTop();
      build.ShowBand(pageHeader);
    }
    build.curY = keptY;
    build.crossColumn = keptColumn;
    build.crossX = keptX;
    build.currentBand = keptBand;
    build.report.ReportProgress(g.PageNumber);
  }
  if (TrpBand* header = build.Band(btCrossHeader); header->view && (header->flags & bfRepeatHeader)) {
    OutputCrossCell(header, build.page.PrintableLeft());
    build.crossX = build.page.PrintableLeft() + header->width;
  }
}

void TrpBand::ShiftObjectsBelow(const TrpView* object, int amount) {
  for (TrpView* other : objects)
    if (other != object && other->Top >= object->Top + object->Height && other->Left >= object->Left &&
        other->Left <= object->Left + object->Width)
      other->Top += amount;
}

void TrpBand::OutputSplit() {
  struct TPart {
    TrpView* object;
    int top, height;
    bool pending = true, deferred = false;
  };
  QList<TPart> parts;
  for (TrpView* object : objects) {
    parts.append({object, object->Top, object->Height});
    if (object->BandAlign == 5) object->Top = calculatedHeight - object->Height;
  }
  if (!CheckFit(y, maximumHeight, true)) {
    OutputObjects();
  } else {
    int used = 0;
    do {
      const int room = build.pageBottom - build.ColumnFooterHeight() - y - 2;
      used = 0;
      for (TPart& part : parts) {
        if (!part.pending) continue;
        TrpView* o = part.object;
        auto* stretchable = dynamic_cast<TrpStretcheable*>(o);
        if (o->Top < 0 && stretchable && o->Top + o->Height >= 0) {
          if (o->Top + o->Height < room) { // the rest of a cut object fits
            o->Height = o->Top + o->Height;
            o->Top = 0;
            used = std::max(used, o->Height);
            stretchable->SplitMode = 2;
            part.pending = false;
            if (HasStretchedFlag(o))
              part.deferred = true;
            else
              OutputObject(o);
          } else {
            const int keptTop = o->Top, keptHeight = o->Height;
            o->Top = 0;
            o->Height = room;
            const int rest = stretchable->RemainingHeight();
            stretchable->SplitMode = 2;
            OutputObject(o);
            o->Top = keptTop;
            o->Height = keptHeight;
            ShiftObjectsBelow(o, rest);
            o->Height += rest;
          }
        }
      }
      for (TPart& part : parts) {
        if (!part.pending) continue;
        TrpView* o = part.object;
        if (o->Top < 0 || o->Top >= room) continue;
        if (o->Top + o->Height < room) {
          OutputObject(o);
          used = std::max(used, o->Top + o->Height);
          part.pending = false;
        } else if (auto* stretchable = dynamic_cast<TrpStretcheable*>(o)) {
          const int keptHeight = o->Height;
          o->Height = room - o->Top + 1;
          const int rest = stretchable->RemainingHeight();
          if (stretchable->MinimumHeight() < o->Height) {
            stretchable->SplitMode = 2;
            OutputObject(o);
          }
          o->Height = keptHeight;
          ShiftObjectsBelow(o, rest);
          o->Height += rest;
        } else {
          o->Top = room;
        }
      }
      bool anyPending = false;
      for (TPart& part : parts)
        if (part.pending) {
          part.object->Top -= room;
          anyPending = true;
        }
      if (!anyPending) break;
      CheckFit(y, 10000, false);
      y = build.curY;
    } while (!build.report.Terminated);
    maximumHeight = used;
  }
  for (TPart& part : parts)
    if (part.deferred) {
      part.object->Height = maximumHeight;
      OutputObject(part.object);
    }
  for (TPart& part : parts) {
    part.object->Top = part.top;
    part.object->Height = part.height;
    if (auto* stretchable = dynamic_cast<TrpStretcheable*>(part.object)) stretchable->SplitMode = 0;
  }
  build.curY += maximumHeight;
}

// --- aggregates

QString TrpBand::KeyField(const QString& key, int n) {
  const QStringList fields = key.split(QChar(1));
  return n >= 1 && n < fields.size() ? fields.at(n - 1) : QString();
}

void TrpBand::AddAggregate(const QString& key, const QVariant& initial) {
  for (qsizetype i = 0; i < values.size(); ++i)
    if (values[i].first == key) {
      values[i].second = initial;
      initialValues[i] = initial;
      return;
    }
  values.append({key, initial});
  initialValues.append(initial);
}

void TrpBand::ResetAggregates() {
  if (kind == btGroupHeader) {
    for (TrpBand* b = this; b; b = b->next) {
      b->lastGroupValue = build.context.Parser->CalcPostfix(b->groupCondition);
      b->hasGroupValue = true;
    }
    return;
  }
  if (!aggregateOwner) return;
  for (qsizetype i = 0; i < aggregateOwner->values.size(); ++i) {
    const QString& key = aggregateOwner->values[i].first;
    const bool columnKey = !key.isEmpty() && key[0].isDigit();
    if (KeyField(key, columnKey ? 2 : 1).compare(name, Qt::CaseInsensitive) == 0)
      aggregateOwner->values[i].second = aggregateOwner->initialValues[i];
  }
  aggregateOwner->aggregateRows = 0;
}

void TrpBand::Accumulate(bool inCrossCell) {
  const QString column = QString::number(build.crossColumn);
  if (inCrossCell) {
    // Each column totals in its own copy of an entry registered for column "0".
    for (qsizetype i = 0, count = values.size(); i < count; ++i) {
      if (KeyField(values[i].first, 1) != QLatin1String("0")) continue;
      const QString copy = column + values[i].first.mid(1);
      if (std::none_of(values.cbegin(), values.cend(), [&](const auto& entry) { return entry.first == copy; })) {
        values.append({copy, initialValues[i]});
        initialValues.append(initialValues[i]);
      }
    }
  }
  QString lastExpression;
  QVariant lastValue;
  bool evaluated = false;
  for (auto& [columnKey, value] : values) {
    // Column entries total inside cross cells only, the others once per print of the band.
    const bool isColumnKey = !columnKey.isEmpty() && columnKey[0].isDigit();
    if (isColumnKey != inCrossCell || (inCrossCell && KeyField(columnKey, 1) != column)) continue;
    // The key split once (as KeyField does it for one field).
    const QStringList fields = (inCrossCell ? columnKey.mid(column.size() + 1) : columnKey).split(QChar(1));
    const auto field = [&fields](int n) { return n < fields.size() ? fields.at(n - 1) : QString(); };
    const QString functionName = field(2);
    const char16_t function = functionName.isEmpty() ? 0 : functionName[0].unicode();
    const QString expression = field(3);
    const QString flag = field(4).trimmed();
    QVariant computed;
    if (function != akCount) {
      if (!evaluated || expression != lastExpression) {
        auto postfix = aggregatePostfix.constFind(expression);
        if (postfix == aggregatePostfix.cend())
          postfix = aggregatePostfix.insert(expression, build.context.Parser->ToPostfix(expression));
        lastValue = build.context.Parser->CalcPostfix(*postfix);
        lastExpression = expression;
        evaluated = true;
      }
      computed = lastValue.isValid() ? lastValue : rpIntegerValue(0);
    }
    if (visible || flag == QLatin1String("1")) rpAccumulateAggregate(function, value, computed);
  }
  ++aggregateRows;
}

QVariant TrpBand::AggregateValue(const QString& key) const {
  for (const auto& [entryKey, value] : values) {
    if (entryKey != key) continue;
    // A column key (cross cells) carries the column first, so the function is one field later.
    const bool columnKey = !key.isEmpty() && key[0].isDigit();
    const QString function = KeyField(key, columnKey ? 3 : 2);
    if (function.isEmpty() || function[0].unicode() != akAvg) return value;
    if (aggregateRows < 1) return rpIntegerValue(0);
    return rpValueToFloat(value) / aggregateRows;
  }
  return {};
}
