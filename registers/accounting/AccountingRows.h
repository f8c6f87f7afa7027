#pragma once

class TIBComboBox;
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
