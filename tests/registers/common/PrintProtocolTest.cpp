#include "app/AppContext.h"
#include "db/IBSQL.h"
#include "tests/registers/common/RegisterTestSupport.h"
#include "tests/registers/common/TestRegisters.h"
#include <stdexcept>

namespace {

const QString kProtocolTag = QStringLiteral("PROTOKOL-TEST");

class PrintProtocolTest : public RegisterTest {
protected:
  void SetUp() override {
    RegisterTest::SetUp();
    SetPrintFormFactory([this] { return std::make_unique<TRecordingPrintForm>(prints); });
    for (const char* name : {"A1", "A2", "B1"})
      Exec(QStringLiteral("insert into c_clenenie_clenov (jedin,nazov) values (gen_id(c_clenenie_clenov_id,1),:N)"),
           {{QStringLiteral("N"), QString::fromLatin1(name)}});
    // A selectable procedure over a selection set, as the summary prints call them.
    TIBTransaction transaction(db.get());
    transaction.StartTransaction();
    TIBSQL(db.get(), &transaction)
        .ExecImmediate(
            QStringLiteral("create procedure t_vyber (zaradenie varchar(50)) returns (nazov varchar(100)) as begin "
                           "for select a.nazov from temp_spracuj x join c_clenenie_clenov a on a.jedin=x.cislo "
                           "where x.connection_id=current_connection and x.zaradenie=:zaradenie order by a.nazov "
                           "into :nazov do suspend; end"));
    transaction.Commit();
  }
  void TearDown() override {
    SetPrintFormFactory(nullptr);
    RegisterTest::TearDown();
  }
  static TRegisterPrint::TDataSet Groups(const QString& alias, const QString& prefix) {
    return {alias,
            {QStringLiteral("select a.nazov from c_clenenie_clenov a"),
             QStringLiteral("where a.nazov starting with :PREFIX order by a.nazov")},
            {{QStringLiteral("PREFIX"), prefix}}};
  }
  // The master over the list's selection set.
  static TRegisterPrint SelectionPrint() {
    TRegisterPrint print;
    print.Tag = kProtocolTag;
    print.Title = QStringLiteral("Skupiny");
    print.Template = QStringLiteral("Skupiny.rpf");
    print.MasterSql = {QStringLiteral("select a.nazov from temp_spracuj x"),
                       QStringLiteral("left join c_clenenie_clenov a on a.jedin=x.cislo"), SelectionSetWhere(),
                       QStringLiteral("order by a.nazov")};
    return print;
  }

