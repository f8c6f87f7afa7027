#include "ReportFixture.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"
#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace {

constexpr QRgb kPaper = 0xFF808080; // grey, so that white painting shows

class ViewDrawing : public ReportFixture {
protected:
  ViewDrawing() {
    page = report.Pages.Add();
    page->Add(std::make_unique<TrpMemoView>());
    view = page->GetObject(0);
    view->SetBounds(10, 10, 40, 20);
    image.fill(kPaper);
  }
  // Paints background and frame the way Draw does, at zoom 1.
  void Paint(bool building) {
    rpRun().EngineMode = building;
    QPainter painter(&image);
    view->DrawCanvas = &painter;
    view->ToDeviceCoords(false);
    view->PaintBackground(rpRun());
    view->PaintFrame(rpRun());
    view->RestoreDesignCoords();
  }
  QRgb At(int x, int y) const { return image.pixel(x, y) | 0xFF000000; }

  QObject owner;
  TrpReport report{&owner};
  TrpPage* page = nullptr;
  TrpView* view = nullptr;
  QImage image{80, 60, QImage::Format_RGB32};
};

} // namespace

TEST_F(ViewDrawing, BackgroundFollowsFillAndMode) {
  struct Case {
    bool Building;
    TColor Fill;
    QRgb Inside;
  };
  const Case cases[] = {{true, clNone, kPaper}, {false, clNone, 0xFFFFFFFF}, {true, clYellow, 0xFFFFFF00}};
  for (const Case& c : cases) {
    image.fill(kPaper);
    view->FillColor = c.Fill;
    Paint(c.Building);
    EXPECT_EQ(At(30, 20), c.Inside) << c.Building << " " << c.Fill;
    EXPECT_EQ(At(5, 5), kPaper) << "nothing outside";
  }
}

TEST_F(ViewDrawing, FramesAndCornerMarks) {
  view->FrameTyp = 0;
  Paint(true);
  EXPECT_EQ(At(10, 10), kPaper) << "no frame line while building";
  Paint(false);
  EXPECT_EQ(At(10, 10), 0xFF000000u) << "the designer's corner mark";
  EXPECT_EQ(At(50, 30), 0xFF000000u);
  EXPECT_EQ(At(30, 10), 0xFFFFFFFFu) << "marks are short: background between them";

  image.fill(kPaper);
  view->FrameTyp = 1; // right line only
  view->FrameWidth = 3;
  view->FrameStyle = 1; // dashed
  view->FrameColor = clRed;
  Paint(true);
  // Three parallel one-pixel dashed lines around x = 50: 49, 50, 51.
  for (int x : {49, 50, 51})
    EXPECT_EQ(At(x, 11), 0xFFFF0000u) << x;
  EXPECT_EQ(At(48, 11), kPaper);
  EXPECT_EQ(At(52, 11), kPaper);
  int gaps = 0;
  for (int y = 10; y <= 30; ++y)
    gaps += At(50, y) == kPaper ? 1 : 0;
  EXPECT_GT(gaps, 0) << "the line is dashed";
}

TEST_F(ViewDrawing, ObjectRegionGrowsByFrameLines) {
  struct Case {
    quint16 Typ, Style;
    float Width;
    bool Extended;
    QRect Expected;
  };
  const Case cases[] = {
      {0, 0, 1, false, QRect(10, 10, 41, 21)},
      {15, 0, 3, false, QRect(8, 8, 41 + 2 + 1, 21 + 2 + 1)}, // d1 = 1, d2 = 2 (1.5 rounds to even)
      {15, 5, 2, false, QRect(7, 7, 41 + 3 + 2, 21 + 3 + 2)}, // d1 = round(2.5) = 2, d2 = 3
      {0, 0, 1, true, QRect(0, 0, 61, 41)},
  };
  for (const Case& c : cases) {
    view->FrameTyp = c.Typ;
    view->FrameStyle = c.Style;
    view->FrameWidth = c.Width;
    EXPECT_EQ(view->ObjectRegion(c.Extended), c.Expected) << c.Typ << "/" << c.Style << "/" << c.Width;
  }
}

TEST_F(ViewDrawing, BandAlignmentTable) {
  const int left = page->PrintableLeft(), right = page->PrintableRight();
  auto neighbour = std::make_unique<TrpMemoView>();
  neighbour->SetBounds(left + 5, 10, 30, 20);
  neighbour->BandAlign = 1;
  page->Add(std::move(neighbour));
  struct Case {
    quint8 Align;
    int Left, Width;
    int ExpectedLeft, ExpectedWidth;
  };
  const Case cases[] = {
      {2, left + 100, 40, right - 40, 40}, // right, no right neighbour: ends at the printable edge
      {3, left + 100, 40, left + (right - left - 40) / 2, 40},
      {1, left + 100, 40, left + 5 + 30, 40}, // left: behind the left neighbour
      {7, left + 100, 40, left + 35, right - left - 35},
      {4, left + 100, 40, left, right - left}, // width in the designer
  };
  rpRun().EngineMode = false;
  for (const Case& c : cases) {
    view->SetBounds(c.Left, 10, c.Width, 20);
    view->BandAlign = c.Align;
    view->PrepareDrawing(rpRun(), nullptr);
    EXPECT_EQ(view->Left, c.ExpectedLeft) << int(c.Align);
    EXPECT_EQ(view->Width, c.ExpectedWidth) << int(c.Align);
  }
  rpRun().EngineMode = true;
  rpRun().CurrentPage = page;
  view->SetBounds(left + 100, 10, 40, 20);
  view->BandAlign = 4;
  view->PrepareDrawing(rpRun(), nullptr);
  EXPECT_EQ(view->Width, right - left - 1) << "building without a band";
  rpRun().CurrentPage = nullptr;
}

TEST_F(ViewDrawing, ObjectErrorTextNamesReportAndObject) {
  report.setObjectName(QStringLiteral("Zostava1"));
  rpRun().CurrentReport = &report;
  view->Name = QStringLiteral("Memo1");
  view->Memo = QStringList{QStringLiteral("[Zle]")};
  rpRun().CurrentObject = view;
  rpReportObjectError(rpRun(), Exception(QStringLiteral("Nedefinovaný symbol \"ZLE\"")));
  EXPECT_TRUE(rpRun().LoadErrorFlag);
  EXPECT_EQ(rpRun().LoadErrorText, QStringLiteral("Chyba pri tlači objektu zostavy.\r[Zle]\r\rZostava: "
                                                  "Zostava1\rObjekt: Memo1\r\rNedefinovaný symbol \"ZLE\""));
}
