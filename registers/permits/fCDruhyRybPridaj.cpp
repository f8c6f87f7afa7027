#include "registers/permits/fCDruhyRybPridaj.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"

TfrmCDruhyRybPridaj::TfrmCDruhyRybPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBNazov = AddText(controls, QStringLiteral("Názov:"), QStringLiteral("eDBNazov"), 50);
  controls.Label(QStringLiteral("Druh:"));
  eDBDruh = controls.Add<TIBComboBox>(QStringLiteral("eDBDruh"));
  SetupTextCombo(*eDBDruh, QStringLiteral("c_druhy_ryb"), QStringLiteral("druh"), 25, 0);
  eDBDruh->setToolTip(QStringLiteral("(kapor, lieň, karas, ...)"));
  controls.Label(QStringLiteral("Typ:"));
  eDBTyp = controls.Add<TIBComboBox>(QStringLiteral("eDBTyp"));
  SetupOptionCombo(*eDBTyp, QStringLiteral("typ_ryby"), QStringLiteral("poradie"));
  eDBSkratka = AddText(controls, QStringLiteral("Značka:"), QStringLiteral("eDBSkratka"), 10);
  eDBCislo = AddAmount(controls, QStringLiteral("Číslo:"), QStringLiteral("eDBCislo"), 0, 3);
  eDBCislo->SetAllowZero(true);
  eDBCislo->setToolTip(QStringLiteral("(číselné označenie podľa definície Rady JUX)"));
  eDBCena = AddAmount(controls, QStringLiteral("Cena:"), QStringLiteral("eDBCena"), 3, 14);
  eDBCena->SetAllowZero(true);
  eDBCena->SetAllowNegative(true);

  dlg.AddCaption = QStringLiteral("Pridanie druhu ryby");
  dlg.EditCaption = QStringLiteral("Oprava druhu ryby");
  dlg.Table = QStringLiteral("C_DRUHY_RYB");
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required().Unique();
  dlg.Field(QStringLiteral("DRUH"), eDBDruh).Required();
  dlg.Field(QStringLiteral("TYP"), eDBTyp).Required();
  dlg.Field(QStringLiteral("CENA"), eDBCena);
  dlg.Field(QStringLiteral("SKRATKA"), eDBSkratka);
  dlg.Field(QStringLiteral("CISLO"), eDBCislo).Required();
  // A new species starts as the first type of the list (an edit then loads its own).
  dlg.AfterClear = [this] { eDBTyp->FindFirst(); };
  dlg.FormCreate(controls.Widget(), QSize(455, 170));
}

TfrmCDruhyRybPridaj::~TfrmCDruhyRybPridaj() = default;
