#include "app/NumToWords.h"
#include <array>

namespace {

// Words of 1 to 19 (index 0 unused).
const std::array<QString, 20> kUnits = {
    QString(),
    QStringLiteral("jeden"),
    QStringLiteral("dva"),
    QStringLiteral("tri"),
    QStringLiteral("štyri"),
    QStringLiteral("päť"),
    QStringLiteral("šesť"),
    QStringLiteral("sedem"),
    QStringLiteral("osem"),
    QStringLiteral("deväť"),
    QStringLiteral("desať"),
    QStringLiteral("jedenásť"),
    QStringLiteral("dvanásť"),
    QStringLiteral("trinásť"),
    QStringLiteral("štrnásť"),
    QStringLiteral("pätnásť"),
    QStringLiteral("šesťnásť"),
    QStringLiteral("sedemnásť"),
    QStringLiteral("osemnásť"),
    QStringLiteral("deväťnásť"),
};

// Words of the tens 20 to 90 by their digit (indexes 0 and 1 unused).
const std::array<QString, 10> kTens = {
    QString(),
    QString(),
    QStringLiteral("dvadsať"),
    QStringLiteral("tridsať"),
    QStringLiteral("štyridsať"),
    QStringLiteral("päťdesiat"),
    QStringLiteral("šesťdesiat"),
    QStringLiteral("sedemdesiat"),
    QStringLiteral("osemdesiat"),
    QStringLiteral("deväťdesiat"),
};

constexpr qint64 kBillion = 1000000000;
constexpr qint64 kLimit = 20 * kBillion;

// Writes the hundreds digit: "jedno" only while nothing has been written yet
// ("jednosto", but "jedentisícsto"), "dve" for two, then "sto".
void AppendHundreds(QString& out, int hundreds, bool& written) {
  if (hundreds == 0) return;
  if (hundreds == 1) {
    if (!written) out += QStringLiteral("jedno");
  } else if (hundreds == 2) {
    out += QStringLiteral("dve");
  } else {
    out += kUnits[hundreds];
  }
  out += QStringLiteral("sto");
  written = true;
}

// Writes the tens digit 2..9 and returns what is left below it: 0..9 after a
// tens word, or the teen 10..19 when the tens digit is 1.
int AppendTens(QString& out, int below100, bool& written) {
  if (below100 >= 20) {
    out += kTens[below100 / 10];
    written = true;
    return below100 % 10;
  }
  return below100;
}

// The words of one three-digit group followed by its scale word. The scale
// has its own forms for 1 to 4 when the group is that count alone
// ("dvetisíc", "trimilióny") and a plural used after hundreds or tens.
struct Scale {
  std::array<QString, 5> alone; // index 1..4
  QString plural;
};

void AppendGroup(QString& out, int group, const Scale& scale, bool& written) {
  const int hundreds = group / 100;
  AppendHundreds(out, hundreds, written);
  const int tensDigit = group % 100 / 10;
  const int rest = AppendTens(out, group % 100, written);
  const bool above = hundreds != 0 || tensDigit != 0;
  if (rest > 0) {
    out += !above && rest <= 4 ? scale.alone[rest] : kUnits[rest] + scale.plural;
    written = true;
  } else if (above) {
    out += scale.plural;
  }
}

const Scale kMillions = {{QString(), QStringLiteral("jedenmilión"), QStringLiteral("dvamilióny"),
                          QStringLiteral("trimilióny"), QStringLiteral("štyrimilióny")},
                         QStringLiteral("miliónov")};
const Scale kThousands = {{QString(), QStringLiteral("jedentisíc"), QStringLiteral("dvetisíc"),
                           QStringLiteral("tritisíc"), QStringLiteral("štyritisíc")},
                          QStringLiteral("tisíc")};

// Two to four billions take the plural "miliardy"; five and more "miliárd".
const std::array<QString, 5> kBillionsAlone = {QString(), QStringLiteral("jednamiliarda"),
                                               QStringLiteral("dvemiliardy"), QStringLiteral("trimiliardy"),
                                               QStringLiteral("štyrimiliardy")};

} // namespace

QString NumberToSlovakWords(qint64 n) {
  if (n >= kLimit) return QStringLiteral("!!!!! veľké číslo !!!!!");
  if (n <= 0) return QString();
  QString out;
  bool written = false;
  const int billions = int(n / kBillion);
  if (billions > 0) {
    out += billions <= 4 ? kBillionsAlone[billions] : kUnits[billions] + QStringLiteral("miliárd");
    written = true;
  }
  n %= kBillion;
  AppendGroup(out, int(n / 1000000), kMillions, written);
  n %= 1000000;
  AppendGroup(out, int(n / 1000), kThousands, written);
  n %= 1000;
  AppendHundreds(out, int(n / 100), written);
  const int rest = AppendTens(out, int(n % 100), written);
  if (rest > 0) out += kUnits[rest];
  return out;
}
