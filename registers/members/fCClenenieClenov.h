#pragma once
#include "registers/common/ListForm.h"

// The code list of member groups; also the picker of the member card's group combos.
class TfrmCClenenieClenov : public TListForm {
  Q_OBJECT
public:
  TfrmCClenenieClenov(QWidget* owner, quint16 rok);
  ~TfrmCClenenieClenov() override;
};
