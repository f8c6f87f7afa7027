#include "registers/competitions/fCLigPridaj.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"

TfrmCLigPridaj::TfrmCLigPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBNazov = AddText(controls, QStringLiteral("Názov:"), QStringLiteral("eDBNazov"), 50);
  dlg.AddCaption = QStringLiteral("Pridanie súťaže do číselníka");
  dlg.EditCaption = QStringLiteral("Oprava súťaže v číselníku");
  dlg.Table = QStringLiteral("C_LIG");
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required().Unique();
  dlg.FormCreate(controls.Widget(), QSize(456, 56));
}

TfrmCLigPridaj::~TfrmCLigPridaj() = default;
