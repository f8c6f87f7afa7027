#include "reports/engine/rpPage.h"
#include "reports/engine/rpControl.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpValue.h"
#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace {

// Report-page lengths: 0.1 mm to pixels and back.
int TenthsToPixels(int tenths) { return rpRoundEven(tenths * 18.0 / 50); }
int PixelsToTenths(qint64 pixels) { return rpRoundEven(double(pixels) * 50 / 18); }

void WriteWordBool(TBinaryWriter& stream, bool value) { rpWriteWord(stream, value ? 0xFFFF : 0); }

} // namespace

TrpPage::TrpPage(TrpPages* owner, int paperSize, int width, int height, int bin, int orientation) : owner_(owner) {
  ApplyPaper(paperSize, width, height, bin, orientation);
}

TrpPage::~TrpPage() { Clear(); }

void TrpPage::Clear() {
  // An object's destructor may remove other objects of its page: the list is
  // empty before any object goes.
  const auto objects = std::move(objects_);
  objects_.clear();
}

void TrpPage::ApplyPaper(int paperSize, int width, int height, int bin, int orientation) {
  TrpPrinter& printer = rpPrinter();
  try {
    printer.SetPrinterInfo(paperSize, width, height, orientation, bin, false);
  } catch (const Exception&) {
    printer.SetPrinterInfo(kCustomPaper, width, height, orientation, -1, false);
  }
  printer.FillPrnInfo(PrnInfo);
  PaperSize = printer.PaperSize;
  PaperWidth = printer.PaperWidth;
  PaperHeight = printer.PaperHeight;
  Orientation = quint8(printer.Orientation);
  Bin = bin == -1 ? 65535 : printer.Bin;
}

TrpView* TrpPage::Add(std::unique_ptr<TrpView> view) {
  view->Page = this;
  objects_.push_back(std::move(view));
  return objects_.back().get();
}

void TrpPage::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  // The entry goes before the object: its destructor may delete other objects of the page.
  std::unique_ptr<TrpView> object = std::move(objects_[size_t(index)]);
  objects_.erase(objects_.begin() + index);
}

void TrpPage::MoveObject(int from, int to) {
  if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) return;
  auto object = std::move(objects_[size_t(from)]);
  objects_.erase(objects_.begin() + from);
  objects_.insert(objects_.begin() + to, std::move(object));
}

int TrpPage::IndexOfObjectID(qint32 id) const {
  for (int i = 0; i < Count(); ++i)
    if (objects_[size_t(i)]->ObjectId == id) return i;
  return -1;
}

TrpView* TrpPage::FindObject(const QString& name) const {
  for (const auto& view : objects_)
    if (view->Name.compare(name, Qt::CaseInsensitive) == 0) return view.get();
  return nullptr;
}

void TrpPage::AssignFreeName() {
  for (int i = 1; i <= 10000; ++i) {
    const QString candidate = QStringLiteral("Page") + QString::number(i);
    bool taken = false;
    for (int p = 0; owner_ && p < owner_->Count() && !taken; ++p)
      taken = owner_->GetPage(p)->Name == candidate;
    if (!taken) {
      Name = candidate;
      return;
    }
  }
  Name = QStringLiteral("Page");
}

void TrpPage::EditScript() {
  if (!rpEngineStarted() || !rpGlobals().ScriptEditor) return;
  TrpControl holder;
  holder.Script = Script;
  rpGlobals().ScriptEditor(holder);
  Script = holder.Script;
}

int TrpPage::PrintableLeft() const {
  if (!UseMargins) return 0;
  return LeftMargin != 0 ? LeftMargin : PrnInfo.OffsetX;
}

int TrpPage::PrintableTop() const {
  if (!UseMargins) return 0;
  return TopMargin != 0 ? TopMargin : PrnInfo.OffsetY;
}

int TrpPage::PrintableRight() const {
  if (!UseMargins) return PrnInfo.Width;
  return RightMargin != 0 ? PrnInfo.Width - RightMargin : PrnInfo.OffsetX + PrnInfo.PrintableWidth;
}

