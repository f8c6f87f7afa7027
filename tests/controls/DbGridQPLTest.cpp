#include "controls/DbGridQPL.h"
#include "GridTestDataSet.h"
#include "GridTestMessages.h"
#include "KitTestSupport.h"
#include "controls/DbGridQPLFind.h"
#include "controls/UxPlacemnt.h"
#include "core/Exception.h"
#include "core/ui/Form.h"
#include "platform/base/Registry.h"
#include "tests/support/ModalDriver.h"
#include <QtCore/QTemporaryDir>
#include <QtGui/QClipboard>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDateEdit>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>
#include <gtest/gtest.h>

// A register list form as the register pattern builds it: the grid, its data
// set, and the refresh handler that puts the grid's SQL fragments into the
// query (here: into `sql`, sorting the rows by the active column).
class TfrmCClenov : public TForm {
  Q_OBJECT
public:
  TfrmCClenov() {
    FillMembers(ds);
    gr1 = new TDbGridQPL(this);
    gr1->setObjectName(QStringLiteral("gr1"));
    const struct {
      const char* field;
      const char* orderBy;
      TCollateOption collate;
    } columns[] = {{"JEDIN", "a.jedin", TCollateOption::coNoCollate},
                   {"PRIEZVISKO", " a.priezvisko ", TCollateOption::coPXW_CSY},
                   {"MENO", "a.meno", TCollateOption::coWin1250},
                   {"NARODENY", "a.narodeny", TCollateOption::coNoCollate},
                   {"POZNAMKA", "", TCollateOption::coNoCollate}};
    for (const auto& c : columns) {
      TQPLColumn* column = gr1->AddColumn(QLatin1String(c.field), QLatin1String(c.field), 90);
      column->OrderBy = QLatin1String(c.orderBy);
      column->CollateBy = c.collate;
      column->FindBy = QStringLiteral("stĺpca ") + QLatin1String(c.field);
    }
    gr1->SetActiveTitleIndex(2);
    gr1->Loaded();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gr1);
    connect(gr1, &TDbGridQPL::OnDisplayGrid, this, &TfrmCClenov::gr1DisplayGrid);
    gr1->SetDataSet(&ds);
    resize(700, 320);
  }

  void gr1DisplayGrid() {
    ++displays;
    const QVariant key = ds.Active() ? ds.FieldByName(QStringLiteral("JEDIN")).AsVariant() : QVariant();
    QString filter;
    if (onlyMarked && gr1->CheckedCount() > 0 && !gr1->GetCheckedFilter(QStringLiteral("a."), filter))
      onlyMarked = false;
    QString order;
    if (gr1->ActiveTitleIndex() != 0)
      gr1->GetOrderBy(smer, order);
    else
      order = QStringLiteral("a.jedin") + smer;
    sql = QStringLiteral("select * from clenovia a where 1=1") + filter + QStringLiteral(" order by ") + order;
    const TGridColumn* active = gr1->ActiveColumn();
    ds.sortField = 0;
    for (int i = 0; active && i < ds.defs.size(); ++i)
      if (ds.defs[i].Name == active->FieldName) ds.sortField = i;
    ds.Refresh();
    if (key.isValid()) ds.Locate(QStringLiteral("JEDIN"), key);
  }

  TRowsDataSet ds;
  TDbGridQPL* gr1;
  QString smer = QStringLiteral(" ASC");
  QString sql;
  int displays = 0;
  bool onlyMarked = false;
};

namespace {

QStringList OrderOf(const TDbGridQPL& grid) {
  QStringList order;
  for (int i = 0; i < grid.ColumnCount(); ++i)
    order << grid.Column(i)->FieldName;
  return order;
}

class DbGridQPLTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(config.isValid());
    oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    form = std::make_unique<TfrmCClenov>();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->gr1DisplayGrid();
    form->displays = 0;
    grid()->setFocus();
  }
  void TearDown() override {
    form.reset();
    qputenv("XDG_CONFIG_HOME", oldConfig);
  }

  TDbGridQPL* grid() const { return form->gr1; }
  // Sorts the list by its key column, so that rows follow the keys.
  void SortByKey() {
    grid()->SetActiveTitleIndex(1);
    grid()->DisplayGrid();
    ds().First();
    form->displays = 0;
  }
  TRowsDataSet& ds() const { return form->ds; }
  QStringList ColumnOrder() const { return OrderOf(*grid()); }
  QString ColumnKey() const { return DefaultStoreKey() + QStringLiteral("\\TfrmCClenovgr1"); }
  QString StoredColumn(int position) const {
    const auto value =
        TRegistry::Root().ReadValue(ColumnKey(), QStringLiteral("gr1.Column[%1].FieldName").arg(position));
    return value ? value->Text : QStringLiteral("<none>");
  }

  QTemporaryDir config;
  QByteArray oldConfig;
  std::unique_ptr<TfrmCClenov> form;
};

