#include "DbfBytes.h"
#include "core/CodePage1250.h"
#include "dbase/xb_codepages.h"
#include "dbase/xbtable.h"
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using DbfBytes::Field;

QByteArray Cp(int page, const char* utf8) { return XbCodePages::Encode(page, QString::fromUtf8(utf8)); }

// Foreign files written by the test-side writer, opened read-only.
class ForeignTableTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  TXbTable table;

  QString Put(const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QLatin1String(name));
    EXPECT_TRUE(DbfBytes::WriteFile(path, bytes));
    return path;
  }
  void OpenReadOnly(const char* name) {
    table.SetTableName(dir.filePath(QLatin1String(name)));
    table.ReadOnly = true;
    table.Open();
  }
  QStringList Column(const char* field) {
    QStringList values;
    for (table.First(); !table.Eof(); table.Next()) {
      values << table.FieldByName(QLatin1String(field)).AsString();
    }
    return values;
  }
};

TEST_F(ForeignTableTest, DbaseIIIWithMemo) {
  DbfBytes::Table t;
  t.version = 0x83;
  t.fields = {{"MENO", 'C', 20}, {"VEK", 'N', 3}, {"SUMA", 'N', 8, 2},
              {"NAR", 'D', 8},   {"AKT", 'L', 1}, {"POZN", 'M', 10}};
  t.records = {DbfBytes::Record(t, {Cp(1250, "Ďurovič Ľubomír"), " 42", DbfBytes::RightText("1234.50", 8), "19840229",
                                    "T", "         1"}),
               DbfBytes::Record(t, {"Zmazany", "  1", "", "", "F", ""}, true),
               DbfBytes::Record(t, {Cp(1250, "Nový"), "", "   -0.25", "        ", "?", "         2"})};
  const QByteArray longNote = Cp(1250, "Dlhá poznámka ") + QByteArray(600, 'x');
  Put("clenovia.dbf", DbfBytes::Build(t));
  Put("clenovia.dbt", DbfBytes::DbaseIIIMemo({Cp(1250, "Prvá poznámka"), longNote}));
  const QByteArray before = DbfBytes::ReadFile(dir.filePath(QStringLiteral("clenovia.dbf")));
  table.SetTableName(dir.filePath(QStringLiteral("clenovia.dbf")));
  const QList<TFieldDef> closedDefs = table.TableFieldDefs();
  OpenReadOnly("clenovia.dbf");
  ASSERT_EQ(closedDefs.size(), 6) << "definitions are read while the table is closed";
  EXPECT_EQ(closedDefs[0].Name, QStringLiteral("MENO"));
  EXPECT_EQ(closedDefs[0].Size, 20);
  EXPECT_EQ(closedDefs[2].Precision, 2);

  EXPECT_EQ(table.TableLevel(), 3);
  EXPECT_EQ(table.TranslationMode(), TTranslationMode::SameCodePage) << "dBASE III text is read in the ANSI code page";
  EXPECT_EQ(table.FieldNames(), QStringList({QStringLiteral("MENO"), QStringLiteral("VEK"), QStringLiteral("SUMA"),
                                             QStringLiteral("NAR"), QStringLiteral("AKT"), QStringLiteral("POZN")}));
  const TFieldType types[] = {TFieldType::String, TFieldType::SmallInt, TFieldType::Float,
                              TFieldType::Date,   TFieldType::Boolean,  TFieldType::Memo};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(table.FieldByNumber(i).DataType(), types[i]) << i;
  ASSERT_EQ(table.RecordCount(), 2) << "the deleted record is hidden";
  table.First();
  EXPECT_EQ(table.FieldByName(QStringLiteral("MENO")).AsString(), QStringLiteral("Ďurovič Ľubomír"));
  EXPECT_EQ(table.FieldByName(QStringLiteral("VEK")).AsInteger(), 42);
  EXPECT_DOUBLE_EQ(table.FieldByName(QStringLiteral("SUMA")).AsFloat(), 1234.5);
  EXPECT_EQ(DateTime::ToDate(table.FieldByName(QStringLiteral("NAR")).AsDateTime()), QDate(1984, 2, 29));
  EXPECT_TRUE(table.FieldByName(QStringLiteral("AKT")).AsBoolean());
  EXPECT_EQ(table.FieldByName(QStringLiteral("POZN")).AsString(), QStringLiteral("Prvá poznámka"));
  table.Next();
  EXPECT_EQ(table.FieldByName(QStringLiteral("MENO")).AsString(), QStringLiteral("Nový"));
  EXPECT_TRUE(table.FieldByName(QStringLiteral("VEK")).IsNull());
  EXPECT_DOUBLE_EQ(table.FieldByName(QStringLiteral("SUMA")).AsFloat(), -0.25);
  EXPECT_TRUE(table.FieldByName(QStringLiteral("NAR")).IsNull());
  EXPECT_FALSE(table.FieldByName(QStringLiteral("AKT")).AsBoolean());
  EXPECT_EQ(table.FieldByName(QStringLiteral("POZN")).AsString(), Cp1250::Decode(longNote));
  EXPECT_FALSE(table.CanModify());

  table.SetShowDeleted(true);
  EXPECT_EQ(Column("MENO"),
            QStringList({QStringLiteral("Ďurovič Ľubomír"), QStringLiteral("Zmazany"), QStringLiteral("Nový")}));
  table.Close();
  EXPECT_EQ(DbfBytes::ReadFile(dir.filePath(QStringLiteral("clenovia.dbf"))), before)
      << "a read-only table is left untouched";
}

