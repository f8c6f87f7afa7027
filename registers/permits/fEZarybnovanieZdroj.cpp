#include "registers/permits/fEZarybnovanieZdroj.h"
#include "controls/DbGridQPL.h"
#include "db/IBQuery.h"
#include "registers/common/PrintProtocol.h"
#include "registers/permits/fEZarybnovanieZdrojPridaj.h"

namespace {

// The selection and the counted purchases every data set of the report starts from.
QStringList StockingSelection(const QString& purchase, const QString& source) {
  return {QStringLiteral("from temp_spracuj x"),
          QStringLiteral("left join e_zarybnovanie_zdroj %1 on %1.jedin=x.cislo").arg(purchase),
          QStringLiteral("left join c_zdroje_uhrad %1 on %1.jedin=%2.c_zdroje_uhrad").arg(source, purchase)};
}

} // namespace

TfrmEZarybnovanieZdroj::TfrmEZarybnovanieZdroj(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbHladaj, rok) {
  list.Table = QStringLiteral("e_zarybnovanie_zdroj");
  list.PerYear = true;
  list.Select = [](TListQuery& q) {
    q.Add(QStringLiteral("SELECT A.JEDIN,A.DATUM,A.VELKOST,A.MNOZSTVO,A.MJ,"));
    q.Add(QStringLiteral("A.ZOSTAVA_ZARYBNIT,B.NAZOV,A.C_REVIRY_JUX"));
    q.Add(QStringLiteral("FROM E_ZARYBNOVANIE_ZDROJ A"));
    q.Add(QStringLiteral("LEFT JOIN C_DRUHY_RYB B ON B.JEDIN=A.C_DRUHY_RYB"));
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmEZarybnovanieZdrojPridaj>(this); };
  list.Print = [this] { PrintRegister(list, StockingReport()); };
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

TRegisterPrint TfrmEZarybnovanieZdroj::StockingReport() {
  TRegisterPrint print;
  print.Tag = QStringLiteral("2F2ADD67-AB6E-4F4C");
  print.Title = QStringLiteral("Zarybňovanie");
  print.Template = QStringLiteral("Zaryb01.rpf");
  // Only purchases paid from a source that counts in the reports.
  const QString counted = QStringLiteral("and c.do_vykazu_rady=1");
  print.MasterSql = QStringList{QStringLiteral("select a.datum,b.nazov as druh,b.skratka as znacka,a.mnozstvo,a.mj,"),
                                QStringLiteral("a.cena_mj*a.mnozstvo as hodnota,a.faktura,a.dodaci_list,"),
                                QStringLiteral("a.miesto_povodu")}
                    << StockingSelection(QStringLiteral("a"), QStringLiteral("c"))
                    << QStringLiteral("left join c_druhy_ryb b on b.jedin=a.c_druhy_ryb") << SelectionSetWhere()
                    << counted << QStringLiteral("order by a.datum,b.nazov");
  const QStringList releases = {QStringLiteral("from temp_spracuj x"),
                                QStringLiteral("left join e_zarybnovanie_revir a on a.e_zarybnovanie_zdroj=x.cislo"),
                                QStringLiteral("left join e_zarybnovanie_zdroj c on c.jedin=a.e_zarybnovanie_zdroj"),
                                QStringLiteral("left join c_reviry_jux b on b.jedin=a.c_reviry_jux")};
  const QString releasesCounted = QStringLiteral("left join c_zdroje_uhrad e on e.jedin=c.c_zdroje_uhrad");
  const QString released = QStringLiteral("and e.do_vykazu_rady=1");
  print.DataSets = {
      {QStringLiteral("SUCET_ZDROJE"), {QStringLiteral("SELECT * FROM SP_ZARYBNOVANIE_ZDROJE(:ZARADENIE)")}, {}},
      {QStringLiteral("REVIRY"),
       QStringList{QStringLiteral("select b.nazov as revir_nazov,b.cislo as revir_cislo,"),
                   QStringLiteral("a.mnozstvo,c.cena_mj*a.mnozstvo as hodnota,c.mj,"),
                   QStringLiteral("d.nazov as nazov_ryby,d.skratka as znacka_ryby")}
           << releases << QStringLiteral("left join c_druhy_ryb d on d.jedin=c.c_druhy_ryb") << releasesCounted
           << SelectionSetWhere() << released << QStringLiteral("order by b.typ_revira,b.nazov,d.nazov"),
       {}},
      {QStringLiteral("REVIRY_SPOLU"),
       QStringList{QStringLiteral("select d.text as typ_revira,b.nazov as revir_nazov,"),
                   QStringLiteral("b.cislo as revir_cislo,sum(c.cena_mj*a.mnozstvo) as hodnota")}
           << releases << releasesCounted
           << QStringLiteral("left join ponuky d on d.cislo=b.typ_revira and d.zaradenie='typ_revira'")
           << SelectionSetWhere() << released << QStringLiteral("group by d.text,b.typ_revira,b.nazov,b.cislo")
           << QStringLiteral("order by d.text,b.typ_revira,b.nazov"),
       {}},
      {QStringLiteral("REK_DRUH"),
       QStringList{QStringLiteral("select b.druh as druh_ryby,b.nazov as nazov, b.skratka as znacka,"),
                   QStringLiteral("sum(a.mnozstvo) as mnozstvo,a.mj,sum(a.mnozstvo*a.cena_mj) as hodnota")}
           << StockingSelection(QStringLiteral("a"), QStringLiteral("c"))
           << QStringLiteral("left join c_druhy_ryb b on b.jedin=a.c_druhy_ryb") << SelectionSetWhere() << counted
           << QStringLiteral("group by b.druh,b.nazov,b.skratka,a.mj")
           << QStringLiteral("order by b.druh,b.nazov,b.skratka"),
       {}},
      {QStringLiteral("REK_DRUH_SPOLU"), {QStringLiteral("SELECT * FROM SP_ZARYBNOVANIE_DRUHY(:ZARADENIE)")}, {}},
  };
  return print;
}
