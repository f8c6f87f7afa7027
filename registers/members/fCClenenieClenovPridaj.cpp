#include "registers/members/fCClenenieClenovPridaj.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QLabel>

TfrmCClenenieClenovPridaj::TfrmCClenenieClenovPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  lblNazov = controls.Label(QStringLiteral("Názov skupiny:"));
  eDBNazov = controls.Add<TIBEdit>(QStringLiteral("eDBNazov"), 25);

  dlg.AddCaption = QStringLiteral("Pridanie členenia členov");
  dlg.EditCaption = QStringLiteral("Oprava členenia členov");
  dlg.Table = QStringLiteral("C_CLENENIE_CLENOV");
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required().Unique();
  dlg.FormCreate(controls.Widget(), QSize(305, 61));
}

TfrmCClenenieClenovPridaj::~TfrmCClenenieClenovPridaj() = default;
