#pragma once

class TIBComboBox;

// The lookups the accounting registers share.

// The document kinds of the view v_c_druhy_dokladov (each kind by name and
// by abbreviation): shown the name, keys JEDIN, SKRATKA and TYP; the caller
// restricts it to its year and types.
void SetupDocumentKindCombo(TIBComboBox& combo);
// Income or expense (option list 'smer_pohybu').
void SetupDirectionCombo(TIBComboBox& combo);
