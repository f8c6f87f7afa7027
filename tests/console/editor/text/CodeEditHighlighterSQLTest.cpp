#include "console/editor/text/CodeEditHighlighterSQL.h"
#include "console/editor/text/CodeEditSqlKeywords.h"
#include "tests/support/Utf8Text.h"
#include <gtest/gtest.h>

namespace {

QString KindName(int kind) {
  static const char* const names[] = {"com", "dt",   "pkg", "exc", "fn",  "id",  "kw",  "end",  "num", "sp",
                                      "pl",  "plus", "str", "sym", "tbl", "unk", "var", "ccom", "did"};
  return QLatin1String(names[kind]);
}

// The tokens of the lines, one text per line ("kw[select] sp[ ] id[a]"), the
// range carried from line to line as an editor does.
QStringList Scan(TCodeSQLHighlighter& hl, const QStringList& lines) {
  QStringList result;
  hl.ClearRange();
  for (int n = 0; n < lines.size(); ++n) {
    hl.StartLine(lines[n], n);
    QStringList tokens;
    int expectedStart = 0;
    for (; !hl.AtLineEnd(); hl.NextToken()) {
      EXPECT_EQ(hl.TokenStart(), expectedStart) << "tokens leave a gap";
      expectedStart += int(hl.TokenText().size());
      tokens << KindName(hl.TokenKind()) + u'[' + hl.TokenText() + u']';
    }
    EXPECT_EQ(expectedStart, lines[n].size());
    result << tokens.join(u' ');
  }
  return result;
}

struct TokenCase {
  TSQLDialect dialect;
  QStringList lines;
  QStringList tokens;
};

TEST(CodeEditHighlighterSQLTest, TokensOfEveryDialect) {
  const TokenCase cases[] = {
      {sqlSybase, L({"SELECT select Select"}), L({"kw[SELECT] sp[ ] kw[select] sp[ ] kw[Select]"})},
      {sqlSybase, L({"@Integer @@version"}), L({"var[@Integer] sp[ ] var[@] var[@version]"})},
      {sqlSybase, L({"12.5 1-2 1..10"}), L({"num[12.5] sp[ ] num[1-2] sp[ ] num[1] sym[.] sym[.] num[10]"})},
      {sqlSybase, L({"a<>b<=c<<=d<<e"}), L({"id[a] sym[<] sym[>] id[b] sym[<=] id[c] sym[<<=] id[d] sym[<<] id[e]"})},
      {sqlSybase, L({"x=>y||z+=1!=2&&"}),
       L({"id[x] sym[=>] id[y] sym[||] id[z] sym[+=] num[1] sym[!=] num[2] sym[&&]"})},
      {sqlSybase, L({"a-b -- the rest 'x'"}), L({"id[a] sym[-] id[b] sp[ ] com[-- the rest 'x']"})},
      {sqlSybase, L({"x /* one", "two */ y", "/*/ z */"}),
       L({"id[x] sp[ ] com[/* one]", "com[two */] sp[ ] id[y]", "com[/*/ z */]"})},
      {sqlSybase, L({"'open", "still' y", "'", "'x"}),
       L({"str['open]", "str[still'] sp[ ] id[y]", "str[']", "str['] id[x]"})},
      {sqlSybase, L({"'it''s' \"My \"\"T\"\"\" [n]"}),
       L({"str['it'] str['s'] sp[ ] did[\"My \"\"T\"\"\"] sp[ ] sym[[] id[n] sym[]]"})},
      {sqlSybase, L({":a #b $c `d` \\ ačb 😀;"}),
       L({"sym[:] id[a] sp[ ] unk[#] id[b] sp[ ] unk[$] id[c] sp[ ] unk[`] id[d] unk[`] sp[ ] unk[\\] sp[ ] id[a] "
          "unk[č] id[b] sp[ ] unk[😀] sym[;]"})},
      {sqlSybase, L({"\t \"open"}), L({"sp[\t ] did[\"open]"})},
      {sqlMSSQL7, L({"[My Table] @@ERROR @Count :x int GETDATE"}),
       L({"did[[My Table]] sp[ ] fn[@@ERROR] sp[ ] var[@Count] sp[ ] sym[:] id[x] sp[ ] dt[int] sp[ ] fn[GETDATE]"})},
      {sqlMSSQL2K, L({"[a]]b] @@ERROR bigint TOP"}),
       L({"did[[a]]b]] sp[ ] fn[@@ERROR] sp[ ] dt[bigint] sp[ ] kw[TOP]"})},
      {sqlMySQL, L({"# note", "`t n` @x 'it\\'s' y", "/*! cond", "x */ z TINYINT ABS"}),
       L({"com[# note]", "did[`t n`] sp[ ] sym[@] id[x] sp[ ] str['it\\'s'] sp[ ] id[y]", "ccom[/*! cond]",
          "ccom[x */] sp[ ] id[z] sp[ ] dt[TINYINT] sp[ ] fn[ABS]"})},
      {sqlOracle, L({"rema x := y", "DBMS_OUTPUT NO_DATA_FOUND NVL NUMBER PRAGMA PROMPT LCR$_ROW_LIST :b @c"}),
       L({"com[rema x := y]",
          "pkg[DBMS_OUTPUT] sp[ ] exc[NO_DATA_FOUND] sp[ ] fn[NVL] sp[ ] dt[NUMBER] sp[ ] "
          "pl[PRAGMA] sp[ ] plus[PROMPT] sp[ ] pl[LCR$_ROW_LIST] sp[ ] var[:b] sp[ ] sym[@] id[c]"})},
      {sqlIngres, L({":v @w int3 INTEGER1 select"}),
       L({"var[:v] sp[ ] var[@w] sp[ ] fn[int3] sp[ ] dt[INTEGER1] sp[ ] kw[select]"})},
      {sqlInterbase6, L({"GEN_ID(BLOB, :x)"}), L({"fn[GEN_ID] sym[(] dt[BLOB] sym[,] sp[ ] sym[:] id[x] sym[)]"})},
      {sqlStandard, L({"end-exec end"}), L({"kw[end] sym[-] id[exec] sp[ ] kw[end]"})},
  };
  for (const TokenCase& c : cases) {
    SCOPED_TRACE(c.lines.join(u'|').toStdString());
    TCodeSQLHighlighter hl;
    hl.SetSQLDialect(c.dialect);
    EXPECT_EQ(Scan(hl, c.lines), c.tokens);
  }
}

TEST(CodeEditHighlighterSQLTest, EveryDialectLoadsItsListsWithoutDuplicates) {
  const std::pair<TSQLDialect, int> counts[] = {{sqlStandard, 306}, {sqlInterbase6, 272}, {sqlMSSQL7, 360},
                                                {sqlMySQL, 359},    {sqlOracle, 1586},    {sqlSybase, 373},
                                                {sqlIngres, 440},   {sqlMSSQL2K, 369}};
  TCodeSQLHighlighter hl;
  for (auto [dialect, words] : counts) {
    SCOPED_TRACE(int(dialect));
    EXPECT_NO_THROW(hl.SetSQLDialect(dialect));
    EXPECT_EQ(hl.KeywordCount(), words);
    EXPECT_TRUE(hl.SampleSource().split(QStringLiteral("\r\n")).size() > 2);
  }
  EXPECT_TRUE(SqlSampleSource(sqlSybase).startsWith(QStringLiteral("/* SyBase example source */\r\n")));
}

TEST(CodeEditHighlighterSQLTest, TableNamesBecomeTheirOwnKindUnlessKeywords) {
  TCodeSQLHighlighter hl;
  hl.SetSQLDialect(sqlSybase);
  hl.SetTableNames(L({"C_CLENOV", "select", "c_clenov", "E_POVOLENKY"}));
  EXPECT_EQ(hl.KeywordCount(), 375);
  EXPECT_EQ(Scan(hl, L({"select c_clenov, E_POVOLENKY"})),
            L({"kw[select] sp[ ] tbl[c_clenov] sym[,] sp[ ] tbl[E_POVOLENKY]"}));
  EXPECT_EQ(hl.TableNameAttri->Name(), QStringLiteral("Table Name"));
  EXPECT_FALSE(hl.IsKeywordText(QStringLiteral("C_CLENOV")));
  EXPECT_TRUE(hl.IsKeywordText(QStringLiteral("SELECT * from")));
  EXPECT_FALSE(hl.IsKeywordText(QStringLiteral("-- select")));
}

TEST(CodeEditHighlighterSQLTest, DialectSwitchChangesTheBracketAndVariableRules) {
  TCodeSQLHighlighter hl;
  hl.SetSQLDialect(sqlSybase);
  const QStringList line = L({"[a b] @@ERROR"});
  const QStringList sybase = L({"sym[[] id[a] sp[ ] id[b] sym[]] sp[ ] var[@] var[@ERROR]"});
  EXPECT_EQ(Scan(hl, line), sybase);
  hl.SetSQLDialect(sqlMSSQL7);
  EXPECT_EQ(Scan(hl, line), L({"did[[a b]] sp[ ] fn[@@ERROR]"}));
  EXPECT_TRUE(hl.IdentifierChars().Contains(u'@'));
  hl.SetSQLDialect(sqlSybase);
  EXPECT_EQ(Scan(hl, line), sybase);
  EXPECT_FALSE(hl.IdentifierChars().Contains(u'@'));
  EXPECT_TRUE(hl.IdentifierChars().Contains(u'ž'));
}

TEST(CodeEditHighlighterSQLTest, AttributesComeInNameOrderWithTheirStyles) {
  TCodeSQLHighlighter hl;
  ASSERT_EQ(hl.AttributeCount(), 17);
  EXPECT_EQ(hl.AttributeAt(-1), nullptr);
  EXPECT_EQ(hl.AttributeAt(17), nullptr);
  EXPECT_EQ(hl.AttributeAt(0)->Name(), QStringLiteral("Comment"));
  EXPECT_EQ(hl.AttributeAt(16)->Name(), QStringLiteral("Variable"));
  EXPECT_EQ(hl.KeyAttri->Style(), fsBold);
  EXPECT_EQ(hl.CommentAttri->Style(), fsItalic);
  EXPECT_EQ(hl.StringAttri->Style(), 0);
  EXPECT_EQ(hl.KeyAttri->Foreground(), clNone);
  EXPECT_EQ(hl.DefaultAttribute(TCodeCustomHighlighter::drWhitespace), hl.SpaceAttri);
  EXPECT_EQ(hl.DefaultAttribute(6), nullptr);
  EXPECT_EQ(hl.LanguageName(), QStringLiteral("SQL"));
  EXPECT_FALSE(hl.FilterNeedsStoring());
  hl.SetDefaultFilter(QStringLiteral("Skripty (*.sql)|*.sql"));
  EXPECT_TRUE(hl.FilterNeedsStoring());
  EXPECT_TRUE(HighlighterClasses().contains(&TCodeSQLHighlighter::staticMetaObject));
}

} // namespace
