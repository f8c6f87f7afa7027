#include "util/MoneyArithmetic.h"
#include <gtest/gtest.h>

namespace {

// Lines and their VAT as a person computes them on paper: the exact product,
// then to the cent with halves going up (away from zero for a return).
TEST(MoneyArithmeticTest, LinesAndVatAreRoundedOnceToTheCent) {
  struct Case {
    double price, quantity;
    int rate;
    qint64 base, vat;
  };
  for (const Case& c : {Case{33.33, 1.5, 20, 5000, 1000},    // 49,995 and 9,999
                        Case{0.1, 3, 20, 30, 6},             // never 0,30000000000000004
                        Case{3.10, 200, 20, 62000, 12400},   // 200 kg at 3,10
                        Case{41.90, 2.5, 20, 10475, 2095},   // 2,5 q at 41,90: 20,95, not 2,5 x 8,40
                        Case{33.33, 3, 20, 9999, 2000},      // 19,998
                        Case{0.01, 1, 20, 1, 0},             // 0,002
                        Case{0.03, 1, 20, 3, 1},             // 0,006
                        Case{33.33, -1.5, 20, -5000, -1000}, // a return mirrors the sale
                        Case{1234.56, 1, 10, 123456, 12346}, // 123,456
                        Case{25.5, 0.001, 20, 3, 1}}) {      // 0,0255 and 0,006
    SCOPED_TRACE(testing::Message() << c.price << " x " << c.quantity << " at " << c.rate);
    const qint64 base = LineCents(ToCents(c.price), ToThousandths(c.quantity));
    EXPECT_EQ(base, c.base);
    EXPECT_EQ(VatCents(base, c.rate), c.vat);
  }
  EXPECT_EQ(FromCents(ToCents(1234.56)), 1234.56);
  EXPECT_EQ(ToCents(0.1 + 0.2), 30);
}

} // namespace
