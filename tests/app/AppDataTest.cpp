// The program's statements on its own tables, on a fresh embedded database:
// settings written and read back, the organisations' presence, the
// selection sets purged and the tables' highest record format.
#include "app/AppData.h"
#include "tests/app/AdminTestSupport.h"
#include "tests/support/SqlTestRoutines.h"

namespace {

class AppDataTest : public AdminTest {
protected:
  // Runs `work` on a query in a committed transaction of its own.
  template <class Work> auto InTransaction(Work work) {
    TTestStatement statement(db.get(), QStringLiteral("select 1 from rdb$database"));
    auto result = work(statement.Query());
    statement.Commit();
    return result;
  }
  QVariant Setting(const char* column, const char* key) {
    return InTransaction(
        [&](TIBQuery& q) { return AppData::Setting(q, QString::fromLatin1(column), QString::fromLatin1(key)); });
  }
};

TEST_F(AppDataTest, ASettingIsWrittenAddedOrChangedAndReadBackWithANullNumberKept) {
  Exec(QStringLiteral("delete from nastavenia"));
  const struct {
    const char* key;
    QString text;
    QVariant number;
  } writes[] = {
      {"ORG_NAZOV", QStringLiteral("MO SRZ Nitra"), 0},
      {"BRIGADA_PREDPISANA", QString(), 12.5},
      {"ZO_JEDIN", QString(), QVariant()},
      {"ORG_NAZOV", QStringLiteral("MO SRZ Žilina"), 0}, // the row changes, none is added
  };
  for (const auto& w : writes)
    InTransaction([&](TIBQuery& q) {
      AppData::WriteSetting(q, QString::fromLatin1(w.key), w.text, w.number);
      return 0;
    });
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from nastavenia")).toInt(), 3);
  EXPECT_EQ(Setting("text", "ORG_NAZOV").toString(), QStringLiteral("MO SRZ Žilina"));
  EXPECT_DOUBLE_EQ(Setting("cislo", "BRIGADA_PREDPISANA").toDouble(), 12.5);
  EXPECT_TRUE(Setting("cislo", "ZO_JEDIN").isNull());
  EXPECT_TRUE(Setting("text", "NIE_JE").isNull()); // a missing row
}

TEST_F(AppDataTest, OrganisationsSelectionSetsAndTableFormats) {
  Exec(QStringLiteral("delete from c_zo"));
  const auto anyOrganization = [this] {
    return InTransaction([](TIBQuery& q) { return AppData::AnyOrganization(q); });
  };
  EXPECT_FALSE(anyOrganization());
  Exec(QStringLiteral("insert into c_zo (jedin, cislo, nazov) values (1, 101, 'ZO Nitra')"));
  EXPECT_TRUE(anyOrganization());

  Exec(QStringLiteral("insert into temp_spracuj (jedin, cislo) values (gen_id(temp_spracuj_id, 5), 10)"));
  InTransaction([](TIBQuery& q) {
    AppData::PurgeSelectionSets(q);
    return 0;
  });
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from temp_spracuj")).toInt(), 0);
  EXPECT_EQ(Scalar(QStringLiteral("select gen_id(temp_spracuj_id, 0) from rdb$database")).toInt(), 0);

  const auto highest = [this] { return InTransaction([](TIBQuery& q) { return AppData::HighestTableFormat(q); }); };
  const int before = highest();
  EXPECT_GE(before, 1);
  // A table altered more often than any other raises the highest format.
  Exec(QStringLiteral("create table zz_formaty (a integer)"));
  for (int i = 0; i <= before; ++i)
    Exec(QStringLiteral("alter table zz_formaty add b%1 integer").arg(i));
  EXPECT_GT(highest(), before);
}

} // namespace
