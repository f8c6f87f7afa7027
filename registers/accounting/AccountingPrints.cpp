#include "registers/accounting/AccountingPrints.h"
#include "registers/accounting/AccountingQueries.h"

namespace {
TRegisterPrint PokladnaPrint(const QString& tag, bool allRows, const QString& title, const QString& templateName) {
  TRegisterPrint print = TRegisterPrint::Of(tag, title, templateName);
  print.AllRows = allRows;
  print.MasterSql = {QStringLiteral("SELECT A.JEDIN,A.ROK,A.DATUM,A.DRUH_DOKLADU,A.P1,A.P2,A.TYP,"),
                     QStringLiteral("A.SMER_POHYBU,A.POPIS,A.NAZOV,A.ULICA,A.MESTO,A.PSC,A.ICO,"),
                     QStringLiteral("A.DIC,A.IC_DPH,A.NAZOV_UPLNY,A.SADZBA_DPH,A.PRIJEM_ZAKLAD,"),
                     QStringLiteral("A.PRIJEM_DPH,A.PRIJEM,A.VYDAJ_ZAKLAD,A.VYDAJ_DPH,A.VYDAJ,A.POZNAMKA"),
                     QStringLiteral("FROM TEMP_SPRACUJ X"),
                     QStringLiteral("LEFT JOIN E_POKLADNA A ON A.JEDIN=X.CISLO"),
                     SelectionSetWhere(),
                     QStringLiteral("ORDER BY X.JEDIN")};
  return print;
}

TRegisterPrint InvoicePrint(const QString& tag, bool allRows, const QString& title, const QString& templateName,
                            QStringList columns) {
  TRegisterPrint print = TRegisterPrint::Of(tag, title, templateName);
  print.AllRows = allRows;
  print.YearVariable = false;
  print.OrganizationVariables = false;
  print.MasterSql = columns + QStringList{QStringLiteral("from temp_spracuj x"),
                                          QStringLiteral("left join e_faktury a on a.jedin=x.cislo"),
                                          SelectionSetWhere(), QStringLiteral("order by x.jedin")};
  return print;
}
} // namespace

TRegisterPrint MovementReceiptPrint() {
  return PokladnaPrint(QStringLiteral("A5537A0F-E343-410F"), false, QStringLiteral("Tlač dokladu"),
                       QStringLiteral("PokDoklad.rpf"));
}

TRegisterPrint MovementListPrint() {
  return PokladnaPrint(QStringLiteral("B3404466-591B-4A56"), true, QStringLiteral("Tlač zoznamu dokladov"),
                       QStringLiteral("PokZoznam.rpf"));
}

TRegisterPrint InvoiceDocumentPrint() {
  TRegisterPrint print = InvoicePrint(
      QStringLiteral("0CD5E6D3-5FF7-4230"), false, QStringLiteral("Tlač dokladu"), QStringLiteral("VF01.rpf"),
      {QStringLiteral("SELECT A.DRUH_DOKLADU,A.P1,A.DATUM,A.DATUM_SPLATNOSTI,"),
       QStringLiteral("A.VARIABILNY_SYMBOL,A.SPECIFICKY_SYMBOL,A.KONSTANTNY_SYMBOL,"),
       QStringLiteral("A.TEXT1,A.TEXT2,A.ODB_JEDIN,A.ODB_NAZOV,A.ODB_ULICA,A.ODB_MESTO,"),
       QStringLiteral("A.ODB_PSC,A.ODB_ICO,A.ODB_DIC,A.ODB_IC_DPH,A.ODB_UCET_PREDCISLIE,"),
       QStringLiteral("A.ODB_UCET_CISLO,A.ODB_UCET_KOD,A.ODB_UCET_IBAN,A.DOD_JEDIN,"),
       QStringLiteral("A.DOD_NAZOV,A.DOD_ULICA,A.DOD_MESTO,A.DOD_PSC,A.DOD_ICO,"),
       QStringLiteral("A.DOD_DIC,A.DOD_IC_DPH,A.DOD_UCET_PREDCISLIE,A.DOD_UCET_CISLO,"),
       QStringLiteral("A.DOD_UCET_KOD,A.DOD_UCET_IBAN,A.SPOLU_ZAKLAD,A.SPOLU_DPH,"),
       QStringLiteral("A.SPOLU,A.POZNAMKA,A.TYP,A.JEDIN,A.FORMA_UHRADY")});
  print.Details = {
      // The items with their prices including VAT; a line's total is its
      // base and its VAT, each to the cent, as the invoice's totals add them.
      {QStringLiteral("DETAIL_POLOZKY"),
       {QStringLiteral("select a.nazov,a.mnozstvo,a.mj,a.sadzba_dph,"),
        QStringLiteral("a.mj_zaklad+a.mj_dph as cena_s_dph_jednotkova,"),
        QStringLiteral("a.zaklad+a.dph as cena_s_dph_spolu"),
        QStringLiteral("from e_faktury_polozky a where a.e_faktury=:JEDIN"), QStringLiteral("order by a.jedin")}},
      // The VAT summary per rate: the sums of the lines' bases and VAT.
      {QStringLiteral("DETAIL_DPH"),
       {QStringLiteral("select sadzba_dph,sum(zaklad) as zaklad,sum(dph) as dph"),
        QStringLiteral("from e_faktury_polozky a where a.e_faktury=:JEDIN"),
        QStringLiteral("group by sadzba_dph order by sadzba_dph")}},
  };
  return print;
}

TRegisterPrint InvoiceListPrint(int typOd) {
  const QString side = InvoicePartnerIsCustomer(typOd) ? QStringLiteral("a.odb_") : QStringLiteral("a.dod_");
  return InvoicePrint(QStringLiteral("6C388DE9-59A1-43DE"), true, QStringLiteral("Tlač zoznamu dokladov"),
                      QStringLiteral("VF02.rpf"),
                      {QStringLiteral("select a.druh_dokladu,a.p1,a.datum,a.datum_splatnosti,"),
                       QStringLiteral("a.variabilny_symbol,a.spolu,a.uhradene,"),
                       QStringLiteral("%1nazov as nazov,%1mesto as mesto,%1ico as ico").arg(side)});
}
