#include "app/AppContext.h"
#include "controls/IBCheckBox.h"
#include "controls/IBEdit.h"
#include "registers/members/fSImport.h"
#include "tests/app/AdminTestSupport.h"
#include "tests/dbase/DbfBytes.h"
#include "tests/dbase/OfficeReader.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QListWidget>
#include <map>
#include <span>
#include <string>

namespace {

// A field of a source layout: name, dBASE type and size.
struct TSourceField {
  const char* name;
  char type;
  int size;
};

const TSourceField kClezk[] = {{"MENO", 'C', 40},     {"ULICA", 'C', 30},   {"MESTO", 'C', 30},    {"PSC", 'C', 8},
                               {"DAT_NAR", 'D', 8},   {"CLCIS", 'C', 10},   {"CLEN_OD_R", 'N', 4}, {"BRIGPOV", 'L', 1},
                               {"PROFESIA", 'C', 30}, {"TELEFON", 'C', 30}, {"POZNAMKA", 'C', 60}, {"STRYL", 'C', 30},
                               {"OBVOD", 'N', 2}};
const TSourceField kClen[] = {{"TITUL", 'C', 10}, {"MENO", 'C', 20}, {"PRIEZ", 'C', 30},  {"ULICA", 'C', 30},
                              {"MESTO", 'C', 30}, {"PSC", 'C', 8},   {"RODCIS", 'C', 11}, {"CISLEG", 'C', 10},
                              {"VSTUP", 'N', 4},  {"SKOL", 'C', 1},  {"SDAT", 'D', 8},    {"OSLOB", 'C', 1},
                              {"ZAR", 'C', 30},   {"ZAM", 'C', 30},  {"CT1", 'C', 15},    {"CT2", 'N', 4},
                              {"CT3", 'C', 15},   {"POZ", 'C', 60},  {"COP", 'C', 10}};

// The members' columns compared, in this order.
const char* const kColumns = "TITUL, MENO, PRIEZVISKO, ULICA, MESTO, PSC, DATUM_NARODENIA, CISLO_LEGITIMACIE, "
                             "VSTUP_JUX, VSTUP_ZO, SKOLENIE_USKUTOCNENE, SKOLENIE_DATUM, BRIGADA_VYZADOVAT, "
                             "PRACOVNE_ZARADENIE, POVOLANIE, TELEFON, POZNAMKA, CLEN_OBO";

// One source record (field values as the file shows them: dates YYYYMMDD, flags T/F)
// and the member row it must give (the columns above joined by "|", Null as "-").
struct TImportCase {
  const char* what;
  std::map<std::string, std::string> record;
  const char* member;

