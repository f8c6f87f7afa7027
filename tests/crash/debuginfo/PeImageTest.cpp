#include "DebugInfoTestSupport.h"
#include "FixtureDebugData.h"
#include "tests/support/QStringPrinter.h"
#include <gtest/gtest.h>

namespace {

using RtPe::kDosNtOffset;

QList<QByteArray> ExportNames(const TRtPeExportFuncList& exports) {
  QList<QByteArray> names;
  for (int i = 0; i < exports.Count(); ++i)
    names.append(exports.Items(i).Name);
  return names;
}

const TRtPeExportFuncItem* FindExport(const TRtPeExportFuncList& exports, const char* name) {
  for (int i = 0; i < exports.Count(); ++i)
    if (exports.Items(i).Name == name) return &exports.Items(i);
  return nullptr;
}

class PeImageTest : public ::testing::Test {
protected:
  TRtLoadedImage library_ = TRtLoadedImage::FromFile(PeFixturePath(QStringLiteral("fixture.dll")));
  TRtLoadedImage program_ = TRtLoadedImage::FromFile(PeFixturePath(QStringLiteral("program.exe")));
};

TEST_F(PeImageTest, LaysOutSectionsAndReadsHeaders) {
  ASSERT_TRUE(library_.IsLaidOut()) << "build the PE fixtures (mingw-w64) first";
  TRtPePackageImage image;
  image.AttachLoadedModule(library_.Module());
  ASSERT_TRUE(image.StatusOK());
  EXPECT_EQ(image.ImageFileName(), PeFixturePath(QStringLiteral("fixture.dll")));
  EXPECT_EQ(image.LoadedImage().MappedAddress, library_.Module().Base);
  EXPECT_EQ(image.LoadedImage().SizeOfImage, quint32(library_.Size()));
  EXPECT_EQ(image.LoadedImage().SectionCount, image.Sections().size());
  ASSERT_TRUE(image.SectionHeaderByName(".text"));
  ASSERT_TRUE(image.SectionHeaderByName("RTDEBUG"));
  // The section's bytes sit at its address, as the loader places them.
  EXPECT_EQ(PeSectionData(library_.Module(), "RTDEBUG").Data(),
            library_.Data() + image.SectionHeaderByName("RTDEBUG")->VirtualAddress);
  const TRtByteView section = PeSectionData(library_.Module(), "RTDEBUG");
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(section.Data()), qsizetype(section.Size())),
            FixtureBinaryDebugData());
  const quint32 textRva = image.SectionHeaderByName(".text")->VirtualAddress;
  EXPECT_EQ(image.SectionNameOfRva(textRva + 4), QByteArray(".text"));
  EXPECT_EQ(image.SectionNameOfRva(0xFFFFFF00u), QByteArray());
}

TEST_F(PeImageTest, ReadsNamedAndForwardedExports) {
  TRtPePackageImage image;
  image.AttachLoadedModule(library_.Module());
  TRtPeExportFuncList& exports = image.ExportList();
  ASSERT_EQ(exports.Count(), 6);
  EXPECT_EQ(exports.OrdinalBase(), 1u);
  EXPECT_TRUE(exports.HasForwardedExports());
  const TRtPeExportFuncItem* ticks = FindExport(exports, "FixtureTicks");
  ASSERT_TRUE(ticks);
  EXPECT_EQ(ticks->ForwardTarget, QByteArray("KERNEL32.GetTickCount"));
  EXPECT_EQ(ticks->Ordinal, 6);
  const TRtPeExportFuncItem* add = FindExport(exports, "FixtureAdd");
  ASSERT_TRUE(add);
  EXPECT_FALSE(add->IsForwarded());
  EXPECT_EQ(add->Ordinal, 1);
  EXPECT_EQ(image.SectionNameOfRva(add->Address), QByteArray(".text"));
  // Hints are positions in the linker's sorted name table.
  EXPECT_EQ(FindExport(exports, "@$xp$9Abcd@TFoo")->Hint, 0);
  EXPECT_EQ(FindExport(exports, "FixtureTicks")->Hint, 5);
}

struct SortCase {
  TRtPeExportFuncList::TSortType type;
  bool descending;
  QList<QByteArray> order;
};

