#include "controls/DbGridBase.h"
#include "GridTestDataSet.h"
#include "platform/MessageDialogs.h"
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QScrollBar>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class DbGridBaseTest : public ::testing::Test {
protected:
  void SetUp() override {
    FillMembers(ds);
    ds.Open();
    grid.SetKeyField(QStringLiteral("JEDIN"));
    grid.SetCheckEnabled(true);
    grid.SetClickTitleEnabled(true);
    for (const char* field : {"JEDIN", "PRIEZVISKO", "MENO", "NARODENY", "POZNAMKA"})
      grid.AddColumn(QLatin1String(field), QLatin1String(field), 90);
    grid.SetDataSet(&ds);
    grid.resize(700, 300);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
  }

  void MarkRecord(int recNo) {
    ds.SetRecNo(recNo);
    grid.CheckRow();
  }
  QList<int> Marks() const { return grid.CheckedList().Keys(); }
  // Presses the title row at x (viewport coordinates).
  void PressTitle(int x) {
    QHeaderView* header = grid.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
  }
  int TitleBorder(int position) const {
    const QHeaderView* header = grid.horizontalHeader();
    const int logical = header->logicalIndex(position);
    return header->sectionViewportPosition(logical) + header->sectionSize(logical) - 1;
  }

  TRowsDataSet ds;
  TDbGridBase grid;
};

} // namespace

TEST_F(DbGridBaseTest, MarksAreKeysInMarkingOrderThatOutliveRefreshAndFilter) {
  int fired = 0;
  QObject::connect(&grid, &TDbGridBase::OnCheckRow, [&] { ++fired; });
  MarkRecord(5);
  MarkRecord(2);
  MarkRecord(7);
  MarkRecord(7); // a second toggle removes it
  EXPECT_EQ(Marks(), (QList<int>{15, 12}));
  EXPECT_EQ(fired, 4);
  EXPECT_EQ(grid.CheckedKey(0), 15);
  EXPECT_EQ(grid.CheckedKey(5), -1);

  // Filter the marked member 12 away: its mark stays, and the grid shows the new rows.
  ds.filter = [](const QVariantList& row) { return row[0].toInt() != 12; };
  ds.Refresh();
  EXPECT_EQ(grid.model()->rowCount(), 6);
  EXPECT_EQ(grid.model()->index(1, 1).data().toString(), QStringLiteral("Bartoš"));
  EXPECT_EQ(Marks(), (QList<int>{15, 12}));
  ds.Locate(QStringLiteral("JEDIN"), 15);
  EXPECT_TRUE(grid.IsRowChecked());

  grid.UncheckAll();
  EXPECT_EQ(Marks(), QList<int>{12});
  grid.ClearChecked();
  EXPECT_EQ(grid.CheckedCount(), 0);
  EXPECT_EQ(fired, 4);
}

TEST_F(DbGridBaseTest, StringKeysUseTheirOwnListAndChangingTheTypeClearsMarks) {
  MarkRecord(1);
  grid.SetKeyField(QStringLiteral("PRIEZVISKO"));
  grid.SetKeyFieldType(TGridKeyFieldType::sktString);
  EXPECT_EQ(grid.CheckedCount(), 0);
  MarkRecord(4);
  MarkRecord(2);
  EXPECT_EQ(grid.CheckedStringList().Keys(), (QStringList{QStringLiteral("Ďurčo"), QStringLiteral("Baláž")}));
  EXPECT_EQ(grid.CheckedCount(), 2);
  EXPECT_EQ(grid.CheckedKey(0), -1);
  EXPECT_EQ(grid.CheckedKey(1), -1);
  EXPECT_TRUE(grid.IsRowChecked());
}

TEST_F(DbGridBaseTest, MarkingWithoutKeyFieldIsRefusedAndAMissingKeyFieldMarksZero) {
  TScriptedMessageDialogs dialogs({mrOk});
  TDbGridBase other;
  other.SetCheckEnabled(true);
  EXPECT_FALSE(other.CheckEnabled());
  ASSERT_EQ(dialogs.Requests().size(), 1);
  EXPECT_EQ(dialogs.Requests()[0].Text, QStringLiteral("Položka \"KeyField\" musí být definována"));

  grid.SetKeyField(QStringLiteral("NIE_JE"));
  MarkRecord(3);
  EXPECT_EQ(Marks(), QList<int>{0});
}

