#include "controls/IBCheckBox.h"
#include "KitTestSupport.h"
#include <QtTest/QSignalSpy>
#include <QtWidgets/QLineEdit>

namespace {

class CheckBoxTest : public KitDialogTest {
protected:
  void SetUp() override {
    box = Add<TIBCheckBox>(QStringLiteral("chkAktivny"));
    next = Add<QLineEdit>(QStringLiteral("next"));
    Show();
    next->setFocus(Qt::OtherFocusReason);
  }
  TIBCheckBox* box = nullptr;
  QLineEdit* next = nullptr;
};

TEST_F(CheckBoxTest, WrittenValuesAreKeptUntilTheBoxIsClicked) {
  const struct {
    quint8 written;
    bool checked;
    quint8 afterClick;
  } cases[] = {{1, true, 0}, {0, false, 1}, {2, false, 1}, {255, false, 1}};
  for (const auto& c : cases) {
    box->SetCheckedValue(c.written);
    EXPECT_EQ(box->isChecked(), c.checked) << int(c.written);
    EXPECT_EQ(box->CheckedValue(), c.written);
    box->click();
    EXPECT_EQ(box->CheckedValue(), c.afterClick) << int(c.written);
  }
}

TEST_F(CheckBoxTest, KeypadDigitsToggleAndEnterMovesOnWithOneExit) {
  QSignalSpy clicks(box, &TIBCheckBox::OnClick);
  QSignalSpy exits(box, &TIBCheckBox::OnExit);
  int keyDowns = 0;
  box->OnKeyDown = [&](int, Qt::KeyboardModifiers) { ++keyDowns; };
  box->SetCheckedValue(0);
  Focus(box);
  EXPECT_EQ(box->Color(), TDataEntryControl::FocusColor);
  QTest::keyClick(box, Qt::Key_5, Qt::KeypadModifier);
  EXPECT_EQ(box->CheckedValue(), 1);
  QTest::keyClick(box, Qt::Key_0, Qt::KeypadModifier);
  EXPECT_EQ(box->CheckedValue(), 0);
  QTest::keyClick(box, Qt::Key_5);
  EXPECT_EQ(box->CheckedValue(), 0) << "only the numeric pad toggles";
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_EQ(box->CheckedValue(), 1);
  EXPECT_EQ(clicks.count(), 3);
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(exits.count(), 1);
  EXPECT_EQ(keyDowns, 5);
  EXPECT_EQ(box->Color(), clBtnFace);
  Focus(box);
  next->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(exits.count(), 2) << "leaving without Enter fires OnExit";
}

} // namespace
