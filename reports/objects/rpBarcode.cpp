#include "reports/objects/rpBarcode.h"
#include "core/Exception.h"
#include <QtGui/QPainter>
#include <QtGui/QPolygon>
#include <array>
#include <cmath>

namespace {

const TrpBarcodeTypeInfo kTypes[] = {{"2_5_interleaved", true, 2, 3},
                                     {"2_5_industrial", true, 2, 3},
                                     {"2_5_matrix", true, 2.25, 3},
                                     {"Code39", false, 2, 3},
                                     {"Code39 Extended", false, 2, 3},
                                     {"Code128A", false, 0, 0},
                                     {"Code128B", false, 0, 0},
                                     {"Code128C", true, 0, 0},
                                     {"Code93", false, 0, 0},
                                     {"Code93 Extended", false, 0, 0},
                                     {"MSI", true, 0, 0},
                                     {"PostNet", true, 0, 0},
                                     {"Codebar", false, 2, 3},
                                     {"EAN8", true, 2, 3},
                                     {"EAN13", true, 2, 3},
                                     {"UPC_A", true, 2, 3},
                                     {"UPC_E0", true, 2, 3},
                                     {"UPC_E1", true, 2, 3},
                                     {"UPC Supp2", true, 2, 3},
                                     {"UPC Supp5", true, 2, 3},
                                     {"EAN128A", false, 0, 0},
                                     {"EAN128B", false, 0, 0},
                                     {"EAN128C", true, 0, 0}};

[[noreturn]] void Fail(const QString& message) { throw Exception(message); }

QString ClassPrefix() { return QLatin1String(kBarcodeClassName); }

// --- 2 of 5: five elements per digit, 1 wide.
constexpr const char* kTwoOfFive[10] = {"00110", "10001", "01001", "11000", "00101",
                                        "10100", "01100", "00011", "10010", "01010"};

// --- Code 39: nine elements (bar, space, ...), 1 wide; the index is the character's value.
constexpr char kCode39Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
constexpr const char* kCode39[44] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000", "000100101", "100100100",
    "001100100", "100001001", "001001001", "101001000", "000011001", "100011000", "001011000", "000001101", "100001100",
    "001001100", "000011100", "100000011", "001000011", "101000010", "000010011", "100010010", "001010010", "000000111",
    "100000110", "001000110", "000010110", "110000001", "011000001", "111000000", "010010001", "110010000", "011010000",
    "010000101", "110000100", "011000100", "010101000", "010100010", "010001010", "000101010", "010010100"};

// Full ASCII as pairs (or single characters) of the base set; in Code 93 "$",
// "%", "/" and "+" stand for its four shift characters.
QString FullAscii(QChar c) {
  const ushort u = c.unicode();
  const auto pair = [](char shift, char letter) -> QString {
    return QString(QLatin1Char(shift)) + QLatin1Char(letter);
  };
  if (u == 0) return pair('%', 'U');
  if (u <= 26) return pair('$', char('A' + u - 1));
  if (u <= 31) return pair('%', char('A' + u - 27));
  if (u == ' ' || u == '-' || u == '.' || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z')) return QString(c);
  if (u >= '!' && u <= ',') return pair('/', char('A' + u - '!'));
  if (u == '/') return pair('/', 'O');
  if (u == ':') return pair('/', 'Z');
  if (u >= ';' && u <= '?') return pair('%', char('F' + u - ';'));
  if (u == '@') return pair('%', 'V');
  if (u >= '[' && u <= '_') return pair('%', char('K' + u - '['));
  if (u == '`') return pair('%', 'W');
  if (u >= 'a' && u <= 'z') return pair('+', char('A' + u - 'a'));
  if (u >= '{' && u <= 127) return pair('%', char('P' + u - '{'));
  return {};
}

// --- Code 128: element widths by value; 103 to 105 are the starts.
constexpr const char* kCode128[106] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213", "221312",
    "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132", "221231", "213212",
    "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211", "212123", "212321", "232121",
    "111323", "131123", "131321", "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",
    "132131", "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131", "311123",
    "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111", "111224", "111422", "121124",
    "121421", "141122", "141221", "112214", "112412", "122114", "122411", "142112", "142211", "241211", "221114",
    "413111", "241112", "134111", "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112",
    "421211", "212141", "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232"};

