#pragma once
#include "registers/common/ListForm.h"

// The document kinds of the list's year: abbreviation, name and type (the
// book or invoice register the kind serves). Also the picker of the kind
// combos.
class TfrmCDruhyDokladov : public TListForm {
  Q_OBJECT
public:
  TfrmCDruhyDokladov(QWidget* owner, quint16 rok);
  ~TfrmCDruhyDokladov() override;
};
