#include "registers/permits/PermitPrints.h"

namespace {

// The condition on the ground of alias `ground`; the own branch's key is bound as ZO.
QString GroundCondition(TCatchGrounds grounds, const QString& ground) {
  switch (grounds) {
  case TCatchGrounds::Own:
    return QStringLiteral("and %1.c_zo=:ZO").arg(ground);
  case TCatchGrounds::Others:
    return QStringLiteral("and %1.c_zo<>:ZO").arg(ground);
  case TCatchGrounds::All:
    break;
  }
  return {};
}

QString GroundsText(TCatchGrounds grounds) {
  switch (grounds) {
  case TCatchGrounds::Own:
    return QStringLiteral("iba za revíry základnej organizácie");
  case TCatchGrounds::Others:
    return QStringLiteral("iba za revíry ostatných organizácií");
  case TCatchGrounds::All:
    break;
  }
  return QStringLiteral("za všetky revíry JUX");
}

QString SuccessOrder(int order) {
  switch (order) {
  case 1:
    return QStringLiteral("order by sum(a.pocet) desc, sum(a.vaha) desc, sum(a.spolu) desc, c.nazov_uplny");
  case 3:
    return QStringLiteral("order by sum(a.spolu) desc, sum(a.vaha) desc, sum(a.pocet) desc, c.nazov_uplny");
  case 4:
    return QStringLiteral("order by c.nazov_uplny, sum(a.vaha) desc, sum(a.spolu) desc, sum(a.pocet) desc");
  default:
    return QStringLiteral("order by sum(a.vaha) desc, sum(a.spolu) desc, sum(a.pocet) desc, c.nazov_uplny");
  }
}

// The catch lines by ground and species, in the given order.
QStringList GroundAndSpeciesSql(const QString& condition, const QString& order) {
  return {QStringLiteral("select sum(a.pocet) as pocet, sum(a.vaha) as vaha,"),
          QStringLiteral("b.nazov as revir, b.cislo as revir_cislo, c.nazov as ryba, sum(a.spolu) as spolu"),
          QStringLiteral("from e_ulovky a"),
          QStringLiteral("left join c_reviry_jux b on b.jedin=a.c_reviry_jux"),
          QStringLiteral("left join c_druhy_ryb c on c.jedin=a.c_druhy_ryb"),
          QStringLiteral("where a.rok=:ROK ") + condition,
          QStringLiteral("group by a.c_reviry_jux, b.nazov, b.cislo, a.c_druhy_ryb, c.nazov"),
          order};
}

// The selection and the counted purchases every data set of the report starts from.
QStringList StockingSelection(const QString& purchase, const QString& source) {
  return {QStringLiteral("from temp_spracuj x"),
          QStringLiteral("left join e_zarybnovanie_zdroj %1 on %1.jedin=x.cislo").arg(purchase),
          QStringLiteral("left join c_zdroje_uhrad %1 on %1.jedin=%2.c_zdroje_uhrad").arg(source, purchase)};
}

// The rows of one ground and year: ROK and REVIR bound.
TRegisterPrint::TDataSet GroundDataSet(const char* alias, QStringList sql, int revir, quint16 rok) {
  return {QLatin1String(alias), std::move(sql), {{QStringLiteral("REVIR"), revir}, {QStringLiteral("ROK"), rok}}};
}

// A print of the chosen movements with `columns` and the lines after the join.
TRegisterPrint ValuablesPrint(const QString& tag, const QString& title, const QString& templateName,
                              const QStringList& columns, const QStringList& tail) {
  TRegisterPrint print = TRegisterPrint::Of(tag, title, templateName);
  print.YearVariable = false;
  print.OrganizationVariables = false;
  print.MasterSql = columns;
  print.MasterSql << QStringLiteral("from temp_spracuj x") << QStringLiteral("left join e_ceniny a on a.jedin=x.cislo")
                  << QStringLiteral("left join c_ceniny b on b.jedin=a.c_ceniny") << SelectionSetWhere() << tail;
  return print;
}

} // namespace

