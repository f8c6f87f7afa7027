#pragma once
#include <QtWidgets/QWidget>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// The small progress window of the grid and dot-matrix exports: borderless,
// centred on the screen and dragged by any point of it, with a message, a
// bar and Cancel. It is not modal: every step lets pending events run, so
// Cancel is heard while the export works.
class TrpProgress : public QWidget {
  Q_OBJECT
public:
  explicit TrpProgress(QWidget* parent = nullptr);

  // Clears Terminated, shows or hides the bar and Cancel, sets the maximum
  // and the message, puts the position back to Min and shows the window.
  void Execute(int maximum, const QString& message, bool showBar, bool showCancel);
  // One step further.
  void Tick() { SetPosition(Position + 1); }
  // Moves the bar and lets pending events run (the window stays on top).
  void SetPosition(int position);

  bool Terminated = false;
  int Min = 0, Max = 100, Position = 0;
  // Called once when Cancel is pressed (the export stops its report).
  std::function<void()> OnCancel;

  QLabel* MessageLabel;
  QProgressBar* Bar;
  QPushButton* CancelButton;

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  void Cancel();
  QPoint dragOffset_;
};
