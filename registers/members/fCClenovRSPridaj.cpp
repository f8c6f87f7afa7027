#include "registers/members/fCClenovRSPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "db/IBQuery.h"
#include "registers/common/Picker.h"
#include "registers/members/GuardSupport.h"
#include "registers/members/MemberRecordsSupport.h"

TfrmCClenovRSPridaj::TfrmCClenovRSPridaj(QWidget* owner) : TDialogForm(owner) {
  TGuardRows controls(*this);
  eDBClen = controls.Add<TIBComboBox>(QStringLiteral("Člen:"), QStringLiteral("eDBClen"));
  SetupMemberCombo(*eDBClen, true);
  eDBClen->SetSWhere(QStringLiteral("priezvisko is not null"));
  btnClen = controls.Picker(*eDBClen, QStringLiteral("btnClen"));
  connect(btnClen, &QToolButton::clicked, this, &TfrmCClenovRSPridaj::btnClenClick);
  eDBCisloOdznaku = controls.Add<TIBEdit>(QStringLiteral("Číslo odznaku:"), QStringLiteral("eDBCisloOdznaku"), 15);
  eDBCisloOdznaku->SetRequired(true);
  eDBCisloOsvedcenia =
      controls.Add<TIBEdit>(QStringLiteral("Číslo osvedč.:"), QStringLiteral("eDBCisloOsvedcenia"), 15);
  eDBCisloOsvedcenia->SetRequired(true);
  eDBDatumOd = controls.Add<TIBDate>(QStringLiteral("Vymenovaný:"), QStringLiteral("eDBDatumOd"));
  eDBDatumOd->SetRequired(true);
  controls.Note(QStringLiteral("Dátum vymenovanie za člena rybárskej stráže"));
  eDBDatumDo = controls.Add<TIBDate>(QStringLiteral("Zaniknutý:"), QStringLiteral("eDBDatumDo"));
  controls.Note(QStringLiteral("Dátum odvolania"));

  dlg.AddCaption = QStringLiteral("Pridanie člena rybárskej stráže");
  dlg.EditCaption = QStringLiteral("Oprava člena rybárskej stráže");
  dlg.Generator = QStringLiteral("C_clenov_rs_id");
  dlg.ClearAll = [this] {
    eDBClen->ClearValue();
    eDBCisloOdznaku->clear();
    eDBCisloOsvedcenia->clear();
    eDBDatumOd->Clear();
    eDBDatumDo->Clear();
  };
  dlg.LoadSql = QStringLiteral("select C_CLENOV,CISLO_ODZNAKU,CISLO_OSVEDCENIA,\nDATUM_OD,DATUM_DO\n"
                               "from c_clenov_rs where jedin=:JEDIN");
  dlg.Load = [this](TIBQuery& q) {
    eDBClen->FindIt(q.FieldByName(QStringLiteral("C_CLENOV")).AsVariant());
    eDBCisloOdznaku->setText(q.FieldByName(QStringLiteral("CISLO_ODZNAKU")).AsString());
    eDBCisloOsvedcenia->setText(q.FieldByName(QStringLiteral("CISLO_OSVEDCENIA")).AsString());
    LoadDate(*eDBDatumOd, q.FieldByName(QStringLiteral("DATUM_OD")));
    LoadDate(*eDBDatumDo, q.FieldByName(QStringLiteral("DATUM_DO")));
  };
  dlg.Save = [this](TIBQuery& q, bool adding) {
    q.SetSQL(adding ? QStringLiteral("insert into C_clenov_rs (jedin,C_CLENOV,CISLO_ODZNAKU,\n"
                                     "CISLO_OSVEDCENIA,DATUM_OD,DATUM_DO)\n"
                                     "VALUES (:JEDIN,:C_CLENOV,:CISLO_ODZNAKU,:CISLO_OSVEDCENIA,\n"
                                     ":DATUM_OD,:DATUM_DO)")
                    : QStringLiteral("UPDATE C_CLENOV_RS SET C_CLENOV=:C_CLENOV,\nCISLO_ODZNAKU=:CISLO_ODZNAKU,\n"
                                     "CISLO_OSVEDCENIA=:CISLO_OSVEDCENIA,\nDATUM_OD=:DATUM_OD,DATUM_DO=:DATUM_DO\n"
                                     "WHERE JEDIN=:JEDIN"));
    q.ParamByName(QStringLiteral("C_CLENOV")).SetValue(KeyParam(*eDBClen));
    q.ParamByName(QStringLiteral("CISLO_ODZNAKU")).SetValue(eDBCisloOdznaku->text());
    q.ParamByName(QStringLiteral("CISLO_OSVEDCENIA")).SetValue(eDBCisloOsvedcenia->text());
    q.ParamByName(QStringLiteral("DATUM_OD")).SetValue(DateParam(*eDBDatumOd));
    q.ParamByName(QStringLiteral("DATUM_DO")).SetValue(DateParam(*eDBDatumDo));
  };
  dlg.FormCreate(controls.Widget(), QSize(660, 157));
}

TfrmCClenovRSPridaj::~TfrmCClenovRSPridaj() = default;

void TfrmCClenovRSPridaj::btnClenClick() { PickFromList(*eDBClen, QStringLiteral("TfrmCClenov"), btnClen); }
