#include "registers/accounting/fEPokladnaPridaj.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "registers/accounting/fEPokladna.h"
#include "tests/registers/accounting/AccountingTestSupport.h"

namespace {

class MovementDialogTest : public AccountingTest {
protected:
  static TfrmEPokladnaPridaj& Dialog(TForm& f) { return dynamic_cast<TfrmEPokladnaPridaj&>(f); }
  // Types a description and a base into a new movement and saves it with `key`.
  static void Fill(TForm& f, const QString& popis, const QString& zaklad, int key) {
    TfrmEPokladnaPridaj& d = Dialog(f);
    d.eDBPopis->setFocus();
    TypeText(d.eDBPopis, popis);
    if (KeyParam(*d.eDBClen).isNull() && KeyParam(*d.eDBPartneri).isNull()) {
      d.eDBNazov->setFocus();
      TypeText(d.eDBNazov, QStringLiteral("Kováč Peter"));
      d.eDBMesto->setFocus();
      TypeText(d.eDBMesto, QStringLiteral("Poprad"));
    }
    d.eDBZaklad->setFocus();
    TypeText(d.eDBZaklad, zaklad);
    QTest::keyClick(d.eDBZaklad, Qt::Key_Tab);
    Press(f, key);
  }
  QStringList Stored(const QString& where = QStringLiteral("1=1")) const {
    return Rows(QStringLiteral("select druh_dokladu,p1,p2,typ from e_pokladna where ") + where +
                QStringLiteral(" order by jedin"));
  }
};

TEST_F(MovementDialogTest, CashReceiptsTakeTheNextNumberAndBankItemsContinueTheStatement) {
  AddKind(2026, QStringLiteral("PD"), QStringLiteral("Pokladňa"), 1);
  const int other = AddKind(2026, QStringLiteral("PX"), QStringLiteral("Pokladňa X"), 1);
  AddKind(2026, QStringLiteral("BV"), QStringLiteral("Výpis"), 2);
  TfrmEPokladna cash(nullptr, ProgramSettings.Rok, 1);
  ShowActive(cash);
  QList<double> proposed;
  script.Then([&](TForm& f) {
    Activate(f);
    proposed << Dialog(f).eDBP1->Value() << Dialog(f).eDBP2->Value();
    Fill(f, QStringLiteral("Prvý"), QStringLiteral("10"), Qt::Key_F11);
  });
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPokladnaPridaj& d = Dialog(f);
    proposed << d.eDBP1->Value() << d.eDBP2->Value();
    // Leaving the kind unchanged keeps typed numbers; another kind renumbers.
    d.eDBP1->SetValue(7);
    d.eDBDruhDokladu->setFocus();
    QTest::keyClick(d.eDBDruhDokladu, Qt::Key_Tab);
    proposed << d.eDBP1->Value();
    d.eDBDruhDokladu->setFocus();
    d.eDBDruhDokladu->FindIt(other);
    QTest::keyClick(d.eDBDruhDokladu, Qt::Key_Tab);
    proposed << d.eDBP1->Value() << d.eDBP2->Value();
    f.SetModalResult(mrCancel);
  });
  Key(cash.list, Qt::Key_P);
  EXPECT_EQ(proposed, QList<double>({1, 1, 2, 1, 7, 1, 1}));
  EXPECT_EQ(Stored(), QStringList{QStringLiteral("PD/1/1/1")});

  // Statement 1 with items 1 to 3 and statement 2 with item 1: the next is 2/2.
  for (const auto& [p1, p2] : {std::pair{1, 1}, {1, 2}, {1, 3}, {2, 1}}) {
    TMovement m;
    m.Typ = 2, m.Druh = QStringLiteral("BV"), m.P1 = p1, m.P2 = p2;
    AddMovement(m);
  }
  TfrmEPokladna bank(nullptr, ProgramSettings.Rok, 2);
  ShowActive(bank);
  proposed.clear();
  QString caption;
  script.Then([&](TForm& f) {
    Activate(f);
    caption = f.Caption();
    proposed << Dialog(f).eDBP1->Value() << Dialog(f).eDBP2->Value();
    Fill(f, QStringLiteral("Úrok"), QStringLiteral("0,35"), Qt::Key_F12);
  });
  Key(bank.list, Qt::Key_P);
  EXPECT_EQ(caption, QStringLiteral("Pridanie pohybu banky"));
  EXPECT_EQ(proposed, QList<double>({2, 2}));
  EXPECT_EQ(Stored(QStringLiteral("popis='Úrok'")), QStringList{QStringLiteral("BV/2/2/2")});
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(MovementDialogTest, VatIsComputedToTheCentAndAnExpenseFillsOnlyTheExpenseColumns) {
  AddKind(2026, QStringLiteral("PD"), QStringLiteral("Pokladňa"), 1);
  TfrmEPokladna cash(nullptr, ProgramSettings.Rok, 1);
  ShowActive(cash);
  QStringList shown;
  bool vatLockedAtZero = false;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPokladnaPridaj& d = Dialog(f);
    EXPECT_EQ(d.eDBSmerPohybu->GetKeyValue().toInt(), -1); // an expense unless chosen otherwise
    vatLockedAtZero = d.eDBDPH->isReadOnly();
    d.eDBSadzbaDPH->setFocus();
    TypeText(d.eDBSadzbaDPH, QStringLiteral("20"));
    QTest::keyClick(d.eDBSadzbaDPH, Qt::Key_Tab);
    Fill(f, QStringLiteral("Krmivo"), QStringLiteral("1234,56"), Qt::Key_F11);
    shown << d.eDBDPH->text() << d.eDBSpolu->text();
  });
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPokladnaPridaj& d = Dialog(f);
    d.eDBSadzbaDPH->setFocus();
    TypeText(d.eDBSadzbaDPH, QStringLiteral("0"));
    QTest::keyClick(d.eDBSadzbaDPH, Qt::Key_Tab);
    Choose(*d.eDBSmerPohybu, QStringLiteral("príj"));
    Fill(f, QStringLiteral("Dar"), QStringLiteral("1000"), Qt::Key_F12);
    shown << d.eDBDPH->text() << d.eDBSpolu->text() << QString::fromUtf8(d.eDBDPH->isReadOnly() ? "locked" : "open");
  });
  Key(cash.list, Qt::Key_P);
  EXPECT_TRUE(vatLockedAtZero);
  // 20 % of 1 234,56 is 246,912.
  EXPECT_EQ(shown, QStringList({QStringLiteral("246,91"), QStringLiteral("1481,47"), QString(),
                                QStringLiteral("1000,00"), QStringLiteral("locked")}));
  EXPECT_EQ(
      Rows(QStringLiteral("select smer_pohybu,sadzba_dph,prijem_zaklad,prijem_dph,prijem,vydaj_zaklad,vydaj_dph,"
                          "vydaj from e_pokladna order by jedin")),
      QStringList({QStringLiteral("-1/20/0/0/0/1234.56/246.91/1481.47"), QStringLiteral("1/0/1000/0/1000/0/0/0")}));
  EXPECT_EQ(Listed(cash.list, QStringLiteral("VYDAJ")).value(0).toDouble(), 1481.47);
}

