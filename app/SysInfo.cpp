#include "app/SysInfo.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QHash>
#include <QtCore/QRegularExpression>
#include <QtCore/QSysInfo>
#include <QtCore/QThread>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <array>
#include <cmath>
#include <limits>
#include <unistd.h>

namespace {

QString ReadTextFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  // /proc files report size 0: read to the end instead of by size.
  return QString::fromLocal8Bit(file.readAll());
}

// The "key : value" pairs of the first block of a /proc text.
QHash<QString, QString> FirstBlockFields(const QString& text) {
  QHash<QString, QString> fields;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    if (line.trimmed().isEmpty()) {
      if (!fields.isEmpty()) break;
      continue;
    }
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon <= 0) continue;
    const QString key = line.left(colon).trimmed();
    if (!fields.contains(key)) fields.insert(key, line.mid(colon + 1).trimmed());
  }
  return fields;
}

QString IntelName(int family, int model) {
  switch (family) {
  case 4: {
    static const QHash<int, const char*> names = {{1, "Intel 486DX Processor"},
                                                  {2, "Intel 486SX Processor"},
                                                  {3, "Intel DX2 Processor"},
                                                  {5, "Intel SX2 Processor"},
                                                  {7, "Write-Back Enhanced Intel DX2 Processor"},
                                                  {8, "Intel DX4 Processor"}};
    return QLatin1String(names.value(model, "Intel 486 Processor"));
  }
  case 5:
    return QStringLiteral("Pentium");
  case 6: {
    static const QHash<int, const char*> names = {{1, "Pentium Pro"},       {3, "Pentium II"},  {5, "Pentium II"},
                                                  {6, "Celeron"},           {7, "Pentium III"}, {8, "Pentium III"},
                                                  {10, "Pentium III Xeon"}, {11, "Pentium III"}};
    const char* name = names.value(model);
    return name ? QLatin1String(name) : QStringLiteral("P6 (Model %1)").arg(model);
  }
  case 15:
    return QStringLiteral("Pentium 4");
  default:
    return QStringLiteral("P%1").arg(family);
  }
}

QString CyrixName(int family, int model) {
  if (family == 4) return QStringLiteral("Cyrix MediaGX");
  if (family == 5 && model == 2) return QStringLiteral("Cyrix 6x86");
  if (family == 5 && model == 4) return QStringLiteral("Cyrix GXm");
  if (family == 6) return QStringLiteral("6x86MX");
  return QStringLiteral("%1x86").arg(family);
}

QString AmdName(int family, int model) {
  if (family == 4) return QStringLiteral("Am486(R) or Am5x86");
  if (family != 5) return QStringLiteral("Unknown AMD Chip");
  if (model >= 0 && model <= 3) return QStringLiteral("AMD-K5 (Model %1)").arg(model);
  static const QHash<int, const char*> names = {
      {6, "AMD-K6(R)"}, {7, "AMD-K6"}, {8, "AMD-K6(R) -2"}, {9, "AMD-K6(R) -3"}};
  return QLatin1String(names.value(model, "Unknown AMD Model"));
}

// Manufacturer and the name of a processor without a brand string, by vendor.
void NameByVendor(TCpuInfo& info) {
  struct Vendor {
    const char* id;
    const char* manufacturer;
    QString (*name)(int family, int model);
  };
  static const Vendor vendors[] = {
      {"GenuineIntel", "Intel", &IntelName},
      {"CyrixInstead", "Cyrix", &CyrixName},
      {"AuthenticAMD", "AMD", &AmdName},
      {"GenuineTMx86", "Transmeta", [](int, int) { return QStringLiteral("Crusoe"); }},
  };
  for (const Vendor& vendor : vendors) {
    if (info.VendorId != QLatin1String(vendor.id)) continue;
    info.Manufacturer = QLatin1String(vendor.manufacturer);
    if (info.Name.isEmpty()) info.Name = vendor.name(info.Family, info.Model);
    return;
  }
  info.Manufacturer = QStringLiteral("Unknown");
  info.Name = QStringLiteral("Unknown");
}

