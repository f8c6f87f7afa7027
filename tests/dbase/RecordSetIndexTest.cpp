#include "dbase/xbtable.h"
#include <QtCore/QFile>
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
  members.Close();
  EXPECT_EQ(catches.RecordCount(), 5) << "a closed master limits nothing";
  members.Open(); // member 3 again
  EXPECT_EQ(catches.RecordCount(), 1);
  EXPECT_THROW(catches.SetMasterFields(QStringLiteral("ID +")), EParserException);
  EXPECT_EQ(catches.RecordCount(), 5) << "an expression that does not compile leaves no range behind";
  catches.SetMasterFields(QStringLiteral("ID"));
  EXPECT_EQ(catches.RecordCount(), 1);
  catches.SetMasterSource(nullptr);
  EXPECT_EQ(catches.RecordCount(), 5);
  {
    TXbTable master; // member 3 first, in physical order
    master.SetTableName(members.TableFileName());
    master.Open();
    catches.SetMasterSource(&master);
    EXPECT_EQ(catches.RecordCount(), 1);
  }
  EXPECT_EQ(catches.MasterSource(), nullptr) << "a master that goes leaves the detail unlinked";
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

// Recall through the record set: the deleted member's ID returns to the
// distinct tag, unless another member took it meanwhile.
TEST_F(RecordSetIndexTest, RecallRestoresTheKeyUnlessTaken) {
  members.SetIndexName(QStringLiteral("ID"));
  ASSERT_TRUE(members.FindKey(2));
  members.Delete(); // Bela, record 3
  members.Append();
  members.FieldByName(QStringLiteral("ID")).SetValue(2);
  members.FieldByName(QStringLiteral("MENO")).SetValue(QStringLiteral("Dano"));
  members.Post(); // record 5 may take the key of a deleted record
  members.SetShowDeleted(true);
  members.SetIndexName(QStringLiteral("MENO"));
  ASSERT_TRUE(members.FindKey(QStringLiteral("Bela"))) << "a normal tag keeps deleted records";
  ASSERT_TRUE(members.IsDeleted());
  try {
    members.Recall();
    FAIL() << "Bela recalled onto the ID that Dano holds";
  } catch (const EXbError& e) {
    // The numeric key of 2 in its decimal form: exponent 0x35, one digit, 2.
    EXPECT_EQ(e.Message(), QStringLiteral("Key violation. (Key already present in file).\r\nIndex: ID\r\nRecord=5 "
                                          "Key='350920000000000000000000'."));
  }
  EXPECT_TRUE(members.IsDeleted()) << "a refused recall leaves the record deleted";
  EXPECT_EQ(members.IndexName(), QStringLiteral("MENO"));
  EXPECT_EQ(Column(members, "MENO"),
            QStringList({QStringLiteral("Adam"), QStringLiteral("Adam"), QStringLiteral("Bela"),
                         QStringLiteral("Cyril"), QStringLiteral("Dano")}))
      << "the refusal keeps the walking tag selected";

  ASSERT_TRUE(members.FindKey(QStringLiteral("Dano")));
  members.Delete();
  ASSERT_TRUE(members.FindKey(QStringLiteral("Bela")));
  members.Recall();
  EXPECT_FALSE(members.IsDeleted());
  members.Close();
  members.Open(); // the files hold the recall
  members.SetIndexName(QStringLiteral("ID"));
  ASSERT_TRUE(members.FindKey(2));
  EXPECT_EQ(members.FieldByName(QStringLiteral("MENO")).AsString(), QStringLiteral("Bela"));
  EXPECT_EQ(members.RecordCount(), 4) << "Dano is deleted";
  members.Append();
  members.FieldByName(QStringLiteral("ID")).SetValue(2);
  EXPECT_THROW(members.Post(), EXbError) << "the recalled key is taken again";
  members.Cancel();
}

