#include "registers/permits/PermitQueries.h"
#include "db/IBQuery.h"
#include "registers/common/ListPattern.h"

void SelectPriceItems(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,a.nazov,a.cena,a.odvod_jux from C_ceniny a"));
}

void SelectFishSpecies(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,a.nazov,b.text as typ,a.cena,a.skratka"));
  q.Add(QStringLiteral("from C_druhy_ryb a"));
  q.Add(QStringLiteral("left join ponuky b on b.cislo=a.typ and b.zaradenie='typ_ryby'"));
}

void SelectFeeds(TListQuery& q) { q.Add(QStringLiteral("select a.jedin,a.nazov\nfrom c_krmiv a")); }

void SelectGrounds(TListQuery& q, const QStringList& priceColumns) {
  q.Add(QStringLiteral("select a.jedin,a.cislo,a.nazov_uplny,b.text as typ_vody,c.text as typ_revira,"));
  for (const QString& price : priceColumns)
    q.Add(QStringLiteral("(select cena from c_ceniny where jedin=a.%1) as %1,").arg(price.toLower()));
  q.Add(QStringLiteral("c_zo from C_reviry_jux a"));
  q.Add(QStringLiteral("left join ponuky b on b.cislo=a.typ_vody and b.zaradenie='typ_vody'"));
  q.Add(QStringLiteral("left join ponuky c on c.cislo=a.typ_revira and c.zaradenie='typ_revira'"));
}

void SelectOrganizations(TListQuery& q) { q.Add(QStringLiteral("select a.jedin,a.cislo,a.nazov from C_zo a")); }

void SelectPaymentSources(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,b.text do_vykazu_rady,a.nazov"));
  q.Add(QStringLiteral("from c_zdroje_uhrad a"));
  q.Add(QStringLiteral("left join ponuky b on b.cislo=a.do_vykazu_rady and b.zaradenie='logika'"));
}

void SelectStockMovements(TListQuery& q) {
  q.Add(QStringLiteral("select a.cena*a.mnozstvo as cena,a.odvod_jux*a.mnozstvo as odvod_jux,"));
  q.Add(QStringLiteral("A.NAZOV_UPLNY AS PARTNER,"));
  q.Add(QStringLiteral("a.jedin,a.cislo,a.datum,a.mnozstvo,c.nazov"));
  q.Add(QStringLiteral("from e_ceniny a"));
  q.Add(QStringLiteral("left join C_ceniny c on c.jedin=a.c_ceniny"));
}

void SelectFeedings(TListQuery& q) {
  q.Add(QStringLiteral("SELECT A.JEDIN,A.DATUM,B.NAZOV_UPLNY,C.NAZOV,A.JC,"));
  q.Add(QStringLiteral("A.MNOZSTVO,A.MJ,A.SPOLU"));
  q.Add(QStringLiteral("FROM E_KRMENIA A"));
  q.Add(QStringLiteral("LEFT JOIN C_REVIRY_JUX B ON B.JEDIN=A.C_REVIRY_JUX"));
  q.Add(QStringLiteral("LEFT JOIN C_KRMIV C ON C.JEDIN=A.C_KRMIV"));
}

void SelectBasePayments(TListQuery& q, int rok) {
  q.Add(QStringLiteral("select a.jedin,a.cislo,a.datum,a.nazov_uplny as clen,a.spolu"));
  q.Add(QStringLiteral("from e_povolenky a"));
  q.Where(QStringLiteral("a.ROK=:ROK AND A.TYP_POVOLENKY=0"));
  q.Params.insert(QStringLiteral("ROK"), rok);
}

void SelectGuestPayments(TListQuery& q, int rok, int kind) {
  q.Add(QStringLiteral("select a.jedin,a.datum,a.spolu,a.nazov_uplny,d.nazov as zo,"));
  q.Add(QStringLiteral("e.nazov as revir,f.text platnost_povolenky,b.doplnkovy_udaj"));
  q.Add(QStringLiteral("from e_povolenky a left join e_povolenky2 b on b.e_povolenky=a.jedin"));
  q.Add(QStringLiteral("left join c_zo d on d.jedin=b.c_zo"));
  q.Add(QStringLiteral("left join c_reviry_jux e on e.jedin=b.c_reviry_jux"));
  q.Add(QStringLiteral("left join ponuky f on f.cislo=b.platnost and f.zaradenie='platnost_povolenky'"));
  q.Where(QStringLiteral("a.rok=:ROK and a.typ_povolenky=:TYP"));
  q.Params.insert(QStringLiteral("ROK"), rok);
  q.Params.insert(QStringLiteral("TYP"), kind);
}