QStringList Names(std::initializer_list<const char*> names) {
  QStringList list;
  for (const char* name : names)
    list << QLatin1String(name);
  return list;
}

} // namespace

TEST(CheckedFilterCondition, KeysInMarkingOrderUpToTheLimit) {
  QList<int> limit;
  for (int i = 1; i <= kMaxCheckedFilterKeys; ++i)
    limit << i;
  const struct {
    QList<int> keys;
    const char* alias;
    std::optional<QString> expected;
  } cases[] = {
      {{}, "a.", QString()},
      {{12, 7, 30}, "a.", QStringLiteral(" a.jedin in (12,7,30)")},
      {{30, 7, 12}, "", QStringLiteral(" jedin in (30,7,12)")},
      {{-5}, "b.", QStringLiteral(" b.jedin in (-5)")},
      {limit, "a.",
       QStringLiteral(" a.jedin in (") +
           [&] {
             QStringList n;
             for (int k : limit)
               n << QString::number(k);
             return n.join(QLatin1Char(','));
           }() +
           QStringLiteral(")")},
      {limit + QList<int>{1401}, "a.", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckedFilterCondition(c.keys, QLatin1String(c.alias), QStringLiteral("jedin")), c.expected)
        << c.keys.size() << " keys";
}

TEST(OrderByList, ActiveColumnFirstThenTheOthersInColumnOrder) {
  auto column = [](const char* orderBy, TCollateOption collate = TCollateOption::coNoCollate,
                   TOrderSets order = TOrderSets::osASC) {
    auto c = std::make_shared<TQPLColumn>();
    c->OrderBy = QLatin1String(orderBy);
    c->CollateBy = collate;
    c->Order = order;
    return c;
  };
  // The work-duty list: DATUM, CLEN, POPIS, HODINY and SUKROMNE_VOZIDLO (no OrderBy).
  const std::vector<std::shared_ptr<TQPLColumn>> duty = {column("a.datum"), column("b.nazov_uplny"), column("a.popis"),
                                                         column("a.hodiny"), column("")};
  const std::vector<std::shared_ptr<TQPLColumn>> mixed = {
      column(" b.nazov_uplny ", TCollateOption::coPXW_CSY), column("a.mesto", TCollateOption::coWin1250),
      column("sum(a.mnozstvo)", TCollateOption::coNoCollate, TOrderSets::osNone),
      column("2", TCollateOption::coNoCollate, TOrderSets::osDESC)};
  const struct {
    const std::vector<std::shared_ptr<TQPLColumn>>* columns;
    int active;
    const char* direction;
    const char* expected;
  } cases[] = {
      {&duty, 1, " DESC", "b.nazov_uplny  DESC,a.datum  DESC,a.popis  DESC,a.hodiny  DESC"},
      {&duty, 0, "", "a.datum,b.nazov_uplny,a.popis,a.hodiny"},
      {&duty, 4, " ASC", "a.datum  ASC,b.nazov_uplny  ASC,a.popis  ASC,a.hodiny  ASC"},
      {&mixed, 1, " ASC", "a.mesto collate Win1250  ASC,b.nazov_uplny collate PXW_CSY  ASC,2  ASC"},
      {&mixed, 2, "", "b.nazov_uplny collate PXW_CSY,a.mesto collate Win1250,2"},
      {&mixed, -1, " DESC", "b.nazov_uplny collate PXW_CSY  DESC,a.mesto collate Win1250  DESC,2  DESC"},
  };
  for (const auto& c : cases) {
    QList<const TQPLColumn*> columns;
    for (const auto& col : *c.columns)
      columns << col.get();
    EXPECT_EQ(OrderByList(columns, c.active, QLatin1String(c.direction)), QLatin1String(c.expected))
        << "active " << c.active;
  }
}

TEST_F(DbGridQPLTest, MarkingKeysMarkMoveAndClear) {
  SortByKey();
  int fired = 0;
  QObject::connect(grid(), &TDbGridBase::OnCheckRow, [&] { ++fired; });
  const auto excludeBartos = [this] {
    ds().filter = [](const QVariantList& row) { return row[0].toInt() != 13; };
    ds().Refresh();
  };
  const auto toLast = [this] { ds().Last(); };
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::function<void()> before;
    QList<int> marks;
    int recNo;
    int fired;
  } steps[] = {
      {Qt::Key_Insert, Qt::NoModifier, {}, {11}, 2, 1},
      {Qt::Key_Space, Qt::NoModifier, {}, {11, 12}, 3, 1},
      {Qt::Key_Plus, Qt::KeypadModifier, {}, {11, 12, 13, 14, 15, 16, 17}, 3, 5},
      {Qt::Key_Minus, Qt::KeypadModifier, {}, {}, 3, 1},
      {Qt::Key_Space, Qt::NoModifier, {}, {13}, 4, 1},
      // Bartoš (13) filtered away keeps his mark through mark-all and unmark-all.
      {Qt::Key_Plus, Qt::KeypadModifier, excludeBartos, {13, 11, 12, 14, 15, 16, 17}, 1, 6},
      {Qt::Key_Minus, Qt::KeypadModifier, {}, {13}, 1, 1},
      {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, {}, {}, 1, 1},
      // Space on the last row marks it and stays there.
      {Qt::Key_Space, Qt::NoModifier, toLast, {17}, 6, 1},
      // Without Ctrl on the main keyboard nothing is marked.
      {Qt::Key_Plus, Qt::NoModifier, {}, {17}, 6, 0},
  };
  for (const auto& step : steps) {
    if (step.before) step.before();
    fired = 0;
    QTest::keyClick(grid(), step.key, step.modifiers);
    EXPECT_EQ(grid()->CheckedList().Keys(), step.marks) << step.key;
    EXPECT_EQ(ds().RecNo(), step.recNo) << step.key;
    EXPECT_EQ(fired, step.fired) << step.key;
  }
}