  QString Value(const char* field) const {
    const auto it = record.find(field);
    return it == record.end() ? QString() : QString::fromStdString(it->second);
  }
};

QList<TImportCase> ClezkCases() {
  return {
      {"diacritics, three words, joined text",
       {{"MENO", "Šťastný Ľubomír Ing."},
        {"ULICA", "Hlavná 12"},
        {"MESTO", "Žilina"},
        {"PSC", "010 01"},
        {"DAT_NAR", "19550212"},
        {"CLCIS", " 123 "},
        {"CLEN_OD_R", "1980"},
        {"BRIGPOV", "T"},
        {"PROFESIA", "Učiteľ"},
        {"TELEFON", "041 555 1234"},
        {"POZNAMKA", "Výborný rybár"},
        {"STRYL", "Kapor"},
        {"OBVOD", "3"}},
       "Ing.|Ľubomír|Šťastný|Hlavná 12|Žilina|01001|1955-02-12|123|1980|1980|0|-|1|-|Učiteľ|041 555 1234|"
       "Výborný rybár\r\nKapor|3"},
      {"one-word name, PSC with blanks, empty date",
       {{"MENO", "Novák"}, {"PSC", " 123 45"}, {"CLEN_OD_R", "2001"}, {"BRIGPOV", "F"}, {"POZNAMKA", "Bez stráže"}},
       "||Novák|||12345|-||2001|2001|0|-|0|-|||Bez stráže|0"},
      {"impossible date",
       {{"MENO", "Ďurčo Peter"}, {"DAT_NAR", "20230231"}, {"BRIGPOV", "T"}, {"STRYL", "Pstruh"}},
       "|Peter|Ďurčo||||-||0|0|0|-|1|-|||\r\nPstruh|0"},
  };
}

QList<TImportCase> ClenCases() {
  return {
      {"woman born 1955, nine digits, phone and note",
       {{"TITUL", "Mgr."},
        {"MENO", "Mária"},
        {"PRIEZ", "Kováčová"},
        {"ULICA", "Nová 1"},
        {"MESTO", "Trnava"},
        {"PSC", " 917 01"},
        {"RODCIS", "555212/123"},
        {"CISLEG", " L-77 "},
        {"VSTUP", "1975"},
        {"SKOL", "A"},
        {"SDAT", "20100501"},
        {"OSLOB", "x"},
        {"ZAR", "Pokladníčka"},
        {"ZAM", "Lekárka"},
        {"CT1", "0905 123"},
        {"CT2", "0"},
        {"CT3", "0907"},
        {"POZ", "Stará členka"},
        {"COP", "AB123456"}},
       "Mgr.|Mária|Kováčová|Nová 1|Trnava|91701|1955-02-12|L-77|1975|1975|1|2010-05-01|0|Pokladníčka|Lekárka|"
       "0905 123/|Stará členka\r\nČíslo OP: AB123456\r\ntelefón: 0907|0"},
      {"born 1999, ten digits, extension alone, note from the card only",
       {{"MENO", "Ján"}, {"PRIEZ", "Hrušovský"}, {"RODCIS", "990315/1234"}, {"CT2", "5"}, {"COP", "XY9"}},
       "|Ján|Hrušovský||||1999-03-15||0|0|0|-|1|||5|\r\nČíslo OP: XY9|0"},
      {"woman born 2005",
       {{"MENO", "Eva"}, {"PRIEZ", "Malá"}, {"RODCIS", "056212/1234"}, {"CT1", "041"}, {"CT2", "22"}},
       "|Eva|Malá||||2005-12-12||0|0|0|-|1|||041/22||0"},
      {"born 2012 without the suffix, spare month",
       {{"MENO", "Adam"}, {"PRIEZ", "Ďuriš"}, {"RODCIS", "127704"}},
       "|Adam|Ďuriš||||2012-07-04||0|0|0|-|1|||||0"},
      {"impossible birth number",
       {{"MENO", "Ivan"}, {"PRIEZ", "Žiak"}, {"RODCIS", "551332/123"}},
       "|Ivan|Žiak||||-||0|0|0|-|1|||||0"},
      {"no birth number", {{"MENO", "Oto"}, {"PRIEZ", "Ťažký"}}, "|Oto|Ťažký||||-||0|0|0|-|1|||||0"},
  };
}

// The Slovak letters of the cases in code page 852, written out so that the
// fixtures do not depend on the program's own tables.
QByteArray Dos852(const QString& text) {
  static const QHash<QChar, char> letters = {
      {u'Š', '\xE6'}, {u'š', '\xE7'}, {u'Ť', '\x9B'}, {u'ť', '\x9C'}, {u'Ľ', '\x95'}, {u'ľ', '\x96'},
      {u'Ž', '\xA6'}, {u'ž', '\xA7'}, {u'Č', '\xAC'}, {u'č', '\x9F'}, {u'á', '\xA0'}, {u'é', '\x82'},
      {u'í', '\xA1'}, {u'ó', '\xA2'}, {u'ú', '\xA3'}, {u'ý', '\xEC'}, {u'ô', '\x93'}, {u'ä', '\x84'},
      {u'ň', '\xE5'}, {u'ď', '\xD4'}, {u'Ď', '\xD2'}, {u'ŕ', '\xEA'}, {u'ĺ', '\x92'}};
  QByteArray bytes;
  for (QChar c : text) {
    if (c.unicode() < 0x80)
      bytes += char(c.unicode());
    else if (letters.contains(c))
      bytes += letters.value(c);
    else
      ADD_FAILURE() << "no 852 byte for " << QString(c).toStdString();
  }
  return bytes;
}

// A source file written from the published layout, byte by byte.
void WriteDbf(const QString& path, std::span<const TSourceField> layout, const QList<TImportCase>& cases) {
  DbfBytes::Table table;
  for (const TSourceField& f : layout)
    table.fields << DbfBytes::Field{QByteArray(f.name), f.type, f.size};
  for (const TImportCase& c : cases) {
    QList<QByteArray> values;
    for (const TSourceField& f : layout) {
      const QByteArray value = Dos852(c.Value(f.name));
      values << (f.type == 'N' ? DbfBytes::RightText(value, f.size) : value);
    }
    table.records << DbfBytes::Record(table, values);
  }
  ASSERT_TRUE(DbfBytes::WriteFile(path, DbfBytes::Build(table)));
}

// The same records typed into a sheet and saved by LibreOffice as dBASE in
// code page 852; the first line gives each column's field description.
QString WriteDbfWithOffice(const QString& path, std::span<const TSourceField> layout, const QList<TImportCase>& cases) {
  QStringList header;
  for (const TSourceField& f : layout)
    header << (f.type == 'C'   ? QStringLiteral("%1,C,%2").arg(QLatin1String(f.name)).arg(f.size)
               : f.type == 'N' ? QStringLiteral("%1,N,%2,0").arg(QLatin1String(f.name)).arg(f.size)
                               : QStringLiteral("%1,%2").arg(QLatin1String(f.name)).arg(QLatin1Char(f.type)));
  QStringList lines{header.join(QLatin1Char(';'))};
  for (const TImportCase& c : cases) {
    QStringList cells;
    for (const TSourceField& f : layout) {
      const QString value = c.Value(f.name);
      const QDate date = QDate::fromString(value, QStringLiteral("yyyyMMdd"));
      cells << (f.type == 'C' ? QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                                    QLatin1Char('"')
                : f.type == 'D' ? (date.isValid() ? date.toString(Qt::ISODate) : QString())
                : f.type == 'L' ? (value == QLatin1String("T") ? QStringLiteral("TRUE") : QStringLiteral("FALSE"))
                                : value);
    }
    lines << cells.join(QLatin1Char(';'));
  }
  const QFileInfo target(path);
  const QString csv = target.path() + QLatin1Char('/') + target.completeBaseName() + QStringLiteral(".csv");
  QFile file(csv);
  if (!file.open(QIODevice::WriteOnly)) return QStringLiteral("cannot write %1").arg(csv);
  file.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
  file.close();
  return WriteDbfInLibreOffice(csv, path, kOfficeCharsetDos852);
}

class MemberImportTest : public AdminTest {
protected:
  void SetUp() override {
    AdminTest::SetUp();
    ProgramSettings.Rok = 2024;
  }
  void TearDown() override {
    TfrmSImport::AskFileName = {};
    AdminTest::TearDown();
  }

