#include "app/AppContext.h"
#include "dbase/xbtable.h"
#include "registers/common/Exporters.h"
#include "registers/common/XbOemTranslation.h"
#include "registers/permits/uPUlovkySumarizaciaExport.h"
#include "tests/app/AdminTestSupport.h"
#include "tests/dbase/DbfBytes.h"
#include "tests/dbase/OfficeReader.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/SourcePath.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

namespace {

constexpr int kYear = 2024;

// A folder the program may not write into: made read-only, and immutable
// where the tests run as the superuser (whom the permissions do not stop);
// failing both, the system's /proc.
class TReadOnlyFolder {
public:
  TReadOnlyFolder() {
    path_ = dir_.filePath(QStringLiteral("zamknute"));
    QDir().mkpath(path_);
    QFile old(path_ + QStringLiteral("/UL04425.dbf"));
    if (old.open(QIODevice::WriteOnly)) old.write("old content");
    old.close();
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    if (Writable()) immutable_ = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path_}) == 0;
    if (Writable()) path_ = QStringLiteral("/proc");
  }
  ~TReadOnlyFolder() {
    if (immutable_)
      QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), dir_.filePath(QStringLiteral("zamknute"))});
    QFile::setPermissions(dir_.filePath(QStringLiteral("zamknute")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  QString Target() const { return path_ + QStringLiteral("/UL04425.dbf"); }
  // The target's content before the export, when the folder could hold one.
  QByteArray OldContent() const { return path_ == QStringLiteral("/proc") ? QByteArray() : QByteArray("old content"); }

private:
  bool Writable() const {
    QFile probe(path_ + QStringLiteral("/probe"));
    const bool writable = probe.open(QIODevice::WriteOnly);
    if (writable) probe.remove();
    return writable;
  }
  QTemporaryDir dir_;
  QString path_;
  bool immutable_ = false;
};

class CatchSummaryExportTest : public AdminTest {
protected:
  void SetUp() override {
    AdminTest::SetUp();
    const char* const rows[] = {
        "insert into c_zo (jedin, cislo, nazov) values (1, 425, 'MO SRZ Ružomberok - mesto')",
        "insert into c_zo (jedin, cislo, nazov) values (2, 312, 'MsO Žilina')",
        // A ground of another organisation with a number and a name longer than their fields (and a dash that
        // code page 852 lacks), one without an organisation.
        "insert into c_reviry_jux (jedin, rok, cislo, nazov, typ_vody, c_zo) values (10, 2024, '3-4560-1-1-Ä', "
        "'Váh č. 5 – úsek od hate po železničný most, Likava', 1, 2)",
        "insert into c_reviry_jux (jedin, rok, cislo, nazov, typ_vody, c_zo) values (11, 2024, '2-0800', "
        "'Štrkovisko Ľubochňa', 2, null)",
        "insert into c_druhy_ryb (jedin, nazov, cislo) values (20, 'Kapor rybničný (šupináč aj lysec)', 1)",
        "insert into c_druhy_ryb (jedin, nazov, cislo) values (21, 'Šťuka severná', 15)",
        "insert into c_druhy_ryb (jedin, nazov, cislo) values (22, 'Ďalšia ryba', 0)",
    };
    for (const char* sql : rows)
      Exec(QString::fromUtf8(sql));
    // ground, species, count, weight, value; the last line belongs to another year.
    const std::tuple<int, int, int, double, double, int> catches[] = {
        {10, 20, 2, 3.5, 21.00, kYear}, {10, 20, 1, 2.25, 13.50, kYear}, {10, 21, 1, 4.2, 25.20, kYear},
        {11, 20, 3, 6.0, 36.00, kYear}, {11, 22, 1, 0.8, 2.40, kYear},   {11, 21, 5, 9.0, 54.00, kYear - 1},
    };
    int key = 100;
    for (const auto& [ground, species, count, weight, value, year] : catches)
      Exec(QStringLiteral("insert into e_ulovky (jedin, rok, c_reviry_jux, c_druhy_ryb, pocet, vaha, spolu) "
                          "values (:J, :R, :G, :S, :P, :V, :C)"),
           {{QStringLiteral("J"), ++key},
            {QStringLiteral("R"), year},
            {QStringLiteral("G"), ground},
            {QStringLiteral("S"), species},
            {QStringLiteral("P"), count},
            {QStringLiteral("V"), weight},
            {QStringLiteral("C"), value}});
    ProgramSettings.Rok = kYear;
    ProgramSettings.ZO_JEDIN = 1;
    RegisterCatchSummaryExporter();
    askedFor_.clear();
    TExportSumarizacieUlovkov::AskFileName = [this](QWidget*, const QString& proposed) {
      askedFor_ << proposed;
      return answer_;
    };
  }
  void TearDown() override {
    TExportSumarizacieUlovkov::AskFileName = {};
    Exporters::Unregister(kCatchSummaryExporter);
    AdminTest::TearDown();
  }

  TExportResult Export(const QString& target) {
    answer_ = target;
    return Exporters::Find(kCatchSummaryExporter)(nullptr);
  }

  // Every record of the written file, its values by field name, read with the
  // library in code page 852.
  static QList<QVariantMap> Records(const QString& path) {
    TXbTable table;
    table.SetTableName(path);
    table.ReadOnly = true;
    table.OnTranslate = XbTranslate;
    table.Open();
    QList<QVariantMap> records;
    for (table.First(); !table.Eof(); table.Next()) {
      QVariantMap record;
      for (const auto& field : table.Fields())
        record.insert(field->FieldName(), field->AsVariant());
      records << record;
    }
    return records;
  }

  QTemporaryDir folder_;
  QString answer_;
  QStringList askedFor_;
};

const QString kWarning = QStringLiteral("POZOR: V číselníku druhov rýb nie sú zadané všetky čísla rýb definované "
                                        "Radou JUX.\r\nPre správnosť exportu je nevyhnutné ich doplniť.");
const QString kNoData = QStringLiteral("Nie sú údaje pre export. Skontrolujte, ktorý rok spracovania máte zvolený.");

TEST_F(CatchSummaryExportTest, WritesTheYearsSummaryInCodePage852) {
  const QString target = folder_.filePath(QStringLiteral("UL04425.dbf"));
  const TExportResult result = Export(target);
  ASSERT_EQ(result.Outcome, TExportOutcome::Written) << result.Reason.toStdString();
  EXPECT_EQ(askedFor_, QStringList{QStringLiteral("UL04425.dbf")});
  EXPECT_EQ(Messages(), QStringList{kWarning}) << "the species numbered 0 is warned of, the export goes on";
  EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("UL04425.dbf")});

  const QByteArray bytes = DbfBytes::ReadFile(target);
  const DbfBytes::Contents contents = DbfBytes::Read(bytes);
  EXPECT_EQ(quint8(bytes[0]), 0x03);
  EXPECT_EQ(quint8(bytes[29]), 0) << "no language byte in a dBASE III file";
  EXPECT_EQ(contents.headerSize, 545);
  EXPECT_EQ(contents.recordSize, 227);
  ASSERT_EQ(contents.headerCount, 4u);
  EXPECT_EQ(contents.byteAfterRecords, 0x1A);
  // The species' name, cut to its field, in code page 852 bytes ("Kapor rybni\x9Fn\xEC (" ...).
  EXPECT_TRUE(contents.records[0].contains(QByteArray("Kapor rybni\x9Fn\xEC (\xE7up")) ||
              contents.records[1].contains(QByteArray("Kapor rybni\x9Fn\xEC (\xE7up")));

  QStringList rows;
  for (const QVariantMap& r : Records(target)) {
    EXPECT_EQ(r.size(), 16);
    for (const char* blank : {"OBV_CLENA", "MENO_CLENA", "NAR_CLENA", "CLEN_NECL"})
      EXPECT_TRUE(r.value(QLatin1String(blank)).isNull()) << blank;
    QStringList values;
    for (const char* name : {"ORG_CLEN", "NORG_CLENA", "DRUH_REV", "REVIR", "NREVIR", "ORG_REVIR", "NORG_REVIR", "RYBA",
                             "NRYBA", "KS", "KG", "SK"})
      values << r.value(QLatin1String(name)).toString();
    rows << values.join(QLatin1Char('|'));
  }
  rows.sort();
  QStringList expected = {
      QStringLiteral("425|MO SRZ Ružomberok - mesto|1|3-4560-1-1|Váh č. 5 _ úsek od hate po železničný mo|312|"
                     "MsO Žilina|1|Kapor rybničný (šupi|3|5.75|34.5"),
      QStringLiteral("425|MO SRZ Ružomberok - mesto|1|3-4560-1-1|Váh č. 5 _ úsek od hate po železničný mo|312|"
                     "MsO Žilina|15|Šťuka severná|1|4.2|25.2"),
      QStringLiteral("425|MO SRZ Ružomberok - mesto|2|2-0800|Štrkovisko Ľubochňa|0||0|Ďalšia ryba|1|0.8|2.4"),
      QStringLiteral("425|MO SRZ Ružomberok - mesto|2|2-0800|Štrkovisko Ľubochňa|0||1|Kapor rybničný (šupi|3|6|36"),
  };
  expected.sort();
  EXPECT_EQ(rows, expected);

  // A second export to the same name replaces the file.
  ASSERT_EQ(Export(target).Outcome, TExportOutcome::Written);
  EXPECT_EQ(DbfBytes::Read(DbfBytes::ReadFile(target)).headerCount, 4u);
  EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(CatchSummaryExportTest, LibreOfficeReadsEveryValue) {
  const QString target = folder_.filePath(QStringLiteral("UL04425.dbf"));
  ASSERT_EQ(Export(target).Outcome, TExportOutcome::Written);
  const TOfficeCsv office = ReadInLibreOffice(target, kOfficeCharsetDos852);
  if (!office.skip.isEmpty()) GTEST_SKIP() << office.skip.toStdString();
  QStringList lines = office.csv.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 5) << office.csv.toStdString();
  EXPECT_EQ(lines.takeFirst(),
            QStringLiteral("\"ORG_CLEN,N,4,0\",\"NORG_CLENA,C,25\",\"OBV_CLENA,N,4,0\",\"MENO_CLENA,C,20\","
                           "\"NAR_CLENA,D\",\"DRUH_REV,N,4,0\",\"REVIR,C,10\",\"NREVIR,C,40\",\"ORG_REVIR,N,4,0\","
                           "\"NORG_REVIR,C,25\",\"CLEN_NECL,N,4,0\",\"RYBA,N,4,0\",\"NRYBA,C,20\",\"KS,N,18,9\","
                           "\"KG,N,18,9\",\"SK,N,18,9\""));
  lines.sort();
  const QStringList expected = {
      QStringLiteral("425,MO SRZ Ružomberok - mesto,,,,1,3-4560-1-1,Váh č. 5 _ úsek od hate po železničný mo,312,"
                     "MsO Žilina,,1,Kapor rybničný (šupi,3.000000000,5.750000000,34.500000000"),
      QStringLiteral("425,MO SRZ Ružomberok - mesto,,,,1,3-4560-1-1,Váh č. 5 _ úsek od hate po železničný mo,312,"
                     "MsO Žilina,,15,Šťuka severná,1.000000000,4.200000000,25.200000000"),
      QStringLiteral("425,MO SRZ Ružomberok - mesto,,,,2,2-0800,Štrkovisko Ľubochňa,0,,,0,Ďalšia ryba,"
                     "1.000000000,0.800000000,2.400000000"),
      QStringLiteral("425,MO SRZ Ružomberok - mesto,,,,2,2-0800,Štrkovisko Ľubochňa,0,,,1,Kapor rybničný (šupi,"
                     "3.000000000,6.000000000,36.000000000"),
  };
  EXPECT_EQ(lines, expected) << office.csv.toStdString();
}

