#include "DialogFixture.h"
#include "core/DataSource.h"
#include "db/IBDatabase.h"
#include "db/IBTable.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpWindowControl.h"
#include "reports/objects/dialog/rpFBDatabase.h"
#include "reports/objects/dialog/rpFBQuery.h"
#include "reports/objects/dialog/rpFBTable.h"
#include "tests/support/SqlTestRoutines.h"
#include <QtCore/QFile>
#include <QtWidgets/QWidget>

namespace {

#define S(text) QStringLiteral(text)

class DataComponentsTest : public DialogFixture {
protected:
  TrpFBDatabase* AddDatabase(TrpReport& report, const QString& name = S("Db")) {
    auto* database = Add<TrpFBDatabase>(report, S("TrpFBDatabase"), name);
    database->WriteProperty(S("LOGINPROMPT"), false);
    database->WriteProperty(S("DATABASENAME"), fresh.Path());
    return database;
  }
  static QStringList Column(TDataSet& dataSet, const QString& field) {
    QStringList values;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
      values.append(dataSet.FieldByName(field).AsString());
    return values;
  }
};

TEST_F(DataComponentsTest, NameGivesTheDataSourceAndReportDataSetAndFollowsARename) {
  TrpReport report;
  auto* table = Add<TrpFBTable>(report, S("TrpFBTable"), S("Orders"));
  EXPECT_EQ(table->WrappedDataSet()->objectName(), S("Orders"));
  EXPECT_EQ(table->LinkSource()->objectName(), S("SOrders"));
  EXPECT_EQ(table->ReportDataSet()->objectName(), S("_Orders"));
  EXPECT_EQ(rpFindComponent(nullptr, S("DialogForm._Orders")), table->ReportDataSet());
  table->WriteProperty(S("NAME"), S("Sales"));
  EXPECT_EQ(table->WrappedDataSet()->objectName(), S("Sales"));
  EXPECT_EQ(table->LinkSource()->objectName(), S("SSales"));
  EXPECT_EQ(table->ReportDataSet()->objectName(), S("_Sales"));
}

TEST_F(DataComponentsTest, TableBeforeItsDatabaseAndLookupBeforeItsQueryBindAndOpenAfterLoading) {
  QByteArray saved;
  {
    TrpReport report;
    auto* table = Add<TrpFBTable>(report, S("TrpFBTable"), S("Vody"));
    auto* towns = Add<TrpFBQuery>(report, S("TrpFBQuery"), S("Mesta"));
    AddDatabase(report)->WriteProperty(S("CONNECTED"), true);
    table->WriteProperty(S("DATABASE"), S("Db"));
    table->WriteProperty(S("TABLENAME"), S("vody"));
    table->WriteProperty(S("INDEXNAME"), S("IX_VODY_MESTO"));
    // A lookup field over a query that comes later in the template.
    TIBPersistentField id{S("ID"), TIBFieldType::ftInteger};
    TIBPersistentField town{S("MESTO"), TIBFieldType::ftString, 40, true, S("MESTO_ID")};
    town.LookupKeyFields = S("ID");
    town.LookupResultField = S("NAZOV");
    table->WrappedDataSet()->AddPersistentField(id);
    table->WrappedDataSet()->AddPersistentField(TIBPersistentField{S("MESTO_ID"), TIBFieldType::ftInteger});
    towns->WriteProperty(S("DATABASE"), S("Db"));
    towns->WriteProperty(S("SQL"), S("SELECT ID, NAZOV FROM MESTA"));
    town.LookupDataSet = towns->WrappedDataSet();
    table->WrappedDataSet()->AddPersistentField(town);
    towns->WriteProperty(S("ACTIVE"), true);
    table->WriteProperty(S("ACTIVE"), true);
    saved = report.SaveToStream();
  }
  TrpReport loaded;
  loaded.LoadFromStream(saved, false);
  ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  auto* table = Find<TrpFBTable>(loaded, S("Vody"));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->ReadProperty(S("DATABASE")), S("Db"));
  ASSERT_TRUE(table->WrappedDataSet()->Active());
  EXPECT_EQ(Column(*table->WrappedDataSet(), S("ID")), (QStringList{S("10"), S("11"), S("12")}));
  EXPECT_EQ(Column(*table->WrappedDataSet(), S("MESTO")), (QStringList{S("Senec"), S("Senec"), S("Pezinok")}));
}

