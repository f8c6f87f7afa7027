#include "reports/export/vzHTMLExport.h"
#include "core/CodePage1250.h"
#include "core/Exception.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpSymbolFont.h"
#include "reports/engine/rpView.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/vzExportDialogs.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QIODevice>
#include <QtGui/QImage>

namespace {

const QByteArray kHtmlLineEnd = "\r\n";

QByteArray RoundedNum(double value) { return QByteArray::number(rpRoundEven(value)); }

// Text in the document's code page: its letters as bytes, anything else as a character reference.
QByteArray Encoded(const QString& text) {
  QByteArray out;
  for (const QChar c : text) {
    const int byte = Cp1250::FromUnicode(c.unicode());
    if (byte >= 0)
      out += char(byte);
    else
      out += "&#" + QByteArray::number(c.unicode()) + ';';
  }
  return out;
}

// An attribute's value: escaped so that it stays inside its quotes.
QByteArray AttributeText(const QString& text) { return Encoded(text.toHtmlEscaped()); }

QByteArray Hex(TColor color) { return ColorToHex(color).toLatin1(); }

} // namespace

TVezoHTMLExport::TVezoHTMLExport(QObject* owner) : TVezoExportFilter(owner) {
  LinkTextFirst = QString(QChar(char16_t(kSymbolArrowUp)));
  LinkTextPrev = QString(QChar(char16_t(kSymbolArrowLeft)));
  LinkTextNext = QString(QChar(char16_t(kSymbolArrowRight)));
  LinkTextLast = QString(QChar(char16_t(kSymbolArrowDown)));
  Register(VezoTexts::kHtmlDescription, QStringLiteral("*.htm"));
}

int TVezoHTMLExport::OptionsDialog() {
  if (!ShowDialog) return 1;
  TVezoHTMLExportDialog dialog(*this);
  QCoreApplication::processEvents();
  return dialog.ShowModal();
}

QByteArray TVezoHTMLExport::HTMLText(const QString& text) {
  const QString raw = QString(3, QChar(1));
  if (text.startsWith(raw)) return Encoded(text.mid(3));
  QString escaped = text.toHtmlEscaped();
  escaped.replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
  return Encoded(escaped);
}

QByteArray TVezoHTMLExport::LinkText(const QString& text) const { return HTMLText(vzSymbolMarks(text, LinkFontName)); }

bool TVezoHTMLExport::NavigatorShown() const {
  return SeparateFilePerPage && ShowNavigator && rpActiveReport().EMFPages.Count() > 1;
}

double TVezoHTMLExport::PageOffset() const {
  return SeparateFilePerPage ? 0 : rpRoundEven(PageHeight + 2) * double(PageIndex);
}

void TVezoHTMLExport::MeasureNavigator() {
  if (UseTextLinks) {
    TVezoFontInfo font;
    font.Name = LinkFontName;
    font.Size = LinkFontSize;
    const QSize size = MeasureText(font.ScreenFont(), LinkTextFirst + QLatin1Char(' '));
    navigatorWidth_ = 4.0 * size.width();
    navigatorHeight_ = size.height();
    return;
  }
  const QImage first(LinkImgSRCFirst);
  if (first.isNull()) throw Exception(QStringLiteral("Obrázok %1 sa nedá načítať.").arg(LinkImgSRCFirst));
  navigatorWidth_ = 10.0 * first.width();
  navigatorHeight_ = 1.5 * first.height();
}

void TVezoHTMLExport::BeginDocument() {
  TVezoExportFilter::BeginDocument();
  ImageFiles.clear();
  imageNameIndices_.clear();
  PageFiles.clear();
  lastReference_.clear();
  const QDir folder = QFileInfo(FileName).absoluteDir();
  const int pages = rpActiveReport().EMFPages.Count();
  PageFiles.append(FileName);
  for (int n = 2; n <= pages; ++n)
    PageFiles.append(folder.filePath(PageFileName(FileName, n, QStringLiteral("htm"))));
  imageFolderPath_ = folder.absolutePath();
  imageFolderURL_.clear();
  const QString dir = ImageDir.trimmed();
  if (!dir.isEmpty()) {
    imageFolderPath_ =
        QDir::cleanPath(folder.absoluteFilePath(QString(dir).replace(QLatin1Char('\\'), QLatin1Char('/'))));
    if (!QDir().mkpath(imageFolderPath_))
      throw Exception(QStringLiteral("Priečinok %1 sa nedá vytvoriť.").arg(imageFolderPath_));
    imageFolderURL_ = QString(dir).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!imageFolderURL_.endsWith(QLatin1Char('/'))) imageFolderURL_ += QLatin1Char('/');
  }
  MeasureNavigator();
}

