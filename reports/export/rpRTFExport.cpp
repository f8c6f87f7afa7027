#include "reports/export/rpRTFExport.h"
#include "core/CodePage1250.h"
#include "reports/engine/rpPictureView.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/rpTextExportForms.h"
#include "reports/export/vzExportFilter.h"
#include <QtCore/QIODevice>
#include <algorithm>

namespace {

// The engine lays pages out at kReportUnitsPerInch; RTF measures in twips.
constexpr double kTwipsPerUnit = 1440 / kReportUnitsPerInch;
// The print form's horizontal scale: positions stay where the page has them.
constexpr double kNaturalScaleX = 1.3;

QByteArray LE32(quint32 v) {
  QByteArray bytes;
  for (int i = 0; i < 4; ++i)
    bytes += char((v >> (8 * i)) & 0xFF);
  return bytes.toHex().toUpper();
}

QByteArray LE16(quint32 v) {
  QByteArray bytes;
  bytes += char(v & 0xFF);
  bytes += char((v >> 8) & 0xFF);
  return bytes.toHex().toUpper();
}

} // namespace

QByteArray rpRtfText(const QString& text) {
  QByteArray out;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == '\\' || u == '{' || u == '}') {
      out += '\\';
      out += char(u);
    } else if (u == '\t') {
      out += "\\tab ";
    } else if (u < 0x80) {
      out += char(u);
    } else {
      const int byte = Cp1250::FromUnicode(u);
      out += "\\'" + QByteArray::number(byte < 0 ? int('?') : byte, 16).rightJustified(2, '0');
    }
  }
  return out;
}

TrpRTFExport::TrpRTFExport(QObject* owner) : TrpTextExport(owner, false) {
  ScaleX = 1.3;
  ScaleY = 1;
  KillEmptyLines = true;
  PageBreaks = true;
  Register(rpLoadStr(55218) + QStringLiteral(" (*.rtf)"), QStringLiteral("*.rtf"));
}

int TrpRTFExport::OptionsDialog() {
  if (!ShowDialog) return 1;
  TrpRTFExportForm form(*this);
  return form.Execute();
}

int TrpRTFExport::Twips(double x) const { return rpRoundEven(x * kTwipsPerUnit * ScaleX / kNaturalScaleX); }

int TrpRTFExport::UnscaledTwips(double y) { return rpRoundEven(y * kTwipsPerUnit); }

int TrpRTFExport::FromMargin(double x) const { return std::max(0, Twips(x) - leftMargin_); }

QByteArray TrpRTFExport::PaperAndMargins() {
  const TrpReport& report = rpActiveReport();
  leftMargin_ = topMargin_ = kDefaultMargin;
  if (report.EMFPages.Count() == 0) return "\\margl600\\margr600\\margt600\\margb600";
  // The first page's paper and margins, so that each page's lines fit its width and height as in the preview.
  const TrpEMFPage& page = report.EMFPages.GetPage(0);
  const auto margin = [](int units) { return units > 0 ? UnscaledTwips(units) : kDefaultMargin; };
  leftMargin_ = margin(page.LeftMargin);
  topMargin_ = margin(page.TopMargin);
  const QSizeF paper = vzPaperInches(page) * 1440;
  return "\\paperw" + rpNum(rpRoundEven(paper.width())) + "\\paperh" + rpNum(rpRoundEven(paper.height())) +
         (page.Orientation == 1 ? "\\landscape" : "") + "\\margl" + rpNum(leftMargin_) + "\\margr" +
         rpNum(margin(page.RightMargin)) + "\\margt" + rpNum(margin(page.TopMargin)) + "\\margb" +
         rpNum(margin(page.BottomMargin));
}

void TrpRTFExport::BeginDocument() {
  pageWritten_ = false;
  fonts_.clear();
  colors_.clear();
  pictures_.clear();
  body_.clear();
  // The code page is declared, so readers decode the text's \'hh bytes as 1250.
  Stream->write("{\\rtf1\\ansi\\ansicpg1250\r\n" + PaperAndMargins() + "\r\n");
}

