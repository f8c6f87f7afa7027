#include "registers/permits/fCCeniny.h"
#include "controls/DbGridQPL.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fCCeninyPridaj.h"

TfrmCCeniny::TfrmCCeniny(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("c_ceniny");
  list.PerYear = true;
  list.Select = SelectPriceItems;
  list.CreateDialog = [this] { return std::make_unique<TfrmCCeninyPridaj>(this); };
  const QList<TQPLColumn*> columns = AddListColumns(*list.gr1, {{"NAZOV", "Názov", 250, "a.nazov"},
                                                                {"CENA", "Cena predajná", 90, "a.cena"},
                                                                {"ODVOD_JUX", "Odvod JUX", 90, "a.odvod_jux"}});
  // Price names run to 50 letters; the picker shows them whole.
  columns[0]->FitToText = true;
  for (int money : {1, 2})
    columns[money]->DisplayFormat = QStringLiteral("#,##0.00");
  list.FormCreate(QStringLiteral("Číselník cenín a tlačív - rok %d"), QSize(484, 343));
}

TfrmCCeniny::~TfrmCCeniny() = default;
