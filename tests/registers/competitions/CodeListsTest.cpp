#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/competitions/fCDruzstvaPretekarov.h"
#include "registers/competitions/fCDruzstvaPretekarovPridaj.h"
#include "registers/competitions/fCLig.h"
#include "registers/competitions/fCLigPridaj.h"
#include "registers/competitions/fCPretekari.h"
#include "registers/competitions/fCPretekariPridaj.h"
#include "tests/registers/competitions/CompetitionsTestSupport.h"

namespace {

class CodeListsTest : public CompetitionsTest {
protected:
  // Retypes a name in the dialog and presses F12; false when the dialog stayed open (it is cancelled).
  bool SaveName(TForm& f, TIBEdit& edit, const QString& name) {
    Activate(f);
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    TypeText(&edit, name);
    Press(f, Qt::Key_F12);
    if (!f.isVisible()) return true;
    f.SetModalResult(mrCancel);
    return false;
  }
};

// A league or team name repeated in any case is refused; its own name passes an edit.
TEST_F(CodeListsTest, NamesAreUniqueInAnyCaseAndTheirOwnPasses) {
  AddLeague(QStringLiteral("Liga Stred"));
  AddTeam(QStringLiteral("Žilina"));
  TfrmCLig ligy(nullptr, 2026);
  TfrmCDruzstvaPretekarov druzstva(nullptr, 2026);
  const struct {
    TListPattern& list;
    std::function<TIBEdit&(TForm&)> edit;
    QString repeated, own;
  } cases[] = {
      {ligy.list, [](TForm& f) -> TIBEdit& { return *dynamic_cast<TfrmCLigPridaj&>(f).eDBNazov; },
       QStringLiteral("LIGA stred"), QStringLiteral("Liga Stred")},
      {druzstva.list, [](TForm& f) -> TIBEdit& { return *dynamic_cast<TfrmCDruzstvaPretekarovPridaj&>(f).eDBNazov; },
       QStringLiteral("žILINA"), QStringLiteral("Žilina")},
  };
  for (const auto& c : cases) {
    ShowActive(c.list.Form());
    FreshMessages();
    bool added = true, edited = false;
    script.Then([&](TForm& f) { added = SaveName(f, c.edit(f), c.repeated); });
    Key(c.list, Qt::Key_P);
    EXPECT_FALSE(added) << c.repeated.toStdString();
    EXPECT_TRUE(Messages().value(0).contains(QStringLiteral("#1004")))
        << Messages().join(QLatin1Char('|')).toStdString();
    FreshMessages();
    script.Then([&](TForm& f) { edited = SaveName(f, c.edit(f), c.own); });
    Key(c.list, Qt::Key_F4);
    EXPECT_TRUE(edited) << Messages().join(QLatin1Char('|')).toStdString();
    c.list.Form().hide();
  }
  EXPECT_EQ(Rows(QStringLiteral("select nazov from c_lig")), QStringList(QStringLiteral("Liga Stred")));
  EXPECT_EQ(Rows(QStringLiteral("select nazov from c_druzstva_pretekarov")), QStringList(QStringLiteral("Žilina")));
}

TEST_F(CodeListsTest, AnEmojiInALeagueNameIsTheUsersToCorrectAndNothingIsStored) {
  TfrmCLig ligy(nullptr, 2026);
  ShowActive(ligy.list.Form());
  script.Then([&](TForm& f) {
    Activate(f);
    auto& d = dynamic_cast<TfrmCLigPridaj&>(f);
    d.eDBNazov->setFocus();
    TypeText(d.eDBNazov, QStringLiteral("Liga"));
    ExpectUnstorableTextRefused(f, d.eDBNazov, QStringLiteral("Názov"));
    f.SetModalResult(mrCancel);
  });
  Key(ligy.list, Qt::Key_P);
  EXPECT_TRUE(Rows(QStringLiteral("select nazov from c_lig")).isEmpty());
}

// A team entered in 2005 shows neither number nor league in 2006; saving it
// there writes its 2006 row only, a start number 0 as none.
TEST_F(CodeListsTest, ATeamSavedInAnotherYearWritesThatYearsRowOnly) {
  const int stred = AddLeague(QStringLiteral("Liga Stred")), sever = AddLeague(QStringLiteral("Liga Sever"));
  const int team = AddTeam(QStringLiteral("Martin"));
  AddTeamYear(team, 2005, 7, stred);
  TfrmCDruzstvaPretekarov form(nullptr, 2006);
  ShowActive(form);
  EXPECT_EQ(form.Caption(), QStringLiteral("Číselník družstiev pretekárov ZEZ-A - rok 2006"));
  EXPECT_EQ(Listed(form.list, QStringLiteral("CISLO")).value(0).isNull(), true);
  const struct {
    QString cislo;
    int liga;
    QString stored2006;
  } cases[] = {
      {QStringLiteral("0"), 0, QStringLiteral("2006//")},
      {QStringLiteral("12"), sever, QStringLiteral("2006/12/%1").arg(sever)},
      {QString(), 0, QStringLiteral("2006//")},
  };
  for (const auto& c : cases) {
    QString shownNumber, shownLeague;
    script.Then([&](TForm& f) {
      auto& d = dynamic_cast<TfrmCDruzstvaPretekarovPridaj&>(f);
      Activate(f);
      shownLeague = d.eDBLiga->currentText();
      d.eDBCislo->setFocus();
      d.eDBCislo->selectAll();
      QTest::keyClick(d.eDBCislo, Qt::Key_Delete);
      TypeText(d.eDBCislo, c.cislo);
      if (c.liga)
        d.eDBLiga->FindIt(c.liga);
      else
        d.eDBLiga->ClearValue();
      Submit(f, Qt::Key_F12);
    });
    Key(form.list, Qt::Key_F4);
    EXPECT_EQ(Rows(QStringLiteral("select rok,cislo,c_lig from c_druzstva_pretekarov_pc order by rok")),
              QStringList({QStringLiteral("2005/7/%1").arg(stred), c.stored2006}))
        << c.cislo.toStdString();
  }
  EXPECT_EQ(Listed(form.list, QStringLiteral("CISLO")).value(0).isNull(), true);
}

TEST_F(CodeListsTest, CompetitorsFilterByTeamAndLeague) {
  const int stred = AddLeague(QStringLiteral("Liga Stred")), sever = AddLeague(QStringLiteral("Liga Sever"));
  const int martin = AddTeam(QStringLiteral("Martin")), zilina = AddTeam(QStringLiteral("Žilina"));
  AddCompetitor(QStringLiteral("Ján"), QStringLiteral("Adam"), martin, stred);
  AddCompetitor(QStringLiteral("Ivan"), QStringLiteral("Bielik"), martin, sever);
  AddCompetitor(QStringLiteral("Eva"), QStringLiteral("Cibuľová"), zilina, stred);
  TfrmCPretekari form(nullptr, 2026);
  ShowActive(form);
  form.list.btnFilterClick(&form);
  const struct {
    int team, league;
    QStringList listed;
  } cases[] = {
      {0, 0, {QStringLiteral("Adam Ján "), QStringLiteral("Bielik Ivan "), QStringLiteral("Cibuľová Eva ")}},
      {martin, 0, {QStringLiteral("Adam Ján "), QStringLiteral("Bielik Ivan ")}},
      {martin, stred, {QStringLiteral("Adam Ján ")}},
      {0, stred, {QStringLiteral("Adam Ján "), QStringLiteral("Cibuľová Eva ")}},
  };
  for (const auto& c : cases) {
    if (c.team)
      form.eDruzstvo->FindIt(c.team);
    else
      form.eDruzstvo->ClearValue();
    if (c.league)
      form.eLiga->FindIt(c.league);
    else
      form.eLiga->ClearValue();
    form.list.btnRefreshClick();
    QStringList listed;
    for (const QVariant& name : Listed(form.list, QStringLiteral("PRETEKAR")))
      listed.append(name.toString());
    EXPECT_EQ(listed, c.listed) << c.team << "/" << c.league;
  }
}

TEST_F(CodeListsTest, TheSurnameIsSavedInCapitalsWhileTheSettingsAskForThem) {
  const int liga = AddLeague(QStringLiteral("Liga Stred")), team = AddTeam(QStringLiteral("Martin"));
  TfrmCPretekari form(nullptr, 2026);
  ShowActive(form);
  for (bool capitals : {true, false}) {
    ProgramSettings.PRIEZVISKA_VELKYMI = capitals;
    script.Then([&](TForm& f) {
      auto& d = dynamic_cast<TfrmCPretekariPridaj&>(f);
      Activate(f);
      d.eDBMeno->setFocus();
      TypeText(d.eDBMeno, QStringLiteral("Ľuboš"));
      d.eDBPriezvisko->setFocus();
      TypeText(d.eDBPriezvisko, QStringLiteral("šťastný"));
      d.eDBLiga->FindIt(liga);
      d.eDBDruzstvo->FindIt(team);
      Submit(f, Qt::Key_F12);
    });
    Key(form.list, Qt::Key_P);
  }
  EXPECT_EQ(
      Rows(QStringLiteral("select titul,meno,priezvisko,nazov_uplny from c_pretekari order by jedin")),
      QStringList({QStringLiteral("/Ľuboš/ŠŤASTNÝ/ŠŤASTNÝ Ľuboš"), QStringLiteral("/Ľuboš/šťastný/šťastný Ľuboš")}));
}

TEST_F(CodeListsTest, TheCompetitorListPrintsTheMarkedOrElseEveryListedCompetitor) {
  const int liga = AddLeague(QStringLiteral("Liga Stred")), team = AddTeam(QStringLiteral("Martin"));
  for (const char* name : {"Cibuľa", "Adam", "Bielik"})
    AddCompetitor(QStringLiteral("Ján"), QString::fromUtf8(name), team, liga);
  TfrmCPretekari form(nullptr, 2026);
  ShowActive(form);
  Key(form.list, Qt::Key_T);
  Mark(form.list, {3, 1});
  Key(form.list, Qt::Key_T);
  ASSERT_EQ(prints.size(), 2u);
  EXPECT_EQ(prints[0].Template, QStringLiteral("Pretekari.rpf"));
  EXPECT_EQ(prints[0].Title, QStringLiteral("Číselník pretekárov ZEZ-A"));
  EXPECT_EQ(prints[0].Variables.value(QStringLiteral("Rok")), QStringLiteral("'2026'"));
  QStringList printed[2];
  for (int i = 0; i < 2; ++i)
    for (const QVariantMap& row : prints[size_t(i)].Rows)
      printed[i].append(row.value(QStringLiteral("PRETEKAR")).toString());
  EXPECT_EQ(printed[0],
            QStringList({QStringLiteral("Adam Ján "), QStringLiteral("Bielik Ján "), QStringLiteral("Cibuľa Ján ")}));
  EXPECT_EQ(printed[1], QStringList({QStringLiteral("Bielik Ján "), QStringLiteral("Cibuľa Ján ")}));
}

// The "..." buttons of the competitor dialog pick from the league and team registers.
TEST_F(CodeListsTest, TheDialogsButtonsPickTheRowTheRegisterStandsOn) {
  AddLeague(QStringLiteral("Liga Stred"));
  const int sever = AddLeague(QStringLiteral("Liga Sever"));
  const int martin = AddTeam(QStringLiteral("Martin"));
  AddTeam(QStringLiteral("Žilina"));
  TfrmCPretekari form(nullptr, 2026);
  ShowActive(form);
  QVariant liga, druzstvo;
  // Each picker is a list form of its own, shown over the dialog.
  const auto pick = [](int key) {
    return [key](TForm& picker) {
      TListPattern& list = *TListPattern::Of(&picker);
      ASSERT_TRUE(list.LocateKey(key));
      QTest::keyClick(list.gr1, Qt::Key_Return);
    };
  };
  script.Then([&](TForm& f) {
    auto& d = dynamic_cast<TfrmCPretekariPridaj&>(f);
    Activate(f);
    script.Then(pick(sever));
    d.btnLiga->click();
    script.Then(pick(martin));
    d.btnDruzstvo->click();
    liga = d.eDBLiga->GetKeyValue();
    druzstvo = d.eDBDruzstvo->GetKeyValue();
    Press(f, Qt::Key_Escape);
  });
  Key(form.list, Qt::Key_P);
  EXPECT_EQ(liga.toInt(), sever);
  EXPECT_EQ(druzstvo.toInt(), martin);
}

} // namespace
