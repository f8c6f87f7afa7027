#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <memory>
#include <vector>

// The record-set field types that dBASE fields map to; the numbers are the
// ordinals shown in the unsupported-type message.
enum TXbFieldType {
  ftUnknown = 0,
  ftString = 1,
  ftSmallint = 2,
  ftInteger = 3,
  ftWord = 4,
  ftBoolean = 5,
  ftFloat = 6,
  ftCurrency = 7,
  ftBCD = 8,
  ftDate = 9,
  ftTime = 10,
  ftDateTime = 11,
  ftBytes = 12,
  ftAutoInc = 14,
  ftBlob = 15,
  ftMemo = 16,
  ftDBaseOle = 20,
  ftFixedChar = 23,
  ftWideString = 24,
  ftLargeint = 25
};

enum class TableFormat { Dbase3, Dbase4, Dbase7, FoxPro };

class TXbFieldDefs;

// One field of a table: its native dBASE type, size and decimals, and the
// record-set type they map to; setting either type keeps both consistent.
class TXbFieldDef {
public:
  explicit TXbFieldDef(TXbFieldDefs* collection = nullptr) : collection_(collection) {}

  QString FieldName;
  bool Required = false;
  int NullPosition = -1;
  int Offset = 0;
  qint32 AutoIncNext = 0;

  TXbFieldType FieldType() const { return fieldType_; }
  // Derives the native type and applies the type's default size; raises
  // EXbError when the table format has no native type for it.
  void SetFieldType(TXbFieldType type);
  char NativeFieldType() const { return native_; }
  void SetNativeFieldType(char native);
  int Size() const { return size_; }
  int Precision() const { return precision_; }
  void SetSize(int size);
  void SetPrecision(int precision);
  bool IsBlob() const { return native_ == 'B' || native_ == 'G' || native_ == 'M'; }
  QString DisplayName() const { return FieldName; }

  // Default, minimum and maximum values in the stored encoding (Size bytes);
  // an empty array when absent.
  QByteArray DefaultValue, MinValue, MaxValue;
  bool HasDefault() const { return !DefaultValue.isEmpty(); }

  void Assign(const TXbFieldDef& other);
  TXbFieldDefs* Collection() const { return collection_; }
  void SetCollection(TXbFieldDefs* collection) { collection_ = collection; }

private:
  TableFormat Format() const;
  bool UseFloatFields() const;
  void FieldTypeToNative();
  void NativeToFieldType();
  void SetDefaultSize();
  void CheckSizePrecision();

  TXbFieldDefs* collection_;
  TXbFieldType fieldType_ = ftUnknown;
  char native_ = 0;
  int size_ = 0;
  int precision_ = 0;
};

// The ordered fields of a table with the format and switch their conversions use.
class TXbFieldDefs {
public:
  explicit TXbFieldDefs(void* owner = nullptr) : owner_(owner) {}
  TXbFieldDefs(const TXbFieldDefs&) = delete;
  TXbFieldDefs& operator=(const TXbFieldDefs&) = delete;

  TXbFieldDef& Add();
  // Adds a field by name, type, and (when above 0) size and decimals.
  TXbFieldDef& Add(const QString& name, TXbFieldType type, int size = 0, int precision = 0);
  TXbFieldDef& operator[](int index) const { return *items_[std::size_t(index)]; }
  int Count() const { return int(items_.size()); }
  void Clear() { items_.clear(); }
  void* Owner() const { return owner_; }

  TableFormat Format = TableFormat::Dbase4;
  bool UseFloatFields = true;

private:
  void* owner_;
  std::vector<std::unique_ptr<TXbFieldDef>> items_;
};

// The process-wide switch: currency fields read as their stored 8 bytes.
constexpr bool kCurrencyAsBcd = true;
