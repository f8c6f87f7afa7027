#include "registers/permits/fPVlastnaProdukcia.h"
#include "app/AppContext.h"
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "controls/IBComboBox.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/permits/PermitPrints.h"
#include <QtWidgets/QVBoxLayout>

TfrmPVlastnaProdukcia::TfrmPVlastnaProdukcia(QWidget* owner, quint16 rok) : TPrintParametersForm(owner), rok_(rok) {
  SetCaption(QStringLiteral("Tlač prehľadu hospodárenia revíru..."));
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  eDBRevir->SetSWhere(YearCondition(rok));
  eDBRevir->SetRequired(true);
  eDBRevir->setMinimumWidth(420);
  eDBRevir->ClearValue();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(controls.Widget());
  const TButtons buttons = AddButtons(*layout, {.CancelCaption = QStringLiteral("&Nezapíš"), .Images = true});
  btnZapis = buttons.Ok;
  btnNezapis = buttons.Cancel;
}

TfrmPVlastnaProdukcia::~TfrmPVlastnaProdukcia() = default;

void TfrmPVlastnaProdukcia::FormShow() { eDBRevir->setFocus(); }

void TfrmPVlastnaProdukcia::btnZapisClick() {
  if (CheckRequiredInputs(*this)) return;
  try {
    // The ground as its row holds it: a completion still in the combo shows
    // the typed letters as typed.
    PrintRegister(GroundPrint(eDBRevir->GetKeyValue().toInt(), eDBRevir->RowText(), rok_), rok_);
  } catch (...) {
    // Reported by the print protocol's handler and raised again: the dialog closes all the same.
    SetModalResult(mrOk);
    throw;
  }
  SetModalResult(mrOk);
}
