#include "registers/permits/fEKrmenia.h"
#include "controls/DbGridQPL.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fEKrmeniaPridaj.h"

TfrmEKrmenia::TfrmEKrmenia(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("e_krmenia");
  list.PerYear = true;
  list.Select = SelectFeedings;
  list.CreateDialog = [this] { return std::make_unique<TfrmEKrmeniaPridaj>(this); };
  const QList<TQPLColumn*> columns = AddListColumns(*list.gr1, {{"DATUM", "Dátum", 70, "a.datum", true},
                                                                {"NAZOV_UPLNY", "Revír", 200, "b.nazov_uplny", true},
                                                                {"NAZOV", "Krmivo", 130, "c.nazov", true},
                                                                {"JC", "Jed. cena", 75, "a.jc", true},
                                                                {"MNOZSTVO", "Množstvo", 70, "a.mnozstvo", true},
                                                                {"MJ", "Mer.jednotka", 75, "a.mj", true},
                                                                {"SPOLU", "Spolu", 80, "a.spolu", true}});
  for (int money : {3, 6})
    columns[money]->DisplayFormat = QStringLiteral("#,##0.00");
  columns[4]->DisplayFormat = QStringLiteral(",0.00");
  list.FormCreate(QStringLiteral("Evidencia kŕmenia revírov - rok %d"), QSize(760, 343));
}

TfrmEKrmenia::~TfrmEKrmenia() = default;
