#include "KitTestSupport.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "core/DateTime.h"
#include "core/gui/ColorConvert.h"
#include <QtCore/QDir>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>

namespace {

// A small dialog with one control in each state: focused, required,
// read-only, money colour, and a refused one while its message is shown.
// The pictures go to the temporary folder (vimek-controls-*.png) for a look;
// the test checks the background colour of every control in them.
class ControlsPicture : public testing::Test, public IMessageDialogService {
protected:
  void SetUp() override {
    previous = SetMessageDialogService(this);
    auto* form = new QFormLayout(&dialog);
    focused = AddRow<TIBEdit>(form, QStringLiteral("Názov (fokus)"));
    focused->setText(QStringLiteral("Čierna voda"));
    required = AddRow<TIBEdit>(form, QStringLiteral("Povinný"));
    required->SetRequired(true);
    readOnly = AddRow<TIBEdit>(form, QStringLiteral("Len na čítanie"));
    readOnly->setText(QStringLiteral("Dunaj"));
    readOnly->SetReadOnly(true);
    money = AddRow<TIBCurrencyEdit>(form, QStringLiteral("Suma"));
    money->SetMoneyColor(true);
    money->SetValue(12.5);
    year = AddRow<TIBCurrencyEdit>(form, QStringLiteral("Rok"));
    year->SetDecimals(0);
    year->SetRequired(true);
    year->SetAllowZero(false);
    auto* buttons = new QHBoxLayout;
    ok = new TQPLBtn(QStringLiteral(" &OK"), &dialog);
    cancel = new TQPLBtn(QStringLiteral("&Nezapíš"), &dialog);
    cancel->SetCancel(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    dialog.setWindowTitle(QStringLiteral("Revír"));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  void TearDown() override { SetMessageDialogService(previous); }

  template <class T> T* AddRow(QFormLayout* form, const QString& label) {
    auto* control = new T(&dialog);
    form->addRow(label, control);
    return control;
  }

  TMessageReply Show(const TMessageRequest& request) override {
    refusedPicture = Picture(QStringLiteral("refused"));
    shownMessages.append(request.Text);
    return {mrOk, {}};
  }

  QImage Picture(const QString& name) {
    const QImage image = dialog.grab().toImage();
    image.save(QDir::temp().filePath(QStringLiteral("vimek-controls-%1.png").arg(name)));
    return image;
  }
  // The background of a control in the picture, away from its text and frame.
  static QColor Background(const QImage& picture, const QWidget* control, bool textOnTheRight = false) {
    const QPoint inside(textOnTheRight ? 5 : control->width() - 6, control->height() / 2);
    return picture.pixelColor(control->mapTo(control->window(), inside));
  }

  QDialog dialog;
  IMessageDialogService* previous = nullptr;
  TIBEdit *focused, *required, *readOnly;
  TIBCurrencyEdit *money, *year;
  TQPLBtn *ok, *cancel;
  QImage refusedPicture;
  QStringList shownMessages;
};

TEST_F(ControlsPicture, ColoursOfEveryState) {
  focused->setFocus(Qt::TabFocusReason);
  const QImage picture = Picture(QStringLiteral("states"));
  EXPECT_EQ(Background(picture, focused), QColor(0, 255, 255));
  EXPECT_EQ(Background(picture, required), QColor(255, 255, 0));
  EXPECT_EQ(Background(picture, readOnly), ToQColor(clBtnFace));
  EXPECT_EQ(Background(picture, money, true), QColor(99, 255, 47));
  EXPECT_EQ(Background(picture, year, true), QColor(255, 255, 0));

  year->setFocus(Qt::TabFocusReason);
  const QImage requiredFocused = Picture(QStringLiteral("required-focused"));
  EXPECT_EQ(Background(requiredFocused, year, true), QColor(0, 217, 255));
  QTest::keyClick(year, Qt::Key_Tab);
  ASSERT_EQ(shownMessages.size(), 1);
  EXPECT_EQ(Background(refusedPicture, year, true), QColor(255, 0, 0));
  EXPECT_EQ(year->palette().color(QPalette::Text), ToQColor(clWindowText)) << "font colour back after the message";

  QTest::keyClick(year, Qt::Key_3);
  QTest::keyClick(year, Qt::Key_Tab);
  ASSERT_TRUE(ok->hasFocus());
  const QImage button = Picture(QStringLiteral("button-focused"));
  EXPECT_EQ(button.pixelColor(ok->mapTo(&dialog, QPoint(3, ok->height() / 2))), QColor(0, 255, 255));
}

// The focus goes nowhere in the window: the control takes it back when it
// can, else it says so.
class LostFocus : public KitDialogTest {
protected:
  void SetUp() override {
    edit = Add<TIBEdit>(QStringLiteral("ed1"));
    Show();
    Focus(edit);
  }
  TIBEdit* edit;
};

TEST_F(LostFocus, TakenBackWhenFocusable) {
  edit->clearFocus();
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(LostFocus, ReportedWhenTheControlCannotTakeIt) {
  edit->setEnabled(false);
  EXPECT_FALSE(edit->hasFocus());
  EXPECT_EQ(Messages(), QStringList{QStringLiteral("nie je mozne nastavit fokus")});
}

// The program moves the focus while the window is inactive (a picker has
// just closed, or a dialog starts its next pass): Qt then tells only the
// control that gets the focus. The control and the button it was taken from
// must not keep the focus look.
class FocusMovedUnseen : public KitDialogTest {
protected:
  void SetUp() override {
    date = Add<TIBDate>(QStringLiteral("eDBDatum"));
    date->SetRequired(true);
    date->SetDate(DateTime::EncodeDate(2021, 6, 15));
    money = Add<TIBCurrencyEdit>(QStringLiteral("eDBCena"));
    ok = Add<TQPLBtn>(QStringLiteral("btnZapis"));
    Show();
  }
  // Another window comes to the front, the focus moves to `next` behind it,
  // and the dialog is active again.
  void MoveBehindAnotherWindow(QWidget* next) {
    QDialog picker;
    picker.show();
    picker.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&picker));
    next->setFocus(Qt::OtherFocusReason);
    picker.close();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ASSERT_TRUE(next->hasFocus());
  }
  TIBDate* date;
  TIBCurrencyEdit* money;
  TQPLBtn* ok;
};

TEST_F(FocusMovedUnseen, TheControlLeftShowsItsUnfocusedLook) {
  Focus(date);
  ASSERT_EQ(date->text(), QStringLiteral("15.06.2021"));
  MoveBehindAnotherWindow(money);
  EXPECT_EQ(date->Color(), clYellow) << "required and no longer focused";
  EXPECT_EQ(date->text(), QStringLiteral("15.06.2021"));
  EXPECT_EQ(money->Color(), TDataEntryControl::FocusColor);
  // Leaving it again later is an ordinary leave.
  QTest::keyClick(money, Qt::Key_Tab);
  EXPECT_EQ(money->Color(), clWindow);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(FocusMovedUnseen, TheButtonLeftShowsItsOwnColour) {
  Focus(ok);
  ASSERT_EQ(ok->Color(), TQPLBtn::FocusColor);
  MoveBehindAnotherWindow(date);
  EXPECT_EQ(ok->Color(), clBtnFace);
  // Focus given twice without being taken keeps the colour of before.
  Focus(ok);
  QFocusEvent again(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(ok, &again);
  Focus(money);
  EXPECT_EQ(ok->Color(), clBtnFace);
}

} // namespace