  // Runs the import of the file as the user would with OK; returns the dialog's modal result.
  int Import(const QString& path, int layout, bool emptying, QStringList* progress = nullptr) {
    TfrmSImport form(nullptr, db.get());
    form.SetSoftwareIndex(layout);
    form.eDBFile->setText(path);
    form.eVymazatClenov->SetCheckedValue(emptying ? 1 : 0);
    form.btnZapisClick();
    EXPECT_TRUE(form.isEnabled());
    if (progress)
      for (int i = 0; i < form.lbProgress->count(); ++i)
        *progress << form.lbProgress->item(i)->text();
    return form.ModalResult();
  }

  // The members in key order, their compared columns joined by "|".
  QStringList Members(const QString& where = QStringLiteral("1=1")) {
    QStringList members;
    for (const QVariantList& row :
         Rows(QStringLiteral("select %1 from c_clenov where %2 order by jedin").arg(QLatin1String(kColumns), where))) {
      QStringList values;
      for (const QVariant& v : row)
        values << (v.isNull()                       ? QStringLiteral("-")
                   : v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate)
                                                    : v.toString());
      members << values.join(QLatin1Char('|'));
    }
    return members;
  }

  qint64 Generator() { return Scalar(QStringLiteral("select gen_id(c_clenov_id, 0) from rdb$database")).toLongLong(); }

  void AddMember(int key, const QString& surname) {
    Exec(QStringLiteral("insert into c_clenov (jedin, priezvisko) values (:J, :P)"),
         {{QStringLiteral("J"), key}, {QStringLiteral("P"), surname}});
  }

  QTemporaryDir folder_;
};

enum class TSourceKind { Writer, LibreOffice };

class MemberImportLayoutTest : public MemberImportTest,
                               public ::testing::WithParamInterface<std::tuple<TSourceKind, int>> {};

