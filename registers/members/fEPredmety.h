#pragma once
#include "registers/common/ListForm.h"

class QLabel;
class TGridCellCanvas;
class TIBCheckBox;
class TIBComboBox;
class TQPLColumn;

// The register of items entrusted to members, of every year: by default
// only the items still out; the filter by member and name can add the
// returned ones, struck out. Two prints.
class TfrmEPredmety : public TListForm {
  Q_OBJECT
public:
  TfrmEPredmety(QWidget* owner, quint16 rok);
  ~TfrmEPredmety() override;
  // Shows the register filtered to one member (the member card's buttons).
  static void OpenForMember(QWidget* owner, int clen, int rok);

  TIBComboBox *eDBClen, *eDBNazov;
  TIBCheckBox* eDBVratene;

  // Returned items are struck out in every column.
  void gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;
};
