#pragma once
#include "core/DataSet.h"
#include "db/IBDatabase.h"
#include "db/IBTransaction.h"
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <memory>

// One named parameter of a query. An invalid QVariant binds NULL.
class TIBParam {
public:
  explicit TIBParam(QString name) : name_(std::move(name)) {}
  const QString& Name() const { return name_; }
  const QVariant& Value() const { return value_; }
  void SetValue(const QVariant& value) { value_ = value; }
  void Clear() { value_ = QVariant(); }
  bool IsNull() const { return value_.isNull(); }

private:
  QString name_;
  QVariant value_;
};

// A statement with named ":PARAM" parameters, always bound, never pasted into
// the text. `Open` runs a SELECT (or a procedure with outputs) and fetches
// every row into memory, so the data set stays readable after the
// transaction ends; `ExecSQL` runs any other statement. Text crosses the
// connection in code page 1250: a value or statement with a character outside
// it is refused before the server sees it.
//
// The kind of a prepared statement, as the server reports it.
enum class TIBStatementType {
  Unknown,
  Select,
  Insert,
  Update,
  Delete,
  Ddl,
  GetSegment,
  PutSegment,
  ExecProcedure,
  StartTransaction,
  Commit,
  Rollback,
  SelectForUpdate,
  SetGenerator,
  Savepoint
};

// Column types: SMALLINT, INTEGER, BIGINT -> SmallInt, Integer, LargeInt;
// NUMERIC/DECIMAL with 2 decimals -> Currency, with other decimals -> Float
// (both as double); FLOAT, DOUBLE PRECISION -> Float; DATE -> Date (QDate);
// TIME -> Time (QTime); TIMESTAMP -> DateTime (QDateTime); CHAR, VARCHAR ->
// String (CHAR keeps the server's trailing blanks); text BLOB -> Memo
// (QString); other BLOB and OCTETS text -> Blob (QByteArray); BOOLEAN -> Boolean.
class TIBQuery : public TDataSet {
  Q_OBJECT
public:
  explicit TIBQuery(QObject* parent = nullptr);
  ~TIBQuery() override;

  TIBDatabase* Database() const { return database_; }
  void SetDatabase(TIBDatabase* database);
  TIBTransaction* Transaction() const { return transaction_; }
  void SetTransaction(TIBTransaction* transaction) { transaction_ = transaction; }

  const QString& SQL() const { return sql_; }
  // Closes the data set, drops the prepared statement and makes the
  // parameters of the new text (all NULL).
  void SetSQL(const QString& sql);

  // The parameters in order of first use; a name used twice is one parameter.
  const std::vector<std::unique_ptr<TIBParam>>& Params() const { return params_; }
  // Throws EIBError when the statement has no such parameter (names are case-insensitive).
  TIBParam& ParamByName(const QString& name);
  TIBParam* FindParam(const QString& name) const;

  // Prepares the statement in the query's transaction (done by Open and ExecSQL when needed).
  void Prepare();
  bool Prepared() const;
  // The kind of the statement and whether it returns rows (a select, or a
  // procedure with outputs); both prepare the statement when needed.
  TIBStatementType StatementType();
  bool ReturnsRows();
  // Runs a statement that returns no rows; a SELECT runs and its rows are
  // dropped. A statement that starts or ends a transaction is refused
  // (EIBError): transactions are the TIBTransaction's.
  void ExecSQL();
  // Rows inserted, updated or deleted by the last ExecSQL.
  int RowsAffected() const { return rowsAffected_; }

protected:
  void DoOpen(QList<TFieldDef>& defs) override;
  void DoClose() override;
  int DoRecordCount() const override;
  QVariant DoValue(int row, int fieldIndex) const override;

private:
  struct TStatement;
  struct TRows;
  void RequireReady() const;
  void Unprepare();
  // The value of each marker of the prepared statement, in order.
  QList<QVariant> MarkerValues() const;

  // Guarded: a connection or transaction destroyed first leaves null, not a dangling pointer.
  QPointer<TIBDatabase> database_;
  QPointer<TIBTransaction> transaction_;
  QString sql_;
  std::vector<std::unique_ptr<TIBParam>> params_;
  std::unique_ptr<TStatement> statement_;
  std::unique_ptr<TRows> rows_;
  int rowsAffected_ = 0;
};
