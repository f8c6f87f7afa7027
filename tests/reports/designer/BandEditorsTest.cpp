#include "DesignerFixture.h"
#include "platform/base/Registry.h"
#include "reports/designer/rpBandChoices.h"
#include "reports/designer/rpBandEditorForm.h"
#include "reports/designer/rpBandTypesForm.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDesignerInsert.h"
#include "reports/designer/rpDesignerPage.h"
#include "reports/designer/rpGroupEditorForm.h"
#include "reports/designer/rpVBandEditorForm.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboEdit.h"
#include "reports/engine/ui/rpDock.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

namespace {

#define BND(text) QStringLiteral(text)

QList<int> Disabled(const QList<bool>& offered) {
  QList<int> types;
  for (int type = 0; type < offered.size(); ++type)
    if (!offered.at(type)) types.append(type);
  return types;
}

TEST_F(DesignerFixture, BandTypesOfferedFollowThePageAndWhetherASubreportShowsIt) {
  struct Case {
    QList<int> bands;
    bool subreportPage;
    QList<int> disabled;
  };
  const QList<Case> cases{
      {{}, false, {}},
      {{btPageHeader, btMasterData, btGroupHeader, btChild}, false, {btPageHeader}},
      {{btReportTitle, btOverlay, btColumnHeader, btCrossHeader, btCrossData, btCrossFooter},
       false,
       {0, 13, 14, 18, 19, 20}},
      {{}, true, {0, 1, 2, 3, 14, 15, 16, 17}},
      {{btOverlay, btMasterData}, true, {0, 1, 2, 3, 13, 14, 15, 16, 17}},
  };
  for (const Case& c : cases) {
    TrpPage* page = report->Pages.GetPage(0);
    page->Clear();
    for (int type : c.bands)
      AddBand(page, type, BND("Band%1").arg(type));
    const QList<bool> offered = rpOfferedBandTypes(*page, c.subreportPage);
    EXPECT_EQ(offered.size(), 22);
    EXPECT_EQ(Disabled(offered), c.disabled) << c.bands.size() << " bands, subreport " << c.subreportPage;
  }
}

TEST_F(DesignerFixture, APageIsASubreportPageWhenASubreportOfAnyPageShowsIt) {
  report->Pages.Add();
  report->Pages.Add();
  AddSubreport(report->Pages.GetPage(1), BND("SubReport1"), 2);
  EXPECT_FALSE(rpIsSubreportPage(*report, 0));
  EXPECT_FALSE(rpIsSubreportPage(*report, 1));
  EXPECT_TRUE(rpIsSubreportPage(*report, 2));
}

// A report whose owner holds two report data sets.
class BandSources : public DesignerFixture {
protected:
  BandSources() {
    (new TrpDataset(&owner))->setObjectName(BND("rpClenovia"));
    (new TrpDataset(&owner))->setObjectName(BND("rpPovolenky"));
    rpAddGlobalComponent(&owner);
  }
  ~BandSources() override { rpRemoveGlobalComponent(&owner); }
};

TEST_F(BandSources, AStoredTextShowsItsPositionAndAPositionGivesTheTextStored) {
  const TrpBandSourceList list(report->Dictionary);
  EXPECT_EQ(list.Entries(),
            (QStringList{BND("[Žiaden]"), BND("Virtuálny Dataset"), BND("rpClenovia"), BND("rpPovolenky")}));
  const QList<std::pair<QString, int>> shown{{BND("12"), 1},
                                             {BND("9x"), 1},
                                             {BND("rpPovolenky"), 3},
                                             {BND("RPCLENOVIA"), 2},
                                             {BND("rpZmazany"), 0},
                                             {BND("[Žiaden]"), 0},
                                             {BND(""), 0},
                                             {BND("0"), 0},
                                             {BND("012"), 0},
                                             {BND("Virtuálny Dataset"), 0}};
  for (const auto& [text, position] : shown)
    EXPECT_EQ(list.PositionOf(text), position) << text.toStdString();
  EXPECT_EQ(list.TextAt(TrpBandSourceList::Virtual, BND("12")), BND("12"));
  EXPECT_EQ(list.TextAt(TrpBandSourceList::Virtual, BND("dvanásť")), BND("dvanásť")) << "stored as typed";
  EXPECT_EQ(list.TextAt(TrpBandSourceList::None, BND("12")), BND("[Žiaden]"));
  EXPECT_EQ(list.TextAt(3, QString()), BND("rpPovolenky"));
}

TEST_F(BandSources, WithSourceAliasesTheListShowsTheAliasedSetsAndStoresTheirNames) {
  report->Dictionary.BandSourceAliases.SetVariable(BND("rpClenovia"), BND("Členovia"));
  const TrpBandSourceList list(report->Dictionary);
  EXPECT_EQ(list.Entries(), (QStringList{BND("[Žiaden]"), BND("Virtuálny Dataset"), BND("Členovia")}));
  EXPECT_EQ(list.PositionOf(BND("rpClenovia")), 2);
  EXPECT_EQ(list.TextAt(2, QString()), BND("rpClenovia"));
  EXPECT_EQ(list.PositionOf(BND("rpPovolenky")), 0) << "a set left out of the aliases";
}

TEST(CrossDataSources, EachBandFindsItsOwnEntryAndTheTextComposesInBandOrder) {
  struct Case {
    QString text;
    QStringList bands;
    QStringList sources;
    QString composed;
  };
  const QList<Case> cases{
      {BND("MasterData1=rpA;DetailData1=5;"),
       {BND("MasterData1"), BND("DetailData1")},
       {BND("rpA"), BND("5")},
       BND("MasterData1=rpA;DetailData1=5;")},
      // One name the ending of the other, in either order.
      {BND("MasterData1=rpA;Data1=rpB;"),
       {BND("Data1"), BND("MasterData1")},
       {BND("rpB"), BND("rpA")},
       BND("Data1=rpB;MasterData1=rpA;")},
      {BND("Data1=rpB;MasterData1=rpA;"),
       {BND("MasterData1"), BND("Data1")},
       {BND("rpA"), BND("rpB")},
       BND("MasterData1=rpA;Data1=rpB;")},
      // A name the beginning of another.
      {BND("Band10=rpB;Band1=rpA;"),
       {BND("Band1"), BND("Band10")},
       {BND("rpA"), BND("rpB")},
       BND("Band1=rpA;Band10=rpB;")},
      {BND("masterdata1=rpA;Gone1=rpC;"),
       {BND("MasterData1"), BND("GroupHeader1")},
       {BND("rpA"), BND("0")},
       BND("MasterData1=rpA;GroupHeader1=0;")},
      // The older single source goes to every band.
      {BND("rpClenovia"),
       {BND("MasterData1"), BND("DetailData1")},
       {BND("rpClenovia"), BND("rpClenovia")},
       BND("MasterData1=rpClenovia;DetailData1=rpClenovia;")},
      {BND(""), {BND("MasterData1")}, {BND("0")}, BND("MasterData1=0;")},
      {BND("MasterData1=rpA"), {BND("MasterData1")}, {BND("MasterData1=rpA")}, BND("MasterData1=MasterData1=rpA;")},
  };
  for (const Case& c : cases) {
    const TrpCrossDataSources sources(c.text, c.bands);
    ASSERT_EQ(sources.Count(), c.bands.size());
    QStringList found;
    for (int i = 0; i < sources.Count(); ++i)
      found.append(sources.Source(i));
    EXPECT_EQ(found, c.sources) << c.text.toStdString();
    EXPECT_EQ(sources.Text(), c.composed) << c.text.toStdString();
  }
}

TEST_F(DesignerFixture, CrossDataBandsAreTheHeaderDataFooterColumnGroupAndChildBandsInPageOrder) {
  TrpPage* page = report->Pages.GetPage(0);
  for (int type = 0; type < 22; ++type)
    AddBand(page, type, BND("Band%1").arg(type));
  QList<int> types;
  for (const TrpBandView* band : rpCrossDataBands(*page))
    types.append(band->GetBandType());
  EXPECT_EQ(types, (QList<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 21}));
}

