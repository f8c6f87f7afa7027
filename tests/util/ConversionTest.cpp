#include "core/CodePage1250.h"
#include "core/CodePage852.h"
#include "util/Base64.h"
#include "util/CodePageConversion.h"
#include <QtCore/QRandomGenerator>
#include <QtCore/QSet>
#include <gtest/gtest.h>

namespace {

TEST(Base64Test, DecodesGroupsAndSkipsEverythingOutsideTheAlphabet) {
  struct Case {
    const char* text;
    QByteArray bytes;
  };
  for (const Case& c : {Case{"", {}}, Case{"TWFu", "Man"}, Case{"TWE=", "Ma"}, Case{"TQ==", "M"}, Case{"TWE", "Ma"},
                        Case{"TQ", "M"}, Case{"T", {}}, Case{"TW Fu\r\nTW\tE=", "ManMa"}, Case{"=T=W=F=u=", "Man"},
                        Case{"!!TWFu??", "Man"}, Case{"////", "\xFF\xFF\xFF"}, Case{"+/+/", "\xFB\xFF\xBF"}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DecodeBase64(QByteArrayView(c.text)), c.bytes);
    EXPECT_EQ(DecodeBase64(QString::fromLatin1(c.text)), c.bytes);
  }
  // Characters above 127 count as no character, in either text kind.
  EXPECT_EQ(DecodeBase64(QStringLiteral("TW\u00E9Fu\u0141")), QByteArray("Man"));
  EXPECT_EQ(DecodeBase64(QByteArrayView("TW\xC3\xA9"
                                        "Fu")),
            QByteArray("Man"));
}

TEST(Base64Test, RoundTripsEveryLengthWithLineBreaks) {
  QRandomGenerator random(1250);
  for (int length = 0; length < 64; ++length) {
    QByteArray bytes(length, Qt::Uninitialized);
    for (char& b : bytes)
      b = char(random.bounded(256));
    QByteArray text = bytes.toBase64();
    for (qsizetype at = 10; at < text.size(); at += 12)
      text.insert(at, "\r\n");
    EXPECT_EQ(DecodeBase64(QByteArrayView(text)), bytes) << length;
  }
}

QByteArray To852(const QString& text) {
  return ConvertCharset(Cp1250::Encode(text), kCharsetWindows1250, kCharsetCp852);
}

TEST(CodePageConversionTest, SlovakLettersReachCodePage852) {
  const QString letters = QStringLiteral("áäčďéíĺľňóôŕšťúýž");
  const QString all = letters + letters.toUpper();
  const QByteArray converted = To852(all);
  EXPECT_FALSE(converted.contains('_'));
  EXPECT_EQ(Cp852::Decode(converted), all);
  // A few bytes of the published table, as a dBASE reader expects them.
  EXPECT_EQ(To852(QStringLiteral("áčžŠÔ")), QByteArray("\xA0\x9F\xA7\xE6\xE2"));
}

TEST(CodePageConversionTest, CharactersThatCodePage852LacksBecomeUnderscores) {
  EXPECT_EQ(To852(QStringLiteral("cena 5 € „áno“ ‚x‘ – ™")), QByteArray("cena 5 _ _\xA0no_ _x_ _ _"));
  const QByteArray unassigned("\x81\x83\x88\x90\x98");
  EXPECT_EQ(ConvertCharset(unassigned, kCharsetWindows1250, kCharsetCp852), QByteArray("_____"));
}

TEST(CodePageConversionTest, AsciiAndEqualSetsPassUnchanged) {
  QByteArray ascii;
  for (int b = 0; b < 128; ++b)
    ascii.append(char(b));
  EXPECT_EQ(ConvertCharset(ascii, kCharsetWindows1250, kCharsetCp852), ascii);
  EXPECT_EQ(ConvertCharset(ascii, kCharsetCp852, kCharsetWindows1250), ascii);
  const QByteArray high("\x80\x81\xFF");
  EXPECT_EQ(ConvertCharset(high, kCharsetCp852, kCharsetCp852), high);
  EXPECT_EQ(ConvertCharset(To852(QStringLiteral("Ľubomír")), kCharsetCp852, kCharsetWindows1250),
            Cp1250::Encode(QStringLiteral("Ľubomír")));
  EXPECT_FALSE(BindIconv());
  EXPECT_EQ(CharsetName(kCharsetWindows1250), QStringLiteral("WINDOWS-1250"));
  EXPECT_EQ(CharsetName(kCharsetCp852), QStringLiteral("852"));
  EXPECT_EQ(CharsetName(99), QStringLiteral("ISO-8859-1"));
}

TEST(CodePageConversionTest, Table852IsOneToOne) {
  QSet<char16_t> codes;
  for (int b = 128; b < 256; ++b) {
    const char16_t code = Cp852::ToUnicode(uchar(b));
    EXPECT_GE(code, 0xA0) << b;
    codes.insert(code);
    EXPECT_EQ(Cp852::FromUnicode(code), b);
  }
  EXPECT_EQ(codes.size(), 128);
}

} // namespace
