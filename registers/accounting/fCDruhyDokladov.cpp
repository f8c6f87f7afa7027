#include "registers/accounting/fCDruhyDokladov.h"
#include "controls/DbGridQPL.h"
#include "registers/accounting/AccountingQueries.h"
#include "registers/accounting/fCDruhyDokladovPridaj.h"

TfrmCDruhyDokladov::TfrmCDruhyDokladov(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("c_druhy_dokladov");
  list.Select = SelectDocumentKinds;
  list.PerYear = true;
  list.CreateDialog = [this] { return std::make_unique<TfrmCDruhyDokladovPridaj>(this); };
  const QList<TQPLColumn*> columns = AddListColumns(*list.gr1, {{"SKRATKA", "Skratka", 60, "a.skratka", true},
                                                                {"NAZOV", "Názov druhu dokladu", 220, "a.nazov", true},
                                                                {"TYP", "Typ dokladu", 180, "b.text", true}});
  columns[2]->Alignment = Qt::AlignHCenter;
  list.FormCreate(QStringLiteral("Číselník druhov dokladov - rok %d"), QSize(503, 343));
}

TfrmCDruhyDokladov::~TfrmCDruhyDokladov() = default;
