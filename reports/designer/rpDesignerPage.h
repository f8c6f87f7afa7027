#pragma once
#include <QtCore/QPoint>
#include <QtGui/QRegion>
#include <QtWidgets/QWidget>
#include <functional>

class TrpDesignerForm;
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
  // the background, margins, columns and marks the clip holds.
  void Draw(QPainter& canvas, int upTo, const QRegion& clip);
  // The topmost object whose rectangle holds the point; null when none.
  class TrpView* ObjectAt(QPoint point) const;

  // Told of every click on an object (or on nothing) and of the mouse position.
  std::function<void(TrpView* object, bool extend)> OnObjectClicked;
  std::function<void(QPoint point)> OnMouseMoved;
  std::function<void(TrpView* object, QPoint globalPos)> OnContextMenu;
  // A double click; withCtrl tells whether Ctrl was held at its mouse-down.
  std::function<void(bool withCtrl)> OnDoubleClick;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  void FillBackground(QPainter& canvas, const QRegion& region) const;
  void DrawMarginsAndColumns(QPainter& canvas) const;
  void DrawSelectionMarks(QPainter& canvas) const;
  void DrawObjectMarkers(QPainter& canvas, const TrpView& object) const;

  const TrpDesignerSettings& settings_;
  TrpDesignerSelection& selection_;
  TrpPage* page_ = nullptr;
  bool ctrlAtMouseDown_ = false;
};
