// Reads every field of every record of a 100,000-record table with 16 fields
// through the record set, and beside it the time to read the file's bytes
// alone (whole file, and record by record as the table file reads them).
#include "dbase/xbtable.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kRecords = 100000;

void CreateTable(const QString& path) {
  TXbTable table;
  table.SetTableName(path);
  table.SetTableLevel(3);
  for (int i = 0; i < 4; ++i) {
    table.FieldDefs << TFieldDef{QStringLiteral("MENO%1").arg(i), TFieldType::String, 20}
                    << TFieldDef{QStringLiteral("CISLO%1").arg(i), TFieldType::Integer}
                    << TFieldDef{QStringLiteral("SUMA%1").arg(i), TFieldType::Float, 12, 2}
                    << TFieldDef{QStringLiteral("DATUM%1").arg(i), TFieldType::Date};
  }
  table.Exclusive = true;
  table.CreateTable();
  table.Open();
  for (int r = 0; r < kRecords; ++r) {
    table.Append();
    for (int i = 0; i < 4; ++i) {
      table.FieldByNumber(4 * i).SetValue(QStringLiteral("Člen č. %1").arg(r));
      table.FieldByNumber(4 * i + 1).SetValue(r * 7 + i);
      table.FieldByNumber(4 * i + 2).SetValue(r * 0.25);
      table.FieldByNumber(4 * i + 3).SetValue(QDate(2000, 1, 1).addDays(r % 9000));
    }
    table.Post();
  }
}

double BareWholeFile(const QString& path, qint64* bytes) {
  QElapsedTimer timer;
  timer.start();
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  *bytes = file.readAll().size();
  return timer.nsecsElapsed() / 1e6;
}

double BareRecordByRecord(const QString& path) {
  QElapsedTimer timer;
  timer.start();
  TXbFile file;
  file.SetFileName(path);
  file.SetMode(PagedFileMode::ReadOnlyShared);
  file.OpenTable();
  QByteArray record(file.RecordSize(), '\0');
  qint64 sum = 0;
  for (int n = 1; n <= file.RecordCount(); ++n) sum += file.ReadRecord(n, record.data());
  const double ms = timer.nsecsElapsed() / 1e6;
  if (sum == 0) std::puts("nothing read");
  return ms;
}

double ReadAllFields(const QString& path, qint64* checksum) {
  QElapsedTimer timer;
  timer.start();
  TXbTable table;
  table.SetTableName(path);
  table.ReadOnly = true;
  table.Open();
  const int rows = table.RecordCount(), fields = table.FieldCount();
  for (int row = 0; row < rows; ++row)
    for (int f = 0; f < fields; ++f) *checksum += table.ValueAt(row, f).isValid();
  return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bench.dbf"));
  QElapsedTimer timer;
  timer.start();
  CreateTable(path);
  std::printf("created %d records x 16 fields in %.1f ms\n", kRecords, timer.nsecsElapsed() / 1e6);
  for (int run = 1; run <= 3; ++run) {
    qint64 bytes = 0, checksum = 0;
    const double whole = BareWholeFile(path, &bytes);
    const double perRecord = BareRecordByRecord(path);
    const double fields = ReadAllFields(path, &checksum);
    std::printf("run %d: file %lld bytes | bare whole-file read %.1f ms | bare record-by-record read %.1f ms | "
                "all fields via record set %.1f ms (%.0f records/s, %lld values) | ratio to record-by-record %.2f, to whole-file %.2f\n",
                run, static_cast<long long>(bytes), whole, perRecord, fields, kRecords / (fields / 1000.0),
                static_cast<long long>(checksum), fields / perRecord, fields / whole);
  }
  return 0;
}
