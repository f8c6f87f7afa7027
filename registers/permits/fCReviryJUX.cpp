#include "registers/permits/fCReviryJUX.h"
#include "app/AppContext.h"
#include "controls/DBQPLEdit.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "db/IBQuery.h"
#include "registers/common/RegisterControls.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fCReviryJUXPridaj.h"
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>

TfrmCReviryJUX::TfrmCReviryJUX(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbFilter | lbHladaj, rok) {
  list.Table = QStringLiteral("C_reviry_jux");
  list.PerYear = true;
  list.Select = [](TListQuery& q) { SelectGrounds(q, TfrmCReviryJUXPridaj::PriceColumns()); };
  list.Filter = [this](TListQuery& q) {
    AddKeyFilter(q, *eDBZO, QStringLiteral("a.c_zo=:C_ZO"), QStringLiteral("C_ZO"));
    AddKeyFilter(q, *eDBTypVody, QStringLiteral("a.typ_vody=:TYP_VODY"), QStringLiteral("TYP_VODY"));
    AddKeyFilter(q, *eDBTypRevira, QStringLiteral("a.typ_revira=:TYP_REVIRA"), QStringLiteral("TYP_REVIRA"));
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmCReviryJUXPridaj>(this); };
  const QList<TQPLColumn*> columns = AddListColumns(*list.gr1, {{"CISLO", "Číslo", 90, "a.cislo"},
                                                                {"NAZOV_UPLNY", "Názov revíru", 330, "a.nazov_uplny"},
                                                                {"TYP_VODY", "Typ vody", 80, "b.text", true},
                                                                {"TYP_REVIRA", "Typ revíra", 80, "c.text", true}});
  for (int centred : {2, 3})
    columns[centred]->Alignment = Qt::AlignHCenter;
  connect(list.gr1, &TDbGridQPL::OnDrawColumnCell, this, &TfrmCReviryJUX::gr1DrawColumnCell);
  BuildFilter();
  BuildPrices();
  list.FormCreate(QStringLiteral("Číselník revírov JUX - rok %d"), QSize(640, 400));
}

TfrmCReviryJUX::~TfrmCReviryJUX() = default;

void TfrmCReviryJUX::BuildFilter() {
  QWidget& panel = *list.pnlFilter;
  eDBZO = AddFilterCombo(panel, QStringLiteral("ZO:"), QStringLiteral("eDBZO"));
  SetupOrganisationCombo(*eDBZO);
  eDBTypVody = AddFilterCombo(panel, QStringLiteral("Voda:"), QStringLiteral("eDBTypVody"));
  SetupOptionCombo(*eDBTypVody, QStringLiteral("typ_vody"), QStringLiteral("poradie"));
  eDBTypRevira = AddFilterCombo(panel, QStringLiteral("Typ:"), QStringLiteral("eDBTypRevira"));
  SetupOptionCombo(*eDBTypRevira, QStringLiteral("typ_revira"), QStringLiteral("poradie"));
}

void TfrmCReviryJUX::BuildPrices() {
  auto* group = new QGroupBox(QStringLiteral(" Ceny povoleniek: "), this);
  group->setObjectName(QStringLiteral("gbxCeny"));
  auto* grid = new QGridLayout(group);
  const QStringList labels = TfrmCReviryJUXPridaj::PriceLabels();
  const QStringList columns = TfrmCReviryJUXPridaj::PriceColumns();
  for (int i = 0; i < 6; ++i) {
    auto* price = new TDBQPLEdit(group);
    price->setObjectName(QStringLiteral("eDB") + columns[i]);
    price->setReadOnly(true);
    price->setFocusPolicy(Qt::NoFocus);
    price->setAlignment(Qt::AlignRight);
    price->SetDataSet(list.ib1);
    price->SetDataField(columns[i]);
    price->SetDisplayFormat(QStringLiteral("#,##0.00"));
    auto* label = new QLabel(labels[i], group);
    label->setBuddy(price);
    // Members' prices in the first row, non-members' in the second.
    grid->addWidget(label, i / 3, 2 * (i % 3));
    grid->addWidget(price, i / 3, 2 * (i % 3) + 1);
    Ceny[i] = price;
  }
  layout()->addWidget(group);
}

void TfrmCReviryJUX::gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const {
  const TIBQuery& q = *list.ib1;
  if (!column || q.RecordCount() < 1 || column->FieldName.compare(QLatin1String("NAZOV_UPLNY"), Qt::CaseInsensitive))
    return;
  const QVariant branch = q.ValueAt(row, q.FieldByName(QStringLiteral("C_ZO")).Index());
  const QVariant own = ProgramSettings.ZO_JEDIN;
  canvas.Font.setBold(!branch.isNull() && !own.isNull() && branch.toInt() == own.toInt());
}
