#include "reports/export/vzExportFilter.h"
#include "core/gui/ColorConvert.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpSubReportView.h"
#include "reports/engine/rpSymbolFont.h"
#include "reports/engine/rpView.h"
#include "reports/export/rpExportUtils.h"
#include "reports/objects/rpBarCodeView.h"
#include "reports/objects/rpCheckBoxView.h"
#include "reports/objects/rpRichView.h"
#include "reports/objects/rpRoundRectView.h"
#include <QtCore/QBuffer>
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QHash>
#include <QtGui/QFontMetrics>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QPicture>
#include <QtGui/QScreen>
#include <cmath>
#include <pwd.h>
#include <typeinfo>
#include <unistd.h>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// The engine's alignment codes to the item's flags.
quint8 AlignFlagsOf(int alignment) {
  switch (alignment) {
  case 0:
    return 5;
  case 1:
    return 6;
  case 2:
    return 36;
  case 3:
    return 20;
  case 8:
    return 65;
  case 9:
    return 66;
  case 10:
    return 96;
  case 11:
    return 80;
  case 16:
    return 9;
  case 17:
    return 10;
  case 18:
    return 40;
  case 19:
    return 24;
  default:
    return 0; // rotated text
  }
}

TVezoFontInfo FontInfoOf(const TrpFont& font) {
  TVezoFontInfo info;
  info.Name = font.Name;
  info.Size = font.Size;
  info.Color = font.Color;
  info.Style = quint8((font.Style.Bold ? 1 : 0) | (font.Style.Italic ? 2 : 0) | (font.Style.Underline ? 4 : 0) |
                      (font.Style.StrikeOut ? 8 : 0));
  info.Charset = font.Charset;
  return info;
}

// Screen pixels to report pixels.
double ToReportPixels(int screenPixels) { return screenPixels / double(ScreenPixelsPerInch()) * kReportUnitsPerInch; }

QImage::Format ImageFormatOf(TVezoPixelFormat format) {
  switch (format) {
  case pf1bit:
    return QImage::Format_Mono;
  case pf4bit: // the nearest format Qt has
  case pf8bit:
    return QImage::Format_Indexed8;
  case pf15bit:
    return QImage::Format_RGB555;
  case pf16bit:
    return QImage::Format_RGB16;
  case pf24bit:
    return QImage::Format_RGB888;
  default:
    return QImage::Format_RGB32;
  }
}

// The mark of a checked check box: its code in the symbol font.
quint8 CheckMark(const TrpCheckBoxView& box) {
  return box.CheckStyle == TrpCheckBoxView::csCheck ? kSymbolCheck : kSymbolCross;
}

} // namespace

int ScreenPixelsPerInch() {
  static const int dpi = [] {
    const QScreen* screen =
        qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
    return screen ? int(std::lround(screen->logicalDotsPerInchY())) : 96;
  }();
  return dpi;
}

QString vzSymbolMarks(const QString& text, const QString& fontName) {
  if (!rpIsSymbolFont(fontName)) return text;
  QString marks;
  for (const QChar c : text) {
    const QChar mark = c.unicode() <= 0xFF ? rpSymbolChar(quint8(c.unicode())) : QChar();
    marks += mark.isNull() ? c : mark;
  }
  return marks;
}

double vzToExportUnits(double reportPixels) { return reportPixels / kReportUnitsPerInch * ScreenPixelsPerInch(); }

QSizeF vzPaperInches(const TrpEMFPage& page) {
  if (page.PaperWidth > 0 && page.PaperHeight > 0) return QSizeF(page.PaperWidth / 254.0, page.PaperHeight / 254.0);
  return QSizeF(page.PrnInfo.Width / kReportUnitsPerInch, page.PrnInfo.Height / kReportUnitsPerInch);
}

QFont TVezoFontInfo::ScreenFont() const {
  TrpFont font;
  font.Name = Name;
  font.Style.Bold = Bold();
  font.Style.Italic = Italic();
  font.Style.Underline = Underline();
  font.Style.StrikeOut = StrikeOut();
  return rpMakeQFont(font, rpRoundEven(Size * ScreenPixelsPerInch() / 72.0), 0);
}

bool TVezoDataRec::IsPictureItem() const {
  if (ClassName == QLatin1String("TrpCheckBoxView") || ClassName == QLatin1String("TrpLineView")) return false;
  return ClassName != QLatin1String("TrpMemoView") || Rotated;
}