void SelectTrophyCatches(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,a.datum,a.nazov_uplny as vimek,"));
  q.Add(QStringLiteral("b.nazov_uplny as revir,c.nazov as ryba,a.dlzka,a.vaha"));
  q.Add(QStringLiteral("from e_ulovky_kapitalne a"));
  q.Add(QStringLiteral("left join c_reviry_jux b on b.jedin=a.c_reviry_jux"));
  q.Add(QStringLiteral("left join c_druhy_ryb c on c.jedin=a.c_druhy_ryb"));
}

void SelectStockingPurchases(TListQuery& q) {
  q.Add(QStringLiteral("SELECT A.JEDIN,A.DATUM,A.VELKOST,A.MNOZSTVO,A.MJ,"));
  q.Add(QStringLiteral("A.ZOSTAVA_ZARYBNIT,B.NAZOV,A.C_REVIRY_JUX"));
  q.Add(QStringLiteral("FROM E_ZARYBNOVANIE_ZDROJ A"));
  q.Add(QStringLiteral("LEFT JOIN C_DRUHY_RYB B ON B.JEDIN=A.C_DRUHY_RYB"));
}

void SelectPermitsToReturn(TListQuery& q) {
  q.Add(QStringLiteral("select a.jedin,a.povolenka_vratena_dna,a.doplnkovy_udaj,"));
  q.Add(QStringLiteral("b.nazov_uplny,c.nazov_uplny as revir, b.poznamka"));
  q.Add(QStringLiteral("from e_povolenky2 a"));
  q.Add(QStringLiteral("left join e_povolenky b on b.jedin=a.e_povolenky"));
  q.Add(QStringLiteral("left join c_reviry_jux c on c.jedin=a.c_reviry_jux"));
  q.Where(QStringLiteral("a.typ_platby=0"));
}

void SelectStockBalances(TListQuery& q) {
  q.Add(QStringLiteral("select sum(a.mnozstvo) as zostatok,b.nazov,b.jedin,"));
  q.Add(QStringLiteral("cast(sum(a.cena*a.mnozstvo) as numeric(11,2)) as cena,"));
  q.Add(QStringLiteral("cast(sum(a.odvod_jux*a.mnozstvo) as numeric(11,2)) as odvod_jux"));
  q.Add(QStringLiteral("from e_ceniny a"));
  q.Add(QStringLiteral("left join c_ceniny b on b.jedin=a.c_ceniny"));
}

QString StockBalanceGrouping() { return QStringLiteral("group by b.nazov,b.jedin"); }

QStringList PaymentItemsSql() {
  return {QStringLiteral("select a.jedin,b.nazov,a.cena,a.doplnkovy_udaj"), QStringLiteral("from e_povolenky2 a"),
          QStringLiteral("left join c_ceniny b on b.jedin=a.c_ceniny"), QStringLiteral("where a.e_povolenky=:JEDIN")};
}

QStringList ItemCatchesSql() {
  return {QStringLiteral("select a.jedin,a.datum,b.nazov_uplny as revir,c.nazov as ryba,"),
          QStringLiteral("a.cena_mj,a.pocet,a.vaha,a.spolu from e_ulovky a"),
          QStringLiteral("left join c_reviry_jux b on b.jedin=a.c_reviry_jux"),
          QStringLiteral("left join c_druhy_ryb c on c.jedin=a.c_druhy_ryb"),
          QStringLiteral("WHERE a.E_POVOLENKY2=:JEDIN")};
}

QStringList StockingReleasesSql() {
  return {QStringLiteral("SELECT A.MNOZSTVO*(SELECT OUTPUT_VALUE FROM RETURN_DOUBLE_PRECISION(:CENA)) AS SPOLU,"),
          QStringLiteral("A.JEDIN,A.DATUM,A.MNOZSTVO,B.NAZOV_UPLNY"), QStringLiteral("FROM E_ZARYBNOVANIE_REVIR A"),
          QStringLiteral("LEFT JOIN C_REVIRY_JUX B ON B.JEDIN=A.C_REVIRY_JUX"),
          QStringLiteral("WHERE A.E_ZARYBNOVANIE_ZDROJ=:JEDIN")};
}

