#include "registers/members/fERSKontroloriPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBEdit.h"
#include "registers/members/GuardSupport.h"
#include "registers/members/MemberRecordsSupport.h"

TfrmERSKontroloriPridaj::TfrmERSKontroloriPridaj(QWidget* owner) : TDialogForm(owner) {
  TGuardRows controls(*this);
  eDBClen = controls.Add<TIBComboBox>(QStringLiteral("Člen rybárskej stráže:"), QStringLiteral("eDBClen"));
  SetupGuardCombo(*eDBClen);
  eDBClen->SetSKeyField(1, QStringLiteral("cislo_odznaku"));
  eDBClen->SetSKeyField(2, QStringLiteral("cislo_osvedcenia"));
  btnClen = controls.Picker(*eDBClen, QStringLiteral("btnClen"), QStringLiteral("TfrmCClenovRS"));
  connect(eDBClen, &TIBComboBox::OnChange, this, &TfrmERSKontroloriPridaj::eDBClenChange);
  eDBCisloOdznaku = controls.Add<TIBEdit>(QStringLiteral("Číslo odznaku:"), QStringLiteral("eDBCisloOdznaku"));
  eDBCisloOsvedcenia = controls.Add<TIBEdit>(QStringLiteral("Číslo osvedč.:"), QStringLiteral("eDBCisloOsvedcenia"));
  for (TIBEdit* shown : {eDBCisloOdznaku, eDBCisloOsvedcenia}) {
    shown->SetReadOnly(true);
    shown->setFocusPolicy(Qt::NoFocus);
  }

  dlg.AddCaption = QStringLiteral("Pridanie člena rybárskej stráže");
  dlg.EditCaption = QStringLiteral("Oprava člena rybárskej stráže");
  dlg.Table = QStringLiteral("E_RS_KONTROLORI");
  dlg.Field(QStringLiteral("C_CLENOV_RS"), eDBClen).Required();
  dlg.Field(QStringLiteral("E_RS")).WrittenOnly().InsertOnly().Saves([this] { return Kontrola; });
  dlg.FormCreate(controls.Widget(), QSize(736, 81));
}

TfrmERSKontroloriPridaj::~TfrmERSKontroloriPridaj() = default;

void TfrmERSKontroloriPridaj::FormShow() {
  // A new entry offers only serving guards; an edit shows a dismissed one too.
  eDBClen->SetSWhere(dlg.Mode() == TDialogMode::Add ? TSqlCondition(QStringLiteral("datum_do is null"))
                                                    : TSqlCondition());
  dlg.FormShow();
}

void TfrmERSKontroloriPridaj::eDBClenChange() {
  const bool chosen = !KeyParam(*eDBClen).isNull();
  eDBCisloOdznaku->setText(chosen ? eDBClen->GetKeyValue2().toString() : QString());
  eDBCisloOsvedcenia->setText(chosen ? eDBClen->GetKeyValue3().toString() : QString());
}
