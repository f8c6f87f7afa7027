#include "registers/permits/fCKrmivPridaj.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"

TfrmCKrmivPridaj::TfrmCKrmivPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBNazov = AddText(controls, QStringLiteral("Názov:"), QStringLiteral("eDBNazov"), 50);

  dlg.AddCaption = QStringLiteral("Pridanie krmiva do číselníka");
  dlg.EditCaption = QStringLiteral("Oprava krmiva v číselníku");
  dlg.Table = QStringLiteral("C_KRMIV");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required().UniqueInYear();
  dlg.FormCreate(controls.Widget(), QSize(456, 56));
}

TfrmCKrmivPridaj::~TfrmCKrmivPridaj() = default;
