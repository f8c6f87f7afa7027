#include "registers/permits/PermitEntries.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/UxPlacemnt.h"
#include "core/Exception.h"
#include "registers/accounting/AccountingRows.h"
#include "registers/common/DialogField.h"
#include "registers/common/DialogPattern.h"
#include "registers/common/DialogQueries.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "util/MoneyArithmetic.h"

namespace {
const QString kKindMemory = QStringLiteral("Druh_Dokladu");
}

void SetupSoldItemCombo(TIBComboBox& combo) {
  SetupPriceItemCombo(combo);
  const char* const keys[] = {"cena", "odvod_jux", "doplnkovy_udaj", "typ_platby"};
  for (int i = 0; i < 4; ++i)
    combo.SetSKeyField(i + 1, QString::fromLatin1(keys[i]));
}

void SetupSpeciesCombo(TIBComboBox& combo, const QString& types) {
  SetupComboLook(combo);
  combo.SetSTableName(QStringLiteral("c_druhy_ryb"));
  combo.SetSAppendFromField(QStringLiteral("nazov"));
  combo.SetSKeyField(QStringLiteral("jedin"));
  combo.SetSKeyField(1, QStringLiteral("cena"));
  combo.SetSOrderBy(QStringLiteral("nazov"));
  combo.SetSWhere(types);
  combo.SetSNotFoundErrorText(1019);
}

double PermitAmount(const TIBCurrencyEdit& edit) {
  try {
    return edit.Value();
  } catch (const Exception&) {
    return 0;
  }
}

TIBCurrencyEdit* AddPermitAmount(TRegisterLayout& controls, const char* label, const char* name) {
  TIBCurrencyEdit* edit = AddAmount(controls, QString::fromUtf8(label), QString::fromLatin1(name), 2, 14);
  edit->SetAllowZero(true);
  edit->SetAllowNegative(true);
  return edit;
}

double PermitShare(const TIBCurrencyEdit& price, const TIBCurrencyEdit& levy) {
  return FromCents(ToCents(PermitAmount(price)) - ToCents(PermitAmount(levy)));
}

TPermitDocumentKind::TPermitDocumentKind(TRegisterLayout& controls, TDialogPattern& dlg, const char* label)
    : dlg_(dlg) {
  controls.Label(QString::fromUtf8(label));
  Combo = AddPickerCombo(controls, QStringLiteral("eDBDruhDokladu"), Button, QStringLiteral("TfrmCDruhyDokladov"));
  SetupDocumentKindCombo(*Combo);
  Combo->setToolTip(QStringLiteral("Udáva, že sa platba zaeviduje pod ktorým druhom dokladu buda platba zaevidovaná."));
  Combo->SetRequired(true);
}

void TPermitDocumentKind::Clear() {
  Lock(false);
  Combo->SetSWhere({QStringLiteral("rok=:ROK and typ between 1 and 2"), {{QStringLiteral("ROK"), int(dlg_.Rok)}}});
  Combo->FindIt(dlg_.fp->ReadInteger(kKindMemory, 0));
  if (!KeyParam(*Combo).isNull()) return;
  // Nothing kept: a permit is paid in cash unless the user says otherwise, so
  // the first cash kind of the year, and the first of the list only without one.
  const std::optional<qint64> cash = SelectNumber(dlg_,
                                                  QStringLiteral("select first 1 jedin from v_c_druhy_dokladov\n"
                                                                 "where rok=:ROK and typ=1 order by poradie,nazov"),
                                                  {{QStringLiteral("ROK"), int(dlg_.Rok)}});
  if (cash) Combo->FindIt(*cash);
  if (KeyParam(*Combo).isNull()) Combo->FindFirst();
}

void TPermitDocumentKind::Load(const QVariant& skratka) {
  if (skratka.isNull() || !skratka.isValid()) return;
  Combo->FindIt3(skratka);
  Lock(true);
}

void TPermitDocumentKind::Remember() { dlg_.fp->WriteInteger(kKindMemory, KeyParam(*Combo).toInt()); }

QVariant TPermitDocumentKind::Skratka() const { return Combo->GetKeyValue2(); }

QVariant TPermitDocumentKind::Typ() const { return Combo->GetKeyValue3(); }

void TPermitDocumentKind::Lock(bool locked) {
  Combo->SetReadOnly(locked);
  Button->setVisible(!locked);
}
