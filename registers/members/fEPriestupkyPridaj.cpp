#include "registers/members/fEPriestupkyPridaj.h"
#include "app/AppContext.h"
#include "app/ToolBar.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "core/DateTime.h"
#include "db/IBQuery.h"
#include "registers/common/Picker.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"

namespace {
TIBEdit* Text(TRegisterLayout& controls, const QString& label, const QString& name, int maxLength, bool required) {
  controls.Label(label);
  auto* edit = controls.Add<TIBEdit>(name, maxLength);
  edit->SetRequired(required);
  return edit;
}
TIBCurrencyEdit* Money(TRegisterLayout& controls, const QString& label, const QString& name) {
  auto* edit = AddAmount(controls, label, name, 2, 14);
  edit->SetMoneyColor(true);
  return edit;
}
} // namespace

TfrmEPriestupkyPridaj::TfrmEPriestupkyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  eDBDatum->SetRequired(true);
  controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, [this] { btnClenClick(); });
  SetupMemberCombo(*eDBClen, false);
  eDBClen->SetSWhere(QStringLiteral("priezvisko is not null"));
  SetupPersonKeys(*eDBClen);
  connect(eDBClen, &TIBComboBox::OnChange, this, &TfrmEPriestupkyPridaj::eDBClenChange);
  eDBTitul = Text(controls, QStringLiteral("Titul"), QStringLiteral("eDBTitul"), 15, false);
  eDBMeno = Text(controls, QStringLiteral("Meno"), QStringLiteral("eDBMeno"), 25, true);
  eDBPriezvisko = Text(controls, QStringLiteral("Priezvisko"), QStringLiteral("eDBPriezvisko"), 25, true);
  eDBUlica = Text(controls, QStringLiteral("Ulica"), QStringLiteral("eDBUlica"), 25, true);
  eDBPSC = Text(controls, QStringLiteral("PSČ"), QStringLiteral("eDBPSC"), 5, false);
  eDBPSC->SetOnlyNumbers(true);
  eDBMesto = Text(controls, QStringLiteral("Mesto"), QStringLiteral("eDBMesto"), 25, true);
  controls.Label(QStringLiteral("Dátum narodenia"));
  eDBDatumNarodenia = controls.Add<TIBDate>(QStringLiteral("eDBDatumNarodenia"));
  controls.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, [this] { btnRevirClick(); });
  SetupRevirCombo(*eDBRevir, true);
  controls.Label(QStringLiteral("Priestupok:"));
  eDBPriestupok = controls.Add<TIBComboBox>(QStringLiteral("eDBPriestupok"));
  SetupTextCombo(*eDBPriestupok, QStringLiteral("e_priestupky"), QStringLiteral("priestupok"), 0, 0);
  eDBPriestupok->SetRequired(true);
  eDBPokuta = Money(controls, QStringLiteral("Pokuta:"), QStringLiteral("eDBPokuta"));
  controls.Label(QStringLiteral("Zaplatená:"));
  eDBDatumZaplatenia = controls.Add<TIBDate>(QStringLiteral("eDBDatumZaplatenia"));
  eDBPokutaZaplatena = Money(controls, QStringLiteral("Zaplatené:"), QStringLiteral("eDBPokutaZaplatena"));
  for (TIBCurrencyEdit* edit : {eDBPokuta, eDBPokutaZaplatena})
    connect(edit, &QLineEdit::textChanged, this, &TfrmEPriestupkyPridaj::eDBPokutaChange);
  eDBPoznamka = AddNoteMemo(controls);
  eDBVybaveny = AddCheckRow(controls, QString(), QStringLiteral("eDBVybaveny"), QStringLiteral("Priestupok vybavený:"));

  dlg.AddCaption = QStringLiteral("Pridanie disciplinárneho priestupku");
  dlg.EditCaption = QStringLiteral("Oprava disciplinárneho priestupku");
  dlg.Generator = QStringLiteral("e_priestupky_id");
  dlg.ClearAll = [this] { ClearAll(); };
  dlg.LoadSql = QStringLiteral("SELECT DATUM,C_REVIRY_JUX,C_CLENOV,TITUL,MENO,\n"
                               "PRIEZVISKO,ULICA,MESTO,PSC,PRIESTUPOK,POKUTA,DATUM_ZAPLATENIA,\n"
                               "POKUTA_ZAPLATENA,POZNAMKA,VYBAVENY,DATUM_NARODENIA\n"
                               "FROM E_PRIESTUPKY where jedin=:JEDIN");
  dlg.Load = [this](TIBQuery& q) { Load(q); };
  dlg.Save = [this](TIBQuery& q, bool adding) { Save(q, adding); };
  dlg.FormCreate(controls.Widget(), QSize(709, 317));
}

TfrmEPriestupkyPridaj::~TfrmEPriestupkyPridaj() = default;

void TfrmEPriestupkyPridaj::FormShow() {
  // A new offence happens on a ground of the working year; an old one keeps any year's.
  eDBRevir->SetSWhere(Tag() == 1 ? YearCondition(ProgramSettings.Rok) : QString());
  dlg.FormShow();
}

void TfrmEPriestupkyPridaj::ClearAll() {
  eDBDatum->SetDate(DateTime::Today());
  eDBClen->ClearValue();
  for (TIBEdit* edit : {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto})
    edit->clear();
  eDBDatumNarodenia->Clear();
  eDBRevir->ClearValue();
  eDBPriestupok->ClearValue();
  eDBDatumZaplatenia->Clear();
  eDBPokutaZaplatena->clear();
  eDBPoznamka->clear();
  // The fine may repeat for the next offender, the settlement may not.
  eDBVybaveny->SetCheckedValue(0);
}

