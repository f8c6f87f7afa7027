#pragma once
#include "registers/common/ListForm.h"

class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;

// The base-permit payments of a year: number, date, member and total, the
// filter by member, date range and number range, and the receipt of the
// marked payments (else the current one).
class TfrmEPovolenky : public TListForm {
  Q_OBJECT
public:
  TfrmEPovolenky(QWidget* owner, quint16 rok);
  ~TfrmEPovolenky() override;

  TIBComboBox* eClen;
  TIBDate *eDatumOd, *eDatumDo;
  TIBCurrencyEdit *eCisloOd, *eCisloDo;

  void btnTlacClick();

private:
  void BuildFilter();
  void AddFilterClauses(TListQuery& q) const;
};
