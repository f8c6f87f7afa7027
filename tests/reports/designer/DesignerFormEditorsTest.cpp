#include "DesignerFixture.h"
#include "platform/base/Registry.h"
#include "reports/designer/rpColorSelector.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDesignerHelp.h"
#include "reports/designer/rpDesignerKeys.h"
#include "reports/designer/rpDesignerPage.h"
#include "reports/designer/rpDesignerSettings.h"
#include "reports/designer/rpEditorForm.h"
#include "reports/designer/rpEditorForm1.h"
#include "reports/designer/rpSyntaxMemo.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpControl.h"
#include "reports/engine/rpDesignerTools.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpDock.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QScopeGuard>
#include <QtGui/QAction>
#include <QtTest/QTest>
#include <QtWidgets/QFrame>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QToolButton>

namespace {

#define EDT(text) QStringLiteral(text)

// Press and release, then the double click, as the system sends them.
void DoubleClickWith(QWidget* widget, QPoint at, Qt::KeyboardModifiers modifiers = {}) {
  QTest::mouseClick(widget, Qt::LeftButton, modifiers, at);
  QTest::mouseDClick(widget, Qt::LeftButton, modifiers, at);
}

// A title band with its text over a master band with a text of its own.
class DesignerEditors : public DesignerFixture {
protected:
  DesignerEditors() {
    TRegistry::Root().DeleteKey(rpRegistryRoot());
    TrpPage* page = report->Pages.GetPage(0);
    AddBand(page, btReportTitle, EDT("ReportTitle1"), 40, 40);
    title = AddText(page, EDT("Nadpis"), {60, 50, 300, 20}, EDT("Zoznam členov"));
    AddBand(page, btMasterData, EDT("MasterData1"), 100, 20);
  }
  ~DesignerEditors() override { TRegistry::Root().DeleteKey(rpRegistryRoot()); }

  std::unique_ptr<TrpDesignerForm> Open() {
    auto form = std::make_unique<TrpDesignerForm>(*report, true);
    form->show();
    return form;
  }

  TrpView* title = nullptr;
};

TEST_F(DesignerEditors, ADoubleClickedTextOpensTheTextEditorAndOkStoresWhatWasTyped) {
  auto form = Open();
  ASSERT_TRUE(dynamic_cast<TrpEditorForm*>(form->TextEditor())) << "the syntax editor by default";
  WhenModal<TrpEditorForm>([](TrpEditorForm* editor) {
    EXPECT_EQ(editor->TextMemo->toPlainText(), EDT("Zoznam členov"));
    EXPECT_EQ(editor->ScriptMemo->Lines(), (QStringList{EDT("begin"), EDT(""), EDT("end")}));
    editor->TextMemo->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor->TextMemo, EDT(" a hostia"));
    QTest::keyClick(editor->TextMemo, Qt::Key_Return, Qt::ControlModifier);
  });
  DoubleClickWith(form->Workspace(), QPoint(70, 55));
  EXPECT_EQ(title->Memo, QStringList{EDT("Zoznam členov a hostia")});
  EXPECT_TRUE(title->Script.isEmpty()) << "the untouched frame";
  EXPECT_TRUE(form->GetModified());
  EXPECT_TRUE(form->MenuItem(EDT("N20"))->isEnabled()) << "Save follows";
}

TEST_F(DesignerEditors, CtrlDoubleClickOnABandEditsItsScriptAndCancelKeepsIt) {
  auto form = Open();
  TrpView* band = report->FindObject(EDT("MasterData1"));
  band->Script = {EDT("begin"), EDT("  x := 1;"), EDT("end")};
  WhenModal<TrpEditorForm>([](TrpEditorForm* editor) {
    EXPECT_FALSE(editor->TextMemo->isVisible()) << "a band has its script alone";
    EXPECT_EQ(editor->ScriptMemo->Lines().value(1), EDT("  x := 1;"));
    QTest::keyClicks(editor->ScriptMemo, EDT("y"));
    editor->CancelBtn->click();
  });
  DoubleClickWith(form->Workspace(), QPoint(300, 110), Qt::ControlModifier);
  EXPECT_EQ(band->Script, (QStringList{EDT("begin"), EDT("  x := 1;"), EDT("end")}));
  EXPECT_FALSE(form->GetModified());
}

