#pragma once
#include "registers/common/ListForm.h"

// The code list of fish species, kept across years; also the picker of the
// catch and stocking dialogs.
class TfrmCDruhyRyb : public TListForm {
  Q_OBJECT
public:
  TfrmCDruhyRyb(QWidget* owner, quint16 rok);
  ~TfrmCDruhyRyb() override;
};
