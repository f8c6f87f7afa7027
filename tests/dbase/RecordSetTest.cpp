#include "DbfBytes.h"
#include "OfficeReader.h"
#include "dbase/xbtable.h"
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

struct Level {
  int level;
  bool dateTimes; // the format has a date-time field type
};

// The values one test row holds in every created table.
struct Row {
  QString name;
  int count;
  double amount;
  QDate born;
  bool active;
  QString note;
};

const Row kRows[] = {
    {QStringLiteral("Ďurovič Ľubomír"), 12, 1234.5, QDate(1970, 1, 31), true,
     QStringLiteral("Rybár od detstva, člen výboru.")},
    {QStringLiteral("Šťastná Žofia"), -7, -0.25, QDate(2001, 12, 24), false, QString(700, QLatin1Char('k'))},
    {QStringLiteral("Nový"), 0, 0, QDate(), false, QString()},
};

class RecordSetTest : public ::testing::TestWithParam<Level> {
protected:
  QTemporaryDir dir;
  QString Name() const { return dir.filePath(QStringLiteral("tab.dbf")); }

  void Define(TXbTable& t) const {
    t.SetTableName(Name());
    t.SetTableLevel(GetParam().level);
    t.SetLanguageId(0xC8);
    t.FieldDefs = {{QStringLiteral("Meno"), TFieldType::String, 25},   {QStringLiteral("POCET"), TFieldType::Integer},
                   {QStringLiteral("SUMA"), TFieldType::Float, 12, 2}, {QStringLiteral("NAR"), TFieldType::Date},
                   {QStringLiteral("AKT"), TFieldType::Boolean},       {QStringLiteral("POZN"), TFieldType::Memo}};
    if (GetParam().dateTimes) t.FieldDefs << TFieldDef{QStringLiteral("KEDY"), TFieldType::DateTime};
  }
  static void Fill(TXbTable& t, const Row& r) {
    t.FieldByName(QStringLiteral("MENO")).SetValue(r.name);
    t.FieldByName(QStringLiteral("POCET")).SetValue(r.count);
    t.FieldByName(QStringLiteral("SUMA")).SetValue(r.amount);
    if (r.born.isValid()) t.FieldByName(QStringLiteral("NAR")).SetValue(r.born);
    t.FieldByName(QStringLiteral("AKT")).SetValue(r.active);
    if (!r.note.isEmpty()) t.FieldByName(QStringLiteral("POZN")).SetValue(r.note);
  }
  static void Expect(TXbTable& t, const Row& r) {
    EXPECT_EQ(t.FieldByName(QStringLiteral("MENO")).AsString(), r.name);
    EXPECT_EQ(t.FieldByName(QStringLiteral("POCET")).AsInteger(), r.count) << r.name.toStdString();
    EXPECT_DOUBLE_EQ(t.FieldByName(QStringLiteral("SUMA")).AsFloat(), r.amount);
    EXPECT_EQ(DateTime::ToDate(t.FieldByName(QStringLiteral("NAR")).AsDateTime()),
              r.born.isValid() ? r.born : QDate(1899, 12, 30));
    EXPECT_EQ(t.FieldByName(QStringLiteral("AKT")).AsBoolean(), r.active);
    EXPECT_EQ(t.FieldByName(QStringLiteral("POZN")).AsString(), r.note);
  }
  QStringList Names(TXbTable& t) const {
    QStringList names;
    for (t.First(); !t.Eof(); t.Next())
      names << t.FieldByName(QStringLiteral("MENO")).AsString();
    return names;
  }
};

