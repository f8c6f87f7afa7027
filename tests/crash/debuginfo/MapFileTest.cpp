#include "DebugInfoTestSupport.h"
#include "crash/debuginfo/RtDebugSourceKinds.h"
#include "crash/debuginfo/RtMapFile.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A map in the linker's layout: two code units (First over 0..0xFF, Second
// over 0x100..0x2FF), a data segment, publics, and line numbers of which
// three are refused (an offset not above the one before, an offset going
// back, a data segment).
const char kMap[] = "\r\n"
                    " Start         Length     Name                   Class\r\n"
                    " 0001:00401000 00000300H .text                   CODE\r\n"
                    " 0002:00402000 00000100H .data                   DATA\r\n"
                    "\r\n"
                    "\r\n"
                    "Detailed map of segments\r\n"
                    "\r\n"
                    " 0001:00000000 00000100 C=CODE     S=.text    G=(none)   M=First    ACBP=A9\r\n"
                    " 0001:00000100 00000200 C=CODE     S=.text    G=(none)   M=Second   ACBP=A9\r\n"
                    " 0002:00000000 00000100 C=DATA     S=.data    G=DGROUP   M=First    ACBP=A9\r\n"
                    "\r\n"
                    "\r\n"
                    "  Address         Publics by Name\r\n"
                    "\r\n"
                    " 0001:00000010       FirstProc\r\n"
                    " 0001:00000080       FirstLast\r\n"
                    " 0001:00000140       SecondProc\r\n"
                    " 0002:00000004       SomeData\r\n"
                    "\r\n"
                    "\r\n"
                    "  Address         Publics by Value\r\n"
                    "\r\n"
                    " 0001:00000010       FirstProc\r\n"
                    " 0001:00000080       FirstLast\r\n"
                    " 0001:00000140       SecondProc\r\n"
                    " 0002:00000004       SomeData\r\n"
                    "\r\n"
                    "\r\n"
                    "Line numbers for First(first.pas) segment .text\r\n"
                    "\r\n"
                    "    10 0001:00000010    11 0001:00000018    12 0001:00000018    20 0001:00000080\r\n"
                    "\r\n"
                    "Line numbers for Second(second.pas) segment .text\r\n"
                    "\r\n"
                    "    30 0001:00000140    31 0001:00000150    99 0001:00000120    32 0001:00000160\r\n"
                    "     5 0002:00000170\r\n"
                    "\r\n"
                    "Bound resource files\r\n";

TRtByteView MapView() { return {reinterpret_cast<const uchar*>(kMap), sizeof(kMap) - 1}; }

TEST(MapScannerTest, LooksUpUnitsPublicsAndLines) {
  const TRtMapScanner scanner(MapView());
  EXPECT_EQ(scanner.CodeTop(), 0x300u);
  EXPECT_EQ(scanner.RejectedLines(), 3);
  ExpectLookups(
      [&scanner](quint32 offset) {
        TLookupAnswer answer;
        answer.Unit = scanner.UnitName(offset);
        answer.Procedure = scanner.Procedure(offset, answer.ProcedureOffset);
        answer.Line = scanner.Line(offset, answer.LineOffset);
        answer.Source = scanner.SourceName(offset);
        return answer;
      },
      {
          {0x10, "First", "FirstProc", 0, 10, 0, "first.pas"},
          {0x14, "First", "FirstProc", 4, 10, 4, "first.pas"},
          {0x18, "First", "FirstProc", 8, 11, 0, "first.pas"},
          // the last public of its unit reaches to the unit's end
          {0x90, "First", "FirstLast", 0x10, 20, 0x10, "first.pas"},
          // the nearest public and line lie in the unit before: no names
          {0x110, "Second", "", 0, 0, 0, ""},
          {0x140, "Second", "SecondProc", 0, 30, 0, "second.pas"},
          // the refused lines leave the later ones intact
          {0x158, "Second", "SecondProc", 0x18, 31, 8, "second.pas"},
          {0x165, "Second", "SecondProc", 0x25, 32, 5, "second.pas"},
          {0x400, "", "", 0, 0, 0, ""},
      });
  EXPECT_EQ(scanner.UnitStart(0x150), 0x100u);
  EXPECT_EQ(scanner.UnitStart(0x400), 0xFFFFFFFFu);
}

TEST(MapScannerTest, StopsAtUnexpectedTextAndNeverReadsPastTheEnd) {
  // Every prefix of the map: sections end early, nothing is read beyond.
  const std::string map(kMap);
  for (size_t length = 0; length <= map.size(); length += 7) {
    const QByteArray copy(map.data(), qsizetype(length)); // its own buffer, exactly that long
    const TRtMapScanner scanner(ViewOf(copy));
    quint32 offset = 0;
    (void)scanner.Procedure(0x90, offset);
    EXPECT_LE(scanner.CodeTop(), 0x300u);
  }
  // A unit name that would start at the very end reads as empty.
  const QByteArray cut = "Detailed map of segments\n 0001:00000000 00000010 C=CODE M=";
  const TRtMapScanner scanner(ViewOf(cut));
  EXPECT_EQ(scanner.UnitStart(4), 0u);
  EXPECT_EQ(scanner.UnitName(4), QString());
}

TEST(MapSourceTest, LocatesThroughTheMapBesideTheModule) {
  QTemporaryDir folder;
  ASSERT_TRUE(WriteFileBytes(folder.filePath(QStringLiteral("First.map")), QByteArray(kMap)));
  const TRtModule module{0x400000, folder.filePath(QStringLiteral("First.exe")), 0};
  TRtDebugInfoMap source(module);
  ASSERT_TRUE(source.Initialize());
  TRtLocationInfo info;
  ASSERT_TRUE(source.Locate(0x400000 + 0x1000 + 0x90, info));
  EXPECT_EQ(info.Address, quintptr(0x401090));
  EXPECT_EQ(info.Unit, QStringLiteral("First"));
  EXPECT_EQ(info.Procedure, QStringLiteral("FirstLast"));
  EXPECT_EQ(info.ProcedureOffset, 0x10u);
  EXPECT_EQ(info.Line, 20);
  EXPECT_EQ(info.LineOffset, 0x10);
  EXPECT_EQ(info.SourceFile, QStringLiteral("first.pas"));
  EXPECT_EQ(info.Source, &source);
  // The module's first page holds no code.
  EXPECT_FALSE(source.Locate(0x400000 + 0x10, info));
  // Past the last unit.
  EXPECT_FALSE(source.Locate(0x400000 + 0x1000 + 0x400, info));

  TRtDebugInfoMap missing(TRtModule{0x400000, folder.filePath(QStringLiteral("Other.exe")), 0});
  EXPECT_FALSE(missing.Initialize());
}

} // namespace
