#pragma once
#include "core/ui/Form.h"

class QBoxLayout;
class TQPLBtn;

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
  // What sets one dialog's pair of buttons apart.
  struct TButtonsLook {
    QString CancelCaption;             // "&Netlač", "&Nezapíš"
    bool Images = false;               // the tick and the cross of the small images
    bool CancelSkipsTheChecks = false; // leaving a field for it checks nothing
  };
  struct TButtons {
    TQPLBtn *Ok, *Cancel;
  };
  // OK (btnZapis, " &OK", runs btnZapisClick) and the cancel button
  // (btnNezapis, closes with mrCancel), bold, at the right of a row added
  // to `layout`.
  TButtons AddButtons(QBoxLayout& layout, const TButtonsLook& look);

  bool FormKeyDown(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};
