#pragma once
#include "core/DataSet.h"
#include "core/DataSource.h"
#include "db/IBDatabase.h"
#include "db/IBFieldType.h"
#include "db/IBTransaction.h"
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <functional>
#include <memory>

// One named parameter of a query. An invalid QVariant binds NULL. The data
// type is what the program declared for it (the server converts the value to
// the type it describes); a bound parameter is one whose value the program
// sets itself, so a master data source leaves it alone.
class TIBParam {
public:
  explicit TIBParam(QString name) : name_(std::move(name)) {}
  const QString& Name() const { return name_; }
  const QVariant& Value() const { return value_; }
  void SetValue(const QVariant& value) { value_ = value; }
  void Clear() { value_ = QVariant(); }
  bool IsNull() const { return value_.isNull(); }
  TIBFieldType DataType() const { return dataType_; }
  void SetDataType(TIBFieldType type) { dataType_ = type; }
  bool Bound() const { return bound_; }
  void SetBound(bool bound) { bound_ = bound; }

private:
  QString name_;
  QVariant value_;
  TIBFieldType dataType_ = TIBFieldType::ftUnknown;
  bool bound_ = false;
};

// A field a data set shows in place of its result's columns once it has any:
// a data field (the column of that name, read as the field's type) or a
// lookup field (the result field of the lookup data set's row whose lookup
// key fields equal this data set's key fields; Null when there is no such
// row or the lookup data set is closed). Field lists are ";"-separated.
struct TIBPersistentField {
  QString FieldName;
  TIBFieldType DataType = TIBFieldType::ftUnknown;
  int Size = 0;
  bool Lookup = false;
  QString KeyFields;
  QPointer<TDataSet> LookupDataSet;
  QString LookupKeyFields;
  QString LookupResultField;
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
//
// Without a transaction of its own a query works in its connection's default
// transaction, which it starts when it is not active. A filter is an SQL
// condition of the template's author over the result's columns, sent to the
// server around the statement; run-time values never enter the text. With a
// data source (master), every parameter that is not bound and is named like
// a field of the master takes that field's value from the master's current
// row at each open, and an open query runs again when the master moves.
class TIBQuery : public TDataSet {
  Q_OBJECT
public:
  explicit TIBQuery(QObject* parent = nullptr);
  ~TIBQuery() override;

  TIBDatabase* Database() const { return database_; }
  void SetDatabase(TIBDatabase* database);
  TIBTransaction* Transaction() const { return transaction_; }
  void SetTransaction(TIBTransaction* transaction) { transaction_ = transaction; }

  // An active data set runs again with the new filter.
  const QString& Filter() const { return filter_; }
  void SetFilter(const QString& filter);
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool filtered);

  TDataSource* DataSource() const { return dataSource_; }
  void SetDataSource(TDataSource* source);

  // Called at every open before the statement runs (parameters set from
  // elsewhere); an exception stops the open.
  std::function<void()> BeforeOpen;

  // Changing the persistent fields closes the data set.
  const QList<TIBPersistentField>& PersistentFields() const { return persistent_; }
  TIBPersistentField* FindPersistentField(const QString& name);
  void AddPersistentField(const TIBPersistentField& field);
  void RemovePersistentField(const QString& name);
  void ClearPersistentFields();
  // The columns of the result as the server describes them (prepares the statement; runs nothing).
  QList<TFieldDef> FieldDefinitions();

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

  // Called before the statement is prepared; a subclass that makes its own
  // statement (the table) puts it in place here with ReplaceStatement.
  virtual void UpdateStatement() {}
  // Sets the statement without closing; parameters of the same name keep their values.
  void ReplaceStatement(const QString& sql);
  // The text an open sends: the statement with the filter around it.
  virtual QString StatementText() const;
  // Refuses a filter that holds parameter markers.
  static void RequireFilterWithoutParams(const QString& filter);
  // Sets the parameters the master gives, from its current row (the master active).
  virtual void FillMasterParams(const TDataSet& master);
  // The filter or filtered flag changed.
  virtual void FilterChanged();
  // Prepares again and runs an active data set again.
  void RestartStatement();

private:
  struct TStatement;
  struct TRows;
  struct TFieldMap;
  void RequireReady() const;
  void Prepare(const QString& text);
  // The type of the statement prepared last.
  TIBStatementType PreparedType() const;
  void Unprepare();
  // The query's own transaction, else the connection's default one (started when needed).
  TIBTransaction* ActiveTransaction() const;
  // The value of each marker of the prepared statement, in order.
  QList<QVariant> MarkerValues() const;
  void FollowMaster();
  void MasterChanged();
  // The visible fields: the result's columns, or the persistent fields over them.
  void MapFields(const QList<TFieldDef>& columns, QList<TFieldDef>& defs);
  QVariant ColumnValue(int row, int column) const;
  QVariant LookupValue(int row, int fieldIndex) const;

  // Guarded: a connection or transaction destroyed first leaves null, not a dangling pointer.
  QPointer<TIBDatabase> database_;
  QPointer<TIBTransaction> transaction_;
  QString sql_;
  QString filter_;
  bool filtered_ = false;
  QPointer<TDataSource> dataSource_;
  QPointer<TDataSet> followed_; // the master whose moves this query follows
  bool reopening_ = false;
  std::vector<std::unique_ptr<TIBParam>> params_;
  QList<TIBPersistentField> persistent_;
  std::unique_ptr<TStatement> statement_;
  std::unique_ptr<TRows> rows_;
  std::unique_ptr<TFieldMap> map_;
  int rowsAffected_ = 0;
};
