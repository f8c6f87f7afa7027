#include "util/RtDateUtils.h"
#include <gtest/gtest.h>

namespace {

TDateTime D(int y, int m, int d) { return DateTime::EncodeDate(y, m, d); }

TEST(DateRoutinesTest, DayOfYearAndIsoWeek) {
  struct Case {
    int y, m, d;
    int dayOfYear, week, isoYear, isoDay;
  };
  for (const Case& c :
       {Case{2024, 12, 31, 366, 1, 2025, 2}, Case{2023, 12, 31, 365, 52, 2023, 7}, Case{2021, 1, 3, 3, 53, 2020, 7},
        Case{2021, 1, 4, 4, 1, 2021, 1}, Case{2020, 2, 29, 60, 9, 2020, 6}, Case{2026, 1, 1, 1, 1, 2026, 4}}) {
    SCOPED_TRACE(QStringLiteral("%1-%2-%3").arg(c.y).arg(c.m).arg(c.d).toStdString());
    EXPECT_EQ(DayOfYear(D(c.y, c.m, c.d) + 0.75), c.dayOfYear);
    int isoYear = 0, isoDay = 0;
    EXPECT_EQ(IsoWeekNumber(D(c.y, c.m, c.d), isoYear, isoDay), c.week);
    EXPECT_EQ(isoYear, c.isoYear);
    EXPECT_EQ(isoDay, c.isoDay);
  }
  EXPECT_EQ(MonthOfDate(D(2026, 12, 10)), 12);
  EXPECT_EQ(YearOfDate(D(1899, 12, 29) + 0.25), 1899);
}

TEST(DateRoutinesTest, ExtendedDatesRoundTripInAndOutOfTheCalendar) {
  // Outside years 1 to 9999 months are approximated as 30.44 days, so only
  // days up to 28 exist in every month there.
  struct Case {
    int y, m, d;
  };
  for (const Case& c : {Case{1, 1, 1}, Case{1899, 12, 30}, Case{2024, 2, 29}, Case{9999, 12, 31}, Case{10001, 1, 1},
                        Case{12345, 7, 15}, Case{10001, 12, 28}, Case{-1, 1, 1}, Case{-44, 3, 15}, Case{-1, 12, 2}}) {
    SCOPED_TRACE(QStringLiteral("%1-%2-%3").arg(c.y).arg(c.m).arg(c.d).toStdString());
    const TDateTime date = EncodeDateExtended(c.y, c.m, c.d);
    qint32 year = 0;
    int month = 0, day = 0;
    // Noon: before the epoch the fraction counts forward from the day's start too.
    DecodeDateExtended(date < 0 ? date - 0.5 : date + 0.5, year, month, day);
    EXPECT_EQ(year, c.y);
    EXPECT_EQ(month, c.m);
    EXPECT_EQ(day, c.d);
  }
  EXPECT_EQ(EncodeDateExtended(1, 1, 1), -693593);
  EXPECT_EQ(EncodeDateExtended(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDateExtended(10001, 1, 1), 2958831); // trunc(10000 x 365.2422454 - 693593 + 1.7882454)
  EXPECT_EQ(EncodeDateExtended(-1, 1, 1), -693958);    // trunc(-365.2422454 - 693593)
  EXPECT_ANY_THROW(EncodeDateExtended(2023, 2, 29));
}

TEST(DateRoutinesTest, Formatting) {
  const TDateTime value = D(2026, 3, 5) + DateTime::EncodeTime(14, 7, 9, 45);
  struct Case {
    const char* format;
    const char* expected;
  };
  for (const Case& c :
       {Case{"dd.mm.yyyy", "05.03.2026"}, Case{"ddmmyyyy", "05032026"}, Case{"d.m.yy", "5.3.26"},
        Case{"DD.MM.YYYY", "05.03.2026"}, Case{"hh:nn:ss.zzz", "14:07:09.045"}, Case{"h:mm", "14:07"},
        Case{"hh\"h\" mm", "14h 07"}, Case{"d/m/yyyy", "5.3.2026"}, Case{"'dd' d", "dd 5"},
        Case{"h:nn am/pm", "2:07 pm"}, Case{"dddd", "štvrtok"}, Case{"mmmm", "marec"}, Case{"ddddd", "5.3.2026"}}) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.format), value), QString::fromUtf8(c.expected));
  }
}

TEST(DateRoutinesTest, ExtendedFormattingLetters) {
  // 5.1.2021 is the Tuesday of ISO week 1 of 2021; 2.1.2021 a Saturday of week 53 of 2020.
  struct Case {
    int y, m, d;
    const char* format;
    const char* expected;
  };
  for (const Case& c :
       {Case{2021, 1, 5, "E", "2"}, Case{2021, 1, 5, "F/FF/FFF", "5.05.005"}, Case{2021, 1, 2, "ww-iiii", "53-2020"},
        Case{2021, 1, 2, "W I II III", "53 2020 20 2020"}, Case{2021, 1, 5, "\"W\" W", "W 1"},
        Case{2021, 1, 5, "dd.mm. WW", "05.01. 01"}, Case{2021, 12, 31, "FFF", "365"}}) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(FormatDateTimeExtended(QString::fromUtf8(c.format), D(c.y, c.m, c.d)), QString::fromUtf8(c.expected));
  }
}

} // namespace
