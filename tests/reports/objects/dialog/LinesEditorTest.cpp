#include "DialogFixture.h"
#include "reports/designer/rpLinesEditorForm.h"
#include "reports/designer/rpSyntaxMemo.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include "reports/objects/dialog/rpDBSQLEditorForm.h"
#include "reports/objects/dialog/rpDialogEditors.h"
#include "tests/support/ModalDriver.h"
#include <QtTest/QTest>
#include <QtWidgets/QPlainTextEdit>

namespace {

#define S(text) QStringLiteral(text)

using LinesEditorTest = DialogFixture;

TEST_F(LinesEditorTest, CtrlEnterAppliesWithoutALineBreakAndCancelKeepsTheText) {
  QString text = S("user_name=SYSDBA");
  WhenModal<TrpLinesEditorForm>([](TrpLinesEditorForm* form) {
    EXPECT_EQ(form->windowTitle(), S("String list editor"));
    form->M1->moveCursor(QTextCursor::End);
    QTest::keyClick(form->M1, Qt::Key_Return);
    form->M1->insertPlainText(S("password=tajné")); // keyClicks types ASCII only
    QTest::keyClick(form->M1, Qt::Key_Return, Qt::ControlModifier);
  });
  EXPECT_TRUE(rpEditLines(text));
  EXPECT_EQ(text, S("user_name=SYSDBA\npassword=tajné"));

  WhenModal<TrpLinesEditorForm>([](TrpLinesEditorForm* form) {
    QTest::keyClicks(form->M1, S("zahodit"));
    emit form->CancelBtn->clicked();
  });
  EXPECT_FALSE(rpEditLines(text));
  EXPECT_EQ(text, S("user_name=SYSDBA\npassword=tajné"));
}

TEST_F(LinesEditorTest, SqlEditorAppliesOnCtrlEnterAndDiscardsOnEsc) {
  QStringList lines{S("SELECT *"), S("FROM VODY")};
  WhenModal<TrpDBSQLEditorForm>([](TrpDBSQLEditorForm* form) {
    EXPECT_EQ(form->Memo->SyntaxType(), TSyntaxType::stSQL);
    form->Memo->setFocus();
    form->Memo->MoveCaret(10, 2); // 1-based: after "FROM VODY"
    QTest::keyClicks(form->Memo, S(" WHERE ID > 1"));
    QTest::keyClick(form->Memo, Qt::Key_Escape);
  });
  EXPECT_FALSE(rpEditSQL(lines));
  EXPECT_EQ(lines, (QStringList{S("SELECT *"), S("FROM VODY")}));
  WhenModal<TrpDBSQLEditorForm>([](TrpDBSQLEditorForm* form) {
    form->Memo->setFocus();
    form->Memo->MoveCaret(10, 2); // 1-based: after "FROM VODY"
    QTest::keyClicks(form->Memo, S(" WHERE ID > 1"));
    QTest::keyClick(form->Memo, Qt::Key_Enter, Qt::ControlModifier);
  });
  EXPECT_TRUE(rpEditSQL(lines));
  EXPECT_EQ(lines, (QStringList{S("SELECT *"), S("FROM VODY WHERE ID > 1")}));
}

} // namespace