QByteArray TVezoHTMLExport::PageHeader() const {
  const QString title = Title.isEmpty() ? ReportTitle() : Title;
  QByteArray out = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">" + kHtmlLineEnd + "<HTML> <HEAD>" +
                   kHtmlLineEnd + "<TITLE>" + HTMLText(title) + "</TITLE>" + kHtmlLineEnd;
  // The code page said where browsers read it; the values escaped.
  out += "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1250\">" + kHtmlLineEnd;
  out += "<META HTTP-EQUIV=\"Content-Style-Type\" CONTENT=\"text/css\">" + kHtmlLineEnd;
  out += "<META NAME=\"Keywords\" CONTENT=\"" + AttributeText(Keywords) + "\">" + kHtmlLineEnd;
  out += "<META NAME=\"Author\" CONTENT=\"" + AttributeText(Author) + "\">" + kHtmlLineEnd;
  out += "<META NAME=\"Creator\" CONTENT=\"" + AttributeText(Creator) + "\">" + kHtmlLineEnd;
  if (!Subject.isEmpty()) out += "<META NAME=\"Subject\" CONTENT=\"" + AttributeText(Subject) + "\">" + kHtmlLineEnd;
  out += "<META NAME=\"Producer\" CONTENT=\"" + AttributeText(VezoTexts::kProducer) + "\">" + kHtmlLineEnd;
  if (SeparateFilePerPage && ShowNavigator) {
    const QByteArray font = QByteArray::number(LinkFontSize) + "pt " + AttributeText(LinkFontName);
    out += "<STYLE TYPE=\"text/css\">" + kHtmlLineEnd + "<!--" + kHtmlLineEnd;
    for (const char* state : {"A:link", "A:visited"})
      out += QByteArray("  ") + state + " {font: " + font + "; text-decoration: none; color: #" + Hex(LinkFontColor) +
             "; background-color: #" + Hex(LinkBackColor) + "}" + kHtmlLineEnd;
    out += "  A:hover {font: " + font + "; text-decoration: none; color: #" + Hex(LinkHoverForeColor) +
           "; background-color: #" + Hex(LinkHoverBackColor) + "}" + kHtmlLineEnd;
    out += "SPAN {position: absolute; visibility: hidden}" + kHtmlLineEnd + "-->" + kHtmlLineEnd + "</STYLE>" +
           kHtmlLineEnd;
  }
  const bool script = NavigatorShown() && NavigatorType == ntFixedToScreen;
  if (script)
    out += "<SCRIPT TYPE=\"text/javascript\">" + kHtmlLineEnd + "<!--" + kHtmlLineEnd + NavigatorScript() +
           kHtmlLineEnd + "-->" + kHtmlLineEnd + "</SCRIPT>" + kHtmlLineEnd;
  out += "</HEAD>" + kHtmlLineEnd + "<BODY BGCOLOR=\"#FFFFFF\"" + (script ? " onLoad=\"initNavigator()\"" : "") + ">" +
         kHtmlLineEnd;
  return out;
}

QByteArray TVezoHTMLExport::ImageElement(TVezoDataRec& item) {
  QString altText = lastReference_; // the reference written before on the page
  bool unique = true;
  int reuse = -1;
  if (BeforeSaveGraphic) BeforeSaveGraphic(item.ViewName, unique, reuse, altText);
  int index = -1;
  if (!unique) {
    if (reuse == -1) {
      const qsizetype at = imageNameIndices_.indexOf(item.NameIndex);
      reuse = int(at);
    }
    if (reuse >= 0 && reuse < ImageFiles.size()) index = reuse;
  }
  if (index < 0) {
    const QString extension = ExportImageFormat == ifBMP ? QStringLiteral("bmp") : QStringLiteral("jpg");
    const QString file =
        QDir(imageFolderPath_).filePath(ImageFileName(FileName, int(ImageFiles.size()) + 1, extension));
    const QByteArray data = ExportImageFormat == ifBMP   ? vzBitmapFile(item.Picture)
                            : ExportImageFormat == ifJPG ? GraphicToJPEGStream(item.Picture, JPEGQuality)
                                                         : GraphicToJPEGStream(item.Picture, 75);
    rpWriteWholeFile(file, data);
    ImageFiles.append(file);
    imageNameIndices_.append(item.NameIndex);
    index = int(ImageFiles.size()) - 1;
  }
  const QString reference = imageFolderURL_ + QFileInfo(ImageFiles[index]).fileName();
  item.Picture = QImage();
  if (AfterSaveGraphic) AfterSaveGraphic(item.ViewName, index);
  lastReference_ = reference;
  return "<IMG SRC=\"" + AttributeText(reference) + "\" ALT=\"" + AttributeText(altText) +
         "\" WIDTH=" + RoundedNum(item.PictureWidth) + " HEIGHT=" + RoundedNum(item.PictureHeight) + ">";
}

