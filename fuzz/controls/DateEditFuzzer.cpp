// Text typed or pasted into the date field: the first two bytes give the date
// shown before (a day from 1.1.1990 on), the rest the characters the field
// takes (digits, "+", "-"), at most eight as typing allows. A text the field
// accepts leaves a date the database can hold, shown as itself.
#include "controls/IBDate.h"
#include "util/RtDateUtils.h"
#include <QtCore/QLocale>
#include <QtWidgets/QApplication>
#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
  static QApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  TIBDate edit;
  edit.SetDate(DateTime::EncodeDate(1990, 1, 1) + (data[0] << 8 | data[1]));
  QString typed;
  for (size_t i = 2; i < size && typed.size() < 8; ++i)
    if ((data[i] >= '0' && data[i] <= '9') || data[i] == '+' || data[i] == '-') typed += QLatin1Char(char(data[i]));
  if (typed.isEmpty()) return 0;
  edit.setText(typed);
  if (!edit.ParseText(true)) return 0;
  const double date = edit.Date().toDouble();
  qint32 year = 0;
  int month = 0, day = 0;
  DecodeDateExtended(date, year, month, day);
  if (year < 1000 || year > 9999 || date != std::floor(date)) std::abort();
  if (edit.text() != FormatDateTime(QStringLiteral("dd.mm.yyyy"), date)) std::abort();
  return 0;
}
