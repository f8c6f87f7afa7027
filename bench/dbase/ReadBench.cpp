// dBASE tables of 10k, 100k and 1M records (sizes may be given as arguments):
// writing, reading, opening an index order, seeking and scanning in index
// order, each beside a baseline doing the same work measured in the same run:
// - write: `cat` copying the same files the write produced;
// - read: `cat` of the table file, and a plain read loop over its bytes;
// - open order: `cat` of the index file (what reading the index once costs),
//   and of the table and index files (the order also learns which records
//   are deleted);
// - seek: a binary search over the same keys held sorted in memory;
// - index-order scan: the same record set scanned in record order.
// Every figure is measured in a child process of its own, so each has its own
// peak memory (resident set high-water mark, KiB).
#include "dbase/xb_idxfile.h"
#include "dbase/xbtable.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <random>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Measure {
  double ms = 0;
  long peakKiB = 0;
};

// Runs the work in a child process; the work returns its own time in ms.
Measure InChild(const std::function<double()>& work) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    ::close(fds[0]);
    double ms = -1;
    try {
      ms = work();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "failed: %s\n", e.what());
    } catch (...) {
      std::fprintf(stderr, "failed\n");
    }
    if (::write(fds[1], &ms, sizeof ms) != sizeof ms) _exit(1);
    _exit(0);
  }
  ::close(fds[1]);
  double ms = -1;
  if (::read(fds[0], &ms, sizeof ms) != sizeof ms) ms = -1;
  ::close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  return {ms, usage.ru_maxrss};
}

// `cat` of the files, its output to `output` (or /dev/null): wall time of the
// whole process, start included, as a user running it sees it.
Measure Cat(const QStringList& files, const QString& output = QStringLiteral("/dev/null")) {
  QList<QByteArray> args = {QByteArrayLiteral("cat")};
  for (const QString& f : files)
    args << QFile::encodeName(f);
  std::vector<char*> argv;
  for (QByteArray& a : args)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const QByteArray out = QFile::encodeName(output);
  posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  QElapsedTimer timer;
  timer.start();
  pid_t pid = 0;
  if (posix_spawnp(&pid, "cat", &actions, nullptr, argv.data(), environ) != 0) return {};
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double ms = timer.nsecsElapsed() / 1e6;
  posix_spawn_file_actions_destroy(&actions);
  return {ms, usage.ru_maxrss};
}

// The best of three runs: the figures of a shared machine vary.
template <typename F> Measure Best(F run) {
  Measure best{1e300, 0};
  for (int i = 0; i < 3; ++i) {
    const Measure m = run();
    if (m.ms < best.ms) best = m;
  }
  return best;
}

void Print(const char* what, int records, const char* baseline, Measure ours, Measure base, double goal = 0,
           const char* unit = "ms") {
  std::printf("%-18s %8d  ours %10.3f %s  %-26s %10.3f %s  ratio %7.2f", what, records, ours.ms, unit, baseline,
              base.ms, unit, base.ms > 0 ? ours.ms / base.ms : 0.0);
  if (goal > 0) std::printf(" (goal %4.1f)", goal);
  std::printf("  peak KiB ours %7ld base %7ld\n", ours.peakKiB, base.peakKiB);
  std::fflush(stdout);
}

QString NameOf(int key) { return QStringLiteral("Člen %1").arg(key, 7, 10, QLatin1Char('0')); }

// The keys in a scrambled order, so that key order and record order differ.
std::vector<int> Keys(int records) {
  std::vector<int> keys(static_cast<std::size_t>(records));
  for (int i = 0; i < records; ++i)
    keys[static_cast<std::size_t>(i)] = i;
  std::shuffle(keys.begin(), keys.end(), std::mt19937(20261211));
  return keys;
}

// The table of the earlier measurements: 16 fields, 197 bytes a record.
void Declare(TXbTable& table, const QString& path, bool indexed) {
  table.SetTableName(path);
  table.SetTableLevel(4);
  for (int i = 0; i < 4; ++i)
    table.FieldDefs << TFieldDef{QStringLiteral("MENO%1").arg(i), TFieldType::String, 20}
                    << TFieldDef{QStringLiteral("CISLO%1").arg(i), TFieldType::Integer}
                    << TFieldDef{QStringLiteral("SUMA%1").arg(i), TFieldType::Float, 12, 2}
                    << TFieldDef{QStringLiteral("DATUM%1").arg(i), TFieldType::Date};
  if (indexed) {
    TXbIndexDef& def = table.IndexDefs.Add();
    def.SetIndexFile(QStringLiteral("MENO"));
    def.SetSortField(QStringLiteral("MENO0"));
  }
}