TRegisterPrint CatchSummaryPrint(const TCatchSummaryChoice& choice, quint16 rok, const QVariant& ownOrganisation) {
  QVariantMap params{{QStringLiteral("ROK"), rok}};
  const QString onB = GroundCondition(choice.Grounds, QStringLiteral("b"));
  if (choice.Grounds != TCatchGrounds::All) params.insert(QStringLiteral("ZO"), ownOrganisation);
  TRegisterPrint print;
  print.Title = QStringLiteral("Tlač sumarizácie úlovkov");
  print.Template = QStringLiteral("PR_Ulovky.rpf");
  print.NoData = TRegisterPrint::TNoData::AllEmpty;
  print.Variables = {
      {QStringLiteral(" Nastavenia"),
       {{QStringLiteral("Reviry"), GroundsText(choice.Grounds)}, {QStringLiteral("Vypracoval"), choice.Vypracoval}}}};
  // A total over no line is 0, not an empty text.
  print.QueryVariables = {{QStringLiteral(" Special_Data"),
                           {QStringLiteral("select coalesce(sum(a.pocet), 0) as pocet,"),
                            QStringLiteral("coalesce(sum(a.vaha), 0) as vaha from e_ulovky a"),
                            QStringLiteral("left join c_reviry_jux b on b.jedin=a.c_reviry_jux"),
                            QStringLiteral("where a.rok=:ROK ") + onB},
                           params,
                           {{QStringLiteral("POCET"), QStringLiteral("Spolu_pocet")},
                            {QStringLiteral("VAHA"), QStringLiteral("Spolu_vaha")}}}};
  print.DataSets = {
      {QStringLiteral("PODLA_REVIROV"), GroundAndSpeciesSql(onB, QStringLiteral("order by b.nazov, c.nazov")), params},
      {QStringLiteral("PODLA_RYB"), GroundAndSpeciesSql(onB, QStringLiteral("order by c.nazov, b.nazov")), params},
      {QStringLiteral("DRUHOVE_ZASTUPENIE"),
       {QStringLiteral("select sum(a.pocet) as pocet, sum(a.vaha) as vaha, sum(a.spolu) as spolu,"),
        QStringLiteral("b.nazov as ryba from e_ulovky a"),
        QStringLiteral("left join c_druhy_ryb b on b.jedin=a.c_druhy_ryb"),
        QStringLiteral("left join c_reviry_jux c on c.jedin=a.c_reviry_jux"),
        QStringLiteral("where a.rok=:ROK ") + GroundCondition(choice.Grounds, QStringLiteral("c")),
        QStringLiteral("group by a.c_druhy_ryb, b.nazov"), QStringLiteral("order by b.nazov")},
       params},
      {QStringLiteral("USPESNOST"),
       {QStringLiteral("select sum(a.pocet) as pocet, sum(a.vaha) as vaha, sum(a.spolu) as spolu,"),
        QStringLiteral("c.nazov_uplny as vimek from e_ulovky a"),
        QStringLiteral("left join e_povolenky2 b on b.jedin=a.e_povolenky2"),
        QStringLiteral("left join e_povolenky c on c.jedin=b.e_povolenky"),
        QStringLiteral("left join c_reviry_jux d on d.jedin=a.c_reviry_jux"),
        QStringLiteral("where a.rok=:ROK ") + GroundCondition(choice.Grounds, QStringLiteral("d")),
        QStringLiteral("group by c.nazov_uplny"), SuccessOrder(choice.Order)},
       params},
  };
  return print;
}