TEST_F(DesignerEditors, CtrlEnterOpensThePlainEditorWhenColouringIsOffAndTheSettingSwitchesEditors) {
  TrpDesignerSettings settings;
  settings.SyntaxHighlight = false;
  settings.Write();
  auto form = Open();
  ASSERT_TRUE(dynamic_cast<TrpEditorForm1*>(form->TextEditor()));
  form->SelectObjectByName(EDT("Nadpis"));
  WhenModal<TrpEditorForm1>([](TrpEditorForm1* editor) {
    EXPECT_EQ(editor->TextMemo->toPlainText(), EDT("Zoznam členov"));
    editor->CancelBtn->click();
  });
  QTest::keyClick(form->Workspace(), Qt::Key_Return, Qt::ControlModifier);

  form->SetSyntaxHighlight(true);
  ASSERT_TRUE(dynamic_cast<TrpEditorForm*>(form->TextEditor()));
  // The page's script goes through the engine's hook to the editor now in use.
  TrpPage* page = report->Pages.GetPage(0);
  WhenModal<TrpEditorForm>([](TrpEditorForm* editor) {
    editor->ScriptMemo->MoveCaret(3, 2);
    QTest::keyClicks(editor->ScriptMemo, EDT("z := 0;"));
    editor->OkBtn->click();
  });
  page->EditScript();
  EXPECT_EQ(page->Script, (QStringList{EDT("begin"), EDT("  z := 0;"), EDT("end")}));

  form.reset();
  EXPECT_FALSE(rpGlobals().ScriptEditor) << "no editor once the window has gone";
  EXPECT_FALSE(rpGlobals().DesignerEditor);
}

TEST_F(DesignerEditors, TheEngineReachesTheTextEditorThroughTheMemoEntryOnly) {
  auto form = Open();
  ASSERT_TRUE(rpGlobals().DesignerEditor);
  WhenModal<TrpEditorForm>([](TrpEditorForm* editor) {
    EXPECT_EQ(editor->TextMemo->toPlainText(), EDT("Zoznam členov"));
    editor->CancelBtn->click();
  });
  rpGlobals().DesignerEditor(title, EDT("memo"));
  rpGlobals().DesignerEditor(title, EDT("Font")); // not built here: opens nothing
  EXPECT_EQ(title->Memo, QStringList{EDT("Zoznam členov")});
}

TEST(DesignerDialogPageKeys, ClipboardKeysBecomeTheDesignersAndCtrlASelectsAll) {
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
  const QList<std::tuple<int, Qt::KeyboardModifiers, TrpDialogPageKey>> cases{
      {Qt::Key_C, ctrl, {Qt::Key_Insert, ctrl}},
      {Qt::Key_X, ctrl, {Qt::Key_Delete, shift}},
      {Qt::Key_V, ctrl, {Qt::Key_Insert, shift}},
      {Qt::Key_A, ctrl, {Qt::Key_A, ctrl, true}},
      {Qt::Key_C, ctrl | shift, {Qt::Key_C, ctrl | shift}},
      {Qt::Key_V, {}, {Qt::Key_V, {}}},
      {Qt::Key_Return, ctrl, {Qt::Key_Return, ctrl}}};
  for (const auto& [key, modifiers, expected] : cases)
    EXPECT_EQ(rpMapDialogPageKey(key, modifiers), expected) << key << " " << int(modifiers);
}

TEST_F(DesignerEditors, KeysOfTheDialogPageWindowReachTheDesigner) {
  auto form = Open();
  form->AddDialogForm();
  ASSERT_NE(form->PageForm(), nullptr);
  TrpView* control = report->Pages.GetPage(1)->Add(std::make_unique<TrpControl>());
  control->Name = EDT("Button1");
  form->SelectObject(control);
  WhenModal<TrpEditorForm>([](TrpEditorForm* editor) {
    EXPECT_FALSE(editor->TextMemo->isVisible()) << "a dialog control has its script alone";
    editor->CancelBtn->click();
  });
  QTest::keyClick(form->PageForm(), Qt::Key_Return, Qt::ControlModifier);
}

// The colour of the workspace's pixel, as painted.
QRgb WorkspacePixel(TrpDesignerForm& form, QPoint at) { return form.Workspace()->grab().toImage().pixel(at); }

TEST_F(DesignerEditors, ObjectsWithAScriptOrAHighlightConditionAreMarked) {
  auto form = Open();
  const QRgb scriptMark = qRgb(255, 255, 192), highlightMark = qRgb(255, 255, 0);
  const QPoint scriptAt(title->Left + 3, title->Top + 3), highlightAt(title->Left + 3, title->Top + 12);
  EXPECT_NE(WorkspacePixel(*form, scriptAt), scriptMark);
  EXPECT_NE(WorkspacePixel(*form, highlightAt), highlightMark);
  title->Script = {EDT("begin"), EDT("  x := 1;"), EDT("end")};
  static_cast<TrpMemoView*>(title)->HighlightCondition = EDT("[PAGE#] > 1");
  EXPECT_EQ(WorkspacePixel(*form, scriptAt), scriptMark);
  EXPECT_EQ(WorkspacePixel(*form, highlightAt), highlightMark);
}

