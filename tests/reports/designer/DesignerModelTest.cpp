#include "DesignerFixture.h"
#include "platform/base/Registry.h"
#include "reports/designer/rpDesigner.h"
#include "reports/designer/rpDesignerPages.h"
#include "reports/designer/rpDesignerSelection.h"
#include "reports/designer/rpDesignerSettings.h"
#include "reports/designer/rpDesignerUnits.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpPictureView.h"
#include "reports/engine/rpSubReportView.h"
#include "reports/engine/ui/rpDock.h"
#include "tests/support/QStringPrinter.h"

namespace {

#define S(text) QStringLiteral(text)

QStringList Names(const TrpPage& page) {
  QStringList names;
  for (int i = 0; i < page.Count(); ++i)
    names << page.GetObject(i)->Name;
  return names;
}

TEST(DesignerUnits, StatusPairsInEachUnit) {
  const struct {
    TrpDesignerUnits units;
    int first, second;
    const char* text;
  } cases[] = {
      {TrpDesignerUnits::Pixels, 36, 18, "36;18"},
      {TrpDesignerUnits::Millimetres, 36, 18, "10,00; 5,00"},
      {TrpDesignerUnits::Inches, 36, 18, "0,39; 0,20"},
      {TrpDesignerUnits::Millimetres, -9, 0, "-2,50; 0,00"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(rpStatusPair(c.first, c.second, c.units), QString::fromUtf8(c.text)) << c.text;
  EXPECT_EQ(rpUnitsToPixels(10, TrpDesignerUnits::Millimetres), 36);
  EXPECT_EQ(rpUnitsToPixels(1, TrpDesignerUnits::Inches), 91); // 25,4 mm are 91,44 pixels
}

TEST_F(DesignerFixture, UnitsCycleThroughTheirNames) {
  TrpDesignerUnits units = TrpDesignerUnits::Pixels;
  QStringList names;
  for (int i = 0; i < 4; ++i) {
    names << rpUnitsName(units);
    units = rpNextUnits(units);
  }
  EXPECT_EQ(names, (QStringList{S("Bodov"), S("MM"), S("Palcov"), S("Bodov")}));
}

TEST(DesignerSettings, ValuesOutOfRangeReadAsTheirDefaults) {
  const QString key = rpDesignerFormKey(S("TrpDesignerForm"));
  const QString inspector = rpDesignerFormKey(S("TrpInspForm"));
  TRegistry::Root().DeleteKey(rpRegistryRoot());
  const struct {
    const char* name;
    const char* stored;
    std::function<bool(const TrpDesignerSettings&)> expected;
  } cases[] = {
      {"GridSize", "0", [](const TrpDesignerSettings& s) { return s.GridSize == 4; }},
      {"GridSize", "7", [](const TrpDesignerSettings& s) { return s.GridSize == 4; }},
      {"GridSize", "18", [](const TrpDesignerSettings& s) { return s.GridSize == 18; }},
      {"GridSize", "x", [](const TrpDesignerSettings& s) { return s.GridSize == 4; }},
      {"Units", "3", [](const TrpDesignerSettings& s) { return s.Units == TrpDesignerUnits::Pixels; }},
      {"Units", "2", [](const TrpDesignerSettings& s) { return s.Units == TrpDesignerUnits::Inches; }},
      {"PagePosition", "2", [](const TrpDesignerSettings& s) { return s.PagePosition == 5; }},
      {"PagePosition", "3", [](const TrpDesignerSettings& s) { return s.PagePosition == 3; }},
      {"Selection", "5", [](const TrpDesignerSettings& s) { return s.Selection == 1; }},
      {"Selection", "0", [](const TrpDesignerSettings& s) { return s.Selection == 0; }},
      {"GridShow", "0", [](const TrpDesignerSettings& s) { return !s.GridShow; }},
  };
  for (const auto& c : cases) {
    TRegistry::Root().DeleteKey(rpRegistryRoot());
    rpRegistryWriteText(key, QString::fromLatin1(c.name), QString::fromLatin1(c.stored));
    TrpDesignerSettings settings;
    settings.Read();
    EXPECT_TRUE(c.expected(settings)) << c.name << " = " << c.stored;
  }
  TRegistry::Root().DeleteKey(rpRegistryRoot());
  rpRegistryWriteInt(inspector, S("SplitPos"), 19);
  TrpDesignerSettings settings;
  settings.Read();
  EXPECT_EQ(settings.InspectorSplitPos, 75);
  settings.InspectorSplitPos = 20;
  settings.Units = TrpDesignerUnits::Millimetres;
  settings.UnlimitedHeight = true;
  settings.Write();
  TrpDesignerSettings again;
  again.Read();
  EXPECT_EQ(again.InspectorSplitPos, 20);
  EXPECT_EQ(again.Units, TrpDesignerUnits::Millimetres);
  EXPECT_TRUE(again.UnlimitedHeight);
  TRegistry::Root().DeleteKey(rpRegistryRoot());
}

TEST(DesignerPlacement, ThePageLiesByItsPositionUnlessItIsWiderThanTheView) {
  const struct {
    int clientWidth, pagePosition, left;
  } cases[] = {
      {700, 5, 10}, // 757 wide: does not fit, left 10 whatever the position
      {700, 4, 10}, {1000, 5, 121}, {1000, 3, 10}, {1000, 4, 232}, {768, 5, 5}, // fits (768 - 11 = 757)
  };
  for (const auto& c : cases) {
    const TrpWorkspacePlacement placement = rpPlaceWorkspace(c.clientWidth, 757, 1070, c.pagePosition, 17);
    EXPECT_EQ(placement.Bounds, QRect(c.left, 10, 757, 1070)) << c.clientWidth << " " << c.pagePosition;
    EXPECT_EQ(placement.Scrolled, QSize(c.left + 757 + 10 - 17, 10 + 1070 + 10));
  }
}

TEST_F(DesignerFixture, NormalisedOrderPutsTheOverlayFirstAndCrossBandsLastAmongTheBands) {
  TrpPage* page = report->Pages.GetPage(0);
  AddText(page, S("Text1"), {10, 10, 50, 20});
  AddBand(page, btReportTitle, S("Title"));
  AddBand(page, btCrossHeader, S("CrossHeader"));
  AddText(page, S("Text2"), {10, 40, 50, 20});
  AddBand(page, btOverlay, S("Overlay"));
  AddBand(page, btCrossData, S("CrossData"));
  AddBand(page, btMasterData, S("Master"));
  AddBand(page, btOverlay, S("Overlay2"));
  rpNormaliseObjectOrder(*page);
  EXPECT_EQ(Names(*page), (QStringList{S("Overlay"), S("Title"), S("Master"), S("Overlay2"), S("CrossHeader"),
                                       S("CrossData"), S("Text1"), S("Text2")}));
}

TEST_F(DesignerFixture, DeletingAPageTakesItsSubreportsAndRenumbersTheLaterOnes) {
  report->Pages.Add();
  report->Pages.Add();
  report->Pages.Add();
  TrpPage* first = report->Pages.GetPage(0);
  AddSubreport(first, S("ToPage2"), 1);
  AddSubreport(first, S("ToPage3"), 2);
  AddSubreport(report->Pages.GetPage(3), S("ToPage4"), 3);
  EXPECT_EQ(rpPageTabCaption(*report, 1), S("ToPage2"));
  EXPECT_EQ(rpPageTabCaption(*report, 0), S("Strana 1"));
  ASSERT_TRUE(rpDeleteReportPage(*report, 1));
  EXPECT_EQ(report->Pages.Count(), 3);
  EXPECT_EQ(Names(*first), QStringList{S("ToPage3")});
  EXPECT_EQ(static_cast<TrpSubReportView*>(first->GetObject(0))->SubPage, 1);
  EXPECT_EQ(static_cast<TrpSubReportView*>(report->Pages.GetPage(2)->GetObject(0))->SubPage, 2);

  TrpReport single(&owner);
  EXPECT_FALSE(rpDeleteReportPage(single, 0));
  EXPECT_EQ(single.Pages.Count(), 1);
}

TEST_F(DesignerFixture, MovingTheFirstPageOntoTheThirdKeepsEverySubreportOnItsPage) {
  for (int i = 0; i < 3; ++i)
    report->Pages.Add();
  QList<TrpPage*> pages;
  for (int i = 0; i < 4; ++i) {
    pages << report->Pages.GetPage(i);
    pages.last()->Name = S("P%1").arg(i + 1);
  }
  TrpPage* fourth = pages[3];
  for (int target = 0; target < 4; ++target)
    AddSubreport(fourth, S("To%1").arg(target + 1), target);
  rpMoveReportPage(*report, 0, 2);
  QStringList order;
  for (int i = 0; i < 4; ++i)
    order << report->Pages.GetPage(i)->Name;
  EXPECT_EQ(order, (QStringList{S("P2"), S("P3"), S("P1"), S("P4")}));
  for (int i = 0; i < 4; ++i) {
    const auto* link = static_cast<TrpSubReportView*>(fourth->GetObject(i));
    EXPECT_EQ(report->Pages.GetPage(link->SubPage), pages[i]) << link->Name.toStdString();
  }
  rpMoveReportPage(*report, 3, 0);
  for (int i = 0; i < 4; ++i) {
    const auto* link = static_cast<TrpSubReportView*>(fourth->GetObject(i));
    EXPECT_EQ(report->Pages.GetPage(link->SubPage), pages[i]) << "back " << link->Name.toStdString();
  }
}

TEST(DesignerComponent, TheCloseQuestionByModeModifiedFlagAndCloseQuery) {
  EXPECT_EQ(TrpDesigner::Instance(), nullptr);
  const struct {
    bool modified, editingTemplate;
    int component; // 0 none, 1 CloseQuery on, 2 off
    bool asks;
  } cases[] = {
      {true, true, 0, true}, {false, true, 0, false}, {true, false, 0, false},
      {true, true, 1, true}, {true, true, 2, false},  {true, false, 1, false},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TrpDesigner> designer;
    if (c.component) {
      designer = std::make_unique<TrpDesigner>();
      designer->CloseQuery = c.component == 1;
    }
    EXPECT_EQ(rpDesignerAsksToSave(c.modified, c.editingTemplate, TrpDesigner::Instance()), c.asks)
        << c.modified << c.editingTemplate << c.component;
  }
}

TEST(DesignerComponent, ASecondOneRaisesAndTheFirstStays) {
  TrpDesigner first;
  try {
    TrpDesigner second;
    FAIL() << "a second component was made";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), S("You already have one TrpDesigner component"));
  }
  EXPECT_EQ(TrpDesigner::Instance(), &first);
}

TEST_F(DesignerFixture, EnablingFollowsTheKindOfSelection) {
  TrpPage* page = report->Pages.GetPage(0);
  TrpView* band = AddBand(page, btMasterData, S("Band"));
  TrpView* text1 = AddText(page, S("Text1"), {10, 10, 50, 20});
  TrpView* text2 = AddText(page, S("Text2"), {10, 40, 50, 20});
  TrpView* picture = page->Add(std::make_unique<TrpPictureView>());
  TrpDesignerSelection selection;
  selection.SetPage(page);
  using E = TrpSelectionEnabling;
  //                                          frame  text   selection paste  edit
  EXPECT_EQ(selection.Enabling(false), (E{false, false, false, false, false}));
  EXPECT_EQ(selection.Enabling(true), (E{false, false, false, true, false}));
  selection.SelectOnly(band);
  EXPECT_EQ(selection.Kind(), TrpSelectionKind::Band);
  EXPECT_EQ(selection.Enabling(false), (E{false, false, true, false, true}));
  selection.SelectOnly(text1);
  EXPECT_EQ(selection.Enabling(false), (E{true, true, true, false, true}));
  selection.SelectOnly(picture);
  EXPECT_EQ(selection.Enabling(false), (E{true, false, true, false, true}));
  selection.SetSelected(text1, true);
  selection.SetSelected(text2, true);
  EXPECT_EQ(selection.Kind(), TrpSelectionKind::Several);
  EXPECT_EQ(selection.Enabling(false), (E{true, true, true, false, false}));
  page->PageType = 1; // a dialog page has no frames
  EXPECT_FALSE(selection.Enabling(false).FrameControls);
}

TEST_F(DesignerFixture, TheMultipleSelectionFrameEndsAtTheGripObject) {
  TrpPage* page = report->Pages.GetPage(0);
  TrpView* a = AddText(page, S("A"), {30, 50, 70, 20});
  TrpView* b = AddText(page, S("B"), {10, 80, 90, 30}); // same right edge, lower: the grip
  TrpView* c = AddText(page, S("C"), {20, 20, 40, 10});
  TrpDesignerSelection selection;
  selection.SetPage(page);
  for (TrpView* object : {a, b, c})
    selection.SetSelected(object, true);
  ASSERT_TRUE(selection.MultiFrameValid());
  EXPECT_EQ(selection.GripIndex(), 1);
  EXPECT_EQ(selection.MultiLeftTop(), QPoint(10, 20));
  EXPECT_EQ(selection.MultiFrame(), QRect(QPoint(10, 20), QPoint(100, 110)));
  EXPECT_EQ(rpSelectionStatus(selection, TrpDesignerUnits::Pixels, {}).Position, S("10;20"));
  selection.SetSelected(b, false);
  selection.SetSelected(c, false);
  EXPECT_FALSE(selection.MultiFrameValid());
  EXPECT_EQ(selection.GripIndex(), -1);
}

TEST_F(DesignerFixture, StatusTextsOfOneObjectABandAPictureAndNothing) {
  TrpPage* page = report->Pages.GetPage(0);
  TrpView* band = AddBand(page, btMasterData, S("MasterData1"));
  TrpView* text = AddText(page, S("Nazov"), {36, 18, 36, 18}, S("[MASTER.\"PRIEZVISKO\"]"));
  auto* picture = static_cast<TrpPictureView*>(page->Add(std::make_unique<TrpPictureView>()));
  picture->Name = S("Logo");
  picture->SetBounds(0, 0, 100, 30);
  picture->Picture.Image = QImage(50, 60, QImage::Format_RGB32);
  TrpDesignerSelection selection;
  selection.SetPage(page);
  EXPECT_EQ(rpSelectionStatus(selection, TrpDesignerUnits::Pixels, {5, 7}).Position, S("5;7"));
  selection.SelectOnly(text);
  TrpStatusTexts texts = rpSelectionStatus(selection, TrpDesignerUnits::Millimetres, {});
  EXPECT_EQ(texts.Position, S("10,00; 5,00"));
  EXPECT_EQ(texts.Size, S("10,00; 5,00"));
  EXPECT_EQ(texts.ObjectText, S("Nazov: [MASTER.\"PRIEZVISKO\"]"));
  selection.SelectOnly(band);
  EXPECT_EQ(rpSelectionStatus(selection, TrpDesignerUnits::Pixels, {}).ObjectText,
            S("MasterData1: ") + rpGlobals().BandNames.at(btMasterData));
  selection.SelectOnly(picture);
  EXPECT_EQ(rpSelectionStatus(selection, TrpDesignerUnits::Pixels, {}).Scale, S("% 200,50"));
}

} // namespace
#undef S
