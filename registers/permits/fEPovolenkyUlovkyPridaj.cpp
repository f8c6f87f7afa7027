#include "registers/permits/fEPovolenkyUlovkyPridaj.h"
#include "app/AppContext.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "db/SqlCondition.h"
#include "platform/MessageDialogs.h"
#include "registers/common/Picker.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/permits/PermitEntries.h"
#include "registers/permits/PermitRules.h"
#include "registers/permits/fCReviryJUX.h"
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLabel>
#include <cmath>

TfrmEPovolenkyUlovkyPridaj::TfrmEPovolenkyUlovkyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  edbZvazovy = AddCheckRow(controls, QStringLiteral("Úlovok v revíroch zväzu:"), QStringLiteral("edbZvazovy"),
                           QStringLiteral("(ponúkať všetky revíry zväzu)"));
  lblZvazovy = qobject_cast<QLabel*>(static_cast<QFormLayout*>(controls.Widget()->layout())->labelForField(edbZvazovy));
  controls.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  if (auto* row = qobject_cast<TPickerRow*>(eDBRevir->parentWidget())) row->OnPick = [this] { btnRevirClick(); };
  controls.Label(QStringLiteral("Ryba:"));
  eDBRyba = AddPickerCombo(controls, QStringLiteral("eDBRyba"), btnRyba, QStringLiteral("TfrmCDruhyRyb"));
  // Caught fish, not stocking fish or fry.
  SetupSpeciesCombo(*eDBRyba, QStringLiteral("typ=1"));
  eDBCenaMJ = AddAmount(controls, QStringLiteral("Cena:"), QStringLiteral("eDBCenaMJ"), 2, 14);
  eDBPocet = AddAmount(controls, QStringLiteral("Počet:"), QStringLiteral("eDBPocet"), 0, 5);
  eDBVaha = AddAmount(controls, QStringLiteral("Váha:"), QStringLiteral("eDBVaha"), 2, 14);
  // A line without a count or a weight says nothing.
  for (TIBCurrencyEdit* required : {eDBPocet, eDBVaha})
    required->SetAllowZero(false);
  eDBSpolu = AddAmount(controls, QStringLiteral("Spolu:"), QStringLiteral("eDBSpolu"), 2, 14);
  eDBSpolu->SetReadOnly(true);
  eDBSpolu->setFocusPolicy(Qt::NoFocus);
  for (TIBCurrencyEdit* money : {eDBCenaMJ, eDBSpolu})
    money->SetMoneyColor(true);

  dlg.AddCaption = QStringLiteral("Pridanie úlovku");
  dlg.EditCaption = QStringLiteral("Oprava úlovku");
  dlg.Table = QStringLiteral("E_ULOVKY");
  // A new line belongs to the year of the register it is entered from.
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("E_POVOLENKY2"))
      .WrittenOnly()
      .InsertOnly()
      .OwnerIn(QStringLiteral("E_POVOLENKY2"))
      .Saves([this] { return EPovolenky2; });
  dlg.Field(QStringLiteral("DATUM"), eDBDatum);
  // The box before the ground: it decides which grounds the combo finds.
  // After "Ďalší" the next line keeps both.
  dlg.Field(QStringLiteral("ZVAZOVY"), edbZvazovy).Kept();
  dlg.Field(QStringLiteral("C_REVIRY_JUX"), eDBRevir).Required().Kept();
  dlg.Field(QStringLiteral("C_DRUHY_RYB"), eDBRyba).Required();
  dlg.Field(QStringLiteral("CENA_MJ"), eDBCenaMJ);
  dlg.Field(QStringLiteral("POCET"), eDBPocet).Required();
  dlg.Field(QStringLiteral("VAHA"), eDBVaha).Required();
  dlg.Field(QStringLiteral("SPOLU"), eDBSpolu);
  dlg.AfterClear = [this] { edbZvazovyChange(); };
  dlg.CheckEntries = [this] { return CheckGuestGround(); };
  dlg.FormCreate(controls.Widget(), QSize(520, 250));

  connect(edbZvazovy, &QCheckBox::toggled, this, &TfrmEPovolenkyUlovkyPridaj::edbZvazovyChange);
  connect(eDBRyba, &TIBComboBox::OnExit, this, &TfrmEPovolenkyUlovkyPridaj::eDBRybaExit);
  for (TIBCurrencyEdit* factor : {eDBCenaMJ, eDBVaha})
    connect(factor, &QLineEdit::textChanged, this, &TfrmEPovolenkyUlovkyPridaj::RecomputeSpolu);
}

