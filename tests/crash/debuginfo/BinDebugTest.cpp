#include "DebugInfoTestSupport.h"
#include "FixtureDebugData.h"
#include "crash/debuginfo/RtBinDebug.h"
#include "tests/support/QStringPrinter.h"
#include <gtest/gtest.h>

namespace {

using namespace RtBinDebug;

// A header of the format with every table offset at the header's end and no checksum.
QByteArray BareHeader(qsizetype size) {
  QByteArray data(size, '\0');
  data.replace(0, 4, "JDBG");
  data[4] = char(kVersion);
  return data;
}

TEST(BinDebugFormatTest, ValidatesSizeSignatureVersionAndChecksum) {
  EXPECT_FALSE(TRtBinDebugScanner(ViewOf(BareHeader(35))).ValidFormat()); // not whole words
  EXPECT_TRUE(TRtBinDebugScanner(ViewOf(BareHeader(36))).ValidFormat());
  EXPECT_FALSE(TRtBinDebugScanner(ViewOf(BareHeader(32))).ValidFormat()); // not above the header
  QByteArray wrongVersion = BareHeader(36);
  wrongVersion[4] = 2;
  EXPECT_FALSE(TRtBinDebugScanner(ViewOf(wrongVersion)).ValidFormat());
  QByteArray wrongSignature = BareHeader(36);
  wrongSignature[0] = 'X';
  EXPECT_FALSE(TRtBinDebugScanner(ViewOf(wrongSignature)).ValidFormat());

  // The checksum rule: the sum of all words less the stored checksum, turned
  // right by 8 bits, equals the stored checksum.
  const QByteArray data = FixtureBinaryDebugData();
  ASSERT_EQ(data[kChecksumPresentOffset], 1);
  const TRtByteView view = ViewOf(data);
  const quint32 stored = *view.U32(kChecksumOffset);
  quint32 sum = 0;
  for (quint64 at = 0; at < view.Size(); at += 4)
    sum += *view.U32(at);
  const quint32 s = sum - stored;
  EXPECT_EQ((s >> 8) | (s << 24), stored);
  EXPECT_TRUE(TRtBinDebugScanner(view).ValidFormat());

  QByteArray damaged = data;
  damaged[damaged.size() - 5] = char(damaged[damaged.size() - 5] ^ 0x10);
  EXPECT_FALSE(TRtBinDebugScanner(ViewOf(damaged)).ValidFormat());
  damaged[kChecksumPresentOffset] = 0; // without the checksum the same bytes pass
  EXPECT_TRUE(TRtBinDebugScanner(ViewOf(damaged)).ValidFormat());
}

TEST(BinDebugFormatTest, ReadsVariableLengthNumbers) {
  struct Case {
    QByteArray bytes;
    bool ok;
    quint32 value;
    quint64 end;
  };
  const Case cases[] = {
      {QByteArray("\x00", 1), true, 0, 1},
      {QByteArray("\x85\x01"), true, 133, 2},
      {QByteArray("\x7F"), true, 127, 1},
      {QByteArray("\xFF\xFF\xFF\xFF\x07"), true, 0x7FFFFFFF, 5},
      {QByteArray("\x80"), false, 0, 0},                     // runs out of the data
      {QByteArray("\x80\x80\x80\x80\x80\x01"), false, 0, 0}, // more than five bytes
  };
  for (const Case& c : cases) {
    quint64 pos = 0;
    quint32 value = 0;
    EXPECT_EQ(ReadBinDebugNumber(ViewOf(c.bytes), pos, value), c.ok) << c.bytes.toHex().constData();
    if (!c.ok) continue;
    EXPECT_EQ(value, c.value) << c.bytes.toHex().constData();
    EXPECT_EQ(pos, c.end) << c.bytes.toHex().constData();
  }
}

TEST(BinDebugFormatTest, DecodesPackedAndStoredNames) {
  // The codes 11, 38 and 0 packed into three bytes read as "Ab".
  QByteArray data = BareHeader(40);
  data[kNamesOffset] = 36;
  data[36] = char(11 | ((38 & 3) << 6));
  data[37] = char(38 >> 2);
  data[38] = 0;
  data[kModuleNameOffset] = 1;
  const TRtBinDebugScanner scanner(ViewOf(data));
  ASSERT_TRUE(scanner.ValidFormat());
  EXPECT_EQ(scanner.DecodeName(1), QStringLiteral("Ab"));
  EXPECT_EQ(scanner.ModuleName(), QStringLiteral("Ab"));
  EXPECT_EQ(scanner.DecodeName(0), QString());
  EXPECT_EQ(scanner.DecodeName(100), QString()); // outside the data

  // What the writer stores reads back, in whichever form it chose.
  const QString names[] = {QStringLiteral("Ab"),           QStringLiteral("@Create"), QStringLiteral("ns::TGamma"),
                           QStringLiteral("a\\b"),         QStringLiteral("Čítanie"), QStringLiteral("03"),
                           QString(300, QLatin1Char('x')), QStringLiteral("_x9")};
  TRtBinDebugWriter writer;
  for (int i = 0; i < int(std::size(names)); ++i)
    writer.AddUnit(quint32(i * 16), names[i]);
  const QByteArray written = writer.Data();
  const TRtBinDebugScanner reader(ViewOf(written));
  ASSERT_TRUE(reader.ValidFormat());
  for (int i = 0; i < int(std::size(names)); ++i)
    EXPECT_EQ(reader.UnitName(quint32(i * 16 + 1)), names[i]);
  // Packed where the characters allow it; "03" would start with the form byte 1.
  EXPECT_EQ(TRtBinDebugWriter::EncodeName(QStringLiteral("Ab")).size(), 3);
  EXPECT_EQ(TRtBinDebugWriter::EncodeName(QStringLiteral("@Create")).at(0), 2);
  EXPECT_EQ(TRtBinDebugWriter::EncodeName(QStringLiteral("03")).at(0), 1);
}

TEST(BinDebugScannerTest, LooksUpUnitsRoutinesLinesAndSources) {
  const QByteArray data = FixtureBinaryDebugData();
  const TRtBinDebugScanner scanner(ViewOf(data));
  ASSERT_TRUE(scanner.ValidFormat());
  EXPECT_EQ(scanner.ModuleName(), QStringLiteral("fixture"));
  ExpectLookups([&scanner](quint32 offset) { return AskScanner(scanner, offset); },
                {
                    {0x08, "", "", 0, 0, 0, ""}, // before the first unit
                    {0x10, "UnitOne", "TAlpha.First", 0, 10, 0, "one.pas"},
                    {0x14, "UnitOne", "TAlpha.First", 4, 10, 4, "one.pas"},
                    {0x18, "UnitOne", "TAlpha.First", 8, 11, 0, "one.pas"},
                    {0x45, "UnitOne", "Second", 5, 14, 0x15, "one.pas"},
                    {0xFF, "UnitOne", "Second", 0xBF, 14, 0xCF, "one.pas"},
                    {0x100, "UnitTwo", "TBeta.Run", 0, 20, 0, "two.pas"},
                    {0x124, "UnitTwo", "TBeta.@Create", 4, 21, 0x14, "two.pas"},
                    // after the last line
                    {0x500, "UnitTwo", "ns::TGamma.Stop", 0x3C0, 21, 0x3F0, "two.pas"},
                });
  EXPECT_EQ(scanner.UnitStart(0x08), 0xFFFFFFFFu);
  EXPECT_EQ(scanner.UnitStart(0x150), 0x100u);
}

// Running totals wrap at 32 bits, so data written elsewhere may hold a table
// whose addresses fall back; the last entry in table order still answers.
TEST(BinDebugScannerTest, TableThatFallsBackAnswersInTableOrder) {
  QByteArray names = TRtBinDebugWriter::EncodeName(QStringLiteral("Later"));
  const quint32 earlierName = quint32(names.size()) + 1;
  names += TRtBinDebugWriter::EncodeName(QStringLiteral("Earlier"));
  QByteArray units;
  TRtBinDebugWriter::AppendNumber(units, 0x40); // "Later" from 0x40
  TRtBinDebugWriter::AppendNumber(units, 1);
  TRtBinDebugWriter::AppendNumber(units, 0xFFFFFFE0u); // back to 0x20: "Earlier"
  TRtBinDebugWriter::AppendNumber(units, earlierName - 1);
  TRtBinDebugWriter::AppendNumber(units, kTableEnd);
  QByteArray data = BareHeader(kHeaderSize);
  QByteArray empty;
  TRtBinDebugWriter::AppendNumber(empty, kTableEnd);
  PokeU32(reinterpret_cast<uchar*>(data.data()) + kUnitsOffset, quint32(data.size()));
  data += units;
  for (quint32 field : {kSourceNamesOffset, kSymbolsOffset, kLineNumbersOffset})
    PokeU32(reinterpret_cast<uchar*>(data.data()) + field, quint32(data.size()));
  data += empty;
  PokeU32(reinterpret_cast<uchar*>(data.data()) + kNamesOffset, quint32(data.size()));
  data += names;
  while (data.size() % 4)
    data += '\0';
  const TRtBinDebugScanner scanner(ViewOf(data));
  ASSERT_TRUE(scanner.ValidFormat());
  EXPECT_EQ(scanner.UnitName(0x50), QStringLiteral("Earlier")); // the later entry in the table wins
  EXPECT_EQ(scanner.UnitName(0x30), QStringLiteral("Earlier"));
  EXPECT_EQ(scanner.UnitStart(0x50), 0x20u);
  EXPECT_EQ(scanner.UnitName(0x10), QString());
}

TEST(BinDebugScannerTest, TablesLeavingTheDataAnswerNothing) {
  const QByteArray valid = FixtureBinaryDebugData();
  struct Case {
    const char* what;
    quint32 field;
    quint32 value;
  };
  const Case cases[] = {
      {"units past the end", kUnitsOffset, 0x10000},
      {"symbols past the end", kSymbolsOffset, 0xFFFFFFF0u},
      {"lines without their end marker", kLineNumbersOffset, quint32(valid.size() - 1)},
      {"names past the end", kNamesOffset, 0x7FFFFFF0u},
  };
  for (const Case& c : cases) {
    QByteArray data = valid;
    data[kChecksumPresentOffset] = 0;
    PokeU32(reinterpret_cast<uchar*>(data.data()) + c.field, c.value);
    const TRtBinDebugScanner scanner(ViewOf(data));
    ASSERT_TRUE(scanner.ValidFormat()) << c.what;
    quint32 procedureOffset = 0, lineOffset = 0;
    // Each damaged table leaves its own answers empty; the rest still answer.
    const QString unit = scanner.UnitName(0x14);
    const QString procedure = scanner.ProcedureName(0x14, procedureOffset);
    const int line = scanner.LineNumber(0x14, lineOffset);
    if (c.field == kUnitsOffset) {
      EXPECT_EQ(unit, QString()) << c.what;
    }
    if (c.field == kSymbolsOffset) {
      EXPECT_EQ(procedure, QString()) << c.what;
    }
    if (c.field == kNamesOffset) {
      EXPECT_EQ(unit + procedure, QString()) << c.what;
    }
    // Lines answer unless their own table or the units are damaged.
    EXPECT_EQ(line, c.field == kUnitsOffset || c.field == kLineNumbersOffset ? 0 : 10) << c.what;
  }
}

} // namespace