// The value of a character in set A (values 0-63: ASCII 32-95, 64-95: ASCII 0-31) or set B (ASCII 32-127); -1 when
// none.
int Code128Value(QChar c, bool setA) {
  const ushort u = c.unicode();
  if (setA) {
    if (u >= 32 && u <= 95) return u - 32;
    if (u < 32) return u + 64;
    return -1;
  }
  return u >= 32 && u <= 127 ? u - 32 : -1;
}

// --- Code 93: widths of the 47 characters (43 and the four shifts $ % / +, here "abcd").
constexpr char kCode93Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%abcd";
constexpr const char* kCode93[47] = {"131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114",
                                     "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111",
                                     "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321",
                                     "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111",
                                     "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
                                     "112131", "113121", "211131", "121221", "312111", "311121", "122211"};

// --- Codabar: seven elements, 1 wide.
constexpr char kCodabarChars[] = "0123456789-$:/.+ABCD";
constexpr const char* kCodabar[20] = {"0000011", "0000110", "0001001", "1100000", "0010010", "1000010", "0100001",
                                      "0100100", "0110000", "1001000", "0001100", "0011000", "1000101", "1010001",
                                      "1010100", "0010101", "0011010", "0101001", "0001011", "0001110"};

// --- EAN/UPC: the left odd set as widths space, bar, space, bar.
constexpr const char* kEanA[10] = {"3211", "2221", "2122", "1411", "1132", "1231", "1114", "1312", "1213", "3112"};
constexpr const char* kEan13Parity[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                          "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
constexpr const char* kUpcEParity[10] = {"EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
                                         "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE"};
constexpr const char* kSupp5Parity[10] = {"EEOOO", "EOEOO", "EOOEO", "EOOOE", "OEEOO",
                                          "OOEEO", "OOOEE", "OEOEO", "OEOOE", "OOEOE"};

// --- PostNet: 1 a tall bar.
constexpr const char* kPostNet[10] = {"11000", "00011", "00101", "00110", "01001",
                                      "01010", "01100", "10001", "10010", "10100"};

// Widths 1..4 as alternating space and bar elements, the first one a space.
QString SpaceFirst(const char* widths) {
  QString out;
  for (int i = 0; widths[i]; ++i)
    out += QChar((i % 2 ? '5' : '0') + (widths[i] - '1'));
  return out;
}

// Widths 1..4 as alternating bar and space elements, the first one a bar.
QString BarFirst(const char* widths) {
  QString out;
  for (int i = 0; widths[i]; ++i)
    out += QChar((i % 2 ? '0' : '5') + (widths[i] - '1'));
  return out;
}

QString Reversed(QString text) {
  std::reverse(text.begin(), text.end());
  return text;
}

// A digit in the A (left odd), B (left even: C read backwards) or C (right) set.
QString EanDigit(QChar digit, char set) {
  const char* a = kEanA[digit.unicode() - '0'];
  if (set == 'A') return SpaceFirst(a);
  if (set == 'C') return BarFirst(a);
  return SpaceFirst(Reversed(QString::fromLatin1(a)).toLatin1().constData());
}

// Wide/narrow bits as bars and spaces: `bars` and `spaces` give the narrow and wide characters.
QString WideNarrow(const char* bits, bool barFirst, const char* bar = "56", const char* space = "01") {
  QString out;
  for (int i = 0; bits[i]; ++i) {
    const bool isBar = (i % 2 == 0) == barFirst;
    out += QLatin1Char((isBar ? bar : space)[bits[i] - '0']);
  }
  return out;
}

int DigitValue(QChar c) {
  if (c < QLatin1Char('0') || c > QLatin1Char('9')) Fail(QStringLiteral("'%1' nie je platné celé číslo.").arg(c));
  return c.unicode() - '0';
}

QString FitTo(const QString& text, int n) {
  return text.size() > n ? text.left(n) : text.rightJustified(n, QLatin1Char('0'));
}

// Weights 3 and 1 alternately from the rightmost digit (3), then the digit that completes ten.
QChar Modulo10(const QString& digits) {
  int sum = 0;
  for (int i = int(digits.size()) - 1, weight = 3; i >= 0; --i, weight = 4 - weight)
    sum += DigitValue(digits[i]) * weight;
  return QChar('0' + (10 - sum % 10) % 10);
}

QString WithCheckDigit(const QString& text, TrpCheckSumMethod method) {
  return method == csmModulo10 ? text + Modulo10(text) : text;
}

// The add-ons' check digit: every digit weighted 3 and 9 alternately from the rightmost (3).
int SupplementCheck(const QString& digits) {
  int sum = 0;
  for (int i = int(digits.size()) - 1, weight = 3; i >= 0; --i, weight = 12 - weight)
    sum += DigitValue(digits[i]) * weight;
  return sum % 10;
}

// The UPC-A number a zero-suppressed UPC-E number stands for (number system, six digits).
QString ExpandUpcE(QChar system, const QString& d) {
  QString manufacturer, product;
  switch (d[5].unicode()) {
  case '0':
  case '1':
  case '2':
    manufacturer = d.left(2) + d[5] + QStringLiteral("00");
    product = QStringLiteral("00") + d.mid(2, 3);
    break;
  case '3':
    manufacturer = d.left(3) + QStringLiteral("00");
    product = QStringLiteral("000") + d.mid(3, 2);
    break;
  case '4':
    manufacturer = d.left(4) + QStringLiteral("0");
    product = QStringLiteral("0000") + d[4];
    break;
  default:
    manufacturer = d.left(5);
    product = QStringLiteral("0000") + d[5];
    break;
  }
  return QString(system) + manufacturer + product;
}

} // namespace

