#pragma once
#include "registers/common/DialogForm.h"

class QLabel;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TSpeedButton;

// The add/edit dialog of a mail item. A new item is proposed the next number
// of its year and kind; a number that another item of the year and kind
// already carries is refused at save with the next free one proposed. The
// sender or addressee is a member, or a business partner, or nobody.
class TfrmEPostaPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEPostaPridaj(QWidget* owner = nullptr);
  ~TfrmEPostaPridaj() override;

  TIBCurrencyEdit* eDBCislo;
  TIBComboBox* eDBDruh;
  TIBDate* eDBDatum;
  TIBCurrencyEdit* eDBPostovne;
  QLabel* MenaLB;
  QLabel *lblClen, *lblPartneri;
  TIBComboBox *eDBClen, *eDBPartneri;
  TSpeedButton *btnClen, *btnPartneri;
  TIBEdit *eDBVec, *eDBZnacka, *eDBPrilohy;
  TIBDate* eDBPrideleneDatum;
  TIBComboBox* eDBPrideleneKomu;
  TIBDate* eDBVybaveneDatum;
  TIBEdit* eDBVybaveneSposob;
  TIBMemo* eDBPoznamka;

  // The next number of the dialog's year and the chosen kind (1 for the first).
  int NextNumber();
  void eDBClenChange();
  void eDBPartneriChange();

protected:
  void FormShow() override;

private:
  bool CheckNumber();
  // The name of the member or partner the item is about, as the list shows it.
  QString Contact() const;
};
