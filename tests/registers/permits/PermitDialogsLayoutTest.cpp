// Every permit list and its add dialog fit a 1024 x 768 screen with their
// buttons inside, and Tab takes a dialog through its controls in the order
// they stand, top to bottom.
#include "app/FormRegistry.h"
#include "registers/common/ListForm.h"
#include "registers/permits/PermitsForms.h"
#include "tests/registers/permits/PermitsTestSupport.h"

namespace {

const char* const kPermitForms[] = {"TfrmCZO",
                                    "TfrmCCeniny",
                                    "TfrmCReviryJUX",
                                    "TfrmCDruhyRyb",
                                    "TfrmCKrmiv",
                                    "TfrmEKrmenia",
                                    "TfrmCZdrojeUhrad",
                                    "TfrmEPovolenkyJUX",
                                    "TfrmEPovolenkyZO",
                                    "TfrmEPovolenky",
                                    "TfrmEZarybnovanieZdroj",
                                    "TfrmECeniny",
                                    "TfrmEPovolenkyVratenie",
                                    "TfrmEUlovkyKapitalne"};
// Lists without a dialog.
const char* const kPermitOverviews[] = {"TfrmPCeninyZostatky"};

class PermitDialogsLayoutTest : public RegisterTest {
protected:
  void SetUp() override {
    RegisterTest::SetUp();
    RegisterPermitsForms();
  }
  void TearDown() override {
    FormRegistry::SetPicker({});
    for (const char* name : kPermitForms)
      FormRegistry::Unregister(QLatin1String(name));
    for (const char* name : kPermitOverviews)
      FormRegistry::Unregister(QLatin1String(name));
    RegisterTest::TearDown();
  }
};

TEST_F(PermitDialogsLayoutTest, EveryListAndDialogFitsTheScreenAndTabGoesDownTheDialog) {
  for (const char* name : kPermitForms) {
    TFormArgs args;
    args.Rok = 2026;
    const std::unique_ptr<TForm> form(FormRegistry::Factory(QLatin1String(name))(nullptr, args));
    form->show();
    QApplication::processEvents();
    ExpectFitsTheScreen(*form, QLatin1String(name));
    auto& list = dynamic_cast<TListForm&>(*form);
    const std::unique_ptr<TForm> dialog = list.list.CreateDialog();
    ShowAsAdded(*dialog);
    ExpectFitsTheScreen(*dialog, QLatin1String(name) + QStringLiteral(" dialog"));
    ExpectTabGoesDownTheDialog(*dialog, QLatin1String(name) + QStringLiteral(" dialog"));
    dialog->SetModalResult(mrCancel);
    dialog->close();
    form->close();
  }
  for (const char* name : kPermitOverviews) {
    TFormArgs args;
    args.Rok = 2026;
    const std::unique_ptr<TForm> form(FormRegistry::Factory(QLatin1String(name))(nullptr, args));
    form->show();
    QApplication::processEvents();
    ExpectFitsTheScreen(*form, QLatin1String(name));
    form->close();
  }
}

} // namespace
