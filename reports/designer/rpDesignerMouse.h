#pragma once
#include "reports/designer/rpDesignerUndo.h"
#include <QtCore/QList>
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QString>
#include <functional>

class TrpDesignerSelection;
class TrpReport;
class TrpView;
struct TrpDesignerSettings;

// The workspace's mouse cursor, which also tells the mode.
enum class TrpDesignerCursor { Arrow, Cross, Pencil, SizeNWSE, SizeNESW, SizeVertical, SizeHorizontal, Split };

// A rectangle by its four edges, which may cross while it is dragged.
struct TrpEdges {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsPoint() const { return Left == Right && Top == Bottom; }
  TrpEdges Normalised() const;
  void MoveTo(QPoint leftTop);
  bool operator==(const TrpEdges&) const = default;
};

// What the workspace draws over the objects while the mouse works.
enum class TrpMouseOverlay { None, Ghost, RubberBand, Line, SplitLine };

// The workspace's mouse: the palette's tool, hovering, selecting by click
// and rubber band, moving, resizing by a grip, scaling a multiple selection,
// moving the boundary of two side-by-side objects, inserting objects and
// lines and dropping database fields. It works on the selection's page and
// tells the window what to do through its callbacks; it draws nothing.
class TrpDesignerMouse {
public:
  TrpDesignerMouse(const TrpDesignerSettings& settings, TrpDesignerSelection& selection);

  TrpReport* Report = nullptr;
  bool DialogPage = false;
  int WorkspaceWidth = 0;

  // Records an undo step for the selection (the window also marks the report modified).
  std::function<void(TrpUndoAction action)> RecordUndo;
  // The selection changed: the tool bars follow.
  std::function<void()> SelectionChanged;
  // Objects moved or changed size: redraw and status.
  std::function<void()> ObjectsChanged;
  // A double click; withCtrl tells whether Ctrl was held at its press.
  std::function<void(bool withCtrl)> DoubleClicked;
  // The editor of an object just inserted ("EditAfterInsert").
  std::function<void(TrpView* object)> EditObject;
  // A right click: the context menu at the workspace point.
  std::function<void(QPoint point)> ContextMenu;
  // The band tool's choice of band type, -1 when cancelled.
  std::function<int()> ChooseBandType;
  // The palette follows a tool the mouse chose (back to select after an insertion).
  std::function<void(int tool)> ToolChanged;
  // A subreport inserted: its page was appended.
  std::function<void()> PagesChanged;

  // The palette: any tool but select keeps itself armed after an insertion when Shift is held.
  void SetTool(int tool, bool keepArmed);
  int Tool() const { return tool_; }
  TrpDesignerCursor Cursor() const { return cursor_; }
  bool ButtonDown() const { return buttonDown_; }
  TrpEdges WorkRect() const { return workRect_; }
  TrpMouseOverlay Overlay() const;
  int SplitLineX() const { return split_.LineX; }
  // With "Selection" at 0, a left press on the selection shows the selected
  // objects' outlines until the release, instead of the objects redrawn at
  // every step of a move or resize. Empty otherwise.
  QList<TrpEdges> Outlines() const;
  // Whether the last mouse move may scroll the workspace toward the mouse:
  // hovering, moving and resizing may; rubber bands, lines, splits and scaling do not.
  bool MayAutoScroll() const { return mayAutoScroll_; }

  void Hover(QPoint point);
  void Press(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void Drag(QPoint point, Qt::KeyboardModifiers modifiers);
  void Release(QPoint point);
  void DoubleClick();
  void Leave();
  // Esc: the select tool, the mouse gone, nothing selected.
  void Escape();
  // A database field dragged over the page and dropped: a text "[field]".
  void DragOver(QPoint point);
  TrpView* Drop(const QString& field);

private:
  bool InsertMode() const;
  bool Snapping(Qt::KeyboardModifiers modifiers) const;
  void ComputeMultipleSelection();
  void DeselectAll();
  void HoverGrips(QPoint point);
  void HoverSplit(QPoint point);
  void PressSelect(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool& rubberBandStarted);
  void MoveSelection(QPoint delta, Qt::KeyboardModifiers modifiers);
  void ResizeSingle(QPoint delta);
  void ScaleSelection(QPoint delta);
  void ReleaseLine();
  void ReleaseRubberBand();
  void ReleaseSplit();
  // A dropped field gives the text object its text "[field]".
  TrpView* InsertObject(const QString& droppedField = QString());

  const TrpDesignerSettings& settings_;
  TrpDesignerSelection& selection_;
  int tool_ = -1;
  bool keepInsertTool_ = false;
  TrpDesignerCursor cursor_ = TrpDesignerCursor::Arrow;
  bool buttonDown_ = false;
  bool moved_ = false;
  bool rubberBand_ = false;
  bool selectMode_ = true;
  bool firstMove_ = false;
  bool ctrlAtDown_ = false;
  bool dragOver_ = false;
  bool undoPending_ = false;
  bool resized_ = false;
  bool mayAutoScroll_ = false;
  int resizeMode_ = 0; // 1 top-left, 2 bottom-right, 3 top-right, 4 bottom-left, 5 left, 6 right, 7 top, 8 bottom
  int gripTolerance_ = 2;
  QPoint last_;
  TrpEdges workRect_, workRectAtDown_;
  struct {
    int LineX = 0;
    int Position = 0;
    TrpView* LeftObject = nullptr;
    TrpView* RightObject = nullptr;
  } split_;
};
