#include "registers/permits/fPUlovkySumarizacia.h"
#include "app/FormRegistry.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "registers/common/Exporters.h"
#include "registers/common/PrintProtocol.h"
#include "registers/permits/PermitsForms.h"
#include "registers/permits/fPUlovkySumarizaciaVyber.h"
#include "tests/registers/common/RegisterTestSupport.h"
#include "tests/registers/members/RecordingPrintForm.h"

namespace {

constexpr quint16 kYear = 2026;
constexpr int kOwnBranch = 1;

// Catch lines of three anglers on a ground of the own branch, one of another
// branch and one of no branch, and a line of the year before.
class CatchSummaryTest : public RegisterTest {
protected:
  void SetUp() override {
    RegisterTest::SetUp();
    ProgramSettings.Rok = kYear;
    ProgramSettings.ZO_JEDIN = kOwnBranch;
    TRecordingPrintForm::Install(prints);
    const char* const rows[] = {
        "insert into c_zo (jedin,cislo,nazov) values (1,425,'MO Žilina')",
        "insert into c_zo (jedin,cislo,nazov) values (2,312,'MO Martin')",
        "insert into c_reviry_jux (jedin,rok,cislo,nazov,c_zo) values (10,2026,'3-4560','Váh č. 3',1)",
        "insert into c_reviry_jux (jedin,rok,cislo,nazov,c_zo) values (11,2026,'3-5000','Turiec',2)",
        "insert into c_reviry_jux (jedin,rok,cislo,nazov,c_zo) values (12,2026,'2-0800','Orava',null)",
        "insert into c_druhy_ryb (jedin,nazov,cislo) values (20,'Kapor',1)",
        "insert into c_druhy_ryb (jedin,nazov,cislo) values (21,'Šťuka',15)",
    };
    for (const char* sql : rows)
      Exec(QString::fromUtf8(sql));
    // The namesake holds two permits: one row of the success table.
    const std::pair<int, const char*> holders[] = {{1, "Adamec"}, {2, "Baláž"}, {3, "Cibula"}, {4, "Cibula"}};
    for (const auto& [key, surname] : holders) {
      Exec(
          QStringLiteral(
              "insert into e_povolenky (jedin,rok,typ_povolenky,cislo,priezvisko,meno) values (:J,2026,1,:J,:P,'Ján')"),
          {{QStringLiteral("J"), key}, {QStringLiteral("P"), QString::fromUtf8(surname)}});
      Exec(QStringLiteral("insert into e_povolenky2 (jedin,e_povolenky,rok) values (:J,:J,2026)"),
           {{QStringLiteral("J"), key}});
    }
    // permit, ground, species, count, weight, value, year
    const std::tuple<int, int, int, int, double, double, int> catches[] = {
        {1, 10, 20, 1, 3.0, 20.0, 2026}, {2, 11, 20, 5, 2.0, 10.0, 2026}, {3, 10, 21, 1, 2.5, 1.5, 2026},
        {4, 12, 21, 2, 3.5, 2.5, 2026},  {1, 10, 20, 9, 9.0, 9.0, 2025},
    };
    int key = 100;
    for (const auto& [permit, ground, species, count, weight, value, year] : catches)
      Exec(QStringLiteral("insert into e_ulovky (jedin,e_povolenky2,rok,c_reviry_jux,c_druhy_ryb,pocet,vaha,spolu) "
                          "values (:J,:E,:R,:G,:S,:P,:V,:C)"),
           {{QStringLiteral("J"), ++key},
            {QStringLiteral("E"), permit},
            {QStringLiteral("R"), year},
            {QStringLiteral("G"), ground},
            {QStringLiteral("S"), species},
            {QStringLiteral("P"), count},
            {QStringLiteral("V"), weight},
            {QStringLiteral("C"), value}});
  }
  void TearDown() override {
    SetPrintFormFactory(nullptr);
    RegisterTest::TearDown();
  }
  // Column `index` of each row of the printed data set `alias`.
  QStringList Printed(const QString& alias, int index) const {
    QStringList values;
    for (const QString& row : prints.back().DataSets.value(alias))
      values.append(row.section(QLatin1Char('/'), index, index));
    return values;
  }

