#pragma once
#include "registers/common/PrintChoiceForm.h"

class TListPattern;
class TQPLBtn;

// The print choice of an invoice register: each marked document (else the
// current one) with its items and VAT summary, or the list of the marked
// documents (else of all listed) of the register's `list`, whose partner is
// the customer or the supplier as `typOd` says. Every document carries both
// identity blocks, so the prints take no organisation variables.
class TfrmEFakturyTlac : public TPrintChoiceForm {
  Q_OBJECT
public:
  TfrmEFakturyTlac(QWidget* owner, TListPattern& list, int typOd);
  ~TfrmEFakturyTlac() override;

  TQPLBtn *btn1, *btn2;
};
