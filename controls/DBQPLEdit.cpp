#include "controls/DBQPLEdit.h"
#include "controls/DbGridBase.h"
#include "core/DataSet.h"
#include "core/gui/ColorConvert.h"
#include "core/ui/EventBoundary.h"
#include <QtGui/QFocusEvent>

TDBQPLEdit::TDBQPLEdit(QWidget* parent) : QLineEdit(parent) {
  setFont(QFont(QStringLiteral("Courier"), 10));
  SetColor(clBtnFace);
}

void TDBQPLEdit::SetColor(TColor color) {
  color_ = color;
  QPalette palette = this->palette();
  palette.setColor(QPalette::Base, ToQColor(color));
  setPalette(palette);
}

void TDBQPLEdit::SetDataSet(TDataSet* dataSet) {
  if (dataSet_) disconnect(dataSet_, nullptr, this, nullptr);
  dataSet_ = dataSet;
  if (dataSet_) {
    connect(dataSet_, &TDataSet::DataSetChanged, this, &TDBQPLEdit::ShowField);
    connect(dataSet_, &TDataSet::Scrolled, this, &TDBQPLEdit::ShowField);
    connect(dataSet_, &TDataSet::RecordChanged, this, &TDBQPLEdit::ShowField);
  }
  ShowField();
}

void TDBQPLEdit::SetDataField(const QString& field) {
  dataField_ = field;
  ShowField();
}

void TDBQPLEdit::SetDisplayFormat(const QString& format) {
  displayFormat_ = format;
  ShowField();
}

void TDBQPLEdit::ShowField() {
  const TField* field = dataSet_ && dataSet_->Active() ? dataSet_->FindField(dataField_) : nullptr;
  if (!field || dataSet_->IsEmpty())
    setText(QString());
  else if (!displayFormat_.isEmpty() && !field->IsNull())
    setText(FormatColumnNumber(displayFormat_, field->AsFloat()));
  else
    setText(field->AsString());
  setModified(false);
  setReadOnly(!dataSet_ || !dataSet_->CanModify());
}

void TDBQPLEdit::WriteField() {
  if (!isModified() || !dataSet_ || !dataSet_->CanModify() || dataSet_->IsEmpty()) return;
  TField* field = dataSet_->FindField(dataField_);
  if (!field) return;
  if (dataSet_->State() == TDataSetState::Browse) dataSet_->Edit();
  field->SetValue(text());
  setModified(false);
}

void TDBQPLEdit::focusInEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QLineEdit::focusInEvent(event);
    if (color_ != clAqua) remembered_ = color_; // not again when the window is reactivated
    SetColor(clAqua);
    selectAll();
    emit OnEnter();
  });
}

void TDBQPLEdit::focusOutEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QLineEdit::focusOutEvent(event);
    WriteField();
    SetColor(remembered_);
    emit OnExit();
  });
}