void TrpRTFExport::ObjectData(int x, int y, TrpView* object) {
  auto* picture = dynamic_cast<TrpPictureView*>(object);
  if (!ExportBitmaps || !picture || picture->Picture.IsEmpty()) return;
  // Every kind of graphic is turned into a bitmap first: the picture is written as one.
  const QImage image = rpGraphicAsImage(*picture);
  if (!image.isNull()) pictures_.append({x, y, picture->Width, picture->Height, image});
}

QByteArray TrpRTFExport::MetafileHex(const QByteArray& bmp, int width, int height) {
  QByteArray hex = MetafileWrapperHex(quint32(bmp.size()), width, height);
  const QByteArray dib = bmp.mid(14);
  for (qsizetype at = 0; at < dib.size(); at += 64) {
    const QByteArray chunk = dib.mid(at, 64);
    hex += chunk.toHex().toUpper();
    if (chunk.size() == 64) hex += "\r\n";
  }
  return hex;
}

QByteArray TrpRTFExport::MetafileWrapperHex(quint32 size, int width, int height) {
  const quint32 g = size / 2 + 7;
  QByteArray hex = "010009000003" + LE32(g + 36) + "0000" + LE32(g) + "0000";
  hex += "050000000b0200000000";
  hex += "050000000c02" + LE16(quint32(height)) + LE16(quint32(width));
  hex += "05000000090200000000";
  hex += "050000000102ffffff00";
  hex += "0400000007010300";
  hex += LE32(g) + "430f2000cc000000" + LE16(quint32(height)) + LE16(quint32(width)) + "00000000" +
         LE16(quint32(height)) + LE16(quint32(width)) + "00000000\r\n";
  return hex;
}

void TrpRTFExport::WritePicture(const TStoredPicture& picture) {
  const QByteArray bmp = vzBitmapFile(picture.Image);
  // The metafile's own size in hundredths of a millimetre is the size it is shown at.
  const auto hundredths = [](double twips) { return rpNum(rpRoundEven(twips * 2540 / 1440)); };
  const int width = Twips(picture.Width), height = UnscaledTwips(picture.Height);
  body_ += "\\pard\\phmrg\\posx" + rpNum(FromMargin(picture.X)) + "\\posy" +
           rpNum(std::max(0, UnscaledTwips(picture.Y) - topMargin_)) + "\\absh" + rpNum(height) + "\\absw" +
           rpNum(width) + "{\\pict\\wmetafile8\\picw" + hundredths(width) + "\\pich" + hundredths(height) +
           " \\picbmp\\picbpp4\r\n";
  body_ += MetafileHex(bmp, picture.Image.width(), picture.Image.height());
  body_ += "030000000000}\\par\r\n";
}

QByteArray TrpRTFExport::Formatting(const TrpExportTextLine& record, const TrpExportTextLine* previous) {
  quint32 color = record.FontColor;
  if (color == 0xFFFFFF) color = 0;
  qsizetype font = fonts_.indexOf(record.FontName);
  if (font < 0) {
    fonts_.append(record.FontName);
    font = fonts_.size() - 1;
  }
  const QString colorText = QString::number(color);
  qsizetype colorIndex = colors_.indexOf(colorText);
  if (colorIndex < 0) {
    colors_.append(colorText);
    colorIndex = colors_.size() - 1;
  }
  QByteArray out;
  const bool all = !previous;
  if (all || previous->FontName != record.FontName) out += "\\f" + rpNum(font);
  if (all || previous->FontSize != record.FontSize) out += "\\fs" + rpNum(qint64(record.FontSize) * 2);
  if (all || previous->FontStyle != record.FontStyle) {
    const int style = record.FontStyle & 7;
    const int ended = previous ? previous->FontStyle & 7 & ~style : 0;
    // A style that ends within the row is switched off, so it does not run on.
    if (ended & 1) out += "\\i0";
    if (ended & 2) out += "\\b0";
    if (ended & 4) out += "\\ul0";
    if (style & 1) out += "\\i";
    if (style & 2) out += "\\b";
    if (style & 4) out += "\\ul";
  }
  quint32 previousColor = previous ? previous->FontColor : 0;
  if (previousColor == 0xFFFFFF) previousColor = 0;
  if (all || previousColor != color) out += "\\cf" + rpNum(colorIndex + 1);
  return out;
}