TEST_P(RecordSetTest, CreateAppendEditDeletePack) {
  {
    TXbTable t;
    Define(t);
    t.CreateTable();
    EXPECT_FALSE(t.Active());
    t.Open();
    EXPECT_EQ(t.RecordCount(), 0);
    for (const Row& r : kRows) {
      t.Append();
      Fill(t, r);
      t.Post();
    }
    if (GetParam().dateTimes) {
      t.First();
      t.Edit();
      t.FieldByName(QStringLiteral("KEDY")).SetValue(QDateTime(QDate(2026, 12, 10), QTime(0, 0)));
      t.Post();
    }
  }
  TXbTable t;
  t.SetTableName(Name());
  t.Open();
  EXPECT_EQ(t.TableLevel(), GetParam().level);
  ASSERT_EQ(t.RecordCount(), 3);
  int i = 0;
  for (t.First(); !t.Eof(); t.Next())
    Expect(t, kRows[i++]);
  if (GetParam().dateTimes) {
    t.First();
    EXPECT_EQ(t.FieldByName(QStringLiteral("KEDY")).AsDateTime(), DateTime::EncodeDate(2026, 12, 10));
  }

  // Edit the second row: a longer note moves in the memo file, the rest stays.
  t.SetRecNo(2);
  t.Edit();
  t.FieldByName(QStringLiteral("SUMA")).SetValue(99.99);
  t.FieldByName(QStringLiteral("POZN")).SetValue(QString(2000, QLatin1Char('m')));
  t.Post();
  t.First();
  t.Delete();
  EXPECT_EQ(t.RecordCount(), 2);
  t.Close();

  t.Open();
  EXPECT_EQ(Names(t), QStringList({kRows[1].name, kRows[2].name}));
  t.First();
  EXPECT_DOUBLE_EQ(t.FieldByName(QStringLiteral("SUMA")).AsFloat(), 99.99);
  EXPECT_EQ(t.FieldByName(QStringLiteral("POZN")).AsString(), QString(2000, QLatin1Char('m')));
  EXPECT_EQ(DateTime::ToDate(t.FieldByName(QStringLiteral("NAR")).AsDateTime()), kRows[1].born);
  t.SetShowDeleted(true);
  EXPECT_EQ(t.RecordCount(), 3);
  EXPECT_THROW(t.PackTable(), EXbError) << "packing needs exclusive use";
  t.Close();

  t.Exclusive = true;
  t.Open();
  t.PackTable();
  EXPECT_EQ(t.DbfFile()->RecordCount(), 2);
  EXPECT_EQ(Names(t), QStringList({kRows[1].name, kRows[2].name}));
  t.Close();
  const QByteArray file = DbfBytes::ReadFile(Name());
  const std::map<int, std::pair<quint8, quint8>> versionAndLanguage = {
      {3, {0x83, 0}}, {4, {0x8B, 0xC8}}, {7, {0x8C, 0xC8}}, {25, {0x30, 0xC8}}};
  EXPECT_EQ(quint8(file[0]), versionAndLanguage.at(GetParam().level).first);
  EXPECT_EQ(quint8(file[29]), versionAndLanguage.at(GetParam().level).second) << "dBASE III records no language driver";
  EXPECT_EQ(DbfBytes::Le32(file.constData() + 4), 2u);
  EXPECT_EQ(file.back(), '\x1A');
  const QDate today = QDate::currentDate();
  EXPECT_EQ(QDate(1900 + quint8(file[1]), file[2], file[3]), today) << "a writable close stamps today's date";
}

