#include "dbase/xb_language.h"
#include <QtCore/QLocale>
#include <array>

namespace XbLanguage {
namespace {

constexpr quint32 Code(const char* text) {
  quint32 value = 0;
  for (int i = 0; i < 3 && text[i]; ++i)
    value |= quint32(static_cast<unsigned char>(text[i])) << (8 * i);
  return value;
}

struct Entry {
  int id;
  TLanguageDriver driver;
};

constexpr Entry kAssigned[] = {
    {0x01, {437, 0x0409, Code("US0")}},
    {0x02, {850, 0x0809, Code("UK0")}},
    {0x03, {1252, 0x0809, Code("UK0")}},
    {0x04, {10000, 0x0809, Code("UK0")}},
    {0x08, {865, 0x0406, Code("DA0")}},
    {0x09, {437, 0x0413, Code("NL0")}},
    {0x0A, {850, 0x0413, Code("NL0")}},
    {0x0B, {437, 0x040B, Code("FI0")}},
    {0x0C, {850, 0x040B, Code("FI0")}},
    {0x0D, {437, 0x040C, Code("FR0")}},
    {0x0E, {850, 0x040C, Code("FR0")}},
    {0x0F, {437, 0x0407, Code("DE0")}},
    {0x10, {850, 0x0407, Code("DE0")}},
    {0x11, {437, 0x0410, Code("IT0")}},
    {0x12, {850, 0x0410, Code("IT1")}},
    {0x13, {932, 0x0411, Code("JP0")}},
    {0x14, {850, 0x040A, Code("ES0")}},
    {0x15, {437, 0x041D, Code("SV0")}},
    {0x16, {850, 0x041D, Code("SV1")}},
    {0x17, {865, 0x0414, Code("NO0")}},
    {0x18, {437, 0x040A, Code("ES1")}},
    {0x19, {437, 0x0809, Code("UK0")}},
    {0x1A, {850, 0x0809, Code("UK0")}},
    {0x1B, {437, 0x0409, Code("US0")}},
    {0x1C, {863, 0x0C0C, Code("CF1")}},
    {0x1D, {850, 0x0C0C, Code("CF1")}},
    {0x1F, {852, 0x0405, Code("CZ0")}},
    {0x20, {867, 0x0405, Code("CZ0")}},
    {0x22, {852, 0x040E, Code("HDC")}},
    {0x23, {852, 0x0415, Code("PO0")}},
    {0x24, {860, 0x0416, Code("PT0")}},
    {0x25, {850, 0x0416, Code("PT0")}},
    {0x26, {866, 0x0419, Code("RU0")}},
    {0x37, {850, 0x0409, Code("US0")}},
    {0x4D, {936, 0x0804, Code("CN0")}},
    {0x4E, {949, 0x0412, Code("KO0")}},
    {0x4F, {950, 0x0404, Code("TW0")}},
    {0x50, {874, 0x041E, Code("TH0")}},
    {0x56, {932, 0x0411, Code("JP1")}},
    {0x57, {1252, 0x0000, Code("US0")}},
    {0x58, {1252, 0x0809, Code("WE0")}},
    {0x59, {1252, 0x040A, Code("ES0")}},
    {0x5E, {437, 0x0407, Code("DE")}},
    {0x5F, {437, 0x0414, Code("NO")}},
    {0x60, {850, 0x0414, Code("NO")}},
    {0x61, {1252, 0x0407, Code("DE")}},
    {0x62, {1252, 0x0414, Code("NO")}},
    {0x64, {852, 0x0405, Code("CZ0")}},
    {0x65, {866, 0x0419, Code("RU0")}},
    {0x66, {865, 0x0414, Code("NO")}},
    {0x67, {861, 0x040F, Code("IC0")}},
    {0x68, {895, 0x0405, Code("CZ0")}},
    {0x69, {620, 0x0415, Code("PO1")}},
    {0x6A, {737, 0x0408, Code("GR0")}},
    {0x6B, {857, 0x041F, Code("TR0")}},
    {0x78, {950, 0x0C04, Code("CH0")}},
    {0x79, {949, 0x0412, Code("KO0")}},
    {0x7A, {936, 0x21004, Code("CS0")}},
    {0x7B, {932, 0x0411, Code("JP0")}},
    {0x7C, {874, 0x041E, Code("TH0")}},
    {0x7D, {1255, 0x040D, Code("REW")}},
    {0x7E, {1256, 0x0401, Code("AR0")}},
    {0x85, {862, 0x040D, Code("REW")}},
    {0x86, {437, 0x0408, Code("GR0")}},
    {0x87, {852, 0x041B, Code("SL0")}},
    {0x88, {857, 0x041F, Code("TR0")}},
    {0x8E, {868, 0x0402, kBulgarianCode}},
    {0x96, {10007, 0x0419, Code("RU0")}},
    {0x97, {10029, 0x0405, Code("CZ0")}},
    {0x98, {10006, 0x0408, Code("GR0")}},
    {0x9B, {1250, 0x0405, 0}},
    {0x9C, {850, 0x0405, 0}},
    {0xC8, {1250, 0x0405, Code("CZ0")}},
    {0xC9, {1251, 0x0419, Code("RU0")}},
    {0xCA, {1254, 0x041F, Code("TR0")}},
    {0xCB, {1253, 0x0408, Code("GR0")}},
};

struct Table {
  std::array<TLanguageDriver, 256> entries{};
  Table() {
    entries[0] = {0, kNoLocaleCode, kNoLocaleCode};
    for (const Entry& e : kAssigned)
      entries[e.id] = e.driver;
  }
};

const Table& TheTable() {
  static const Table table;
  return table;
}

QString CodePageText(int codePage) { return codePage == 1252 ? QStringLiteral("WIN") : QString::number(codePage); }

// Splits "<code page><rest>" where the code page is "WIN", "REW" or decimal digits.
bool ReadCodePage(QStringView text, int* codePage, QStringView* rest) {
  if (text.startsWith(QLatin1String("WIN")) || text.startsWith(QLatin1String("REW"))) {
    *codePage = text.startsWith(QLatin1String("WIN")) ? 1252 : 1255;
    *rest = text.mid(3);
    return true;
  }
  qsizetype digits = 0;
  while (digits < text.size() && text[digits].isDigit())
    ++digits;
  if (digits == 0 || digits > 5) return false;
  *codePage = text.left(digits).toInt();
  *rest = text.mid(digits);
  return true;
}

int FromFoxProName(QStringView body) {
  // The locale code has two or three characters; try both splits.
  for (int codeLength : {3, 2}) {
    if (body.size() <= codeLength) continue;
    int codePage = 0;
    QStringView rest;
    if (!ReadCodePage(body.mid(codeLength), &codePage, &rest) || !rest.isEmpty()) continue;
    if (const int id =
            FindLanguageId(codePage, LocaleCodeFromText(body.left(codeLength)), LanguageColumn::LocaleCode, true))
      return id;
  }
  // The one entry without a locale code text ("FOX868").
  int codePage = 0;
  QStringView rest;
  if (ReadCodePage(body, &codePage, &rest) && rest.isEmpty())
    return FindLanguageId(codePage, kBulgarianCode, LanguageColumn::LocaleCode, true);
  return 0;
}

} // namespace

const TLanguageDriver& LanguageDriver(int id) { return TheTable().entries[std::size_t(id & 0xFF)]; }

bool IsFoxProId(int id) { return (id >= 1 && id <= 4) || id >= 94; }

QString LocaleCodeText(quint32 code) {
  if (code == kNoLocaleCode || code == kBulgarianCode) return {};
  QString text;
  for (int i = 0; i < 4 && (code >> (8 * i)) & 0xFF; ++i)
    text += QLatin1Char(char((code >> (8 * i)) & 0xFF));
  return text;
}

quint32 LocaleCodeFromText(QStringView text) {
  quint32 value = 0;
  for (qsizetype i = 0; i < std::min<qsizetype>(text.size(), 3); ++i)
    value |= quint32(text[i].toLatin1() & 0xFF) << (8 * i);
  return value;
}

int FindLanguageId(int codePage, quint32 value, LanguageColumn column, bool foxPro) {
  int dbase = 0, fox = 0;
  const Table& table = TheTable();
  for (int id = 0; id < 256; ++id) {
    const TLanguageDriver& e = table.entries[std::size_t(id)];
    const quint32 have = column == LanguageColumn::Locale ? e.Locale : e.LocaleCode;
    if ((codePage == 0 || e.CodePage == codePage) && have == value) (IsFoxProId(id) ? fox : dbase) = id;
  }
  if (dbase != 0 && (!foxPro || fox == 0)) return dbase;
  return fox;
}

int LanguageIdFor(int codePage, quint32 locale, bool foxPro) {
  locale &= 0xFFFF;
  const int id = FindLanguageId(codePage, locale, LanguageColumn::Locale, foxPro);
  return id != 0 ? id : FindLanguageId(0, locale, LanguageColumn::Locale, foxPro);
}

QString BuildLanguageDriverName(int codePage, quint32 locale, bool foxPro) {
  const int id = LanguageIdFor(codePage, locale, foxPro);
  const quint32 code = LanguageDriver(id).LocaleCode;
  if (code == kNoLocaleCode) return {};
  if (foxPro) return QStringLiteral("FOX") + LocaleCodeText(code) + CodePageText(codePage);
  if (code == kBulgarianCode) return QStringLiteral("BGDB868");
  return QStringLiteral("DB") + CodePageText(codePage) + LocaleCodeText(code);
}

int LanguageIdFromName(const QString& name) {
  if (name == QLatin1String("BGDB868")) return 0x8E;
  if (name.startsWith(QLatin1String("FOX"))) return FromFoxProName(QStringView(name).mid(3));
  if (!name.startsWith(QLatin1String("DB"))) return 0;
  int codePage = 0;
  QStringView code;
  if (!ReadCodePage(QStringView(name).mid(2), &codePage, &code)) return 0;
  return FindLanguageId(codePage, LocaleCodeFromText(code), LanguageColumn::LocaleCode, false);
}

} // namespace XbLanguage

