#include "reports/export/vzPDFExport.h"
#include "core/CodePage1250.h"
#include "core/Exception.h"
#include "core/gui/ColorConvert.h"
#include "reports/engine/rpSymbolFont.h"
#include "reports/engine/rpView.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/vzExportDialogs.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QIODevice>
#include <QtGui/QFontInfo>
#include <QtGui/QFontMetricsF>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <zlib.h>

namespace {

const QByteArray kPdfLineEnd = "\r\n";
constexpr int kCatalog = 1, kPages = 2, kInfo = 3, kProcSet = 4, kResources = 5;
const QString kSymbolKey = QStringLiteral("ZapfDingbats");

QByteArray Ref(int number) { return QByteArray::number(number) + " 0 R"; }

// The glyph names of code page 1250's upper half, so that viewers show its
// letters (the fonts' base encoding is WinAnsi, whose upper half differs).
const std::array<const char*, 128> kCp1250Glyphs = {
    "Euro",         ".notdef",        "quotesinglbase", ".notdef",        "quotedblbase", "ellipsis",
    "dagger",       "daggerdbl",      ".notdef",        "perthousand",    "Scaron",       "guilsinglleft",
    "Sacute",       "Tcaron",         "Zcaron",         "Zacute",         ".notdef",      "quoteleft",
    "quoteright",   "quotedblleft",   "quotedblright",  "bullet",         "endash",       "emdash",
    ".notdef",      "trademark",      "scaron",         "guilsinglright", "sacute",       "tcaron",
    "zcaron",       "zacute",         "space",          "caron",          "breve",        "Lslash",
    "currency",     "Aogonek",        "brokenbar",      "section",        "dieresis",     "copyright",
    "Scedilla",     "guillemotleft",  "logicalnot",     "hyphen",         "registered",   "Zdotaccent",
    "degree",       "plusminus",      "ogonek",         "lslash",         "acute",        "mu",
    "paragraph",    "periodcentered", "cedilla",        "aogonek",        "scedilla",     "guillemotright",
    "Lcaron",       "hungarumlaut",   "lcaron",         "zdotaccent",     "Racute",       "Aacute",
    "Acircumflex",  "Abreve",         "Adieresis",      "Lacute",         "Cacute",       "Ccedilla",
    "Ccaron",       "Eacute",         "Eogonek",        "Edieresis",      "Ecaron",       "Iacute",
    "Icircumflex",  "Dcaron",         "Dcroat",         "Nacute",         "Ncaron",       "Oacute",
    "Ocircumflex",  "Ohungarumlaut",  "Odieresis",      "multiply",       "Rcaron",       "Uring",
    "Uacute",       "Uhungarumlaut",  "Udieresis",      "Yacute",         "Tcommaaccent", "germandbls",
    "racute",       "aacute",         "acircumflex",    "abreve",         "adieresis",    "lacute",
    "cacute",       "ccedilla",       "ccaron",         "eacute",         "eogonek",      "edieresis",
    "ecaron",       "iacute",         "icircumflex",    "dcaron",         "dcroat",       "nacute",
    "ncaron",       "oacute",         "ocircumflex",    "ohungarumlaut",  "odieresis",    "divide",
    "rcaron",       "uring",          "uacute",         "uhungarumlaut",  "udieresis",    "yacute",
    "tcommaaccent", "dotaccent"};

QByteArray EncodingDictionary() {
  QByteArray differences = "/Encoding << /Type /Encoding /BaseEncoding /WinAnsiEncoding /Differences [128";
  for (const char* name : kCp1250Glyphs)
    differences += QByteArray(" /") + name;
  return differences + "] >>";
}

// zlib's level for each choice of the options dialog.
int ZlibLevel(TPDFCompressionMethod method) {
  switch (method) {
  case cmFastest:
    return Z_BEST_SPEED;
  case cmNormal:
    return Z_DEFAULT_COMPRESSION;
  default:
    return Z_BEST_COMPRESSION;
  }
}

// ZapfDingbats' check mark and cross for the symbol font's marks.
char DingbatOf(const QString& mark) { return !mark.isEmpty() && mark[0].unicode() == kSymbolCheck ? '4' : '8'; }

} // namespace

