#include "registers/members/fCTypyBrigadPridaj.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QLabel>

TfrmCTypyBrigadPridaj::TfrmCTypyBrigadPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  lblNazov = controls.Label(QStringLiteral("Názov:"));
  eDBNazov = controls.Add<TIBEdit>(QStringLiteral("eDBNazov"), 50);

  dlg.AddCaption = QStringLiteral("Pridanie typu brigády do číselníka");
  dlg.EditCaption = QStringLiteral("Oprava typu brigády v číselníku");
  dlg.Table = QStringLiteral("C_TYPY_BRIGAD");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required();
  dlg.FormCreate(controls.Widget(), QSize(456, 56));
}

TfrmCTypyBrigadPridaj::~TfrmCTypyBrigadPridaj() = default;
