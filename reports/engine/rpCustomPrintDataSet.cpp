#include "reports/engine/rpCustomPrintDataSet.h"
#include "core/DataSet.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpCompositeReport.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include <QtCore/QLocale>
#include <cmath>

namespace {

// Page units per millimetre.
int MillimetresToUnits(int mm) { return int(std::lround(mm * 18.0 / 5.0)); }

bool IsNumeric(const TField* field) {
  switch (field->DataType()) {
  case TFieldType::SmallInt:
  case TFieldType::Integer:
  case TFieldType::LargeInt:
  case TFieldType::Float:
  case TFieldType::Currency:
    return true;
  default:
    return false;
  }
}

// The field's number; a text that is none counts 0.
double NumberOf(const TField* field) {
  try {
    return field->AsFloat();
  } catch (const Exception&) {
    return 0;
  }
}

// The value as text with the locale's decimal comma and no exponent or grouping.
QString PlainNumber(double value) { return VariantText(QVariant(value)); }

const QString kCell = QStringLiteral("[Cell]");
const QString kHeader = QStringLiteral("[Header]");
const QString kFooter = QStringLiteral("[Footer]");

} // namespace

// --- section settings

TrpSectionParams::TrpSectionParams() { Font.Size = 10; }

void TrpSectionParams::Assign(const TrpSectionParams& other) {
  Font = other.Font;
  Color = other.Color;
  Frame = other.Frame;
}

quint16 TrpSectionParams::FrameTyp() const {
  return quint16((Frame & rpLeft ? 4 : 0) | (Frame & rpTop ? 8 : 0) | (Frame & rpRight ? 1 : 0) |
                 (Frame & rpBottom ? 2 : 0));
}

TrpAdvSectionParams::TrpAdvSectionParams() { Frame = 0; }

void TrpAdvSectionParams::Assign(const TrpSectionParams& other) {
  TrpSectionParams::Assign(other);
  if (const auto* advanced = dynamic_cast<const TrpAdvSectionParams*>(&other)) {
    Align = advanced->Align;
    Text = advanced->Text;
  }
}

int TrpAdvSectionParams::EngineAlignment() const {
  return Align == TrpSectionAlign::Left ? 0 : Align == TrpSectionAlign::Right ? 1 : 2;
}

bool rpCheckResizePercent(int percent) {
  if (percent >= 1 && percent <= 100) return true;
  if (rpEngineStarted() && rpGlobals().ErrorBox)
    rpGlobals().ErrorBox(QStringLiteral("Percento musí byť v rozsahu 1 až 100."), QStringLiteral("Chyba"));
  return false;
}

void TrpFitWidth::SetResizePercent(int percent) {
  if (rpCheckResizePercent(percent)) resizePercent_ = percent;
}

void TrpAutoOrientation::Assign(const TrpAutoOrientation& other) {
  SetResizePercent(other.resizePercent_);
  Enabled = other.Enabled;
}

void TrpAutoOrientation::SetResizePercent(int percent) {
  if (rpCheckResizePercent(percent)) resizePercent_ = percent;
}

// --- the print component

TrpCustomPrintDataSet::TrpCustomPrintDataSet(QObject* owner)
    : QObject(owner), report_(new TrpReport(this)), rows_(new TrpDBDataSet(this)), columns_(new TrpUserDataset(this)) {
  rows_->setObjectName(QStringLiteral("rpGridDBDataSet1"));
  columns_->setObjectName(QStringLiteral("rpGridUserDataSet1"));
  columns_->RangeEnd = TRangeEnd::reCount;
  Title.Font.Size = PageHeader.Font.Size = 12;
  Title.Font.Style.Bold = true;
  Summary.Font.Size = 12;
  Summary.Font.Style.Italic = true;
  Header.Font.Style.Bold = true;
  Header.Font.Color = clWhite;
  Header.Color = clNavy;
  Footer.Font.Style.Italic = true;
  Footer.Color = clSilver;
  PageHeader.Font.Size = 10;
}

TrpCustomPrintDataSet::~TrpCustomPrintDataSet() = default;

