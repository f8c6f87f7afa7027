// Two workstations on one invoice, through the real invoice dialog and its
// item dialog: the second save is refused, nothing of the first is lost,
// the entries stay in the dialog; on the embedded file and on a server.
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBMemo.h"
#include "registers/accounting/fEFakturyPolozkyPridaj.h"
#include "registers/accounting/fEFakturyPridaj.h"
#include "tests/registers/common/TwoWorkstations.h"

namespace {

// Issued invoice 70 (note "Hotovosť", totals 30) with item 71 (2 pcs at 10
// + 2 VAT) and item 72 (1 pc at 5 + 1 VAT).
class ConcurrentInvoiceDialogsTest : public TwoWorkstationsTest {
protected:
  void SetUp() override {
    TwoWorkstationsTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    Exec(QStringLiteral("insert into c_druhy_dokladov (jedin,rok,skratka,nazov,typ) "
                        "values (30,2026,'FV','Faktúry vystavené',11)"));
  }
  // The invoice and its items as each case starts from them.
  void ResetInvoice() const {
    for (const char* sql : {
             "delete from e_faktury",
             "insert into e_faktury (jedin,rok,typ,druh_dokladu,p1,p2,uhradene,datum,datum_splatnosti,"
             "variabilny_symbol,konstantny_symbol,forma_uhrady,odb_nazov,odb_mesto,text1,poznamka) values "
             "(70,2026,11,'FV',1,0,0,'2026-03-02','2026-03-16','1','0308','prevodom','Firma s.r.o.','Košice',"
             "'Fakturujeme','Hotovosť')",
             "insert into e_faktury_polozky (jedin,e_faktury,nazov,mnozstvo,mj,mj_zaklad,mj_dph,sadzba_dph,dph) "
             "values (71,70,'Povolenka',2,'ks',10,2,20,4)",
             "insert into e_faktury_polozky (jedin,e_faktury,nazov,mnozstvo,mj,mj_zaklad,mj_dph,sadzba_dph,dph) "
             "values (72,70,'Tlačivo',1,'ks',5,1,20,1)",
         })
      Exec(QString::fromUtf8(sql));
  }
};

const QString kTypedText = QStringLiteral("Za povolenky na rok 2026");

TEST_P(ConcurrentInvoiceDialogsTest, TheInvoicesSecondSaveIsRefusedAndNothingOfTheFirstIsLost) {
  const TConcurrentEdit cases[] = {
      {"the other changed the note, this one the opening text",
       "update e_faktury set poznamka='Prevodom' where jedin=70",
       "changed",
       {QStringLiteral("Fakturujeme/Prevodom/30")}},
      {"both changed the opening text",
       "update e_faktury set text1='Dobrý deň' where jedin=70",
       "changed",
       {QStringLiteral("Dobrý deň/Hotovosť/30")}},
      {"the other added an item: saved, the totals count it",
       "insert into e_faktury_polozky (jedin,e_faktury,nazov,mnozstvo,mj,mj_zaklad,mj_dph,sadzba_dph,dph) "
       "values (73,70,'Odznak',1,'ks',10,2,20,2)",
       "",
       {kTypedText + QStringLiteral("/Hotovosť/42")}},
      {"the other deleted the invoice", "delete from e_faktury where jedin=70", "gone", {}},
  };
  ExpectEachSave(
      cases, [&] { ResetInvoice(); },
      [&](const TConcurrentEdit& c) {
        TfrmEFakturyPridaj invoice(nullptr, 11, 19);
        TSaveOutcome outcome;
        EditOwner(invoice, 70, [&](TForm& f) {
          outcome = SaveAfterOther(
              f, c.other, [&] { invoice.eDBText1->setPlainText(kTypedText); },
              [&] { return invoice.eDBText1->toPlainText(); });
        });
        return outcome;
      },
      kTypedText, QStringLiteral("select text1,poznamka,cast(spolu as integer) from e_faktury where jedin=70"));
}

TEST_P(ConcurrentInvoiceDialogsTest, AnItemsSecondSaveIsRefusedAndNothingOfTheFirstIsLost) {
  const TConcurrentEdit cases[] = {
      {"the other changed the price, this one the quantity",
       "update e_faktury_polozky set mj_zaklad=11 where jedin=71",
       "changed",
       {QStringLiteral("2/11/32")}},
      {"both changed the quantity",
       "update e_faktury_polozky set mnozstvo=4,dph=8 where jedin=71",
       "changed",
       {QStringLiteral("4/10/54")}},
      {"the other changed another item of the invoice",
       "update e_faktury_polozky set mnozstvo=2,dph=2 where jedin=72",
       "",
       {QStringLiteral("3/10/48")}},
      {"the other deleted the item", "delete from e_faktury_polozky where jedin=71", "gone", {}},
      {"the other deleted the invoice with its items", "delete from e_faktury where jedin=70", "gone", {}},
  };
  ExpectEachSave(
      cases, [&] { ResetInvoice(); },
      [&](const TConcurrentEdit& c) {
        TfrmEFakturyPridaj invoice(nullptr, 11, 19);
        TSaveOutcome outcome;
        EditChild(invoice, 70, *invoice.items, 71, [&](TForm& f) {
          auto& item = dynamic_cast<TfrmEFakturyPolozkyPridaj&>(f);
          outcome = SaveAfterOther(
              f, c.other, [&] { item.eDBMnozstvo->SetValue(3); }, [&] { return item.eDBMnozstvo->text(); });
        });
        return outcome;
      },
      QStringLiteral("3,000"),
      // The item's quantity and price, and the invoice's total the database keeps.
      QStringLiteral("select cast(a.mnozstvo as integer),cast(a.mj_zaklad as integer),"
                     "cast(b.spolu as integer) from e_faktury_polozky a "
                     "join e_faktury b on b.jedin=a.e_faktury where a.jedin=71"));
}

// A new item of an invoice the other workstation deleted meanwhile:
// refused as a deleted record, the item dialog open with its entries.
TEST_P(ConcurrentInvoiceDialogsTest, AnItemAddedToAnInvoiceDeletedMeanwhileIsRefused) {
  ResetInvoice();
  TfrmEFakturyPridaj invoice(nullptr, 11, 19);
  TSaveOutcome outcome;
  EditOwner(invoice, 70, [&](TForm&) {
    script.Then([&](TForm& f) {
      auto& item = dynamic_cast<TfrmEFakturyPolozkyPridaj&>(f);
      item.eDBNazov->setEditText(QStringLiteral("Odznak"));
      item.eDBMJ->setEditText(QStringLiteral("ks"));
      outcome = SaveAfterOther(
          f, "delete from e_faktury where jedin=70", [&] { item.eDBMnozstvo->SetValue(3); },
          [&] { return item.eDBMnozstvo->text(); });
    });
    invoice.items->Add();
  });
  ExpectAnswer("gone", outcome, QStringLiteral("3,000"));
  EXPECT_EQ(Rows(QStringLiteral("select jedin from e_faktury_polozky")), QStringList());
}

// An item deleted in the invoice's grid after the other workstation changed it.
TEST_P(ConcurrentInvoiceDialogsTest, AnItemIsNotDeletedOverTheOthersChange) {
  const struct {
    const char* what;
    const char* other;
    const char* refusal;   // "changed", "gone", "" (deleted)
    QStringList remaining; // the invoice's items, its total
  } cases[] = {
      {"the other changed the item",
       "update e_faktury_polozky set nazov='Povolenka ročná' where jedin=71",
       "changed",
       {QStringLiteral("71/30"), QStringLiteral("72/30")}},
      {"the other changed the invoice, not the item",
       "update e_faktury set poznamka='Prevodom' where jedin=70",
       "",
       {QStringLiteral("72/6")}},
      {"the other deleted the item", "delete from e_faktury_polozky where jedin=71", "gone", {QStringLiteral("72/6")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetInvoice();
    TfrmEFakturyPridaj invoice(nullptr, 11, 19);
    DeleteChildAfterOther(invoice, 70, *invoice.items, 71, c.other, c.refusal);
    EXPECT_EQ(Rows(QStringLiteral("select a.jedin,cast(b.spolu as integer) from e_faktury_polozky a "
                                  "join e_faktury b on b.jedin=a.e_faktury order by a.jedin")),
              c.remaining);
  }
}

VIMEK_ON_BOTH_TARGETS(ConcurrentInvoiceDialogsTest);

} // namespace