TRegisterPrint StockingPrint() {
  TRegisterPrint print = TRegisterPrint::Of(QStringLiteral("2F2ADD67-AB6E-4F4C"), QStringLiteral("Zarybňovanie"),
                                            QStringLiteral("Zaryb01.rpf"));
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

TRegisterPrint GroundPrint(int revir, const QString& revirText, quint16 rok) {
  TRegisterPrint print;
  print.AllRows = false;
  print.Title = QStringLiteral("Tlač prehľadu hospodárenia revíru...");
  print.Template = QStringLiteral("VlastnaProdukcia.rpf");
  print.Variables = {{QStringLiteral(" Nastavenia"), {{QStringLiteral("Revir"), revirText}}}};
  print.NoData = TRegisterPrint::TNoData::AllEmpty;
  print.DataSets = {
      GroundDataSet("ZARYBNOVANIE",
                    {QStringLiteral("SELECT B.DATUM,C.NAZOV AS RYBA,A.VELKOST,A.CENA_MJ,B.MNOZSTVO,A.MJ,"),
                     QStringLiteral("A.CENA_MJ*B.MNOZSTVO AS SPOLU"), QStringLiteral("FROM E_ZARYBNOVANIE_ZDROJ A"),
                     QStringLiteral("LEFT JOIN E_ZARYBNOVANIE_REVIR B ON B.E_ZARYBNOVANIE_ZDROJ=A.JEDIN"),
                     QStringLiteral("LEFT JOIN C_DRUHY_RYB C ON C.JEDIN=A.C_DRUHY_RYB"),
                     QStringLiteral("WHERE B.C_REVIRY_JUX=:REVIR AND A.ROK=:ROK"),
                     QStringLiteral("ORDER BY B.DATUM,C.NAZOV,A.VELKOST")},
                    revir, rok),
      GroundDataSet("KONTROLORI",
                    {QStringLiteral("SELECT A.KONTROLA_OD, A.KONTROLA_DO, C.NAZOV_UPLNY AS KONTROLOR,"),
                     QStringLiteral("B.CISLO_ODZNAKU,B.CISLO_OSVEDCENIA"), QStringLiteral("FROM E_RS_KONTROLORI D"),
                     QStringLiteral("LEFT JOIN E_RS A ON A.JEDIN=D.E_RS"),
                     QStringLiteral("LEFT JOIN C_CLENOV_RS B ON B.JEDIN=D.C_CLENOV_RS"),
                     QStringLiteral("LEFT JOIN C_CLENOV C ON C.JEDIN=B.C_CLENOV"),
                     QStringLiteral("WHERE A.C_REVIRY_JUX=:REVIR AND A.ROK=:ROK"),
                     QStringLiteral("ORDER BY A.KONTROLA_OD,C.NAZOV_UPLNY")},
                    revir, rok),
      GroundDataSet("KONTROLOVANI",
                    {QStringLiteral("SELECT B.KONTROLA_OD,B.KONTROLA_DO,A.NAZOV_UPLNY,A.CISLO_POVOLENIA,A.PRIESTUPOK"),
                     QStringLiteral("FROM E_RS_KONTROLOVANI A"), QStringLiteral("LEFT JOIN E_RS B ON B.JEDIN=A.E_RS"),
                     QStringLiteral("WHERE A.C_REVIRY_JUX=:REVIR AND B.ROK=:ROK"),
                     QStringLiteral("ORDER BY B.KONTROLA_OD,A.NAZOV_UPLNY")},
                    revir, rok),
      GroundDataSet("BRIGADY",
                    {QStringLiteral("SELECT A.DATUM,A.HODINY,A.POPIS,B.NAZOV_UPLNY AS CLEN,"),
                     QStringLiteral("A.SUKROMNE_VOZIDLO,A.AUTO_SPOLU,C.NAZOV AS TYP"),
                     QStringLiteral("FROM E_BRIGADY A"), QStringLiteral("LEFT JOIN C_CLENOV B ON B.JEDIN=A.C_CLENOV"),
                     QStringLiteral("LEFT JOIN C_TYPY_BRIGAD C ON C.JEDIN=A.C_TYPY_BRIGAD"),
                     QStringLiteral("WHERE A.C_REVIRY_JUX=:REVIR AND A.ROK=:ROK"),
                     QStringLiteral("ORDER BY A.DATUM,B.NAZOV_UPLNY")},
                    revir, rok),
      GroundDataSet("VYLOV",
                    {QStringLiteral("SELECT A.DATUM,C.NAZOV AS RYBA,A.VELKOST,A.CENA_MJ,A.MNOZSTVO,A.MJ,"),
                     QStringLiteral("A.CENA_MJ*A.MNOZSTVO AS SPOLU"), QStringLiteral("FROM E_ZARYBNOVANIE_ZDROJ A"),
                     QStringLiteral("LEFT JOIN C_DRUHY_RYB C ON C.JEDIN=A.C_DRUHY_RYB"),
                     QStringLiteral("WHERE A.C_REVIRY_JUX=:REVIR AND A.ROK=:ROK"),
                     QStringLiteral("ORDER BY A.DATUM,C.NAZOV,A.VELKOST")},
                    revir, rok),
      GroundDataSet("KRMIVO",
                    {QStringLiteral("SELECT A.DATUM,A.JC,A.MNOZSTVO,A.MJ,A.SPOLU,B.NAZOV"),
                     QStringLiteral("FROM E_KRMENIA A"), QStringLiteral("LEFT JOIN C_KRMIV B ON B.JEDIN=A.C_KRMIV"),
                     QStringLiteral("WHERE A.C_REVIRY_JUX=:REVIR AND A.ROK=:ROK")},
                    revir, rok),
  };
  return print;
}

TRegisterPrint TrophyCatchPrint(const QString& title) {
  TRegisterPrint print =
      TRegisterPrint::Of(QStringLiteral("BFF268CB-B407-4A68"), title, QStringLiteral("Kapitalne.rpf"));
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

TRegisterPrint StockMovementItemsPrint() {
  return ValuablesPrint(QStringLiteral("49A980A0-6862-4488"), QStringLiteral("Tlač zoznam cenín položkovite"),
                        QStringLiteral("Ceniny01.rpf"),
                        {QStringLiteral("select a.cislo,a.datum,a.cena,a.cena*a.mnozstvo as cena_spolu,"),
                         QStringLiteral("a.odvod_jux,a.odvod_jux*a.mnozstvo as odvod_jux_spolu,"),
                         QStringLiteral("a.mnozstvo,a.nazov_uplny,a.poznamka,b.nazov as nazov")},
                        {QStringLiteral("order by a.cislo")});
}

TRegisterPrint StockMovementSummaryPrint() {
  return ValuablesPrint(
      QStringLiteral("6AA96B17-44E1-41C5"), QStringLiteral("Tlač cenín sumárne"), QStringLiteral("Ceniny02.rpf"),
      {QStringLiteral("select a.smer_pohybu,b.nazov,a.cena,a.odvod_jux,sum(a.cena*a.mnozstvo) as cena_spolu,"),
       QStringLiteral("sum(a.odvod_jux*a.mnozstvo) as odvod_jux_spolu,sum(a.mnozstvo) as mnozstvo")},
      {QStringLiteral("group by a.smer_pohybu,b.nazov,a.c_ceniny,a.cena,a.odvod_jux"),
       QStringLiteral("order by a.smer_pohybu desc,b.nazov")});
}
