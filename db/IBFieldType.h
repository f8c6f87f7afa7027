#pragma once
#include "core/DataSet.h"
#include <QtCore/QString>

// The field type codes that report templates store for persistent fields and
// query parameters (0 to 35, in this order). The layer reads and converts
// values by the core type each code stands for (CoreFieldType).
enum class TIBFieldType : quint8 {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftBytes,
  ftVarBytes,
  ftAutoInc,
  ftBlob,
  ftMemo,
  ftGraphic,
  ftFmtMemo,
  ftParadoxOle,
  ftDBaseOle,
  ftTypedBinary,
  ftCursor,
  ftFixedChar,
  ftWideString,
  ftLargeint,
  ftADT,
  ftArray,
  ftReference,
  ftDataSet,
  ftOraBlob,
  ftOraClob,
  ftVariant,
  ftInterface,
  ftIDispatch,
  ftGuid
};

constexpr int kIBFieldTypeCount = 36;

// "ftString" and the like; empty for a code outside the table.
QString IBFieldTypeName(TIBFieldType type);
// The code of a stored number; ftUnknown for a number outside the table.
TIBFieldType IBFieldTypeFromCode(int code);
// The code a column of the core type is described with (NUMERIC with two decimals is ftBCD).
TIBFieldType IBFieldTypeOf(TFieldType type);
// The core type whose values a field of the code holds; Unknown passes values unconverted.
TFieldType CoreFieldType(TIBFieldType type);
