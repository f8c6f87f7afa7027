#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBCurrencyEdit;

// The add/edit dialog of one item of an invoice or delivery note: name,
// quantity and unit, unit price, VAT rate and VAT per unit, with the unit
// price with VAT and the line's figures shown. Leaving a changed unit price
// proposes the unit VAT at the rate, to a tenth; the rate alone changes
// nothing. Each save commits, and the invoice's totals follow at once.
class TfrmEFakturyPolozkyPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEFakturyPolozkyPridaj(QWidget* owner = nullptr);
  ~TfrmEFakturyPolozkyPridaj() override;

  // The invoice (JEDIN of e_faktury) a new item is added to.
  int Faktura = 0;

  TIBComboBox *eDBNazov, *eDBMJ;
  TIBCurrencyEdit *eDBMnozstvo, *eDBMJZaklad, *eDBSadzbaDPH, *eDBMJDPH;
  TIBCurrencyEdit *eMJSpolu, *eSpoluZaklad, *eSpoluDPH, *eSpolu;

  // The line's price without VAT, its VAT and the two added, as the edits show them.
  void VypocitajCenuSpolu();

private:
  void eDBMJZakladExit();

  double zakladOnEntry_ = 0;
};
