#pragma once
#include "registers/common/ListForm.h"

class TGridCellCanvas;
class TQPLColumn;
struct TRegisterPrint;

// The fish-stocking register of a year: the purchases (or takes from an own
// breeding ground, their date bold) with the quantity still to release, and
// the stocking report of the chosen purchases.
class TfrmEZarybnovanieZdroj : public TListForm {
  Q_OBJECT
public:
  TfrmEZarybnovanieZdroj(QWidget* owner, quint16 rok);
  ~TfrmEZarybnovanieZdroj() override;

  // A take from an own breeding ground: its date bold.
  void gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;
};
