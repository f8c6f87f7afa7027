#include "registers/accounting/fEPokladna.h"
#include "app/QPLUnit.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "db/IBQuery.h"
#include "registers/accounting/AccountingQueries.h"
#include "registers/accounting/AccountingRows.h"
#include "registers/accounting/fEPokladnaPridaj.h"
#include "registers/accounting/fEPokladnaTlac.h"
#include "registers/common/RegisterControls.h"
#include "util/MoneyFormat.h"
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>
#include <cmath>

TfrmEPokladna::TfrmEPokladna(QWidget* owner, quint16 rok, int typ)
    : TListForm(owner, kStandardListButtons | lbTlac | lbFilter | lbHladaj, rok), Typ(typ) {
  list.Table = QStringLiteral("e_pokladna");
  list.Select = [this](TListQuery& q) { SelectMovements(q, list.Rok, Typ); };
  list.Filter = [this](TListQuery& q) { AddFilterClauses(q); };
  list.AfterOpen = [this] { ShowTotals(); };
  list.CreateDialog = [this] { return std::make_unique<TfrmEPokladnaPridaj>(this, Typ); };
  list.Print = [this] {
    TfrmEPokladnaTlac dialog(this, list);
    dialog.ShowModal();
  };
  const QList<TQPLColumn*> columns = AddListColumns(*list.gr1, {{"DRUH_DOKLADU", "DD", 40, "a.druh_dokladu", true},
                                                                {"P1", "Číslo", 60, "a.p1", true},
                                                                {"P2", "Pol.", 35, "a.p2", true},
                                                                {"DATUM", "Dátum", 70, "a.datum", true},
                                                                {"PARTNER", "Partner", 220, "a.nazov_uplny", true},
                                                                {"POPIS", "Popis", 200, "a.popis", true},
                                                                {"PRIJEM", "Príjem", 85, "a.prijem", true},
                                                                {"VYDAJ", "Výdaj", 85, "a.vydaj", true}});
  columns[6]->DisplayFormat = QStringLiteral("#,##0.00");
  columns[7]->DisplayFormat = QStringLiteral("#,##0.00");
  BuildFilter();
  QStatusBar* sb = list.AddStatusBar();
  for (QLabel*& panel : sbPanels) {
    panel = new QLabel(sb);
    sb->addWidget(panel);
  }
  list.FormCreate(Typ == 1 ? QStringLiteral("Evidencia pokladne - rok %d") : QStringLiteral("Evidencia banky - rok %d"),
                  QSize(860, 400));
}

TfrmEPokladna::~TfrmEPokladna() = default;

void TfrmEPokladna::BuildFilter() {
  QWidget& panel = *list.pnlFilter;
  auto* grid = new QGridLayout;
  delete panel.layout();
  panel.setLayout(grid);
  // A control under its label at (row, column), spanning `span` grid columns.
  const auto place = [&](int row, int column, const QString& caption, QWidget* control, int span = 1) {
    control->setParent(&panel);
    auto* label = new QLabel(caption, &panel);
    label->setBuddy(control);
    grid->addWidget(label, row, column);
    grid->addWidget(control, row, column + 1, 1, span);
  };
  const auto named = [](auto* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
  };
  const auto number = [&](const char* name) {
    auto* edit = named(new TIBCurrencyEdit(&panel), name);
    edit->SetDecimals(0);
    edit->SetMaxLength(10);
    return edit;
  };
  eDatumOd = named(new TIBDate(&panel), "eDatumOd");
  eDatumDo = named(new TIBDate(&panel), "eDatumDo");
  eDruhDokladu = named(new TIBComboBox(&panel), "eDruhDokladu");
  SetupDocumentKindCombo(*eDruhDokladu);
  eDruhDokladu->SetSWhere({QStringLiteral("typ in (1,2) and rok=:ROK"), {{QStringLiteral("ROK"), int(list.Rok)}}});
  eCisloOd = number("eCisloOd");
  eCisloDo = number("eCisloDo");
  eSmerPohybu = named(new TIBComboBox(&panel), "eSmerPohybu");
  SetupDirectionCombo(*eSmerPohybu);
  ePopis = named(new TIBEdit(&panel), "ePopis");
  ePopis->setMaxLength(50);
  eClen = named(new TIBComboBox(&panel), "eClen");
  SetupMemberCombo(*eClen);
  ePartner = named(new TIBComboBox(&panel), "ePartner");
  SetupPartnerCombo(*ePartner);
  eOstatni = named(new TIBComboBox(&panel), "eOstatni");
  SetupMemberCombo(*eOstatni);
  eOstatni->SetSTableName(QStringLiteral("e_pokladna"));
  eOstatni->SetSKeyField(QStringLiteral("nazov_uplny"));
  eOstatni->SetSOrderBy(QStringLiteral("1"));
  eOstatni->SetSDistinct(true);
  // The counterparties that are neither members nor partners.
  eOstatni->SetSWhere({QStringLiteral("rok=:ROK and c_clenov is null and c_partneri is null"),
                       {{QStringLiteral("ROK"), int(list.Rok)}}});
  // In reading order, so that Tab follows the rows.
  place(0, 0, QStringLiteral("Dátum od:"), eDatumOd);
  place(0, 2, QStringLiteral("do:"), eDatumDo);
  place(0, 4, QStringLiteral("Druh dokladu:"), eDruhDokladu);
  place(1, 0, QStringLiteral("Číslo od:"), eCisloOd);
  place(1, 2, QStringLiteral("do:"), eCisloDo);
  place(1, 4, QStringLiteral("Príjem/Výdaj:"), eSmerPohybu);
  place(2, 0, QStringLiteral("Popis:"), ePopis, 2);
  place(2, 4, QStringLiteral("Člen ZO:"), eClen);
  place(3, 0, QStringLiteral("Partner:"), ePartner, 3);
  place(3, 4, QStringLiteral("Ostatní:"), eOstatni);
  grid->addWidget(new QLabel(QStringLiteral("(obsahuje text)"), &panel), 2, 3);
  grid->setColumnStretch(5, 1);
}

