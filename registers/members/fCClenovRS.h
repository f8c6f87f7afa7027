#pragma once
#include "registers/common/ListForm.h"

class TQPLColumn;
struct TGridCellCanvas;

// The code list of the fishing guard's members with badge, certificate and
// appointment; a dismissed guard's badge, certificate and date are struck
// through. Also the picker of the inspection dialogs' guard combos.
class TfrmCClenovRS : public TListForm {
  Q_OBJECT
public:
  TfrmCClenovRS(QWidget* owner, quint16 rok);
  ~TfrmCClenovRS() override;

private:
  void gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;
};
