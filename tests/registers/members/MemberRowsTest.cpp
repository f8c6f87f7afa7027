// What the member registers' forms read beside their rows, on the embedded
// database: the register's counts, a member's hours, fee and interrupted
// years, an inspection's guards and inspectors, and a new mail's number.
#include "registers/members/MemberRows.h"
#include "tests/registers/members/GuardTestSupport.h"
#include "tests/registers/members/MembersTestSupport.h"
#include "tests/support/SqlTestRoutines.h"
#include <functional>

namespace {

// Runs `work` on a query in a transaction of its own, committed.
void InTransaction(TIBDatabase* db, const std::function<void(TIBQuery&)>& work) {
  TTestStatement statement(db, QStringLiteral("select 1 from rdb$database"));
  work(statement.Query());
  statement.Commit();
}

class MemberRowsTest : public MembersTest {};

TEST_F(MemberRowsTest, MembersAreThoseWhoPaidTheFeeOfTheYearAndTheFeeShowsAmountAndDate) {
  const int novak = AddPerson({QStringLiteral("Novák"), QStringLiteral("Ján"), QStringLiteral("Nitra")});
  const int kral = AddPerson({QStringLiteral("Kráľ"), QStringLiteral("Peter"), QStringLiteral("Nitra")});
  AddPerson({QStringLiteral("Hosť"), QStringLiteral("Jozef"), QStringLiteral("Trnava")});
  Pay(novak, 2026, 40, QDate(2026, 1, 15));
  Pay(kral, 2025, 35, QDate(2025, 2, 1));
  Pay(kral, 2026, 12, QDate(2026, 3, 1), 1); // a permit, not the fee
  const struct {
    int rok;
    qint64 members;
  } years[] = {{2026, 1}, {2025, 1}, {2024, 0}};
  for (const auto& y : years)
    InTransaction(db.get(), [&](TIBQuery& q) {
      const TMemberCounts counts = CountMembers(q, y.rok);
      EXPECT_EQ(counts.All, 3) << y.rok;
      EXPECT_EQ(counts.Members, y.members) << y.rok;
    });
  const struct {
    int clen, rok;
    std::optional<double> amount;
    QDate paid;
  } fees[] = {
      {novak, 2026, 40, QDate(2026, 1, 15)},
      {kral, 2025, 35, QDate(2025, 2, 1)},
      {kral, 2026, std::nullopt, QDate()},
      {novak, 2025, std::nullopt, QDate()},
  };
  for (const auto& f : fees)
    InTransaction(db.get(), [&](TIBQuery& q) {
      const std::optional<TMembershipFee> fee = MembershipFee(q, f.clen, f.rok);
      ASSERT_EQ(fee.has_value(), f.amount.has_value()) << f.clen << ' ' << f.rok;
      if (!fee) return;
      EXPECT_DOUBLE_EQ(fee->Amount, *f.amount);
      EXPECT_EQ(fee->Paid, f.paid);
    });
}

TEST_F(MemberRowsTest, AMembersWorkHoursOfTheYearAndInterruptedYears) {
  const int novak = AddPerson({QStringLiteral("Novák"), QStringLiteral("Ján"), QStringLiteral("Nitra")});
  const int kral = AddPerson({QStringLiteral("Kráľ"), QStringLiteral("Peter"), QStringLiteral("Nitra")});
  for (const auto& [clen, rok, hodiny] : {std::tuple{novak, 2026, 2.5}, {novak, 2026, 3.0}, {novak, 2025, 8.0}})
    Exec(QStringLiteral("insert into e_brigady (jedin,rok,datum,c_clenov,hodiny,popis) "
                        "values (gen_id(e_brigady_id,1),:R,'2026-04-01',:C,:H,'Práca')"),
         {{QStringLiteral("R"), rok}, {QStringLiteral("C"), clen}, {QStringLiteral("H"), hodiny}});
  Exec(QStringLiteral("insert into c_clenov_prerusene_roky (jedin,c_clenov,rok,dovod) "
                      "values (gen_id(c_clenov_prerusene_roky_id,1),:C,2024,'choroba')"),
       {{QStringLiteral("C"), kral}});
  InTransaction(db.get(), [&](TIBQuery& q) {
    EXPECT_DOUBLE_EQ(WorkDutyHours(q, novak, 2026), 5.5);
    EXPECT_DOUBLE_EQ(WorkDutyHours(q, novak, 2025), 8);
    EXPECT_DOUBLE_EQ(WorkDutyHours(q, kral, 2026), 0);
    EXPECT_FALSE(HasInterruptedYears(q, novak));
    EXPECT_TRUE(HasInterruptedYears(q, kral));
  });
}

TEST_F(MemberRowsTest, ANewMailTakesTheNumberAfterTheHighestOfItsYear) {
  for (const auto& [rok, cislo] : {std::pair{2026, 4}, {2026, 9}, {2025, 30}})
    Exec(QStringLiteral("insert into e_posta (jedin,rok,cislo) values (gen_id(e_posta_id,1),:R,:C)"),
         {{QStringLiteral("R"), rok}, {QStringLiteral("C"), cislo}});
  const struct {
    int rok;
    QString next;
  } years[] = {{2026, QStringLiteral("10")}, {2025, QStringLiteral("31")}, {2027, QStringLiteral("1")}};
  for (const auto& y : years)
    EXPECT_EQ(Rows(NextMailNumberSql(), {{QStringLiteral("ROK"), y.rok}}), QStringList(y.next)) << y.rok;
}

TEST_F(MemberRowsTest, TheImportEmptiesTheRegisterRestartsItsKeysAndInsertsUnderTheNext) {
  const QVariantMap novak{
      {QStringLiteral("TITUL"), QStringLiteral("Ing.")},
      {QStringLiteral("MENO"), QStringLiteral("Ján")},
      {QStringLiteral("PRIEZVISKO"), QStringLiteral("Novák")},
      {QStringLiteral("ULICA"), QStringLiteral("Hlavná 1")},
      {QStringLiteral("MESTO"), QStringLiteral("Nitra")},
      {QStringLiteral("PSC"), QStringLiteral("94901")},
      {QStringLiteral("DATUM_NARODENIA"), QDate(1970, 5, 6)},
      {QStringLiteral("CISLO_LEGITIMACIE"), QStringLiteral("L-7")},
      {QStringLiteral("VSTUP_JUX"), 1990},
      {QStringLiteral("VSTUP_ZO"), 1991},
      {QStringLiteral("SKOLENIE_USKUTOCNENE"), 1},
      {QStringLiteral("SKOLENIE_DATUM"), QDate(1990, 3, 1)},
      {QStringLiteral("BRIGADA_VYZADOVAT"), 0},
      {QStringLiteral("PRACOVNE_ZARADENIE"), QStringLiteral("technik")},
      {QStringLiteral("POVOLANIE"), QStringLiteral("elektrikár")},
      {QStringLiteral("POZNAMKA"), QStringLiteral("prvý\r\ndruhý")},
      {QStringLiteral("TELEFON"), QStringLiteral("037/123")},
      {QStringLiteral("CLEN_OBO"), 4},
  };
  QVariantMap kral = novak;
  kral[QStringLiteral("PRIEZVISKO")] = QStringLiteral("Kráľ");
  kral[QStringLiteral("DATUM_NARODENIA")] = QVariant(QMetaType(QMetaType::QDate));
  for (int i = 0; i < 3; ++i)
    AddPerson({QStringLiteral("Starý"), QStringLiteral("Člen"), QStringLiteral("Nitra")});
  InTransaction(db.get(), [&](TIBQuery& q) { EXPECT_GE(HighestMemberKey(q), 3); });

  InTransaction(db.get(), [&](TIBQuery& q) {
    DeleteAllMembers(q);
    EXPECT_EQ(HighestMemberKey(q), 0);
    InsertMember(q, novak);
    InsertMember(q, kral);
  });
  EXPECT_EQ(Rows(QStringLiteral("select jedin,priezvisko,datum_narodenia from c_clenov order by jedin")),
            QStringList({QStringLiteral("1/Novák/1970-05-06"), QStringLiteral("2/Kráľ/")}));
  // Every column lands where it belongs.
  EXPECT_EQ(Rows(QStringLiteral("select titul,meno,ulica,mesto,psc,cislo_legitimacie,vstup_jux,vstup_zo,"
                                "skolenie_uskutocnene,skolenie_datum,brigada_vyzadovat,pracovne_zaradenie,"
                                "povolanie,poznamka,telefon,clen_obo from c_clenov where jedin=1")),
            QStringList(QStringLiteral("Ing./Ján/Hlavná 1/Nitra/94901/L-7/1990/1991/1/1990-03-01/0/technik/"
                                       "elektrikár/prvý\r\ndruhý/037/123/4")));
  InTransaction(db.get(), [&](TIBQuery& q) { EXPECT_EQ(HighestMemberKey(q), 2); });
}

class InspectionRowsTest : public GuardTest {};

TEST_F(InspectionRowsTest, AnInspectionsGuardRowsAndInspectorsAreItsOwn) {
  const int revir = AddRevir(2026, QStringLiteral("Váh"));
  const int first =
      AddGuard(AddMember(QStringLiteral("Novák"), QStringLiteral("Ján")), QStringLiteral("11"), QDate(2020, 1, 1));
  const int second =
      AddGuard(AddMember(QStringLiteral("Kráľ"), QStringLiteral("Peter")), QStringLiteral("22"), QDate(2020, 1, 1));
  const int morning = AddInspection(2026), evening = AddInspection(2026);
  const int firstRow = AddInspectionGuard(morning, first), secondRow = AddInspectionGuard(morning, second);
  AddInspectionGuard(evening, second);
  AddInspected(morning, second, QStringLiteral("Hrubý"), revir);
  AddInspected(morning, second, QStringLiteral("Tichý"), revir);
  AddInspected(evening, second, QStringLiteral("Zlý"), revir);
  InTransaction(db.get(), [&](TIBQuery& q) {
    QList<std::pair<int, int>> rows;
    for (const TInspectionGuard& g : InspectionGuards(q, morning))
      rows.append({g.Row, g.Guard});
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (QList<std::pair<int, int>>{{firstRow, first}, {secondRow, second}}));
    // One inspector of two persons counts once; the other guard inspected nobody.
    EXPECT_EQ(InspectionInspectors(q, morning), QSet<int>{second});
    EXPECT_EQ(InspectionGuards(q, evening).size(), 1);
    EXPECT_TRUE(InspectionInspectors(q, AddInspection(2026)).isEmpty());
  });
}

} // namespace
