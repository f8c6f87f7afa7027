// The cross-tab's part of a report build: the table, the generated bands
// and text objects, their measuring, and their filling while they print.
#include "core/DataSet.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpParser.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/objects/rpCrossView.h"
#include <climits>

namespace {

enum : quint16 { kRightLine = 1, kBottomLine = 2, kLeftLine = 4, kTopLine = 8 };

constexpr int kHeaderBandTop = 400;
constexpr int kDataBandTop = 500;
constexpr int kCrossDataLeft = 500;
constexpr int kCrossBandWidth = 60;

QString CrossPrefixed(const char* prefix, const QString& name) { return QLatin1String(prefix) + name; }

void MoveTo(TrpDataset& data, int record) {
  data.First();
  while (data.RecNo() < record && !data.Eof())
    data.Next();
}

} // namespace

// --- the build

void TrpCrossView::BeforeBuild() {
  // The report's event carries no run: the build that raised it is the one current.
  RunBeforeBuild(rpRun());
  if (Saved.BeforeBuild) Saved.BeforeBuild();
}

void TrpCrossView::RunBeforeBuild(TrpRunContext& run) {
  Visible = false;
  Disabled = true;
  FreeBuild();
  if (Memo.size() < 4) return;
  for (int line = 0; line < 4; ++line)
    if (Memo[line].trimmed().isEmpty()) return;
  TrpPage* page = HoldingPage();
  if (!page || !Report) return;
  if (!FormatMemo(QStringLiteral("ColumnHeaderMemo"))) CreateFormatMemos();
  Cross = std::make_unique<TrpCross>(FindCrossDataSet(Memo[0]), Memo[1], Memo[2], Memo[3]);
  Cross->FieldOfAlias = [report = Report](const QString& name) {
    return report ? report->Dictionary.FieldOfAlias(name) : name;
  };
  SetCaptions();
  Cross->Build();
  if (Cross->Columns.Count() == 0) {
    Cross.reset();
    return;
  }
  Disabled = false;
  QObject* owner = Report->Owner();
  RowDS = new TrpUserDataset(owner);
  RowDS->setObjectName(CrossPrefixed("RowDS", Name));
  RowDS->RangeEnd = TRangeEnd::reCount;
  RowDS->RangeEndCount = Cross->Rows.Count();
  // The grand-total row has a height of its own.
  RowDS->OnFirst = RowDS->OnNext = [this](TrpDataset*) { ArrangeDataRow(); };
  ColumnDS = new TrpUserDataset(owner);
  ColumnDS->setObjectName(CrossPrefixed("ColumnDS", Name));
  ColumnDS->RangeEnd = TRangeEnd::reCount;
  ColumnDS->RangeEndCount = Cross->Columns.Count();
  BuildBands(run, *page);
}

TDataSet* TrpCrossView::FindCrossDataSet(const QString& name) const {
  QObject* owner = Report ? Report->Owner() : nullptr;
  QObject* component = nullptr;
  try {
    if (owner) component = rpFindComponent(owner, Report->Dictionary.DataSetOfAlias(name.trimmed()));
  } catch (const Exception&) {
    component = nullptr;
  }
  auto* data = qobject_cast<TDataSet*>(component);
  if (auto* walker = qobject_cast<TrpDataset*>(component); walker && !data) data = walker->WrappedDataSet();
  if (!data) throw Exception(QStringLiteral("Krížová tabuľka %1: údaje „%2“ sa nenašli.").arg(Name, name.trimmed()));
  return data;
}

