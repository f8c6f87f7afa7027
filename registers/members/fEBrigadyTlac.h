#pragma once
#include "core/ui/Form.h"

class TQPLBtn;
class TUxFormPlacement;

// The print choice of the work-duty register: by member item by item, by
// member summed, and item by item for members exempted from work duty. The
// selection comes from the grid of frmEBrigady; a print leaves it open.
class TfrmEBrigadyTlac : public TForm {
  Q_OBJECT
public:
  explicit TfrmEBrigadyTlac(QWidget* owner = nullptr);
  ~TfrmEBrigadyTlac() override;

  TQPLBtn *btn1, *btn2, *btn3;
  TUxFormPlacement* fp;
  // Runs the print of button 1, 2 or 3.
  void Print(int button);

protected:
  bool FormKeyDown(QKeyEvent* event) override;
};
