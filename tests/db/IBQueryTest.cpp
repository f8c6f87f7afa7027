#include "db/IBDecimal.h"
#include "db/IBError.h"
#include "db/IBParamParser.h"
#include "tests/db/DbTestSupport.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

class IBQueryTest : public DbTest {
protected:
  // An open query over the test connection in the started transaction.
  std::unique_ptr<TIBQuery> Query(const QString& sql) {
    if (!tr->InTransaction()) tr->StartTransaction();
    auto query = std::make_unique<TIBQuery>();
    query->SetDatabase(db.get());
    query->SetTransaction(tr.get());
    query->SetSQL(sql);
    return query;
  }
};

TEST_F(IBQueryTest, SlovakTextRoundTripsExactly) {
  const QString text = QStringLiteral("áäčďéíĺľňóôŕšťúýžÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ");
  Exec(QStringLiteral("INSERT INTO T_TEXT (ID, NAZOV, KOD, POZNAMKA) VALUES (1, :N, :K, :P)"),
       {{QStringLiteral("N"), text}, {QStringLiteral("K"), QStringLiteral("ŽĽ")}, {QStringLiteral("P"), text}});
  auto query = Query(QStringLiteral("SELECT NAZOV, KOD, POZNAMKA, UPPER(NAZOV) FROM T_TEXT WHERE NAZOV = :N"));
  query->ParamByName(QStringLiteral("n")).SetValue(text);
  query->Open();
  ASSERT_EQ(query->RecordCount(), 1);
  EXPECT_EQ(query->FieldByName(QStringLiteral("NAZOV")).AsString(), text);
  EXPECT_EQ(query->FieldByName(QStringLiteral("KOD")).AsString(), QStringLiteral("ŽĽ   ")); // CHAR keeps its blanks
  EXPECT_EQ(query->FieldByName(QStringLiteral("POZNAMKA")).AsString(), text);
  EXPECT_EQ(query->FieldByName(QStringLiteral("POZNAMKA")).DataType(), TFieldType::Memo);
  EXPECT_EQ(query->FieldByNumber(3).AsString(), text.toUpper());
}

TEST_F(IBQueryTest, TextOutsideCodePageIsRefusedBeforeTheServer) {
  const QString alien = QStringLiteral("Kapor Ж");
  auto asParam = Query(QStringLiteral("INSERT INTO T_TEXT (ID, NAZOV) VALUES (1, :NAZOV)"));
  asParam->ParamByName(QStringLiteral("NAZOV")).SetValue(alien);
  auto asBlob = Query(QStringLiteral("INSERT INTO T_TEXT (ID, POZNAMKA) VALUES (2, :POZNAMKA)"));
  asBlob->ParamByName(QStringLiteral("POZNAMKA")).SetValue(alien);
  auto inText = Query(QStringLiteral("INSERT INTO T_TEXT (ID, NAZOV) VALUES (3, '") + alien + QStringLiteral("')"));
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"parameter", [&] { asParam->ExecSQL(); }},
      {"blob parameter", [&] { asBlob->ExecSQL(); }},
      {"statement text", [&] { inText->ExecSQL(); }},
      {"raw statement", [&] {
         TIBSQL(db.get(), tr.get())
             .ExecImmediate(QStringLiteral("INSERT INTO T_TEXT (ID, NAZOV) VALUES (4, '") + alien +
                            QStringLiteral("')"));
       }}};
  for (const auto& [name, run] : cases) {
    try {
      run();
      ADD_FAILURE() << name << ": accepted";
    } catch (const EIBInterBaseError& e) {
      ADD_FAILURE() << name << ": reached the server: " << e.what();
    } catch (const EIBError& e) {
      EXPECT_TRUE(e.Message().contains(QStringLiteral("Ж"))) << name << ": " << e.what();
    }
  }
  tr->Commit();
  EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_TEXT")).toInt(), 0);
}

TEST_F(IBQueryTest, BoundTextIsDataNotSql) {
  const QString attack = QStringLiteral("x' OR '1'='1");
  Exec(QStringLiteral("INSERT INTO T_TEXT (ID, NAZOV) VALUES (1, 'Kapor')"));
  auto query = Query(QStringLiteral("SELECT ID FROM T_TEXT WHERE NAZOV = :N"));
  query->ParamByName(QStringLiteral("N")).SetValue(attack);
  query->Open();
  EXPECT_TRUE(query->IsEmpty());
  Exec(QStringLiteral("INSERT INTO T_TEXT (ID, NAZOV) VALUES (2, :N)"), {{QStringLiteral("N"), attack}});
  query->Close();
  query->Open();
  ASSERT_EQ(query->RecordCount(), 1);
  EXPECT_EQ(query->FieldByName(QStringLiteral("ID")).AsInteger(), 2);
}

