// The list grid over 20,000 members beside a QTableView over a table model
// holding the same rows, doing the same three steps: open and show, sort by
// another column (both re-run the "query": the rows made again in the new
// order, as an ORDER BY would give them) and scroll to the last row, each
// step painted before its clock stops; best of five rounds. Each side runs
// in a process of its own so that each peak memory is its own.
#include "bench/support/BenchSides.h"
#include "controls/DbGridQPL.h"
#include "core/DataSet.h"
#include <QtCore/QAbstractTableModel>
#include <QtCore/QElapsedTimer>
#include <QtCore/QProcess>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QTableView>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRows = 20000;
const char* const kFields[] = {"JEDIN", "PRIEZVISKO", "OBEC", "NARODENY"};
constexpr int kOtherColumn = 2; // OBEC

// The members (key, surname, town, date of birth) ordered by `sortField`.
std::vector<QVariantList> MakeRows(int sortField) {
  std::vector<QVariantList> rows;
  rows.reserve(kRows);
  for (int i = 0; i < kRows; ++i)
    rows.push_back({i + 1, QStringLiteral("Priezvisko %1").arg((i * 7919) % kRows, 5, 10, QLatin1Char('0')),
                    QStringLiteral("Obec %1").arg((i * 104729) % 977), QDate(1950, 1, 1).addDays((i * 31) % 20000)});
  std::stable_sort(rows.begin(), rows.end(), [sortField](const QVariantList& a, const QVariantList& b) {
    return QVariant::compare(a[sortField], b[sortField]) == QPartialOrdering::Less;
  });
  return rows;
}

// The grid's data set: the rows made on open, in the order the grid's refresh handler asks for.
class TMembersDataSet : public TDataSet {
public:
  int sortField = 0;

protected:
  void DoOpen(QList<TFieldDef>& defs) override {
    defs = {{QLatin1String(kFields[0]), TFieldType::Integer},
            {QLatin1String(kFields[1]), TFieldType::String, 30},
            {QLatin1String(kFields[2]), TFieldType::String, 30},
            {QLatin1String(kFields[3]), TFieldType::Date}};
    rows_ = MakeRows(sortField);
  }
  void DoClose() override { rows_.clear(); }
  int DoRecordCount() const override { return int(rows_.size()); }
  QVariant DoValue(int row, int field) const override { return rows_[row][field]; }

private:
  std::vector<QVariantList> rows_;
};

// The baseline's model over the same rows; sorting makes them again in the new order.
class TMembersModel : public QAbstractTableModel {
public:
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(rows_.size()); }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 4; }
  QVariant data(const QModelIndex& index, int role) const override {
    return role == Qt::DisplayRole ? rows_[index.row()][index.column()] : QVariant();
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return QLatin1String(kFields[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  void sort(int column, Qt::SortOrder) override {
    beginResetModel();
    rows_ = MakeRows(column);
    endResetModel();
  }
  void Open() { sort(1, Qt::AscendingOrder); }

private:
  std::vector<QVariantList> rows_;
};

template <class Step> double TimeMs(Step step) {
  QElapsedTimer timer;
  timer.start();
  step();
  QApplication::processEvents();
  return timer.nsecsElapsed() / 1e6;
}

// The three steps of one side on new widgets: their times, and whether the last row was reached.
bool RunGrid(double ms[3]) {
  TMembersDataSet ds;
  TDbGridQPL grid;
  grid.setObjectName(QStringLiteral("gr1"));
  for (const char* field : kFields)
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
  ms[0] = TimeMs([&] {
    grid.SetDataSet(&ds);
    grid.DisplayGrid();
    grid.repaint();
  });
  ms[1] = TimeMs([&] {
    grid.ChangeActiveTitle(kOtherColumn + 1);
    grid.repaint();
  });
  ms[2] = TimeMs([&] {
    ds.Last();
    grid.repaint();
  });
  return ds.RecNo() == kRows;
}

bool RunTableView(double ms[3]) {
  TMembersModel model;
  QTableView view;
  for (int c = 0; c < 4; ++c)
    view.setColumnWidth(c, 120);
  view.resize(800, 600);
  view.show();
  QApplication::processEvents();
  ms[0] = TimeMs([&] {
    model.Open();
    view.setModel(&model);
    view.setCurrentIndex(model.index(0, 0));
    view.repaint();
  });
  ms[1] = TimeMs([&] {
    view.sortByColumn(kOtherColumn, Qt::AscendingOrder);
    view.setCurrentIndex(model.index(0, 0));
    view.repaint();
  });
  ms[2] = TimeMs([&] {
    const QModelIndex last = model.index(model.rowCount({}) - 1, 0);
    view.setCurrentIndex(last);
    view.scrollTo(last);
    view.repaint();
  });
  return view.currentIndex().row() == kRows - 1;
}

// One side in this process, the best of five rounds of each step (a step
// takes milliseconds, so one round would be at the mercy of the machine's
// other load): prints "open sort scroll peak-KiB".
int RunChild(bool grid) {
  double best[3] = {1e9, 1e9, 1e9};
  for (int round = 0; round < 5; ++round) {
    double ms[3];
    if (!(grid ? RunGrid(ms) : RunTableView(ms))) return 1;
    for (int i = 0; i < 3; ++i)
      best[i] = std::min(best[i], ms[i]);
  }
  std::printf("%.3f %.3f %.3f %ld\n", best[0], best[1], best[2], OwnPeakKiB());
  return 0;
}

struct TResult {
  double Ms[3] = {-1, -1, -1};
  long PeakKiB = 0;
};

TResult Run(const char* kind) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kind)});
  TResult r;
  if (!child.waitForFinished(-1) || child.exitCode() != 0) return r;
  const QStringList f = QString::fromLatin1(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
  if (f.size() != 4) return r;
  for (int i = 0; i < 3; ++i)
    r.Ms[i] = f[i].toDouble();
  r.PeakKiB = f[3].toLong();
  return r;
}

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc == 2) return RunChild(QLatin1String(argv[1]) == QLatin1String("grid"));

  const TResult table = Run("table");
  const TResult grid = Run("grid");
  std::printf("%d members, 800 x 600 (offscreen), painted after each step, best of 5; peak memory of each process\n",
              kRows);
  std::printf("%-24s %12s %14s %8s %10s %10s %8s\n", "step", "grid ms", "QTableView ms", "ratio", "grid MiB",
              "view MiB", "x peak");
  const char* const steps[] = {"open and show", "sort by another column", "scroll to the end"};
  for (int i = 0; i < 3; ++i)
    std::printf("%-24s %12.2f %14.2f %8.2f %10.1f %10.1f %8.2f\n", steps[i], grid.Ms[i], table.Ms[i],
                grid.Ms[i] / table.Ms[i], grid.PeakKiB / 1024.0, table.PeakKiB / 1024.0,
                double(grid.PeakKiB) / double(table.PeakKiB));
  return grid.Ms[0] < 0 || table.Ms[0] < 0 ? 1 : 0;
}
