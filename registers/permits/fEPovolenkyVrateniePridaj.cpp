#include "registers/permits/fEPovolenkyVrateniePridaj.h"
#include "app/QPLUnit.h"
#include "controls/DbGridQPL.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "core/DataSet.h"
#include "db/IBQuery.h"
#include "registers/common/ChildGrid.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fEPovolenkyUlovkyPridaj.h"
#include "util/MoneyFormat.h"
#include <QtCore/QLocale>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QVBoxLayout>
#include <cmath>

namespace {
// A control that only shows what the permit's payment holds: no tab stop.
template <class T> T* ShownOnReturn(T* control) {
  control->SetReadOnly(true);
  control->setFocusPolicy(Qt::NoFocus);
  return control;
}

TIBEdit* AddReturnText(TRegisterLayout& controls, const QString& label, const QString& name, int maxLength) {
  return ShownOnReturn(AddText(controls, label, name, maxLength));
}

TIBDate* AddReturnDate(TRegisterLayout& controls, const QString& label, const QString& name) {
  controls.Label(label);
  return ShownOnReturn(controls.Add<TIBDate>(name));
}
} // namespace

TfrmEPovolenkyVrateniePridaj::TfrmEPovolenkyVrateniePridaj(QWidget* owner) : TDialogForm(owner) {
  // The permit left, its holder right; the note and the catch lines below both.
  auto* body = new QWidget(this);
  auto* grid = new QGridLayout(body);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(BuildPermit(*body), 0, 0, Qt::AlignTop);
  grid->addWidget(BuildHolder(*body), 0, 1, Qt::AlignTop);
  eDBPoznamka = NewNoteBox(body, QStringLiteral(" Poznámka:                   CTRL+Enter = nový riadok"));
  grid->addWidget(eDBPoznamka->parentWidget(), 1, 0, 1, 2);
  grid->addWidget(BuildCatches(*body), 2, 0, 1, 2);
  grid->setRowStretch(2, 1);
  DeclareFields();
  dlg.FormCreate(body, QSize(760, 640));
}

TfrmEPovolenkyVrateniePridaj::~TfrmEPovolenkyVrateniePridaj() = default;

QWidget* TfrmEPovolenkyVrateniePridaj::BuildPermit(QWidget& parent) {
  TRegisterLayout controls(parent);
  eDBDatum = AddReturnDate(controls, QStringLiteral("Dátum vydania:"), QStringLiteral("eDBDatum"));
  eDBDoplnkovyUdaj =
      AddReturnText(controls, QStringLiteral("Číslo povolenky:"), QStringLiteral("eDBDoplnkovyUdaj"), 50);
  eDBZO = AddReturnText(controls, QStringLiteral("ZO:"), QStringLiteral("eDBZO"), 50);
  eDBRevir = AddReturnText(controls, QStringLiteral("Revír:"), QStringLiteral("eDBRevir"), 75);
  controls.Label(QStringLiteral("Dátum vrátenia:"));
  eDBPovolenkaVratenaDna = controls.Add<TIBDate>(QStringLiteral("eDBPovolenkaVratenaDna"));
  return controls.Widget();
}

QWidget* TfrmEPovolenkyVrateniePridaj::BuildHolder(QWidget& parent) {
  TRegisterLayout controls(parent);
  eDBTitul = AddReturnText(controls, QStringLiteral("Titul"), QStringLiteral("eDBTitul"), 15);
  eDBMeno = AddReturnText(controls, QStringLiteral("Meno"), QStringLiteral("eDBMeno"), 25);
  eDBPriezvisko = AddReturnText(controls, QStringLiteral("Priezvisko"), QStringLiteral("eDBPriezvisko"), 25);
  eDBUlica = AddReturnText(controls, QStringLiteral("Ulica"), QStringLiteral("eDBUlica"), 25);
  eDBPSC = AddReturnText(controls, QStringLiteral("PSČ"), QStringLiteral("eDBPSC"), 5);
  eDBMesto = AddReturnText(controls, QStringLiteral("Mesto"), QStringLiteral("eDBMesto"), 25);
  eDBDatumNarodenia = AddReturnDate(controls, QStringLiteral("Dátum narodenia"), QStringLiteral("eDBDatumNarodenia"));
  return controls.Widget();
}