TEST_F(ForeignTableTest, DbaseIVInCodePage852WithAndWithoutProductionIndex) {
  for (const quint8 flag : {0, 1}) {
    DbfBytes::Table t;
    t.version = 0x8B;
    t.language = 0x1F; // code page 852
    t.productionIndex = flag;
    t.fields = {{"PRIEZVISKO", 'C', 15}, {"CISLO", 'N', 12}, {"TEXT", 'M', 10}};
    t.records = {DbfBytes::Record(t, {Cp(852, "Šťastný"), DbfBytes::RightText("123456789012", 12), "         1"})};
    Put("iv.dbf", DbfBytes::Build(t));
    Put("iv.dbt", DbfBytes::DbaseIVMemo(512, {Cp(852, "Žiaľ, áno.")}));
    OpenReadOnly("iv.dbf");
    EXPECT_EQ(table.TableLevel(), 4);
    EXPECT_EQ(table.LanguageId(), 0x1F);
    EXPECT_EQ(table.TranslationMode(), TTranslationMode::OemCodePage);
    EXPECT_EQ(table.FieldByName(QStringLiteral("PRIEZVISKO")).AsString(), QStringLiteral("Šťastný"));
    EXPECT_EQ(table.FieldByName(QStringLiteral("CISLO")).AsFloat(), 123456789012.0);
    EXPECT_EQ(table.FieldByName(QStringLiteral("TEXT")).AsString(), QStringLiteral("Žiaľ, áno."));
    table.Close();
  }
}

TEST_F(ForeignTableTest, Dbase7WithFieldProperties) {
  DbfBytes::Table t;
  t.version = 0x04;
  t.dbase7 = true;
  t.languageName = "DBWINUS0";
  t.fields = {{"NAZOV_DLHE_MENO_POLA", 'C', 10}, {"POCET", 'I', 4}, {"KEDY", '@', 8}};
  // Properties: field 1 required, field 2 default value.
  QByteArray props(16 + 2 * 15 + 4, '\0');
  DbfBytes::PutLe16(props, 0, 2);
  DbfBytes::PutLe16(props, 2, 16);
  DbfBytes::PutLe16(props, 16 + 2, 1);
  props[16 + 4] = 1;
  DbfBytes::PutLe16(props, 31 + 2, 2);
  props[31 + 4] = 4;
  DbfBytes::PutLe16(props, 31 + 11, 46);
  DbfBytes::PutLe16(props, 31 + 13, 4);
  props.replace(46, 4, QByteArray("\x80\x00\x00\x05", 4));
  t.afterTerminator = props;
  // 2026-12-10 00:00 as milliseconds from 0001-01-01 (day 1), a double stored big-endian.
  const double ms = 739960.0 * 86400000.0;
  QByteArray stamp(8, '\0');
  std::memcpy(stamp.data(), &ms, 8);
  std::reverse(stamp.begin(), stamp.end());
  t.records = {DbfBytes::Record(t, {"Prvy", QByteArray("\x80\x00\x00\x03", 4), stamp}),
               DbfBytes::Record(t, {"Druhy", QByteArray(4, '\0'), QByteArray(8, '\0')})};
  Put("d7.dbf", DbfBytes::Build(t));
  OpenReadOnly("d7.dbf");
  EXPECT_EQ(table.TableLevel(), 7);
  EXPECT_EQ(table.DbfFile()->UseCodePage, 1252);
  EXPECT_EQ(table.LanguageId(), 0x57);
  EXPECT_EQ(table.FieldByNumber(0).FieldName(), QStringLiteral("NAZOV_DLHE_MENO_POLA"));
  const TXbFieldDefs& defs = table.DbfFile()->FieldDefs();
  EXPECT_TRUE(defs[0].Required);
  EXPECT_FALSE(defs[1].Required);
  EXPECT_EQ(defs[1].DefaultValue, QByteArray("\x80\x00\x00\x05", 4));
  EXPECT_EQ(table.FieldByName(QStringLiteral("POCET")).AsInteger(), 3);
  EXPECT_EQ(table.FieldByName(QStringLiteral("KEDY")).AsDateTime(), DateTime::EncodeDate(2026, 12, 10))
      << "midnight is a value";
  table.Next();
  EXPECT_TRUE(table.FieldByName(QStringLiteral("POCET")).IsNull());
  EXPECT_TRUE(table.FieldByName(QStringLiteral("KEDY")).IsNull());
  QByteArray fresh(table.DbfFile()->RecordSize(), '\0');
  table.DbfFile()->InitRecord(fresh.data());
  EXPECT_EQ(table.ValueOf(fresh.constData(), 1).toInt(), 5) << "a new record gets the default value";
}

