#include "registers/members/fERSKontroloriPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBEdit.h"
#include "db/IBQuery.h"
#include "registers/common/Picker.h"
#include "registers/members/GuardSupport.h"
#include "registers/members/MemberRecordsSupport.h"

TfrmERSKontroloriPridaj::TfrmERSKontroloriPridaj(QWidget* owner) : TDialogForm(owner) {
  TGuardRows controls(*this);
  eDBClen = controls.Add<TIBComboBox>(QStringLiteral("Člen rybárskej stráže:"), QStringLiteral("eDBClen"));
  SetupGuardCombo(*eDBClen);
  eDBClen->SetSKeyField(1, QStringLiteral("cislo_odznaku"));
  eDBClen->SetSKeyField(2, QStringLiteral("cislo_osvedcenia"));
  btnClen = controls.Picker(*eDBClen, QStringLiteral("btnClen"));
  connect(btnClen, &QToolButton::clicked, this, &TfrmERSKontroloriPridaj::btnClenClick);
  connect(eDBClen, &TIBComboBox::OnChange, this, &TfrmERSKontroloriPridaj::eDBClenChange);
  eDBCisloOdznaku = controls.Add<TIBEdit>(QStringLiteral("Číslo odznaku:"), QStringLiteral("eDBCisloOdznaku"));
  eDBCisloOsvedcenia = controls.Add<TIBEdit>(QStringLiteral("Číslo osvedč.:"), QStringLiteral("eDBCisloOsvedcenia"));
  for (TIBEdit* shown : {eDBCisloOdznaku, eDBCisloOsvedcenia}) {
    shown->SetReadOnly(true);
    shown->setFocusPolicy(Qt::NoFocus);
  }

  dlg.AddCaption = QStringLiteral("Pridanie člena rybárskej stráže");
  dlg.EditCaption = QStringLiteral("Oprava člena rybárskej stráže");
  dlg.Generator = QStringLiteral("e_rs_kontrolori_id");
  dlg.ClearAll = [this] {
    eDBClen->ClearValue();
    eDBCisloOdznaku->clear();
    eDBCisloOsvedcenia->clear();
  };
  dlg.LoadSql = QStringLiteral("select C_CLENOV_RS\nfrom E_RS_KONTROLORI where jedin=:JEDIN");
  dlg.Load = [this](TIBQuery& q) { eDBClen->FindIt(q.FieldByName(QStringLiteral("C_CLENOV_RS")).AsVariant()); };
  dlg.Save = [this](TIBQuery& q, bool adding) {
    q.SetSQL(adding ? QStringLiteral("insert into e_rs_kontrolori (jedin,e_rs,c_clenov_rs)\n"
                                     "VALUES (:JEDIN,:E_RS,:C_CLENOV_RS)")
                    : QStringLiteral("UPDATE E_RS_KONTROLORI SET C_CLENOV_RS=:C_CLENOV_RS\nWHERE JEDIN=:JEDIN"));
    if (adding) q.ParamByName(QStringLiteral("E_RS")).SetValue(Kontrola);
    q.ParamByName(QStringLiteral("C_CLENOV_RS")).SetValue(KeyParam(*eDBClen));
  };
  dlg.FormCreate(controls.Widget(), QSize(736, 81));
}

TfrmERSKontroloriPridaj::~TfrmERSKontroloriPridaj() = default;

void TfrmERSKontroloriPridaj::FormShow() {
  // A new entry offers only serving guards; an edit shows a dismissed one too.
  eDBClen->SetSWhere(Tag() == 1 ? QStringLiteral("datum_do is null") : QString());
  dlg.FormShow();
}

void TfrmERSKontroloriPridaj::eDBClenChange() {
  const bool chosen = !KeyParam(*eDBClen).isNull();
  eDBCisloOdznaku->setText(chosen ? eDBClen->GetKeyValue2().toString() : QString());
  eDBCisloOsvedcenia->setText(chosen ? eDBClen->GetKeyValue3().toString() : QString());
}

void TfrmERSKontroloriPridaj::btnClenClick() { PickFromList(*eDBClen, QStringLiteral("TfrmCClenovRS"), btnClen); }