QWidget* TfrmEPovolenkyVrateniePridaj::BuildCatches(QWidget& parent) {
  childOwner_ = std::make_unique<TDialogChildOwner>(*this);
  ulovky = std::make_unique<TChildGrid>(
      *childOwner_, QStringLiteral("e_ulovky"), ItemCatchesSql(),
      [this] { return std::make_unique<TfrmEPovolenkyUlovkyPridaj>(this); },
      [this](TForm& dialog, int item) {
        auto& line = static_cast<TfrmEPovolenkyUlovkyPridaj&>(dialog);
        line.EPovolenky2 = item;
        line.Revir = revir_;
      });
  QGroupBox* box = ulovky->Build(parent, QStringLiteral(" Úlovky: "), QStringLiteral("gbxUlovky"),
                                 QStringLiteral("tb2"), QStringLiteral("2"));
  const QList<TQPLColumn*> columns = AddListColumns(*ulovky->grid, {{"DATUM", "Dátum", 70, "a.datum"},
                                                                    {"REVIR", "Revír", 170, "b.nazov_uplny"},
                                                                    {"RYBA", "Druh ryby", 120, "c.nazov"},
                                                                    {"CENA_MJ", "Cena MJ", 70, "a.cena_mj"},
                                                                    {"POCET", "Počet", 50, "a.pocet"},
                                                                    {"VAHA", "Hmotnosť", 70, "a.vaha"},
                                                                    {"SPOLU", "Spolu", 80, "a.spolu"}});
  for (int money : {3, 6})
    columns[money]->DisplayFormat = QStringLiteral("#,##0.00");
  columns[5]->DisplayFormat = QStringLiteral(",0.00");
  ulovky->AfterOpen = [this] { SumCatches(); };
  sb = ulovky->AddStatusBar(QStringLiteral("sb"), sbPanels);
  box->setMinimumHeight(220);
  return box;
}

void TfrmEPovolenkyVrateniePridaj::DeclareFields() {
  dlg.AddCaption = QStringLiteral("Oprava informácií o úlovkoch");
  dlg.EditCaption = dlg.AddCaption;
  dlg.Table = QStringLiteral("E_POVOLENKY2");
  dlg.LoadSql = PermitReturnLoadSql();
  // Only the return date is the item's own entry; the rest shows its payment.
  dlg.Field(QStringLiteral("POVOLENKA_VRATENA_DNA"), eDBPovolenkaVratenaDna);
  const struct {
    const char* column;
    QWidget* control;
  } shown[] = {{"DATUM", eDBDatum},
               {"DOPLNKOVY_UDAJ", eDBDoplnkovyUdaj},
               {"C_ZO", eDBZO},
               {"REVIR", eDBRevir},
               {"TITUL", eDBTitul},
               {"MENO", eDBMeno},
               {"PRIEZVISKO", eDBPriezvisko},
               {"ULICA", eDBUlica},
               {"PSC", eDBPSC},
               {"MESTO", eDBMesto},
               {"DATUM_NARODENIA", eDBDatumNarodenia}};
  for (const auto& s : shown)
    dlg.Field(QString::fromLatin1(s.column), s.control).ShownOnly();
  // The note is the payment's: written with the return, and compared as its own columns are.
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka).OfRow(QStringLiteral("E_POVOLENKY"), ItemPaymentSql());
  dlg.Field(QStringLiteral("REVIR_JEDIN")).ShownOnly().Loads([this](const TField& f) { revir_ = f.AsVariant(); });
  dlg.AfterClear = [this] { revir_ = QVariant(); };
}

void TfrmEPovolenkyVrateniePridaj::FormShow() {
  dlg.FormShow();
  ulovky->grid->DisplayGrid();
}

void TfrmEPovolenkyVrateniePridaj::SumCatches() {
  TIBQuery& q = *ulovky->query;
  // Money and weight in hundredths: the sums of many lines stay exact.
  qint64 fish = 0, weight = 0, value = 0;
  const int count = q.RecordCount();
  const int pocet = q.FieldByName(QStringLiteral("POCET")).Index();
  const int vaha = q.FieldByName(QStringLiteral("VAHA")).Index();
  const int spolu = q.FieldByName(QStringLiteral("SPOLU")).Index();
  for (int row = 0; row < count; ++row) {
    fish += q.ValueAt(row, pocet).toLongLong();
    weight += std::llround(q.ValueAt(row, vaha).toDouble() * 100);
    value += std::llround(q.ValueAt(row, spolu).toDouble() * 100);
  }
  static const QLocale slovak(QLocale::Slovak, QLocale::Slovakia);
  sbPanels[0]->setText(FormatIntegers(QStringLiteral("Počet záznamov: %d"), {count}));
  sbPanels[1]->setText(FormatIntegers(QStringLiteral("Počet rýb: %d"), {fish}));
  sbPanels[2]->setText(QStringLiteral("Hmotnosť spolu: ") + slovak.toString(double(weight) / 100, 'f', 2));
  sbPanels[3]->setText(QStringLiteral("Spolu v cene: ") + FormatMoney(double(value) / 100, 0));
  FitStatusBarPanels(*sb);
}
