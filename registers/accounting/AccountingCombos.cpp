#include "registers/accounting/AccountingCombos.h"
#include "controls/IBComboBox.h"
#include "registers/common/EntryRows.h"
#include <QtWidgets/QLineEdit>

void SetupDocumentKindCombo(TIBComboBox& combo) {
  SetupComboLook(combo);
  combo.SetSTableName(QStringLiteral("v_c_druhy_dokladov"));
  combo.SetSAppendFromField(QStringLiteral("nazov"));
  combo.SetSKeyField(0, QStringLiteral("jedin"));
  combo.SetSKeyField(1, QStringLiteral("skratka"));
  combo.SetSKeyField(2, QStringLiteral("typ"));
  // The abbreviation-first row of a kind comes first: a combo set from a key shows it.
  combo.SetSOrderBy(QStringLiteral("poradie,nazov"));
  combo.lineEdit()->setMaxLength(35);
  combo.SetSNotFoundErrorText(1019);
}

void SetupDirectionCombo(TIBComboBox& combo) { SetupOptionCombo(combo, QStringLiteral("smer_pohybu")); }