void TrpCrossView::SetCaptions() {
  const auto caption = [this](const char* prefix) {
    const TrpMemoView* memo = FormatMemo(QLatin1String(prefix));
    return memo && !memo->Memo.isEmpty() ? memo->Memo.first() : QString();
  };
  Cross->ColumnTotalCaption = caption("ColumnTotalMemo");
  Cross->RowTotalCaption = caption("RowTotalMemo");
  if (ShowGrandTotal) {
    Cross->GrandColumnTotalCaption = caption("GrandColumnTotalMemo");
    Cross->GrandRowTotalCaption = caption("GrandRowTotalMemo");
  }
  Cross->ColumnFieldsCaption.clear();
  for (const TrpCrossField& field : Cross->ColumnFields)
    Cross->ColumnFieldsCaption += QStringLiteral("     ") + FieldCaption(field.Name);
  ShortNames.clear();
  const QStringList cellFields = rpCrossFieldEntries(Memo[3]);
  Cross->ShowCellCaptions = cellFields.size() >= 2 && ShowHeader;
  Cross->CellCaptions.clear();
  LongestCellCaption.clear();
  for (const QString& field : cellFields) {
    const QString shortened = ShortCaption(FieldCaption(field));
    if (shortened.size() > LongestCellCaption.size()) LongestCellCaption = shortened;
    Cross->CellCaptions += shortened + QStringLiteral("\r\n");
  }
}

QString TrpCrossView::ShortCaption(const QString& caption) {
  if (caption.size() <= MaxNameLen) return caption;
  for (const auto& [full, abbreviation] : ShortNames)
    if (full == caption) return abbreviation;
  const QString abbreviation(ShortNames.size() + 1, QLatin1Char('*'));
  ShortNames.append({caption, abbreviation});
  return abbreviation;
}

QString TrpCrossView::ShortNameLegend() const {
  QStringList lines;
  for (const auto& [full, abbreviation] : ShortNames)
    lines.append(abbreviation + QStringLiteral(" - ") + full);
  return lines.join(QStringLiteral("\r\n"));
}

TrpView* TrpCrossView::AddGenerated(TrpPage& page, std::unique_ptr<TrpView> object, const QString& name,
                                    const QRect& bounds) {
  object->Name = name;
  object->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
  TrpView* added = page.Add(std::move(object));
  if (auto* memo = dynamic_cast<TrpMemoView*>(added)) {
    // Table texts are data: brackets in them are printed, never evaluated.
    memo->Flags |= mfTextOnly;
    Generated.append(memo);
  }
  return added;
}

TrpBandView* TrpCrossView::AddBand(TrpPage& page, const char* prefix, int type, const QRect& bounds) {
  auto band = std::make_unique<TrpBandView>();
  band->SetBandType(type);
  return static_cast<TrpBandView*>(AddGenerated(page, std::move(band), CrossPrefixed(prefix, Name), bounds));
}

