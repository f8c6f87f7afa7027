#pragma once
#include "registers/common/PrintChoiceForm.h"

class TQPLBtn;

// The print choice of the stock movements: the marked movements (else all
// listed) item by item, and summed per direction, kind, unit price and levy
// with receipts first. The selection comes from the grid of frmECeniny; a
// print leaves the choice open.
class TfrmECeninyTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  explicit TfrmECeninyTlac(QWidget* owner = nullptr);
  ~TfrmECeninyTlac() override;

  TQPLBtn *btn1, *btn2;
};