TEST_F(DbGridBaseTest, TitleClicksChooseTheActiveColumn) {
  QStringList clicks;
  QObject::connect(&grid, &TDbGridBase::OnClickTitle, [&](const QString& field, int index) {
    clicks << field + QLatin1Char(':') + QString::number(index);
  });
  const QHeaderView* header = grid.horizontalHeader();
  PressTitle(header->sectionViewportPosition(1) + 40);
  EXPECT_EQ(grid.ActiveTitleIndex(), 2);
  EXPECT_EQ(grid.ActiveColumn()->FieldName, QStringLiteral("PRIEZVISKO"));
  PressTitle(header->sectionViewportPosition(1) + 45); // the same column again: nothing fires
  QTest::mouseClick(grid.findChild<QAbstractButton*>(), Qt::LeftButton);
  EXPECT_EQ(grid.ActiveTitleIndex(), 0);
  EXPECT_EQ(clicks, (QStringList{QStringLiteral("PRIEZVISKO:1"), QStringLiteral(":-1")}));

  // The form may redirect the click.
  QObject::connect(&grid, &TDbGridBase::OnChangeTitle, [](int& index) { index = 4; });
  PressTitle(header->sectionViewportPosition(0) + 40);
  EXPECT_EQ(grid.ActiveTitleIndex(), 4);

  grid.SetClickTitleEnabled(false);
  PressTitle(header->sectionViewportPosition(1) + 40);
  EXPECT_EQ(grid.ActiveTitleIndex(), 4);
}

TEST_F(DbGridBaseTest, PressesNearAColumnBorderDoNotChooseAColumn) {
  // 1-pixel grid lines: the zone runs from 3 pixels left to 4 pixels right of the border.
  const struct {
    int offset;
    int expected;
  } cases[] = {{-4, 1}, {-3, 3}, {0, 3}, {4, 3}, {5, 2}};
  for (const auto& c : cases) {
    grid.SetActiveTitleIndex(3);
    PressTitle(TitleBorder(0) + c.offset);
    EXPECT_EQ(grid.ActiveTitleIndex(), c.expected) << "offset " << c.offset;
  }
}

TEST_F(DbGridBaseTest, ActiveTitleFollowsOnlyTheMovedActiveColumn) {
  grid.SetActiveTitleIndex(2); // PRIEZVISKO
  grid.MoveColumn(0, 2);       // JEDIN crosses it: the index stays, MENO becomes active
  EXPECT_EQ(grid.ActiveTitleIndex(), 2);
  EXPECT_EQ(grid.ActiveColumn()->FieldName, QStringLiteral("MENO"));
  grid.MoveColumn(1, 3);
  EXPECT_EQ(grid.ActiveTitleIndex(), 4);
  EXPECT_EQ(grid.ActiveColumn()->FieldName, QStringLiteral("MENO"));

  // A refresh of the data set keeps the order on the screen.
  ds.Refresh();
  QStringList order;
  for (int i = 0; i < grid.ColumnCount(); ++i)
    order << grid.Column(i)->FieldName;
  EXPECT_EQ(order, (QStringList{QStringLiteral("PRIEZVISKO"), QStringLiteral("JEDIN"), QStringLiteral("NARODENY"),
                                QStringLiteral("MENO"), QStringLiteral("POZNAMKA")}));
}

TEST_F(DbGridBaseTest, LockedColumnsApplyOnlyWithAScrollableColumnLeftAndStayInPlace) {
  grid.SetLockedCols(4); // the data column count minus one
  EXPECT_EQ(grid.AppliedLockedCols(), 0);
  grid.SetLockedCols(2);
  EXPECT_EQ(grid.AppliedLockedCols(), 2);
  EXPECT_EQ(grid.Column(1)->Color, grid.LockedColor());
  EXPECT_EQ(grid.Column(2)->Color, grid.Color());

  // The locked columns keep their place while the others scroll.
  auto* locked = grid.findChild<QTableView*>(QStringLiteral("lockedColumns"));
  ASSERT_NE(locked, nullptr);
  auto shown = [locked] {
    QStringList fields;
    const QHeaderView* titles = locked->horizontalHeader();
    for (int position = 0; position < titles->count(); ++position)
      if (!titles->isSectionHidden(titles->logicalIndex(position)))
        fields << locked->model()->headerData(titles->logicalIndex(position), Qt::Horizontal).toString();
    return fields;
  };
  EXPECT_TRUE(locked->isVisible());
  EXPECT_EQ(shown(), (QStringList{QStringLiteral("JEDIN"), QStringLiteral("PRIEZVISKO")}));
  grid.resize(300, 300);
  QApplication::processEvents();
  const int left = locked->x();
  ASSERT_GT(grid.horizontalScrollBar()->maximum(), 0);
  grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
  QApplication::processEvents();
  EXPECT_GT(grid.horizontalHeader()->offset(), 0);
  EXPECT_EQ(locked->x(), left);
  EXPECT_EQ(locked->width(), 180);

  grid.MoveColumn(3, 0); // NARODENY into the locked part
  EXPECT_EQ(shown(), (QStringList{QStringLiteral("NARODENY"), QStringLiteral("JEDIN")}));
  EXPECT_EQ(grid.Column(2)->Color, grid.Color());
  grid.SetLockedCols(0);
  EXPECT_EQ(grid.Column(1)->Color, grid.Color());
  EXPECT_FALSE(locked->isVisible());
}

