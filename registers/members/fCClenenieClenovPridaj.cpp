#include "registers/members/fCClenenieClenovPridaj.h"
#include "app/AppContext.h"
#include "controls/IBEdit.h"
#include "db/IBQuery.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QLabel>

TfrmCClenenieClenovPridaj::TfrmCClenenieClenovPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  lblNazov = controls.Label(QStringLiteral("Názov skupiny:"));
  eDBNazov = controls.Add<TIBEdit>(QStringLiteral("eDBNazov"), 25);
  eDBNazov->SetRequired(true);
  eDBNazov->SetUniqueTest(true);
  eDBNazov->SetDatabase(MainDatabase());
  eDBNazov->SetUTableName(QStringLiteral("C_clenenie_clenov"));
  eDBNazov->SetUTestColumn(QStringLiteral("nazov"));
  eDBNazov->SetUniqueColumn(QStringLiteral("jedin"));

  dlg.AddCaption = QStringLiteral("Pridanie členenia členov");
  dlg.EditCaption = QStringLiteral("Oprava členenia členov");
  dlg.Generator = QStringLiteral("c_clenenie_clenov_id");
  dlg.ClearAll = [this] { eDBNazov->clear(); };
  dlg.LoadSql = QStringLiteral("select nazov\nfrom c_clenenie_clenov where jedin=:JEDIN");
  dlg.Load = [this](TIBQuery& q) { eDBNazov->setText(q.FieldByName(QStringLiteral("NAZOV")).AsString()); };
  dlg.Save = [this](TIBQuery& q, bool adding) {
    q.SetSQL(adding ? QStringLiteral("insert into c_clenenie_clenov (jedin,nazov)\nVALUES (:JEDIN,:NAZOV)")
                    : QStringLiteral("UPDATE c_clenenie_clenov SET NAZOV=:NAZOV\nWHERE JEDIN=:JEDIN"));
    q.ParamByName(QStringLiteral("NAZOV")).SetValue(eDBNazov->text());
  };
  dlg.FormCreate(controls.Widget(), QSize(305, 61));
}

TfrmCClenenieClenovPridaj::~TfrmCClenenieClenovPridaj() = default;