TEST_F(ForeignTableTest, FoxProWithNullFlagsAndMemo) {
  DbfBytes::Table t;
  t.version = 0x30;
  t.foxPro = true;
  t.language = 0xC8; // code page 1250
  // POZN holds its block number as text (FoxPro 2), BIN in four binary bytes (Visual FoxPro).
  t.fields = {{"MENO", 'C', 10, 0, 2},
              {"SUMA", 'Y', 8, 4, 2},
              {"POZN", 'M', 10},
              {"BIN", 'M', 4},
              {"_NullFlags", '0', 1, 0, 5}};
  QByteArray money(8, '\0');
  DbfBytes::PutLe32(money, 0, 123450);
  t.records = {DbfBytes::Record(
                   t, {Cp(1250, "Ján"), money, "         8", QByteArray("\x09\x00\x00\x00", 4), QByteArray(1, '\0')}),
               DbfBytes::Record(t, {"", QByteArray(8, '\0'), "", QByteArray(4, '\0'), QByteArray(1, '\x03')})};
  Put("fox.dbf", DbfBytes::Build(t));
  Put("fox.fpt", DbfBytes::FoxProMemo(64, {Cp(1250, "Poznámka do FoxPro"), Cp(1250, "druhá")}));
  OpenReadOnly("fox.dbf");
  EXPECT_EQ(table.TableLevel(), 25);
  EXPECT_EQ(table.FieldByName(QStringLiteral("MENO")).AsString(), QStringLiteral("Ján"));
  EXPECT_DOUBLE_EQ(table.FieldByName(QStringLiteral("SUMA")).AsFloat(), 12.345);
  EXPECT_EQ(table.FieldByName(QStringLiteral("POZN")).AsString(), QStringLiteral("Poznámka do FoxPro"));
  EXPECT_EQ(table.FieldByName(QStringLiteral("BIN")).AsString(), QStringLiteral("druhá"));
  table.Next();
  EXPECT_TRUE(table.FieldByName(QStringLiteral("BIN")).IsNull());
  EXPECT_TRUE(table.FieldByName(QStringLiteral("MENO")).IsNull());
  EXPECT_TRUE(table.FieldByName(QStringLiteral("SUMA")).IsNull()) << "the null bit wins over the stored bytes";
  QByteArray fresh(table.DbfFile()->RecordSize(), '\0');
  table.DbfFile()->InitRecord(fresh.data());
  for (int i = 0; i < 2; ++i)
    EXPECT_FALSE(table.DbfFile()->GetFieldValue(i, ftString, nullptr, fresh.constData())) << i;
}

TEST_F(ForeignTableTest, HeaderCountFollowsTheFileSize) {
  DbfBytes::Table t;
  t.fields = {{"A", 'C', 2}};
  for (int i = 0; i < 8; ++i)
    t.records << DbfBytes::Record(t, {QByteArray::number(i)});
  t.records << QByteArray(" "); // a last record cut short
  t.headerCount = 10;
  const QString path = Put("count.dbf", DbfBytes::Build(t));
  table.SetTableName(path);
  table.Open();
  EXPECT_EQ(table.RecordCount(), 8);
  table.Close();
  EXPECT_EQ(DbfBytes::Le32(DbfBytes::ReadFile(path).constData() + 4), 8u) << "a writable open corrects the header";
}

TEST_F(ForeignTableTest, MissingProductionIndex) {
  DbfBytes::Table t;
  t.version = 0x03;
  t.language = 0x9B;
  t.productionIndex = 1;
  t.fields = {{"A", 'C', 2}};
  t.records = {DbfBytes::Record(t, {"x"})};
  const QString path = Put("mdx.dbf", DbfBytes::Build(t));
  {
    TXbTable keep;
    keep.SetTableName(path);
    keep.OnIndexMissing = [](TXbFile&, bool& deleteLink) { deleteLink = false; };
    EXPECT_THROW(keep.Open(), EXbAbort);
    EXPECT_FALSE(keep.Active());
  }
  EXPECT_EQ(DbfBytes::ReadFile(path)[28], 1);
  table.SetTableName(path);
  table.Open();
  EXPECT_EQ(table.FieldByName(QStringLiteral("A")).AsString(), QStringLiteral("x"));
  table.Close();
  EXPECT_EQ(DbfBytes::ReadFile(path)[28], 0) << "without a handler the link to the missing index is dropped";
}

