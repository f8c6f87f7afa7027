#pragma once
#include "reports/engine/ui/rpSpeedButton.h"
#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

class TrpDragBox;
class TrpFloatWindow;
class TrpToolBar;

// The edge a dock lies along; tool bars in top and bottom docks are
// horizontal, in left and right docks vertical.
enum class TrpDockAlign { Top, Bottom, Left, Right, None };
enum class TrpOrientation { toAny, toVertOnly, toHorzOnly };
// How a control sits on a tool bar: along its leading edge, or pushed to the far end.
enum class TrpControlAlign { None, Left, Top, Right, Bottom };

// The engine's registry root of window and tool-bar places.
QString& rpRegistryRoot();

// A strip along an edge of a window that holds tool bars in rows of RowSize
// pixels; it is as deep as its rows (1 pixel when empty).
class TrpDock : public QWidget {
  Q_OBJECT
public:
  explicit TrpDock(TrpDockAlign align, QWidget* parent = nullptr);

  TrpDockAlign Align() const { return align_; }
  bool IsHorizontal() const {
    return align_ == TrpDockAlign::Top || align_ == TrpDockAlign::Bottom || align_ == TrpDockAlign::None;
  }
  // Depth across the edge (height of a top or bottom dock, width of a side dock) and length along it.
  int Depth() const { return IsHorizontal() ? height() : width(); }
  int Length() const { return IsHorizontal() ? width() : height(); }
  // Sets the depth; a bottom or right dock keeps its outer edge in place.
  void SetDepth(int depth);
  // Removes rows without tool bars and fits the depth to the rows and tool bars left.
  void AdjustBounds();
  QList<TrpToolBar*> ToolBars() const;

  int RowSize = 26;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  TrpDockAlign align_;
};

// A movable strip of buttons: dragged by its grip within its dock, into
// another dock or out into a floating window, which can be dragged back onto a dock.
class TrpToolBar : public QWidget {
  Q_OBJECT
public:
  explicit TrpToolBar(QWidget* parent = nullptr);
  ~TrpToolBar() override;

  bool CanFloat = true;
  TrpOrientation Orientation = TrpOrientation::toAny;

  TrpDock* Dock() const { return qobject_cast<TrpDock*>(parentWidget()); }
  bool IsFloating() const { return floatWindow_ != nullptr; }
  TrpFloatWindow* GetFloatWindow() const { return floatWindow_; }
  // Horizontal in a top or bottom dock and when floating.
  bool IsHorizontal() const;
  bool IsVisible() const;
  void SetIsVisible(bool visible);
  TrpDragBox* DragBox() const { return dragBox_; }
  // The controls on the bar (its drag box not counted), in their order.
  QList<QWidget*> Controls() const;
  // Adds a control at the end of the bar, aligned to its leading edge.
  void AddControl(QWidget* control);

  // Docks as a new last row (column) of the dock.
  void AddToDock(TrpDock* dock);
  void MoveToDock(TrpDock* dock, int x, int y);
  // Floats at (x, y) in screen coordinates (or moves the floating window there).
  void MakeFloat(int x, int y);
  // Moves within the dock, around the other bars of its rows; a position more
  // than 20 pixels before the dock's start tears the bar off (when it may
  // float). False when the bar could not move.
  bool MoveTo(int x, int y);
  // Docks into the owner's dock under the point (owner coordinates) and keeps
  // dragging there; false when no dock that suits the bar lies there.
  bool DockAt(QWidget* owner, const QPoint& point);
  // Lays the controls along the bar's axis for its place (a new orientation turns them).
  void RearrangeControls();
  // Re-arranges, then makes the bar as long as its visible controls + 4.
  void AdjustBounds();

  // The drag steps; the grip passes its events here in the bar's coordinates.
  void DragMouseDown(const QPoint& globalPos);
  void DragMouseMove(const QPoint& globalPos);
  void DragMouseUp();
  bool Dragging() const { return dragging_; }

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  friend class TrpFloatWindow;
  void PlaceDragBox();
  TrpDragBox* dragBox_;
  QPointer<TrpFloatWindow> floatWindow_;
  QPoint lastCursor_, cursor_;
  bool dragging_ = false;
  bool destroying_ = false;
};

// The grip at a tool bar's leading edge: 11 pixels deep, two raised bars.
class TrpDragBox : public QWidget {
  Q_OBJECT
public:
  explicit TrpDragBox(TrpToolBar* bar);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  TrpToolBar* bar_;
};

// The dotted frame that follows a dragged floating window: four nested dotted
// rectangles on a frameless, click-through window of their own.
class TrpDragFrame : public QWidget {
  Q_OBJECT
public:
  TrpDragFrame();
  void MoveFrame(const QRect& rect);

protected:
  void paintEvent(QPaintEvent* event) override;
};

// The frameless tool window of a floating tool bar, above its owner form; its
// own caption strip starts the drag.
class TrpFloatWindow : public QWidget {
  Q_OBJECT
public:
  TrpFloatWindow(TrpToolBar* bar, QWidget* owner);
  ~TrpFloatWindow() override;

  static constexpr int kCaptionHeight = 14;
  TrpToolBar* Bar() const { return bar_; }
  QWidget* Owner() const { return owner_; }
  bool Dragging() const { return dragging_; }
  // Fits the window around the bar.
  void FitToBar();
  // The drag steps of the caption strip (screen coordinates).
  void BeginDrag(const QPoint& globalPos);
  void DragTo(const QPoint& globalPos);
  void EndDrag();
  // The frame's rectangle while dragging.
  QRect DragRect() const { return dragRect_; }

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  QPointer<TrpToolBar> bar_; // the owner may delete the bar first
  QPointer<QWidget> owner_;
  TrpDragFrame frame_;
  QRect dragRect_;
  QPoint grabOffset_;
  bool dragging_ = false;
};

// A gap between groups of buttons, an etched line across its middle.
class TrpTBSeparator : public QWidget {
  Q_OBJECT
public:
  explicit TrpTBSeparator(QWidget* parent = nullptr);
  bool DrawBevel = true;

protected:
  void paintEvent(QPaintEvent* event) override;
};

// A panel on a tool bar that hosts other controls.
class TrpTBPanel : public QWidget {
  Q_OBJECT
public:
  explicit TrpTBPanel(QWidget* parent = nullptr);
};

// A flat speed button of a tool bar.
class TrpTBButton : public TrpSpeedButton {
  Q_OBJECT
public:
  explicit TrpTBButton(QWidget* parent = nullptr);
};

// Places of tool bars ("ToolBar\" + name) and windows ("Form\" + class name)
// below rpRegistryRoot.
void rpSaveToolbarPosition(TrpToolBar* bar);
// Values below the current user's registry kept as texts, as an INI-like
// access writes them; a missing or unreadable value gives the fallback.
QString rpRegistryReadText(const QString& key, const QString& name, const QString& fallback);
int rpRegistryReadInt(const QString& key, const QString& name, int fallback);
bool rpRegistryReadBool(const QString& key, const QString& name, bool fallback);
void rpRegistryWriteText(const QString& key, const QString& name, const QString& text);
void rpRegistryWriteInt(const QString& key, const QString& name, int value);
void rpRegistryWriteBool(const QString& key, const QString& name, bool value);
void rpRestoreToolbarPosition(TrpToolBar* bar);
void rpSaveFormPosition(QWidget* form);
void rpRestoreFormPosition(QWidget* form);