struct TypeCase {
  const char* Column;
  QVariant In;
  QVariant Out;
  TFieldType Type;
};

TEST_F(IBQueryTest, ColumnTypesRoundTripThroughParameters) {
  const QDateTime stamp(QDate(2024, 2, 29), QTime(23, 59, 58, 123));
  const TypeCase cases[] = {
      {"S", -32768, -32768, TFieldType::SmallInt},
      {"I", 2147483647, 2147483647, TFieldType::Integer},
      {"L", Q_INT64_C(-9000000000000000000), Q_INT64_C(-9000000000000000000), TFieldType::LargeInt},
      {"N", 1234567.89, 1234567.89, TFieldType::Currency},
      {"N", QStringLiteral("12.345"), 12.35, TFieldType::Currency},
      {"N", 2.675, 2.68, TFieldType::Currency},
      {"N", QStringLiteral("-1,005"), -1.01, TFieldType::Currency},
      {"N4", -0.0001, -0.0001, TFieldType::Float},
      {"F", 0.1, 0.1, TFieldType::Float},
      {"D", QDate(1899, 12, 30), QDate(1899, 12, 30), TFieldType::Date},
      {"D", QDate(2099, 1, 1), QDate(2099, 1, 1), TFieldType::Date},
      {"T", QTime(7, 30, 15, 250), QTime(7, 30, 15, 250), TFieldType::Time},
      {"TS", stamp, stamp, TFieldType::DateTime},
      {"B", true, true, TFieldType::Boolean},
      {"I", QVariant(), QVariant(), TFieldType::Integer},
  };
  int id = 0;
  for (const TypeCase& c : cases) {
    const QString column = QString::fromLatin1(c.Column);
    SCOPED_TRACE(column.toStdString() + " " + c.In.toString().toStdString());
    Exec(QStringLiteral("INSERT INTO T_TYPES (ID, %1) VALUES (:ID, :V)").arg(column),
         {{QStringLiteral("ID"), ++id}, {QStringLiteral("V"), c.In}});
    auto query = Query(QStringLiteral("SELECT %1 FROM T_TYPES WHERE ID = :ID").arg(column));
    query->ParamByName(QStringLiteral("ID")).SetValue(id);
    query->Open();
    const TField& field = query->FieldByNumber(0);
    EXPECT_EQ(field.DataType(), c.Type);
    if (c.Out.typeId() == QMetaType::Double) {
      EXPECT_DOUBLE_EQ(field.AsFloat(), c.Out.toDouble());
    } else {
      EXPECT_EQ(field.AsVariant(), c.Out);
    }
    EXPECT_EQ(field.IsNull(), c.Out.isNull());
  }
}

TEST_F(IBQueryTest, BinaryBlobKeepsEveryByte) {
  QByteArray bytes(200000, '\0');
  for (qsizetype i = 0; i < bytes.size(); ++i)
    bytes[i] = char(i * 7 % 256);
  Exec(QStringLiteral("INSERT INTO T_TEXT (ID, DATA) VALUES (1, :D)"), {{QStringLiteral("D"), bytes}});
  auto query = Query(QStringLiteral("SELECT DATA FROM T_TEXT"));
  query->Open();
  EXPECT_EQ(query->FieldByNumber(0).DataType(), TFieldType::Blob);
  EXPECT_EQ(query->FieldByNumber(0).AsVariant().toByteArray(), bytes);
}

