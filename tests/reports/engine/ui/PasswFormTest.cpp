#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/ui/rpEngineUi.h"
#include "reports/engine/ui/rpPasswForm.h"
#include "tests/support/ModalDriver.h"
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

namespace {

class EngineUi : public ::testing::Test {
protected:
  EngineUi() { rpEngineStart(); }
  ~EngineUi() override { rpEngineEnd(); }
};

TEST_F(EngineUi, PasswordFormTexts) {
  TrpPasswForm form;
  EXPECT_EQ(form.Caption(), QStringLiteral("Password"));
  EXPECT_EQ(form.L1->text(), QStringLiteral("Enter password for opening report"));
  EXPECT_EQ(form.L2->text(), QStringLiteral("Retype password for validate"));
  EXPECT_TRUE(form.L2->isHidden());
  EXPECT_EQ(form.E1->echoMode(), QLineEdit::Password);
  EXPECT_EQ((QStringList{form.OK->text(), form.Cancel->text()}),
            (QStringList{QStringLiteral("OK"), QStringLiteral("Návrat")}));
  EXPECT_TRUE(form.OK->isDefault());
}

struct AnswerCase {
  const char* name;
  bool pressOk;
  bool confirmed;
};

class PasswordAnswer : public EngineUi, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(PasswordAnswer, ReachesTheLoader) {
  rpInstallEngineUi();
  const bool ok = GetParam().pressOk;
  WhenModal([ok](QWidget* modal) {
    auto* form = qobject_cast<TrpPasswForm*>(modal);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->focusWidget(), form->E1) << "the focus starts in the edit";
    QTest::keyClicks(form->E1, QStringLiteral("Heslo7"));
    QTest::mouseClick(ok ? form->OK : form->Cancel, Qt::LeftButton);
  });
  QString password;
  EXPECT_EQ(rpGlobals().AskPassword(password), GetParam().confirmed);
  EXPECT_EQ(password, GetParam().confirmed ? QStringLiteral("Heslo7") : QString());
}

INSTANTIATE_TEST_SUITE_P(Ui, PasswordAnswer,
                         ::testing::Values(AnswerCase{"ok", true, true}, AnswerCase{"cancel", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineUi, ErrorBoxAndPrinters) {
  rpInstallEngineUi();
  QString shown;
  WhenModal([&shown](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    shown = box->windowTitle() + QStringLiteral(": ") + box->text();
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    box->accept();
  });
  rpGlobals().ErrorBox(QStringLiteral("Nepodporovaný RPF formát"), QStringLiteral("Chyba"));
  EXPECT_EQ(shown, QStringLiteral("Chyba: Nepodporovaný RPF formát"));

  const TrpPrinter& printer = rpPrinter();
  EXPECT_EQ(printer.Printers.last(), QStringLiteral("Virtuálna tlačiareň"));
  EXPECT_EQ(printer.VirtualPrinterIndex, printer.Printers.size() - 1);
  EXPECT_GT(printer.PaperCodes.size(), 0);
}

} // namespace

TEST_F(EngineUi, ScriptMessageBoxAnswersTheModalResultOfTheButton) {
  struct Case {
    int Flags;
    QMessageBox::StandardButton Press;
    int Result;
    QMessageBox::Icon Icon;
  };
  const Case cases[] = {{0, QMessageBox::Ok, 1, QMessageBox::NoIcon},
                        {1 | 16, QMessageBox::Cancel, 2, QMessageBox::Critical},
                        {4 | 32, QMessageBox::Yes, 6, QMessageBox::Question},
                        {3 | 48, QMessageBox::No, 7, QMessageBox::Warning}};
  for (const Case& c : cases) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    WhenModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      icon = box->icon();
      title = box->windowTitle();
      box->button(c.Press)->click();
    });
    EXPECT_EQ(rpShowMessageBox(QStringLiteral("Uložiť?"), QStringLiteral("Otázka"), c.Flags), c.Result) << c.Flags;
    EXPECT_EQ(icon, c.Icon) << c.Flags;
    EXPECT_EQ(title, QStringLiteral("Otázka"));
  }
}