const TrpBarcodeTypeInfo& rpBarcodeTypeInfo(int type) { return kTypes[std::clamp(type, 0, 22)]; }

TrpBarcode::TrpBarcode(QObject* owner) : QObject(owner) {}

void TrpBarcode::Change() {
  if (OnChange) OnChange(this);
}

#define RP_SETTER(Setter, field)                                                                                       \
  if (field == value) return;                                                                                          \
  field = value;                                                                                                       \
  Change();

void TrpBarcode::SetTyp(int value) { RP_SETTER(SetTyp, typ_) }
void TrpBarcode::SetText(const QString& value) { RP_SETTER(SetText, text_) }
void TrpBarcode::SetRatio(double value) { RP_SETTER(SetRatio, ratio_) }
void TrpBarcode::SetChecksum(bool value) { RP_SETTER(SetChecksum, checksum_) }
void TrpBarcode::SetAngle(double value) { RP_SETTER(SetAngle, angle_) }
void TrpBarcode::SetLeft(int value) { RP_SETTER(SetLeft, left_) }
void TrpBarcode::SetTop(int value) { RP_SETTER(SetTop, top_) }
void TrpBarcode::SetHeight(int value) { RP_SETTER(SetHeight, height_) }
#undef RP_SETTER

void TrpBarcode::SetModul(int modul) {
  if (modul < 1 || modul > 49) return;
  modul_ = modul;
  Change();
}