TEST_P(MemberImportLayoutTest, EveryRecordBecomesTheExpectedMember) {
  const auto [kind, layout] = GetParam();
  const QList<TImportCase> cases = layout == 0 ? ClezkCases() : ClenCases();
  const std::span<const TSourceField> fields = layout == 0 ? std::span<const TSourceField>(kClezk) : kClen;
  const QString path = folder_.filePath(layout == 0 ? QStringLiteral("Clezk425.dbf") : QStringLiteral("Clen.dbf"));
  if (kind == TSourceKind::Writer) {
    WriteDbf(path, fields, cases);
  } else if (const QString skip = WriteDbfWithOffice(path, fields, cases); !skip.isEmpty()) {
    GTEST_SKIP() << skip.toStdString();
  }
  ASSERT_TRUE(QFile::exists(path));
  // Surnames in capitals for the files LibreOffice saved, as typed for the others.
  ProgramSettings.PRIEZVISKA_VELKYMI = kind == TSourceKind::LibreOffice;
  AddMember(1, QStringLiteral("Prvý"));
  Exec(QStringLiteral("set generator c_clenov_id to 1"));

  QStringList progress;
  EXPECT_EQ(Import(path, layout, false, &progress), mrOk);
  EXPECT_EQ(Messages(), QStringList{QStringLiteral("OK. Importovanie úspešne dokončené.")});
  ASSERT_EQ(progress.size(), cases.size());
  EXPECT_TRUE(progress[0].startsWith(QStringLiteral("Pridávam záznam č. 1 --- "))) << progress[0].toStdString();

  QStringList expected;
  for (const TImportCase& c : cases) {
    QStringList columns = QString::fromUtf8(c.member).split(QLatin1Char('|'));
    if (ProgramSettings.PRIEZVISKA_VELKYMI) columns[2] = columns[2].toUpper();
    expected << columns.join(QLatin1Char('|'));
  }
  EXPECT_EQ(Members(QStringLiteral("jedin > 1")), expected);
  EXPECT_EQ(Scalar(QStringLiteral("select list(jedin) from c_clenov")).toString(),
            layout == 0 ? QStringLiteral("1,2,3,4") : QStringLiteral("1,2,3,4,5,6,7"));
}

INSTANTIATE_TEST_SUITE_P(Sources, MemberImportLayoutTest,
                         ::testing::Combine(::testing::Values(TSourceKind::Writer, TSourceKind::LibreOffice),
                                            ::testing::Values(0, 1)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param) == TSourceKind::Writer ? "Writer"
                                                                                             : "LibreOffice") +
                                  (std::get<1>(info.param) == 0 ? "Clezk" : "Clen");
                         });

TEST_F(MemberImportTest, FailureInTheMiddleLeavesRegisterKeysAndGeneratorAsBefore) {
  struct TFailure {
    const char* what;
    TImportCase record7;
    int modalResult;
    const char* message;
  };
  const TFailure failures[] = {
      // A first name longer than its column: the server refuses it.
      {"database error", {"", {{"MENO", "Kováč Maximiliánsky-Ferdinandovič"}}, ""}, mrOk, ""},
      // A year of joining that is no number: the file's fault.
      {"file error", {"", {{"MENO", "Kováč Ján"}, {"CLEN_OD_R", "19x5"}}, ""}, mrNone, "Pole CLEN_OD_R"},
  };
  for (const TFailure& failure : failures) {
    SCOPED_TRACE(failure.what);
    for (int key : {3, 5, 8})
      AddMember(key, QStringLiteral("Člen %1").arg(key));
    Exec(QStringLiteral("set generator c_clenov_id to 10"));
    const QStringList before = Members();
    QList<TImportCase> cases;
    for (int i = 1; i <= 10; ++i)
      cases << TImportCase{"", {{"MENO", "Nový Člen" + std::to_string(i)}}, ""};
    cases[6] = failure.record7;
    // The year of joining as text, so that record 7 can hold one that is no number.
    TSourceField layout[std::size(kClezk)];
    std::copy(std::begin(kClezk), std::end(kClezk), layout);
    layout[6].type = 'C';
    const QString path = folder_.filePath(QStringLiteral("Clezk425.dbf"));
    WriteDbf(path, layout, cases);
    dialogs = std::make_unique<TScriptedMessageDialogs>();

    EXPECT_EQ(Import(path, 0, true), failure.modalResult);
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].contains(QString::fromUtf8(failure.message))) << Messages()[0].toStdString();
    EXPECT_FALSE(Messages()[0].contains(QStringLiteral("úspešne")));
    EXPECT_EQ(Members(), before);
    EXPECT_EQ(Generator(), 10);
    // The next member gets a key no row has.
    Exec(QStringLiteral("insert into c_clenov (jedin, priezvisko) values (gen_id(c_clenov_id, 1), 'Ďalší')"));
    EXPECT_EQ(Scalar(QStringLiteral("select max(jedin) from c_clenov")).toInt(), 11);
    Exec(QStringLiteral("delete from c_clenov"));
  }
}

