#pragma once
#include "db/SqlCondition.h"
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <QtWidgets/QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class TIBCheckBox;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TSpeedButton;
class TDialogPattern;
class TListForm;
class TRegisterLayout;
struct TListQuery;

// The dialog rows and lookups every register configures alike.

// The dialog's labelled text edit of at most `maxLength` characters.
TIBEdit* AddText(TRegisterLayout& controls, const QString& label, const QString& name, int maxLength);
// The dialog's labelled amount edit with `decimals` places and at most `maxLength` characters.
TIBCurrencyEdit* AddAmount(TRegisterLayout& controls, const QString& label, const QString& name, int decimals,
                           int maxLength);
// The dialog's check box `name` whose `text` stands left of the box, under `label`.
TIBCheckBox* AddCheckRow(TRegisterLayout& controls, const QString& label, const QString& name, const QString& text);
// Turns what the user types into the edit into capitals, keeping the caret,
// while `when` says so (asked at each change; always without it).
void TypeInCapitals(QLineEdit& edit, std::function<bool()> when = {});
// The surname as saved: in capitals while the settings ask for them.
QString SurnameAsSaved(const QString& typed);
// Courier 13 pixels, 30 rows, the 500 ms search timer: every lookup of the registers.
void SetupComboLook(TIBComboBox& combo);
// A combo of the distinct texts of `table`.`column`, the text being its own
// key; `notFoundMessage` 0 accepts any new text.
void SetupTextCombo(TIBComboBox& combo, const QString& table, const QString& column, int maxLength,
                    int notFoundMessage);
// A combo over the option list PONUKY of `zaradenie`: shows TEXT, keyed by
// CISLO, ordered by `orderBy`; an unknown text is refused (message 1019).
void SetupOptionCombo(TIBComboBox& combo, const QString& zaradenie, const QString& orderBy);

// A lookup combo with its picker button "..." (hidden in read-only mode) beside it, one row of a
// dialog (TRegisterLayout::Add<TPickerRow>); its label's buddy is the
// combo. The button, a double-click and Ctrl+Enter in the combo run `OnPick`.
class TPickerRow : public QWidget {
  Q_OBJECT
public:
  explicit TPickerRow(QWidget* parent = nullptr);
  TIBComboBox* Combo;
  TSpeedButton* Button;
  std::function<void()> OnPick;
};

// A picker button "..." beside `combo` (not added to any layout): the button,
// Ctrl+Enter and a double-click in the combo pick from the list form
// registered as `formName` (PickFromList).
TSpeedButton* NewPickerButton(TIBComboBox& combo, QWidget* parent, const QString& formName);
// The dialog's next row (under the label set before): a lookup combo named
// `name` with its picker button over the list form `formName`; the row is
// named "row" and the name without its "eDB".
TIBComboBox* AddPickerCombo(TRegisterLayout& controls, const QString& name, TSpeedButton*& button,
                            const QString& formName);
// The dialog's note memo eDBPoznamka, labelled with its Ctrl+Enter hint.
TIBMemo* AddNoteMemo(TRegisterLayout& controls);
// The note takes the room the other rows leave it, at least three lines: its
// own wish would make a dialog taller than a 1024 x 768 screen.
void LetNoteTakeTheRoomLeft(TIBMemo& memo);
// Before anything is typed into a new record: says, for each required lookup
// whose list is empty, which register to fill first (the register its picker
// opens, else the lookup's own label).
void TellEmptyRequiredLookups(QWidget& dialog);
// A lookup over `table` showing nazov_uplny by its ASCII shadow, keyed by
// jedin, at most 75 characters, message 1019 for an unknown name.
void SetupNameLookup(TIBComboBox& combo, const QString& table);
// A fishing-ground lookup over v_reviry_jux showing nazov_uplny.
void SetupRevirCombo(TIBComboBox& combo);
// A lookup of the union's local organisations (c_zo) by name, at most 25
// characters, message 1019 for an unknown name.
void SetupOrganisationCombo(TIBComboBox& combo);
// A lookup of the price-list items (c_ceniny) by name, message 1019 for an
// unknown name; the caller restricts it to its year.
void SetupPriceItemCombo(TIBComboBox& combo);
// The condition of the per-year code lists' combos: the rows of `year`.
TSqlCondition YearCondition(int year);

// Adds `control` to a list's filter panel after its label `caption` (none
// when empty); returns the label.
QLabel* AddFilterControl(QWidget& panel, const QString& caption, QWidget* control);
// A lookup combo named `name` added to a list's filter panel after its label
// `caption` (handed back in `label` when asked for), with a picker button
// over the list form `pickFrom` when one is named.
TIBComboBox* AddFilterCombo(QWidget& panel, const QString& caption, const QString& name, QLabel** label = nullptr,
                            const QString& pickFrom = QString());
// A check box named `name` added to a list's filter panel, its `text` left of the box.
TIBCheckBox* AddFilterCheck(QWidget& panel, const QString& name, const QString& text);
// Adds `condition` with the combo's key bound as `param` when a key is chosen.
void AddKeyFilter(TListQuery& q, const TIBComboBox& combo, const QString& condition, const QString& param);
// A member lookup over c_clenov showing nazov_uplny by its ASCII shadow,
// at most 75 characters, message 1019 for an unknown name.
void SetupMemberCombo(TIBComboBox& combo);
// The member lookup of a record's dialog: persons with a surname only.
void SetupMemberEntry(TIBComboBox& combo);
// Shows the list filtered to member `clen` chosen in its filter's
// `memberCombo`, modally (the member card's buttons).
void ShowForMember(TListForm& form, TIBComboBox& memberCombo, int clen);
// Adds a range condition on `column`: both bounds as a between (a reversed
// range read the right way round), else the one bound given; an invalid
// bound is none. The bounds are bound as `param`_OD and `param`_DO, so that
// two ranges of one list apply together.
void AddRangeFilter(TListQuery& q, const QString& column, const QString& param, QVariant from, QVariant to);
// A whole-number filter bound: 0 (or an empty edit) is no bound.
QVariant NumberBound(const TIBCurrencyEdit& edit);
// A business-partner lookup over c_partneri showing nazov_uplny, partners
// with a name only.
void SetupPartnerCombo(TIBComboBox& combo);

// Person following: the person data of a record that may be about a member or anyone else.
struct TPersonEdits {
  TIBEdit *Titul, *Meno, *Priezvisko, *Ulica, *PSC, *Mesto;
  TIBDate* DatumNarodenia; // null for a record that keeps no birth date
};
// Makes the member combo carry the person columns a choice copies (key
// values 2..8: title, first name, surname, street, postcode, town, birth date).
void SetupPersonKeys(TIBComboBox& memberCombo);
// With a member chosen, copies the member's person data into the edits and
// locks them (the member record holds them, and locked edits skip the
// required checks); without one, unlocks them for typing. Returns whether a member is chosen.
bool FollowMember(const TIBComboBox& memberCombo, const TPersonEdits& person);
// Binds the person columns a record keeps beside its member (title, first
// name, surname, street, postcode, town and, when kept, birth date), bound
// after the member so that a loaded member locks them; names, street and
// town are required.
void BindPersonFields(TDialogPattern& dlg, const TPersonEdits& person);
// One counterparty row of a dialog: its label, lookup combo and picker button.
struct TCounterpartyRow {
  QLabel* Label;
  TIBComboBox* Combo;
  TSpeedButton* Button;
};
// A member and a partner exclude each other: each row is shown only while
// the other's combo holds no key.
void ShowOneCounterparty(const TCounterpartyRow& member, const TCounterpartyRow& partner);