// The designer on a page with a title, a master data band and a group header,
// the report's owner holding two report data sets.
class BandDialogs : public BandSources {
protected:
  BandDialogs() {
    TRegistry::Root().DeleteKey(rpRegistryRoot());
    rpRun().CurrentReport = report;
    TrpPage* page = report->Pages.GetPage(0);
    AddBand(page, btPageHeader, BND("PageHeader1"), 20, 30);
    master = static_cast<TrpBandView*>(AddBand(page, btMasterData, BND("MasterData1"), 100, 30));
    group = static_cast<TrpBandView*>(AddBand(page, btGroupHeader, BND("GroupHeader1"), 160, 30));
  }
  ~BandDialogs() override {
    rpRun().CurrentReport = nullptr;
    TRegistry::Root().DeleteKey(rpRegistryRoot());
  }

  std::unique_ptr<TrpDesignerForm> Open() {
    auto form = std::make_unique<TrpDesignerForm>(*report, true);
    form->show();
    return form;
  }
  // Inserts with the band tool at the point, the way the mouse does.
  static void InsertBandAt(TrpDesignerForm& form, QPoint at) {
    form.Mouse().SetTool(TrpDesignerTool::Band, false);
    form.Mouse().Hover(at);
    form.Mouse().Press(at, Qt::LeftButton, {});
    form.Mouse().Release(at);
  }
  static QList<int> EnabledTypes(const TrpBandTypesForm* dialog) {
    QList<int> types;
    for (int type = 0; type < dialog->TypeButtons.size(); ++type)
      if (dialog->TypeButtons.at(type)->isEnabled()) types.append(type);
    return types;
  }

