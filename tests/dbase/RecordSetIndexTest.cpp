#include "dbase/xbtable.h"
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Members and their catches: a master and a detail table with production indexes.
class RecordSetIndexTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  TXbTable members, catches;

  static void AddIndex(TXbTable& t, const char* name, const char* expression, int options = 0) {
    TXbIndexDef& def = t.IndexDefs.Add();
    def.SetIndexFile(QLatin1String(name));
    def.SetSortField(QLatin1String(expression));
    def.Options = options;
  }
  void SetUp() override {
    members.SetTableName(dir.filePath(QStringLiteral("clen.dbf")));
    members.FieldDefs = {{QStringLiteral("ID"), TFieldType::Integer}, {QStringLiteral("MENO"), TFieldType::String, 10}};
    AddIndex(members, "MENO", "MENO");
    AddIndex(members, "ID", "ID", ixPrimary);
    members.CreateTable();
    members.Open();
    const std::pair<int, const char*> rows[] = {{3, "Cyril"}, {1, "Adam"}, {2, "Bela"}, {4, "Adam"}};
    for (const auto& [id, name] : rows) {
      members.Append();
      members.FieldByName(QStringLiteral("ID")).SetValue(id);
      members.FieldByName(QStringLiteral("MENO")).SetValue(QLatin1String(name));
      members.Post();
    }
    catches.SetTableName(dir.filePath(QStringLiteral("ulovky.dbf")));
    catches.FieldDefs = {{QStringLiteral("CLEN"), TFieldType::Integer},
                         {QStringLiteral("RYBA"), TFieldType::String, 8}};
    AddIndex(catches, "CLEN", "CLEN");
    catches.CreateTable();
    catches.Open();
    const std::pair<int, const char*> fish[] = {{1, "kapor"}, {2, "sumec"}, {1, "pstruh"}, {3, "lieň"}, {1, "šťuka"}};
    for (const auto& [member, name] : fish) {
      catches.Append();
      catches.FieldByName(QStringLiteral("CLEN")).SetValue(member);
      catches.FieldByName(QStringLiteral("RYBA")).SetValue(QString::fromUtf8(name));
      catches.Post();
    }
  }
  static QStringList Column(TXbTable& t, const char* field) {
    QStringList values;
    for (t.First(); !t.Eof(); t.Next())
      values << t.FieldByName(QLatin1String(field)).AsString();
    return values;
  }
};

