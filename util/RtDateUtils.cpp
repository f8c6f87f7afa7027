#include "util/RtDateUtils.h"
#include "util/RtErrors.h"
#include <QtCore/QLocale>
#include <cmath>

namespace {

constexpr double kDaysPerYear = 365.2422454;
constexpr double kDaysPerMonth = 30.436853783333333334;
constexpr double kFirstDay = -693593;    // 1.1.0001
constexpr double kPastLastDay = 2958466; // 1.1.10000

// The first day of an approximated year (years outside 1 to 9999).
double ApproxYearStart(qint64 year) {
  const double start = year > 0 ? (year - 1) * kDaysPerYear + kFirstDay + 1.7882454 : year * kDaysPerYear + kFirstDay;
  return std::trunc(start);
}

double ApproxMonthOffset(int month) { return std::nearbyint((month - 1) * kDaysPerMonth); }

QDate CalendarDate(TDateTime date) { return QDate(1899, 12, 30).addDays(qint64(std::trunc(date))); }

QLocale Slovak() { return QLocale(QLocale::Slovak, QLocale::Slovakia); }

} // namespace

TDateTime EncodeDateExtended(int year, int month, int day) {
  if (year >= 1 && year <= 9999) {
    const QDate date(year, month, day);
    if (!date.isValid()) throw ERtError(QStringLiteral("Invalid argument to date encode"));
    return DateTime::FromDate(date);
  }
  return ApproxYearStart(year) + ApproxMonthOffset(month) + day - 1;
}

void DecodeDateExtended(TDateTime date, qint32& year, int& month, int& day) {
  const double days = std::trunc(date);
  if (days >= kFirstDay && days < kPastLastDay) {
    const QDate calendar = CalendarDate(days);
    year = calendar.year();
    month = calendar.month();
    day = calendar.day();
    return;
  }
  qint64 y = days < kFirstDay ? qint64(std::floor((days - kFirstDay) / kDaysPerYear))
                              : qint64(std::floor((days - kFirstDay - 1.7882454) / kDaysPerYear)) + 1;
  while (ApproxYearStart(y) > days)
    --y;
  while (ApproxYearStart(y + 1) <= days && y + 1 != 0)
    ++y;
  const double rest = days - ApproxYearStart(y);
  month = 1;
  while (month < 12 && ApproxMonthOffset(month + 1) <= rest)
    ++month;
  day = int(rest - ApproxMonthOffset(month)) + 1;
  year = qint32(y);
}

void DecodeDateParts(TDateTime date, int& year, int& month, int& day) {
  const QDate calendar = CalendarDate(date);
  year = calendar.year();
  month = calendar.month();
  day = calendar.day();
}

int MonthOfDate(TDateTime date) { return CalendarDate(date).month(); }

int YearOfDate(TDateTime date) { return CalendarDate(date).year(); }

int DayOfYear(TDateTime date) { return CalendarDate(date).dayOfYear(); }

int IsoWeekNumber(TDateTime date, int& isoYear, int& isoDayOfWeek) {
  const QDate calendar = CalendarDate(date);
  isoDayOfWeek = calendar.dayOfWeek();
  const QDate thursday = calendar.addDays(4 - isoDayOfWeek);
  isoYear = thursday.year();
  return int(QDate(isoYear, 1, 1).daysTo(thursday) / 7 + 1);
}

namespace {

// Formats one run of a format letter; `previousWasHour` turns m into minutes.
class TDateFormatter {
public:
  TDateFormatter(const QString& format, TDateTime value)
      : format_(format), date_(CalendarDate(value)), time_(DateTime::ToTime(value)) {}