TEST_F(MovementDialogTest, AMemberFillsTheAddressAndHidesThePartner) {
  AddKind(2026, QStringLiteral("PD"), QStringLiteral("Pokladňa"), 1);
  const int member = AddMember(QStringLiteral("Mráz"), QStringLiteral("Ľubomír"));
  Exec(QStringLiteral("update c_clenov set titul='Ing.',ulica='Lesná 5',psc='05801',mesto='Poprad' where jedin=:J"),
       {{QStringLiteral("J"), member}});
  TfrmEPokladna cash(nullptr, ProgramSettings.Rok, 1);
  ShowActive(cash);
  QStringList seen;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPokladnaPridaj& d = Dialog(f);
    d.eDBICO->setFocus();
    TypeText(d.eDBICO, QStringLiteral("123"));
    Choose(*d.eDBClen, QStringLiteral("MRÁZ"));
    seen << d.eDBNazov->text() << d.eDBUlica->text() << d.eDBPSC->text() << d.eDBMesto->text() << d.eDBICO->text()
         << QString::fromUtf8(d.eDBPartneri->isVisible() ? "partner shown" : "partner hidden")
         << QString::fromUtf8(d.eDBNazov->isReadOnly() ? "locked" : "open");
    d.eDBClen->ClearValue();
    seen << QString::fromUtf8(d.eDBPartneri->isVisible() ? "partner shown" : "partner hidden")
         << QString::fromUtf8(d.eDBNazov->isReadOnly() ? "locked" : "open");
    d.eDBClen->FindIt(member);
    Fill(f, QStringLiteral("Príspevok"), QStringLiteral("30"), Qt::Key_F12);
  });
  Key(cash.list, Qt::Key_P);
  EXPECT_EQ(seen, QStringList({QStringLiteral("Mráz Ľubomír Ing."), QStringLiteral("Lesná 5"), QStringLiteral("05801"),
                               QStringLiteral("Poprad"), QString(), QStringLiteral("partner hidden"),
                               QStringLiteral("locked"), QStringLiteral("partner shown"), QStringLiteral("open")}));
  EXPECT_EQ(Rows(QStringLiteral("select c_clenov,nazov,nazov_uplny from e_pokladna")),
            QStringList{QStringLiteral("%1/Mráz Ľubomír Ing./Mráz Ľubomír Ing., Poprad").arg(member)});
}