void TrpBarcode::Assign(const TrpBarcode& other) {
  typ_ = other.typ_;
  text_ = other.text_;
  modul_ = other.modul_;
  ratio_ = other.ratio_;
  checksum_ = other.checksum_;
  angle_ = other.angle_;
  left_ = other.left_;
  top_ = other.top_;
  height_ = other.height_;
  CheckSumMethod = other.CheckSumMethod;
  Color = other.Color;
  ColorBar = other.ColorBar;
  OnChange = other.OnChange;
}

QString TrpBarcode::Internal() const { return ClassPrefix() + QStringLiteral(": internal Error"); }

int TrpBarcode::ElementWidth(QChar e) const {
  const ushort u = e.unicode();
  if (u >= '0' && u <= '3') return widths_[u - '0'];
  if (u >= '5' && u <= '8') return widths_[u - '5'];
  if (u >= 'A' && u <= 'D') return widths_[u - 'A'];
  Fail(Internal());
}

QString TrpBarcode::BuildPattern() {
  const TrpBarcodeTypeInfo& info = rpBarcodeTypeInfo(typ_);
  if (typ_ < 0 || typ_ > 22) Fail(ClassPrefix() + QStringLiteral(": wrong BarcodeType"));
  if (info.MaxRatio > 0) SetRatio(std::clamp(ratio_, info.MinRatio, info.MaxRatio));
  const int w1 = int(std::nearbyint(modul_ * ratio_));
  widths_[0] = modul_;
  widths_[1] = w1;
  widths_[2] = w1 * 3 / 2;
  widths_[3] = w1 * 2;
  if (info.Numeric) {
    text_ = text_.trimmed();
    for (QChar c : text_)
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) Fail(QStringLiteral("Barcode must be numeric"));
  }
  const QString badData = QStringLiteral("%1:%2 bad Data <%3>");
  QString p;
  switch (typ_) {
  case bcCode_2_5_interleaved: {
    // An odd count gets a leading zero: dropping the last digit would encode another number.
    if (text_.size() % 2) text_.prepend(QLatin1Char('0'));
    p = QStringLiteral("5050");
    for (qsizetype i = 0; i + 1 < text_.size(); i += 2) {
      const char* bars = kTwoOfFive[DigitValue(text_[i])];
      const char* spaces = kTwoOfFive[DigitValue(text_[i + 1])];
      for (int k = 0; k < 5; ++k) {
        p += QLatin1Char(bars[k] == '1' ? '6' : '5');
        p += QLatin1Char(spaces[k] == '1' ? '1' : '0');
      }
    }
    p += QStringLiteral("605");
    break;
  }
  case bcCode_2_5_industrial:
    p = QStringLiteral("606050");
    for (QChar c : text_)
      for (const char* e = kTwoOfFive[DigitValue(c)]; *e; ++e)
        p += *e == '1' ? QStringLiteral("60") : QStringLiteral("50");
    p += QStringLiteral("605060");
    break;
  case bcCode_2_5_matrix:
    p = QStringLiteral("705050");
    for (QChar c : text_)
      p += WideNarrow(kTwoOfFive[DigitValue(c)], true) + QLatin1Char('0');
    p += QStringLiteral("70505");
    break;
  case bcCode39:
  case bcCode39Extended: {
    QString data;
    for (QChar c : text_) {
      const QString mapped = typ_ == bcCode39Extended ? FullAscii(c) : QString(c);
      // A character the table lacks is refused: skipping it would encode another text.
      if (mapped.isEmpty() || mapped.contains(QLatin1Char('*')))
        Fail(badData.arg(ClassPrefix(), QStringLiteral("Code39"), text_));
      data += mapped;
    }
    const auto charPattern = [&](QChar c) {
      const char* at = std::strchr(kCode39Chars, c.toLatin1());
      if (!at || c.unicode() > 127 || c.isNull()) Fail(badData.arg(ClassPrefix(), QStringLiteral("Code39"), text_));
      return int(at - kCode39Chars);
    };
    p = WideNarrow(kCode39[43], true) + QLatin1Char('0');
    int sum = 0;
    for (QChar c : data) {
      const int value = charPattern(c);
      sum += value;
      p += WideNarrow(kCode39[value], true) + QLatin1Char('0');
    }
    if (checksum_) p += WideNarrow(kCode39[sum % 43], true) + QLatin1Char('0');
    p += WideNarrow(kCode39[43], true);
    break;
  }
  case bcCode128A:
  case bcCode128B:
  case bcCode128C:
  case bcCodeEAN128A:
  case bcCodeEAN128B:
  case bcCodeEAN128C: {
    const bool ean = typ_ >= bcCodeEAN128A;
    const int set = (typ_ - (ean ? bcCodeEAN128A : bcCode128A)); // 0 A, 1 B, 2 C
    const int start = 103 + set;
    QString widths = QLatin1String(kCode128[start]);
    int sum = start, position = 1;
    const auto add = [&](int value) {
      widths += QLatin1String(kCode128[value]);
      sum += position * value;
      ++position;
    };
    if (ean) {
      add(102); // FNC1 at position 1, the data from position 2 on
      if (checksum_) text_ = WithCheckDigit(text_, CheckSumMethod);
    }
    if (set == 2) {
      if (text_.size() % 2) text_.prepend(QLatin1Char('0'));
      for (qsizetype i = 0; i + 1 < text_.size(); i += 2)
        add(text_.mid(i, 2).toInt());
    } else {
      for (QChar c : text_) {
        const int value = Code128Value(c, set == 0);
        if (value < 0) Fail(badData.arg(ClassPrefix(), QStringLiteral("Code128"), text_));
        add(value);
      }
    }
    widths += QLatin1String(kCode128[sum % 103]) + QStringLiteral("2331112");
    p = BarFirst(widths.toLatin1().constData());
    break;
  }
  case bcCode93:
  case bcCode93Extended: {
    QString data;
    for (QChar c : text_) {
      QString mapped = typ_ == bcCode93Extended ? FullAscii(c) : QString(c);
      if (typ_ == bcCode93Extended && mapped.size() == 2) {
        const int shift = int(QStringLiteral("$%/+").indexOf(mapped[0]));
        mapped[0] = QLatin1Char(char('a' + shift));
      }
      if (mapped.isEmpty()) Fail(badData.arg(ClassPrefix(), QStringLiteral("Code93"), text_));
      data += mapped;
    }
    QList<int> values;
    for (QChar c : data) {
      const char* at =
          c.unicode() < 128 && !c.isNull() && c != QLatin1Char('*') ? std::strchr(kCode93Chars, c.toLatin1()) : nullptr;
      // Plain Code 93 has no use for the shift characters as data.
      if (!at || (typ_ == bcCode93 && c.isLower())) Fail(badData.arg(ClassPrefix(), QStringLiteral("Code93"), text_));
      values.append(int(at - kCode93Chars));
    }
    const auto check = [&](int maxWeight) {
      int sum = 0;
      for (qsizetype i = values.size() - 1, weight = 1; i >= 0; --i, weight = weight % maxWeight + 1)
        sum += values[i] * weight;
      values.append(sum % 47);
    };
    check(20);
    check(15);
    QString widths = QStringLiteral("111141");
    for (int v : values)
      widths += QLatin1String(kCode93[v]);
    widths += QStringLiteral("1111411");
    p = BarFirst(widths.toLatin1().constData());
    break;
  }
  case bcCodeMSI: {
    // Alternate digits from the rightmost are doubled (their number's digits summed), the others added.
    QString doubled;
    int sum = 0;
    for (qsizetype i = text_.size() - 1, k = 0; i >= 0; --i, ++k) {
      if (k % 2 == 0)
        doubled.prepend(text_[i]);
      else
        sum += DigitValue(text_[i]);
    }
    QString twice;
    int carry = 0;
    for (qsizetype i = doubled.size() - 1; i >= 0; --i) {
      const int d = DigitValue(doubled[i]) * 2 + carry;
      twice.prepend(QChar('0' + d % 10));
      carry = d / 10;
    }
    if (carry) twice.prepend(QChar('0' + carry));
    for (QChar c : twice)
      sum += DigitValue(c);
    const int checkDigit = (10 - sum % 10) % 10;
    p = QStringLiteral("60");
    const auto digit = [&](int d) {
      for (int bit = 3; bit >= 0; --bit)
        p += (d >> bit) & 1 ? QStringLiteral("60") : QStringLiteral("51");
    };
    for (QChar c : text_)
      digit(DigitValue(c));
    digit(checkDigit);
    p += QStringLiteral("515");
    break;
  }
  case bcCodePostNet:
    p = QStringLiteral("51");
    for (QChar c : text_)
      for (const char* e = kPostNet[DigitValue(c)]; *e; ++e)
        p += *e == '1' ? QStringLiteral("51") : QStringLiteral("A1");
    p += QLatin1Char('5');
    break;
  case bcCodeCodabar: {
    const auto charPattern = [&](QChar c) {
      const char* at = c.unicode() < 128 && !c.isNull() ? std::strchr(kCodabarChars, c.toLatin1()) : nullptr;
      if (!at) Fail(badData.arg(ClassPrefix(), QStringLiteral("Codabar"), text_));
      return WideNarrow(kCodabar[at - kCodabarChars], true);
    };
    p = charPattern(QLatin1Char('A')) + QLatin1Char('0');
    for (QChar c : text_)
      p += charPattern(c) + QLatin1Char('0');
    p += charPattern(QLatin1Char('B'));
    break;
  }
  case bcCodeEAN8:
  case bcCodeEAN13: {
    const bool eight = typ_ == bcCodeEAN8;
    const int n = eight ? 8 : 13;
    QString code = checksum_ ? WithCheckDigit(FitTo(text_, n - 1), CheckSumMethod) : FitTo(text_, n);
    if (code.size() != n)
      Fail(eight ? QStringLiteral("Invalid Text len (EAN8)") : QStringLiteral("Invalid Text len (EAN13)"));
    if (!eight) text_ = code;
    p = QStringLiteral("505");
    if (eight) {
      for (int i = 0; i < 4; ++i)
        p += EanDigit(code[i], 'A');
      p += QStringLiteral("05050");
      for (int i = 4; i < 8; ++i)
        p += EanDigit(code[i], 'C');
    } else {
      const char* parity = kEan13Parity[DigitValue(code[0])];
      for (int i = 1; i < 7; ++i)
        p += EanDigit(code[i], parity[i - 1]);
      p += QStringLiteral("05050");
      for (int i = 7; i < 13; ++i)
        p += EanDigit(code[i], 'C');
    }
    p += QStringLiteral("505");
    break;
  }
  case bcCodeUPC_A:
    text_ = FitTo(text_, 12);
    if (checksum_) text_ = WithCheckDigit(text_.left(11), CheckSumMethod);
    if (text_.size() != 12) Fail(QStringLiteral("Invalid Text len (UPC_A)"));
    p = QStringLiteral("505");
    for (int i = 0; i < 6; ++i)
      p += EanDigit(text_[i], 'A');
    p += QStringLiteral("05050");
    for (int i = 6; i < 12; ++i)
      p += EanDigit(text_[i], 'C');
    p += QStringLiteral("505");
    break;
  case bcCodeUPC_E0:
  case bcCodeUPC_E1: {
    text_ = FitTo(text_, 7);
    const QString digits = text_.left(6);
    // The parity follows the check digit of the UPC-A number the code stands for.
    const QChar system = typ_ == bcCodeUPC_E0 ? QLatin1Char('0') : QLatin1Char('1');
    const QChar checkDigit = Modulo10(ExpandUpcE(system, digits));
    if (checksum_) text_ = digits + checkDigit;
    const char* parity = kUpcEParity[checkDigit.unicode() - '0'];
    p = QStringLiteral("505");
    for (int i = 0; i < 6; ++i) {
      const bool even = (parity[i] == 'E') == (typ_ == bcCodeUPC_E0);
      p += EanDigit(digits[i], even ? 'B' : 'A');
    }
    p += QStringLiteral("050505");
    break;
  }
  case bcCodeUPC_Supp5: {
    text_ = FitTo(text_, 5);
    const int checkDigit = SupplementCheck(text_);
    const char* parity = kSupp5Parity[checkDigit];
    const QString digits = text_;
    if (checksum_) text_ += QChar('0' + checkDigit);
    p = QStringLiteral("506");
    for (int i = 0; i < 5; ++i) {
      if (i > 0) p += QStringLiteral("05");
      p += EanDigit(digits[i], parity[i] == 'E' ? 'B' : 'A');
    }
    break;
  }
  case bcCodeUPC_Supp2: {
    text_ = FitTo(text_, 2);
    const QString digits = text_;
    static const char* const parities[4] = {"OO", "OE", "EO", "EE"};
    const char* parity = parities[digits.toInt() % 4];
    if (checksum_) text_ += QChar('0' + SupplementCheck(digits));
    p = QStringLiteral("506") + EanDigit(digits[0], parity[0] == 'E' ? 'B' : 'A') + QStringLiteral("05") +
        EanDigit(digits[1], parity[1] == 'E' ? 'B' : 'A');
    break;
  }
  default:
    Fail(ClassPrefix() + QStringLiteral(": wrong BarcodeType"));
  }
  for (QChar e : p)
    ElementWidth(e); // every element must be one of the alphabet's
  return p;
}

