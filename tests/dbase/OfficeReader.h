#pragma once
#include <QtCore/QString>

// LibreOffice's character-set numbers for dBASE files: "Eastern Europe
// (Windows-1250)" and "Eastern Europe (DOS/OS2-852)", as a user picks them.
constexpr int kOfficeCharsetWindows1250 = 33;
constexpr int kOfficeCharsetDos852 = 25;

// What LibreOffice shows of a dBASE table in the given character set, opened
// as a user would open it, as CSV text (comma separated, UTF-8, the field
// descriptions in the first line). When LibreOffice or its dBASE driver is
// not installed, `skip` says so and `csv` is empty.
struct TOfficeCsv {
  QString csv;
  QString skip;
};
TOfficeCsv ReadInLibreOffice(const QString& dbfPath, int charset = kOfficeCharsetWindows1250);

// Saves a CSV file (UTF-8, ";" separated, '"' quoted fields kept as text; the first line holds the
// field descriptions "NAME,C,20", "NAME,N,4,0", "NAME,D", "NAME,L") as a dBASE
// table in the given character set, as a user saves a sheet from Calc.
// Returns why it could not run (LibreOffice or its dBASE driver missing);
// empty when it ran. A file it could not save is then missing at `dbfPath`.
QString WriteDbfInLibreOffice(const QString& csvPath, const QString& dbfPath, int charset);