QString TrpCustomPrintDataSet::ColumnTitle(int n) const { return ColumnField(n)->DisplayLabel(); }

int TrpCustomPrintDataSet::VisibleFieldCount(const TDataSet* dataSet) {
  if (!dataSet) return 0;
  int count = 0;
  for (const auto& field : dataSet->Fields())
    if (field->Visible) ++count;
  return count;
}

TField* TrpCustomPrintDataSet::VisibleField(const TDataSet* dataSet, int n) {
  for (const auto& field : dataSet->Fields())
    if (field->Visible && n-- == 0) return field.get();
  return nullptr;
}

QString TrpCustomPrintDataSet::CellText(int n) const {
  const TField* field = ColumnField(n);
  if (!rpIsBlob(field)) return field->AsString().trimmed();
  QStringList lines;
  rpAssignBlobTo(field, lines);
  return lines.join(QLatin1Char(' ')).trimmed();
}

QString TrpCustomPrintDataSet::AggregateText(int n, double value) const {
  if (ColumnField(n)->DataType() != TFieldType::Currency) return PlainNumber(value);
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(value, 'f', 2);
}

int TrpCustomPrintDataSet::FixedWidth(int n) const {
  const TField* field = ColumnField(n);
  const int characters = std::max(field->DisplayWidth(), int(ColumnTitle(n).size()));
  return characters * MeasureText(Body.Font, QStringLiteral("0")) + 8;
}

int TrpCustomPrintDataSet::MeasureText(const TrpFont& font, const QString& text) const {
  const QFont measured = rpMakeQFont(font, int(std::lround(font.Size * 96.0 / 72.0)), 0);
  return rpGlobals().TextWidth ? rpGlobals().TextWidth(measured, text) : int(text.size()) * 8;
}

int TrpCustomPrintDataSet::CurrentColumn() const { return columns_->RecNo(); }

TrpCustomPrintDataSet::TAggregateKind TrpCustomPrintDataSet::AggregateKindOf(const QString& fieldName) const {
  for (const QString& line : AggregateFields) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || line.left(equals).trimmed().compare(fieldName, Qt::CaseInsensitive) != 0) continue;
    const QString function = line.mid(equals + 1).trimmed().toUpper();
    if (function == QLatin1String("SUM")) return akSum;
    if (function == QLatin1String("AVG")) return akAvg;
    if (function == QLatin1String("COUNT")) return akCount;
    if (function == QLatin1String("MIN")) return akMin;
    if (function == QLatin1String("MAX")) return akMax;
  }
  return akNone;
}

void TrpCustomPrintDataSet::PrepareColumns() {
  TakeDataSet();
  TDataSet* data = PrintedDataSet();
  if (!data || (!AutoWidth && AggregateFields.isEmpty())) return;
  data->DisableControls();
  try {
    const int count = ColumnCount();
    columnRecords_.clear();
    widths_.clear();
    hasAggregates_ = false;
    data->First();
    for (int n = 0; n < count; ++n) {
      TColumn column;
      column.Field = ColumnField(n);
      column.Kind = AggregateKindOf(column.Field->FieldName());
      if (column.Kind != akNone) hasAggregates_ = true;
      if (column.Kind == akMin || column.Kind == akMax) column.Value = NumberOf(column.Field);
      columnRecords_.append(column);
      widths_.append(MeasureText(Header.Font, ColumnTitle(n)) + 8);
    }
    int records = 0;
    for (; !data->Eof(); data->Next()) {
      for (int n = 0; n < count; ++n) {
        TColumn& column = columnRecords_[n];
        widths_[n] = std::max(widths_[n], MeasureText(Body.Font, CellText(n)) + 8);
        if (column.Kind == akNone || column.Kind == akCount) continue;
        const double value = NumberOf(column.Field);
        if (column.Kind == akSum || column.Kind == akAvg) column.Value += value;
        if (column.Kind == akMin) column.Value = std::min(column.Value, value);
        if (column.Kind == akMax) column.Value = std::max(column.Value, value);
      }
      ++records;
    }
    if (hasAggregates_)
      for (int n = 0; n < count; ++n) {
        TColumn& column = columnRecords_[n];
        if (column.Kind == akAvg) column.Value = records > 0 ? column.Value / records : 0;
        if (column.Kind == akCount) column.Value = records;
        if (column.Kind != akNone)
          widths_[n] = std::max(widths_[n], MeasureText(Footer.Font, AggregateText(n, column.Value)) + 8);
      }
    int tableWidth = 0;
    for (int width : widths_)
      tableWidth += width;
    ChooseOrientation(tableWidth);
  } catch (...) {
    data->EnableControls();
    throw;
  }
  data->EnableControls();
}

