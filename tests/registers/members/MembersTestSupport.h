#pragma once
// The fixture of the members register's tests: persons with their personal
// columns, permit payments with a membership-fee item, and the list form.
#include "tests/registers/members/MemberRecordsTestSupport.h"
#include <QtCore/QDate>

class MembersTest : public MemberRecordsTest {
protected:
  struct TPerson {
    QString Priezvisko, Meno, Mesto;
    QDate Narodeny;
    QString Ulica;
  };
  int AddPerson(const TPerson& p, const QVariantMap& more = {}) {
    QVariantMap params{{QStringLiteral("P"), p.Priezvisko},
                       {QStringLiteral("M"), p.Meno},
                       {QStringLiteral("T"), p.Mesto},
                       {QStringLiteral("U"), p.Ulica},
                       {QStringLiteral("D"), p.Narodeny.isValid() ? QVariant(p.Narodeny) : QVariant()}};
    const int key =
        InsertRow(QStringLiteral("c_clenov_id"),
                  QStringLiteral("insert into c_clenov (jedin,priezvisko,meno,mesto,ulica,datum_narodenia,"
                                 "skolenie_uskutocnene,brigada_vyzadovat) values (:JEDIN,:P,:M,:T,:U,:D,0,1)"),
                  params);
    for (auto it = more.begin(); it != more.end(); ++it)
      Exec(QStringLiteral("update c_clenov set ") + it.key() + QStringLiteral("=:V where jedin=:J"),
           {{QStringLiteral("V"), it.value()}, {QStringLiteral("J"), key}});
    return key;
  }
  // A permit payment of the year with one item of the kind (2 = membership fee).
  int Pay(int clen, int rok, double cena, const QDate& datum, int typPlatby = 2) {
    const int payment = InsertRow(
        QStringLiteral("e_povolenky_id"),
        QStringLiteral(
            "insert into e_povolenky (jedin,rok,typ_povolenky,cislo,datum,c_clenov) values (:JEDIN,:R,1,:JEDIN,:D,:C)"),
        {{QStringLiteral("R"), rok}, {QStringLiteral("D"), datum}, {QStringLiteral("C"), clen}});
    InsertRow(
        QStringLiteral("e_povolenky2_id"),
        QStringLiteral("insert into e_povolenky2 (jedin,e_povolenky,rok,cena,typ_platby) values (:JEDIN,:E,:R,:K,:T)"),
        {{QStringLiteral("E"), payment},
         {QStringLiteral("R"), rok},
         {QStringLiteral("K"), cena},
         {QStringLiteral("T"), typPlatby}});
    return payment;
  }
};
