#include "registers/members/GuardSupport.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "registers/members/MemberRecordsSupport.h"

TSpeedButton* TGuardRows::Picker(TIBComboBox& combo, const QString& name) {
  auto* button = new TSpeedButton(widget_);
  button->setObjectName(name);
  button->setFocusPolicy(Qt::NoFocus);
  Beside(button);
  QObject::connect(&combo, &TIBComboBox::OnCtrlEnter, button, &QToolButton::click);
  QObject::connect(&combo, &TIBComboBox::OnDblClick, button, &QToolButton::click);
  return button;
}

void SetupGuardCombo(TIBComboBox& combo) {
  SetupComboLook(combo);
  combo.SetSTableName(QStringLiteral("v_clenov_rs"));
  combo.SetSAppendFromField(QStringLiteral("nazov_uplny"));
  combo.SetSKeyField(QStringLiteral("jedin"));
  combo.SetSOrderBy(QStringLiteral("nazov_uplny"));
  // The view has no shadow column: the search folds the shown text itself.
  combo.SetSUseBasicASCIIColumn(false);
  combo.lineEdit()->setMaxLength(75);
  combo.SetSNotFoundErrorText(1019);
  combo.SetSetFocusIfNotFound(true);
  combo.SetRequired(true);
}