TEST_F(DesignerEditors, ToolGlyphsAreGreyUntilHoveredOnlyWithTheSetting) {
  for (const bool gray : {false, true}) {
    TrpDesignerSettings settings;
    settings.GrayButtons = gray;
    settings.Write();
    auto form = Open();
    for (const char* button : {"FileBtn3", "OB1", "FrB1", "Align1"})
      EXPECT_EQ(qobject_cast<TrpSpeedButton*>(form->Control(QString::fromLatin1(button)))->GrayedInactive(), gray)
          << button;
  }
}

TEST(DesignerHelpTopics, PaletteButtonsCountFrom430AndTheOtherControlsFrom400) {
  const QList<std::pair<const char*, int>> cases{{"OB1", 429},        {"OB3", 432},      {"OB6", 434},
                                                 {"AddIn12", 435},    {"FileBtn1", 440}, {"PgB4", 470},
                                                 {"FnB3", 418},       {"Align7", 460},   {"rpSpeedButton6", 430},
                                                 {"ExtraTool1", 436}, {"StB1", 400},     {"Tab1", 400}};
  for (const auto& [name, topic] : cases)
    EXPECT_EQ(rpDesignerHelpTopic(QString::fromLatin1(name)), topic) << name;
}

TEST_F(DesignerEditors, TheHelpToolTellsTheHintAndTopicOfTheNextControlClicked) {
  auto form = Open();
  form->MenuItem(EDT("N35"))->trigger();
  EXPECT_TRUE(form->HelpToolActive());
  EXPECT_TRUE(qobject_cast<TrpSpeedButton*>(form->Control(EDT("HelpBtn")))->Down());
  QWidget* band = form->Control(EDT("OB3"));
  QTest::mouseClick(form.get(), Qt::LeftButton, {}, band->mapTo(form.get(), band->rect().center()));
  EXPECT_FALSE(form->HelpToolActive());
  EXPECT_FALSE(qobject_cast<TrpSpeedButton*>(form->Control(EDT("HelpBtn")))->Down());
  EXPECT_EQ(form->HelpText(), EDT("Vložiť pásku\nTéma pomocníka: 432"));
  EXPECT_FALSE(form->MenuItem(EDT("N22"))->isEnabled()) << "no help file to open";
}

TEST_F(DesignerEditors, ExtraToolsAreMenuItemsAndButtonsInTemplateModeOnly) {
  const auto clear = qScopeGuard([] { rpClearDesignerTools(); });
  int clicks = 0;
  QImage glyph(16, 16, QImage::Format_ARGB32);
  glyph.fill(Qt::red);
  rpRegisterTool(EDT("53086"), glyph, [&] { ++clicks; });
  {
    auto form = Open();
    auto* menu = form->findChild<QMenu*>(EDT("MastMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isEnabled());
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions().at(0)->text(), EDT("Vložiť DB položky"));
    EXPECT_TRUE(menu->actions().at(0)->isEnabled()) << "the insert-fields dialog";
    EXPECT_EQ(menu->actions().at(1)->text(), EDT("Nástroje")) << "a number names an engine string";
    EXPECT_TRUE(form->ToolBar(EDT("Panel6"))->IsVisible()) << "two tools";
    QWidget* button = form->Control(EDT("ExtraTool1"));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    menu->actions().at(1)->trigger();
    EXPECT_EQ(clicks, 2);
  }
  rpClearDesignerTools();
  {
    auto form = Open();
    auto* menu = form->findChild<QMenu*>(EDT("MastMenu"));
    EXPECT_EQ(menu->actions().size(), 1);
    EXPECT_FALSE(form->ToolBar(EDT("Panel6"))->IsVisible()) << "one tool: the bar stays hidden";
  }
  TrpDesignerForm prepared(*report, false);
  prepared.show();
  EXPECT_FALSE(prepared.findChild<QMenu*>(EDT("MastMenu"))->isEnabled());
}

TEST_F(DesignerEditors, AddPageKeepsThePageOnlyWhenItsPageOptionsAreConfirmed) {
  auto form = Open();
  QTabBar* tabs = form->Tabs();
  TrpPage* first = report->Pages.GetPage(0);
  first->Name = EDT("Page1");
  // The page options are asked for the new page; declining takes it away again.
  TrpPage* asked = nullptr;
  form->SetCommandHandler(EDT("PageOptions"), [&] { asked = form->Page; });
  form->MenuItem(EDT("N29"))->trigger();
  ASSERT_NE(asked, nullptr);
  EXPECT_NE(asked, first);
  EXPECT_EQ(report->Pages.Count(), 1);
  EXPECT_EQ(form->Page, first);
  EXPECT_EQ(tabs->count(), 1);
  EXPECT_FALSE(form->GetModified());

  form->SetCommandHandler(EDT("PageOptions"), [&] { form->SetPageOptionsAccepted(true); });
  form->MenuItem(EDT("N41"))->trigger(); // the tab menu's copy
  ASSERT_EQ(report->Pages.Count(), 2);
  EXPECT_EQ(form->CurrentPageIndex(), 1);
  EXPECT_EQ(report->Pages.GetPage(1)->Name, EDT("Page2"));
  EXPECT_EQ(tabs->tabText(1), EDT("Strana 2"));
  EXPECT_TRUE(form->GetModified());

  form->SetCommandHandler(EDT("PageOptions"), {}); // no page options dialog: the default paper stands
  form->MenuItem(EDT("N29"))->trigger();
  EXPECT_EQ(report->Pages.Count(), 3);
  EXPECT_EQ(form->CurrentPageIndex(), 2);
}

// A click in the middle of a control, as the user gives it.
void ClickControl(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center()); }