// The typed setters store what the values through the fields store, byte for
// byte: text, whole and decimal numbers and dates in place, the rest (a memo,
// a number into a text field) by conversion; in an edit they change only
// their field.
TEST_P(RecordSetTest, TypedSettersStoreTheBytesOfValues) {
  auto write = [&](const QString& name, bool typed) {
    TXbTable t;
    Define(t);
    t.SetTableName(name);
    t.FieldDefs << TFieldDef{QStringLiteral("KOD"), TFieldType::String, 6};
    t.CreateTable();
    t.Open();
    for (const Row& r : kRows) {
      t.Append();
      if (!typed) {
        Fill(t, r);
        t.FieldByName(QStringLiteral("KOD")).SetValue(r.count);
      } else {
        t.SetFieldText(0, r.name);
        t.SetFieldNumber(1, r.count);
        t.SetFieldNumber(2, r.amount);
        t.SetFieldDate(3, r.born);
        t.FieldByName(QStringLiteral("AKT")).SetValue(r.active);
        if (!r.note.isEmpty()) t.SetFieldText(5, r.note);
        t.SetFieldNumber(t.FieldByName(QStringLiteral("KOD")).Index(), r.count);
      }
      t.Post();
    }
    QList<QByteArray> records;
    for (t.First(); !t.Eof(); t.Next())
      records << QByteArray(t.CurrentRecord(), t.DbfFile()->RecordSize());
    return records;
  };
  const QList<QByteArray> byValues = write(dir.filePath(QStringLiteral("values.dbf")), false);
  const QList<QByteArray> typed = write(Name(), true);
  ASSERT_EQ(typed.size(), 3);
  for (int i = 0; i < typed.size(); ++i)
    EXPECT_EQ(typed[i], byValues[i]) << "record " << i + 1;

  TXbTable t;
  t.SetTableName(Name());
  t.Open();
  EXPECT_THROW(t.SetFieldNumber(1, 5), EDataSetError) << "not inserting or editing";
  t.First();
  t.Edit();
  t.SetFieldNumber(2, 99.5);
  t.SetFieldDate(3, QDate());
  EXPECT_THROW(t.SetFieldNumber(1, qint64(1) << 40), EXbError) << "wider than the field";
  EXPECT_THROW(t.SetFieldText(99, QStringLiteral("x")), EDataSetError);
  t.Post();
  t.Close();
  t.Open();
  t.First();
  EXPECT_DOUBLE_EQ(t.FieldByName(QStringLiteral("SUMA")).AsFloat(), 99.5);
  EXPECT_TRUE(t.FieldByName(QStringLiteral("NAR")).IsNull()) << "an invalid date clears the field";
  EXPECT_EQ(t.FieldByName(QStringLiteral("POCET")).AsInteger(), kRows[0].count);
  EXPECT_EQ(t.FieldByName(QStringLiteral("POZN")).AsString(), kRows[0].note);
  EXPECT_EQ(t.FieldByName(QStringLiteral("KOD")).AsString(), QString::number(kRows[0].count));
}

INSTANTIATE_TEST_SUITE_P(Levels, RecordSetTest,
                         ::testing::Values(Level{3, false}, Level{4, false}, Level{7, true}, Level{25, true}),
                         [](const auto& info) { return "Level" + std::to_string(info.param.level); });

class TableHandlesTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  QString name = dir.filePath(QStringLiteral("zdiel.dbf"));

  void SetUp() override {
    TXbTable t;
    t.SetTableName(name);
    t.SetTableLevel(3);
    t.FieldDefs = {{QStringLiteral("MENO"), TFieldType::String, 10}, {QStringLiteral("CISLO"), TFieldType::Integer}};
    t.CreateTable();
    t.Open();
    for (int i = 1; i <= 3; ++i) {
      t.Append();
      t.FieldByName(QStringLiteral("MENO")).SetValue(QStringLiteral("r%1").arg(i));
      t.FieldByName(QStringLiteral("CISLO")).SetValue(i);
      t.Post();
    }
  }
  void OpenShared(TXbTable& t) {
    t.SetTableName(name);
    t.Open();
  }
};

TEST_F(TableHandlesTest, EditedRecordIsLockedForOtherHandles) {
  TXbTable a, b;
  OpenShared(a);
  OpenShared(b);
  a.Edit();
  try {
    b.Edit();
    FAIL() << "a record in edit was locked twice";
  } catch (const EXbError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Record locked."));
  }
  EXPECT_EQ(b.State(), TDataSetState::Browse);
  b.Next();
  EXPECT_NO_THROW(b.Edit()) << "other records stay free";
  b.Cancel();
  b.First();
  a.FieldByName(QStringLiteral("CISLO")).SetValue(10);
  a.Post();
  b.Edit();
  EXPECT_EQ(b.FieldByName(QStringLiteral("CISLO")).AsInteger(), 10) << "editing reads the record again";
  b.Cancel();
  a.Edit();
  a.Cancel();
  EXPECT_NO_THROW(b.Edit()) << "a cancelled edit releases its lock";
  b.Post();
}

TEST_F(TableHandlesTest, TwoHandlesAppendToDifferentSlots) {
  TXbTable a, b;
  OpenShared(a);
  OpenShared(b);
  a.Append();
  b.Append();
  a.FieldByName(QStringLiteral("MENO")).SetValue(QStringLiteral("od A"));
  b.FieldByName(QStringLiteral("MENO")).SetValue(QStringLiteral("od B"));
  a.Post();
  b.Post();
  EXPECT_EQ(a.PhysicalRecNo(), 4);
  EXPECT_EQ(b.PhysicalRecNo(), 5);
  a.Close();
  b.Close();
  EXPECT_EQ(DbfBytes::Le32(DbfBytes::ReadFile(name).constData() + 4), 5u);
  TXbTable c;
  OpenShared(c);
  c.Last();
  EXPECT_EQ(c.FieldByName(QStringLiteral("MENO")).AsString(), QStringLiteral("od B"));
}