TEST_F(RecordSetIndexTest, IndexOrderByNameAndExpression) {
  members.SetIndexName(QStringLiteral("MENO"));
  EXPECT_EQ(Column(members, "ID"),
            QStringList({QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("2"), QStringLiteral("3")}))
      << "equal names keep the order of insertion";
  members.SetIndexFieldNames(QStringLiteral(" id "));
  EXPECT_EQ(members.IndexName(), QStringLiteral("ID"));
  EXPECT_EQ(Column(members, "ID"),
            QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
  members.SetIndexFieldNames(QStringLiteral("UPPER(MENO)"));
  EXPECT_TRUE(members.IndexName().isEmpty()) << "no declaration has that expression: physical order";
  EXPECT_EQ(Column(members, "ID"),
            QStringList({QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4")}));
  members.SetIndexName(QStringLiteral("NOSUCH"));
  EXPECT_TRUE(members.IndexName().isEmpty());

  // Reopened, the production index declares its tags itself.
  members.Close();
  members.IndexDefs.Clear();
  members.SetIndexName(QStringLiteral("ID"));
  members.Open();
  EXPECT_EQ(members.IndexDefs.Count(), 2);
  EXPECT_EQ(Column(members, "ID"),
            QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
  members.Close();
  EXPECT_EQ(members.IndexDefs.Count(), 0) << "declarations taken from the index file go when the record set closes";
}

TEST_F(RecordSetIndexTest, DistinctTagRefusesATakenKey) {
  members.Append();
  members.FieldByName(QStringLiteral("ID")).SetValue(2);
  members.FieldByName(QStringLiteral("MENO")).SetValue(QStringLiteral("Dano"));
  try {
    members.Post();
    FAIL() << "a second member 2 was accepted";
  } catch (const EXbError& e) {
    EXPECT_TRUE(e.Message().startsWith(
        QStringLiteral("Key violation. (Key already present in file).\r\nIndex: ID\r\nRecord=3")))
        << e.Message().toStdString();
  }
}

TEST_F(RecordSetIndexTest, FindKeyAndRanges) {
  members.SetIndexName(QStringLiteral("MENO"));
  EXPECT_TRUE(members.FindKey(QStringLiteral("Bela")));
  EXPECT_EQ(members.FieldByName(QStringLiteral("ID")).AsInteger(), 2);
  EXPECT_FALSE(members.FindKey(QStringLiteral("Be")));
  EXPECT_EQ(members.FieldByName(QStringLiteral("ID")).AsInteger(), 2) << "a failed search keeps the position";
  EXPECT_TRUE(members.FindKey(QStringLiteral("Be"), true));
  EXPECT_TRUE(members.FindKey(QStringLiteral("Adam")));
  EXPECT_EQ(members.FieldByName(QStringLiteral("ID")).AsInteger(), 1) << "the first of equal keys";
  EXPECT_TRUE(members.FindKeyBuffer(members.SelectedIndex()->KeyToBuffer(QStringLiteral("Adam")), SearchGreater));
  EXPECT_EQ(members.FieldByName(QStringLiteral("MENO")).AsString(), QStringLiteral("Bela"))
      << "greater passes both equal keys";
  EXPECT_FALSE(members.FindKey(QStringLiteral("Zora"), true));
  EXPECT_FALSE(members.FindKey(QVariant()));

  members.SetKeyRange(QStringLiteral("B"), QStringLiteral("C"));
  EXPECT_EQ(Column(members, "MENO"), QStringList({QStringLiteral("Bela")})) << "Cyril lies above C padded with blanks";
  members.CancelKeyRange();
  EXPECT_EQ(members.RecordCount(), 4);

  EXPECT_TRUE(members.Locate(QStringLiteral("MENO"), QStringLiteral("cy"), loPartialKey | loCaseInsensitive));
  EXPECT_EQ(members.FieldByName(QStringLiteral("ID")).AsInteger(), 3);
  EXPECT_FALSE(members.Locate(QStringLiteral("MENO"), QStringLiteral("cy"), loPartialKey));
  EXPECT_TRUE(members.Locate(QStringLiteral("ID"), 4)) << "a field without its index is searched record by record";

  TXbTable unindexed;
  unindexed.SetTableName(dir.filePath(QStringLiteral("ulovky.dbf")));
  EXPECT_FALSE(unindexed.FindKey(1)) << "no selected index";
}

TEST_F(RecordSetIndexTest, MasterLinkLimitsTheDetail) {
  catches.SetMasterFields(QStringLiteral("ID"));
  catches.SetMasterSource(&members);
  EXPECT_EQ(catches.RecordCount(), 5) << "no selected index: not limited";
  catches.SetIndexName(QStringLiteral("CLEN"));
  members.First(); // member 3
  EXPECT_EQ(Column(catches, "RYBA"), QStringList({QString::fromUtf8("lieň")}));
  members.Next(); // member 1
  EXPECT_EQ(Column(catches, "RYBA"),
            QStringList({QStringLiteral("kapor"), QStringLiteral("pstruh"), QString::fromUtf8("šťuka")}));
  members.Last(); // member 4
  EXPECT_EQ(catches.RecordCount(), 0);
  EXPECT_THROW(members.SetMasterSource(&catches), EDataSetError);
  catches.SetMasterSource(nullptr);
  EXPECT_EQ(catches.RecordCount(), 5);
}

TEST_F(RecordSetIndexTest, FindNextAppliesTheFilterWhileNotFiltered) {
  members.SetIndexName(QStringLiteral("ID"));
  members.SetFilter(QStringLiteral("MENO = 'Adam'"));
  EXPECT_EQ(members.RecordCount(), 4) << "Filtered is off";
  members.First();
  EXPECT_TRUE(members.FindNext());
  EXPECT_EQ(members.FieldByName(QStringLiteral("ID")).AsInteger(), 4);
  EXPECT_FALSE(members.FindNext());
  EXPECT_EQ(members.FieldByName(QStringLiteral("ID")).AsInteger(), 4) << "nothing further: the position stays";
  EXPECT_TRUE(members.FindPrior(true));
  EXPECT_EQ(members.FieldByName(QStringLiteral("ID")).AsInteger(), 4);
  EXPECT_TRUE(members.FindNext(true));
  EXPECT_EQ(members.FieldByName(QStringLiteral("ID")).AsInteger(), 1);
}

// Two handles of one table: keys the first appends (splitting nodes and
// moving the root) are seen by the second.
TEST_F(RecordSetIndexTest, SharedHandlesSeeEachOthersKeys) {
  TXbTable other;
  other.SetTableName(members.TableFileName());
  other.SetIndexName(QStringLiteral("MENO"));
  other.Open();
  QStringList expected = {QStringLiteral("Adam"), QStringLiteral("Adam"), QStringLiteral("Bela"),
                          QStringLiteral("Cyril")};
  for (int i = 0; i < 150; ++i) {
    members.Append();
    members.FieldByName(QStringLiteral("ID")).SetValue(100 + i);
    members.FieldByName(QStringLiteral("MENO")).SetValue(QStringLiteral("X%1").arg(i, 3, 10, QLatin1Char('0')));
    members.Post();
    expected << QStringLiteral("X%1").arg(i, 3, 10, QLatin1Char('0'));
  }
  other.SetIndexName(QStringLiteral("MENO"));
  EXPECT_EQ(Column(other, "MENO"), expected);
  EXPECT_TRUE(other.FindKey(QStringLiteral("X149")));
}

} // namespace