void TrpCrossView::BuildBands(TrpRunContext& run, TrpPage& page) {
  const int cellFields = Cross->CellCount;
  const int headerRows = Cross->ColumnHeaderCount + (ShowHeader ? 1 : 0);
  header1_ = AddBand(page, "CrossHeader1", btMasterHeader, QRect(0, kHeaderBandTop, 0, kLineHeight));
  if (RepeatCaptions) header1_->Flags |= bfRepeatHeader;
  data1_ = AddBand(page, "CrossData1", btMasterData, QRect(0, kDataBandTop, 0, kLineHeight));
  data1_->DisplayFormatText = RowDS->objectName();
  data1_->Flags |= bfStretched;
  header2_ = AddBand(page, "CrossHeader2", btCrossHeader, QRect(page.PrintableLeft(), 0, kCrossBandWidth, kLineHeight));
  if (RepeatCaptions) header2_->Flags |= bfRepeatHeader;
  data2_ = AddBand(page, "CrossData2", btCrossData, QRect(kCrossDataLeft, 0, kCrossBandWidth, kLineHeight));
  data2_->DisplayFormatText = header1_->Name + QLatin1Char('=') + ColumnDS->objectName() + QLatin1Char(';') +
                              data1_->Name + QLatin1Char('=') + ColumnDS->objectName() + QLatin1Char(';');
  const int startHeight = data1_->Height;
  for (int i = 0; i < cellFields; ++i) {
    cells_.append(static_cast<TrpMemoView*>(
        AddGenerated(page, std::make_unique<TrpMemoView>(), QStringLiteral("CrossMemo@%1").arg(i) + Name,
                     QRect(data2_->Left, data1_->Top + i * startHeight, data2_->Width, startHeight))));
    data1_->Height += startHeight;
  }
  MeasureCells(run);
  // The header column and header row bands end before the data bands begin, so no object lies in two bands.
  int headerWidth = 0;
  for (int j = 0; j < Cross->RowHeaderCount; ++j)
    headerWidth += ColumnWidth(j);
  int headerHeight = 0;
  for (int k = 0; k < headerRows; ++k)
    headerHeight += RowHeights[k];
  data2_->Left = std::max(kCrossDataLeft, header2_->Left + headerWidth);
  data1_->Top = std::max(kDataBandTop, header1_->Top + headerHeight);
  data1_->Height = cellFields * CellHeight;
  for (int i = 0; i < cellFields; ++i)
    cells_[i]->SetBounds(data2_->Left, data1_->Top + i * CellHeight, data2_->Width, CellHeight);
  header2_->Width = 0;
  for (int j = 0; j < Cross->RowHeaderCount; ++j) {
    const int w = ColumnWidth(j);
    headerColumns_.append(static_cast<TrpMemoView*>(
        AddGenerated(page, std::make_unique<TrpMemoView>(), QStringLiteral("CrossMemo%1").arg(j) + Name,
                     QRect(header2_->Left + header2_->Width, data1_->Top, w, data1_->Height))));
    header2_->Width += w;
  }
  header1_->Height = 0;
  for (int k = 0; k < headerRows; ++k) {
    headerRows_.append(static_cast<TrpMemoView*>(
        AddGenerated(page, std::make_unique<TrpMemoView>(), QStringLiteral("CrossMemo_%1").arg(k) + Name,
                     QRect(data2_->Left, header1_->Top + header1_->Height, data2_->Width, RowHeights[k]))));
    header1_->Height += RowHeights[k];
  }
  if (!ShowHeader) return;
  for (int k = 0, top = header1_->Top; k <= Cross->ColumnHeaderCount; top += RowHeights[k], ++k)
    for (int j = 0, left = header2_->Left; j < Cross->RowHeaderCount; left += ColumnWidth(j), ++j)
      AddGenerated(page, std::make_unique<TrpMemoView>(), QStringLiteral("CrossMemo~%1~%2").arg(k).arg(j) + Name,
                   QRect(left, top, ColumnWidth(j), RowHeights[k]));
  const int abbreviations = int(ShortNames.size());
  if (abbreviations == 0) return;
  const int footerHeight = (abbreviations + 1) * kLineHeight;
  TrpBandView* footer =
      AddBand(page, "CrossFooter1", btMasterFooter, QRect(0, page.PrintableBottom() - footerHeight, 0, footerHeight));
  auto* legend = static_cast<TrpMemoView*>(
      AddGenerated(page, std::make_unique<TrpMemoView>(), CrossPrefixed("CrossFooterMemo", Name),
                   QRect(page.PrintableLeft(), footer->Top + kLineHeight, page.PrintableRight() - page.PrintableLeft(),
                         abbreviations * kLineHeight)));
  Generated.removeOne(legend); // the legend is no table cell: it keeps its own look
  legend->FrameTyp = 15;
  legend->Memo = rpSplitLines(ShortNameLegend());
  legend->Alignment = 8;
  legend->Flags |= mfAutoWidth;
}

int TrpCrossView::ColumnWidth(int column) const {
  const int option = column < Cross->RowHeaderCount ? HeaderWidth : DataWidth;
  if (option != -1) return option;
  return column < ColumnWidths.size() ? ColumnWidths[column] : 0;
}

void TrpCrossView::ArrangeDataRow() {
  if (Measuring || !data1_ || !RowDS) return;
  const bool grand = ShowGrandTotal && RowDS->RecNo() == RowDS->RangeEndCount - 1;
  const int pitch = grand ? GrandTotalHeight : CellHeight;
  const int height = int(cells_.size()) * pitch;
  // Between band prints the objects of a band hold positions within it.
  for (qsizetype i = 0; i < cells_.size(); ++i) {
    cells_[i]->Top = int(i) * pitch;
    cells_[i]->Height = pitch;
  }
  for (TrpMemoView* column : headerColumns_)
    column->Height = height;
  if (data1_->RunBand) data1_->RunBand->height = height;
}

