#include "reports/export/vzRTFExport.h"
#include "core/Exception.h"
#include "core/gui/ColorConvert.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpSymbolFont.h"
#include "reports/engine/rpView.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/rpRTFExport.h"
#include "reports/export/vzExportDialogs.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QIODevice>
#include <QtCore/QLineF>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryFile>

namespace {

const QByteArray kRtfLineEnd = "\r\n";
const QString kDummyFont = QStringLiteral("RTFDummyFont");

// Every "\<word><number>" with a whole number (never part of a longer one)
// renumbered through `renumber`.
QByteArray Renumbered(const QByteArray& text, const QByteArray& word, const std::function<int(int)>& renumber) {
  const QRegularExpression pattern(QStringLiteral("\\\\%1(\\d+)").arg(QString::fromLatin1(word)));
  const QString source = QString::fromLatin1(text);
  QString result;
  qsizetype from = 0;
  for (auto it = pattern.globalMatch(source); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    result += source.mid(from, match.capturedStart() - from) + QLatin1Char('\\') + QString::fromLatin1(word) +
              QString::number(renumber(match.captured(1).toInt()));
    from = match.capturedEnd();
  }
  return (result + source.mid(from)).toLatin1();
}

} // namespace

TVezoRTFExport::TVezoRTFExport(QObject* owner) : TVezoExportFilter(owner) {
  Register(VezoTexts::kRtfDescription, QStringLiteral("*.rtf"));
}

TVezoRTFExport::~TVezoRTFExport() = default;

int TVezoRTFExport::OptionsDialog() {
  if (!ShowDialog) return 1;
  TVezoRTFExportDialog dialog(*this);
  return dialog.ShowModal();
}

double TVezoRTFExport::Twips(double exportUnits) const { return exportUnits / ScreenPixelsPerInch() * 72 * 20; }

QByteArray TVezoRTFExport::FormatTwips(double exportUnits) const { return rpNum(rpRoundEven(Twips(exportUnits))); }

void TVezoRTFExport::WriteBody(const QByteArray& text) {
  if (body_.size() + text.size() > BodyLimit) {
    // The body so far goes to a temporary file; it comes back before the rest at the end.
    if (!spill_) {
      spill_ = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("VeZOXXXXXX")));
      if (!spill_->open()) throw Exception(QStringLiteral("Dočasný súbor exportu sa nedá vytvoriť."));
      spilled_ = true;
    }
    if (spill_->write(body_) != body_.size()) throw Exception(QStringLiteral("Dočasný súbor exportu sa nedá zapísať."));
    body_.clear();
  }
  body_ += text;
}

void TVezoRTFExport::BeginDocument() {
  TVezoExportFilter::BeginDocument();
  body_.clear();
  tables_ = TTables();
  spill_.reset();
  spilled_ = false;
}

void TVezoRTFExport::BeginPage() {
  TVezoExportFilter::BeginPage();
  WriteBody("{" + kRtfLineEnd);
}

QByteArray TVezoRTFExport::EscapeRTFText(const QString& text) {
  QString plain = text;
  if (plain.endsWith(QStringLiteral("\r\n"))) plain.chop(2);
  plain.remove(QChar(1));
  QByteArray out;
  const QStringList lines = plain.split(QStringLiteral("\r\n"));
  for (qsizetype i = 0; i < lines.size(); ++i)
    out += (i > 0 ? "\r\n\\par " : "") + rpRtfText(lines[i]);
  return out;
}

int TVezoRTFExport::ColorIndex(TColor color) {
  const QString hex = ColorToHex(color);
  qsizetype at = tables_.Colors.indexOf(hex);
  if (at < 0) {
    tables_.Colors.append(hex);
    at = tables_.Colors.size() - 1;
  }
  return int(at) + 1;
}

