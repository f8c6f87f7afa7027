#include "core/ui/Form.h"
#include "reports/designer/rpAttrEditorForm.h"
#include "reports/designer/rpDesignerEditors.h"
#include "reports/designer/rpEditorForm.h"
#include "reports/designer/rpEditorForm1.h"
#include "reports/designer/rpHilightForm.h"
#include "reports/designer/rpRestrictionsForm.h"
#include "reports/designer/rpSyntaxMemo.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/ui/rpComboEdit.h"
#include "tests/reports/designer/DesignerEngineRun.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/TestOutput.h"
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>
#include <gtest/gtest.h>

namespace {

#define F(...) QStringLiteral(__VA_ARGS__)

// A designer that counts its undo steps and redraws over one report page.
class CountingDesigner : public TrpReportDesigner {
public:
  void BeforeChange() override { ++changes; }
  void AfterChange() override { ++redraws; }
  void RedrawPage() override { ++redraws; }
  int changes = 0, redraws = 0;
};

class TextEditors : public ::testing::Test {
protected:
  TDesignerEngineRun engine_;
  TextEditors() {
    page = report.Pages.Add();
    designer.Page = page;
    rpSetCurrentDesigner(&designer);
    title = static_cast<TrpMemoView*>(page->Add(std::make_unique<TrpMemoView>()));
    title->Memo = {F("Zoznam členov")};
  }
  ~TextEditors() override { rpSetCurrentDesigner(nullptr); }