TfrmEPovolenkyUlovkyPridaj::~TfrmEPovolenkyUlovkyPridaj() = default;

TSqlCondition TfrmEPovolenkyUlovkyPridaj::GroundsOffered() const {
  const QVariant ownBranch = OrganisationKey(ProgramSettings.ZO_JEDIN);
  // Without the own branch in the settings there is no "own" ground: the
  // year's grounds are offered as with the box checked.
  if (edbZvazovy->isChecked() || ownBranch.isNull()) return YearCondition(dlg.Rok);
  return {QStringLiteral("rok=:ROK and c_zo=:ZO"),
          {{QStringLiteral("ROK"), int(dlg.Rok)}, {QStringLiteral("ZO"), ownBranch}}};
}

void TfrmEPovolenkyUlovkyPridaj::edbZvazovyChange() {
  eDBRevir->SetSWhere(GroundsOffered());
  // The chosen ground stays only when the new condition offers it.
  eDBRevir->FindIt(KeyParam(*eDBRevir));
}

void TfrmEPovolenkyUlovkyPridaj::FormShow() {
  const bool guestPermit = !Revir.isNull() && Revir.isValid();
  // A guest permit's lines are caught on its ground, in the union's waters.
  eDBRevir->SetReadOnly(guestPermit);
  btnRevir->setVisible(!guestPermit);
  for (QWidget* shown : {static_cast<QWidget*>(edbZvazovy), static_cast<QWidget*>(lblZvazovy)})
    shown->setVisible(!guestPermit);
  if (guestPermit) edbZvazovy->SetCheckedValue(1);
  dlg.FormShow();
  if (!guestPermit) return;
  // Also a line stored otherwise is the permit's ground's.
  edbZvazovy->SetCheckedValue(1);
  eDBRevir->FindIt(Revir);
}

bool TfrmEPovolenkyUlovkyPridaj::CheckGuestGround() {
  // The locked combo skips the required check: a permit's ground missing
  // from the year's grounds would store a line without a ground.
  if (!eDBRevir->ReadOnly() || !KeyParam(*eDBRevir).isNull()) return true;
  MessageDlg(QStringLiteral("Revír povolenky nie je medzi revírmi roku %1, úlovok nie je možné zapísať.").arg(dlg.Rok),
             TMsgDlgType::Error, TMsgDlgButtons(mbOK));
  return false;
}

void TfrmEPovolenkyUlovkyPridaj::btnRevirClick() {
  const QVariant ownBranch = OrganisationKey(ProgramSettings.ZO_JEDIN);
  if (edbZvazovy->isChecked() || ownBranch.isNull()) {
    PickFromList(*eDBRevir, QStringLiteral("TfrmCReviryJUX"), btnRevir);
    return;
  }
  // The grounds list filtered to the own branch's grounds, as the combo offers them.
  PickFromFilteredList(*eDBRevir, QStringLiteral("TfrmCReviryJUX"), btnRevir, [&ownBranch](TForm& list) {
    auto& grounds = dynamic_cast<TfrmCReviryJUX&>(list);
    grounds.eDBZO->FindIt(ownBranch);
    grounds.list.btnFilterClick(&grounds);
  });
}

void TfrmEPovolenkyUlovkyPridaj::eDBRybaExit() {
  // Only another species takes its price: a price typed by hand stays.
  const QVariant species = KeyParam(*eDBRyba);
  if (species.isNull() || species == eDBRyba->EntryKeyValue()) return;
  eDBCenaMJ->SetValue(eDBRyba->GetKeyValue2().toDouble());
}

void TfrmEPovolenkyUlovkyPridaj::RecomputeSpolu() {
  eDBSpolu->SetValue(std::round(eDBCenaMJ->Value() * eDBVaha->Value() * 100) / 100);
}
