#include "registers/accounting/fEFaktury.h"
#include "app/AppContext.h"
#include "app/ToolBar.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "core/DateTime.h"
#include "registers/accounting/fEFakturyNasaZO.h"
#include "registers/accounting/fEFakturyPolozkyPridaj.h"
#include "registers/accounting/fEFakturyPridaj.h"
#include "tests/registers/accounting/AccountingTestSupport.h"
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

namespace {

class InvoiceTest : public AccountingTest {
protected:
  static TfrmEFakturyPridaj& Invoice(TForm& f) { return dynamic_cast<TfrmEFakturyPridaj&>(f); }
  static TfrmEFakturyPolozkyPridaj& Item(TForm& f) { return dynamic_cast<TfrmEFakturyPolozkyPridaj&>(f); }
  // Types one item: name, unit, price, rate (before the price is left, as
  // the VAT follows the price), quantity; `key` saves it.
  static QStringList EnterItem(TForm& f, const QString& name, const QString& price, const QString& rate,
                               const QString& quantity, int key) {
    Activate(f);
    TfrmEFakturyPolozkyPridaj& d = Item(f);
    TypeInto(d.eDBNazov, name);
    TypeInto(d.eDBMJ, QStringLiteral("ks"));
    TypeInto(d.eDBSadzbaDPH, rate);
    TypeInto(d.eDBMJZaklad, price);
    TypeInto(d.eDBMnozstvo, quantity);
    const QStringList shown{d.eDBMJDPH->text(), d.eMJSpolu->text(), d.eSpoluZaklad->text(), d.eSpoluDPH->text(),
                            d.eSpolu->text()};
    Press(f, key);
    return shown;
  }
  // The required header entries a test does not look at.
  static void FillHeader(TfrmEFakturyPridaj& d) {
    TypeInto(d.eDBKonstatnySymbol, QStringLiteral("0308"));
    TypeInto(d.eDBFormaUhrady, QStringLiteral("prevodom"));
    if (d.eDBVariabilnySymbol->text().isEmpty()) TypeInto(d.eDBVariabilnySymbol, QStringLiteral("2026001"));
  }
  QString Totals(int faktura) const {
    return Rows(QStringLiteral("select spolu_zaklad,spolu_dph,spolu from e_faktury where jedin=%1").arg(faktura))
        .value(0);
  }
};

TEST_F(InvoiceTest, ItemsComputeTheirFiguresAndTheDatabaseKeepsTheInvoiceTotals) {
  AddKind(2026, QStringLiteral("FV"), QStringLiteral("Faktúry vystavené"), 11);
  const int firma = AddPartner(QStringLiteral("Firma s.r.o."), QStringLiteral("Košice"), QStringLiteral("12345678"));
  Organizacia.Nazov = QStringLiteral("MO SRZ Poprad");
  Organizacia.Mesto = QStringLiteral("Poprad");
  Organizacia.ICO = QStringLiteral("00178900");
  TfrmEFaktury list(nullptr, ProgramSettings.Rok, 11, 19);
  ShowActive(list);
  int faktura = 0;
  QStringList totals, items;
  QString caption, proposedSymbol, typedSymbol, statusBar;
  double proposed = 0;
  QDate due;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEFakturyPridaj& d = Invoice(f);
    caption = f.Caption();
    // With its title bar within a 1024 x 768 screen.
    EXPECT_LE(f.width() + 8, 1024);
    EXPECT_LE(f.height() + 32, 768);
    faktura = d.Jedin;
    proposed = d.eDBP1->Value();
    proposedSymbol = d.eDBVariabilnySymbol->text();
    TypeInto(d.eDBP1, QStringLiteral("57"));
    typedSymbol = d.eDBVariabilnySymbol->text();
    d.eDBDatum->SetDate(DateTime::EncodeDate(2026, 12, 20));
    d.ProposeDueDate();
    due = DateTime::ToDate(d.eDBDatumSplatnosti->Date().toDouble());
    totals << Totals(faktura);
    d.items->Add();
    totals << Totals(faktura);
    statusBar = d.sbPanels[3]->text();
    Activate(f); // back from the item dialog
    Choose(*d.eDBPartneri, QStringLiteral("Firma s.r.o., Košice"));
    FillHeader(d);
    Submit(f, Qt::Key_F12);
  });
  script.Then([&](TForm& f) {
    items << EnterItem(f, QStringLiteral("Povolenka"), QStringLiteral("100"), QStringLiteral("20"),
                       QStringLiteral("2,5"), Qt::Key_F11);
  });
  script.Then([&](TForm& f) {
    items << EnterItem(f, QStringLiteral("Známka"), QStringLiteral("33,33"), QStringLiteral("20"), QStringLiteral("3"),
                       Qt::Key_F12);
  });
  Key(list.list, Qt::Key_P);
  EXPECT_EQ(caption, QStringLiteral("Pridanie vystavenej faktúry"));
  EXPECT_EQ(proposed, 1);
  EXPECT_EQ(proposedSymbol, QString()); // a proposed number is no variable symbol
  EXPECT_EQ(typedSymbol, QStringLiteral("57"));
  EXPECT_EQ(due, QDate(2027, 1, 3));
  EXPECT_EQ(items, QStringList({QStringLiteral("20,00"), QStringLiteral("120,00"), QStringLiteral("250,00"),
                                QStringLiteral("50,00"), QStringLiteral("300,00"), QStringLiteral("6,67"),
                                QStringLiteral("40,00"), QStringLiteral("99,99"), QStringLiteral("20,00"),
                                QStringLiteral("119,99")}));
  // Without items the totals are Null; with them the sums of the lines
  // (the VAT of 99,99 at 20 % is 19,998: 20,00, not 3 x 6,67).
  EXPECT_EQ(totals, QStringList({QStringLiteral("//"), QStringLiteral("349.99/70/419.99")}));
  EXPECT_TRUE(statusBar.contains(QStringLiteral("419,99"))) << statusBar.toStdString();
  EXPECT_EQ(
      Rows(QStringLiteral("select rok,typ,druh_dokladu,p1,p2,variabilny_symbol,uhradene,odb_jedin,odb_nazov,"
                          "odb_ico,dod_jedin,dod_nazov,dod_mesto,dod_ico from e_faktury")),
      QStringList{
          QStringLiteral("2026/11/FV/57/0/57/0/%1/Firma s.r.o./12345678//MO SRZ Poprad/Poprad/00178900").arg(firma)});
  EXPECT_EQ(Listed(list.list, QStringLiteral("PARTNER")), QVariantList{QStringLiteral("Firma s.r.o., Košice")});
  // The last item gone, the totals are Null again.
  Exec(QStringLiteral("delete from e_faktury_polozky"));
  EXPECT_EQ(Totals(faktura), QStringLiteral("//"));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(InvoiceTest, AnInvoiceNotSavedLeavesNoRowAndTheKindIsRememberedPerRegister) {
  AddKind(2026, QStringLiteral("FV"), QStringLiteral("Faktúry vystavené"), 11);
  const int zalohova = AddKind(2026, QStringLiteral("ZF"), QStringLiteral("Zálohové faktúry"), 12);
  AddKind(2026, QStringLiteral("FP"), QStringLiteral("Faktúry prijaté"), 21);
  TfrmEFaktury issued(nullptr, ProgramSettings.Rok, 11, 19);
  ShowActive(issued);
  QStringList kinds;
  int placeholders = 0;
  // Esc after an item: neither the invoice nor its item stays.
  script.Then([&](TForm& f) {
    Activate(f);
    Invoice(f).items->Add();
    placeholders = Column(QStringLiteral("select count(*) from e_faktury_polozky")).value(0).toInt();
    Press(f, Qt::Key_Escape);
  });
  script.Then([&](TForm& f) {
    EnterItem(f, QStringLiteral("Vstupenka"), QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("1"),
              Qt::Key_F12);
  });
  Key(issued.list, Qt::Key_P);
  EXPECT_EQ(placeholders, 1);
  EXPECT_EQ(Column(QStringLiteral("select count(*) from e_faktury")).value(0).toInt(), 0);
  EXPECT_EQ(Column(QStringLiteral("select count(*) from e_faktury_polozky")).value(0).toInt(), 0);

  // Another workstation holds the row: the refused save keeps the dialog open
  // with its entries, and its close removes the placeholder.
  FreshMessages({mrOk});
  bool stayedOpen = false;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEFakturyPridaj& d = Invoice(f);
    d.eDBDruhDokladu->setFocus();
    d.eDBDruhDokladu->FindIt(zalohova);
    QTest::keyClick(d.eDBDruhDokladu, Qt::Key_Tab);
    TypeInto(d.partner.Nazov, QStringLiteral("Odberateľ"));
    TypeInto(d.partner.Mesto, QStringLiteral("Levoča"));
    FillHeader(d);
    {
      TTestStatement lock(db.get(), QStringLiteral("update e_faktury set poznamka='x' where jedin=:J"),
                          {{QStringLiteral("J"), d.Jedin}});
      lock.Query().ExecSQL();
      Press(f, Qt::Key_F12);
      stayedOpen = f.isVisible() && d.partner.Mesto->text() == QStringLiteral("Levoča");
    }
    Press(f, Qt::Key_Escape);
  });
  Key(issued.list, Qt::Key_P);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(Messages().size(), 1);
  EXPECT_EQ(Column(QStringLiteral("select count(*) from e_faktury")).value(0).toInt(), 0);

  // A number taken in the year and kind is refused before the save, with the entries kept.
  Exec(QStringLiteral("insert into e_faktury (jedin,rok,typ,druh_dokladu,p1,p2,uhradene) "
                      "values (gen_id(e_faktury_id,1),2026,12,'ZF',1,0,0)"));
  FreshMessages({mrOk});
  QString refused;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEFakturyPridaj& d = Invoice(f);
    d.eDBDruhDokladu->setFocus();
    d.eDBDruhDokladu->FindIt(zalohova);
    QTest::keyClick(d.eDBDruhDokladu, Qt::Key_Tab);
    TypeInto(d.eDBP1, QStringLiteral("1"));
    TypeInto(d.partner.Nazov, QStringLiteral("Odberateľ"));
    TypeInto(d.partner.Mesto, QStringLiteral("Levoča"));
    FillHeader(d);
    Press(f, Qt::Key_F12);
    refused = Messages().join(QLatin1Char('|'));
    TypeInto(d.eDBP1, QStringLiteral("2"));
    Submit(f, Qt::Key_F12);
  });
  Key(issued.list, Qt::Key_P);
  EXPECT_EQ(refused, QStringLiteral("Doklad ZF číslo 1 už v evidencii je."));
  EXPECT_EQ(Rows(QStringLiteral("select druh_dokladu,p1,typ,odb_mesto from e_faktury order by p1")),
            QStringList({QStringLiteral("ZF/1/12/"), QStringLiteral("ZF/2/12/Levoča")}));

  // The next add of the register starts with the kind saved last; another register with its first kind.
  for (TfrmEFaktury* list : {&issued, static_cast<TfrmEFaktury*>(nullptr)}) {
    std::unique_ptr<TfrmEFaktury> received;
    if (!list) {
      received = std::make_unique<TfrmEFaktury>(nullptr, ProgramSettings.Rok, 21, 29);
      ShowActive(*received);
      list = received.get();
    }
    script.Then([&](TForm& f) {
      kinds << Invoice(f).eDBDruhDokladu->GetKeyValue2().toString() + QLatin1Char('/') + Invoice(f).lDBDatum->text();
      f.SetModalResult(mrCancel);
    });
    Key(list->list, Qt::Key_P);
  }
  EXPECT_EQ(kinds, QStringList({QStringLiteral("ZF/Dátum vystavenia:"), QStringLiteral("FP/Dátum prijatia:")}));
}

