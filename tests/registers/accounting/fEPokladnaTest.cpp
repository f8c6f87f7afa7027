#include "registers/accounting/fEPokladna.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "core/DateTime.h"
#include "registers/accounting/fEPokladnaTlac.h"
#include "tests/registers/accounting/AccountingTestSupport.h"
#include <QtWidgets/QLabel>

namespace {

class CashBookTest : public AccountingTest {
protected:
  void SetUp() override {
    AccountingTest::SetUp();
    novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
    agro = AddPartner(QStringLiteral("Agro"), QStringLiteral("Prešov"));
    kind = AddKind(2026, QStringLiteral("PD"), QStringLiteral("Pokladničný doklad"), 1);
    AddKind(2026, QStringLiteral("BV"), QStringLiteral("Bankový výpis"), 2);
    TMovement m;
    m.P1 = 1, m.Datum = QDate(2026, 1, 10), m.Popis = QStringLiteral("Členský príspevok"), m.Suma = 20, m.Clen = novak;
    AddMovement(m);
    m = {};
    m.P1 = 2, m.Smer = -1, m.Datum = QDate(2026, 2, 15), m.Popis = QStringLiteral("Nákup KRMIVA pre ryby");
    m.Nazov = QStringLiteral("Agro"), m.Mesto = QStringLiteral("Prešov"), m.Suma = 150.5, m.Partner = agro;
    AddMovement(m);
    m = {};
    m.P1 = 3, m.Datum = QDate(2026, 3, 20), m.Popis = QStringLiteral("Poplatok za kartu");
    m.Nazov = QStringLiteral("Horváth Peter"), m.Mesto = QStringLiteral("Levoča"), m.Suma = 5;
    AddMovement(m);
    m = {};
    m.Druh = QStringLiteral("VD"), m.P1 = 4, m.Smer = -1, m.Datum = QDate(2026, 4, 1),
    m.Popis = QStringLiteral("Oprava");
    m.Nazov = QStringLiteral("Šťastný Ľuboš"), m.Mesto = QStringLiteral("Žilina"), m.Suma = 40;
    AddMovement(m);
    // Neither the bank book nor another year shows in the cash book.
    m = {};
    m.Typ = 2, m.Druh = QStringLiteral("BV"), m.P1 = 1, m.Datum = QDate(2026, 2, 1), m.Suma = 1000;
    AddMovement(m);
    m = {};
    m.Rok = 2025, m.P1 = 9, m.Datum = QDate(2025, 5, 1), m.Suma = 77;
    AddMovement(m);
  }
  static QStringList Status(const TfrmEPokladna& form) {
    QStringList texts;
    for (const QLabel* panel : form.sbPanels)
      texts.append(QString(panel->text()).replace(QChar(0x00A0), QLatin1Char(' ')).simplified());
    return texts;
  }
  static void ClearFilter(TfrmEPokladna& form) {
    for (TIBDate* date : {form.eDatumOd, form.eDatumDo})
      date->SetDate(QVariant());
    for (TIBCurrencyEdit* number : {form.eCisloOd, form.eCisloDo})
      number->clear();
    for (TIBComboBox* combo : {form.eDruhDokladu, form.eSmerPohybu, form.eClen, form.ePartner, form.eOstatni})
      combo->ClearValue();
    form.ePopis->clear();
  }
  int novak = 0, agro = 0, kind = 0;
};

TEST_F(CashBookTest, FilterCasesListTheirRowsWithCountAndSums) {
  TfrmEPokladna form(nullptr, ProgramSettings.Rok, 1);
  ShowActive(form);
  EXPECT_EQ(form.Caption(), QStringLiteral("Evidencia pokladne - rok 2026"));
  EXPECT_EQ(Listed(form.list, QStringLiteral("P1")), QVariantList({1, 2, 3, 4}));
  EXPECT_EQ(Status(form), QStringList({QStringLiteral("Počet záznamov: 4"), QStringLiteral("Príjmy: 25,00 €"),
                                       QStringLiteral("Výdaje: 190,50 €"), QStringLiteral("Zostatok: -165,50 €")}));
  form.list.btnFilterClick(&form);
  ASSERT_TRUE(form.list.btnFilter->Down());
  const auto date = [](int m, int d) { return QVariant(DateTime::FromDate(QDate(2026, m, d))); };
  const struct {
    const char* name;
    std::function<void()> set;
    QVariantList p1;
    const char *prijmy, *vydaje, *zostatok;
  } cases[] = {
      {"nothing set", [] {}, {1, 2, 3, 4}, "25,00 €", "190,50 €", "-165,50 €"},
      {"dates reversed",
       [&] {
         form.eDatumOd->SetDate(date(3, 31));
         form.eDatumDo->SetDate(date(2, 1));
       },
       {2, 3},
       "5,00 €",
       "150,50 €",
       "-145,50 €"},
      {"date from only", [&] { form.eDatumOd->SetDate(date(3, 20)); }, {3, 4}, "5,00 €", "40,00 €", "-35,00 €"},
      {"numbers reversed",
       [&] {
         form.eCisloOd->SetValue(3);
         form.eCisloDo->SetValue(2);
       },
       {2, 3},
       "5,00 €",
       "150,50 €",
       "-145,50 €"},
      {"number bound 0 ignored",
       [&] {
         form.eCisloOd->SetValue(0);
         form.eCisloDo->SetValue(2);
       },
       {1, 2},
       "20,00 €",
       "150,50 €",
       "-130,50 €"},
      {"dates and numbers together",
       [&] {
         form.eDatumOd->SetDate(date(2, 1));
         form.eCisloDo->SetValue(3);
         form.eCisloOd->SetValue(1);
       },
       {2, 3},
       "5,00 €",
       "150,50 €",
       "-145,50 €"},
      {"kind", [&] { form.eDruhDokladu->FindIt(kind); }, {1, 2, 3}, "25,00 €", "150,50 €", "-125,50 €"},
      {"expenses", [&] { form.eSmerPohybu->FindIt(-1); }, {2, 4}, "0,00 €", "190,50 €", "-190,50 €"},
      {"lower-case description",
       [&] { form.ePopis->setText(QStringLiteral("krmiva")); },
       {2},
       "0,00 €",
       "150,50 €",
       "-150,50 €"},
      {"member", [&] { form.eClen->FindIt(novak); }, {1}, "20,00 €", "0,00 €", "20,00 €"},
      {"partner", [&] { form.ePartner->FindIt(agro); }, {2}, "0,00 €", "150,50 €", "-150,50 €"},
      {"others",
       [&] { form.eOstatni->FindIt(QStringLiteral("Šťastný Ľuboš, Žilina")); },
       {4},
       "0,00 €",
       "40,00 €",
       "-40,00 €"},
      {"nothing matches", [&] { form.ePopis->setText(QStringLiteral("dotácia")); }, {}, "0,00 €", "0,00 €", "0,00 €"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClearFilter(form);
    c.set();
    form.list.btnRefreshClick();
    EXPECT_EQ(Listed(form.list, QStringLiteral("P1")), c.p1);
    EXPECT_EQ(Status(form), QStringList({QStringLiteral("Počet záznamov: %1").arg(c.p1.size()),
                                         QStringLiteral("Príjmy: ") + QString::fromUtf8(c.prijmy),
                                         QStringLiteral("Výdaje: ") + QString::fromUtf8(c.vydaje),
                                         QStringLiteral("Zostatok: ") + QString::fromUtf8(c.zostatok)}));
  }
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(CashBookTest, ACounterpartyWithoutTownOrNameIsListedByThePartItHas) {
  TMovement m;
  m.P1 = 7, m.Nazov = QStringLiteral("Anonym"), m.Mesto = QString();
  AddMovement(m);
  m.P1 = 8, m.Nazov = QString(), m.Mesto = QStringLiteral("Spišská Belá");
  AddMovement(m);
  EXPECT_EQ(Rows(QStringLiteral("select nazov_uplny,nazov_uplny_x from e_pokladna where p1 in (7,8) order by p1")),
            QStringList({QStringLiteral("Anonym/ANONYM"), QStringLiteral("Spišská Belá/SPISSKA BELA")}));
  TfrmEPokladna form(nullptr, ProgramSettings.Rok, 1);
  ShowActive(form);
  form.list.btnFilterClick(&form);
  ShowActive(form);
  Choose(*form.eOstatni, QStringLiteral("anon"));
  form.list.btnRefreshClick();
  EXPECT_EQ(Listed(form.list, QStringLiteral("P1")), QVariantList{7});
  EXPECT_EQ(Listed(form.list, QStringLiteral("PARTNER")), QVariantList{QStringLiteral("Anonym")});
}

TEST_F(CashBookTest, TheBankBookListsOnlyBankRows) {
  TfrmEPokladna form(nullptr, ProgramSettings.Rok, 2);
  ShowActive(form);
  EXPECT_EQ(form.Caption(), QStringLiteral("Evidencia banky - rok 2026"));
  EXPECT_EQ(Listed(form.list, QStringLiteral("DRUH_DOKLADU")), QVariantList{QStringLiteral("BV")});
  EXPECT_EQ(Status(form)[3], QStringLiteral("Zostatok: 1 000,00 €"));
}

TEST_F(CashBookTest, TheMemberCardOpensTheMembersCashMovements) {
  QVariantList listed, all;
  bool panelShown = false;
  script.Then([&](TForm& f) {
    auto& form = dynamic_cast<TfrmEPokladna&>(f);
    listed = Listed(form.list, QStringLiteral("P1"));
    panelShown = form.list.pnlFilter->isVisible();
    form.eClen->ClearValue();
    form.list.btnRefreshClick();
    all = Listed(form.list, QStringLiteral("P1"));
    f.SetModalResult(mrCancel);
  });
  TfrmEPokladna::OpenForMember(nullptr, novak, 2026);
  EXPECT_EQ(listed, QVariantList{1});
  EXPECT_TRUE(panelShown);
  EXPECT_EQ(all, QVariantList({1, 2, 3, 4}));
}

TEST_F(CashBookTest, ReceiptsPrintTheMarkedRowsOrTheCurrentOneAndTheListEveryRow) {
  TfrmEPokladna form(nullptr, ProgramSettings.Rok, 1);
  ShowActive(form);
  form.list.LocateKey(Column(QStringLiteral("select jedin from e_pokladna where p1=3 and rok=2026")).value(0).toInt());
  const auto print = [&](int button) {
    script.Then([button](TForm& f) {
      auto& choice = dynamic_cast<TfrmEPokladnaTlac&>(f);
      (button == 1 ? choice.btn1 : choice.btn2)->click();
      f.SetModalResult(mrCancel);
    });
    Key(form.list, Qt::Key_T);
  };
  print(1);
  print(2);
  ASSERT_EQ(prints.size(), 2u);
  EXPECT_EQ(prints[0].Template, QStringLiteral("PokDoklad.rpf"));
  ASSERT_EQ(prints[0].Rows.size(), 1u);
  EXPECT_EQ(prints[0].Rows[0].value(QStringLiteral("POPIS")), QStringLiteral("Poplatok za kartu"));
  EXPECT_EQ(prints[1].Template, QStringLiteral("PokZoznam.rpf"));
  EXPECT_EQ(prints[1].Rows.size(), 4u);
  EXPECT_EQ(prints[1].Variables.value(QStringLiteral("Rok")), QStringLiteral("'2026'"));
}

TEST_F(CashBookTest, AMovementOfAPermitCannotBeDeletedNorAnyRowMarkedWithIt) {
  const int payment = InsertRow(
      QStringLiteral("e_povolenky_id"),
      QStringLiteral("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,datum,c_clenov) values (:JEDIN,2026,0,1,"
                     "'2026-01-05',:C)"),
      {{QStringLiteral("C"), novak}});
  const int item = InsertRow(QStringLiteral("e_povolenky2_id"),
                             QStringLiteral("insert into e_povolenky2 (jedin,e_povolenky,rok,cena,typ_platby) "
                                            "values (:JEDIN,:E,2026,0,2)"),
                             {{QStringLiteral("E"), payment}});
  TMovement m;
  m.P1 = 5, m.Popis = QStringLiteral("Povolenka"), m.Povolenka = item;
  const int permitRow = AddMovement(m);
  TfrmEPokladna form(nullptr, ProgramSettings.Rok, 1);
  ShowActive(form);
  const int first = Column(QStringLiteral("select jedin from e_pokladna where p1=1 and rok=2026")).value(0).toInt();
  Mark(form.list, {first, permitRow});
  Answer({mrYes});
  Key(form.list, Qt::Key_Delete);
  EXPECT_TRUE(Messages().join(QLatin1Char('|')).contains(QStringLiteral("#2004")))
      << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Column(QStringLiteral("select count(*) from e_pokladna where jedin in (:A,:B)"),
                   {{QStringLiteral("A"), first}, {QStringLiteral("B"), permitRow}})
                .value(0)
                .toInt(),
            2);
}

} // namespace
