#include "registers/permits/fCZOPridaj.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterLayout.h"

TfrmCZOPridaj::TfrmCZOPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Číslo:"));
  eDBCislo = controls.Add<TIBCurrencyEdit>(QStringLiteral("eDBCislo"));
  eDBCislo->SetDecimals(0);
  eDBCislo->SetMaxLength(4);
  eDBCislo->SetAllowZero(true);
  eDBCislo->SetAllowNegative(true);
  // Shown as required; an empty number is saved as 0.
  eDBCislo->SetRequired(true);
  controls.Label(QStringLiteral("Názov:"));
  eDBNazov = controls.Add<TIBEdit>(QStringLiteral("eDBNazov"), 25);

  dlg.AddCaption = QStringLiteral("Pridanie základnej organizácie");
  dlg.EditCaption = QStringLiteral("Oprava základnej organizácie");
  dlg.Table = QStringLiteral("C_ZO");
  dlg.Field(QStringLiteral("CISLO"), eDBCislo);
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required().Unique();
  dlg.FormCreate(controls.Widget(), QSize(305, 81));
}

TfrmCZOPridaj::~TfrmCZOPridaj() = default;