void TrpCustomPrintDataSet::ApplyPaper(TrpPage& page) const {
  page.LeftMargin = MillimetresToUnits(PageMargins.Left);
  page.TopMargin = MillimetresToUnits(PageMargins.Top);
  page.RightMargin = MillimetresToUnits(PageMargins.Right);
  page.BottomMargin = MillimetresToUnits(PageMargins.Bottom);
  page.ApplyPaper(PageSize, PageWidth * 10, PageHeight * 10, 65535,
                  Orientation == TrpPrintOrientation::Landscape ? 1 : 0);
}

void TrpCustomPrintDataSet::ChooseOrientation(int tableWidth) {
  if (!AutoOrientation.Enabled || PageWidth != 0 || PageHeight != 0 || tableWidth <= 0) return;
  report_->Pages.Clear();
  TrpPage& page = *report_->Pages.Add();
  ApplyPaper(page);
  const int activeWidth = page.PrintableRight() - page.PrintableLeft();
  const int activeHeight = page.PrintableBottom() - page.PrintableTop();
  const int limit = 100 - AutoOrientation.ResizePercent();
  if (Orientation == TrpPrintOrientation::Portrait && activeWidth < tableWidth &&
      activeWidth * 100 / tableWidth > limit)
    Orientation = TrpPrintOrientation::Landscape;
  else if (Orientation == TrpPrintOrientation::Landscape && activeWidth > 0 && tableWidth < activeHeight &&
           tableWidth * 100 / activeWidth < limit)
    Orientation = TrpPrintOrientation::Portrait;
  report_->Pages.Clear();
}

void TrpCustomPrintDataSet::Fit(int activeWidth) {
  int tableWidth = 0;
  for (int width : widths_)
    tableWidth += width;
  const int difference = activeWidth - tableWidth;
  const int room = int(std::lround(activeWidth / (FitWidth.ResizePercent() / 100.0)));
  if (std::abs(difference) > room || difference == 0 || (FitWidth.ShrinkOnly && difference > 0)) return;
  QList<int> changed;
  const QStringList names = FitWidth.Fields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  double factor = 0;
  if (names.isEmpty()) {
    for (int n = 0; n < widths_.size(); ++n)
      changed.append(n);
    factor = double(activeWidth) / tableWidth;
  } else {
    int named = 0;
    for (int n = 0; n < widths_.size() && n < columnRecords_.size(); ++n)
      for (const QString& name : names)
        if (columnRecords_[n].Field->FieldName().compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
          changed.append(n);
          named += widths_[n];
          break;
        }
    if (named == 0 || named < tableWidth - activeWidth) return;
    factor = 1 + double(difference) / named;
  }
  for (int n : changed)
    widths_[n] = FitWidth.Proportional ? int(std::lround(widths_[n] * factor)) - 1
                                       : widths_[n] + difference / int(changed.size()) - 1;
}