TEST_F(DbGridQPLTest, SortColumnKeysChooseAndMoveTheColumnAndRefresh) {
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int active;
    QStringList order;
    int displays;
    const char* orderBy;
  } steps[] = {
      {Qt::Key_Right, Qt::ControlModifier, 3, Names({"JEDIN", "PRIEZVISKO", "MENO", "NARODENY", "POZNAMKA"}), 1,
       "a.meno collate Win1250  ASC,a.jedin  ASC,a.priezvisko collate PXW_CSY  ASC,a.narodeny  ASC"},
      {Qt::Key_Left, Qt::ControlModifier, 2, Names({"JEDIN", "PRIEZVISKO", "MENO", "NARODENY", "POZNAMKA"}), 1,
       "a.priezvisko collate PXW_CSY  ASC,a.jedin  ASC,a.meno collate Win1250  ASC,a.narodeny  ASC"},
      {Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, 3,
       Names({"JEDIN", "MENO", "PRIEZVISKO", "NARODENY", "POZNAMKA"}), 1,
       "a.priezvisko collate PXW_CSY  ASC,a.jedin  ASC,a.meno collate Win1250  ASC,a.narodeny  ASC"},
      {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, 2,
       Names({"JEDIN", "PRIEZVISKO", "MENO", "NARODENY", "POZNAMKA"}), 1,
       "a.priezvisko collate PXW_CSY  ASC,a.jedin  ASC,a.meno collate Win1250  ASC,a.narodeny  ASC"},
      {Qt::Key_Left, Qt::ControlModifier, 1, Names({"JEDIN", "PRIEZVISKO", "MENO", "NARODENY", "POZNAMKA"}), 1,
       "a.jedin  ASC,a.priezvisko collate PXW_CSY  ASC,a.meno collate Win1250  ASC,a.narodeny  ASC"},
      // The first column cannot move further left.
      {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, 1,
       Names({"JEDIN", "PRIEZVISKO", "MENO", "NARODENY", "POZNAMKA"}), 0, nullptr},
      // No active column: the form sorts by its key.
      {Qt::Key_Left, Qt::ControlModifier, 0, Names({"JEDIN", "PRIEZVISKO", "MENO", "NARODENY", "POZNAMKA"}), 1,
       "a.jedin ASC"},
      {Qt::Key_Left, Qt::ControlModifier, 0, Names({"JEDIN", "PRIEZVISKO", "MENO", "NARODENY", "POZNAMKA"}), 0,
       nullptr},
  };
  QString lastSql;
  for (const auto& step : steps) {
    form->displays = 0;
    QTest::keyClick(grid(), step.key, step.modifiers);
    EXPECT_EQ(grid()->ActiveTitleIndex(), step.active) << step.key;
    EXPECT_EQ(ColumnOrder(), step.order) << step.key;
    EXPECT_EQ(form->displays, step.displays) << step.key;
    if (step.orderBy) {
      EXPECT_EQ(form->sql.section(QStringLiteral(" order by "), 1), QLatin1String(step.orderBy)) << step.key;
    }
  }
  // Ctrl+Right from the last column stays there.
  grid()->SetActiveTitleIndex(5);
  QTest::keyClick(grid(), Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(grid()->ActiveTitleIndex(), 5);
}

