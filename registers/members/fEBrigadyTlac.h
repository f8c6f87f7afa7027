#pragma once
#include "registers/common/PrintChoiceForm.h"

class TQPLBtn;

// The print choice of the work-duty register: by member item by item, by
// member summed, and item by item for members exempted from work duty. The
// selection comes from the grid of frmEBrigady; a print leaves it open.
class TfrmEBrigadyTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  explicit TfrmEBrigadyTlac(QWidget* owner = nullptr);
  ~TfrmEBrigadyTlac() override;

  TQPLBtn *btn1, *btn2, *btn3;
};
