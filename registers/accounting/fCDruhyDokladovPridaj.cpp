#include "registers/accounting/fCDruhyDokladovPridaj.h"
#include "controls/IBComboBox.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"

TfrmCDruhyDokladovPridaj::TfrmCDruhyDokladovPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBSkratka = AddText(controls, QStringLiteral("Skratka:"), QStringLiteral("eDBSkratka"), 5);
  eDBNazov = AddText(controls, QStringLiteral("Názov:"), QStringLiteral("eDBNazov"), 25);
  controls.Label(QStringLiteral("Typ:"));
  eDBTyp = controls.Add<TIBComboBox>(QStringLiteral("eDBTyp"));
  SetupOptionCombo(*eDBTyp, QStringLiteral("druh_dokladu"), QStringLiteral("text"));

  dlg.AddCaption = QStringLiteral("Pridanie druhu dokladu");
  dlg.EditCaption = QStringLiteral("Oprava druhu dokladu");
  dlg.Table = QStringLiteral("C_DRUHY_DOKLADOV");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("SKRATKA"), eDBSkratka).Required();
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required();
  dlg.Field(QStringLiteral("TYP"), eDBTyp).Required();
  // The year's abbreviations are unique (UK_C_DRUHY_DOKLADOV_ROK_SKRATKA, message 2007).
  dlg.SaveFailed = [this](int reported) {
    if (reported == 2007) eDBSkratka->setFocus();
  };
  dlg.FormCreate(controls.Widget(), QSize(340, 85));
}

TfrmCDruhyDokladovPridaj::~TfrmCDruhyDokladovPridaj() = default;
