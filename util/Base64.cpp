#include "util/Base64.h"
#include <array>
#include <span>

namespace {

constexpr std::array<signed char, 128> MakeReverseTable() {
  std::array<signed char, 128> table{};
  for (auto& entry : table)
    entry = -1;
  constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (int i = 0; i < 64; ++i)
    table[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
  return table;
}

constexpr std::array<signed char, 128> kReverse = MakeReverseTable();

// One decoder for both text kinds: characters are taken by their code.
template <class Text> QByteArray Decode(const Text& text) {
  QByteArray bytes;
  bytes.reserve(text.size() * 3 / 4 + 3);
  quint32 bits = 0;
  int count = 0;
  for (auto c : text) {
    const unsigned code = static_cast<unsigned>(c);
    const int value = code < 128 ? kReverse[code] : -1;
    if (value < 0) continue;
    bits = bits << 6 | quint32(value);
    if (++count == 4) {
      bytes.append(char(bits >> 16)).append(char(bits >> 8)).append(char(bits));
      bits = 0;
      count = 0;
    }
  }
  if (count == 3) bytes.append(char(bits >> 10)).append(char(bits >> 2));
  if (count == 2) bytes.append(char(bits >> 4));
  return bytes;
}

} // namespace

QByteArray DecodeBase64(QStringView text) {
  return Decode(std::span<const char16_t>(text.utf16(), size_t(text.size())));
}

QByteArray DecodeBase64(QByteArrayView text) {
  return Decode(
      std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(text.data()), size_t(text.size())));
}
