#pragma once
#include "registers/common/PrintChoiceForm.h"

class TQPLBtn;
class TfrmEFaktury;

// The print choice of an invoice register: each marked document (else the
// current one) with its items and VAT summary, or the list of the marked
// documents (else of all listed). Every document carries both identity
// blocks, so the prints take no organisation variables.
class TfrmEFakturyTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  explicit TfrmEFakturyTlac(TfrmEFaktury& owner);
  ~TfrmEFakturyTlac() override;

  TQPLBtn *btn1, *btn2;
};
