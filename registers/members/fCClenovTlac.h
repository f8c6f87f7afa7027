#pragma once
#include "core/ui/Form.h"
#include "registers/common/PrintChoicePattern.h"

class TQPLBtn;
class TUxFormPlacement;

// The print choice of the members list: the member list or the address
// labels of the members chosen in the open list `frmCClenov` (the marked
// rows, else every row as filtered). It stays open for the next print.
class TfrmCClenovTlac : public TForm {
  Q_OBJECT
public:
  explicit TfrmCClenovTlac(QWidget* owner = nullptr);
  ~TfrmCClenovTlac() override;

  TPrintChoicePattern choice{*this, QSize(328, 61)};
  TQPLBtn *btn1, *btn2;
  TUxFormPlacement* fp;

protected:
  bool FormKeyDown(QKeyEvent* event) override { return choice.FormKeyDown(event); }
};
