#include "util/MoneyFormat.h"
#include "tests/support/Utf8Text.h"
#include <gtest/gtest.h>

namespace {

TEST(MoneyFormatTest, SlovakMoneyPaddedToWidth) {
  // "_" stands for the no-break space that keeps groups and the sign together.
  const auto money = [](const char* text) { return S(text).replace(QLatin1Char('_'), QChar(0x00A0)); };
  struct Case {
    double amount;
    const char* expected;
  };
  for (const Case& c : {Case{0, "   0,00_€"}, Case{-0.001, "   0,00_€"}, Case{12.5, "  12,50_€"},
                        Case{1481.46, "1_481,46_€"}, Case{-1234567.891, "-1_234_567,89_€"}}) {
    SCOPED_TRACE(c.amount);
    EXPECT_EQ(FormatMoney(c.amount), money(c.expected));
  }
  // The width only pads, never cuts.
  EXPECT_EQ(FormatMoney(1, 2), money("1,00_€"));
}

} // namespace
