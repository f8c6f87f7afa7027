#pragma once
#include "core/ui/Form.h"

class TQPLBtn;
class TUxFormPlacement;

// The print choice of the entrusted items: item by item, and the value still
// outstanding summed per member. The selection comes from the grid of
// frmEPredmety; a print leaves the dialog open.
class TfrmEPredmetyTlac : public TForm {
  Q_OBJECT
public:
  explicit TfrmEPredmetyTlac(QWidget* owner = nullptr);
  ~TfrmEPredmetyTlac() override;

  TQPLBtn *btn1, *btn2;
  TUxFormPlacement* fp;
  // Runs the print of button 1 or 2.
  void Print(int button);

protected:
  bool FormKeyDown(QKeyEvent* event) override;
};
