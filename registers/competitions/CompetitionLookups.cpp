#include "registers/competitions/CompetitionLookups.h"
#include "controls/IBComboBox.h"
#include "registers/common/RegisterControls.h"
#include <QtWidgets/QLineEdit>

namespace {
void SetupNamedLookup(TIBComboBox& combo, const QString& table) {
  SetupComboLook(combo);
  combo.SetSTableName(table);
  combo.SetSAppendFromField(QStringLiteral("nazov"));
  combo.SetSKeyField(QStringLiteral("jedin"));
  combo.SetSOrderBy(QStringLiteral("nazov"));
  combo.lineEdit()->setMaxLength(50);
  combo.SetSNotFoundErrorText(1019);
}
} // namespace

void SetupLeagueCombo(TIBComboBox& combo) { SetupNamedLookup(combo, QStringLiteral("c_lig")); }

void SetupTeamCombo(TIBComboBox& combo) { SetupNamedLookup(combo, QStringLiteral("c_druzstva_pretekarov")); }