TEST_F(ForeignTableTest, MissingMemoFileReadsEmptyValues) {
  DbfBytes::Table t;
  t.version = 0x83;
  t.fields = {{"POZN", 'M', 10}};
  t.records = {DbfBytes::Record(t, {"         1"})};
  Put("nomemo.dbf", DbfBytes::Build(t));
  OpenReadOnly("nomemo.dbf");
  EXPECT_TRUE(table.FieldByName(QStringLiteral("POZN")).IsNull());
}

struct BadFile {
  const char* what;
  std::function<QByteArray()> bytes;
  QString message;
};

TEST_F(ForeignTableTest, BadFilesGiveErrorsNeverCrashes) {
  auto base = [] {
    DbfBytes::Table t;
    t.fields = {{"MENO", 'C', 10}, {"VEK", 'N', 3}};
    t.records = {DbfBytes::Record(t, {"Jano", " 30"})};
    return t;
  };
  const QString invalid = QStringLiteral("Invalid DBF file.");
  const BadFile cases[] = {
      {"truncated header", [&] { return DbfBytes::Build(base()).left(20); }, invalid},
      {"unknown version",
       [&] {
         auto b = DbfBytes::Build(base());
         b[0] = 0x07;
         return b;
       },
       invalid},
      {"descriptor without name",
       [&] {
         auto b = DbfBytes::Build(base());
         b.replace(32, 11, QByteArray(11, '\0'));
         return b;
       },
       invalid},
      {"unknown field type",
       [&] {
         auto b = DbfBytes::Build(base());
         b[32 + 11] = 'X';
         return b;
       },
       invalid},
      {"fields longer than the record",
       [&] {
         auto b = DbfBytes::Build(base());
         DbfBytes::PutLe16(b, 10, 5);
         return b;
       },
       invalid},
      {"header shorter than a descriptor",
       [&] {
         auto b = DbfBytes::Build(base());
         DbfBytes::PutLe16(b, 8, 20);
         return b;
       },
       invalid},
      {"no field",
       [&] {
         auto b = DbfBytes::Build(base());
         DbfBytes::PutLe16(b, 8, 33);
         return b;
       },
       QStringLiteral("Invalid field count: 0 (must be between 1 and 4095).")},
      {"header and record size zero",
       [&] {
         auto b = DbfBytes::Build(base());
         DbfBytes::PutLe16(b, 8, 0);
         return b;
       },
       QStringLiteral("Open aborted.")},
      {"empty file", [] { return QByteArray(); }, invalid},
  };
  for (const BadFile& c : cases) {
    Put("bad.dbf", c.bytes());
    TXbTable bad;
    bad.SetTableName(dir.filePath(QStringLiteral("bad.dbf")));
    bad.ReadOnly = true;
    try {
      bad.Open();
      ADD_FAILURE() << c.what << ": opened";
    } catch (const EXbError& e) {
      EXPECT_EQ(e.Message(), c.message) << c.what;
    }
    EXPECT_FALSE(bad.Active()) << c.what;
  }
}

TEST_F(ForeignTableTest, BadMemoPointers) {
  DbfBytes::Table t;
  t.version = 0x8B;
  t.language = 0x9B;
  t.fields = {{"POZN", 'M', 10}};
  t.records = {DbfBytes::Record(t, {"        99"}), DbfBytes::Record(t, {"         1"}),
               DbfBytes::Record(t, {"         2"})};
  QByteArray memo = DbfBytes::DbaseIVMemo(512, {QByteArray("ok"), QByteArray("long")});
  DbfBytes::PutLe32(memo, 1024 + 4, 0x7FFFFFF0); // stored length far beyond the file
  Put("memo.dbf", DbfBytes::Build(t));
  Put("memo.dbt", memo);
  OpenReadOnly("memo.dbf");
  EXPECT_TRUE(table.FieldByName(QStringLiteral("POZN")).IsNull()) << "a block past the end reads as empty";
  table.Next();
  EXPECT_EQ(table.FieldByName(QStringLiteral("POZN")).AsString(), QStringLiteral("ok"));
  table.Next();
  EXPECT_EQ(table.FieldByName(QStringLiteral("POZN")).AsString().size(), 512 - 8)
      << "a length past the end stops at the end";
  table.Close();

  DbfBytes::PutLe32(memo, 1024 + 4, 3);
  Put("memo.dbt", memo);
  table.Open();
  table.Last();
  try {
    table.FieldByName(QStringLiteral("POZN")).AsString();
    ADD_FAILURE() << "a stored total below 8 was read";
  } catch (const EXbError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Invalid memo block 3."));
  }
}

} // namespace
