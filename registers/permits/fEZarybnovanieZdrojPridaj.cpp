#include "registers/permits/fEZarybnovanieZdrojPridaj.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "controls/DbGridQPL.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "controls/IBTime.h"
#include "core/DataSet.h"
#include "db/IBQuery.h"
#include "registers/common/ChildGrid.h"
#include "registers/common/ListPattern.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/permits/PermitEntries.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fEZarybnovanieRevirPridaj.h"
#include "util/MoneyFormat.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QVBoxLayout>
#include <cmath>

namespace {

// A half-typed number counts as 0 until it reads as one.
double AmountOrZero(const TIBCurrencyEdit& edit) {
  try {
    return edit.Value();
  } catch (const EConvertError&) {
    return 0.0;
  }
}

} // namespace

TfrmEZarybnovanieZdrojPridaj::TfrmEZarybnovanieZdrojPridaj(QWidget* owner)
    : TDialogForm(owner), childOwner_(std::make_unique<TDialogChildOwner>(*this)) {
  auto* body = new QWidget(this);
  auto* columns = new QHBoxLayout(body);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->addWidget(BuildPurchase(*body));
  columns->addWidget(BuildReleases(*body), 1);

  dlg.AddCaption = QStringLiteral("Pridanie zarybňovania");
  dlg.EditCaption = QStringLiteral("Oprava zarybňovania");
  dlg.Table = QStringLiteral("E_ZARYBNOVANIE_ZDROJ");
  // The purchase exists from the show, so that its releases can be entered
  // at once; it gets its year at every save and is listed from the first.
  dlg.PerYear = true;
  dlg.HasPlaceholder = true;
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required();
  dlg.Field(QStringLiteral("C_DRUHY_RYB"), eDBRyba).Required();
  dlg.Field(QStringLiteral("VELKOST"), eDBVelkost);
  dlg.Field(QStringLiteral("CENA_MJ"), eDBCenaMJ);
  dlg.Field(QStringLiteral("MNOZSTVO"), eDBMnozstvo);
  // The total as shown: two decimals.
  dlg.Field(QStringLiteral("SPOLU"), eDBSpolu).Saves([this] {
    return std::round(AmountOrZero(*eDBSpolu) * 100) / 100;
  });
  dlg.Field(QStringLiteral("C_ZDROJE_UHRAD"), eDBZdrojUhrady).Required();
  dlg.Field(QStringLiteral("OSVEDCENIE_CISLO"), eDBOsvedcenieCislo);
  dlg.Field(QStringLiteral("MIESTO_POVODU"), eDBMiestoPovodu);
  dlg.Field(QStringLiteral("MJ"), eDBMJ).Required();
  dlg.Field(QStringLiteral("SPOSOB_DODAVKY"), eDBSposobDodavky);
  dlg.Field(QStringLiteral("PREBERANIE_ZABEZPECENE"), eDBPreberanieZabezpecene).Default(1).Placeholder(0);
  // Whoever arranged it counts only while the box says it was arranged.
  dlg.Field(QStringLiteral("PREBERANIE_ZABEZPECIL"), eDBPreberanieZabezpecil).Saves([this] {
    return eDBPreberanieZabezpecene->CheckedValue() == 1 ? QVariant(eDBPreberanieZabezpecil->text())
                                                         : QVariant(QMetaType(QMetaType::QString));
  });
  const std::pair<const char*, TIBTime*> times[] = {{"PREBERANIE_OD", eDBPreberanieOd},
                                                    {"PREBERANIE_DO", eDBPreberanieDo},
                                                    {"VYSADZOVANIE_OD", eDBVysadzanieOd},
                                                    {"VYSADZOVANIE_DO", eDBVysadzanieDo}};
  for (const auto& [column, edit] : times)
    dlg.Field(QLatin1String(column), edit);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.Field(QStringLiteral("FAKTURA"), eDBFaktura);
  dlg.Field(QStringLiteral("DODACI_LIST"), eDBDodaciList);
  dlg.Field(QStringLiteral("C_REVIRY_JUX"), eDBRevir);
  dlg.AfterClear = [this] {
    released_ = 0;
    ShowArrangedBy();
    Recompute();
  };
  dlg.FormCreate(body, QSize(900, 560));
  dlg.ClearFields();
}

TfrmEZarybnovanieZdrojPridaj::~TfrmEZarybnovanieZdrojPridaj() = default;

