#pragma once
#include "registers/common/PrintChoiceForm.h"

class TListPattern;
class TQPLBtn;

// The print choice of the members list: the member list or the address
// labels of the members chosen in the members `list` that opens it (the
// marked rows, else every row as filtered). It stays open for the next print.
class TfrmCClenovTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  TfrmCClenovTlac(QWidget* owner, TListPattern& list);
  ~TfrmCClenovTlac() override;

  TQPLBtn *btn1, *btn2;
};
