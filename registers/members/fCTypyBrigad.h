#pragma once
#include "registers/common/ListForm.h"

// The yearly code list of work-duty types: the types of the list's year;
// also the picker of the work-duty dialog and filter.
class TfrmCTypyBrigad : public TListForm {
  Q_OBJECT
public:
  TfrmCTypyBrigad(QWidget* owner, quint16 rok);
  ~TfrmCTypyBrigad() override;
};