QByteArray TVezoRTFExport::Shape(int type, const QRectF& twips, const QByteArray& properties, bool behind) {
  const auto n = [](double v) { return rpNum(rpRoundEven(v)); };
  // Placed on the page; no text flows around it.
  return "{\\shp{\\*\\shpinst\\shpleft" + n(twips.left()) + "\\shptop" + n(twips.top()) + "\\shpright" +
         n(twips.right()) + "\\shpbottom" + n(twips.bottom()) +
         "\\shpfhdr0\\shpbxpage\\shpbxignore\\shpbypage\\shpbyignore\\shpwr3\\shpwrk0\\shpfblwtxt" +
         rpNum(behind ? 1 : 0) + Property("shapeType", type) + properties + "}}" + kRtfLineEnd;
}

qint64 TVezoRTFExport::ColorRef(TColor color) {
  const QColor c = ToQColor(color);
  return qint64(c.red()) | qint64(c.green()) << 8 | qint64(c.blue()) << 16;
}

QByteArray TVezoRTFExport::Property(const char* name, qint64 value) {
  return QByteArray("{\\sp{\\sn ") + name + "}{\\sv " + rpNum(value) + "}}";
}

QByteArray TVezoRTFExport::FrameShape(const TVezoDataRec& item, bool filledBox) const {
  const double l = Twips(item.Left), t = Twips(item.Top), w = Twips(item.Width), h = Twips(item.Height);
  // A twip is 635 English metric units, the unit of a shape's line width.
  const QByteArray line = Property("lineColor", ColorRef(item.FrameColor)) +
                          Property("lineWidth", qint64(rpRoundEven(Twips(vzToExportUnits(item.FrameWidth)))) * 635);
  const bool filled = item.FillColor != clNone && !filledBox;
  const QByteArray fill =
      !filled ? Property("fFilled", 0) : Property("fillColor", ColorRef(item.FillColor)) + Property("fFilled", 1);
  QByteArray out;
  if (item.FrameTyp == 15 || filled)
    out += Shape(kRectangle, QRectF(l, t, w, h),
                 (item.FrameTyp == 15 ? Property("fLine", 1) + line : Property("fLine", 0)) + fill, filled);
  if (item.FrameTyp != 15) {
    const struct {
      int flag;
      QLineF side;
    } sides[] = {
        {8, {l, t, l + w, t}}, {1, {l + w, t, l + w, t + h}}, {2, {l, t + h, l + w, t + h}}, {4, {l, t, l, t + h}}};
    for (const auto& side : sides)
      if (item.FrameTyp & side.flag)
        out += Shape(kLine, QRectF(side.side.p1(), side.side.p2()), Property("fLine", 1) + line);
  }
  return out;
}

QByteArray TVezoRTFExport::PictureElement(TVezoDataRec& item) {
  const bool jpeg = ExportImageFormat == ifJPG;
  QByteArray element = "\\par\\pard\\pvpg\\phpg\\posx" + FormatTwips(item.Left) + "\\posy" + FormatTwips(item.Top) +
                       "{\\pict" + (jpeg ? "\\jpegblip" : "\\wmetafile8") + "\\picscalex100\\picscaley100" +
                       "\\picbmp\\picbpp4" + kRtfLineEnd;
  if (jpeg) {
    const QByteArray data = GraphicToJPEGStream(item.Picture, JPEGQuality);
    element += GraphicDataInBinary ? "\\bin" + rpNum(data.size()) + ' ' + data : data.toHex().toUpper();
  } else {
    const QByteArray bmp = vzBitmapFile(item.Picture);
    element += TrpRTFExport::MetafileWrapperHex(quint32(bmp.size()), item.Picture.width(), item.Picture.height()) +
               bmp.mid(14).toHex().toUpper() + "030000000000";
  }
  item.Picture = QImage();
  return element + "}";
}

