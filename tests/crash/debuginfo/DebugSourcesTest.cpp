#include "DebugInfoTestSupport.h"
#include "FixtureDebugData.h"
#include "ResolveTargets.h"
#include "WeakTargets.h"
#include "crash/debuginfo/RtDebugSourceKinds.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QTemporaryDir>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <typeinfo>

namespace {

// A PE fixture copied into a folder of its own, where side files can be laid beside it.
class SourceChainTest : public ::testing::Test {
protected:
  TRtLoadedImage Copy(const QString& name) {
    const QString path = folder_.filePath(name);
    EXPECT_TRUE(WriteFileBytes(path, ReadFileBytes(PeFixturePath(name))));
    return TRtLoadedImage::FromFile(path);
  }
  void Beside(const QString& name, const QByteArray& bytes) {
    ASSERT_TRUE(WriteFileBytes(folder_.filePath(name), bytes));
  }

  QTemporaryDir folder_;
};

const char kProgramMap[] = "Detailed map of segments\r\n"
                           " 0001:00000000 00000100 C=CODE     S=.text    G=(none)   M=Program  ACBP=A9\r\n";

TEST_F(SourceChainTest, TriesTheKindsInOrder) {
  TRtLoadedImage library = Copy(QStringLiteral("fixture.dll"));
  Beside(QStringLiteral("fixture.map"), kProgramMap);
  // The section beats the map beside the module.
  std::unique_ptr<TRtDebugInfoSource> source = TRtDebugInfoList::CreateSource(library.Module());
  ASSERT_TRUE(source);
  auto* binary = dynamic_cast<TRtDebugInfoBinary*>(source.get());
  ASSERT_TRUE(binary);
  EXPECT_FALSE(binary->IsSideFile());
  TRtLocationInfo info;
  ASSERT_TRUE(source->Locate(library.Module().Base + 4096 + 0x124, info));
  EXPECT_EQ(info.Unit, QStringLiteral("UnitTwo"));
  EXPECT_EQ(info.Procedure, QStringLiteral("TBeta.@Create"));

  TRtLoadedImage program = Copy(QStringLiteral("program.exe"));
  // Exports only.
  source = TRtDebugInfoList::CreateSource(program.Module());
  EXPECT_TRUE(dynamic_cast<TRtDebugInfoExports*>(source.get()));
  // A map beside it.
  Beside(QStringLiteral("program.map"), kProgramMap);
  source = TRtDebugInfoList::CreateSource(program.Module());
  EXPECT_TRUE(dynamic_cast<TRtDebugInfoMap*>(source.get()));
  // A TD32 side file comes before the map.
  Beside(QStringLiteral("program.tds"), FixtureTD32Data());
  source = TRtDebugInfoList::CreateSource(program.Module());
  EXPECT_TRUE(dynamic_cast<TRtDebugInfoTD32*>(source.get()));
  // A binary side file written for another module is refused...
  Beside(QStringLiteral("program.rdbg"), FixtureBinaryDebugData());
  source = TRtDebugInfoList::CreateSource(program.Module());
  EXPECT_TRUE(dynamic_cast<TRtDebugInfoTD32*>(source.get()));
  // ...and one written for this module comes first.
  TRtBinDebugWriter writer;
  writer.SetModuleName(QStringLiteral("PROGRAM"));
  writer.AddUnit(0, QStringLiteral("ProgramUnit"));
  Beside(QStringLiteral("program.rdbg"), writer.Data());
  source = TRtDebugInfoList::CreateSource(program.Module());
  binary = dynamic_cast<TRtDebugInfoBinary*>(source.get());
  ASSERT_TRUE(binary);
  EXPECT_TRUE(binary->IsSideFile());
}

TEST_F(SourceChainTest, KeepsOneSourcePerModuleAndRetriesModulesWithout) {
  TRtLoadedImage library = Copy(QStringLiteral("fixture.dll"));
  TRtDebugInfoList list;
  TRtDebugInfoSource* first = list.SourceForModule(library.Module());
  ASSERT_TRUE(first);
  EXPECT_EQ(list.SourceForModule(library.Module()), first);

  // A module with neither data nor exports has no source until it gets one.
  QByteArray bare = ReadFileBytes(PeFixturePath(QStringLiteral("program.exe")));
  const quint32 nt = *ViewOf(bare).U32(RtPe::kDosNtOffset);
  PokeU32(reinterpret_cast<uchar*>(bare.data()) + nt + RtPe::kOptDirectories, 0); // no export directory
  TRtLoadedImage stripped(bare, folder_.filePath(QStringLiteral("stripped.exe")));
  EXPECT_EQ(list.SourceForModule(stripped.Module()), nullptr);
  Beside(QStringLiteral("stripped.map"), kProgramMap);
  EXPECT_TRUE(dynamic_cast<TRtDebugInfoMap*>(list.SourceForModule(stripped.Module())));
  EXPECT_EQ(list.SourceForModule(TRtModule()), nullptr);
}

TEST(ExportSourceTest, NamesPackageExportsByUnitAndRoutine) {
  TRtLoadedImage library = TRtLoadedImage::FromFile(PeFixturePath(QStringLiteral("fixture.dll")));
  TRtPePackageImage image;
  image.AttachLoadedModule(library.Module());
  auto rvaOf = [&image](const char* name) {
    for (int i = 0; i < image.ExportList().Count(); ++i)
      if (image.ExportList().Items(i).Name == name) return image.ExportList().Items(i).Address;
    return 0u;
  };
  TRtDebugInfoExports source(library.Module());
  ASSERT_TRUE(source.Initialize());
  const quintptr base = library.Module().Base;
  TRtLocationInfo info;
  ASSERT_TRUE(source.Locate(base + rvaOf("@Abcd@TFoo@Bar$qqrv") + 2, info));
  EXPECT_EQ(info.Unit, QStringLiteral("Abcd"));
  EXPECT_EQ(info.Procedure, QStringLiteral("TFoo.Bar"));
  EXPECT_EQ(info.ProcedureOffset, 2u);
  EXPECT_EQ(info.Source, &source);

  info = {};
  ASSERT_TRUE(source.Locate(base + rvaOf("@$xp$9Abcd@TFoo"), info));
  EXPECT_EQ(info.Unit, QStringLiteral("Abcd"));
  EXPECT_EQ(info.Procedure, QString()); // type information names the unit only

  info = {};
  ASSERT_TRUE(source.Locate(base + rvaOf("FixtureAdd") + 3, info));
  EXPECT_EQ(info.Unit, QString());
  EXPECT_EQ(info.Procedure, QStringLiteral("FixtureAdd"));
  EXPECT_EQ(info.ProcedureOffset, 3u);
  EXPECT_FALSE(source.Locate(base + 0x10, info)); // below every export

  // In an image that is no package, names are taken as they stand.
  TRtLoadedImage program = TRtLoadedImage::FromFile(PeFixturePath(QStringLiteral("program.exe")));
  TRtDebugInfoExports programSource(program.Module());
  ASSERT_TRUE(programSource.Initialize());
  TRtPePackageImage programImage;
  programImage.AttachLoadedModule(program.Module());
  ASSERT_EQ(programImage.ExportList().Count(), 1);
  info = {};
  ASSERT_TRUE(programSource.Locate(program.Module().Base + programImage.ExportList().Items(0).Address + 1, info));
  EXPECT_EQ(info.Procedure, QStringLiteral("ProgramRaise"));
}

// This test program carries its own binary debug file, written when it was linked.
TEST(OwnProgramTest, ResolvesItsOwnRoutinesToFileNameAndLine) {
  struct Case {
    TCallSite site;
    const char* procedure;
  };
  const Case cases[] = {
      {resolvetargets::FreeFunction(), "resolvetargets.FreeFunction"},
      {resolvetargets::TTarget::Method(), "resolvetargets::TTarget.Method"},
      {resolvetargets::TTarget()(), "resolvetargets::TTarget.operator()"},
  };
  TRtDebugInfoList list;
  for (const Case& c : cases) {
    const TRtModule module = ProcessModuleOfAddress(quintptr(c.site.Address));
    ASSERT_FALSE(module.IsNull()) << c.procedure;
    TRtDebugInfoSource* source = list.SourceForModule(module);
    ASSERT_TRUE(dynamic_cast<TRtDebugInfoBinary*>(source)) << c.procedure << ": no binary debug file beside the test";
    TRtLocationInfo info;
    ASSERT_TRUE(source->Locate(quintptr(c.site.Address), info)) << c.procedure;
    EXPECT_EQ(info.Unit, QStringLiteral("ResolveTargets")) << c.procedure;
    EXPECT_EQ(info.Procedure, QLatin1String(c.procedure));
    EXPECT_EQ(info.Line, c.site.Line) << c.procedure;
    EXPECT_EQ(info.SourceFile, QStringLiteral("ResolveTargets.cpp")) << c.procedure;
    EXPECT_GT(info.ProcedureOffset, 0u) << c.procedure;
  }
}

// Inline and template routines are kept once for the whole program, in code
// of their own that carries only the header's lines; their frames are named
// like any other (and like eu-addr2line names them).
TEST(OwnProgramTest, ResolvesInlineAndTemplateRoutinesOfHeaders) {
  struct Case {
    TCallSite site;
    const char* procedure;
  };
  const Case cases[] = {
      {resolvetargets::InlineFunction(), "resolvetargets.InlineFunction"},
      {resolvetargets::TTemplateTarget<long>::Grow(7), "resolvetargets::TTemplateTarget<long>.Grow"},
  };
  TRtDebugInfoList list;
  for (const Case& c : cases) {
    TRtDebugInfoSource* source = list.SourceForModule(ProcessModuleOfAddress(quintptr(c.site.Address)));
    ASSERT_TRUE(dynamic_cast<TRtDebugInfoBinary*>(source)) << c.procedure;
    TRtLocationInfo info;
    ASSERT_TRUE(source->Locate(quintptr(c.site.Address), info)) << c.procedure;
    EXPECT_FALSE(info.Unit.isEmpty()) << c.procedure;
    EXPECT_EQ(info.Procedure, QLatin1String(c.procedure));
    EXPECT_EQ(info.Line, c.site.Line) << c.procedure;
    EXPECT_EQ(info.SourceFile, QStringLiteral("WeakTargets.h")) << c.procedure;
  }
}

TEST(OwnProgramTest, ResolvesALibraryAddressThroughItsDynamicSymbols) {
  void* version = dlsym(RTLD_DEFAULT, "qVersion");
  ASSERT_TRUE(version);
  const quintptr address = quintptr(version) + 2;
  const TRtModule module = ProcessModuleOfAddress(address);
  ASSERT_TRUE(module.FileName.contains(QStringLiteral("libQt6Core"))) << module.FileName.toStdString();
  TRtDebugInfoList list;
  TRtDebugInfoSource* source = list.SourceForModule(module);
  ASSERT_TRUE(dynamic_cast<TRtDebugInfoExports*>(source));
  TRtLocationInfo info;
  ASSERT_TRUE(source->Locate(address, info));
  EXPECT_EQ(info.Procedure, QStringLiteral("qVersion"));
  EXPECT_EQ(info.ProcedureOffset, 2u);
  EXPECT_EQ(info.Line, 0);

  // The same library loaded elsewhere by another process (an ended run whose
  // report shows here): its addresses resolve through this process's copy.
  const TRtModule elsewhere{0x7f0000000000, module.FileName, 0};
  TRtDebugInfoList other;
  TRtDebugInfoSource* translated = other.SourceForModule(elsewhere);
  ASSERT_TRUE(dynamic_cast<TRtDebugInfoExports*>(translated));
  info = {};
  ASSERT_TRUE(translated->Locate(elsewhere.Base + (address - module.Base), info));
  EXPECT_EQ(info.Procedure, QStringLiteral("qVersion"));
  EXPECT_EQ(info.ProcedureOffset, 2u);
  EXPECT_FALSE(other.SourceForModule(TRtModule{0x7e0000000000, QStringLiteral("/nowhere/libgone.so"), 0}));
}

TEST(ProcessModulesTest, ListsTheProgramFirstWithItsOwnFile) {
  const QList<TRtElfModule> modules = LoadedElfModules();
  ASSERT_FALSE(modules.isEmpty());
  EXPECT_TRUE(modules.first().IsProgram);
  EXPECT_TRUE(modules.first().FileName.endsWith(QStringLiteral("/test_crash_debuginfo")));
  EXPECT_TRUE(modules.first().Holds(quintptr(&resolvetargets::FreeFunction)));
  EXPECT_EQ(ProcessModuleOfAddress(quintptr(&resolvetargets::FreeFunction)).Base, modules.first().Base);
  EXPECT_TRUE(ProcessModuleOfAddress(0x10).IsNull());
  EXPECT_EQ(ModuleSideFileName(QStringLiteral("/a.b/Vimek"), QStringLiteral(".rdbg")),
            QStringLiteral("/a.b/Vimek.rdbg"));
  EXPECT_EQ(ModuleSideFileName(QStringLiteral("/x/lib.so.6"), QStringLiteral(".map")), QStringLiteral("/x/lib.so.map"));
}

} // namespace