// zlib streams of the bytes, as a FlateDecode filter reads them. One
// compressor serves every page and picture of a document: setting it up
// costs more than packing a page of a list.
class TVezoPDFExport::TDeflater {
public:
  explicit TDeflater(int level) : level_(level) {
    if (deflateInit(&stream_, level) != Z_OK)
      throw Exception(QStringLiteral("Stránku PDF sa nepodarilo skomprimovať."));
  }
  ~TDeflater() { deflateEnd(&stream_); }
  TDeflater(const TDeflater&) = delete;
  TDeflater& operator=(const TDeflater&) = delete;

  int Level() const { return level_; }

  QByteArray Deflated(const QByteArray& data) {
    QByteArray packed(qsizetype(deflateBound(&stream_, uLong(data.size()))), Qt::Uninitialized);
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream_.avail_in = uInt(data.size());
    stream_.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream_.avail_out = uInt(packed.size());
    const int result = deflate(&stream_, Z_FINISH);
    const qsizetype size = qsizetype(stream_.total_out);
    deflateReset(&stream_);
    if (result != Z_STREAM_END) throw Exception(QStringLiteral("Stránku PDF sa nepodarilo skomprimovať."));
    packed.truncate(size);
    return packed;
  }

private:
  z_stream stream_{};
  int level_;
};

struct TVezoPDFExport::TFontMetrics {
  int FontObject = 0, DescriptorObject = 0;
  std::array<int, 224> Widths{};
  int Flags = 0;
  int BBoxLeft = -250, BBoxTop = 900, BBoxRight = 1000, BBoxBottom = -200;
  int Ascent = 800, Descent = -200, CapHeight = 700, AvgWidth = 600, MaxWidth = 600, StemV = 0, ItalicAngle = 0;
  int StrikeoutSize = 0, StrikeoutPosition = 0, UnderscoreSize = 0, UnderscorePosition = -1;
  bool Symbol = false;
};

TVezoPDFExport::TVezoPDFExport(QObject* owner) : TVezoExportFilter(owner) {
  ExportImageFormat = ifBMP;
  Register(VezoTexts::kPdfDescription, QStringLiteral("*.pdf"));
}

TVezoPDFExport::~TVezoPDFExport() = default;

int TVezoPDFExport::OptionsDialog() {
  if (!ShowDialog) return 1;
  TVezoPDFExportDialog dialog(*this);
  QCoreApplication::processEvents();
  return dialog.ShowModal();
}

// --- numbers and texts

// Writes page content into a byte array, straight into room made ahead:
// a list writes millions of numbers and operators, and appending each to the
// array one by one costs more than formatting it. The array holds exactly
// what was written once the writer is gone.
class TVezoPDFExport::TContent {
public:
  explicit TContent(QByteArray& out, TColorText* lastColor = nullptr) : out_(out), lastColor_(lastColor) {
    const qsizetype size = out.size();
    out.resize(size + kRoom);
    at_ = out.data() + size;
    end_ = out.data() + out.size();
  }
  ~TContent() { out_.truncate(at_ - out_.constData()); }
  TContent(const TContent&) = delete;
  TContent& operator=(const TContent&) = delete;

