// Every add dialog of the accounting registers fits a 1024 x 768 screen
// with its buttons inside, and Tab takes it through its controls in the
// order they stand.
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
