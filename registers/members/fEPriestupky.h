#pragma once
#include "core/ui/Form.h"
#include "registers/common/ListPattern.h"

class TGridCellCanvas;
class TIBCheckBox;
class TIBComboBox;
class TQPLColumn;

// The register of disciplinary offences: the working year's offences and
// the unsettled ones of earlier years (with the filter's box, the settled
// ones of earlier years too); filtered by member, non-member and offence;
// one print.
class TfrmEPriestupky : public TForm {
  Q_OBJECT
public:
  explicit TfrmEPriestupky(QWidget* owner = nullptr);
  ~TfrmEPriestupky() override;
  // Shows the register filtered to one member (the member card's buttons).
  static void OpenForMember(QWidget* owner, int clen, int rok);

  TListPattern list{*this, kStandardListButtons | lbTlac | lbFilter | lbHladaj};
  TIBComboBox *eDBClen, *eDBOstatni, *eDBPriestupok;
  TIBCheckBox* eDBVybaveny;

  // Unsettled fines red with a yellow font; non-members' names bold.
  void gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;

protected:
  void FormActivate() override { list.FormActivate(); }
  bool FormKeyDown(QKeyEvent* event) override { return list.FormKeyDown(event); }
};
