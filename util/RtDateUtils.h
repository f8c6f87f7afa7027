#pragma once
#include "core/DateTime.h"
#include <QtCore/QString>

// Date arithmetic and formatting on the program's date values (days since
// 30.12.1899).

// The exact calendar date for years 1 to 9999; outside that range an
// approximation of 365.2422454 days a year and 30.4368537833 days a month.
// ERtError for an invalid month or day inside the calendar range.
TDateTime EncodeDateExtended(int year, int month, int day);
// The calendar parts of dates from -693593 (1.1.0001) to below 2958466
// (1.1.10000); the inverse of the approximation outside.
void DecodeDateExtended(TDateTime date, qint32& year, int& month, int& day);
void DecodeDateParts(TDateTime date, int& year, int& month, int& day);

int MonthOfDate(TDateTime date);
int YearOfDate(TDateTime date);
// 1 to 366.
int DayOfYear(TDateTime date);
// The ISO week (1 to 53); the ISO year (the year of the week's Thursday) and
// the ISO day of the week (1 Monday to 7 Sunday) go to the out parameters.
int IsoWeekNumber(TDateTime date, int& isoYear, int& isoDayOfWeek);

// The standard date-time formatting: d dd ddd dddd ddddd dddddd, m mm mmm
// mmmm (minutes after an hour), yy yyyy, h hh, n nn, s ss, z zzz, t tt, c,
// am/pm a/p ampm, "/" and ":" separators, quoted literals; letters in either
// case; names and default formats of the Slovak locale.
QString FormatDateTime(const QString& format, TDateTime value);

// FormatDateTime with extra letters (either case, outside quotes): E the ISO
// day of the week, F FF FFF the day of the year (FF and FFF zero-padded to 2
// and 3 digits), I III IIII the ISO year, II its last two digits, W WW the
// ISO week (WW zero-padded to 2 digits).
QString FormatDateTimeExtended(const QString& format, TDateTime value);
