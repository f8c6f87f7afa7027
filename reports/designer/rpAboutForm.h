#pragma once
#include "core/ui/Form.h"

// The designer's about window: the engine's picture and OK; dragged by any point of its body.
class TrpAboutForm : public TForm {
  Q_OBJECT
public:
  explicit TrpAboutForm(QWidget* parent = nullptr);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  QPoint grabbed_;
};

// The engine's picture the about window shows.
QImage rpAboutPicture();
