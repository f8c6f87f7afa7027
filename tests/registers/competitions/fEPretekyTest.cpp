#include "registers/competitions/fEPreteky.h"
#include "app/ExceptionHandler.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/competitions/fEPretekyKolaPridaj.h"
#include "registers/competitions/fEPretekyPretekariPridaj.h"
#include "tests/registers/competitions/CompetitionsTestSupport.h"
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>

namespace {

class CompetitionsRegisterTest : public CompetitionsTest {
protected:
  void SetUp() override {
    CompetitionsTest::SetUp();
    liga = AddLeague(QStringLiteral("Liga Stred"));
    team = AddTeam(QStringLiteral("Martin"));
    for (const char* name : {"Adam", "Bielik", "Cibuľa"})
      people.append(AddCompetitor(QStringLiteral("Ján"), QString::fromUtf8(name), team, liga));
  }
  void Open() {
    form = std::make_unique<TfrmEPreteky>(nullptr, quint16(2026));
    ShowActive(*form);
  }
  void TearDown() override {
    form.reset();
    CompetitionsTest::TearDown();
  }
  QList<bool> VisibleTabs() const {
    return {form->tabs.IsTabVisible(0), form->tabs.IsTabVisible(1), form->tabs.IsTabVisible(2)};
  }
  // Enters a competitor into the current round through the dialog: sector,
  // peg, CIPS; true when the dialog saved and closed.
  bool EnterCompetitor(int who, const QString& sektor, const QString& peg, const QString& cips) {
    bool saved = false;
    script.Then([&](TForm& f) {
      auto& d = dynamic_cast<TfrmEPretekyPretekariPridaj&>(f);
      Activate(f);
      d.eDBPretekar->FindIt(who);
      d.eDBDruzstvo->FindIt(team);
      for (auto [edit, text] :
           {std::pair<QLineEdit*, QString>{d.eDBSektor, sektor}, {d.eDBSektorCislo, peg}, {d.eDBCIPS, cips}}) {
        edit->setFocus();
        TypeText(edit, text);
      }
      // The database's refusal reaches the application's error dialog from
      // the key handler itself; nothing unwinds through Qt's key delivery.
      Press(f, Qt::Key_F12);
      saved = !f.isVisible();
      if (!saved) f.SetModalResult(mrCancel);
    });
    Key(form->Pretekari(), Qt::Key_P);
    return saved;
  }
  int liga = 0, team = 0;
  QList<int> people;
  std::unique_ptr<TfrmEPreteky> form;
};

TEST_F(CompetitionsRegisterTest, TabsShowOnlyWhileTheListBeforeThemHasRows) {
  Open();
  EXPECT_EQ(form->Caption(), QStringLiteral("Evidencia pretekov ZEZ-A - rok 2026"));
  EXPECT_EQ(VisibleTabs(), QList<bool>({true, false, false}));
  // The first competition brings the other tabs; its rounds tab without rounds hides the third.
  const int preteky = AddCompetition(2026, liga, QStringLiteral("Pohár Váhu"));
  AddCompetition(2025, liga, QStringLiteral("Pohár Váhu 2025"));
  Key(form->Preteky(), Qt::Key_R);
  EXPECT_EQ(Listed(form->Preteky(), QStringLiteral("NAZOV")), QVariantList({QStringLiteral("Pohár Váhu")}));
  EXPECT_EQ(VisibleTabs(), QList<bool>({true, true, true}));
  Key(form->Preteky(), Qt::Key_Right);
  EXPECT_EQ(form->tabs.CurrentIndex(), 1);
  EXPECT_EQ(VisibleTabs(), QList<bool>({true, true, false}));
  // Right has no further visible tab; Left goes back.
  Key(form->Kola(), Qt::Key_Right);
  EXPECT_EQ(form->tabs.CurrentIndex(), 1);
  Key(form->Kola(), Qt::Key_Left);
  EXPECT_EQ(form->tabs.CurrentIndex(), 0);

  // With a round the third tab shows; the round going, the third tab gives way to the second.
  const int kolo = AddRound(preteky, 1, 1);
  Key(form->Preteky(), Qt::Key_Right);
  EXPECT_EQ(VisibleTabs(), QList<bool>({true, true, true}));
  Key(form->Kola(), Qt::Key_Right);
  EXPECT_EQ(form->tabs.CurrentIndex(), 2);
  EXPECT_FALSE(form->list.btnTlac->isEnabled()); // the competitors print nothing
  Exec(QStringLiteral("delete from e_preteky_kola where jedin=:K"), {{QStringLiteral("K"), kolo}});
  Key(form->Pretekari(), Qt::Key_R);
  EXPECT_EQ(form->tabs.CurrentIndex(), 1);
  EXPECT_EQ(VisibleTabs(), QList<bool>({true, true, false}));
  EXPECT_TRUE(form->list.btnTlac->isEnabled());
}

TEST_F(CompetitionsRegisterTest, ASectorAndPegTakenTwiceInARoundIsRefused) {
  const int preteky = AddCompetition(2026, liga, QStringLiteral("Pohár Váhu"));
  const int kolo1 = AddRound(preteky, 1, 1), kolo2 = AddRound(preteky, 2, 2);
  AddEntry(kolo2, people[2], team, QStringLiteral("A"), 5, 100);
  QStringList reported;
  SetApplicationExceptionHandler([&](std::exception_ptr e) { reported.append(ExceptionText(e)); });
  Open();
  form->tabs.ShowTab(1);
  form->Kola().LocateKey(kolo1);
  form->tabs.ShowTab(2);
  ASSERT_EQ(form->tabs.CurrentIndex(), 2);
  // "a" is stored as "A"; sector A peg 5 again in the same round is refused,
  // also in capitals; an empty peg twice is no clash.
  const struct {
    int who;
    QString sektor, peg, cips;
    bool saved;
  } cases[] = {
      {people[0], QStringLiteral("a"), QStringLiteral("5"), QStringLiteral("1200"), true},
      {people[1], QStringLiteral("A"), QStringLiteral("5"), QStringLiteral("800"), false},
      {people[1], QStringLiteral("a"), QString(), QStringLiteral("800"), true},
      {people[2], QStringLiteral("A"), QString(), QStringLiteral("300"), true},
  };
  for (const auto& c : cases) {
    reported.clear();
    EXPECT_EQ(EnterCompetitor(c.who, c.sektor, c.peg, c.cips), c.saved)
        << c.sektor.toStdString() << c.peg.toStdString();
    EXPECT_EQ(reported.join(QString()).contains(QLatin1String("ERR_001")), !c.saved)
        << reported.join(QLatin1Char('|')).toStdString();
  }
  SetApplicationExceptionHandler(nullptr);
  EXPECT_EQ(Rows(QStringLiteral("select e_preteky_kola,sektor,sektor_cislo,cips from e_preteky_pretekari "
                                "order by jedin")),
            QStringList({QStringLiteral("%1/A/5/100").arg(kolo2), QStringLiteral("%1/A/5/1200").arg(kolo1),
                         QStringLiteral("%1/A//800").arg(kolo1), QStringLiteral("%1/A//300").arg(kolo1)}));
  // Sector and peg joined; empty when the peg is missing (such rows sort first).
  EXPECT_EQ(Listed(form->Pretekari(), QStringLiteral("SEKTOR")),
            QVariantList({QVariant(), QVariant(), QStringLiteral("A5")}));
}

TEST_F(CompetitionsRegisterTest, ARoundNumberTakenInTheCompetitionStaysInTheOpenDialog) {
  const int preteky = AddCompetition(2026, liga, QStringLiteral("Pohár Váhu"));
  AddRound(preteky, 1, 1);
  QStringList reported;
  SetApplicationExceptionHandler([&](std::exception_ptr e) { reported.append(ExceptionText(e)); });
  Open();
  form->tabs.ShowTab(1);
  QStringList kept;
  script.Then([&](TForm& f) {
    auto& d = dynamic_cast<TfrmEPretekyKolaPridaj&>(f);
    Activate(f);
    for (auto [edit, text] : {std::pair<QLineEdit*, QString>{d.eDBCislo, QStringLiteral("1")},
                              {d.eDBCisloVRoku, QStringLiteral("2")},
                              {d.eDBNazov, QStringLiteral("Nedeľa")}}) {
      edit->setFocus();
      TypeText(edit, text);
    }
    Press(f, Qt::Key_F12);
    if (f.isVisible()) kept = QStringList{d.eDBCislo->text(), d.eDBCisloVRoku->text(), d.eDBNazov->text()};
    // Numbered 2 it saves.
    d.eDBCislo->setFocus();
    d.eDBCislo->selectAll();
    TypeText(d.eDBCislo, QStringLiteral("2"));
    Submit(f, Qt::Key_F12);
  });
  Key(form->Kola(), Qt::Key_P);
  SetApplicationExceptionHandler(nullptr);
  EXPECT_EQ(kept, QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("Nedeľa")}));
  EXPECT_TRUE(reported.join(QString()).contains(QLatin1String("UK_E_PRETEKY_KOLA_CISLO")))
      << reported.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Rows(QStringLiteral("select e_preteky,cislo,cislo_v_roku,nazov from e_preteky_kola order by jedin")),
            QStringList({QStringLiteral("%1/1/1/1. kolo").arg(preteky), QStringLiteral("%1/2/2/Nedeľa").arg(preteky)}));
  EXPECT_EQ(Listed(form->Kola(), QStringLiteral("NAZOV")),
            QVariantList({QStringLiteral("1. kolo"), QStringLiteral("Nedeľa")}));
}

