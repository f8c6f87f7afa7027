#include "registers/permits/fECeniny.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "registers/common/DialogField.h"
#include "registers/common/RegisterControls.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fECeninyPridaj.h"
#include "registers/permits/fECeninyTlac.h"
#include <QtWidgets/QBoxLayout>

TfrmECeniny::TfrmECeniny(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbFilter | lbHladaj, rok) {
  list.Table = QStringLiteral("e_ceniny");
  list.PerYear = true;
  list.Select = SelectStockMovements;
  list.Filter = [this](TListQuery& q) { AddFilterClauses(q); };
  list.CreateDialog = [this] { return std::make_unique<TfrmECeninyPridaj>(this); };
  list.Print = [this] {
    TfrmECeninyTlac dialog(this, list);
    dialog.ShowModal();
  };
  const QList<TQPLColumn*> columns = AddListColumns(*list.gr1, {{"CISLO", "Číslo", 60, "a.cislo", true},
                                                                {"DATUM", "Dátum", 70, "a.datum", true},
                                                                {"PARTNER", "Partner", 220, "A.NAZOV_UPLNY", true},
                                                                {"NAZOV", "Názov ceniny", 200, "c.nazov", true},
                                                                {"MNOZSTVO", "Množstvo", 70, "a.mnozstvo", true},
                                                                {"CENA", "Spolu v cene", 90, "1", true},
                                                                {"ODVOD_JUX", "Spolu odvod JUX", 100, "2", true}});
  columns[1]->DisplayFormat = QStringLiteral("dd.mm.yyyy");
  columns[4]->DisplayFormat = QStringLiteral(",0.##");
  for (int money : {5, 6})
    columns[money]->DisplayFormat = QStringLiteral("#,##0.00");
  BuildFilter();
  list.FormCreate(QStringLiteral("Evidencia cenín a tlačív - rok %d"), QSize(860, 400));
}

TfrmECeniny::~TfrmECeniny() = default;

void TfrmECeniny::BuildFilter() {
  QWidget& panel = *list.pnlFilter;
  delete panel.layout();
  auto* rows = new QVBoxLayout(&panel);
  // Two rows of the panel: the ranges, then the lookups.
  const auto row = [&] {
    auto* widget = new QWidget(&panel);
    auto* line = new QHBoxLayout(widget);
    line->setContentsMargins(0, 0, 0, 0);
    rows->addWidget(widget);
    return widget;
  };
  QWidget* ranges = row();
  const auto add = [](QWidget* on, const char* caption, auto* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    AddFilterControl(*on, QString::fromUtf8(caption), control);
    return control;
  };
  const auto number = [&](const char* caption, const char* name) {
    auto* edit = add(ranges, caption, new TIBCurrencyEdit(ranges), name);
    edit->SetDecimals(0);
    edit->SetMaxLength(10);
    return edit;
  };
  eDatumOd = add(ranges, "Dátum od:", new TIBDate(ranges), "eDatumOd");
  eDatumDo = add(ranges, "do:", new TIBDate(ranges), "eDatumDo");
  eCisloOd = number("Číslo od:", "eCisloOd");
  eCisloDo = number("do:", "eCisloDo");
  static_cast<QBoxLayout*>(ranges->layout())->addStretch(1);
  QWidget* lookups = row();
  eSmerPohybu = AddFilterCombo(*lookups, QStringLiteral("Príjem/Výdaj:"), QStringLiteral("eSmerPohybu"));
  SetupOptionCombo(*eSmerPohybu, QStringLiteral("smer_pohybu"), QStringLiteral("text"));
  eKontakt = AddFilterCombo(*lookups, QStringLiteral("Kontakt:"), QStringLiteral("eKontakt"));
  // The names the year's movements carry, found by their ASCII shadow.
  SetupNameLookup(*eKontakt, QStringLiteral("e_ceniny"));
  eKontakt->SetSKeyField(QStringLiteral("nazov_uplny"));
  eKontakt->SetSOrderBy(QStringLiteral("1"));
  eKontakt->SetSDistinct(true);
  eKontakt->SetSWhere(YearCondition(list.Rok));
  eCenina = AddFilterCombo(*lookups, QStringLiteral("Cenina:"), QStringLiteral("eCenina"));
  SetupValuablesCombo(*eCenina, list.Rok);
}

void TfrmECeniny::AddFilterClauses(TListQuery& q) const {
  // Each range binds its own values, so both apply together.
  AddRangeFilter(q, QStringLiteral("a.datum"), QStringLiteral("DATUM"), DateBound(*eDatumOd), DateBound(*eDatumDo));
  AddRangeFilter(q, QStringLiteral("a.cislo"), QStringLiteral("CISLO"), NumberBound(*eCisloOd), NumberBound(*eCisloDo));
  AddKeyFilter(q, *eSmerPohybu, QStringLiteral("a.SMER_POHYBU=:SMER_POHYBU"), QStringLiteral("SMER_POHYBU"));
  AddKeyFilter(q, *eKontakt, QStringLiteral("a.nazov_uplny=:NAZOV_UPLNY"), QStringLiteral("NAZOV_UPLNY"));
  AddKeyFilter(q, *eCenina, QStringLiteral("a.C_CENINY=:C_CENINY"), QStringLiteral("C_CENINY"));
}
