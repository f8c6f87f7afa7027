#pragma once
#include "reports/export/vzExportFilter.h"
#include <QtCore/QDateTime>
#include <functional>
#include <memory>

class QTemporaryFile;

// The page-exact RTF export: every page a group of elements anchored to the
// page: text objects as positioned paragraphs, frames and fills as shapes,
// pictures embedded (JPEG, or bitmaps in a metafile), rich text as
// text boxes carrying their own RTF, merged into the document's font and
// colour tables. The header is written last, when the tables are complete.
class TVezoRTFExport : public TVezoExportFilter {
  Q_OBJECT
public:
  explicit TVezoRTFExport(QObject* owner = nullptr);
  ~TVezoRTFExport() override;

  int OptionsDialog() override;
  void BeginDocument() override;
  void EndDocument() override;
  void BeginPage() override;
  void EndPage() override;

  // Only JPEG and BMP; another format leaves the option as it is.
  void SetExportImageFormat(TVezoImageFormat format) { SetImageFormatJpgOrBmp(format); }

  bool GraphicDataInBinary = false; // JPEG bytes after "\bin" instead of hexadecimal text
  // The body held in memory; beyond it the body so far goes to a temporary "VeZO" file.
  qint64 BodyLimit = qint64(256) << 20;
  // The creation time of the document; the clock by default.
  std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };
  // Whether the last run spilled its body into a temporary file.
  bool Spilled() const { return spilled_; }

  // A text object's text: its last line break dropped, "\", "{" and "}"
  // escaped, letters as code page 1250 bytes, line breaks as paragraph marks.
  static QByteArray EscapeRTFText(const QString& text);
  // The document's tables a rich text is merged into: font entries
  // ("charset name", or RTFDummyFont for a rich text's font), colour entries
  // (RRGGBB or a definition), and the rich texts' font definitions.
  struct TTables {
    QStringList Fonts;
    QStringList Colors;
    QByteArray RichFontDefs;
  };
  // The rich text's RTF as a text box element (without its start), its fonts
  // and colours renumbered into the tables.
  static QByteArray RichTextBox(const QByteArray& rtf, TTables& tables);

private:
  double Twips(double exportUnits) const;
  QByteArray FormatTwips(double exportUnits) const;
  void WriteBody(const QByteArray& text);
  int ColorIndex(TColor color);
  // A frame as shapes: a rectangle for a whole frame or a fill (unless a
  // filled text box carries it), a line for each side of a partial frame.
  QByteArray FrameShape(const TVezoDataRec& item, bool filledBox) const;
  static constexpr int kRectangle = 1, kLine = 20, kTextBox = 202; // shape types
  // A shape on the page at `twips` (a line runs from its top left to its
  // bottom right), in front of the text or behind it.
  static QByteArray Shape(int type, const QRectF& twips, const QByteArray& properties, bool behind = false);
  static QByteArray Property(const char* name, qint64 value);
  static qint64 ColorRef(TColor color); // red, green and blue in one number, red lowest
  QByteArray PictureElement(TVezoDataRec& item);
  // A text object's text with its font, style and alignment.
  QByteArray TextRun(const TVezoDataRec& item);
  QByteArray TextParagraph(const TVezoDataRec& item);
  // A filled text object: its text in a text box of its fill colour.
  QByteArray FilledTextBox(const TVezoDataRec& item);
  QByteArray Header();

  QByteArray body_;
  TTables tables_;
  std::unique_ptr<QTemporaryFile> spill_;
  bool spilled_ = false;
};