TEST_F(IBQueryTest, BadValuesGiveClearErrorsNeverTruncation) {
  // 0: refused by this layer before the server sees it; otherwise a code the server reports.
  const std::tuple<const char*, QVariant, int> cases[] = {
      {"INSERT INTO T_TYPES (ID, S) VALUES (1, :V)", 40000, 0},
      {"INSERT INTO T_TYPES (ID, I) VALUES (1, :V)", QStringLiteral("dvanásť"), 0},
      {"INSERT INTO T_TYPES (ID, D) VALUES (1, :V)", QStringLiteral("31.02.2024"), 0},
      {"INSERT INTO T_TYPES (ID, D) VALUES (1, :V)", QDate(), 0},
      {"INSERT INTO T_TYPES (ID, TS) VALUES (1, :V)", QDateTime(QDate(10000, 1, 1), QTime(0, 0)), 0},
      {"INSERT INTO T_TYPES (ID, N) VALUES (1, :V)", 1e17, 0},
      {"INSERT INTO T_TEXT (ID, KOD) VALUES (1, :V)", QStringLiteral("Šesť znakov"), 335544321},
  };
  for (const auto& [sql, value, code] : cases) {
    auto query = Query(QString::fromLatin1(sql));
    query->ParamByName(QStringLiteral("V")).SetValue(value);
    try {
      query->ExecSQL();
      ADD_FAILURE() << sql << " accepted " << value.toString().toStdString();
    } catch (const EIBInterBaseError& e) {
      EXPECT_TRUE(e.ErrorCodes().contains(code)) << sql << " " << e.what();
    } catch (const EIBParamValueError& e) {
      EXPECT_EQ(0, code) << sql << " " << e.what();
    }
  }
  tr->Commit();
  EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_TEXT")).toInt() +
                Scalar(QStringLiteral("SELECT COUNT(*) FROM T_TYPES")).toInt(),
            0);
  auto query = Query(QStringLiteral("SELECT * FROM T_TEXT WHERE ID = :ID"));
  EXPECT_THROW(query->ParamByName(QStringLiteral("NAZOV")), EIBError);
  query->SetSQL(QStringLiteral("SELECT * FROM T_TEXT WHERE ID = ?"));
  EXPECT_THROW(query->Open(), EIBError);
}

TEST_F(IBQueryTest, RowsStayReadableAfterCommitAndNavigate) {
  for (int id = 1; id <= 3; ++id)
    Exec(QStringLiteral("INSERT INTO T_PARENT (ID, NAZOV) VALUES (:ID, :N)"),
         {{QStringLiteral("ID"), id}, {QStringLiteral("N"), QStringLiteral("Ryba %1").arg(id)}});
  auto query = Query(QStringLiteral("SELECT ID, NAZOV FROM T_PARENT ORDER BY ID DESC"));
  query->Open();
  tr->Commit();
  ASSERT_EQ(query->RecordCount(), 3);
  EXPECT_TRUE(query->Locate(QStringLiteral("NAZOV"), QStringLiteral("ryba 2"), loCaseInsensitive));
  EXPECT_EQ(query->FieldByName(QStringLiteral("ID")).AsInteger(), 2);
  query->Last();
  EXPECT_EQ(query->FieldByName(QStringLiteral("NAZOV")).AsString(), QStringLiteral("Ryba 1"));
  EXPECT_EQ(query->FieldByName(QStringLiteral("ID")).Def().Required, true);
  db->Close(); // the rows are in memory; the prepared statement goes with the connection
  EXPECT_EQ(query->FieldByName(QStringLiteral("NAZOV")).AsString(), QStringLiteral("Ryba 1"));
  EXPECT_FALSE(query->Prepared());
  db->Open();
  tr->StartTransaction();
  query->Close();
  query->Open();
  EXPECT_EQ(query->RecordCount(), 3);
  db.reset(); // a query that outlives its connection fails cleanly
  tr.reset();
  query->Close();
  EXPECT_THROW(query->Open(), EIBError);
}

TEST_F(IBQueryTest, ExecSqlReportsRowsAffectedAndRepeatsWithNewValues) {
  auto insert = Query(QStringLiteral("INSERT INTO T_PARENT (ID, NAZOV) VALUES (:ID, :N || :N)"));
  for (int id = 1; id <= 4; ++id) {
    insert->ParamByName(QStringLiteral("ID")).SetValue(id);
    insert->ParamByName(QStringLiteral("N")).SetValue(QString(QLatin1Char(QLatin1Char('a' + id))));
    insert->ExecSQL();
    EXPECT_EQ(insert->RowsAffected(), 1);
  }
  EXPECT_EQ(insert->Params().size(), 2u);
  auto update = Query(QStringLiteral("UPDATE T_PARENT SET NAZOV = NAZOV || '!' WHERE ID > :ID"));
  update->ParamByName(QStringLiteral("ID")).SetValue(1);
  update->ExecSQL();
  EXPECT_EQ(update->RowsAffected(), 3);
  auto check = Query(QStringLiteral("SELECT NAZOV FROM T_PARENT WHERE ID = 3"));
  check->Open();
  EXPECT_EQ(check->FieldByNumber(0).AsString(), QStringLiteral("dd!"));
}

