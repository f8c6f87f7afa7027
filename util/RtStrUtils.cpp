#include "util/RtStrUtils.h"
#include "core/CodePage1250.h"
#include "util/RtErrors.h"
#include <QtCore/QSaveFile>
#include <array>

QString EnsureSuffix(const QString& suffix, const QString& text) {
  return text.endsWith(suffix) ? text : text + suffix;
}

QString RemoveCharsOfSet(const QString& text, QStringView characterSet) {
  QString result;
  result.reserve(text.size());
  for (QChar c : text)
    if (!characterSet.contains(c)) result += c;
  return result;
}

QString RepeatString(const QString& text, int count) { return count < 1 ? QString() : text.repeated(count); }

void FixLengthAtNull(QString& text) {
  const qsizetype nul = text.indexOf(QChar(0));
  if (nul >= 0) text.truncate(nul);
}

int CountChar(QStringView text, QChar character) { return int(text.count(character)); }

bool IsLineBreakChar(QChar character) { return character == QLatin1Char('\r') || character == QLatin1Char('\n'); }

int ReplaceCharInPlace(QString& text, QChar from, QChar to) {
  if (from == to) return 0;
  const int count = CountChar(text, from);
  if (count > 0) text.replace(from, to);
  return count;
}

void SaveTextToFile(const QString& fileName, const QString& text) {
  QSaveFile file(fileName);
  if (file.open(QIODevice::WriteOnly)) {
    file.write(Cp1250::EncodeLossy(text));
    if (file.commit()) return;
  }
  throw ERtError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
}

const QChar* PCharOrNil(const QString& text) { return text.isEmpty() ? nullptr : text.constData(); }

int MaxInteger(int a, int b) { return a > b ? a : b; }

quint32 MinCardinal(quint32 a, quint32 b) { return a < b ? a : b; }

namespace CharClasses {
namespace {

struct TTables {
  std::array<bool, 256> upper{};
  std::array<bool, 256> lower{};
  std::array<uchar, 256> toLower{};
  std::array<uchar, 256> toUpper{};
};

// A case partner is used only when code page 1250 holds it, so a character
// keeps its byte when its other case lies outside the code page.
uchar Partner(uchar ch, char16_t partner) {
  const int byte = Cp1250::FromUnicode(partner);
  return byte < 0 ? ch : uchar(byte);
}

const TTables& Tables() {
  static const TTables tables = [] {
    TTables t;
    for (int i = 0; i < 256; ++i) {
      const QChar c(Cp1250::ToUnicode(uchar(i)));
      t.upper[i] = c.isUpper();
      t.lower[i] = c.isLower();
      t.toLower[i] = Partner(uchar(i), c.toLower().unicode());
      t.toUpper[i] = Partner(uchar(i), c.toUpper().unicode());
    }
    return t;
  }();
  return tables;
}

} // namespace

bool IsUpper(uchar ch) { return Tables().upper[ch]; }
bool IsLower(uchar ch) { return Tables().lower[ch]; }
uchar ToLower(uchar ch) { return Tables().toLower[ch]; }
uchar ToUpper(uchar ch) { return Tables().toUpper[ch]; }
uchar ToggleCase(uchar ch) { return IsUpper(ch) ? ToLower(ch) : IsLower(ch) ? ToUpper(ch) : ch; }

} // namespace CharClasses
