#include "reports/objects/rpCross.h"
#include "tests/support/QStringPrinter.h"
#include "util/UxMemDS.h"
#include <QtCore/QDate>
#include <gtest/gtest.h>
#include <memory>

namespace {

#define S(text) QStringLiteral(text)

// An in-memory data set of the named fields ("NAME:s" text, ":i" integer, ":f" real, ":d" date) and rows.
std::unique_ptr<TUxMemoryData> Records(const QStringList& fields, const QList<QVariantList>& rows) {
  auto data = std::make_unique<TUxMemoryData>();
  for (const QString& spec : fields) {
    TUxFieldDef def;
    def.Name = spec.section(QLatin1Char(':'), 0, 0);
    const QString type = spec.section(QLatin1Char(':'), 1);
    def.DataType = type == QLatin1String("i")   ? TUxFieldType::Integer
                   : type == QLatin1String("f") ? TUxFieldType::Float
                   : type == QLatin1String("d") ? TUxFieldType::Date
                                                : TUxFieldType::String;
    def.Size = def.DataType == TUxFieldType::String ? 20 : 0;
    data->AddFieldDef(def);
  }
  data->Open();
  for (const QVariantList& row : rows) {
    data->Append();
    for (int i = 0; i < row.size(); ++i)
      data->FieldByNumber(i).SetValue(row[i]);
    data->Post();
  }
  return data;
}

QString CellText(const QVariant& value) {
  if (value.isNull()) return QString();
  if (value.typeId() == QMetaType::Double) return QString::number(value.toDouble());
  return value.toString();
}

// The table row by row, each cell as "slot 0/slot -1" ("-" for no cell), cells apart by "|".
QStringList Dump(const TrpCross& cross) {
  QStringList rows;
  for (int r = 0; r < cross.Rows.Count(); ++r) {
    QStringList cells;
    for (int c = 0; c < cross.Columns.Count(); ++c) {
      if (!cross.CellAt(r, c)) {
        cells.append(S("-"));
        continue;
      }
      // Header cells show their text, data cells every slot.
      const bool header = r <= cross.ColumnHeaderCount || c < cross.RowHeaderCount;
      QString cell;
      for (int slot = 0; slot < (header ? 1 : cross.CellCount); ++slot)
        cell += (slot ? S(",") : QString()) + CellText(cross.GetCellByIndex(r, c, slot));
      const QVariant bits = cross.GetCellByIndex(r, c, -1);
      if (!bits.isNull()) cell += QLatin1Char('/') + bits.toString();
      cells.append(cell);
    }
    rows.append(cells.join(QLatin1Char('|')));
  }
  return rows;
}

QStringList Keys(const TrpKeyList& list) {
  QStringList keys;
  for (int i = 0; i < list.Count(); ++i) {
    QString key = list.Key(i);
    if (key.size() == 1 && key[0].unicode() < 32) key = QStringLiteral("#%1").arg(key[0].unicode());
    keys.append(key);
  }
  return keys;
}

TEST(CrossKeys, OrderIsThatTheBuildReliesOn) {
  const struct {
    QString before, after;
  } ordered[] = {
      {QString(QChar(0)), QString(QChar(1))}, // header keys by code
      {QString(QChar(2)), S(" ")},            // before every data key
      {S(" 5,000000"), S("10,000000")},       // blanks before digits: padded numbers by value
      {S("2003;01"), S("2003+;+")},           // ";" before "+": a total after its group
      {S("2003+;+"), S("2003+;++")},          // a key right before its extensions
      {S("2003;99"), S("2003+;+")},
      {S("a"), S("á")},
      {S("á"), S("ä")},
      {S("ä"), S("b")},
      {S("c"), S("č")},
      {S("č"), S("d")},
      {S("h"), S("i")},
      {S("l"), S("ľ")},
      {S("o"), S("ô")},
      {S("ô"), S("p")},
      {S("s"), S("š")},
      {S("š"), S("t")},
      {S("z"), S("ž")},
      {S("Žilina"), S("ω")},
      {S("Abel+;+"), S("Ábel;x")}, // groups differing only in an accent never interleave
      {S("9"), S("a")},
      {S("-"), S("0")},
  };
  for (const auto& c : ordered) {
    EXPECT_LT(rpCompareKeys(c.before, c.after), 0) << c.before.toStdString() << " < " << c.after.toStdString();
    EXPECT_GT(rpCompareKeys(c.after, c.before), 0) << c.after.toStdString() << " > " << c.before.toStdString();
  }
  EXPECT_EQ(rpCompareKeys(S("Nitra;Čaká"), S("NITRA;čaká")), 0);
  EXPECT_NE(rpCompareKeys(S("a"), S("á")), 0);

  TrpKeyList list;
  for (const char* key : {"Nitra", "Bojnice", "NITRA", "nitra+;+"})
    list.Add(QString::fromUtf8(key), list.Count());
  EXPECT_EQ(Keys(list), (QStringList{S("Bojnice"), S("Nitra"), S("nitra+;+")}));
  EXPECT_EQ(list.Number(1), 0) << "spelled and numbered as first added";
  EXPECT_EQ(list.IndexOf(S("BOJNICE")), 0);
  EXPECT_EQ(list.IndexOf(S("Prievidza")), -1);
}

TEST(CrossFields, FieldEntriesGiveNameSubtotalsAndFunction) {
  const QList<TrpCrossField> fields = rpCrossFields(S("Rok+;Mesiac;Suma+AVG;Pocet+;;"));
  ASSERT_EQ(fields.size(), 5);
  EXPECT_EQ(fields[0].Name, S("Rok"));
  EXPECT_TRUE(fields[0].HasFunction);
  EXPECT_FALSE(fields[1].HasFunction);
  EXPECT_EQ(fields[1].Function, QString());
  EXPECT_EQ(fields[2].Function, S("avg"));
  EXPECT_EQ(fields[3].Function, S("sum"));
  EXPECT_EQ(fields[4].Name, QString()) << "two \";\" in a row give an empty field";
  TrpCross cross(nullptr, S("A+;B+;"), S("C+"), S("D"));
  EXPECT_FALSE(cross.RowFields.last().HasFunction) << "the innermost field never gets subtotals";
  EXPECT_TRUE(cross.RowFields.first().HasFunction);
  EXPECT_FALSE(cross.ColumnFields.first().HasFunction);
}

// Region by year (with subtotals) and month, amounts summed.
class CrossExample : public ::testing::Test {
protected:
  CrossExample()
      : data(Records({S("REGION"), S("YEAR"), S("MONTH"), S("AMOUNT:i")}, {{S("Sever"), S("2003"), S("01"), 10},
                                                                           {S("Sever"), S("2003"), S("02"), 20},
                                                                           {S("Sever"), S("2004"), S("01"), 5},
                                                                           {S("Juh"), S("2003"), S("01"), 1},
                                                                           {S("Juh"), S("2004"), S("01"), 2},
                                                                           {S("juh"), S("2004"), S("01"), 3}})),
        cross(data.get(), S("REGION"), S("YEAR+;MONTH;"), S("AMOUNT+")) {
    cross.ColumnFieldsCaption = S("Mesiace");
    cross.ColumnTotalCaption = S("Spolu");
    cross.GrandColumnTotalCaption = S("Celkom");
    cross.RowTotalCaption = S("Súčet");
    cross.GrandRowTotalCaption = S("Všetko");
  }
  std::unique_ptr<TUxMemoryData> data;
  TrpCross cross;
};

TEST_F(CrossExample, SumsTotalsAndHeadersOfTheWorkedExample) {
  cross.Build();
  EXPECT_EQ(Keys(cross.Columns), (QStringList{S("#0"), S("2003;01"), S("2003;02"), S("2003+;+"), S("2004;01"),
                                              S("2004+;+"), S("2004+;++")}));
  EXPECT_EQ(Keys(cross.Rows), (QStringList{S("#0"), S("#1"), S("#2"), S("Juh"), S("Sever"), S("Sever+")}));
  EXPECT_EQ(cross.ColumnHeaderCount, 2);
  EXPECT_EQ(cross.RowHeaderCount, 1);
  EXPECT_EQ(Dump(cross), (QStringList{
                             S("/0|Mesiace/14|/10|/10|/10|/10|/9"),
                             S("/0|2003/13|/8|Spolu/13|2004/13|Spolu/13|Celkom/13"),
                             S("/0|01/15|02/15|/7|01/15|/7|/7"),
                             S("Juh/12|1|-|1|5|5|6"),
                             S("Sever/14|10|20|30|5|5|35"),
                             S("Všetko/14|11/15|20/15|31/15|10/15|10/15|41/15"),
                         }));
}

TEST_F(CrossExample, NoRecordsGiveNoColumns) {
  auto empty = Records({S("REGION"), S("YEAR"), S("MONTH"), S("AMOUNT:i")}, {});
  TrpCross none(empty.get(), S("REGION"), S("YEAR+;MONTH"), S("AMOUNT+"));
  none.Build();
  EXPECT_EQ(none.Columns.Count(), 0);
  EXPECT_EQ(none.Rows.Count(), 0);
}

TEST_F(CrossExample, AFieldTheDataSetLacksStopsTheBuild) {
  TrpCross wrong(data.get(), S("REGION"), S("ROK"), S("AMOUNT+"));
  EXPECT_ANY_THROW(wrong.Build());
  TrpCross aliased(data.get(), S("Kraj"), S("YEAR"), S("AMOUNT+"));
  aliased.FieldOfAlias = [](const QString& name) { return name == QLatin1String("Kraj") ? S("REGION") : name; };
  aliased.Build();
  EXPECT_EQ(aliased.Rows.IndexOf(S("Sever")), 3) << "the dictionary's alias names the field";
}

// Totals aggregate the cells' sums: count, min, max and average over cells, each cell weighing one.
TEST(CrossTotals, FunctionsAggregateCellSumsAndNullsAddNothing) {
  auto data = Records({S("G"), S("R"), S("C"), S("V:i")}, {
                                                              {S("a"), S("x"), S("k"), 5},
                                                              {S("a"), S("x"), S("k"), QVariant()},
                                                              {S("a"), S("x"), S("k"), 3},
                                                              {S("a"), S("y"), S("k"), 1},
                                                              {S("a"), S("y"), S("k"), 1},
                                                              {S("b"), S("x"), S("k"), 7},
                                                              {S("b"), S("z"), S("k"), QVariant()},
                                                          });
  TrpCross cross(data.get(), S("G+;R"), S("C"), S("V+;V+count;V+min;V+max;V+avg"));
  cross.Build();
  EXPECT_EQ(Keys(cross.Rows),
            (QStringList{S("#0"), S("#1"), S("a;x"), S("a;y"), S("a+;+"), S("b;x"), S("b;z"), S("b+;+"), S("b+;++")}));
  // Columns: the row header columns, "k", grand "k+". Data cells hold sums (count: non-Null values).
  const QStringList rows = Dump(cross);
  EXPECT_EQ(rows[2], S("a/12|x/12|8,2,8,8,8|8,2,8,8,8")) << "5, Null, 3 sum to 8";
  EXPECT_EQ(rows[3], S("/4|y/12|2,2,2,2,2|2,2,2,2,2"));
  EXPECT_EQ(rows[4], S("/12|/10|10,4,2,8,5|10,4,2,8,5"));
  EXPECT_EQ(rows[6], S("/4|z/12|,0,,,|0,0,,,")) << "a Null cell: nothing to take; an average of none is Null";
  EXPECT_EQ(rows[7], S("/14|/10|7,1,7,7,7|7,1,7,7,7"));
  // The grand average is the mean of the three data cells (8, 2, 7), each weighing one.
  EXPECT_EQ(rows[8], S("/14|/10|17,5,2,8,5.66667/15|17,5,2,8,5.66667/15"));
}

TEST(CrossTotals, AnInnerSubtotalSumsEveryCellOfItsGroupWhenAnOuterFieldHasNone) {
  auto data = Records({S("A"), S("B"), S("C"), S("K"), S("V:i")}, {
                                                                      {S("1"), S("p"), S("u"), S("k"), 1},
                                                                      {S("1"), S("p"), S("v"), S("k"), 2},
                                                                      {S("2"), S("p"), S("u"), S("k"), 4},
                                                                      {S("2"), S("p"), S("v"), S("k"), 8},
                                                                      {S("2"), S("q"), S("u"), S("k"), 16},
                                                                  });
  TrpCross cross(data.get(), S("A;B+;C"), S("K"), S("V+"));
  cross.Build();
  const int data0 = cross.RowHeaderCount;
  QStringList totals;
  for (const char* key : {"1;p+;+", "2;p+;+", "2;q+;+"})
    totals.append(CellText(cross.GetCell(QLatin1String(key), S("k"), 0)));
  EXPECT_EQ(totals, (QStringList{S("3"), S("12"), S("16")}));
  EXPECT_EQ(CellText(cross.GetCellByIndex(cross.Rows.Count() - 1, data0, 0)), S("31"));
}

TEST(CrossKeys, NumbersAndDatesArePaddedSixDecimalTextsShownByTheirType) {
  auto data = Records({S("N:f"), S("D:d"), S("V:i")}, {
                                                          {2.5, QDate(2024, 3, 1), 1},
                                                          {QVariant(), QDate(2024, 3, 1), 2},
                                                          {12.0, QDate(2024, 3, 2), 4},
                                                      });
  TrpCross cross(data.get(), S("N"), S("D"), S("V+"));
  cross.ShowCellCaptions = true;
  cross.CellCaptions = S("Úlovky");
  cross.GrandRowTotalCaption = S("Spolu");
  cross.Build();
  const QString zero = S("0,000000").rightJustified(32, QLatin1Char(' '));
  const QString twoAndHalf = S("2,500000").rightJustified(32, QLatin1Char(' '));
  EXPECT_EQ(Keys(cross.Rows).mid(2, 3),
            (QStringList{zero, twoAndHalf, S("12,000000").rightJustified(32, QLatin1Char(' '))}));
  EXPECT_EQ(cross.RowFieldValues[0].toDouble(), 12.0) << "the last value neither text nor Null";
  EXPECT_EQ(cross.ColumnHeaderCount, 1) << "one column field: the caption row and its own";
  EXPECT_EQ(cross.RowHeaderCount, 2) << "the row field and the cell captions";
  const QStringList rows = Dump(cross);
  ASSERT_EQ(rows.size(), 6);
  // A number shown as its shortest text, a date as a date; the cell-caption column framed all round.
  EXPECT_EQ(rows[2], S("0/12|Úlovky/15|2|-|2"));
  EXPECT_EQ(rows[3], S("2,5/12|Úlovky/15|1|-|1"));
  EXPECT_EQ(rows[4], S("12/14|Úlovky/15|-|4|4"));
  EXPECT_EQ(rows[5], S("Spolu/14|Úlovky/15|3/15|4/15|7/15"));
  const QVariant day = cross.GetCellByIndex(1, 2, 0);
  EXPECT_EQ(day.toDateTime().date(), QDate(2024, 3, 1));
}

} // namespace