TEST_F(PeImageTest, SortsExportsByEveryKind) {
  // FixtureRaise's code is moved to the highest RVA of the image, so that the
  // address sorts differ from the order of the source.
  TRtPePackageImage probe;
  probe.AttachLoadedModule(library_.Module());
  const TRtPeExportFuncItem* raise = FindExport(probe.ExportList(), "FixtureRaise");
  ASSERT_TRUE(raise);
  const TRtByteView view(library_.Data(), quint64(library_.Size()));
  const quint32 exportDirectory = probe.Directory(RtPe::kDirectoryExport).VirtualAddress;
  const quint32 functions = *view.U32(exportDirectory + 28);
  PokeU32(library_.Data() + functions + 4 * (raise->Ordinal - 1), SectionRva(library_, ".reloc"));

  const QByteArray add = "FixtureAdd", data = "FixtureData", raiseName = "FixtureRaise", ticks = "FixtureTicks",
                   method = "@Abcd@TFoo@Bar$qqrv", type = "@$xp$9Abcd@TFoo";
  const SortCase cases[] = {
      {TRtPeExportFuncList::esName, false, {type, method, add, data, raiseName, ticks}},
      {TRtPeExportFuncList::esName, true, {ticks, raiseName, data, add, method, type}},
      {TRtPeExportFuncList::esOrdinal, false, {add, data, method, type, raiseName, ticks}},
      {TRtPeExportFuncList::esOrdinal, true, {ticks, raiseName, type, method, data, add}},
      {TRtPeExportFuncList::esHint, false, {type, method, add, data, raiseName, ticks}},
      // code in source order, then data, the forwarder's text in the export
      // section, and the moved routine last
      {TRtPeExportFuncList::esAddress, false, {add, method, data, type, ticks, raiseName}},
      {TRtPeExportFuncList::esForwarded, false, {type, method, add, data, raiseName, ticks}},
      // the forwarder's name sorts after every address text
      {TRtPeExportFuncList::esAddressOrForwarded, false, {add, method, data, type, raiseName, ticks}},
      // no section for the forwarder; ".data" < ".reloc" < ".text"
      {TRtPeExportFuncList::esSection, false, {ticks, type, data, raiseName, method, add}},
      {TRtPeExportFuncList::esSection, true, {add, method, raiseName, data, type, ticks}},
  };
  TRtPePackageImage image;
  image.AttachLoadedModule(library_.Module());
  for (const SortCase& c : cases) {
    image.ExportList().Sort(c.type, c.descending);
    EXPECT_EQ(ExportNames(image.ExportList()), c.order) << "sort type " << c.type << (c.descending ? " down" : " up");
  }
}

TEST_F(PeImageTest, FindsMarkerResourcesAndDebugDirectory) {
  TRtPePackageImage library;
  library.AttachLoadedModule(library_.Module());
  EXPECT_TRUE(library.IsPackage());
  EXPECT_TRUE(library.IsToolchainImage());
  TRtPeRootResourceList& resources = library.ResourceList();
  TRtPeResourceItem* rcdata = resources.FindResource(RtPe::kResourceRcData);
  ASSERT_TRUE(rcdata);
  EXPECT_EQ(rcdata->Level(), 1);
  EXPECT_EQ(rcdata->Name(), QStringLiteral("10"));
  TRtPeResourceItem* info = resources.FindResource(RtPe::kResourceRcData, QStringLiteral("PACKAGEINFO"));
  ASSERT_TRUE(info);
  EXPECT_TRUE(info->IsNamed());
  EXPECT_EQ(info->Level(), 2);
  EXPECT_EQ(info->ResourceType(), RtPe::kResourceRcData);
  EXPECT_FALSE(resources.FindResource(RtPe::kResourceRcData, QStringLiteral("packageinfo")));
  // A named resource under a type that does not exist.
  EXPECT_FALSE(resources.FindResource(3, QStringLiteral("PACKAGEINFO")));
  // Below the name lies the language entry, which holds data, not a directory.
  TRtPeResourceItem& language = info->List()->Items(0);
  EXPECT_EQ(language.Level(), 3);
  EXPECT_FALSE(language.IsSubdirectory());
  EXPECT_THROW(language.List(), ERtPeImageError);

  ASSERT_EQ(library.DebugList().Count(), 1);
  EXPECT_EQ(library.DebugList().Items(0).Type, 2u); // the linker's build-id record

  TRtPePackageImage program;
  program.AttachLoadedModule(program_.Module());
  ASSERT_TRUE(program.StatusOK());
  EXPECT_FALSE(program.IsPackage());
  EXPECT_FALSE(program.IsToolchainImage());
  EXPECT_EQ(program.DebugList().Count(), 0);
}

