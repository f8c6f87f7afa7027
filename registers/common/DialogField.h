#pragma once
#include <QtCore/QDate>
#include <QtCore/QFlags>
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <functional>

class QWidget;
class TField;
class TIBComboBox;
class TIBDate;
class TIBTime;

// The values of the data-entry controls as columns take them: a date edit's
// date as a date parameter (Null when empty), a time edit's time (Null when
// empty), a combo's key (Null when no row is chosen); and a date or time
// column put into its edit (Null empties it).
QVariant DateParam(const TIBDate& edit);
QVariant KeyParam(const TIBComboBox& combo);
// A date edit's date as a filter bound: invalid (no bound) when empty.
QVariant DateBound(const TIBDate& edit);
void LoadDate(TIBDate& edit, const TField& field);
// A date put into its edit (an invalid date empties it).
void LoadDate(TIBDate& edit, const QDate& date);
QVariant TimeParam(const TIBTime& edit);
void LoadTime(TIBTime& edit, const TField& field);
// True for a combo whose key is its own text (a town, a description).
bool HoldsOwnText(const TIBComboBox& combo);

// What a field's column is to its dialog.
enum class TFieldRule {
  Required = 0x1,     // the control refuses a blank entry (message 1001)
  Unique = 0x2,       // a text no other row of the table holds (message 1004)
  UniqueInYear = 0x4, // a text no other row of the dialog's year holds
  ShownOnly = 0x8,    // loaded into its control, never written
  WrittenOnly = 0x10, // written, never loaded (a value the dialog computes or a parent's key)
  InsertOnly = 0x20,  // written when the row is added, never changed afterwards
  Kept = 0x40,        // keeps its entry from one pass of an add run to the next
  ZeroIsNull = 0x80,  // a number: 0 is written as Null (a year not given)
};
Q_DECLARE_FLAGS(TFieldRules, TFieldRule)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFieldRules)

// One column of a dialog's row, tied to the control that shows it. How the
// value travels follows from the control: a text edit its text, a lookup
// combo its key (or its text, when the combo's key is its own text), a
// number edit its value (whole numbers truncated when it has no decimals), a
// date edit its date, a time edit its time (Null when empty), a check box
// 0 or 1, a memo its text.
// A field without a control writes what `Saves` gives. The setters return
// the field, so that a dialog declares a field in one statement:
//
//   dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required().Unique();
class TDialogField {
public:
  TDialogField(QString column, QWidget* control) : column_(std::move(column)), control_(control) {}

  TDialogField& Required() { return Rule(TFieldRule::Required); }
  TDialogField& Unique() { return Rule(TFieldRule::Unique); }
  TDialogField& UniqueInYear() { return Rule(TFieldRule::UniqueInYear); }
  TDialogField& ShownOnly() { return Rule(TFieldRule::ShownOnly); }
  TDialogField& WrittenOnly() { return Rule(TFieldRule::WrittenOnly); }
  TDialogField& InsertOnly() { return Rule(TFieldRule::InsertOnly); }
  TDialogField& Kept() { return Rule(TFieldRule::Kept); }
  TDialogField& ZeroIsNull() { return Rule(TFieldRule::ZeroIsNull); }
  TDialogField& Rule(TFieldRule rule) {
    rules_ |= rule;
    return *this;
  }
  // The control's value in a new row (else it is emptied); asked at every
  // pass, so that "today" is today.
  TDialogField& Default(std::function<QVariant()> value) {
    default_ = std::move(value);
    return *this;
  }
  TDialogField& Default(const QVariant& value) {
    return Default([value] { return value; });
  }
  // The column's value in the placeholder row of a dialog that has one.
  TDialogField& Placeholder(const QVariant& value) {
    placeholder_ = value;
    return *this;
  }
  // Where the column's value takes another way than the control's own.
  TDialogField& Loads(std::function<void(const TField&)> load) {
    load_ = std::move(load);
    return *this;
  }
  TDialogField& Saves(std::function<QVariant()> save) {
    save_ = std::move(save);
    return *this;
  }
  // The insert (and a placeholder insert) gives the column this SQL
  // expression instead of a bound value: a number taken inside the insert,
  // so that two workstations never both take it. Its only parameter may be
  // :ROK, the dialog's year.
  TDialogField& InsertedAs(const QString& expression) {
    insertedAs_ = expression;
    return *this;
  }

  // The column is another row's that goes with the dialog's row (the
  // payment's note shown on a permit's return): the row of `table` whose
  // key `keySql` selects from the dialog's row, bound as :JEDIN. The
  // dialog's LoadSql reads it as the row's own columns; a save writes it
  // after the row, in the same transaction, and compares its loaded value
  // there as it compares the row's own.
  TDialogField& OfRow(const QString& table, const QString& keySql) {
    rowTable_ = table;
    rowKey_ = keySql;
    return *this;
  }

  // The column holds the key of the row's owner in `table` (a payment's
  // item its payment): a save finds the owner and holds it until it
  // commits, and refuses like a deleted row when another workstation
  // deleted it meanwhile.
  TDialogField& OwnerIn(const QString& table) {
    ownerTable_ = table;
    return *this;
  }

  const QString& Column() const { return column_; }
  QWidget* Control() const { return control_; }
  bool Has(TFieldRule rule) const { return rules_.testFlag(rule); }
  bool Loaded() const { return !Has(TFieldRule::WrittenOnly); }
  bool Written() const { return !Has(TFieldRule::ShownOnly); }
  const QVariant& PlaceholderValue() const { return placeholder_; }
  const QString& InsertExpression() const { return insertedAs_; }
  bool OwnRow() const { return rowTable_.isEmpty(); }
  const QString& RowTable() const { return rowTable_; }
  const QString& RowKey() const { return rowKey_; }
  const QString& OwnerTable() const { return ownerTable_; }

  // The control takes the column's value, or its add-mode value, or nothing.
  void Load(const TField& field) const;
  void Clear() const;
  // The value the row's column is written with.
  QVariant Value() const;
  // Makes the control show the field's rules (required colour and check).
  void ApplyRules() const;

private:
  QString column_;
  QWidget* control_;
  TFieldRules rules_;
  std::function<QVariant()> default_;
  QVariant placeholder_;
  std::function<void(const TField&)> load_;
  std::function<QVariant()> save_;
  QString insertedAs_;
  QString rowTable_, rowKey_;
  QString ownerTable_;
};
