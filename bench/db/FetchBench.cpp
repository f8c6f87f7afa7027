// Fetch rate of the buffered query against a bare fetch loop over the client
// library, both on the same 100,000-row, 10-column table of an embedded
// database: once on a quiet machine, once while a second process (this
// program with --load) keeps every core busy. Every run of a side is a
// process of its own (the sides taking turns), so that its peak memory is its own.
#include "bench/support/BenchSides.h"
#include "db/FbClient.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtCore/QThread>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace {

constexpr int rowCount = 100000;
constexpr int rounds = 5;
constexpr int runsPerSide = 3; // in each side's process, after one untimed run
constexpr double openGoal = 0.80;
constexpr double readGoal = 0.50;
const char* const loadArgument = "--load";
const QString selectSql =
    QStringLiteral("SELECT ID, ROK, CISLO, MENO, PRIEZVISKO, SUMA, KURZ, DATUM, ZMENENE, KOD FROM T_BENCH");

void MakeTable(TIBDatabase& db) {
  const QString statements[] = {
      QStringLiteral("CREATE TABLE T_BENCH (ID INTEGER NOT NULL PRIMARY KEY, ROK SMALLINT, CISLO BIGINT, "
                     "MENO VARCHAR(30), PRIEZVISKO VARCHAR(50), SUMA NUMERIC(15,2), KURZ DOUBLE PRECISION, "
                     "DATUM DATE, ZMENENE TIMESTAMP, KOD CHAR(10))"),
      QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < %1) DO BEGIN "
                     "INSERT INTO T_BENCH VALUES (:I, 2000 + MOD(:I, 30), :I * 1000003, 'Ľubomír ' || :I, "
                     "'Šťastný-Žltý ' || :I, :I * 1.25, :I / 7.0, DATE '2020-01-01' + MOD(:I, 2000), "
                     "TIMESTAMP '2020-01-01 08:00:00' + :I / 1000.0, 'K' || MOD(:I, 97)); I = I + 1; END END")
          .arg(rowCount),
  };
  for (const QString& statement : statements) {
    TIBTransaction transaction(&db);
    transaction.StartTransaction();
    TIBSQL(&db, &transaction).ExecImmediate(statement);
    transaction.Commit();
  }
}

// The baseline: prepare, open a cursor and fetch every row into one buffer, nothing more.
int BareLoop(TIBDatabase& db, TIBTransaction& transaction) {
  using namespace FbClient;
  const QByteArray sql = selectSql.toLatin1();
  TStatus status;
  TRef<Firebird::IStatement> statement(db.Attachment()->prepare(&status, transaction.Handle(), 0, sql.constData(), 3,
                                                                Firebird::IStatement::PREPARE_PREFETCH_METADATA));
  status.Check();
  TRef<Firebird::IMessageMetadata> meta(statement->getOutputMetadata(&status));
  status.Check();
  std::vector<unsigned char> buffer(meta->getMessageLength(&status));
  status.Check();
  TRef<Firebird::IResultSet> cursor(
      statement->openCursor(&status, transaction.Handle(), nullptr, nullptr, meta.get(), 0));
  status.Check();
  int rows = 0;
  while (cursor->fetchNext(&status, buffer.data()) == Firebird::IStatus::RESULT_OK)
    ++rows;
  status.Check();
  cursor->close(&status);
  status.Check();
  cursor.release();
  statement->free(&status);
  status.Check();
  statement.release();
  return rows;
}

int DataSetOpen(TIBDatabase& db, TIBTransaction& transaction, bool readValues) {
  TIBQuery query;
  query.SetDatabase(&db);
  query.SetTransaction(&transaction);
  query.SetSQL(selectSql);
  query.Open();
  if (readValues) {
    qint64 sink = 0;
    for (int row = 0; row < query.RecordCount(); ++row)
      for (int field = 0; field < query.FieldCount(); ++field)
        sink += query.ValueAt(row, field).isNull() ? 0 : 1;
    if (sink != qint64(query.RecordCount()) * query.FieldCount()) std::fprintf(stderr, "unexpected NULL values\n");
  }
  return query.RecordCount();
}

using TRun = std::function<int(TIBDatabase&, TIBTransaction&)>;

// Rows per second of one run in a fresh read-only transaction.
double Rate(TIBDatabase& db, const TRun& run) {
  TIBTransaction transaction(&db, TIBTransactionKind::ReadOnlyReadCommitted);
  transaction.StartTransaction();
  QElapsedTimer timer;
  timer.start();
  const int rows = run(db, transaction);
  const double seconds = double(timer.nsecsElapsed()) / 1e9;
  transaction.Commit();
  if (rows != rowCount) std::fprintf(stderr, "fetched %d rows instead of %d\n", rows, rowCount);
  return rows / seconds;
}

const char* const sideNames[] = {"bare", "open", "read"};

