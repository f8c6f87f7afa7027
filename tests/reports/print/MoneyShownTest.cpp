// Money typed into the registers' dialogs shows with two decimals wherever a
// person reads it again: the list's cell, the dialog opened for editing and
// the print read back from its PDF.
#include "app/MyUnitsForms.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/accounting/fEFaktury.h"
#include "registers/accounting/fEFakturyPolozkyPridaj.h"
#include "registers/accounting/fEFakturyTlac.h"
#include "registers/accounting/fEPokladna.h"
#include "registers/accounting/fEPokladnaPridaj.h"
#include "registers/accounting/fEPokladnaTlac.h"
#include "registers/members/fEPriestupky.h"
#include "registers/members/fEPriestupkyPridaj.h"
#include "registers/permits/fEPovolenky.h"
#include "registers/permits/fEPovolenkyPolozkyPridaj.h"
#include "registers/permits/fEPovolenkyPridaj.h"
#include "tests/reports/print/PrintFormFixture.h"
#include "tests/reports/print/PrintedInvoice.h"
#include <QtCore/QRegularExpression>

namespace {

// What a person reads of the amounts typed: the list's cells, the dialog's
// field for each row opened again, and the printed text.
struct TShownMoney {
  QStringList Cells, Fields;
  QString Printed;
};

class MoneyShownTest : public PrintFormFixture {
public:
  void SetUp() override {
    PrintFormFixture::SetUp();
    UseShippedTemplates();
  }
  // The dialog a key opened, active so that typed keys reach it.
  static void Activate(TForm& f) {
    f.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&f] { return f.isActiveWindow(); }, 5000)) << f.objectName().toStdString();
  }
  // The texts of the list's column in the order of its rows, as the grid shows them.
  static QStringList Cells(TListPattern& list, int column) {
    QStringList cells;
    const QAbstractItemModel& model = *list.gr1->model();
    for (int row = 0; row < model.rowCount(); ++row)
      cells.append(model.index(row, column).data().toString());
    return cells;
  }
  // Opens each row of the list for editing with O and reads `field` of the dialog.
  QStringList Edited(TListPattern& list, const std::function<QString(TForm&)>& field) {
    QStringList texts;
    for (int row = 0; row < list.ib1->RecordCount(); ++row) {
      list.gr1->setCurrentIndex(list.gr1->model()->index(row, 1));
      script.Then([&](TForm& f) {
        texts.append(field(f));
        f.SetModalResult(mrCancel);
      });
      Key(list, Qt::Key_O);
    }
    return texts;
  }

  TShownMoney Offences(const QStringList& typed) {
    const int revir = AddRevir(2026, QStringLiteral("Váh"));
    TfrmEPriestupky list(nullptr, ProgramSettings.Rok);
    ShowActive(list);
    for (const QString& fine : typed) {
      script.Then([&](TForm& f) {
        Activate(f);
        auto& d = dynamic_cast<TfrmEPriestupkyPridaj&>(f);
        d.eDBPriezvisko->setText(QStringLiteral("Kováč"));
        d.eDBMeno->setText(QStringLiteral("Peter"));
        d.eDBMesto->setText(QStringLiteral("Púchov"));
        d.eDBUlica->setText(QStringLiteral("Nová 2"));
        d.eDBPSC->setText(QStringLiteral("02001"));
        d.eDBRevir->FindIt(revir);
        d.eDBPriestupok->setEditText(QStringLiteral("Lov bez povolenia"));
        TypeInto(d.eDBPokuta, fine);
        Submit(f, Qt::Key_F12);
      });
      Key(list.list, Qt::Key_P);
    }
    TShownMoney shown;
    shown.Cells = Cells(list.list, 3);
    shown.Fields =
        Edited(list.list, [](TForm& f) { return dynamic_cast<TfrmEPriestupkyPridaj&>(f).eDBPokuta->text(); });
    shown.Printed = PrintedText(QStringLiteral("priestupky.pdf"), [&] { list.list.btnTlacClick(); });
    return shown;
  }

  TShownMoney CashBook(const QStringList& typed) {
    InsertRow(QStringLiteral("c_druhy_dokladov_id"),
              QStringLiteral("insert into c_druhy_dokladov (jedin,rok,skratka,nazov,typ) "
                             "values (:JEDIN,2026,'PD','Pokladňa',1)"),
              {});
    TfrmEPokladna list(nullptr, ProgramSettings.Rok, 1);
    ShowActive(list);
    for (const QString& amount : typed) {
      script.Then([&](TForm& f) {
        Activate(f);
        auto& d = dynamic_cast<TfrmEPokladnaPridaj&>(f);
        TypeInto(d.eDBZaklad, amount);
        TypeInto(d.eDBPopis, QStringLiteral("Krmivo"));
        TypeInto(d.eDBNazov, QStringLiteral("Kováč Peter"));
        TypeInto(d.eDBMesto, QStringLiteral("Poprad"));
        Submit(f, Qt::Key_F12);
      });
      Key(list.list, Qt::Key_P);
    }
    TShownMoney shown;
    shown.Cells = Cells(list.list, 7); // a new movement is an expense
    shown.Fields = Edited(list.list, [](TForm& f) { return dynamic_cast<TfrmEPokladnaPridaj&>(f).eDBSpolu->text(); });
    TfrmEPokladnaTlac dialog(&list, list.list);
    shown.Printed = PrintedText(QStringLiteral("pokladna.pdf"), [&] { dialog.btn2->click(); });
    return shown;
  }

  TShownMoney Invoices(const QStringList& typed) {
    InsertRow(QStringLiteral("c_druhy_dokladov_id"),
              QStringLiteral("insert into c_druhy_dokladov (jedin,rok,skratka,nazov,typ) "
                             "values (:JEDIN,2026,'FV','Faktúry vystavené',11)"),
              {});
    // One invoice per amount, of one item of that price without VAT, typed.
    QList<int> items;
    for (const QString& price : typed) {
      const int invoice = InsertRow(QStringLiteral("e_faktury_id"),
                                    QStringLiteral("insert into e_faktury (jedin,rok,typ,druh_dokladu,p1,p2,uhradene,"
                                                   "datum,odb_nazov,odb_mesto) values (:JEDIN,2026,11,'FV',:JEDIN,0,0,"
                                                   "'2026-12-11','Obec','Košice')"),
                                    {});
      TfrmEFakturyPolozkyPridaj dialog;
      dialog.Faktura = invoice;
      script.Then([&](TForm& f) {
        Activate(f);
        auto& d = dynamic_cast<TfrmEFakturyPolozkyPridaj&>(f);
        TypeInto(d.eDBNazov, QStringLiteral("Prenájom chaty"));
        TypeInto(d.eDBMJ, QStringLiteral("ks"));
        TypeInto(d.eDBMnozstvo, QStringLiteral("1"));
        TypeInto(d.eDBMJZaklad, price);
        TypeInto(d.eDBSadzbaDPH, QStringLiteral("0"));
        Submit(f, Qt::Key_F12);
      });
      RunAddPasses(dialog);
      items.append(Column(QStringLiteral("select max(jedin) from e_faktury_polozky")).value(0).toInt());
    }
    TShownMoney shown;
    for (const int item : items) {
      TfrmEFakturyPolozkyPridaj dialog;
      dialog.Jedin = item;
      dialog.SetTag(2);
      script.Then([&](TForm& f) {
        shown.Fields.append(dynamic_cast<TfrmEFakturyPolozkyPridaj&>(f).eSpolu->text());
        f.SetModalResult(mrCancel);
      });
      dialog.ShowModal();
    }
    TfrmEFaktury list(nullptr, ProgramSettings.Rok, 11, 19);
    list.list.btnRefreshClick();
    shown.Cells = Cells(list.list, 7);
    TfrmEFakturyTlac dialog(&list, list.list, list.TypOd);
    shown.Printed = PrintedText(QStringLiteral("faktury.pdf"), [&] { dialog.btn2->click(); });
    return shown;
  }

  TShownMoney PermitPayments(const QStringList& typed) {
    ProgramSettings.JUX_JEDIN = 1;
    ProgramSettings.ZO_JEDIN = 2;
    Exec(QStringLiteral("insert into c_zo (jedin,cislo,nazov) values (1,100,'Rada JUX')"));
    Exec(QStringLiteral("insert into c_zo (jedin,cislo,nazov) values (2,200,'ZO Vimek')"));
    Exec(QStringLiteral("insert into c_ceniny (jedin,rok,nazov,cena,odvod_jux,doplnkovy_udaj,typ_platby) "
                        "values (10,2026,'Členský príspevok',15,3,0,2)"));
    Exec(QStringLiteral("insert into c_druhy_dokladov (jedin,rok,skratka,nazov,typ) "
                        "values (30,2026,'PPD','Príjem pokladňa',1)"));
    const int member = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
    // One payment per amount, of one membership fee at the typed price.
    for (const QString& price : typed) {
      const int payment = InsertRow(QStringLiteral("e_povolenky_id"),
                                    QStringLiteral("insert into e_povolenky (jedin,rok,typ_povolenky,cislo,datum,"
                                                   "c_clenov) values (:JEDIN,2026,0,:JEDIN,'2026-03-02',:C)"),
                                    {{QStringLiteral("C"), member}});
      TfrmEPovolenkyPolozkyPridaj dialog;
      dialog.dlg.Rok = 2026;
      dialog.EPovolenky = payment;
      script.Then([&](TForm& f) {
        Activate(f);
        auto& d = dynamic_cast<TfrmEPovolenkyPolozkyPridaj&>(f);
        d.eDBCeniny->setFocus();
        d.eDBCeniny->FindIt(10);
        QTest::keyClick(d.eDBCeniny, Qt::Key_Tab);
        d.eDBDruhDokladu->FindIt(30);
        TypeInto(d.eDBCena, price);
        TypeInto(d.eDBOdvodJUX, QStringLiteral("0"));
        Submit(f, Qt::Key_F12);
      });
      RunAddPasses(dialog);
    }
    TfrmEPovolenky list(nullptr, ProgramSettings.Rok);
    ShowActive(list);
    Key(list.list, Qt::Key_R);
    TShownMoney shown;
    shown.Cells = Cells(list.list, 3);
    shown.Fields = Edited(list.list, [](TForm& f) { return dynamic_cast<TfrmEPovolenkyPridaj&>(f).eSpolu->text(); });
    list.list.gr1->setFocus();
    for (int row = 0; row < list.list.ib1->RecordCount(); ++row) {
      list.list.gr1->setCurrentIndex(list.list.gr1->model()->index(row, 1));
      Key(list.list, Qt::Key_Insert);
    }
    shown.Printed = PrintedText(QStringLiteral("platby.pdf"), [&] { list.btnTlacClick(); });
    return shown;
  }
};

