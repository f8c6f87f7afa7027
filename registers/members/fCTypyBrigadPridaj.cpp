#include "registers/members/fCTypyBrigadPridaj.h"
#include "app/AppContext.h"
#include "controls/IBEdit.h"
#include "db/IBQuery.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QLabel>

TfrmCTypyBrigadPridaj::TfrmCTypyBrigadPridaj(QWidget* owner) : TDialogForm(owner), Rok(ProgramSettings.Rok) {
  TRegisterLayout controls(*this);
  lblNazov = controls.Label(QStringLiteral("Názov:"));
  eDBNazov = controls.Add<TIBEdit>(QStringLiteral("eDBNazov"), 50);
  eDBNazov->SetRequired(true);

  dlg.AddCaption = QStringLiteral("Pridanie typu brigády do číselníka");
  dlg.EditCaption = QStringLiteral("Oprava typu brigády v číselníku");
  dlg.Generator = QStringLiteral("C_typy_brigad_id");
  dlg.ClearAll = [this] { eDBNazov->clear(); };
  dlg.LoadSql = QStringLiteral("select nazov\nfrom c_typy_brigad where jedin=:JEDIN");
  dlg.Load = [this](TIBQuery& q) { eDBNazov->setText(q.FieldByName(QStringLiteral("NAZOV")).AsString()); };
  dlg.Save = [this](TIBQuery& q, bool adding) {
    if (adding) {
      q.SetSQL(QStringLiteral("insert into C_typy_brigad (jedin,rok,nazov)\nVALUES (:JEDIN,:ROK,:NAZOV)"));
      q.ParamByName(QStringLiteral("ROK")).SetValue(int(Rok));
    } else {
      q.SetSQL(QStringLiteral("UPDATE C_typy_brigad SET NAZOV=:NAZOV\nWHERE JEDIN=:JEDIN"));
    }
    q.ParamByName(QStringLiteral("NAZOV")).SetValue(eDBNazov->text());
  };
  dlg.FormCreate(controls.Widget(), QSize(456, 56));
}

TfrmCTypyBrigadPridaj::~TfrmCTypyBrigadPridaj() = default;
