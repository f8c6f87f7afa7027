#pragma once
#include "registers/common/ListForm.h"

// The code list of the sources that pay for stocking, each telling whether
// its purchases count in the stocking reports; not kept per year.
class TfrmCZdrojeUhrad : public TListForm {
  Q_OBJECT
public:
  TfrmCZdrojeUhrad(QWidget* owner, quint16 rok);
  ~TfrmCZdrojeUhrad() override;
};
