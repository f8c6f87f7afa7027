#include "db/IBTable.h"
#include "core/DataSource.h"
#include "db/IBError.h"
#include "db/IBMetadata.h"
#include "tests/db/DbTestSupport.h"

namespace {

#define S(text) QStringLiteral(text)

// Towns and their ponds, a view and an expression index, made once for the run.
void MakeTownsDatabase(const QString& path) {
  TIBDatabase database;
  database.SetDatabaseName(path);
  database.CreateDatabase();
  const QString statements[] = {
      S("CREATE TABLE MESTA (ID INTEGER NOT NULL PRIMARY KEY, NAZOV VARCHAR(40), OKRES VARCHAR(20))"),
      S("CREATE TABLE VODY (ID INTEGER NOT NULL PRIMARY KEY, MESTO_ID INTEGER, OKRES VARCHAR(20), "
        "NAZOV VARCHAR(40), HA NUMERIC(9,2), ZALOZENA DATE)"),
      S("CREATE TABLE \"Zmiešané\" (\"Kód\" INTEGER)"),
      S("CREATE INDEX IX_VODY_MESTO ON VODY (MESTO_ID, OKRES)"),
      S("CREATE DESCENDING INDEX IX_VODY_HA ON VODY (HA)"),
      S("CREATE INDEX IX_VODY_VYRAZ ON VODY COMPUTED BY (UPPER(NAZOV))"),
      S("CREATE VIEW V_VODY AS SELECT NAZOV FROM VODY"),
      S("INSERT INTO MESTA VALUES (1, 'Senec', 'SC')"),
      S("INSERT INTO MESTA VALUES (2, 'Pezinok', 'PK')"),
      S("INSERT INTO MESTA VALUES (3, 'Modra', 'PK')"),
      S("INSERT INTO VODY VALUES (10, 1, 'SC', 'Slnečné jazerá', 70.5, '1960-05-01')"),
      S("INSERT INTO VODY VALUES (11, 1, 'SC', 'Martinský les', 12.25, '1975-03-15')"),
      S("INSERT INTO VODY VALUES (12, 2, 'PK', 'Kučišdorf', 3, NULL)"),
      S("INSERT INTO VODY VALUES (13, 1, 'PK', 'Štrkovisko', 40, '2001-01-01')"),
  };
  for (const QString& statement : statements) {
    TIBTransaction transaction(&database);
    transaction.StartTransaction();
    TIBSQL(&database, &transaction).ExecImmediate(statement);
    transaction.Commit();
  }
  database.Close();
}

class IBDataSetTest : public ::testing::Test {
protected:
  IBDataSetTest() : fresh(&MakeTownsDatabase), db(fresh.Connect()), tr(db.get()) { db->SetDefaultTransaction(&tr); }

  std::unique_ptr<TIBQuery> Query(const QString& sql) {
    auto query = std::make_unique<TIBQuery>();
    query->SetDatabase(db.get());
    query->SetSQL(sql);
    return query;
  }
  std::unique_ptr<TIBTable> Table(const QString& name) {
    auto table = std::make_unique<TIBTable>();
    table->SetDatabase(db.get());
    table->SetTableName(name);
    return table;
  }
  // One column of every row, as text.
  static QStringList Column(TDataSet& dataSet, const QString& field) {
    QStringList values;
    for (int r = 0; r < dataSet.RecordCount(); ++r)
      values.append(VariantText(dataSet.ValueAt(r, dataSet.FieldByName(field).Index())));
    return values;
  }

  static QStringList Sorted(QStringList list) {
    list.sort();
    return list;
  }

