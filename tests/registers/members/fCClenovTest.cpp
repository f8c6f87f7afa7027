#include "registers/members/fCClenov.h"
#include "app/ToolBar.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBDate.h"
#include "controls/SylkWriter.h"
#include "core/CodePage1250.h"
#include "core/DateTime.h"
#include "tests/registers/members/MembersTestSupport.h"
#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>

namespace {

class MembersListTest : public MembersTest {
protected:
  void SetUp() override {
    MembersTest::SetUp();
    ASSERT_TRUE(files.isValid());
    previousAsk = TfrmCClenov::AskExportFileName;
    TfrmCClenov::AskExportFileName = [this] { return exportFile; };
  }
  void TearDown() override {
    form.reset();
    TfrmCClenov::AskExportFileName = previousAsk;
    MembersTest::TearDown();
  }
  // The list as the main window opens it for `rok`.
  TListPattern& Open(quint16 rok = ProgramSettings.Rok) {
    form = std::make_unique<TfrmCClenov>(nullptr, rok);
    form->list.btnRefreshClick();
    return form->list;
  }
  QStringList Names() const {
    QStringList names;
    for (const QVariant& v : Listed(form->list, QStringLiteral("PRIEZVISKO")))
      names.append(v.toString());
    return names;
  }
  // The cells of a SYLK file by row: C records, in file order.
  static QList<QStringList> SylkRows(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QList<QStringList> rows;
    for (const QByteArray& line : file.readAll().split('\n')) {
      const QString text = QString::fromLatin1(line).trimmed();
      if (!text.startsWith(QLatin1String("C;Y"))) continue;
      const QStringList parts = text.split(QLatin1Char(';'));
      const int row = parts[1].mid(1).toInt(), col = parts[2].mid(1).toInt();
      const int k = text.indexOf(QLatin1String(";K\""));
      const int end = text.indexOf(QLatin1Char('"'), k + 3);
      while (rows.size() < row)
        rows.append(QStringList());
      while (rows[row - 1].size() < col)
        rows[row - 1].append(QString());
      rows[row - 1][col - 1] = Cp1250::Decode(line.mid(k + 3, end - k - 3));
    }
    return rows;
  }

