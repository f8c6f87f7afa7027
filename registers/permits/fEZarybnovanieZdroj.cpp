#include "registers/permits/fEZarybnovanieZdroj.h"
#include "controls/DbGridQPL.h"
#include "db/IBQuery.h"
#include "registers/permits/PermitPrints.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fEZarybnovanieZdrojPridaj.h"

TfrmEZarybnovanieZdroj::TfrmEZarybnovanieZdroj(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbHladaj, rok) {
  list.Table = QStringLiteral("e_zarybnovanie_zdroj");
  list.PerYear = true;
  list.Select = SelectStockingPurchases;
  list.CreateDialog = [this] { return std::make_unique<TfrmEZarybnovanieZdrojPridaj>(this); };
  list.Print = [this] { PrintRegister(list, StockingPrint()); };
  const QList<TQPLColumn*> columns =
      AddListColumns(*list.gr1, {{"DATUM", "Dátum", 70, "A.DATUM", true},
                                 {"NAZOV", "Názov", 200, "B.NAZOV"},
                                 {"VELKOST", "Veľkosť", 120, "A.VELKOST"},
                                 {"MNOZSTVO", "Množstvo", 80, "A.MNOZSTVO"},
                                 {"MJ", "MJ", 45, "a.mj"},
                                 {"ZOSTAVA_ZARYBNIT", "Zostáva", 80, "A.ZOSTAVA_ZARYBNIT"}});
  columns[0]->Alignment = Qt::AlignHCenter;
  for (int quantity : {3, 5})
    columns[quantity]->DisplayFormat = QStringLiteral(",0.00");
  connect(list.gr1, &TDbGridQPL::OnDrawColumnCell, this, &TfrmEZarybnovanieZdroj::gr1DrawColumnCell);
  list.FormCreate(QStringLiteral("Evidencia zarybňovania - rok %d"), QSize(640, 343));
}

TfrmEZarybnovanieZdroj::~TfrmEZarybnovanieZdroj() = default;

void TfrmEZarybnovanieZdroj::gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const {
  const TIBQuery& q = *list.ib1;
  if (!column || q.RecordCount() < 1 || column->FieldName.compare(QLatin1String("DATUM"), Qt::CaseInsensitive)) return;
  canvas.Font.setBold(!q.ValueAt(row, q.FieldByName(QStringLiteral("C_REVIRY_JUX")).Index()).isNull());
}