  TrpReport report;
  TrpPage* page;
  CountingDesigner designer;
  TrpMemoView* title;
};

TEST(TextEditorRules, EmptyFrames) {
  const QList<std::tuple<QStringList, bool, bool>> cases{{{F("begin"), F("  "), F("end")}, true, true},
                                                         {{F("BEGIN end")}, true, false},
                                                         {{F(" Begin"), F(""), F(""), F("END ")}, true, false},
                                                         {{F("begin"), F(""), F("End")}, true, false},
                                                         {{F("")}, true, false},
                                                         {{F("begin"), F("  x := 1;"), F("end")}, false, false}};
  for (const auto& [lines, syntaxEmpty, plainEmpty] : cases) {
    EXPECT_EQ(TrpEditorForm::IsEmptyFrame(lines), syntaxEmpty) << lines.join(F("|")).toStdString();
    EXPECT_EQ(TrpEditorForm1::IsEmptyFrame(lines), plainEmpty) << lines.join(F("|")).toStdString();
  }
}

TEST(TextEditorRules, ErrorPosition) {
  EXPECT_EQ(TrpTextEditorBase::ErrorPosition(F("Line 3/5: msg")), QPoint(5, 3));
  EXPECT_EQ(TrpTextEditorBase::ErrorPosition(F("Line 12/1: Neznámy identifikátor")), QPoint(1, 12));
  EXPECT_EQ(TrpTextEditorBase::ErrorPosition(F("Chyba")), QPoint(1, 0));
}

TEST_F(TextEditors, UntouchedFrameLeavesTheScriptEmptyAndTheTextIsStored) {
  TrpEditorForm editor;
  WhenModal<TrpEditorForm>([](TrpEditorForm* shown) {
    EXPECT_EQ(shown->TextMemo->toPlainText(), F("Zoznam členov"));
    EXPECT_EQ(shown->ScriptMemo->Lines(), (QStringList{F("begin"), F(""), F("end")}));
    EXPECT_EQ(shown->focusWidget(), shown->TextMemo);
    shown->TextMemo->moveCursor(QTextCursor::End);
    QTest::keyClicks(shown->TextMemo, F(" a host"));
    QTest::keyClick(shown->TextMemo, Qt::Key_Return);
    QTest::keyClicks(shown->TextMemo, F("x"));
    QTest::keyClick(shown->TextMemo, Qt::Key_Return, Qt::ControlModifier);
  });
  EXPECT_EQ(editor.ShowEditor(title), mrOk);
  EXPECT_EQ(title->Memo, (QStringList{F("Zoznam členov a host"), F("x")}));
  EXPECT_TRUE(title->Script.isEmpty());
  EXPECT_EQ(designer.changes, 1);
}

TEST_F(TextEditors, AScriptWithAnErrorKeepsTheEditorOpenWithTheCaretOnIt) {
  TrpEditorForm editor;
  title->Script = {F("begin"), F("  if x y := 1"), F("end")};
  WhenModal<TrpEditorForm>([](TrpEditorForm* shown) {
    shown->OkBtn->click();
    ASSERT_TRUE(shown->isVisible()) << "not confirmed";
    EXPECT_TRUE(shown->ScriptMemo->FooterMessage().startsWith(F("Line 2/")))
        << shown->ScriptMemo->FooterMessage().toStdString();
    EXPECT_EQ(shown->ScriptMemo->CaretLine(), 2);
    EXPECT_GT(shown->ScriptMemo->CaretColumn(), 1);
    EXPECT_EQ(shown->focusWidget(), shown->ScriptMemo);
    EXPECT_TRUE(shown->grab().save(TestOutputPath(F("text-editor-script-error.png"))));
    QTest::keyClick(shown->ScriptMemo, Qt::Key_Y, Qt::ControlModifier);
    shown->OkBtn->click();
  });
  EXPECT_EQ(editor.ShowEditor(title), mrOk);
  EXPECT_TRUE(title->Script.isEmpty()) << "begin/end alone is the empty frame";

  title->Script = {F("begin"), F("  if x y := 1"), F("end")};
  WhenModal<TrpEditorForm>([](TrpEditorForm* shown) {
    EXPECT_TRUE(shown->ScriptMemo->FooterMessage().isEmpty()) << "the message is cleared on opening";
    shown->OkBtn->click();
    QTest::keyClick(shown->ScriptMemo, Qt::Key_Escape);
  });
  EXPECT_EQ(editor.ShowEditor(title), mrCancel);
  EXPECT_EQ(title->Script, (QStringList{F("begin"), F("  if x y := 1"), F("end")})) << "Cancel leaves the object";
}

TEST_F(TextEditors, PlainEditorShowsTheErrorsAndPutsTheCaretThere) {
  TrpEditorForm1 editor;
  title->Script = {F("begin"), F("  if x y := 1"), F("end")};
  WhenModal<TrpEditorForm1>([](TrpEditorForm1* shown) {
    shown->OkBtn->click();
    EXPECT_TRUE(shown->ErrorLine->isVisible());
    EXPECT_TRUE(shown->ErrorLine->text().startsWith(F(" Line 2/")));
    EXPECT_EQ(shown->ScriptEdit->textCursor().blockNumber(), 1);
    QTest::keyClick(shown->ScriptEdit, Qt::Key_End);
    EXPECT_FALSE(shown->ErrorLine->isVisible()) << "a key hides it";
    shown->ScriptEdit->setPlainText(F("begin\n  x := 1;\nend"));
    shown->OkBtn->click();
  });
  EXPECT_EQ(editor.ShowEditor(title), mrOk);
  EXPECT_EQ(title->Script, (QStringList{F("begin"), F("  x := 1;"), F("end")}));
}

TEST_F(TextEditors, MemoRestrictionMakesOnlyTheTextReadOnly) {
  TrpEditorForm editor;
  title->Restrictions = 1;
  WhenModal<TrpEditorForm>([](TrpEditorForm* shown) {
    EXPECT_TRUE(shown->TextMemo->isReadOnly());
    EXPECT_FALSE(shown->ScriptMemo->ReadOnly());
    shown->CancelBtn->click();
  });
  editor.ShowEditor(title);
  title->Restrictions = 2;
  WhenModal<TrpEditorForm>([](TrpEditorForm* shown) {
    EXPECT_FALSE(shown->TextMemo->isReadOnly());
    EXPECT_TRUE(shown->ScriptMemo->ReadOnly());
    shown->CancelBtn->click();
  });
  editor.ShowEditor(title);
}

TEST_F(TextEditors, ABandOpensWithItsScriptAlone) {
  auto* band = page->Add(std::make_unique<TrpBandView>());
  TrpEditorForm editor;
  WhenModal<TrpEditorForm>([](TrpEditorForm* shown) {
    EXPECT_FALSE(shown->TextMemo->isVisible());
    EXPECT_TRUE(shown->ScriptMemo->isVisible());
    shown->ScriptBtn->click();
    EXPECT_TRUE(shown->ScriptBtn->isChecked()) << "the script cannot be hidden";
    EXPECT_TRUE(shown->ScriptMemo->isVisible());
    EXPECT_EQ(shown->focusWidget(), shown->ScriptMemo);
    shown->ScriptMemo->MoveCaret(3, 2);
    QTest::keyClicks(shown->ScriptMemo, F("x := 1;"));
    shown->OkBtn->click();
  });
  EXPECT_EQ(editor.ShowEditor(band), mrOk);
  EXPECT_EQ(band->Script, (QStringList{F("begin"), F("  x := 1;"), F("end")}));
}

TEST_F(TextEditors, HiddenScriptAndSplitterAreRemembered) {
  TrpEditorForm editor;
  WhenModal<TrpEditorForm>([](TrpEditorForm* shown) {
    shown->ScriptBtn->click();
    EXPECT_FALSE(shown->ScriptMemo->isVisible());
    shown->CancelBtn->click();
  });
  editor.ShowEditor(title);
  WhenModal<TrpEditorForm>([](TrpEditorForm* shown) {
    EXPECT_FALSE(shown->ScriptMemo->isVisible());
    EXPECT_FALSE(shown->ScriptBtn->isChecked());
    shown->CancelBtn->click();
  });
  editor.ShowEditor(title);
}

TEST_F(TextEditors, PageScriptGoesThroughTheConnectedEditor) {
  TrpEditorForm editor;
  rpConnectTextEditor(&editor);
  page->Script = {F("begin"), F("  y := 2;"), F("end")};
  WhenModal<TrpEditorForm>([](TrpEditorForm* shown) {
    EXPECT_FALSE(shown->TextMemo->isVisible()) << "a page's script alone";
    shown->ScriptMemo->MoveCaret(10, 2);
    QTest::keyClicks(shown->ScriptMemo, F(" y := y + 1;"));
    shown->OkBtn->click();
  });
  page->EditScript();
  EXPECT_EQ(page->Script, (QStringList{F("begin"), F("  y := 2; y := y + 1;"), F("end")}));
  rpConnectTextEditor(nullptr);
  page->EditScript(); // nothing to show without an editor
}

TEST_F(TextEditors, ATextObjectsOpenEditorReachesTheDesignersTextEditor) {
  const std::unique_ptr<TrpObjEditorForm> plain = rpCreateTextEditor(false, nullptr);
  EXPECT_TRUE(dynamic_cast<TrpEditorForm1*>(plain.get()));
  const std::unique_ptr<TrpObjEditorForm> editor = rpCreateTextEditor(true, nullptr);
  ASSERT_TRUE(dynamic_cast<TrpEditorForm*>(editor.get()));
  QStringList asked;
  rpGlobals().DesignerEditor = [&](TrpObject* object, const QString& property) {
    asked << property;
    editor->ShowEditor(dynamic_cast<TrpView*>(object));
  };
  WhenModal<TrpEditorForm>([](TrpEditorForm* shown) {
    EXPECT_EQ(shown->TextMemo->toPlainText(), F("Zoznam členov"));
    shown->CancelBtn->click();
  });
  title->OpenEditor();
  EXPECT_EQ(asked, QStringList{F("Memo")});
  rpGlobals().DesignerEditor = nullptr;
}

TEST_F(TextEditors, HighlightDialogWritesEverySelectedTextObject) {
  auto* second = static_cast<TrpMemoView*>(page->Add(std::make_unique<TrpMemoView>()));
  title->IsSelected = second->IsSelected = true;
  second->HighlightStyle = 8 | 1; // strike-out and italic
  second->HighlightFillColor = clYellow;
  second->HighlightCondition = F("[Clen.\"VEK\"] < 18");
  WhenModal<TrpHilightForm>([](TrpHilightForm* shown) {
    EXPECT_EQ(shown->ConditionEdit->currentText(), F("[Clen.\"VEK\"] < 18")) << "from the last selected";
    EXPECT_TRUE(shown->ItalicCB->isChecked());
    EXPECT_TRUE(shown->OtherRB->isChecked());
    EXPECT_TRUE(shown->FillColorBtn->isEnabled());
    shown->BoldCB->setChecked(true);
    shown->TransparentRB->click();
    EXPECT_FALSE(shown->FillColorBtn->isEnabled());
    shown->SetFontColor(clRed);
    EXPECT_TRUE(shown->grab().save(TestOutputPath(F("highlight-dialog.png"))));
    QTest::keyClick(shown->BoldCB, Qt::Key_Return);
  });
  EXPECT_EQ(TrpHilightForm::EditSelection(designer), mrOk);
  for (TrpMemoView* text : {title, second}) {
    EXPECT_EQ(text->HighlightFillColor, qint32(0x1FFFFFFF));
    EXPECT_EQ(text->HighlightStyle, 2 | 1) << "bold and italic, strike-out cleared";
    EXPECT_EQ(text->HighlightFontColor, clRed);
    EXPECT_EQ(text->HighlightCondition, F("[Clen.\"VEK\"] < 18"));
  }
  EXPECT_EQ(designer.changes, 1);
}

TEST_F(TextEditors, RestrictionsAreTheSumOfTheBoxes) {
  auto* second = page->Add(std::make_unique<TrpMemoView>());
  title->IsSelected = second->IsSelected = true;
  second->Restrictions = 4 | 64;
  WhenModal<TrpRestrictionsForm>([](TrpRestrictionsForm* shown) {
    EXPECT_TRUE(shown->Boxes[2]->isChecked());
    EXPECT_TRUE(shown->Boxes[6]->isChecked());
    EXPECT_FALSE(shown->Boxes[0]->isChecked());
    shown->Boxes[6]->setChecked(false);
    shown->Boxes[0]->setChecked(true);
    shown->Boxes[4]->setChecked(true);
    QTest::keyClick(shown->Boxes[0], Qt::Key_Return);
  });
  EXPECT_EQ(TrpRestrictionsForm::EditSelection(designer), mrOk);
  EXPECT_EQ(title->Restrictions, 1 | 4 | 16);
  EXPECT_EQ(second->Restrictions, 1 | 4 | 16);
}

TEST_F(TextEditors, TagEditorRespectsTheContentsRestriction) {
  title->IsSelected = true;
  WhenModal<TrpAttrEditorForm>([](TrpAttrEditorForm* shown) {
    shown->TagEdit->setEditText(F("[Clen.\"ID\"]"));
    QTest::keyClick(shown->TagEdit, Qt::Key_Return);
  });
  EXPECT_EQ(TrpAttrEditorForm::EditTag(nullptr), mrOk);
  EXPECT_EQ(title->Tag, F("[Clen.\"ID\"]"));
  title->Restrictions = 4;
  EXPECT_EQ(TrpAttrEditorForm::EditTag(title), 0) << "not opened";
}

} // namespace
#undef F
