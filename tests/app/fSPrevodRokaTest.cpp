#include "app/fSPrevodRoka.h"
#include "controls/QPLBtn.h"
#include "tests/app/AdminTestSupport.h"
#include <QtWidgets/QCheckBox>

namespace {

constexpr int Year = 2031;

class PrevodRokaTest : public AdminTest {
protected:
  void SetUp() override {
    AdminTest::SetUp();
    const char* const rows[] = {
        // Prices: a name the working year already has, and two rows of one name.
        "insert into c_ceniny (jedin, rok, nazov, cena) values (1001, 2030, 'Povolenka sezónna', 50)",
        "insert into c_ceniny (jedin, rok, nazov, cena) values (1002, 2030, 'Povolenka denná', 5)",
        "insert into c_ceniny (jedin, rok, nazov, cena) values (1003, 2030, 'Povolenka denná', 6)",
        "insert into c_ceniny (jedin, rok, nazov, cena) values (1010, 2031, 'Povolenka sezónna', 55)",
        // An empty name in the working year must not stop the copy.
        "insert into c_ceniny (jedin, rok, nazov, cena) values (1011, 2031, null, 1)",
        "insert into c_reviry_jux (jedin, rok, cislo, nazov, sezonna, denna, tyzdenna) "
        "values (2001, 2030, '3-1234', 'Váh', 1001, 1002, null)",
        "insert into c_reviry_jux (jedin, rok, cislo, nazov) values (2002, 2030, null, 'Bez čísla')",
        "insert into c_reviry_jux (jedin, rok, cislo, nazov) values (2010, 2031, null, 'Ručne pridaný')",
        "insert into c_druhy_dokladov (jedin, rok, skratka, nazov) values (3001, 2030, 'PPD', 'Príjmový')",
        "insert into c_druhy_dokladov (jedin, rok, skratka, nazov) values (3002, 2030, 'VPD', 'Výdavkový')",
        "insert into c_druhy_dokladov (jedin, rok, skratka, nazov) values (3010, 2031, 'PPD', 'Ručný')",
        "insert into c_typy_brigad (jedin, rok, nazov) values (4001, 2030, 'Čistenie')",
        "insert into c_typy_brigad (jedin, rok, nazov) values (4002, 2030, 'Kosenie')",
        "insert into c_typy_brigad (jedin, rok, nazov) values (4010, 2031, null)",
        "insert into c_krmiv (jedin, rok, nazov) values (5001, 2030, 'Kukurica')",
        "insert into c_krmiv (jedin, rok, nazov) values (5002, 2030, 'Pšenica')",
    };
    for (const char* sql : rows)
      Exec(QString::fromUtf8(sql));
  }

  // The working year's rows of a list: key column values in order.
  QStringList WorkingYear(const char* table, const char* column) {
    QStringList values;
    for (const QVariantList& row : Rows(QStringLiteral("select %1 from %2 where rok = :ROK order by %1, jedin")
                                            .arg(QLatin1String(column), QLatin1String(table)),
                                        {{QStringLiteral("ROK"), Year}}))
      values << (row[0].isNull() ? QStringLiteral("<null>") : row[0].toString());
    return values;
  }

  struct Expected {
    const char* table;
    const char* column;
    QStringList values;
  };

  void ExpectLists(const QList<Expected>& lists) {
    for (const Expected& list : lists)
      EXPECT_EQ(WorkingYear(list.table, list.column), list.values) << list.table;
  }

  int Run(bool withFeeds) {
    TfrmSPrevodRoka form(nullptr, db.get(), Year);
    form.eKrmiv->setChecked(withFeeds);
    form.btnZapisClick();
    EXPECT_TRUE(form.isEnabled());
    return form.ModalResult();
  }
};

TEST_F(PrevodRokaTest, CopiesEachRowOnceAndASecondRunAddsNothing) {
  const QStringList prices = {QStringLiteral("<null>"), QStringLiteral("Povolenka denná"),
                              QStringLiteral("Povolenka denná"), QStringLiteral("Povolenka sezónna")};
  const QList<Expected> copied = {
      {"c_ceniny", "nazov", prices},
      {"c_reviry_jux", "cislo", {QStringLiteral("<null>"), QStringLiteral("3-1234")}},
      {"c_druhy_dokladov", "skratka", {QStringLiteral("PPD"), QStringLiteral("VPD")}},
      {"c_typy_brigad", "nazov", {QStringLiteral("<null>"), QStringLiteral("Čistenie"), QStringLiteral("Kosenie")}},
  };
  // The feeds' box is unchecked: that list is not touched.
  EXPECT_EQ(Run(false), mrOk);
  ExpectLists(copied);
  EXPECT_TRUE(WorkingYear("c_krmiv", "nazov").isEmpty());
  // The hand-made rows stay as they were.
  EXPECT_EQ(Scalar(QStringLiteral("select nazov from c_druhy_dokladov where rok = 2031 and skratka = 'PPD'")),
            QVariant(QStringLiteral("Ručný")));

  const QList<Expected> feeds = {{"c_krmiv", "nazov", {QStringLiteral("Kukurica"), QStringLiteral("Pšenica")}}};
  for (int run = 0; run < 2; ++run) {
    EXPECT_EQ(Run(true), mrOk);
    ExpectLists(copied);
    ExpectLists(feeds);
  }
  // The source year is left alone.
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from c_ceniny where rok = 2030")).toInt(), 3);
}

TEST_F(PrevodRokaTest, CopiedGroundPointsAtTheWorkingYearsPrices) {
  ASSERT_EQ(Run(true), mrOk);
  const QList<QVariantList> ground = Rows(
      QStringLiteral("select sezonna, denna, tyzdenna, nazov from c_reviry_jux where rok = 2031 and cislo = '3-1234'"));
  ASSERT_EQ(ground.size(), 1);
  const QVariant daily = Scalar(QStringLiteral(
      "select jedin from c_ceniny where rok = 2031 and nazov = 'Povolenka denná' order by jedin rows 1"));
  EXPECT_EQ(ground[0][0].toInt(), 1010); // the hand-made season price of the working year
  EXPECT_EQ(ground[0][1].toInt(), daily.toInt());
  EXPECT_NE(daily.toInt(), 1002);
  EXPECT_TRUE(ground[0][2].isNull());
  EXPECT_EQ(ground[0][3].toString(), QStringLiteral("Váh"));
  // The source ground still refers to its own year's prices.
  EXPECT_EQ(Scalar(QStringLiteral("select denna from c_reviry_jux where jedin = 2001")).toInt(), 1002);
}

TEST_F(PrevodRokaTest, UnknownErrorUndoesEveryListAndKeepsTheDialogOpen) {
  Exec(QStringLiteral("create exception e_test_rollover 'Skúška'"));
  Exec(QStringLiteral("create trigger c_krmiv_test for c_krmiv before insert as begin exception e_test_rollover; end"));
  TfrmSPrevodRoka form(nullptr, db.get(), Year);
  EXPECT_ANY_THROW(form.btnZapisClick());
  EXPECT_EQ(form.ModalResult(), mrNone);
  EXPECT_TRUE(form.isEnabled());
  EXPECT_TRUE(form.btnZapis->isEnabled());
  EXPECT_EQ(WorkingYear("c_reviry_jux", "cislo"), QStringList{QStringLiteral("<null>")});
  EXPECT_EQ(WorkingYear("c_ceniny", "nazov").size(), 2);
}

} // namespace
