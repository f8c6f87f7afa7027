#pragma once
#include "core/ui/Form.h"

// A dialog that asks what a print needs before it runs (a league, a ground):
// Esc cancels, F12 confirms as OK does, and an Enter that no control used
// presses no button, so the print starts only when the user chose it.
class TPrintParametersForm : public TForm {
  Q_OBJECT
public:
  explicit TPrintParametersForm(QWidget* owner);

  // What OK (F12) does.
  virtual void btnZapisClick() = 0;

protected:
  bool FormKeyDown(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};
