#pragma once
#include "registers/common/ListForm.h"

// The business partners (not kept per year): name, address, company ids,
// bank account. Also the picker of the partner combos.
class TfrmCPartneri : public TListForm {
  Q_OBJECT
public:
  TfrmCPartneri(QWidget* owner, quint16 rok);
  ~TfrmCPartneri() override;
};