// Before the master posts, the detail posts its pending change; after it,
// the detail shows the records of the master's new key.
TEST_F(RecordSetIndexTest, MasterPostMovesTheDetailToTheNewKey) {
  catches.SetIndexName(QStringLiteral("CLEN"));
  catches.SetMasterFields(QStringLiteral("ID"));
  catches.SetMasterSource(&members);
  members.First(); // member 3
  ASSERT_EQ(Column(catches, "RYBA"), QStringList({QString::fromUtf8("lieň")}));
  catches.First();
  catches.Edit();
  catches.FieldByName(QStringLiteral("RYBA")).SetValue(QStringLiteral("karas"));
  members.Edit();
  members.FieldByName(QStringLiteral("ID")).SetValue(2);
  EXPECT_THROW(members.Post(), EXbError) << "member 2 exists";
  EXPECT_EQ(catches.State(), TDataSetState::Browse) << "the detail posted before the master tried";
  members.FieldByName(QStringLiteral("ID")).SetValue(7);
  members.Post();
  EXPECT_EQ(catches.RecordCount(), 0) << "no catches of member 7";
  members.Edit();
  members.FieldByName(QStringLiteral("ID")).SetValue(1);
  EXPECT_THROW(members.Post(), EXbError);
  members.Cancel();
  members.Next(); // member 1
  EXPECT_EQ(catches.RecordCount(), 3);
  members.First();
  members.Edit();
  members.FieldByName(QStringLiteral("ID")).SetValue(3);
  members.Post();
  EXPECT_EQ(Column(catches, "RYBA"), QStringList({QStringLiteral("karas")})) << "the detail's change was kept";

  // A new master record: the detail follows it too.
  members.Append();
  members.FieldByName(QStringLiteral("ID")).SetValue(2);
  EXPECT_THROW(members.Post(), EXbError);
  members.FieldByName(QStringLiteral("ID")).SetValue(9);
  members.Post();
  EXPECT_EQ(catches.RecordCount(), 0);
  catches.Append();
  catches.FieldByName(QStringLiteral("CLEN")).SetValue(9);
  catches.FieldByName(QStringLiteral("RYBA")).SetValue(QStringLiteral("ostriež"));
  members.Edit();
  members.FieldByName(QStringLiteral("MENO")).SetValue(QStringLiteral("Ivan"));
  members.Post(); // posts the new catch first
  EXPECT_EQ(Column(catches, "RYBA"), QStringList({QString::fromUtf8("ostriež")}));
}

// The request to update the index declarations takes the production
// index's tags as they are now, open or closed.
TEST_F(RecordSetIndexTest, UpdateIndexDefsTakesThePresentTags) {
  members.Close();
  members.IndexDefs.Clear();
  members.UpdateIndexDefs();
  ASSERT_EQ(members.IndexDefs.Count(), 2);
  EXPECT_TRUE(members.IndexDefs[0].FromIndexFile);
  EXPECT_EQ(members.IndexDefs.DefBySortField(QStringLiteral("id"))->IndexFile(), QStringLiteral("ID"));
  EXPECT_EQ(members.IndexDefs.DefByIndexFile(QStringLiteral("ID"))->Options & ixPrimary, ixPrimary);

  members.Exclusive = true;
  members.Open();
  EXPECT_EQ(members.IndexDefs.Count(), 2) << "no declaration twice";
  ASSERT_NE(members.DbfFile()->OpenIndex(QStringLiteral("MENOD"), QStringLiteral("UPPER(MENO)"), ixDescending, true),
            nullptr);
  EXPECT_EQ(members.IndexDefs.DefByIndexFile(QStringLiteral("MENOD")), nullptr);
  members.UpdateIndexDefs();
  ASSERT_EQ(members.IndexDefs.Count(), 3);
  members.SetIndexFieldNames(QStringLiteral("upper(meno)"));
  EXPECT_EQ(members.IndexName(), QStringLiteral("MENOD"));
  EXPECT_EQ(Column(members, "MENO"), QStringList({QStringLiteral("Cyril"), QStringLiteral("Bela"),
                                                  QStringLiteral("Adam"), QStringLiteral("Adam")}));
  members.Close();
  EXPECT_EQ(members.IndexDefs.Count(), 0);
}

