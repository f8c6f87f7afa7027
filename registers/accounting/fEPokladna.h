#pragma once
#include "registers/common/ListForm.h"

class QLabel;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;

// The cash book (Typ 1) or the bank book (Typ 2) of the list's year: the
// movements, filtered by date, kind, number, direction, description and
// counterparty, with their count, incomes, expenses and balance in the
// status bar; two prints.
class TfrmEPokladna : public TListForm {
  Q_OBJECT
public:
  TfrmEPokladna(QWidget* owner, quint16 rok, int typ);
  ~TfrmEPokladna() override;
  // Shows the cash book filtered to one member (the member card's button).
  static void OpenForMember(QWidget* owner, int clen, int rok);

  // The book: 1 cash book, 2 bank book; fixed for the form's life.
  const int Typ;

  TIBDate *eDatumOd, *eDatumDo;
  TIBComboBox* eDruhDokladu;
  TIBCurrencyEdit *eCisloOd, *eCisloDo;
  TIBComboBox* eSmerPohybu;
  TIBEdit* ePopis;
  TIBComboBox *eClen, *ePartner, *eOstatni;
  // Count, incomes, expenses, balance of the rows shown.
  QLabel* sbPanels[4];

private:
  void BuildFilter();
  void AddFilterClauses(TListQuery& q) const;
  void ShowTotals();
};