TEST_F(DataComponentsTest, BlankFilterLeavesFilteringOffAndATextTurnsItOn) {
  TrpReport report;
  auto* table = Add<TrpFBTable>(report, S("TrpFBTable"), S("Vody"));
  table->WriteProperty(S("FILTER"), S("   "));
  EXPECT_EQ(table->ReadProperty(S("FILTER")), S("   "));
  EXPECT_FALSE(table->WrappedDataSet()->Filtered());
  table->WriteProperty(S("FILTER"), S("MESTO_ID = 2"));
  EXPECT_TRUE(table->WrappedDataSet()->Filtered());
}

TEST_F(DataComponentsTest, FieldBlockOfNoFieldsIsTwoZeroBytes) {
  TrpReport report;
  auto* query = Add<TrpFBQuery>(report, S("TrpFBQuery"), S("Q"));
  TBinaryWriter stream;
  query->WriteFields(stream);
  EXPECT_EQ(stream.Data(), QByteArray(2, '\0'));
}

TEST_F(DataComponentsTest, ParameterBlockAndPropertyDataAsGoldenBytes) {
  TrpReport report;
  auto* query = Add<TrpFBQuery>(report, S("TrpFBQuery"), S("Q"));
  query->SetBounds(5, 300, 28, 28);
  query->WriteProperty(S("SQL"), S("SELECT * FROM VODY WHERE ID > :OD AND NAZOV <> :MENO"));
  query->WrappedDataSet()->Params()[0]->SetDataType(TIBFieldType::ftInteger);
  query->SetExpressionParam(0, true);
  query->SetParamExpression(0, S("Edit1.Text"));
  // The second parameter has no type of the eleven: stored as 11, a master parameter.
  TBinaryWriter stream;
  query->WriteParams(stream);
  const QByteArray golden = QByteArray::fromHex("0200" // two parameters
                                                "0500"
                                                "0100" // Integer, expression
                                                "0a00"
                                                "45646974312e54657874"
                                                "00" // "Edit1.Text"
                                                "0b00"
                                                "0000" // none of the eleven, master
                                                "0000"
                                                "00"); // empty expression
  EXPECT_EQ(stream.Data().toHex(), golden.toHex());

  const QString longExpression(300, QLatin1Char('x'));
  query->SetParamExpression(0, longExpression);
  // pLeft 5, pTop 300, then the collection Params: per item Name, DataType
  // (an identifier) and Expression, the long one with a 32-bit length.
  const QByteArray expected =
      QByteArray::fromHex("05704c65667402050470546f70032c0106506172616d730e01044e616d6506024f4408446174615479706507"
                          "096674496e74656765720a45787072657373696f6e0c2c010000") +
      QByteArray(300, 'x') +
      QByteArray::fromHex("0001044e616d6506044d454e4f08446174615479706507096674556e6b6e6f776e0a45787072657373696f6e"
                          "0600000000");
  EXPECT_EQ(query->PropertyData().toHex(), expected.toHex());

  // One Propdata attribute in the XML element, holding the parameters.
  QString element;
  query->WriteXmlElement(element);
  EXPECT_EQ(element.count(S(" Propdata=")), 1);
  EXPECT_TRUE(element.contains(S(" Propdata=\"") + QString::fromLatin1(expected.toHex().toUpper()) + S("\"")));
}

