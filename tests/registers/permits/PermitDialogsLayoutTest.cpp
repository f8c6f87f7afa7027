// Every permit list and its add dialog fit a 1024 x 768 screen with their
// buttons inside, and Tab takes a dialog through its controls in the order
// they stand, top to bottom.
#include "app/FormRegistry.h"
#include "registers/common/DialogPattern.h"
#include "registers/common/ListForm.h"
#include "registers/permits/PermitsForms.h"
#include "tests/registers/permits/PermitsTestSupport.h"
#include <QtWidgets/QAbstractButton>

namespace {

const char* const kPermitForms[] = {"TfrmCZO",          "TfrmCCeniny",    "TfrmCReviryJUX",         "TfrmCDruhyRyb",
                                    "TfrmCKrmiv",       "TfrmEKrmenia",   "TfrmCZdrojeUhrad",       "TfrmEPovolenkyJUX",
                                    "TfrmEPovolenkyZO", "TfrmEPovolenky", "TfrmEZarybnovanieZdroj", "TfrmECeniny",
                                    "TfrmEPovolenkyVratenie"};
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
  static void ExpectFitsTheScreen(const QWidget& form, const std::string& name) {
    EXPECT_LE(form.width(), 1024) << name;
    EXPECT_LE(form.height(), 768) << name;
    for (const QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
      if (!button->isVisibleTo(&form)) continue;
      EXPECT_TRUE(form.rect().contains(QRect(button->mapTo(&form, QPoint(0, 0)), button->size())))
          << name << " " << button->objectName().toStdString();
    }
  }
};

TEST_F(PermitDialogsLayoutTest, EveryListAndDialogFitsTheScreenAndTabGoesDownTheDialog) {
  for (const char* name : kPermitForms) {
    TFormArgs args;
    args.Rok = 2026;
    const std::unique_ptr<TForm> form(FormRegistry::Factory(QLatin1String(name))(nullptr, args));
    form->show();
    QApplication::processEvents();
    ExpectFitsTheScreen(*form, name);
    auto& list = dynamic_cast<TListForm&>(*form);
    const std::unique_ptr<TForm> dialog = list.list.CreateDialog();
    dialog->SetTag(1);
    dialog->show();
    QApplication::processEvents();
    ExpectFitsTheScreen(*dialog, std::string(name) + " dialog");
    // Tab from the first field visits the entry controls from the top down.
    QWidget* first = TDialogPattern::Of(dialog.get())->Fields().front().Control();
    // A dialog in columns goes on at the top of the column to the right.
    QRect last(0, -1, 0, 0);
    int visited = 0;
    for (QWidget* w = first; w && w->objectName() != QLatin1String("btnDalsi"); w = w->nextInFocusChain()) {
      const bool inner = w->parentWidget() && (w->parentWidget()->focusPolicy() & Qt::TabFocus); // a combo's edit
      if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(dialog.get()) || inner) continue;
      const QRect at(w->mapTo(dialog.get(), QPoint(0, 0)), w->size());
      EXPECT_TRUE(at.top() >= last.top() || at.left() > last.right()) << name << " " << w->objectName().toStdString();
      last = at;
      ++visited;
    }
    EXPECT_GE(visited, 1) << name;
    dialog->close();
    form->close();
  }
  for (const char* name : kPermitOverviews) {
    TFormArgs args;
    args.Rok = 2026;
    const std::unique_ptr<TForm> form(FormRegistry::Factory(QLatin1String(name))(nullptr, args));
    form->show();
    QApplication::processEvents();
    ExpectFitsTheScreen(*form, name);
    form->close();
  }
}

} // namespace