  QString Run() {
    while (pos_ < format_.size())
      Step();
    return out_;
  }

private:
  int RunLength(QChar letter) const {
    int n = 0;
    while (pos_ + n < format_.size() && format_[pos_ + n].toLower() == letter)
      ++n;
    return n;
  }
  bool At(QLatin1String text) const { return QStringView(format_).mid(pos_).startsWith(text, Qt::CaseInsensitive); }
  static QString Pad(int value, int width) { return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')); }

  void Step() {
    const QChar c = format_[pos_];
    const QChar lower = c.toLower();
    if (c == QLatin1Char('"') || c == QLatin1Char('\'')) return Quoted(c);
    if (At(QLatin1String("am/pm"))) return AmPm(5, QStringLiteral("am"), QStringLiteral("pm"));
    if (At(QLatin1String("a/p"))) return AmPm(3, QStringLiteral("a"), QStringLiteral("p"));
    if (At(QLatin1String("ampm"))) return AmPm(4, QStringLiteral("dop."), QStringLiteral("odp."));
    const int n = lower.isLetter() ? RunLength(lower) : 1;
    pos_ += n;
    if (lower == QLatin1Char('d')) return Day(n);
    if (lower == QLatin1Char('m')) return previousWasHour_ ? Minutes(n) : Month(n);
    if (lower == QLatin1Char('y')) return Put(n <= 2 ? Pad(date_.year() % 100, 2) : Pad(date_.year(), 4), false);
    if (lower == QLatin1Char('h')) return Put(n == 1 ? QString::number(Hour()) : Pad(Hour(), 2), true);
    if (lower == QLatin1Char('n')) return Minutes(n);
    if (lower == QLatin1Char('s')) return Put(n == 1 ? QString::number(time_.second()) : Pad(time_.second(), 2), false);
    if (lower == QLatin1Char('z')) return Put(n < 3 ? QString::number(time_.msec()) : Pad(time_.msec(), 3), false);
    if (lower == QLatin1Char('t'))
      return Put(Nested(n == 1 ? QStringLiteral("h:nn") : QStringLiteral("h:nn:ss")), false);
    if (lower == QLatin1Char('c')) return Put(Nested(QStringLiteral("d.m.yyyy")) + TimeSuffix(), false);
    if (c == QLatin1Char('/')) return Put(QStringLiteral("."), previousWasHour_);
    if (c == QLatin1Char(':')) return Put(QStringLiteral(":"), previousWasHour_);
    return Put(format_.mid(pos_ - n, n), previousWasHour_);
  }

  void Put(const QString& text, bool wasHour) {
    out_ += text;
    previousWasHour_ = wasHour;
  }
  void Quoted(QChar quote) {
    const qsizetype end = format_.indexOf(quote, pos_ + 1);
    const qsizetype stop = end < 0 ? format_.size() : end;
    out_ += format_.mid(pos_ + 1, stop - pos_ - 1);
    pos_ = stop + 1;
  }
  void AmPm(int length, const QString& am, const QString& pm) {
    pos_ += length;
    twelveHour_ = true;
    Put(time_.hour() < 12 ? am : pm, false);
  }
  int Hour() const {
    if (!twelveHour_ && !AmPmFollows()) return time_.hour();
    const int hour = time_.hour() % 12;
    return hour == 0 ? 12 : hour;
  }
  bool AmPmFollows() const {
    const QString rest = format_.mid(pos_).toLower();
    return rest.contains(QLatin1String("am/pm")) || rest.contains(QLatin1String("a/p")) ||
           rest.contains(QLatin1String("ampm"));
  }
  void Day(int n) {
    const QLocale sk = Slovak();
    switch (n) {
    case 1:
      return Put(QString::number(date_.day()), false);
    case 2:
      return Put(Pad(date_.day(), 2), false);
    case 3:
      return Put(sk.dayName(date_.dayOfWeek(), QLocale::ShortFormat), false);
    case 4:
      return Put(sk.dayName(date_.dayOfWeek(), QLocale::LongFormat), false);
    case 5:
      return Put(Nested(QStringLiteral("d.m.yyyy")), false);
    default:
      return Put(Nested(QStringLiteral("d. mmmm yyyy")), false);
    }
  }
  void Month(int n) {
    const QLocale sk = Slovak();
    if (n == 1) return Put(QString::number(date_.month()), false);
    if (n == 2) return Put(Pad(date_.month(), 2), false);
    if (n == 3) return Put(sk.monthName(date_.month(), QLocale::ShortFormat), false);
    return Put(sk.standaloneMonthName(date_.month(), QLocale::LongFormat), false);
  }
  void Minutes(int n) { Put(n == 1 ? QString::number(time_.minute()) : Pad(time_.minute(), 2), false); }
  QString Nested(const QString& format) const {
    return FormatDateTime(format, DateTime::FromDate(date_) + DateTime::FromTime(time_));
  }
  QString TimeSuffix() const {
    return time_ == QTime(0, 0) ? QString() : QLatin1Char(' ') + Nested(QStringLiteral("h:nn:ss"));
  }

  const QString& format_;
  QDate date_;
  QTime time_;
  qsizetype pos_ = 0;
  QString out_;
  bool previousWasHour_ = false;
  bool twelveHour_ = false;
};

// The number for an extra letter run, or a null string when the run is not one.
QString ExtraLetter(QChar letter, int n, TDateTime value) {
  int isoYear = 0;
  int isoDay = 0;
  const int week = IsoWeekNumber(value, isoYear, isoDay);
  auto pad = [](int number, int width) { return QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0')); };
  switch (letter.toUpper().unicode()) {
  case 'E':
    return QString::number(isoDay);
  case 'F':
    return n == 1 ? QString::number(DayOfYear(value)) : pad(DayOfYear(value), std::min(n, 3));
  case 'I':
    return n == 2 ? pad(isoYear % 100, 2) : QString::number(isoYear);
  case 'W':
    return n == 1 ? QString::number(week) : pad(week, 2);
  default:
    return {};
  }
}

// Longest run of the letter that the extra formats know.
int ExtraRunLength(QChar letter, int run) {
  switch (letter.toUpper().unicode()) {
  case 'E':
    return 1;
  case 'F':
    return std::min(run, 3);
  case 'I':
    return std::min(run, 4);
  case 'W':
    return std::min(run, 2);
  default:
    return 0;
  }
}

} // namespace

QString FormatDateTime(const QString& format, TDateTime value) { return TDateFormatter(format, value).Run(); }

QString FormatDateTimeExtended(const QString& format, TDateTime value) {
  QString standard;
  for (qsizetype pos = 0; pos < format.size();) {
    const QChar c = format[pos];
    if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
      const qsizetype end = format.indexOf(c, pos + 1);
      const qsizetype stop = end < 0 ? format.size() : end + 1;
      standard += format.mid(pos, stop - pos);
      pos = stop;
      continue;
    }
    int run = 0;
    while (pos + run < format.size() && format[pos + run].toUpper() == c.toUpper())
      ++run;
    const int n = ExtraRunLength(c, run);
    if (n == 0) {
      standard += c;
      ++pos;
      continue;
    }
    standard += QLatin1Char('"') + ExtraLetter(c, n, value) + QLatin1Char('"');
    pos += n;
  }
  return FormatDateTime(standard, value);
}
