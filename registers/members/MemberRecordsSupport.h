#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <QtCore/QVariantMap>
#include <QtWidgets/QWidget>
#include <functional>

class TSpeedButton;
class TField;
class TIBComboBox;
class TIBDate;

// Small routines shared by the member records (work duty, entrusted items,
// awards, offences, mail): the lookup combos they all configure alike and
// the value conversions of their date edits and combos.

// A lookup combo with its picker button "..." (hidden in read-only mode) beside it, one row of a
// dialog (TRegisterLayout::Add<TPickerRow>); the row hands its focus to the
// combo. The button and Ctrl+Enter in the combo run `OnPick`.
class TPickerRow : public QWidget {
  Q_OBJECT
public:
  explicit TPickerRow(QWidget* parent = nullptr);
  TIBComboBox* Combo;
  TSpeedButton* Button;
  std::function<void()> OnPick;
};

// A member lookup over c_clenov showing nazov_uplny by its ASCII shadow,
// at most 75 characters, message 1019 for an unknown name.
void SetupMemberCombo(TIBComboBox& combo, bool required);
// A combo of the distinct texts of `table`.`column`, the text being its own
// key; `notFoundMessage` 0 accepts any new text.
void SetupTextCombo(TIBComboBox& combo, const QString& table, const QString& column, int maxLength,
                    int notFoundMessage);
// A fishing-ground lookup over v_reviry_jux showing nazov_uplny.
void SetupRevirCombo(TIBComboBox& combo, bool required);
// Courier 13 pixels, 30 rows, the 500 ms search timer: every lookup of these forms.
void SetupComboLook(TIBComboBox& combo);

// The date edit's value as a date parameter: Null when empty.
QVariant DateParam(const TIBDate& edit);
// Puts a date column (Null empties the edit) into the edit.
void LoadDate(TIBDate& edit, const TField& field);
// The combo's key value, Null when nothing is chosen.
QVariant KeyParam(const TIBComboBox& combo);
// "rok=<year>", the condition of the per-year code lists' combos.
QString YearCondition(int year);
