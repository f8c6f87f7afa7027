#pragma once
#include "registers/common/DialogForm.h"

class TIBComboBox;
class TIBCurrencyEdit;

// The add/edit dialog of one item of an invoice or delivery note: name,
// quantity and unit, unit price, VAT rate and VAT per unit, with the unit
// price with VAT and the line's figures shown. The line's VAT is its base at
// the rate, to the cent, whichever of price, quantity and rate is typed last;
// a unit VAT typed by hand makes it that VAT times the quantity instead,
// until the price or the rate is typed again. The line's VAT is stored as
// shown. Each save commits, and the invoice's totals follow at once.
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
  // The price or the rate was typed: the unit VAT and the line's VAT follow the rate.
  void FollowRate();
  void LoadLineVat(const QVariant& stored);

  bool vatFollowsRate_ = true;
};