QByteArray TVezoHTMLExport::BorderStyle(const TVezoDataRec& item) const {
  if (item.FrameTyp == 0) return {};
  const QByteArray line = RoundedNum(vzToExportUnits(item.FrameWidth)) + "px solid #" + Hex(item.FrameColor);
  QByteArray out;
  const std::pair<int, const char*> sides[] = {{8, "top"}, {1, "right"}, {2, "bottom"}, {4, "left"}};
  for (const auto& [flag, side] : sides)
    if (item.FrameTyp & flag) out += QByteArray("; border-") + side + ": " + line;
  return out;
}

void TVezoHTMLExport::WriteObjectDivs() {
  for (const auto& entry : DataItems) {
    vzLetEventsThrough();
    TVezoDataRec& item = *entry;
    item.Top += PageOffset();
    QByteArray image;
    const bool rich = item.ClassName == QLatin1String("TrpRichView");
    if (rich && ExportRichText && RichTextEncodingType == rtPlainText) {
      WriteRichTextAsLines(item);
    } else if (ExportImages && item.IsPictureItem() && !item.Picture.isNull()) {
      if (rich && !ExportRichText) continue;
      image = ImageElement(item);
    }
    const QByteArray background =
        ExportFrames && item.FillColor != clNone ? "; background-color: #" + Hex(item.FillColor) : QByteArray();
    const QByteArray border = ExportFrames ? BorderStyle(item) : QByteArray();
    if (background.isEmpty() && border.isEmpty() && image.isEmpty()) continue;
    page_ += "<DIV STYLE=\"font: 0pt Arial" + background + "; position: absolute; top: " + RoundedNum(item.Top) +
             "px; left: " + RoundedNum(item.Left) + "px; width: " + RoundedNum(item.Width) +
             "px; height: " + RoundedNum(item.Height) + "px" + border + ";\">" + image + "</DIV>" + kHtmlLineEnd;
  }
}

void TVezoHTMLExport::WriteTextLine(const TVezoTextRec& line) {
  QByteArray style = "position: absolute; top: " + RoundedNum(line.Top + PageOffset()) +
                     "px; left: " + RoundedNum(line.Left) + "px; width: " + RoundedNum(2.5 * line.TextWidth) +
                     "px; font:";
  if (line.Font.Italic()) style += " italic";
  if (line.Font.Bold()) style += " bold";
  style += ' ' + QByteArray::number(line.Font.Size) + "pt " + AttributeText(line.Font.Name);
  if (line.Font.Underline() || line.Font.StrikeOut())
    style += QByteArray("; text-decoration:") + (line.Font.Underline() ? " underline" : "") +
             (line.Font.StrikeOut() ? " line-through" : "");
  style += "; color: #" + Hex(line.Font.Color);
  // A check-box mark is the same mark as a Unicode character.
  const QByteArray text =
      line.Symbol ? HTMLText(QString(rpSymbolChar(quint8(line.Text.at(0).unicode())))) : HTMLText(line.Text);
  page_ += "<DIV STYLE=\"" + style + "\">" + text + "</DIV>" + kHtmlLineEnd;
}

