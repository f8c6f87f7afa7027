#include "registers/competitions/fEPretekyKolaPridaj.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QLabel>

namespace {
// A one-digit number shown as required; an empty edit counts as 0.
TIBCurrencyEdit* AddDigit(TRegisterLayout& controls, const QString& label, const QString& name) {
  TIBCurrencyEdit* edit = AddAmount(controls, label, name, 0, 1);
  edit->SetAllowZero(true);
  edit->SetRequired(true);
  return edit;
}
} // namespace

TfrmEPretekyKolaPridaj::TfrmEPretekyKolaPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBCislo = AddDigit(controls, QStringLiteral("Por. číslo kola v preteku:"), QStringLiteral("eDBCislo"));
  eDBCisloVRoku = AddDigit(controls, QStringLiteral("Por. číslo preteku v roku:"), QStringLiteral("eDBCisloVRoku"));
  controls.Label(QString());
  controls.Add<QLabel>(QStringLiteral("lblCisloVRoku"))
      ->setText(QStringLiteral("(udáva stĺpec v ATP tabuľke do ktorého sa výsledok bude dopočítavať)"));
  eDBNazov = AddText(controls, QStringLiteral("Názov kola preteku:"), QStringLiteral("eDBNazov"), 50);

  dlg.AddCaption = QStringLiteral("Pridanie kola preteku");
  dlg.EditCaption = QStringLiteral("Oprava kola preteku");
  dlg.Table = QStringLiteral("E_PRETEKY_KOLA");
  dlg.Field(QStringLiteral("CISLO"), eDBCislo);
  dlg.Field(QStringLiteral("CISLO_V_ROKU"), eDBCisloVRoku);
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required();
  dlg.Field(QStringLiteral("E_PRETEKY")).WrittenOnly().InsertOnly().Saves([this] { return Preteky; });
  dlg.FormCreate(controls.Widget(), QSize(520, 110));
}

TfrmEPretekyKolaPridaj::~TfrmEPretekyKolaPridaj() = default;