  TContent& operator<<(QByteArrayView bytes) {
    Room(bytes.size());
    std::memcpy(at_, bytes.data(), size_t(bytes.size()));
    at_ += bytes.size();
    return *this;
  }
  TContent& operator<<(char c) {
    Room(1);
    *at_++ = c;
    return *this;
  }
  // With four decimals and "." (never "-0.0000"). The common case is done in
  // integers; a value whose fifth decimal lies too near a half to be sure how
  // its exact binary value rounds goes through the exact conversion.
  TContent& operator<<(double value) {
    const double scaled = value * 10000;
    const double size = std::abs(scaled);
    const long long truncated = size < 1e15 ? static_cast<long long>(scaled) : 0;
    const double fraction = std::abs(scaled - double(truncated));
    if (size < 1e15 && std::abs(fraction - 0.5) > 1e-12 + size * 1e-15) {
      const long long units = fraction < 0.5 ? truncated : scaled < 0 ? truncated - 1 : truncated + 1;
      unsigned long long magnitude = units < 0 ? 0ULL - static_cast<unsigned long long>(units) : units;
      char digits[24];
      char* const end = digits + sizeof digits;
      char* first = end;
      for (int place = 0; place < 4; ++place, magnitude /= 10)
        *--first = char('0' + magnitude % 10);
      *--first = '.';
      do {
        *--first = char('0' + magnitude % 10);
        magnitude /= 10;
      } while (magnitude != 0);
      if (units < 0) *--first = '-';
      return *this << QByteArrayView(first, end - first);
    }
    char digits[400]; // the longest double in fixed notation
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 4).ptr;
    const QByteArrayView text(digits, end - digits);
    return *this << (text == "-0.0000" ? QByteArrayView("0.0000") : text);
  }
  TContent& operator<<(int value) { return Integer(value); }
  TContent& Integer(qint64 value) {
    Room(24);
    at_ = std::to_chars(at_, end_, value).ptr;
    return *this;
  }
  // Three numbers from 0 to 1 (red, green, blue). Pages use few colours, mostly
  // one after another, so the last one's text is kept where the writer was given a place.
  TContent& Color(TColor color) {
    if (lastColor_ && lastColor_->Color == color && !lastColor_->Text.isEmpty()) return *this << lastColor_->Text;
    QByteArray text;
    const QColor c = ToQColor(color == clNone ? clWhite : color);
    TContent(text) << c.red() / 255.0 << ' ' << c.green() / 255.0 << ' ' << c.blue() / 255.0;
    if (lastColor_) *lastColor_ = {color, text};
    return *this << text;
  }
  // "x y", as the path operators take a point.
  TContent& Point(double x, double y) { return *this << x << ' ' << y; }
  // "x y w h".
  TContent& Rectangle(double x, double y, double w, double h) { return Point(x, y) << ' ' << w << ' ' << h; }
  // Code page 1250 bytes with "\", "(" and ")" escaped.
  TContent& Escaped(QByteArrayView bytes) {
    Room(2 * bytes.size());
    for (const char c : bytes) {
      if (c == '\\' || c == '(' || c == ')') *at_++ = '\\';
      *at_++ = c;
    }
    return *this;
  }
  // The bytes written since `mark` (an earlier Size()), and taking them back.
  qsizetype Size() const { return at_ - out_.constData(); }
  QByteArrayView Since(qsizetype mark) const {
    return QByteArrayView(out_.constData() + mark, at_ - out_.constData() - mark);
  }
  void TakeBack(qsizetype mark) { at_ = out_.data() + mark; }

private:
  static constexpr qsizetype kRoom = 1024;

  void Room(qsizetype count) {
    if (end_ - at_ >= count) return;
    const qsizetype used = at_ - out_.constData();
    out_.resize(used + count + kRoom);
    at_ = out_.data() + used;
    end_ = out_.data() + out_.size();
  }

  QByteArray& out_;
  char* at_ = nullptr;
  char* end_ = nullptr;
  TColorText* lastColor_ = nullptr;
};

QByteArray TVezoPDFExport::FormatNumber(double value) {
  QByteArray text;
  TContent(text) << value;
  return text;
}

QByteArray TVezoPDFExport::FormatColor(TColor color) {
  QByteArray text;
  TContent(text).Color(color);
  return text;
}

QByteArray TVezoPDFExport::EscapeText(const QString& text) {
  QByteArray bytes;
  TContent(bytes).Escaped(Cp1250::EncodeLossy(text, '?'));
  return bytes;
}

namespace {

// A text of the document information: plain ASCII as it is, anything else
// in UTF-16 (what viewers read there), so letters of 1250 show right.
QByteArray InfoText(const QString& text) {
  if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
    return '(' + TVezoPDFExport::EscapeText(text) + ')';
  QByteArray utf16 = "\xFE\xFF";
  for (const QChar c : text) {
    utf16 += char(c.unicode() >> 8);
    utf16 += char(c.unicode() & 0xFF);
  }
  return '<' + utf16.toHex().toUpper() + '>';
}

} // namespace