// Record by record: one value per field, a partial key on the last field only.
TEST_F(RecordSetIndexTest, LocateByFields) {
  const struct {
    const char* fields;
    QVariantList values;
    TLocateOptions options;
    int id; // 0: not found
  } cases[] = {
      {"MENO;ID", {QStringLiteral("Adam"), 4}, 0, 4},
      {"ID;MENO", {3, QStringLiteral("Cy")}, loPartialKey, 3},
      {"MENO;ID", {QStringLiteral("Ad"), 1}, loPartialKey, 0},
      {"ID;MENO", {1, QStringLiteral("adam")}, loCaseInsensitive, 1},
      {"ID;MENO", {1, QStringLiteral("ad")}, loPartialKey, 0},
      {"ID;MENO", {1, QStringLiteral("")}, loPartialKey, 1},
      {"ID;MENO", {2, QStringLiteral("Bela"), 7}, 0, 0},
      {"ID;MENO", {2}, 0, 0},
      {"ID", {4.0}, 0, 4},
  };
  for (const auto& c : cases) {
    members.First(); // member 3
    const bool found = members.Locate(QLatin1String(c.fields), c.values, c.options);
    EXPECT_EQ(found, c.id != 0) << c.fields << " " << c.values.size();
    EXPECT_EQ(members.FieldByName(QStringLiteral("ID")).AsInteger(), c.id ? c.id : 3) << c.fields;
  }
  members.First();
  members.Edit();
  members.FieldByName(QStringLiteral("MENO")).SetValue(QStringLiteral("Cyro"));
  EXPECT_TRUE(members.Locate(QStringLiteral("MENO"), QStringLiteral("Cyro"))) << "the pending change is posted first";
  EXPECT_EQ(members.State(), TDataSetState::Browse);
}

// A failed index creation takes back what it added and says why; a shared
// table is used exclusively while an index is made.
TEST_F(RecordSetIndexTest, FailedIndexCreationIsTakenBack) {
  TXbFile& file = *members.DbfFile();
  const QString logical = QStringLiteral("MENO = 'Adam'");
  auto refusal = [&](const QString& name, const QString& expression) {
    try {
      file.OpenIndex(name, expression, 0, true);
    } catch (const EXbError& e) {
      return e.Message();
    }
    return QString();
  };
  const QString invalidType = QStringLiteral("Invalid index type: can only be string or float.");
  EXPECT_EQ(refusal(QStringLiteral("BAD"), logical), invalidType);
  EXPECT_EQ(file.IndexNames(), QStringList({QStringLiteral("MENO"), QStringLiteral("ID")}));
  const QString badNdx = dir.filePath(QStringLiteral("bad.ndx"));
  EXPECT_EQ(refusal(badNdx, logical), invalidType);
  EXPECT_FALSE(QFile::exists(badNdx));
  EXPECT_EQ(file.IndexByName(badNdx), nullptr);

  const QString nameNdx = dir.filePath(QStringLiteral("meno.ndx"));
  ASSERT_NE(file.OpenIndex(nameNdx, QStringLiteral("MENO"), 0, true), nullptr) << "the table is shared";
  TXbTable other;
  other.SetTableName(members.TableFileName());
  other.Open();
  const QString idNdx = dir.filePath(QStringLiteral("id.ndx"));
  EXPECT_EQ(refusal(idNdx, QStringLiteral("ID")), QStringLiteral("Exclusive access is required for this operation."))
      << "another handle holds the table";
  EXPECT_FALSE(QFile::exists(idNdx));
  other.Close();
  members.Append();
  members.FieldByName(QStringLiteral("ID")).SetValue(5);
  members.FieldByName(QStringLiteral("MENO")).SetValue(QStringLiteral("Bohuš"));
  members.Post();
  members.SetIndexName(nameNdx);
  EXPECT_EQ(Column(members, "MENO"),
            QStringList({QStringLiteral("Adam"), QStringLiteral("Adam"), QStringLiteral("Bela"),
                         QString::fromUtf8("Bohuš"), QStringLiteral("Cyril")}));

  TXbTable fresh;
  fresh.SetTableName(dir.filePath(QStringLiteral("novy.dbf")));
  fresh.FieldDefs = {{QStringLiteral("MENO"), TFieldType::String, 10}};
  AddIndex(fresh, "MENO", "MENO");
  AddIndex(fresh, "BAD", "MENO = 'X'");
  AddIndex(fresh, "bad.ndx", "MENO = 'X'");
  fresh.CreateTable();
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("novy.dbf")))) << "a new table keeps the indexes it could make";
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("BAD.NDX"))));
  fresh.IndexDefs.Clear();
  fresh.Open();
  EXPECT_EQ(fresh.DbfFile()->IndexNames(), QStringList({QStringLiteral("MENO")}));
}