QByteArray TVezoRTFExport::TextRun(const TVezoDataRec& item) {
  const quint8 a = item.AlignFlags;
  QByteArray alignment = (a & 1) ? "\\ql" : (a & 2) ? "\\qr" : (a & 32) ? "\\qc" : (a & 16) ? "\\qj" : "";
  alignment.prepend((a & 4) ? "\\vertalt" : (a & 8) ? "\\vertalb" : (a & 64) ? "\\vertalc" : "");
  // The default character set is the program's code page 1250 (Central European, 238).
  const int charset = item.Font.Charset == 1 ? 238 : item.Font.Charset;
  const QString fontEntry = QString::number(charset) + QLatin1Char(' ') + item.Font.Name;
  qsizetype font = tables_.Fonts.indexOf(fontEntry);
  if (font < 0) {
    tables_.Fonts.append(fontEntry);
    font = tables_.Fonts.size() - 1;
  }
  QByteArray opening =
      "\\f" + rpNum(font) + "\\cf" + rpNum(ColorIndex(item.Font.Color)) + "\\fs" + rpNum(item.Font.Size * 2);
  QByteArray closing;
  const std::pair<bool, const char*> styles[] = {{item.Font.Bold(), "\\b"},
                                                 {item.Font.Italic(), "\\i"},
                                                 {item.Font.StrikeOut(), "\\strike"},
                                                 {item.Font.Underline(), "\\ul"}};
  for (const auto& [on, word] : styles)
    if (on) {
      opening += QByteArray(" ") + word;
      closing += QByteArray(" ") + word + "0";
    }
  opening += alignment;
  // A check-box mark is the same mark as a Unicode character.
  const QByteArray text = item.Symbol ? "\\u" + rpNum(rpSymbolChar(quint8(item.Text.at(0).unicode())).unicode()) + "?"
                                      : EscapeRTFText(item.Text);
  return opening + ' ' + text + closing;
}

QByteArray TVezoRTFExport::TextParagraph(const TVezoDataRec& item) {
  QByteArray out = "\\par\\pard\\pvpg\\phpg\\absw" + FormatTwips(item.Width);
  if (!item.Stretched || item.Symbol) out += "\\absh-" + FormatTwips(item.Height);
  return out + "\\posy" + FormatTwips(item.Top) + "\\posx" + FormatTwips(item.Left) + TextRun(item) + kRtfLineEnd;
}

QByteArray TVezoRTFExport::FilledTextBox(const TVezoDataRec& item) {
  const quint8 a = item.AlignFlags;
  const int anchor = (a & 8) ? 2 : (a & 64) ? 1 : 0; // bottom, middle, top
  QByteArray properties = Property("fLine", 0) + Property("fillColor", ColorRef(item.FillColor)) +
                          Property("fFilled", 1) + Property("anchorText", anchor);
  for (const char* inset : {"dxTextLeft", "dyTextTop", "dxTextRight", "dyTextBottom"})
    properties += Property(inset, 0);
  const double l = Twips(item.Left), t = Twips(item.Top);
  QByteArray box = Shape(kTextBox, QRectF(l, t, Twips(item.Width), Twips(item.Height)), properties);
  box.insert(box.lastIndexOf("}}"), "{\\shptxt \\pard\\plain" + TextRun(item) + "\\par}");
  return box;
}

