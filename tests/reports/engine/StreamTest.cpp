#include "core/Exception.h"
#include "reports/engine/rpStream.h"
#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray bytes;
  for (int v : values)
    bytes.append(char(v));
  return bytes;
}

struct MemoCase {
  const char* name;
  QStringList lines;
  QByteArray bytes;
};

class MemoGolden : public ::testing::TestWithParam<MemoCase> {};

TEST_P(MemoGolden, WritesTheBytesAndReadsThemBack) {
  TBinaryWriter writer;
  rpWriteMemo(writer, GetParam().lines);
  EXPECT_EQ(writer.Data().toHex(' '), GetParam().bytes.toHex(' '));

  const QByteArray withTail = GetParam().bytes + Bytes({0x55});
  TBinaryReader reader(withTail);
  QStringList read{QStringLiteral("stale")};
  rpReadMemo(reader, read);
  EXPECT_EQ(read, GetParam().lines);
  EXPECT_EQ(reader.Position(), GetParam().bytes.size()) << "the memo consumes exactly its bytes";
}

INSTANTIATE_TEST_SUITE_P(
    Stream, MemoGolden,
    ::testing::Values(
        MemoCase{"two", {QStringLiteral("a"), QStringLiteral("b")}, Bytes({2, 0, 1, 0, 'a', 13, 1, 0, 'b', 0})},
        MemoCase{"empty", {}, Bytes({0, 0, 0})}, MemoCase{"emptyLine", {QString()}, Bytes({1, 0, 0, 0, 0})},
        MemoCase{"slovak", {QStringLiteral("Čiara ľ")}, Bytes({1, 0, 7, 0, 0xC8, 'i', 'a', 'r', 'a', ' ', 0xBE, 0})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Stream, StringsNumbersAndFontsHaveTheirFixedLayout) {
  TBinaryWriter w;
  rpWriteString(w, QString());
  rpWriteString(w, QStringLiteral("Šk"));
  rpWriteWord(w, 0x1234);
  rpWriteInteger(w, -2);
  rpWriteBoolean(w, true);
  rpWriteByte(w, 7);
  TrpFont font;
  font.Name = QStringLiteral("Arial");
  font.Size = 12;
  font.Style.Bold = true;
  font.Style.Underline = true;
  font.Color = 0x0000FF;
  font.Charset = 238;
  rpWriteFont(w, font);
  const QByteArray expected =
      Bytes({0,   0,   0,   2,   0,   0x8A, 'k', 0, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 1, 7, 5,   0,
             'A', 'r', 'i', 'a', 'l', 0,    12,  0, 0,    0,    6,    0,    0xFF, 0,    0, 0, 238, 0});
  EXPECT_EQ(w.Data().toHex(' '), expected.toHex(' '));

  TBinaryReader r(expected);
  EXPECT_EQ(rpReadString(r), QString());
  EXPECT_EQ(rpReadString(r), QStringLiteral("Šk"));
  EXPECT_EQ(rpReadWord(r), 0x1234);
  EXPECT_EQ(rpReadInteger(r), -2);
  EXPECT_TRUE(rpReadBoolean(r));
  EXPECT_EQ(rpReadByte(r), 7);
  TrpFont back;
  rpReadFont(r, back);
  EXPECT_EQ(back, font);
  EXPECT_TRUE(r.AtEnd());
}

TEST(Stream, FontStyleBitsAreItalicBoldUnderlineStrikeOut) {
  const struct {
    TFontStyles style;
    quint16 stored;
  } cases[] = {{{true, false, false, false}, 2}, {{false, true, false, false}, 1}, {{false, false, true, false}, 4},
               {{false, false, false, true}, 8}, {{true, true, true, true}, 15},   {{}, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(rpGetFontStyle(c.style), c.stored);
    EXPECT_EQ(rpSetFontStyle(c.stored), c.style);
  }
}

TEST(Stream, OldFormsReadUpToTheZeroByte) {
  const struct {
    QByteArray bytes;
    QStringList lines;
  } memos[] = {{Bytes({'a', 13, 0}), {QStringLiteral("a")}},
               {Bytes({13, 0}), {QString()}},
               {Bytes({0}), {}},
               {Bytes({'a', 10, 'b', 13, 13, 'c', 0}), {QStringLiteral("a\nb"), QString(), QStringLiteral("c")}}};
  for (const auto& m : memos) {
    TBinaryReader r(m.bytes);
    QStringList lines{QStringLiteral("stale")};
    rpReadMemoOld(r, lines);
    EXPECT_EQ(lines, m.lines);
    EXPECT_TRUE(r.AtEnd());
  }
  const QByteArray old = Bytes({0x8E, 'a', 0, 'x'});
  TBinaryReader r(old);
  EXPECT_EQ(rpReadStringOld(r), QStringLiteral("Ža"));
  EXPECT_EQ(r.Position(), 3);
}

TEST(Stream, TruncatedInputRaisesTheStreamError) {
  const QByteArray truncated[] = {Bytes({5, 0, 'a', 'b'}), Bytes({2, 0, 1, 0, 'a', 13}), Bytes({1, 0}),
                                  Bytes({'a', 13})};
  {
    TBinaryReader r(truncated[0]);
    EXPECT_THROW(rpReadString(r), EStreamError);
  }
  for (int i : {1, 2}) {
    TBinaryReader r(truncated[i]);
    QStringList lines;
    EXPECT_THROW(rpReadMemo(r, lines), EStreamError);
  }
  TBinaryReader r(truncated[3]);
  QStringList lines;
  EXPECT_THROW(rpReadMemoOld(r, lines), EStreamError);
}

TEST(Stream, TextTooLongForItsLengthWordIsRefusedNotCorrupted) {
  TBinaryWriter w;
  EXPECT_THROW(rpWriteString(w, QString(70000, QLatin1Char('x'))), EStreamError);
  EXPECT_THROW(rpWriteMemo(w, QStringList(70000, QStringLiteral("x"))), EStreamError);
  EXPECT_EQ(w.Size(), 0);
  rpWriteString(w, QString(65535, QLatin1Char('x')));
  EXPECT_EQ(w.Size(), 65535 + 3);
}

} // namespace