void TrpCustomPrintDataSet::BuildAdHocReport() {
  PrepareColumns();
  TDataSet* data = PrintedDataSet();
  if (!data) return;
  const int count = ColumnCount();
  // Without measuring, the widths are the columns' own; room for every column, however many.
  while (widths_.size() < count)
    widths_.append(FixedWidth(int(widths_.size())));
  widths_.resize(count);
  if (columnRecords_.size() != count) {
    columnRecords_.clear();
    for (int n = 0; n < count; ++n)
      columnRecords_.append({ColumnField(n), 0, akNone});
  }
  TrpReport& report = *report_;
  report.OnBeforePrint = [this](QStringList& lines, TrpView* object) { BeforePrint(lines, object); };
  report.OnPrintColumn = [this](int column, int& width) { PrintColumn(column, width); };
  report.OnUserFunction = [this](const QString& name, const QString&, const QString&, const QString&, QVariant& val) {
    UserFunction(name, val);
  };
  report.Preview = Preview;
  report.OnBeginDoc = OnBeginDoc;
  report.OnEndDoc = OnEndDoc;
  report.OnBeginPage = OnBeginPage;
  report.OnEndPage = OnEndPage;
  rows_->SetDataSet(data);
  rows_->OnCheckEOF = OnCheckEOF;
  rows_->OnFirst = OnFirst;
  rows_->OnNext = OnNext;
  rows_->OnPrior = OnPrior;
  columns_->RangeEndCount = count;
  report.Pages.Clear();
  TrpPage& page = *report.Pages.Add();
  ApplyPaper(page);
  const int x0 = page.PrintableLeft();
  const int activeWidth = page.PrintableRight() - page.PrintableLeft();
  if (FitWidth.Enabled && FitWidth.ApplyBeforeOnCustomize) Fit(activeWidth);
  if (OnCustomizeWidths) OnCustomizeWidths(widths_, count, activeWidth);
  if (FitWidth.Enabled && !FitWidth.ApplyBeforeOnCustomize) Fit(activeWidth);
  AddObjects(page, x0);
}

namespace {

TrpBandView* AddBand(TrpPage& page, int type, int x, int y, int width, int height, quint16 flags) {
  auto band = std::make_unique<TrpBandView>();
  band->SetBandType(type);
  band->SetBounds(x, y, width, height);
  band->Flags |= flags; // on top of the first and last page flags of a new band
  band->AssignFreeName();
  return static_cast<TrpBandView*>(page.Add(std::move(band)));
}

TrpMemoView* AddText(TrpPage& page, const QRect& rect, const TrpSectionParams& section, const QStringList& lines) {
  auto memo = std::make_unique<TrpMemoView>();
  memo->SetBounds(rect.x(), rect.y(), rect.width(), rect.height());
  memo->Font = section.Font;
  memo->FillColor = section.Color;
  memo->FrameTyp = section.FrameTyp();
  memo->FrameWidth = section.FrameWidth;
  memo->Memo = lines;
  memo->AssignFreeName();
  return static_cast<TrpMemoView*>(page.Add(std::move(memo)));
}

constexpr int kBandWidth = 1000;
constexpr int kToBandWidth = 4; // band alignment: the band's width
constexpr int kMiddle = 8;      // vertical alignment bit: middle
constexpr int kCentre = 2;      // horizontal alignment: centre

} // namespace

void TrpCustomPrintDataSet::AddObjects(TrpPage& page, int x0) {
  const auto addSectionText = [&](const TrpAdvSectionParams& section, int y, int height, const QStringList& lines,
                                  bool middle) {
    TrpMemoView* text = AddText(page, QRect(0, y, middle ? kBandWidth : 20, height), section, lines);
    text->BandAlign = kToBandWidth;
    text->Alignment = section.EngineAlignment() | (middle ? kMiddle : 0);
    return text;
  };
  if (!Title.Text.isEmpty()) {
    TrpBandView* band = AddBand(page, btReportTitle, 0, 20, kBandWidth, 30, bfStretched);
    band->Script = QStringList{QStringLiteral("begin"), QStringLiteral(" Visible := IsPrint()"), QStringLiteral("end")};
    addSectionText(Title, 20, 20, {Title.Text}, true);
  }
  if (!Summary.Text.isEmpty()) {
    AddBand(page, btReportSummary, 0, 320, kBandWidth, 30, bfStretched);
    addSectionText(Summary, 320, 20, {Summary.Text}, true);
  }
  const auto addColumnText = [&](const TrpSectionParams& section, int y, int height, const QString& text) {
    TrpMemoView* memo = AddText(page, QRect(x0, y, 20, height), section, {text});
    memo->Flags = mfStretched | mfWordWrap;
    return memo;
  };
  if (PrintOptions & frpoHeader) {
    const quint16 repeat = (PrintOptions & frpoHeaderOnEveryPage) ? bfRepeatHeader : 0;
    AddBand(page, btMasterHeader, 0, 0, kBandWidth, 30, quint16(bfStretched | repeat));
    addColumnText(Header, 0, 30, kHeader)->Alignment = kCentre | kMiddle;
  }
  TrpBandView* rows = AddBand(page, btMasterData, 0, 130, kBandWidth, 18, bfStretched);
  rows->DisplayFormatText = rows_->objectName();
  TrpBandView* columns = AddBand(page, btCrossData, x0, 0, 20, 1000, 0);
  columns->DisplayFormatText = columns_->objectName();
  addColumnText(Body, 130, 18, kCell)->GapX = 3;
  if (PrintOptions & frpoFooter) {
    AddBand(page, btMasterFooter, 0, 160, kBandWidth, 30, 0);
    addColumnText(Footer, 160, 30, kFooter)->Alignment = kCentre | kMiddle;
  }
  if (!PageHeader.Text.isEmpty()) {
    AddBand(page, btPageHeader, 0, 200, kBandWidth, 30, 0);
    addSectionText(PageHeader, 200, 20, {PageHeader.Text}, false);
  }
  if (!PageFooter.Text.isEmpty()) {
    AddBand(page, btPageFooter, 0, 240, kBandWidth, 30, 0);
    addSectionText(PageFooter, 240, 20, PageFooter.Text.split(QLatin1Char('\n')), false);
  }
}

