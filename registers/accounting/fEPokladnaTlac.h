#pragma once
#include "registers/common/PrintChoiceForm.h"

class TListPattern;
class TQPLBtn;

// The print choice of the cash and bank book: the receipt of each marked
// movement (else of the current one) and the list of the marked movements
// (else of all listed) with their totals, from the `list` of the book that
// opens it; a print leaves the choice open.
class TfrmEPokladnaTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  TfrmEPokladnaTlac(QWidget* owner, TListPattern& list);
  ~TfrmEPokladnaTlac() override;

  TQPLBtn *btn1, *btn2;
};
