#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QString>

// Conversion of texts between single-byte code pages with the program's own
// tables. No outside conversion library is used: BindIconv always answers
// false, and every conversion goes through the tables.

constexpr int kCharsetWindows1250 = 13;
constexpr int kCharsetCp852 = 24;

// The first name of a character set ("WINDOWS-1250", "852"); "ISO-8859-1"
// for an identity the program does not know.
QString CharsetName(int charset);

// The bytes converted from one code page to the other: each character of the
// source (0-127 itself, 128-255 from the source table; a set without a table
// of its own maps every byte to the same code) goes to the target byte that
// holds it, the lowest one from 128 up; a character the target lacks gives
// "_". Equal identities return the bytes unchanged.
QByteArray ConvertCharset(QByteArrayView text, int from, int to);

// Binding of an outside conversion library: there is none here.
bool BindIconv();
void UnbindIconv();
