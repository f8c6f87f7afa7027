#pragma once

#include <QtCore/QString>
#include <array>

class TIBComboBox;
class TIBCurrencyEdit;
class TDialogPattern;
class TIBEdit;
class TRegisterLayout;

// The lookups and rows the accounting registers share.

// The document kinds of the view v_c_druhy_dokladov (each kind by name and
// by abbreviation): shown the name, keys JEDIN, SKRATKA and TYP; the caller
// restricts it to its year and types.
void SetupDocumentKindCombo(TIBComboBox& combo);
// Income or expense (option list 'smer_pohybu').
void SetupDirectionCombo(TIBComboBox& combo);

// The rows of a counterparty's identity as partners, movements and invoices
// keep it: "Názov:" (50), "Ulica:" (50), "PSČ a mesto:" (5 and 50), "IČO:"
// and "DIČ:" (digits, 10 each), "IČ pre DPH:" (12); the edits are named
// eDBNazov, eDBUlica, eDBPSC, eDBMesto, eDBICO, eDBDIC and eDBICDPH.
void AddAddressRows(TRegisterLayout& controls, TIBEdit*& nazov, TIBEdit*& ulica, TIBEdit*& psc, TIBEdit*& mesto,
                    TIBEdit*& ico, TIBEdit*& dic, TIBEdit*& icDph);
// Declares the address edits' columns NAZOV (required), ULICA, MESTO
// (required), PSC, ICO, DIC and IC_DPH in the dialog's row.
void DeclareAddressFields(TDialogPattern& dlg, TIBEdit* nazov, TIBEdit* ulica, TIBEdit* psc, TIBEdit* mesto,
                          TIBEdit* ico, TIBEdit* dic, TIBEdit* icDph);

// A text edit of digits only, at most `maxLength` of them, under its label.
TIBEdit* AddDigits(TRegisterLayout& controls, const QString& label, const QString& name, int maxLength);
// The row "Číslo účtu:": prefix (6 digits) "-" number (10) "/" bank code (4),
// the edits named eDBUcetPredcislie, eDBUcetCislo and eDBUcetKod.
void AddAccountRow(TRegisterLayout& controls, TIBEdit*& predcislie, TIBEdit*& cislo, TIBEdit*& kod);

// The eleven parts of a party's identity on an invoice, in the order of
// kIdentityColumns: the address rows, the account row and "Číslo IBAN:" (50).
struct TIdentityEdits {
  TIBEdit *Nazov, *Ulica, *PSC, *Mesto, *ICO, *DIC, *ICDPH, *UcetPredcislie, *UcetCislo, *UcetKod, *UcetIBAN;
  std::array<TIBEdit*, 11> All() const {
    return {Nazov, Ulica, PSC, Mesto, ICO, DIC, ICDPH, UcetPredcislie, UcetCislo, UcetKod, UcetIBAN};
  }
};
// The columns of an identity block after its prefix (ODB_ or DOD_).
extern const std::array<const char*, 11> kIdentityColumns;
// Adds the rows of TIdentityEdits; the name and the town are required.
void AddIdentityRows(TRegisterLayout& controls, TIdentityEdits& edits);

// The edit's number; a text that is no number (half typed) counts as 0.
double AmountOf(const TIBCurrencyEdit& edit);
// An amount edit with `decimals`, zero and negative numbers allowed.
void SetupMoneyEdit(TIBCurrencyEdit& edit, int decimals);