  std::unique_ptr<TfrmCClenov> form;
  QTemporaryDir files;
  QString exportFile;
  std::function<QString()> previousAsk;
};

TEST_F(MembersListTest, MembershipColumnFollowsTheFeeOfTheListsYearAndSortsByItsText) {
  const int a = AddPerson({QStringLiteral("Adam"), QStringLiteral("A"), QStringLiteral("X")});
  const int b = AddPerson({QStringLiteral("Beňo"), QStringLiteral("B"), QStringLiteral("X")});
  AddPerson({QStringLiteral("Cyril"), QStringLiteral("C"), QStringLiteral("X")});
  Pay(a, 2026, 20, QDate(2026, 1, 10));
  Pay(b, 2025, 20, QDate(2025, 1, 10));
  Pay(b, 2026, 5, QDate(2026, 2, 1), 1); // not the fee
  const struct {
    quint16 rok;
    QStringList flags; // of Adam, Beňo, Cyril
  } years[] = {
      {2026, {QStringLiteral("Člen"), QStringLiteral("-----"), QStringLiteral("-----")}},
      {2025, {QStringLiteral("-----"), QStringLiteral("Člen"), QStringLiteral("-----")}},
      {2024, {QStringLiteral("-----"), QStringLiteral("-----"), QStringLiteral("-----")}},
  };
  for (const auto& y : years) {
    TListPattern& list = Open(y.rok); // the working year stays 2026
    QStringList flags;
    for (const QVariant& v : Listed(list, QStringLiteral("CLEN")))
      flags.append(v.toString().trimmed()); // the server pads the case's texts to one length
    EXPECT_EQ(flags, y.flags) << y.rok;
  }
  // By the flag column: "-----" sorts before "Člen".
  TListPattern& list = Open(2025);
  list.gr1->SetActiveTitleIndex(9);
  list.btnRefreshClick();
  EXPECT_EQ(Names().last(), QStringLiteral("Beňo"));
  list.btnSmerClick();
  EXPECT_EQ(Names().first(), QStringLiteral("Beňo"));
}

TEST_F(MembersListTest, FilterClausesSelectTheirPersons) {
  const int group =
      InsertRow(QStringLiteral("c_clenenie_clenov_id"),
                QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values (:JEDIN,'Seniori')"), {});
  const int a = AddPerson({QStringLiteral("Adam"), QStringLiteral("A"), QStringLiteral("Nitra"), QDate(1969, 12, 31)},
                          {{QStringLiteral("povolanie"), QStringLiteral("kováč")}});
  AddPerson({QStringLiteral("Boris"), QStringLiteral("B"), QStringLiteral("Nitra"), QDate(1970, 1, 1)},
            {{QStringLiteral("skupina_4"), group}, {QStringLiteral("brigada_vyzadovat"), 0}});
  AddPerson({QStringLiteral("Cyril"), QStringLiteral("C"), QStringLiteral("Žilina"), QDate(1980, 12, 31)},
            {{QStringLiteral("skolenie_uskutocnene"), 1}, {QStringLiteral("povolanie"), QStringLiteral("kováč")}});
  AddPerson({QStringLiteral("Dušan"), QStringLiteral("D"), QStringLiteral("Žilina"), QDate(1981, 1, 1)});
  Pay(a, 2026, 20, QDate(2026, 3, 1));
  const auto day = [](int y, int m, int d) { return QVariant(DateTime::FromDate(QDate(y, m, d))); };
  const struct {
    const char* name;
    std::function<void(TfrmCClenov&)> set;
    QStringList listed;
  } cases[] = {
      {"town",
       [](TfrmCClenov& f) { f.eDBMesto->setEditText(QStringLiteral("Žilina")); },
       {QStringLiteral("Cyril"), QStringLiteral("Dušan")}},
      {"occupation and town",
       [](TfrmCClenov& f) {
         f.eDBPovolanie->setEditText(QStringLiteral("kováč"));
         f.eDBMesto->setEditText(QStringLiteral("Nitra"));
       },
       {QStringLiteral("Adam")}},
      {"group", [group](TfrmCClenov& f) { f.eDBSkupina->FindIt(group); }, {QStringLiteral("Boris")}},
      {"exempt", [](TfrmCClenov& f) { f.eBrigadaOslobodeny->setChecked(true); }, {QStringLiteral("Boris")}},
      {"without exams",
       [](TfrmCClenov& f) { f.eSkolenieUskutocnene->setChecked(true); },
       {QStringLiteral("Adam"), QStringLiteral("Boris"), QStringLiteral("Dušan")}},
      {"members only", [](TfrmCClenov& f) { f.eIbaClenov->setChecked(true); }, {QStringLiteral("Adam")}},
      {"dates given the wrong way round",
       [&](TfrmCClenov& f) {
         f.eDatumNarodeniaOd->SetDate(day(1980, 12, 31));
         f.eDatumNarodeniaDo->SetDate(day(1970, 1, 1));
       },
       {QStringLiteral("Boris"), QStringLiteral("Cyril")}},
      {"one day",
       [&](TfrmCClenov& f) {
         f.eDatumNarodeniaOd->SetDate(day(1970, 1, 1));
         f.eDatumNarodeniaDo->SetDate(day(1970, 1, 1));
       },
       {QStringLiteral("Boris")}},
      {"born from",
       [&](TfrmCClenov& f) { f.eDatumNarodeniaOd->SetDate(day(1980, 12, 31)); },
       {QStringLiteral("Cyril"), QStringLiteral("Dušan")}},
      {"born until",
       [&](TfrmCClenov& f) { f.eDatumNarodeniaDo->SetDate(day(1969, 12, 31)); },
       {QStringLiteral("Adam")}},
  };
  for (const auto& c : cases) {
    TListPattern& list = Open();
    c.set(*form);
    EXPECT_EQ(Names().size(), 4) << c.name << ": the filter waits for its button";
    list.btnFilterClick(list.gr1);
    EXPECT_EQ(Names(), c.listed) << c.name;
    list.btnRefreshClick(); // the filter survives a refresh
    EXPECT_EQ(Names(), c.listed) << c.name;
    list.btnFilterClick(list.gr1);
    EXPECT_EQ(Names().size(), 4) << c.name;
  }
}

TEST_F(MembersListTest, InformationCountsEachPersonOnce) {
  const int a = AddPerson({QStringLiteral("Adam"), QStringLiteral("A"), QStringLiteral("X")});
  const int b = AddPerson({QStringLiteral("Boris"), QStringLiteral("B"), QStringLiteral("X")});
  AddPerson({QStringLiteral("Cyril"), QStringLiteral("C"), QStringLiteral("X")});
  Pay(a, 2026, 20, QDate(2026, 1, 5));
  Pay(a, 2026, 20, QDate(2026, 4, 5)); // two fee payments: still one member
  Pay(b, 2025, 20, QDate(2025, 1, 5));
  Open();
  Key(form->list, Qt::Key_I);
  EXPECT_EQ(Messages(), QStringList(QStringLiteral("Celkový počet v evidencii: 3\r\n\r\nZ toho členov: 1\r\n\r\n"
                                                   "Z toho nečlenov: 2")));
}

TEST_F(MembersListTest, ExportWritesTheChosenMembersSortedByNameAndBirthDate) {
  const int group = InsertRow(QStringLiteral("c_clenenie_clenov_id"),
                              QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values (:JEDIN,'Deti')"), {});
  const int zak = AddPerson({QStringLiteral("Žák"), QStringLiteral("Ján"), QStringLiteral("Nitra"), QDate(1990, 5, 1)});
  const int durcova = AddPerson(
      {QStringLiteral("Ďurčová"), QStringLiteral("Ľubica"), QStringLiteral("Šaľa"), QDate(1985, 2, 3),
       QStringLiteral("Hlavná 1")},
      {{QStringLiteral("skupina_2"), group}, {QStringLiteral("vstup_jux"), 1999}, {QStringLiteral("clen_obo"), 7}});
  AddPerson({QStringLiteral("Adam"), QStringLiteral("Ján"), QStringLiteral("Nitra")});
  TListPattern& list = Open();
  list.btnSmerClick(); // the list's order is not the export's

  const struct {
    const char* name;
    QVariantList marked;
    QStringList surnames;
  } cases[] = {
      // Slovak alphabetical order: Ď after D, Ž after Z.
      {"nothing marked", {}, {QStringLiteral("Adam"), QStringLiteral("Ďurčová"), QStringLiteral("Žák")}},
      {"marked rows", {durcova, zak}, {QStringLiteral("Ďurčová"), QStringLiteral("Žák")}},
  };
  for (const auto& c : cases) {
    list.gr1->UncheckAll();
    Mark(list, c.marked);
    exportFile = files.filePath(QString::fromLatin1(c.name) + QStringLiteral(".xls"));
    list.btnSave->click();
    const QList<QStringList> rows = SylkRows(exportFile);
    ASSERT_EQ(rows.size(), c.surnames.size() + 1) << c.name;
    EXPECT_EQ(rows[0].value(0), QStringLiteral("Titul"));
    EXPECT_EQ(rows[0].value(24), QStringLiteral("Člen ObO"));
    QStringList surnames;
    for (int r = 1; r < rows.size(); ++r)
      surnames.append(rows[r].value(2));
    EXPECT_EQ(surnames, c.surnames) << c.name;
  }
  // Every cell of one row: empty values stay empty, option texts replace 0 and 1.
  const QList<QStringList> rows = SylkRows(files.filePath(QStringLiteral("marked rows.xls")));
  const QStringList row = rows.value(1);
  EXPECT_EQ(row.mid(0, 10), QStringList({QString(), QStringLiteral("Ľubica"), QStringLiteral("Ďurčová"),
                                         QStringLiteral("Hlavná 1"), QStringLiteral("Šaľa"), QString(),
                                         QStringLiteral("03.02.1985"), QString(), QStringLiteral("1999"), QString()}));
  const QVariantList options =
      Column(QStringLiteral("select text from ponuky where zaradenie='logika' and cislo in (0,1) order by cislo"));
  ASSERT_EQ(options.size(), 2) << "the base database has the yes/no texts";
  EXPECT_EQ(row.value(10), options[0].toString()); // exams: 0
  EXPECT_EQ(row.value(12), options[1].toString()); // work duty required: 1
  EXPECT_EQ(row.value(13), QString());
  EXPECT_EQ(row.value(14), QStringLiteral("Deti"));
  EXPECT_EQ(row.value(24), QStringLiteral("7"));
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(MembersListTest, ExportOfAnEmptyListSaysSoAndWritesNoFile) {
  Open();
  exportFile = files.filePath(QStringLiteral("prazdny.xls"));
  form->list.btnSave->click();
  EXPECT_EQ(Messages(), QStringList(QStringLiteral("Nie sú údaje pre tlač.")));
  EXPECT_FALSE(QFileInfo::exists(exportFile));
  exportFile.clear(); // a cancelled dialog: nothing more
  form->list.btnSave->click();
  EXPECT_EQ(Messages().size(), 1);
}

// LibreOffice Calc on the same desktop reads the export with the cells and
// diacritics intact: the file is in the desktop's character set (UTF-8 on a
// UTF-8 desktop, else code page 1250, as on the users' Slovak Windows).
TEST_F(MembersListTest, LibreOfficeCalcReadsTheExport) {
  const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
  if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (TSylkWriter::DesktopEncoding() == TSylkWriter::TTextEncoding::Utf8) {
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
  } else {
    const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
    if (localedef.isEmpty() || !QFileInfo::exists(QStringLiteral("/usr/share/i18n/charmaps/CP1250.gz")))
      GTEST_SKIP() << "localedef or the CP1250 charmap is missing";
    const QString locales = files.filePath(QStringLiteral("locale"));
    ASSERT_TRUE(QDir().mkpath(locales));
    ASSERT_EQ(QProcess::execute(localedef, {QStringLiteral("-i"), QStringLiteral("sk_SK"), QStringLiteral("-f"),
                                            QStringLiteral("CP1250"), locales + QStringLiteral("/sk_SK.CP1250")}),
              0);
    env.insert(QStringLiteral("LOCPATH"), locales);
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("sk_SK.CP1250"));
  }
  AddPerson({QStringLiteral("Ďurčová"), QStringLiteral("Ľubica"), QStringLiteral("Šaľa"), QDate(1985, 2, 3)});
  AddPerson({QStringLiteral("Žák"), QStringLiteral("Ôndrej"), QStringLiteral("Nové Zámky")});
  Open();
  exportFile = files.filePath(QStringLiteral("clenovia.xls"));
  form->list.btnSave->click();
  QProcess office;
  office.setProcessEnvironment(env);
  office.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + files.filePath(QStringLiteral("profile")),
                         QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                         QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"),
                         files.path(), exportFile});
  ASSERT_TRUE(office.waitForFinished(120000)) << "LibreOffice did not finish";
  QFile csvFile(files.filePath(QStringLiteral("clenovia.csv")));
  ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(csvFile.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Titul,Meno,Priezvisko,Ulica,Mesto,PSČ,Dátum narodenia,")))
      << lines[0].toStdString();
  // The server orders the display names in Slovak alphabetical order: Ď before Ž.
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral(",Ľubica,Ďurčová,,Šaľa,,03.02.1985,"))) << lines[1].toStdString();
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral(",Ôndrej,Žák,,Nové Zámky,,,"))) << lines[2].toStdString();
}

