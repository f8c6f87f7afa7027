// Date formatting pictures as templates and grid columns bring them, over any
// date value: the first eight bytes are the value (every double, NaN and the
// infinities included), the rest the picture. Formatting never fails, the
// calendar parts of the exact range round-trip, and the approximated years
// outside it stay in order.
#include "util/RtDateUtils.h"
#include <QtCore/QString>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

void CheckCalendar(double value) {
  if (!std::isfinite(value) || std::fabs(value) > 1e9) return;
  qint32 year = 0;
  int month = 0, day = 0;
  DecodeDateExtended(value, year, month, day);
  if (month < 1 || month > 12 || day < 1 || day > 31) std::abort();
  const double days = std::trunc(value);
  if (year >= 1 && year <= 9999) {
    if (EncodeDateExtended(year, month, day) != days) std::abort();
  } else if (EncodeDateExtended(year, month, 1) > days || EncodeDateExtended(year + 1, 1, 1) <= days) {
    std::abort(); // the day lies outside the approximated year it was given
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < sizeof(double)) return 0;
  double value = 0;
  std::memcpy(&value, data, sizeof value);
  const QString picture =
      QString::fromUtf8(reinterpret_cast<const char*>(data) + sizeof value, qsizetype(size - sizeof value));
  (void)FormatDateTime(picture, value);
  (void)FormatDateTimeExtended(picture, value);
  CheckCalendar(value);
  return 0;
}
