#include "reports/designer/rpSyntaxColouring.h"
#include "reports/designer/rpSyntaxMemoText.h"
#include "tests/support/QStringPrinter.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

#define F(...) QStringLiteral(__VA_ARGS__)

struct TEditCase {
  const char* name;
  QStringList start;
  QPoint caret;
  std::function<void(TrpSyntaxMemoText&)> edit;
  QStringList lines;
  QPoint caretAfter;
};

class Edits : public ::testing::TestWithParam<TEditCase> {};

TEST_P(Edits, GiveLinesAndCaret) {
  TrpSyntaxMemoText text;
  text.SetLines(GetParam().start);
  text.MoveCaret(GetParam().caret.x(), GetParam().caret.y());
  GetParam().edit(text);
  EXPECT_EQ(text.Lines(), GetParam().lines);
  EXPECT_EQ(QPoint(text.CaretColumn(), text.CaretLine()), GetParam().caretAfter);
}

const auto Type = [](const QString& s) {
  return [s](TrpSyntaxMemoText& t) {
    for (const QChar c : s)
      t.InsertText(QString(c));
  };
};
const auto Select = [](QPoint a, QPoint b, std::function<void(TrpSyntaxMemoText&)> then) {
  return [a, b, then](TrpSyntaxMemoText& t) {
    t.SetSelection(a, b);
    then(t);
  };
};

