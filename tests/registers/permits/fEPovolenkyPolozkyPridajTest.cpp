#include "registers/permits/fEPovolenkyPolozkyPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/permits/fEPovolenkyHost.h"
#include "tests/registers/permits/PermitPaymentsTestSupport.h"

namespace {

// The item dialog as the payment dialog runs it, on payment 50 of member 40.
class PermitItemTest : public PermitPaymentTest<TfrmEPovolenkyJUX> {
protected:
  void SetUp() override {
    PermitPaymentTest::SetUp();
    Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,datum,c_clenov) values "
        "(50,2026,0,1,'2026-03-02',40)");
    dialog = std::make_unique<TfrmEPovolenkyPolozkyPridaj>();
    dialog->dlg.Rok = 2026;
    dialog->EPovolenky = 50;
  }
  void TearDown() override {
    dialog.reset();
    PermitPaymentTest::TearDown();
  }
  static TfrmEPovolenkyPolozkyPridaj& Item(TForm& f) { return dynamic_cast<TfrmEPovolenkyPolozkyPridaj&>(f); }
  int Edit(int item) {
    dialog->dlg.ClearForPass();
    dialog->Jedin = item;
    dialog->SetTag(2);
    return dialog->ShowModal();
  }
  std::unique_ptr<TfrmEPovolenkyPolozkyPridaj> dialog;
};

TEST_F(PermitItemTest, TheShareFollowsPriceAndLevyAndTheItemWritesItsStockIssueAndCashIncome) {
  double share = 0, typedShare = 0, keptPrice = 0;
  bool extraShown = true;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyPolozkyPridaj& d = Item(f);
    extraShown = d.eDBDoplnkovyUdaj->isVisibleTo(&d);
    Choose(*d.eDBCeniny, 10);
    share = d.eZO->Value();
    d.eDBDruhDokladu->FindIt(30);
    Retype(d.eDBCena, QStringLiteral("14"));
    typedShare = d.eZO->Value();
    // Passing the item again without another choice keeps the typed price.
    d.eDBCeniny->setFocus();
    QTest::keyClick(d.eDBCeniny, Qt::Key_Tab);
    keptPrice = d.eDBCena->Value();
    Press(f, Qt::Key_F11);
  });
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyPolozkyPridaj& d = Item(f);
    Choose(*d.eDBCeniny, 11); // a form of price 0 with its number
    Retype(d.eDBDoplnkovyUdaj, QStringLiteral("T-5"));
    Press(f, Qt::Key_F12);
  });
  RunAddPasses(*dialog);
  EXPECT_FALSE(extraShown);
  EXPECT_EQ(share, 12);
  EXPECT_EQ(typedShare, 11);
  EXPECT_EQ(keptPrice, 14);
  EXPECT_EQ(Rows(QStringLiteral("select rok,typ_povolenky,typ_platby,c_ceniny,cena,odvod_jux,doplnkovy_udaj "
                                "from e_povolenky2 order by jedin")),
            QStringList({QStringLiteral("2026/0/2/10/14/3/"), QStringLiteral("2026/0/1/11/0/0/T-5")}));
  // Both issue one piece, dated and with the member as the payment holds them.
  EXPECT_EQ(Rows(QStringLiteral("select cislo,mnozstvo,smer_pohybu,cena,poznamka,datum,c_clenov from e_ceniny "
                                "order by cislo")),
            QStringList({QStringLiteral("1/-1/-1/14//2026-03-02/40"), QStringLiteral("2/-1/-1/0/T-5/2026-03-02/40")}));
  EXPECT_EQ(Rows(QStringLiteral("select druh_dokladu,typ,p1,p2,popis,prijem,datum,c_clenov,nazov from e_pokladna")),
            QStringList(QStringLiteral("PPD/1/1/1/Členský príspevok/14/2026-03-02/40/Novák Ján Ing.")));
  // The payment's total follows its items; the member is paid up.
  EXPECT_EQ(Column(QStringLiteral("select spolu from e_povolenky")), QVariantList({14.0}));
  EXPECT_EQ(Column(QStringLiteral("select uhradene from c_clenov_clenske where c_clenov=40 and rok=2026")),
            QVariantList({1}));
}

TEST_F(PermitItemTest, APriceOfZeroRemovesTheCashRowWhichAloneStillCannotBeDeleted) {
  script.Then([&](TForm& f) {
    Activate(f);
    Choose(*Item(f).eDBCeniny, 10);
    Item(f).eDBDruhDokladu->FindIt(30);
    Press(f, Qt::Key_F12);
  });
  RunAddPasses(*dialog);
  const int item = Column(QStringLiteral("select jedin from e_povolenky2")).value(0).toInt();
  // Deleted alone, a permit's cash row is refused.
  EXPECT_ANY_THROW(Exec(QStringLiteral("delete from e_pokladna")));
  QVariant kindLocked;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyPolozkyPridaj& d = Item(f);
    kindLocked = d.eDBDruhDokladu->ReadOnly() && !d.btnDruhDokladu->isVisibleTo(&d);
    Retype(d.eDBCena, QStringLiteral("0"));
    Press(f, Qt::Key_F12);
  });
  EXPECT_EQ(Edit(item), mrOk);
  EXPECT_TRUE(kindLocked.toBool());
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Column(QStringLiteral("select cena from e_povolenky2")), QVariantList({0.0}));
  EXPECT_EQ(Column(QStringLiteral("select cena from e_ceniny")), QVariantList({0.0}));
  EXPECT_TRUE(Rows(QStringLiteral("select jedin from e_pokladna")).isEmpty());
  // A price again: a new cash row under the kind chosen now.
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyPolozkyPridaj& d = Item(f);
    kindLocked = d.eDBDruhDokladu->ReadOnly();
    d.eDBDruhDokladu->FindIt(31);
    Retype(d.eDBCena, QStringLiteral("15"));
    Press(f, Qt::Key_F12);
  });
  EXPECT_EQ(Edit(item), mrOk);
  EXPECT_FALSE(kindLocked.toBool());
  EXPECT_EQ(Rows(QStringLiteral("select druh_dokladu,typ,p1,prijem from e_pokladna")),
            QStringList(QStringLiteral("BV/2/1/15")));
}