TEST_F(TableHandlesTest, FilterEventAndDeletedRecords) {
  TXbTable t;
  OpenShared(t);
  t.OnFilterRecord = [](TXbTable& table, const char* record) { return table.ValueOf(record, 1).toInt() != 2; };
  t.SetFiltered(true);
  EXPECT_EQ(t.RecordCount(), 2);
  t.Last();
  t.Delete();
  EXPECT_EQ(t.RecordCount(), 1);
  t.SetShowDeleted(true);
  EXPECT_EQ(t.RecordCount(), 2) << "the deleted record shows, the filtered one does not";
  t.SetFiltered(false);
  EXPECT_EQ(t.RecordCount(), 3);
  EXPECT_THROW(t.SetFilter(QStringLiteral("CISLO >")), EXbError) << "an expression that does not compile";
  EXPECT_TRUE(t.Filter().isEmpty());
  t.SetFilter(QStringLiteral("CISLO <> 2"));
  t.SetFiltered(true);
  EXPECT_EQ(t.RecordCount(), 2) << "the expression and the event both apply";
}

TEST_F(TableHandlesTest, TooWideNumberKeepsTheEditOpen) {
  TXbTable t;
  OpenShared(t);
  t.Edit();
  t.FieldByName(QStringLiteral("CISLO")).SetValue(1234567890);
  EXPECT_THROW(t.Post(), EXbError);
  EXPECT_EQ(t.State(), TDataSetState::Edit);
  t.Cancel();
  EXPECT_EQ(t.FieldByName(QStringLiteral("CISLO")).AsInteger(), 1);
}

TEST(XbTableTest, NamesPathsAndVersion) {
  EXPECT_EQ(TXbTable::Version(), QStringLiteral("6.45"));
  TXbTable t;
  EXPECT_EQ(t.FilePathFull(), XbPath::WithTrailingBackslash(TXbTable::ApplicationFolder()));
  t.SetTableName(QStringLiteral("clenovia.dbf"));
  EXPECT_EQ(t.TableFileName(),
            XbPath::WithTrailingBackslash(TXbTable::ApplicationFolder()) + QStringLiteral("clenovia.dbf"));
  t.SetTableName(QStringLiteral("/data/zvaz/ulovky.dbf"));
  EXPECT_EQ(t.FilePath(), QStringLiteral("/data/zvaz/"));
  EXPECT_EQ(t.TableName(), QStringLiteral("ulovky.dbf"));
  EXPECT_EQ(t.TableFileName(), QStringLiteral("/data/zvaz/ulovky.dbf"));
  t.SetTableLevel(5);
  EXPECT_EQ(t.TableLevel(), 4) << "unknown levels are ignored";
}

TEST(XbTableTest, StructureOfSixteenFieldsAndAutoIncrements) {
  QTemporaryDir dir;
  TXbTable t;
  t.SetTableName(dir.filePath(QStringLiteral("s.dbf")));
  t.SetTableLevel(3);
  for (int i = 0; i < 16; ++i)
    t.FieldDefs << TFieldDef{QStringLiteral("F%1").arg(i), TFieldType::String, 3};
  t.CreateTable();
  const QByteArray file = DbfBytes::ReadFile(dir.filePath(QStringLiteral("s.dbf")));
  EXPECT_EQ(quint8(file[8]) | quint8(file[9]) << 8, 545);
  EXPECT_EQ(file[544], '\x0D');

  TXbFieldDefs defs;
  defs.Format = TableFormat::Dbase7;
  defs.Add(QStringLiteral("ID"), ftAutoInc);
  defs.Add(QStringLiteral("MENO"), ftString, 8);
  TXbTable seven;
  seven.SetTableName(dir.filePath(QStringLiteral("seven.dbf")));
  seven.SetTableLevel(7);
  seven.CreateTableWith(&defs);
  seven.Open();
  for (const char* name : {"prvy", "druhy"}) {
    seven.Append();
    seven.FieldByName(QStringLiteral("MENO")).SetValue(QLatin1String(name));
    seven.Post();
  }
  QList<int> ids;
  for (seven.First(); !seven.Eof(); seven.Next())
    ids << seven.FieldByName(QStringLiteral("ID")).AsInteger();
  EXPECT_EQ(ids, QList<int>({0, 1}));
}

