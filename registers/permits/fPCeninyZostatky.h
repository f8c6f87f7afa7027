#pragma once
#include "registers/common/ListForm.h"

class TIBDate;

// The stock of valuables on hand in the list's year: one row per kind with
// the sum of its signed quantities and the net value and levy of its
// movements, optionally within a date range. Read-only. Its rows are the
// kinds: marking kinds and showing the marked ones sums only their movements.
class TfrmPCeninyZostatky : public TListForm {
  Q_OBJECT
public:
  TfrmPCeninyZostatky(QWidget* owner, quint16 rok);
  ~TfrmPCeninyZostatky() override;

  TIBDate *eOd, *eDo;
};
