#include "registers/competitions/LeagueRankingForm.h"
#include "app/MyUnitsForms.h"
#include "controls/IBComboBox.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "registers/common/DialogField.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/competitions/CompetitionLookups.h"
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QVBoxLayout>

TLeagueRankingForm::TLeagueRankingForm(QWidget* owner, quint16 rok, const QString& caption) : TPrintParametersForm(owner), Rok(rok) {
  SetCaption(caption);
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Súťaž:"));
  eDBLiga = AddPickerCombo(controls, QStringLiteral("eDBLiga"), btnLiga, QStringLiteral("TfrmCLig"));
  SetupLeagueCombo(*eDBLiga);
  eDBLiga->SetRequired(true);
  eDBLiga->ClearValue();
  btnZapis = new TQPLBtn(QStringLiteral(" &OK"), this);
  btnZapis->setObjectName(QStringLiteral("btnZapis"));
  btnNezapis = new TQPLBtn(QStringLiteral("&Netlač"), this);
  btnNezapis->setObjectName(QStringLiteral("btnNezapis"));
  btnNezapis->SetCancel(true);
  for (TQPLBtn* button : {btnZapis, btnNezapis}) {
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
  }
  connect(btnZapis, &QPushButton::clicked, this, &TLeagueRankingForm::btnZapisClick);
  connect(btnNezapis, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(controls.Widget());
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnZapis);
  buttons->addWidget(btnNezapis);
  layout->addLayout(buttons);
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
