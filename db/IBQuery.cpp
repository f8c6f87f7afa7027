#include "db/IBQuery.h"
#include "core/CodePage1250.h"
#include "db/FbClient.h"
#include "db/IBBlob.h"
#include "db/IBDatabase.h"
#include "db/IBDecimal.h"
#include "db/IBParamParser.h"
#include "db/IBRowStore.h"
#include "db/IBTransaction.h"
#include <QtCore/QHash>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <ibase.h>
#include <map>

using namespace FbClient;

namespace {

constexpr unsigned charSetOctets = 1;
constexpr unsigned charSetWin1250 = 51;
// Julian day of 17.11.1858, day 0 of the server's dates.
constexpr qint64 dateBase = 2400001;

// One column of an output message: where its value and null flag lie and how to read it.
struct TColumn {
  unsigned Type = 0;
  unsigned SubType = 0;
  unsigned Offset = 0;
  unsigned NullOffset = 0;
  unsigned Length = 0;
  unsigned CharSet = 0;
  int Scale = 0;
  int BlobSlot = -1;
};

template <class T> T Read(const unsigned char* p) {
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

template <class T> void Write(unsigned char* p, T value) { std::memcpy(p, &value, sizeof value); }

unsigned BaseType(unsigned type) { return type & ~1u; }

bool IsText(unsigned type) { return type == SQL_TEXT || type == SQL_VARYING; }

// Whole numbers keep their type; fixed-point ones are Currency with 2 decimals (money), Float otherwise.
TFieldType NumberType(int scale, TFieldType whole) {
  return scale == 0 ? whole : scale == -2 ? TFieldType::Currency : TFieldType::Float;
}

TFieldType FieldTypeOf(const TColumn& c) {
  switch (c.Type) {
  case SQL_TEXT:
  case SQL_VARYING:
    return c.CharSet == charSetOctets ? TFieldType::Blob : TFieldType::String;
  case SQL_SHORT:
    return NumberType(c.Scale, TFieldType::SmallInt);
  case SQL_LONG:
    return NumberType(c.Scale, TFieldType::Integer);
  case SQL_INT64:
    return NumberType(c.Scale, TFieldType::LargeInt);
  case SQL_FLOAT:
  case SQL_DOUBLE:
  case SQL_D_FLOAT:
    return TFieldType::Float;
  case SQL_TYPE_DATE:
    return TFieldType::Date;
  case SQL_TYPE_TIME:
    return TFieldType::Time;
  case SQL_TIMESTAMP:
    return TFieldType::DateTime;
  case SQL_BLOB:
    return c.SubType == isc_blob_text ? TFieldType::Memo : TFieldType::Blob;
  case SQL_BOOLEAN:
    return TFieldType::Boolean;
  default:
    return TFieldType::Unknown;
  }
}

QVariant Scaled(qint64 value, int scale) {
  if (scale == 0) return value;
  return double(value) / std::pow(10.0, -scale);
}

QDate DecodeDate(ISC_DATE date) { return QDate::fromJulianDay(qint64(date) + dateBase); }
QTime DecodeTime(ISC_TIME time) { return QTime::fromMSecsSinceStartOfDay(int(time / 10)); }

QVariant DecodeText(const TColumn& c, const char* bytes, qsizetype length) {
  if (c.CharSet == charSetOctets) return QByteArray(bytes, length);
  return Cp1250::Decode(QByteArrayView(bytes, length));
}

// The value of a non-blob column of a row in the message layout.
QVariant DecodeValue(const TColumn& c, const unsigned char* row) {
  const unsigned char* p = row + c.Offset;
  switch (c.Type) {
  case SQL_TEXT:
    return DecodeText(c, reinterpret_cast<const char*>(p), c.Length);
  case SQL_VARYING: {
    const auto length = qMin<unsigned>(Read<quint16>(p), c.Length);
    return DecodeText(c, reinterpret_cast<const char*>(p + 2), length);
  }
  case SQL_SHORT:
    return c.Scale == 0 ? QVariant(int(Read<qint16>(p))) : Scaled(Read<qint16>(p), c.Scale);
  case SQL_LONG:
    return c.Scale == 0 ? QVariant(Read<qint32>(p)) : Scaled(Read<qint32>(p), c.Scale);
  case SQL_INT64:
    return Scaled(Read<qint64>(p), c.Scale);
  case SQL_FLOAT:
    return double(Read<float>(p));
  case SQL_DOUBLE:
  case SQL_D_FLOAT:
    return Read<double>(p);
  case SQL_TYPE_DATE:
    return DecodeDate(Read<ISC_DATE>(p));
  case SQL_TYPE_TIME:
    return DecodeTime(Read<ISC_TIME>(p));
  case SQL_TIMESTAMP: {
    const auto stamp = Read<ISC_TIMESTAMP>(p);
    return QDateTime(DecodeDate(stamp.timestamp_date), DecodeTime(stamp.timestamp_time));
  }
  case SQL_BOOLEAN:
    return Read<FB_BOOLEAN>(p) != 0;
  default:
    return QVariant();
  }
}

TColumn DescribeColumn(Firebird::IMessageMetadata* meta, unsigned i) {
  TStatus status;
  TColumn c;
  c.Type = BaseType(status.Checked(meta->getType(&status, i)));
  c.SubType = unsigned(status.Checked(meta->getSubType(&status, i)));
  c.Offset = status.Checked(meta->getOffset(&status, i));
  c.NullOffset = status.Checked(meta->getNullOffset(&status, i));
  c.Length = status.Checked(meta->getLength(&status, i));
  c.CharSet = status.Checked(meta->getCharSet(&status, i));
  c.Scale = status.Checked(meta->getScale(&status, i));
  return c;
}

// The key of a lookup row: the texts of its key values.
QString LookupKey(const QVariantList& values) {
  QStringList texts;
  for (const QVariant& value : values)
    texts.append(VariantText(value));
  return texts.join(QChar(0x1F));
}

int ColumnNamed(const QList<TFieldDef>& columns, const QString& name) {
  for (int i = 0; i < columns.size(); ++i)
    if (columns[i].Name.compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

QStringList FieldList(const QString& names) {
  QStringList list;
  for (const QString& name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
    list.append(name.trimmed());
  return list;
}

} // namespace

// The prepared statement with the names of its markers.
struct TIBQuery::TStatement {
  QString Text;
  TRef<Firebird::IStatement> Handle;
  QStringList MarkerNames;
  TRef<Firebird::IMessageMetadata> Input;
  TRef<Firebird::IMessageMetadata> Output;
  bool HasCursor = false;
};

// The fetched rows: each row is the output message as the server sent it;
// blob values are read at fetch time and kept apart.
struct TIBQuery::TRows {
  explicit TRows(size_t rowLength) : Store(rowLength) {}
  std::vector<TColumn> Columns;
  int BlobCount = 0;
  TIBRowStore Store;
  std::vector<QVariant> Blobs;
};

// Where each visible field of a data set with persistent fields comes from.
struct TIBQuery::TFieldMap {
  // The rows of a lookup data set by the text of their key values, made on
  // first use and dropped when that data set changes.
  struct TLookup {
    QList<int> KeyColumns; // this result's columns of the key fields
    QPointer<TDataSet> Source;
    QHash<QString, int> Rows;
    int ResultField = -1;
    bool Valid = false;
    QList<QMetaObject::Connection> Watches;
  };
  ~TFieldMap() {
    for (const auto& [field, lookup] : Lookups)
      for (const QMetaObject::Connection& watch : lookup.Watches)
        QObject::disconnect(watch);
  }
  std::vector<int> Columns; // per field: its column, -1 for a lookup field
  std::vector<TFieldType> Types;
  std::map<int, TLookup> Lookups; // by field index; nodes stay where they are
};

namespace {

// Builds the input message of a statement from the parameter values.
class TInputMessage {
public:
  TInputMessage(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction,
                Firebird::IMessageMetadata* described, const QStringList& names, const QList<QVariant>& values);
  Firebird::IMessageMetadata* Metadata() const { return meta_.get(); }
  unsigned char* Buffer() { return buffer_.empty() ? nullptr : buffer_.data(); }

private:
  [[noreturn]] void Refuse(const QString& name, const QString& why) const;
  void WriteValue(unsigned i, const QString& name, const QVariant& value);
  void WriteInteger(const TColumn& c, unsigned char* p, const QString& name, const QVariant& value);
  ISC_DATE EncodeDate(QDate date, const QString& name) const;
  ISC_TIME EncodeTime(QTime time, const QString& name) const;

  Firebird::IAttachment* attachment_;
  Firebird::ITransaction* transaction_;
  TRef<Firebird::IMessageMetadata> meta_;
  std::vector<QByteArray> texts_;
  std::vector<unsigned char> buffer_;
};

TInputMessage::TInputMessage(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction,
                             Firebird::IMessageMetadata* described, const QStringList& names,
                             const QList<QVariant>& values)
    : attachment_(attachment), transaction_(transaction) {
  TStatus status;
  const unsigned count = described->getCount(&status);
  status.Check();
  // Text goes over as VARCHAR of its own length, so the server (not this
  // layer) compares or converts it and a too long value is refused, never cut.
  TRef<Firebird::IMetadataBuilder> builder(described->getBuilder(&status));
  status.Check();
  texts_.resize(count);
  for (unsigned i = 0; i < count; ++i) {
    const unsigned type = BaseType(status.Checked(described->getType(&status, i)));
    const unsigned charSet = status.Checked(described->getCharSet(&status, i));
    const QVariant& value = values[i];
    if (value.isNull() || !(IsText(type) || type == SQL_NULL)) continue;
    const bool binary = charSet == charSetOctets || value.typeId() == QMetaType::QByteArray;
    if (binary) {
      texts_[i] = value.toByteArray();
    } else {
      QString text = value.typeId() == QMetaType::QDate ? value.toDate().toString(Qt::ISODate) : value.toString();
      if (const qsizetype bad = Cp1250::FirstUnencodable(text); bad >= 0)
        Refuse(names[i], QStringLiteral("obsahuje znak %1, ktorý kódová stránka 1250 nepozná")
                             .arg(TSingleByteCodePage::CharacterName(text, bad)));
      texts_[i] = Cp1250::Encode(text);
    }
    if (texts_[i].size() > 32765) Refuse(names[i], QStringLiteral("je dlhší ako 32765 bajtov"));
    builder->setType(&status, i, SQL_VARYING + 1);
    status.Check();
    builder->setLength(&status, i, unsigned(qMax<qsizetype>(texts_[i].size(), 1)));
    status.Check();
    builder->setCharSet(&status, i, binary ? charSetOctets : charSetWin1250);
    status.Check();
  }
  meta_.Reset(builder->getMetadata(&status));
  status.Check();
  const unsigned length = meta_->getMessageLength(&status);
  status.Check();
  buffer_.assign(length, 0);
  for (unsigned i = 0; i < count; ++i)
    WriteValue(i, names[i], values[i]);
}

void TInputMessage::Refuse(const QString& name, const QString& why) const {
  throw EIBParamValueError(QStringLiteral("Hodnotu parametra %1 nie je možné použiť: %2.").arg(name, why));
}

void TInputMessage::WriteValue(unsigned i, const QString& name, const QVariant& value) {
  const TColumn c = DescribeColumn(meta_.get(), i);
  unsigned char* p = buffer_.data() + c.Offset;
  Write<qint16>(buffer_.data() + c.NullOffset, value.isNull() ? -1 : 0);
  if (value.isNull()) return;
  auto coerced = [&](TFieldType type) {
    try {
      return CoerceToFieldType(value, type);
    } catch (const EDataSetError&) {
      Refuse(name, QStringLiteral("hodnota „%1“ nemá správny typ").arg(value.toString()));
    }
  };
  switch (c.Type) {
  case SQL_VARYING:
    Write<quint16>(p, quint16(texts_[i].size()));
    std::memcpy(p + 2, texts_[i].constData(), size_t(texts_[i].size()));
    break;
  case SQL_SHORT:
  case SQL_LONG:
  case SQL_INT64:
    WriteInteger(c, p, name, value);
    break;
  case SQL_FLOAT:
    Write<float>(p, float(coerced(TFieldType::Float).toDouble()));
    break;
  case SQL_DOUBLE:
  case SQL_D_FLOAT:
    Write<double>(p, coerced(TFieldType::Float).toDouble());
    break;
  case SQL_TYPE_DATE:
    Write<ISC_DATE>(p, EncodeDate(coerced(TFieldType::Date).toDate(), name));
    break;
  case SQL_TYPE_TIME:
    Write<ISC_TIME>(p, EncodeTime(coerced(TFieldType::Time).toTime(), name));
    break;
  case SQL_TIMESTAMP: {
    const QDateTime stamp = coerced(TFieldType::DateTime).toDateTime();
    Write<ISC_TIMESTAMP>(p, ISC_TIMESTAMP{EncodeDate(stamp.date(), name), EncodeTime(stamp.time(), name)});
    break;
  }
  case SQL_BOOLEAN:
    Write<FB_BOOLEAN>(p, coerced(TFieldType::Boolean).toBool() ? FB_TRUE : FB_FALSE);
    break;
  case SQL_BLOB: {
    const QByteArray bytes = value.typeId() == QMetaType::QByteArray ? value.toByteArray()
                             : c.SubType == isc_blob_text
                                 ? [&] {
                                     try {
                                       return Cp1250::Encode(value.toString());
                                     } catch (const ECodePageError& e) {
                                       Refuse(name, e.Message());
                                     }
                                   }()
                                 : value.toByteArray();
    Write<ISC_QUAD>(p, IBBlob::Write(attachment_, transaction_, bytes));
    break;
  }
  default:
    Refuse(name, QStringLiteral("typ parametra %1 nie je podporovaný").arg(c.Type));
  }
}

ISC_DATE TInputMessage::EncodeDate(QDate date, const QString& name) const {
  // The server keeps the years 1 to 9999; an invalid date must not turn into some day.
  if (!date.isValid() || date.year() < 1 || date.year() > 9999)
    Refuse(name, QStringLiteral("dátum nie je platný alebo je mimo rokov 1 až 9999"));
  return ISC_DATE(date.toJulianDay() - dateBase);
}

ISC_TIME TInputMessage::EncodeTime(QTime time, const QString& name) const {
  if (!time.isValid()) Refuse(name, QStringLiteral("čas nie je platný"));
  return ISC_TIME(time.msecsSinceStartOfDay()) * 10;
}

void TInputMessage::WriteInteger(const TColumn& c, unsigned char* p, const QString& name, const QVariant& value) {
  const std::optional<qint64> raw = ScaleDecimal(value, -c.Scale);
  if (!raw) Refuse(name, QStringLiteral("„%1“ nie je číslo v rozsahu stĺpca").arg(value.toString()));
  const qint64 limit = c.Type == SQL_SHORT ? 32767 : c.Type == SQL_LONG ? 2147483647 : 0;
  if (limit != 0 && (*raw > limit || *raw < -limit - 1))
    Refuse(name, QStringLiteral("číslo %1 je mimo rozsahu").arg(value.toString()));
  switch (c.Type) {
  case SQL_SHORT:
    Write<qint16>(p, qint16(*raw));
    break;
  case SQL_LONG:
    Write<qint32>(p, qint32(*raw));
    break;
  default:
    Write<qint64>(p, *raw);
    break;
  }
}

} // namespace

TIBQuery::TIBQuery(QObject* parent) : TDataSet(parent) {}

TIBQuery::~TIBQuery() { Unprepare(); }

void TIBQuery::SetDatabase(TIBDatabase* database) {
  if (database_ == database) return;
  Unprepare();
  if (database_) disconnect(database_, nullptr, this, nullptr);
  database_ = database;
  // The rows stay readable after the connection ends; the statement cannot.
  if (database_) connect(database_, &TIBDatabase::BeforeDisconnect, this, [this] { Unprepare(); });
}

void TIBQuery::SetSQL(const QString& sql) {
  Close();
  Unprepare();
  sql_ = sql;
  params_.clear();
  for (const QString& name : ParseParams(sql).Names)
    if (!FindParam(name)) params_.push_back(std::make_unique<TIBParam>(name));
}

void TIBQuery::SetFilter(const QString& filter) {
  if (filter == filter_) return;
  filter_ = filter;
  FilterChanged();
}

void TIBQuery::SetFiltered(bool filtered) {
  if (filtered == filtered_) return;
  filtered_ = filtered;
  FilterChanged();
}

void TIBQuery::FilterChanged() { RestartStatement(); }

void TIBQuery::RestartStatement() {
  const bool active = Active();
  Close();
  Unprepare();
  if (active) Open();
}

void TIBQuery::ReplaceStatement(const QString& sql) {
  if (sql == sql_) return;
  Unprepare();
  sql_ = sql;
  std::vector<std::unique_ptr<TIBParam>> kept = std::move(params_);
  params_.clear();
  for (const QString& name : ParseParams(sql).Names) {
    if (FindParam(name)) continue;
    auto same = std::find_if(kept.begin(), kept.end(), [&name](const auto& p) { return p && p->Name() == name; });
    params_.push_back(same != kept.end() ? std::move(*same) : std::make_unique<TIBParam>(name));
  }
}

void TIBQuery::RequireFilterWithoutParams(const QString& filter) {
  const QStringList markers = ParseParams(filter).Names;
  if (!markers.isEmpty())
    throw EIBError(QStringLiteral("Filter nesmie obsahovať parametre (:%1).").arg(markers.first()));
}

QString TIBQuery::StatementText() const {
  if (!filtered_ || filter_.trimmed().isEmpty()) return sql_;
  RequireFilterWithoutParams(filter_);
  // The line breaks keep a comment at the end of either text from swallowing what follows.
  return QStringLiteral("SELECT * FROM (\n") + sql_ + QStringLiteral("\n) VIMEK_FILTERED WHERE (\n") + filter_ +
         QStringLiteral("\n)");
}

void TIBQuery::SetDataSource(TDataSource* source) {
  if (source == dataSource_) return;
  dataSource_ = source;
  if (Active()) RestartStatement();
}

TIBParam* TIBQuery::FindParam(const QString& name) const {
  const QString key = name.toUpper();
  for (const auto& param : params_)
    if (param->Name() == key) return param.get();
  return nullptr;
}

TIBParam& TIBQuery::ParamByName(const QString& name) {
  if (TIBParam* param = FindParam(name)) return *param;
  throw EIBError(QStringLiteral("Parameter %1 nie je v príkaze.").arg(name));
}

TIBPersistentField* TIBQuery::FindPersistentField(const QString& name) {
  for (TIBPersistentField& field : persistent_)
    if (field.FieldName.compare(name, Qt::CaseInsensitive) == 0) return &field;
  return nullptr;
}

void TIBQuery::AddPersistentField(const TIBPersistentField& field) {
  Close();
  persistent_.append(field);
}

void TIBQuery::RemovePersistentField(const QString& name) {
  Close();
  persistent_.removeIf(
      [&name](const TIBPersistentField& field) { return field.FieldName.compare(name, Qt::CaseInsensitive) == 0; });
}

void TIBQuery::ClearPersistentFields() {
  Close();
  persistent_.clear();
}

bool TIBQuery::Prepared() const { return statement_ != nullptr; }

void TIBQuery::RequireReady() const {
  if (!database_) throw EIBError(QStringLiteral("Dotaz nemá databázu."));
  if (!transaction_ && !database_->DefaultTransaction()) throw EIBError(QStringLiteral("Dotaz nemá transakciu."));
  if (sql_.trimmed().isEmpty()) throw EIBError(QStringLiteral("Dotaz nemá príkaz."));
}

TIBTransaction* TIBQuery::ActiveTransaction() const {
  if (transaction_) return transaction_;
  TIBTransaction* fallback = database_->DefaultTransaction();
  if (!fallback->InTransaction()) fallback->StartTransaction();
  return fallback;
}

void TIBQuery::Prepare() {
  UpdateStatement();
  Prepare(StatementText());
}

void TIBQuery::Prepare(const QString& text) {
  if (statement_ && statement_->Text == text) return;
  Unprepare();
  RequireReady();
  const TIBParsedSql parsed = ParseParams(text);
  QByteArray bytes;
  try {
    bytes = Cp1250::Encode(parsed.Sql);
  } catch (const ECodePageError& e) {
    throw EIBError(QStringLiteral("Príkaz nie je možné poslať serveru: %1").arg(e.Message()));
  }
  auto statement = std::make_unique<TStatement>();
  statement->Text = text;
  TStatus status;
  statement->Handle.Reset(database_->Attachment()->prepare(&status, ActiveTransaction()->Handle(),
                                                           unsigned(bytes.size()), bytes.constData(), SQL_DIALECT_V6,
                                                           Firebird::IStatement::PREPARE_PREFETCH_METADATA));
  status.Check();
  statement->Input.Reset(statement->Handle->getInputMetadata(&status));
  status.Check();
  statement->Output.Reset(statement->Handle->getOutputMetadata(&status));
  status.Check();
  statement->HasCursor = (statement->Handle->getFlags(&status) & Firebird::IStatement::FLAG_HAS_CURSOR) != 0;
  status.Check();
  const unsigned markers = statement->Input->getCount(&status);
  status.Check();
  if (markers != unsigned(parsed.Names.size()))
    throw EIBError(QStringLiteral("Príkaz obsahuje parametre bez mena (?); použite :MENO."));
  for (const QString& name : parsed.Names)
    if (!FindParam(name)) throw EIBError(QStringLiteral("Parameter %1 nie je v príkaze.").arg(name));
  statement->MarkerNames = parsed.Names;
  statement_ = std::move(statement);
}

TIBStatementType TIBQuery::StatementType() {
  Prepare();
  return PreparedType();
}

TIBStatementType TIBQuery::PreparedType() const {
  TStatus status;
  const unsigned type = statement_->Handle->getType(&status);
  status.Check();
  return type <= unsigned(TIBStatementType::Savepoint) ? TIBStatementType(type) : TIBStatementType::Unknown;
}

bool TIBQuery::ReturnsRows() {
  Prepare();
  TStatus status;
  return status.Checked(statement_->Output->getCount(&status)) > 0;
}

void TIBQuery::Unprepare() {
  if (!statement_) return;
  TStatus status;
  statement_->Handle->free(&status);
  if (!status.Failed()) statement_->Handle.release(); // free() released it
  statement_.reset();
}

QList<QVariant> TIBQuery::MarkerValues() const {
  QList<QVariant> values;
  for (const QString& name : statement_->MarkerNames)
    values.append(FindParam(name)->Value());
  return values;
}

void TIBQuery::ExecSQL() {
  Close();
  // The filter narrows what an open shows; a statement runs as written.
  Prepare(sql_);
  // Run here, the server would end or replace the transaction behind the
  // back of its TIBTransaction, which would then work on a freed handle.
  const TIBStatementType type = PreparedType();
  if (type == TIBStatementType::StartTransaction || type == TIBStatementType::Commit ||
      type == TIBStatementType::Rollback)
    throw EIBError(QStringLiteral("Príkaz riadi transakciu (SET TRANSACTION, COMMIT, ROLLBACK); transakcie riadi "
                                  "program sám."));
  Firebird::IAttachment* attachment = database_->Attachment();
  Firebird::ITransaction* transaction = ActiveTransaction()->Handle();
  TInputMessage input(attachment, transaction, statement_->Input.get(), statement_->MarkerNames, MarkerValues());
  TStatus status;
  if (statement_->HasCursor) {
    TRef<Firebird::IResultSet> cursor(statement_->Handle->openCursor(&status, transaction, input.Metadata(),
                                                                     input.Buffer(), statement_->Output.get(), 0));
    status.Check();
    // Fetching is what evaluates the select list (GEN_ID, procedures), so the rows are read and dropped.
    const unsigned length = statement_->Output->getMessageLength(&status);
    status.Check();
    std::vector<unsigned char> row(qMax(length, 1u));
    while (cursor->fetchNext(&status, row.data()) == Firebird::IStatus::RESULT_OK) {
    }
    status.Check();
    cursor->close(&status);
    status.Check();
    cursor.release(); // close() released it
  } else {
    const unsigned length = statement_->Output->getMessageLength(&status);
    status.Check();
    std::vector<unsigned char> output(qMax(length, 1u));
    statement_->Handle->execute(&status, transaction, input.Metadata(), input.Buffer(), statement_->Output.get(),
                                output.data());
    status.Check();
  }
  rowsAffected_ = int(statement_->Handle->getAffectedRecords(&status));
  status.Check();
}

// --- master data source

void TIBQuery::FollowMaster() {
  TDataSet* master = dataSource_ ? dataSource_->DataSet() : nullptr;
  if (master == this) master = nullptr; // a query cannot be its own master
  if (master != followed_) {
    if (followed_) disconnect(followed_, nullptr, this, nullptr);
    followed_ = master;
    if (master) {
      connect(master, &TDataSet::Scrolled, this, &TIBQuery::MasterChanged);
      connect(master, &TDataSet::DataSetChanged, this, &TIBQuery::MasterChanged);
    }
  }
  if (master && master->Active()) FillMasterParams(*master);
}

void TIBQuery::FillMasterParams(const TDataSet& master) {
  for (const auto& param : params_)
    if (!param->Bound())
      if (const TField* field = master.FindField(param->Name())) param->SetValue(field->AsVariant());
}

void TIBQuery::MasterChanged() {
  if (!Active() || reopening_) return;
  reopening_ = true;
  try {
    Close();
    Open();
  } catch (...) {
    reopening_ = false;
    throw;
  }
  reopening_ = false;
}

// --- fetching

namespace {

// The columns of an output message as fields and as the reading layout.
void DescribeOutput(Firebird::IMessageMetadata* meta, QList<TFieldDef>& defs, std::vector<TColumn>* columns,
                    int* blobCount) {
  TStatus status;
  const unsigned count = meta->getCount(&status);
  status.Check();
  if (count == 0) throw EIBError(QStringLiteral("Príkaz nevracia žiadne riadky; použite ExecSQL."));
  for (unsigned i = 0; i < count; ++i) {
    TColumn c = DescribeColumn(meta, i);
    if (c.Type == SQL_BLOB && blobCount) c.BlobSlot = (*blobCount)++;
    TFieldDef def;
    def.Name = Cp1250::Decode(QByteArrayView(status.Checked(meta->getAlias(&status, i))));
    def.Required = !status.Checked(meta->isNullable(&status, i));
    def.DataType = FieldTypeOf(c);
    if (def.DataType == TFieldType::Unknown)
      throw EIBError(QStringLiteral("Stĺpec %1 má nepodporovaný typ %2.").arg(def.Name).arg(c.Type));
    if (def.DataType == TFieldType::String) def.Size = int(c.Length);
    if (c.Scale < 0) def.Precision = -c.Scale;
    defs.append(def);
    if (columns) columns->push_back(c);
  }
}

} // namespace

QList<TFieldDef> TIBQuery::FieldDefinitions() {
  Prepare();
  QList<TFieldDef> defs;
  DescribeOutput(statement_->Output.get(), defs, nullptr, nullptr);
  return defs;
}

void TIBQuery::DoOpen(QList<TFieldDef>& defs) {
  if (BeforeOpen) BeforeOpen();
  UpdateStatement();
  FollowMaster();
  Prepare(StatementText());
  TStatus status;
  Firebird::IMessageMetadata* meta = statement_->Output.get();
  const unsigned length = meta->getMessageLength(&status);
  status.Check();
  auto rows = std::make_unique<TRows>(length);
  QList<TFieldDef> columns;
  DescribeOutput(meta, columns, &rows->Columns, &rows->BlobCount);
  MapFields(columns, defs);

  Firebird::IAttachment* attachment = database_->Attachment();
  Firebird::ITransaction* transaction = ActiveTransaction()->Handle();
  TInputMessage input(attachment, transaction, statement_->Input.get(), statement_->MarkerNames, MarkerValues());

  auto readBlobs = [&](const unsigned char* row) {
    for (const TColumn& c : rows->Columns) {
      if (c.BlobSlot < 0) continue;
      QVariant value;
      if (Read<qint16>(row + c.NullOffset) == 0) {
        const QByteArray bytes = IBBlob::Read(attachment, transaction, Read<ISC_QUAD>(row + c.Offset));
        value = c.SubType == isc_blob_text ? QVariant(Cp1250::Decode(bytes)) : QVariant(bytes);
      }
      rows->Blobs.push_back(value);
    }
  };

  if (statement_->HasCursor) {
    TRef<Firebird::IResultSet> cursor(
        statement_->Handle->openCursor(&status, transaction, input.Metadata(), input.Buffer(), meta, 0));
    status.Check();
    // The client writes into one buffer that stays in the cache; the row is copied from there.
    std::vector<unsigned char> message(length);
    while (cursor->fetchNext(&status, message.data()) == Firebird::IStatus::RESULT_OK) {
      const unsigned char* row = rows->Store.Append(message.data());
      if (rows->BlobCount > 0) readBlobs(row);
    }
    status.Check();
    cursor->close(&status);
    status.Check();
    cursor.release(); // close() released it
  } else {
    // A procedure with outputs returns exactly one row.
    std::vector<unsigned char> message(length);
    statement_->Handle->execute(&status, transaction, input.Metadata(), input.Buffer(), meta, message.data());
    status.Check();
    readBlobs(rows->Store.Append(message.data()));
  }
  rows->Store.Seal();
  rows_ = std::move(rows);
}

void TIBQuery::MapFields(const QList<TFieldDef>& columns, QList<TFieldDef>& defs) {
  map_.reset();
  if (persistent_.isEmpty()) {
    defs = columns;
    return;
  }
  auto map = std::make_unique<TFieldMap>();
  for (const TIBPersistentField& field : persistent_) {
    TFieldDef def;
    const TFieldType type = CoreFieldType(field.DataType);
    if (field.Lookup) {
      TFieldMap::TLookup lookup;
      for (const QString& key : FieldList(field.KeyFields)) {
        const int column = ColumnNamed(columns, key);
        if (column < 0)
          throw EIBError(
              QStringLiteral("Kľúčová položka %1 lookup položky %2 nie je vo výsledku.").arg(key, field.FieldName));
        lookup.KeyColumns.append(column);
      }
      map->Lookups.emplace(int(map->Columns.size()), lookup);
      map->Columns.push_back(-1);
      def.DataType = type;
    } else {
      const int column = ColumnNamed(columns, field.FieldName);
      if (column < 0) throw EIBError(QStringLiteral("Položka %1 nie je vo výsledku.").arg(field.FieldName));
      map->Columns.push_back(column);
      def = columns[column];
      if (type != TFieldType::Unknown) def.DataType = type;
    }
    def.Name = field.FieldName;
    if (field.Size > 0) def.Size = field.Size;
    map->Types.push_back(type);
    defs.append(def);
  }
  map_ = std::move(map);
}

void TIBQuery::DoClose() {
  rows_.reset();
  map_.reset();
}

int TIBQuery::DoRecordCount() const { return rows_ ? rows_->Store.Count() : 0; }

QVariant TIBQuery::DoValue(int row, int fieldIndex) const {
  if (map_) {
    const int column = map_->Columns[size_t(fieldIndex)];
    const QVariant value = column < 0 ? LookupValue(row, fieldIndex) : ColumnValue(row, column);
    return CoerceToFieldType(value, map_->Types[size_t(fieldIndex)]);
  }
  return ColumnValue(row, fieldIndex);
}

QVariant TIBQuery::ColumnValue(int row, int column) const {
  const TColumn& c = rows_->Columns[size_t(column)];
  const unsigned char* data = rows_->Store.Row(row);
  if (Read<qint16>(data + c.NullOffset) != 0) return QVariant();
  if (c.BlobSlot >= 0) return rows_->Blobs[size_t(row) * size_t(rows_->BlobCount) + size_t(c.BlobSlot)];
  return DecodeValue(c, data);
}

QVariant TIBQuery::LookupValue(int row, int fieldIndex) const {
  const TIBPersistentField& field = persistent_[fieldIndex];
  TFieldMap::TLookup& lookup = map_->Lookups.at(fieldIndex);
  TDataSet* source = field.LookupDataSet;
  if (!source || !source->Active()) return {};
  if (!lookup.Valid || lookup.Source != source) {
    for (const QMetaObject::Connection& watch : lookup.Watches)
      disconnect(watch);
    lookup.Watches.clear();
    lookup.Rows.clear();
    const QStringList keys = FieldList(field.LookupKeyFields);
    QList<int> keyFields;
    for (const QString& key : keys)
      keyFields.append(source->FieldByName(key).Index());
    lookup.ResultField = source->FieldByName(field.LookupResultField).Index();
    for (int r = source->RecordCount() - 1; r >= 0; --r) { // the first row of a key wins
      QVariantList values;
      for (int k : keyFields)
        values.append(source->ValueAt(r, k));
      lookup.Rows.insert(LookupKey(values), r);
    }
    lookup.Source = source;
    lookup.Valid = true;
    TFieldMap::TLookup* watched = &lookup;
    auto forget = [watched] { watched->Valid = false; };
    lookup.Watches = {connect(source, &TDataSet::DataSetChanged, this, forget),
                      connect(source, &TDataSet::RecordChanged, this, forget)};
  }
  QVariantList values;
  for (int column : lookup.KeyColumns)
    values.append(ColumnValue(row, column));
  const auto found = lookup.Rows.constFind(LookupKey(values));
  return found == lookup.Rows.cend() ? QVariant() : source->ValueAt(*found, lookup.ResultField);
}
