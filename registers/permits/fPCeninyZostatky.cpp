#include "registers/permits/fPCeninyZostatky.h"
#include "controls/DbGridQPL.h"
#include "controls/IBDate.h"
#include "core/DateTime.h"
#include "registers/common/DialogField.h"
#include "registers/common/RegisterControls.h"
#include "registers/permits/PermitQueries.h"
#include <QtCore/QDate>

TfrmPCeninyZostatky::TfrmPCeninyZostatky(QWidget* owner, quint16 rok)
    : TListForm(owner, lbSmer | lbFilter | lbHladaj | lbOznacene | lbRefresh, rok) {
  list.Select = SelectStockBalances;
  list.PerYear = true;
  // Rows are kinds; the marked kinds restrict the movements summed.
  list.MarkedColumn = QStringLiteral("a.c_ceniny");
  list.Grouping = StockBalanceGrouping();
  list.DefaultOrder = QStringLiteral("b.nazov");
  list.Filter = [this](TListQuery& q) {
    AddRangeFilter(q, QStringLiteral("a.datum"), QStringLiteral("DATUM"), DateBound(*eOd), DateBound(*eDo));
  };
  const QList<TQPLColumn*> columns = AddListColumns(*list.gr1, {{"NAZOV", "Cenina, tlačivo", 250, "b.nazov", true},
                                                                {"ZOSTATOK", "Zostatok", 80, "sum(a.mnozstvo)", true},
                                                                {"CENA", "Cena", 90, "4", true},
                                                                {"ODVOD_JUX", "Odvod JUX", 90, "5", true}});
  columns[1]->DisplayFormat = QStringLiteral(",0.##");
  for (int money : {2, 3})
    columns[money]->DisplayFormat = QStringLiteral("#,##0.00");
  eOd = new TIBDate(list.pnlFilter);
  eOd->setObjectName(QStringLiteral("eOd"));
  AddFilterControl(*list.pnlFilter, QStringLiteral("Od:"), eOd);
  eDo = new TIBDate(list.pnlFilter);
  eDo->setObjectName(QStringLiteral("eDo"));
  AddFilterControl(*list.pnlFilter, QStringLiteral("do:"), eDo);
  list.FormCreate(QStringLiteral("Prehľad zostatkov cenín, tlačív"), QSize(560, 400));
  // After creation cleared the panel: the whole year.
  eOd->SetDate(DateTime::FromDate(QDate(rok, 1, 1)));
  eDo->SetDate(DateTime::FromDate(QDate(rok, 12, 31)));
}

TfrmPCeninyZostatky::~TfrmPCeninyZostatky() = default;