TEST_F(MovementDialogTest, TheKindUsedLastIsRememberedPerBook) {
  AddKind(2026, QStringLiteral("PA"), QStringLiteral("Pokladňa A"), 1);
  const int second = AddKind(2026, QStringLiteral("PB"), QStringLiteral("Pokladňa B"), 1);
  const int bank = AddKind(2026, QStringLiteral("BV"), QStringLiteral("Výpis"), 2);
  QVariantList offered;
  const auto add = [&](int typ, std::function<void(TfrmEPokladnaPridaj&)> choose, int key) {
    TfrmEPokladna list(nullptr, ProgramSettings.Rok, typ);
    ShowActive(list);
    script.Then([&, choose, key](TForm& f) {
      Activate(f);
      TfrmEPokladnaPridaj& d = Dialog(f);
      offered.append(d.eDBDruhDokladu->GetKeyValue());
      choose(d);
      if (key == Qt::Key_Escape)
        f.SetModalResult(mrCancel);
      else
        Fill(f, QStringLiteral("Pohyb"), QStringLiteral("1"), key);
    });
    Key(list.list, Qt::Key_P);
  };
  add(
      1, [&](TfrmEPokladnaPridaj& d) { d.eDBDruhDokladu->FindIt(second); }, Qt::Key_F12);
  add(
      2, [](TfrmEPokladnaPridaj&) {}, Qt::Key_F12);
  // A cancelled add leaves the remembered kind alone.
  add(
      1, [&](TfrmEPokladnaPridaj& d) { d.eDBDruhDokladu->FindFirst(); }, Qt::Key_Escape);
  add(
      1, [](TfrmEPokladnaPridaj&) {}, Qt::Key_Escape);
  add(
      2, [](TfrmEPokladnaPridaj&) {}, Qt::Key_Escape);
  const int first = Column(QStringLiteral("select jedin from c_druhy_dokladov where skratka='PA'")).value(0).toInt();
  EXPECT_EQ(offered, QVariantList({first, bank, second, second, bank}));
}

TEST_F(MovementDialogTest, AMovementOfAPermitOpensReadOnlyAndOkChangesNothing) {
  AddKind(2026, QStringLiteral("PD"), QStringLiteral("Pokladňa"), 1);
  const int member = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  const int payment = InsertRow(
      QStringLiteral("e_povolenky_id"),
      QStringLiteral("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,datum,c_clenov) values (:JEDIN,2026,0,1,"
                     "'2026-01-05',:C)"),
      {{QStringLiteral("C"), member}});
  const int item = InsertRow(QStringLiteral("e_povolenky2_id"),
                             QStringLiteral("insert into e_povolenky2 (jedin,e_povolenky,rok,cena,typ_platby) "
                                            "values (:JEDIN,:E,2026,25,2)"),
                             {{QStringLiteral("E"), payment}});
  TMovement m;
  m.Druh = QStringLiteral("ZZ"); // a kind deleted since
  m.Popis = QStringLiteral("Povolenka"), m.Suma = 25, m.Povolenka = item, m.Clen = member;
  m.Nazov = QString(); // written without a name: stays Null
  const int row = AddMovement(m);
  const QString all = QStringLiteral("select * from e_pokladna");
  const QStringList before = Rows(all);
  TfrmEPokladna cash(nullptr, ProgramSettings.Rok, 1);
  ShowActive(cash);
  cash.list.LocateKey(row);
  QStringList seen;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPokladnaPridaj& d = Dialog(f);
    seen << QString::number(f.Tag()) << QString::fromUtf8(d.dlg.btnDalsi->isVisible() ? "Dalsi" : "-")
         << QString::fromUtf8(d.dlg.btnNezapis->isVisible() ? "Nezapis" : "-")
         << QString::fromUtf8(d.eDBPopis->isReadOnly() ? "locked" : "open");
    // No ledger opens (the script would count it) and no link changes.
    Press(f, Qt::Key_F5);
    Press(f, Qt::Key_F6);
    Submit(f, Qt::Key_F12);
  });
  Key(cash.list, Qt::Key_O);
  EXPECT_EQ(seen,
            QStringList({QStringLiteral("3"), QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("locked")}));
  EXPECT_EQ(Rows(all), before);
}

TEST_F(MovementDialogTest, ANumberAndItemTakenInTheKindAreRefusedWithTheEntriesKept) {
  AddKind(2026, QStringLiteral("PD"), QStringLiteral("Pokladňa"), 1);
  TMovement m;
  m.P1 = 1, m.P2 = 1;
  AddMovement(m);
  TfrmEPokladna cash(nullptr, ProgramSettings.Rok, 1);
  ShowActive(cash);
  bool stayedOpen = false;
  QString kept;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPokladnaPridaj& d = Dialog(f);
    // The number another movement of the kind holds.
    d.eDBP1->SetValue(1);
    Fill(f, QStringLiteral("Duplicitný"), QStringLiteral("5"), Qt::Key_F12);
    stayedOpen = f.isVisible();
    kept = d.eDBPopis->text();
    f.SetModalResult(mrCancel);
  });
  Key(cash.list, Qt::Key_P);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(kept, QStringLiteral("Duplicitný"));
  EXPECT_EQ(Messages(), QStringList{QStringLiteral("Doklad PD číslo 1, položka 1 už v evidencii je.")});
  EXPECT_EQ(Stored(), QStringList{QStringLiteral("PD/1/1/1")});
}

