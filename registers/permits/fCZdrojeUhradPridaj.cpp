#include "registers/permits/fCZdrojeUhradPridaj.h"
#include "controls/IBCheckBox.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterLayout.h"

TfrmCZdrojeUhradPridaj::TfrmCZdrojeUhradPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Názov:"));
  eDBNazov = controls.Add<TIBEdit>(QStringLiteral("eDBNazov"), 50);
  controls.Label(QStringLiteral("Zahrnúť do zarybňovacích zostáv:"));
  eDBVykazRady = controls.Add<TIBCheckBox>(QStringLiteral("eDBVykazRady"));

  dlg.AddCaption = QStringLiteral("Pridanie zdroja úhrad");
  dlg.EditCaption = QStringLiteral("Oprava zdroje úhrad");
  dlg.Table = QStringLiteral("C_ZDROJE_UHRAD");
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required();
  dlg.Field(QStringLiteral("DO_VYKAZU_RADY"), eDBVykazRady).Default(1);
  dlg.FormCreate(controls.Widget(), QSize(455, 61));
}

TfrmCZdrojeUhradPridaj::~TfrmCZdrojeUhradPridaj() = default;
