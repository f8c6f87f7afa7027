#include "registers/common/XbOemTranslation.h"
#include "util/CodePageConversion.h"
#include <cstring>

int XbTranslate(TXbTable&, const char* source, char* destination, bool toOem) {
  const QByteArray converted = toOem ? ConvertCharset(QByteArrayView(source), kCharsetWindows1250, kCharsetCp852)
                                     : ConvertCharset(QByteArrayView(source), kCharsetCp852, kCharsetWindows1250);
  std::memcpy(destination, converted.constData(), size_t(converted.size()) + 1);
  return int(converted.size());
}
