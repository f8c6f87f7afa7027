#pragma once
#include "registers/common/PrintChoiceForm.h"

class TQPLBtn;

// The print choice of the members list: the member list or the address
// labels of the members chosen in the open list `frmCClenov` (the marked
// rows, else every row as filtered). It stays open for the next print.
class TfrmCClenovTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  explicit TfrmCClenovTlac(QWidget* owner = nullptr);
  ~TfrmCClenovTlac() override;

  TQPLBtn *btn1, *btn2;
};
