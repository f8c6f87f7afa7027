#include "DebugInfoTestSupport.h"
#include "FixtureDebugData.h"
#include "TD32Writer.h"
#include "crash/debuginfo/RtDebugSourceKinds.h"
#include "crash/debuginfo/RtTD32.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(TD32FormatTest, ValidatesTheTrailer) {
  const QByteArray valid = FixtureTD32Data();
  QByteArray farDistance = valid;
  Set32(farDistance, farDistance.size() - 4, quint32(valid.size() + 1));
  QByteArray badTrailer = valid;
  badTrailer[badTrailer.size() - 8] = 'X';
  QByteArray badHeader = valid;
  badHeader[0] = 'X';
  TTD32Writer other;
  other.AddModule("M", {{0, 1}});
  struct Case {
    const char* what;
    QByteArray data;
    bool valid;
  };
  const Case cases[] = {
      {"written data", valid, true},
      {"the other signature", other.Data("FB0A"), true},
      {"8 bytes", QByteArray("FB09") + QByteArray("\x08\0\0\0", 4), false},
      {"distance beyond the data", farDistance, false},
      {"trailer signature", badTrailer, false},
      {"signature where the distance points", badHeader, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TRtTD32InfoParser::IsTD32DebugInfoValid(ViewOf(c.data)), c.valid) << c.what;
}

TEST(TD32ScannerTest, LooksUpModulesProceduresLinesAndSources) {
  const QByteArray data = FixtureTD32Data();
  const TRtTD32InfoScanner scanner(ViewOf(data));
  ASSERT_TRUE(scanner.DataValid());
  ASSERT_EQ(scanner.Symbols().size(), 3u);
  EXPECT_TRUE(scanner.Symbols()[0].IsGlobal());
  EXPECT_FALSE(scanner.Symbols()[1].IsGlobal());
  ExpectLookups([&scanner](quint32 offset) { return AskScanner(scanner, offset); },
                {
                    {0x08, "TdUnit", "", 0, 0, 0, ""},
                    {0x10, "TdUnit", "TFoo.Bar$qqrv", 0, 10, 0, "tdunit.pas"}, // a line's own offset
                    {0x14, "TdUnit", "TFoo.Bar$qqrv", 4, 10, 4, "tdunit.pas"}, // between the first two lines
                    {0x18, "TdUnit", "TFoo.Bar$qqrv", 8, 11, 0, "tdunit.pas"},
                    {0x50, "TdUnit", "Plain", 0x10, 20, 0x10, "tdunit.pas"},
                    {0x60, "TdUnit", "@Single", 0, 30, 0, "tdunit.pas"},
                    {0x65, "TdUnit", "@Single", 5, 0, 0, "tdunit.pas"}, // after the last line
                    {0x70, "TdUnit", "", 0, 0, 0, "tdunit.pas"},
                    {0x100, "TdUnit", "", 0, 0, 0, ""}, // the module's last byte counts
                    {0x101, "", "", 0, 0, 0, ""},
                });
}

TEST(TD32ScannerTest, ReformatsProcedureNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"@TdUnit@TFoo@Bar$qqrv", "TFoo.Bar$qqrv"},
      {"@Unit@TFoo@@Inner", "TFoo.@Inner"},
      {"@Single", "@Single"},
      {"Plain", "Plain"},
  };
  for (const auto& [name, formatted] : cases)
    EXPECT_EQ(TRtTD32InfoScanner::FormatProcName(QLatin1String(name)), QLatin1String(formatted)) << name;
}

