// Every window the main window opens, and every dialog of the member
// registers, fits a 1024 x 768 screen with its buttons inside, and the
// member-register dialogs take the keyboard through their controls in
// reading order.
#include "app/AdminForms.h"
#include "app/FormRegistry.h"
#include "app/MainNavigation.h"
#include "registers/common/ListForm.h"
#include "registers/members/MembersForms.h"
#include "registers/members/fCClenenieClenovPridaj.h"
#include "registers/members/fCClenov.h"
#include "registers/members/fCClenovPreruseneRokyPridaj.h"
#include "registers/members/fCClenovPridaj.h"
#include "registers/members/fCClenovRSPridaj.h"
#include "registers/members/fCClenovTlac.h"
#include "registers/members/fCTypyBrigadPridaj.h"
#include "registers/members/fEBrigady.h"
#include "registers/members/fEBrigadyPridaj.h"
#include "registers/members/fEBrigadyTlac.h"
#include "registers/members/fEPostaPridaj.h"
#include "registers/members/fEPredmety.h"
#include "registers/members/fEPredmetyPridaj.h"
#include "registers/members/fEPredmetyTlac.h"
#include "registers/members/fEPriestupkyPridaj.h"
#include "registers/members/fERSKontroloriPridaj.h"
#include "registers/members/fERSKontrolovaniPridaj.h"
#include "registers/members/fERSPridaj.h"
#include "registers/members/fEVyznamenaniaPridaj.h"
#include "tests/registers/members/MemberRecordsTestSupport.h"
#include <functional>

namespace {

// The lists the print-choice dialogs print from, open while the dialogs are.
struct TPrintedLists {
  TfrmCClenov clenov{nullptr, 2026};
  TfrmEBrigady brigady{nullptr, 2026};
  TfrmEPredmety predmety{nullptr, 2026};
};

// The add/edit and print-choice dialogs of the member registers.
std::vector<TNamedDialog> MemberDialogs(TPrintedLists& lists) {
  return {Dialog<TfrmCClenenieClenovPridaj>("TfrmCClenenieClenovPridaj"),
          Dialog<TfrmCClenovPridaj>("TfrmCClenovPridaj"),
          Dialog<TfrmCClenovPreruseneRokyPridaj>("TfrmCClenovPreruseneRokyPridaj"),
          Dialog<TfrmCClenovRSPridaj>("TfrmCClenovRSPridaj"),
          Dialog<TfrmCTypyBrigadPridaj>("TfrmCTypyBrigadPridaj"),
          Dialog<TfrmEBrigadyPridaj>("TfrmEBrigadyPridaj"),
          Dialog<TfrmEPostaPridaj>("TfrmEPostaPridaj"),
          Dialog<TfrmEPredmetyPridaj>("TfrmEPredmetyPridaj"),
          Dialog<TfrmEPriestupkyPridaj>("TfrmEPriestupkyPridaj"),
          Dialog<TfrmERSPridaj>("TfrmERSPridaj"),
          Dialog<TfrmERSKontroloriPridaj>("TfrmERSKontroloriPridaj"),
          Dialog<TfrmERSKontrolovaniPridaj>("TfrmERSKontrolovaniPridaj"),
          Dialog<TfrmEVyznamenaniaPridaj>("TfrmEVyznamenaniaPridaj"),
          Dialog<TfrmCClenovTlac>("TfrmCClenovTlac", std::ref(lists.clenov.list)),
          Dialog<TfrmEBrigadyTlac>("TfrmEBrigadyTlac", std::ref(lists.brigady.list)),
          Dialog<TfrmEPredmetyTlac>("TfrmEPredmetyTlac", std::ref(lists.predmety.list))};
}

class DialogLayoutTest : public MemberRecordsTest {
protected:
  void SetUp() override {
    MemberRecordsTest::SetUp();
    RegisterAdministrationForms();
    RegisterMembersForms();
  }
};

TEST_F(DialogLayoutTest, EveryWindowOfTheMainWindowAndEveryMemberDialogFitsTheScreen) {
  int shown = 0;
  for (const TNavigationEntry& entry : NavigationEntries()) {
    const QString name = QString::fromUtf8(entry.target);
    const TFormFactory factory = FormRegistry::Factory(name);
    if (!factory) continue;
    TFormArgs args;
    args.Rok = 2026;
    const std::unique_ptr<TForm> form(factory(nullptr, args));
    form->show();
    QApplication::processEvents();
    ExpectFitsTheScreen(*form, name);
    ++shown;
    // A list's own add/edit dialog.
    if (auto* list = dynamic_cast<TListForm*>(form.get()); list && list->list.CreateDialog) {
      const std::unique_ptr<TForm> dialog = list->list.CreateDialog();
      ShowAsAdded(*dialog);
      ExpectFitsTheScreen(*dialog, name + QStringLiteral(" dialog"));
      dialog->SetModalResult(mrCancel);
      dialog->close();
    }
    form->close();
  }
  EXPECT_GE(shown, 14) << "the registered windows of the members and of the services";
  TPrintedLists lists;
  for (const auto& [name, make] : MemberDialogs(lists)) {
    const std::unique_ptr<TForm> dialog = make();
    ShowAsAdded(*dialog);
    ExpectFitsTheScreen(*dialog, name);
    dialog->close();
  }
  FreshMessages(); // a new inspection's child lists ask nothing; whatever else was said is not measured here
}

TEST_F(DialogLayoutTest, TabTakesEveryMemberDialogThroughItsControlsInReadingOrder) {
  TPrintedLists lists;
  for (const auto& [name, make] : MemberDialogs(lists)) {
    const std::unique_ptr<TForm> dialog = make();
    ShowAsAdded(*dialog);
    ExpectTabGoesDownTheDialog(*dialog, name);
    dialog->close();
  }
  FreshMessages();
}

} // namespace