QWidget* TfrmEZarybnovanieZdrojPridaj::BuildPurchase(QWidget& parent) {
  TRegisterLayout controls(parent);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Druh ryby:"));
  eDBRyba = AddPickerCombo(controls, QStringLiteral("eDBRyba"), btnRyba, QStringLiteral("TfrmCDruhyRyb"));
  // Stocking fish and fry, not caught fish.
  SetupSpeciesCombo(*eDBRyba, QStringLiteral("typ in (2,3)"));
  eDBVelkost = AddText(controls, QStringLiteral("Veľkosť:"), QStringLiteral("eDBVelkost"), 50);
  eDBCenaMJ = AddAmount(controls, QStringLiteral("Cena za MJ"), QStringLiteral("eDBCenaMJ"), 3, 14);
  eDBMnozstvo = AddAmount(controls, QStringLiteral("Množstvo"), QStringLiteral("eDBMnozstvo"), 2, 14);
  for (TIBCurrencyEdit* number : {eDBCenaMJ, eDBMnozstvo}) {
    number->SetAllowZero(true);
    number->SetAllowNegative(true);
  }
  // Shown as required; an empty quantity is saved as 0.
  eDBMnozstvo->SetRequired(true);
  controls.Label(QStringLiteral("Mer. jed."));
  eDBMJ = controls.Add<TIBComboBox>(QStringLiteral("eDBMJ"));
  SetupTextCombo(*eDBMJ, QStringLiteral("e_zarybnovanie_zdroj"), QStringLiteral("mj"), 5, 0);
  eDBSpolu = AddAmount(controls, QStringLiteral("Spolu"), QStringLiteral("eDBSpolu"), 2, 14);
  eDBSpolu->SetReadOnly(true);
  eDBSpolu->setFocusPolicy(Qt::NoFocus);
  controls.Label(QStringLiteral("Zdroj úhrady zarybňovania:"));
  eDBZdrojUhrady =
      AddPickerCombo(controls, QStringLiteral("eDBZdrojUhrady"), btnZdrojUhrady, QStringLiteral("TfrmCZdrojeUhrad"));
  SetupComboLook(*eDBZdrojUhrady);
  eDBZdrojUhrady->SetSTableName(QStringLiteral("c_zdroje_uhrad"));
  eDBZdrojUhrady->SetSAppendFromField(QStringLiteral("nazov"));
  eDBZdrojUhrady->SetSKeyField(QStringLiteral("jedin"));
  eDBZdrojUhrady->SetSOrderBy(QStringLiteral("nazov"));
  eDBZdrojUhrady->SetSNotFoundErrorText(1019);
  eDBOsvedcenieCislo =
      AddText(controls, QStringLiteral("Veterinárne osvedčenie číslo:"), QStringLiteral("eDBOsvedcenieCislo"), 50);
  controls.Label(QStringLiteral("Faktúra číslo/ dodací list číslo:"));
  std::tie(eDBFaktura, eDBDodaciList) =
      controls.AddPair<TIBEdit, TIBEdit>(QStringLiteral("eDBFaktura"), 25, QStringLiteral("eDBDodaciList"), 25);
  eDBMiestoPovodu = AddText(controls, QStringLiteral("Miesto pôvodu rýb:"), QStringLiteral("eDBMiestoPovodu"), 50);
  controls.Label(QStringLiteral("Vlastný chovný revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  eDBSposobDodavky = AddText(controls, QStringLiteral("Spôsob dodávky:"), QStringLiteral("eDBSposobDodavky"), 50);
  controls.Label(QStringLiteral("Preberanie rýb zabezpečené:"));
  std::tie(eDBPreberanieZabezpecene, eDBPreberanieZabezpecil) = controls.AddPair<TIBCheckBox, TIBEdit>(
      QStringLiteral("eDBPreberanieZabezpecene"), 0, QStringLiteral("eDBPreberanieZabezpecil"), 50);
  // The box and its text edit share the row's top.
  eDBPreberanieZabezpecene->setMinimumHeight(eDBPreberanieZabezpecil->sizeHint().height());
  controls.Label(QStringLiteral("Preberanie rýb a prevoz od:"));
  std::tie(eDBPreberanieOd, eDBPreberanieDo) =
      controls.AddPair<TIBTime, TIBTime>(QStringLiteral("eDBPreberanieOd"), 0, QStringLiteral("eDBPreberanieDo"));
  controls.Label(QStringLiteral("Vysadzovanie rýb od:"));
  std::tie(eDBVysadzanieOd, eDBVysadzanieDo) =
      controls.AddPair<TIBTime, TIBTime>(QStringLiteral("eDBVysadzanieOd"), 0, QStringLiteral("eDBVysadzanieDo"));

  connect(eDBCenaMJ, &QLineEdit::textChanged, this, &TfrmEZarybnovanieZdrojPridaj::Recompute);
  connect(eDBMnozstvo, &QLineEdit::textChanged, this, &TfrmEZarybnovanieZdrojPridaj::Recompute);
  // The releases are valued at the price as it now stands.
  connect(eDBCenaMJ, &TIBCurrencyEdit::OnExit, this, [this] {
    if (releases->query->Active()) releases->grid->DisplayGrid();
  });
  connect(eDBRyba, &TIBComboBox::OnExit, this, &TfrmEZarybnovanieZdrojPridaj::SpeciesLeft);
  // After the box took its new value (toggled reaches it first).
  connect(eDBPreberanieZabezpecene, &QCheckBox::toggled, this, &TfrmEZarybnovanieZdrojPridaj::ShowArrangedBy);
  return controls.Widget();
}

QWidget* TfrmEZarybnovanieZdrojPridaj::BuildReleases(QWidget& parent) {
  auto* column = new QWidget(&parent);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  releases = std::make_unique<TChildGrid>(
      *childOwner_, QStringLiteral("E_ZARYBNOVANIE_REVIR"), StockingReleasesSql(),
      [this] { return std::make_unique<TfrmEZarybnovanieRevirPridaj>(this); },
      [this](TForm& dialog, int zdroj) {
        auto& release = dynamic_cast<TfrmEZarybnovanieRevirPridaj&>(dialog);
        release.Zdroj = zdroj;
        release.DatumZdroja = eDBDatum->Date();
      });
  QGroupBox* box = releases->Build(*column, QStringLiteral("Zarybnenie revírov"), QStringLiteral("gbxRevir"),
                                   QStringLiteral("tb2"), QStringLiteral("2"));
  // The price goes in as the dialog shows it, not as stored.
  releases->BindParams = [this](TIBQuery& q) {
    q.ParamByName(QStringLiteral("CENA")).SetValue(AmountOrZero(*eDBCenaMJ));
  };
  releases->AfterOpen = [this] { ReleasesOpened(); };
  const QList<TQPLColumn*> shown =
      AddListColumns(*releases->grid, {{"DATUM", "Dátum", 70, "A.DATUM", true},
                                       {"NAZOV_UPLNY", "Zarybňovaný revír", 180, "B.NAZOV_UPLNY"},
                                       {"MNOZSTVO", "Množstvo", 70, "A.MNOZSTVO"},
                                       {"SPOLU", "V sume", 80, "1"}});
  shown[0]->Alignment = Qt::AlignHCenter;
  shown[2]->DisplayFormat = QStringLiteral(",0.00");
  shown[3]->DisplayFormat = QStringLiteral("#,##0.00");
  releases->AddStatusBar(QStringLiteral("sb2"), sbPanels);
  layout->addWidget(box, 2);

  auto* note =
      new QGroupBox(QStringLiteral(" Zhodnotenie stavu násady a poznámky:   CTRL+Enter = nový riadok"), column);
  note->setObjectName(QStringLiteral("gbxPoznamka"));
  eDBPoznamka = new TIBMemo(note);
  eDBPoznamka->setObjectName(QStringLiteral("eDBPoznamka"));
  eDBPoznamka->setFont(TRegisterLayout::EntryFont());
  eDBPoznamka->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  (new QVBoxLayout(note))->addWidget(eDBPoznamka);
  layout->addWidget(note, 1);

  TRegisterLayout rest(*column);
  eZostavaZarybnit = AddAmount(rest, QStringLiteral("Zostáva zarybniť:"), QStringLiteral("eZostavaZarybnit"), 2, 14);
  eZostavaZarybnit->SetAllowZero(true);
  eZostavaZarybnit->SetAllowNegative(true);
  eZostavaZarybnit->SetReadOnly(true);
  eZostavaZarybnit->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(rest.Widget());
  return column;
}

void TfrmEZarybnovanieZdrojPridaj::FormShow() {
  // The grounds of the dialog's year.
  eDBRevir->SetSWhere(YearCondition(dlg.Rok));
  dlg.FormShow();
  // The releases of this purchase (none yet for a new one).
  releases->grid->DisplayGrid();
}

void TfrmEZarybnovanieZdrojPridaj::ReleasesOpened() {
  TIBQuery& q = *releases->query;
  q.DisableControls();
  double quantity = 0, value = 0;
  for (q.First(); !q.Eof(); q.Next()) {
    quantity += q.FieldByName(QStringLiteral("MNOZSTVO")).AsFloat();
    value += q.FieldByName(QStringLiteral("SPOLU")).AsFloat();
  }
  q.First();
  q.EnableControls();
  released_ = quantity;
  sbPanels[0]->setText(FormatIntegers(QStringLiteral("Počet záznamov: %d"), {q.RecordCount()}));
  sbPanels[1]->setText(QStringLiteral("Množstvo: %L1").arg(quantity, 9, 'f', 2));
  sbPanels[2]->setText(QStringLiteral("V sume spolu: ") + FormatMoney(value, 0));
  FitStatusBarPanels(*qobject_cast<QStatusBar*>(sbPanels[0]->parentWidget()));
  Recompute();
}

void TfrmEZarybnovanieZdrojPridaj::Recompute() {
  const double quantity = AmountOrZero(*eDBMnozstvo);
  eDBSpolu->SetValue(AmountOrZero(*eDBCenaMJ) * quantity);
  eZostavaZarybnit->SetValue(quantity - released_);
}

void TfrmEZarybnovanieZdrojPridaj::SpeciesLeft() {
  // Another species brings its price; the same one keeps a typed price.
  const QVariant species = eDBRyba->GetKeyValue();
  if (species.isNull() || !species.isValid() || species == eDBRyba->EntryKeyValue()) return;
  eDBCenaMJ->SetValue(eDBRyba->GetKeyValue2().toDouble());
}

void TfrmEZarybnovanieZdrojPridaj::ShowArrangedBy() {
  eDBPreberanieZabezpecil->setVisible(eDBPreberanieZabezpecene->CheckedValue() == 1);
}