TEST(TD32ScannerTest, DataThatBreaksItsOwnStructureIsInvalid) {
  const QByteArray valid = FixtureTD32Data();
  const quint32 directory = *ViewOf(valid).U32(4);
  auto patched = [&](qsizetype at, quint32 value) {
    QByteArray data = valid;
    Set32(data, at, value);
    return data;
  };
  struct Case {
    const char* what;
    QByteArray data;
  };
  QByteArray entrySize = valid;
  entrySize[directory + 2] = 10;
  const Case cases[] = {
      {"entry size other than 12", entrySize},
      {"directory that leads back to itself", patched(directory + 8, directory)},
      {"subsection beyond the data", patched(directory + 16 + 4, quint32(valid.size()))},
      {"entry count beyond the data", patched(directory + 4, 0x10000000)},
      {"directory beyond the data", patched(4, 0x7FFFFFF0u)},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(TRtTD32InfoParser::IsTD32DebugInfoValid(ViewOf(c.data))) << c.what;
    const TRtTD32InfoScanner scanner(ViewOf(c.data));
    EXPECT_FALSE(scanner.DataValid()) << c.what;
    EXPECT_EQ(scanner.UnitName(0x10), QString()) << c.what;
  }
}

TEST(TD32ImageTest, FindsDataInTheSideFile) {
  QTemporaryDir folder;
  const QString program = folder.filePath(QStringLiteral("program.exe"));
  ASSERT_TRUE(WriteFileBytes(program, ReadFileBytes(PeFixturePath(QStringLiteral("program.exe")))));
  TRtLoadedImage loaded = TRtLoadedImage::FromFile(program);
  {
    TRtPeTD32Image image;
    image.AttachLoadedModule(loaded.Module());
    EXPECT_FALSE(image.TD32Present());
  }
  ASSERT_TRUE(WriteFileBytes(folder.filePath(QStringLiteral("program.tds")), FixtureTD32Data()));
  TRtPeTD32Image image;
  image.AttachLoadedModule(loaded.Module());
  ASSERT_TRUE(image.TD32Present());
  EXPECT_EQ(image.Scanner()->UnitName(0x10), QStringLiteral("TdUnit"));

  // A side file whose trailer is sound but whose directory is not.
  QByteArray broken = FixtureTD32Data();
  broken[*ViewOf(broken).U32(4) + 2] = 10;
  ASSERT_TRUE(WriteFileBytes(folder.filePath(QStringLiteral("program.tds")), broken));
  TRtPeTD32Image quiet(true);
  quiet.AttachLoadedModule(loaded.Module());
  EXPECT_FALSE(quiet.TD32Present());
  TRtPeTD32Image raising;
  try {
    raising.AttachLoadedModule(loaded.Module());
    FAIL() << "broken TD32 data was accepted";
  } catch (const ERtTD32Error& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("File [%1] has not TD32 debug information!").arg(program));
  }
  TRtDebugInfoTD32 source(loaded.Module());
  EXPECT_FALSE(source.Initialize());
}

TEST(TD32ImageTest, FindsDataThroughTheImagesSingleDebugEntry) {
  TRtLoadedImage library = TRtLoadedImage::FromFile(PeFixturePath(QStringLiteral("fixture.dll")));
  ASSERT_TRUE(library.IsLaidOut());
  const quint32 td32 = SectionRva(library, ".td32");
  ASSERT_NE(td32, 0u);
  {
    TRtPeTD32Image image;
    image.AttachLoadedModule(library.Module());
    EXPECT_FALSE(image.TD32Present()); // the entry is the linker's, of type 2
  }
  // Make the single debug entry a TD32 one (type 0) that points at the data.
  TRtPeImage probe;
  probe.AttachLoadedModule(library.Module());
  uchar* entry = library.Data() + probe.Directory(RtPe::kDirectoryDebug).VirtualAddress;
  PokeU32(entry + 12, 0);
  PokeU32(entry + 16, quint32(FixtureTD32Data().size()));
  PokeU32(entry + 20, td32);

  TRtDebugInfoTD32 source(library.Module());
  ASSERT_TRUE(source.Initialize());
  TRtLocationInfo info;
  ASSERT_TRUE(source.Locate(library.Module().Base + 4096 + 0x14, info));
  EXPECT_EQ(info.Unit, QStringLiteral("TdUnit"));
  EXPECT_EQ(info.Procedure, QStringLiteral("TFoo.Bar$qqrv"));
  EXPECT_EQ(info.ProcedureOffset, 4u);
  EXPECT_EQ(info.Line, 10);
  EXPECT_EQ(info.LineOffset, 4);
  EXPECT_EQ(info.SourceFile, QStringLiteral("tdunit.pas"));
}

} // namespace
