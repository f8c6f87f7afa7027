#include "registers/competitions/LeagueRankingForm.h"
#include "app/MyUnitsForms.h"
#include "controls/IBComboBox.h"
#include "controls/UxPlacemnt.h"
#include "registers/common/DialogField.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/competitions/CompetitionLookups.h"
#include <QtWidgets/QVBoxLayout>

TLeagueRankingForm::TLeagueRankingForm(QWidget* owner, quint16 rok, const QString& caption)
    : TPrintParametersForm(owner), Rok(rok) {
  SetCaption(caption);
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Súťaž:"));
  eDBLiga = AddPickerCombo(controls, QStringLiteral("eDBLiga"), btnLiga, QStringLiteral("TfrmCLig"));
  SetupLeagueCombo(*eDBLiga);
  eDBLiga->SetRequired(true);
  eDBLiga->ClearValue();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(controls.Widget());
  const TButtons buttons =
      AddButtons(*layout, {.CancelCaption = QStringLiteral("&Netlač"), .CancelSkipsTheChecks = true});
  btnZapis = buttons.Ok;
  btnNezapis = buttons.Cancel;
  fp = new TUxFormPlacement(this);
  fp->setObjectName(QStringLiteral("fp"));
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(sizeHint().expandedTo(QSize(420, 80)));
}

TLeagueRankingForm::~TLeagueRankingForm() = default;

void TLeagueRankingForm::FormShow() { eDBLiga->setFocus(Qt::TabFocusReason); }

void TLeagueRankingForm::btnZapisClick() {
  if (CheckRequiredInputs(*this)) return;
  PrintRegister(Print(KeyParam(*eDBLiga).toInt()), Rok);
  SetModalResult(mrOk);
}
