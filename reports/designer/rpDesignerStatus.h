#pragma once
#include "reports/designer/rpDesignerSelection.h"
#include <QtWidgets/QWidget>
#include <functional>

// The designer's status line: the unit name, the position, size and scale
// of the selection, and the selected object's name and text. A double click
// whose press lay left of x = 75 asks for the next unit.
class TrpDesignerStatus : public QWidget {
  Q_OBJECT
public:
  explicit TrpDesignerStatus(QWidget* parent = nullptr);
  void Show(const QString& unitName, const TrpStatusTexts& texts);
  const TrpStatusTexts& Texts() const { return texts_; }
  QString UnitName() const { return unitName_; }
  std::function<void()> OnNextUnits;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  QString unitName_;
  TrpStatusTexts texts_;
  int lastPressX_ = 0;
};