QByteArray TVezoPDFExport::PdfDate(const QDateTime& time) {
  // The zone is the real offset at that moment, daylight saving included.
  const int offset = time.offsetFromUtc() / 60;
  const QByteArray sign = offset < 0 ? "-" : "+";
  const int minutes = std::abs(offset);
  return "D:" + time.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + sign +
         QByteArray::number(minutes / 60).rightJustified(2, '0') + '\'' +
         QByteArray::number(minutes % 60).rightJustified(2, '0') + '\'';
}

QByteArray TVezoPDFExport::Packed(const QByteArray& data) {
  if (!UseCompression) return data;
  const int level = ZlibLevel(CompressionMethod);
  if (!deflater_ || deflater_->Level() != level) deflater_ = std::make_unique<TDeflater>(level);
  return deflater_->Deflated(data);
}

QByteArray TVezoPDFExport::StreamFilter() const { return UseCompression ? "/Filter/FlateDecode" : ""; }

double TVezoPDFExport::ToPoints(double value) const { return value / ScreenPixelsPerInch() * 72; }

double TVezoPDFExport::FlipY(double value) const {
  return PageHeight == 0 ? ToPoints(value) : ToPoints(PageHeight) - ToPoints(value);
}

// --- the file

void TVezoPDFExport::Write(const QByteArray& bytes) { Stream->write(bytes); }

void TVezoPDFExport::WriteObject(QByteArray text, int number, bool withEndobj) {
  if (text.contains(kPdfLineEnd)) text = "<<" + kPdfLineEnd + text + kPdfLineEnd + ">>";
  xref_[number] = Stream->pos();
  Write(rpNum(number) + " 0 obj" + kPdfLineEnd + text + kPdfLineEnd +
        (withEndobj ? "endobj" + kPdfLineEnd : QByteArray()));
}

void TVezoPDFExport::BeginDocument() {
  TVezoExportFilter::BeginDocument();
  fontKeys_.clear();
  fonts_.clear();
  images_.clear();
  xref_.clear();
  kids_.clear();
  pagesWritten_ = 0;
  lastObject_ = 5;
  Write("%PDF-1.3" + kPdfLineEnd);
  WriteObject("/Type /Catalog" + kPdfLineEnd + "/Pages " + Ref(kPages), kCatalog);
}

void TVezoPDFExport::BeginPage() {
  TVezoExportFilter::BeginPage();
  pageImageOffsets_.clear();
  pageContent_.clear();
  pageImages_.clear();
  pageObject_ = NextObjectNumber();
  contentsObject_ = NextObjectNumber();
  kids_ += ' ' + Ref(pageObject_);
  lengthObject_ = NextObjectNumber();
}

void TVezoPDFExport::WriteFrameLines(TContent& out, const TVezoDataRec& item) const {
  const double x = ToPoints(item.Left), yt = FlipY(item.Top), w = ToPoints(item.Width), h = ToPoints(item.Height);
  out << '\r' << ToPoints(vzToExportUnits(item.FrameWidth)) << " w ";
  out.Color(item.FrameColor) << " RG";
  if (item.FrameTyp == 15) {
    out << '\r';
    out.Rectangle(x, yt - h, w, h) << " re\rS\r";
    return;
  }
  const struct {
    int flag;
    double x1, y1, x2, y2;
  } sides[] = {
      {8, x, yt, x + w, yt}, {1, x + w, yt, x + w, yt - h}, {2, x + w, yt - h, x, yt - h}, {4, x, yt - h, x, yt}};
  for (const auto& side : sides)
    if (item.FrameTyp & side.flag) {
      out << '\r';
      out.Point(side.x1, side.y1) << " m ";
      out.Point(side.x2, side.y2) << " l S\r";
    }
}

