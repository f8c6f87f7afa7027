#pragma once
#include "registers/common/ListForm.h"

// The competitor teams, each with its start number and league of the list's
// year (a team without a row for the year shows neither); also the picker of
// every team lookup.
class TfrmCDruzstvaPretekarov : public TListForm {
  Q_OBJECT
public:
  TfrmCDruzstvaPretekarov(QWidget* owner, quint16 rok);
  ~TfrmCDruzstvaPretekarov() override;
};