int TrpPage::PrintableBottom() const {
  if (!UseMargins) return PrnInfo.Height;
  return BottomMargin != 0 ? PrnInfo.Height - BottomMargin : PrnInfo.OffsetY + PrnInfo.PrintableHeight;
}

void TrpPage::LoadFromStream(TBinaryReader& stream) {
  const int v = rpRun().StreamVersion;
  Script.clear();
  const qint32 first = rpReadInteger(stream);
  const bool marked = first == -1;
  const int paperSize = marked ? rpReadInteger(stream) : first;
  const int width = rpReadInteger(stream);
  const int height = rpReadInteger(stream);
  LeftMargin = rpReadInteger(stream);
  TopMargin = rpReadInteger(stream);
  RightMargin = rpReadInteger(stream);
  BottomMargin = rpReadInteger(stream);
  const quint8 orientation = rpReadByte(stream);
  if (v < 23) stream.ReadBytes(6);
  const int bin = v > 23 ? rpReadInteger(stream) : -1;
  PrintToPrevPage = rpReadWord(stream) != 0;
  UseMargins = rpReadWord(stream) != 0;
  ColumnCount = rpReadInteger(stream);
  ColumnGap = rpReadInteger(stream);
  if (v < 24) {
    AssignFreeName();
  } else {
    PageType = rpReadByte(stream);
    Name = rpReadReportString(stream);
    const quint8 border = rpReadByte(stream);
    BorderStyle = border == 0 ? 3 : border == 1 ? 2 : border;
    Caption = rpReadReportString(stream);
    Color = rpReadInteger(stream);
    DialogLeft = rpReadInteger(stream);
    DialogTop = rpReadInteger(stream);
    DialogWidth = rpReadInteger(stream);
    DialogHeight = rpReadInteger(stream);
    Position = rpReadByte(stream) != 0 ? 4 : 0;
    if (marked) rpReadReportMemo(stream, Script);
  }
  ApplyPaper(paperSize, width, height, bin, orientation);
}

void TrpPage::SaveToStream(TBinaryWriter& stream) const {
  for (qint32 v : {-1, PaperSize, PaperWidth, PaperHeight, LeftMargin, TopMargin, RightMargin, BottomMargin})
    rpWriteInteger(stream, v);
  rpWriteByte(stream, Orientation);
  rpWriteInteger(stream, Bin);
  WriteWordBool(stream, PrintToPrevPage);
  WriteWordBool(stream, UseMargins);
  rpWriteInteger(stream, ColumnCount);
  rpWriteInteger(stream, ColumnGap);
  rpWriteByte(stream, PageType);
  rpWriteString(stream, Name);
  rpWriteByte(stream, BorderStyle);
  rpWriteString(stream, Caption);
  rpWriteInteger(stream, Color);
  for (qint32 v : {DialogLeft, DialogTop, DialogWidth, DialogHeight})
    rpWriteInteger(stream, v);
  rpWriteByte(stream, Position);
  rpWriteMemo(stream, Script);
}

