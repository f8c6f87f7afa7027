#include "DesignerFixture.h"
#include "reports/designer/rpDesignerArrange.h"
#include "reports/designer/rpDesignerClipboard.h"
#include "reports/designer/rpDesignerGrid.h"
#include "reports/designer/rpDesignerInsert.h"
#include "reports/designer/rpDesignerMouse.h"
#include "reports/designer/rpDesignerSelection.h"
#include "reports/designer/rpDesignerSettings.h"
#include "reports/designer/rpDesignerUndo.h"
#include "reports/designer/rpInsertDefaults.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "tests/support/QStringPrinter.h"

// Outlines print as their edges when a check fails.
void PrintTo(const TrpEdges& edges, std::ostream* os) {
  *os << "(" << edges.Left << "," << edges.Top << " to " << edges.Right << "," << edges.Bottom << ")";
}

namespace {

#define S(text) QStringLiteral(text)

QRect Bounds(const TrpView* o) { return QRect(o->Left, o->Top, o->Width, o->Height); }

QStringList NamesOn(const TrpPage& page) {
  QStringList names;
  for (int i = 0; i < page.Count(); ++i)
    names << page.GetObject(i)->Name;
  return names;
}

// A page with the designer's selection, mouse and undo over it, as the window wires them.
class EditingFixture : public DesignerFixture {
protected:
  EditingFixture() {
    rpRun().CurrentReport = report;
    page = report->Pages.Add();
    selection.SetPage(page);
    settings.GridSize = 8;
    settings.GridAlign = true;
    settings.EditAfterInsert = false;
    mouse.Report = report;
    mouse.WorkspaceWidth = 700;
    mouse.RecordUndo = [this](TrpUndoAction action) {
      undo.Record(action, 0, TrpDesignerUndo::StepObjects(*page, action));
      ++steps;
    };
    rpInsertDefaults() = TrpInsertDefaults{};
  }
  ~EditingFixture() override { rpRun().CurrentReport = nullptr; }

  // A text object with an ID of its own, as the designer's objects have.
  TrpView* Text(const QString& name, QRect bounds, const QString& text = {}) {
    TrpView* object = AddText(page, name, bounds, text);
    object->ObjectId = rpGlobals().NextObjectId++;
    return object;
  }

  // Press, drag through the points and release, with the button held and the modifiers throughout.
  void DragMouse(QPoint from, QList<QPoint> through, Qt::KeyboardModifiers modifiers = {}) {
    mouse.Hover(from);
    mouse.Press(from, Qt::LeftButton, modifiers);
    for (const QPoint& point : through)
      mouse.Drag(point, modifiers);
    mouse.Release(through.isEmpty() ? from : through.last());
  }

