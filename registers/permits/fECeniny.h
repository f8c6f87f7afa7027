#pragma once
#include "registers/common/ListForm.h"

class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;

// The valuables stock movements of the list's year: receipts and issues
// entered here and the issues permit items wrote (read-only here), with
// their value and levy, filtered by date, number, direction, contact and
// kind; two prints.
class TfrmECeniny : public TListForm {
  Q_OBJECT
public:
  TfrmECeniny(QWidget* owner, quint16 rok);
  ~TfrmECeniny() override;

  TIBDate *eDatumOd, *eDatumDo;
  TIBCurrencyEdit *eCisloOd, *eCisloDo;
  TIBComboBox *eSmerPohybu, *eKontakt, *eCenina;

private:
  void BuildFilter();
  void AddFilterClauses(TListQuery& q) const;
};