TEST_F(DbGridQPLTest, CopyKeysPutTabSeparatedRowsOnTheClipboard) {
  SortByKey();
  ds().SetRecNo(4);
  grid()->MoveColumn(3, 0, false);
  QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("11.11.1966\t14\tĎurčo\tĽudovít\t(BLOB)\r\n"));
  QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  const QStringList lines = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 8);
  EXPECT_EQ(lines[0], QStringLiteral("05.01.1970\t11\tAdamec\tJán\t(BLOB)"));
  EXPECT_EQ(lines[6], QStringLiteral("09.09.1959\t17\tKováčová\tAnna\t(BLOB)"));
  EXPECT_EQ(lines[7], QString());
  EXPECT_EQ(ds().RecNo(), 4);

  // An empty list leaves the clipboard alone.
  ds().filter = [](const QVariantList&) { return false; };
  ds().Refresh();
  QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("05.01.1970")));
}

TEST_F(DbGridQPLTest, MoreMarksThanTheLimitAreRefusedAndReleaseOnlyMarked) {
  TRecordedMessages messages;
  ds().rows.clear();
  for (int key = 1; key <= kMaxCheckedFilterKeys + 1; ++key)
    ds().rows << QVariantList{key, QStringLiteral("Člen %1").arg(key), QString(), QVariant(), QVariant()};
  SortByKey();
  grid()->CheckAll();
  form->onlyMarked = true;
  grid()->DisplayGrid();
  EXPECT_FALSE(form->onlyMarked);
  EXPECT_FALSE(form->sql.contains(QStringLiteral(" in (")));
  EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Nie je možné označiť viac ako 1400 záznamov!\r\n"
                                                         "Filtrovanie označených nebolo akceptované.")});
  EXPECT_EQ(grid()->CheckedCount(), kMaxCheckedFilterKeys + 1);

  ds().SetRecNo(1);
  grid()->CheckRow(); // 1400 marks are allowed
  form->onlyMarked = true;
  grid()->DisplayGrid();
  EXPECT_TRUE(form->onlyMarked);
  EXPECT_TRUE(form->sql.contains(QStringLiteral(" a.jedin in (2,3,")));
  EXPECT_EQ(messages.Texts().size(), 1);
}