void TrpPage::ListProperties() {
  ClearPropertyList();
  AddEnumPropertyRec(QStringLiteral("Type"), QStringLiteral("ptReport;ptDialog"));
  AddPropertyRec(QStringLiteral("Visible"), 0);
  if (PageType == 1) {
    AddEnumPropertyRec(QStringLiteral("BorderStyle"), QStringLiteral("bsDialog;bsSizeable"), QVariantList{3, 2});
    AddPropertyRec(QStringLiteral("Caption"), ptText);
    AddPropertyRec(QStringLiteral("Color"), ptColor);
    for (const char* n : {"Left", "Top"})
      AddPropertyRec(QLatin1String(n), ptUnitLength);
    for (const char* n : {"Width", "Height"})
      AddPropertyRec(QLatin1String(n), ptInteger);
    AddEnumPropertyRec(QStringLiteral("Position"), QStringLiteral("poDesigned;poScreenCenter"), QVariantList{0, 4});
    AddPropertyRec(QStringLiteral("OnActivate"), ptEditor | ptSingleOnly);
    return;
  }
  const TrpPrinter& printer = rpPrinter();
  QVariantList codes;
  for (quint16 code : printer.PaperCodes)
    codes.append(int(code));
  AddEnumPropertyRec(
      QStringLiteral("Size"),
      printer.PaperNames.isEmpty() ? QStringLiteral("No data") : printer.PaperNames.join(QLatin1Char(';')), codes);
  for (const char* n : {"Width", "Height", "LeftMargin", "TopMargin", "RightMargin", "BottomMargin"})
    AddPropertyRec(QLatin1String(n), ptUnitLength);
  AddEnumPropertyRec(QStringLiteral("Orientation"), QStringLiteral("poPortrait;poLandscape"));
  AddPropertyRec(QStringLiteral("PrintToPrevPage"), ptBoolean);
  AddPropertyRec(QStringLiteral("StretchToPrintable"), ptBoolean);
  AddPropertyRec(QStringLiteral("Columns"), ptInteger);
  AddPropertyRec(QStringLiteral("ColumnWidth"), 0);
  AddPropertyRec(QStringLiteral("ColumnGap"), ptUnitLength);
  AddPropertyRec(QStringLiteral("OnBeforePrint"), ptEditor | ptSingleOnly);
}

void TrpPage::WriteProperty(const QString& name, const QVariant& value) {
  const QString n = name.toUpper();
  const auto asInt = [&] { return int(rpValueToInteger(value)); };
  const bool report = PageType == 0;
  if (n == QLatin1String("TYPE"))
    PageType = quint8(asInt());
  else if (n == QLatin1String("VISIBLE"))
    Visible = asInt() != 0;
  else if (n == QLatin1String("NAME"))
    Name = rpValueToText(value);
  else if (n == QLatin1String("BORDERSTYLE"))
    BorderStyle = quint8(asInt());
  else if (n == QLatin1String("CAPTION"))
    Caption = rpValueToText(value);
  else if (n == QLatin1String("COLOR"))
    Color = asInt();
  else if (n == QLatin1String("LEFT"))
    DialogLeft = asInt();
  else if (n == QLatin1String("TOP"))
    DialogTop = asInt();
  else if (n == QLatin1String("WIDTH"))
    report ? void(PaperWidth = PixelsToTenths(asInt())) : void(DialogWidth = asInt());
  else if (n == QLatin1String("HEIGHT"))
    report ? void(PaperHeight = PixelsToTenths(asInt())) : void(DialogHeight = asInt());
  else if (n == QLatin1String("POSITION"))
    Position = quint8(asInt());
  else if (n == QLatin1String("SIZE"))
    PaperSize = asInt();
  else if (n == QLatin1String("LEFTMARGIN"))
    LeftMargin = asInt();
  else if (n == QLatin1String("TOPMARGIN"))
    TopMargin = asInt();
  else if (n == QLatin1String("RIGHTMARGIN"))
    RightMargin = asInt();
  else if (n == QLatin1String("BOTTOMMARGIN"))
    BottomMargin = asInt();
  else if (n == QLatin1String("ORIENTATION"))
    Orientation = quint8(asInt());
  else if (n == QLatin1String("PRINTTOPREVPAGE"))
    PrintToPrevPage = asInt() != 0;
  else if (n == QLatin1String("STRETCHTOPRINTABLE"))
    UseMargins = asInt() == 0;
  else if (n == QLatin1String("COLUMNS"))
    ColumnCount = asInt();
  else if (n == QLatin1String("COLUMNWIDTH"))
    ColumnWidth = asInt();
  else if (n == QLatin1String("COLUMNGAP"))
    ColumnGap = asInt();
  else if (n == QLatin1String("ONBEFOREPRINT") || n == QLatin1String("ONACTIVATE"))
    Script = rpSplitLines(rpValueToText(value));
}

