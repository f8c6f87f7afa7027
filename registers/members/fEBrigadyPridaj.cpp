#include "registers/members/fEBrigadyPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "core/DateTime.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"
#include <QtWidgets/QLabel>

double PrivateCarCost(double spotreba, double km, double cenaPaliva, double nahrada) {
  const long double fuel = (static_cast<long double>(km) / 100) * spotreba * cenaPaliva;
  return double(fuel + static_cast<long double>(nahrada) * km);
}

TfrmEBrigadyPridaj::TfrmEBrigadyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, QStringLiteral("TfrmCClenov"));
  SetupMemberEntry(*eDBClen);
  controls.Label(QStringLiteral("Typ:"));
  eDBTypyBrigad =
      AddPickerCombo(controls, QStringLiteral("eDBTypyBrigad"), btnTypyBrigad, QStringLiteral("TfrmCTypyBrigad"));
  SetupTextCombo(*eDBTypyBrigad, QStringLiteral("c_typy_brigad"), QStringLiteral("nazov"), 50, 0);
  eDBTypyBrigad->SetSKeyField(QStringLiteral("jedin"));
  eDBTypyBrigad->SetSOrderBy(QStringLiteral("nazov"));
  eDBTypyBrigad->SetSetFocusIfNotFound(true); // a type of another year: no message, the focus stays
  controls.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  eDBHodiny = AddAmount(controls, QStringLiteral("Hodiny:"), QStringLiteral("eDBHodiny"), 1, 14);
  controls.Label(QStringLiteral("Popis:"));
  eDBPopis = controls.Add<TIBComboBox>(QStringLiteral("eDBPopis"));
  SetupTextCombo(*eDBPopis, QStringLiteral("e_brigady"), QStringLiteral("popis"), 50, 0);
  connect(eDBPopis, &TIBComboBox::OnEnter, this, &TfrmEBrigadyPridaj::eDBPopisEnter);
  eDBSukromneVozidlo = AddCheckRow(controls, QStringLiteral(" Vozidlo: "), QStringLiteral("eDBSukromneVozidlo"),
                                   QStringLiteral("Súkromné vozidlo:"));
  eDBSPZ = AddText(controls, QStringLiteral("Evid. zn.:"), QStringLiteral("eDBSPZ"), 15);
  eDBTyp = AddText(controls, QStringLiteral("Typ:"), QStringLiteral("eDBTyp"), 15);
  eDBSpotreba = AddAmount(controls, QStringLiteral("Spotreba (lit./100km):"), QStringLiteral("eDBSpotreba"), 2, 5);
  eDBNahrada = AddAmount(controls, QStringLiteral("Náhrada (Sk/km):"), QStringLiteral("eDBNahrada"), 2, 5);
  // Whole kilometres: the column keeps an integer, so the total must be computed from one.
  eDBKM = AddAmount(controls, QStringLiteral("Najazdené (km):"), QStringLiteral("eDBKM"), 0, 14);
  eDBCenaPaliva = AddAmount(controls, QStringLiteral("Cena PHM (Sk/lit.):"), QStringLiteral("eDBCenaPaliva"), 2, 14);
  eDBSpolu = AddAmount(controls, QStringLiteral("Spolu k úhrade (Sk):"), QStringLiteral("eDBSpolu"), 2, 14);
  eDBSpolu->SetReadOnly(true);
  eDBSpolu->setFocusPolicy(Qt::NoFocus);
  for (TIBCurrencyEdit* edit : {eDBSpotreba, eDBNahrada, eDBKM, eDBCenaPaliva})
    connect(edit, &QLineEdit::textChanged, this, &TfrmEBrigadyPridaj::PrepocitajSpolu);
  eDBUhradene = AddCheckRow(controls, QString(), QStringLiteral("eDBUhradene"),
                            QStringLiteral("Použitie súkromného vozidla uhradené:"));
  eDBPoznamka = AddNoteMemo(controls);

  dlg.AddCaption = QStringLiteral("Pridanie brigády");
  dlg.EditCaption = QStringLiteral("Oprava brigády");
  dlg.Table = QStringLiteral("E_BRIGADY");
  dlg.PerYear = true;
  // One work event for several members: a new pass keeps everything but the member.
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen).Required();
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Kept().Default([] { return DateTime::Today(); });
  dlg.Field(QStringLiteral("HODINY"), eDBHodiny).Kept();
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka).Kept().Saves([this] {
    return eDBPoznamka->toPlainText().trimmed();
  });
  dlg.Field(QStringLiteral("POPIS"), eDBPopis).Required().Kept();
  dlg.Field(QStringLiteral("C_TYPY_BRIGAD"), eDBTypyBrigad).Required().Kept();
  dlg.Field(QStringLiteral("C_REVIRY_JUX"), eDBRevir).Kept();
  dlg.Field(QStringLiteral("SUKROMNE_VOZIDLO"), eDBSukromneVozidlo).Kept();
  dlg.Field(QStringLiteral("SPZ"), eDBSPZ).Kept();
  dlg.Field(QStringLiteral("TYP"), eDBTyp).Kept();
  dlg.Field(QStringLiteral("SPOTREBA"), eDBSpotreba).Kept();
  dlg.Field(QStringLiteral("NAHRADA"), eDBNahrada).Kept();
  dlg.Field(QStringLiteral("KM"), eDBKM).Kept();
  dlg.Field(QStringLiteral("CENA_PALIVA"), eDBCenaPaliva).Kept();
  // Without a private car there is nothing to pay.
  dlg.Field(QStringLiteral("UHRADENE"), eDBUhradene).Kept().Default(1).Saves([this] {
    return eDBSukromneVozidlo->CheckedValue() == 1 ? int(eDBUhradene->CheckedValue()) : 1;
  });
  dlg.Field(QStringLiteral("AUTO_SPOLU"), eDBSpolu).WrittenOnly().Kept();
  dlg.AfterClear = [this] { PrepocitajSpolu(); };
  dlg.FormCreate(controls.Widget(), QSize(752, 357));
}

TfrmEBrigadyPridaj::~TfrmEBrigadyPridaj() = default;

void TfrmEBrigadyPridaj::FormShow() {
  // The types and grounds of the dialog's year: a record of the year before keeps its own.
  eDBTypyBrigad->SetSWhere(YearCondition(dlg.Rok));
  eDBRevir->SetSWhere(YearCondition(dlg.Rok));
  dlg.FormShow();
}

void TfrmEBrigadyPridaj::PrepocitajSpolu() {
  auto value = [](const TIBCurrencyEdit* edit) {
    try {
      return edit->Value();
    } catch (const EConvertError&) {
      return 0.0;
    }
  };
  eDBSpolu->SetValue(PrivateCarCost(value(eDBSpotreba), value(eDBKM), value(eDBCenaPaliva), value(eDBNahrada)));
}

void TfrmEBrigadyPridaj::eDBPopisEnter() {
  if (dlg.Mode() != TDialogMode::Add || !eDBPopis->currentText().trimmed().isEmpty() || eDBTypyBrigad->IsTextEmpty())
    return;
  eDBPopis->ProposeText(eDBTypyBrigad->currentText().left(50));
}