void TrpRTFExport::WriteParagraphRow(const QList<TrpExportTextLine>& chain) {
  QByteArray head = "\\pard";
  QByteArray text;
  const TrpExportTextLine* previous = nullptr;
  for (const TrpExportTextLine& record : chain) {
    const int stop = FromMargin(record.X);
    // A text at the margin starts the paragraph: a tab there would jump on to the next stop.
    if (stop > 0 || previous) {
      if ((record.Alignment & 7) == 1) head += "\\tqr";
      head += "\\tx" + rpNum(stop);
      text += "\\tab";
    }
    text += Formatting(record, previous) + " " + rpRtfText(record.Text);
    previous = &record;
  }
  body_ += head + "{" + text + "\\par}\r\n";
}

void TrpRTFExport::WriteTableRow(const QList<TrpExportTextLine>& chain) {
  QByteArray head = "\\trowd \\trgaph108";
  QByteArray text;
  for (qsizetype i = 0; i < chain.size(); ++i) {
    if (i > 0) head += "\\cellx" + rpNum(FromMargin(chain[i].X));
    text += "{" + Formatting(chain[i], nullptr) + " " + rpRtfText(chain[i].Text) + "}\\cell ";
  }
  head +=
      "\\cellx" + rpNum(FromMargin(chain.last().DrawRect.right())) + " \\trleft" + rpNum(FromMargin(chain.first().X));
  body_ += head + " \\pard \\intbl " + text + "\\pard \\intbl \\row\r\n";
}

void TrpRTFExport::EndPage() {
  if (pageWritten_ && PageBreaks) body_ += "\\page\r\n";
  if (ExportBitmaps)
    for (const TStoredPicture& picture : pictures_)
      WritePicture(picture);
  const int last = LastUsedLine();
  for (int i = 0; i <= last; ++i) {
    const QList<TrpExportTextLine>& chain = CollectedLines[i];
    if (chain.isEmpty()) {
      if (!KillEmptyLines) body_ += "{\\pard \\par}\r\n";
    } else if (ConvertToTable) {
      WriteTableRow(chain);
    } else {
      WriteParagraphRow(chain);
    }
  }
  if (ConvertToTable) body_ += "\\pard\r\n";
  pageWritten_ = true;
  pictures_.clear();
}

void TrpRTFExport::WriteTable(const QByteArray& start, const QList<QByteArray>& entries) {
  QByteArray line = start;
  for (const QByteArray& entry : entries) {
    // Long tables are wrapped between entries, never inside one.
    if (line.size() + entry.size() > 254) {
      Stream->write(line + "\r\n");
      line.clear();
    }
    line += entry;
  }
  Stream->write(line + "}\r\n");
}

void TrpRTFExport::EndDocument() {
  body_ += "\\par}";
  QList<QByteArray> fontEntries;
  for (qsizetype i = 0; i < fonts_.size(); ++i)
    fontEntries.append("{\\f" + rpNum(i) + " " + rpRtfText(fonts_[i]) + ";}");
  WriteTable("{\\fonttbl", fontEntries);
  QList<QByteArray> colorEntries;
  for (const QString& text : colors_) {
    const quint32 c = text.toUInt();
    colorEntries.append("\\red" + rpNum(c & 0xFF) + "\\green" + rpNum((c >> 8) & 0xFF) + "\\blue" +
                        rpNum((c >> 16) & 0xFF) + ";");
  }
  WriteTable("{\\colortbl;", colorEntries);
  Stream->write(body_);
}
