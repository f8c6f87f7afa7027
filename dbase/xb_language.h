#pragma once
#include <QtCore/QList>
#include <QtCore/QLocale>
#include <QtCore/QString>

// The language-driver table: a dBASE/FoxPro header's language byte to a
// Windows code page, a collation locale id and a short locale code.
namespace XbLanguage {

// Locale code values that are not texts: id 0 (no id) and id 0x8E (BGDB868).
constexpr quint32 kNoLocaleCode = 0x10000;
constexpr quint32 kBulgarianCode = 0x20000;
// The user's default locale: Slovak, as the program's users have it.
constexpr quint32 kUserDefaultLocale = 0x041B;

struct TLanguageDriver {
  quint16 CodePage;
  quint32 Locale;
  quint32 LocaleCode; // up to three characters, first in the low byte
};

enum class LanguageColumn { Locale, LocaleCode };

const TLanguageDriver& LanguageDriver(int id);
bool IsFoxProId(int id);
// The locale code as text ("" for none and for the two special values).
QString LocaleCodeText(quint32 code);
quint32 LocaleCodeFromText(QStringView text);

// The highest matching id of the wanted class, else of the other class; 0 when none.
int FindLanguageId(int codePage, quint32 value, LanguageColumn column, bool foxPro);
int LanguageIdFor(int codePage, quint32 locale, bool foxPro);
QString BuildLanguageDriverName(int codePage, quint32 locale, bool foxPro);
// Reads back every name BuildLanguageDriverName makes (code pages of any
// number of digits); 0 when the name names no id.
int LanguageIdFromName(const QString& name);

} // namespace XbLanguage

// The locale ids the system can collate with: those of the language-driver
// table that the platform knows.
class TLCIDList {
public:
  TLCIDList();
  void Fill();
  bool Contains(quint32 locale) const { return locales_.contains(locale); }
  const QList<quint32>& Items() const { return locales_; }

private:
  QList<quint32> locales_;
};

// The process's list, filled on first use.
const TLCIDList& InstalledLocales();

// The platform's locale for a Windows locale id of the table; the C locale when unknown.
QLocale LocaleOfLcid(quint32 lcid);