TEST_F(DbGridQPLTest, ColumnOrderIsSavedRestoredAndErased) {
  grid()->MoveColumn(2, 0); // MENO first
  grid()->SaveColumns();
  const QStringList moved = Names({"MENO", "JEDIN", "PRIEZVISKO", "NARODENY", "POZNAMKA"});
  for (int i = 0; i < moved.size(); ++i)
    EXPECT_EQ(StoredColumn(i), moved[i]);
  EXPECT_EQ(OrderOf(*TfrmCClenov().gr1), moved);

  // An outdated list restores the positions before the first unknown name.
  TRegistry::Root().WriteValue(ColumnKey(), QStringLiteral("gr1.Column[0].FieldName"),
                               TRegValue::String(QStringLiteral("narodeny")));
  TRegistry::Root().WriteValue(ColumnKey(), QStringLiteral("gr1.Column[1].FieldName"),
                               TRegValue::String(QStringLiteral("STARY")));
  EXPECT_EQ(OrderOf(*TfrmCClenov().gr1), Names({"NARODENY", "JEDIN", "PRIEZVISKO", "MENO", "POZNAMKA"}));

  for (int answer : {mrNo, mrYes}) {
    TRecordedMessages messages(answer);
    grid()->EraseColumns();
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_EQ(StoredColumn(0), answer == mrYes ? QString() : QStringLiteral("narodeny"));
  }
  EXPECT_EQ(StoredColumn(4), QString());
  EXPECT_EQ(ColumnOrder(), moved); // the screen keeps its order
  EXPECT_EQ(OrderOf(*TfrmCClenov().gr1), Names({"JEDIN", "PRIEZVISKO", "MENO", "NARODENY", "POZNAMKA"}));
}

TEST_F(DbGridQPLTest, RefreshNeedsTheFormsHandlerAndRestoresTheCursor) {
  {
    TRecordedMessages messages;
    TDbGridQPL lone;
    lone.DisplayGrid();
    lone.SetClickTitleEnabled(false);
    lone.DisplayGrid();
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Missing OnDisplay event code.")});
  }
  QObject::connect(grid(), &TDbGridQPL::OnDisplayGrid, [] { throw Exception(QStringLiteral("chyba")); });
  EXPECT_THROW(grid()->DisplayGrid(), Exception);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DbGridQPLTest, FindRefusesWithoutColumnOrRowsAndHandsExternalColumnsToTheForm) {
  TRecordedMessages messages;
  grid()->SetActiveTitleIndex(5); // POZNAMKA, a blob
  grid()->Find();
  grid()->SetActiveTitleIndex(0);
  grid()->Find();

  // A column found by the form itself: the current row's cell is lime meanwhile.
  QList<bool> limeDuringFind;
  QObject::connect(grid(), &TDbGridQPL::OnFindExternal, [&] { limeDuringFind << grid()->ColorSelectedRow(); });
  grid()->SetActiveTitleIndex(3);
  grid()->QPLColumn(2)->FindExternal = true;
  QTest::keyClick(grid(), Qt::Key_V);
  EXPECT_EQ(limeDuringFind, QList<bool>{true});
  EXPECT_FALSE(grid()->ColorSelectedRow());

  grid()->SetActiveTitleIndex(2);
  ds().filter = [](const QVariantList&) { return false; };
  ds().Refresh();
  grid()->Find();
  grid()->hide();
  grid()->Find();
  EXPECT_EQ(messages.Texts(), (QStringList{QStringLiteral("Unknown type"),
                                           QStringLiteral("Nie je zvolený žiadny stĺpec, nie je možné vyhľadávať."),
                                           QStringLiteral("Nie sú zobrazené žiadne údaje, nie je v čom vyhľadávať."),
                                           QStringLiteral("Grid nie je viditeľný, vyhľadávanie sa neprevedie.")}));
}

TEST_F(DbGridQPLTest, WheelMovesOneRowAndFitColumnsSpreadsTheFreeWidth) {
  SortByKey();
  ds().SetRecNo(3);
  for (const auto& [delta, recNo] : {std::pair{-120, 4}, std::pair{-120, 5}, std::pair{120, 4}}) {
    QWheelEvent wheel(QPointF(50, 50), grid()->viewport()->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid()->viewport(), &wheel);
    EXPECT_EQ(ds().RecNo(), recNo) << delta;
  }

  const int scrollBar = grid()->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid());
  auto widths = [this] {
    int sum = 0;
    for (int i = 0; i < grid()->ColumnCount(); ++i)
      sum += grid()->Column(i)->Width;
    return sum;
  };
  for (int gridWidth : {900, 300}) {
    form->setFixedWidth(gridWidth + 40);
    QApplication::processEvents();
    grid()->FitColumns();
    // The columns fill the grid less the scroll bar and the margins, up to
    // the remainder of the integer division over the five columns.
    const int slack = grid()->width() - scrollBar - 22 - widths();
    EXPECT_LT(std::abs(slack), grid()->ColumnCount()) << gridWidth;
  }
}

