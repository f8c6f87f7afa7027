#pragma once
#include "core/ui/Form.h"
#include "registers/common/PrintChoicePattern.h"

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

  TPrintChoicePattern choice{*this, QSize(328, 88)};
  TQPLBtn *btn1, *btn2, *btn3;
  TUxFormPlacement* fp;

protected:
  bool FormKeyDown(QKeyEvent* event) override { return choice.FormKeyDown(event); }
};