QByteArray TVezoRTFExport::RichTextBox(const QByteArray& rtf, TTables& tables) {
  QByteArray text = rtf;
  const qsizetype start = text.indexOf("{\\rtf1");
  text = start < 0 ? QByteArray() : text.mid(start);
  qsizetype headerEnd = 0;
  // Fonts: every number of the rich text's font table gets an entry of the document's.
  const qsizetype fontsFrom = text.indexOf("{\\f0"), fontsTo = text.indexOf(";}}");
  if (fontsFrom >= 0 && fontsTo > fontsFrom) {
    QByteArray fonts = text.mid(fontsFrom, fontsTo + 2 - fontsFrom);
    text.remove(fontsFrom, fonts.size());
    QMap<int, int> numbers;
    const QRegularExpression definition(QStringLiteral("\\{\\\\f(\\d+)"));
    for (auto it = definition.globalMatch(QString::fromLatin1(fonts)); it.hasNext();) {
      tables.Fonts.append(kDummyFont);
      numbers.insert(it.next().captured(1).toInt(), int(tables.Fonts.size()) - 1);
    }
    const auto renumber = [&numbers](int n) { return numbers.value(n, n); };
    fonts = Renumbered(fonts, "f", renumber);
    text = Renumbered(text, "f", renumber);
    tables.RichFontDefs += fonts;
    headerEnd = fontsFrom;
  }
  // Colours: each definition becomes an entry of the document's table.
  const qsizetype colorsFrom = text.indexOf("\\colortbl");
  const qsizetype colorsTo = colorsFrom < 0 ? -1 : text.indexOf('}', colorsFrom);
  if (colorsFrom >= 0 && colorsTo > colorsFrom) {
    const QByteArray colors = text.mid(colorsFrom, colorsTo - colorsFrom);
    QMap<int, int> numbers;
    int count = 0;
    for (qsizetype at = colors.indexOf("\\red"); at >= 0; at = colors.indexOf("\\red", at + 1)) {
      const qsizetype end = colors.indexOf(';', at);
      tables.Colors.append(QString::fromLatin1(colors.mid(at, end < 0 ? -1 : end + 1 - at)));
      numbers.insert(++count, int(tables.Colors.size()));
    }
    text = Renumbered(text, "cf", [&numbers](int n) { return numbers.value(n, n); });
    headerEnd = text.indexOf('}', text.indexOf("\\colortbl")) + 1;
  }
  // The text keeps its opening brace and loses its header.
  if (headerEnd > 1) text.remove(1, headerEnd - 1);
  text.replace("\\lang1049\\", "\\");
  text.replace("\\viewkind4", "\\viewkind1");
  return "{" + text + "}}}}" + kRtfLineEnd;
}

void TVezoRTFExport::EndPage() {
  // Frames, fills and filled texts are shapes drawn over the page's positioned
  // paragraphs (which readers paint opaque), so they come after all of them.
  QByteArray shapes;
  for (const auto& entry : DataItems) {
    vzLetEventsThrough();
    TVezoDataRec& item = *entry;
    const double l = Twips(item.Left), t = Twips(item.Top), w = Twips(item.Width), h = Twips(item.Height);
    if (!item.RichStream.isEmpty()) {
      WriteBody("{\\lang1024 {\\*\\do\\dobxpage\\dobypage\\dptxbx{\\dptxbxtext\\dpx" + rpNum(rpRoundEven(l)) + "\\dpy" +
                rpNum(rpRoundEven(t)) + "\\dpxsize" + rpNum(rpRoundEven(w + 1)) + "\\dpysize" +
                rpNum(rpRoundEven(h + 1)) + "\\dplinehollow");
      WriteBody(RichTextBox(item.RichStream, tables_));
    }
    if (ExportImages && item.IsPictureItem() && item.ClassName != QLatin1String("TrpRichView") &&
        item.PictureWidth > 0 && !item.Picture.isNull())
      WriteBody(PictureElement(item));
    const bool plain = item.ClassName == QLatin1String("TrpMemoView") && !item.Rotated;
    const bool box = item.ClassName == QLatin1String("TrpCheckBoxView");
    const bool framed = ExportFrames && (plain || box || item.ClassName == QLatin1String("TrpLineView"));
    // A filled text is a text box of its own colour: a fill behind an opaque paragraph would not show.
    const bool filledBox = framed && plain && !item.Text.isEmpty() && item.FillColor != clNone;
    if (filledBox) shapes += FilledTextBox(item);
    if (framed) shapes += FrameShape(item, filledBox);
    if (plain && !item.Text.isEmpty() && !filledBox) WriteBody(TextParagraph(item));
    if (box && !item.Text.isEmpty()) {
      // The mark's paragraph inside the frame, clear of the frame's lines.
      TVezoDataRec mark = item;
      const double frame = ExportFrames && item.FrameTyp ? vzToExportUnits(item.FrameWidth) : 0;
      mark.Left += frame;
      mark.Top += frame;
      mark.Width = std::max(0.0, mark.Width - 2 * frame);
      mark.Height = std::max(0.0, mark.Height - 2 * frame);
      WriteBody(TextParagraph(mark));
    }
  }
  // The break stands in a plain paragraph: readers anchor the page's
  // positioned paragraphs to the paragraph after them, which must lie on this
  // page. The shapes follow in one more, so that they lie over all of them.
  const bool last = PageIndex >= rpActiveReport().EMFPages.Count() - 1;
  if (last && shapes.isEmpty())
    WriteBody("\\par}" + kRtfLineEnd);
  else
    WriteBody("\\par\\pard\\plain\\par " + shapes + (last ? "\\par}" : "\\page}") + kRtfLineEnd);
  TVezoExportFilter::EndPage();
}

