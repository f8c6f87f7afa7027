#include "registers/permits/fEKrmeniaPridaj.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBMemo.h"
#include "core/DateTime.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"

TfrmEKrmeniaPridaj::TfrmEKrmeniaPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  controls.Label(QStringLiteral("Krmivo:"));
  eDBKrmivo = AddPickerCombo(controls, QStringLiteral("eDBKrmivo"), btnKrmivo, QStringLiteral("TfrmCKrmiv"));
  SetupComboLook(*eDBKrmivo);
  eDBKrmivo->SetSTableName(QStringLiteral("c_krmiv"));
  eDBKrmivo->SetSAppendFromField(QStringLiteral("nazov"));
  eDBKrmivo->SetSKeyField(QStringLiteral("jedin"));
  eDBKrmivo->SetSOrderBy(QStringLiteral("nazov"));
  eDBKrmivo->SetSNotFoundErrorText(1019);
  eDBJC = AddAmount(controls, QStringLiteral("Jed. cena"), QStringLiteral("eDBJC"), 2, 14);
  eDBMnozstvo = AddAmount(controls, QStringLiteral("Množstvo"), QStringLiteral("eDBMnozstvo"), 2, 14);
  controls.Label(QStringLiteral("Merná jednotka"));
  eDBMJ = controls.Add<TIBComboBox>(QStringLiteral("eDBMJ"));
  SetupTextCombo(*eDBMJ, QStringLiteral("e_krmenia"), QStringLiteral("mj"), 10, 0);
  eDBSpolu = AddAmount(controls, QStringLiteral("Spolu"), QStringLiteral("eDBSpolu"), 2, 14);
  eDBSpolu->SetReadOnly(true);
  eDBSpolu->setFocusPolicy(Qt::NoFocus);
  for (TIBCurrencyEdit* edit : {eDBJC, eDBMnozstvo})
    connect(edit, &QLineEdit::textChanged, this, &TfrmEKrmeniaPridaj::PrepocitajSpolu);
  eDBPoznamka = AddNoteMemo(controls);

  dlg.AddCaption = QStringLiteral("Pridanie kŕmenia do evidencie");
  dlg.EditCaption = QStringLiteral("Oprava kŕmenia do evidencie");
  dlg.Table = QStringLiteral("E_KRMENIA");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Default([] { return DateTime::Today(); });
  dlg.Field(QStringLiteral("C_REVIRY_JUX"), eDBRevir).Required();
  dlg.Field(QStringLiteral("C_KRMIV"), eDBKrmivo).Required();
  dlg.Field(QStringLiteral("JC"), eDBJC);
  dlg.Field(QStringLiteral("MNOZSTVO"), eDBMnozstvo).Required();
  dlg.Field(QStringLiteral("MJ"), eDBMJ).Required();
  dlg.Field(QStringLiteral("SPOLU"), eDBSpolu);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.AfterClear = [this] { PrepocitajSpolu(); };
  dlg.FormCreate(controls.Widget(), QSize(560, 330));
}

TfrmEKrmeniaPridaj::~TfrmEKrmeniaPridaj() = default;

void TfrmEKrmeniaPridaj::FormShow() {
  // The grounds and feeds of the dialog's year.
  eDBRevir->SetSWhere(YearCondition(dlg.Rok));
  eDBKrmivo->SetSWhere(YearCondition(dlg.Rok));
  dlg.FormShow();
}

void TfrmEKrmeniaPridaj::PrepocitajSpolu() {
  // A half-typed number counts as 0 until it reads as one.
  const auto amount = [](const TIBCurrencyEdit* edit) {
    try {
      return edit->Value();
    } catch (const EConvertError&) {
      return 0.0;
    }
  };
  eDBSpolu->SetValue(amount(eDBJC) * amount(eDBMnozstvo));
}
