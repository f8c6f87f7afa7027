#pragma once
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QtGlobal>

class QWidget;

// Plain routines that describe the running machine. Every routine answers
// with an empty text, 0, false or null instead of raising.

// Facts of the machine, read once on first use.
struct TMachineFacts {
  int ProcessorCount = 1;
  qint64 AllocationGranularity = 4096;
  qint64 PageSize = 4096;
};
const TMachineFacts& MachineFacts();

// The facts a Windows version decision reads. Kept as plain data so that the
// decisions are pure functions, testable for any version.
struct TWindowsFacts {
  bool PlatformNt = false;
  int Major = 0, Minor = 0;
  QString ServiceText;         // the service-pack text ("B", "A", "Service Pack 6")
  quint32 Kernel32Version = 0; // 95 family only: major in the high half
  bool HasExtendedInfo = false;
  int ServicePackMajor = 0; // of the extended information
  int ProductType = 0;      // 1 workstation, 2 domain controller, 3 server
  quint32 SuiteMask = 0;
  QString RegistryProductType;    // ProductOptions\ProductType
  quint32 RegistryCsdVersion = 0; // Control\Windows\CSDVersion
};

// The version code (0 unknown .. 11 XP) and its display name.
int WindowsVersion(const TWindowsFacts& facts);
QString WindowsVersionName(int version, int minor);
// The product type code (0 unknown .. 6 Datacenter Server) and its name.
int NtProductType(const TWindowsFacts& facts);
QString NtProductTypeName(int productType);
int ServicePackNumber(const TWindowsFacts& facts);

// The operating system this program runs on, in the fields the information
// window shows: name, kind, version and build numbers, and a further text.
struct TOperatingSystem {
  QString Name, Kind;
  int Major = 0, Minor = 0, Build = 0;
  QString Service;
};
TOperatingSystem RunningOperatingSystem();

// The processor as the information window and the crash report describe it.
struct TCpuInfo {
  bool HasIdentification = false;
  bool Mmx = false;
  bool FdivOk = true;
  int Family = 0, Model = 0;
  QString VendorId;
  QString Manufacturer = QStringLiteral("Unknown");
  QString Name = QStringLiteral("Unknown");
  int RawMHz = 0;
  int NormalisedMHz = 0;
};
// The record from the text of /proc/cpuinfo (the first processor's block).
TCpuInfo ParseCpuInfo(const QString& text);
void GetCpuInfo(TCpuInfo& info);
// Snaps a clock frequency to the nearest of the usual steps of its hundred.
int RoundCpuFrequency(int mhz);
// The floating-point division test.
bool FdivOk();

// Memory figures in bytes from the text of /proc/meminfo; 0 when missing.
struct TMemoryStatus {
  qint64 TotalPhysical = 0;
  qint64 UsedPageFile = 0; // swap in use
};
TMemoryStatus ParseMemInfo(const QString& text);
qint64 TotalPhysicalMemory();
qint64 UsedPageFileBytes();
// Bytes as whole megabytes, halves to the even neighbour.
qint64 RoundedMegabytes(qint64 bytes);

QString LocalComputerName();
// The temporary folder without a trailing separator; empty when none.
QString TempFolderPath();
// Expands %NAME% references of the environment in place; false (text
// unchanged) when a reference is not closed.
bool ExpandEnvironmentInPlace(QString& text);

// One loaded module: its path and its base address.
struct TModuleEntry {
  QString Path;
  quintptr Base = 0;
};
// The modules mapped by a process, from its /proc maps text; the paths are
// left empty when only the handles are asked for. False when unreadable.
bool ProcessModuleList(QList<TModuleEntry>& list, qint64 processId, bool handlesOnly);
QList<TModuleEntry> ParseModuleMaps(const QString& mapsText, bool handlesOnly);
// The base of the module that holds the address; 0 when none does.
quintptr ModuleBaseOfAddress(const void* address);
// True when the base is the program file's own module.
bool IsRtlLibModule(quintptr moduleBase);
// This process's first visible, unowned, non-tool top-level window; null for
// other processes (their windows are not reachable here) or when none.
QWidget* MainWindowOfProcess(qint64 processId);
// Whether the key (16 Shift, 17 Ctrl, 18 Alt) is held according to the
// application's last known keyboard state.
bool KeyPressed(int virtualKey);