TEST_F(DbGridBaseTest, IndicatorClickMakesTheRowCurrentAndMarksIt) {
  QHeaderView* indicator = grid.verticalHeader();
  const int y = indicator->sectionViewportPosition(3) + indicator->sectionSize(3) / 2;
  QTest::mouseClick(indicator->viewport(), Qt::LeftButton, {}, QPoint(4, y));
  EXPECT_EQ(ds.RecNo(), 4);
  EXPECT_EQ(Marks(), QList<int>{14});
  QTest::mouseClick(indicator->viewport(), Qt::LeftButton, {}, QPoint(4, y));
  EXPECT_TRUE(Marks().isEmpty());
}

TEST_F(DbGridBaseTest, ViewAndDataSetFollowEachOther) {
  ds.SetRecNo(5);
  EXPECT_EQ(grid.currentIndex().row(), 4);
  grid.setFocus();
  QTest::keyClick(&grid, Qt::Key_Down);
  EXPECT_EQ(ds.RecNo(), 6);
  EXPECT_EQ(grid.model()->index(5, 1).data().toString(), QStringLiteral("Kováčik"));
  EXPECT_EQ(grid.model()->index(5, 3).data().toString(), QStringLiteral("14.02.2001"));
  EXPECT_EQ(grid.model()->index(5, 4).data().toString(), QStringLiteral("(BLOB)"));
  ds.Close();
  EXPECT_EQ(grid.model()->rowCount(), 0);
}

TEST_F(DbGridBaseTest, KeysFireTheGridEvents) {
  QStringList log;
  QObject::connect(&grid, &TDbGridBase::OnClickEnter, [&] { log << QStringLiteral("enter"); });
  QObject::connect(&grid, &TDbGridBase::OnClickEsc, [&] { log << QStringLiteral("esc"); });
  QObject::connect(&grid, &TDbGridBase::OnClickIns, [&] { log << QStringLiteral("ins"); });
  QObject::connect(&grid, &TDbGridBase::OnClickDel, [&] { log << QStringLiteral("del"); });
  QObject::connect(&grid, &TDbGridBase::OnClickSpace, [&](const QString& field) { log << field; });
  grid.setCurrentIndex(grid.model()->index(2, 1));
  const struct {
    Qt::Key key;
    const char* event;
  } cases[] = {{Qt::Key_Return, "enter"}, {Qt::Key_Escape, "esc"},       {Qt::Key_Insert, "ins"},
               {Qt::Key_Delete, "del"},   {Qt::Key_Space, "PRIEZVISKO"}, {Qt::Key_F5, nullptr}};
  for (const auto& c : cases) {
    log.clear();
    QTest::keyClick(&grid, c.key);
    EXPECT_EQ(log, c.event ? QStringList{QLatin1String(c.event)} : QStringList()) << c.key;
  }
  // With Enter as Tab, Enter moves to the next column instead.
  grid.SetEnterIsTab(true);
  log.clear();
  QTest::keyClick(&grid, Qt::Key_Return);
  EXPECT_TRUE(log.isEmpty());
  EXPECT_EQ(grid.currentIndex().column(), 2);
}

namespace {
// The first and last column of dark (text) pixels inside `rect` of `image`.
std::pair<int, int> InkSpan(const QImage& image, const QRect& rect) {
  int first = -1, last = -1;
  for (int x = rect.left(); x <= rect.right(); ++x)
    for (int y = rect.top(); y <= rect.bottom(); ++y)
      if (qGray(image.pixel(x, y)) < 100) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}
} // namespace

