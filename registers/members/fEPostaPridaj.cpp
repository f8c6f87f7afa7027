#include "registers/members/fEPostaPridaj.h"
#include "app/AppContext.h"
#include "app/MyUnits.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "app/UnitOfWork.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "core/DateTime.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "registers/common/Picker.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/fEPosta.h"
#include <QtWidgets/QLabel>

namespace {
TIBEdit* Text(TRegisterLayout& controls, const QString& label, const QString& name, bool required = false) {
  controls.Label(label);
  auto* edit = controls.Add<TIBEdit>(name, 75);
  edit->SetRequired(required);
  return edit;
}
TIBComboBox* Contact(TRegisterLayout& controls, QLabel*& label, const QString& caption, const QString& name,
                     TSpeedButton*& button, std::function<void()> pick) {
  label = controls.Label(caption);
  return AddPickerCombo(controls, name, button, std::move(pick));
}
} // namespace

TfrmEPostaPridaj::TfrmEPostaPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBCislo = AddAmount(controls, QStringLiteral("Por. číslo:"), QStringLiteral("eDBCislo"), 0, 9);
  eDBCislo->SetColor(clYellow);
  controls.Label(QStringLiteral("Druh pošty:"));
  eDBDruh = controls.Add<TIBComboBox>(QStringLiteral("eDBDruh"));
  SetupKindCombo(*eDBDruh);
  eDBDruh->SetRequired(true);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  eDBDatum->SetRequired(true);
  eDBPostovne = AddAmount(controls, QStringLiteral("Poštovné:"), QStringLiteral("eDBPostovne"), 2, 14);
  eDBPostovne->SetMoneyColor(true);
  MenaLB = controls.Label(LocaleCurrencyText());
  controls.Add<QWidget>(QStringLiteral("MenaLBRow"));
  eDBClen = Contact(controls, lblClen, QStringLiteral("Člen:"), QStringLiteral("eDBClen"), btnClen,
                    [this] { btnClenClick(); });
  SetupMemberCombo(*eDBClen, false);
  eDBClen->SetSWhere(QStringLiteral("priezvisko is not null"));
  eDBPartneri = Contact(controls, lblPartneri, QStringLiteral("Partner:"), QStringLiteral("eDBPartneri"), btnPartneri,
                        [this] { btnPartneriClick(); });
  SetupMemberCombo(*eDBPartneri, false);
  eDBPartneri->SetSTableName(QStringLiteral("c_partneri"));
  eDBPartneri->SetSWhere(QStringLiteral("nazov is not null"));
  for (TIBComboBox* combo : {eDBClen, eDBPartneri}) {
    auto handler = combo == eDBClen ? &TfrmEPostaPridaj::eDBClenChange : &TfrmEPostaPridaj::eDBPartneriChange;
    connect(combo, &TIBComboBox::OnChange, this, handler);
    connect(combo, &TIBComboBox::OnEnter, this, handler);
  }
  eDBVec = Text(controls, QStringLiteral("Vec, obsah:"), QStringLiteral("eDBVec"), true);
  eDBZnacka = Text(controls, QStringLiteral("Značka:"), QStringLiteral("eDBZnacka"));
  eDBPrilohy = Text(controls, QStringLiteral("Prílohy:"), QStringLiteral("eDBPrilohy"));
  controls.Label(QStringLiteral(" Pridelené: Dátum:"));
  eDBPrideleneDatum = controls.Add<TIBDate>(QStringLiteral("eDBPrideleneDatum"));
  controls.Label(QStringLiteral("Komu:"));
  eDBPrideleneKomu = controls.Add<TIBComboBox>(QStringLiteral("eDBPrideleneKomu"));
  SetupTextCombo(*eDBPrideleneKomu, QStringLiteral("e_posta"), QStringLiteral("pridelene_komu"), 75, 0);
  controls.Label(QStringLiteral(" Vybavené: Dátum:"));
  eDBVybaveneDatum = controls.Add<TIBDate>(QStringLiteral("eDBVybaveneDatum"));
  eDBVybaveneSposob = Text(controls, QStringLiteral("Spôsob:"), QStringLiteral("eDBVybaveneSposob"));
  eDBPoznamka = AddNoteMemo(controls);

  dlg.AddCaption = QStringLiteral("Pridanie pošty do evidencie");
  dlg.EditCaption = QStringLiteral("Oprava pošty do evidencie");
  dlg.Generator = QStringLiteral("e_posta_id");
  dlg.ClearAll = [this] { ClearAll(); };
  dlg.CheckEntries = [this] { return CheckNumber(); };
  dlg.LoadSql = QStringLiteral("SELECT DATUM,DRUH,CISLO,C_CLENOV,C_PARTNERI,VEC,ZNACKA,\n"
                               "PRILOHY,PRIDELENE_DATUM,PRIDELENE_KOMU,VYBAVENE_DATUM,\n"
                               "VYBAVENE_SPOSOB,POZNAMKA,POSTOVNE\n"
                               "FROM E_POSTA WHERE JEDIN=:JEDIN");
  dlg.Load = [this](TIBQuery& q) { Load(q); };
  dlg.Save = [this](TIBQuery& q, bool adding) { Save(q, adding); };
  dlg.FormCreate(controls.Widget(), QSize(716, 489));
  // The kind decides the number series: a new item follows its kind.
  connect(eDBDruh, &TIBComboBox::OnExit, this, [this] {
    if (Tag() == 1) eDBCislo->SetValue(NextNumber());
  });
}

