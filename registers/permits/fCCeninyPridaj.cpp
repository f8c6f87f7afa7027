#include "registers/permits/fCCeninyPridaj.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"

TfrmCCeninyPridaj::TfrmCCeninyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBNazov = AddText(controls, QStringLiteral("Názov:"), QStringLiteral("eDBNazov"), 50);
  eDBCena = AddAmount(controls, QStringLiteral("Cena:\n(predajná)"), QStringLiteral("eDBCena"), 2, 14);
  eDBOdvodJUX = AddAmount(controls, QStringLiteral("Odvod:\n(pre JUX)"), QStringLiteral("eDBOdvodJUX"), 2, 14);
  for (TIBCurrencyEdit* money : {eDBCena, eDBOdvodJUX}) {
    money->SetAllowZero(true);
    money->SetAllowNegative(true);
  }
  eDBDoplnkovyUdaj = AddCheckRow(controls, QStringLiteral("Ponúkať zadanie doplnkového údaju:\n(číslo povolenky, ...)"),
                                 QStringLiteral("eDBDoplnkovyUdaj"), QString());
  controls.Label(QStringLiteral("Typ platby:"));
  eDBTypPlatby = controls.Add<TIBComboBox>(QStringLiteral("eDBTypPlatby"));
  SetupOptionCombo(*eDBTypPlatby, QStringLiteral("typ_platby"), QStringLiteral("text"));

  dlg.AddCaption = QStringLiteral("Pridanie ceniny, tlačiva");
  dlg.EditCaption = QStringLiteral("Oprava ceniny, tlačiva");
  dlg.Table = QStringLiteral("C_CENINY");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required();
  dlg.Field(QStringLiteral("CENA"), eDBCena);
  dlg.Field(QStringLiteral("ODVOD_JUX"), eDBOdvodJUX);
  // An add run of similar items keeps the box as the pass before left it.
  dlg.Field(QStringLiteral("DOPLNKOVY_UDAJ"), eDBDoplnkovyUdaj).Kept();
  dlg.Field(QStringLiteral("TYP_PLATBY"), eDBTypPlatby).Required();
  dlg.FormCreate(controls.Widget(), QSize(455, 170));
}

TfrmCCeninyPridaj::~TfrmCCeninyPridaj() = default;
