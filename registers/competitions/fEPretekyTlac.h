#pragma once
#include "registers/common/PrintChoiceForm.h"

class TQPLBtn;

// The print of the competitions register's first tab: the results of the
// marked competitions (else of the current one), team by team per round and
// in total. The register presses its one button without showing it.
class TfrmEPretekyTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  explicit TfrmEPretekyTlac(QWidget* owner = nullptr);
  ~TfrmEPretekyTlac() override;

  TQPLBtn* btn1;
};