TEST_F(MemberImportTest, AGeneratorBelowTheKeysIsRaisedToTheHighestKey) {
  for (int key : {3, 42})
    AddMember(key, QStringLiteral("Člen %1").arg(key));
  Exec(QStringLiteral("set generator c_clenov_id to 7"));
  QList<TImportCase> cases = {{"", {{"MENO", "Kováč Maximiliánsky-Ferdinandovič"}}, ""}};
  const QString path = folder_.filePath(QStringLiteral("Clezk425.dbf"));
  WriteDbf(path, kClezk, cases);
  Import(path, 0, true);
  EXPECT_EQ(Members().size(), 2);
  EXPECT_EQ(Generator(), 42);
}

TEST_F(MemberImportTest, FilesThatCannotBeImportedAreNamedAndNothingChanges) {
  AddMember(1, QStringLiteral("Prvý"));
  const QString notATable = folder_.filePath(QStringLiteral("zoznam.dbf"));
  DbfBytes::WriteFile(notATable, QByteArray("Meno;Priezvisko\nJán;Novák\n"));
  const QString noSizes = folder_.filePath(QStringLiteral("prazdny.dbf"));
  QByteArray header(64, '\0');
  header[0] = 0x03;
  DbfBytes::WriteFile(noSizes, header);
  const QString withoutField = folder_.filePath(QStringLiteral("Clen.dbf"));
  WriteDbf(withoutField, std::span<const TSourceField>(kClen).first(10), {{"", {{"MENO", "Ján"}}, ""}});
  const QString missing = folder_.filePath(QStringLiteral("nie.dbf"));
  const std::tuple<QString, int, QStringList> cases[] = {
      {notATable, 0, {QStringLiteral("zoznam.dbf"), QStringLiteral("tabuľku dBASE")}},
      {noSizes, 0, {QStringLiteral("prazdny.dbf"), QStringLiteral("neudáva dĺžku")}},
      {withoutField, 1, {QStringLiteral("Clen.dbf"), QStringLiteral("pole SDAT")}},
      {missing, 0, {QStringLiteral("Importovaný súbor sa v zadanej ceste nenachádza.")}},
  };
  for (const auto& [path, layout, words] : cases) {
    SCOPED_TRACE(path.toStdString());
    dialogs = std::make_unique<TScriptedMessageDialogs>();
    EXPECT_EQ(Import(path, layout, true), mrNone) << "the dialog stays open";
    ASSERT_EQ(Messages().size(), 1);
    for (const QString& word : words)
      EXPECT_TRUE(Messages()[0].contains(word)) << Messages()[0].toStdString();
    EXPECT_EQ(Members(), QStringList{QStringLiteral("-|-|Prvý|-|-|-|-|-|-|-|0|-|0|-|-|-|-|0")});
  }
}

TEST(BirthNumber, DateOfBirth) {
  const std::tuple<const char*, int, QDate> cases[] = {
      {"555212/123", 2026, QDate(1955, 2, 12)}, // nine digits: 1900s, a woman's month
      {"550212/123", 2026, QDate(1955, 2, 12)},
      {"990315/1234", 2026, QDate(1999, 3, 15)},  // ten digits, 54 and above: 1900s
      {"992315/1234", 2026, QDate(1999, 3, 15)},  // the spare month +20
      {"056212/1234", 2026, QDate(2005, 12, 12)}, // ten digits below 54: 2000s
      {"0562121234", 2026, QDate(2005, 12, 12)},
      {"127704", 2026, QDate(2012, 7, 4)}, // no suffix: up to this year 2000s, +70 month
      {"065212", 2026, QDate(2006, 2, 12)},
      {"065212", 2005, QDate(1906, 2, 12)}, // a year above this year's two digits: 1900s
      {"065212/123", 2026, QDate(1906, 2, 12)},
      {"551332/123", 2026, QDate()},  // month 13
      {"550231/1234", 2026, QDate()}, // 31 February
      {"", 2026, QDate()},
      {"55 02 12", 2026, QDate(1955, 2, 12)},
      {"ab0212", 2026, QDate()},
      {"-50212", 2026, QDate()},
  };
  for (const auto& [number, year, date] : cases)
    EXPECT_EQ(TfrmSImport::RodneCisloToDate(QString::fromLatin1(number), year), date) << number << " in " << year;
}

} // namespace