void TrpCustomPrintDataSet::PrintColumn(int column, int& width) {
  const int n = column - 1;
  if (n >= 0 && n < widths_.size()) width = AutoWidth ? widths_[n] : FixedWidth(n);
  if (OnPrintColumn) OnPrintColumn(column, width);
  currentWidth_ = width;
}

void TrpCustomPrintDataSet::BeforePrint(QStringList& lines, TrpView* object) {
  if (lines.isEmpty()) return;
  const QString first = lines.first();
  const int n = CurrentColumn();
  if (n < 0 || n >= columnRecords_.size()) {
    if (first == kCell || first == kHeader || first == kFooter) lines = QStringList{QString()};
    return;
  }
  TField* field = columnRecords_[n].Field;
  int section = 0;
  if (first == kCell) {
    lines = QStringList{CellText(n)};
    object->Width = currentWidth_;
    if (auto* memo = dynamic_cast<TrpMemoView*>(object)) memo->Alignment = IsNumeric(field) ? 1 : 0;
    section = 2;
  } else if (first == kHeader) {
    lines = QStringList{ColumnTitle(n)};
    object->Width = currentWidth_;
    section = 1;
  } else if (first == kFooter) {
    const TColumn& column = columnRecords_[n];
    lines = QStringList{column.Kind == akNone ? QString() : AggregateText(n, column.Value)};
    object->Width = currentWidth_;
    section = 3;
  }
  if (OnPrintData) OnPrintData(field, lines, object, section);
}

void TrpCustomPrintDataSet::UserFunction(const QString& name, QVariant& value) {
  if (name.compare(QLatin1String("ISPRINT"), Qt::CaseInsensitive) != 0) return;
  bool isPrint = true;
  if (OnPrintRow) OnPrintRow(isPrint);
  value = isPrint;
}

void TrpCustomPrintDataSet::PreviewAdHocReport() {
  auto composite = std::make_unique<TrpCompositeReport>(this);
  composite->PreviewButtons = PreviewButtons;
  composite->DoublePassReport = DoublePassReport;
  BuildAdHocReport();
  TDataSet* data = PrintedDataSet();
  if (data) data->DisableControls();
  try {
    if (report_->Pages.Count() > 0) report_->Pages.GetPage(0)->PrintToPrevPage = true;
    if (ReportBefore && ReportBefore->Pages.Count() > 0) composite->MemberReports.append(ReportBefore);
    composite->MemberReports.append(report_);
    if (ReportAfter && ReportAfter->Pages.Count() > 0) composite->MemberReports.append(ReportAfter);
    if (data) composite->BuildAndShow();
  } catch (...) {
    if (data) data->EnableControls();
    throw;
  }
  if (data) data->EnableControls();
}