TEST_F(CompetitionsRegisterTest, MarksAndPrintsActOnTheCurrentTab) {
  const int preteky = AddCompetition(2026, liga, QStringLiteral("Pohár Váhu"));
  AddCompetition(2026, liga, QStringLiteral("Pohár Oravy"));
  QList<int> kola;
  for (int cislo : {1, 2, 3})
    kola.append(AddRound(preteky, cislo, cislo));
  AddEntry(kola[0], people[0], team, QStringLiteral("A"), 1, 500, 3);
  Open();
  form->list.LocateKey(preteky);
  form->tabs.ShowTab(1);
  form->list.btnOznac->click();
  EXPECT_EQ(form->Kola().gr1->CheckedCount(), 3);
  EXPECT_EQ(form->Preteky().gr1->CheckedCount(), 0);
  form->list.btnOdznac->click();
  Mark(form->Kola(), {kola[0], kola[2]});
  // Only the marked rounds, and the result sheet of those two.
  form->list.btnOznacene->click();
  EXPECT_EQ(Listed(form->Kola(), QStringLiteral("JEDIN")), QVariantList({kola[0], kola[2]}));
  script.Then([](TForm& choice) {
    choice.findChild<QPushButton*>(QStringLiteral("btn1"))->click();
    Press(choice, Qt::Key_Escape);
  });
  Key(form->Kola(), Qt::Key_T);
  // Tab 1 prints the current competition's results at once.
  form->tabs.ShowTab(0);
  Key(form->Preteky(), Qt::Key_T);
  ASSERT_EQ(prints.size(), 2u);
  EXPECT_EQ(prints[0].Template, QStringLiteral("PR_VKP.rpf"));
  EXPECT_EQ(prints[0].Aliases.value(QStringLiteral("ib3")), QStringLiteral("DETAIL_SUMARNE"));
  EXPECT_TRUE(prints[0].Variables.isEmpty());
  QVariantList printed;
  for (const QVariantMap& row : prints[0].Rows)
    printed.append(row.value(QStringLiteral("JEDIN")));
  EXPECT_EQ(printed, QVariantList({kola[0], kola[2]}));
  EXPECT_EQ(prints[1].Template, QStringLiteral("PR_VP.rpf"));
  EXPECT_EQ(prints[1].Title, QStringLiteral("Tlač výsledkov preteku"));
  ASSERT_EQ(prints[1].Rows.size(), 1u);
  EXPECT_EQ(prints[1].Rows[0].value(QStringLiteral("JEDIN")).toInt(), preteky);

  // A disqualified competitor's CIPS cell is red with yellow text.
  form->tabs.ShowTab(1);
  form->Kola().LocateKey(kola[0]);
  form->tabs.ShowTab(2);
  TDbGridQPL& gr3 = *form->Pretekari().gr1;
  TGridCellCanvas canvas;
  emit gr3.OnDrawColumnCell(0, static_cast<TQPLColumn*>(gr3.Column(3)), canvas);
  EXPECT_EQ(canvas.Brush, clRed);
  EXPECT_EQ(canvas.FontColor, clYellow);
}

} // namespace