// One side in this process on the database at `path`: one untimed run (the
// engine's page cache is the process's own), then the best rate of the
// timed runs; prints "rows-per-second peak-KiB".
int RunChild(const QString& side, const QString& path) {
  const TRun runs[] = {BareLoop, [](TIBDatabase& d, TIBTransaction& t) { return DataSetOpen(d, t, false); },
                       [](TIBDatabase& d, TIBTransaction& t) { return DataSetOpen(d, t, true); }};
  const TRun& run = runs[side == QLatin1String("bare") ? 0 : side == QLatin1String("open") ? 1 : 2];
  TIBDatabase db;
  db.SetDatabaseName(path);
  db.Open();
  Rate(db, run);
  double best = 0;
  for (int i = 0; i < runsPerSide; ++i)
    best = std::max(best, Rate(db, run));
  db.Close();
  std::printf("%.0f %ld\n", best, OwnPeakKiB());
  return 0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Keeps every core busy computing until stdin closes.
int RunLoad() {
  std::atomic<bool> stop = false;
  std::vector<std::thread> threads;
  for (int i = 0; i < QThread::idealThreadCount(); ++i)
    threads.emplace_back([&stop, i] {
      quint64 x = quint64(i) + 1;
      while (!stop.load(std::memory_order_relaxed))
        for (int k = 0; k < 100000; ++k)
          x = x * 6364136223846793005u + 1442695040888963407u;
      if (x == 0) std::fputc(' ', stderr); // keeps the loop from being optimised away
    });
  while (std::fgetc(stdin) != EOF) {
  }
  stop = true;
  for (std::thread& thread : threads)
    thread.join();
  return 0;
}

// Best rates and largest peaks of the sides (bare, open, read), and the
// ratios to the bare loop as the median of the rounds' own ratios.
struct TFigures {
  double Rate[3] = {};
  long PeakKiB[3] = {};
  double OpenRatio = 0, ReadRatio = 0;
  bool MeetGoals() const { return OpenRatio >= openGoal && ReadRatio >= readGoal; }
};

// The sides take turns within a round, forwards and backwards in alternate
// rounds, so that a machine whose load changes slows the runs of one round alike.
TFigures Measure(const QString& path) {
  TFigures f;
  std::vector<double> openRatios, readRatios;
  for (int round = 0; round < rounds; ++round) {
    double rate[3] = {};
    for (int k = 0; k < 3; ++k) {
      const int i = round % 2 == 0 ? k : 2 - k;
      const QStringList out = RunSide({QString::fromLatin1(sideNames[i]), path});
      if (out.size() != 2) throw Exception(QStringLiteral("a side failed"));
      rate[i] = out[0].toDouble();
      f.Rate[i] = std::max(f.Rate[i], rate[i]);
      f.PeakKiB[i] = std::max(f.PeakKiB[i], out[1].toLong());
    }
    openRatios.push_back(rate[1] / rate[0]);
    readRatios.push_back(rate[2] / rate[0]);
  }
  f.OpenRatio = Median(openRatios);
  f.ReadRatio = Median(readRatios);
  return f;
}

QByteArray LoadAverage() {
  QFile file(QStringLiteral("/proc/loadavg"));
  if (!file.open(QIODevice::ReadOnly)) return QByteArrayLiteral("unknown");
  return file.readAll().split(' ').mid(0, 3).join(' ');
}

void Print(const char* title, const TFigures& f) {
  std::printf("%s (load average at the end %s)\n", title, LoadAverage().constData());
  PrintFiguresHeader("rows per second (ratio: median of rounds)");
  PrintFigure("TIBQuery::Open (buffered) / bare loop", f.Rate[1], f.Rate[0], f.PeakKiB[1], f.PeakKiB[0]);
  std::printf("  median ratio %.2f (goal >= %.2f)\n", f.OpenRatio, openGoal);
  PrintFigure("Open + read every value / bare loop", f.Rate[2], f.Rate[0], f.PeakKiB[2], f.PeakKiB[0]);
  std::printf("  median ratio %.2f (goal >= %.2f)\n", f.ReadRatio, readGoal);
}

// The same measurement while this program, started again with --load, keeps every core busy.
TFigures MeasureUnderLoad(const QString& path) {
  QProcess load;
  load.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  load.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(loadArgument)});
  if (!load.waitForStarted()) throw Exception(QStringLiteral("the load process did not start"));
  const TFigures figures = Measure(path);
  load.closeWriteChannel();
  load.waitForFinished();
  return figures;
}

} // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], loadArgument) == 0) return RunLoad();
  QCoreApplication app(argc, argv);
  try {
    if (argc == 3) return RunChild(app.arguments()[1], app.arguments()[2]);
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/vimek-bench-db-XXXXXX"));
    qputenv("FIREBIRD_LOCK", QFile::encodeName(folder.path()));
    const QString path = folder.path() + QStringLiteral("/bench.fdb");
    {
      TIBDatabase db;
      db.SetDatabaseName(path);
      db.CreateDatabase();
      MakeTable(db);
      db.Close();
    }
    std::printf("%d rows x 10 columns, %d cores; rates: best of %d rounds of %d runs, each side's runs in a process "
                "of its own; peaks: the largest of a side's processes\n",
                rowCount, QThread::idealThreadCount(), rounds, runsPerSide);
    const TFigures quiet = Measure(path);
    Print("quiet", quiet);
    std::fflush(stdout);
    const TFigures loaded = MeasureUnderLoad(path);
    Print("every core kept busy by a second process", loaded);
    return quiet.MeetGoals() && loaded.MeetGoals() ? 0 : 1;
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 2;
  }
}