QByteArray TVezoRTFExport::Header() {
  const TrpReport& report = rpActiveReport();
  QByteArray fonts;
  for (qsizetype i = 0; i < tables_.Fonts.size(); ++i) {
    if (tables_.Fonts[i] == kDummyFont) continue;
    const qsizetype blank = tables_.Fonts[i].indexOf(QLatin1Char(' '));
    fonts += "{\\f" + rpNum(i) + "\\fnil\\fcharset" + tables_.Fonts[i].left(blank).toLatin1() + ' ' +
             rpRtfText(tables_.Fonts[i].mid(blank + 1)) + ";}";
  }
  QByteArray colors;
  for (const QString& entry : tables_.Colors) {
    if (entry.contains(QLatin1String("\\red"))) {
      colors += entry.toLatin1();
      continue;
    }
    const quint32 rgb = entry.toUInt(nullptr, 16);
    colors +=
        "\\red" + rpNum((rgb >> 16) & 0xFF) + "\\green" + rpNum((rgb >> 8) & 0xFF) + "\\blue" + rpNum(rgb & 0xFF) + ';';
  }
  const QDateTime now = Now();
  const QString title = Title.isEmpty() ? ReportTitle() : Title;
  // The information is escaped like any text; paper, margins and orientation all come from the first page.
  QByteArray header = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deftab720{\\fonttbl" + fonts + tables_.RichFontDefs + "}" +
                      "{\\colortbl;" + colors + "}" + "{\\info{\\title " + rpRtfText(title) + "}";
  if (!Subject.isEmpty()) header += "{\\subject " + rpRtfText(Subject) + "}";
  header += "{\\author " + rpRtfText(Author) + "}{\\keywords " + rpRtfText(Keywords) + "}{\\doccomm " +
            rpRtfText(VezoTexts::kProducer) + "}{\\creatim\\yr" + rpNum(now.date().year()) + "\\mo" +
            rpNum(now.date().month()) + "\\dy" + rpNum(now.date().day()) + "\\hr" + rpNum(now.time().hour()) + "\\min" +
            rpNum(now.time().minute()) + "}}\\viewkind1";
  if (report.EMFPages.Count() > 0) {
    const TrpEMFPage& first = report.EMFPages.GetPage(0);
    const auto twips = [this](int reportPixels) { return FormatTwips(vzToExportUnits(reportPixels)); };
    const QSizeF paper = vzPaperInches(first) * 1440;
    header += "\\paperw" + rpNum(rpRoundEven(paper.width())) + "\\paperh" + rpNum(rpRoundEven(paper.height())) +
              "\\margl" + twips(first.LeftMargin) + "\\margr" + twips(first.RightMargin) + "\\margt" +
              twips(first.TopMargin) + "\\margb" + twips(first.BottomMargin) +
              (first.Orientation == 1 ? "\\landscape" : "");
  }
  return header + "\\headery0\\footery0" + kRtfLineEnd;
}

void TVezoRTFExport::EndDocument() {
  Stream->write(Header());
  if (spill_) {
    spill_->seek(0);
    while (!spill_->atEnd())
      Stream->write(spill_->read(1 << 20));
    spill_.reset(); // the temporary file goes with it
  }
  Stream->write(body_ + "}");
  body_.clear();
  TVezoExportFilter::EndDocument();
}