QString GuestPaymentLoadSql(bool withMember) {
  return QStringList{QStringLiteral("SELECT A.DATUM,A.POZNAMKA,A.TITUL,A.MENO,A.PRIEZVISKO,A.ULICA,A.MESTO,A.PSC,"),
                     QStringLiteral("A.DATUM_NARODENIA,B.C_CENINY,B.CENA,B.ODVOD_JUX,B.DOPLNKOVY_UDAJ,"),
                     QStringLiteral("B.CISLO_ZAKLADNEJ_POVOLENKY,B.PLATNOST,B.PLATNOST_OD,B.PLATNOST_DO,"),
                     QStringLiteral("B.C_REVIRY_JUX,B.C_ZO,C.DRUH_DOKLADU%1")
                         .arg(withMember ? QStringLiteral(",A.C_CLENOV") : QString()),
                     QStringLiteral("FROM E_POVOLENKY A"),
                     QStringLiteral("LEFT JOIN E_POVOLENKY2 B ON B.E_POVOLENKY=A.JEDIN"),
                     QStringLiteral("LEFT JOIN E_POKLADNA C ON C.E_POVOLENKY2=B.JEDIN"),
                     QStringLiteral("WHERE A.JEDIN=:JEDIN")}
      .join(QLatin1Char('\n'));
}

QString PaymentItemLoadSql() {
  return QStringLiteral("SELECT a.C_CENINY,a.CENA,a.ODVOD_JUX,a.DOPLNKOVY_UDAJ,b.DRUH_DOKLADU\n"
                        "FROM E_POVOLENKY2 a LEFT JOIN E_POKLADNA b ON b.E_POVOLENKY2=a.JEDIN\n"
                        "WHERE a.JEDIN=:JEDIN");
}

QString PermitReturnLoadSql() {
  return QStringList{QStringLiteral("select b.datum,a.povolenka_vratena_dna,a.doplnkovy_udaj,"),
                     QStringLiteral("b.titul,b.meno,b.priezvisko,b.ulica,b.mesto,b.psc,"),
                     QStringLiteral("b.datum_narodenia,c.nazov_uplny as revir,a.typ_povolenky,"),
                     QStringLiteral("c.jedin as revir_jedin,b.poznamka,d.nazov as c_zo"),
                     QStringLiteral("from e_povolenky2 a"),
                     QStringLiteral("left join e_povolenky b on b.jedin=a.e_povolenky"),
                     QStringLiteral("left join c_reviry_jux c on c.jedin=a.c_reviry_jux"),
                     QStringLiteral("left join c_zo d on d.jedin=a.c_zo"),
                     QStringLiteral("where a.jedin=:JEDIN")}
      .join(QLatin1Char('\n'));
}

QString ItemPaymentSql() { return QStringLiteral("SELECT E_POVOLENKY FROM E_POVOLENKY2 WHERE JEDIN=:JEDIN"); }

QString NextStockMovementNumberSql() {
  return QStringLiteral("select coalesce(max(cislo)+1,1) from e_ceniny where rok=:ROK");
}

int PaymentNumber(TIBQuery& q, int payment) {
  q.SetSQL(QStringLiteral("select cislo from e_povolenky where jedin=:JEDIN"));
  q.ParamByName(QStringLiteral("JEDIN")).SetValue(payment);
  q.Open();
  const int number = q.FieldByNumber(0).AsInteger();
  q.Close();
  return number;
}

TReturnCounts CountPermitReturns(TIBQuery& q, int rok) {
  // The whole year, whatever a list's filter and marks show.
  const auto count = [&](const QString& condition) {
    q.SetSQL(QStringLiteral("select count(*) from e_povolenky2 a\nwhere a.rok=:ROK and a.typ_platby=0") + condition);
    q.ParamByName(QStringLiteral("ROK")).SetValue(rok);
    q.Open();
    const qint64 counted = q.FieldByNumber(0).AsInteger();
    q.Close();
    return counted;
  };
  TReturnCounts counts;
  counts.All = count(QString());
  counts.Returned = count(QStringLiteral("\nand a.POVOLENKA_VRATENA_DNA is not null"));
  return counts;
}