TEST(XbTableTest, FailedCreationLeavesNoFile) {
  QTemporaryDir dir;
  TXbTable t;
  t.SetTableName(dir.filePath(QStringLiteral("zle.dbf")));
  t.SetTableLevel(3);
  t.FieldDefs = {{QStringLiteral("A"), TFieldType::String, 300}};
  EXPECT_THROW(t.CreateTable(), EXbError) << "a dBASE III text field holds at most 255 bytes";
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("zle.dbf"))));
  t.FieldDefs = {{QStringLiteral("KEDY"), TFieldType::DateTime}};
  EXPECT_THROW(t.CreateTable(), EXbError);
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("zle.dbf"))));
}

TEST(XbTableTest, EmptyTableCursor) {
  TXbFile file;
  file.SetMode(PagedFileMode::MemoryNew);
  file.OpenTable();
  TXbFieldDefs defs;
  defs.Add(QStringLiteral("A"), ftString, 1);
  file.CreateStructure(defs, 512);
  TXbCursor cursor(&file);
  cursor.Last();
  EXPECT_EQ(cursor.PhysicalRecNo(), 0);
  cursor.First();
  EXPECT_FALSE(cursor.Next());
  EXPECT_EQ(cursor.PhysicalRecNo(), 1) << "after the last position";
  EXPECT_FALSE(cursor.Prior());
  EXPECT_EQ(cursor.PhysicalRecNo(), 0);
}

TEST(XbTableTest, MissingTableAndAutoCreate) {
  QTemporaryDir dir;
  TXbTable t;
  t.SetTableName(dir.filePath(QStringLiteral("nie.dbf")));
  EXPECT_THROW(t.Open(), Exception);
  EXPECT_FALSE(t.Active());
  t.OpenMode = TXbOpenMode::omAutoCreate;
  t.FieldDefs = {{QStringLiteral("A"), TFieldType::String, 5}};
  bool asked = false;
  t.BeforeAutoCreate = [&](TXbTable&, bool& doCreate) { asked = true; };
  t.Open();
  EXPECT_TRUE(asked);
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("nie.dbf"))));
  EXPECT_EQ(t.FieldNames(), QStringList({QStringLiteral("A")}));
}

TEST(XbTableTest, MemoryTableAndDuplicateNames) {
  DbfBytes::Table d;
  d.fields = {{"NAME", 'C', 4}, {"NAME", 'C', 4}, {"NAME", 'C', 4}};
  d.records = {DbfBytes::Record(d, {"a", "b", "c"})};
  QBuffer buffer;
  buffer.setData(DbfBytes::Build(d));
  TXbTable t;
  t.Storage = TXbStorage::stoMemory;
  t.SetMemoryStream(&buffer);
  t.Open();
  EXPECT_EQ(t.FieldNames(), QStringList({QStringLiteral("NAME"), QStringLiteral("NAME2"), QStringLiteral("NAME3")}));
  EXPECT_EQ(t.FieldByName(QStringLiteral("NAME2")).AsString(), QStringLiteral("b"));
  t.Edit();
  t.FieldByName(QStringLiteral("NAME3")).SetValue(QStringLiteral("zz"));
  t.Post();
  t.Close();
  EXPECT_TRUE(buffer.data().contains("zz  "));
}

TEST(XbTableTest, MemoryTableKeepsItsMemoValues) {
  TXbTable t;
  t.Storage = TXbStorage::stoMemory;
  t.SetTableLevel(4);
  t.FieldDefs = {{QStringLiteral("POZN"), TFieldType::Memo}};
  t.Open(); // no stream yet: the table is made in memory
  t.Append();
  t.FieldByName(QStringLiteral("POZN")).SetValue(QStringLiteral("poznámka v pamäti"));
  t.Post();
  t.Close();
  t.Open();
  ASSERT_EQ(t.RecordCount(), 1);
  EXPECT_EQ(t.FieldByName(QStringLiteral("POZN")).AsString(), QStringLiteral("poznámka v pamäti"));
}