TEST_F(MembersListTest, DeleteTakesTheMembershipRowsAlongButRefusesAPersonWithPayments) {
  const int paid = AddPerson({QStringLiteral("Adam"), QStringLiteral("A"), QStringLiteral("X")});
  const int left = AddPerson({QStringLiteral("Boris"), QStringLiteral("B"), QStringLiteral("X")});
  Pay(paid, 2026, 20, QDate(2026, 1, 2));
  Exec(QStringLiteral("insert into c_clenov_clenske (jedin,c_clenov,rok,uhradene) "
                      "values (gen_id(c_clenov_clenske_id,1),:C,2025,1)"),
       {{QStringLiteral("C"), left}});
  TListPattern& list = Open();
  list.LocateKey(paid);
  dialogs.reset(); // the old service must go before the new one is installed
  dialogs = std::make_unique<TScriptedMessageDialogs>(QList<int>{mrYes});
  Key(list, Qt::Key_Delete);
  ASSERT_EQ(Messages().size(), 2);
  EXPECT_TRUE(Messages()[1].contains(QStringLiteral("#2003"))) << Messages()[1].toStdString();
  list.LocateKey(left);
  dialogs.reset(); // the old service must go before the new one is installed
  dialogs = std::make_unique<TScriptedMessageDialogs>(QList<int>{mrYes});
  Key(list, Qt::Key_Delete);
  EXPECT_EQ(Messages().size(), 1);
  EXPECT_EQ(Names(), QStringList(QStringLiteral("Adam")));
  EXPECT_EQ(Column(QStringLiteral("select c_clenov from c_clenov_clenske")), QVariantList({paid}));
}

} // namespace

