#pragma once
#include "registers/common/ListForm.h"

// The price list of a year: what the branch sells or hands out, its price,
// the levy for the union and its payment type; also the picker of the items.
class TfrmCCeniny : public TListForm {
  Q_OBJECT
public:
  TfrmCCeniny(QWidget* owner, quint16 rok);
  ~TfrmCCeniny() override;
};
