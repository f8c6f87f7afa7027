#pragma once
#include "registers/common/PrintChoiceForm.h"

class TListPattern;
class TQPLBtn;

// The prints of the competitions register's rounds (its second tab, the
// list `rounds`), for the marked rounds or else the current one: the result
// sheet (every ranked competitor by sector and the team results) and the
// weighing sheet (every competitor by sector and peg, with room for the
// catch). It stays open
// after a print until Esc.
class TfrmEPretekyKolaTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  TfrmEPretekyKolaTlac(QWidget* owner, TListPattern& rounds);
  ~TfrmEPretekyKolaTlac() override;

  TQPLBtn *btn1, *btn2;
};
