#include "registers/permits/fEUlovkyKapitalne.h"
#include "controls/DbGridQPL.h"
#include "registers/common/PrintProtocol.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fEUlovkyKapitalnePridaj.h"

TfrmEUlovkyKapitalne::TfrmEUlovkyKapitalne(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbHladaj, rok) {
  list.Table = QStringLiteral("e_ulovky_kapitalne");
  list.PerYear = true;
  list.Select = SelectTrophyCatches;
  list.CreateDialog = [this] { return std::make_unique<TfrmEUlovkyKapitalnePridaj>(this); };
  list.Print = [this] { PrintRegister(list, TrophyReport()); };
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

TRegisterPrint TfrmEUlovkyKapitalne::TrophyReport() const {
  TRegisterPrint print;
  print.Tag = QStringLiteral("BFF268CB-B407-4A68");
  print.Title = Caption();
  print.Template = QStringLiteral("Kapitalne.rpf");
  print.MasterSql = {QStringLiteral("select a.datum,b.nazov_uplny as revir,c.nazov as ryba,"),
                     QStringLiteral("a.vaha,a.nazov_uplny as vimek,a.poznamka,a.dlzka,a.cas,"),
                     QStringLiteral("a.sposob_ulovenia,a.svedok_1,a.svedok_2"),
                     QStringLiteral("from temp_spracuj x"),
                     QStringLiteral("left join e_ulovky_kapitalne a on a.jedin=x.cislo"),
                     QStringLiteral("left join c_reviry_jux b on b.jedin=a.c_reviry_jux"),
                     QStringLiteral("left join c_druhy_ryb c on c.jedin=a.c_druhy_ryb"),
                     SelectionSetWhere(),
                     QStringLiteral("order by a.nazov_uplny,a.datum,b.nazov_uplny,c.nazov,a.vaha,a.dlzka")};
  return print;
}