  TrpPage* page = nullptr;
  TrpDesignerSettings settings;
  TrpDesignerSelection selection;
  TrpDesignerMouse mouse{settings, selection};
  TrpDesignerUndo undo;
  int steps = 0;
};

TEST(DesignerGrid, DeltasSnapToWholeStepsTowardZero) {
  const struct {
    QPoint delta;
    bool snapping;
    QPoint expected;
  } cases[] = {
      {{5, 0}, true, {0, 0}},    {{13, 0}, true, {8, 0}}, {{5, 0}, false, {5, 0}}, {{13, 0}, false, {13, 0}},
      {{-13, 2}, true, {-8, 0}}, {{7, -7}, true, {0, 0}}, {{8, 3}, true, {8, 0}},  {{20, -17}, true, {16, -16}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(rpGridDelta(c.delta, 8, c.snapping), c.expected) << c.delta.x() << "," << c.delta.y() << c.snapping;
  EXPECT_EQ(rpSnapToGrid(QPoint(13, 7), 8, true), QPoint(8, 0));
  EXPECT_EQ(rpSnapToGrid(QPoint(13, 7), 8, false), QPoint(13, 7));
  EXPECT_EQ(rpRoundToGrid(12, 8), 16); // 1.5 steps round to the even 2
  EXPECT_EQ(rpRoundToGrid(4, 8), 0);   // 0.5 steps round to the even 0
  EXPECT_EQ(rpRoundToGrid(20, 8), 16); // 2.5 steps round to the even 2
}

TEST(DesignerGrid, DefaultInsertionSizes) {
  const struct {
    int grid, font;
    QSize expected;
  } cases[] = {{4, 10, {96, 20}},   {8, 10, {96, 20}}, {18, 10, {108, 18}}, {18, 12, {108, 20}},
               {18, 13, {108, 20}}, {4, 14, {96, 24}}, {4, 16, {96, 24}},   {4, 18, {96, 20}}};
  for (const auto& c : cases)
    EXPECT_EQ(rpDefaultInsertSize(c.grid, c.font), c.expected) << c.grid << " " << c.font;
}

TEST_F(DesignerFixture, AHorizontalLineIsPickedFromThreeAboveToTwoBelow) {
  TrpPage* page = report->Pages.Add();
  TrpView* line = page->Add(rpNewObjectOfType(4, QString()));
  line->SetBounds(100, 100, 200, 0);
  for (int y = 90; y <= 110; ++y)
    EXPECT_EQ(rpObjectAtPoint(*page, QPoint(150, y)) == line, y >= 97 && y <= 102) << y;
}

TEST_F(EditingFixture, MovesFollowTheGridUnlessAltInvertsIt) {
  TrpView* text = Text(S("Text1"), QRect(40, 40, 80, 20));
  const struct {
    int dx;
    Qt::KeyboardModifiers modifiers;
    int expectedLeft;
  } cases[] = {{5, {}, 40}, {13, {}, 48}, {5, Qt::AltModifier, 45}, {13, Qt::AltModifier, 53}};
  for (const auto& c : cases) {
    text->Left = 40;
    selection.Clear();
    DragMouse(QPoint(60, 50), {QPoint(60 + c.dx, 50)}, c.modifiers);
    EXPECT_EQ(text->Left, c.expectedLeft) << c.dx << " alt " << bool(c.modifiers);
  }
}

TEST_F(EditingFixture, AGripDraggedPastTheOppositeEdgeFlipsTheObject) {
  settings.GridAlign = false;
  TrpView* text = Text(S("Text1"), QRect(100, 100, 80, 40));
  selection.SelectOnly(text);
  // The right-middle grip, dragged 130 to the left: 50 beyond the left edge.
  mouse.Hover(QPoint(180, 120));
  ASSERT_EQ(mouse.Cursor(), TrpDesignerCursor::SizeHorizontal);
  mouse.Press(QPoint(180, 120), Qt::LeftButton, {});
  mouse.Drag(QPoint(120, 120), {});
  EXPECT_EQ(Bounds(text), QRect(100, 100, 20, 40));
  mouse.Drag(QPoint(50, 120), {});
  EXPECT_EQ(Bounds(text), QRect(50, 100, 50, 40));
  mouse.Drag(QPoint(40, 120), {}); // now the left edge follows the mouse
  mouse.Release(QPoint(40, 120));
  EXPECT_EQ(Bounds(text), QRect(40, 100, 60, 40));
  // The bottom-right corner dragged above and left of the top-left one.
  mouse.Hover(QPoint(100, 140));
  ASSERT_EQ(mouse.Cursor(), TrpDesignerCursor::SizeNWSE);
  mouse.Press(QPoint(100, 140), Qt::LeftButton, {});
  mouse.Drag(QPoint(10, 60), {});
  mouse.Release(QPoint(10, 60));
  EXPECT_GE(text->Width, 0);
  EXPECT_GE(text->Height, 0);
  EXPECT_EQ(Bounds(text), QRect(10, 60, 30, 40));
}

TEST_F(EditingFixture, ABandDragsItsContentsUnlessAltIsHeld) {
  TrpView* band = AddBand(page, 5, S("MasterData1"), 80, 40);
  TrpView* inside = Text(S("Inside"), QRect(16, 88, 80, 20));
  TrpView* across = Text(S("Across"), QRect(200, 100, 80, 40)); // reaches below the band
  DragMouse(QPoint(400, 82), {QPoint(400, 98)});
  EXPECT_EQ(band->Top, 96);
  EXPECT_EQ(inside->Top, 104);
  EXPECT_EQ(across->Top, 100);
  selection.Clear();
  DragMouse(QPoint(400, 98), {QPoint(400, 114)}, Qt::AltModifier);
  EXPECT_EQ(band->Top, 112);
  EXPECT_EQ(inside->Top, 104);
}

TEST_F(EditingFixture, ScalingTwoTouchingObjectsKeepsThemTouching) {
  settings.GridAlign = false;
  TrpView* left = Text(S("Left"), QRect(10, 10, 33, 20));
  TrpView* right = Text(S("Right"), QRect(43, 10, 37, 20));
  left->IsSelected = right->IsSelected = 1;
  selection.ComputeMultipleSelection();
  mouse.Hover(QPoint(80, 30));
  ASSERT_EQ(mouse.Cursor(), TrpDesignerCursor::SizeNWSE);
  mouse.Press(QPoint(80, 30), Qt::LeftButton, {});
  mouse.Drag(QPoint(107, 37), {});
  mouse.Release(QPoint(107, 37));
  EXPECT_EQ(left->Left + left->Width, right->Left);
  EXPECT_EQ(left->Left, 10);
  EXPECT_EQ(right->Left + right->Width, 107);
  EXPECT_EQ(left->Top + left->Height, 37);
}

TEST_F(EditingFixture, ASplitMovesTheSharedEdgeAndKeepsOnePixel) {
  settings.GridAlign = false;
  TrpView* left = Text(S("Left"), QRect(10, 10, 40, 20));
  TrpView* right = Text(S("Right"), QRect(50, 10, 30, 20));
  left->IsSelected = right->IsSelected = 1;
  selection.ComputeMultipleSelection();
  mouse.Hover(QPoint(50, 20));
  ASSERT_EQ(mouse.Cursor(), TrpDesignerCursor::Split);
  mouse.Press(QPoint(50, 20), Qt::LeftButton, {});
  mouse.Drag(QPoint(60, 20), {});
  mouse.Release(QPoint(60, 20));
  EXPECT_EQ(Bounds(left), QRect(10, 10, 50, 20));
  EXPECT_EQ(Bounds(right), QRect(60, 10, 20, 20));
  // Past the right object's right edge: nothing changes.
  mouse.Hover(QPoint(60, 20));
  ASSERT_EQ(mouse.Cursor(), TrpDesignerCursor::Split);
  mouse.Press(QPoint(60, 20), Qt::LeftButton, {});
  mouse.Drag(QPoint(80, 20), {});
  mouse.Release(QPoint(80, 20));
  EXPECT_EQ(Bounds(left), QRect(10, 10, 50, 20));
  EXPECT_EQ(Bounds(right), QRect(60, 10, 20, 20));
  mouse.Hover(QPoint(60, 20));
  mouse.Press(QPoint(60, 20), Qt::LeftButton, {});
  mouse.Drag(QPoint(79, 20), {});
  mouse.Release(QPoint(79, 20));
  EXPECT_EQ(right->Width, 1);
}

TEST_F(EditingFixture, OutlinesShowWhileTheSelectionIsMovedOrResizedWithOutlineModeOn) {
  constexpr int kSelect = TrpDesignerTool::Select;
  const TrpEdges a{40, 40, 120, 60}, b{200, 40, 280, 60};
  const struct {
    const char* what;
    int selectionSetting, tool, preselected; // preselected: none, the first object or both
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    QPoint from, to;
    QList<TrpEdges> expected; // after the drag
    bool scrolls;             // whether that drag (for the right button the hover) may scroll
  } cases[] = {
      {"move", 0, kSelect, 0, Qt::LeftButton, {}, {60, 50}, {76, 50}, {{56, 40, 136, 60}}, true},
      {"move, objects redrawn", 1, kSelect, 0, Qt::LeftButton, {}, {60, 50}, {76, 50}, {}, true},
      {"move two",
       0,
       kSelect,
       2,
       Qt::LeftButton,
       {},
       {210, 50},
       {210, 66},
       {{40, 56, 120, 76}, {200, 56, 280, 76}},
       true},
      {"resize", 0, kSelect, 1, Qt::LeftButton, {}, {120, 50}, {136, 50}, {{40, 40, 136, 60}}, true},
      {"scale two",
       0,
       kSelect,
       2,
       Qt::LeftButton,
       {},
       {280, 60},
       {296, 60},
       {{40, 40, 125, 60}, {211, 40, 296, 60}},
       false},
      {"rubber band", 0, kSelect, 0, Qt::LeftButton, {}, {150, 150}, {300, 300}, {}, false},
      {"Ctrl rubber band", 0, kSelect, 1, Qt::LeftButton, Qt::ControlModifier, {60, 50}, {76, 50}, {}, false},
      {"line", 0, TrpDesignerTool::Line, 0, Qt::LeftButton, {}, {60, 50}, {76, 50}, {}, false},
      {"insert", 0, TrpDesignerTool::Text, 0, Qt::LeftButton, {}, {60, 50}, {76, 50}, {}, false},
      {"right button", 0, kSelect, 1, Qt::RightButton, {}, {60, 50}, {76, 50}, {}, true},
  };
  for (const auto& c : cases) {
    page = report->Pages.Add();
    selection.SetPage(page);
    TrpView* first = Text(S("First"), QRect(40, 40, 80, 20));
    TrpView* second = Text(S("Second"), QRect(200, 40, 80, 20));
    first->IsSelected = c.preselected >= 1;
    second->IsSelected = c.preselected == 2;
    selection.ComputeMultipleSelection();
    settings.Selection = c.selectionSetting;
    mouse.SetTool(c.tool, false);
    mouse.Hover(c.from);
    mouse.Press(c.from, c.button, c.modifiers);
    // At the press the outlines lie on the objects still in place (the first, or both).
    EXPECT_EQ(mouse.Outlines(), QList<TrpEdges>({a, b}).first(c.expected.size())) << c.what;
    if (c.button == Qt::LeftButton) mouse.Drag(c.to, c.modifiers);
    EXPECT_EQ(mouse.Outlines(), c.expected) << c.what;
    EXPECT_EQ(mouse.MayAutoScroll(), c.scrolls) << c.what;
    mouse.Release(c.to);
    EXPECT_TRUE(mouse.Outlines().isEmpty()) << c.what;
  }
}

TEST(DesignerGrid, AutoScrollGoesAsFarAsThePointLiesBeyondTheVisiblePart) {
  const QRect visible(100, 200, 400, 300); // x 100 to 500, y 200 to 500
  const struct {
    QPoint point, expected;
  } cases[] = {
      {{300, 300}, {0, 0}},  {{100, 200}, {0, 0}},  {{500, 500}, {0, 0}},   {{530, 300}, {30, 0}},
      {{60, 300}, {-40, 0}}, {{300, 520}, {0, 20}}, {{300, 150}, {0, -50}}, {{40, 560}, {-60, 60}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(rpAutoScrollDistance(c.point, visible), c.expected) << c.point.x() << "," << c.point.y();
}

TEST_F(EditingFixture, AClickInsertsTheDefaultSizeAtTheSnappedPoint) {
  rpInsertDefaults().FontSize = 14;
  rpInsertDefaults().FrameWidth = 2.0f;
  mouse.SetTool(TrpDesignerTool::Text, false);
  mouse.Hover(QPoint(45, 61));
  mouse.Press(QPoint(45, 61), Qt::LeftButton, {});
  mouse.Release(QPoint(45, 61));
  ASSERT_EQ(page->Count(), 1);
  const auto* text = dynamic_cast<const TrpMemoView*>(page->GetObject(0));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Bounds(text), QRect(40, 56, 96, 24));
  EXPECT_EQ(text->Font.Size, 14);
  EXPECT_EQ(text->FrameWidth, 2.0f);
  EXPECT_EQ(text->Name, S("Memo1"));
  EXPECT_TRUE(text->IsSelected);
  EXPECT_EQ(mouse.Tool(), TrpDesignerTool::Select);
  EXPECT_EQ(undo.UndoCount(), 1);

  mouse.SetTool(TrpDesignerTool::Picture, true);
  DragMouse(QPoint(200, 200), {});
  ASSERT_EQ(page->Count(), 2);
  EXPECT_EQ(Bounds(page->GetObject(1)), QRect(200, 200, 36, 36));
  EXPECT_EQ(mouse.Tool(), TrpDesignerTool::Picture); // Shift at the palette keeps it armed
}

TEST_F(EditingFixture, ADroppedFieldBecomesATextAtTheGhostWithoutItsEditor) {
  settings.EditAfterInsert = true;
  int edits = 0;
  mouse.EditObject = [&edits](TrpView*) { ++edits; };
  mouse.DragOver(QPoint(103, 61));
  mouse.DragOver(QPoint(110, 70));
  EXPECT_EQ(mouse.Overlay(), TrpMouseOverlay::Ghost);
  const TrpView* text = mouse.Drop(S("MASTER.\"TELEFON\""));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Bounds(text), QRect(100, 60, 96, 20)); // the snapped point less 4
  EXPECT_EQ(text->Memo, QStringList{S("[MASTER.\"TELEFON\"]")});
  EXPECT_EQ(edits, 0);
  EXPECT_EQ(mouse.Tool(), TrpDesignerTool::Select);
  EXPECT_EQ(undo.UndoCount(), 1);
}

class OnlyOnePerPage : public TrpView {
public:
  OnlyOnePerPage() {
    SetKind(10, S("Once"), S("TOnlyOnePerPage"));
    Flags |= 8192;
  }
};

TEST_F(EditingFixture, ASecondOnePerPageObjectIsRefused) {
  ASSERT_TRUE(rpAddObjectClass(
      S("TOnlyOnePerPage"), [] { return new OnlyOnePerPage; }, QImage(), S("0")));
  const int tool = TrpDesignerTool::FirstAddIn + int(rpAddInObjects().size()) - 1;
  for (int i = 0; i < 2; ++i) {
    mouse.SetTool(tool, false);
    DragMouse(QPoint(16, 16 + 50 * i), {QPoint(80, 40 + 50 * i)});
  }
  rpRemoveObjectClass(S("TOnlyOnePerPage"));
  EXPECT_EQ(page->Count(), 1);
  EXPECT_EQ(errors, QStringList{S("Chyba: You can't place two or more TOnlyOnePerPage objects on one page.")});
}

TEST_F(EditingFixture, ARubberBandSelectsObjectsBeforeBands) {
  AddBand(page, 5, S("MasterData1"), 0, 200);
  TrpView* a = Text(S("A"), QRect(10, 10, 20, 20));
  TrpView* b = Text(S("B"), QRect(100, 100, 20, 20));
  Text(S("C"), QRect(300, 100, 20, 20));
  DragMouse(QPoint(30, 5), {QPoint(100, 150)}, Qt::ControlModifier);
  EXPECT_EQ(selection.Count(), 2);
  EXPECT_TRUE(a->IsSelected && b->IsSelected);
}

TEST_F(EditingFixture, LinesRunFromThePressToTheRelease) {
  settings.GridAlign = false;
  mouse.SetTool(TrpDesignerTool::Line, false);
  DragMouse(QPoint(200, 50), {QPoint(100, 53)});
  ASSERT_EQ(page->Count(), 1);
  EXPECT_EQ(Bounds(page->GetObject(0)), QRect(100, 50, 100, 3));
  EXPECT_EQ(page->GetObject(0)->FrameWidth, 2.0f);
  EXPECT_EQ(mouse.Tool(), TrpDesignerTool::Line);
}

// --- undo

TEST_F(EditingFixture, TheUndoBufferKeepsTheLastHundredSteps) {
  TrpView* text = Text(S("Text1"), QRect(0, 0, 10, 10));
  text->IsSelected = 1;
  for (int i = 0; i < 101; ++i) {
    undo.Record(TrpUndoAction::Modify, 0, TrpDesignerUndo::StepObjects(*page, TrpUndoAction::Modify));
    text->Left = i + 1;
  }
  int undone = 0;
  while (undo.Undo(*page, 0))
    ++undone;
  EXPECT_EQ(undone, 100);
  EXPECT_EQ(text->Left, 1); // the first step was dropped
  EXPECT_EQ(undo.RedoCount(), 100);
}

TEST_F(EditingFixture, UndoOfADeleteRestoresIndexesAndIdsAndRedoDeletesByThem) {
  Text(S("A"), QRect(0, 0, 10, 10));
  TrpView* b = Text(S("B"), QRect(0, 20, 10, 10));
  Text(S("C"), QRect(0, 40, 10, 10));
  TrpView* d = Text(S("D"), QRect(0, 60, 10, 10));
  const qint32 bId = b->ObjectId, dId = d->ObjectId;
  b->IsSelected = d->IsSelected = 1;
  undo.Record(TrpUndoAction::Delete, 0, rpDeletableSelection(*page));
  rpDeleteSelection(*page);
  ASSERT_EQ(NamesOn(*page), (QStringList{S("A"), S("C")}));
  ASSERT_TRUE(undo.Undo(*page, 0));
  EXPECT_EQ(NamesOn(*page), (QStringList{S("A"), S("B"), S("C"), S("D")}));
  EXPECT_EQ(page->GetObject(1)->ObjectId, bId);
  EXPECT_EQ(page->GetObject(3)->ObjectId, dId);
  EXPECT_EQ(Bounds(page->GetObject(3)), QRect(0, 60, 10, 10));
  page->MoveObject(3, 0); // redo finds them by ID wherever they are
  ASSERT_TRUE(undo.Redo(*page, 0));
  EXPECT_EQ(NamesOn(*page), (QStringList{S("A"), S("C")}));
}

TEST_F(EditingFixture, UndoWaitsForThePageOfItsStep) {
  TrpView* text = Text(S("Text1"), QRect(0, 0, 10, 10));
  text->IsSelected = 1;
  undo.Record(TrpUndoAction::Modify, 0, TrpDesignerUndo::StepObjects(*page, TrpUndoAction::Modify));
  text->Left = 50;
  TrpPage* other = report->Pages.Add();
  EXPECT_FALSE(undo.Undo(*other, 1));
  EXPECT_EQ(undo.UndoCount(), 1);
  EXPECT_TRUE(undo.Undo(*page, 0));
  EXPECT_EQ(text->Left, 0);
}

TEST_F(EditingFixture, OnlyDeletedObjectsComeBackAndNoCopies) {
  TrpView* kept = Text(S("Kept"), QRect(0, 0, 10, 10));
  kept->Restrictions = 64;
  Text(S("Gone"), QRect(0, 20, 10, 10));
  for (int i = 0; i < page->Count(); ++i)
    page->GetObject(i)->IsSelected = 1;
  // A cut: one step, the copy, then the delete.
  undo.Record(TrpUndoAction::Delete, 0, rpDeletableSelection(*page));
  rpObjectClipboard().Copy(*page);
  rpDeleteSelection(*page);
  ASSERT_EQ(NamesOn(*page), QStringList{S("Kept")});
  ASSERT_TRUE(undo.Undo(*page, 0));
  EXPECT_EQ(NamesOn(*page), (QStringList{S("Kept"), S("Gone")}));
  EXPECT_FALSE(undo.Undo(*page, 0));
  EXPECT_EQ(rpObjectClipboard().Count(), 2);
}

TEST_F(EditingFixture, ObjectsFlaggedOutOfUndoAreNotRecorded) {
  TrpView* text = Text(S("Text1"), QRect(0, 0, 10, 10));
  text->IsSelected = 1;
  text->Flags |= 16384;
  EXPECT_TRUE(TrpDesignerUndo::StepObjects(*page, TrpUndoAction::Modify).isEmpty());
  EXPECT_FALSE(undo.Record(TrpUndoAction::Modify, 0, {}));
  EXPECT_FALSE(undo.CanUndo());
}

TEST_F(EditingFixture, ReorderUndoPutsEveryObjectBack) {
  Text(S("A"), QRect(0, 0, 10, 10));
  TrpView* b = Text(S("B"), QRect(0, 0, 10, 10));
  Text(S("C"), QRect(0, 0, 10, 10));
  b->IsSelected = 1;
  undo.Record(TrpUndoAction::Reorder, 0, TrpDesignerUndo::StepObjects(*page, TrpUndoAction::Reorder));
  rpBringToFront(*page);
  EXPECT_EQ(NamesOn(*page), (QStringList{S("A"), S("C"), S("B")}));
  ASSERT_TRUE(undo.Undo(*page, 0));
  EXPECT_EQ(NamesOn(*page), (QStringList{S("A"), S("B"), S("C")}));
  ASSERT_TRUE(undo.Redo(*page, 0));
  EXPECT_EQ(NamesOn(*page), (QStringList{S("A"), S("C"), S("B")}));
  rpSendToBack(*page);
  EXPECT_EQ(NamesOn(*page), (QStringList{S("B"), S("A"), S("C")}));
}

// --- clipboard

TEST_F(EditingFixture, PasteOntoASelectedBandLandsAtItsTopAndDropsASecondPageHeader) {
  AddBand(page, 2, S("PageHeader1"), 0, 30);
  TrpView* band = AddBand(page, 5, S("MasterData1"), 100, 40);
  Text(S("Title"), QRect(40, 10, 80, 20))->IsSelected = 1;
  Text(S("Phone"), QRect(200, 16, 60, 20))->IsSelected = 1;
  page->GetObject(0)->IsSelected = 1;
  rpObjectClipboard().Copy(*page);
  ASSERT_EQ(rpObjectClipboard().Count(), 3);
  selection.Clear();
  band->IsSelected = 1;
  const QList<TrpView*> pasted = rpObjectClipboard().Paste(*report, *page, QPoint(0, 0), 8);
  ASSERT_EQ(pasted.size(), 2);
  EXPECT_EQ(Bounds(pasted.at(0)), QRect(40, 100, 80, 20));
  EXPECT_EQ(Bounds(pasted.at(1)), QRect(200, 100, 60, 20));
  EXPECT_EQ(pasted.at(0)->Name, S("Memo1"));
  EXPECT_EQ(pasted.at(1)->Name, S("Memo2"));
  EXPECT_FALSE(band->IsSelected);
  EXPECT_EQ(page->Count(), 6);
}

TEST_F(EditingFixture, ACopyPastesIntoAnotherReportLater) {
  Text(S("Phone"), QRect(20, 24, 60, 20), S("[Master.\"TELEFON\"]"))->IsSelected = 1;
  rpObjectClipboard().Copy(*page);
  TrpReport later(&owner);
  TrpPage* laterPage = later.Pages.Add();
  rpRun().CurrentReport = &later;
  const QList<TrpView*> pasted = rpObjectClipboard().Paste(later, *laterPage, QPoint(37, 45), 8);
  rpRun().CurrentReport = report;
  ASSERT_EQ(pasted.size(), 1);
  EXPECT_EQ(pasted.at(0)->Name, S("Phone"));
  EXPECT_EQ(pasted.at(0)->Memo, QStringList{S("[Master.\"TELEFON\"]")});
  EXPECT_EQ(Bounds(pasted.at(0)), QRect(32, 40, 60, 20));
}

// --- alignment, grid and keys

TEST_F(EditingFixture, AlignmentFormulas) {
  // A is the object selected alone, so it is the base.
  const struct {
    int button;
    QList<int> expected; // left or top of A, B and C after it
    bool vertical;
  } cases[] = {
      {1, {10, 10, 10}, false}, {2, {10, 5, 0}, false},   {3, {85, 155, 175}, false}, {4, {10, 55, 100}, false},
      {5, {10, 0, -10}, false}, {6, {10, 10, 10}, true},  {7, {10, 5, -5}, true},     {8, {70, 100, 70}, true},
      {9, {10, 40, 25}, true},  {10, {10, 0, -20}, true},
  };
  for (const auto& c : cases) {
    page->Clear();
    TrpView* a = Text(S("A"), QRect(10, 10, 20, 20));
    TrpView* b = Text(S("B"), QRect(80, 40, 30, 30));
    TrpView* third = Text(S("C"), QRect(100, 10, 40, 50));
    a->IsSelected = b->IsSelected = third->IsSelected = 1;
    selection.SetPage(page);
    selection.SetSingleSelected(a);
    ASSERT_TRUE(rpAlignmentApplies(selection, c.button)) << c.button;
    rpAlignSelection(*page, selection, c.button, QSize(300, 200));
    QList<int> got;
    for (const TrpView* o : {a, b, third})
      got << (c.vertical ? o->Top : o->Left);
    EXPECT_EQ(got, c.expected) << "Align" << c.button;
  }
}

TEST_F(EditingFixture, StackingInABandRunsFromThePrintableMargin) {
  TrpView* band = AddBand(page, 5, S("MasterData1"), 100, 40);
  TrpView* second = Text(S("Second"), QRect(300, 110, 50, 20));
  TrpView* first = Text(S("First"), QRect(120, 104, 40, 20));
  TrpView* fixed = Text(S("Fixed"), QRect(200, 108, 30, 20));
  fixed->Restrictions = 32;
  band->Left = 0;
  band->IsSelected = 1;
  selection.SetPage(page);
  rpAlignSelection(*page, selection, 1, QSize(700, 1000));
  const int left = page->PrintableLeft();
  EXPECT_EQ(first->Left, left);
  EXPECT_EQ(fixed->Left, 200);
  EXPECT_EQ(second->Left, left + 40 + 30);
  EXPECT_EQ(second->Top, 100);
  rpAlignSelection(*page, selection, 5, QSize(700, 1000));
  // Now ordered First, Second, Fixed: from the right Fixed keeps its place but takes its width.
  EXPECT_EQ(second->Left + second->Width, page->PrintableRight() - 30);
  EXPECT_EQ(first->Left, page->PrintableRight() - 30 - 50 - 40);
}

TEST_F(EditingFixture, FitToGridRoundsAndKeepsSomeSize) {
  TrpView* text = Text(S("A"), QRect(13, 4, 3, 21));
  text->IsSelected = 1;
  rpFitToGrid(*page, 8);
  EXPECT_EQ(Bounds(text), QRect(16, 0, 8, 24));
}

TEST_F(EditingFixture, ArrowKeysFindTheNeighbourInTheirDirection) {
  TrpView* from = Text(S("From"), QRect(100, 100, 40, 20));
  TrpView* right = Text(S("Right"), QRect(200, 105, 40, 20));
  TrpView* farRight = Text(S("FarRight"), QRect(160, 300, 40, 20));
  TrpView* below = Text(S("Below"), QRect(90, 160, 40, 20));
  TrpView* above = Text(S("Above"), QRect(300, 20, 40, 20));
  AddBand(page, 5, S("MasterData1"), 0, 400);
  from->IsSelected = 1;
  EXPECT_EQ(rpArrowNeighbour(*page, *from, 1, 0), right);
  EXPECT_EQ(rpArrowNeighbour(*page, *from, 0, 1), below);
  EXPECT_EQ(rpArrowNeighbour(*page, *from, 0, -1), above);
  EXPECT_EQ(rpArrowNeighbour(*page, *from, -1, 0), below); // its right edge lies left of From's
  EXPECT_EQ(rpArrowNeighbour(*page, *farRight, 0, 1), nullptr);
  right->IsSelected = 1; // selected objects are no neighbours
  EXPECT_EQ(rpArrowNeighbour(*page, *from, 1, 0), farRight);
  rpPlaceAgainst(*from, *farRight, 1, 0);
  EXPECT_EQ(from->Left, 120);
  rpPlaceAgainst(*from, *below, 0, 1);
  EXPECT_EQ(from->Top, 140);
  rpPlaceAgainst(*from, *below, 1, 0); // Below does not lie to the right: nothing moves
  EXPECT_EQ(from->Left, 120);
}

TEST_F(EditingFixture, ShiftArrowMovesAnObjectThatMayNotBeResized) {
  TrpView* fixedSize = Text(S("A"), QRect(10, 10, 20, 20));
  fixedSize->Restrictions = 16;
  TrpView* free = Text(S("B"), QRect(50, 10, 20, 20));
  fixedSize->IsSelected = free->IsSelected = 1;
  rpNudgeSelection(*page, 1, 0, true);
  EXPECT_EQ(Bounds(fixedSize), QRect(11, 10, 20, 20));
  EXPECT_EQ(Bounds(free), QRect(50, 10, 21, 20));
  rpNudgeSelection(*page, 0, -1, false);
  EXPECT_EQ(fixedSize->Top, 9);
}

TEST_F(DesignerFixture, BandNamesLoseTheirFirstBlank) {
  QStringList& names = rpGlobals().BandNames;
  const QStringList kept = names;
  names = QStringList{S("Master data"), S("Page footer one")};
  EXPECT_EQ(rpBandNamePrefix(0), S("MasterData"));
  EXPECT_EQ(rpBandNamePrefix(1), S("PageFooter one"));
  names = kept;
}

} // namespace
