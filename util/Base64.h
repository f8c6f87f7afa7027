#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QString>

// Decodes base64 text (the standard alphabet). Every character outside the
// alphabet (padding, blanks, line breaks, anything else) is skipped; a final
// group of three characters gives two bytes, of two one byte, of one nothing.
QByteArray DecodeBase64(QStringView text);
QByteArray DecodeBase64(QByteArrayView text);