// --- routines

int PosFrom(const QString& sub, const QString& s, int from) {
  const qsizetype at = s.indexOf(sub, std::max(from, 1) - 1);
  return at < 0 ? 0 : int(at) + 1;
}

QString ReplaceAllText(const QString& s, const QString& old, const QString& replacement) {
  if (old.isEmpty()) return s;
  QString result;
  qsizetype from = 0;
  for (;;) {
    const qsizetype at = s.indexOf(old, from, Qt::CaseInsensitive);
    if (at < 0) break;
    result += s.mid(from, at - from) + replacement;
    from = at + old.size();
  }
  return result + s.mid(from);
}

namespace {

// The text's width in a font other than the symbol font.
int MeasureWidth(const QFont& font, const QString& s) {
  return rpEngineStarted() && rpGlobals().TextWidth ? rpGlobals().TextWidth(font, s)
                                                    : QFontMetrics(font).horizontalAdvance(s);
}

} // namespace

QSize MeasureText(const QFont& font, const QString& s) {
  // Finding a font's metrics costs more than measuring with them: heights are kept.
  static QHash<QString, int> heights;
  auto height = heights.constFind(font.key());
  if (height == heights.constEnd()) height = heights.insert(font.key(), QFontMetrics(font).height());
  if (rpIsSymbolFont(font.family())) {
    const int symbolHeight = font.pixelSize() > 0 ? font.pixelSize() : *height;
    return QSize(int(rpSymbolWidth(symbolHeight)) * int(s.size()), symbolHeight);
  }
  return QSize(MeasureWidth(font, s), *height);
}

void vzLetEventsThrough() {
  static QElapsedTimer since;
  if (since.isValid() && since.elapsed() < 40) return;
  QCoreApplication::processEvents();
  since.start();
}

QString ColorToHex(TColor color) {
  const QColor c = ToQColor(color == clNone ? clWhite : color);
  return QStringLiteral("%1%2%3")
      .arg(c.red(), 2, 16, QLatin1Char('0'))
      .arg(c.green(), 2, 16, QLatin1Char('0'))
      .arg(c.blue(), 2, 16, QLatin1Char('0'))
      .toUpper();
}

QString PageFileName(const QString& fileName, int number, const QString& ext) {
  return QStringLiteral("%1%2.%3").arg(rpBareName(fileName)).arg(number, 4, 10, QLatin1Char('0')).arg(ext);
}

QString ImageFileName(const QString& fileName, int number, const QString& ext) {
  return QStringLiteral("%1_I%2.%3").arg(rpBareName(fileName)).arg(number, 4, 10, QLatin1Char('0')).arg(ext);
}

QString FitText(const QString& s, double available, double textWidth) {
  if (available >= textWidth) return s;
  return s.left(rpRoundEven(s.size() * available / textWidth));
}

void DeleteFileQuietly(const QString& fileName) { QFile::remove(fileName); }

QByteArray GraphicToJPEGStream(const QImage& image, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.convertToFormat(QImage::Format_RGB888).save(&buffer, "JPG", std::clamp(quality, 1, 100));
  return bytes;
}

QByteArray vzBitmapDib(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  const int width = image.width(), height = image.height();
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  QByteArray dib;
  dib.reserve(40 + rowBytes * height);
  rpPutLE32(dib, 40);
  rpPutLE32(dib, quint32(width));
  rpPutLE32(dib, quint32(height)); // rows bottom-up
  rpPutLE16(dib, 1);
  rpPutLE16(dib, 24);
  rpPutLE32(dib, 0); // no compression
  rpPutLE32(dib, quint32(rowBytes * height));
  rpPutLE32(dib, 3780); // 96 dpi in pixels a metre
  rpPutLE32(dib, 3780);
  rpPutLE32(dib, 0);
  rpPutLE32(dib, 0);
  for (int y = height - 1; y >= 0; --y) {
    const uchar* line = image.constScanLine(y);
    QByteArray row(rowBytes, '\0');
    for (int x = 0; x < width; ++x) {
      row[x * 3] = char(line[x * 3 + 2]); // blue, green, red
      row[x * 3 + 1] = char(line[x * 3 + 1]);
      row[x * 3 + 2] = char(line[x * 3]);
    }
    dib += row;
  }
  return dib;
}