TfrmEPostaPridaj::~TfrmEPostaPridaj() = default;

void TfrmEPostaPridaj::ClearAll() {
  eDBCislo->clear();
  eDBDruh->FindFirst();
  eDBDatum->SetDate(DateTime::Today());
  eDBPostovne->clear();
  MenaLB->setText(LocaleCurrencyText());
  eDBClen->ClearValue();
  eDBPartneri->ClearValue();
  for (TIBEdit* edit : {eDBVec, eDBZnacka, eDBPrilohy, eDBVybaveneSposob})
    edit->clear();
  eDBPrideleneDatum->Clear();
  eDBPrideleneKomu->ClearValue();
  eDBVybaveneDatum->Clear();
  eDBPoznamka->clear();
}

void TfrmEPostaPridaj::FormShow() {
  dlg.FormShow();
  if (Tag() == 1) eDBCislo->SetValue(NextNumber());
}

int TfrmEPostaPridaj::NextNumber() {
  TIBQuery& q = *dlg.ib1;
  int next = 1;
  RunUnitOfWork(*dlg.ibt1, [&] {
    q.SetSQL(QStringLiteral("select coalesce(max(cislo)+1,1) from e_posta\nwhere rok=:ROK and druh=:DRUH"));
    q.ParamByName(QStringLiteral("ROK")).SetValue(int(ProgramSettings.Rok));
    q.ParamByName(QStringLiteral("DRUH")).SetValue(KeyParam(*eDBDruh));
    q.Open();
    if (!q.IsEmpty()) next = q.FieldByNumber(0).AsInteger();
    q.Close();
  });
  return next;
}

bool TfrmEPostaPridaj::CheckNumber() {
  const int number = int(eDBCislo->Value());
  if (number == 0) return true;
  int taken = 0;
  const bool checked =
      RunUnitOfWork(*dlg.ibt1, [&] {
        TIBQuery& q = *dlg.ib1;
        q.SetSQL(QStringLiteral("select count(*) from e_posta\nwhere rok=:ROK and druh=:DRUH and cislo=:CISLO and "
                                "jedin<>:JEDIN"));
        q.ParamByName(QStringLiteral("ROK")).SetValue(int(ProgramSettings.Rok));
        q.ParamByName(QStringLiteral("DRUH")).SetValue(KeyParam(*eDBDruh));
        q.ParamByName(QStringLiteral("CISLO")).SetValue(number);
        q.ParamByName(QStringLiteral("JEDIN")).SetValue(Tag() == 1 ? 0 : Jedin);
        q.Open();
        taken = q.FieldByNumber(0).AsInteger();
        q.Close();
      }).Done;
  if (!checked) return false;
  if (taken == 0) return true;
  // Another workstation saved this number meanwhile (or it was typed twice).
  const int next = NextNumber();
  MessageDlg(
      QStringLiteral("Pošta s číslom %1 už v evidencii je. Navrhnuté je ďalšie voľné číslo %2.").arg(number).arg(next),
      TMsgDlgType::Warning, mbOK, mrOk);
  eDBCislo->SetValue(next);
  eDBCislo->setFocus();
  return false;
}

void TfrmEPostaPridaj::eDBClenChange() {
  const bool none = KeyParam(*eDBClen).isNull();
  for (QWidget* w :
       {static_cast<QWidget*>(eDBPartneri), static_cast<QWidget*>(lblPartneri), static_cast<QWidget*>(btnPartneri)})
    w->setVisible(none);
}

void TfrmEPostaPridaj::eDBPartneriChange() {
  const bool none = KeyParam(*eDBPartneri).isNull();
  for (QWidget* w : {static_cast<QWidget*>(eDBClen), static_cast<QWidget*>(lblClen), static_cast<QWidget*>(btnClen)})
    w->setVisible(none);
}