void TfrmEPokladna::AddFilterClauses(TListQuery& q) const {
  // Each range binds its own values, so both apply together.
  AddRangeFilter(q, QStringLiteral("a.datum"), QStringLiteral("DATUM"), DateBound(*eDatumOd), DateBound(*eDatumDo));
  if (!KeyParam(*eDruhDokladu).isNull()) {
    q.Where(QStringLiteral("a.druh_dokladu=:DRUH_DOKLADU"));
    q.Params.insert(QStringLiteral("DRUH_DOKLADU"), eDruhDokladu->GetKeyValue2());
  }
  AddRangeFilter(q, QStringLiteral("a.p1"), QStringLiteral("CISLO"), NumberBound(*eCisloOd), NumberBound(*eCisloDo));
  AddKeyFilter(q, *eSmerPohybu, QStringLiteral("a.smer_pohybu=:SMER_POHYBU"), QStringLiteral("SMER_POHYBU"));
  if (!ePopis->text().trimmed().isEmpty()) {
    // The server's containing ignores letter case.
    q.Where(QStringLiteral("a.popis containing :POPIS"));
    q.Params.insert(QStringLiteral("POPIS"), ePopis->text());
  }
  AddKeyFilter(q, *eClen, QStringLiteral("a.c_clenov=:C_CLENOV"), QStringLiteral("C_CLENOV"));
  AddKeyFilter(q, *ePartner, QStringLiteral("a.c_partneri=:C_PARTNERI"), QStringLiteral("C_PARTNERI"));
  AddKeyFilter(q, *eOstatni, QStringLiteral("a.nazov_uplny=:NAZOV_UPLNY"), QStringLiteral("NAZOV_UPLNY"));
}

void TfrmEPokladna::ShowTotals() {
  TIBQuery& q = *list.ib1;
  q.DisableControls();
  // In cents: the sums of many amounts stay exact.
  qint64 prijmy = 0, vydaje = 0;
  const TField& prijem = q.FieldByName(QStringLiteral("PRIJEM"));
  const TField& vydaj = q.FieldByName(QStringLiteral("VYDAJ"));
  for (q.First(); !q.Eof(); q.Next()) {
    prijmy += std::llround(prijem.AsFloat() * 100);
    vydaje += std::llround(vydaj.AsFloat() * 100);
  }
  q.EnableControls();
  sbPanels[0]->setText(FormatIntegers(QStringLiteral("Počet záznamov: %d"), {q.RecordCount()}));
  sbPanels[1]->setText(QStringLiteral("Príjmy: ") + FormatMoney(double(prijmy) / 100));
  sbPanels[2]->setText(QStringLiteral("Výdaje: ") + FormatMoney(double(vydaje) / 100));
  sbPanels[3]->setText(QStringLiteral("Zostatok: ") + FormatMoney(double(prijmy - vydaje) / 100));
  FitStatusBarPanels(*list.sb);
}

void TfrmEPokladna::OpenForMember(QWidget* owner, int clen, int rok) {
  TfrmEPokladna form(owner, quint16(rok), 1);
  ShowForMember(form, *form.eClen, clen);
}