int TVezoPDFExport::ChooseImage(TVezoDataRec& item) {
  bool unique = true;
  int reuse = -1;
  QString altText;
  if (BeforeSaveGraphic) BeforeSaveGraphic(item.ViewName, unique, reuse, altText);
  if (!unique) {
    if (reuse == -1)
      for (qsizetype i = 0; i < images_.size(); ++i)
        if (images_[i].NameIndex == item.NameIndex) {
          reuse = int(i);
          break;
        }
    if (reuse >= 0 && reuse < images_.size()) return reuse;
  }
  QByteArray data;
  const QImage picture = item.Picture.convertToFormat(QImage::Format_RGB888);
  if (ExportImageFormat == ifJPG) {
    data = GraphicToJPEGStream(picture, JPEGQuality);
  } else {
    // Rows top first, red, green and blue, nothing between rows.
    data.reserve(qsizetype(picture.width()) * picture.height() * 3);
    for (int y = 0; y < picture.height(); ++y)
      data.append(reinterpret_cast<const char*>(picture.constScanLine(y)), qsizetype(picture.width()) * 3);
    data = Packed(data);
  }
  const int number = NextObjectNumber();
  const int index = int(images_.size());
  images_.append({number, item.NameIndex});
  pageImageOffsets_.append({pageImages_.size(), number});
  pageImages_ += rpNum(number) + " 0 obj" + kPdfLineEnd + "<< /Type/XObject/Subtype/Image/Name/Img" + rpNum(index) +
                 "/Width " + rpNum(picture.width()) + "/Height " + rpNum(picture.height()) +
                 "/BitsPerComponent 8/ColorSpace/DeviceRGB" +
                 (ExportImageFormat == ifJPG ? QByteArray("/Filter/DCTDecode") : StreamFilter()) + "/Length " +
                 rpNum(data.size()) + kPdfLineEnd + ">>" + kPdfLineEnd + "stream" + kPdfLineEnd + data + kPdfLineEnd +
                 "endstream" + kPdfLineEnd + "endobj" + kPdfLineEnd;
  item.Picture = QImage();
  return index;
}

QByteArray TVezoPDFExport::BarRectangles(const TVezoDataRec& item) const {
  // Over the picture's bars, so that they print sharp at any resolution.
  if (item.Bars.isEmpty()) return {};
  QByteArray out = "q\r";
  for (const auto& [rect, color] : item.Bars) {
    const double x = ToPoints(item.Left + rect.left()), y = FlipY(item.Top + rect.bottom());
    out += FormatNumber(color.redF()) + ' ' + FormatNumber(color.greenF()) + ' ' + FormatNumber(color.blueF()) +
           " rg " + FormatNumber(x) + ' ' + FormatNumber(y) + ' ' + FormatNumber(ToPoints(rect.width())) + ' ' +
           FormatNumber(ToPoints(rect.height())) + " re f\r";
  }
  return out + "Q" + kPdfLineEnd;
}

void TVezoPDFExport::WriteItem(TVezoDataRec& item) {
  const double x = ToPoints(item.Left), yt = FlipY(item.Top), w = ToPoints(item.Width), h = ToPoints(item.Height);
  if (ExportFrames) {
    TContent out(pageContent_, &lastColor_);
    out << "q\r";
    if (item.FillColor != clNone) {
      out.Color(item.FillColor) << " rg\r";
      out.Rectangle(x, yt - h, w, h) << " re f";
    } else {
      out << "0 w\r";
    }
    WriteFrameLines(out, item);
    out << "\rQ\r\n";
  }
  const bool rich = item.ClassName == QLatin1String("TrpRichView");
  if (rich && ExportRichText && RichTextEncodingType == rtPlainText) {
    WriteRichTextAsLines(item);
  } else if (ExportImages && item.IsPictureItem() && !item.Picture.isNull()) {
    if (rich && !ExportRichText) return;
    const int index = ChooseImage(item);
    const double pw = ToPoints(item.PictureWidth), ph = ToPoints(item.PictureHeight);
    {
      TContent out(pageContent_, &lastColor_);
      out << "q\r" << pw << " 0 0 " << ph << ' ';
      out.Point(x, yt - ph) << " cm\r/Img" << index << " Do\rQ\r\n";
    }
    pageContent_ += BarRectangles(item);
    if (AfterSaveGraphic) AfterSaveGraphic(item.ViewName, index);
  }
  // Frames lie over pictures.
  if (ExportFrames) {
    TContent out(pageContent_, &lastColor_);
    out << "q\r0 w\r";
    WriteFrameLines(out, item);
    out << "\rQ\r\n";
  }
}