TEST_F(DataComponentsTest, ParameterBlockRoundTripsAndTooManyEntriesAreAClearErrorTheLoaderSurvives) {
  TrpReport report;
  auto* query = Add<TrpFBQuery>(report, S("TrpFBQuery"), S("Q"));
  query->WriteProperty(S("SQL"), S("SELECT * FROM VODY WHERE ZALOZENA > :OD"));
  TBinaryWriter stream;
  rpWriteWord(stream, 2);
  for (int i = 0; i < 2; ++i) {
    rpWriteWord(stream, 3); // Date
    rpWriteWord(stream, 1);
    rpWriteString(stream, S("DateEdit1.Date"));
  }
  TBinaryReader reader(stream.Data());
  EXPECT_THROW(query->ReadParams(reader), Exception);
  EXPECT_TRUE(reader.AtEnd()); // the whole block is read, so the next field is in place
  EXPECT_EQ(query->WrappedDataSet()->Params()[0]->DataType(), TIBFieldType::ftDate);
  EXPECT_EQ(query->GetParamExpression(0), S("DateEdit1.Date"));

  // In a template: the broken query is reported and the next object still loads.
  auto* next = Add<TrpFBTable>(report, S("TrpFBTable"), S("Dalsia"));
  next->WriteProperty(S("TABLENAME"), S("MESTA"));
  query->WriteProperty(S("SQL"), S("SELECT * FROM VODY WHERE ZALOZENA > :OD AND ID > :ID"));
  QByteArray saved = report.SaveToStream();
  // The query's SQL loses its second marker while its block keeps two entries.
  saved.replace(QByteArray(" AND ID > :ID"), QByteArray("             "));
  TrpReport loaded;
  loaded.LoadFromStream(saved, false);
  ASSERT_NE(Find<TrpFBTable>(loaded, S("Dalsia")), nullptr);
  EXPECT_EQ(Find<TrpFBTable>(loaded, S("Dalsia"))->ReadProperty(S("TABLENAME")), S("MESTA"));
}

TEST_F(DataComponentsTest, ExpressionParametersTakePlaceholdersWhileDesigningAndTheirValueWhileRunning) {
  TrpReport report;
  AddDatabase(report)->WriteProperty(S("CONNECTED"), true);
  auto* query = Add<TrpFBQuery>(report, S("TrpFBQuery"), S("Q"));
  query->WriteProperty(S("DATABASE"), S("Db"));
  query->WriteProperty(S("SQL"), S("SELECT NAZOV FROM VODY WHERE ZALOZENA > :OD AND ID > :OD_ID AND NAZOV <> :MENO"));
  const struct {
    TIBFieldType Type;
    QVariant Placeholder;
  } cases[] = {
      {TIBFieldType::ftDate, QDate(2000, 1, 1)}, {TIBFieldType::ftInteger, S("0")}, {TIBFieldType::ftString, S("0")}};
  for (int i = 0; i < 3; ++i) {
    query->WrappedDataSet()->Params()[size_t(i)]->SetDataType(cases[i].Type);
    query->SetExpressionParam(i, true);
  }
  query->SetParamExpression(0, S("'01.01.1970'"));
  query->SetParamExpression(1, S("5 + 5"));
  query->SetParamExpression(2, S("'Kučišdorf'"));
  rpRun().EngineMode = false;
  query->WriteProperty(S("ACTIVE"), true);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(query->WrappedDataSet()->Params()[size_t(i)]->Value(), cases[i].Placeholder) << i;
  query->WriteProperty(S("ACTIVE"), false);
  rpRun().EngineMode = true;
  query->WriteProperty(S("ACTIVE"), true);
  rpRun().EngineMode = false;
  EXPECT_EQ(Column(*query->WrappedDataSet(), S("NAZOV")), QStringList{S("Martinský les")});
}