QByteArray vzBitmapFile(const QImage& image) {
  const QByteArray dib = vzBitmapDib(image);
  QByteArray file = "BM";
  rpPutLE32(file, quint32(14 + dib.size()));
  rpPutLE32(file, 0);
  rpPutLE32(file, 14 + 40);
  return file + dib;
}

// --- the filter

TVezoExportFilter::TVezoExportFilter(QObject* owner) : TrpExportFilter(owner) { ShowDialog = true; }

QString TVezoExportFilter::UserName() {
  const passwd* user = getpwuid(getuid());
  if (user && user->pw_name) return QString::fromLocal8Bit(user->pw_name);
  return qEnvironmentVariable("USER");
}

QString TVezoExportFilter::ReportTitle() const {
  const TrpReport& report = rpActiveReport();
  // The caption of a report nobody titled is no title for a document.
  if (!report.Title.isEmpty() && report.Title != TrpReport::kUntitled) return report.Title;
  if (!report.Info.Name.isEmpty()) return report.Info.Name;
  const QString templateName = rpBareName(report.FileName);
  if (!templateName.isEmpty() && templateName != TrpReport::kUntitled) return templateName;
  return rpBareName(FileName);
}

void TVezoExportFilter::SetImageFormatJpgOrBmp(TVezoImageFormat format) {
  if (format == ifJPG || format == ifBMP) ExportImageFormat = format;
}

void TVezoExportFilter::BeginDocument() {
  ViewNames.clear();
  DataItems.clear();
  TextItems.clear();
  PageIndex = 0;
}

void TVezoExportFilter::EndDocument() {
  DataItems.clear();
  TextItems.clear();
}

void TVezoExportFilter::BeginPage() {
  DataItems.clear();
  TextItems.clear();
  pageWidths_.clear();
  const TrpReport& report = rpActiveReport();
  if (PageIndex < report.EMFPages.Count()) {
    const TrpEMFPage& page = report.EMFPages.GetPage(PageIndex);
    const QSizeF paper = vzPaperInches(page) * ScreenPixelsPerInch();
    PageWidth = paper.width();
    PageHeight = paper.height();
  }
}

void TVezoExportFilter::EndPage() { ++PageIndex; }

std::unique_ptr<TVezoDataRec> TVezoExportFilter::PictureItem(TrpView& view, int x, int y) {
  auto item = std::make_unique<TVezoDataRec>();
  const int width = view.Width, height = view.Height;
  if (width <= 0 || height <= 0) return nullptr;
  // The object drawn alone at the origin, then put back where it was.
  QPicture drawing;
  {
    const quint8 bandAlign = view.BandAlign;
    view.SetBounds(0, 0, width, height);
    view.BandAlign = 0;
    QPainter painter(&drawing);
    view.Draw(rpRun(), &painter);
    painter.end();
    if (auto* barcode = dynamic_cast<TrpBarCodeView*>(&view))
      for (const TrpBarStroke& stroke : barcode->Strokes) {
        const QRectF& r = stroke.Rect;
        item->Bars.append({QRectF(QPointF(vzToExportUnits(r.left()), vzToExportUnits(r.top())),
                                  QPointF(vzToExportUnits(r.right()), vzToExportUnits(r.bottom()))),
                           stroke.Color});
      }
    view.BandAlign = bandAlign;
    view.SetBounds(x, y, width, height);
  }
  QSize size(width, height);
  if (ImageDPI > 0) size = QSize(rpRoundEven(width / 96.0 * ImageDPI), rpRoundEven(height / 96.0 * ImageDPI));
  if (size.isEmpty()) return nullptr;
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (ImageDPI > 0) painter.scale(ImageDPI / 96.0, ImageDPI / 96.0);
    drawing.play(&painter);
  }
  item->Picture = ImagePixelFormat == pf32bit || ImagePixelFormat == pfDevice || ImagePixelFormat == pfCustom
                      ? image
                      : image.convertToFormat(ImageFormatOf(ImagePixelFormat));
  item->PictureWidth = rpRoundEven(vzToExportUnits(width));
  item->PictureHeight = rpRoundEven(vzToExportUnits(height));
  if (item->PictureWidth == 0 || item->PictureHeight == 0) return nullptr;
  return item;
}

