#include "registers/permits/fCReviryJUXPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBEdit.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr int kGroundNameLength = 75;

// The permit prices of a ground: column, caption, combo and picker button.
struct TGroundPrice {
  const char *Column, *Label, *Combo, *Button;
};
constexpr TGroundPrice kGroundPrices[6] = {
    {"SEZONNA", "Sezónna", "eDBSezonna", "btnSezonna"},
    {"DENNA", "Denná", "eDBDenna", "btnDBDenna"},
    {"TYZDENNA", "Týždenná", "eDBTyzdenna", "btnTyzdenna"},
    {"SEZONNA_CUDZI", "Sezónna cudzí", "eDBSezonnaCudzi", "btnSezonnaCudzi"},
    {"DENNA_CUDZI", "Denná cudzí", "eDBDennaCudzi", "btnDennaCudzi"},
    {"TYZDENNA_CUDZI", "Týždenná cudzí", "eDBTyzdennaCudzi", "btnTyzdennaCudzi"},
};

} // namespace

TfrmCReviryJUXPridaj::TfrmCReviryJUXPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBCislo = AddText(controls, QStringLiteral("Číslo:"), QStringLiteral("eDBCislo"), 10);
  eDBNazov = AddText(controls, QStringLiteral("Názov:"), QStringLiteral("eDBNazov"), 50);
  controls.Label(QStringLiteral("ZO:"));
  eDBZO = AddPickerCombo(controls, QStringLiteral("eDBZO"), btnZO, QStringLiteral("TfrmCZO"));
  SetupOrganisationCombo(*eDBZO);
  // Its name again as a key column (the names of the ground are composed
  // from it), so it is ordered by position.
  eDBZO->SetSKeyField(1, QStringLiteral("nazov"));
  eDBZO->SetSOrderBy(QStringLiteral("1"));
  controls.Label(QStringLiteral("Voda:"));
  eDBTypVody = controls.Add<TIBComboBox>(QStringLiteral("eDBTypVody"));
  SetupOptionCombo(*eDBTypVody, QStringLiteral("typ_vody"), QStringLiteral("poradie"));
  controls.Label(QStringLiteral("Typ:"));
  eDBTypRevira = controls.Add<TIBComboBox>(QStringLiteral("eDBTypRevira"));
  SetupOptionCombo(*eDBTypRevira, QStringLiteral("typ_revira"), QStringLiteral("poradie"));

  auto* group = controls.Add<QGroupBox>(QStringLiteral("gbxCeny"));
  group->setTitle(QStringLiteral(" Ceny povoleniek: "));
  group->setFont(font());
  TRegisterLayout prices(*group);
  (new QVBoxLayout(group))->addWidget(prices.Widget());
  for (int i = 0; i < 6; ++i) {
    const TGroundPrice& price = kGroundPrices[i];
    prices.Label(QString::fromUtf8(price.Label) + QLatin1Char(':'));
    Ceny[i] = AddPickerCombo(prices, QLatin1String(price.Combo), btnCeny[i], QStringLiteral("TfrmCCeniny"));
    SetupPriceItemCombo(*Ceny[i]);
    btnCeny[i]->setObjectName(QLatin1String(price.Button));
  }

  dlg.AddCaption = QStringLiteral("Pridanie revíru");
  dlg.EditCaption = QStringLiteral("Oprava revíru");
  dlg.Table = QStringLiteral("C_REVIRY_JUX");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("CISLO"), eDBCislo).Required().UniqueInYear();
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required().UniqueInYear();
  dlg.Field(QStringLiteral("C_ZO"), eDBZO).Required();
  dlg.Field(QStringLiteral("TYP_VODY"), eDBTypVody).Required().Default(1);
  dlg.Field(QStringLiteral("TYP_REVIRA"), eDBTypRevira).Required();
  for (int i = 0; i < 6; ++i)
    dlg.Field(QLatin1String(kGroundPrices[i].Column), Ceny[i]);
  // Composed from the texts of the controls when saving.
  dlg.Field(QStringLiteral("NAZOV_UPLNY")).WrittenOnly().Saves([this] {
    return NameForm(eDBCislo->text(), eDBNazov->text(), BranchName());
  });
  dlg.Field(QStringLiteral("NAZOV_UPLNY2")).WrittenOnly().Saves([this] {
    return NumberForm(eDBCislo->text(), eDBNazov->text(), BranchName());
  });
  dlg.FormCreate(controls.Widget(), QSize(480, 380));
}

TfrmCReviryJUXPridaj::~TfrmCReviryJUXPridaj() = default;

QStringList TfrmCReviryJUXPridaj::PriceColumns() {
  QStringList columns;
  for (const TGroundPrice& price : kGroundPrices)
    columns.append(QLatin1String(price.Column));
  return columns;
}

QStringList TfrmCReviryJUXPridaj::PriceLabels() {
  QStringList labels;
  for (const TGroundPrice& price : kGroundPrices)
    labels.append(QString::fromUtf8(price.Label));
  return labels;
}

QString TfrmCReviryJUXPridaj::NameForm(const QString& cislo, const QString& nazov, const QString& zo) {
  return QString(nazov + QStringLiteral(" (") + zo + QStringLiteral(") - ") + cislo).left(kGroundNameLength);
}

QString TfrmCReviryJUXPridaj::NumberForm(const QString& cislo, const QString& nazov, const QString& zo) {
  const QString composed = cislo + QStringLiteral(" - ") + nazov + QStringLiteral(" (") + zo + QLatin1Char(')');
  return composed.left(kGroundNameLength);
}

QString TfrmCReviryJUXPridaj::BranchName() const {
  // The chosen branch's name as stored: a completion still in the combo
  // shows the typed part as typed ("sev" + "er").
  const QVariant stored = eDBZO->GetKeyValue2();
  return stored.isNull() || !stored.isValid() ? eDBZO->currentText() : stored.toString();
}

void TfrmCReviryJUXPridaj::FormShow() {
  // The price items of the dialog's year.
  for (TIBComboBox* price : Ceny)
    price->SetSWhere(YearCondition(dlg.Rok));
  dlg.FormShow();
}