// Creates the table and appends the records through the record set's typed
// setters (as the program's exports write), opened
// exclusively as a program writing a new file of its own does (shared: as
// the program's export does, every record reaching other processes at once).
double Write(const QString& path, int records, bool indexed, bool shared = false) {
  QElapsedTimer timer;
  timer.start();
  TXbTable table;
  Declare(table, path, indexed);
  table.CreateTable();
  table.Exclusive = !shared;
  table.Open();
  const std::vector<int> keys = Keys(records);
  const QDate first(2000, 1, 1);
  for (int r = 0; r < records; ++r) {
    table.Append();
    const QString name = NameOf(keys[std::size_t(r)]);
    for (int i = 0; i < 4; ++i) {
      table.SetFieldText(4 * i, name);
      table.SetFieldNumber(4 * i + 1, r * 7 + i);
      table.SetFieldNumber(4 * i + 2, r * 0.25);
      table.SetFieldDate(4 * i + 3, first.addDays(r % 9000));
    }
    table.Post();
  }
  table.Close();
  return timer.nsecsElapsed() / 1e6;
}

// Reads every field of every row, in the order of the given index (none: record order).
double Scan(const QString& path, const QString& index) {
  QElapsedTimer timer;
  timer.start();
  TXbTable table;
  table.SetTableName(path);
  table.SetIndexName(index);
  table.Open();
  qint64 values = 0;
  const int rows = table.RecordCount(), fields = table.FieldCount();
  for (int row = 0; row < rows; ++row)
    for (int f = 0; f < fields; ++f)
      values += table.ValueAt(row, f).isValid();
  const double ms = timer.nsecsElapsed() / 1e6;
  if (values == 0) std::puts("nothing read");
  return ms;
}

double PlainReadLoop(const QString& path) {
  QElapsedTimer timer;
  timer.start();
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
  std::vector<char> buffer(64 * 1024);
  quint64 sum = 0;
  for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;)
    for (ssize_t i = 0; i < n; ++i)
      sum += static_cast<unsigned char>(buffer[std::size_t(i)]);
  ::close(fd);
  const double ms = timer.nsecsElapsed() / 1e6;
  if (sum == 0) std::puts("nothing read");
  return ms;
}

// The table open in record order (shared, as the program opens it), then the index order chosen.
double OpenOrder(const QString& path) {
  TXbTable table;
  table.SetTableName(path);
  table.Open();
  QElapsedTimer timer;
  timer.start();
  table.SetIndexName(QStringLiteral("MENO"));
  const double ms = timer.nsecsElapsed() / 1e6;
  if (table.RecordCount() == 0) std::puts("nothing in order");
  return ms;
}

constexpr int kSeeks = 2000;

std::vector<int> SeekKeys(int records) {
  std::mt19937 random(7);
  std::vector<int> keys(kSeeks);
  for (int& k : keys)
    k = int(random() % quint32(records));
  return keys;
}

// Microseconds per FindKey of an existing key.
double Seek(const QString& path, int records) {
  TXbTable table;
  table.SetTableName(path);
  table.SetIndexName(QStringLiteral("MENO"));
  table.Open();
  const std::vector<int> keys = SeekKeys(records);
  QElapsedTimer timer;
  timer.start();
  int found = 0;
  for (int k : keys)
    found += table.FindKey(NameOf(k));
  const double us = timer.nsecsElapsed() / 1e3 / kSeeks;
  if (found != kSeeks) std::printf("only %d of %d keys found\n", found, kSeeks);
  return us;
}

