#include "registers/members/MemberRecordsSupport.h"
#include "app/AppContext.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBDate.h"
#include "core/DataSet.h"
#include "core/DateTime.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QHBoxLayout>

TPickerRow::TPickerRow(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  Combo = new TIBComboBox(this);
  Button = new TSpeedButton(this);
  Button->setText(QStringLiteral("..."));
  Button->setFocusPolicy(Qt::NoFocus);
  row->addWidget(Combo, 1);
  row->addWidget(Button);
  setFocusProxy(Combo);
  auto pick = [this] {
    if (OnPick) OnPick();
  };
  connect(Button, &TSpeedButton::clicked, this, pick);
  connect(Combo, &TIBComboBox::OnCtrlEnter, this, pick);
  connect(Combo, &TIBComboBox::OnDblClick, this, pick);
}

void SetupComboLook(TIBComboBox& combo) {
  combo.setFont(TRegisterLayout::EntryFont());
  combo.SetDatabase(MainDatabase());
  combo.SetSAutoAppend(true);
  combo.SetDropDownCount(30);
  combo.SetSTimerUse(true);
  combo.SetSTimerInterval(500);
}

void SetupMemberCombo(TIBComboBox& combo, bool required) {
  SetupComboLook(combo);
  combo.SetSTableName(QStringLiteral("c_clenov"));
  combo.SetSAppendFromField(QStringLiteral("nazov_uplny"));
  combo.SetSKeyField(QStringLiteral("jedin"));
  combo.SetSOrderBy(QStringLiteral("nazov_uplny"));
  combo.SetSUseBasicASCIIColumn(true);
  combo.lineEdit()->setMaxLength(75);
  combo.SetSNotFoundErrorText(1019);
  combo.SetRequired(required);
}

void SetupTextCombo(TIBComboBox& combo, const QString& table, const QString& column, int maxLength,
                    int notFoundMessage) {
  SetupComboLook(combo);
  combo.SetSTableName(table);
  combo.SetSAppendFromField(column);
  combo.SetSKeyField(column);
  // By position: the column is selected twice (shown and key), and its name
  // alone would be ambiguous to the server.
  combo.SetSOrderBy(QStringLiteral("1"));
  combo.SetSDistinct(true);
  if (maxLength > 0) combo.lineEdit()->setMaxLength(maxLength);
  combo.SetSNotFoundErrorText(notFoundMessage);
  // Without a message any new text is welcome: the list only suggests.
  combo.SetSetFocusIfNotFound(notFoundMessage != 0);
}

void SetupRevirCombo(TIBComboBox& combo, bool required) {
  SetupComboLook(combo);
  combo.SetSTableName(QStringLiteral("v_reviry_jux"));
  combo.SetSAppendFromField(QStringLiteral("nazov_uplny"));
  combo.SetSKeyField(QStringLiteral("jedin"));
  combo.SetSOrderBy(QStringLiteral("nazov_uplny"));
  combo.SetSUseBasicASCIIColumn(true);
  combo.lineEdit()->setMaxLength(75);
  combo.SetSNotFoundErrorText(1019);
  combo.SetRequired(required);
}

QVariant DateParam(const TIBDate& edit) {
  const QVariant value = edit.Date();
  if (value.isNull() || !value.isValid() || value.toDouble() == 0) return QVariant(QMetaType(QMetaType::QDate));
  return DateTime::ToDate(value.toDouble());
}

void LoadDate(TIBDate& edit, const TField& field) {
  edit.SetDate(field.IsNull() ? QVariant() : QVariant(DateTime::FromDate(field.AsVariant().toDate())));
}

QVariant KeyParam(const TIBComboBox& combo) {
  const QVariant key = combo.GetKeyValue();
  return key.isNull() || !key.isValid() ? QVariant() : key;
}

QString YearCondition(int year) { return QStringLiteral("rok=%1").arg(year); }
