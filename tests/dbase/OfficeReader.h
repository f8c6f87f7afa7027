#pragma once
#include <QtCore/QString>

// What LibreOffice shows of a dBASE table in code page 1250, opened as a user
// would open it, as CSV text (comma separated, UTF-8, the field descriptions
// in the first line). When LibreOffice or its dBASE driver is not installed,
// `skip` says so and `csv` is empty.
struct TOfficeCsv {
  QString csv;
  QString skip;
};
TOfficeCsv ReadInLibreOffice(const QString& dbfPath);