namespace {

// The display name keeps namesakes apart: the birth date stays when a long
// name and address fill the 75 characters, and the address cuts in first.
TEST_F(MembersListTest, DisplayNamesKeepNamesakesApart) {
  const QString longStreet = QStringLiteral("Komenského nábrežie 1234");
  const QString longTown = QStringLiteral("Kysucké Nové Mesto-Oškerd");
  const struct {
    TPerson person;
    QString name;
  } cases[] = {
      {{QStringLiteral("Kováčik"), QStringLiteral("Ján"), QStringLiteral("Nitra"), QDate(1950, 3, 4)},
       QStringLiteral("Kováčik Ján, Nitra, 04.03.1950")},
      {{QStringLiteral("Kováčik"), QStringLiteral("Ján"), QStringLiteral("Nitra"), QDate(1980, 3, 4)},
       QStringLiteral("Kováčik Ján, Nitra, 04.03.1980")},
      {{QStringLiteral("Kováčik"), QStringLiteral("Ján"), QStringLiteral("Nitra"), QDate(), longStreet},
       QStringLiteral("Kováčik Ján, Nitra, Komenského nábrežie 1234")},
      {{QStringLiteral("Vysokoškolský-Dlhý"), QStringLiteral("Maximilián-Ferdinand"), longTown, QDate(1961, 12, 24),
        longStreet},
       QStringLiteral("Vysokoškolský-Dlhý Maximilián-Ferdinand, Kysucké Nové Mesto-Ošk, 24.12.1961")},
  };
  for (const auto& c : cases) {
    const int key = AddPerson(c.person);
    EXPECT_EQ(Column(QStringLiteral("select nazov_uplny from c_clenov where jedin=:J"), {{QStringLiteral("J"), key}})
                  .value(0)
                  .toString(),
              c.name);
  }
}

} // namespace
