#pragma once
#include "registers/common/ListForm.h"

class TGridCellCanvas;
class TIBCheckBox;
class TIBComboBox;
class TQPLColumn;

// The register of disciplinary offences: the working year's offences and
// the unsettled ones of earlier years (with the filter's box, the settled
// ones of earlier years too); filtered by member, non-member and offence;
// one print.
class TfrmEPriestupky : public TListForm {
  Q_OBJECT
public:
  TfrmEPriestupky(QWidget* owner, quint16 rok);
  ~TfrmEPriestupky() override;
  // Shows the register filtered to one member (the member card's buttons).
  static void OpenForMember(QWidget* owner, int clen, int rok);

  TIBComboBox *eDBClen, *eDBOstatni, *eDBPriestupok;
  TIBCheckBox* eDBVybaveny;

  // Unsettled fines red with a yellow font; non-members' names bold.
  void gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;
};
