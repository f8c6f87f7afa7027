#include "core/DateTime.h"
#include <cmath>

namespace DateTime {
namespace {
const QDate kEpoch(1899, 12, 30);

// Before main, while no thread can read the environment.
const bool localZoneNamed = (ReadLocalZoneOnce(), true);
} // namespace

void ReadLocalZoneOnce() {
  if (!qEnvironmentVariableIsSet("TZ")) qputenv("TZ", QByteArrayLiteral(":/etc/localtime"));
}

TDateTime FromDate(QDate date) { return date.isValid() ? double(kEpoch.daysTo(date)) : 0.0; }

TDateTime FromTime(QTime time) { return time.isValid() ? time.msecsSinceStartOfDay() / kMsPerDay : 0.0; }

TDateTime FromDateTime(const QDateTime& dateTime) {
  const double days = FromDate(dateTime.date());
  const double time = FromTime(dateTime.time());
  return days < 0 ? days - time : days + time;
}

TDateTime EncodeDate(int year, int month, int day) { return FromDate(QDate(year, month, day)); }

TDateTime EncodeTime(int hour, int minute, int second, int msec) { return FromTime(QTime(hour, minute, second, msec)); }

QDate ToDate(TDateTime value) {
  if (!std::isfinite(value) || std::fabs(value) > 1e8) return {};
  return kEpoch.addDays(static_cast<qint64>(std::trunc(value)));
}

QTime ToTime(TDateTime value) {
  if (!std::isfinite(value)) return {};
  double fraction = std::fabs(value - std::trunc(value));
  qint64 ms = std::llround(fraction * kMsPerDay);
  if (ms >= 86400000) ms = 86399999;
  return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
}

QDateTime ToDateTime(TDateTime value) {
  const QDate date = ToDate(value);
  return date.isValid() ? QDateTime(date, ToTime(value)) : QDateTime();
}

TDateTime Today() { return FromDate(QDate::currentDate()); }
TDateTime Now() { return FromDateTime(QDateTime::currentDateTime()); }

} // namespace DateTime
