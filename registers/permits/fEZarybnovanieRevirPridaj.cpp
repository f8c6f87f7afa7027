#include "registers/permits/fEZarybnovanieRevirPridaj.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBMemo.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"

TfrmEZarybnovanieRevirPridaj::TfrmEZarybnovanieRevirPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  eDBMnozstvo = AddAmount(controls, QStringLiteral("Množstvo:"), QStringLiteral("eDBMnozstvo"), 2, 14);
  eDBMnozstvo->SetAllowZero(true);
  eDBMnozstvo->SetAllowNegative(true);
  controls.Label(QStringLiteral(" Poznámky:\nCTRL+Enter = nový riadok"));
  eDBPoznamka = controls.Add<TIBMemo>(QStringLiteral("eDBPoznamka"));
  eDBPoznamka->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  dlg.AddCaption = QStringLiteral("Pridanie zarybňovaného revíra");
  dlg.EditCaption = QStringLiteral("Oprava zarybňovaného revíra");
  dlg.Table = QStringLiteral("E_ZARYBNOVANIE_REVIR");
  dlg.Field(QStringLiteral("E_ZARYBNOVANIE_ZDROJ")).WrittenOnly().InsertOnly().Saves([this] { return Zdroj; });
  // A new release happens on the day of its purchase, unless told otherwise.
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Default([this] { return DatumZdroja; });
  dlg.Field(QStringLiteral("C_REVIRY_JUX"), eDBRevir).Required();
  dlg.Field(QStringLiteral("MNOZSTVO"), eDBMnozstvo).Required();
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.FormCreate(controls.Widget(), QSize(520, 220));
}

TfrmEZarybnovanieRevirPridaj::~TfrmEZarybnovanieRevirPridaj() = default;

void TfrmEZarybnovanieRevirPridaj::FormShow() {
  // The grounds of the dialog's year.
  eDBRevir->SetSWhere(YearCondition(dlg.Rok));
  dlg.FormShow();
}