// --- measuring

void TrpCrossView::MeasureCells(TrpRunContext& run) {
  Measuring = true;
  const int columns = Cross->Columns.Count();
  ColumnWidths.clear();
  if (DataWidth == -1)
    ColumnWidths.fill(0, columns + 1);
  else if (HeaderWidth == -1)
    ColumnWidths.fill(0, Cross->RowHeaderCount + 1);
  RowHeights.fill(0, Cross->ColumnHeaderCount + 2);
  SpanBreaks.fill(0, Cross->ColumnHeaderCount + 1);
  CellHeight = 0;
  GrandTotalHeight = 0;
  if (!ShowGrandTotal) {
    RowDS->RangeEndCount -= 1;
    ColumnDS->RangeEndCount -= 1;
  }
  for (int i = 0; i < Cross->CellCount; ++i)
    MeasureCellField(run, *cells_[i]);
  CellHeight = std::max(CellHeight, int(kLineHeight));
  GrandTotalHeight = std::max(GrandTotalHeight, int(kLineHeight));
  Measuring = false;
  CaptionSpanBreak = 0;
}

void TrpCrossView::MeasureCellField(TrpRunContext& run, TrpMemoView& m) {
  TrpDataset& rows = *RowDS;
  TrpDataset& columns = *ColumnDS;
  const auto fillAndMeasureWidth = [&] {
    QStringList lines;
    BeforePrint(lines, &m);
    const int width = m.CalcWidth(m.Memo.isEmpty() ? QStringList{QStringLiteral(" ")} : m.Memo) + 5;
    int& entry = ColumnWidths[columns.RecNo()];
    entry = std::max(entry, width);
  };
  const auto widestRowsOfColumn = [&] {
    for (MoveTo(rows, 1); !rows.Eof(); rows.Next())
      fillAndMeasureWidth();
  };
  if (HeaderWidth == -1)
    for (columns.First(); columns.RecNo() < Cross->RowHeaderCount && !columns.Eof(); columns.Next())
      widestRowsOfColumn();
  if (HeaderWidth == -1 && ShowHeader && !Cross->ShowCellCaptions && Cross->RowHeaderCount > 0) {
    // The corner's caption of the cell fields gets a column wide enough for one line: its row is one line high.
    CopyMemoFormat(run, m, "ColumnHeaderMemo");
    ColumnWidths[0] = std::max(ColumnWidths[0], m.CalcWidth({CornerCaption()}) + 5);
  }
  if (DataWidth == -1) {
    for (MoveTo(columns, Cross->RowHeaderCount); !columns.Eof(); columns.Next())
      widestRowsOfColumn();
    ColumnWidths[Cross->Columns.Count()] = 0;
  }
  const int keptWidth = m.Width;
  const auto tallestOfRow = [&] {
    int tallest = 0;
    for (columns.First(); !columns.Eof(); columns.Next()) {
      m.Width = 1000;
      tallest = std::max(tallest, m.CalcHeight(run));
      m.Width = keptWidth;
    }
    return tallest;
  };
  rows.First();
  for (int k = 0; k <= Cross->ColumnHeaderCount; ++k, rows.Next())
    RowHeights[k] = std::max({RowHeights[k], tallestOfRow(), m.Height});
  CellHeight = std::max(CellHeight, tallestOfRow());
  if (ShowGrandTotal) {
    MoveTo(rows, rows.RangeEndCount - 1);
    GrandTotalHeight = std::max(GrandTotalHeight, tallestOfRow());
  }
  m.SplitMode = 0;
}

void TrpCrossView::EndDoc() {
  if (!Disabled) FreeBuild();
  if (Saved.EndDoc) Saved.EndDoc();
}

