#pragma once
#include "registers/common/ListForm.h"

class QLabel;
class TIBComboBox;
class TIBMemo;

// The permits to be returned of the list's year (base permits and guest
// permits) with their holders and return dates, the payment's note of the
// current row below the grid, and the count of those still out. Each is
// edited in the return dialog with its catch lines.
class TfrmEPovolenkyVratenie : public TListForm {
  Q_OBJECT
public:
  TfrmEPovolenkyVratenie(QWidget* owner, quint16 rok);
  ~TfrmEPovolenkyVratenie() override;
  // Shows the list of `rok` filtered to one member (the member card's buttons).
  static void OpenForMember(QWidget* owner, int clen, int rok);

  QLabel* lblClen;
  TIBComboBox* eDBClen;
  QLabel* lblOstatni;
  TIBComboBox* eDBOstatni;
  TIBMemo* ePoznamka;

  // How many of the year's permits there are, came back and are still out.
  void btnInfoClick();

private:
  void BuildFilter();
  void ShowNote();
};
