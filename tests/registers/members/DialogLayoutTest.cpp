// Every window the main window opens, and every dialog of the member
// registers, fits a 1024 x 768 screen with its buttons inside, and the
// member-register dialogs take the keyboard through their controls in
// reading order.
#include "app/AdminForms.h"
#include "app/FormRegistry.h"
#include "app/MainNavigation.h"
#include "controls/DbGridBase.h"
#include "registers/common/ListForm.h"
#include "registers/members/MembersForms.h"
#include "registers/members/fCClenenieClenovPridaj.h"
#include "registers/members/fCClenovPreruseneRokyPridaj.h"
#include "registers/members/fCClenovPridaj.h"
#include "registers/members/fCClenovRSPridaj.h"
#include "registers/members/fCClenovTlac.h"
#include "registers/members/fCTypyBrigadPridaj.h"
#include "registers/members/fEBrigadyPridaj.h"
#include "registers/members/fEBrigadyTlac.h"
#include "registers/members/fEPostaPridaj.h"
#include "registers/members/fEPredmetyPridaj.h"
#include "registers/members/fEPredmetyTlac.h"
#include "registers/members/fEPriestupkyPridaj.h"
#include "registers/members/fERSKontroloriPridaj.h"
#include "registers/members/fERSKontrolovaniPridaj.h"
#include "registers/members/fERSPridaj.h"
#include "registers/members/fEVyznamenaniaPridaj.h"
#include "tests/registers/members/MemberRecordsTestSupport.h"
#include <QtWidgets/QAbstractButton>

namespace {

constexpr int kScreenWidth = 1024, kScreenHeight = 768;
// The window's title bar and frame, which the screen must hold too.
constexpr int kFrameWidth = 8, kFrameHeight = 32;

using TDialogMaker = std::function<std::unique_ptr<TForm>()>;

template <class Form> std::pair<QString, TDialogMaker> Dialog(const char* name) {
  return {QString::fromLatin1(name), [] { return std::make_unique<Form>(); }};
}

// The add/edit and print-choice dialogs of the member registers.
std::vector<std::pair<QString, TDialogMaker>> MemberDialogs() {
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
          Dialog<TfrmCClenovTlac>("TfrmCClenovTlac"),
          Dialog<TfrmEBrigadyTlac>("TfrmEBrigadyTlac"),
          Dialog<TfrmEPredmetyTlac>("TfrmEPredmetyTlac")};
}

// The widgets Tab visits, in its order, from the control that has the focus
// when the dialog opens: Qt's own choice of the next widget (tab focus,
// shown, enabled; a widget with a focus proxy hands the focus to its proxy).
QWidget* DeepestProxy(QWidget* w) {
  QWidget* proxy = w->focusProxy();
  while (proxy && proxy->focusProxy())
    proxy = proxy->focusProxy();
  return proxy;
}

QList<QWidget*> TabChain(QWidget& form) {
  auto target = [&form](QWidget* w) -> QWidget* {
    QWidget* proxy = DeepestProxy(w);
    QWidget* taker = proxy ? proxy : w;
    const bool composite = proxy && proxy->isAncestorOf(w);
    const bool takes =
        (taker->focusPolicy() & Qt::TabFocus) && !composite && w->isVisibleTo(&form) && w->isEnabled() && w != &form;
    return takes ? taker : nullptr;
  };
  QWidget* first = form.focusWidget();
  for (QWidget* w = form.nextInFocusChain(); !first && w != &form; w = w->nextInFocusChain())
    first = target(w);
  QList<QWidget*> chain{first};
  QWidget* at = first;
  // Each step goes from the widget that has the focus to the next candidate.
  for (int steps = 0; steps < 200; ++steps) {
    QWidget* next = nullptr;
    for (QWidget* w = at->nextInFocusChain(); !next && w != at; w = w->nextInFocusChain())
      if (QWidget* t = target(w); t && t != at) next = t;
    if (!next || chain.contains(next)) break;
    chain.append(next);
    at = next;
  }
  return chain;
}

