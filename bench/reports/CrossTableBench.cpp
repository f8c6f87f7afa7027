// The cross-tab table of 50,000 records (two row fields, two column fields,
// three cell fields, subtotals on the outer fields and a sum, a count and an
// average in the cells) beside one bare walk of the same data set reading
// the same seven fields, in the same run, each in a process of its own so
// that each peak memory is its own. The goal is at most five times the walk.
#include "reports/objects/rpCross.h"
#include "util/UxMemDS.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QLocale>
#include <QtCore/QProcess>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kRecords = 50000;
const char* const kFields[] = {"KRAJ", "OBEC", "ROK", "MESIAC", "KUSY", "VAHA", "DRUH"};

void Fill(TUxMemoryData& data) {
  for (int i = 0; i < 7; ++i) {
    TUxFieldDef def;
    def.Name = QLatin1String(kFields[i]);
    def.DataType = i < 2 || i == 6 ? TUxFieldType::String : i == 5 ? TUxFieldType::Float : TUxFieldType::Integer;
    def.Size = 20;
    data.AddFieldDef(def);
  }
  data.Open();
  for (int i = 0; i < kRecords; ++i) {
    data.Append();
    data.FieldByNumber(0).SetValue(QStringLiteral("Kraj %1").arg(i % 8));
    data.FieldByNumber(1).SetValue(QStringLiteral("Obec %1").arg(i % 120));
    data.FieldByNumber(2).SetValue(2015 + i % 10);
    data.FieldByNumber(3).SetValue(1 + i % 12);
    data.FieldByNumber(4).SetValue(i % 7);
    data.FieldByNumber(5).SetValue((i % 50) / 10.0);
    data.FieldByNumber(6).SetValue(QStringLiteral("Druh %1").arg(i % 30));
    data.Post();
  }
}

double WalkSeconds(TUxMemoryData& data) {
  QElapsedTimer timer;
  timer.start();
  QList<const TField*> fields;
  for (const char* name : kFields)
    fields.append(&data.FieldByName(QLatin1String(name)));
  qint64 touched = 0;
  for (data.First(); !data.Eof(); data.Next())
    for (const TField* field : fields)
      touched += field->AsVariant().isValid();
  const double seconds = timer.nsecsElapsed() / 1e9;
  if (touched != qint64(kRecords) * 7) std::printf("walk read %lld values\n", touched);
  return seconds;
}

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// One side in this process, "walk" or "cross", the best of five runs (the
// work takes some 10 ms, so one run would be at the mercy of the machine's
// other load): prints "seconds peak-KiB rows columns".
int RunChild(const QString& kind) {
  QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
  TUxMemoryData data;
  Fill(data);
  double best = 1e9;
  int rows = 0, columns = 0;
  for (int run = 0; run < 5; ++run) {
    if (kind == QLatin1String("walk")) {
      best = std::min(best, WalkSeconds(data));
      continue;
    }
    QElapsedTimer timer;
    timer.start();
    TrpCross cross(&data, QStringLiteral("KRAJ+;OBEC;"), QStringLiteral("ROK+;MESIAC;"),
                   QStringLiteral("KUSY+;DRUH+count;VAHA+avg;"));
    cross.Build();
    best = std::min(best, timer.nsecsElapsed() / 1e9);
    rows = cross.Rows.Count();
    columns = cross.Columns.Count();
  }
  std::printf("%.4f %ld %d %d\n", best, PeakKiB(), rows, columns);
  return 0;
}

QStringList Run(const char* kind) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kind)});
  if (!child.waitForFinished(-1) || child.exitCode() != 0) return {};
  const QStringList f = QString::fromLatin1(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
  return f.size() == 4 ? f : QStringList();
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc == 2) return RunChild(QString::fromLatin1(argv[1]));
  const QStringList walk = Run("walk");
  const QStringList cross = Run("cross");
  if (walk.isEmpty() || cross.isEmpty()) return 1;
  const double walkSeconds = walk[0].toDouble(), crossSeconds = cross[0].toDouble();
  const double walkPeak = walk[1].toDouble() / 1024, crossPeak = cross[1].toDouble() / 1024;
  std::printf("%d records; peak memory of each process (the records alone are most of it)\n", kRecords);
  std::printf("%-44s %10s %10s %10s %10s\n", "", "seconds", "ratio", "peak MiB", "x peak");
  std::printf("%-44s %10.3f %10s %10.1f %10s\n", "walk of the data set (7 fields), best of 5", walkSeconds, "1.00",
              walkPeak, "1.00");
  std::printf("%-44s %10.3f %10.2f %10.1f %10.2f\n", "cross-tab (2 x 2 x 3 fields), best of 5", crossSeconds,
              crossSeconds / walkSeconds, crossPeak, crossPeak / walkPeak);
  std::printf("table: %s rows, %s columns; goal: at most 5 times the walk\n", qPrintable(cross[2]),
              qPrintable(cross[3]));
  return 0;
}