// The kilobytes of a /proc/meminfo line as bytes.
qint64 MemInfoBytes(const QHash<QString, QString>& fields, const char* key) {
  bool ok = false;
  const qint64 kilobytes = fields.value(QLatin1String(key)).section(QLatin1Char(' '), 0, 0).toLongLong(&ok);
  // A damaged figure reads as 0 rather than overflowing.
  return ok && kilobytes >= 0 && kilobytes <= std::numeric_limits<qint64>::max() / 1024 ? kilobytes * 1024 : 0;
}

} // namespace

const TMachineFacts& MachineFacts() {
  static const TMachineFacts facts = [] {
    TMachineFacts f;
    f.ProcessorCount = qMax(1, QThread::idealThreadCount());
    const long page = sysconf(_SC_PAGESIZE);
    if (page > 0) f.PageSize = f.AllocationGranularity = page;
    return f;
  }();
  return facts;
}

int WindowsVersion(const TWindowsFacts& facts) {
  if (!facts.PlatformNt) {
    if (facts.Major != 4) return 0;
    const QString service = facts.ServiceText.trimmed();
    if (facts.Minor < 10) return service == QLatin1String("B") ? 2 : 1;
    if (facts.Minor == 90 || (facts.Minor < 90 && facts.Kernel32Version == ((4u << 16) | 90u))) return 5;
    if (facts.Minor < 90) return service == QLatin1String("A") ? 4 : 3;
    return 0;
  }
  if (facts.Major == 3) {
    if (facts.Minor == 1 || facts.Minor == 10) return 6;
    if (facts.Minor == 5 || facts.Minor == 50) return 7;
    if (facts.Minor == 51) return 8;
    return 0;
  }
  if (facts.Major == 4) return 9;
  if (facts.Major == 5 && facts.Minor == 0) return 10;
  if (facts.Major == 5 && facts.Minor == 1) return 11;
  return 0;
}

QString WindowsVersionName(int version, int minor) {
  switch (version) {
  case 1:
    return QStringLiteral("Windows 95");
  case 2:
    return QStringLiteral("Windows 95 OSR2");
  case 3:
    return QStringLiteral("Windows 98");
  case 4:
    return QStringLiteral("Windows 98 SE");
  case 5:
    return QStringLiteral("Windows ME");
  case 6:
    return QStringLiteral("Windows NT 3.1");
  case 7:
    return QStringLiteral("Windows NT 3.5");
  case 8:
    return QStringLiteral("Windows NT 3.51");
  case 9:
    return QStringLiteral("Windows NT 4.%1").arg(minor);
  case 10:
    return QStringLiteral("Windows 2000");
  case 11:
    return QStringLiteral("Windows XP");
  default:
    return {};
  }
}

int ServicePackNumber(const TWindowsFacts& facts) {
  const int version = WindowsVersion(facts);
  if (version == 10 || version == 11) return facts.ServicePackMajor;
  // The DWORD holds the number as hexadecimal digits: 0x0600 is pack 6.
  bool ok = false;
  const int digits = QStringLiteral("%1").arg(facts.RegistryCsdVersion, 4, 16, QLatin1Char('0')).toInt(&ok, 10);
  return ok ? digits / 100 : 0;
}

int NtProductType(const TWindowsFacts& facts) {
  constexpr int workstation = 1;
  const int version = WindowsVersion(facts);
  int type = 0;
  if (version == 9 && facts.HasExtendedInfo && ServicePackNumber(facts) >= 6) {
    type = facts.ProductType == workstation ? 1 : 2;
  } else if (version == 10) {
    if (facts.ProductType == workstation)
      type = 5;
    else if (facts.SuiteMask & 0x80)
      type = 6;
    else if (facts.SuiteMask & 0x02)
      type = 3;
    else
      type = 2;
  } else if (version == 11 && facts.ProductType == workstation) {
    type = (facts.SuiteMask & 0x200) ? 4 : 5;
  }
  if (type != 0) return type;
  const QString registry = facts.RegistryProductType.toUpper();
  if (registry == QLatin1String("WINNT")) return 1;
  if (registry == QLatin1String("SERVERNT")) return 3;
  if (registry == QLatin1String("LANMANNT")) return 2;
  return 0;
}

