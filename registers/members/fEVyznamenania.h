#pragma once
#include "core/ui/Form.h"
#include "registers/common/ListPattern.h"

class TIBComboBox;

// The register of members' awards, of every year, filtered by member and
// award; one print ordered by the year of the award.
class TfrmEVyznamenania : public TForm {
  Q_OBJECT
public:
  explicit TfrmEVyznamenania(QWidget* owner = nullptr);
  ~TfrmEVyznamenania() override;
  // Shows the register filtered to one member (the member card's buttons).
  static void OpenForMember(QWidget* owner, int clen, int rok);

  TListPattern list{*this, kStandardListButtons | lbTlac | lbFilter | lbHladaj};
  TIBComboBox *eDBClen, *eDBNazov;

protected:
  void FormActivate() override { list.FormActivate(); }
  bool FormKeyDown(QKeyEvent* event) override { return list.FormKeyDown(event); }
};
