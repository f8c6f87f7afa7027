#include "DesignerFixture.h"
#include "platform/base/Registry.h"
#include "reports/designer/RegisterReportDesigner.h"
#include "reports/designer/rpDesigner.h"
#include "reports/designer/rpDesignerFiles.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDesignerPage.h"
#include "reports/designer/rpDesignerStatus.h"
#include "reports/designer/rpGEditorForm.h"
#include "reports/designer/rpInsFieldsForm.h"
#include "reports/designer/rpPgoptForm.h"
#include "reports/designer/rpTemplForm.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpDock.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/TestOutput.h"
#include "util/UxMemDS.h"
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QScopeGuard>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QAction>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QTabBar>

namespace {

#define S(text) QStringLiteral(text)

// A double click as the system sends it: press and release, then the double click.
void DoubleClick(QWidget* widget, QPoint at) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, at);
  QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A list template: title and master band with texts, saved into a folder of the test.
class DesignerForm : public DesignerFixture {
protected:
  DesignerForm() {
    TRegistry::Root().DeleteKey(rpRegistryRoot());
    TrpPage* page = report->Pages.GetPage(0);
    AddBand(page, btReportTitle, S("ReportTitle1"), 40, 40);
    AddText(page, S("Nadpis"), {60, 50, 300, 20}, S("Zoznam členov"));
    AddBand(page, btMasterData, S("MasterData1"), 100, 20);
    AddText(page, S("Priezvisko"), {40, 100, 36, 18}, S("[MASTER.\"PRIEZVISKO\"]"));
    fileName = dir.filePath(S("ClenZoznam.rpf"));
    report->SaveToFile(fileName);
    report->LoadFromFile(fileName);
  }
  ~DesignerForm() override { TRegistry::Root().DeleteKey(rpRegistryRoot()); }

  // A designer window shown without a modal loop.
  std::unique_ptr<TrpDesignerForm> Open(bool editingTemplate = true) {
    auto form = std::make_unique<TrpDesignerForm>(*report, editingTemplate);
    form->show();
    return form;
  }

  QTemporaryDir dir;
  QString fileName;
};

