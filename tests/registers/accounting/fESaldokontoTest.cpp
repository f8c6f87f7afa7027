#include "registers/accounting/fESaldokonto.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/accounting/fEPokladna.h"
#include "registers/accounting/fEPokladnaPridaj.h"
#include "tests/registers/accounting/AccountingTestSupport.h"

namespace {

class LedgerTest : public AccountingTest {
protected:
  // A cash movement of `suma` (income for direction 1) paying the invoice.
  int Pay(int faktura, double suma, int smer, int p1) {
    TMovement m;
    m.Suma = suma, m.Smer = smer, m.P1 = p1;
    const int key = AddMovement(m);
    Exec(QStringLiteral("update e_pokladna set e_faktury=:F where jedin=:J"),
         {{QStringLiteral("F"), faktura}, {QStringLiteral("J"), key}});
    return key;
  }
  // The ledger lines: kind-number, "+" and "-" in cents, partner.
  QStringList Ledger(int smer, int uhradene) const {
    return Rows(QStringLiteral("select druh_dokladu||'-'||p1,cast(pohladavka*100 as integer),"
                               "cast(zavazok*100 as integer),partner from sp_saldokonto(2026,%1,%2) order by jedin")
                    .arg(smer)
                    .arg(uhradene));
  }
};

TEST_F(LedgerTest, LinesShowWhatIsOwedOnEachSideAndFollowThePayments) {
  AddKinds();
  AddKind(2026, QStringLiteral("PD"), QStringLiteral("Pokladňa"), 1);
  const int full = AddInvoice({.P1 = 1, .Spolu = 100});
  Pay(full, 60, 1, 1);
  const int forty = Pay(full, 40, 1, 2);
  const int part = AddInvoice({.P1 = 2, .Spolu = 100});
  Pay(part, 60, 1, 3);
  const int received = AddInvoice({.Typ = 21, .Druh = QStringLiteral("FP"), .P1 = 1, .Spolu = 500});
  Pay(received, 200, -1, 4);
  const int over = AddInvoice({.P1 = 3, .Spolu = 100, .OdbMesto = QString()});
  Pay(over, 120, 1, 5);
  AddInvoice({.P1 = 4, .OdbNazov = QString()}); // no items, no payments
  AddInvoice({.Rok = 2025, .P1 = 9, .Spolu = 10});
  AddInvoice({.Rok = 2027, .P1 = 8, .Spolu = 10});
  AddInvoice({.Typ = 31, .Druh = QStringLiteral("DLP"), .P1 = 1, .Spolu = 10});
  AddInvoice({.Typ = 41, .Druh = QStringLiteral("DLV"), .P1 = 1, .Spolu = 10});
  AddInvoice({.Typ = 12, .Druh = QStringLiteral("ZF"), .P1 = 1, .Spolu = 30});
  AddInvoice({.Typ = 13, .Druh = QStringLiteral("DV"), .P1 = 1, .Spolu = 20});
  AddInvoice({.Typ = 22, .Druh = QStringLiteral("ZP"), .P1 = 1, .Spolu = 40});
  AddInvoice({.Typ = 23, .Druh = QStringLiteral("DP"), .P1 = 1, .Spolu = 50});

  const QString FV1 = QStringLiteral("FV-1/10000/10000/Odberateľ, Košice");
  const QString FV2 = QStringLiteral("FV-2/10000/6000/Odberateľ, Košice");
  const QString FP1 = QStringLiteral("FP-1/20000/50000/Dodávateľ, Prešov");
  const QString FV3 = QStringLiteral("FV-3/10000/12000/Odberateľ"); // no town: the name alone
  const QString FV4 = QStringLiteral("FV-4/0/0/Košice");            // no name: the town alone
  const QString FV9 = QStringLiteral("FV-9/1000/0/Odberateľ, Košice");
  const QString ZF1 = QStringLiteral("ZF-1/3000/0/Odberateľ, Košice");
  const QString DV1 = QStringLiteral("DV-1/0/2000/Odberateľ, Košice");
  const QString ZP1 = QStringLiteral("ZP-1/0/4000/Dodávateľ, Prešov");
  const QString DP1 = QStringLiteral("DP-1/5000/0/Dodávateľ, Prešov");
  const struct {
    int smer, uhradene;
    QStringList lines;
  } cases[] = {
      {0, 0, {FV1, FV2, FP1, FV3, FV4, FV9, ZF1, DV1, ZP1, DP1}},
      {0, 1, {FV1, FV3, FV4}},                      // paid, overpaid and the empty invoice
      {0, -1, {FV2, FP1, FV9, ZF1, DV1, ZP1, DP1}}, // what is still open
      {1, 0, {FV1, FV2, FV3, FV4, FV9, ZF1, DP1}},  // receivables: 11, 12 and 23
      {-1, 0, {FP1, DV1, ZP1}},                     // liabilities
  };
  for (const auto& c : cases)
    EXPECT_EQ(Ledger(c.smer, c.uhradene), c.lines) << c.smer << " " << c.uhradene;

  // The list form with the filter "pohľadávka" lists the same receivables.
  TfrmESaldokonto ledger(nullptr, ProgramSettings.Rok);
  ShowActive(ledger);
  EXPECT_EQ(ledger.Caption(), QStringLiteral("Saldokonto - rok 2026"));
  ledger.eDBTyp->FindIt(1);
  ledger.list.btnFilterClick(&ledger);
  EXPECT_EQ(Listed(ledger.list, QStringLiteral("DRUH_DOKLADU")).size(), 7);
  for (const QVariant& druh : Listed(ledger.list, QStringLiteral("DRUH_DOKLADU")))
    EXPECT_TRUE(
        QStringList({QStringLiteral("FV"), QStringLiteral("ZF"), QStringLiteral("DP")}).contains(druh.toString()));

  // A payment moved to another invoice recomputes both.
  Exec(QStringLiteral("update e_pokladna set e_faktury=:F where jedin=:J"),
       {{QStringLiteral("F"), part}, {QStringLiteral("J"), forty}});
  EXPECT_EQ(Rows(QStringLiteral("select p1,cast(uhradene*100 as integer) from e_faktury where jedin in (%1,%2) "
                                "order by p1")
                     .arg(full)
                     .arg(part)),
            QStringList({QStringLiteral("1/6000"), QStringLiteral("2/10000")}));
}

class PaymentLinkTest : public LedgerTest {
protected:
  static TfrmEPokladnaPridaj& Movement(TForm& f) { return dynamic_cast<TfrmEPokladnaPridaj&>(f); }
  // F5 in a new movement of the direction `smer`, choosing the invoice `faktura` in the ledger.
  QStringList PayByF5(TfrmEPokladna& cash, int smer, int faktura) {
    QStringList seen;
    script.Then([&, smer](TForm& f) {
      Activate(f);
      TfrmEPokladnaPridaj& d = Movement(f);
      // With its title bar within a 1024 x 768 screen.
      EXPECT_LE(f.height() + 32, 768);
      d.eDBSmerPohybu->FindIt(smer);
      Press(f, Qt::Key_F5);
      seen << d.eDBPopis->text() << d.eDBZaklad->text() << d.eDBSpolu->text() << d.eDBNazov->text()
           << d.eDBMesto->text() << d.eDBICO->text()
           << (d.eDBPopis->isReadOnly() ? QStringLiteral("locked") : QString())
           << (d.eDBSmerPohybu->ReadOnly() ? QStringLiteral("locked") : QString());
      Submit(f, Qt::Key_F12);
    });
    script.Then([&, faktura](TForm& f) {
      auto& ledger = dynamic_cast<TfrmESaldokonto&>(f);
      EXPECT_EQ(ledger.Tag(), 1);
      ASSERT_TRUE(ledger.list.LocateKey(faktura));
      QTest::keyClick(ledger.list.gr1, Qt::Key_Return);
    });
    Key(cash.list, Qt::Key_P);
    return seen;
  }
};

TEST_F(PaymentLinkTest, F5FillsTheOpenAmountAndThePartnerSideAndF6DropsTheLink) {
  AddKinds();
  AddKind(2026, QStringLiteral("PD"), QStringLiteral("Pokladňa"), 1);
  const int customer = AddPartner(QStringLiteral("Odberateľ"), QStringLiteral("Košice"), QStringLiteral("111"));
  const int issued = AddInvoice({.P1 = 5, .Spolu = 1200, .OdbJedin = customer});
  Pay(issued, 200, 1, 1);
  const int issuedCredit = AddInvoice({.Typ = 13, .Druh = QStringLiteral("DV"), .P1 = 1, .Spolu = 30});
  const int receivedCredit = AddInvoice({.Typ = 23, .Druh = QStringLiteral("DP"), .P1 = 1, .Spolu = 40});
  TfrmEPokladna cash(nullptr, ProgramSettings.Rok, 1);
  ShowActive(cash);

  EXPECT_EQ(PayByF5(cash, 1, issued),
            QStringList({QStringLiteral("Úhrada FV-5/2026 - Odberateľ, Košice"), QStringLiteral("1000,00"),
                         QStringLiteral("1000,00"), QStringLiteral("Odberateľ"), QStringLiteral("Košice"),
                         QStringLiteral("111"), QStringLiteral("locked"), QStringLiteral("locked")}));
  EXPECT_EQ(Rows(QStringLiteral("select c_partneri,prijem from e_pokladna where e_faktury=%1 and p1=2").arg(issued)),
            QStringList{QStringLiteral("%1/1000").arg(customer)});
  EXPECT_EQ(Column(QStringLiteral("select cast(uhradene*100 as integer) from e_faktury where jedin=:J"),
                   {{QStringLiteral("J"), issued}}),
            QVariantList{120000});
  // An issued credit note is paid out to the customer, a received one comes from the supplier.
  EXPECT_EQ(PayByF5(cash, -1, issuedCredit).mid(3, 2),
            QStringList({QStringLiteral("Odberateľ"), QStringLiteral("Košice")}));
  EXPECT_EQ(PayByF5(cash, 1, receivedCredit).mid(3, 2),
            QStringList({QStringLiteral("Dodávateľ"), QStringLiteral("Prešov")}));

  // F6 unlinks: the description is free again and the invoice no longer paid by it.
  QStringList afterF6;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPokladnaPridaj& d = Movement(f);
    Press(f, Qt::Key_F6);
    afterF6 << d.eDBPopis->text() << (d.eDBPopis->isReadOnly() ? QStringLiteral("locked") : QStringLiteral("open"))
            << (d.btnFakturaZrus->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
    d.eDBPopis->setFocus();
    TypeText(d.eDBPopis, QStringLiteral("Dar"));
    Submit(f, Qt::Key_F12);
  });
  cash.list.LocateKey(
      Column(QStringLiteral("select jedin from e_pokladna where e_faktury=:J"), {{QStringLiteral("J"), receivedCredit}})
          .value(0)
          .toInt());
  Key(cash.list, Qt::Key_O);
  EXPECT_EQ(afterF6, QStringList({QString(), QStringLiteral("open"), QStringLiteral("hidden")}));
  EXPECT_EQ(Column(QStringLiteral("select count(*) from e_pokladna where e_faktury=:J"),
                   {{QStringLiteral("J"), receivedCredit}}),
            QVariantList{0});
}

} // namespace

