#pragma once
#include "core/Color.h"
#include "reports/engine/rpExportFilter.h"
#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QSize>
#include <QtCore/QSizeF>
#include <QtCore/QStringList>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <memory>
#include <typeinfo>
#include <vector>

class TrpView;
struct TrpEMFPage;

// The page-exact exports (PDF, RTF, HTML with navigator) and the metafile
// exports: each page as in the preview, every object at its place.

// The screen's logical resolution when the program started (96 without a
// screen). Export units are screen pixels at the page's true size: report
// units (kReportUnitsPerInch to the inch, as the printer lays pages out)
// ÷ kReportUnitsPerInch × this.
int ScreenPixelsPerInch();

enum TVezoImageFormat { ifGIF = 0, ifJPG = 1, ifBMP = 2 };
enum TPsRichTextEncodingType { rtImage = 0, rtPlainText = 1 };
// Bitmap pixel formats as the options offer them.
enum TVezoPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// A font as the items carry it; Style bits 1 bold, 2 italic, 4 underline, 8 strike-out.
struct TVezoFontInfo {
  QString Name;
  int Size = 10;
  TColor Color = clBlack;
  quint8 Style = 0;
  quint8 Charset = 1;
  bool Bold() const { return Style & 1; }
  bool Italic() const { return Style & 2; }
  bool Underline() const { return Style & 4; }
  bool StrikeOut() const { return Style & 8; }
  // The font on the screen at its size in points.
  QFont ScreenFont() const;
};

// One line a text object or check box draws.
struct TVezoTextRec {
  double Left = 0, Top = 0; // export units
  QString Text;
  int TextWidth = 0, TextHeight = 0; // screen pixels
  TVezoFontInfo Font;
  QRect DrawRect;      // the object's, report pixels
  bool Symbol = false; // Text is a mark of the symbol font (its code as the one character)
};

// One object of a page: geometry, frame, fill, text block and its picture.
struct TVezoDataRec {
  double Left = 0, Top = 0, Width = 0, Height = 0; // export units
  QString Text;
  int TextWidth = 0;
  quint8 AlignFlags = 0; // 1 left, 2 right, 4 top, 8 bottom, 16 justify, 32 centre, 64 middle
  TVezoFontInfo Font;
  bool Symbol = false; // Text is a mark of the symbol font
  quint8 FrameTyp = 0;
  float FrameWidth = 1;
  TColor FrameColor = clBlack;
  quint16 FrameStyle = 0;
  TColor FillColor = clNone;
  QString ViewName;
  int NameIndex = 0;
  QString ClassName;
  bool AutoWidth = false, WordWrap = false;
  QImage Picture;
  int PictureWidth = 0, PictureHeight = 0;
  // A barcode's bars and gaps, export units from the item's corner: written
  // as rectangles over its picture where the format draws vectors.
  QList<QPair<QRectF, QColor>> Bars;
  bool Rotated = false;
  bool Stretched = false;
  QByteArray RichStream; // the RTF of a rich-text object
  QString RichText;      // its plain text
  // Objects that are not plain text, line or check box become pictures.
  bool IsPictureItem() const;
};

// Asked before each picture is written: may share a picture already written
// (UniqueImage false, ReuseImageIndex -1 for the last one of the same object
// name, or an index) and set its alternative text.
using TBeforeSaveGraphicEvent =
    std::function<void(const QString& viewName, bool& uniqueImage, int& reuseImageIndex, QString& altText)>;
using TAfterSaveGraphicEvent = std::function<void(const QString& viewName, int imageIndex)>;

// The base of the PDF, RTF and HTML exports: the engine's callbacks become,
// per page, data items (one per object) and text items (one per drawn line),
// which the export writes in its EndPage before calling this one's.
class TVezoExportFilter : public TrpExportFilter {
  Q_OBJECT
public:
  explicit TVezoExportFilter(QObject* owner = nullptr);

  void BeginDocument() override;
  void EndDocument() override;
  void BeginPage() override;
  void EndPage() override;
  void ObjectData(int x, int y, TrpView* object) override;
  void ObjectText(const QRect& drawRect, int x, int y, const QString& text, int frameType, TrpView* object) override;
  // Writes one line of text; the base writes nothing.
  virtual void WriteTextLine(const TVezoTextRec& line) {}
  // The plain text of a rich-text item as lines in Arial 10, one below the other.
  void WriteRichTextAsLines(const TVezoDataRec& item);

  QString Title, Subject, Author, Keywords;
  QString Creator = QStringLiteral("ZiviVudire");
  bool ExportImages = true;
  bool ExportFrames = true;
  bool ExportRichText = true;
  TVezoImageFormat ExportImageFormat = ifJPG;
  TVezoPixelFormat ImagePixelFormat = pf24bit;
  int ImageDPI = -1; // -1: a bitmap pixel per report pixel
  int JPEGQuality = 100;