int TrpBarcode::Width() {
  int width = 0;
  for (QChar e : BuildPattern())
    width += ElementWidth(e);
  return width;
}

void TrpBarcode::SetWidth(int width) {
  const int total = Width();
  if (total > 0) SetModul(modul_ * width / total);
}

QList<TrpBarcode::TElement> TrpBarcode::Elements() {
  const QString pattern = BuildPattern();
  int total = 0;
  for (QChar e : pattern)
    total += ElementWidth(e);
  const double a = angle_ * M_PI / 180, s = std::sin(a), c = std::cos(a);
  const int w = total, h = height_;
  const auto r = [](double v) { return int(std::nearbyint(v)); };
  int ox = left_, oy = top_;
  if (s >= 0 && c >= 0) {
    oy += r(w * s);
  } else if (s >= 0) {
    ox += r(-w * c);
    oy += r(w * s - h * c);
  } else if (c >= 0) {
    ox += r(-h * s);
  } else {
    ox += r(-w * c - h * s);
    oy += r(-h * c);
  }
  QList<TElement> elements;
  elements.reserve(pattern.size());
  int x = 0;
  for (QChar e : pattern) {
    const int width = ElementWidth(e);
    const ushort u = e.unicode();
    const int height = u >= 'A' ? h * 2 / 5 : h;
    const QPoint corners[] = {{x, 0}, {x, height}, {x + width - 1, height}, {x + width - 1, 0}};
    TElement element;
    element.Bar = u >= '5';
    for (const QPoint& p : corners)
      element.Corners << QPoint(ox + r(p.x() * c + p.y() * s), oy + r(-p.x() * s + p.y() * c));
    elements.append(element);
    x += width;
  }
  return elements;
}

void TrpBarcode::PaintTo(QPainter& painter) {
  const QList<TElement> elements = Elements();
  painter.save();
  for (const TElement& element : elements) {
    const QColor color = element.Bar ? ColorBar : Color;
    painter.setPen(QPen(color, 1));
    painter.setBrush(color);
    painter.drawPolygon(element.Corners);
  }
  painter.restore();
}