QVariant TrpPage::ReadProperty(const QString& name) {
  const QString n = name.toUpper();
  const bool report = PageType == 0;
  if (n == QLatin1String("TYPE")) return rpIntegerValue(PageType);
  if (n == QLatin1String("VISIBLE")) return Visible;
  if (n == QLatin1String("NAME")) return Name;
  if (n == QLatin1String("BORDERSTYLE")) return rpIntegerValue(BorderStyle);
  if (n == QLatin1String("CAPTION")) return Caption;
  if (n == QLatin1String("COLOR")) return rpIntegerValue(Color);
  if (n == QLatin1String("LEFT")) return rpIntegerValue(DialogLeft);
  if (n == QLatin1String("TOP")) return rpIntegerValue(DialogTop);
  if (n == QLatin1String("WIDTH")) return rpIntegerValue(report ? TenthsToPixels(PaperWidth) : DialogWidth);
  if (n == QLatin1String("HEIGHT")) return rpIntegerValue(report ? TenthsToPixels(PaperHeight) : DialogHeight);
  if (n == QLatin1String("POSITION")) return rpIntegerValue(Position);
  if (n == QLatin1String("SIZE")) return rpIntegerValue(PaperSize);
  if (n == QLatin1String("LEFTMARGIN")) return rpIntegerValue(LeftMargin);
  if (n == QLatin1String("TOPMARGIN")) return rpIntegerValue(TopMargin);
  if (n == QLatin1String("RIGHTMARGIN")) return rpIntegerValue(RightMargin);
  if (n == QLatin1String("BOTTOMMARGIN")) return rpIntegerValue(BottomMargin);
  if (n == QLatin1String("ORIENTATION")) return rpIntegerValue(Orientation);
  if (n == QLatin1String("PRINTTOPREVPAGE")) return PrintToPrevPage;
  if (n == QLatin1String("STRETCHTOPRINTABLE")) return !UseMargins;
  if (n == QLatin1String("COLUMNS")) return rpIntegerValue(ColumnCount);
  if (n == QLatin1String("COLUMNWIDTH")) return rpIntegerValue(ColumnWidth);
  if (n == QLatin1String("COLUMNGAP")) return rpIntegerValue(ColumnGap);
  if (n == QLatin1String("ONBEFOREPRINT") || n == QLatin1String("ONACTIVATE"))
    return Script.join(QStringLiteral("\r\n"));
  return {};
}

int TrpPages::IndexOf(const TrpPage* page) const {
  for (int i = 0; i < Count(); ++i)
    if (pages_[size_t(i)].get() == page) return i;
  return -1;
}

TrpPage* TrpPages::Add() {
  pages_.push_back(std::make_unique<TrpPage>(this, rpGlobals().DefaultPaperSize, 0, 0, -1, 0));
  return pages_.back().get();
}

void TrpPages::Delete(int index) {
  if (index >= 0 && index < Count()) pages_.erase(pages_.begin() + index);
}

void TrpPages::PrepareAlignedObjects(TrpRunContext& g) {
  QImage scratch(8, 8, QImage::Format_RGB32);
  QPainter canvas(&scratch);
  TrpPage* const keptPage = g.CurrentPage;
  TrpBandView* const keptBand = g.CurrentBand;
  g.CurrentBand = nullptr;
  for (const auto& page : pages_) {
    g.CurrentPage = page.get();
    for (int i = 0; i < page->Count(); ++i)
      if (TrpView* object = page->GetObject(i); object->BandAlign != 0) object->Draw(g, &canvas);
  }
  g.CurrentPage = keptPage;
  g.CurrentBand = keptBand;
}

void TrpPages::Move(int from, int to) {
  if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) return;
  auto page = std::move(pages_[size_t(from)]);
  pages_.erase(pages_.begin() + from);
  pages_.insert(pages_.begin() + to, std::move(page));
}
