#pragma once
#include <QtCore/QString>

class TIBCheckBox;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBEdit;
class TRegisterLayout;

// The dialog rows and lookups every register configures alike.

// The dialog's labelled text edit of at most `maxLength` characters.
TIBEdit* AddText(TRegisterLayout& controls, const QString& label, const QString& name, int maxLength);
// The dialog's labelled amount edit with `decimals` places and at most `maxLength` characters.
TIBCurrencyEdit* AddAmount(TRegisterLayout& controls, const QString& label, const QString& name, int decimals,
                           int maxLength);
// The dialog's check box `name` whose `text` stands left of the box, under `label`.
TIBCheckBox* AddCheckRow(TRegisterLayout& controls, const QString& label, const QString& name, const QString& text);
// Courier 13 pixels, 30 rows, the 500 ms search timer: every lookup of the registers.
void SetupComboLook(TIBComboBox& combo);
// A combo of the distinct texts of `table`.`column`, the text being its own
// key; `notFoundMessage` 0 accepts any new text.
void SetupTextCombo(TIBComboBox& combo, const QString& table, const QString& column, int maxLength,
                    int notFoundMessage);
// A combo over the option list PONUKY of `zaradenie`: shows TEXT, keyed by
// CISLO, ordered by `orderBy`; an unknown text is refused (message 1019).
void SetupOptionCombo(TIBComboBox& combo, const QString& zaradenie, const QString& orderBy);