TEST_F(InvoiceTest, AReceivedInvoiceKeepsThePartnerAsSupplierAndItsOwnIdentityWhenEdited) {
  AddKind(2026, QStringLiteral("FP"), QStringLiteral("Faktúry prijaté"), 21);
  const int dodavatel = AddPartner(QStringLiteral("Rybárske potreby"), QStringLiteral("Prešov"), QStringLiteral("555"));
  Exec(QStringLiteral("update c_partneri set ucet_cislo='123456',ucet_kod='0900',ucet_ss='77' where jedin=:J"),
       {{QStringLiteral("J"), dodavatel}});
  Organizacia.Nazov = QStringLiteral("MO SRZ Poprad");
  Organizacia.Mesto = QStringLiteral("Poprad");
  TfrmEFaktury list(nullptr, ProgramSettings.Rok, 21, 29);
  ShowActive(list);
  QString symbol, account;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEFakturyPridaj& d = Invoice(f);
    TypeInto(d.eDBP1, QStringLiteral("57"));
    symbol = d.eDBVariabilnySymbol->text();
    Choose(*d.eDBPartneri, QStringLiteral("Rybárske potreby, Prešov"));
    account = d.partner.UcetCislo->text() + QLatin1Char('/') + d.partner.UcetKod->text() + QLatin1Char('/') +
              d.eDBSpecifickySymbol->text();
    FillHeader(d);
    Submit(f, Qt::Key_F12);
  });
  Key(list.list, Qt::Key_P);
  EXPECT_EQ(symbol, QString()); // only issued invoices take the number as their symbol
  EXPECT_EQ(account, QStringLiteral("123456/0900/77"));
  EXPECT_EQ(Rows(QStringLiteral("select typ,dod_jedin,dod_nazov,dod_ucet_cislo,specificky_symbol,odb_jedin,odb_nazov,"
                                "odb_mesto from e_faktury")),
            QStringList{QStringLiteral("21/%1/Rybárske potreby/123456/77//MO SRZ Poprad/Poprad").arg(dodavatel)});

  // The settings change; the invoice keeps the identity it was saved with, "Načítaj" brings the new one.
  Organizacia.Nazov = QStringLiteral("MO SRZ Poprad - nový názov");
  QStringList shown;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEFakturyPridaj& d = Invoice(f);
    shown << f.Caption() << d.lDBDatum->text() << d.NasaZO.Nazov;
    d.btnUdajeZO->click();
    shown << d.NasaZO.Nazov;
    Submit(f, Qt::Key_F12);
  });
  script.Then([&](TForm& f) {
    auto& own = dynamic_cast<TfrmEFakturyNasaZO&>(f);
    shown << f.Caption() << own.identity.Nazov->text();
    own.btnNacitaj->click();
    shown << own.identity.Nazov->text();
    Submit(f, Qt::Key_F12);
  });
  Key(list.list, Qt::Key_O);
  EXPECT_EQ(shown,
            QStringList({QStringLiteral("Oprava prijatej faktúry"), QStringLiteral("Dátum prijatia:"),
                         QStringLiteral("MO SRZ Poprad"), QStringLiteral("Identifikačné údaje našej organizácie"),
                         QStringLiteral("MO SRZ Poprad"), QStringLiteral("MO SRZ Poprad - nový názov"),
                         QStringLiteral("MO SRZ Poprad - nový názov")}));
  EXPECT_EQ(Column(QStringLiteral("select odb_nazov from e_faktury")),
            QVariantList{QStringLiteral("MO SRZ Poprad - nový názov")});
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

} // namespace