QString NtProductTypeName(int productType) {
  static const char* const names[] = {
      "", "Workstation", "Server", "Advanced Server", "Home Edition", "Professional", "Datacenter Server"};
  if (productType < 0 || productType >= int(std::size(names))) return {};
  return QLatin1String(names[productType]);
}

TOperatingSystem RunningOperatingSystem() {
  TOperatingSystem os;
  os.Name = QSysInfo::prettyProductName();
  os.Kind = QSysInfo::kernelType();
  const QString kernel = QSysInfo::kernelVersion();
  const QRegularExpressionMatch numbers =
      QRegularExpression(QStringLiteral("^(\\d+)\\.(\\d+)(?:\\.(\\d+))?")).match(kernel);
  if (numbers.hasMatch()) {
    os.Major = numbers.captured(1).toInt();
    os.Minor = numbers.captured(2).toInt();
    os.Build = numbers.captured(3).toInt();
  }
  os.Service = kernel;
  return os;
}

TCpuInfo ParseCpuInfo(const QString& text) {
  const QHash<QString, QString> fields = FirstBlockFields(text);
  TCpuInfo info;
  info.FdivOk = FdivOk();
  info.VendorId = fields.value(QStringLiteral("vendor_id")).left(12);
  info.HasIdentification = !info.VendorId.isEmpty();
  if (!info.HasIdentification) return info;
  info.Family = fields.value(QStringLiteral("cpu family")).toInt();
  info.Model = fields.value(QStringLiteral("model")).toInt();
  info.Name = fields.value(QStringLiteral("model name")).left(48);
  NameByVendor(info);
  info.Mmx = fields.value(QStringLiteral("flags")).split(QLatin1Char(' ')).contains(QStringLiteral("mmx"));
  const double mhz = fields.value(QStringLiteral("cpu MHz")).toDouble();
  if (std::isfinite(mhz) && mhz > 0 && mhz < 1e6) {
    info.RawMHz = int(std::lround(mhz));
    info.NormalisedMHz = RoundCpuFrequency(info.RawMHz);
  }
  return info;
}

void GetCpuInfo(TCpuInfo& info) { info = ParseCpuInfo(ReadTextFile(QStringLiteral("/proc/cpuinfo"))); }

int RoundCpuFrequency(int mhz) {
  static constexpr std::array<int, 9> steps = {0, 20, 33, 50, 60, 66, 80, 90, 100};
  const int rest = mhz % 100;
  for (size_t i = 1; i < steps.size(); ++i) {
    if (steps[i] <= rest) continue;
    const int lower = steps[i - 1], upper = steps[i];
    return mhz - rest + (rest - lower < upper - rest ? lower : upper);
  }
  return mhz;
}

bool FdivOk() {
  // volatile keeps the compiler from folding the test away.
  volatile double x = 2658955.0, y = 3.14159265358979323846;
  return x - (x / y) * y < 1.0;
}

TMemoryStatus ParseMemInfo(const QString& text) {
  QHash<QString, QString> fields;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon > 0) fields.insert(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
  }
  TMemoryStatus status;
  status.TotalPhysical = MemInfoBytes(fields, "MemTotal");
  status.UsedPageFile = qMax<qint64>(0, MemInfoBytes(fields, "SwapTotal") - MemInfoBytes(fields, "SwapFree"));
  return status;
}

qint64 TotalPhysicalMemory() { return ParseMemInfo(ReadTextFile(QStringLiteral("/proc/meminfo"))).TotalPhysical; }
qint64 UsedPageFileBytes() { return ParseMemInfo(ReadTextFile(QStringLiteral("/proc/meminfo"))).UsedPageFile; }

qint64 RoundedMegabytes(qint64 bytes) {
  constexpr qint64 mb = 1024 * 1024;
  qint64 whole = bytes / mb;
  const qint64 rest = bytes % mb;
  if (rest * 2 > mb || (rest * 2 == mb && (whole & 1))) ++whole;
  return whole;
}

QString LocalComputerName() { return QSysInfo::machineHostName(); }

QString TempFolderPath() {
  QString path = QDir::tempPath();
  while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
    path.chop(1);
  return path;
}