QSize TVezoExportFilter::MeasureOnPage(const QFont& font, const QString& s) {
  // A page has few fonts, and the objects' fonts are shared copies, which compare equal at once.
  auto entry =
      std::find_if(pageWidths_.begin(), pageWidths_.end(), [&](const TFontWidths& f) { return f.Font == font; });
  if (entry == pageWidths_.end()) {
    pageWidths_.push_back({font, rpIsSymbolFont(font.family()), MeasureText(font, QString()).height(), {}});
    entry = pageWidths_.end() - 1;
  }
  if (entry->Symbol) return MeasureText(font, s);
  auto width = entry->Widths.constFind(s);
  if (width == entry->Widths.constEnd()) width = entry->Widths.insert(s, MeasureWidth(font, s));
  return QSize(*width, entry->Height);
}

int TVezoExportFilter::WidthWithMargin(const QFont& font, const QString& s) {
  // The line's own width is asked for again when it is drawn; the margin's is the same for every line.
  return MeasureOnPage(font, s).width() + MeasureOnPage(font, QStringLiteral("W")).width();
}

void TVezoExportFilter::TextOfMemo(TVezoDataRec& item, TrpView& view) {
  auto& memo = static_cast<TrpMemoView&>(view);
  item.Font = FontInfoOf(memo.Font);
  const QFont font = item.Font.ScreenFont();
  QString text = memo.Memo.join(kLineEnd) + kLineEnd;
  text.remove(QChar(1));
  if (memo.Memo.size() == 1) {
    const int measured = WidthWithMargin(font, memo.Memo[0]);
    if (ToReportPixels(measured) > memo.Width)
      text = FitText(memo.Memo[0], memo.Width, ToReportPixels(measured)) + kLineEnd;
  }
  item.Text = text;
  item.Width = vzToExportUnits(memo.Width);
  item.TextWidth = rpRoundEven(item.Width) + 1;
  item.AutoWidth = memo.Flags & mfAutoWidth;
  item.WordWrap = memo.Flags & mfWordWrap;
  if (!item.WordWrap) {
    // Every line cut to the object's width.
    item.Text.clear();
    for (QString line : memo.Memo) {
      line.remove(QChar(1));
      line = FitText(line, memo.Width, ToReportPixels(MeasureOnPage(font, line).width()));
      item.TextWidth = std::max(item.TextWidth, WidthWithMargin(font, line));
      item.Text += line + kLineEnd;
    }
  }
  const TrpBandView* band = memo.ParentBand;
  item.Stretched = (memo.Flags & 1) && (!band || (band->Flags & 1));
  item.AlignFlags = AlignFlagsOf(memo.Alignment);
}

const TVezoExportFilter::TViewKinds& TVezoExportFilter::KindsOf(const TrpView& view) {
  // A page's objects are of a few classes; asking the run-time type for each
  // kind of every object cost more than writing it.
  const std::type_info& type = typeid(view);
  for (const auto& [known, kinds] : viewKinds_)
    if (*known == type) return kinds;
  TViewKinds kinds;
  kinds.Skipped = dynamic_cast<const TrpBandView*>(&view) || dynamic_cast<const TrpSubReportView*>(&view);
  kinds.Memo = dynamic_cast<const TrpMemoView*>(&view);
  kinds.CheckBox = dynamic_cast<const TrpCheckBoxView*>(&view);
  kinds.Rich = dynamic_cast<const TrpRichView*>(&view);
  kinds.RoundRect = dynamic_cast<const TrpRoundRectView*>(&view);
  viewKinds_.emplace_back(&type, kinds);
  return viewKinds_.back().second;
}

