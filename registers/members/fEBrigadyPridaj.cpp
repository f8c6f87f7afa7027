#include "registers/members/fEBrigadyPridaj.h"
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
#include <QtWidgets/QLabel>

double PrivateCarCost(double spotreba, double km, double cenaPaliva, double nahrada) {
  const long double fuel = (static_cast<long double>(km) / 100) * spotreba * cenaPaliva;
  return double(fuel + static_cast<long double>(nahrada) * km);
}

TfrmEBrigadyPridaj::TfrmEBrigadyPridaj(QWidget* owner) : TDialogForm(owner), Rok(ProgramSettings.Rok) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  eDBDatum->SetRequired(true);

  controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, [this] { btnClenClick(); });
  SetupMemberCombo(*eDBClen, true);
  eDBClen->SetSWhere(QStringLiteral("priezvisko is not null"));

  controls.Label(QStringLiteral("Typ:"));
  eDBTypyBrigad =
      AddPickerCombo(controls, QStringLiteral("eDBTypyBrigad"), btnTypyBrigad, [this] { btnTypyBrigadClick(); });
  SetupTextCombo(*eDBTypyBrigad, QStringLiteral("c_typy_brigad"), QStringLiteral("nazov"), 50, 0);
  eDBTypyBrigad->SetSKeyField(QStringLiteral("jedin"));
  eDBTypyBrigad->SetSOrderBy(QStringLiteral("nazov"));
  eDBTypyBrigad->SetSetFocusIfNotFound(true); // a type of another year: no message, the focus stays
  eDBTypyBrigad->SetRequired(true);

  controls.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, [this] { btnRevirClick(); });
  SetupRevirCombo(*eDBRevir, false);

  eDBHodiny = AddAmount(controls, QStringLiteral("Hodiny:"), QStringLiteral("eDBHodiny"), 1, 14);

  controls.Label(QStringLiteral("Popis:"));
  eDBPopis = controls.Add<TIBComboBox>(QStringLiteral("eDBPopis"));
  SetupTextCombo(*eDBPopis, QStringLiteral("e_brigady"), QStringLiteral("popis"), 50, 0);
  eDBPopis->SetRequired(true);
  connect(eDBPopis, &TIBComboBox::OnEnter, this, &TfrmEBrigadyPridaj::eDBPopisEnter);

  eDBSukromneVozidlo = AddCheckRow(controls, QStringLiteral(" Vozidlo: "), QStringLiteral("eDBSukromneVozidlo"),
                                   QStringLiteral("Súkromné vozidlo:"));
  controls.Label(QStringLiteral("Evid. zn.:"));
  eDBSPZ = controls.Add<TIBEdit>(QStringLiteral("eDBSPZ"), 15);
  controls.Label(QStringLiteral("Typ:"));
  eDBTyp = controls.Add<TIBEdit>(QStringLiteral("eDBTyp"), 15);
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

  SetRok(Rok);
  dlg.AddCaption = QStringLiteral("Pridanie brigády");
  dlg.EditCaption = QStringLiteral("Oprava brigády");
  dlg.Generator = QStringLiteral("e_brigady_id");
  dlg.ClearAll = [this] {
    if (addRun_)
      eDBClen->ClearValue();
    else
      ClearAll();
  };
  dlg.LoadSql = QStringLiteral("select c_clenov,datum,hodiny,poznamka,popis,\n"
                               "C_TYPY_BRIGAD,C_REVIRY_JUX,SUKROMNE_VOZIDLO,SPZ,\n"
                               "TYP,SPOTREBA,NAHRADA,KM,CENA_PALIVA,UHRADENE\n"
                               "from e_brigady where jedin=:JEDIN");
  dlg.Load = [this](TIBQuery& q) { Load(q); };
  dlg.Save = [this](TIBQuery& q, bool adding) { Save(q, adding); };
  dlg.FormCreate(controls.Widget(), QSize(752, 357));
}

TfrmEBrigadyPridaj::~TfrmEBrigadyPridaj() = default;

void TfrmEBrigadyPridaj::SetRok(quint16 rok) {
  Rok = rok;
  // The record's own year: a record of the year before keeps its type and ground.
  eDBTypyBrigad->SetSWhere(YearCondition(Rok));
  eDBRevir->SetSWhere(YearCondition(Rok));
}

void TfrmEBrigadyPridaj::StartAddRun() {
  addRun_ = false;
  ClearAll();
  addRun_ = true;
}

void TfrmEBrigadyPridaj::ClearAll() {
  eDBDatum->SetDate(DateTime::Today());
  for (TIBComboBox* combo : {eDBClen, eDBTypyBrigad, eDBRevir, eDBPopis})
    combo->ClearValue();
  for (TIBCurrencyEdit* edit : {eDBHodiny, eDBSpotreba, eDBNahrada, eDBKM, eDBCenaPaliva, eDBSpolu})
    edit->clear();
  eDBSPZ->clear();
  eDBTyp->clear();
  eDBSukromneVozidlo->SetCheckedValue(0);
  eDBUhradene->SetCheckedValue(1);
  eDBPoznamka->clear();
  PrepocitajSpolu();
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
  if (Tag() != 1 || !eDBPopis->currentText().trimmed().isEmpty() || eDBTypyBrigad->IsTextEmpty()) return;
  eDBPopis->ProposeText(eDBTypyBrigad->currentText().left(50));
}