TEST_F(IBQueryTest, ProcedureWrittenWithColonsAndSemicolonsRuns) {
  const char* statements[] = {"SELECT Y FROM P_DOUBLE(:X)", "EXECUTE PROCEDURE P_DOUBLE(:X)"};
  for (const char* sql : statements) {
    auto query = Query(QString::fromLatin1(sql));
    query->ParamByName(QStringLiteral("X")).SetValue(21);
    query->Open();
    ASSERT_EQ(query->RecordCount(), 1) << sql;
    EXPECT_EQ(query->FieldByName(QStringLiteral("Y")).AsInteger(), 42) << sql;
  }
}

// The server tells the kind of a statement after preparing it; a statement
// that would end or replace the transaction is refused, and the transaction
// goes on working.
TEST_F(IBQueryTest, StatementKindsAndTransactionControlRefused) {
  const struct {
    const char* sql;
    TIBStatementType type;
    bool rows;
  } cases[] = {
      {"SELECT ID FROM T_PARENT", TIBStatementType::Select, true},
      {"SELECT ID FROM T_PARENT FOR UPDATE", TIBStatementType::SelectForUpdate, true},
      {"UPDATE T_PARENT SET NAZOV = NAZOV", TIBStatementType::Update, false},
      {"INSERT INTO T_PARENT (ID, NAZOV) VALUES (1, 'a')", TIBStatementType::Insert, false},
      {"DELETE FROM T_PARENT", TIBStatementType::Delete, false},
      {"CREATE TABLE T_KIND (ID INTEGER)", TIBStatementType::Ddl, false},
      {"EXECUTE PROCEDURE P_DOUBLE(2)", TIBStatementType::ExecProcedure, true},
      {"SAVEPOINT S1", TIBStatementType::Savepoint, false},
      {"COMMIT", TIBStatementType::Commit, false},
      {"ROLLBACK", TIBStatementType::Rollback, false},
      {"SET TRANSACTION", TIBStatementType::StartTransaction, false},
  };
  for (const auto& c : cases) {
    auto query = Query(QString::fromLatin1(c.sql));
    EXPECT_EQ(query->StatementType(), c.type) << c.sql;
    EXPECT_EQ(query->ReturnsRows(), c.rows) << c.sql;
  }
  for (const char* sql : {"COMMIT", "ROLLBACK WORK", "SET TRANSACTION READ ONLY"}) {
    EXPECT_THROW(Query(QString::fromLatin1(sql))->ExecSQL(), EIBError) << sql;
    ASSERT_TRUE(tr->InTransaction());
    auto check = Query(QStringLiteral("SELECT COUNT(*) FROM T_PARENT"));
    EXPECT_NO_THROW(check->Open()) << sql;
  }
  tr->Commit();
}

// A selectable block of `count` rows: N, a text, a value that is Null on every
// seventh row, a time stamp and a text blob on every 500th row.
QString GeneratedRows(int count) {
  return QStringLiteral("EXECUTE BLOCK RETURNS (N INTEGER, T VARCHAR(60), X INTEGER, TS TIMESTAMP, "
                        "B BLOB SUB_TYPE TEXT) AS BEGIN N = 0; WHILE (N < %1) DO BEGIN N = N + 1; "
                        "T = 'Riadok č. ' || N || ' – Ľubovoľný text'; X = IIF(MOD(N, 7) = 0, NULL, N * 3); "
                        "TS = DATEADD(N MINUTE TO TIMESTAMP '2024-03-30 23:00:00'); "
                        "B = IIF(MOD(N, 500) = 0, 'Poznámka ' || N, NULL); SUSPEND; END END")
      .arg(count);
}

