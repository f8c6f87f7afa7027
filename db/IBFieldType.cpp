#include "db/IBFieldType.h"

namespace {

const char* const kFieldTypeNames[kIBFieldTypeCount] = {
    "ftUnknown",    "ftString",     "ftSmallint", "ftInteger",     "ftWord",      "ftBoolean",
    "ftFloat",      "ftCurrency",   "ftBCD",      "ftDate",        "ftTime",      "ftDateTime",
    "ftBytes",      "ftVarBytes",   "ftAutoInc",  "ftBlob",        "ftMemo",      "ftGraphic",
    "ftFmtMemo",    "ftParadoxOle", "ftDBaseOle", "ftTypedBinary", "ftCursor",    "ftFixedChar",
    "ftWideString", "ftLargeint",   "ftADT",      "ftArray",       "ftReference", "ftDataSet",
    "ftOraBlob",    "ftOraClob",    "ftVariant",  "ftInterface",   "ftIDispatch", "ftGuid"};

} // namespace

QString IBFieldTypeName(TIBFieldType type) {
  const int code = int(type);
  return code < kIBFieldTypeCount ? QLatin1String(kFieldTypeNames[code]) : QString();
}

TIBFieldType IBFieldTypeFromCode(int code) {
  return code >= 0 && code < kIBFieldTypeCount ? TIBFieldType(code) : TIBFieldType::ftUnknown;
}

TIBFieldType IBFieldTypeOf(TFieldType type) {
  switch (type) {
  case TFieldType::String:
    return TIBFieldType::ftString;
  case TFieldType::SmallInt:
    return TIBFieldType::ftSmallint;
  case TFieldType::Integer:
    return TIBFieldType::ftInteger;
  case TFieldType::LargeInt:
    return TIBFieldType::ftLargeint;
  case TFieldType::Float:
    return TIBFieldType::ftFloat;
  case TFieldType::Currency:
    return TIBFieldType::ftBCD;
  case TFieldType::Boolean:
    return TIBFieldType::ftBoolean;
  case TFieldType::Date:
    return TIBFieldType::ftDate;
  case TFieldType::Time:
    return TIBFieldType::ftTime;
  case TFieldType::DateTime:
    return TIBFieldType::ftDateTime;
  case TFieldType::Memo:
    return TIBFieldType::ftMemo;
  case TFieldType::Blob:
    return TIBFieldType::ftBlob;
  case TFieldType::Unknown:
    break;
  }
  return TIBFieldType::ftUnknown;
}

TFieldType CoreFieldType(TIBFieldType type) {
  using F = TIBFieldType;
  switch (type) {
  case F::ftString:
  case F::ftFixedChar:
  case F::ftWideString:
  case F::ftGuid:
    return TFieldType::String;
  case F::ftSmallint:
    return TFieldType::SmallInt;
  case F::ftInteger:
  case F::ftWord:
  case F::ftAutoInc:
    return TFieldType::Integer;
  case F::ftLargeint:
    return TFieldType::LargeInt;
  case F::ftFloat:
    return TFieldType::Float;
  case F::ftCurrency:
  case F::ftBCD:
    return TFieldType::Currency;
  case F::ftBoolean:
    return TFieldType::Boolean;
  case F::ftDate:
    return TFieldType::Date;
  case F::ftTime:
    return TFieldType::Time;
  case F::ftDateTime:
    return TFieldType::DateTime;
  case F::ftMemo:
  case F::ftFmtMemo:
  case F::ftOraClob:
    return TFieldType::Memo;
  case F::ftBytes:
  case F::ftVarBytes:
  case F::ftBlob:
  case F::ftGraphic:
  case F::ftParadoxOle:
  case F::ftDBaseOle:
  case F::ftTypedBinary:
  case F::ftOraBlob:
    return TFieldType::Blob;
  default:
    return TFieldType::Unknown;
  }
}
