#pragma once
#include <QtCore/QVariant>

class TDialogPattern;
class TIBComboBox;
class TIBCurrencyEdit;
class TRegisterLayout;
class TSpeedButton;

// The entries the permit, catch and stocking dialogs share.

// A lookup of the price list's items by name (the caller restricts it to its
// year), keys jedin, cena, odvod_jux, doplnkovy_udaj and typ_platby.
void SetupSoldItemCombo(TIBComboBox& combo);
// A lookup of the fish species by name, of the types `types` selects (a
// condition on typ), keys jedin and cena.
void SetupSpeciesCombo(TIBComboBox& combo, const QString& types);

// The edit's amount; a text that is no number yet (half typed) counts as 0.
double PermitAmount(const TIBCurrencyEdit& edit);
// A money edit with the price list's two decimals (the value saved is the
// value shown), zero and negative accepted.
TIBCurrencyEdit* AddPermitAmount(TRegisterLayout& controls, const char* label, const char* name);
// The branch's share of a price: the price less the union's levy, to the cent.
double PermitShare(const TIBCurrencyEdit& price, const TIBCurrencyEdit& levy);

// The document kind under which a permit's price goes into the cash book or
// the bank book: the cash and bank kinds of the dialog's year, the kind used
// last proposed for a new entry, fixed once the cash row exists (its kind and
// number stay). The kind used last is kept per dialog class under "Druh_Dokladu".
class TPermitDocumentKind {
public:
  // The row "label" with the combo eDBDruhDokladu and its picker btnDruhDokladu.
  TPermitDocumentKind(TRegisterLayout& controls, TDialogPattern& dlg, const char* label);

  TIBComboBox* Combo;
  TSpeedButton* Button;

  // For a new entry: the year's kinds, the one kept, else the first cash
  // kind, else the first.
  void Clear();
  // The kind of an existing cash row (its abbreviation); Null leaves the choice open.
  void Load(const QVariant& skratka);
  // Keeps the chosen kind for the next new entry.
  void Remember();
  QVariant Skratka() const;
  QVariant Typ() const;

private:
  void Lock(bool locked);
  TDialogPattern& dlg_;
};
