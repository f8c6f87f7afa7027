#pragma once
#include "console/editor/text/CodeEditSqlTypes.h"
#include <QtCore/QString>
#include <vector>

// One word list of a dialect: words separated by commas, each given the kind.
struct TSqlKeywordList {
  const char* words;
  TSqlTokenKind kind;
};

// The lists a dialect loads into the SQL highlighter, in loading order.
std::vector<TSqlKeywordList> SqlDialectKeywordLists(TSQLDialect dialect);
// A short example text of the dialect whose first line names it.
QString SqlSampleSource(TSQLDialect dialect);