void TrpCrossView::FreeBuild() {
  Cross.reset();
  delete RowDS.data();
  delete ColumnDS.data();
  ColumnWidths.clear();
  RowHeights.clear();
  SpanBreaks.clear();
  ShortNames.clear();
  // The generated objects stay on the page until the template is restored.
  Generated.clear();
  cells_.clear();
  headerColumns_.clear();
  headerRows_.clear();
  header1_ = data1_ = header2_ = data2_ = nullptr;
}

// --- printing

void TrpCrossView::PrintColumn(int column, int& width) {
  const TrpView* active = rpRun().CurrentObject;
  if (!Disabled && Cross && active && active->Name.contains(Name)) {
    width = DataWidth == -1 ? ColumnWidths.value(column + Cross->RowHeaderCount - 1) : DataWidth;
    for (TrpMemoView* cell : cells_)
      cell->Width = width;
    if (RowDS->RecNo() < Cross->ColumnHeaderCount)
      for (int k = 0; k < Cross->ColumnHeaderCount && k < headerRows_.size(); ++k)
        headerRows_[k]->Width = width;
  }
  if (Saved.PrintColumn) Saved.PrintColumn(column, width);
}

void TrpCrossView::BeforePrint(QStringList& lines, TrpView* object) {
  auto* memo = dynamic_cast<TrpMemoView*>(object);
  if (!Disabled && Cross && memo && Generated.contains(memo)) {
    FillObject(rpRun(), *memo); // the report's event carries no run: the one printing is current
    lines = memo->Memo;
  }
  if (Saved.BeforePrint) Saved.BeforePrint(lines, object);
}

void TrpCrossView::CopyMemoFormat(const TrpRunContext& run, TrpMemoView& target, const char* prefix) const {
  const TrpMemoView* format = FormatMemo(QLatin1String(prefix));
  if (!format) return;
  target.Flags = format->Flags;
  target.FrameWidth = format->FrameWidth;
  target.FrameColor = format->FrameColor;
  target.FrameStyle = format->FrameStyle;
  target.FillColor = format->FillColor;
  target.DisplayFormatCode = format->DisplayFormatCode;
  target.DisplayFormatText = format->DisplayFormatText;
  target.GapX = format->GapX;
  target.GapY = format->GapY;
  target.Alignment = format->Alignment;
  target.HighlightStyle = format->HighlightStyle;
  target.HighlightFontColor = format->HighlightFontColor;
  target.HighlightFillColor = format->HighlightFillColor;
  target.HighlightCondition.clear();
  if (!format->HighlightCondition.isEmpty()) {
    try {
      target.HighlightCondition = run.Parser->ToPostfix(format->HighlightCondition);
    } catch (const Exception&) {
      // A condition that does not parse highlights nothing.
    }
  }
  target.LineSpacing = format->LineSpacing;
  target.CharSpacing = format->CharSpacing;
  target.SetFont(format->Font);
}

QString TrpCrossView::FormattedValue(TrpRunContext& run, TrpMemoView& memo, const QVariant& value) const {
  TrpGlobals& g = rpGlobals();
  g.Variables.SetVariable(QStringLiteral("CrossVariable"), value);
  TrpView* kept = run.CurrentObject;
  run.CurrentObject = &memo;
  QString text;
  if (Report) Report->GetFormattedValue(run, QStringLiteral("CrossVariable"), text);
  run.CurrentObject = kept;
  return text;
}

