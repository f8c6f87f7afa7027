#pragma once
// The fixture of the accounting registers' tests: document kinds, partners
// and movements laid down by SQL, on the member records' fixture.
#include "core/ui/Form.h"
#include "tests/registers/members/MemberRecordsTestSupport.h"
#include <QtCore/QDate>

class AccountingTest : public MemberRecordsTest {
protected:
  int AddKind(int rok, const QString& skratka, const QString& nazov, int typ) {
    return InsertRow(QStringLiteral("c_druhy_dokladov_id"),
                     QStringLiteral("insert into c_druhy_dokladov (jedin,rok,skratka,nazov,typ) "
                                    "values (:JEDIN,:R,:S,:N,:T)"),
                     {{QStringLiteral("R"), rok},
                      {QStringLiteral("S"), skratka},
                      {QStringLiteral("N"), nazov},
                      {QStringLiteral("T"), typ}});
  }
  int AddPartner(const QString& nazov, const QString& mesto, const QString& ico = QString()) {
    return InsertRow(QStringLiteral("c_partneri_id"),
                     QStringLiteral("insert into c_partneri (jedin,nazov,mesto,ulica,psc,ico,nazov_uplny) "
                                    "values (:JEDIN,:N,:M,'Hlavná 1','04001',:I,:N || ', ' || :M)"),
                     {{QStringLiteral("N"), nazov}, {QStringLiteral("M"), mesto}, {QStringLiteral("I"), ico}});
  }
  // One movement; `amount` goes to the income columns for direction 1, else to the expense ones.
  struct TMovement {
    int Rok = 2026, Typ = 1;
    QString Druh = QStringLiteral("PD");
    int P1 = 1, P2 = 1, Smer = 1;
    QDate Datum = QDate(2026, 3, 1);
    QString Popis = QStringLiteral("Poplatok");
    QString Nazov = QStringLiteral("Novák Ján"), Mesto = QStringLiteral("Košice");
    double Suma = 10;
    QVariant Clen, Partner, Povolenka;
  };
  int AddMovement(const TMovement& m) {
    const bool income = m.Smer == 1;
    return InsertRow(
        QStringLiteral("e_pokladna_id"),
        QStringLiteral("insert into e_pokladna (jedin,rok,typ,druh_dokladu,p1,p2,smer_pohybu,datum,popis,nazov,mesto,"
                       "prijem_zaklad,prijem,vydaj_zaklad,vydaj,c_clenov,c_partneri,e_povolenky2) "
                       "values (:JEDIN,:R,:T,:D,:P1,:P2,:S,:DT,:PO,:N,:M,:PZ,:PZ,:VZ,:VZ,:C,:PA,:EP)"),
        {{QStringLiteral("R"), m.Rok},
         {QStringLiteral("T"), m.Typ},
         {QStringLiteral("D"), m.Druh},
         {QStringLiteral("P1"), m.P1},
         {QStringLiteral("P2"), m.P2},
         {QStringLiteral("S"), m.Smer},
         {QStringLiteral("DT"), m.Datum},
         {QStringLiteral("PO"), m.Popis},
         {QStringLiteral("N"), m.Nazov},
         {QStringLiteral("M"), m.Mesto},
         {QStringLiteral("PZ"), income ? m.Suma : 0.0},
         {QStringLiteral("VZ"), income ? 0.0 : m.Suma},
         {QStringLiteral("C"), m.Clen},
         {QStringLiteral("PA"), m.Partner},
         {QStringLiteral("EP"), m.Povolenka}});
  }
  // One invoice with both identity blocks.
  struct TInvoice {
    int Rok = 2026, Typ = 11;
    QString Druh = QStringLiteral("FV");
    int P1 = 1;
    double Spolu = 0; // one item of this price without VAT; 0 leaves the invoice without items
    QString OdbNazov = QStringLiteral("Odberateľ"), OdbMesto = QStringLiteral("Košice");
    QString DodNazov = QStringLiteral("Dodávateľ"), DodMesto = QStringLiteral("Prešov");
    QVariant OdbJedin, DodJedin;
  };
  int AddInvoice(const TInvoice& i) {
    const int key = InsertRow(
        QStringLiteral("e_faktury_id"),
        QStringLiteral("insert into e_faktury (jedin,rok,typ,druh_dokladu,p1,p2,uhradene,odb_nazov,odb_mesto,"
                       "dod_nazov,dod_mesto,odb_jedin,dod_jedin,odb_ulica,dod_ulica,odb_ico,dod_ico) "
                       "values (:JEDIN,:R,:T,:D,:P,0,0,:ON,:OM,:DN,:DM,:OJ,:DJ,'Odbytová 1','Dodávna 2','111','222')"),
        {{QStringLiteral("R"), i.Rok},
         {QStringLiteral("T"), i.Typ},
         {QStringLiteral("D"), i.Druh},
         {QStringLiteral("P"), i.P1},
         {QStringLiteral("ON"), i.OdbNazov},
         {QStringLiteral("OM"), i.OdbMesto},
         {QStringLiteral("DN"), i.DodNazov},
         {QStringLiteral("DM"), i.DodMesto},
         {QStringLiteral("OJ"), i.OdbJedin},
         {QStringLiteral("DJ"), i.DodJedin}});
    if (i.Spolu != 0)
      Exec(QStringLiteral("insert into e_faktury_polozky (jedin,e_faktury,nazov,mnozstvo,mj,mj_zaklad,mj_dph,"
                          "sadzba_dph) values (gen_id(e_faktury_polozky_id,1),:F,'Položka',1,'ks',:C,0,0)"),
           {{QStringLiteral("F"), key}, {QStringLiteral("C"), i.Spolu}});
    return key;
  }
  // The invoice kinds of 2025 to 2027, each named by its abbreviation.
  void AddKinds() {
    for (int rok : {2025, 2026, 2027})
      for (const auto& [skratka, typ] :
           {std::pair{"FV", 11}, {"ZF", 12}, {"DV", 13}, {"FP", 21}, {"ZP", 22}, {"DP", 23}, {"DLP", 31}, {"DLV", 41}})
        AddKind(rok, QString::fromLatin1(skratka), QString::fromLatin1(skratka), typ);
  }
};
