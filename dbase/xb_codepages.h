#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>

// The single-byte code pages that dBASE language drivers name, as our own
// tables (code page 1250 is core's). Multi-byte code pages are not known.
namespace XbCodePages {

// The program's ANSI and OEM code pages (what a Slovak Windows system reports).
constexpr int kAnsiCodePage = 1250;
constexpr int kOemCodePage = 852;

bool IsKnown(int codePage);
QList<int> KnownCodePages();

// Unknown code pages decode as Latin-1 and encode lossily, so no byte is lost.
QString Decode(int codePage, QByteArrayView bytes);
// The same into `text`, whose storage is kept for the next call.
void DecodeInto(int codePage, QByteArrayView bytes, QString& text);
// Characters the code page lacks become `replacement`; `lossless` tells whether none did.
QByteArray Encode(int codePage, QStringView text, char replacement = '?', bool* lossless = nullptr);

} // namespace XbCodePages
