#include "registers/common/RegisterControls.h"
#include "app/AppContext.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QLineEdit>

TIBEdit* AddText(TRegisterLayout& controls, const QString& label, const QString& name, int maxLength) {
  controls.Label(label);
  return controls.Add<TIBEdit>(name, maxLength);
}

TIBCurrencyEdit* AddAmount(TRegisterLayout& controls, const QString& label, const QString& name, int decimals,
                           int maxLength) {
  controls.Label(label);
  auto* edit = controls.Add<TIBCurrencyEdit>(name);
  edit->SetDecimals(decimals);
  edit->SetMaxLength(maxLength);
  return edit;
}

TIBCheckBox* AddCheckRow(TRegisterLayout& controls, const QString& label, const QString& name, const QString& text) {
  controls.Label(label);
  auto* box = controls.Add<TIBCheckBox>(name);
  box->setText(text);
  box->setLayoutDirection(Qt::RightToLeft);
  return box;
}

void SetupComboLook(TIBComboBox& combo) {
  combo.setFont(TRegisterLayout::EntryFont());
  combo.SetDatabase(MainDatabase());
  combo.SetSAutoAppend(true);
  combo.SetDropDownCount(30);
  combo.SetSTimerUse(true);
  combo.SetSTimerInterval(500);
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

void SetupOptionCombo(TIBComboBox& combo, const QString& zaradenie, const QString& orderBy) {
  SetupComboLook(combo);
  combo.SetSTableName(QStringLiteral("ponuky"));
  combo.SetSAppendFromField(QStringLiteral("text"));
  combo.SetSKeyField(QStringLiteral("cislo"));
  combo.SetSWhere({QStringLiteral("zaradenie=:ZARADENIE"), {{QStringLiteral("ZARADENIE"), zaradenie}}});
  combo.SetSOrderBy(orderBy);
  combo.SetSNotFoundErrorText(1019);
}
