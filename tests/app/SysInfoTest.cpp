#include "app/SysInfo.h"
#include "tests/support/ScopedEnvironment.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QPointer>
#include <QtCore/QScopeGuard>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <gtest/gtest.h>

namespace {

struct WindowsVersionCase {
  bool nt;
  int major, minor;
  const char* service;
  quint32 kernel32;
  int code;
  const char* name;
};

TEST(SysInfoTest, WindowsVersionFromFacts) {
  const WindowsVersionCase cases[] = {
      {false, 4, 0, " ", 0, 1, "Windows 95"},
      {false, 4, 0, " B ", 0, 2, "Windows 95 OSR2"},
      {false, 4, 10, "", 0, 3, "Windows 98"},
      {false, 4, 10, " A ", 0, 4, "Windows 98 SE"},
      {false, 4, 10, "A", (4u << 16) | 90u, 5, "Windows ME"},
      {false, 4, 90, "", 0, 5, "Windows ME"},
      {true, 3, 10, "", 0, 6, "Windows NT 3.1"},
      {true, 3, 50, "", 0, 7, "Windows NT 3.5"},
      {true, 3, 51, "", 0, 8, "Windows NT 3.51"},
      {true, 4, 0, "Service Pack 6", 0, 9, "Windows NT 4.0"},
      {true, 5, 0, "", 0, 10, "Windows 2000"},
      {true, 5, 1, "", 0, 11, "Windows XP"},
      {true, 6, 1, "", 0, 0, ""},  // later versions have no name
      {true, 10, 0, "", 0, 0, ""}, //
      {false, 5, 0, "", 0, 0, ""},
  };
  for (const WindowsVersionCase& c : cases) {
    TWindowsFacts facts;
    facts.PlatformNt = c.nt;
    facts.Major = c.major;
    facts.Minor = c.minor;
    facts.ServiceText = QLatin1String(c.service);
    facts.Kernel32Version = c.kernel32;
    const int code = WindowsVersion(facts);
    EXPECT_EQ(code, c.code) << c.major << "." << c.minor;
    EXPECT_EQ(WindowsVersionName(code, c.minor), QLatin1String(c.name)) << c.major << "." << c.minor;
  }
}

struct ProductCase {
  int major, minor;
  bool extended;
  quint32 csd; // registry service pack as hexadecimal digits
  int spMajor;
  int productType; // 1 workstation, 3 server
  quint32 suite;
  const char* registry;
  int expected;
  const char* name;
};

TEST(SysInfoTest, NtProductTypeFromFacts) {
  const ProductCase cases[] = {
      {4, 0, true, 0x0600, 0, 1, 0, "", 1, "Workstation"},
      {4, 0, true, 0x0600, 0, 3, 0, "", 2, "Server"},
      {4, 0, true, 0x0500, 0, 1, 0, "LanmanNT", 2, "Server"}, // before pack 6: the registry decides
      {5, 0, true, 0, 4, 3, 0x80, "", 6, "Datacenter Server"},
      {5, 0, true, 0, 4, 3, 0x02, "", 3, "Advanced Server"},
      {5, 0, true, 0, 4, 3, 0, "", 2, "Server"},
      {5, 0, true, 0, 4, 1, 0, "", 5, "Professional"},
      {5, 1, true, 0, 2, 1, 0x200, "", 4, "Home Edition"},
      {5, 1, true, 0, 2, 1, 0, "", 5, "Professional"},
      {5, 1, true, 0, 2, 3, 0, "ServerNT", 3, "Advanced Server"},
      {6, 1, true, 0, 1, 1, 0, "winnt", 1, "Workstation"}, // later versions: registry only, any case
      {6, 1, true, 0, 1, 1, 0, "", 0, ""},
  };
  for (const ProductCase& c : cases) {
    TWindowsFacts facts;
    facts.PlatformNt = true;
    facts.Major = c.major;
    facts.Minor = c.minor;
    facts.HasExtendedInfo = c.extended;
    facts.RegistryCsdVersion = c.csd;
    facts.ServicePackMajor = c.spMajor;
    facts.ProductType = c.productType;
    facts.SuiteMask = c.suite;
    facts.RegistryProductType = QLatin1String(c.registry);
    const int type = NtProductType(facts);
    EXPECT_EQ(type, c.expected) << c.major << "." << c.minor << " " << c.registry;
    EXPECT_EQ(NtProductTypeName(type), QLatin1String(c.name));
  }
  TWindowsFacts nt4;
  nt4.PlatformNt = true;
  nt4.Major = 4;
  nt4.RegistryCsdVersion = 0x0600;
  EXPECT_EQ(ServicePackNumber(nt4), 6);
  nt4.RegistryCsdVersion = 0x0A00; // not decimal digits
  EXPECT_EQ(ServicePackNumber(nt4), 0);
}

TEST(SysInfoTest, RoundCpuFrequencySnapsToSteps) {
  const std::pair<int, int> cases[] = {{2394, 2390}, {1995, 2000}, {733, 733}, {865, 866}, {885, 890},
                                       {884, 880},   {2400, 2400}, {10, 20},   {9, 0},     {999, 1000}};
  for (const auto& [mhz, expected] : cases)
    EXPECT_EQ(RoundCpuFrequency(mhz), expected) << mhz;
}

TEST(SysInfoTest, ProcessorFromCpuInfoText) {
  struct Case {
    const char* text;
    const char* manufacturer;
    const char* name;
    bool mmx;
    int mhz;
  } cases[] = {
      {"processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 158\n"
       "model name\t: Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\ncpu MHz\t\t: 3192.613\nflags\t\t: fpu mmx sse\n\n"
       "processor\t: 1\nvendor_id\t: AuthenticAMD\n",
       "Intel", "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz", true, 3190},
      {"vendor_id : AuthenticAMD\ncpu family : 5\nmodel : 8\nflags : fpu\ncpu MHz : 1995.0\n", "AMD", "AMD-K6(R) -2",
       false, 2000},
      {"vendor_id : GenuineIntel\ncpu family : 4\nmodel : 9\n", "Intel", "Intel 486 Processor", false, 0},
      {"vendor_id : CyrixInstead\ncpu family : 5\nmodel : 2\n", "Cyrix", "Cyrix 6x86", false, 0},
      {"vendor_id : GenuineTMx86\ncpu family : 5\nmodel : 4\n", "Transmeta", "Crusoe", false, 0},
      {"vendor_id : SomethingElse\nmodel name : X\n", "Unknown", "Unknown", false, 0},
      {"processor : 0\nBogoMIPS : 50.00\nCPU implementer : 0x41\n", "Unknown", "Unknown", false, 0},
      {"", "Unknown", "Unknown", false, 0},
  };
  for (const Case& c : cases) {
    const TCpuInfo info = ParseCpuInfo(QString::fromLatin1(c.text));
    EXPECT_EQ(info.Manufacturer, QLatin1String(c.manufacturer)) << c.text;
    EXPECT_EQ(info.Name, QLatin1String(c.name)) << c.text;
    EXPECT_EQ(info.Mmx, c.mmx) << c.text;
    EXPECT_EQ(info.NormalisedMHz, c.mhz) << c.text;
  }
}

TEST(SysInfoTest, MemoryFiguresInSixtyFourBits) {
  // 64 GiB of memory and 5 GiB of swap in use overflow 32-bit byte counts.
  const TMemoryStatus status =
      ParseMemInfo(QStringLiteral("MemTotal:       67108864 kB\nMemFree: 1 kB\nSwapTotal:       8388608 kB\n"
                                  "SwapFree:        3145728 kB\n"));
  EXPECT_EQ(status.TotalPhysical, Q_INT64_C(68719476736));
  EXPECT_EQ(status.UsedPageFile, Q_INT64_C(5368709120));
  EXPECT_EQ(ParseMemInfo(QString()).TotalPhysical, 0);
  EXPECT_GT(TotalPhysicalMemory(), 0);

  constexpr qint64 mb = 1024 * 1024;
  const std::pair<qint64, qint64> rounding[] = {
      {mb + mb / 2, 2}, {2 * mb + mb / 2, 2}, {2 * mb + mb / 2 + 1, 3}, {mb - 1, 1}, {0, 0}, {3 * 1024 * mb, 3072}};
  for (const auto& [bytes, expected] : rounding)
    EXPECT_EQ(RoundedMegabytes(bytes), expected) << bytes;
}

TEST(SysInfoTest, EnvironmentExpansion) {
  const TScopedEnvironment set("VIMEK_SYSINFO_TEST", QStringLiteral("abc"));
  const TScopedEnvironment unset("VIMEK_SYSINFO_MISSING", std::nullopt);
  const struct {
    const char* in;
    bool ok;
    const char* out;
  } cases[] = {
      {"x%VIMEK_SYSINFO_TEST%y", true, "xabcy"},
      {"%VIMEK_SYSINFO_TEST%%VIMEK_SYSINFO_TEST%", true, "abcabc"},
      {"%VIMEK_SYSINFO_MISSING%", true, "%VIMEK_SYSINFO_MISSING%"},
      {"100%% sure", true, "100%% sure"},
      {"open %VIMEK_SYSINFO_TEST", false, "open %VIMEK_SYSINFO_TEST"},
      {"", true, ""},
  };
  for (const auto& c : cases) {
    QString text = QLatin1String(c.in);
    EXPECT_EQ(ExpandEnvironmentInPlace(text), c.ok) << c.in;
    EXPECT_EQ(text, QLatin1String(c.out)) << c.in;
  }
}

TEST(SysInfoTest, ModulesOfProcess) {
  const QString maps = QStringLiteral("55d000000000-55d000001000 r--p 00000000 08:01 11 /opt/Vimek/Vimek\n"
                                      "55d000001000-55d000009000 r-xp 00001000 08:01 11 /opt/Vimek/Vimek\n"
                                      "7f0000000000-7f0000100000 rw-p 00000000 00:00 0 \n"
                                      "7f1000000000-7f1000010000 r--p 00000000 08:01 22 /usr/lib/libQt6 Core.so.6\n"
                                      "7ffd00000000-7ffd00021000 rw-p 00000000 00:00 0 [stack]\n");
  const QList<TModuleEntry> modules = ParseModuleMaps(maps, false);
  ASSERT_EQ(modules.size(), 2);
  EXPECT_EQ(modules[0].Path, QStringLiteral("/opt/Vimek/Vimek"));
  EXPECT_EQ(modules[0].Base, quintptr(0x55d000000000));
  EXPECT_EQ(modules[1].Path, QStringLiteral("/usr/lib/libQt6 Core.so.6"));
  EXPECT_TRUE(ParseModuleMaps(maps, true)[1].Path.isEmpty());

  QList<TModuleEntry> own;
  ASSERT_TRUE(ProcessModuleList(own, QCoreApplication::applicationPid(), false));
  const quintptr base = ModuleBaseOfAddress(reinterpret_cast<const void*>(&RoundCpuFrequency));
  ASSERT_NE(base, 0u);
  EXPECT_TRUE(std::any_of(own.begin(), own.end(), [&](const TModuleEntry& m) {
    return m.Base == base && m.Path == QCoreApplication::applicationFilePath();
  }));
  EXPECT_TRUE(IsRtlLibModule(base));
  EXPECT_FALSE(IsRtlLibModule(0));
  EXPECT_FALSE(ProcessModuleList(own, -1, false));
}

TEST(SysInfoTest, TempFolderHasNoTrailingSeparator) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const TScopedEnvironment temp("TMPDIR", folder.path() + QStringLiteral("//"));
  EXPECT_EQ(TempFolderPath(), folder.path());
  EXPECT_FALSE(LocalComputerName().isEmpty());
}

TEST(SysInfoTest, MainWindowIsTheVisibleTopLevelWindowOfThisProcess) {
  // Windows that earlier tests left open are out of the way for the time.
  QList<QPointer<QWidget>> others;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) others.append(window);
  for (QWidget* window : others)
    window->hide();
  const auto restore = qScopeGuard([&] {
    for (QWidget* window : others)
      if (window) window->show();
  });
  const qint64 own = QCoreApplication::applicationPid();
  QWidget hidden, tool(nullptr, Qt::Tool), main;
  tool.show();
  EXPECT_EQ(MainWindowOfProcess(own), nullptr) << "hidden and tool windows do not count";
  main.show();
  EXPECT_EQ(MainWindowOfProcess(own), &main);
  EXPECT_EQ(MainWindowOfProcess(own + 1), nullptr) << "another process's windows are not reachable";
}

} // namespace
