#pragma once
#include "registers/common/ListForm.h"

// The feedings of the grounds in a year: ground, feed, quantity, unit price and total.
class TfrmEKrmenia : public TListForm {
  Q_OBJECT
public:
  TfrmEKrmenia(QWidget* owner, quint16 rok);
  ~TfrmEKrmenia() override;
};
