#pragma once
#include <QtCore/QtGlobal>

// The SQL dialects the SQL highlighter knows.
enum TSQLDialect : quint8 {
  sqlStandard = 0,
  sqlInterbase6 = 1,
  sqlMSSQL7 = 2,
  sqlMySQL = 3,
  sqlOracle = 4,
  sqlSybase = 5,
  sqlIngres = 6,
  sqlMSSQL2K = 7,
};

// The kinds of SQL tokens.
enum TSqlTokenKind : quint8 {
  stkComment = 0,
  stkDataType = 1,
  stkDefaultPackage = 2,
  stkException = 3,
  stkFunction = 4,
  stkIdentifier = 5,
  stkKeyword = 6,
  stkLineEnd = 7,
  stkNumber = 8,
  stkSpace = 9,
  stkPlSql = 10,
  stkSqlPlus = 11,
  stkString = 12,
  stkSymbol = 13,
  stkTableName = 14,
  stkUnknown = 15,
  stkVariable = 16,
  stkConditionalComment = 17,
  stkDelimitedIdentifier = 18,
};

// What the SQL scanner carries from one line to the next.
enum TSqlRangeState : quint8 {
  srsNormal = 0,
  srsComment = 1,            // inside /* */
  srsString = 2,             // inside a single-quoted string
  srsConditionalComment = 3, // inside /*! */
};