void TfrmEPriestupkyPridaj::eDBClenChange() {
  FollowMember(*eDBClen, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, eDBDatumNarodenia});
}

void TfrmEPriestupkyPridaj::eDBPokutaChange() {
  if (eDBPokuta->Value() != 0 && eDBPokutaZaplatena->Value() == eDBPokuta->Value()) eDBVybaveny->SetCheckedValue(1);
}

void TfrmEPriestupkyPridaj::Load(TIBQuery& q) {
  auto field = [&q](const char* name) -> const TField& { return q.FieldByName(QString::fromLatin1(name)); };
  LoadDate(*eDBDatum, field("DATUM"));
  eDBRevir->FindIt(field("C_REVIRY_JUX").AsVariant());
  eDBClen->FindIt(field("C_CLENOV").AsVariant());
  // The person as stored with the offence, not as the member is now.
  eDBTitul->setText(field("TITUL").AsString());
  eDBMeno->setText(field("MENO").AsString());
  eDBPriezvisko->setText(field("PRIEZVISKO").AsString());
  eDBUlica->setText(field("ULICA").AsString());
  eDBMesto->setText(field("MESTO").AsString());
  eDBPSC->setText(field("PSC").AsString());
  LoadDate(*eDBDatumNarodenia, field("DATUM_NARODENIA"));
  eDBPriestupok->FindIt(field("PRIESTUPOK").AsVariant());
  eDBPokuta->SetValue(field("POKUTA").AsFloat());
  LoadDate(*eDBDatumZaplatenia, field("DATUM_ZAPLATENIA"));
  eDBPokutaZaplatena->SetValue(field("POKUTA_ZAPLATENA").AsFloat());
  eDBPoznamka->setPlainText(field("POZNAMKA").AsString());
  eDBVybaveny->SetCheckedValue(quint8(field("VYBAVENY").AsInteger()));
}

void TfrmEPriestupkyPridaj::Save(TIBQuery& q, bool adding) {
  if (adding) {
    q.SetSQL(QStringLiteral("INSERT INTO E_PRIESTUPKY (JEDIN,ROK,DATUM,C_REVIRY_JUX,\n"
                            "C_CLENOV,TITUL,MENO,PRIEZVISKO,ULICA,MESTO,PSC,PRIESTUPOK,\n"
                            "POKUTA,DATUM_ZAPLATENIA,POKUTA_ZAPLATENA,POZNAMKA,VYBAVENY,\n"
                            "DATUM_NARODENIA)\n"
                            "VALUES (:JEDIN,:ROK,:DATUM,:C_REVIRY_JUX,:C_CLENOV,:TITUL,\n"
                            ":MENO,:PRIEZVISKO,:ULICA,:MESTO,:PSC,:PRIESTUPOK,:POKUTA,\n"
                            ":DATUM_ZAPLATENIA,:POKUTA_ZAPLATENA,:POZNAMKA,:VYBAVENY,\n"
                            ":DATUM_NARODENIA)"));
    q.ParamByName(QStringLiteral("ROK")).SetValue(int(ProgramSettings.Rok));
  } else {
    q.SetSQL(QStringLiteral("UPDATE E_PRIESTUPKY SET DATUM=:DATUM,C_REVIRY_JUX=:C_REVIRY_JUX,\n"
                            "C_CLENOV=:C_CLENOV,TITUL=:TITUL,MENO=:MENO,\n"
                            "PRIEZVISKO=:PRIEZVISKO,ULICA=:ULICA,MESTO=:MESTO,PSC=:PSC,\n"
                            "PRIESTUPOK=:PRIESTUPOK,POKUTA=:POKUTA,\n"
                            "DATUM_ZAPLATENIA=:DATUM_ZAPLATENIA,\n"
                            "POKUTA_ZAPLATENA=:POKUTA_ZAPLATENA,POZNAMKA=:POZNAMKA,\n"
                            "VYBAVENY=:VYBAVENY,DATUM_NARODENIA=:DATUM_NARODENIA\n"
                            "WHERE JEDIN=:JEDIN"));
  }
  auto set = [&q](const char* name, const QVariant& value) {
    q.ParamByName(QString::fromLatin1(name)).SetValue(value);
  };
  set("DATUM", DateParam(*eDBDatum));
  set("DATUM_NARODENIA", DateParam(*eDBDatumNarodenia));
  set("DATUM_ZAPLATENIA", DateParam(*eDBDatumZaplatenia));
  set("C_REVIRY_JUX", KeyParam(*eDBRevir));
  set("C_CLENOV", KeyParam(*eDBClen));
  set("TITUL", eDBTitul->text());
  set("MENO", eDBMeno->text());
  set("PRIEZVISKO", eDBPriezvisko->text());
  set("ULICA", eDBUlica->text());
  set("MESTO", eDBMesto->text());
  set("PSC", eDBPSC->text());
  set("PRIESTUPOK", eDBPriestupok->currentText());
  set("POKUTA", eDBPokuta->Value());
  set("POKUTA_ZAPLATENA", eDBPokutaZaplatena->Value());
  set("POZNAMKA", eDBPoznamka->toPlainText());
  set("VYBAVENY", int(eDBVybaveny->CheckedValue()));
}

void TfrmEPriestupkyPridaj::btnClenClick() { PickFromList(*eDBClen, QStringLiteral("TfrmCClenov"), btnClen); }
void TfrmEPriestupkyPridaj::btnRevirClick() { PickFromList(*eDBRevir, QStringLiteral("TfrmCReviryJUX"), btnRevir); }