// Checks every value of every row of a GeneratedRows result, read row-wise.
void ExpectGeneratedRows(const TIBQuery& query, int count, const char* which) {
  ASSERT_EQ(query.RecordCount(), count) << which;
  for (int row = 0; row < count; ++row) {
    const int n = row + 1;
    ASSERT_EQ(query.ValueAt(row, 0), QVariant(n)) << which << " row " << n;
    ASSERT_EQ(query.ValueAt(row, 1).toString(), QStringLiteral("Riadok č. %1 – Ľubovoľný text").arg(n)) << which;
    ASSERT_EQ(query.ValueAt(row, 2), n % 7 == 0 ? QVariant() : QVariant(n * 3)) << which << " row " << n;
    ASSERT_EQ(query.ValueAt(row, 3).toDateTime(), QDateTime(QDate(2024, 3, 30), QTime(23, 0)).addSecs(60 * n));
    ASSERT_EQ(query.ValueAt(row, 4), n % 500 == 0 ? QVariant(QStringLiteral("Poznámka %1").arg(n)) : QVariant())
        << which << " row " << n;
  }
}

TEST_F(IBQueryTest, LargeResultsKeepEveryRowWhileOthersOpenAndClose) {
  // Some thousand rows fill several of the blocks the rows are kept in.
  auto first = Query(GeneratedRows(2000));
  first->Open();
  auto second = Query(GeneratedRows(1301));
  second->Open();
  ExpectGeneratedRows(*first, 2000, "first");
  ExpectGeneratedRows(*second, 1301, "second");
  // The memory of a closed result serves the next one; the open one must not change.
  first->Close();
  auto third = Query(GeneratedRows(2500));
  third->Open();
  ExpectGeneratedRows(*second, 1301, "second after the first closed");
  ExpectGeneratedRows(*third, 2500, "third");

  // Navigation, null rules, bookmarks and Locate over the whole set.
  TIBQuery& q = *third;
  q.Last();
  EXPECT_EQ(q.FieldByName(QStringLiteral("N")).AsInteger(), 2500);
  const TBookmark last = q.GetBookmark();
  q.First();
  int rows = 0, nulls = 0;
  for (; !q.Eof(); q.Next()) {
    ++rows;
    nulls += q.FieldByName(QStringLiteral("X")).IsNull();
  }
  EXPECT_EQ(rows, 2500);
  EXPECT_EQ(nulls, 2500 / 7);
  EXPECT_EQ(q.FieldByName(QStringLiteral("x")).AsInteger(), 2500 * 3);
  EXPECT_TRUE(q.Locate(QStringLiteral("T"), QStringLiteral("riadok č. 2346 "), loCaseInsensitive | loPartialKey));
  EXPECT_EQ(q.RecNo(), 2346);
  EXPECT_EQ(q.FieldByName(QStringLiteral("X")).AsString(), QStringLiteral("7038"));
  q.GotoBookmark(last);
  EXPECT_EQ(q.FieldByName(QStringLiteral("B")).AsString(), QStringLiteral("Poznámka 2500"));
  EXPECT_TRUE(q.Locate(QStringLiteral("N"), 2000));
  EXPECT_EQ(q.FieldByName(QStringLiteral("B")).AsString(), QStringLiteral("Poznámka 2000"));
  EXPECT_EQ(q.FieldByName(QStringLiteral("TS")).AsDateTime(),
            DateTime::FromDateTime(QDateTime(QDate(2024, 4, 1), QTime(8, 20))));
}

TEST_F(IBQueryTest, EmptySingleAndWideResults) {
  const std::tuple<int, const char*> counts[] = {{0, "empty"}, {1, "one row"}, {7, "seven rows"}};
  for (const auto& [count, which] : counts) {
    auto query = Query(GeneratedRows(count));
    query->Open();
    ExpectGeneratedRows(*query, count, which);
    EXPECT_EQ(query->Eof(), count == 0) << which;
  }
  // Rows longer than the blocks the rows are kept in.
  auto wide = Query(QStringLiteral(
      "EXECUTE BLOCK RETURNS (A VARCHAR(30000), B VARCHAR(30000), C VARCHAR(30000), N INTEGER) AS BEGIN N = 0; "
      "WHILE (N < 3) DO BEGIN N = N + 1; A = LPAD('', 30000, 'a') || ''; B = LPAD(N, 30000, 'ž'); "
      "C = IIF(N = 2, NULL, RPAD(N, 29999, 'c') || 'ľ'); SUSPEND; END END"));
  wide->Open();
  ASSERT_EQ(wide->RecordCount(), 3);
  for (int row = 0; row < 3; ++row) {
    const QString n = QString::number(row + 1);
    EXPECT_EQ(wide->ValueAt(row, 0).toString(), QString(30000, QLatin1Char('a')));
    EXPECT_EQ(wide->ValueAt(row, 1).toString(), QString(29999, QChar(0x017E)) + n);
    EXPECT_EQ(wide->ValueAt(row, 2),
              row == 1 ? QVariant() : QVariant(n + QString(29998, QLatin1Char('c')) + QChar(0x013E)));
    EXPECT_EQ(wide->ValueAt(row, 3), QVariant(row + 1));
  }
}