void TfrmEBrigadyPridaj::Load(TIBQuery& q) {
  auto field = [&q](const char* name) -> const TField& { return q.FieldByName(QString::fromLatin1(name)); };
  LoadDate(*eDBDatum, field("DATUM"));
  eDBClen->FindIt(field("C_CLENOV").AsVariant());
  eDBTypyBrigad->FindIt(field("C_TYPY_BRIGAD").AsVariant());
  eDBRevir->FindIt(field("C_REVIRY_JUX").AsVariant());
  eDBHodiny->SetValue(field("HODINY").AsFloat());
  eDBPopis->FindIt(field("POPIS").AsVariant());
  eDBPoznamka->setPlainText(field("POZNAMKA").AsString());
  eDBSukromneVozidlo->SetCheckedValue(quint8(field("SUKROMNE_VOZIDLO").AsInteger()));
  eDBSPZ->setText(field("SPZ").AsString());
  eDBTyp->setText(field("TYP").AsString());
  eDBSpotreba->SetValue(field("SPOTREBA").AsFloat());
  eDBNahrada->SetValue(field("NAHRADA").AsFloat());
  eDBKM->SetValue(field("KM").AsFloat());
  eDBCenaPaliva->SetValue(field("CENA_PALIVA").AsFloat());
  eDBUhradene->SetCheckedValue(quint8(field("UHRADENE").AsInteger()));
}

void TfrmEBrigadyPridaj::Save(TIBQuery& q, bool adding) {
  if (adding) {
    q.SetSQL(QStringLiteral("INSERT INTO E_BRIGADY (JEDIN,ROK,DATUM,C_CLENOV,HODINY,\n"
                            "POPIS,POZNAMKA,C_TYPY_BRIGAD,C_REVIRY_JUX,SUKROMNE_VOZIDLO,\n"
                            "SPZ,TYP,SPOTREBA,NAHRADA,KM,CENA_PALIVA,UHRADENE,AUTO_SPOLU)\n"
                            "VALUES (:JEDIN,:ROK,:DATUM,:C_CLENOV,\n"
                            ":HODINY,:POPIS,:POZNAMKA,\n"
                            ":C_TYPY_BRIGAD,:C_REVIRY_JUX,:SUKROMNE_VOZIDLO,:SPZ,\n"
                            ":TYP,:SPOTREBA,:NAHRADA,:KM,:CENA_PALIVA,:UHRADENE,:AUTO_SPOLU)"));
    q.ParamByName(QStringLiteral("ROK")).SetValue(int(Rok));
  } else {
    q.SetSQL(QStringLiteral("UPDATE E_BRIGADY SET DATUM=:DATUM,\n"
                            "C_CLENOV=:C_CLENOV,HODINY=:HODINY,POPIS=:POPIS,\n"
                            "C_TYPY_BRIGAD=:C_TYPY_BRIGAD,C_REVIRY_JUX=:C_REVIRY_JUX,\n"
                            "SUKROMNE_VOZIDLO=:SUKROMNE_VOZIDLO,SPZ=:SPZ,TYP=:TYP,\n"
                            "SPOTREBA=:SPOTREBA,NAHRADA=:NAHRADA,KM=:KM,\n"
                            "CENA_PALIVA=:CENA_PALIVA,UHRADENE=:UHRADENE,\n"
                            "POZNAMKA=:POZNAMKA,AUTO_SPOLU=:AUTO_SPOLU\n"
                            "WHERE JEDIN=:JEDIN"));
  }
  auto set = [&q](const char* name, const QVariant& value) {
    q.ParamByName(QString::fromLatin1(name)).SetValue(value);
  };
  const bool vozidlo = eDBSukromneVozidlo->CheckedValue() == 1;
  set("DATUM", DateParam(*eDBDatum));
  set("C_CLENOV", KeyParam(*eDBClen));
  set("C_TYPY_BRIGAD", KeyParam(*eDBTypyBrigad));
  set("C_REVIRY_JUX", KeyParam(*eDBRevir));
  set("HODINY", eDBHodiny->Value());
  set("POPIS", eDBPopis->currentText());
  set("SUKROMNE_VOZIDLO", vozidlo ? 1 : 0);
  set("SPZ", eDBSPZ->text());
  set("TYP", eDBTyp->text());
  set("SPOTREBA", eDBSpotreba->Value());
  set("NAHRADA", eDBNahrada->Value());
  set("KM", eDBKM->Value());
  set("CENA_PALIVA", eDBCenaPaliva->Value());
  set("UHRADENE", vozidlo ? int(eDBUhradene->CheckedValue()) : 1);
  set("AUTO_SPOLU", eDBSpolu->Value());
  set("POZNAMKA", eDBPoznamka->toPlainText().trimmed());
}

void TfrmEBrigadyPridaj::btnClenClick() { PickFromList(*eDBClen, QStringLiteral("TfrmCClenov"), btnClen); }
void TfrmEBrigadyPridaj::btnTypyBrigadClick() {
  PickFromList(*eDBTypyBrigad, QStringLiteral("TfrmCTypyBrigad"), btnTypyBrigad, Rok);
}
void TfrmEBrigadyPridaj::btnRevirClick() { PickFromList(*eDBRevir, QStringLiteral("TfrmCReviryJUX"), btnRevir, Rok); }
