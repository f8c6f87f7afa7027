#pragma once
#include "registers/common/PrintChoiceForm.h"

class TListPattern;
class TQPLBtn;

// The print choice of the work-duty register: by member item by item, by
// member summed, and item by item for members exempted from work duty, from
// the `list` of the register that opens it; a print leaves it open.
class TfrmEBrigadyTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  TfrmEBrigadyTlac(QWidget* owner, TListPattern& list);
  ~TfrmEBrigadyTlac() override;

  TQPLBtn *btn1, *btn2, *btn3;
};