TEST_F(DesignerEditors, TheColourSelectorChoosesATableColourTransparentOrAnyOther) {
  QWidget owner;
  TColorSelector selector(&owner);
  QList<TColor> reported;
  selector.OnColorSelected = [&](TColorSelector* sender) { reported << sender->SelectedColor; };
  const auto button = [&](int tag) {
    return selector.findChild<TrpSpeedButton*>(QStringLiteral("ColorButton%1").arg(tag));
  };
  selector.ShowColor(clRed);
  EXPECT_TRUE(button(10)->Down());
  selector.ShowColor(TColor(0x123456));
  for (int tag = 0; tag < 18; ++tag)
    EXPECT_FALSE(button(tag)->Down()) << tag;
  EXPECT_EQ(selector.SelectedColor, clNone) << "showing a colour chooses nothing";

  selector.show();
  ClickControl(button(3));
  EXPECT_FALSE(selector.isVisible());
  selector.ColorSelected(16);
  bool chooseOther = false;
  selector.ChooseOtherColor = [&](TColor& color) {
    color = TColor(0x123456);
    return chooseOther;
  };
  selector.ColorSelected(17); // cancelled: nothing chosen, nothing reported
  chooseOther = true;
  selector.ColorSelected(17);
  EXPECT_EQ(reported, (QList<TColor>{clGreen, clNone, TColor(0x123456)}));
}

TEST_F(DesignerEditors, ColourButtonsShowTheSelectionAndDropTheSelectorAndStylePanel) {
  auto form = Open();
  title->FillColor = clYellow;
  title->FrameColor = clBlue;
  static_cast<TrpMemoView*>(title)->Font.Color = clRed;
  form->SelectObject(title);
  EXPECT_EQ(form->ButtonColor(EDT("ClB1")), clYellow);
  EXPECT_EQ(form->ButtonColor(EDT("ClB3")), clBlue);
  EXPECT_EQ(form->ButtonColor(EDT("ClB2")), clRed);
  EXPECT_TRUE(form->Control(EDT("ClB1"))->isEnabled());

  ClickControl(form->Control(EDT("ClB1")));
  ASSERT_TRUE(form->ColorSelector()->isVisible());
  EXPECT_EQ(form->ColorSelector()->pos(), form->Control(EDT("ClB1"))->mapTo(form.get(), QPoint(0, 26)));
  EXPECT_TRUE(form->ColorSelector()->findChild<TrpSpeedButton*>(EDT("ColorButton12"))->Down()) << "starts at yellow";
  ClickControl(form->ColorSelector()->findChild<TrpSpeedButton*>(EDT("ColorButton11")));
  EXPECT_EQ(form->ButtonColor(EDT("ClB1")), clLime);
  EXPECT_FALSE(form->ColorSelector()->isVisible());

  ClickControl(form->Control(EDT("ClB3")));
  ClickControl(form->Control(EDT("ClB3"))); // a second click closes it
  EXPECT_FALSE(form->ColorSelector()->isVisible());

  ClickControl(form->Control(EDT("StB1")));
  ASSERT_TRUE(form->LinePanel()->isVisible());
  ClickControl(form->Control(EDT("rpSpeedButton3")));
  EXPECT_FALSE(form->LinePanel()->isVisible());
  EXPECT_EQ(title->FillColor, clLime);
  EXPECT_EQ(title->FrameStyle, 2) << "the third style, dotted";

  ClickControl(form->Control(EDT("StB1")));
  form->SelectObjectByName(EDT("MasterData1"));
  EXPECT_FALSE(form->LinePanel()->isVisible()) << "a new selection closes the drop-downs";
}

} // namespace
#undef EDT