TEST_F(IBQueryTest, TimeStampInTheSkippedSpringHourReadsAsStored) {
  TScopedEnvironment central("TZ", QStringLiteral("CET-1CEST,M3.5.0,M10.5.0/3"));
  Exec(QStringLiteral("INSERT INTO T_TYPES (ID, TS) VALUES (1, TIMESTAMP '2021-03-28 02:30:00')"));
  Exec(QStringLiteral("INSERT INTO T_TYPES (ID, TS) VALUES (2, TIMESTAMP '2021-03-28 03:30:00')"));
  auto query = Query(QStringLiteral("SELECT TS FROM T_TYPES ORDER BY ID"));
  query->Open();
  TField& stamp = query->FieldByNumber(0);
  EXPECT_EQ(stamp.AsString(), QStringLiteral("28.03.2021 02:30:00"));
  EXPECT_EQ(stamp.AsDateTime(), DateTime::FromDateTime(QDateTime(QDate(2021, 3, 28), QTime(2, 30), Qt::UTC)));
  query->Next();
  EXPECT_EQ(stamp.AsString(), QStringLiteral("28.03.2021 03:30:00"));
}

TEST(IBDecimalTest, ScalesOnDecimalDigits) {
  const std::tuple<QVariant, int, std::optional<qint64>> cases[] = {
      {2.675, 2, 268},
      {1.005, 2, 101},
      {-0.125, 2, -13},
      {0.29, 2, 29},
      {QStringLiteral("12,5"), 0, 13},
      {QStringLiteral("5e-3"), 2, 1},
      {QStringLiteral("5e-4"), 2, 0},
      {QStringLiteral("1.5E3"), 1, 15000},
      {QStringLiteral(" 42 "), 0, 42},
      {Q_INT64_C(9223372036854775807), 0, Q_INT64_C(9223372036854775807)},
      {Q_UINT64_C(9223372036854775808), 0, std::nullopt},
      {1e17, 2, std::nullopt},
      {true, 0, 1},
      {QStringLiteral("12a"), 0, std::nullopt},
      {QStringLiteral("."), 0, std::nullopt},
      {QStringLiteral(""), 0, std::nullopt},
  };
  for (const auto& [value, decimals, expected] : cases)
    EXPECT_EQ(ScaleDecimal(value, decimals), expected) << value.toString().toStdString() << " " << decimals;
}

struct ParseCase {
  const char* Sql;
  const char* Parsed;
  const char* Names; // separated by commas
};

TEST(IBParamParserTest, FindsNamesOutsideLiteralsAndComments) {
  const ParseCase cases[] = {
      {"SELECT * FROM T WHERE A=:A AND B = :b_2", "SELECT * FROM T WHERE A=? AND B = ?", "A,B_2"},
      {"UPDATE T SET X=:X WHERE Y=:x", "UPDATE T SET X=? WHERE Y=?", "X,X"},
      {"SELECT ':A', \"B:C\" FROM T WHERE Z=:Z", "SELECT ':A', \"B:C\" FROM T WHERE Z=?", "Z"},
      {"SELECT 'it''s :X' FROM T", "SELECT 'it''s :X' FROM T", ""},
      {"SELECT 1 -- :NIE\nFROM T /* :ANI */ WHERE A=:ÁNO", "SELECT 1 -- :NIE\nFROM T /* :ANI */ WHERE A=?", "ÁNO"},
      {"SELECT 'neukončený :X", "SELECT 'neukončený :X", ""},
      {"SELECT 1 FROM T WHERE A = : B", "SELECT 1 FROM T WHERE A = : B", ""},
  };
  for (const ParseCase& c : cases) {
    const TIBParsedSql parsed = ParseParams(QString::fromUtf8(c.Sql));
    EXPECT_EQ(parsed.Sql, QString::fromUtf8(c.Parsed)) << c.Sql;
    EXPECT_EQ(parsed.Names.join(QLatin1Char(',')), QString::fromUtf8(c.Names)) << c.Sql;
  }
}

} // namespace