TEST_F(PeImageTest, ResourceEntryWithoutDirectoryIsNoneWithoutExceptions) {
  TRtPePackageImage image(true);
  image.AttachLoadedModule(library_.Module());
  TRtPeResourceItem* info = image.ResourceList().FindResource(RtPe::kResourceRcData, QStringLiteral("DVCLAL"));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->List()->Items(0).List(), nullptr);
}

// Damaged images: what the bytes say is refused or read as missing, never
// followed outside the image.
TEST(PeImageDamageTest, RefusesImagesWithoutUsableHeaders) {
  const QByteArray original = ReadFileBytes(PeFixturePath(QStringLiteral("fixture.dll")));
  ASSERT_FALSE(original.isEmpty());
  const quint32 nt = *ViewOf(original).U32(kDosNtOffset);
  struct Case {
    const char* what;
    QByteArray bytes;
  };
  QByteArray zeroOffset = original;
  PokeU32(reinterpret_cast<uchar*>(zeroOffset.data()) + kDosNtOffset, 0);
  QByteArray badSignature = original;
  badSignature[nt] = 'X';
  QByteArray pe32Plus = original;
  pe32Plus[nt + RtPe::kOptionalHeader] = char(0x0B);
  pe32Plus[nt + RtPe::kOptionalHeader + 1] = char(0x02);
  QByteArray farOffset = original;
  PokeU32(reinterpret_cast<uchar*>(farOffset.data()) + kDosNtOffset, 0xFFFFFFF0u);
  const Case cases[] = {
      {"header offset 0", zeroOffset},
      {"headers cut short", original.left(nt + 100)},
      {"DOS header cut short", original.left(40)},
      {"no PE signature", badSignature},
      {"PE32+ optional header", pe32Plus},
      {"header offset past the end", farOffset},
      {"no bytes", QByteArray()},
  };
  for (const Case& c : cases) {
    TRtLoadedImage loaded(c.bytes, QStringLiteral("damaged.dll"));
    EXPECT_FALSE(NtHeadersOffset(TRtByteView(loaded.Data(), quint64(loaded.Size())))) << c.what;
    TRtPeImage quiet(true);
    quiet.AttachLoadedModule(loaded.Module());
    EXPECT_FALSE(quiet.StatusOK()) << c.what;
    EXPECT_EQ(quiet.ExportList().Count(), 0) << c.what;
    EXPECT_EQ(quiet.DebugList().Count(), 0) << c.what;
    if (loaded.Module().IsNull()) continue;
    TRtPeImage raising;
    EXPECT_THROW(raising.AttachLoadedModule(loaded.Module()), ERtPeImageError) << c.what;
    EXPECT_THROW(TRtPeSectionStream(loaded.Module(), "RTDEBUG"), ERtPeImageError) << c.what;
  }
}

TEST(PeImageDamageTest, TablesPointingOutsideTheImageReadAsMissing) {
  TRtLoadedImage library = TRtLoadedImage::FromFile(PeFixturePath(QStringLiteral("fixture.dll")));
  ASSERT_TRUE(library.IsLaidOut());
  const TRtByteView view(library.Data(), quint64(library.Size()));
  const quint32 nt = *NtHeadersOffset(view);
  const quint32 exports = *view.U32(nt + RtPe::kOptDirectories);
  // A name count far beyond the table: the list ends where the image ends.
  PokeU32(library.Data() + exports + 24, 0x7FFFFFFF);
  // The resource directory moved past the image's end.
  PokeU32(library.Data() + nt + RtPe::kOptDirectories + 8 * RtPe::kDirectoryResource, 0x7FFFFFF0u);
  TRtPePackageImage image;
  image.AttachLoadedModule(library.Module());
  ASSERT_TRUE(image.StatusOK());
  EXPECT_GE(image.ExportList().Count(), 6);
  EXPECT_FALSE(image.IsPackage());
  EXPECT_EQ(image.ResourceList().Count(), 0);
}