void TfrmEPostaPridaj::Load(TIBQuery& q) {
  auto field = [&q](const char* name) -> const TField& { return q.FieldByName(QString::fromLatin1(name)); };
  LoadDate(*eDBDatum, field("DATUM"));
  eDBDruh->FindIt(field("DRUH").AsVariant());
  eDBCislo->SetValue(field("CISLO").AsFloat());
  eDBClen->FindIt(field("C_CLENOV").AsVariant());
  eDBPartneri->FindIt(field("C_PARTNERI").AsVariant());
  eDBVec->setText(field("VEC").AsString());
  eDBZnacka->setText(field("ZNACKA").AsString());
  eDBPrilohy->setText(field("PRILOHY").AsString());
  LoadDate(*eDBPrideleneDatum, field("PRIDELENE_DATUM"));
  eDBPrideleneKomu->FindIt(field("PRIDELENE_KOMU").AsVariant());
  LoadDate(*eDBVybaveneDatum, field("VYBAVENE_DATUM"));
  eDBVybaveneSposob->setText(field("VYBAVENE_SPOSOB").AsString());
  eDBPoznamka->setPlainText(field("POZNAMKA").AsString());
  eDBPostovne->SetValue(field("POSTOVNE").AsFloat());
}

void TfrmEPostaPridaj::Save(TIBQuery& q, bool adding) {
  if (adding) {
    q.SetSQL(QStringLiteral("INSERT INTO E_POSTA (JEDIN,ROK,DATUM,DRUH,CISLO,C_CLENOV,\n"
                            "C_PARTNERI,VEC,ZNACKA,PRILOHY,PRIDELENE_DATUM,PRIDELENE_KOMU,\n"
                            "VYBAVENE_DATUM,VYBAVENE_SPOSOB,POZNAMKA,POSTOVNE,NAZOV_UPLNY)\n"
                            "VALUES (:JEDIN,:ROK,:DATUM,:DRUH,:CISLO,:C_CLENOV,:C_PARTNERI,\n"
                            ":VEC,:ZNACKA,:PRILOHY,:PRIDELENE_DATUM,:PRIDELENE_KOMU,\n"
                            ":VYBAVENE_DATUM,:VYBAVENE_SPOSOB,:POZNAMKA,:POSTOVNE,:NAZOV_UPLNY)"));
    q.ParamByName(QStringLiteral("ROK")).SetValue(int(ProgramSettings.Rok));
  } else {
    q.SetSQL(QStringLiteral("UPDATE E_POSTA SET DATUM=:DATUM,DRUH=:DRUH,CISLO=:CISLO,\n"
                            "C_CLENOV=:C_CLENOV,C_PARTNERI=:C_PARTNERI,VEC=:VEC,\n"
                            "ZNACKA=:ZNACKA,PRILOHY=:PRILOHY,PRIDELENE_DATUM=:PRIDELENE_DATUM,\n"
                            "PRIDELENE_KOMU=:PRIDELENE_KOMU,VYBAVENE_DATUM=:VYBAVENE_DATUM,\n"
                            "VYBAVENE_SPOSOB=:VYBAVENE_SPOSOB,POZNAMKA=:POZNAMKA,\n"
                            "POSTOVNE=:POSTOVNE,NAZOV_UPLNY=:NAZOV_UPLNY\n"
                            "WHERE JEDIN=:JEDIN"));
  }
  auto set = [&q](const char* name, const QVariant& value) {
    q.ParamByName(QString::fromLatin1(name)).SetValue(value);
  };
  set("DATUM", DateParam(*eDBDatum));
  set("PRIDELENE_DATUM", DateParam(*eDBPrideleneDatum));
  set("VYBAVENE_DATUM", DateParam(*eDBVybaveneDatum));
  set("DRUH", KeyParam(*eDBDruh));
  set("CISLO", int(eDBCislo->Value()));
  set("C_CLENOV", KeyParam(*eDBClen));
  set("C_PARTNERI", KeyParam(*eDBPartneri));
  set("VEC", eDBVec->text());
  set("ZNACKA", eDBZnacka->text());
  set("PRILOHY", eDBPrilohy->text());
  set("PRIDELENE_KOMU", eDBPrideleneKomu->currentText());
  set("VYBAVENE_SPOSOB", eDBVybaveneSposob->text());
  set("POZNAMKA", eDBPoznamka->toPlainText());
  set("POSTOVNE", eDBPostovne->Value());
  set("NAZOV_UPLNY", !KeyParam(*eDBClen).isNull()       ? eDBClen->currentText()
                     : !KeyParam(*eDBPartneri).isNull() ? eDBPartneri->currentText()
                                                        : QString());
}

void TfrmEPostaPridaj::btnClenClick() { PickFromList(*eDBClen, QStringLiteral("TfrmCClenov"), btnClen); }
void TfrmEPostaPridaj::btnPartneriClick() { PickFromList(*eDBPartneri, QStringLiteral("TfrmCPartneri"), btnPartneri); }
