#include "registers/members/GuardSupport.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "registers/members/MemberRecordsSupport.h"

TSpeedButton* TGuardRows::Picker(TIBComboBox& combo, const QString& name, const QString& formName) {
  TSpeedButton* button = NewPickerButton(combo, widget_, formName);
  button->setObjectName(name);
  Beside(button);
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
}