  TrpBandView* master = nullptr;
  TrpBandView* group = nullptr;
};

TEST_F(BandDialogs, TheBandToolAsksTheTypeWithoutASecondPageHeaderAndInsertsTheChosenBand) {
  auto form = Open();
  EXPECT_TRUE(form->Control(BND("OB3"))->isEnabled());
  TrpPage* page = report->Pages.GetPage(0);
  const int before = page->Count();
  WhenModal<TrpBandTypesForm>([](TrpBandTypesForm* dialog) {
    EXPECT_EQ(dialog->Caption(), BND("Vložiť novú pásku"));
    EXPECT_FALSE(dialog->TypeButtons.at(btPageHeader)->isEnabled()) << "the page has one";
    EXPECT_TRUE(dialog->TypeButtons.at(btReportTitle)->isChecked()) << "the first type offered";
    dialog->reject();
  });
  InsertBandAt(*form, QPoint(40, 300));
  EXPECT_EQ(page->Count(), before) << "cancelled: nothing inserted";

  WhenModal<TrpBandTypesForm>([&form](TrpBandTypesForm* dialog) {
    form->Mouse().Leave(); // what the page hears when the dialog covers it
    QTest::mouseClick(dialog->TypeButtons.at(btDetailData), Qt::LeftButton);
    // A new data band opens its data source editor next.
    WhenModal<TrpBandEditorForm>([](TrpBandEditorForm* editor) {
      EXPECT_EQ(editor->SourcesLB->currentRow(), 0);
      editor->reject();
    });
    dialog->SetModalResult(mrOk);
  });
  InsertBandAt(*form, QPoint(40, 300));
  ASSERT_EQ(page->Count(), before + 1);
  auto* inserted = dynamic_cast<TrpBandView*>(form->Selection().LastSelected());
  ASSERT_NE(inserted, nullptr);
  EXPECT_EQ(inserted->GetBandType(), btDetailData);
  EXPECT_EQ(inserted->Name, BND("DetailData1"));
  EXPECT_EQ(QPoint(inserted->Left, inserted->Top), QPoint(40, 300)) << "where it was clicked";
}

TEST_F(BandDialogs, OnASubreportPageTheTitleSummaryPageColumnAndGroupBandsAreNotOffered) {
  report->Pages.Add();
  AddSubreport(report->Pages.GetPage(0), BND("SubReport1"), 1);
  auto form = Open();
  form->SetCurrentPage(1);
  QList<int> enabled;
  bool fourChecked = false;
  WhenModal<TrpBandTypesForm>([&](TrpBandTypesForm* dialog) {
    enabled = EnabledTypes(dialog);
    fourChecked = dialog->TypeButtons.at(btMasterHeader)->isChecked();
    dialog->reject();
  });
  InsertBandAt(*form, QPoint(40, 100));
  EXPECT_EQ(enabled, (QList<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 18, 19, 20, 21}));
  EXPECT_TRUE(fourChecked);
}

