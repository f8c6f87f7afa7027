#pragma once
#include "registers/common/ListForm.h"

class TIBComboBox;

// The register of members' awards, of every year, filtered by member and
// award; one print ordered by the year of the award.
class TfrmEVyznamenania : public TListForm {
  Q_OBJECT
public:
  TfrmEVyznamenania(QWidget* owner, quint16 rok);
  ~TfrmEVyznamenania() override;
  // Shows the register filtered to one member (the member card's buttons).
  static void OpenForMember(QWidget* owner, int clen, int rok);

  TIBComboBox *eDBClen, *eDBNazov;
};
