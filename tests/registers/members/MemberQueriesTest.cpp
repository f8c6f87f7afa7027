// The member registers' list selects on the embedded database: each runs
// with its parameters, shows the texts of its codes and keeps to its owner,
// year or state.
#include "registers/members/MemberQueries.h"
#include "registers/common/ListPattern.h"
#include "tests/registers/members/GuardTestSupport.h"
#include <functional>

namespace {

class MemberQueriesTest : public GuardTest {
protected:
  // The rows of a list's query as the module fills it, in `order`.
  QStringList Listed(const std::function<void(TListQuery&)>& select, const QString& order) const {
    TListQuery q;
    select(q);
    return Rows(q.Text() + QStringLiteral("\norder by ") + order, q.Params);
  }
  void PayFee(int clen, int rok) {
    Exec(QStringLiteral("insert into c_clenov_clenske (jedin,c_clenov,rok,uhradene) "
                        "values (gen_id(c_clenov_clenske_id,1),:C,:R,1)"),
         {{QStringLiteral("C"), clen}, {QStringLiteral("R"), rok}});
  }
  int AddOffence(int rok, const QString& priestupok, int vybaveny) {
    return InsertRow(QStringLiteral("e_priestupky_id"),
                     QStringLiteral("insert into e_priestupky (jedin,rok,datum,priezvisko,meno,priestupok,pokuta,"
                                    "vybaveny) values (:JEDIN,:R,:D,'Hrubý','Ján',:P,20,:V)"),
                     {{QStringLiteral("R"), rok},
                      {QStringLiteral("D"), QDate(rok, 6, 1)},
                      {QStringLiteral("P"), priestupok},
                      {QStringLiteral("V"), vybaveny}});
  }
  int AddItem(int clen, const QString& nazov, double mnozstvo, double vratene, double cena) {
    return InsertRow(
        QStringLiteral("e_predmety_id"),
        QStringLiteral("insert into e_predmety (jedin,c_clenov,datum,nazov,cena,mnozstvo,mnozstvo_vratene) "
                       "values (:JEDIN,:C,'2026-03-01',:N,:K,:M,:V)"),
        {{QStringLiteral("C"), clen},
         {QStringLiteral("N"), nazov},
         {QStringLiteral("K"), cena},
         {QStringLiteral("M"), mnozstvo},
         {QStringLiteral("V"), vratene}});
  }
  // The second column of each row without the blanks that pad a fixed-width text.
  static QStringList Second(const QStringList& rows) {
    QStringList values;
    for (const QString& row : rows)
      values.append(row.section(QLatin1Char('/'), 1, 1).trimmed());
    return values;
  }
};

TEST_F(MemberQueriesTest, MembersShowWhetherTheyPaidTheFeeOfTheListsYear) {
  const int novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  const int kral = AddMember(QStringLiteral("Kráľ"), QStringLiteral("Peter"));
  PayFee(novak, 2026);
  PayFee(kral, 2025);
  const struct {
    int rok;
    QStringList flags; // Novák, Kráľ
  } years[] = {
      {2026, {QStringLiteral("Člen"), QStringLiteral("-----")}},
      {2025, {QStringLiteral("-----"), QStringLiteral("Člen")}},
      {2024, {QStringLiteral("-----"), QStringLiteral("-----")}},
  };
  for (const auto& y : years) {
    const QStringList rows = Listed([&](TListQuery& q) { SelectMembers(q, y.rok); }, QStringLiteral("a.jedin"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(Second(rows), y.flags) << y.rok;
    // The key and the names follow the flag.
    EXPECT_EQ(rows[0].section(QLatin1Char('/'), 2, 4), QStringLiteral("%1/Novák/Ján").arg(novak));
  }
}

TEST_F(MemberQueriesTest, OffencesOfEarlierYearsFollowWhileUnsettledOrWhenAskedFor) {
  AddOffence(2024, QStringLiteral("starý vybavený"), 1);
  AddOffence(2025, QStringLiteral("starý nevybavený"), 0);
  AddOffence(2026, QStringLiteral("tohtoročný vybavený"), 1);
  AddOffence(2027, QStringLiteral("budúci"), 0);
  const auto offences = [&](int rok, bool settled) {
    QStringList texts;
    for (const QString& row : Listed([&](TListQuery& q) { SelectOffences(q, rok, settled); }, QStringLiteral("a.rok")))
      texts.append(row.section(QLatin1Char('/'), 3, 3));
    return texts;
  };
  EXPECT_EQ(offences(2026, false),
            QStringList({QStringLiteral("starý nevybavený"), QStringLiteral("tohtoročný vybavený")}));
  EXPECT_EQ(offences(2026, true), QStringList({QStringLiteral("starý vybavený"), QStringLiteral("starý nevybavený"),
                                               QStringLiteral("tohtoročný vybavený")}));
  EXPECT_EQ(offences(2024, false), QStringList(QStringLiteral("starý vybavený")));
}

TEST_F(MemberQueriesTest, EntrustedItemsStillOutAloneUnlessAllAreAskedForWithTheirTotal) {
  const int novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  const int out = AddItem(novak, QStringLiteral("Kľúč"), 2, 1, 12.5);
  const int back = AddItem(novak, QStringLiteral("Čln"), 1, 1, 300);
  const auto keys = [&](bool onlyStillOut) {
    QStringList listed;
    for (const QString& row :
         Listed([&](TListQuery& q) { SelectEntrustedItems(q, onlyStillOut); }, QStringLiteral("a.jedin")))
      listed.append(row.section(QLatin1Char('/'), 0, 1));
    return listed;
  };
  // SPOLU is the whole quantity times the price, returned or not.
  EXPECT_EQ(keys(true), QStringList(QStringLiteral("25/%1").arg(out)));
  EXPECT_EQ(keys(false), QStringList({QStringLiteral("25/%1").arg(out), QStringLiteral("300/%1").arg(back)}));
  // The filter's own condition keeps the same rows.
  const QStringList filtered = Listed(
      [](TListQuery& q) {
        SelectEntrustedItems(q, false);
        WhereItemsStillOut(q);
      },
      QStringLiteral("a.jedin"));
  EXPECT_EQ(filtered.size(), 1);
}

TEST_F(MemberQueriesTest, AnInspectionsGuardsAndCheckedPersonsAreItsOwnAndTheLookupOffersOnlyItsGuards) {
  const int revir = AddRevir(2026, QStringLiteral("Váh"));
  const int novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  const int kral = AddMember(QStringLiteral("Kráľ"), QStringLiteral("Peter"));
  const int first = AddGuard(novak, QStringLiteral("11"), QDate(2020, 1, 1));
  const int second = AddGuard(kral, QStringLiteral("22"), QDate(2021, 1, 1));
  const int morning = AddInspection(2026), evening = AddInspection(2026, 0, 1);
  AddInspectionGuard(morning, first);
  AddInspectionGuard(evening, second);
  AddInspected(morning, first, QStringLiteral("Hrubý"), revir);
  AddInspected(evening, second, QStringLiteral("Tichý"), revir);

  const QVariantMap key{{QStringLiteral("JEDIN"), morning}};
  const QStringList guards = Rows(InspectionGuardsSql().join(QLatin1Char('\n')), key);
  ASSERT_EQ(guards.size(), 1);
  EXPECT_TRUE(guards[0].contains(QStringLiteral("/11/S-11/"))) << guards[0].toStdString();
  const QStringList persons = Rows(InspectedPersonsSql().join(QLatin1Char('\n')), key);
  ASSERT_EQ(persons.size(), 1);
  EXPECT_TRUE(persons[0].contains(QStringLiteral("Hrubý"))) << persons[0].toStdString();
  EXPECT_TRUE(persons[0].endsWith(QStringLiteral("/Váh"))) << persons[0].toStdString();

  const TSqlCondition offered = GuardsOfInspection(evening);
  EXPECT_EQ(Column(QStringLiteral("select jedin from c_clenov_rs where ") + offered.Text, offered.Params),
            QVariantList{second});

  // The list of inspections shows the car's text and keeps the paid flag.
  const QStringList inspections = Listed(SelectInspections, QStringLiteral("a.jedin"));
  ASSERT_EQ(inspections.size(), 2);
  EXPECT_EQ(inspections[0].section(QLatin1Char('/'), 2, 2), QStringLiteral("Áno"));
  EXPECT_EQ(inspections[1].section(QLatin1Char('/'), 4, 4), QStringLiteral("0"));
}

TEST_F(MemberQueriesTest, RecordListsShowTheirCodesTextsAndTheMembersName) {
  const int novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  const int kral = AddMember(QStringLiteral("Kráľ"), QStringLiteral("Peter"));
  Exec(QStringLiteral("insert into c_clenov_prerusene_roky (jedin,c_clenov,rok,dovod) values "
                      "(gen_id(c_clenov_prerusene_roky_id,1),:C,2024,'choroba')"),
       {{QStringLiteral("C"), novak}});
  Exec(QStringLiteral("insert into c_clenov_prerusene_roky (jedin,c_clenov,rok,dovod) values "
                      "(gen_id(c_clenov_prerusene_roky_id,1),:C,2025,'cesta')"),
       {{QStringLiteral("C"), kral}});
  Exec(QStringLiteral("insert into e_posta (jedin,rok,datum,druh,cislo,vec) values "
                      "(gen_id(e_posta_id,1),2026,'2026-02-01',-1,7,'Pozvánka')"));
  Exec(QStringLiteral("insert into e_brigady (jedin,rok,datum,c_clenov,hodiny,popis,sukromne_vozidlo,uhradene) "
                      "values (gen_id(e_brigady_id,1),2026,'2026-04-01',:C,3,'Kosenie',1,0)"),
       {{QStringLiteral("C"), kral}});
  Exec(QStringLiteral("insert into e_vyznamenania (jedin,c_clenov,nazov,rok_vyznamenania) values "
                      "(gen_id(e_vyznamenania_id,1),:C,'Čestné uznanie',2019)"),
       {{QStringLiteral("C"), novak}});
  Exec(
      QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values (gen_id(c_clenenie_clenov_id,1),'Dôchodci')"));
  AddType(2026, QStringLiteral("Zarybňovanie"));
  AddGuard(kral, QStringLiteral("33"), QDate(2022, 1, 1));

  EXPECT_EQ(Listed([&](TListQuery& q) { SelectInterruptedYears(q, novak); }, QStringLiteral("1")).size(), 1);
  EXPECT_TRUE(Listed([&](TListQuery& q) { SelectInterruptedYears(q, novak); }, QStringLiteral("1"))
                  .value(0)
                  .endsWith(QStringLiteral("/2024/choroba")));
  const struct {
    std::function<void(TListQuery&)> select;
    QString column; // a column of the only row, by position
    int position;
  } lists[] = {
      {SelectMail, QStringLiteral("odoslaná"), 1},
      {SelectWorkDuty, QStringLiteral("Áno"), 5},
      {SelectWorkDuty, QStringLiteral("Kosenie"), 2},
      {SelectAwards, QStringLiteral("Čestné uznanie"), 1},
      {SelectMemberGroups, QStringLiteral("Dôchodci"), 1},
      {SelectWorkTypes, QStringLiteral("Zarybňovanie"), 1},
      {SelectGuards, QStringLiteral("33"), 1},
      {SelectGuards, QStringLiteral("Kráľ"), 4},
  };
  for (const auto& l : lists) {
    const QStringList rows = Listed(l.select, QStringLiteral("1"));
    ASSERT_EQ(rows.size(), 1) << l.column.toStdString();
    EXPECT_EQ(rows[0].section(QLatin1Char('/'), l.position, l.position), l.column) << rows[0].toStdString();
  }
  // The work duty and award rows name their member.
  EXPECT_TRUE(Listed(SelectWorkDuty, QStringLiteral("1")).value(0).contains(QStringLiteral("Kráľ")));
  EXPECT_TRUE(Listed(SelectAwards, QStringLiteral("1")).value(0).contains(QStringLiteral("Novák")));
}

} // namespace
