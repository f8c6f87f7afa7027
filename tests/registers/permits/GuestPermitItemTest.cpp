// A guest permit's item written by the permit rows' routine on the embedded
// database: added once under its payment, changed after, never doubled.
#include "registers/permits/PermitRows.h"
#include "registers/permits/fEPovolenkyHost.h"
#include "tests/registers/permits/PermitPaymentsTestSupport.h"

namespace {

class GuestPermitItemTest : public PermitPaymentTest<TfrmEPovolenkyJUX> {
protected:
  int Write(int payment, const QVariantMap& values) {
    TTestStatement statement(db.get(), QStringLiteral("select 1 from rdb$database"));
    const int item = WriteGuestPermitItem(statement.Query(), payment, 1, 2026, values);
    statement.Commit();
    return item;
  }
};

TEST_F(GuestPermitItemTest, TheItemIsAddedOnceThenChangedWithPaymentTypeZero) {
  Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo) values (70,2026,1,1)");
  Sql("insert into e_povolenky (jedin,rok,typ_povolenky,cislo) values (71,2026,1,2)");
  const QString stored = QStringLiteral(
      "select e_povolenky,typ_povolenky,rok,typ_platby,c_ceniny,cena,odvod_jux,doplnkovy_udaj,"
      "cislo_zakladnej_povolenky,platnost,platnost_od,platnost_do,c_reviry_jux,c_zo from e_povolenky2 order by jedin");
  QVariantMap values{{QStringLiteral("C_CENINY"), 12},
                     {QStringLiteral("CENA"), 20},
                     {QStringLiteral("ODVOD_JUX"), 5},
                     {QStringLiteral("DOPLNKOVY_UDAJ"), QStringLiteral("HP-1")},
                     {QStringLiteral("CISLO_ZAKLADNEJ_POVOLENKY"), QStringLiteral("ZP-1")},
                     {QStringLiteral("PLATNOST"), 12},
                     {QStringLiteral("PLATNOST_OD"), QDate(2026, 5, 12)},
                     {QStringLiteral("PLATNOST_DO"), QDate(2026, 5, 12)},
                     {QStringLiteral("C_REVIRY_JUX"), 20},
                     {QStringLiteral("C_ZO"), 2},
                     // Not an item's column: ignored.
                     {QStringLiteral("PRIEZVISKO"), QStringLiteral("Kováč")}};
  const int first = Write(70, values);
  EXPECT_GT(first, 0);
  EXPECT_EQ(Rows(stored), QStringList(QStringLiteral("70/1/2026/0/12/20/5/HP-1/ZP-1/12/2026-05-12/2026-05-12/20/2")));

  // A second save of the same payment changes its item.
  values[QStringLiteral("C_CENINY")] = 13;
  values[QStringLiteral("CENA")] = 40;
  values[QStringLiteral("PLATNOST_DO")] = QVariant();
  EXPECT_EQ(Write(70, values), first);
  EXPECT_EQ(Rows(stored), QStringList(QStringLiteral("70/1/2026/0/13/40/5/HP-1/ZP-1/12/2026-05-12//20/2")));

  // Another payment gets an item of its own.
  const int second = Write(71, values);
  EXPECT_NE(second, first);
  EXPECT_EQ(Rows(stored).size(), 2);
}

} // namespace