INSTANTIATE_TEST_SUITE_P(
    SyntaxMemo, Edits,
    ::testing::Values(
        TEditCase{"typingBeyondTheLinePads", {F("")}, {10, 1}, Type(F("x")), {F("         x")}, {11, 1}},
        TEditCase{"enterKeepsTheIndentation",
                  {F("    abc")},
                  {6, 1},
                  [](auto& t) { t.Enter(); },
                  {F("    a"), F("    bc")},
                  {5, 2}},
        TEditCase{
            "enterOnABlankLineIndentsToTheCaret", {F("")}, {4, 1}, [](auto& t) { t.Enter(); }, {F(""), F("")}, {4, 2}},
        TEditCase{"tabAlignsWithTheNextWordAbove",
                  {F("begin  x := 1;"), F("ab")},
                  {3, 2},
                  [](auto& t) { t.Tab(); },
                  {F("begin  x := 1;"), F("ab")},
                  {8, 2}},
        TEditCase{"tabFromABlankGoesToTheNextWord",
                  {F("a   bcd"), F("")},
                  {2, 2},
                  [](auto& t) { t.Tab(); },
                  {F("a   bcd"), F("")},
                  {5, 2}},
        TEditCase{"tabWithoutALongLineAboveInsertsNothing",
                  {F("ab"), F("")},
                  {5, 2},
                  [](auto& t) { t.Tab(); },
                  {F("ab"), F("")},
                  {5, 2}},
        TEditCase{"deleteBeyondTheEndJoinsTheNextLine",
                  {F("ab"), F("  cd")},
                  {5, 1},
                  [](auto& t) { t.Delete(); },
                  {F("ab    cd")},
                  {5, 1}},
        TEditCase{"backspaceInColumnOneJoins",
                  {F("ab  "), F("cd")},
                  {1, 2},
                  [](auto& t) { t.Backspace(); },
                  {F("abcd")},
                  {3, 1}},
        TEditCase{"backspaceUnindentsToTheLineAbove",
                  {F("  if"), F("      x")},
                  {7, 2},
                  [](auto& t) { t.Backspace(); },
                  {F("  if"), F("  x")},
                  {3, 2}},
        // No line above is less indented: at most to column 1, nothing right of the caret goes.
        TEditCase{"backspaceUnindentNeverPastTheCaret",
                  {F("        far"), F("    x")},
                  {5, 2},
                  [](auto& t) { t.Backspace(); },
                  {F("        far"), F("x")},
                  {1, 2}},
        TEditCase{"indentBlock",
                  {F("a"), F(" b"), F("c")},
                  {1, 1},
                  Select({1, 1}, {1, 3}, [](auto& t) { t.ShiftBlock(true); }),
                  {F("  a"), F("   b"), F("c")},
                  {1, 1}},
        TEditCase{"unindentBlockByTheLeastIndentation",
                  {F("   a"), F(" b"), F("")},
                  {1, 1},
                  Select({1, 1}, {2, 3}, [](auto& t) { t.ShiftBlock(false); }),
                  {F("  a"), F("b"), F("")},
                  {1, 1}},
        TEditCase{"replaceASelectionAcrossLines",
                  {F("abc"), F("def")},
                  {1, 1},
                  Select({2, 1}, {3, 2}, [](auto& t) { t.InsertText(F("XY")); }),
                  {F("aXYf")},
                  {4, 1}},
        TEditCase{"deleteTheLastLineEmptiesIt",
                  {F("a"), F("b")},
                  {2, 2},
                  [](auto& t) { t.DeleteLine(); },
                  {F("a"), F("")},
                  {1, 2}},
        TEditCase{"caretStopsAtColumn1024", {F("")}, {1030, 1}, [](auto&) {}, {F("")}, {1024, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SyntaxMemo, ThirtyTwoUndoSteps) {
  TrpSyntaxMemoText text;
  for (int i = 0; i < 33; ++i)
    text.InsertText(F("x"));
  EXPECT_EQ(text.UndoCount(), 32);
  for (int i = 0; i < 33; ++i)
    text.Undo();
  EXPECT_EQ(text.Lines(), QStringList{F("x")}) << "the oldest state is gone";
  EXPECT_EQ(text.CaretColumn(), 2);
}

TEST(SyntaxMemo, Bookmarks) {
  TrpSyntaxMemoText text;
  text.SetLines({F("a"), F("b"), F("c")});
  text.MoveCaret(1, 2);
  text.ToggleBookmark(2);
  text.ToggleBookmark(1);
  EXPECT_EQ(text.Bookmark(1), -1) << "a line marked with 2 takes no other digit";
  EXPECT_EQ(text.Bookmark(2), 1);
  text.MoveCaret(1, 1);
  text.Enter(); // a line above: the mark moves down
  EXPECT_EQ(text.Bookmark(2), 2);
  text.MoveCaret(1, 1);
  text.GotoBookmark(2);
  EXPECT_EQ(text.CaretLine(), 3);
  text.ToggleBookmark(2);
  EXPECT_EQ(text.Bookmark(2), -1);
}

TEST(SyntaxMemo, SearchFindsTheNextOccurrence) {
  TrpSyntaxMemoText text;
  text.SetLines({F("if Á then x"), F("žiadne"), F("  x := X")});
  EXPECT_TRUE(text.FindText(F("X"))) << "the rest of the caret line counts";
  EXPECT_EQ(QPoint(text.CaretColumn(), text.CaretLine()), QPoint(11, 1));
  EXPECT_TRUE(text.FindText(F("x")));
  EXPECT_EQ(QPoint(text.CaretColumn(), text.CaretLine()), QPoint(3, 3));
  EXPECT_TRUE(text.FindText(F("x")));
  EXPECT_EQ(QPoint(text.CaretColumn(), text.CaretLine()), QPoint(8, 3));
  EXPECT_FALSE(text.FindText(F("x")));
  EXPECT_EQ(text.FooterMessage, F("Text \"x\" not found."));
  text.MoveCaret(1, 1);
  EXPECT_FALSE(text.FindText(F("á"))) << "letters with diacritics compare as they stand";
  TrpSyntaxMemoText one;
  one.SetLines({F("jediný riadok")});
  EXPECT_TRUE(one.FindText(F("riadok"))) << "a one-line text is searched too";
}

TEST(SyntaxMemo, ReadOnlyRefusesEditsButCopiesAndSearches) {
  TrpSyntaxMemoText text;
  text.SetLines({F("abc"), F("abd")});
  text.ReadOnly = true;
  text.InsertText(F("x"));
  text.Enter();
  text.Backspace();
  text.DeleteLine();
  EXPECT_EQ(text.Lines(), (QStringList{F("abc"), F("abd")}));
  text.SetSelection({1, 1}, {3, 1});
  EXPECT_EQ(text.SelectedText(), F("ab"));
  EXPECT_TRUE(text.FindText(F("abd")));
}

TEST(SyntaxMemo, SelectionTextAndSelectAll) {
  TrpSyntaxMemoText text;
  text.SetLines({F("abc"), F("de")});
  text.SelectAll();
  EXPECT_EQ(text.SelectedText(), F("abc\r\nde"));
  text.SetSelection({9, 1}, {9, 2});
  EXPECT_EQ(text.SelectedText(), F("de")) << "a start beyond its line's end moves to the next line";
}

struct TColourCase {
  const char* name;
  TSyntaxType type;
  QString line;
  QString codes; // one digit per character
};

class Colouring : public ::testing::TestWithParam<TColourCase> {};

TEST_P(Colouring, CodesPerCharacter) {
  const TSyntaxType type = GetParam().type;
  const QStringList codes = rpColourLines({GetParam().line}, type, rpSyntaxKeywords(type));
  ASSERT_EQ(codes.size(), 2);
  EXPECT_EQ(codes[1], F(" "));
  QString digits;
  for (const QChar c : codes[0])
    digits += QString::number(c.unicode());
  EXPECT_EQ(digits, GetParam().codes);
}

INSTANTIATE_TEST_SUITE_P(
    SyntaxMemo, Colouring,
    ::testing::Values(TColourCase{"pascalKeywordStringComment", TSyntaxType::stPascal, F("Begin a:='a' // x"),
                                  F("44444111155513333")},
                      TColourCase{"keywordWithADigitIsNone", TSyntaxType::stPascal, F("begin1"), F("111111")},
                      TColourCase{"pascalBlockCommentThenKeyword", TSyntaxType::stPascal, F("(*x*)begin"),
                                  F("3333344444")},
                      TColourCase{"pascalOpenBraceToTheEnd", TSyntaxType::stPascal, F("a {b c"), F("113333")},
                      TColourCase{"cppBraceIsPlain", TSyntaxType::stCpp, F("if {x}"), F("441111")},
                      TColourCase{"sqlCommentsAndStrings", TSyntaxType::stSQL, F("select \"p\" /*c*/ 'w --x"),
                                  F("44444415551333331111333")},
                      TColourCase{"sqlPassword", TSyntaxType::stSQL, F("password"), F("44444444")},
                      TColourCase{"plainTextHasNoTokens", TSyntaxType::stText, F("begin 'a'"), F("111111111")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SyntaxMemo, CommentsRunOverLineEnds) {
  const QStringList codes =
      rpColourLines({F("a (* b"), F("c *) end")}, TSyntaxType::stPascal, rpSyntaxKeywords(TSyntaxType::stPascal));
  EXPECT_EQ(codes[0], QString(QChar(1)) + QChar(1) + QString(4, QChar(3)));
  EXPECT_EQ(codes[1], QString(4, QChar(3)) + QChar(1) + QString(3, QChar(4)));
}

} // namespace
#undef F
