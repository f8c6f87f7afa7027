#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>
#include <functional>
#include <utility>

class TrpReport;

// What the export filters share: the report being exported, the page range
// of the grid and dot-matrix exports, code-page output and opening a written
// file with the desktop's default application.

// The report of the running export (the engine's current report); raises
// Exception outside an export.
TrpReport& rpActiveReport();

// A page range as typed: numbers and ranges separated by commas
// ("1,3,5-12"), blanks ignored; an empty text means every page. A range
// whose end is smaller than its start adds nothing. An item that is not a
// number raises ErpConversionError. Ranges are kept as their ends, so
// "1-2000000000" costs no more than "1-2".
class TrpPageRange {
public:
  void Parse(const QString& text);
  // True for every page when the range is empty.
  bool Contains(int page) const;
  bool IsEmpty() const { return ranges_.isEmpty(); }

private:
  QList<std::pair<int, int>> ranges_; // first and last page, ascending by first
};

// The text as bytes of the ANSI code page (1250), or with `oem` of the DOS
// code page (852); a character the code page lacks becomes its nearest plain
// one (a dash "-", a quote "'" or '"'), "?" (1250) or "_" (852) where none is near.
QByteArray rpEncodeText(const QString& text, bool oem);

// Opens a written document with the desktop's default application; tests
// replace it. Answers false when nothing could be opened.
extern std::function<bool(const QString& fileName)> rpOpenDocument;

// Writes the whole file, replacing an existing one only by the complete
// new content; raises Exception when it cannot be written.
void rpWriteWholeFile(const QString& fileName, const QByteArray& contents);

// Little-endian binary fields of the files the exports write (ZIP
// archives, bitmaps, metafiles); wider values keep their low bytes.
void rpPutLE16(QByteArray& out, quint32 value);
void rpPutLE32(QByteArray& out, quint32 value);

// A whole number as the decimal digits that PDF and RTF write.
QByteArray rpNum(qint64 value);

// The bare name of a file: without folder and extension.
QString rpBareName(const QString& fileName);

class TrpPictureView;
// The picture object's graphic as a bitmap (metafiles drawn at the object's
// size); a null image when the object holds nothing that can be shown.
class QImage rpGraphicAsImage(const TrpPictureView& picture);
