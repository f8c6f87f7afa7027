#include "registers/members/fCClenovPreruseneRokyPridaj.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
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
  eDBRok->SetAllowZero(true);
  eDBRok->SetAllowNegative(true);
  lblDovod = controls.Label(QStringLiteral("Dôvod:"));
  eDBDovod = controls.Add<TIBEdit>(QStringLiteral("eDBDovod"), 50);

  dlg.AddCaption = QStringLiteral("Pridanie prerušeného roku členstva");
  dlg.EditCaption = QStringLiteral("Oprava prerušeného roku členstva");
  dlg.Table = QStringLiteral("C_CLENOV_PRERUSENE_ROKY");
  // The calendar year, not the working year: interruptions are entered as they happen.
  dlg.Field(QStringLiteral("ROK"), eDBRok).Required().Default([] { return QDate::currentDate().year(); });
  dlg.Field(QStringLiteral("DOVOD"), eDBDovod);
  dlg.Field(QStringLiteral("C_CLENOV")).WrittenOnly().InsertOnly().Saves([this] { return Clen; });
  dlg.SaveFailed = [this](int handled) {
    if (handled == kYearAlreadyRecorded) eDBRok->setFocus();
  };
  dlg.FormCreate(controls.Widget(), QSize(456, 80));
}

TfrmCClenovPreruseneRokyPridaj::~TfrmCClenovPreruseneRokyPridaj() = default;