QByteArray TVezoHTMLExport::NavigatorLinks() const {
  const int last = int(PageFiles.size()) - 1;
  const auto href = [this](int page) -> QByteArray {
    return "HREF=\"" + AttributeText(QFileInfo(PageFiles[page]).fileName()) + "\" ";
  };
  const struct {
    const QString& title;
    const QString& text;
    const QString& image;
    int target;
  } links[] = {{VezoTexts::kFirst, LinkTextFirst, LinkImgSRCFirst, PageIndex > 0 ? 0 : -1},
               {VezoTexts::kPrevious, LinkTextPrev, LinkImgSRCPrev, PageIndex > 0 ? PageIndex - 1 : -1},
               {VezoTexts::kNext, LinkTextNext, LinkImgSRCNext, PageIndex < last ? PageIndex + 1 : -1},
               {VezoTexts::kLast, LinkTextLast, LinkImgSRCLast, PageIndex < last ? last : -1}};
  QList<QByteArray> out;
  for (const auto& link : links) {
    const QByteArray attribute = link.target >= 0 ? href(link.target) : QByteArray();
    const QByteArray title = AttributeText(link.title);
    const QByteArray content =
        UseTextLinks ? LinkText(link.text)
                     : QByteArray("<IMG SRC=\"" + AttributeText(link.image) + "\" ALT=\"" + title + "\">");
    out.append("<A " + attribute + "TITLE=\"" + title + "\">" + content + "</A>");
  }
  return out.join("&nbsp;");
}

QByteArray TVezoHTMLExport::NavigatorScript() const {
  const QByteArray w = RoundedNum(navigatorWidth_), h = RoundedNum(navigatorHeight_);
  const QByteArray x = "document.body.scrollLeft + document.body.clientWidth - " + w;
  const QByteArray y = "document.body.scrollTop + document.body.clientHeight - " + h;
  const QByteArray allPlace =
      "document.all.PsNavigator.style.pixelTop = " + y + ";document.all.PsNavigator.style.pixelLeft = " + x + ";";
  const QByteArray domPlace = "document.getElementById('PsNavigator').style.top = window.pageYOffset + "
                              "'px';document.getElementById('PsNavigator').style.left = window.pageXOffset + 'px';";
  return "function floatNavigator(){\r\n\tif (document.all){" + allPlace + "}\r\n\telse if(document.getElementById){" +
         domPlace + "}\r\n}\r\n" +
         "if (document.all){window.onresize = SetResizeLeft;window.onscroll = floatNavigator;}\r\n"
         "else setInterval ('floatNavigator()', 100);\r\n" +
         "function initNavigator(){\r\nif (document.all){" + allPlace +
         "document.all.PsNavigator.style.visibility = 'visible';}\r\n\telse if (document.getElementById){" + domPlace +
         "document.getElementById('PsNavigator').style.visibility = 'visible';}\r\n}\r\n" +
         "function SetResizeLeft(){\r\n\tif (document.all){" + allPlace + "}\r\n\telse if (document.getElementById){" +
         domPlace + "}\r\n}";
}

QByteArray TVezoHTMLExport::PageEnd() const {
  QByteArray out;
  const int pages = rpActiveReport().EMFPages.Count();
  if (!SeparateFilePerPage && PageEndLines)
    out += "<DIV STYLE=\"position: absolute; top: " + RoundedNum((PageIndex + 1) * PageHeight) +
           "px\"><HR SIZE=2 WIDTH=" + RoundedNum(PageWidth - 10) + " NOSHADE></DIV>" + kHtmlLineEnd;
  if (NavigatorShown()) {
    const QByteArray font =
        QByteArray::number(LinkFontSize) + "pt " + AttributeText(LinkFontName) + "; color: #" + Hex(LinkFontColor);
    if (NavigatorType == ntFixedToPage)
      out += "<DIV STYLE=\"position: absolute; top: " + RoundedNum(PageHeight - navigatorHeight_) +
             "px; left: " + RoundedNum(PageWidth - navigatorWidth_) + "px; font: " + font + "\">" + NavigatorLinks() +
             "</DIV>" + kHtmlLineEnd;
    else
      out +=
          "<DIV ID=\"PsNavigator\" STYLE=\"position: absolute; visibility: hidden; white-space: nowrap; font: " + font +
          "\">" + NavigatorLinks() + "</DIV>" + kHtmlLineEnd;
  }
  if (SeparateFilePerPage || PageIndex == pages - 1) out += "</BODY>" + kHtmlLineEnd + "</HTML>" + kHtmlLineEnd;
  return out;
}

void TVezoHTMLExport::EndPage() {
  page_.clear();
  if (PageIndex == 0 || SeparateFilePerPage) page_ = PageHeader();
  lastReference_.clear();
  WriteObjectDivs();
  for (const auto& line : TextItems) {
    vzLetEventsThrough();
    WriteTextLine(*line);
  }
  page_ += PageEnd();
  if (SeparateFilePerPage && PageIndex > 0)
    rpWriteWholeFile(PageFiles[PageIndex], page_);
  else
    Stream->write(page_);
  TVezoExportFilter::EndPage();
}
