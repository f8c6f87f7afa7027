#include "ReportFixture.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpEMFPages.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"

namespace {

// Objects aligned to their band get their place before the first band prints:
// a width-aligned object spans the printable width, and an object aligned to a
// neighbour lines up with where that neighbour is aligned to, not where it was drawn.
TEST_F(ReportFixture, AlignedObjectsAreSettledBeforeTheBuild) {
  struct TObject {
    int left, width;
    quint8 align;
  };
  struct TExpected {
    bool fromRight;    // the offset counts from the printable right edge, else from the left
    int offset, width; // a width of -1: the printable width less one pixel
  };
  const struct {
    const char* name;
    QList<TObject> objects;
    QList<TExpected> printed;
  } cases[] = {
      {"width", {{100, 50, 4}}, {{false, 0, -1}}},
      // The inner object is listed first, so while it prints its neighbour has not printed yet.
      {"right-aligned row", {{100, 50, 2}, {300, 60, 2}}, {{true, -60 - 50 - 1, 50}, {true, -60, 60}}},
      {"left-aligned row", {{400, 50, 1}, {200, 60, 1}}, {{false, 60, 50}, {false, 0, 60}}},
  };
  for (const auto& c : cases) {
    QObject owner;
    TrpReport report(&owner);
    TrpPage* page = report.Pages.GetPage(0);
    auto band = std::make_unique<TrpBandView>();
    band->SetBandType(btReportTitle);
    band->SetBounds(0, 20, 700, 30);
    band->Name = QStringLiteral("Title");
    page->Add(std::move(band));
    for (qsizetype i = 0; i < c.objects.size(); ++i) {
      auto memo = std::make_unique<TrpMemoView>();
      memo->SetBounds(c.objects[i].left, 25, c.objects[i].width, 20);
      memo->BandAlign = c.objects[i].align;
      memo->Memo = QStringList{QStringLiteral("Text")};
      memo->Name = QStringLiteral("Text%1").arg(i + 1);
      memo->Flags &= quint16(~mfStretched);
      page->Add(std::move(memo));
    }
    const int left = page->PrintableLeft(), right = page->PrintableRight();
    ASSERT_TRUE(report.BuildPreparedPages()) << c.name;
    ASSERT_EQ(report.EMFPages.Count(), 1) << c.name;
    const TrpPage& prepared = report.EMFPages.LoadPageObjects(0);
    ASSERT_EQ(prepared.Count(), c.printed.size()) << c.name;
    for (qsizetype i = 0; i < c.printed.size(); ++i) {
      const TExpected& e = c.printed[i];
      const int expectedLeft = (e.fromRight ? right : left) + e.offset;
      const int expectedWidth = e.width < 0 ? right - left - 1 : e.width;
      EXPECT_EQ(prepared.GetObject(int(i))->Left, expectedLeft) << c.name << " object " << i + 1;
      EXPECT_EQ(prepared.GetObject(int(i))->Width, expectedWidth) << c.name << " object " << i + 1;
    }
    EXPECT_TRUE(messages.isEmpty()) << c.name;
  }
}

} // namespace
