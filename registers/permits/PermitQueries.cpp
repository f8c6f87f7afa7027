#include "registers/permits/PermitQueries.h"
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
