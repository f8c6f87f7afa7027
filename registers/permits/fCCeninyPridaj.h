#pragma once
#include "registers/common/DialogForm.h"

class TIBCheckBox;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBEdit;

// The add/edit dialog of a price-list item: name, sale price, levy, whether
// a sale asks for an extra text, and the payment type.
class TfrmCCeninyPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCCeninyPridaj(QWidget* owner = nullptr);
  ~TfrmCCeninyPridaj() override;

  TIBEdit* eDBNazov;
  TIBCurrencyEdit *eDBCena, *eDBOdvodJUX;
  TIBCheckBox* eDBDoplnkovyUdaj;
  TIBComboBox* eDBTypPlatby;
};