TEST_F(DataComponentsTest, ExecSqlEvaluatesTheExpressionFirst) {
  TrpReport report;
  AddDatabase(report)->WriteProperty(S("CONNECTED"), true);
  auto* query = Add<TrpFBQuery>(report, S("TrpFBQuery"), S("Q"));
  query->WriteProperty(S("DATABASE"), S("Db"));
  query->WriteProperty(S("SQL"), S("UPDATE VODY SET NAZOV = 'Nové' WHERE ID = :CISLO"));
  query->WrappedDataSet()->Params()[0]->SetDataType(TIBFieldType::ftInteger);
  query->SetExpressionParam(0, true);
  query->SetParamExpression(0, S("6 * 2"));
  rpRun().EngineMode = true;
  query->CallMethod(rpRun(), S("EXECSQL"), {}, {}, {});
  rpRun().EngineMode = false;
  EXPECT_EQ(query->WrappedDataSet()->RowsAffected(), 1);
  EXPECT_EQ(query->WrappedDataSet()->Params()[0]->Value(), S("12"));
}

TEST_F(DataComponentsTest, UnreachableDatabaseIsReportedAndKeptWithItsSettings) {
  QByteArray saved;
  {
    TrpReport report;
    auto* database = AddDatabase(report);
    database->WriteProperty(S("CONNECTED"), true);
    database->WriteProperty(S("PARAMS"), S("user_name=SYSDBA\r\nlc_ctype=UTF8"));
    saved = report.SaveToStream();
  }
  QFile::remove(fresh.Path());
  TrpReport loaded;
  loaded.LoadFromStream(saved, false);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(fresh.Path())) << messages[0].toStdString();
  auto* database = Find<TrpFBDatabase>(loaded, S("Db"));
  ASSERT_NE(database, nullptr);
  EXPECT_EQ(database->ReadProperty(S("DATABASENAME")), fresh.Path());
  EXPECT_EQ(database->ReadProperty(S("PARAMS.COUNT")).toInt(), 2);
  EXPECT_FALSE(database->ReadProperty(S("CONNECTED")).toBool());
}

TEST_F(DataComponentsTest, DatabaseRecordWithoutDialectReadsTheParametersRightAfterTheLoginFlag) {
  TrpReport report;
  auto* database = AddDatabase(report);
  database->WriteProperty(S("PARAMS"), S("user_name=SYSDBA"));
  QByteArray record = ClassRecord(*database);
  // Versions 2 and 0: no dialect field.
  TBinaryWriter common;
  database->RecordSubVersion = 0;
  database->TrpView::SaveToStream(common);
  record.remove(record.indexOf(QByteArray::fromHex("03000000")), 4);
  TrpReport other;
  auto* read = Add<TrpFBDatabase>(other, S("TrpFBDatabase"), S("Db2"));
  read->SQLDialect = 3;
  const QByteArray bytes = common.Data() + record;
  TBinaryReader stream(bytes);
  read->LoadFromStream(stream);
  EXPECT_EQ(read->ReadProperty(S("PARAMS")), S("user_name=SYSDBA"));
  EXPECT_EQ(read->SQLDialect, 3);
  // Login prompt off and not connected: neither attribute.
  QString element;
  read->WriteXmlElement(element);
  EXPECT_FALSE(element.contains(S("LoginPrompt")));
  EXPECT_FALSE(element.contains(S("Connected")));
  read->WriteProperty(S("LOGINPROMPT"), true);
  element.clear();
  read->WriteXmlElement(element);
  EXPECT_TRUE(element.contains(S(" LoginPrompt=\"True\"")));
}

} // namespace

namespace {

TEST(DesignParamTextTest, EachTypeHasItsPlaceholder) {
  for (const TrpParamType& type : rpParamTypeTable) {
    const QString name = QLatin1String(type.Name);
    const QString expected = name == QLatin1String("Date") || name == QLatin1String("DateTime") ? S("01.01.00")
                             : name == QLatin1String("Time")                                    ? S("00:00")
                                                                                                : S("0");
    EXPECT_EQ(rpDesignParamText(type.Type), expected) << type.Name;
  }
  EXPECT_EQ(rpParamTypeIndex(TIBFieldType::ftUnknown), kParamTypeCount);
  EXPECT_EQ(rpParamTypeIndex(TIBFieldType::ftWord), 10);
}

} // namespace
