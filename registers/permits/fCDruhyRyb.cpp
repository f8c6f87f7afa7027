#include "registers/permits/fCDruhyRyb.h"
#include "controls/DbGridQPL.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fCDruhyRybPridaj.h"

TfrmCDruhyRyb::TfrmCDruhyRyb(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("C_druhy_ryb");
  list.Select = SelectFishSpecies;
  list.CreateDialog = [this] { return std::make_unique<TfrmCDruhyRybPridaj>(this); };
  const QList<TQPLColumn*> columns = AddListColumns(*list.gr1, {{"NAZOV", "Názov", 200, "a.nazov"},
                                                                {"SKRATKA", "Značka", 60, ""},
                                                                {"TYP", "Typ", 100, "b.text", true},
                                                                {"CENA", "Cena", 80, "a.cena"}});
  columns[3]->DisplayFormat = QStringLiteral(",0.000");
  list.FormCreate(QStringLiteral("Číselník druhov rýb"), QSize(484, 343));
}

TfrmCDruhyRyb::~TfrmCDruhyRyb() = default;
