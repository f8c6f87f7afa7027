#pragma once
#include "registers/common/ListForm.h"

// The feeds of a year; also the picker of the feeding dialog.
class TfrmCKrmiv : public TListForm {
  Q_OBJECT
public:
  TfrmCKrmiv(QWidget* owner, quint16 rok);
  ~TfrmCKrmiv() override;
};