void TVezoExportFilter::ObjectData(int x, int y, TrpView* view) {
  if (!view) return;
  const TViewKinds kinds = KindsOf(*view);
  if (kinds.Skipped) return;
  auto* memo = kinds.Memo ? static_cast<TrpMemoView*>(view) : nullptr;
  auto* checkBox = kinds.CheckBox ? static_cast<TrpCheckBoxView*>(view) : nullptr;
  const bool rotated = memo && (memo->Alignment & 4);
  std::unique_ptr<TVezoDataRec> item;
  TVezoDataRec probe;
  probe.ClassName = view->ClassName();
  probe.Rotated = rotated;
  if (ExportImages && probe.IsPictureItem()) {
    item = PictureItem(*view, x, y);
    if (!item) return; // nothing to show
  } else {
    item = std::make_unique<TVezoDataRec>();
  }
  item->ClassName = probe.ClassName;
  item->Rotated = rotated;
  item->Left = vzToExportUnits(x);
  item->Top = vzToExportUnits(y);
  item->Width = vzToExportUnits(view->Width);
  item->Height = vzToExportUnits(view->Height);
  if (kinds.Rich) {
    auto* rich = static_cast<TrpRichView*>(view);
    item->RichStream = rich->Text().SaveRtf();
    item->RichText = rich->Text().Text();
  }
  if (memo) TextOfMemo(*item, *view);
  if (checkBox && TrpCheckBoxView::IsChecked(checkBox->Memo)) {
    // An unchecked box keeps its frame and fill, without a mark.
    const int height = rpRoundEven(item->Height);
    item->Symbol = true;
    item->Text = QString(QChar(char16_t(CheckMark(*checkBox))));
    item->Font.Name = QStringLiteral("Wingdings");
    item->Font.Color = checkBox->CheckColor;
    item->Font.Size = rpRoundEven(height * 72.0 / ScreenPixelsPerInch());
    item->Font.Style = 0;
    item->TextWidth = int(rpSymbolWidth(height));
    item->AlignFlags = 36;
  }
  if (ExportFrames) {
    item->FillColor = view->FillColor;
    item->FrameColor = view->FrameColor;
    item->FrameStyle = view->FrameStyle;
    // A rounded rectangle paints its own border.
    item->FrameTyp = kinds.RoundRect ? 0 : quint8(view->FrameTyp & 15);
    item->FrameWidth = view->FrameWidth;
  }
  item->ViewName = view->Name;
  qsizetype index = ViewNames.indexOf(item->ViewName);
  if (index < 0) {
    ViewNames.append(item->ViewName);
    index = ViewNames.size() - 1;
  }
  item->NameIndex = int(index);
  DataItems.push_back(std::move(item));
}

void TVezoExportFilter::ObjectText(const QRect& drawRect, int x, int y, const QString& text, int, TrpView* view) {
  if (!view) return;
  const TViewKinds kinds = KindsOf(*view);
  auto* memo = kinds.Memo ? static_cast<TrpMemoView*>(view) : nullptr;
  auto* checkBox = kinds.CheckBox ? static_cast<TrpCheckBoxView*>(view) : nullptr;
  if (!memo && !checkBox) return;
  if (memo && ((memo->Alignment & 4) || (ExportImages && kinds.RoundRect))) return;
  auto line = std::make_unique<TVezoTextRec>();
  line->Left = vzToExportUnits(x);
  line->Top = vzToExportUnits(y);
  line->DrawRect = drawRect;
  line->Text = text;
  if (memo) {
    line->Font = FontInfoOf(memo->Font);
    const QFont font = line->Font.ScreenFont();
    const QSize size = MeasureOnPage(font, text);
    line->TextHeight = size.height();
    // A line cut off by the object's bottom edge is not written.
    if (!(drawRect.top() <= y + 0.5 * size.height() && drawRect.bottom() >= y + 0.8 * size.height())) return;
    line->Text = FitText(text, memo->Width, ToReportPixels(size.width()));
    line->TextWidth = MeasureOnPage(font, line->Text).width();
  } else {
    if (!TrpCheckBoxView::IsChecked(checkBox->Memo)) return;
    const int height = rpRoundEven(vzToExportUnits(checkBox->Height));
    line->Symbol = true;
    line->Text = QString(QChar(char16_t(CheckMark(*checkBox))));
    line->Font.Name = QStringLiteral("Wingdings");
    line->Font.Color = checkBox->CheckColor;
    line->Font.Size = rpRoundEven(height * 72.0 / ScreenPixelsPerInch());
    line->TextWidth = int(rpSymbolWidth(height));
    line->TextHeight = height;
    line->Left += (checkBox->Width - line->TextWidth) / 2.0;
    line->Top += checkBox->Height - line->TextHeight;
  }
  TextItems.push_back(std::move(line));
}

void TVezoExportFilter::WriteRichTextAsLines(const TVezoDataRec& item) {
  double top = item.Top;
  for (const QString& text : item.RichText.split(QLatin1Char('\n'))) {
    TVezoTextRec line;
    line.Left = item.Left;
    line.Top = top;
    line.Text = QString(text).remove(QLatin1Char('\r'));
    line.Font.Name = QStringLiteral("Arial");
    line.Font.Size = 10;
    const QFont font = line.Font.ScreenFont();
    line.TextWidth = WidthWithMargin(font, line.Text);
    line.TextHeight = MeasureOnPage(font, line.Text).height();
    WriteTextLine(line);
    top += line.TextHeight;
  }
}