TEST_F(DbGridQPLTest, FindAsYouTypeContinuesFromTheCurrentRowAndKeepsItOnFailure) {
  int sounds = 0;
  TfrmDBGridQPLFind::SetOopsSound([&] { ++sounds; });
  int foundRecord = 0;
  QObject::connect(grid(), &TDbGridQPL::OnFoundRecord, [&] { ++foundRecord; });
  QString caption;
  bool limeDuringFind = false;
  // Each step: the text typed (or "\b" for one backspace), the surname of the
  // current row after it, whether e1 is red, and the sounds so far.
  const struct {
    const char* typed;
    const char* surname;
    bool red;
    int sounds;
  } steps[] = {
      {"K", "Kováč", false, 0},    {"ováč", "Kováč", false, 0}, {"i", "Kováčik", false, 0},
      {"x", "Kováčik", true, 1},   {"y", "Kováčik", true, 1},   {"\b", "Kováčik", true, 1},
      {"\b", "Kováčik", false, 1}, {"\b", "Kováčik", false, 1}, {"o", "Kováčová", false, 1},
  };
  WhenModal<TfrmDBGridQPLFind>([&](TfrmDBGridQPLFind* dialog) {
    caption = dialog->Caption();
    limeDuringFind = grid()->ColorSelectedRow();
    for (const auto& step : steps) {
      if (QLatin1String(step.typed) == QLatin1String("\b"))
        QTest::keyClick(dialog->e1, Qt::Key_Backspace);
      else
        TypeText(dialog->e1, QString::fromUtf8(step.typed));
      EXPECT_EQ(ds().FieldByName(QStringLiteral("PRIEZVISKO")).AsString(), QString::fromUtf8(step.surname))
          << dialog->e1->text().toStdString();
      EXPECT_EQ(dialog->e1->palette().color(QPalette::Base) == QColor(Qt::red), step.red) << step.typed;
      EXPECT_EQ(sounds, step.sounds) << step.typed;
    }
    // A text that does not grow the previous one searches from the first row.
    dialog->e1->setText(QStringLiteral("ba"));
    EXPECT_EQ(ds().FieldByName(QStringLiteral("PRIEZVISKO")).AsString(), QStringLiteral("Baláž"));
    QTest::keyClick(dialog->e1, Qt::Key_Return);
  });
  grid()->setFocus();
  QTest::keyClick(grid(), Qt::Key_V);
  EXPECT_EQ(caption, QStringLiteral("Vyhľadávanie podľa stĺpca PRIEZVISKO..."));
  EXPECT_TRUE(limeDuringFind);
  EXPECT_FALSE(grid()->ColorSelectedRow());
  EXPECT_EQ(foundRecord, 1);
  EXPECT_EQ(ds().RecNo(), 2);
  EXPECT_EQ(TfrmDBGridQPLFind::LastSearch(), QStringLiteral("ba"));
  const auto left = TRegistry::Root().ReadValue(TfrmDBGridQPLFind::RegistryKey(), QStringLiteral("Left"));
  ASSERT_TRUE(left.has_value());
  EXPECT_EQ(left->Type, TRegValueType::Dword);
}

TEST_F(DbGridQPLTest, FindByDateAndEscKeepsTheReachedRow) {
  int sounds = 0;
  TfrmDBGridQPLFind::SetOopsSound([&] { ++sounds; });
  int foundRecord = 0;
  QObject::connect(grid(), &TDbGridQPL::OnFoundRecord, [&] { ++foundRecord; });
  const auto surname = [this] { return ds().FieldByName(QStringLiteral("PRIEZVISKO")).AsString(); };
  grid()->SetActiveTitleIndex(4); // NARODENY
  WhenModal<TfrmDBGridQPLFind>([&](TfrmDBGridQPLFind* dialog) {
    EXPECT_EQ(dialog->pc1->currentWidget(), dialog->tsDate);
    dialog->e2->setDate(QDate(1966, 11, 11));
    EXPECT_EQ(surname(), QStringLiteral("Ďurčo"));
    dialog->e2->setDate(QDate(1966, 11, 12));
    EXPECT_EQ(surname(), QStringLiteral("Ďurčo"));
    EXPECT_EQ(sounds, 1);
    QTest::keyClick(dialog->e2, Qt::Key_Return); // nothing found: Enter does nothing
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(dialog->e2, Qt::Key_Escape);
  });
  grid()->Find();
  EXPECT_EQ(foundRecord, 0);
  EXPECT_EQ(surname(), QStringLiteral("Ďurčo"));
}

