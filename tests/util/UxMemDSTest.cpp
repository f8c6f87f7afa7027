#include "util/UxMemDS.h"
#include "core/Exception.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "tests/support/FreshDatabase.h"
#include <gtest/gtest.h>

namespace {

TUxFieldDef Def(const char* name, TUxFieldType type, int size = 0) {
  TUxFieldDef def;
  def.Name = QString::fromLatin1(name);
  def.DataType = type;
  def.Size = size;
  return def;
}

void AddRow(TUxMemoryData& data, const QVariantList& values) {
  data.Append();
  for (int i = 0; i < values.size(); ++i)
    data.FieldByNumber(i).SetValue(values[i]);
  data.Post();
}

// NAZOV, CISLO, POZN with four rows; two share a name.
void Fill(TUxMemoryData& data) {
  data.AddFieldDef(Def("NAZOV", TUxFieldType::String, 20));
  data.AddFieldDef(Def("CISLO", TUxFieldType::Integer));
  data.AddFieldDef(Def("POZN", TUxFieldType::String, 10));
  data.Open();
  AddRow(data, {QString::fromUtf8("Ábel"), 1, QVariant()});
  AddRow(data, {QStringLiteral("abeceda"), 2, QStringLiteral("x")});
  AddRow(data, {QStringLiteral("Cyril"), 3, QStringLiteral("y")});
  AddRow(data, {QString::fromUtf8("Ábel"), 4, QStringLiteral("z")});
}

} // namespace

TEST(UxMemoryDataTest, LocateTestsTheCurrentRecordFirstThenScansFromTheFirst) {
  const struct {
    int StartRecNo;
    const char* Fields;
    QVariantList Values;
    TLocateOptions Options;
    bool Found;
    int RecNo; // afterwards
  } cases[] = {
      {1, "NAZOV", {QStringLiteral("Cyril")}, 0, true, 3},
      {1, "NAZOV", {QStringLiteral("cyril")}, 0, false, 1},
      {1, "NAZOV", {QStringLiteral("cyril")}, loCaseInsensitive, true, 3},
      {1, "NAZOV", {QStringLiteral("ab")}, loPartialKey, true, 2},
      {3, "NAZOV", {QString::fromUtf8("áB")}, loCaseInsensitive | loPartialKey, true, 1},
      {4, "NAZOV", {QString::fromUtf8("Ábel")}, 0, true, 4}, // the current record wins
      {3, "POZN", {QVariant()}, 0, true, 1},                 // a Null key finds a Null text
      {1, "NAZOV;CISLO", {QString::fromUtf8("Ábel"), 4}, 0, true, 4},
      {1, "CISLO", {QStringLiteral("3")}, 0, true, 3},
      {2, "CISLO", {9}, 0, false, 2},
      {2, "CISLO", {QStringLiteral("nie")}, 0, false, 2},
  };
  for (const auto& c : cases) {
    TUxMemoryData memory;
    Fill(memory);
    // Through the base class, as the grid and the report engine call it.
    TDataSet& data = memory;
    data.SetRecNo(c.StartRecNo);
    EXPECT_EQ(data.Locate(QString::fromLatin1(c.Fields), c.Values, c.Options), c.Found)
        << c.Fields << " " << c.StartRecNo;
    EXPECT_EQ(data.RecNo(), c.RecNo) << c.Fields << " " << c.StartRecNo;
  }
  TUxMemoryData data;
  Fill(data);
  EXPECT_THROW(data.Locate(QStringLiteral("CHYBA"), 1), EDataSetError);
  TUxMemoryData empty;
  empty.AddFieldDef(Def("A", TUxFieldType::Integer));
  empty.Open();
  EXPECT_FALSE(empty.Locate(QStringLiteral("A"), 1));
}

TEST(UxMemoryDataTest, RecordNumbersOutsideTheRecordsAreIgnored) {
  TUxMemoryData data;
  Fill(data);
  data.SetRecNo(2);
  for (int recNo : {0, -1, 5}) {
    data.SetRecNo(recNo);
    EXPECT_EQ(data.RecNo(), 2) << recNo;
  }
  data.SetRecNo(4);
  EXPECT_EQ(data.FieldByName(QStringLiteral("CISLO")).AsInteger(), 4);
}

TEST(UxMemoryDataTest, RecordsKeepIdsAndValuesNeedEditing) {
  TUxMemoryData data;
  Fill(data);
  EXPECT_THROW(data.FieldByName(QStringLiteral("CISLO")).SetValue(7), EDataSetError);
  data.SetRecNo(4);
  const qint64 last = data.CurrentRecordId();
  data.Delete();
  AddRow(data, {QStringLiteral("Nový"), 5, QVariant()});
  EXPECT_GT(data.CurrentRecordId(), last); // ids are not reused
  EXPECT_THROW(data.AddFieldDef(Def("X", TUxFieldType::Integer)), EDataSetError);
  data.Close();
  data.Open();
  EXPECT_TRUE(data.IsEmpty()); // closing discards the records
}

