#pragma once
#include "registers/common/ListForm.h"

// One invoice register of the list's year, by its range of document types:
// issued invoices (11-19), received invoices (21-29), received delivery
// notes (31-39) or issued delivery notes (41-49). The partner shown is the
// customer in the issued ranges and the supplier in the received ones.
class TfrmEFaktury : public TListForm {
  Q_OBJECT
public:
  TfrmEFaktury(QWidget* owner, quint16 rok, int typOd, int typDo);
  ~TfrmEFaktury() override;

  const int TypOd, TypDo;
};
