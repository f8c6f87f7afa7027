#pragma once
#include "db/SqlCondition.h"
#include "registers/common/DialogField.h"
#include "registers/common/RegisterControls.h"
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

// Small routines shared by the member records (work duty, entrusted items,
// awards, offences, mail, guard): the lookup combos they all configure alike,
// the rows their dialogs and filter panels repeat, and the value conversions
// of their date edits and combos.

// The note memo eDBPoznamka in the group box gbxPoznamka titled `caption`
// (its Ctrl+Enter hint included), for dialogs laid out in columns: the caller
// lays out the memo's parent.
TIBMemo* NewNoteBox(QWidget* parent, const QString& caption);

// A check box named `name` added to a list's filter panel, its `text` left of the box.
TIBCheckBox* AddFilterCheck(QWidget& panel, const QString& name, const QString& text);

// A lookup of the member groups (c_clenenie_clenov) by name.
void SetupGroupCombo(TIBComboBox& combo);


// The person data of a record that may be about a member or anyone else.
struct TPersonEdits {
  TIBEdit *Titul, *Meno, *Priezvisko, *Ulica, *PSC, *Mesto;
  TIBDate* DatumNarodenia;
};
// Makes the member combo carry the person columns a choice copies (key
// values 2..8: title, first name, surname, street, postcode, town, birth date).
void SetupPersonKeys(TIBComboBox& memberCombo);
// With a member chosen, copies the member's person data into the edits and
// locks them (the member record holds them, and locked edits skip the
// required checks); without one, unlocks them for typing. Returns whether a member is chosen.
bool FollowMember(const TIBComboBox& memberCombo, const TPersonEdits& person);
