#pragma once
#include "core/ui/Form.h"
#include "registers/common/PrintChoicePattern.h"

class TQPLBtn;
class TUxFormPlacement;

// The print choice of the entrusted items: item by item, and the value still
// outstanding summed per member. The selection comes from the grid of
// frmEPredmety; a print leaves the dialog open.
class TfrmEPredmetyTlac : public TForm {
  Q_OBJECT
public:
  explicit TfrmEPredmetyTlac(QWidget* owner = nullptr);
  ~TfrmEPredmetyTlac() override;

  TPrintChoicePattern choice{*this, QSize(328, 61)};
  TQPLBtn *btn1, *btn2;
  TUxFormPlacement* fp;

protected:
  bool FormKeyDown(QKeyEvent* event) override { return choice.FormKeyDown(event); }
};
