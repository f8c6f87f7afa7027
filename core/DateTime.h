#pragma once
#include <QtCore/QDate>
#include <QtCore/QDateTime>
#include <QtCore/QTime>

// The program's date-time value: days since 30.12.1899 with the time of day
// as the fraction, as templates, dBASE files and the database layer exchange it.
// For dates before the epoch the integral part counts the days back and the
// fraction is still the time of day (-1.25 is 29.12.1899 06:00).
using TDateTime = double;

namespace DateTime {

constexpr double kMsPerDay = 86400000.0;

TDateTime FromDate(QDate date);
TDateTime FromTime(QTime time);
TDateTime FromDateTime(const QDateTime& dateTime);
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec = 0);

// Invalid QDate/QDateTime for values outside the representable calendar.
QDate ToDate(TDateTime value);
QTime ToTime(TDateTime value);
QDateTime ToDateTime(TDateTime value);

TDateTime Today();
TDateTime Now();

// With TZ unset the C library checks the zone file at every conversion to or
// from local time: a system call per QDateTime, so a list of 100,000 time
// stamps made 100,000 of them. This names the system's own zone file in TZ,
// so that it is read once, with the same local time; a TZ already set (also
// an empty one, UTC) stays. Every program linking this file has it done
// before main.
void ReadLocalZoneOnce();

} // namespace DateTime
