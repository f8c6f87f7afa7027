#pragma once
#include <QtCore/QtGlobal>

// A font style as the editor stores it: bold 1, italic 2, underline 4,
// strike-out 8 (also the bits of an attribute's "Style" registry value and
// the index of a style variant of a font).
enum TFontStyle : quint8 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = quint8;