void TrpCrossView::FillObject(TrpRunContext& run, TrpMemoView& memo) {
  TrpCross& cross = *Cross;
  const int headerRowCount = cross.ColumnHeaderCount;
  const int headerColumnCount = cross.RowHeaderCount;
  const int lastRow = cross.Rows.Count() - 1;
  const int lastColumn = cross.Columns.Count() - 1;
  const QString code = memo.Name.mid(9, memo.Name.size() - 9 - Name.size());
  const int number = code.mid(code.startsWith(QLatin1Char('@')) || code.startsWith(QLatin1Char('_')) ? 1 : 0).toInt();
  int i = 0, r = RowDS->RecNo(), c = ColumnDS->RecNo();
  if (Measuring) {
    if (code.startsWith(QLatin1Char('@'))) i = number;
  } else {
    // The engine's walks go on from the first data row and the first data column.
    while (RowDS->RecNo() <= headerRowCount && !RowDS->Eof())
      RowDS->Next();
    while (ColumnDS->RecNo() < headerColumnCount && !ColumnDS->Eof())
      ColumnDS->Next();
    r = RowDS->RecNo();
    c = ColumnDS->RecNo();
    if (code.startsWith(QLatin1Char('@'))) {
      i = number;
    } else if (code.startsWith(QLatin1Char('~'))) {
      r = code.section(QLatin1Char('~'), 1, 1).toInt();
      c = code.section(QLatin1Char('~'), 2, 2).toInt();
    } else if (code.startsWith(QLatin1Char('_'))) {
      r = number + (ShowHeader ? 0 : 1);
    } else if (!code.isEmpty()) {
      c = number;
    }
  }
  if (!ShowHeader && r == 0) r = 1;
  const bool dataColumn = c >= headerColumnCount;
  if (!Measuring) {
    if (r <= headerRowCount) memo.Height = RowHeights.value(r);
    memo.Visible = true;
    memo.Width = ColumnWidth(c);
  }
  CopyMemoFormat(run, memo, "CellMemo");
  const qint32 cellAlignment = memo.Alignment;
  bool header = false;
  memo.FrameTyp = InternalFrame ? 15 : kLeftLine | kRightLine;
  if (r == headerRowCount + 1 && dataColumn && memo.FrameTyp == (kLeftLine | kRightLine)) memo.FrameTyp |= kTopLine;
  if (const QVariant bits = cross.GetCellByIndex(r, c, -1); !bits.isNull()) memo.FrameTyp = quint16(bits.toInt());
  if (r == lastRow - 1) memo.FrameTyp |= kBottomLine;
  const QVariant v = cross.GetCellByIndex(r, c, 0);
  QVariant shown = v; // a group continued on a new page shows its text again
  QString text;
  bool textSet = false;
  if (r <= headerRowCount) {
    CopyMemoFormat(run, memo, "ColumnHeaderMemo");
    header = true;
    // The headers start again from the first data column (a repeated header
    // on a new page): no group has been cut or covered yet.
    if (!Measuring && c == headerColumnCount && r == (ShowHeader ? 0 : 1)) {
      SpanBreaks.fill(0);
      CaptionSpanBreak = 0;
    }
    if (!Measuring && dataColumn && r >= 1) {
      int& spanBreak = SpanBreaks[r - 1];
      memo.Visible = !v.isNull() || c == spanBreak + 1;
      if (v.isNull() && memo.Visible) shown = GroupText(r, c);
      if (memo.Visible && c < lastColumn && cross.GetCellByIndex(r, c + 1, 0).isNull())
        WidenHeader(run, memo, c + 1, spanBreak, [&](int j) {
          const int bits = cross.GetCellByIndex(r, j, -1).toInt();
          return bits == kTopLine || !(bits & kLeftLine);
        });
    } else if (!Measuring && dataColumn) {
      memo.Visible = !v.isNull() || c == CaptionSpanBreak + 1;
      if (v.isNull() && memo.Visible) shown = GroupText(r, c);
      memo.FrameTyp |= kTopLine | kBottomLine | kRightLine;
      memo.Alignment ^= 2;
      if (memo.Visible && c < lastColumn) WidenHeader(run, memo, c + 1, CaptionSpanBreak, [](int) { return true; });
    } else if (!Measuring && !dataColumn) {
      if (r == headerRowCount) {
        memo.FrameTyp = 15;
      } else {
        textSet = true;
        memo.FrameTyp = (c == headerColumnCount - 1 ? kRightLine : 0) | (c == 0 ? kLeftLine : 0);
        if (r == 0) {
          memo.FrameTyp |= kTopLine;
          if (!cross.ShowCellCaptions) memo.FrameTyp |= kBottomLine;
          if (c == 0 && !cross.ShowCellCaptions) text = CornerCaption();
        }
      }
    }
  }
  if (!dataColumn) {
    if (r == headerRowCount) {
      textSet = true;
      text = cross.ShowCellCaptions && c == headerColumnCount - 1
                 ? DataCaption
                 : FieldCaption(c < cross.RowFields.size() ? cross.RowFields[c].Name : QString());
    } else if (r > headerRowCount) {
      CopyMemoFormat(run, memo, "RowHeaderMemo");
      header = true;
      if (Measuring && cross.ShowCellCaptions && c == headerColumnCount - 1) {
        textSet = true;
        text = LongestCellCaption;
      }
    }
  }
  const auto coverHeaderRowsBelow = [&] {
    if (Measuring || r > headerRowCount) return;
    if (SpanBreaks[r - 1] < c) {
      int height = 0;
      for (int k = r - 1; k <= headerRowCount; ++k)
        SpanBreaks[k] = c;
      for (int k = r; k <= headerRowCount; ++k)
        height += RowHeights.value(k);
      memo.Height = height;
    } else {
      memo.Visible = false;
    }
  };
  if (c == lastColumn && r >= 1) {
    CopyMemoFormat(run, memo, "GrandColumnTotalMemo");
    coverHeaderRowsBelow();
  } else if (r == lastRow) {
    CopyMemoFormat(run, memo, "GrandRowTotalMemo");
    if (!Measuring && !dataColumn) memo.Height = int(cells_.size()) * GrandTotalHeight;
  } else if (cross.IsTotalColumn(c) && r >= 1) {
    if (memo.FrameTyp & kLeftLine) CopyMemoFormat(run, memo, "ColumnTotalMemo");
    coverHeaderRowsBelow();
  } else if (cross.IsTotalRow(r)) {
    if (dataColumn || (memo.FrameTyp & kTopLine)) CopyMemoFormat(run, memo, "RowTotalMemo");
  }
  if (!header) memo.Alignment = cellAlignment;
  if (dataColumn && r > headerRowCount) {
    text = FormattedValue(run, memo, cross.GetCellByIndex(r, c, i));
    if (i < cross.CellCount - 1) {
      memo.FrameTyp &= 13;
      memo.Flags &= ~mfStretched; // only the lowest value of a stack grows with the row
    }
    if (i > 0) memo.FrameTyp &= 7;
  } else if (!textSet) {
    text = shown.isNull() ? QString() : FormattedValue(run, memo, shown);
  }
  memo.Flags = (memo.Flags & ~mfAutoWidth) | mfWordWrap | mfTextOnly;
  // The cell captions end with a line break that is no line of their own.
  memo.Memo = rpSplitLines(text);
  while (memo.Memo.size() > 1 && memo.Memo.last().isEmpty())
    memo.Memo.removeLast();
  if (memo.Memo.isEmpty()) memo.Memo.append(QString());
}

QString TrpCrossView::CornerCaption() {
  QString caption;
  for (const QString& field : rpCrossFieldEntries(Memo.value(3)))
    caption += ShortCaption(FieldCaption(field)) + QStringLiteral("  ");
  return caption;
}

QVariant TrpCrossView::GroupText(int row, int column) const {
  for (int j = column - 1; j >= Cross->RowHeaderCount; --j)
    if (QVariant text = Cross->GetCellByIndex(row, j, 0); !text.isNull()) return text;
  return {};
}

void TrpCrossView::WidenHeader(const TrpRunContext& run, TrpMemoView& memo, int from, int& spanBreak,
                               const std::function<bool(int)>& continues) {
  const TrpPage* page = run.CurrentPage;
  const int right = page ? page->PrintableRight() : INT_MAX;
  const int lastColumn = Cross->Columns.Count() - 1;
  for (int j = from; j <= lastColumn && continues(j); ++j) {
    const int w = ColumnWidth(j);
    if (memo.Left + memo.Width + w <= right) {
      memo.Width += w;
      continue;
    }
    if (!RepeatCaptions) memo.FrameTyp ^= kRightLine;
    spanBreak = j - 1;
    break;
  }
}