namespace {

// The VAT of an item follows price, quantity and rate in any order of typing,
// for every register of invoices and delivery notes; the dialog shows what
// is stored, and the invoice's totals are the sums of the lines.
TEST_F(InvoiceTest, TheVatIsTheLinesBaseAtTheRateToTheCentWhateverTheOrderOfTyping) {
  enum Order { PriceThenRate, RateThenPrice, RateChangedAfterBoth };
  const struct {
    const char *price, *quantity, *rate;
    Order order;
    const char* shown; // unit VAT / line base / line VAT / line total
  } cases[] = {{"3,10", "200", "20", PriceThenRate, "0,62/620,00/124,00/744,00"},
               {"41,90", "2,5", "20", RateThenPrice, "8,38/104,75/20,95/125,70"},
               {"33,33", "3", "20", RateChangedAfterBoth, "6,67/99,99/20,00/119,99"},
               {"0,10", "3", "20", PriceThenRate, "0,02/0,30/0,06/0,36"}};
  for (const int typ : {11, 21, 31, 41}) {
    SCOPED_TRACE(typ);
    const int faktura = Column(QStringLiteral("select gen_id(e_faktury_id,1) from rdb$database")).value(0).toInt();
    Exec(QStringLiteral("insert into e_faktury (jedin,p1,p2,uhradene,typ) values (:J,:T,0,0,:T)"),
         {{QStringLiteral("J"), faktura}, {QStringLiteral("T"), typ}});
    TfrmEFakturyPolozkyPridaj dialog;
    dialog.Faktura = faktura;
    QStringList shown;
    const int last = int(std::size(cases)) - 1;
    for (int i = 0; i <= last; ++i)
      script.Then([&, i](TForm& f) {
        Activate(f);
        TfrmEFakturyPolozkyPridaj& d = Item(f);
        const auto& c = cases[i];
        TypeInto(d.eDBNazov, QStringLiteral("Položka %1").arg(i));
        TypeInto(d.eDBMJ, QStringLiteral("kg"));
        TypeInto(d.eDBMnozstvo, QString::fromUtf8(c.quantity));
        if (c.order == RateThenPrice) TypeInto(d.eDBSadzbaDPH, QString::fromUtf8(c.rate));
        if (c.order == RateChangedAfterBoth) TypeInto(d.eDBSadzbaDPH, QStringLiteral("10"));
        TypeInto(d.eDBMJZaklad, QString::fromUtf8(c.price));
        if (c.order != RateThenPrice) TypeInto(d.eDBSadzbaDPH, QString::fromUtf8(c.rate));
        shown << QStringList{d.eDBMJDPH->text(), d.eSpoluZaklad->text(), d.eSpoluDPH->text(), d.eSpolu->text()}.join(
            QLatin1Char('/'));
        Press(f, i == last ? Qt::Key_F12 : Qt::Key_F11);
      });
    RunAddPasses(dialog);
    QStringList expectedShown, expectedStored;
    for (const auto& c : cases) {
      expectedShown << QString::fromUtf8(c.shown);
      const QStringList parts =
          QString::fromUtf8(c.shown).replace(QLatin1Char(','), QLatin1Char('.')).split(QLatin1Char('/'));
      // As the database prints its numbers: no trailing zeros.
      const auto plain = [](const QString& n) { return QString::number(n.toDouble()); };
      expectedStored << plain(parts[0]) + QLatin1Char('/') + plain(parts[1]) + QLatin1Char('/') + plain(parts[2]);
    }
    EXPECT_EQ(shown, expectedShown);
    EXPECT_EQ(Rows(QStringLiteral("select mj_dph,zaklad,dph from e_faktury_polozky where e_faktury=%1 order by jedin")
                       .arg(faktura)),
              expectedStored);
    // 620,00 + 104,75 + 99,99 + 0,30 and 124,00 + 20,95 + 20,00 + 0,06.
    EXPECT_EQ(Totals(faktura), QStringLiteral("825.04/165.01/990.05"));
  }
}

} // namespace
