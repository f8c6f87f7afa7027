#include "controls/IBMemo.h"
#include "KitTestSupport.h"
#include "controls/UxMemo.h"
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QLineEdit>

namespace {

// What each clipboard command does to a memo holding "abc" with "b" selected.
struct CommandCase {
  QKeySequence::StandardKey key;
  TClipboardCommand command;
  bool typeFirst; // "y" replaces the selection before the command
  const char* allowed;
  const char* refused;
};

TEST(ClipboardMemo, OnlyCommandsInTheSetRun) {
  const CommandCase cases[] = {
      {QKeySequence::Cut, ccCut, false, "ac", "abc"},
      {QKeySequence::Paste, ccPaste, false, "aXc", "abc"},
      {QKeySequence::Undo, ccUndo, true, "abc", "ayc"},
  };
  for (const CommandCase& c : cases) {
    for (const bool allowed : {true, false}) {
      TUxMemo memo;
      memo.setPlainText(QStringLiteral("abc"));
      QTextCursor cursor = memo.textCursor();
      cursor.setPosition(1);
      cursor.setPosition(2, QTextCursor::KeepAnchor);
      memo.setTextCursor(cursor);
      QGuiApplication::clipboard()->setText(QStringLiteral("X"));
      const TClipboardCommands all = ccCopy | ccCut | ccPaste | ccUndo;
      memo.SetClipboardCommands(allowed ? all : all & ~TClipboardCommands(c.command));
      EXPECT_FALSE(memo.isReadOnly());
      if (c.typeFirst) QTest::keyClick(&memo, Qt::Key_Y);
      QTest::keySequence(&memo, c.key);
      EXPECT_EQ(memo.toPlainText(), QString::fromUtf8(allowed ? c.allowed : c.refused))
          << c.allowed << (allowed ? " allowed" : " refused");
    }
  }
}

TEST(ClipboardMemo, ReadOnlyMeansCopyAlone) {
  TUxMemo memo;
  memo.setPlainText(QStringLiteral("poznámka"));
  memo.SetMemoReadOnly(true);
  EXPECT_EQ(memo.ClipboardCommands(), TClipboardCommands(ccCopy));
  memo.selectAll();
  QGuiApplication::clipboard()->clear();
  QTest::keySequence(&memo, QKeySequence::Copy);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("poznámka"));
  QTest::keySequence(&memo, QKeySequence::Cut);
  EXPECT_EQ(memo.toPlainText(), QStringLiteral("poznámka"));
  // Editable again, the other commands do not come back by themselves.
  memo.SetMemoReadOnly(false);
  memo.selectAll();
  QTest::keySequence(&memo, QKeySequence::Cut);
  EXPECT_EQ(memo.toPlainText(), QStringLiteral("poznámka"));
  const struct {
    TClipboardCommands set;
    bool readOnly;
  } sets[] = {{{}, true}, {ccCopy, true}, {ccCopy | ccPaste, false}, {ccUndo, false}};
  for (const auto& s : sets) {
    memo.SetClipboardCommands(s.set);
    EXPECT_EQ(memo.isReadOnly(), s.readOnly) << int(s.set);
  }
}

class NoteMemoTest : public KitDialogTest {
protected:
  void SetUp() override {
    memo = Add<TIBMemo>(QStringLiteral("mPoznamka"));
    next = Add<QLineEdit>(QStringLiteral("next"));
    Show();
    next->setFocus(Qt::OtherFocusReason);
  }
  TIBMemo* memo = nullptr;
  QLineEdit* next = nullptr;
};

TEST_F(NoteMemoTest, EnterMovesOnShiftOrCtrlEnterBreaksTheLineCtrlASelectsAll) {
  QSignalSpy exits(memo, &TIBMemo::OnExit);
  Focus(memo);
  EXPECT_EQ(memo->Color(), TDataEntryControl::FocusColor);
  TypeText(memo, QStringLiteral("prvý"));
  QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);
  TypeText(memo, QStringLiteral("druhý"));
  QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
  TypeText(memo, QStringLiteral("tretí"));
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("prvý\ndruhý\ntretí"));
  QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(memo->textCursor().selectedText().size(), memo->toPlainText().size());
  QTest::keyClick(memo, Qt::Key_Return);
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("prvý\ndruhý\ntretí"));
  EXPECT_EQ(memo->Color(), clWindow);
  EXPECT_EQ(exits.count(), 1);
  EXPECT_FALSE(memo->ValidationFailed());
}

TEST_F(NoteMemoTest, ReadOnlyIsGreyKeepsItsColourWhenFocusedAndIsNoTabStop) {
  memo->SetReadOnly(true);
  EXPECT_EQ(memo->Color(), clBtnFace);
  EXPECT_EQ(memo->ClipboardCommands(), TClipboardCommands(ccCopy));
  memo->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(memo->Color(), clBtnFace);
  memo->SetReadOnly(false);
  EXPECT_EQ(memo->Color(), clWindow);
  EXPECT_EQ(memo->focusPolicy(), Qt::StrongFocus);
}

} // namespace