TEST_F(MovementDialogTest, AHandledDatabaseErrorKeepsTheDialogOpenWithItsEntries) {
  AddKind(2026, QStringLiteral("PD"), QStringLiteral("Pokladňa"), 1);
  TMovement m;
  const int row = AddMovement(m);
  TfrmEPokladna cash(nullptr, ProgramSettings.Rok, 1);
  ShowActive(cash);
  cash.list.LocateKey(row);
  bool stayedOpen = false;
  QString kept;
  script.Then([&](TForm& f) {
    Activate(f);
    TfrmEPokladnaPridaj& d = Dialog(f);
    d.eDBPopis->setFocus();
    d.eDBPopis->clear();
    TypeText(d.eDBPopis, QStringLiteral("Opravený popis"));
    {
      // Another workstation holds the row.
      TTestStatement other(db.get(), QStringLiteral("update e_pokladna set popis='Iný' where jedin=:J"),
                           {{QStringLiteral("J"), row}});
      other.Query().ExecSQL();
      Press(f, Qt::Key_F12);
    }
    stayedOpen = f.isVisible();
    kept = d.eDBPopis->text();
    f.SetModalResult(mrCancel);
  });
  Key(cash.list, Qt::Key_O);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(kept, QStringLiteral("Opravený popis"));
  EXPECT_EQ(Messages().size(), 1) << Messages().join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Column(QStringLiteral("select popis from e_pokladna")), QVariantList{QStringLiteral("Poplatok")});
}

} // namespace

namespace {

// The VAT follows base and rate in any order of typing, in the cash book and
// the bank book, and the row stores what the dialog shows.
TEST_F(MovementDialogTest, TheVatFollowsBaseAndRateWhateverTheOrderOfTyping) {
  AddKind(2026, QStringLiteral("PD"), QStringLiteral("Pokladňa"), 1);
  AddKind(2026, QStringLiteral("BV"), QStringLiteral("Výpis"), 2);
  enum Order { BaseThenRate, RateThenBase, RateChangedAfterBoth };
  const struct {
    const char* base;
    Order order;
    const char *shown, *stored; // VAT/total as shown and as stored
  } cases[] = {{"104,75", BaseThenRate, "20,95/125,70", "104.75/20.95/125.7"},
               {"1234,56", RateThenBase, "246,91/1481,47", "1234.56/246.91/1481.47"},
               {"0,03", RateChangedAfterBoth, "0,01/0,04", "0.03/0.01/0.04"}};
  for (const int book : {1, 2}) {
    TfrmEPokladna list(nullptr, ProgramSettings.Rok, book);
    ShowActive(list);
    QStringList shown, expectedShown, expectedStored;
    for (const auto& c : cases) {
      expectedShown << QString::fromUtf8(c.shown);
      expectedStored << QString::fromUtf8(c.stored);
      script.Then([&](TForm& f) {
        Activate(f);
        TfrmEPokladnaPridaj& d = Dialog(f);
        if (c.order == RateThenBase) TypeInto(d.eDBSadzbaDPH, QStringLiteral("20"));
        if (c.order == RateChangedAfterBoth) TypeInto(d.eDBSadzbaDPH, QStringLiteral("10"));
        TypeInto(d.eDBZaklad, QString::fromUtf8(c.base));
        if (c.order != RateThenBase) TypeInto(d.eDBSadzbaDPH, QStringLiteral("20"));
        shown << d.eDBDPH->text() + QLatin1Char('/') + d.eDBSpolu->text();
        d.eDBPopis->setFocus();
        TypeText(d.eDBPopis, QStringLiteral("Krmivo"));
        d.eDBNazov->setFocus();
        TypeText(d.eDBNazov, QStringLiteral("Kováč Peter"));
        d.eDBMesto->setFocus();
        TypeText(d.eDBMesto, QStringLiteral("Poprad"));
        Press(f, Qt::Key_F12);
      });
      Key(list.list, Qt::Key_P);
    }
    EXPECT_EQ(shown, expectedShown);
    EXPECT_EQ(Rows(QStringLiteral("select vydaj_zaklad,vydaj_dph,vydaj from e_pokladna where typ=%1 order by jedin")
                       .arg(book)),
              expectedStored);
  }
}

} // namespace
