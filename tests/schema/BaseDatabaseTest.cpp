// What the registers expect of the base database, pinned on a database at
// the supported version: the placement of tied competitors, the procedure
// that carries a price into a query, the option rows the registers use and
// the competitors' display names.
#include "tests/schema/SchemaTestSupport.h"
#include "tests/support/Utf8Text.h"

using TBaseDatabase = UpgradedDatabaseTest;

namespace {

QVariantMap Values(std::initializer_list<std::pair<const char*, QVariant>> values) {
  QVariantMap map;
  for (const auto& [key, value] : values)
    map.insert(QString::fromLatin1(key), value);
  return map;
}

} // namespace

TEST_F(TBaseDatabase, TiedCompetitorsShareTheMeanOfThePlacesTheyHold) {
  const struct {
    QVariant start, size;
    double placement;
  } cases[] = {
      {1, 1, 1}, {2, 2, 2.5}, {4, 3, 5}, {7, 0, 7}, {3, QVariant(), 3}, {10, 4, 11.5},
  };
  for (const auto& c : cases) {
    const QList<QVariantList> rows =
        Rows(QStringLiteral("select vysledok from sp_vypocitaj_umiestnenie(:Z, :P)"),
             Values({{"Z", c.start}, {"P", c.size.isNull() ? QVariant(QMetaType(QMetaType::Int)) : c.size}}));
    ASSERT_EQ(rows.size(), 1) << c.start.toInt();
    EXPECT_DOUBLE_EQ(rows[0][0].toDouble(), c.placement) << c.start.toInt() << "/" << c.size.toInt();
  }
}

TEST_F(TBaseDatabase, TheDoublePrecisionCarrierReturnsItsInputUnchanged) {
  for (const QVariant& value : {QVariant(12.345), QVariant(-0.5), QVariant(0.0), QVariant(1e9 + 0.25)}) {
    const QVariant out =
        Scalar(QStringLiteral("select output_value from return_double_precision(:V)"), Values({{"V", value}}));
    EXPECT_EQ(out.metaType().id(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(out.toDouble(), value.toDouble());
  }
  EXPECT_TRUE(Scalar(QStringLiteral("select output_value from return_double_precision(null)")).isNull());
  // As the stocking dialog uses it: a quantity times the carried price.
  EXPECT_DOUBLE_EQ(Scalar(QStringLiteral("select 4 * (select output_value from return_double_precision(:C)) "
                                         "from rdb$database"),
                          Values({{"C", 2.125}}))
                       .toDouble(),
                   8.5);
}

TEST_F(TBaseDatabase, TheOptionRowsTheRegistersRelyOnArePresent) {
  const struct {
    const char* zaradenie;
    QList<int> values;
  } cases[] = {
      {"typ_platby", {0, 2}},   {"typ_povolenky", {0, 1, 2}}, {"platnost_povolenky", {1, 2, 3, 11, 12, 13}},
      {"smer_pohybu", {-1, 1}}, {"typ_ryby", {1, 2, 3}},      {"logika", {0, 1}},
      {"typ_vody", {1}},        {"typ_revira", {1}},
  };
  for (const auto& c : cases) {
    QList<int> present;
    for (const QVariantList& row : Rows(QStringLiteral("select cislo from ponuky where zaradenie=:Z order by cislo"),
                                        Values({{"Z", QString::fromLatin1(c.zaradenie)}})))
      present.append(row[0].toInt());
    for (int value : c.values)
      EXPECT_TRUE(present.contains(value)) << c.zaradenie << " " << value;
    // Every row has a text to show in the combos.
    EXPECT_EQ(Scalar(QStringLiteral("select count(*) from ponuky where zaradenie=:Z and coalesce(text,'')=''"),
                     Values({{"Z", QString::fromLatin1(c.zaradenie)}}))
                  .toInt(),
              0)
        << c.zaradenie;
  }
}

TEST_F(TBaseDatabase, CompetitorsGetTheirDisplayNameAndSearchShadowFromTheDatabase) {
  Exec(QStringLiteral("insert into c_pretekari (jedin, titul, meno, priezvisko, datum_narodenia) "
                      "values (1, 'Ing.', :M, :P, '1970-05-03')"),
       Values({{"M", S("Ján")}, {"P", S("Šťastný")}}));
  Exec(QStringLiteral("insert into c_pretekari (jedin, meno, priezvisko) values (2, 'Eva', :P)"),
       Values({{"P", S("Malá")}}));
  EXPECT_EQ(Rows(QStringLiteral("select nazov_uplny, nazov_uplny_x from c_pretekari order by jedin")),
            (QList<QVariantList>{{S("Šťastný Ján Ing., 03.05.1970"), QStringLiteral("STASTNY JAN ING., 03.05.1970")},
                                 {S("Malá Eva"), QStringLiteral("MALA EVA")}}));
  // A change of the name renames the competitor.
  Exec(QStringLiteral("update c_pretekari set priezvisko=:P where jedin=2"), Values({{"P", S("Veľká")}}));
  EXPECT_EQ(Scalar(QStringLiteral("select nazov_uplny from c_pretekari where jedin=2")).toString(), S("Veľká Eva"));
}
