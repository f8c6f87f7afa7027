#pragma once
#include "registers/common/ListForm.h"

class TDBQPLEdit;
class TGridCellCanvas;
class TIBComboBox;
class TQPLColumn;

// The fishing grounds of a year: number, name, kinds of water and ground,
// the own branch's grounds in bold, the permit prices of the current ground
// below the grid, the filter by branch, water and kind; also the picker of
// the grounds.
class TfrmCReviryJUX : public TListForm {
  Q_OBJECT
public:
  TfrmCReviryJUX(QWidget* owner, quint16 rok);
  ~TfrmCReviryJUX() override;

  TIBComboBox *eDBZO, *eDBTypVody, *eDBTypRevira;
  // The six permit prices of the current row: season, day and week, for
  // members and then for non-members.
  TDBQPLEdit* Ceny[6];

  // The own branch's grounds: their name bold.
  void gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;

private:
  void BuildFilter();
  void BuildPrices();
};
