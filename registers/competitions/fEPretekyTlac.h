#pragma once
#include "registers/common/PrintChoiceForm.h"

class TListPattern;
class TQPLBtn;

// The print of the competitions register's first tab: the results of the
// marked competitions (else of the current one) of its `list`, team by team
// per round and in total. The register presses its one button without showing it.
class TfrmEPretekyTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  TfrmEPretekyTlac(QWidget* owner, TListPattern& list);
  ~TfrmEPretekyTlac() override;

  TQPLBtn* btn1;
};
