#include "registers/members/fCClenovRSPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "registers/members/GuardSupport.h"
#include "registers/members/MemberRecordsSupport.h"

TfrmCClenovRSPridaj::TfrmCClenovRSPridaj(QWidget* owner) : TDialogForm(owner) {
  TGuardRows controls(*this);
  eDBClen = controls.Add<TIBComboBox>(QStringLiteral("Člen:"), QStringLiteral("eDBClen"));
  SetupMemberEntry(*eDBClen);
  btnClen = controls.Picker(*eDBClen, QStringLiteral("btnClen"), QStringLiteral("TfrmCClenov"));
  eDBCisloOdznaku = controls.Add<TIBEdit>(QStringLiteral("Číslo odznaku:"), QStringLiteral("eDBCisloOdznaku"), 15);
  eDBCisloOsvedcenia =
      controls.Add<TIBEdit>(QStringLiteral("Číslo osvedč.:"), QStringLiteral("eDBCisloOsvedcenia"), 15);
  eDBDatumOd = controls.Add<TIBDate>(QStringLiteral("Vymenovaný:"), QStringLiteral("eDBDatumOd"));
  controls.Note(QStringLiteral("Dátum vymenovanie za člena rybárskej stráže"));
  eDBDatumDo = controls.Add<TIBDate>(QStringLiteral("Zaniknutý:"), QStringLiteral("eDBDatumDo"));
  controls.Note(QStringLiteral("Dátum odvolania"));

  dlg.AddCaption = QStringLiteral("Pridanie člena rybárskej stráže");
  dlg.EditCaption = QStringLiteral("Oprava člena rybárskej stráže");
  dlg.Table = QStringLiteral("C_CLENOV_RS");
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen).Required();
  dlg.Field(QStringLiteral("CISLO_ODZNAKU"), eDBCisloOdznaku).Required();
  dlg.Field(QStringLiteral("CISLO_OSVEDCENIA"), eDBCisloOsvedcenia).Required();
  dlg.Field(QStringLiteral("DATUM_OD"), eDBDatumOd).Required();
  dlg.Field(QStringLiteral("DATUM_DO"), eDBDatumDo);
  dlg.FormCreate(controls.Widget(), QSize(660, 157));
}

TfrmCClenovRSPridaj::~TfrmCClenovRSPridaj() = default;
