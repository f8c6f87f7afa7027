#pragma once
#include "registers/common/PrintChoiceForm.h"

class TListPattern;
class TQPLBtn;

// The print choice of the stock movements: the marked movements (else all
// listed) item by item, and summed per direction, kind, unit price and levy
// with receipts first, from the `list` of the register that opens it; a
// print leaves the choice open.
class TfrmECeninyTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  TfrmECeninyTlac(QWidget* owner, TListPattern& list);
  ~TfrmECeninyTlac() override;

  TQPLBtn *btn1, *btn2;
};
