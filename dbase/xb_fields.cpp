#include "dbase/xb_fields.h"
#include "dbase/xb_pgfile.h"

TableFormat TXbFieldDef::Format() const { return collection_ ? collection_->Format : TableFormat::Dbase4; }

bool TXbFieldDef::UseFloatFields() const { return collection_ ? collection_->UseFloatFields : true; }

void TXbFieldDef::SetFieldType(TXbFieldType type) {
  fieldType_ = type;
  FieldTypeToNative();
  SetDefaultSize();
}

void TXbFieldDef::SetNativeFieldType(char native) {
  if (native >= 'a' && native <= 'z') native = char(native - 'a' + 'A');
  native_ = native;
  NativeToFieldType();
  CheckSizePrecision();
}

void TXbFieldDef::SetSize(int size) {
  size_ = size;
  CheckSizePrecision();
}

void TXbFieldDef::SetPrecision(int precision) {
  precision_ = precision;
  CheckSizePrecision();
}

void TXbFieldDef::NativeToFieldType() {
  switch (native_) {
  case '+':
    fieldType_ = ftAutoInc;
    break;
  case '0':
    fieldType_ = ftBytes;
    break;
  case '@':
  case 'T':
    fieldType_ = ftDateTime;
    break;
  case 'B':
    fieldType_ = ftBlob;
    break;
  case 'C':
  case char(0x91):
    fieldType_ = ftString;
    break;
  case 'D':
    fieldType_ = ftDate;
    break;
  case 'F':
  case 'N':
    if (precision_ > 0)
      fieldType_ = ftFloat;
    else if (size_ <= 4)
      fieldType_ = ftSmallint;
    else if (UseFloatFields())
      fieldType_ = ftFloat;
    else
      fieldType_ = size_ <= 9 ? ftInteger : ftLargeint;
    break;
  case 'G':
    fieldType_ = ftDBaseOle;
    break;
  case 'I':
    fieldType_ = ftInteger;
    break;
  case 'L':
    fieldType_ = ftBoolean;
    break;
  case 'M':
    fieldType_ = ftMemo;
    break;
  case 'O':
    fieldType_ = ftFloat;
    break;
  case 'Y':
    fieldType_ = kCurrencyAsBcd ? ftBCD : ftCurrency;
    break;
  default:
    fieldType_ = ftUnknown;
    native_ = 0;
  }
}

void TXbFieldDef::FieldTypeToNative() {
  const TableFormat format = Format();
  char native = 0;
  switch (fieldType_) {
  case ftString:
  case ftFixedChar:
  case ftWideString:
    native = 'C';
    break;
  case ftSmallint:
  case ftWord:
  case ftFloat:
  case ftLargeint:
    native = 'N';
    break;
  case ftInteger:
    native = format == TableFormat::Dbase7 ? 'I' : 'N';
    break;
  case ftBoolean:
    native = 'L';
    break;
  case ftCurrency:
  case ftBCD:
    native = format == TableFormat::FoxPro ? 'Y' : 0;
    break;
  case ftDate:
    native = 'D';
    break;
  case ftDateTime:
    native = format == TableFormat::Dbase7 ? '@' : format == TableFormat::FoxPro ? 'T' : 0;
    break;
  case ftAutoInc:
    native = '+';
    break;
  case ftBlob:
    native = 'B';
    break;
  case ftMemo:
    native = 'M';
    break;
  case ftDBaseOle:
    native = 'G';
    break;
  default:
    break;
  }
  if (native == 0)
    throw EXbError(XbMessages::FieldTypeNotSupported().arg(FieldName, QString::number(int(fieldType_), 16)));
  native_ = native;
}

void TXbFieldDef::SetDefaultSize() {
  const bool dbase7 = Format() == TableFormat::Dbase7;
  switch (fieldType_) {
  case ftString:
  case ftFixedChar:
  case ftWideString:
    size_ = 30, precision_ = 0;
    break;
  case ftSmallint:
  case ftWord:
    size_ = 4, precision_ = 0;
    break;
  case ftInteger:
  case ftAutoInc:
    size_ = dbase7 ? 4 : 9, precision_ = 0;
    break;
  case ftFloat:
    size_ = 18, precision_ = 9;
    break;
  case ftCurrency:
  case ftBCD:
    size_ = 8, precision_ = 4;
    break;
  case ftLargeint:
    size_ = 18, precision_ = 0;
    break;
  default:
    break;
  }
  CheckSizePrecision();
}

void TXbFieldDef::CheckSizePrecision() {
  switch (native_) {
  case '+':
  case 'I':
    size_ = 4, precision_ = 0;
    break;
  case 'B':
  case 'G':
  case 'M':
    // Visual FoxPro tables keep the block number in 4 binary bytes.
    size_ = Format() == TableFormat::FoxPro && size_ == 4 ? 4 : 10, precision_ = 0;
    break;
  case 'C':
    size_ = std::clamp(size_, 0, 65534), precision_ = 0;
    break;
  case 'F':
  case 'N':
    size_ = std::clamp(size_, 1, 20);
    precision_ = std::max(0, std::min(precision_, size_ - 2));
    break;
  case 'L':
    size_ = 1, precision_ = 0;
    break;
  case 'T':
    size_ = Format() == TableFormat::FoxPro ? 8 : 14, precision_ = 0;
    break;
  case '@':
  case 'O':
  case 'D':
    size_ = 8, precision_ = 0;
    break;
  case 'Y':
    size_ = 8, precision_ = 4;
    break;
  default:
    break;
  }
}

void TXbFieldDef::Assign(const TXbFieldDef& other) {
  FieldName = other.FieldName;
  fieldType_ = other.fieldType_;
  native_ = other.native_;
  size_ = other.size_;
  precision_ = other.precision_;
  Required = other.Required;
  NullPosition = other.NullPosition;
  DefaultValue = other.DefaultValue;
  MinValue = other.MinValue;
  MaxValue = other.MaxValue;
  Offset = other.Offset;
  AutoIncNext = other.AutoIncNext;
}

TXbFieldDef& TXbFieldDefs::Add() {
  items_.push_back(std::make_unique<TXbFieldDef>(this));
  return *items_.back();
}

TXbFieldDef& TXbFieldDefs::Add(const QString& name, TXbFieldType type, int size, int precision) {
  TXbFieldDef& def = Add();
  def.FieldName = name;
  try {
    def.SetFieldType(type);
  } catch (...) {
    items_.pop_back();
    throw;
  }
  if (size > 0) {
    def.SetSize(size);
    def.SetPrecision(precision);
  }
  return def;
}
