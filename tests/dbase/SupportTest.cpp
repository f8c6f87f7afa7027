#include "dbase/xb_codepages.h"
#include "dbase/xb_language.h"
#include "dbase/xb_pgfile.h"
#include <QtCore/QDir>
#include <gtest/gtest.h>

namespace {

TEST(XbPathTest, FullPathsAndCompletion) {
  const struct {
    const char* path;
    bool full;
  } cases[] = {{"c:", true},      {"Z:\\x", true}, {"\\\\server\\share", true},
               {"/home/x", true}, {"c", false},    {"\\data", false},
               {"sub/x", false},  {"1:", false}};
  for (const auto& c : cases)
    EXPECT_EQ(XbPath::IsFullPath(QLatin1String(c.path)), c.full) << c.path;

  const QString cwd = XbPath::WithTrailingBackslash(QDir::currentPath());
  EXPECT_EQ(XbPath::CompletePath({}, {}), cwd);
  EXPECT_EQ(XbPath::CompletePath(QStringLiteral("c:\\data"), QStringLiteral("sub")), QStringLiteral("c:\\data/sub/"));
  EXPECT_EQ(XbPath::CompletePath(QStringLiteral("/base"), QStringLiteral("/abs/dir")), QStringLiteral("/abs/dir/"));
  EXPECT_EQ(XbPath::CompletePath({}, QStringLiteral("rel")), cwd + QStringLiteral("rel/"));
  EXPECT_EQ(XbPath::CompleteFileName(QStringLiteral("/base"), QStringLiteral("sub/t.dbf")),
            QStringLiteral("/base/sub/t.dbf"));
  EXPECT_EQ(XbPath::WithTrailingBackslash({}), QStringLiteral("/"));
  EXPECT_EQ(XbPath::WithTrailingBackslash(QStringLiteral("a\\")), QStringLiteral("a\\"));
}

TEST(XbNumbersTest, DigitsIntoAFixedWidth) {
  const struct {
    qint64 value;
    int width;
    char pad;
    const char* text; // nullptr: refused, does not fit
  } cases[] = {
      {7, 3, ' ', "  7"},
      {0, 2, '0', "00"},
      {-12, 5, '0', "-0012"},
      {-12, 4, ' ', " -12"},
      {-123, 4, ' ', "-123"},
      {1234, 4, ' ', "1234"},
      {12345, 3, ' ', nullptr},
      {12345, 4, ' ', nullptr},
      {-1234, 4, ' ', nullptr},
      {-1234, 4, '0', nullptr},
      {std::numeric_limits<qint64>::min(), 20, ' ', "-9223372036854775808"},
  };
  for (const auto& c : cases) {
    char buffer[24] = "####################";
    const bool fits = Int64ToTextWidth(c.value, c.width, buffer, c.pad);
    EXPECT_EQ(fits, c.text != nullptr) << c.value << " in " << c.width;
    if (c.text)
      EXPECT_EQ(QByteArray(buffer, c.width), QByteArray(c.text));
    else
      EXPECT_EQ(QByteArray(buffer, c.width), QByteArray(c.width, '#')) << "nothing is written";
    if (c.value >= std::numeric_limits<qint32>::min() && c.value <= std::numeric_limits<qint32>::max()) {
      EXPECT_EQ(IntToTextWidth(qint32(c.value), c.width, buffer, c.pad), fits);
    }
  }
  char digits[24];
  ASSERT_EQ(IntToText(-45, digits), 2);
  EXPECT_EQ(QByteArray(digits, 2), QByteArray("45"));
  EXPECT_EQ(IntToText(0, digits), 1);
  EXPECT_EQ(digits[0], '0');
}

TEST(XbNumbersTest, TimeStampsAndByteOrder) {
  const TDateTime firstDay = DateTime::EncodeDate(1, 1, 1);
  EXPECT_EQ(DateTimeToMilliseconds(firstDay), 86400000.0);
  EXPECT_EQ(MillisecondsToDateTime(86400000.0), firstDay);
  for (const TDateTime value : {DateTime::EncodeDate(2026, 12, 10) + DateTime::EncodeTime(13, 5, 7, 250), -1.25, 0.0}) {
    EXPECT_DOUBLE_EQ(MillisecondsToDateTime(DateTimeToMilliseconds(value)), value);
  }
  EXPECT_EQ(SwapBytes32(0x01020304u), 0x04030201u);
  const unsigned char in[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  unsigned char out[8];
  SwapBytes64(in, out);
  EXPECT_EQ(out[0], 8);
  EXPECT_EQ(out[7], 1);
  EXPECT_EQ(FindByte("ab\x1A"
                     "c",
                     0x1A, 4),
            2);
  EXPECT_FALSE(FindByte("ab\x1A"
                        "c",
                        0x1A, 2)
                   .has_value());
}

TEST(XbCodePagesTest, SlovakTextThroughTheOemAndAnsiPages) {
  const QString text = QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy ĽŠČŤŽÝÁÍÉ äô");
  for (const int page : {852, 1250, 10029}) {
    bool lossless = false;
    const QByteArray bytes = XbCodePages::Encode(page, text, '?', &lossless);
    EXPECT_TRUE(lossless) << page;
    EXPECT_EQ(XbCodePages::Decode(page, bytes), text) << page;
  }
  // Known bytes of code page 852 (as a DOS program writes them).
  EXPECT_EQ(XbCodePages::Decode(852, QByteArray("\xA6\xAC\x9C\xE7\xEC", 5)), QStringLiteral("ŽČťšý"));
  bool lossless = true;
  EXPECT_EQ(XbCodePages::Encode(437, QStringLiteral("aŽb"), '?', &lossless), QByteArray("a?b"));
  EXPECT_FALSE(lossless);
}

TEST(XbCodePagesTest, EveryAssignedByteRoundTrips) {
  for (const int page : XbCodePages::KnownCodePages()) {
    for (int b = 0; b < 256; ++b) {
      const QByteArray byte(1, char(b));
      const QString ch = XbCodePages::Decode(page, byte);
      if (ch[0] == QChar(0xFFFD)) continue;
      EXPECT_EQ(XbCodePages::Encode(page, ch), byte) << page << " byte " << b;
    }
  }
}

TEST(XbCodePagesTest, TranslateAnyLengthInPlace) {
  const QString text = QStringLiteral("čšž").repeated(700); // longer than 1024 characters
  QByteArray bytes = XbCodePages::Encode(852, text);
  EXPECT_EQ(TranslateText(852, 1250, bytes.constData(), bytes.data(), int(bytes.size())), int(bytes.size()));
  EXPECT_EQ(XbCodePages::Decode(1250, bytes), text);
  const QByteArray before = bytes;
  EXPECT_EQ(TranslateText(1250, 1250, bytes.constData(), bytes.data(), -1), int(before.size()));
  EXPECT_EQ(bytes, before);
}

TEST(XbLanguageTest, IdsForCodePageAndLocale) {
  const struct {
    int codePage;
    quint32 locale;
    bool foxPro;
    int id;
  } cases[] = {{1250, 0x0405, false, 0xC8}, {1250, 0x0405, true, 0xC8}, {437, 0x0409, false, 0x1B},
               {437, 0x0409, true, 0x01},   {852, 0x041B, false, 0x87}, {1250, 0x041B, false, 0x87},
               {1252, 0x0C1A, false, 0},    {850, 0x10409, false, 0x37}};
  for (const auto& c : cases)
    EXPECT_EQ(XbLanguage::LanguageIdFor(c.codePage, c.locale, c.foxPro), c.id) << c.codePage << "/" << c.locale;
}

TEST(XbLanguageTest, DriverNamesAndTheirIds) {
  const struct {
    int codePage;
    quint32 locale;
    bool foxPro;
    const char* name;
  } cases[] = {{1252, 0x0809, false, "DBWINWE0"}, {1252, 0x0809, true, "FOXUK0WIN"}, {437, 0x0409, false, "DB437US0"},
               {437, 0x0407, true, "FOXDE437"},   {868, 0x0402, false, "BGDB868"},   {1250, 0x0405, false, "DB1250CZ0"},
               {1252, 0x0C1A, false, ""}};
  for (const auto& c : cases)
    EXPECT_EQ(XbLanguage::BuildLanguageDriverName(c.codePage, c.locale, c.foxPro), QLatin1String(c.name));
  EXPECT_EQ(XbLanguage::LanguageIdFromName(QStringLiteral("DB437US0")), 0x1B);
  EXPECT_EQ(XbLanguage::LanguageIdFromName(QStringLiteral("FOXDE437")), 0x5E);
  EXPECT_EQ(XbLanguage::LanguageIdFromName(QStringLiteral("DBxyzUS0")), 0) << "an unreadable code page names no id";
}

TEST(XbLanguageTest, InstalledLocales) {
  EXPECT_TRUE(InstalledLocales().Contains(0x041B));
  EXPECT_TRUE(InstalledLocales().Contains(0x0405));
  EXPECT_FALSE(InstalledLocales().Contains(0x1234));
}

TEST(XbLanguageTest, EveryBuiltNameReadsBack) {
  for (int id = 1; id < 256; ++id) {
    const XbLanguage::TLanguageDriver& d = XbLanguage::LanguageDriver(id);
    if (d.CodePage == 0) continue;
    for (const bool fox : {false, true}) {
      const QString name = XbLanguage::BuildLanguageDriverName(d.CodePage, d.Locale, fox);
      const int expected = XbLanguage::LanguageIdFor(d.CodePage, d.Locale, fox);
      if (name.isEmpty() || XbLanguage::LanguageDriver(expected).LocaleCode == 0) continue;
      const int back = XbLanguage::LanguageIdFromName(name);
      EXPECT_EQ(XbLanguage::LanguageDriver(back).CodePage, d.CodePage) << name.toStdString();
      EXPECT_EQ(XbLanguage::LanguageDriver(back).LocaleCode, XbLanguage::LanguageDriver(expected).LocaleCode)
          << name.toStdString();
    }
  }
}

} // namespace