TEST(PeSectionStreamTest, CoversTheSectionAndRefusesWrites) {
  TRtLoadedImage library = TRtLoadedImage::FromFile(PeFixturePath(QStringLiteral("fixture.dll")));
  TRtPeSectionStream stream(library.Module(), "RTDEBUG");
  EXPECT_EQ(stream.Data().Size(), quint64(FixtureBinaryDebugData().size()));
  EXPECT_EQ(stream.SectionHeader().Name, QByteArray("RTDEBUG"));
  try {
    stream.Write("x", 1);
    FAIL() << "a write went through";
  } catch (const ERtPeImageError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Nie je možné zapísať do \"resource stream\"-u, ktoý je Read Only"));
  }
  try {
    TRtPeSectionStream missing(library.Module(), "NOSUCH");
    FAIL() << "a missing section gave a stream";
  } catch (const ERtPeImageError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Section \"NOSUCH\" not found"));
  }
}

struct ExportNameCase {
  const char* name;
  TRtExportName::TResult result;
  const char* text;
  TRtExportName::TKind kind;
  int flags;
  int basePosition;
};

TEST(ExportNameTest, ReadsTheManglingOfTheCompilerFamily) {
  using N = TRtExportName;
  const ExportNameCase cases[] = {
      {"@Abcd@TFoo@Bar$qqrv", N::enMangled, "Abcd.TFoo.Bar", N::ekFunction, N::efQualified, 6},
      {"@$xp$9Abcd@TFoo", N::enMangled, "Abcd.TFoo", N::ekTypeInfo, N::efQualified, 6},
      {"@Abcd@TFoo@$bctr$qqrv", N::enMangled, "Abcd.TFoo", N::ekConstructor, N::efQualified, 6},
      {"@Abcd@TFoo@$bdtr$qqrv", N::enMangled, "Abcd.TFoo", N::ekDestructor, N::efQualified, 6},
      {"@Abcd@TFoo@$badd$qqrv", N::enMangled, "Abcd.TFoo", N::ekFunction, N::efQualified, 6},
      {"@Abcd@TFoo@", N::enMangled, "Abcd.TFoo", N::ekVirtualTable, N::efQualified, 6},
      {"@Abcd@Value", N::enMangled, "Abcd.Value", N::ekData, N::efQualified, 6},
      {"@Abcd@@Hidden$qqrv", N::enMangled, "Abcd.Hidden", N::ekFunction, N::efQualified | N::efAtMark, 6},
      {"@Start$qqrv", N::enMangled, "Start", N::ekFunction, 0, 1},
      {"FixtureAdd", N::enPlain, "", N::ekData, 0, 1},
      {"_entry", N::enPlain, "", N::ekData, 0, 1},
      {"?run@@YAXXZ", N::enOtherMangling, "", N::ekData, 0, 1},
      {"1abc", N::enError, "", N::ekData, 0, 1},
      {"", N::enError, "", N::ekData, 0, 1},
      {"@$zz", N::enError, "", N::ekData, 0, 1},
      {"@1abc", N::enError, "", N::ekData, 0, 1},
  };
  for (const ExportNameCase& c : cases) {
    const TRtExportName read = ReadExportName(c.name);
    EXPECT_EQ(read.Result, c.result) << c.name;
    if (c.result != N::enMangled) continue;
    EXPECT_EQ(read.Text, QLatin1String(c.text)) << c.name;
    EXPECT_EQ(read.Kind, c.kind) << c.name;
    EXPECT_EQ(read.Flags, c.flags) << c.name;
    EXPECT_EQ(read.BasePosition, c.basePosition) << c.name;
  }
  // Names beyond the supported length are refused.
  const QByteArray tooLong = QByteArray(1100, 'a').prepend('@');
  EXPECT_EQ(ReadExportName(tooLong).Result, N::enError);
}

} // namespace
