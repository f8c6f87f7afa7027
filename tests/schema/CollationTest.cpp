// Texts sort in Slovak alphabetical order both in a new database and in one
// laid down before the texts had a collation (byte order) and upgraded since;
// the upgrade keeps the keys and the references between the tables.
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include "schema/BaseScript.h"
#include "schema/UpgradePackage.h"
#include "tests/schema/SchemaTestSupport.h"
#include "tests/support/Utf8Text.h"
#include <QtCore/QRegularExpression>

namespace {

// A database as the base script laid it down before its text domains named a
// collation, then upgraded by the program's package.
void MakeByteOrderDatabaseUpgraded(const QString& path) {
  TIBDatabase database;
  database.SetDatabaseName(path);
  database.CreateDatabase();
  TIBTransaction transaction(&database);
  TIBSQL sql(&database, &transaction);
  QString script = BaseScriptText();
  const int replaced = script.count(QStringLiteral(" COLLATE PXW_CSY;"));
  EXPECT_GT(replaced, 0);
  script.replace(QStringLiteral(" COLLATE PXW_CSY;"), QStringLiteral(";"));
  for (const QString& statement : SplitScript(script)) {
    transaction.StartTransaction();
    sql.ExecImmediate(statement);
    transaction.Commit();
  }
  database.Close();
  UpgradeToSupportedVersion(path);
}

// Surnames given in an order that is neither the Slovak nor the byte order.
const QStringList kShuffled = L({"Žiak", "Cibuľa", "Hrach", "Šimko", "Ďurčo", "čierny", "Zima", "Chudý", "Sova", "Dano",
                                 "Čaplovič", "Ábel", "Abel", "Hudec"});
// Slovak order: CH after H, each hooked letter after its plain one; a letter
// with an acute sorts with its plain one; case only breaks ties.
const QStringList kSlovakOrder = L({"Abel", "Ábel", "Cibuľa", "Čaplovič", "čierny", "Dano", "Ďurčo", "Hrach", "Hudec",
                                    "Chudý", "Sova", "Šimko", "Zima", "Žiak"});

class TCollation : public SchemaTest, public ::testing::WithParamInterface<TDatabaseMaker> {
protected:
  TCollation() : SchemaTest(GetParam()) {}

  QStringList Texts(const QString& sql) {
    QStringList texts;
    for (const QVariantList& row : Rows(sql))
      texts << row.value(0).toString();
    return texts;
  }
};

QStringList Reversed(QStringList list) {
  std::reverse(list.begin(), list.end());
  return list;
}

} // namespace

TEST_P(TCollation, NamesAndPriceItemsSortInSlovakOrderBothWays) {
  int key = 0;
  for (const QString& name : kShuffled) {
    ++key;
    Exec(QStringLiteral("insert into c_clenov (jedin, priezvisko, meno) values (:J, :P, :P)"),
         {{QStringLiteral("J"), key}, {QStringLiteral("P"), name}});
    Exec(QStringLiteral("insert into c_ceniny (jedin, rok, nazov) values (:J, 2026, :P)"),
         {{QStringLiteral("J"), key}, {QStringLiteral("P"), name}});
  }
  EXPECT_EQ(Texts(QStringLiteral("select priezvisko from c_clenov order by priezvisko")), kSlovakOrder);
  EXPECT_EQ(Texts(QStringLiteral("select priezvisko from c_clenov order by priezvisko desc")), Reversed(kSlovakOrder));
  EXPECT_EQ(Texts(QStringLiteral("select nazov from c_ceniny order by nazov")), kSlovakOrder);
  EXPECT_EQ(Texts(QStringLiteral("select nazov from c_ceniny order by nazov desc")), Reversed(kSlovakOrder));
  // The trigger-made display name (member) sorts the same way.
  EXPECT_EQ(Texts(QStringLiteral("select priezvisko from c_clenov order by nazov_uplny")), kSlovakOrder);
}

TEST_P(TCollation, EqualityAndSearchStayExact) {
  Exec(S("insert into nastavenia (premenna, text) values ('Čiara', 'a')"));
  // Another case is another key, as before.
  EXPECT_EQ(ErrorOf(S("insert into nastavenia (premenna, text) values ('čiara', 'b')")), QString());
  EXPECT_NE(ErrorOf(S("insert into nastavenia (premenna, text) values ('Čiara', 'c')")), QString());
  EXPECT_EQ(Scalar(S("select count(*) from nastavenia where premenna = 'Ciara'")).toInt(), 0);
  EXPECT_EQ(Scalar(S("select count(*) from nastavenia where premenna starting with 'Č'")).toInt(), 1);
  // A document refers to a document kind of its year, and a number is used once, as before the upgrade.
  Exec(S("insert into c_druhy_dokladov (jedin, rok, skratka, nazov, typ) values (1, 2026, 'FA', 'Faktúry', 11)"));
  EXPECT_EQ(ErrorOf(S("insert into e_faktury (jedin, rok, druh_dokladu, p1, p2) values (1, 2026, 'FA', 1, 1)")),
            QString());
  EXPECT_NE(ErrorOf(S("insert into e_faktury (jedin, rok, druh_dokladu, p1, p2) values (2, 2026, 'XX', 1, 1)")),
            QString());
  EXPECT_NE(ErrorOf(S("insert into e_faktury (jedin, rok, druh_dokladu, p1, p2) values (3, 2026, 'FA', 1, 1)")),
            QString());
}

TEST_P(TCollation, EveryTextDomainSortsSlovakAndNoByteOrderDomainIsLeft) {
  const QList<QVariantList> domains =
      Rows(QStringLiteral("select trim(f.rdb$field_name), coalesce(c.rdb$collation_name, '') from rdb$fields f "
                          "left join rdb$collations c on c.rdb$character_set_id = f.rdb$character_set_id "
                          "and c.rdb$collation_id = f.rdb$collation_id where f.rdb$field_name starting with 'VCH_'"));
  ASSERT_FALSE(domains.isEmpty());
  for (const QVariantList& domain : domains) {
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^VCH_\\d+$")).match(domain[0].toString()).hasMatch())
        << domain[0].toString().toStdString();
    EXPECT_EQ(domain[1].toString().trimmed(), QStringLiteral("PXW_CSY")) << domain[0].toString().toStdString();
  }
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from rdb$relation_constraints where rdb$constraint_name in "
                                  "('PK_PONUKY', 'PK_NASTAVENIA', 'UK_C_DRUHY_DOKLADOV_ROK_SKRATKA', "
                                  "'UK_E_POKLADNA_DOKLAD', 'UK_E_FAKTURY_ROK_DD_CISLO', 'FK_E_FAKTURY_ROK_DOKLAD')"))
                .toInt(),
            6);
}

INSTANTIATE_TEST_SUITE_P(NewAndUpgraded, TCollation,
                         ::testing::Values(&MakeUpgradedDatabase, &MakeByteOrderDatabaseUpgraded),
                         [](const ::testing::TestParamInfo<TDatabaseMaker>& info) {
                           return info.index == 0 ? std::string("NewDatabase") : std::string("ByteOrderDatabase");
                         });