void TVezoPDFExport::EndPage() {
  for (const auto& item : DataItems) {
    vzLetEventsThrough();
    WriteItem(*item);
  }
  for (const auto& line : TextItems) {
    vzLetEventsThrough();
    WriteTextLine(*line);
  }
  const QByteArray width = FormatNumber(ToPoints(PageWidth)), height = FormatNumber(ToPoints(PageHeight));
  WriteObject("/Type /Page" + kPdfLineEnd + "/MediaBox [0 0 " + width + ' ' + height + "]" + kPdfLineEnd + "/Parent " +
                  Ref(kPages) + kPdfLineEnd + "/Contents " + Ref(contentsObject_),
              pageObject_);
  const QByteArray content = Packed(pageContent_);
  WriteObject("<< /Length " + Ref(lengthObject_) + StreamFilter() + " >>", contentsObject_, false);
  Write("stream" + kPdfLineEnd + content + kPdfLineEnd + "endstream" + kPdfLineEnd + "endobj" + kPdfLineEnd);
  WriteObject(rpNum(content.size()), lengthObject_);
  const qint64 start = Stream->pos();
  for (const auto& [offset, number] : pageImageOffsets_)
    xref_[number] = start + offset;
  Write(pageImages_);
  ++pagesWritten_;
  lastPageWidth_ = PageWidth;
  lastPageHeight_ = PageHeight;
  TVezoExportFilter::EndPage();
}

// --- text

TVezoPDFExport::TFontMetrics TVezoPDFExport::MeasureFont(const TVezoFontInfo& info) {
  TFontMetrics m;
  m.FontObject = NextObjectNumber();
  m.DescriptorObject = NextObjectNumber();
  m.Widths.fill(600);
  m.StrikeoutSize = info.Size / 20;
  m.StrikeoutPosition = std::abs(info.Size) / 5;
  m.UnderscoreSize = info.Size / 10;
  // Metrics of the font the system really uses, at 1000 units (thousandths of the size).
  QFont font = info.ScreenFont();
  font.setPixelSize(1000);
  const QFontMetricsF metrics(font);
  for (int c = 32; c <= 255; ++c) {
    const QChar ch(Cp1250::ToUnicode(uchar(c)));
    m.Widths[size_t(c - 32)] = rpRoundEven(metrics.horizontalAdvance(ch));
  }
  m.Ascent = rpRoundEven(metrics.ascent());
  m.Descent = -rpRoundEven(std::abs(metrics.descent()));
  m.CapHeight = m.Ascent;
  m.AvgWidth = rpRoundEven(metrics.averageCharWidth());
  m.MaxWidth = rpRoundEven(metrics.maxWidth());
  m.BBoxTop = m.Ascent;
  m.BBoxRight = m.MaxWidth;
  m.BBoxBottom = m.Descent;
  const bool fixed = QFontInfo(font).fixedPitch();
  const bool serif = info.Name.contains(QLatin1String("Times"), Qt::CaseInsensitive);
  m.Flags = (fixed ? 1 : 0) | (serif ? 2 : 0) | 32 | (info.Italic() ? 64 : 0);
  m.ItalicAngle = info.Italic() ? -12 : 0;
  const double perSize = info.Size / 1000.0;
  m.StrikeoutSize = rpRoundEven(metrics.lineWidth() * perSize);
  m.StrikeoutPosition = rpRoundEven(metrics.strikeOutPos() * perSize);
  m.UnderscoreSize = rpRoundEven(metrics.lineWidth() * perSize);
  m.UnderscorePosition = rpRoundEven(metrics.underlinePos() * perSize) - 1;
  return m;
}

int TVezoPDFExport::FontNumber(const TVezoTextRec& line) {
  QString key;
  if (line.Symbol) {
    key = kSymbolKey;
  } else {
    key = QString(line.Font.Name).remove(QLatin1Char(' '));
    if (line.Font.Bold() || line.Font.Italic()) key += QLatin1Char(',');
    if (line.Font.Bold()) key += QLatin1String("Bold");
    if (line.Font.Italic()) key += QLatin1String("Italic");
  }
  const qsizetype at = fontKeys_.indexOf(key);
  if (at >= 0) return int(at);
  fontKeys_.append(key);
  if (line.Symbol) {
    TFontMetrics symbol;
    symbol.Symbol = true;
    symbol.FontObject = NextObjectNumber();
    fonts_.append(symbol);
  } else {
    fonts_.append(MeasureFont(line.Font));
  }
  return int(fontKeys_.size()) - 1;
}

