#pragma once
#include "core/DataSet.h"
#include <QtCore/QList>
#include <vector>

// Column types of the in-memory data set's definitions: the full set a
// datapacket or a copied structure can name. Only some of them can hold a
// value (UxFieldTypeStorable); the rest get no field.
enum class TUxFieldType {
  Unknown,
  String,
  SmallInt,
  Integer,
  Word,
  Boolean,
  Float,
  Currency,
  BCD,
  Date,
  Time,
  DateTime,
  Bytes,
  VarBytes,
  AutoInc,
  Blob,
  Memo,
  Graphic,
  FmtMemo,
  ParadoxOle,
  DBaseOle,
  TypedBinary,
  Cursor,
  FixedChar,
  WideString,
  LargeInt,
  ADT,
  Array,
  Reference,
  DataSet,
  OraBlob,
  OraClob,
  Variant,
  Interface,
  IDispatch,
  Guid
};

enum class TFieldKind { Data, Calculated, Lookup, InternalCalc, Aggregate };

// One column definition with the display attributes its field carries.
struct TUxFieldDef {
  QString Name;
  TUxFieldType DataType = TUxFieldType::Unknown;
  int Size = 0;
  bool Required = false;
  TFieldKind Kind = TFieldKind::Data;
  QString DisplayLabel;
  QString EditMask;
  int DisplayWidth = 0;
  bool ReadOnly = false;
};

// Whether a column of this type keeps values (cursor, array, reference,
// nested data set, interface, dispatch interface and unknown do not).
bool UxFieldTypeStorable(TUxFieldType type);
// The value type of the abstract data set that stores a column of this type.
TFieldType ToFieldType(TUxFieldType type);

// A data set whose rows live only in memory, with the field, navigation and
// editing interface of the database queries. It is filled by the datapacket
// reader or copied from another data set; records keep an id unique within
// the data set.
class TUxMemoryData : public TDataSet {
  Q_OBJECT
public:
  explicit TUxMemoryData(QObject* parent = nullptr);
  ~TUxMemoryData() override;

  // Initial capacity of the record list.
  int Capacity() const { return capacity_; }
  void SetCapacity(int capacity) { capacity_ = capacity; }

  // Definitions can change only while the data set is closed (EDataSetError otherwise).
  const QList<TUxFieldDef>& FieldDefs() const { return defs_; }
  void ClearFieldDefs();
  void AddFieldDef(const TUxFieldDef& def);
  // The definition behind a field of the open data set (display label, kind...).
  const TUxFieldDef& FieldDefOf(const TField& field) const;

  // Finds the first record whose key fields (names separated by ";") match
  // the values; the current record is tested first and wins. Text fields
  // compare as text, cut to the key's length with loPartialKey, ignoring
  // case with loCaseInsensitive; a Null key matches a Null field. Returns
  // whether a record matched; without a match the position stays.
  bool Locate(const QString& keyFields, const QVariantList& keyValues, TLocateOptions options = 0) override;
  bool Locate(const QString& keyField, const QVariant& keyValue, TLocateOptions options = 0) {
    return Locate(keyField, QVariantList{keyValue}, options);
  }
  // Moves to the 1-based record number; numbers outside 1..RecordCount are ignored.
  void SetRecNo(int recNo) override;

  // The id of the current record, 0 when there is none.
  qint64 CurrentRecordId() const;
  // The highest auto-increment value copied in so far.
  qint64 MaxAutoIncValue() const { return maxAutoInc_; }

  // Replaces the definitions by the source's (the data set must be closed);
  // columns of types that keep no values are left out, and with
  // `autoIncAsInteger` auto-increment columns become 32-bit integers.
  void TakeStructureFrom(TDataSet& source, bool autoIncAsInteger);
  // Copies rows of the source: with count <= 0 every row from its first,
  // else up to `count` rows from its current one. Mode 0 takes the source's
  // structure first, mode 1 appends to the present structure (fields
  // matched by name). Returns the number of rows copied; 0 when the source
  // is this data set.
  int LoadRowsFromDataSet(TDataSet& source, int count, int mode);

  bool CanModify() const override { return true; }

protected:
  void DoOpen(QList<TFieldDef>& defs) override;
  void DoClose() override;
  int DoRecordCount() const override;
  QVariant DoValue(int row, int fieldIndex) const override;
  int DoPost(int row, const QVariantList& values) override;
  void DoDelete(int row) override;

private:
  struct TUxMemoryRecord {
    qint64 Id = 0;
    QVariantList Values;
  };
  void RequireInactive() const;
  bool RecordMatches(int row, const QList<const TField*>& fields, const QVariantList& values,
                     TLocateOptions options) const;
  int RowOfRecordId(qint64 id) const;

  QList<TUxFieldDef> defs_;
  QList<int> fieldDefIndex_; // definition of each open field
  std::vector<TUxMemoryRecord> records_;
  qint64 nextRecordId_ = 1;
  qint64 maxAutoInc_ = 0;
  int capacity_ = 0;
};