TEST(XbTableTest, UnknownCodePageIsReadOnlyUnlessTheUserChooses) {
  QTemporaryDir dir;
  DbfBytes::Table d;
  d.version = 0x03;
  d.language = 0x13; // code page 932, not known here
  d.fields = {{"A", 'C', 3}};
  d.records = {DbfBytes::Record(d, {"abc"})};
  const QString path = dir.filePath(QStringLiteral("jp.dbf"));
  DbfBytes::WriteFile(path, DbfBytes::Build(d));
  for (const auto action : {TXbLanguageAction::Keep, TXbLanguageAction::UseAnsi}) {
    TXbTable t;
    t.SetTableName(path);
    t.OnLanguageWarning = [&](TXbTable&, TXbLanguageAction& a) { a = action; };
    t.Open();
    EXPECT_EQ(t.CanModify(), action != TXbLanguageAction::Keep);
    EXPECT_EQ(t.FieldByName(QStringLiteral("A")).AsString(), QStringLiteral("abc"));
  }
}

TEST(XbTableTest, TranslateHandlerConvertsText) {
  QTemporaryDir dir;
  DbfBytes::Table d;
  d.fields = {{"A", 'C', 6}};
  d.records = {DbfBytes::Record(d, {"ABC"})};
  const QString path = dir.filePath(QStringLiteral("tr.dbf"));
  DbfBytes::WriteFile(path, DbfBytes::Build(d));
  TXbTable t;
  t.SetTableName(path);
  t.OnTranslate = [](TXbTable&, const char* src, char* dest, bool toOem) {
    int n = 0;
    for (; src[n]; ++n)
      dest[n] = toOem ? char(std::toupper(src[n])) : char(std::tolower(src[n]));
    return n;
  };
  t.Open();
  EXPECT_EQ(t.FieldByName(QStringLiteral("A")).AsString(), QStringLiteral("abc"));
  t.Edit();
  t.FieldByName(QStringLiteral("A")).SetValue(QStringLiteral("xyz"));
  t.Post();
  t.Close();
  EXPECT_TRUE(DbfBytes::ReadFile(path).contains("XYZ   "));
}

TEST(XbTableTest, WrittenTableOpensInLibreOffice) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sumar.dbf"));
  {
    TXbTable t;
    t.SetTableName(path);
    t.SetTableLevel(3); // as the catch summary is written: dBASE III in code page 1250
    t.FieldDefs = {{QStringLiteral("REVIR"), TFieldType::String, 30},
                   {QStringLiteral("KS"), TFieldType::Integer},
                   {QStringLiteral("KG"), TFieldType::Float, 10, 2},
                   {QStringLiteral("DATUM"), TFieldType::Date}};
    t.CreateTable();
    t.Open();
    const struct {
      const char* revir;
      int ks;
      double kg;
    } rows[] = {{"Váh č. 5 – Žilina", 12, 34.5}, {"Hornád Ťahanovce", -3, 0.75}};
    for (const auto& r : rows) {
      t.Append();
      t.FieldByName(QStringLiteral("REVIR"))
          .SetValue(QString::fromUtf8(r.revir).replace(QChar(0x2013), QLatin1Char('-')));
      t.FieldByName(QStringLiteral("KS")).SetValue(r.ks);
      t.FieldByName(QStringLiteral("KG")).SetValue(r.kg);
      t.FieldByName(QStringLiteral("DATUM")).SetValue(QDate(2026, 12, 10));
      t.Post();
    }
  }
  const TOfficeCsv office = ReadInLibreOffice(path);
  if (!office.skip.isEmpty()) GTEST_SKIP() << office.skip.toStdString();
  const QString& csv = office.csv;
  const QStringList lines = csv.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3) << csv.toStdString();
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("\"REVIR,C,30\",\"KS,N,9,0\",\"KG,N,10,2\",\"DATUM,D\"")))
      << lines[0].toStdString();
  EXPECT_EQ(lines[1], QStringLiteral("Váh č. 5 - Žilina,12,34.50,12/10/26"));
  EXPECT_EQ(lines[2], QStringLiteral("Hornád Ťahanovce,-3,0.75,12/10/26"));
}

} // namespace