// Each register's money typed as a whole number and with one decimal.
TEST_F(MoneyShownTest, TypedAmountsShowWithTwoDecimalsInTheListTheDialogAndThePrint) {
  const struct {
    const char* name;
    TShownMoney (MoneyShownTest::*run)(const QStringList&);
  } registers[] = {{"offences", &MoneyShownTest::Offences},
                   {"cash book", &MoneyShownTest::CashBook},
                   {"invoices", &MoneyShownTest::Invoices},
                   {"permit payments", &MoneyShownTest::PermitPayments}};
  const QStringList typed{QStringLiteral("500"), QStringLiteral("150,5")};
  const QStringList expected{QStringLiteral("500,00"), QStringLiteral("150,50")};
  for (const auto& r : registers) {
    SCOPED_TRACE(r.name);
    Answer();
    const TShownMoney shown = (this->*r.run)(typed);
    QStringList cells = shown.Cells, fields = shown.Fields;
    // The lists sort by their own order; the amounts are what matter.
    std::sort(cells.begin(), cells.end(), std::greater<>());
    std::sort(fields.begin(), fields.end(), std::greater<>());
    EXPECT_EQ(cells, expected);
    EXPECT_EQ(fields, expected);
    if (shown.Printed.isEmpty() && !HasFailure()) GTEST_SKIP() << "no pdftotext, or a system printer is installed";
    const QString printed = QString(shown.Printed).replace(QChar(0xA0), QLatin1Char(' '));
    for (const QString& amount : expected)
      EXPECT_TRUE(QRegularExpression(QStringLiteral("(^|\\s)%1(\\s|$)").arg(amount)).match(printed).hasMatch())
          << amount.toStdString() << " not in:\n"
          << printed.toStdString();
    // Never the amount as typed, a number without its cents.
    EXPECT_FALSE(QRegularExpression(QStringLiteral("(^|\\s)150,5(\\s|$)")).match(printed).hasMatch())
        << printed.toStdString();
  }
}

} // namespace

