#pragma once
#include <QtCore/QPoint>
#include <QtGui/QPixmap>
#include <QtGui/QRegion>
#include <QtWidgets/QWidget>
#include <functional>

class TrpDesignerForm;
class TrpDesignerMouse;
struct TrpEdges;
class TrpPage;
class TrpView;
class TrpDesignerSelection;
struct TrpDesignerSettings;

// The workspace: the designer's current page at its printed size, its
// objects in their order, the grid, margins and columns and the marks of
// the selected objects. Objects draw themselves in design mode.
class TrpDesignerPage : public QWidget {
  Q_OBJECT
public:
  TrpDesignerPage(const TrpDesignerSettings& settings, TrpDesignerSelection& selection, QWidget* parent);

  void SetPage(TrpPage* page) { page_ = page; }
  // Nothing is drawn while a report loads or previews.
  bool DrawingDisabled = false;
  // Draws the objects with an index not above `upTo` inside `clip`, then
  // the background, margins, columns and marks the clip holds; while the
  // mouse shows outlines, the page as it was at the press with the outlines.
  void Draw(QPainter& canvas, int upTo, const QRegion& clip);

  // The mouse's editing; the workspace hands it every mouse event and draws what it shows.
  void SetMouse(TrpDesignerMouse* mouse) { mouse_ = mouse; }
  // Told of the mouse position; hovering, moving or resizing with the left button alone asks to scroll toward it.
  std::function<void(QPoint point)> OnMouseMoved;
  std::function<void(QPoint point)> OnAutoScroll;
  // A database field dropped from the window of fields: whether the source is that window's list.
  std::function<bool(QObject* source)> AcceptsFieldDrag;
  std::function<void(QPoint point)> OnFieldDropped;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  void FillBackground(QPainter& canvas, const QRegion& region) const;
  void DrawMarginsAndColumns(QPainter& canvas) const;
  void DrawSelectionMarks(QPainter& canvas) const;
  void DrawObjectMarkers(QPainter& canvas, const TrpView& object) const;
  void DrawMouseOverlay(QPainter& canvas) const;
  void DrawPageContent(QPainter& canvas, int upTo, const QRegion& clip);
  void DrawOutlines(QPainter& canvas, const QList<TrpEdges>& outlines) const;
  QPixmap PageAtPress();
  void FollowMouseCursor();

  const TrpDesignerSettings& settings_;
  TrpDesignerSelection& selection_;
  TrpPage* page_ = nullptr;
  TrpDesignerMouse* mouse_ = nullptr;
  // The page as it was when the outlines appeared: shown under them, so the
  // objects are not redrawn while they move.
  QPixmap pageAtPress_;
};
