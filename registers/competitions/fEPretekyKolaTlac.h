#pragma once
#include "registers/common/PrintChoiceForm.h"

class TQPLBtn;

// The prints of the competitions register's rounds (its second tab), for the
// marked rounds or else the current one: the result sheet (every ranked
// competitor by sector and the team results) and the weighing sheet (every
// competitor by sector and peg, with room for the catch). It stays open
// after a print until Esc.
class TfrmEPretekyKolaTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  explicit TfrmEPretekyKolaTlac(QWidget* owner = nullptr);
  ~TfrmEPretekyKolaTlac() override;

  TQPLBtn *btn1, *btn2;
};
