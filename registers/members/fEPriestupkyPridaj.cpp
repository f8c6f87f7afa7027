#include "registers/members/fEPriestupkyPridaj.h"
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

TfrmEPriestupkyPridaj::TfrmEPriestupkyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, QStringLiteral("TfrmCClenov"));
  SetupMemberEntry(*eDBClen);
  SetupPersonKeys(*eDBClen);
  connect(eDBClen, &TIBComboBox::OnChange, this, &TfrmEPriestupkyPridaj::eDBClenChange);
  eDBTitul = AddText(controls, QStringLiteral("Titul"), QStringLiteral("eDBTitul"), 15);
  eDBMeno = AddText(controls, QStringLiteral("Meno"), QStringLiteral("eDBMeno"), 25);
  eDBPriezvisko = AddText(controls, QStringLiteral("Priezvisko"), QStringLiteral("eDBPriezvisko"), 25);
  eDBUlica = AddText(controls, QStringLiteral("Ulica"), QStringLiteral("eDBUlica"), 25);
  eDBPSC = AddText(controls, QStringLiteral("PSČ"), QStringLiteral("eDBPSC"), 5);
  eDBPSC->SetOnlyNumbers(true);
  eDBMesto = AddText(controls, QStringLiteral("Mesto"), QStringLiteral("eDBMesto"), 25);
  controls.Label(QStringLiteral("Dátum narodenia"));
  eDBDatumNarodenia = controls.Add<TIBDate>(QStringLiteral("eDBDatumNarodenia"));
  controls.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  controls.Label(QStringLiteral("Priestupok:"));
  eDBPriestupok = controls.Add<TIBComboBox>(QStringLiteral("eDBPriestupok"));
  SetupTextCombo(*eDBPriestupok, QStringLiteral("e_priestupky"), QStringLiteral("priestupok"), 0, 0);
  eDBPokuta = AddAmount(controls, QStringLiteral("Pokuta:"), QStringLiteral("eDBPokuta"), 2, 14);
  controls.Label(QStringLiteral("Zaplatená:"));
  eDBDatumZaplatenia = controls.Add<TIBDate>(QStringLiteral("eDBDatumZaplatenia"));
  eDBPokutaZaplatena = AddAmount(controls, QStringLiteral("Zaplatené:"), QStringLiteral("eDBPokutaZaplatena"), 2, 14);
  for (TIBCurrencyEdit* edit : {eDBPokuta, eDBPokutaZaplatena}) {
    edit->SetMoneyColor(true);
    connect(edit, &QLineEdit::textChanged, this, &TfrmEPriestupkyPridaj::eDBPokutaChange);
  }
  eDBPoznamka = AddNoteMemo(controls);
  eDBVybaveny = AddCheckRow(controls, QString(), QStringLiteral("eDBVybaveny"), QStringLiteral("Priestupok vybavený:"));

  dlg.AddCaption = QStringLiteral("Pridanie disciplinárneho priestupku");
  dlg.EditCaption = QStringLiteral("Oprava disciplinárneho priestupku");
  dlg.Table = QStringLiteral("E_PRIESTUPKY");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Default([] { return DateTime::Today(); });
  dlg.Field(QStringLiteral("C_REVIRY_JUX"), eDBRevir).Required();
  // The person as stored with the offence, not as the member is now: the
  // member's data are copied when he is chosen, and loaded after him.
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen);
  BindPersonFields(dlg, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, eDBDatumNarodenia});
  dlg.Field(QStringLiteral("PRIESTUPOK"), eDBPriestupok).Required();
  // The fine and the settlement repeat for the next offender of a series.
  dlg.Field(QStringLiteral("POKUTA"), eDBPokuta).Kept();
  dlg.Field(QStringLiteral("DATUM_ZAPLATENIA"), eDBDatumZaplatenia);
  dlg.Field(QStringLiteral("POKUTA_ZAPLATENA"), eDBPokutaZaplatena);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.Field(QStringLiteral("VYBAVENY"), eDBVybaveny).Kept();
  dlg.FormCreate(controls.Widget(), QSize(709, 317));
}

TfrmEPriestupkyPridaj::~TfrmEPriestupkyPridaj() = default;

void TfrmEPriestupkyPridaj::FormShow() {
  // A new offence happens on a ground of the dialog's year; an old one keeps any year's.
  eDBRevir->SetSWhere(dlg.Mode() == TDialogMode::Add ? YearCondition(dlg.Rok) : TSqlCondition());
  dlg.FormShow();
}

void TfrmEPriestupkyPridaj::eDBClenChange() {
  FollowMember(*eDBClen, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, eDBDatumNarodenia});
}

void TfrmEPriestupkyPridaj::eDBPokutaChange() {
  if (eDBPokuta->Value() != 0 && eDBPokutaZaplatena->Value() == eDBPokuta->Value()) eDBVybaveny->SetCheckedValue(1);
}
