#include "platform/MessageDialogs.h"
#include "tests/support/ModalDriver.h"
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

namespace {

// Runs `act` on the message box once it is shown modally, and records its
// caption and button texts.
struct TDialogProbe {
  QString caption;
  QStringList buttons;
  QString defaultButton;
  QColor background;
  QRect frame;

  void Arm(std::function<void(QMessageBox&)> act) {
    WhenModal<QMessageBox>([this, act](QMessageBox* box) {
      caption = box->windowTitle();
      for (QAbstractButton* button : box->buttons())
        buttons.append(button->text());
      if (box->defaultButton()) defaultButton = box->defaultButton()->text();
      background = box->palette().color(QPalette::Window);
      frame = box->frameGeometry();
      act(*box);
    });
  }
};

void PressKey(QMessageBox& box, Qt::Key key) { QTest::keyClick(&box, key); }

TEST(MessageDialogsTest, StandardDialogAnswersByKeyAndButton) {
  struct Case {
    const char* name;
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    int defaultResult;
    std::function<void(QMessageBox&)> act;
    int expected;
    const char* caption;
  };
  const Case cases[] = {
      {"Enter on default Yes", TMsgDlgType::Confirmation, mbYes | mbNo, mrYes,
       [](QMessageBox& box) { PressKey(box, Qt::Key_Return); }, mrYes, "Potvrdenie..."},
      {"Enter on default No", TMsgDlgType::Confirmation, mbYes | mbNo, mrNo,
       [](QMessageBox& box) { PressKey(box, Qt::Key_Return); }, mrNo, "Potvrdenie..."},
      {"Esc without Cancel answers No", TMsgDlgType::Warning, mbYes | mbNo, mrYes,
       [](QMessageBox& box) { PressKey(box, Qt::Key_Escape); }, mrNo, "Upozornenie..."},
      {"Esc with Cancel answers Cancel", TMsgDlgType::Information, mbOK | mbCancel, mrOk,
       [](QMessageBox& box) { PressKey(box, Qt::Key_Escape); }, mrCancel, "Informácia..."},
      {"close box of an OK dialog", TMsgDlgType::Error, mbOK, mrOk, [](QMessageBox& box) { box.close(); }, mrOk,
       "C H Y B A ..."},
      {"click on Storno", TMsgDlgType::Warning, mbOK | mbCancel, mrOk,
       [](QMessageBox& box) {
         for (QAbstractButton* b : box.buttons())
           if (b->text() == QStringLiteral("Storno")) b->click();
       },
       mrCancel, "Upozornenie..."},
  };
  // An active window in a corner: the dialog still opens centred on the screen.
  QWidget corner;
  corner.setGeometry(0, 0, 120, 80);
  corner.show();
  corner.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&corner));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDialogProbe probe;
    probe.Arm(c.act);
    EXPECT_EQ(MessageDlg(QStringLiteral("Text"), c.type, c.buttons, c.defaultResult), c.expected);
    EXPECT_EQ(probe.caption, QString::fromUtf8(c.caption));
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_EQ(probe.frame.center(), screenCentre);
  }
}

TEST(MessageDialogsTest, StandardDialogShowsSlovakButtonsColoursAndPlace) {
  TDialogProbe probe;
  probe.Arm([](QMessageBox& box) {
    box.move(box.pos() + QPoint(7, 9));
    PressKey(box, Qt::Key_Return);
  });
  TMessageRequest request;
  request.Text = QStringLiteral("Vymazať?");
  request.Type = TMsgDlgType::Confirmation;
  request.Buttons = mbYes | mbNo | mbOK | mbCancel;
  request.DefaultResult = mrNo;
  request.Position = QPoint(40, 50);
  request.Background = QColor(255, 0, 0);
  const TMessageReply reply = TStandardMessageDialogs().Show(request);
  EXPECT_EQ(reply.ModalResult, mrNo);
  EXPECT_EQ(reply.ClosedAt, QPoint(47, 59));
  QStringList sorted = probe.buttons;
  sorted.sort();
  EXPECT_EQ(sorted, QStringList({QStringLiteral("&Ano"), QStringLiteral("&Nie"), QStringLiteral("OK"),
                                 QStringLiteral("Storno")}));
  EXPECT_EQ(probe.defaultButton, QStringLiteral("&Nie"));
  EXPECT_EQ(probe.background, QColor(255, 0, 0));
}

TEST(MessageDialogsTest, ScriptedServiceRecordsAndAnswersInOrderThenUninstalls) {
  IMessageDialogService* before = &MessageDialogs();
  {
    TScriptedMessageDialogs script({mrYes, mrNo});
    EXPECT_EQ(&MessageDialogs(), &script);
    EXPECT_EQ(MessageDlg(QStringLiteral("a"), TMsgDlgType::Confirmation, mbYes | mbNo, mrYes), mrYes);
    EXPECT_EQ(MessageDlg(QStringLiteral("b"), TMsgDlgType::Warning, mbYes | mbNo), mrNo);
    EXPECT_EQ(MessageDlg(QStringLiteral("c"), TMsgDlgType::Error, mbOK), mrNone);
    ASSERT_EQ(script.Requests().size(), 3);
    EXPECT_EQ(script.Requests()[0].Text, QStringLiteral("a"));
    EXPECT_EQ(script.Requests()[0].DefaultResult, mrYes);
    EXPECT_EQ(script.Requests()[1].Type, TMsgDlgType::Warning);
    EXPECT_EQ(script.Requests()[2].Buttons, TMsgDlgButtons(mbOK));
  }
  EXPECT_EQ(&MessageDialogs(), before);
}

TEST(MessageDialogsTest, AScriptReplacedByANewOneLeavesTheNewOneAnswering) {
  IMessageDialogService* before = &MessageDialogs();
  {
    auto script = std::make_unique<TScriptedMessageDialogs>(QList<int>{mrYes});
    script = std::make_unique<TScriptedMessageDialogs>(QList<int>{mrNo}); // the old one goes after the new one came
    EXPECT_EQ(&MessageDialogs(), script.get());
    EXPECT_EQ(MessageDlg(QStringLiteral("a"), TMsgDlgType::Confirmation, mbYes | mbNo), mrNo);
  }
  EXPECT_EQ(&MessageDialogs(), before);
}

} // namespace
