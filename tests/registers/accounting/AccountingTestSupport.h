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
};