TEST_F(DesignerForm, ShowsThePageWithItsTabsBarsAndStatusAndSelectsByName) {
  auto form = Open();
  EXPECT_EQ(form->windowTitle(), S("Generátor - ClenZoznam.rpf"));
  EXPECT_EQ(form->Tabs()->count(), 1);
  EXPECT_EQ(form->Tabs()->tabText(0), S("Strana 1"));
  EXPECT_EQ(rpCurrentDesigner(), form.get());
  for (const char* bar : {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5"})
    EXPECT_TRUE(form->ToolBar(QString::fromLatin1(bar))->IsVisible()) << bar;
  EXPECT_FALSE(form->ToolBar(S("Panel6"))->IsVisible()); // no extra tools
  EXPECT_EQ(form->Workspace()->size(),
            QSize(report->Pages.GetPage(0)->PrnInfo.Width, report->Pages.GetPage(0)->PrnInfo.Height));
  EXPECT_FALSE(form->MenuItem(S("N20"))->isEnabled()); // nothing to save yet
  EXPECT_FALSE(form->MenuItem(S("N36"))->isEnabled());

  form->SelectObjectByName(S("priezvisko"));
  EXPECT_EQ(form->Selection().LastSelected()->Name, S("Priezvisko"));
  EXPECT_EQ(form->StatusLine()->Texts().Position, S("40;100"));
  EXPECT_EQ(form->StatusLine()->Texts().ObjectText, S("Priezvisko: [MASTER.\"PRIEZVISKO\"]"));
  EXPECT_TRUE(form->MenuItem(S("N36"))->isEnabled()) << "one object to edit";
  form->Workspace()->grab().save(TestOutputPath(S("designer-window-workspace.png")));
  form->grab().save(TestOutputPath(S("designer-window.png")));

  // A double click left on the status line steps through the units.
  QStringList units;
  for (int i = 0; i < 3; ++i) {
    DoubleClick(form->StatusLine(), QPoint(20, 8));
    units << form->StatusLine()->UnitName();
  }
  EXPECT_EQ(units, (QStringList{S("MM"), S("Palcov"), S("Bodov")}));
  DoubleClick(form->StatusLine(), QPoint(200, 8));
  EXPECT_EQ(form->StatusLine()->UnitName(), S("Bodov"));
}

TEST_F(DesignerForm, ABarHiddenFromTheMenuStaysHiddenAfterReopening) {
  {
    auto form = Open();
    form->MenuItem(S("Pan3"))->trigger();
    EXPECT_FALSE(form->ToolBar(S("Panel3"))->IsVisible());
  }
  auto again = Open();
  EXPECT_FALSE(again->ToolBar(S("Panel3"))->IsVisible());
  EXPECT_TRUE(again->ToolBar(S("Panel2"))->IsVisible());
}

TEST_F(DesignerForm, ADialogFormIsAddedWithItsWindowAndDeletedAfterTheQuestion) {
  auto form = Open();
  form->MenuItem(S("N15"))->trigger();
  ASSERT_EQ(report->Pages.Count(), 2);
  EXPECT_EQ(form->Tabs()->tabText(1), S("Strana 2"));
  EXPECT_EQ(form->CurrentPageIndex(), 1);
  ASSERT_NE(form->PageForm(), nullptr);
  EXPECT_TRUE(form->PageForm()->isVisible());
  EXPECT_TRUE(form->GetModified());
  EXPECT_TRUE(form->MenuItem(S("N20"))->isEnabled());

  answers = {7}; // No: the page stays
  form->MenuItem(S("N30"))->trigger();
  EXPECT_EQ(report->Pages.Count(), 2);
  form->MenuItem(S("N30"))->trigger();
  EXPECT_EQ(questions, (QStringList{S("Dotaz: Odobrať túto stránku?"), S("Dotaz: Odobrať túto stránku?")}));
  EXPECT_EQ(report->Pages.Count(), 1);
  EXPECT_EQ(form->CurrentPageIndex(), 0);
  EXPECT_EQ(form->PageForm(), nullptr);
  questions.clear();
  form->MenuItem(S("N30"))->trigger(); // one page: no question
  EXPECT_TRUE(questions.isEmpty());
}

TEST_F(DesignerForm, ClosingAModifiedTemplateAsksAndNoLeavesTheFileAsItWas) {
  const QByteArray before = FileBytes(fileName);
  {
    auto form = Open();
    form->AddDialogForm();
    answers = {2}; // Cancel keeps the window
    EXPECT_FALSE(form->close());
    answers = {7};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(questions,
              (QStringList{S("Dotaz: Uložiť zmeny do ClenZoznam.rpf?"), S("Dotaz: Uložiť zmeny do ClenZoznam.rpf?")}));
    EXPECT_EQ(form->ModalResult(), mrCancel);
  }
  EXPECT_EQ(FileBytes(fileName), before);
  EXPECT_EQ(report->FileName, fileName);
}

TEST_F(DesignerForm, YesSavesAndAnUnwritableFileKeepsTheWindowAndTheChange) {
  {
    auto form = Open();
    form->AddDialogForm();
    answers = {6};
    EXPECT_TRUE(form->close());
  }
  TrpReport saved(&owner);
  ASSERT_TRUE(saved.LoadFromFile(fileName));
  EXPECT_EQ(saved.Pages.Count(), 2);

  report->FileName = dir.filePath(S("missing/ClenZoznam.rpf"));
  auto form = Open();
  form->AddDialogForm();
  answers = {6};
  EXPECT_FALSE(form->close());
  EXPECT_EQ(errors.size(), 1);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->GetModified());
  answers = {7};
  EXPECT_TRUE(form->close());
}

TEST_F(DesignerForm, APreparedPageOpensUntitledClosesWithoutAQuestionAndKeepsTheFileName) {
  QStringList captions;
  rpGlobals().DesignerWindow = [&](TrpReport& edited, bool editingTemplate) {
    TrpDesignerForm form(edited, editingTemplate);
    form.show();
    captions << form.windowTitle();
    EXPECT_FALSE(form.MenuItem(S("N15"))->isEnabled()); // no new pages in a prepared page
    form.SelectObjectByName(S("Nadpis"));
    form.SetModified(true);
    form.close();
    return form.ModalResult();
  };
  ASSERT_TRUE(report->BuildPreparedPages());
  answers = {7}; // not written back
  EXPECT_FALSE(report->EditPreparedPage(0));
  EXPECT_EQ(captions, QStringList{S("Generátor - Bezmena")});
  EXPECT_EQ(questions, QStringList{S("Dotaz: Uložiť zmeny?")});
  EXPECT_EQ(report->FileName, fileName);
  EXPECT_EQ(report->Pages.GetPage(0)->Count(), 4); // the template is back
}

TEST_F(DesignerForm, AnEditedPreparedPageIsWrittenBackOnYes) {
  rpGlobals().DesignerWindow = [&](TrpReport& edited, bool) {
    TrpView* title = edited.FindObject(S("Nadpis"));
    EXPECT_NE(title, nullptr);
    if (title) title->Left += 36;
    edited.Modified = true;
    return int(mrOk);
  };
  ASSERT_TRUE(report->BuildPreparedPages());
  const int left = report->EMFPages.LoadPageObjects(0).FindObject(S("Nadpis"))->Left;
  answers = {6};
  EXPECT_TRUE(report->EditPreparedPage(0));
  EXPECT_EQ(report->EMFPages.LoadPageObjects(0).FindObject(S("Nadpis"))->Left, left + 36);
  EXPECT_EQ(report->Pages.GetPage(0)->FindObject(S("Nadpis"))->Left, 60);
}

TEST_F(DesignerForm, TheFieldsWindowOffersTheDataSetsAndRemembersTheOneChosen) {
  auto members = new TUxMemoryData(&owner);
  members->setObjectName(S("ib1"));
  for (const char* field : {"PRIEZVISKO", "MENO", "TELEFON"})
    members->AddFieldDef({QString::fromLatin1(field), TUxFieldType::String, 30});
  auto payments = new TUxMemoryData(&owner);
  payments->setObjectName(S("ib2"));
  payments->AddFieldDef({S("SUMA"), TUxFieldType::Float});
  // The data sets of the print form, which the engine reaches as a form of the program.
  owner.setObjectName(S("frmTlac"));
  rpAddGlobalComponent(&owner);
  const auto unregister = qScopeGuard([this] { rpRemoveGlobalComponent(&owner); });
  report->Dictionary.FieldAliases.SetVariable(S("ib1"), S("MASTER"));
  report->Dictionary.FieldAliases.SetVariable(S("ib2"), S("DETAIL"));
  rpLastInsFieldsDataset().clear();
  {
    auto form = Open();
    TrpInsFieldsForm* fields = form->FieldsWindow();
    ASSERT_NE(fields, nullptr) << "shown at the first start";
    EXPECT_EQ(fields->windowTitle(), S("Položky databáz"));
    ASSERT_EQ(fields->DatasetsLB->count(), 2);
    EXPECT_EQ(fields->DatasetsLB->currentItem()->text(), S("DETAIL"));
    fields->DatasetsLB->setCurrentRow(1);
    ASSERT_EQ(fields->FieldsLB->count(), 3);
    EXPECT_EQ(fields->FieldsLB->item(2)->text(), S("TELEFON"));
    fields->FieldsLB->setCurrentRow(2);
    EXPECT_EQ(fields->DBField(), S("MASTER.\"TELEFON\""));
    fields->Splitter->setSizes({150, fields->Splitter->height() - 150 - fields->Splitter->handleWidth()});
    QApplication::processEvents();
  }
  auto again = Open();
  ASSERT_NE(again->FieldsWindow(), nullptr);
  EXPECT_EQ(again->FieldsWindow()->DatasetsLB->currentItem()->text(), S("MASTER"));
  EXPECT_EQ(again->FieldsWindow()->DatasetsLB->height(), 150);
  again->MenuItem(S("Pan8"))->trigger();
  EXPECT_EQ(again->FieldsWindow(), nullptr);
  again.reset();
  auto closed = Open();
  EXPECT_EQ(closed->FieldsWindow(), nullptr) << "its visibility is kept";
  closed->MenuItem(S("Pan8"))->trigger();
  ASSERT_NE(closed->FieldsWindow(), nullptr);

  closed->MenuItem(S("Pan8"))->trigger();
  rpLastInsFieldsDataset() = S("GONE");
  closed->MenuItem(S("Pan8"))->trigger();
  EXPECT_EQ(closed->FieldsWindow()->DatasetsLB->currentItem()->text(), S("DETAIL"))
      << "the first when the last is gone";
}

TEST_F(DesignerForm, TheInspectorShowsAndChangesTheSelectedObject) {
  {
    auto form = Open();
    TrpInspForm* inspector = form->Inspector();
    ASSERT_NE(inspector, nullptr);
    EXPECT_TRUE(inspector->isVisible());
    EXPECT_EQ(inspector->ObjectName, S("Page1")) << "the page while nothing is selected";
    form->SelectObjectByName(S("Priezvisko"));
    TrpInspProps& props = inspector->Props();
    EXPECT_EQ(inspector->ObjectName, S("Priezvisko"));
    EXPECT_EQ(inspector->CB1->currentText(), S("Priezvisko"));
    const int left = props.IndexOf(S("Left"));
    ASSERT_GE(left, 0);
    EXPECT_EQ(props.Row(left).Text, S("40"));
    inspector->SetItemIndex(left);
    inspector->ApplyEditText(S("76"));
    EXPECT_EQ(report->FindObject(S("Priezvisko"))->Left, 76);
    EXPECT_TRUE(form->GetModified());
    EXPECT_EQ(form->StatusLine()->Texts().Position, S("76;100"));
    EXPECT_EQ(props.ItemIndex(), props.IndexOf(S("Left"))) << "the row stays selected after the refill";

    form->NextUnits(); // millimetres: 76 pixels are 21,11 mm
    EXPECT_EQ(props.Row(props.IndexOf(S("Left"))).Text, S("21,11"));
    inspector->SetItemIndex(props.IndexOf(S("Left")));
    inspector->ApplyEditText(S("10"));
    EXPECT_EQ(report->FindObject(S("Priezvisko"))->Left, 36);

    inspector->SetItemIndex(props.IndexOf(S("Name")));
    inspector->ApplyEditText(QString());
    EXPECT_NE(report->FindObject(S("Priezvisko")), nullptr) << "an empty name is refused";
    inspector->SetItemIndex(props.IndexOf(S("Left")));
    inspector->ApplyEditText(S("abc"));
    EXPECT_EQ(errors.size(), 1) << "a number that does not convert is told";
    EXPECT_EQ(report->FindObject(S("Priezvisko"))->Left, 36);
    form->grab().save(TestOutputPath(S("designer-inspector.png")));
    inspector->grab().save(TestOutputPath(S("designer-inspector-window.png")));
    inspector->SetSplitPos(90);
    answers = {7};
  }
  auto again = Open();
  EXPECT_EQ(again->Inspector()->SplitPos(), 90);
  again->MenuItem(S("Pan5"))->trigger();
  EXPECT_FALSE(again->Inspector()->isVisible());
}

TEST_F(DesignerForm, WithoutARegisteredDesignerOpenDesignerAnswersTwo) {
  rpGlobals().DesignerWindow = {};
  EXPECT_EQ(report->OpenDesigner(), 2);
  EXPECT_FALSE(report->EditPreparedPage(0));

  RegisterReportDesigner();
  WhenModal<TrpDesignerForm>([](TrpDesignerForm* form) { form->MenuItem(S("N10"))->trigger(); });
  EXPECT_EQ(report->OpenDesigner(), int(mrOk));
}

// --- editing with the mouse and keys

// A designer window that has the focus, so its shortcuts work.
std::unique_ptr<TrpDesignerForm> Active(std::unique_ptr<TrpDesignerForm> form) {
  form->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
  return form;
}

// The workspace point inside an object, pressed, dragged by (dx, dy) in steps and released.
void DragOnWorkspace(QWidget* workspace, QPoint from, QPoint by, Qt::KeyboardModifiers modifiers = {}) {
  QTest::mouseMove(workspace, from);
  QTest::mousePress(workspace, Qt::LeftButton, modifiers, from);
  QTest::mouseMove(workspace, from + by / 2);
  QTest::mouseMove(workspace, from + by);
  QTest::mouseRelease(workspace, Qt::LeftButton, modifiers, from + by);
}

TEST_F(DesignerForm, DraggingDeletingUndoingAndRedoingOnThePage) {
  auto form = Active(Open());
  TrpPage* page = report->Pages.GetPage(0);
  TrpView* title = page->FindObject(S("Nadpis"));
  DragOnWorkspace(form->Workspace(), QPoint(100, 60), QPoint(36, 0));
  EXPECT_EQ(title->Left, 96);
  EXPECT_TRUE(form->GetModified());
  EXPECT_TRUE(form->MenuItem(S("N46"))->isEnabled());

  form->SelectObjectByName(S("Priezvisko"));
  QTest::keyClick(form->Workspace(), Qt::Key_Delete);
  EXPECT_EQ(page->FindObject(S("Priezvisko")), nullptr);
  QTest::keyClick(form->Workspace(), Qt::Key_Z, Qt::ControlModifier);
  ASSERT_NE(page->FindObject(S("Priezvisko")), nullptr);
  EXPECT_EQ(page->FindObject(S("Priezvisko"))->Top, 100);
  EXPECT_TRUE(form->MenuItem(S("N48"))->isEnabled());
  QTest::keyClick(form->Workspace(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(page->FindObject(S("Priezvisko")), nullptr);
  QTest::keyClick(form->Workspace(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(form->Workspace(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(title->Left, 60);
  EXPECT_FALSE(form->MenuItem(S("N46"))->isEnabled());
  answers = {7};
}

TEST_F(DesignerForm, WithUndoDisabledChangesStillMarkTheReportModified) {
  rpRegistryWriteBool(rpDesignerFormKey(S("TrpDesignerForm")), S("DisableUndo"), true);
  auto form = Active(Open());
  form->SelectObjectByName(S("Nadpis"));
  QTest::keyClick(form->Workspace(), Qt::Key_Delete);
  EXPECT_EQ(report->Pages.GetPage(0)->FindObject(S("Nadpis")), nullptr);
  EXPECT_TRUE(form->GetModified());
  EXPECT_FALSE(form->MenuItem(S("N46"))->isEnabled());
  EXPECT_FALSE(form->MenuItem(S("N48"))->isEnabled());
  answers = {7};
}

TEST_F(DesignerForm, AltArrowPlacementCanBeUndoneAndMarksTheReportModified) {
  auto form = Active(Open());
  TrpView* name = report->Pages.GetPage(0)->FindObject(S("Priezvisko"));
  TrpView* title = report->Pages.GetPage(0)->FindObject(S("Nadpis"));
  form->SelectObjectByName(S("Priezvisko"));
  QTest::keyClick(form->Workspace(), Qt::Key_Up); // the neighbour above becomes the selection
  EXPECT_EQ(form->Selection().LastSelected(), title);
  EXPECT_FALSE(form->GetModified());
  form->SelectObjectByName(S("Priezvisko"));
  QTest::keyClick(form->Workspace(), Qt::Key_Up, Qt::AltModifier);
  EXPECT_EQ(name->Top, 70); // against the title's bottom
  EXPECT_TRUE(form->GetModified());
  QTest::keyClick(form->Workspace(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(report->Pages.GetPage(0)->FindObject(S("Priezvisko"))->Top, 100);
  answers = {7};
}

TEST_F(DesignerForm, ACopyPastesInTheNextOpeningOfTheDesigner) {
  {
    auto form = Active(Open());
    form->SelectObjectByName(S("Nadpis"));
    QTest::keyClick(form->Workspace(), Qt::Key_C, Qt::ControlModifier);
  }
  auto form = Active(Open());
  EXPECT_TRUE(form->MenuItem(S("N13"))->isEnabled());
  form->SelectObjectByName(S("MasterData1"));
  QTest::keyClick(form->Workspace(), Qt::Key_V, Qt::ControlModifier);
  const TrpView* pasted = form->Selection().LastSelected();
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(pasted->Memo, QStringList{S("Zoznam členov")});
  EXPECT_EQ(pasted->Top, 100);
  EXPECT_NE(pasted->Name, S("Nadpis"));
  answers = {7};
}

// --- file commands

TEST_F(DesignerForm, SaveOnAnUntitledReportAsksForANameAndCancelKeepsItModified) {
  auto form = Open();
  form->NewReport();
  EXPECT_EQ(form->FileName(), S("Bezmena"));
  EXPECT_EQ(report->Pages.Count(), 1);
  EXPECT_EQ(report->Pages.GetPage(0)->Count(), 0);
  form->AddDialogForm();
  bool asked = false;
  WhenModal<QFileDialog>([&asked](QFileDialog* dialog) {
    asked = dialog->acceptMode() == QFileDialog::AcceptSave;
    dialog->reject();
  });
  EXPECT_FALSE(form->Save());
  EXPECT_TRUE(asked);
  EXPECT_TRUE(form->GetModified());
  answers = {7};
}

TEST_F(DesignerForm, AfterSavingAsXmlSaveWritesATemplateUnderThatName) {
  auto form = Open();
  form->AddDialogForm();
  const QString xml = dir.filePath(S("ClenZoznam.rp3"));
  ASSERT_TRUE(form->SaveAsFile(dir.filePath(S("ClenZoznam.rpf")), TrpSaveKind::XmlReport));
  EXPECT_EQ(form->FileName(), xml);
  EXPECT_FALSE(form->GetModified());
  EXPECT_TRUE(FileBytes(xml).startsWith("<?xml"));
  if (!QStandardPaths::findExecutable(S("xmllint")).isEmpty()) {
    QProcess lint;
    lint.setProcessChannelMode(QProcess::MergedChannels);
    lint.start(S("xmllint"), {S("--noout"), xml});
    ASSERT_TRUE(lint.waitForFinished(60000));
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAll().toStdString();
  }
  form->AddDialogForm();
  ASSERT_TRUE(form->Save());
  TrpReport saved(&owner);
  ASSERT_TRUE(saved.LoadFromFile(xml)); // the template format, under the XML report's name
  EXPECT_EQ(saved.Pages.Count(), 3);
}

// Each command that replaces or drops pages while an object of them is
// selected, shown in the inspector and recorded for undo: afterwards the
// selection, the inspector and the workspace hold the page now shown, and
// no undo step refers to the pages that went.
TEST_F(DesignerForm, ReplacingOrDroppingPagesLeavesNothingPointingAtThem) {
  TrpDesigner designer;
  designer.OnLoadReport = [this](TrpReport& loaded, QString& file, bool& done) {
    file = fileName;
    done = loaded.LoadFromFile(fileName);
  };
  struct Case {
    const char* command;
    QList<int> answers; // to the questions it asks
    std::function<void(TrpDesignerForm&)> run;
    int pagesAfter;
    int objectsOnShownPage;
    QString shownType; // the page type the inspector shows
  };
  const QList<Case> cases{
      {"new", {7}, [](TrpDesignerForm& form) { form.NewReport(); }, 1, 0, S("ptReport")},
      {"open", {7}, [](TrpDesignerForm& form) { form.OpenReport(); }, 1, 4, S("ptReport")},
      {"delete page", {6}, [](TrpDesignerForm& form) { form.DeletePage(); }, 1, 0, S("ptDialog")}, // the dialog page
      {"add page, cancelled",
       {},
       [](TrpDesignerForm& form) {
         WhenModal<TrpPgoptForm>([](TrpPgoptForm* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
         form.AddPage();
       },
       2,
       4,
       S("ptReport")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    ASSERT_TRUE(report->LoadFromFile(fileName));
    auto form = Open();
    form->AddDialogForm();
    form->SetCurrentPage(0);
    form->SelectObjectByName(S("Priezvisko"));
    ASSERT_EQ(form->Inspector()->ObjectName, S("Priezvisko"));
    form->RecordStep(TrpUndoAction::Modify);
    answers = c.answers;
    c.run(*form);

    ASSERT_EQ(report->Pages.Count(), c.pagesAfter);
    TrpPage* shown = report->Pages.GetPage(form->CurrentPageIndex());
    EXPECT_EQ(form->Page, shown);
    EXPECT_EQ(form->Selection().Page(), shown);
    EXPECT_EQ(form->Selection().Count(), 0);
    EXPECT_EQ(form->Selection().SingleSelected(), nullptr);
    TrpInspProps& props = form->Inspector()->Props();
    EXPECT_EQ(form->Inspector()->ObjectName, S("Page%1").arg(form->CurrentPageIndex() + 1));
    ASSERT_GE(props.IndexOf(S("Type")), 0);
    EXPECT_EQ(props.Row(props.IndexOf(S("Type"))).Text, c.shownType);
    EXPECT_EQ(shown->Count(), c.objectsOnShownPage);
    EXPECT_FALSE(form->UndoBuffers().CanUndo());
    form->Undo(); // nothing left to take back
    EXPECT_EQ(shown->Count(), c.objectsOnShownPage);
    EXPECT_FALSE(form->Workspace()->grab().isNull());
    form->SetModified(false);
  }
  answers = {7};
}

TEST_F(DesignerForm, TheDictionaryIsSavedAloneAndOpeningItMarksTheReportModified) {
  auto form = Open();
  report->Dictionary.Variables.SetVariable(S(" Pobočka"), QString()); // a category, then its variable
  report->Dictionary.Variables.SetVariable(S("Pobocka"), S("'Senec'"));
  const QString dictionary = dir.filePath(S("slovnik.rpd"));
  ASSERT_TRUE(form->SaveAsFile(dictionary, TrpSaveKind::Dictionary));
  EXPECT_TRUE(QFile::exists(dictionary));
  EXPECT_EQ(form->FileName(), fileName);
  report->Dictionary.Clear();
  form->SetModified(false);
  ASSERT_TRUE(form->OpenFile(dictionary, true));
  EXPECT_TRUE(form->GetModified());
  EXPECT_EQ(form->FileName(), fileName);
  EXPECT_EQ(report->Dictionary.Variables.IndexOf(S("Pobocka")), 1);
  answers = {7};
}

TEST_F(DesignerForm, ATemplateForNewReportsIsListedAndANewReportFromItIsUntitled) {
  TrpDesigner designer;
  designer.TemplateDir = dir.path(); // without its separator
  QImage icon(16, 16, QImage::Format_RGB32);
  icon.fill(Qt::red);
  const QString bitmap = dir.filePath(S("ikona.bmp"));
  ASSERT_TRUE(icon.save(bitmap, "BMP"));
  auto form = Open();
  WhenModal<TrpTemplNewForm>([&bitmap](TrpTemplNewForm* details) {
    details->CommentMemo->setPlainText(S("Zoznam členov\ns telefónmi"));
    EXPECT_TRUE(details->LoadPicture(bitmap));
    details->SetModalResult(mrOk);
  });
  ASSERT_TRUE(form->SaveAsFile(dir.filePath(S("elsewhere/Zoznam.rpf")), TrpSaveKind::NewReportTemplate));
  const QString templateFile = dir.filePath(S("Zoznam.rpt"));
  EXPECT_EQ(rpTemplateFiles(rpTemplateFolder(&designer)), QStringList{templateFile});

  form->AddDialogForm(); // unsaved work: the new report asks first
  WhenModal<TrpTemplForm>([](TrpTemplForm* chooser) {
    ASSERT_EQ(chooser->TemplatesLV->count(), 1);
    EXPECT_EQ(chooser->TemplatesLV->item(0)->text(), S("Zoznam"));
    EXPECT_FALSE(chooser->OkButton->isEnabled());
    chooser->TemplatesLV->setCurrentRow(0);
    EXPECT_EQ(chooser->DescriptionMemo->toPlainText(), S("Zoznam členov\ns telefónmi"));
    EXPECT_FALSE(chooser->PictureImage->pixmap().isNull());
    chooser->OkButton->click();
  });
  answers = {7};
  questions.clear();
  form->NewFromTemplate();
  EXPECT_EQ(questions, QStringList{S("Dotaz: Uložiť zmeny do ClenZoznam.rpf?")});
  EXPECT_EQ(form->FileName(), S("Bezmena"));
  EXPECT_EQ(report->Pages.Count(), 1);
  EXPECT_NE(report->Pages.GetPage(0)->FindObject(S("Nadpis")), nullptr);
  answers = {7};
}

TEST_F(DesignerForm, ThePictureEditorCentresASmallPictureAndKeepsItForAnUnknownFile) {
  TrpGEditorForm editor;
  editor.resize(400, 300);
  QImage square(50, 50, QImage::Format_RGB32);
  square.fill(Qt::red);
  const QString bitmap = dir.filePath(S("stvorec.bmp"));
  ASSERT_TRUE(square.save(bitmap, "BMP"));
  ASSERT_TRUE(editor.LoadPicture(bitmap));
  const QString foreign = dir.filePath(S("cudzi.wmf"));
  {
    QFile file(foreign);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromHex("d7cdc69a0000000000000000e803e80300000000"));
  }
  EXPECT_FALSE(editor.LoadPicture(foreign));
  EXPECT_EQ(errors.size(), 1);
  editor.show();
  const QImage shown = editor.PreviewArea->grab().toImage();
  const QRect expected = rpPicturePreviewRect(QSize(50, 50), editor.PreviewArea->size());
  EXPECT_EQ(shown.pixelColor(expected.center()), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(expected.topLeft()), QColor(Qt::red));
  EXPECT_NE(shown.pixelColor(expected.topLeft() - QPoint(1, 1)), QColor(Qt::red));
  EXPECT_NE(shown.pixelColor(expected.bottomRight() + QPoint(1, 1)), QColor(Qt::red));
}

} // namespace
#undef S