namespace {

// Items typed into the item dialog of issued and received invoices and
// delivery notes print with a VAT summary and totals that are the sums of
// the printed lines, to the cent, for amounts a floating-point sum or a unit
// VAT rounded to one decimal gets wrong.
TEST_F(MoneyShownTest, PrintedVatSummariesAndTotalsAreTheSumsOfThePrintedLines) {
  struct TItem {
    const char *name, *quantity, *unit, *price;
  };
  const struct {
    int typ;
    const char* kind;
    QList<TItem> items; // all at 20 %
    qint64 base, vat;   // computed by hand, in cents
  } documents[] = {     // 0,30 and 0,06: three tenths summed in floating point are not 0,3.
                   {11, "FV", {{"Vstupenka", "3", "ks", "0,1"}}, 30, 6},
                   // 49,995 rounds once to 50,00, VAT 10,00.
                   {11, "FV", {{"Známka", "1,5", "ks", "33,33"}}, 5000, 1000},
                   // 620,00 and 104,75 at 20 %: VAT 124,00 and 20,95, where a unit VAT of
                   // 0,60 and 8,40 gave 141,00.
                   {21, "FP", {{"Krmivo", "200", "kg", "3,10"}, {"Zrno", "2,5", "q", "41,90"}}, 72475, 14495},
                   {31, "DV", {{"Krmivo", "200", "kg", "3,10"}, {"Zrno", "2,5", "q", "41,90"}}, 72475, 14495},
                   {41, "DP", {{"Krmivo", "200", "kg", "3,10"}, {"Zrno", "2,5", "q", "41,90"}}, 72475, 14495}};
  int number = 0;
  for (const auto& document : documents) {
    SCOPED_TRACE(
        QStringLiteral("%1 %2").arg(document.typ).arg(QString::fromUtf8(document.items.first().name)).toStdString());
    Answer();
    if (Column(QStringLiteral("select count(*) from c_druhy_dokladov where skratka='%1'")
                   .arg(QString::fromLatin1(document.kind)))
            .value(0)
            .toInt() == 0)
      Exec(QStringLiteral("insert into c_druhy_dokladov (jedin,rok,skratka,nazov,typ) "
                          "values (gen_id(c_druhy_dokladov_id,1),2026,:S,:S,:T)"),
           {{QStringLiteral("S"), QString::fromLatin1(document.kind)}, {QStringLiteral("T"), document.typ}});
    const int invoice = Column(QStringLiteral("select gen_id(e_faktury_id,1) from rdb$database")).value(0).toInt();
    Exec(QStringLiteral("insert into e_faktury (jedin,rok,typ,druh_dokladu,p1,p2,uhradene,datum,odb_nazov,odb_mesto,"
                        "dod_nazov,dod_mesto) values (:J,2026,:T,:D,:P,0,0,'2026-12-11','Obec','Košice',"
                        "'Agro Čaňa','Žilina')"),
         {{QStringLiteral("J"), invoice},
          {QStringLiteral("T"), document.typ},
          {QStringLiteral("D"), QString::fromLatin1(document.kind)},
          {QStringLiteral("P"), ++number}});
    TfrmEFakturyPolozkyPridaj dialog;
    dialog.Faktura = invoice;
    QStringList names;
    for (qsizetype i = 0; i < document.items.size(); ++i) {
      const TItem& item = document.items[i];
      names.append(QString::fromUtf8(item.name));
      const bool last = i + 1 == document.items.size();
      script.Then([&, item, last](TForm& f) {
        Activate(f);
        auto& d = dynamic_cast<TfrmEFakturyPolozkyPridaj&>(f);
        TypeInto(d.eDBNazov, QString::fromUtf8(item.name));
        TypeInto(d.eDBMJ, QString::fromUtf8(item.unit));
        TypeInto(d.eDBMnozstvo, QString::fromUtf8(item.quantity));
        TypeInto(d.eDBMJZaklad, QString::fromUtf8(item.price));
        TypeInto(d.eDBSadzbaDPH, QStringLiteral("20"));
        Submit(f, last ? Qt::Key_F12 : Qt::Key_F11);
      });
    }
    RunAddPasses(dialog);
    TfrmEFaktury list(nullptr, ProgramSettings.Rok, document.typ, document.typ + 8);
    list.list.btnRefreshClick();
    ASSERT_TRUE(list.list.LocateKey(invoice));
    TfrmEFakturyTlac print(&list, list.list, list.TypOd);
    const QString text = PrintedText(QStringLiteral("doklad%1.pdf").arg(invoice), [&] { print.btn1->click(); });
    if (text.isEmpty() && !HasFailure()) GTEST_SKIP() << "no pdftotext, or a system printer is installed";
    const TPrintedSums sums = SumPrintedInvoice(text, names);
    EXPECT_EQ(sums.SummaryBase, document.base) << text.toStdString();
    EXPECT_EQ(sums.SummaryVat, document.vat) << text.toStdString();
    EXPECT_EQ(sums.Base, sums.SummaryBase);
    EXPECT_EQ(sums.Vat, sums.SummaryVat);
    EXPECT_EQ(sums.Lines, document.base + document.vat);
    EXPECT_EQ(sums.Total, sums.Lines);
    // What the database keeps for the invoice is what it printed.
    EXPECT_EQ(Column(QStringLiteral("select cast(spolu*100 as integer) from e_faktury where jedin=%1").arg(invoice))
                  .value(0)
                  .toLongLong(),
              sums.Total);
  }
}

} // namespace
