#pragma once
#include <QtCore/QString>

class QWidget;
class TIBComboBox;

// The picker protocol of a lookup combo: opens the list form registered as
// `formName` (app/FormRegistry.h; `year` 0 hands it the working year) with
// Tag 1, refreshed and positioned on the combo's key, modally. On result 1
// the chosen row's JEDIN goes into the combo (and the focus moves on when
// the combo had it); otherwise the focus goes to the combo. Nothing happens
// when the picker button is hidden (read-only dialog) or no form of the name
// is registered. True when a row was chosen.
bool PickFromList(TIBComboBox& combo, const QString& formName, const QWidget* pickerButton, quint16 year = 0);