TEST(DbGridColumns, TitlesAndCellsAlignAsTheColumnSaysAndNumbersFollowItsFormat) {
  TRowsDataSet ds;
  ds.defs = {{QStringLiteral("JEDIN"), TFieldType::Integer},
             {QStringLiteral("HODINY"), TFieldType::Float},
             {QStringLiteral("SUMA"), TFieldType::Float}};
  ds.rows = {{1, 2.5, 1234.26}, {2, 10.0, 0.5}, {3, QVariant(), 7.0}};
  ds.Open();
  TDbGridBase grid;
  grid.AddColumn(QStringLiteral("JEDIN"), QStringLiteral("Kľúč"), 160);
  TGridColumn* hodiny = grid.AddColumn(QStringLiteral("HODINY"), QStringLiteral("Hodín"), 160);
  hodiny->TitleAlignment = Qt::AlignHCenter;
  hodiny->Alignment = Qt::AlignHCenter;
  hodiny->DisplayFormat = QStringLiteral("0.0");
  grid.AddColumn(QStringLiteral("SUMA"), QStringLiteral("Suma"), 160)->DisplayFormat = QStringLiteral("#,##0.00");
  grid.SetDataSet(&ds);
  grid.resize(600, 200);
  grid.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));

  const auto text = [&](int row, int column) { return grid.model()->index(row, column).data().toString(); };
  const QString group = QLocale().groupSeparator();
  EXPECT_EQ(text(0, 1), QStringLiteral("2,5"));
  EXPECT_EQ(text(1, 1), QStringLiteral("10,0"));
  EXPECT_EQ(text(2, 1), QString()); // no value, no zero
  EXPECT_EQ(text(0, 2), QStringLiteral("1") + group + QStringLiteral("234,26"));
  EXPECT_EQ(text(1, 2), QStringLiteral("0,50"));
  EXPECT_EQ(text(0, 0), QStringLiteral("1")); // no format: as it is

  // Titles: the first at the left edge, the centred one about the middle.
  QHeaderView* header = grid.horizontalHeader();
  const QImage titles = header->grab().toImage();
  const auto titleSpan = [&](int logical) {
    const int x = header->sectionViewportPosition(logical);
    return InkSpan(titles, QRect(x + 1, 2, header->sectionSize(logical) - 3, header->height() - 4));
  };
  const int leftFirst = titleSpan(0).first;
  EXPECT_LT(leftFirst - header->sectionViewportPosition(0), 8);
  const auto [midFirst, midLast] = titleSpan(1);
  const int middle = header->sectionViewportPosition(1) + header->sectionSize(1) / 2;
  EXPECT_LE(std::abs((midFirst + midLast) / 2 - middle), 3) << midFirst << " " << midLast;

  // Cells: numbers to the right by default, the centred column in the middle.
  grid.clearSelection();
  grid.setCurrentIndex({});
  const QImage cells = grid.viewport()->grab().toImage();
  const QRect keyCell = grid.visualRect(grid.model()->index(1, 0));
  const int keyFirst = InkSpan(cells, keyCell.adjusted(1, 1, -1, -1)).first;
  EXPECT_GT(keyFirst, keyCell.center().x());
  const QRect hoursCell = grid.visualRect(grid.model()->index(1, 1));
  const auto [hoursFirst, hoursLast] = InkSpan(cells, hoursCell.adjusted(1, 1, -1, -1));
  EXPECT_LE(std::abs((hoursFirst + hoursLast) / 2 - hoursCell.center().x()), 3) << hoursFirst << " " << hoursLast;
}

TEST(DbGridColumns, DisplayFormatsGiveTheirDecimalsAndGrouping) {
  const QString group = QLocale().groupSeparator();
  const struct {
    const char* format;
    double value;
    QString expected;
  } cases[] = {
      {"0", 2.6, QStringLiteral("3")},
      {"0.0", -0.26, QStringLiteral("-0,3")},
      {"0.000", 12345.6, QStringLiteral("12345,600")},
      {"#,##0", 1234567.0, QStringLiteral("1") + group + QStringLiteral("234") + group + QStringLiteral("567")},
      {"#,##0.00", 999.999, QStringLiteral("1") + group + QStringLiteral("000,00")}};
  for (const auto& c : cases)
    EXPECT_EQ(FormatColumnNumber(QLatin1String(c.format), c.value), c.expected) << c.format << " " << c.value;
}

TEST(DbGridBaseWidths, TitlesAndDatesFitTheirColumnsAndTheUsersWidthStays) {
  TRowsDataSet ds;
  FillMembers(ds);
  TDbGridBase grid;
  TGridColumn* surname = grid.AddColumn(QStringLiteral("PRIEZVISKO"), QStringLiteral("Priezvisko a meno"), 20);
  TGridColumn* born = grid.AddColumn(QStringLiteral("NARODENY"), QStringLiteral("Dát."), 20);
  QHeaderView* header = grid.horizontalHeader();
  const QFontMetrics titles(grid.TitleFont());
  EXPECT_GT(header->sectionSize(0), titles.horizontalAdvance(surname->Title)) << "the title in full";
  // The date's width is known once the data set shows its field types.
  ds.Open();
  grid.SetDataSet(&ds);
  const int dateWidth = QFontMetrics(born->Font).horizontalAdvance(QStringLiteral("28.12.2000"));
  EXPECT_GT(header->sectionSize(1), dateWidth);
  EXPECT_EQ(born->Width, header->sectionSize(1));
  // A width the user chooses survives the next refresh.
  header->resizeSection(1, 40);
  ds.Refresh();
  EXPECT_EQ(header->sectionSize(1), 40);
}