TEST_F(DbGridQPLTest, PrintsGoToTheInstalledPrinterWithTheChosenOrientation) {
  QList<TGridPrintJob> jobs;
  QMenu* menu = grid()->PopupMenu();
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 13);
  EXPECT_EQ(actions[7]->text(), QStringLiteral("Vytlačenie obsahu gridu"));
  EXPECT_FALSE(actions[7]->isEnabled()); // no report engine yet
  grid()->PrintGrid();
  EXPECT_TRUE(jobs.isEmpty());

  TDbGridQPL::SetGridPrinter([&](const TGridPrintJob& job) { jobs << job; });
  emit menu->aboutToShow();
  EXPECT_TRUE(actions[7]->isEnabled());
  grid()->SetTitle(QStringLiteral("Zoznam členov"));
  actions[10]->trigger(); // landscape
  EXPECT_TRUE(actions[10]->isChecked());
  EXPECT_FALSE(actions[9]->isChecked());
  actions[7]->trigger();
  actions[9]->trigger(); // portrait
  grid()->SetTitle(QStringLiteral("  "));
  actions[8]->trigger();
  ds().filter = [](const QVariantList&) { return false; };
  ds().Refresh();
  grid()->PrintGrid(); // an empty list prints nothing
  TDbGridQPL::SetGridPrinter({});
  ASSERT_EQ(jobs.size(), 2);
  EXPECT_EQ(jobs[0].Grid, grid());
  EXPECT_FALSE(jobs[0].WholeDataSet);
  EXPECT_TRUE(jobs[0].Landscape);
  EXPECT_EQ(jobs[0].Title, QStringLiteral("Zoznam členov"));
  EXPECT_TRUE(jobs[0].AutoWidth);
  EXPECT_EQ(jobs[0].MarginsMm, QMarginsF(20, 10, 10, 16));
  EXPECT_TRUE(jobs[1].WholeDataSet);
  EXPECT_FALSE(jobs[1].AutoWidth);
  EXPECT_FALSE(jobs[1].Landscape);
  EXPECT_EQ(jobs[1].Title, QString());
}

TEST_F(DbGridQPLTest, RowColoursFollowMarksAndModes) {
  QMap<int, TGridCellCanvas> painted; // first column of each row
  QObject::connect(grid(), &TDbGridQPL::OnDrawColumnCell, [&](int row, TQPLColumn* column, TGridCellCanvas& canvas) {
    if (column == grid()->Column(1)) painted[row] = canvas;
  });
  auto paint = [&] {
    painted.clear();
    grid()->viewport()->repaint();
  };
  ds().SetRecNo(1);
  grid()->clearFocus();
  ds().SetRecNo(3);
  grid()->CheckRow();
  paint();
  EXPECT_EQ(painted[1].Brush, TColor(0xE6FFFE)); // record 2: even
  EXPECT_EQ(painted[3].Brush, TColor(0xE6FFFE));
  EXPECT_EQ(painted[4].Brush, TColor(0xFFFBE6)); // record 5: odd
  EXPECT_EQ(painted[2].Brush, clYellow);         // marked

  grid()->SetOznacNaCerveno(true);
  paint();
  EXPECT_EQ(painted[2].Brush, clRed);
  EXPECT_EQ(painted[2].FontColor, clYellow);
  EXPECT_EQ(painted[1].Brush, TColor(0xE6FFFE));
  grid()->SetOznacNaCerveno(false);

  grid()->SetColorSelectedRow(true);
  paint();
  EXPECT_EQ(painted[2].Brush, clLime); // the active column of the current row
  EXPECT_EQ(painted[1].Brush, TColor(0xE6FFFE));
}

#include "DbGridQPLTest.moc"
