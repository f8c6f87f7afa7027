#include "tests/support/Utf8Text.h"
#include "util/RtStrUtils.h"
#include "util/UxMaxMin.h"
#include "util/UxStrUtils.h"
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(StringRoutinesTest, SmallStringRoutines) {
  struct Case {
    const char* suffix;
    const char* text;
    const char* expected;
  };
  for (const Case& c : {Case{"", "abc", "abc"}, Case{".txt", "a.txt", "a.txt"}, Case{".txt", "a.TXT", "a.TXT.txt"},
                        Case{"\\", "C:", "C:\\"}, Case{"x", "", "x"}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(EnsureSuffix(S(c.suffix), S(c.text)), S(c.expected));
  }
  EXPECT_EQ(RemoveCharsOfSet(S("1.234,5 €"), u".,€ "), S("12345"));
  EXPECT_EQ(RepeatString(S("ab"), 3), S("ababab"));
  EXPECT_EQ(RepeatString(S("ab"), 0), QString());
  EXPECT_EQ(RepeatString(S("ab"), -2), QString());
  QString buffer = S("abc") + QChar(0) + S("junk");
  FixLengthAtNull(buffer);
  EXPECT_EQ(buffer, S("abc"));
  EXPECT_EQ(CountChar(u"+1+2-3", QLatin1Char('+')), 2);
  QString text = S("a-b-c");
  EXPECT_EQ(ReplaceCharInPlace(text, QLatin1Char('-'), QLatin1Char('/')), 2);
  EXPECT_EQ(text, S("a/b/c"));
  EXPECT_EQ(ReplaceCharInPlace(text, QLatin1Char('/'), QLatin1Char('/')), 0);
  EXPECT_TRUE(IsLineBreakChar(QLatin1Char('\r')) && IsLineBreakChar(QLatin1Char('\n')));
  EXPECT_FALSE(IsLineBreakChar(QLatin1Char(' ')));
  EXPECT_EQ(PCharOrNil(QString()), nullptr);
  EXPECT_EQ(MaxInteger(-3, -7), -3);
  EXPECT_EQ(MinCardinal(0xFFFFFFFFu, 2u), 2u);
  EXPECT_EQ(IntMin(-1, 4), -1);
  EXPECT_EQ(IntMax(-1, 4), 4);
}

TEST(StringRoutinesTest, SaveTextToFileWritesCodePage1250) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("out.txt"));
  SaveTextToFile(path, S("Žltý kôň\r\n"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("\x8Elt\xFD k\xF4\xF2\r\n"));
  file.close();
  SaveTextToFile(path, QString());
  EXPECT_EQ(QFile(path).size(), 0);
}

TEST(StringRoutinesTest, SearchSortedDynArray) {
  const std::vector<int> values{10, 20, 30, 40};
  auto compare = [](int element, int value) { return element - value; };
  struct Case {
    int value;
    bool nearest;
    int expected;
  };
  for (const Case& c : {Case{30, false, 2}, Case{10, false, 0}, Case{40, true, 3}, Case{25, false, -1},
                        Case{25, true, 1}, Case{5, true, -1}, Case{99, true, 3}}) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(SearchSortedDynArray(std::span<const int>(values), compare, c.nearest, c.value), c.expected);
  }
  EXPECT_EQ(SearchSortedDynArray(std::span<const int>(), compare, true, 1), -1);
}

TEST(StringRoutinesTest, CharClassesOfCodePage1250) {
  struct Case {
    uchar ch, lower, upper;
    bool isUpper, isLower;
  };
  // Ľ/ľ, Š/š, Á/á, A/a, a digit, ß (its capital is not in the code page).
  for (const Case& c :
       {Case{0xBC, 0xBE, 0xBC, true, false}, Case{0x9A, 0x9A, 0x8A, false, true}, Case{0xC1, 0xE1, 0xC1, true, false},
        Case{'a', 'a', 'A', false, true}, Case{'5', '5', '5', false, false}, Case{0xDF, 0xDF, 0xDF, false, true}}) {
    SCOPED_TRACE(int(c.ch));
    EXPECT_EQ(CharClasses::ToLower(c.ch), c.lower);
    EXPECT_EQ(CharClasses::ToUpper(c.ch), c.upper);
    EXPECT_EQ(CharClasses::IsUpper(c.ch), c.isUpper);
    EXPECT_EQ(CharClasses::IsLower(c.ch), c.isLower);
    EXPECT_EQ(CharClasses::ToggleCase(c.ch), c.isUpper ? c.lower : c.upper);
  }
}

TEST(UxStrUtilsTest, Words) {
  const TCharSet blankComma(S(" ,"));
  struct Case {
    int n;
    const char* text;
    const char* word;
    int start;
  };
  for (const Case& c :
       {Case{3, "10,20 30", "30", 7}, Case{5, "10,20 30", "", 0}, Case{1, " ,,10,20", "10", 4},
        Case{2, "a,, b ,", "b", 5}, Case{0, "a b", "", 0}, Case{1, "", "", 0}, Case{1, "ľad čas", "ľad", 1}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(WordByIndex(c.n, S(c.text), blankComma), S(c.word));
    EXPECT_EQ(WordStart(c.n, S(c.text), blankComma), c.start);
  }
  EXPECT_EQ(CountWords(S(" ,10,20 30,"), blankComma), 3);
  EXPECT_EQ(CountWords(S(" , "), blankComma), 0);
}

TEST(UxStrUtilsTest, NthPosAndReplaceAll) {
  struct Pos {
    const char* sub;
    const char* text;
    int n, expected;
  };
  for (const Pos& c : {Pos{"aa", "aaaa", 3, 3}, Pos{"aa", "aaaa", 4, 0}, Pos{"b", "abcabc", 2, 5},
                       Pos{"x", "abc", 1, 0}, Pos{"", "abc", 1, 0}, Pos{"a", "abc", 0, 0}}) {
    SCOPED_TRACE(std::string(c.sub) + " in " + c.text);
    EXPECT_EQ(NthPos(S(c.sub), S(c.text), c.n), c.expected);
  }
  struct Replace {
    const char* text;
    const char* search;
    const char* replacement;
    const char* expected;
  };
  for (const Replace& c :
       {Replace{"aaa", "aa", "a", "aa"}, Replace{"abab", "ab", "abab", "abababab"}, Replace{"x.y.z", ".", "", "xyz"},
        Replace{"abc", "", "x", "abc"}, Replace{"čaj čaj", "čaj", "káva", "káva káva"}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReplaceAll(S(c.text), S(c.search), S(c.replacement)), S(c.expected));
  }
}

} // namespace