TEST_F(CatchSummaryExportTest, SmallSummaryMatchesTheGoldenFile) {
  Exec(QStringLiteral("delete from e_ulovky where c_reviry_jux = 10 or c_druhy_ryb = 22"));
  const QString target = folder_.filePath(QStringLiteral("UL04425.dbf"));
  ASSERT_EQ(Export(target).Outcome, TExportOutcome::Written);
  QByteArray written = DbfBytes::ReadFile(target);
  QByteArray golden = DbfBytes::ReadFile(SourcePath(QStringLiteral("tests/fixtures/dbase/exchange/UL04425.dbf")));
  ASSERT_EQ(written.size(), golden.size());
  // Bytes 1 to 3 hold the date of the last change.
  written.replace(1, 3, QByteArray(3, '\0'));
  golden.replace(1, 3, QByteArray(3, '\0'));
  EXPECT_EQ(written.toHex(' ').toStdString(), golden.toHex(' ').toStdString());
}

struct TOutcomeCase {
  const char* name;
  std::function<void()> prepare;
  TExportOutcome outcome;
  QStringList messages;
  const char* reasonContains;
};

TEST_F(CatchSummaryExportTest, AnswersTheChooser) {
  const QString target = folder_.filePath(QStringLiteral("UL04425.dbf"));
  TReadOnlyFolder readOnly;
  const TOutcomeCase cases[] = {
      {"written", [] {}, TExportOutcome::Written, {kWarning}, ""},
      {"cancelled", [&] { answer_.clear(); }, TExportOutcome::Cancelled, {kWarning}, ""},
      {"no data", [] { ProgramSettings.Rok = 2030; }, TExportOutcome::NothingToExport, {kNoData}, ""},
      {"organisation not set",
       [] { ProgramSettings.ZO_JEDIN = QVariant(); },
       TExportOutcome::Failed,
       {},
       "Nie je nastavená vlastná základná organizácia"},
      {"read-only folder", [&] { answer_ = readOnly.Target(); }, TExportOutcome::Failed, {kWarning}, "nebol zapísaný"},
      {"number too wide for N(4,0)",
       [&] { Exec(QStringLiteral("update c_zo set cislo = 12345 where jedin = 2")); },
       TExportOutcome::Failed,
       {kWarning},
       "12345"},
  };
  for (const TOutcomeCase& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(target);
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content");
    old.close();
    dialogs = std::make_unique<TScriptedMessageDialogs>();
    answer_ = target;
    ProgramSettings.Rok = kYear;
    ProgramSettings.ZO_JEDIN = 1;
    c.prepare();
    const TExportResult result = Exporters::Find(kCatchSummaryExporter)(nullptr);
    EXPECT_EQ(result.Outcome, c.outcome) << result.Reason.toStdString();
    EXPECT_EQ(Messages(), c.messages);
    EXPECT_TRUE(result.Reason.contains(QString::fromUtf8(c.reasonContains))) << result.Reason.toStdString();
    const bool written = c.outcome == TExportOutcome::Written;
    EXPECT_EQ(DbfBytes::ReadFile(target) == "old content", !written || answer_ != target) << "the target";
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("UL04425.dbf")})
        << "no temporary file is left";
    if (answer_ == readOnly.Target()) {
      EXPECT_EQ(DbfBytes::ReadFile(readOnly.Target()), readOnly.OldContent());
    }
  }
  EXPECT_TRUE(Exporters::Find(QStringLiteral("TNeexistujuciExport")) == nullptr);
}

TEST(CatchSummaryFileName, YearDigitAndOrganisationNumber) {
  EXPECT_EQ(TExportSumarizacieUlovkov::ProposedFileName(2024, 425), QStringLiteral("UL04425.dbf"));
  EXPECT_EQ(TExportSumarizacieUlovkov::ProposedFileName(2030, 7), QStringLiteral("UL00007.dbf"));
  EXPECT_EQ(TExportSumarizacieUlovkov::ProposedFileName(2019, 1234), QStringLiteral("UL091234.dbf"));
}

} // namespace