  std::vector<TRecordedPrint> prints;
};

#define S(text) QStringLiteral(text)

TEST_F(CatchSummaryTest, TheGroundBoxesChooseTheGroundsOfEveryDataSetTheTotalsAndTheText) {
  const struct {
    bool nase, ostatne;
    QString reviry;
    QStringList grounds;   // by ground, then species
    QStringList bySpecies; // the species of the lines by species, then ground
    QStringList species;   // the species composition
    QStringList anglers;   // the success table, by weight
    QString pocet, vaha;   // the year's totals
  } cases[] = {
      {true,
       true,
       S("'za všetky revíry JUX'"),
       {S("Orava"), S("Turiec"), S("Váh č. 3"), S("Váh č. 3")},
       {S("Kapor"), S("Kapor"), S("Šťuka"), S("Šťuka")},
       {S("Kapor"), S("Šťuka")},
       {S("Cibula Ján"), S("Adamec Ján"), S("Baláž Ján")},
       S("9"),
       S("11")},
      {true,
       false,
       S("'iba za revíry základnej organizácie'"),
       {S("Váh č. 3"), S("Váh č. 3")},
       {S("Kapor"), S("Šťuka")},
       {S("Kapor"), S("Šťuka")},
       {S("Adamec Ján"), S("Cibula Ján")},
       S("2"),
       S("5.5")},
      {false,
       true,
       S("'iba za revíry ostatných organizácií'"),
       {S("Turiec")},
       {S("Kapor")},
       {S("Kapor")},
       {S("Baláž Ján")},
       S("5"),
       S("2")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reviry.toStdString());
    TfrmPUlovkySumarizacia form(nullptr, kYear);
    form.eUspesnostZotrieditPodla->FindIt(2);
    form.eReviryNase->setChecked(c.nase);
    form.eReviryOstatne->setChecked(c.ostatne);
    form.eVypracoval->setText(S("Ing. Ľubomír Šťastný"));
    form.btnZapisClick();
    ASSERT_FALSE(prints.empty());
    const TRecordedPrint& p = prints.back();
    ASSERT_TRUE(p.Shown);
    EXPECT_EQ(p.Title, S("Tlač sumarizácie úlovkov"));
    EXPECT_EQ(p.Template, S("PR_Ulovky.rpf"));
    EXPECT_EQ(p.Variables.value(S("Reviry")), c.reviry);
    EXPECT_EQ(p.Variables.value(S("Rok")), S("'2026'"));
    EXPECT_EQ(p.Variables.value(S("Vypracoval")), S("'Ing. Ľubomír Šťastný'"));
    EXPECT_EQ(p.Variables.value(S("Spolu_pocet")), c.pocet);
    EXPECT_EQ(p.Variables.value(S("Spolu_vaha")), c.vaha);
    EXPECT_TRUE(p.Variables.contains(S(" Special_Data")));
    EXPECT_EQ(Printed(S("PODLA_REVIROV"), 2), c.grounds);
    EXPECT_EQ(Printed(S("PODLA_RYB"), 4), c.bySpecies);
    EXPECT_EQ(Printed(S("DRUHOVE_ZASTUPENIE"), 3), c.species);
    EXPECT_EQ(Printed(S("USPESNOST"), 3), c.anglers);
    EXPECT_EQ(form.ModalResult(), mrOk);
  }
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(CatchSummaryTest, TheSuccessTableFollowsTheChosenOrder) {
  // Adamec 1 fish 3.0 kg 20 €, Baláž 5 fish 2.0 kg 10 €, Cibula (two permits) 3 fish 6.0 kg 4 €.
  const struct {
    int order;
    QStringList anglers;
  } cases[] = {
      {1, {S("Baláž Ján"), S("Cibula Ján"), S("Adamec Ján")}}, {2, {S("Cibula Ján"), S("Adamec Ján"), S("Baláž Ján")}},
      {3, {S("Adamec Ján"), S("Baláž Ján"), S("Cibula Ján")}}, {4, {S("Adamec Ján"), S("Baláž Ján"), S("Cibula Ján")}},
      {0, {S("Cibula Ján"), S("Adamec Ján"), S("Baláž Ján")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.order);
    PrintRegister(CatchSummaryPrint({{}, TCatchGrounds::All, c.order}, kYear, kOwnBranch), kYear);
    EXPECT_EQ(Printed(S("USPESNOST"), 3), c.anglers);
  }
}

TEST_F(CatchSummaryTest, AYearWithoutCatchLinesSaysSoAndClosesTheForm) {
  TfrmPUlovkySumarizacia form(nullptr, kYear + 1);
  script.Then([&form](TForm&) { form.btnZapisClick(); });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(Messages(), QStringList{S("Nie sú údaje pre tlač.")});
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_FALSE(prints[0].Shown);
}

TEST_F(CatchSummaryTest, WithoutTheOwnBranchOnlyAllGroundsPrint) {
  ProgramSettings.ZO_JEDIN = QVariant();
  TfrmPUlovkySumarizacia form(nullptr, kYear);
  form.eUspesnostZotrieditPodla->FindIt(1);
  for (const auto& [nase, ostatne] : {std::pair{true, false}, std::pair{false, true}}) {
    form.eReviryNase->setChecked(true);
    form.eReviryOstatne->setChecked(true);
    form.eReviryNase->setChecked(nase);
    form.eReviryOstatne->setChecked(ostatne);
    form.btnZapisClick();
  }
  EXPECT_EQ(Messages(), QStringList(2, S("Nie je nastavená vlastná základná organizácia. Zvoľte ju v Nastaveniach.")));
  EXPECT_TRUE(prints.empty());
  EXPECT_EQ(form.ModalResult(), mrNone) << "the form stays open for another choice";
  form.eReviryNase->setChecked(true);
  form.btnZapisClick();
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].Variables.value(S("Spolu_pocet")), S("9"));
}

TEST_F(CatchSummaryTest, OneGroundBoxStaysChecked) {
  TfrmPUlovkySumarizacia form(nullptr, kYear);
  script.Then([&form](TForm&) {
    EXPECT_TRUE(form.eReviryNase->isChecked());
    EXPECT_TRUE(form.eReviryOstatne->isChecked());
    form.eReviryOstatne->click();
    EXPECT_TRUE(form.eReviryNase->isChecked());
    EXPECT_FALSE(form.eReviryOstatne->isChecked());
    form.eReviryNase->click();
    EXPECT_FALSE(form.eReviryNase->isChecked());
    EXPECT_TRUE(form.eReviryOstatne->isChecked()) << "the other box was checked again";
    Press(form, Qt::Key_Escape);
  });
  EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST_F(CatchSummaryTest, TheChosenValuesComeBackNextTime) {
  {
    TfrmPUlovkySumarizacia form(nullptr, kYear);
    script.Then([&form](TForm&) {
      EXPECT_EQ(form.eVypracoval->text(), QString());
      EXPECT_EQ(form.eUspesnostZotrieditPodla->currentText(), S("podľa váhy"));
      EXPECT_EQ(form.eVypracoval, form.focusWidget());
      TypeText(form.eVypracoval, S("MO Žilina"));
      form.eReviryNase->click();
      form.eUspesnostZotrieditPodla->FindIt(4);
      Press(form, Qt::Key_Escape);
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
  }
  TfrmPUlovkySumarizacia again(nullptr, kYear);
  script.Then([&again](TForm&) {
    EXPECT_EQ(again.eVypracoval->text(), S("MO Žilina"));
    EXPECT_FALSE(again.eReviryNase->isChecked());
    EXPECT_TRUE(again.eReviryOstatne->isChecked());
    EXPECT_EQ(again.eUspesnostZotrieditPodla->currentText(), S("podľa priezviska a mena rybára"));
    Press(again, Qt::Key_F12);
  });
  EXPECT_EQ(again.ShowModal(), mrOk);
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].Variables.value(S("Vypracoval")), S("'MO Žilina'"));
  EXPECT_EQ(Printed(S("USPESNOST"), 3), QStringList{S("Baláž Ján")});
}

// The chooser with a fake exporter in place of the council's file.
class CatchSummaryChooserTest : public CatchSummaryTest {
protected:
  void TearDown() override {
    Exporters::Unregister(kCatchSummaryExporter);
    CatchSummaryTest::TearDown();
  }
};

TEST_F(CatchSummaryChooserTest, OnlyAFailedExportSaysSo) {
  const struct {
    TExportResult result;
    QStringList messages;
  } cases[] = {
      {{TExportOutcome::Written, {}}, {S("Export bol úspešne vykonaný.")}},
      {{TExportOutcome::Cancelled, {}}, {}},
      {{TExportOutcome::NothingToExport, {}}, {}},
      {{TExportOutcome::Failed, S("Disk je plný.")}, {S("Chyba pri exporte.\nDisk je plný.")}},
      {{TExportOutcome::Failed, {}}, {S("Chyba pri exporte.")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.result.Outcome));
    Answer();
    int runs = 0;
    Exporters::Register(kCatchSummaryExporter, [&](QWidget* owner) {
      ++runs;
      EXPECT_NE(qobject_cast<TfrmPUlovkySumarizaciaVyber*>(owner), nullptr);
      return c.result;
    });
    TfrmPUlovkySumarizaciaVyber chooser(nullptr, kYear);
    script.Then([&chooser](TForm&) { chooser.btnExport->click(); });
    EXPECT_EQ(chooser.ShowModal(), mrOk);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Messages(), c.messages);
  }
}

TEST_F(CatchSummaryChooserTest, TheExportWaitsForAnExporterAndEscCloses) {
  TfrmPUlovkySumarizaciaVyber chooser(nullptr, kYear);
  EXPECT_EQ(chooser.windowTitle(), S("Výber akcie sumarizácie úlovkov"));
  EXPECT_FALSE(chooser.btnExport->isEnabled());
  EXPECT_TRUE(chooser.btnTlac->isEnabled());
  script.Then([&chooser](TForm&) { Press(chooser, Qt::Key_Escape); });
  EXPECT_EQ(chooser.ShowModal(), mrCancel);
}

// The main window's action opens the chooser, whose print button opens the
// parameters; the chooser closes with them.
TEST_F(CatchSummaryChooserTest, TheActionOpensTheChooserAndItsPrintTheParameters) {
  RegisterPermitsForms();
  const TFormAction action = FormRegistry::Action(S("ShowPUlovkySumarizaciaVyber"));
  ASSERT_TRUE(action);
  QStringList captions;
  script.Then([&captions](TForm& chooser) {
    captions << chooser.windowTitle();
    static_cast<TfrmPUlovkySumarizaciaVyber&>(chooser).btnTlac->click();
  });
  script.Then([&captions](TForm& parameters) {
    captions << parameters.windowTitle();
    Press(parameters, Qt::Key_F12);
  });
  action();
  EXPECT_EQ(captions, (QStringList{S("Výber akcie sumarizácie úlovkov"), S("Parametre sumarizácie úlovkov")}));
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_TRUE(prints[0].Shown);
}

} // namespace
