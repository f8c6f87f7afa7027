#pragma once
#include "registers/common/DialogForm.h"
#include <memory>

class QLabel;
class QStatusBar;
class TChildGrid;
class TDialogChildOwner;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TQPLBtn;
class TSpeedButton;
struct TMemberChecks;

// The payment of a member for the year: its number, date and member, what
// the branch should know about the member (last year's permits and work
// duty, unpaid fines, shown red, never stopping the save), and its items,
// each entered in the item dialog and saved at once. A new payment holds its
// yearly number from the moment the dialog shows; a close without a save
// removes it with its items. The save stamps date and member on the items'
// stock issues and cash rows, and a new payment's receipt is printed.
class TfrmEPovolenkyPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEPovolenkyPridaj(QWidget* owner = nullptr);
  ~TfrmEPovolenkyPridaj() override;

  TIBCurrencyEdit* eDBCislo;
  TIBDate* eDBDatum;
  TIBComboBox* eDBClen;
  TSpeedButton* btnClen;
  TIBEdit* eCisloLegimitacie;
  TIBDate *eDatumNarodenia, *ePovolenkaVratena;
  TIBCurrencyEdit *ePokuta, *eBrigada;
  TQPLBtn *btnBrigady, *btnPokuty;
  QStatusBar* sb;
  QLabel* sbPanels[2];
  TIBMemo* eDBPoznamka;
  TIBCurrencyEdit* eSpolu;
  // The payment's items: gr2 with its tool bar tb1.
  std::unique_ptr<TChildGrid> items;

  void eDBClenChange();
  // Shows the member's warnings (nothing without a member).
  void eDBClenExit();
  void btnBrigadyClick();
  void btnPokutyClick();

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;

private:
  void ShowChecks(const TMemberChecks& checks);
  void ItemsChanged();
  void PrintReceipt();

  std::unique_ptr<TDialogChildOwner> childOwner_;
};
