#pragma once
#include "registers/common/PrintChoiceForm.h"

class TListPattern;
class TQPLBtn;

// The print choice of the entrusted items: item by item, and the value still
// outstanding summed per member, from the `list` of the register that opens
// it; a print leaves the dialog open.
class TfrmEPredmetyTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  TfrmEPredmetyTlac(QWidget* owner, TListPattern& list);
  ~TfrmEPredmetyTlac() override;

  TQPLBtn *btn1, *btn2;
};