// The same keys sorted in memory, found by binary search.
double SeekInMemory(int records) {
  std::vector<QByteArray> sorted;
  sorted.reserve(std::size_t(records));
  for (int i = 0; i < records; ++i)
    sorted.push_back(NameOf(i).toUtf8());
  std::sort(sorted.begin(), sorted.end());
  const std::vector<int> keys = SeekKeys(records);
  QElapsedTimer timer;
  timer.start();
  int found = 0;
  for (int k : keys) {
    const QByteArray key = NameOf(k).toUtf8();
    const auto at = std::lower_bound(sorted.begin(), sorted.end(), key);
    found += at != sorted.end() && *at == key;
  }
  const double us = timer.nsecsElapsed() / 1e3 / kSeeks;
  if (found != kSeeks) std::puts("binary search missed keys");
  return us;
}

// Sections named on the command line run alone (write, read, open, seek, scan).
QStringList only;

bool Wanted(const char* section) { return only.isEmpty() || only.contains(QLatin1String(section)); }

void Run(int records) {
  QTemporaryDir dir;
  const QString plain = dir.filePath(QStringLiteral("plain.dbf"));
  const QString indexed = dir.filePath(QStringLiteral("indexed.dbf"));
  const QString mdx = dir.filePath(QStringLiteral("indexed.mdx"));
  const QString copy = dir.filePath(QStringLiteral("copy"));

  if (Wanted("write")) {
    const Measure write = Best([&] { return InChild([&] { return Write(plain, records, false); }); });
    const Measure copyPlain = Best([&] { return Cat({plain}, copy); });
    Print("write", records, "cat copy", write, copyPlain, 5);
    const Measure writeIndexed = Best([&] { return InChild([&] { return Write(indexed, records, true); }); });
    const Measure copyIndexed = Best([&] {
      const Measure a = Cat({indexed}, copy), b = Cat({mdx}, copy + QStringLiteral("2"));
      return Measure{a.ms + b.ms, std::max(a.peakKiB, b.peakKiB)};
    });
    Print("write, one index", records, "cat copy of dbf + mdx", writeIndexed, copyIndexed, 10);
    const QString shared = dir.filePath(QStringLiteral("shared.dbf"));
    const Measure writeShared = Best([&] { return InChild([&] { return Write(shared, records, false, true); }); });
    Print("write, shared", records, "cat copy", writeShared, Best([&] { return Cat({shared}, copy); }));
  } else {
    InChild([&] { return Write(plain, records, false); });
    InChild([&] { return Write(indexed, records, true); });
  }
  if (Wanted("read")) {
    const Measure read = Best([&] { return InChild([&] { return Scan(plain, QString()); }); });
    Print("read all fields", records, "cat of the dbf", read, Best([&] { return Cat({plain}); }));
    Print("read all fields", records, "plain read loop", read,
          Best([&] { return InChild([&] { return PlainReadLoop(plain); }); }));
  }
  if (Wanted("open")) {
    const Measure open = Best([&] { return InChild([&] { return OpenOrder(indexed); }); });
    Print("open index order", records, "cat of the mdx", open, Best([&] { return Cat({mdx}); }), 3);
    // Which records are deleted is learnt from the table: both files read once.
    Print("open index order", records, "cat of the dbf and mdx", open, Best([&] { return Cat({indexed, mdx}); }));
  }
  if (Wanted("seek")) {
    const Measure seek = Best([&] { return InChild([&] { return Seek(indexed, records); }); });
    Print("seek (per key)", records, "binary search in memory", seek,
          Best([&] { return InChild([&] { return SeekInMemory(records); }); }), 0, "us");
  }
  if (Wanted("scan")) {
    const Measure ordered = Best([&] { return InChild([&] { return Scan(indexed, QStringLiteral("MENO")); }); });
    Print("index-order scan", records, "record-order scan", ordered,
          Best([&] { return InChild([&] { return Scan(indexed, QString()); }); }), 2);
  }
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size > 0)
      sizes.push_back(size);
    else
      only << QString::fromLocal8Bit(argv[i]);
  }
  if (sizes.empty()) sizes = {10000, 100000, 1000000};
  std::printf("%ld cores online, load average: ", sysconf(_SC_NPROCESSORS_ONLN));
  double load[3] = {};
  if (getloadavg(load, 3) == 3) std::printf("%.2f %.2f %.2f", load[0], load[1], load[2]);
  std::printf("\nseek goal: within 20 us per key; ratios: ours / baseline\n");
  for (int records : sizes)
    Run(records);
  return 0;
}
