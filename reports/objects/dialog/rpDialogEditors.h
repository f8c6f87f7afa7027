#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QImage>

class TDataSet;
class TIBQuery;
class TIBTable;
class TrpFBQuery;

// The windows the report's data components and dialog controls open from the
// designer; each returns true when the user confirmed.

// The 16 x 16 tool-bar pictures and 24 x 24 icons of the dialog classes, drawn in code.
QImage rpDialogIcon(const char* name);
// The database file chosen in an open-file dialog; empty when cancelled.
QString rpChooseDatabaseFile();
// The lines editor over the text.
bool rpEditLines(QString& text);
// The SQL editor over the lines.
bool rpEditSQL(QStringList& lines);
// The fields editor of a data set (persistent fields, lookup fields).
void rpEditFields(TIBQuery& dataSet);
// The master-detail link editor; sets the table's master fields on OK.
bool rpEditMasterFields(TDataSet& master, TIBTable& detail);
// The parameter editor of a query component.
bool rpEditQueryParams(TrpFBQuery& query);
