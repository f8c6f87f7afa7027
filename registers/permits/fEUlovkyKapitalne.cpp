#include "registers/permits/fEUlovkyKapitalne.h"
#include "controls/DbGridQPL.h"
#include "registers/permits/PermitPrints.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fEUlovkyKapitalnePridaj.h"

TfrmEUlovkyKapitalne::TfrmEUlovkyKapitalne(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbHladaj, rok) {
  list.Table = QStringLiteral("e_ulovky_kapitalne");
  list.PerYear = true;
  list.Select = SelectTrophyCatches;
  list.CreateDialog = [this] { return std::make_unique<TfrmEUlovkyKapitalnePridaj>(this); };
  list.Print = [this] { PrintRegister(list, TrophyCatchPrint(Caption())); };
  const QList<TQPLColumn*> columns = AddListColumns(*list.gr1, {{"VIMEK", "Priezvisko a meno", 250, "a.nazov_uplny"},
                                                                {"DATUM", "Dátum", 70, "a.datum", true},
                                                                {"REVIR", "Revír", 220, "b.nazov_uplny"},
                                                                {"RYBA", "Ryba", 110, "c.nazov"},
                                                                {"VAHA", "Váha", 60, "a.vaha", true},
                                                                {"DLZKA", "Dĺžka", 60, "a.dlzka", true}});
  columns[1]->Alignment = Qt::AlignHCenter;
  for (int measure : {4, 5})
    columns[measure]->DisplayFormat = QStringLiteral("0.00");
  list.FormCreate(QStringLiteral("Evidencia kapitálnych úlovkov - rok %d"), QSize(812, 343));
}

TfrmEUlovkyKapitalne::~TfrmEUlovkyKapitalne() = default;
