#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/ui/rpQtPrinter.h"
#include <gtest/gtest.h>

namespace {

// Every paper code that maps to a Qt page size names a paper of the same size.
TEST(QtPrinter, PaperCodesMatchQtPageSizes) {
  int mapped = 0;
  for (const TrpPaper& paper : rpPaperTable()) {
    const QPageSize::PageSizeId id = rpPageSizeIdOf(paper.Code);
    if (id == QPageSize::Custom) continue;
    ++mapped;
    const QSizeF mm = QPageSize(id).size(QPageSize::Millimeter);
    EXPECT_NEAR(mm.width() * 10, paper.Width, 10) << "paper " << paper.Code;
    EXPECT_NEAR(mm.height() * 10, paper.Height, 10) << "paper " << paper.Code;
    const int back = rpPaperCodeOf(id);
    const auto same = [&](const TrpPaper& p) { return p.Code == back; };
    const auto it = std::find_if(rpPaperTable().begin(), rpPaperTable().end(), same);
    ASSERT_NE(it, rpPaperTable().end());
    EXPECT_NEAR(it->Width, paper.Width, 10) << "paper " << paper.Code;
    EXPECT_NEAR(it->Height, paper.Height, 10) << "paper " << paper.Code;
  }
  EXPECT_GE(mapped, 40) << "the common papers have Qt page sizes";
  EXPECT_EQ(rpPaperCodeOf(QPageSize::Custom), 256);
  EXPECT_EQ(rpPageSizeIdOf(48), QPageSize::Custom);
}

} // namespace
