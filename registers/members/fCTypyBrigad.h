#pragma once
#include "registers/common/ListForm.h"

// The yearly code list of work-duty types: the types of one year (`rok`, 0
// for the working year); also the picker of the work-duty dialog and filter.
class TfrmCTypyBrigad : public TListForm {
  Q_OBJECT
public:
  explicit TfrmCTypyBrigad(QWidget* owner = nullptr, quint16 rok = 0);
  // The year whose types are listed and added.
  const quint16 Rok;
  ~TfrmCTypyBrigad() override;
};
