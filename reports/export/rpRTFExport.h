#pragma once
#include "reports/export/rpTextExport.h"
#include <QtCore/QStringList>
#include <QtGui/QImage>

// The line RTF export: a paragraph (or a table row) per collected line, in
// code page 1250, optionally with the report's pictures embedded as bitmaps
// inside Windows metafiles.
class TrpRTFExport : public TrpTextExport {
  Q_OBJECT
public:
  explicit TrpRTFExport(QObject* owner = nullptr);

  int OptionsDialog() override;
  void BeginDocument() override;
  void EndDocument() override;
  void EndPage() override;
  void ObjectData(int x, int y, TrpView* object) override;

  bool ExportBitmaps = false;
  bool ConvertToTable = false;

  // The hex text of a metafile holding the bitmap file `bmp` (its 14-byte
  // header first) at width × height pixels, without the end record.
  static QByteArray MetafileHex(const QByteArray& bmp, int width, int height);
  // Its records before the bitmap's bytes: header, window origin and extent,
  // colours, stretch mode and the stretch record's fixed part, then CR LF.
  static QByteArray MetafileWrapperHex(quint32 bmpFileSize, int width, int height);

private:
  struct TStoredPicture {
    int X, Y, Width, Height;
    QImage Image;
  };
  static constexpr int kDefaultMargin = 600; // twips, where the page names no margin
  // A horizontal position or width in twips, stretched by ScaleX over the print form's 1.3.
  int Twips(double x) const;
  static int UnscaledTwips(double y);
  // A position in twips from the left margin, where tab stops and frames count from.
  int FromMargin(double x) const;
  // The head's paper size, orientation and margins, those of the report's first page.
  QByteArray PaperAndMargins();
  QByteArray Formatting(const TrpExportTextLine& record, const TrpExportTextLine* previous);
  void WriteParagraphRow(const QList<TrpExportTextLine>& chain);
  void WriteTableRow(const QList<TrpExportTextLine>& chain);
  void WritePicture(const TStoredPicture& picture);
  void WriteTable(const QByteArray& start, const QList<QByteArray>& entries);

  QStringList fonts_;
  QStringList colors_;
  QList<TStoredPicture> pictures_;
  QByteArray body_;
  bool pageWritten_ = false;
  int leftMargin_ = kDefaultMargin, topMargin_ = kDefaultMargin; // twips
};

// Text as RTF: "\", "{" and "}" escaped, tabs as \tab, every other
// character outside ASCII as \'hh of its code page 1250 byte.
QByteArray rpRtfText(const QString& text);