TEST_F(PermitItemTest, AMemberWithoutATownOrTitleIsStillNamedInTheCashBook) {
  Sql("update c_clenov set mesto=null,titul=null where jedin=40");
  Sql("update e_povolenky set datum=datum where jedin=50"); // the header takes the member's data again
  script.Then([&](TForm& f) {
    Activate(f);
    Choose(*Item(f).eDBCeniny, 10);
    Item(f).eDBDruhDokladu->FindIt(30);
    Press(f, Qt::Key_F12);
  });
  RunAddPasses(*dialog);
  EXPECT_EQ(Rows(QStringLiteral("select nazov,mesto,nazov_uplny from e_pokladna")),
            QStringList(QStringLiteral("Novák Ján//Novák Ján")));
}

} // namespace

namespace {

// Prices with cents, typed: the edits, the item, its stock issue, its cash
// income and the payment's total keep them to the cent.
TEST_F(PermitItemTest, PricesWithCentsAreKeptFromTheEditToEveryRow) {
  const struct {
    const char *price, *levy, *share;
    const char* stored; // price/levy as the rows hold them
  } cases[] = {{"25,50", "3,10", "22,40", "25.5/3.1"},
               {"1234,56", "0,01", "1234,55", "1234.56/0.01"},
               {"0,01", "0", "0,01", "0.01/0"}};
  QStringList shown;
  const int last = int(std::size(cases)) - 1;
  for (int i = 0; i <= last; ++i)
    script.Then([&, i](TForm& f) {
      Activate(f);
      TfrmEPovolenkyPolozkyPridaj& d = Item(f);
      Choose(*d.eDBCeniny, 10);
      d.eDBDruhDokladu->FindIt(30);
      Retype(d.eDBCena, QString::fromUtf8(cases[i].price));
      Retype(d.eDBOdvodJUX, QString::fromUtf8(cases[i].levy));
      shown << d.eDBCena->text() + QLatin1Char('/') + d.eZO->text();
      Press(f, i == last ? Qt::Key_F12 : Qt::Key_F11);
    });
  RunAddPasses(*dialog);
  QStringList expectedShown, expectedItems, expectedStock, expectedCash;
  for (const auto& c : cases) {
    expectedShown << QString::fromUtf8(c.price) + QLatin1Char('/') + QString::fromUtf8(c.share);
    expectedItems << QString::fromUtf8(c.stored);
    expectedStock << QString::fromUtf8(c.stored);
    expectedCash << QString::fromUtf8(c.stored).section(QLatin1Char('/'), 0, 0) + QStringLiteral("/0/") +
                        QString::fromUtf8(c.stored).section(QLatin1Char('/'), 0, 0);
  }
  EXPECT_EQ(shown, expectedShown);
  EXPECT_EQ(Rows(QStringLiteral("select cena,odvod_jux from e_povolenky2 order by jedin")), expectedItems);
  EXPECT_EQ(Rows(QStringLiteral("select cena,odvod_jux from e_ceniny order by jedin")), expectedStock);
  EXPECT_EQ(Rows(QStringLiteral("select prijem_zaklad,prijem_dph,prijem from e_pokladna order by jedin")),
            expectedCash);
  EXPECT_EQ(Rows(QStringLiteral("select spolu from e_povolenky")), QStringList(QStringLiteral("1260.07")));
}

} // namespace

namespace {

// With no kind kept, a new item proposes the first cash kind, though the
// bank statement comes first in the list; a kind kept wins.
TEST_F(PermitItemTest, WithNothingKeptTheCashKindIsProposedNotTheBankStatement) {
  QVariantList proposed;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPovolenkyPolozkyPridaj& d = Item(f);
    proposed << d.eDBDruhDokladu->GetKeyValue();
    Choose(*d.eDBCeniny, 10);
    d.eDBDruhDokladu->FindIt(31);
    Press(f, Qt::Key_F11);
  });
  script.Then([&](TForm& f) {
    Activate(f);
    proposed << Item(f).eDBDruhDokladu->GetKeyValue();
    f.SetModalResult(mrCancel);
  });
  RunAddPasses(*dialog);
  EXPECT_EQ(proposed, QVariantList({30, 31}));
}

} // namespace