QString Describe(const QList<QWidget*>& chain) {
  QStringList names;
  for (const QWidget* w : chain)
    names.append(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
  return names.join(QStringLiteral(" > "));
}

class DialogLayoutTest : public MemberRecordsTest {
protected:
  void SetUp() override {
    MemberRecordsTest::SetUp();
    RegisterAdministrationForms();
    RegisterMembersForms();
  }
  // Shows the form as the user gets it (a dialog in add mode).
  static void ShowAsAdded(TForm& form) {
    form.SetTag(1);
    form.show();
    QApplication::processEvents();
  }
  static void ExpectFitsTheScreen(TForm& form, const QString& name) {
    EXPECT_LE(form.width() + kFrameWidth, kScreenWidth) << name.toStdString() << " " << form.width();
    EXPECT_LE(form.height() + kFrameHeight, kScreenHeight) << name.toStdString() << " " << form.height();
    // No list is squeezed below the rows it asks to show (the inspection's guards and persons).
    for (const TDbGridBase* grid : form.findChildren<TDbGridBase*>())
      if (grid->isVisibleTo(&form))
        EXPECT_GE(grid->height(), grid->minimumHeight()) << name.toStdString() << " " << grid->objectName().toStdString();
    for (QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
      if (!button->isVisibleTo(&form)) continue;
      const QRect place(button->mapTo(&form, QPoint(0, 0)), button->size());
      EXPECT_TRUE(form.rect().contains(place)) << name.toStdString() << " " << button->objectName().toStdString();
    }
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
  for (const auto& [name, make] : MemberDialogs()) {
    const std::unique_ptr<TForm> dialog = make();
    ShowAsAdded(*dialog);
    ExpectFitsTheScreen(*dialog, name);
    dialog->close();
  }
  FreshMessages(); // a new inspection's child lists ask nothing; whatever else was said is not measured here
}

TEST_F(DialogLayoutTest, TabTakesEveryMemberDialogThroughItsControlsInReadingOrder) {
  // Rows count as one line within this many pixels of each other.
  constexpr int kRowTolerance = 6;
  for (const auto& [name, make] : MemberDialogs()) {
    const std::unique_ptr<TForm> dialog = make();
    ShowAsAdded(*dialog);
    const QList<QWidget*> chain = TabChain(*dialog);
    ASSERT_FALSE(chain.isEmpty()) << name.toStdString();
    // Each control once, and every control that takes Tab on the way.
    EXPECT_EQ(QSet<QWidget*>(chain.begin(), chain.end()).size(), chain.size()) << name.toStdString();
    for (QWidget* w : dialog->findChildren<QWidget*>())
      if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(dialog.get()) && w->isEnabled() && !w->focusProxy()) {
        EXPECT_TRUE(chain.contains(w)) << name.toStdString() << ": Tab never reaches " << w->objectName().toStdString()
                                       << " in " << Describe(chain).toStdString();
      }
    // Top to bottom, left to right: the next control is further down, or on
    // the same line to the right, or at the top of a column to the right.
    for (int i = 1; i < chain.size(); ++i) {
      const QRect a(chain[i - 1]->mapTo(dialog.get(), QPoint(0, 0)), chain[i - 1]->size());
      const QRect b(chain[i]->mapTo(dialog.get(), QPoint(0, 0)), chain[i]->size());
      const bool sameLine = std::abs(b.top() - a.top()) <= kRowTolerance;
      const bool onward = sameLine ? b.left() > a.left() : b.top() > a.top() || b.left() > a.right();
      EXPECT_TRUE(onward) << name.toStdString() << ": " << chain[i - 1]->objectName().toStdString() << " -> "
                          << chain[i]->objectName().toStdString() << " in " << Describe(chain).toStdString();
    }
    dialog->close();
  }
  FreshMessages();
}

} // namespace
