#pragma once
#include "registers/common/DialogForm.h"

class QLabel;
class QLineEdit;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBMemo;
class TSpeedButton;

// The valuables kinds of the year `rok` (c_ceniny): shown the name, keys
// JEDIN, CENA and ODVOD_JUX.
void SetupValuablesCombo(TIBComboBox& combo, int rok);

// The add/edit dialog of one stock movement. The quantity is typed without
// sign and stored negative for an issue; the counterparty is a member or a
// partner, never both (the other one is hidden and stored empty); a row
// without either names its guest. Choosing another kind takes its price and
// levy. A new movement gets the year's next number, and a number another
// movement of the year holds is refused at save with the next free one
// proposed. A movement a permit item wrote opens read-only and writes nothing.
class TfrmECeninyPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmECeninyPridaj(QWidget* owner = nullptr);
  ~TfrmECeninyPridaj() override;

  TIBCurrencyEdit* eDBCislo;
  TIBDate* eDBDatum;
  TIBComboBox* eDBSmerPohybu;
  QLabel *lblClen, *lblPartneri;
  TIBComboBox *eDBClen, *eDBPartneri, *eDBCenina;
  TSpeedButton *btnClen, *btnPartneri, *btnCenina;
  TIBCurrencyEdit *eDBCena, *eDBOdvodJUX, *eDBMnozstvo;
  QLineEdit* eSpolu;
  TIBMemo* eDBPoznamka;

protected:
  void FormShow() override;

private:
  void DeclareFields();
  bool Issue() const;
  void ProposeNumber();
  // False (the next free number proposed, the user told) when another movement of the year has the number.
  bool CheckNumberFree();
  void FollowCounterparty();
  void ShowGuest();
  void eDBPartneriEnter();
  void eDBCeninaExit();
  void UpdateTotal();

  bool fromPermit_ = false;
  QString storedName_;
  bool guestShown_ = false;
};