TLCIDList::TLCIDList() { Fill(); }

namespace {
// Windows locale ids of the table and the languages the platform knows them by.
constexpr struct {
  quint32 lcid;
  QLocale::Language language;
} kKnownLocales[] = {
    {0x0401, QLocale::Arabic},
    {0x0402, QLocale::Bulgarian},
    {0x0404, QLocale::Chinese},
    {0x0405, QLocale::Czech},
    {0x0406, QLocale::Danish},
    {0x0407, QLocale::German},
    {0x0408, QLocale::Greek},
    {0x0409, QLocale::English},
    {0x040A, QLocale::Spanish},
    {0x040B, QLocale::Finnish},
    {0x040C, QLocale::French},
    {0x040D, QLocale::Hebrew},
    {0x040E, QLocale::Hungarian},
    {0x040F, QLocale::Icelandic},
    {0x0410, QLocale::Italian},
    {0x0411, QLocale::Japanese},
    {0x0412, QLocale::Korean},
    {0x0413, QLocale::Dutch},
    {0x0414, QLocale::NorwegianBokmal},
    {0x0415, QLocale::Polish},
    {0x0416, QLocale::Portuguese},
    {0x0419, QLocale::Russian},
    {0x041B, QLocale::Slovak},
    {0x041D, QLocale::Swedish},
    {0x041E, QLocale::Thai},
    {0x041F, QLocale::Turkish},
    {0x0804, QLocale::Chinese},
    {0x0809, QLocale::English},
    {0x0C04, QLocale::Chinese},
    {0x0C0C, QLocale::French},
};
} // namespace

void TLCIDList::Fill() {
  locales_.clear();
  for (const auto& k : kKnownLocales)
    if (QLocale(k.language).language() == k.language) locales_ << k.lcid;
}

const TLCIDList& InstalledLocales() {
  static const TLCIDList list;
  return list;
}

QLocale LocaleOfLcid(quint32 lcid) {
  for (const auto& k : kKnownLocales)
    if (k.lcid == lcid) return QLocale(k.language);
  return QLocale::c();
}