// Every index the table has open is listed: the production index's tags and
// the index files of their own, by the names they were opened with.
TEST_F(RecordSetIndexTest, IndexNamesListTagsAndIndexFiles) {
  TXbTable t;
  t.SetTableName(dir.filePath(QStringLiteral("ryby.dbf")));
  t.FieldDefs = {{QStringLiteral("ID"), TFieldType::Integer},
                 {QStringLiteral("MENO"), TFieldType::String, 10},
                 {QStringLiteral("VAHA"), TFieldType::Float, 8, 2}};
  AddIndex(t, "MENO", "MENO");
  AddIndex(t, "ID", "ID");
  AddIndex(t, "VAHA", "VAHA", ixDescending);
  AddIndex(t, "meno.ndx", "MENO");
  AddIndex(t, "vaha.ndx", "VAHA");
  t.CreateTable();
  t.Open();
  const std::pair<int, const char*> rows[] = {{2, "Lieň"}, {1, "Kapor"}, {3, "Amur"}};
  for (const auto& [id, name] : rows) {
    t.Append();
    t.FieldByName(QStringLiteral("ID")).SetValue(id);
    t.FieldByName(QStringLiteral("MENO")).SetValue(QString::fromUtf8(name));
    t.FieldByName(QStringLiteral("VAHA")).SetValue(id * 1.5);
    t.Post();
  }
  const QString menoNdx = t.IndexFileName(QStringLiteral("MENO.NDX"));
  const QString vahaNdx = t.IndexFileName(QStringLiteral("VAHA.NDX"));
  const QStringList all = {QStringLiteral("MENO"), QStringLiteral("ID"), QStringLiteral("VAHA"), menoNdx, vahaNdx};
  QStringList names = t.DbfFile()->IndexNames();
  names.sort();
  QStringList expected = all;
  expected.sort();
  EXPECT_EQ(names, expected);
  for (const QString& name : all)
    EXPECT_NE(t.DbfFile()->IndexByName(name), nullptr) << name.toStdString();

  // Opened again (the production index declares its tags itself), and an index
  // file of its own named in another case of its letters is listed once.
  t.Close();
  t.IndexDefs.Clear();
  AddIndex(t, "meno.ndx", "MENO");
  AddIndex(t, "vaha.ndx", "VAHA");
  t.Open();
  names = t.DbfFile()->IndexNames();
  names.sort();
  EXPECT_EQ(names, expected);
  t.SetIndexName(QStringLiteral("meno.ndx"));
  EXPECT_EQ(Column(t, "ID"), QStringList({QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("2")}));
  t.SetIndexName(QStringLiteral("VAHA"));
  EXPECT_EQ(Column(t, "ID"), QStringList({QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}));
}

// A tag that cannot be built (a date key) is left out when a table is made:
// the table, its other tags and its other index files are made and filled.
TEST_F(RecordSetIndexTest, CreationLeavesOutADateTag) {
  TXbTable t;
  t.SetTableName(dir.filePath(QStringLiteral("povolenky.dbf")));
  t.FieldDefs = {{QStringLiteral("ID"), TFieldType::Integer},
                 {QStringLiteral("MENO"), TFieldType::String, 10},
                 {QStringLiteral("VYDANE"), TFieldType::Date}};
  AddIndex(t, "MENO", "MENO");
  AddIndex(t, "VYDANE", "VYDANE");
  AddIndex(t, "ID", "ID");
  AddIndex(t, "vydane.ndx", "VYDANE");
  AddIndex(t, "id.ndx", "ID");
  ASSERT_NO_THROW(t.CreateTable());
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("povolenky.dbf"))));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("VYDANE.NDX"))));
  t.IndexDefs.Clear();
  AddIndex(t, "id.ndx", "ID");
  t.Open();
  QStringList names = t.DbfFile()->IndexNames();
  names.sort();
  EXPECT_EQ(names,
            QStringList({t.IndexFileName(QStringLiteral("ID.NDX")), QStringLiteral("ID"), QStringLiteral("MENO")}));
  EXPECT_EQ(t.DbfFile()->IndexByName(QStringLiteral("VYDANE")), nullptr);
  const std::pair<int, const char*> rows[] = {{2, "Bela"}, {1, "Cyril"}, {3, "Adam"}};
  for (const auto& [id, name] : rows) {
    t.Append();
    t.FieldByName(QStringLiteral("ID")).SetValue(id);
    t.FieldByName(QStringLiteral("MENO")).SetValue(QLatin1String(name));
    t.FieldByName(QStringLiteral("VYDANE")).SetValue(QDate(2024, 3, id));
    t.Post();
  }
  t.SetIndexName(QStringLiteral("MENO"));
  EXPECT_EQ(Column(t, "ID"), QStringList({QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}));
  t.SetIndexName(QStringLiteral("id.ndx"));
  EXPECT_EQ(Column(t, "ID"), QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
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