  // The run state.
  QStringList ViewNames;
  std::vector<std::unique_ptr<TVezoDataRec>> DataItems;
  std::vector<std::unique_ptr<TVezoTextRec>> TextItems;
  int PageIndex = 0;
  double PageWidth = 0, PageHeight = 0; // export units

  // The user's login name (the dialogs' default author).
  static QString UserName();
  // The report's title; without one its name, its template's file name or
  // the exported file's name, without folder and extension.
  QString ReportTitle() const;

protected:
  // Only JPEG and BMP pictures (PDF and RTF); other values are refused.
  void SetImageFormatJpgOrBmp(TVezoImageFormat format);

private:
  std::unique_ptr<TVezoDataRec> PictureItem(TrpView& view, int x, int y);
  void TextOfMemo(TVezoDataRec& item, TrpView& view);
  // MeasureText, remembered for the page: each line of an object is measured
  // several times (cut to the width, widest line, each drawn line), and
  // measuring is most of an export's time.
  QSize MeasureOnPage(const QFont& font, const QString& s);
  // The width of the text with room for one more wide letter.
  int WidthWithMargin(const QFont& font, const QString& s);

  // What an object is, by its class.
  struct TViewKinds {
    bool Skipped = false; // bands and subreports
    bool Memo = false, CheckBox = false, Rich = false, RoundRect = false;
  };
  const TViewKinds& KindsOf(const TrpView& view);
  std::vector<std::pair<const std::type_info*, TViewKinds>> viewKinds_;

  struct TFontWidths {
    QFont Font;
    bool Symbol = false;
    int Height = 0;
    QHash<QString, int> Widths;
  };
  std::vector<TFontWidths> pageWidths_;
};

// --- routines shared by the family

// The text with the symbol font's marks ("Wingdings" codes) as the same
// marks in Unicode when the font is the symbol font; else unchanged.
QString vzSymbolMarks(const QString& text, const QString& fontName);
// Report pixels to export units.
double vzToExportUnits(double reportPixels);
// A prepared page's paper in inches, landscape already turned: its own size
// when it names one (tenths of a millimetre), else its printer geometry.
QSizeF vzPaperInches(const TrpEMFPage& page);
// Lets pending window events run (the progress window's Cancel), at most
// every few hundredths of a second, so long pages stay fast.
void vzLetEventsThrough();
// 1-based position of `sub` in `s` at or after `from`; 0 when none.
int PosFrom(const QString& sub, const QString& s, int from);
// Every occurrence of `old` (compared without case) replaced, scanning on after each replacement.
QString ReplaceAllText(const QString& s, const QString& old, const QString& replacement);
// The text's size in screen pixels in the font.
QSize MeasureText(const QFont& font, const QString& s);
// RRGGBB, upper-case hexadecimal (system colours resolved).
QString ColorToHex(TColor color);
// "report0002.htm" for the file ...\report.htm, 2 and "htm".
QString PageFileName(const QString& fileName, int number, const QString& ext);
// "report_I0007.jpg" for the file ...\report.htm, 7 and "jpg".
QString ImageFileName(const QString& fileName, int number, const QString& ext);
// `s` when `available` ≥ `textWidth`, else its leading part in proportion.
QString FitText(const QString& s, double available, double textWidth);
void DeleteFileQuietly(const QString& fileName);
// The picture as a JPEG file at the quality (1 to 100).
QByteArray GraphicToJPEGStream(const QImage& image, int quality);
// The image as a device-independent bitmap (24 bits, rows bottom-up, each a
// multiple of 4 bytes), and as a bitmap file (14-byte header and the DIB).
QByteArray vzBitmapDib(const QImage& image);
QByteArray vzBitmapFile(const QImage& image);

// The texts of the family (English, fixed).
namespace VezoTexts {
inline const QString kFirst = QStringLiteral("First"), kPrevious = QStringLiteral("Previous"),
                     kNext = QStringLiteral("Next"), kLast = QStringLiteral("Last");
inline const QString kPdfDescription = QStringLiteral("Adobe Acrobat Document (*.pdf)");
inline const QString kHtmlDescription = QStringLiteral("HTML Document (*.htm)");
inline const QString kRtfDescription = QStringLiteral("RTF Document (*.rtf)");
inline const QString kEmfDescription = QStringLiteral("Enhanced Metafile (*.emf)");
inline const QString kWmfDescription = QStringLiteral("Windows Metafile (*.wmf)");
// What the producer entries of the files name.
inline const QString kProducer = QStringLiteral("Vimek report export");
} // namespace VezoTexts
