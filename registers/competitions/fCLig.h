#pragma once
#include "registers/common/ListForm.h"

// The code list of the leagues (competitions ZEZ-A), one list for all years;
// also the picker of every league lookup.
class TfrmCLig : public TListForm {
  Q_OBJECT
public:
  TfrmCLig(QWidget* owner, quint16 rok);
  ~TfrmCLig() override;
};