  FreshDatabase fresh;
  std::unique_ptr<TIBDatabase> db;
  TIBTransaction tr;
};

TEST_F(IBDataSetTest, QueryWithoutTransactionWorksInTheDefaultOneAndStartsIt) {
  auto query = Query(S("SELECT NAZOV FROM MESTA ORDER BY ID"));
  EXPECT_FALSE(tr.InTransaction());
  query->Open();
  EXPECT_TRUE(tr.InTransaction());
  EXPECT_EQ(Column(*query, S("NAZOV")), (QStringList{S("Senec"), S("Pezinok"), S("Modra")}));
  db->SetDefaultTransaction(nullptr);
  EXPECT_THROW(Query(S("SELECT 1 FROM RDB$DATABASE"))->Open(), EIBError);
}

TEST_F(IBDataSetTest, FilterIsTheServersConditionOverTheResultKeepingItsOrder) {
  auto query = Query(S("SELECT NAZOV, HA FROM VODY ORDER BY HA DESC -- largest first"));
  query->SetFilter(S("HA > 10"));
  query->Open();
  EXPECT_EQ(query->RecordCount(), 4) << "a filter that is not switched on filters nothing";
  query->SetFiltered(true);
  EXPECT_TRUE(query->Active()) << "an open query runs again with its filter";
  EXPECT_EQ(Column(*query, S("NAZOV")), (QStringList{S("Slnečné jazerá"), S("Štrkovisko"), S("Martinský les")}));
  EXPECT_THROW(query->SetFilter(S("NAZOV = :MENO")), EIBError) << "run-time values are bound, never part of a filter";
  EXPECT_FALSE(query->Active());
  query->SetFilter(S("NAZOV LIKE '%:%' OR NAZOV STARTING WITH 'K'"));
  query->Open();
  EXPECT_EQ(Column(*query, S("NAZOV")), QStringList{S("Kučišdorf")}) << "a colon inside a literal is no parameter";
}

TEST_F(IBDataSetTest, MasterFillsUnboundParametersOfItsFieldsAndMovesTheDetail) {
  auto towns = Query(S("SELECT ID, OKRES FROM MESTA ORDER BY ID"));
  TDataSource source;
  source.SetDataSet(towns.get());
  auto ponds = Query(S("SELECT NAZOV FROM VODY WHERE MESTO_ID = :ID AND OKRES = :OKRES AND HA > :HA ORDER BY ID"));
  ponds->SetDataSource(&source);
  ponds->ParamByName(S("HA")).SetValue(5);
  ponds->ParamByName(S("HA")).SetBound(true);
  towns->Open();
  ponds->Open();
  EXPECT_EQ(Column(*ponds, S("NAZOV")), (QStringList{S("Slnečné jazerá"), S("Martinský les")}));
  towns->Next();
  EXPECT_TRUE(ponds->Active());
  EXPECT_EQ(Column(*ponds, S("NAZOV")), QStringList()) << "Pezinok's pond is too small";
  EXPECT_EQ(ponds->ParamByName(S("HA")).Value(), QVariant(5)) << "a bound parameter is the program's";
  ponds->ParamByName(S("HA")).SetValue(1);
  towns->Prior(); // back at Senec: its pond of the other district stays out
  towns->Next();
  EXPECT_EQ(Column(*ponds, S("NAZOV")), QStringList{S("Kučišdorf")});
  towns->Next();
  EXPECT_TRUE(ponds->IsEmpty());
}

TEST_F(IBDataSetTest, BeforeOpenRunsAtEveryOpenAndItsErrorStopsTheOpen) {
  auto query = Query(S("SELECT NAZOV FROM MESTA WHERE ID = :ID"));
  int opens = 0;
  query->BeforeOpen = [&] {
    if (++opens == 3) throw EIBError(S("zastavené"));
    query->ParamByName(S("ID")).SetValue(opens);
  };
  query->Open();
  EXPECT_EQ(Column(*query, S("NAZOV")), QStringList{S("Senec")});
  query->Close();
  query->Open();
  EXPECT_EQ(Column(*query, S("NAZOV")), QStringList{S("Pezinok")});
  query->Close();
  EXPECT_THROW(query->Open(), EIBError);
  EXPECT_FALSE(query->Active());
}

TEST_F(IBDataSetTest, PersistentFieldsAreTheOnlyFieldsWithTheirTypes) {
  auto ponds = Query(S("SELECT ID, NAZOV, HA, ZALOZENA FROM VODY ORDER BY ID"));
  const QList<TFieldDef> defs = ponds->FieldDefinitions();
  EXPECT_FALSE(ponds->Active()) << "definitions are described, nothing runs";
  ASSERT_EQ(defs.size(), 4);
  EXPECT_EQ(IBFieldTypeOf(defs[2].DataType), TIBFieldType::ftBCD);
  EXPECT_EQ(defs[1].Size, 40);
  ponds->AddPersistentField({S("nazov"), TIBFieldType::ftString, 40});
  ponds->AddPersistentField({S("HA"), TIBFieldType::ftInteger, 0});
  ponds->AddPersistentField({S("ZALOZENA"), TIBFieldType::ftDateTime, 0});
  ponds->Open();
  EXPECT_EQ(ponds->FieldNames(), (QStringList{S("nazov"), S("HA"), S("ZALOZENA")}));
  EXPECT_EQ(ponds->FieldByName(S("HA")).DataType(), TFieldType::Integer);
  EXPECT_EQ(Column(*ponds, S("HA")), (QStringList{S("71"), S("12"), S("3"), S("40")})) << "read as integers";
  EXPECT_EQ(ponds->FieldByName(S("ZALOZENA")).AsVariant(), QVariant(QDateTime(QDate(1960, 5, 1), QTime(0, 0))));
  ponds->Last();
  EXPECT_EQ(ponds->FieldByName(S("NAZOV")).AsString(), S("Štrkovisko"));
  ponds->AddPersistentField({S("CHYBA"), TIBFieldType::ftString, 10});
  EXPECT_FALSE(ponds->Active()) << "changing the fields closes";
  EXPECT_THROW(ponds->Open(), EIBError);
  ponds->RemovePersistentField(S("chyba"));
  ponds->Open();
  EXPECT_EQ(ponds->FieldCount(), 3);
  ponds->ClearPersistentFields();
  ponds->Open();
  EXPECT_EQ(ponds->FieldCount(), 4);
}

TEST_F(IBDataSetTest, LookupFieldTakesTheResultOfTheRowWhoseKeysMatch) {
  auto towns = Query(S("SELECT ID, OKRES, NAZOV FROM MESTA"));
  auto ponds = Query(S("SELECT ID, MESTO_ID, OKRES, NAZOV FROM VODY ORDER BY ID"));
  ponds->AddPersistentField({S("NAZOV"), TIBFieldType::ftString, 40});
  TIBPersistentField town{S("MESTO"),  TIBFieldType::ftString, 40,        true, S("MESTO_ID;OKRES"),
                          towns.get(), S("ID; OKRES"),         S("NAZOV")};
  ponds->AddPersistentField(town);
  ponds->Open();
  EXPECT_EQ(Column(*ponds, S("MESTO")), (QStringList{QString(), QString(), QString(), QString()}))
      << "a closed lookup data set gives Null";
  towns->Open();
  EXPECT_EQ(Column(*ponds, S("MESTO")), (QStringList{S("Senec"), S("Senec"), S("Pezinok"), QString()}))
      << "Štrkovisko lies in Senec but is kept by another district: no row has both keys";
  towns->SetSQL(S("SELECT ID, OKRES, 'Mesto ' || NAZOV AS NAZOV FROM MESTA"));
  towns->Open();
  EXPECT_EQ(ponds->FieldByName(S("MESTO")).AsString(), S("Mesto Senec")) << "the lookup follows its data set";
  ponds->FindPersistentField(S("MESTO"))->KeyFields = S("CHYBA");
  ponds->Close();
  EXPECT_THROW(ponds->Open(), EIBError);
}

TEST_F(IBDataSetTest, TableReadsInIndexOrderWithFilterAndStoredNames) {
  auto ponds = Table(S("vody"));
  ponds->SetIndexName(S("ix_vody_ha"));
  ponds->Open();
  EXPECT_EQ(Column(*ponds, S("ID")), (QStringList{S("10"), S("13"), S("11"), S("12")})) << "a descending index";
  ponds->SetIndexFieldNames(S("mesto_id; nazov"));
  EXPECT_EQ(Column(*ponds, S("ID")), (QStringList{S("11"), S("10"), S("13"), S("12")}));
  EXPECT_EQ(ponds->IndexFields(), (QStringList{S("mesto_id"), S("nazov")}));
  ponds->SetFilter(S("HA < 50"));
  ponds->SetFiltered(true);
  EXPECT_EQ(Column(*ponds, S("ID")), (QStringList{S("11"), S("13"), S("12")}));
  auto odd = Table(S("Zmiešané"));
  odd->Open();
  EXPECT_EQ(odd->FieldNames(), QStringList{S("Kód")});
  for (auto* settings :
       {+[](TIBTable& t) { t.SetTableName(S("NIKDE")); }, +[](TIBTable& t) { t.SetIndexName(S("IX_NIKDE")); },
        +[](TIBTable& t) { t.SetIndexFieldNames(S("NIKDE")); }}) {
    auto table = Table(S("VODY"));
    settings(*table);
    EXPECT_THROW(table->Open(), EIBError);
  }
}

TEST_F(IBDataSetTest, TableFollowsItsMasterByIndexFieldsAndLeavesSurplusMasterFieldsUnjoined) {
  auto towns = Table(S("MESTA"));
  towns->SetIndexFieldNames(S("ID"));
  TDataSource source;
  source.SetDataSet(towns.get());
  auto ponds = Table(S("VODY"));
  ponds->SetIndexName(S("IX_VODY_MESTO"));
  ponds->SetMasterSource(&source);
  ponds->SetMasterFields(S("ID;OKRES;NAZOV"));
  towns->Open();
  ponds->Open();
  EXPECT_EQ(Sorted(Column(*ponds, S("ID"))), (QStringList{S("10"), S("11")}));
  towns->Next();
  EXPECT_EQ(Column(*ponds, S("ID")), QStringList{S("12")});
  ponds->SetMasterFields(S("ID"));
  towns->First();
  EXPECT_EQ(Column(*ponds, S("ID")).first(), S("13")) << "district PK sorts first";
  EXPECT_EQ(Sorted(Column(*ponds, S("ID"))), (QStringList{S("10"), S("11"), S("13")}));
  EXPECT_THROW(ponds->SetIndexName(QString()), EIBError) << "a master link needs the detail's index";
  EXPECT_FALSE(ponds->Active());
}

TEST(IBFieldTypeTest, CodesNamesAndCoreTypes) {
  EXPECT_EQ(IBFieldTypeName(TIBFieldType::ftUnknown), S("ftUnknown"));
  EXPECT_EQ(IBFieldTypeName(TIBFieldType::ftDateTime), S("ftDateTime"));
  EXPECT_EQ(IBFieldTypeName(IBFieldTypeFromCode(35)), S("ftGuid"));
  EXPECT_EQ(IBFieldTypeFromCode(36), TIBFieldType::ftUnknown);
  EXPECT_EQ(IBFieldTypeFromCode(-1), TIBFieldType::ftUnknown);
  for (TFieldType core : {TFieldType::String, TFieldType::SmallInt, TFieldType::Integer, TFieldType::LargeInt,
                          TFieldType::Float, TFieldType::Currency, TFieldType::Boolean, TFieldType::Date,
                          TFieldType::Time, TFieldType::DateTime, TFieldType::Memo, TFieldType::Blob})
    EXPECT_EQ(CoreFieldType(IBFieldTypeOf(core)), core) << int(core);
  EXPECT_EQ(CoreFieldType(TIBFieldType::ftWord), TFieldType::Integer);
  EXPECT_EQ(CoreFieldType(TIBFieldType::ftVariant), TFieldType::Unknown);
}

TEST_F(IBDataSetTest, MetadataListsTablesWithoutViewsAndSystemTablesAndTheirIndexes) {
  EXPECT_EQ(IBTableNames(*db), (QStringList{S("MESTA"), S("VODY"), S("Zmiešané")}));
  EXPECT_EQ(IBRelationName(*db, S("v_vody")), S("V_VODY"));
  EXPECT_EQ(IBRelationName(*db, S("nikde")), QString());
  EXPECT_EQ(IBColumnNames(*db, S("MESTA")), (QStringList{S("ID"), S("NAZOV"), S("OKRES")}));
  const QList<TIBIndexDef> indexes = IBIndexDefs(*db, S("VODY"));
  ASSERT_EQ(indexes.size(), 4);
  EXPECT_EQ(indexes[0].Name, S("IX_VODY_HA"));
  EXPECT_TRUE(indexes[0].Descending);
  EXPECT_EQ(indexes[1].Fields, (QStringList{S("MESTO_ID"), S("OKRES")}));
  EXPECT_EQ(indexes[2].Fields, QStringList()) << "an index on an expression has no fields";
  EXPECT_TRUE(indexes[3].Unique) << indexes[3].Name.toStdString();
  db->Close();
  EXPECT_THROW(IBTableNames(*db), EIBError);
}

TEST_F(IBDataSetTest, ParameterLinesAndTheLoginPromptGiveTheLogin) {
  TIBDatabase other;
  other.SetDatabaseName(fresh.Path());
  other.SetUserName(S("NIKTO"));
  other.SetParams(
      {S("user_name=sysdba"), S("ISC_DPB_PASSWORD=tajné"), S("lc_ctype=UTF8"), S(""), S("sql_role_name=RDB$ADMIN")});
  other.Open();
  EXPECT_EQ(other.UserNames().value(0), S("SYSDBA"));
  other.Close();
  other.SetParams({S("num_buffers=100")});
  try {
    other.Open();
    ADD_FAILURE() << "an unknown parameter line was accepted";
  } catch (const EIBError& e) {
    EXPECT_TRUE(e.Message().contains(S("num_buffers=100"))) << e.what();
  }
  QString asked;
  TIBDatabase::SetLoginHandler([&](const QString& name, QString& user, QString& password) {
    asked = name + S(" ") + user;
    user = S("SYSDBA");
    return password.isEmpty();
  });
  other.SetParams({S("user_name=PRVY")});
  other.SetLoginPrompt(true);
  other.Open();
  EXPECT_EQ(asked, fresh.Path() + S(" PRVY"));
  other.Close();
  other.SetParams({S("password=x")});
  EXPECT_THROW(other.Open(), EIBError) << "a cancelled login";
  EXPECT_FALSE(other.Connected());
  TIBDatabase::SetLoginHandler({});
}

} // namespace
