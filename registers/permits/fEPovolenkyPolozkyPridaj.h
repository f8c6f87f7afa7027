#pragma once
#include "registers/common/DialogForm.h"
#include <memory>

class QLabel;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBEdit;
class TIBQuery;
class TPermitDocumentKind;
class TSpeedButton;

// One item of a base-permit payment: the price-list item sold, its price and
// levy to the cent, the branch's share, an extra text for items
// that ask for one, and the document kind of its cash income. Its save
// writes the item, its stock issue and, for a price, its cash income in one
// transaction, stamped with the payment's date and member as the payment
// holds them, and keeps the payment's total.
class TfrmEPovolenkyPolozkyPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEPovolenkyPolozkyPridaj(QWidget* owner = nullptr);
  ~TfrmEPovolenkyPolozkyPridaj() override;

  // The payment (E_POVOLENKY) the item belongs to; set before every showing.
  int EPovolenky = 0;

  TIBComboBox* eDBCeniny;
  TSpeedButton* btnCeniny;
  TIBCurrencyEdit *eDBCena, *eDBOdvodJUX, *eZO;
  QLabel* lblDoplnkovyUdaj;
  TIBEdit* eDBDoplnkovyUdaj;
  TIBComboBox* eDBDruhDokladu;
  TSpeedButton* btnDruhDokladu;

  void ClearAll();
  void eDBCeninyExit();
  void eDBCenaChange();

protected:
  void FormClose(TCloseAction& action) override;

private:
  void ShowExtraText(bool shown);
  void WriteItemRows(TIBQuery& q, int key);

  std::unique_ptr<TPermitDocumentKind> kind_;
};
