#pragma once
#include "registers/common/PrintChoiceForm.h"

class TQPLBtn;

// The print choice of the cash and bank book: the receipt of each marked
// movement (else of the current one) and the list of the marked movements
// (else of all listed) with their totals. The selection comes from the grid
// of frmEPokladna; a print leaves the choice open.
class TfrmEPokladnaTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  explicit TfrmEPokladnaTlac(QWidget* owner = nullptr);
  ~TfrmEPokladnaTlac() override;

  TQPLBtn *btn1, *btn2;
};