TEST_F(BandDialogs, AVirtualDatasetOfTwelveIsStoredAsTwelveAndReopensThere) {
  auto form = Open();
  form->SelectObject(master);
  WhenModal<TrpBandEditorForm>([](TrpBandEditorForm* editor) {
    EXPECT_EQ(editor->Caption(), BND("Dátový zdroj pásky"));
    EXPECT_EQ(editor->SourcesLB->count(), 4);
    EXPECT_EQ(editor->SourcesLB->currentRow(), 0);
    EXPECT_FALSE(editor->RecordCountE->isEnabled());
    editor->SourcesLB->setCurrentRow(1);
    EXPECT_TRUE(editor->RecordCountE->isEnabled());
    EXPECT_TRUE(editor->RecordCountLabel->isEnabled());
    QTest::keyClicks(editor->RecordCountE, BND("12"));
    editor->SetModalResult(mrOk);
  });
  form->EditObject();
  EXPECT_EQ(master->DisplayFormatText, BND("12"));
  EXPECT_TRUE(form->GetModified());

  WhenModal<TrpBandEditorForm>([](TrpBandEditorForm* editor) {
    EXPECT_EQ(editor->SourcesLB->currentRow(), 1);
    EXPECT_EQ(editor->RecordCountE->text(), BND("12"));
    // A double click on a data set is OK.
    QListWidgetItem* item = editor->SourcesLB->item(2);
    const QRect rect = editor->SourcesLB->visualItemRect(item);
    QTest::mouseClick(editor->SourcesLB->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(editor->SourcesLB->viewport(), Qt::LeftButton, {}, rect.center());
  });
  form->EditObject();
  EXPECT_EQ(master->DisplayFormatText, BND("rpClenovia"));
  form->Undo();
  EXPECT_EQ(report->FindObject(BND("MasterData1"))->DisplayFormatText, BND("12")) << "the undo step";
}

TEST_F(BandDialogs, ADeletedSourceOpensAsNoneAndCancelKeepsIt) {
  master->DisplayFormatText = BND("rpZmazany");
  auto form = Open();
  form->SelectObject(master);
  WhenModal<TrpBandEditorForm>([](TrpBandEditorForm* editor) {
    EXPECT_EQ(editor->SourcesLB->currentItem()->text(), BND("[Žiaden]"));
    editor->reject();
  });
  form->EditObject();
  EXPECT_EQ(master->DisplayFormatText, BND("rpZmazany"));
  EXPECT_FALSE(form->GetModified());

  // OK on "[Žiaden]" stores it, through the inspector's DataSource entry.
  WhenModal<TrpBandEditorForm>([](TrpBandEditorForm* editor) { editor->SetModalResult(mrOk); });
  rpGlobals().DesignerEditor(master, BND("DataSource"));
  EXPECT_EQ(master->DisplayFormatText, BND("[Žiaden]"));
}

TEST_F(BandDialogs, EditorsDoNotOpenForABandWhoseContentsAreRestricted) {
  auto form = Open();
  master->Restrictions = rrContents;
  form->SelectObject(master);
  bool opened = false;
  const auto closeAnyDialog = [&opened] {
    QTimer::singleShot(0, [&opened] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        opened = true;
        modal->close();
      }
    });
  };
  closeAnyDialog();
  form->EditObject();
  QCoreApplication::processEvents();
  closeAnyDialog();
  rpGlobals().DesignerEditor(master, BND("DataSource"));
  QCoreApplication::processEvents();
  EXPECT_FALSE(opened);
}

TEST_F(BandDialogs, TheGroupEditorStoresTheConditionTypedOnOk) {
  group->DisplayFormatText = BND("[Clen.Obec]");
  auto form = Open();
  form->SelectObject(group);
  WhenModal<TrpGroupEditorForm>([](TrpGroupEditorForm* editor) {
    EXPECT_EQ(editor->Caption(), BND("Skupina"));
    EXPECT_EQ(editor->ConditionE->currentText(), BND("[Clen.Obec]"));
    EXPECT_EQ(editor->ConditionE->ButtonHint(), BND("Vložiť DB položku"));
    editor->ConditionE->setEditText(BND("[Clen.Okres]"));
    editor->SetModalResult(mrOk);
  });
  form->EditObject();
  EXPECT_EQ(group->DisplayFormatText, BND("[Clen.Okres]"));
  EXPECT_TRUE(form->GetModified());
}

TEST_F(BandDialogs, TheCrossDataEditorStoresOneEntryPerBandInPageOrder) {
  TrpPage* page = report->Pages.GetPage(0);
  AddBand(page, btDetailData, BND("DetailData1"), 200, 30);
  auto* cross = static_cast<TrpBandView*>(AddBand(page, btCrossData, BND("CrossData1"), 0, 400));
  cross->DisplayFormatText = BND("DetailData1=7;");
  auto form = Open();
  form->SelectObject(cross);
  QStringList bands;
  WhenModal<TrpVBandEditorForm>([&bands](TrpVBandEditorForm* editor) {
    for (int i = 0; i < editor->BandsLB->count(); ++i)
      bands.append(editor->BandsLB->item(i)->text());
    EXPECT_EQ(editor->SourcesLB->currentRow(), 0) << "MasterData1 has no entry";
    editor->BandsLB->setCurrentRow(2);
    EXPECT_EQ(editor->SourcesLB->currentRow(), 1);
    EXPECT_EQ(editor->RecordCountE->text(), BND("7"));
    editor->BandsLB->setCurrentRow(0);
    editor->SourcesLB->setCurrentRow(3);
    editor->SetModalResult(mrOk);
  });
  form->EditObject();
  EXPECT_EQ(bands, (QStringList{BND("MasterData1: Master data"), BND("GroupHeader1: Group header"),
                                BND("DetailData1: Detail data")}));
  EXPECT_EQ(cross->DisplayFormatText, BND("MasterData1=rpPovolenky;GroupHeader1=0;DetailData1=7;"));
}

TEST_F(BandDialogs, TheCrossDataEditorIsNotShownWithoutBandsToGiveASource) {
  TrpPage* page = report->Pages.GetPage(0);
  page->Clear();
  auto* cross = static_cast<TrpBandView*>(AddBand(page, btCrossData, BND("CrossData1"), 0, 400));
  TrpVBandEditorForm editor;
  EXPECT_EQ(editor.ShowEditor(cross), mrCancel);
  EXPECT_FALSE(editor.isVisible());
}

} // namespace
