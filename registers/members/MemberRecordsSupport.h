#pragma once
#include "db/SqlCondition.h"
#include "registers/common/DialogField.h"
#include "registers/common/RegisterControls.h" // the shared rows and lookups these dialogs use
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <QtCore/QVariantMap>
#include <QtWidgets/QWidget>
#include <functional>

class QLabel;
class TSpeedButton;
class TField;
class TIBCheckBox;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TListForm;
class TRegisterLayout;
struct TListQuery;

// Small routines only the member records share (work duty, entrusted items,
// awards, offences, mail, guard): the note box of their column-laid dialogs
// and the lookup of member groups. What other registers share with them is in
// registers/common/RegisterControls.h.

// The note memo eDBPoznamka in the group box gbxPoznamka titled `caption`
// (its Ctrl+Enter hint included), for dialogs laid out in columns: the caller
// lays out the memo's parent.
TIBMemo* NewNoteBox(QWidget* parent, const QString& caption);

// A lookup of the member groups (c_clenenie_clenov) by name.
void SetupGroupCombo(TIBComboBox& combo);
