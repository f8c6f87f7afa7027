// Every add dialog of the competition registers fits a 1024 x 768 screen
// with its buttons inside, and Tab takes it through its controls in the
// order they stand.
#include "registers/competitions/fCDruzstvaPretekarovPridaj.h"
#include "registers/competitions/fCLigPridaj.h"
#include "registers/competitions/fCPretekariPridaj.h"
#include "registers/competitions/fEPretekyDefiniciaPridaj.h"
#include "registers/competitions/fEPretekyKolaPridaj.h"
#include "registers/competitions/fEPretekyPretekariPridaj.h"
#include "tests/registers/competitions/CompetitionsTestSupport.h"

namespace {

class CompetitionDialogsLayoutTest : public CompetitionsTest {};

TEST_F(CompetitionDialogsLayoutTest, EveryDialogFitsTheScreenAndTabGoesDownIt) {
  ExpectEachDialogFitsAndTabsDown({Dialog<TfrmCLigPridaj>("TfrmCLigPridaj"),
                                   Dialog<TfrmCDruzstvaPretekarovPridaj>("TfrmCDruzstvaPretekarovPridaj"),
                                   Dialog<TfrmCPretekariPridaj>("TfrmCPretekariPridaj"),
                                   Dialog<TfrmEPretekyDefiniciaPridaj>("TfrmEPretekyDefiniciaPridaj"),
                                   Dialog<TfrmEPretekyKolaPridaj>("TfrmEPretekyKolaPridaj"),
                                   Dialog<TfrmEPretekyPretekariPridaj>("TfrmEPretekyPretekariPridaj")});
  FreshMessages(); // what the dialogs say when shown without their register is not measured here
}

} // namespace
