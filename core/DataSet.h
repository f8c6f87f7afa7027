#pragma once
#include "core/DateTime.h"
#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <memory>
#include <vector>

class TDataSet;

enum class TFieldType {
  Unknown,
  String,
  SmallInt,
  Integer,
  LargeInt,
  Float,
  Currency,
  Boolean,
  Date,
  Time,
  DateTime,
  Memo,
  Blob
};

// The description of one column of a data set. `Size` is the character length
// of strings, `Precision` the count of decimals of fixed-point numbers.
struct TFieldDef {
  QString Name;
  TFieldType DataType = TFieldType::Unknown;
  int Size = 0;
  int Precision = 0;
  bool Required = false;
};

// One column of an open data set, bound to its current record. Values are
// QVariants inside: an invalid or null variant is Null.
class TField {
public:
  TField(TDataSet* dataSet, int index, TFieldDef def) : dataSet_(dataSet), index_(index), def_(std::move(def)) {}

  const QString& FieldName() const { return def_.Name; }
  TFieldType DataType() const { return def_.DataType; }
  int Size() const { return def_.Size; }
  int Index() const { return index_; }
  const TFieldDef& Def() const { return def_; }
  TDataSet* DataSet() const { return dataSet_; }

  QVariant AsVariant() const;
  bool IsNull() const;
  // Null reads as "", 0, 0.0, 0 (30.12.1899) and false.
  QString AsString() const;
  int AsInteger() const;
  qint64 AsLargeInt() const;
  double AsFloat() const;
  TDateTime AsDateTime() const;
  bool AsBoolean() const;

  // Writing needs the data set in edit or insert state.
  void SetValue(const QVariant& value);
  void Clear() { SetValue(QVariant()); }

  // Views that list every field (the ad-hoc table prints) leave a hidden field out.
  bool Visible = true;
  // The caption such views show: the label set, else the field name.
  QString DisplayLabel() const { return label_.isEmpty() ? def_.Name : label_; }
  void SetDisplayLabel(const QString& label) { label_ = label; }
  // The width in characters such a view gives the field: a string's length, else 10.
  int DisplayWidth() const { return def_.DataType == TFieldType::String && def_.Size > 0 ? def_.Size : 10; }

private:
  TDataSet* dataSet_;
  int index_;
  TFieldDef def_;
  QString label_;
};

enum class TDataSetState { Inactive, Browse, Edit, Insert };

enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = int;

// A position in a data set that survives scrolling; -1 is no bookmark.
using TBookmark = qint64;

// The abstract data set that the database query, the in-memory data set and
// the dBASE table implement, and that the list grid, the report engine and the
// exports consume. Navigation, field access, Locate, bookmarks and the edit
// buffer are written once here over a random-access record store that each
// implementation provides (`DoRecordCount`, `DoValue`).
class TDataSet : public QObject {
  Q_OBJECT
public:
  explicit TDataSet(QObject* parent = nullptr);
  ~TDataSet() override;

  void Open();
  void Close();
  bool Active() const { return state_ != TDataSetState::Inactive; }
  void SetActive(bool active) { active ? Open() : Close(); }
  TDataSetState State() const { return state_; }

  void First();
  void Last();
  void Next();
  void Prior();
  // Moves by `distance` records; returns the distance actually moved.
  int MoveBy(int distance);
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }
  bool IsEmpty() const { return RecordCount() == 0; }
  // 1-based number of the current record, 0 when empty.
  int RecNo() const;
  virtual void SetRecNo(int recNo);
  int RecordCount() const;

  const std::vector<std::unique_ptr<TField>>& Fields() const { return fields_; }
  int FieldCount() const { return int(fields_.size()); }
  QStringList FieldNames() const;
  // Names compare without case. A name is searched for once per opening; the
  // answer is kept for the caller's spelling, so lookups in a loop cost a hash.
  TField* FindField(const QString& name) const;
  // Throws EDataSetError naming the field when there is none.
  TField& FieldByName(const QString& name) const;
  TField& FieldByNumber(int index) const;
  QVariant FieldValue(int fieldIndex) const;

  // Finds the first record whose fields (names separated by ";") equal the
  // values; makes it current and returns true, else keeps the position.
  // Implementations may search differently (e.g. test the current record first).
  virtual bool Locate(const QString& keyFields, const QVariantList& keyValues, TLocateOptions options = 0);
  bool Locate(const QString& keyField, const QVariant& keyValue, TLocateOptions options = 0) {
    return Locate(keyField, QVariantList{keyValue}, options);
  }

  TBookmark GetBookmark() const;
  bool BookmarkValid(TBookmark bookmark) const;
  void GotoBookmark(TBookmark bookmark);

  // While disabled (counted), views get no notifications; enabling the last
  // level sends one DataSetChanged.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ > 0; }

  // Editing, for implementations that support it (CanModify).
  virtual bool CanModify() const { return false; }
  void Edit();
  void Append();
  void Insert() { Append(); }
  void Post();
  void Cancel();
  void Delete();

  // Row-wise access for views that show many records at once (grid, exports):
  // no scrolling, no notifications. `row` is 0-based.
  QVariant ValueAt(int row, int fieldIndex) const;

signals:
  // The whole content or the structure changed (open, close, refresh, enable).
  void DataSetChanged();
  // The current record moved.
  void Scrolled();
  // The values of one row (0-based) changed.
  void RecordChanged(int row);

protected:
  // Implementations fill `defs` and make their records available.
  virtual void DoOpen(QList<TFieldDef>& defs) = 0;
  virtual void DoClose() = 0;
  virtual int DoRecordCount() const = 0;
  virtual QVariant DoValue(int row, int fieldIndex) const = 0;
  // Editing hooks; `row` is -1 for a new record. Return the row of the posted record.
  virtual int DoPost(int row, const QVariantList& values);
  virtual void DoDelete(int row);
  // Called before a record enters the edit or insert state (e.g. to lock it,
  // or to prepare the new record; throwing keeps the data set in browse
  // state) and when an edit or insert is cancelled (`row` -1 for an insert).
  virtual void DoEdit(int row) {}
  virtual void DoCancel(int row) {}
  // Called by a subclass that changed its records outside Open/Post/Delete.
  void RecordsReplaced();
  // The 0-based current row, -1 when empty.
  int CurrentRow() const { return row_; }
  void SetCurrentRow(int row);

private:
  friend class TField;
  void SetFieldValue(int fieldIndex, const QVariant& value);
  void RequireActive() const;
  void RequireBrowse(const char* operation) const;
  void NotifyChanged();
  void NotifyScrolled();
  bool RowMatches(int row, const QList<int>& fieldIndexes, const QVariantList& values, TLocateOptions options) const;

  std::vector<std::unique_ptr<TField>> fields_;
  mutable QHash<QString, TField*> fieldsByName_;
  TDataSetState state_ = TDataSetState::Inactive;
  int row_ = -1;
  bool eof_ = true;
  bool bof_ = true;
  int disableCount_ = 0;
  bool pendingChange_ = false;
  QVariantList editBuffer_;
  int editRow_ = -1;
};

// Converts a stored value to the field type's QVariant, for implementations.
QVariant CoerceToFieldType(const QVariant& value, TFieldType type);

// The text of a stored value as TField::AsString gives it (Null gives "").
QString VariantText(const QVariant& value);
