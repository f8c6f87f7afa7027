#pragma once
#include "registers/common/PrintChoiceForm.h"

class TQPLBtn;

// The print choice of the entrusted items: item by item, and the value still
// outstanding summed per member. The selection comes from the grid of
// frmEPredmety; a print leaves the dialog open.
class TfrmEPredmetyTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  explicit TfrmEPredmetyTlac(QWidget* owner = nullptr);
  ~TfrmEPredmetyTlac() override;

  TQPLBtn *btn1, *btn2;
};
