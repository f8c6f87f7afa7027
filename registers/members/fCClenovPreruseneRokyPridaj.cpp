#include "registers/members/fCClenovPreruseneRokyPridaj.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "db/IBQuery.h"
#include "registers/common/RegisterLayout.h"
#include <QtCore/QDate>
#include <QtWidgets/QLabel>

namespace {
constexpr int kYearAlreadyRecorded = 2005;
}

TfrmCClenovPreruseneRokyPridaj::TfrmCClenovPreruseneRokyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  lblRok = controls.Label(QStringLiteral("Rok:"));
  eDBRok = controls.Add<TIBCurrencyEdit>(QStringLiteral("eDBRok"), 4);
  eDBRok->SetDecimals(0);
  eDBRok->SetRequired(true);
  eDBRok->SetAllowZero(true);
  eDBRok->SetAllowNegative(true);
  lblDovod = controls.Label(QStringLiteral("Dôvod:"));
  eDBDovod = controls.Add<TIBEdit>(QStringLiteral("eDBDovod"), 50);

  dlg.AddCaption = QStringLiteral("Pridanie prerušeného roku členstva");
  dlg.EditCaption = QStringLiteral("Oprava prerušeného roku členstva");
  dlg.Generator = QStringLiteral("C_clenov_prerusene_roky_id");
  // The calendar year, not the working year: interruptions are entered as they happen.
  dlg.ClearAll = [this] {
    eDBRok->SetValue(QDate::currentDate().year());
    eDBDovod->clear();
  };
  dlg.LoadSql = QStringLiteral("select rok,dovod\nfrom C_clenov_prerusene_roky where jedin=:JEDIN");
  dlg.Load = [this](TIBQuery& q) {
    eDBRok->SetValue(q.FieldByName(QStringLiteral("ROK")).AsInteger());
    eDBDovod->setText(q.FieldByName(QStringLiteral("DOVOD")).AsString());
  };
  dlg.Save = [this](TIBQuery& q, bool adding) {
    q.SetSQL(adding ? QStringLiteral("insert into C_clenov_prerusene_roky (jedin,dovod,rok,c_clenov)\n"
                                     "VALUES (:JEDIN,:DOVOD,:ROK,:C_CLENOV)")
                    : QStringLiteral("UPDATE C_clenov_prerusene_roky SET dovod=:DOVOD,ROK=:ROK\nWHERE JEDIN=:JEDIN"));
    q.ParamByName(QStringLiteral("DOVOD")).SetValue(eDBDovod->text());
    q.ParamByName(QStringLiteral("ROK")).SetValue(int(eDBRok->Value()));
    if (adding) q.ParamByName(QStringLiteral("C_CLENOV")).SetValue(Clen);
  };
  dlg.SaveFailed = [this](int handled) {
    if (handled == kYearAlreadyRecorded) eDBRok->setFocus();
  };
  dlg.FormCreate(controls.Widget(), QSize(456, 80));
}

TfrmCClenovPreruseneRokyPridaj::~TfrmCClenovPreruseneRokyPridaj() = default;
