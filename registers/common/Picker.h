#pragma once
#include <QtCore/QString>
#include <functional>

class QWidget;
class TForm;
class TIBComboBox;

// The picker protocol of a lookup combo: opens the list form registered as
// `formName` (app/FormRegistry.h), for the year of the form the combo is on
// (its dialog's or list's), with Tag 1, refreshed and positioned on the combo's key, modally. On result 1
// the chosen row's JEDIN goes into the combo (and the focus moves on when
// the combo had it); otherwise the focus goes to the combo. Nothing happens
// when the picker button is hidden (read-only dialog) or no form of the name
// is registered. True when a row was chosen.
bool PickFromList(TIBComboBox& combo, const QString& formName, const QWidget* pickerButton);
// The same with `prepare` run on the new list before its first refresh (a
// filter the caller sets).
bool PickFromFilteredList(TIBComboBox& combo, const QString& formName, const QWidget* pickerButton,
                          const std::function<void(TForm&)>& prepare);

// The year a register form works in: its dialog's or its list's (0 for another form).
quint16 YearOfForm(const QWidget* form);
