#pragma once
#include "registers/common/ListForm.h"

class QLabel;
class TGridCellCanvas;
class TIBComboBox;
class TQPLColumn;

// The work-duty register of the list's year: the list with its hours summed in the status bar, the
// filter by member, type, ground and description, and three prints.
class TfrmEBrigady : public TListForm {
  Q_OBJECT
public:
  TfrmEBrigady(QWidget* owner, quint16 rok);
  ~TfrmEBrigady() override;
  // Shows the register filtered to one member (the member card's buttons); `rok` is the year listed.
  static void OpenForMember(QWidget* owner, int clen, int rok);

  QLabel* lblClen;
  TIBComboBox* eDBClen;
  QLabel* lblTypyBrigad;
  TIBComboBox* eDBTypyBrigad;
  QLabel* lblRevir;
  TIBComboBox* eDBRevir;
  QLabel* lblPopis;
  TIBComboBox* eDBPopis;
  // Panel 0 the row count, panel 1 the hours, panel 2 empty.
  QLabel* sbPanels[3];

  // Unpaid private-vehicle use: red with a yellow font in its column.
  void gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;

private:
  void BuildFilter();
  void SumHours();
};