void TVezoPDFExport::WriteTextLine(const TVezoTextRec& line) {
  const double x = ToPoints(line.Left), yt = FlipY(line.Top);
  const double hp = line.TextHeight / double(ScreenPixelsPerInch()) * 72;
  const int number = FontNumber(line);
  const TFontMetrics& metrics = fonts_[number];
  const QByteArray bytes = line.Symbol ? QByteArray(1, DingbatOf(line.Text)) : Cp1250::EncodeLossy(line.Text, '?');
  TContent out(pageContent_, &lastColor_);
  out << "BT\r";
  out.Color(line.Font.Color) << " rg\r/F" << number << ' ' << line.Font.Size << " Tf\r";
  if (!line.Symbol && !line.Text.isEmpty()) {
    // Spacing that makes the text as wide as it was on the screen.
    double sum = 0;
    for (const char c : bytes)
      if (uchar(c) >= 32) sum += metrics.Widths[size_t(uchar(c) - 32)];
    const double tc = (ToPoints(line.TextWidth) - sum * line.Font.Size / 1000.0) / line.Text.size();
    const qsizetype mark = out.Size();
    out << tc;
    if (out.Since(mark) == "0.0000")
      out.TakeBack(mark);
    else
      out << " Tc\r";
  }
  out.Point(x, yt - hp + 3) << " Td (";
  if (line.Symbol)
    out << bytes;
  else
    out.Escaped(bytes);
  out << ") Tj\rET";
  const auto rule = [&](int size, double y) {
    out << '\r';
    out.Color(line.Font.Color) << " RG\r" << double(size) << " w ";
    out.Point(x, y) << " m\r";
    out.Point(x + ToPoints(line.TextWidth), y) << " l\rS";
  };
  if (!line.Symbol && line.Font.Underline())
    rule(metrics.UnderscoreSize, yt - (line.TextHeight + metrics.UnderscorePosition) + 2);
  if (!line.Symbol && line.Font.StrikeOut()) rule(metrics.StrikeoutSize, yt - (hp / 2 + metrics.StrikeoutPosition) + 2);
  out << kPdfLineEnd;
}

// --- the end of the document

void TVezoPDFExport::WriteFonts() {
  for (qsizetype i = 0; i < fonts_.size(); ++i) {
    const TFontMetrics& m = fonts_[i];
    const QByteArray key = fontKeys_[i].toLatin1();
    if (m.Symbol) {
      WriteObject("/Type /Font" + kPdfLineEnd + "/Subtype /Type1" + kPdfLineEnd + "/Name /F" + rpNum(i) + kPdfLineEnd +
                      "/BaseFont /" + key,
                  m.FontObject);
      continue;
    }
    QByteArray widths;
    for (const int w : m.Widths)
      widths += (widths.isEmpty() ? "" : " ") + rpNum(w);
    WriteObject("/Type /Font" + kPdfLineEnd + "/Subtype /TrueType" + kPdfLineEnd + "/Name /F" + rpNum(i) + kPdfLineEnd +
                    "/BaseFont /" + key + kPdfLineEnd + EncodingDictionary() + kPdfLineEnd + "/FirstChar 32" +
                    kPdfLineEnd + "/LastChar 255" + kPdfLineEnd + "/Widths [" + widths + "]" + kPdfLineEnd +
                    "/FontDescriptor " + Ref(m.DescriptorObject),
                m.FontObject);
    WriteObject("/Type /FontDescriptor" + kPdfLineEnd + "/FontName /" + key + kPdfLineEnd + "/Flags " + rpNum(m.Flags) +
                    kPdfLineEnd + "/FontBBox [" + rpNum(m.BBoxLeft) + ' ' + rpNum(m.BBoxBottom) + ' ' +
                    rpNum(m.BBoxRight) + ' ' + rpNum(m.BBoxTop) + "]" + kPdfLineEnd + "/Ascent " + rpNum(m.Ascent) +
                    kPdfLineEnd + "/Descent " + rpNum(m.Descent) + kPdfLineEnd + "/CapHeight " + rpNum(m.CapHeight) +
                    kPdfLineEnd + "/AvgWidth " + rpNum(m.AvgWidth) + kPdfLineEnd + "/MaxWidth " + rpNum(m.MaxWidth) +
                    kPdfLineEnd + "/StemV " + rpNum(m.StemV) + kPdfLineEnd + "/ItalicAngle " + rpNum(m.ItalicAngle),
                m.DescriptorObject);
  }
}