bool ExpandEnvironmentInPlace(QString& text) {
  QString result;
  qsizetype pos = 0;
  while (pos < text.size()) {
    const qsizetype open = text.indexOf(QLatin1Char('%'), pos);
    if (open < 0) break;
    const qsizetype close = text.indexOf(QLatin1Char('%'), open + 1);
    if (close < 0) return false;
    result += text.mid(pos, open - pos);
    const QString name = text.mid(open + 1, close - open - 1);
    if (!name.isEmpty() && qEnvironmentVariableIsSet(name.toLocal8Bit().constData()))
      result += qEnvironmentVariable(name.toLocal8Bit().constData());
    else
      result += text.mid(open, close - open + 1); // an unknown reference stays as it stands
    pos = close + 1;
  }
  text = result + text.mid(pos);
  return true;
}

QList<TModuleEntry> ParseModuleMaps(const QString& mapsText, bool handlesOnly) {
  QList<TModuleEntry> list;
  QHash<QString, bool> seen;
  for (const QString& line : mapsText.split(QLatin1Char('\n'))) {
    const QStringList parts = line.simplified().split(QLatin1Char(' '));
    if (parts.size() < 6 || !parts[5].startsWith(QLatin1Char('/'))) continue;
    const QString path = parts.mid(5).join(QLatin1Char(' ')).left(260);
    if (seen.contains(path)) continue;
    bool ok = false;
    const quintptr base = quintptr(parts[0].section(QLatin1Char('-'), 0, 0).toULongLong(&ok, 16));
    if (!ok) continue;
    seen.insert(path, true);
    list.append({handlesOnly ? QString() : path, base});
  }
  return list;
}

bool ProcessModuleList(QList<TModuleEntry>& list, qint64 processId, bool handlesOnly) {
  QFile maps(QStringLiteral("/proc/%1/maps").arg(processId));
  if (processId <= 0 || !maps.open(QIODevice::ReadOnly)) return false;
  list = ParseModuleMaps(QString::fromLocal8Bit(maps.readAll()), handlesOnly);
  return true;
}

quintptr ModuleBaseOfAddress(const void* address) {
  const quintptr target = quintptr(address);
  const QString maps = ReadTextFile(QStringLiteral("/proc/self/maps"));
  QHash<QString, quintptr> firstOfFile;
  for (const QString& line : maps.split(QLatin1Char('\n'))) {
    const QStringList parts = line.simplified().split(QLatin1Char(' '));
    if (parts.isEmpty() || !parts[0].contains(QLatin1Char('-'))) continue;
    const quintptr start = quintptr(parts[0].section(QLatin1Char('-'), 0, 0).toULongLong(nullptr, 16));
    const quintptr end = quintptr(parts[0].section(QLatin1Char('-'), 1, 1).toULongLong(nullptr, 16));
    const QString path = parts.size() >= 6 ? parts.mid(5).join(QLatin1Char(' ')) : QString();
    if (path.startsWith(QLatin1Char('/')) && !firstOfFile.contains(path)) firstOfFile.insert(path, start);
    if (target < start || target >= end) continue;
    return path.startsWith(QLatin1Char('/')) ? firstOfFile.value(path) : start;
  }
  return 0;
}

bool IsRtlLibModule(quintptr moduleBase) {
  return moduleBase != 0 && moduleBase == ModuleBaseOfAddress(reinterpret_cast<const void*>(&MachineFacts));
}

QWidget* MainWindowOfProcess(qint64 processId) {
  if (processId != QCoreApplication::applicationPid()) return nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible() || window->parentWidget()) continue;
    if (window->windowType() == Qt::Tool || window->windowType() == Qt::ToolTip || window->windowType() == Qt::Popup)
      continue;
    return window;
  }
  return nullptr;
}

bool KeyPressed(int virtualKey) {
  const Qt::KeyboardModifiers held = QGuiApplication::keyboardModifiers();
  switch (virtualKey) {
  case 16:
    return held.testFlag(Qt::ShiftModifier);
  case 17:
    return held.testFlag(Qt::ControlModifier);
  case 18:
    return held.testFlag(Qt::AltModifier);
  default:
    return false;
  }
}
