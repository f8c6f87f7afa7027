// The cross-tab table of 50,000 records (two row fields, two column fields,
// three cell fields, subtotals on the outer fields and a sum, a count and an
// average in the cells) beside one bare walk of the same data set reading
// the same seven fields, in the same run. The goal is at most five times the walk.
#include "reports/objects/rpCross.h"
#include "util/UxMemDS.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QLocale>
#include <cstdio>

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
  for (const char* name : kFields) fields.append(&data.FieldByName(QLatin1String(name)));
  qint64 touched = 0;
  for (data.First(); !data.Eof(); data.Next())
    for (const TField* field : fields) touched += field->AsVariant().isValid();
  const double seconds = timer.nsecsElapsed() / 1e9;
  if (touched != qint64(kRecords) * 7) std::printf("walk read %lld values\n", touched);
  return seconds;
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
  TUxMemoryData data;
  Fill(data);
  const double walk = WalkSeconds(data);
  QElapsedTimer timer;
  timer.start();
  TrpCross cross(&data, QStringLiteral("KRAJ+;OBEC;"), QStringLiteral("ROK+;MESIAC;"),
                 QStringLiteral("KUSY+;DRUH+count;VAHA+avg;"));
  cross.Build();
  const double build = timer.nsecsElapsed() / 1e9;
  std::printf("%-40s %10s %10s\n", "", "seconds", "ratio");
  std::printf("%-40s %10.3f %10s\n", "walk of the data set (7 fields)", walk, "1.00");
  std::printf("%-40s %10.3f %10.2f\n", "cross-tab table (2 x 2 x 3 fields)", build, build / walk);
  std::printf("table: %d rows, %d columns; goal: at most 5 times the walk\n", cross.Rows.Count(), cross.Columns.Count());
  return 0;
}
