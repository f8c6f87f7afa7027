#pragma once
#include "core/BinaryStream.h"
#include "core/Color.h"
#include <QtCore/QString>
#include <QtCore/QStringList>

// The byte layouts every engine file (templates, prepared pages, dictionaries)
// is built from. Numbers are little-endian, texts code page 1250. Reading past
// the end raises EStreamError; writing a text or list longer than its length
// word can describe raises EStreamError instead of writing a corrupt length.

void rpWriteByte(TBinaryWriter& stream, quint8 value);
quint8 rpReadByte(TBinaryReader& stream);
void rpWriteBoolean(TBinaryWriter& stream, bool value);
// Any byte other than 0 reads as true.
bool rpReadBoolean(TBinaryReader& stream);
void rpWriteWord(TBinaryWriter& stream, quint16 value);
quint16 rpReadWord(TBinaryReader& stream);
void rpWriteInteger(TBinaryWriter& stream, qint32 value);
qint32 rpReadInteger(TBinaryReader& stream);

// Length word, the bytes, one byte 0. Characters code page 1250 lacks are
// stored as "?", as the code page conversion of the system did.
void rpWriteString(TBinaryWriter& stream, const QString& text);
// Length word, the bytes, then one byte read and ignored.
QString rpReadString(TBinaryReader& stream);

// Count word; no lines: one byte 0; else per line a length word and its bytes,
// byte 13 after each line but the last and byte 0 after the last.
void rpWriteMemo(TBinaryWriter& stream, const QStringList& lines);
// Clears the list and reads until a separator byte 0 ends it.
void rpReadMemo(TBinaryReader& stream, QStringList& lines);

// Forms of earlier template versions, read only.
QString rpReadStringOld(TBinaryReader& stream);
// Bytes up to byte 0; byte 13 ends a line (even an empty one); the pending
// line at byte 0 counts only when it is not empty.
void rpReadMemoOld(TBinaryReader& stream, QStringList& lines);

// A font as the engine stores it.
struct TFontStyles {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  bool operator==(const TFontStyles&) const = default;
};

struct TrpFont {
  QString Name = QStringLiteral("Arial");
  int Size = 10; // points
  TFontStyles Style;
  TColor Color = clBlack;
  quint8 Charset = 1; // the default character set
  bool operator==(const TrpFont&) const = default;
};

// Stored style bits: 0 italic, 1 bold, 2 underline, 3 strike-out.
TFontStyles rpSetFontStyle(quint16 stored);
quint16 rpGetFontStyle(const TFontStyles& style);

// Name (string), size (integer), stored style (word), colour (integer),
// character set (word, the set's code in the low byte).
void rpWriteFont(TBinaryWriter& stream, const TrpFont& font);
void rpReadFont(TBinaryReader& stream, TrpFont& font);
