// Every add dialog of the accounting registers fits a 1024 x 768 screen
// with its buttons inside, and Tab takes it through its controls in the
// order they stand.
#include "app/ToolBar.h"
#include "controls/IBMemo.h"
#include "registers/accounting/fCDruhyDokladovPridaj.h"
#include "registers/accounting/fCPartneriPridaj.h"
#include "registers/accounting/fEFakturyPolozkyPridaj.h"
#include "registers/accounting/fEFakturyPridaj.h"
#include "registers/accounting/fEPokladnaPridaj.h"
#include "tests/registers/accounting/AccountingTestSupport.h"

namespace {

class AccountingDialogsLayoutTest : public AccountingTest {};

TEST_F(AccountingDialogsLayoutTest, EveryDialogFitsTheScreenAndTabGoesDownIt) {
  // Issued and received invoices, cash book and bank.
  ExpectEachDialogFitsAndTabsDown({Dialog<TfrmEFakturyPridaj>("TfrmEFakturyPridaj 11-19", 11, 19),
                                   Dialog<TfrmEFakturyPridaj>("TfrmEFakturyPridaj 21-29", 21, 29),
                                   Dialog<TfrmEFakturyPolozkyPridaj>("TfrmEFakturyPolozkyPridaj"),
                                   Dialog<TfrmEPokladnaPridaj>("TfrmEPokladnaPridaj 1", 1),
                                   Dialog<TfrmEPokladnaPridaj>("TfrmEPokladnaPridaj 2", 2),
                                   Dialog<TfrmCPartneriPridaj>("TfrmCPartneriPridaj"),
                                   Dialog<TfrmCDruhyDokladovPridaj>("TfrmCDruhyDokladovPridaj")});
  FreshMessages(); // what the dialogs say when shown without their register is not measured here
}

} // namespace

namespace {

// The link buttons stand below the note, never over it, in both books and
// with both buttons shown.
TEST_F(AccountingDialogsLayoutTest, TheInvoiceLinkButtonsStandClearOfTheNote) {
  for (const int typ : {1, 2}) {
    TfrmEPokladnaPridaj dialog(nullptr, typ);
    dialog.dlg.ClearForPass();
    dialog.show();
    dialog.btnFakturaZrus->show();
    QApplication::processEvents();
    const auto inDialog = [&dialog](const QWidget* w) { return QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size()); };
    const QRect note = inDialog(dialog.eDBPoznamka);
    for (const QWidget* button :
         {static_cast<QWidget*>(dialog.btnFakturaUhrada), static_cast<QWidget*>(dialog.btnFakturaZrus)}) {
      SCOPED_TRACE(button->objectName().toStdString());
      EXPECT_FALSE(inDialog(button).intersects(note));
      EXPECT_GE(button->width(), button->sizeHint().width()); // the caption whole
      EXPECT_TRUE(dialog.rect().contains(inDialog(button)));
    }
  }
  FreshMessages();
}

} // namespace
