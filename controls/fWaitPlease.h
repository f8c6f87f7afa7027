#pragma once
#include "core/ui/Form.h"

class QProgressBar;
class QTimer;

// The small window that asks the user to wait while a longer piece of work
// runs on the main thread. The user cannot close it; only HideWaitForm does.
class TfrmWaitPlease : public TForm {
  Q_OBJECT
public:
  explicit TfrmWaitPlease(QWidget* parent = nullptr);

  // Stands in for the platform's file-copy animation.
  QProgressBar* Animate1;
  // Disabled; when enabled, its step shows the window and processes pending events.
  QTimer* Timer1;

  void Timer1Timer();

protected:
  void FormCloseQuery(bool& canClose) override;
};

// The wait window while it exists (null otherwise).
extern TfrmWaitPlease* frmWaitPlease;

// Creates the wait window and shows it without waiting; the caller goes on at once.
void ShowWaitForm();
// Frees the wait window when it exists; does nothing otherwise.
void HideWaitForm();