void TVezoPDFExport::WriteInformation() {
  const QString title = Title.isEmpty() ? ReportTitle() : Title;
  QByteArray info = "/Author " + InfoText(Author) + kPdfLineEnd + "/CreationDate (" + PdfDate(Now()) + ")" +
                    kPdfLineEnd + "/Keywords " + InfoText(Keywords) + kPdfLineEnd + "/Creator " + InfoText(Creator) +
                    kPdfLineEnd + "/Title " + InfoText(title);
  if (!Subject.isEmpty()) info += kPdfLineEnd + "/Subject " + InfoText(Subject);
  info += kPdfLineEnd + "/Producer " + InfoText(VezoTexts::kProducer);
  WriteObject(info, kInfo);
}

void TVezoPDFExport::EndDocument() {
  // The pages written, which after a cancelled run are fewer than the prepared ones.
  WriteObject("/Type /Pages" + kPdfLineEnd + "/Count " + rpNum(pagesWritten_) + kPdfLineEnd + "/MediaBox [0 0 " +
                  FormatNumber(ToPoints(lastPageWidth_)) + ' ' + FormatNumber(ToPoints(lastPageHeight_)) + "]" +
                  kPdfLineEnd + "/Kids [" + kids_.trimmed() + "]" + kPdfLineEnd + "/Resources " + Ref(kResources),
              kPages);
  if (fonts_.isEmpty()) {
    TVezoTextRec arial;
    arial.Font.Name = QStringLiteral("Arial");
    FontNumber(arial);
  }
  QByteArray resources = "/Font <<" + kPdfLineEnd;
  for (qsizetype i = 0; i < fonts_.size(); ++i)
    resources += "/F" + rpNum(i) + ' ' + Ref(fonts_[i].FontObject) + kPdfLineEnd;
  resources += ">>" + kPdfLineEnd + "/ProcSet " + Ref(kProcSet);
  if (!images_.isEmpty()) {
    resources += kPdfLineEnd + "/XObject <<";
    for (qsizetype i = 0; i < images_.size(); ++i)
      resources += kPdfLineEnd + "/Img" + rpNum(i) + ' ' + Ref(images_[i].Object);
    resources += " >>";
  }
  WriteObject(resources, kResources);
  WriteObject(QByteArray("[/PDF /Text") + (ExportImages ? " /ImageC" : "") + "]", kProcSet);
  WriteFonts();
  WriteInformation();
  const qint64 start = Stream->pos();
  QByteArray table =
      "xref" + kPdfLineEnd + "0 " + rpNum(lastObject_ + 1) + kPdfLineEnd + "0000000000 65535 f" + kPdfLineEnd;
  for (auto it = xref_.begin(); it != xref_.end(); ++it)
    table += QByteArray::number(it.value()).rightJustified(10, '0') + " 00000 n" + kPdfLineEnd;
  Write(table + "trailer" + kPdfLineEnd + "<<" + kPdfLineEnd + "/Root " + Ref(kCatalog) + kPdfLineEnd + "/Info " +
        Ref(kInfo) + kPdfLineEnd + "/Size " + rpNum(lastObject_ + 1) + kPdfLineEnd + ">>" + kPdfLineEnd + "startxref" +
        kPdfLineEnd + rpNum(start) + kPdfLineEnd + "%%EOF");
  fonts_.clear();
  fontKeys_.clear();
  images_.clear();
  deflater_.reset();
  lastColor_ = {};
  TVezoExportFilter::EndDocument();
}
