#include "registers/common/DialogField.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "controls/IBTime.h"
#include "core/DataSet.h"
#include "core/DateTime.h"
#include <cmath>

QVariant DateParam(const TIBDate& edit) {
  const QVariant value = edit.Date();
  if (value.isNull() || !value.isValid() || value.toDouble() == 0) return QVariant(QMetaType(QMetaType::QDate));
  return DateTime::ToDate(value.toDouble());
}

QVariant DateBound(const TIBDate& edit) {
  const QVariant date = DateParam(edit);
  return date.isNull() ? QVariant() : date;
}

void LoadDate(TIBDate& edit, const TField& field) {
  LoadDate(edit, field.IsNull() ? QDate() : field.AsVariant().toDate());
}

void LoadDate(TIBDate& edit, const QDate& date) {
  edit.SetDate(date.isValid() ? QVariant(DateTime::FromDate(date)) : QVariant());
}

QVariant TimeParam(const TIBTime& edit) {
  const QVariant time = edit.Time();
  if (time.isNull() || !time.isValid()) return QVariant(QMetaType(QMetaType::QTime));
  return DateTime::ToTime(time.toDouble());
}

void LoadTime(TIBTime& edit, const TField& field) {
  if (field.IsNull())
    edit.Clear();
  else
    edit.SetTime(DateTime::FromTime(field.AsVariant().toTime()));
}

QVariant KeyParam(const TIBComboBox& combo) {
  const QVariant key = combo.GetKeyValue();
  return key.isNull() || !key.isValid() ? QVariant() : key;
}

bool HoldsOwnText(const TIBComboBox& combo) { return combo.SKeyField() == combo.SAppendFromField(); }

namespace {

// A control's value as its column takes it.
QVariant ControlValue(const QWidget* control) {
  if (const auto* edit = qobject_cast<const TIBEdit*>(control)) return edit->text();
  if (const auto* combo = qobject_cast<const TIBComboBox*>(control))
    return HoldsOwnText(*combo) ? QVariant(combo->currentText()) : KeyParam(*combo);
  if (const auto* number = qobject_cast<const TIBCurrencyEdit*>(control)) {
    const double value = number->Value();
    return number->Decimals() == 0 ? QVariant(qint64(std::trunc(value))) : QVariant(value);
  }
  if (const auto* date = qobject_cast<const TIBDate*>(control)) return DateParam(*date);
  if (const auto* time = qobject_cast<const TIBTime*>(control)) return TimeParam(*time);
  if (const auto* box = qobject_cast<const TIBCheckBox*>(control)) return int(box->CheckedValue());
  if (const auto* memo = qobject_cast<const TIBMemo*>(control)) return memo->toPlainText();
  return {};
}

// Puts a value into the control; an invalid value empties it.
void Show(QWidget* control, const QVariant& value) {
  const bool empty = !value.isValid();
  if (auto* edit = qobject_cast<TIBEdit*>(control)) {
    edit->setText(value.toString());
  } else if (auto* combo = qobject_cast<TIBComboBox*>(control)) {
    if (empty)
      combo->ClearValue();
    else
      combo->FindIt(value);
  } else if (auto* number = qobject_cast<TIBCurrencyEdit*>(control)) {
    if (empty)
      number->clear();
    else
      number->SetValue(value.toDouble());
  } else if (auto* date = qobject_cast<TIBDate*>(control)) {
    date->SetDate(value);
  } else if (auto* time = qobject_cast<TIBTime*>(control)) {
    if (empty)
      time->Clear();
    else
      time->SetTime(value);
  } else if (auto* box = qobject_cast<TIBCheckBox*>(control)) {
    box->SetCheckedValue(quint8(value.toInt()));
  } else if (auto* memo = qobject_cast<TIBMemo*>(control)) {
    memo->setPlainText(value.toString());
  }
}

} // namespace

void TDialogField::Load(const TField& field) const {
  if (load_) {
    load_(field);
  } else if (auto* date = qobject_cast<TIBDate*>(control_)) {
    LoadDate(*date, field);
  } else if (auto* time = qobject_cast<TIBTime*>(control_)) {
    LoadTime(*time, field);
  } else if (qobject_cast<TIBCurrencyEdit*>(control_) || qobject_cast<TIBCheckBox*>(control_)) {
    Show(control_, field.IsNull() ? QVariant(0) : field.AsVariant());
  } else if (control_) {
    // A combo finds the row of its key; Null empties it.
    Show(control_, field.IsNull() ? QVariant() : field.AsVariant());
  }
}

void TDialogField::Clear() const {
  if (control_) Show(control_, default_ ? default_() : QVariant());
}

QVariant TDialogField::Value() const {
  const QVariant value = save_ ? save_() : ControlValue(control_);
  if (Has(TFieldRule::ZeroIsNull) && value.toDouble() == 0) return QVariant(QMetaType(QMetaType::Int));
  return value;
}

void TDialogField::ApplyRules() const {
  if (!Has(TFieldRule::Required)) return;
  if (auto* edit = qobject_cast<TIBEdit*>(control_)) edit->SetRequired(true);
  if (auto* combo = qobject_cast<TIBComboBox*>(control_)) combo->SetRequired(true);
  if (auto* number = qobject_cast<TIBCurrencyEdit*>(control_)) number->SetRequired(true);
  if (auto* date = qobject_cast<TIBDate*>(control_)) date->SetRequired(true);
}
