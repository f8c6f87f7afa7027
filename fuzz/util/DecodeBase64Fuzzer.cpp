// Feeds arbitrary bytes to the base64 decoder (the datapacket reader hands it
// field text from files) and checks it against Qt's decoder on the alphabet
// characters it keeps.
#include "util/Base64.h"
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
  const QByteArray decoded = DecodeBase64(input);
  if (DecodeBase64(QString::fromLatin1(input)) != decoded) std::abort();

  QByteArray alphabet;
  for (char c : input)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/')
      alphabet.append(c);
  if (decoded.size() != alphabet.size() * 3 / 4) std::abort();
  if (alphabet.size() % 4 != 1 && QByteArray::fromBase64(alphabet) != decoded) std::abort();
  return 0;
}
