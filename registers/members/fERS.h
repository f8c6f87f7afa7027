#pragma once
#include "registers/common/ListForm.h"

class TQPLColumn;

struct TGridCellCanvas;

// The guard inspections of the working year, with the print of the marked
// (or all listed) inspections with their guards and inspected persons; an
// unpaid private-car cost is shown yellow on red.
class TfrmERS : public TListForm {
  Q_OBJECT
public:
  TfrmERS(QWidget* owner, quint16 rok);
  ~TfrmERS() override;

  void btnTlacClick();

private:
  void gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;
};
