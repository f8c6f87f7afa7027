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
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryFile>

namespace {

const QByteArray kRtfLineEnd = "\r\n";
const QString kDummyFont = QStringLiteral("RTFDummyFont");

QByteArray Components(const char* r, const char* g, const char* b, TColor color) {
  const QColor c = ToQColor(color);
  return QByteArray(r) + rpNum(c.red()) + g + rpNum(c.green()) + b + rpNum(c.blue());
}

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

QByteArray TVezoRTFExport::LineObject(double x1, double y1, double x2, double y2, const QByteArray& lineText) const {
  const auto t = [](double v) { return rpNum(rpRoundEven(v)); };
  return "{\\*\\do\\dobxpage\\dobypage\\dpline\\dpptx0\\dppty0\\dpptx" + t(x2 - x1) + "\\dppty" + t(y2 - y1) + "\\dpx" +
         t(x1) + "\\dpy" + t(y1) + "\\dpxsize" + t(x2 - x1 + 1) + "\\dpysize" + t(y2 - y1 + 1) + "\\dplinesolid" +
         lineText;
}

QByteArray TVezoRTFExport::FrameShape(const TVezoDataRec& item) const {
  const double l = Twips(item.Left), t = Twips(item.Top), w = Twips(item.Width), h = Twips(item.Height);
  const QByteArray fill = item.FillColor == clNone
                              ? QByteArray("\\dpfillpat0")
                              : Components("\\dpfillfgcr", "\\dpfillfgcg", "\\dpfillfgcb", item.FillColor) +
                                    Components("\\dpfillbgcr", "\\dpfillbgcg", "\\dpfillbgcb", item.FillColor) +
                                    "\\dpfillpat1";
  const QByteArray lineText = Components("\\dplinecor", "\\dplinecog", "\\dplinecob", item.FrameColor) + "\\dplinew" +
                              FormatTwips(vzToExportUnits(item.FrameWidth));
  const auto n = [](double v) { return rpNum(rpRoundEven(v)); };
  const QByteArray box = "{\\*\\do\\dobxpage\\dobypage\\dprect\\dpx" + n(l) + "\\dpy" + n(t) + "\\dpxsize" + n(w + 1) +
                         "\\dpysize" + n(h + 1);
  QByteArray out;
  if (item.FrameTyp == 15 || item.FillColor != clNone)
    out += box + (item.FrameTyp == 15 ? "\\dplinesolid" + lineText : QByteArray("\\dplinehollow")) + fill + "}" +
           kRtfLineEnd;
  if (item.FrameTyp != 15) {
    const struct {
      int flag;
      double x1, y1, x2, y2;
    } sides[] = {{8, l, t, l + w, t}, {1, l + w, t, l + w, t + h}, {2, l, t + h, l + w, t + h}, {4, l, t, l, t + h}};
    for (const auto& side : sides)
      if (item.FrameTyp & side.flag)
        out += LineObject(side.x1, side.y1, side.x2, side.y2, lineText) + "}" + kRtfLineEnd;
  }
  if (out.isEmpty()) out = box + "\\dplinehollow }" + kRtfLineEnd; // an invisible rectangle
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

QByteArray TVezoRTFExport::TextParagraph(const TVezoDataRec& item) {
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
  QByteArray out = "\\par\\pard\\pvpg\\phpg\\absw" + FormatTwips(item.Width);
  if (!item.Stretched || item.Symbol) out += "\\absh-" + FormatTwips(item.Height);
  return out + "\\posy" + FormatTwips(item.Top) + "\\posx" + FormatTwips(item.Left) + opening + ' ' + text + closing +
         kRtfLineEnd;
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
    if (ExportFrames && (plain || box || item.ClassName == QLatin1String("TrpLineView")))
      WriteBody("{\\lang1024 " + FrameShape(item) + "}");
    if (plain && !item.Text.isEmpty()) WriteBody(TextParagraph(item));
    if (box && !item.Text.isEmpty()) {
      // The mark's paragraph inside the frame: a reader paints it over the frame's lines.
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
  // positioned paragraphs to the paragraph after them, which must lie on this page.
  const bool last = PageIndex >= rpActiveReport().EMFPages.Count() - 1;
  WriteBody((last ? "\\par}" : "\\par\\pard\\plain\\page}") + kRtfLineEnd);
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
