#include "registers/competitions/fEPretekyPretekariPridaj.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/competitions/CompetitionLookups.h"
#include <QtWidgets/QLabel>

namespace {
TIBCurrencyEdit* AddWholeNumber(TRegisterLayout& controls, const QString& label, const QString& name, int maxLength,
                                bool negative) {
  TIBCurrencyEdit* edit = AddAmount(controls, label, name, 0, maxLength);
  edit->SetAllowZero(true);
  edit->SetAllowNegative(negative);
  return edit;
}
} // namespace

TfrmEPretekyPretekariPridaj::TfrmEPretekyPretekariPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Pretekár:"));
  eDBPretekar = AddPickerCombo(controls, QStringLiteral("eDBPretekar"), btnPretekar, QStringLiteral("TfrmCPretekari"));
  SetupNameLookup(*eDBPretekar, QStringLiteral("c_pretekari"));
  controls.Label(QStringLiteral("Družstvo:"));
  eDBDruzstvo =
      AddPickerCombo(controls, QStringLiteral("eDBDruzstvo"), btnDruzstvo, QStringLiteral("TfrmCDruzstvaPretekarov"));
  SetupTeamCombo(*eDBDruzstvo);
  controls.Label(QStringLiteral("Sektor:"));
  auto [sektor, cislo] =
      controls.AddPair<TIBEdit, TIBCurrencyEdit>(QStringLiteral("eDBSektor"), 1, QStringLiteral("eDBSektorCislo"));
  eDBSektor = sektor;
  eDBSektor->setFixedWidth(QFontMetrics(eDBSektor->font()).horizontalAdvance(QStringLiteral("WW")) + 12);
  TypeInCapitals(*eDBSektor);
  eDBSektorCislo = cislo;
  eDBSektorCislo->SetDecimals(0);
  eDBSektorCislo->SetMaxLength(2);
  eDBSektorCislo->SetAllowZero(true);
  eDBSektorCislo->SetAllowNegative(false);
  eDBCIPS = AddWholeNumber(controls, QStringLiteral("CIPS:"), QStringLiteral("eDBCIPS"), 9, true);
  eDBTrestMiesto =
      AddWholeNumber(controls, QStringLiteral("Diskvalifikácia:"), QStringLiteral("eDBTrestMiesto"), 2, false);
  controls.Label(QString());
  auto* note = controls.Add<QLabel>(QStringLiteral("lblTrestMiesto"));
  note->setWordWrap(true);
  note->setText(QStringLiteral("zadajte umiestnenie, ktoré získava pretekár pri diskvalifikácii, pokiaľ ostane "
                               "hodnota nula, tak sa pretekár vyhodnotí štandardne."));

  dlg.AddCaption = QStringLiteral("Pridanie pretekára");
  dlg.EditCaption = QStringLiteral("Oprava pretekára");
  dlg.Table = QStringLiteral("E_PRETEKY_PRETEKARI");
  dlg.Field(QStringLiteral("C_PRETEKARI"), eDBPretekar).Required();
  dlg.Field(QStringLiteral("C_DRUZSTVA_PRETEKAROV"), eDBDruzstvo).Required();
  // A sector left empty is none, and so is peg 0.
  dlg.Field(QStringLiteral("SEKTOR"), eDBSektor).Saves([this] {
    const QString sektor = eDBSektor->text().trimmed().toUpper();
    return sektor.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(sektor);
  });
  dlg.Field(QStringLiteral("SEKTOR_CISLO"), eDBSektorCislo).ZeroIsNull();
  dlg.Field(QStringLiteral("CIPS"), eDBCIPS);
  dlg.Field(QStringLiteral("TRESTNE_MIESTO"), eDBTrestMiesto);
  dlg.Field(QStringLiteral("E_PRETEKY_KOLA")).WrittenOnly().InsertOnly().Saves([this] { return Kolo; });
  dlg.Field(QStringLiteral("E_PRETEKY")).WrittenOnly().InsertOnly().Saves([this] { return Preteky; });
  dlg.FormCreate(controls.Widget(), QSize(560, 190));
}

TfrmEPretekyPretekariPridaj::~TfrmEPretekyPretekariPridaj() = default;