TEST(UxMemoryDataTest, StructureKeepsStorableTypesOnly) {
  TUxMemoryData source;
  source.AddFieldDef(Def("ID", TUxFieldType::AutoInc));
  source.AddFieldDef(Def("C", TUxFieldType::Cursor));
  source.AddFieldDef(Def("N", TUxFieldType::String, 10));
  source.AddFieldDef(Def("R", TUxFieldType::Reference));
  for (bool autoIncAsInteger : {false, true}) {
    TUxMemoryData target;
    target.TakeStructureFrom(source, autoIncAsInteger);
    ASSERT_EQ(target.FieldDefs().size(), 2);
    EXPECT_EQ(target.FieldDefs()[0].Name, QStringLiteral("ID"));
    EXPECT_EQ(target.FieldDefs()[0].DataType, autoIncAsInteger ? TUxFieldType::Integer : TUxFieldType::AutoInc);
    EXPECT_EQ(target.FieldDefs()[1].Name, QStringLiteral("N"));
  }
  TUxMemoryData open;
  Fill(open);
  EXPECT_THROW(open.TakeStructureFrom(source, false), EDataSetError);
}

TEST(UxMemoryDataTest, LoadRowsCopiesByCountAndModeAndRestoresPositions) {
  TUxMemoryData source;
  Fill(source);
  source.SetRecNo(2);
  const struct {
    int StartRecNo, Count, Copied;
  } counts[] = {{1, 10, 4}, {1, 0, 4}, {1, -1, 4}, {3, 10, 2}, {2, 2, 2}, {1, 1, 1}};
  for (const auto& c : counts) {
    source.SetRecNo(c.StartRecNo);
    TUxMemoryData target;
    EXPECT_EQ(target.LoadRowsFromDataSet(source, c.Count, 0), c.Copied) << c.StartRecNo << "/" << c.Count;
    EXPECT_EQ(target.RecordCount(), c.Copied);
    EXPECT_EQ(target.FieldNames(), source.FieldNames());
    EXPECT_EQ(source.RecNo(), c.StartRecNo); // the source goes back where it was
  }
  // Mode 1 keeps the target's structure and fills its fields by name.
  TUxMemoryData target;
  target.AddFieldDef(Def("CISLO", TUxFieldType::Integer));
  target.AddFieldDef(Def("INE", TUxFieldType::String, 5));
  target.Open();
  AddRow(target, {100, QStringLiteral("a")});
  source.SetRecNo(1);
  EXPECT_EQ(target.LoadRowsFromDataSet(source, 0, 1), 4);
  EXPECT_EQ(target.FieldNames(), (QStringList{QStringLiteral("CISLO"), QStringLiteral("INE")}));
  QList<int> numbers;
  for (int recNo = 1; recNo <= target.RecordCount(); ++recNo) {
    target.SetRecNo(recNo);
    numbers << target.FieldByName(QStringLiteral("CISLO")).AsInteger();
  }
  EXPECT_EQ(numbers, (QList<int>{100, 1, 2, 3, 4}));
  target.SetRecNo(5);
  EXPECT_TRUE(target.FieldByName(QStringLiteral("INE")).IsNull());
  EXPECT_EQ(target.LoadRowsFromDataSet(target, 0, 1), 0);
}

TEST(UxMemoryDataTest, LoadRowsRaisesTheHighestAutoIncrementValue) {
  TUxMemoryData source;
  source.AddFieldDef(Def("ID", TUxFieldType::AutoInc));
  source.Open();
  for (int id : {5, 9, 7})
    AddRow(source, {id});
  TUxMemoryData target;
  EXPECT_EQ(target.LoadRowsFromDataSet(source, 0, 0), 3);
  EXPECT_EQ(target.MaxAutoIncValue(), 9);
}

TEST(UxMemoryDataTest, CatalogueQueryCopiesIntoExactlyItsColumns) {
  FreshDatabase fresh;
  auto database = fresh.Connect();
  TIBTransaction transaction(database.get());
  transaction.StartTransaction();
  TIBQuery query;
  query.SetDatabase(database.get());
  query.SetTransaction(&transaction);
  query.SetSQL(QStringLiteral("select rdb$relation_name as nazov, rdb$relation_id as cislo from rdb$relations "
                              "where rdb$relation_name starting with 'RDB$' order by rdb$relation_id"));
  TUxMemoryData data;
  const int copied = data.LoadRowsFromDataSet(query, 0, 0);
  EXPECT_GT(copied, 10);
  EXPECT_FALSE(query.Active()); // closed before, closed after
  transaction.Commit();
  EXPECT_EQ(data.FieldNames(), (QStringList{QStringLiteral("NAZOV"), QStringLiteral("CISLO")}));
  EXPECT_EQ(data.RecordCount(), copied);
  data.First();
  EXPECT_EQ(data.FieldByName(QStringLiteral("NAZOV")).AsString().trimmed(), QStringLiteral("RDB$PAGES"));
  EXPECT_EQ(data.FieldByName(QStringLiteral("CISLO")).AsInteger(), 0);
  database->Close();
}
