// The list grid over 20,000 rows: opening, sorting by another column and
// scrolling to the end, each beside the data set's own fetch of the same rows
// (open and read every field of every row), measured in the same run.
#include "controls/DbGridQPL.h"
#include "core/DataSet.h"
#include <QtCore/QElapsedTimer>
#include <QtWidgets/QApplication>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRows = 20000;

// Members with a key, a surname, a town and a date, sorted on open by the
// column the grid's refresh handler asks for.
class TMembersDataSet : public TDataSet {
public:
  int sortField = 0;

protected:
  void DoOpen(QList<TFieldDef>& defs) override {
    defs = {{QStringLiteral("JEDIN"), TFieldType::Integer},
            {QStringLiteral("PRIEZVISKO"), TFieldType::String, 30},
            {QStringLiteral("OBEC"), TFieldType::String, 30},
            {QStringLiteral("NARODENY"), TFieldType::Date}};
    rows_.clear();
    rows_.reserve(kRows);
    for (int i = 0; i < kRows; ++i)
      rows_.push_back({i + 1, QStringLiteral("Priezvisko %1").arg((i * 7919) % kRows, 5, 10, QLatin1Char('0')),
                       QStringLiteral("Obec %1").arg((i * 104729) % 977), QDate(1950, 1, 1).addDays((i * 31) % 20000)});
    const int field = sortField;
    std::stable_sort(rows_.begin(), rows_.end(), [field](const QVariantList& a, const QVariantList& b) {
      return QVariant::compare(a[field], b[field]) == QPartialOrdering::Less;
    });
  }
  void DoClose() override { rows_.clear(); }
  int DoRecordCount() const override { return int(rows_.size()); }
  QVariant DoValue(int row, int field) const override { return rows_[row][field]; }

private:
  std::vector<QVariantList> rows_;
};

// Opens the data set and reads every field of every row through its fields.
double FetchMs(TMembersDataSet& ds) {
  QElapsedTimer timer;
  timer.start();
  ds.Close();
  ds.Open();
  qsizetype characters = 0;
  for (ds.First(); !ds.Eof(); ds.Next()) {
    for (const auto& field : ds.Fields())
      characters += field->AsString().size();
    if (ds.RecNo() == ds.RecordCount()) break;
  }
  if (characters == 0) std::puts("no data");
  return timer.nsecsElapsed() / 1e6;
}

template <class Step> double TimeMs(Step step) {
  QElapsedTimer timer;
  timer.start();
  step();
  QApplication::processEvents();
  return timer.nsecsElapsed() / 1e6;
}

void Report(const char* what, double gridMs, double fetchMs) {
  std::printf("%-34s grid %9.2f ms   data set fetch %9.2f ms   ratio %6.2f\n", what, gridMs, fetchMs,
              fetchMs > 0 ? gridMs / fetchMs : 0.0);
}

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  TMembersDataSet ds;
  TDbGridQPL grid;
  grid.setObjectName(QStringLiteral("gr1"));
  for (const char* field : {"JEDIN", "PRIEZVISKO", "OBEC", "NARODENY"})
    grid.AddColumn(QLatin1String(field), QLatin1String(field), 120)->OrderBy = QLatin1String(field);
  grid.SetActiveTitleIndex(1);
  QObject::connect(&grid, &TDbGridQPL::OnDisplayGrid, [&] {
    const TGridColumn* active = grid.ActiveColumn();
    ds.sortField = active ? grid.PositionOf(active) : 0;
    ds.Close();
    ds.Open();
  });
  grid.resize(800, 600);
  grid.show();
  QApplication::processEvents();

  std::printf("List grid over %d rows (offscreen, painted after each step)\n", kRows);
  // The baseline reads its own copy, which no grid shows.
  TMembersDataSet plain;
  const double fetch = FetchMs(plain);
  Report("open and show", TimeMs([&] {
           grid.SetDataSet(&ds);
           grid.DisplayGrid();
           grid.repaint();
         }),
         fetch);
  plain.sortField = 2;
  const double sortedFetch = FetchMs(plain);
  Report("sort by another column", TimeMs([&] {
           grid.ChangeActiveTitle(3); // OBEC
           grid.repaint();
         }),
         sortedFetch);
  Report("scroll to the end", TimeMs([&] {
           ds.Last();
           grid.repaint();
         }),
         fetch);
  return 0;
}
