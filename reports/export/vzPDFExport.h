#pragma once
#include "reports/export/vzExportFilter.h"
#include <QtCore/QDateTime>
#include <functional>
#include <memory>

enum TPDFCompressionMethod { cmFastest = 0, cmNormal = 1, cmMaxCompress = 2 };

// The PDF export: a PDF 1.3 document with a page per prepared page, text as
// text in TrueType fonts the viewer supplies (not embedded; their encoding
// names the code page 1250 letters), fills and frames as lines, and every
// other object as an image. Check-box marks are set in ZapfDingbats.
class TVezoPDFExport : public TVezoExportFilter {
  Q_OBJECT
public:
  explicit TVezoPDFExport(QObject* owner = nullptr);
  ~TVezoPDFExport() override;

  int OptionsDialog() override;
  void BeginDocument() override;
  void EndDocument() override;
  void BeginPage() override;
  void EndPage() override;
  void WriteTextLine(const TVezoTextRec& line) override;

  // Only JPEG and BMP; another format leaves the option as it is.
  void SetExportImageFormat(TVezoImageFormat format) { SetImageFormatJpgOrBmp(format); }

  TPsRichTextEncodingType RichTextEncodingType = rtImage;
  // Content streams and pictures other than JPEG are packed with zlib at this level.
  TPDFCompressionMethod CompressionMethod = cmMaxCompress;
  bool UseCompression = true;
  TBeforeSaveGraphicEvent BeforeSaveGraphic;
  TAfterSaveGraphicEvent AfterSaveGraphic;
  // The creation time of the document; the clock by default.
  std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

  // 12.0000, -3.5000: four decimals and ".".
  static QByteArray FormatNumber(double value);
  // "1.0000 0.0000 0.0000" for red.
  static QByteArray FormatColor(TColor color);
  // The text as code page 1250 bytes with "\", "(" and ")" escaped.
  static QByteArray EscapeText(const QString& text);
  // The creation date as PDF writes it: "D:" date, time and the zone offset ("+01'00'").
  static QByteArray PdfDate(const QDateTime& time);

private:
  struct TFontMetrics;
  class TDeflater;
  class TContent;
  struct TPdfImage {
    int Object;
    int NameIndex;
  };

  int NextObjectNumber() { return ++lastObject_; }
  void Write(const QByteArray& bytes);
  void WriteObject(QByteArray text, int number, bool withEndobj = true);
  // The bytes of a stream as written (packed when compressing) and the filter its dictionary names.
  QByteArray Packed(const QByteArray& data);
  QByteArray StreamFilter() const;
  double ToPoints(double value) const;
  double FlipY(double value) const;
  // A barcode item's bars and gaps as filled rectangles.
  QByteArray BarRectangles(const TVezoDataRec& item) const;
  void WriteFrameLines(TContent& out, const TVezoDataRec& item) const;
  void WriteItem(TVezoDataRec& item);
  int ChooseImage(TVezoDataRec& item);
  int FontNumber(const TVezoTextRec& line);
  TFontMetrics MeasureFont(const TVezoFontInfo& font);
  void WriteFonts();
  void WriteInformation();

  struct TColorText {
    TColor Color = clNone;
    QByteArray Text;
  };
  std::unique_ptr<TDeflater> deflater_;
  TColorText lastColor_; // the colour last written and its numbers
  QStringList fontKeys_;
  QList<TFontMetrics> fonts_;
  QList<TPdfImage> images_;
  QByteArray pageContent_, pageImages_;
  QList<std::pair<qint64, int>> pageImageOffsets_; // offset in pageImages_, object
  QMap<int, qint64> xref_;                         // object number, offset in the file
  int lastObject_ = 5;
  int pageObject_ = 0, contentsObject_ = 0, lengthObject_ = 0;
  QByteArray kids_;
  int pagesWritten_ = 0;
  double lastPageWidth_ = 0, lastPageHeight_ = 0;
};