namespace {

// With the ledger switched to all items, F5 may pick a document of the other
// side: the movement then takes the direction the document's kind requires
// (a receivable is paid in, a liability paid out), shown and stored.
TEST_F(PaymentLinkTest, ALinkedDocumentSetsTheDirectionItsKindRequires) {
  AddKinds();
  AddKind(2026, QStringLiteral("PD"), QStringLiteral("Pokladňa"), 1);
  const int issued = AddInvoice({.P1 = 5, .Spolu = 300});
  const int received = AddInvoice({.Typ = 21, .Druh = QStringLiteral("FP"), .P1 = 6, .Spolu = 80});
  TfrmEPokladna cash(nullptr, ProgramSettings.Rok, 1);
  ShowActive(cash);
  const struct {
    int startedAs, invoice, required;
    const char* stored; // prijem/vydaj
  } cases[] = {{-1, issued, 1, "300/0"}, {1, received, -1, "0/80"}};
  for (const auto& c : cases) {
    int shown = 0;
    script.Then([&](TForm& f) {
      Activate(f);
      TfrmEPokladnaPridaj& d = Movement(f);
      d.eDBSmerPohybu->FindIt(c.startedAs);
      Press(f, Qt::Key_F5);
      shown = d.eDBSmerPohybu->GetKeyValue().toInt();
      Submit(f, Qt::Key_F12);
    });
    script.Then([&](TForm& f) {
      auto& ledger = dynamic_cast<TfrmESaldokonto&>(f);
      ledger.eDBTyp->FindIt(0); // všetky
      ledger.list.btnRefreshClick();
      ASSERT_TRUE(ledger.list.LocateKey(c.invoice));
      QTest::keyClick(ledger.list.gr1, Qt::Key_Return);
    });
    Key(cash.list, Qt::Key_P);
    EXPECT_EQ(shown, c.required);
    EXPECT_EQ(Rows(QStringLiteral("select smer_pohybu,prijem,vydaj from e_pokladna where e_faktury=%1").arg(c.invoice)),
              QStringList(QStringLiteral("%1/%2").arg(c.required).arg(QString::fromUtf8(c.stored))));
  }
}

} // namespace