  std::vector<TRecordedPrint> prints;
};

TEST_F(PrintProtocolTest, DataSetsFollowMasterAndDetailsWithTheirAliasesValuesAndTheTag) {
  TfrmTestGroups form(nullptr, 2025);
  form.list.btnRefreshClick();
  form.list.ib1->First();
  form.list.ib1->Next();
  form.list.gr1->CheckRow(); // A2
  TRegisterPrint print = SelectionPrint();
  print.Details = {
      {QStringLiteral("DETAIL"), {QStringLiteral("select nazov from c_clenenie_clenov where jedin=:JEDIN")}}};
  print.DataSets = {Groups(QStringLiteral("SKUPINY_B"), QStringLiteral("B")),
                    {QStringLiteral("VYBER"), {QStringLiteral("select nazov from t_vyber(:ZARADENIE)")}, {}}};
  Organizacia.Nazov = QStringLiteral("MO SRZ");
  print.Variables = {
      {QStringLiteral(" Special_Data"), {{QStringLiteral("Spolu_pocet"), 3}, {QStringLiteral("Spolu_vaha"), 12.5}}},
      {QStringLiteral(" Nastavenia"), {{QStringLiteral("Vypracoval"), QStringLiteral("Ján 'Kapor'")}}}};

  EXPECT_TRUE(PrintRegister(form.list, print));

  ASSERT_EQ(prints.size(), 1u);
  const TRecordedPrint& p = prints[0];
  EXPECT_EQ(p.Aliases, (QList<std::pair<QString, QString>>{{QStringLiteral("ib1"), QStringLiteral("MASTER")},
                                                           {QStringLiteral("ib2"), QStringLiteral("DETAIL")},
                                                           {QStringLiteral("ib3"), QStringLiteral("SKUPINY_B")},
                                                           {QStringLiteral("ib4"), QStringLiteral("VYBER")}}));
  EXPECT_EQ(p.QueryRows.value(1), QStringList(QStringLiteral("A2")));
  EXPECT_FALSE(p.QueryRows.contains(2)); // the print form opens a detail per master row
  EXPECT_EQ(p.QueryRows.value(3), QStringList(QStringLiteral("B1")));
  EXPECT_EQ(p.QueryRows.value(4), QStringList(QStringLiteral("A2"))); // the procedure got the tag

  const QList<std::pair<QString, QString>> expected{{QStringLiteral(" Nastavenia"), QStringLiteral("''")},
                                                    {QStringLiteral("Rok"), QStringLiteral("'2025'")},
                                                    {QStringLiteral("Vypracoval"), QStringLiteral("'Ján ''Kapor'''")},
                                                    {QStringLiteral(" Organizacia"), QStringLiteral("''")},
                                                    {QStringLiteral("Nazov"), QStringLiteral("'MO SRZ'")}};
  ASSERT_GE(p.Variables.size(), expected.size() + 3);
  EXPECT_EQ(p.Variables.mid(0, expected.size()), expected);
  EXPECT_EQ(p.Variables.mid(p.Variables.size() - 3),
            (QList<std::pair<QString, QString>>{{QStringLiteral(" Special_Data"), QStringLiteral("''")},
                                                {QStringLiteral("Spolu_pocet"), QStringLiteral("3")},
                                                {QStringLiteral("Spolu_vaha"), QStringLiteral("12.5")}}));
}

TEST_F(PrintProtocolTest, PrintFromADialogStoresNoSelectionAndNamesTheGivenYear) {
  Exec(QStringLiteral("insert into temp_spracuj (jedin,cislo,zaradenie,connection_id) "
                      "values (gen_id(temp_spracuj_id,1),1,:Z,current_connection)"),
       {{QStringLiteral("Z"), kProtocolTag}});
  TRegisterPrint print;
  print.Tag = kProtocolTag;
  print.Title = QStringLiteral("Súhrn");
  print.Template = QStringLiteral("Suhrn.rpf");
  print.OrganizationVariables = false;
  print.DataSets = {Groups(QStringLiteral("SKUPINY_A"), QStringLiteral("A")),
                    {QStringLiteral("VYBER"), {QStringLiteral("select nazov from t_vyber(:ZARADENIE)")}, {}}};

  EXPECT_TRUE(PrintRegister(print, 2024));

  ASSERT_EQ(prints.size(), 1u);
  const TRecordedPrint& p = prints[0];
  EXPECT_EQ(p.Aliases, (QList<std::pair<QString, QString>>{{QStringLiteral("ib1"), QStringLiteral("SKUPINY_A")},
                                                           {QStringLiteral("ib2"), QStringLiteral("VYBER")}}));
  EXPECT_EQ(p.QueryRows.value(1), (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
  // The selection the procedure reads is the one that was there: nothing was stored.
  EXPECT_EQ(p.QueryRows.value(2), QStringList(QStringLiteral("A1")));
  EXPECT_EQ(p.Variables, (QList<std::pair<QString, QString>>{{QStringLiteral(" Nastavenia"), QStringLiteral("''")},
                                                             {QStringLiteral("Rok"), QStringLiteral("'2024'")}}));
}

TEST_F(PrintProtocolTest, EachNoDataRuleDecidesWhetherTheFormIsShown) {
  struct TCase {
    const char* name;
    bool withMaster; // a master over an empty selection set, else data sets only
    const char* firstPrefix;
    const char* secondPrefix;
    TRegisterPrint::TNoData rule;
    bool shown;
  };
  const TCase cases[] = {
      {"master empty, data sets not", true, "A", "B", TRegisterPrint::TNoData::FirstEmpty, false},
      {"master empty, every data set too", true, "X", "Y", TRegisterPrint::TNoData::AllEmpty, false},
      {"master empty, one data set not", true, "X", "B", TRegisterPrint::TNoData::AllEmpty, true},
      {"first data set empty, second not", false, "X", "B", TRegisterPrint::TNoData::AllEmpty, true},
      {"first data set empty", false, "X", "B", TRegisterPrint::TNoData::FirstEmpty, false},
      {"every data set empty", false, "X", "Y", TRegisterPrint::TNoData::AllEmpty, false},
      {"heading with rows, last data set empty", false, "A", "Y", TRegisterPrint::TNoData::LastEmpty, false},
      {"heading empty, last data set not", false, "X", "B", TRegisterPrint::TNoData::LastEmpty, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    prints.clear();
    Answer();
    TRegisterPrint print = c.withMaster ? SelectionPrint() : TRegisterPrint{};
    print.DataSets = {Groups(QStringLiteral("PRVE"), QString::fromLatin1(c.firstPrefix)),
                      Groups(QStringLiteral("DRUHE"), QString::fromLatin1(c.secondPrefix))};
    print.NoData = c.rule;
    EXPECT_EQ(PrintRegister(print, 2026), c.shown);
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_EQ(prints[0].Shown, c.shown);
    EXPECT_EQ(Messages(), c.shown ? QStringList() : QStringList(QStringLiteral("Nie sú údaje pre tlač.")));
  }
}

TEST_F(PrintProtocolTest, MoreQueriesThanThePrintFormHoldsAreRefusedBeforeAnythingHappens) {
  TRegisterPrint print = SelectionPrint();
  for (int i = 0; i < TRegisterPrint::kMaxQueries; ++i)
    print.DataSets.append(Groups(QStringLiteral("D%1").arg(i), QStringLiteral("A")));
  EXPECT_THROW(PrintRegister(print, 2026), std::invalid_argument);
  EXPECT_TRUE(prints.empty());
}

// Totals read in the print's transaction become variables; the query they
// borrow still serves its data set afterwards.
TEST_F(PrintProtocolTest, QueryVariablesTakeTheFirstRowOfTheirQuery) {
  TRegisterPrint print;
  print.Title = QStringLiteral("Súhrn");
  print.Template = QStringLiteral("Suhrn.rpf");
  print.YearVariable = false;
  print.OrganizationVariables = false;
  print.DataSets = {Groups(QStringLiteral("SKUPINY_A"), QStringLiteral("A"))};
  print.QueryVariables = {{QStringLiteral(" Special_Data"),
                           {QStringLiteral("select count(*) as pocet, max(nazov) as posledna"),
                            QStringLiteral("from c_clenenie_clenov where nazov starting with :PREFIX")},
                           {{QStringLiteral("PREFIX"), QStringLiteral("A")}},
                           {{QStringLiteral("POCET"), QStringLiteral("Spolu_pocet")},
                            {QStringLiteral("POSLEDNA"), QStringLiteral("Posledna")}}}};

  EXPECT_TRUE(PrintRegister(print, 2024));

  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].Variables,
            (QList<std::pair<QString, QString>>{{QStringLiteral(" Special_Data"), QStringLiteral("''")},
                                                {QStringLiteral("Spolu_pocet"), QStringLiteral("2")},
                                                {QStringLiteral("Posledna"), QStringLiteral("'A2'")}}));
  EXPECT_EQ(prints[0].QueryRows.value(1), (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
}

} // namespace
