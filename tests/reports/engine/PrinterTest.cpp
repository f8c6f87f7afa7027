#include "ReportFixture.h"

namespace {

TEST_F(ReportFixture, WithoutPrintersOnlyTheVirtualPrinter) {
  TrpPrinter& printer = rpPrinter();
  printer.SetPrinter(nullptr);
  EXPECT_EQ(printer.Printers, QStringList{QStringLiteral("Virtuálna tlačiareň")});
  EXPECT_EQ(printer.VirtualPrinterIndex, 0);
  EXPECT_TRUE(printer.IsVirtual());
  ASSERT_EQ(printer.PaperCodes.size(), 67);
  EXPECT_EQ(printer.PaperCodes.last(), 256);
  EXPECT_EQ(printer.PaperNames.last(), QStringLiteral("Vlastné"));
  EXPECT_EQ(printer.PaperNames.value(55 - 3), QStringLiteral("A4 Transverse 210 x 297 mm"))
      << "codes 48 and 49 are absent";
  EXPECT_EQ(printer.BinNames, QStringList{QStringLiteral("Východzie")});
  EXPECT_EQ(printer.PaperSizeToIndex(48), 66);
  EXPECT_EQ(printer.PaperSizeToIndex(9), 8);
  EXPECT_EQ(printer.BinToIndex(5), 0);
}

struct GeometryCase {
  int paper, width, height, orientation;
  TrpPrnInfo expected;
};

class VirtualGeometry : public ReportFixture, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(VirtualGeometry, InReportUnits) {
  const GeometryCase& c = GetParam();
  TrpPrinter& printer = rpPrinter();
  printer.SetPrinterInfo(c.paper, c.width, c.height, c.orientation, -1, true);
  TrpPrnInfo info;
  printer.FillPrnInfo(info);
  EXPECT_EQ(info, c.expected);
}

TrpPrnInfo Units(int w, int h) { return {0, 0, w, h, 0, 0, 18, 18, 0, 0, w - 36, h - 36}; }

INSTANTIATE_TEST_SUITE_P(
    Printer, VirtualGeometry,
    ::testing::Values(GeometryCase{9, 0, 0, 0, Units(758, 1071)}, GeometryCase{9, 0, 0, 1, Units(1071, 758)},
                      GeometryCase{1, 0, 0, 0, Units(779, 1008)}, GeometryCase{8, 0, 0, 0, Units(1071, 1515)},
                      GeometryCase{11, 0, 0, 1, Units(758, 534)}, GeometryCase{256, 1000, 500, 0, Units(361, 180)},
                      GeometryCase{256, 1000, 500, 1, Units(361, 180)}));

struct EqualCase {
  int paper, width, height, orientation, bin;
  bool equal;
};

class PrinterIsEqual : public ReportFixture, public ::testing::WithParamInterface<EqualCase> {};

TEST_P(PrinterIsEqual, ComparesThePaper) {
  TrpPrinter& printer = rpPrinter();
  const bool custom = GetParam().paper == 256;
  printer.SetPrinterInfo(custom ? 256 : 9, 2101, 2969, 0, 4, true);
  const EqualCase& c = GetParam();
  EXPECT_EQ(printer.IsEqual(c.paper, c.width, c.height, c.orientation, c.bin), c.equal);
}

INSTANTIATE_TEST_SUITE_P(Printer, PrinterIsEqual,
                         ::testing::Values(EqualCase{256, 2100, 2970, 0, 0, true},
                                           EqualCase{256, 2099, 2970, 0, 0, false},
                                           EqualCase{256, 2100, 2970, 1, 0, false}, EqualCase{9, 0, 0, 0, 4, true},
                                           EqualCase{9, 0, 0, 0, -1, true}, EqualCase{9, 0, 0, 0, 5, false},
                                           EqualCase{9, 0, 0, 1, 4, false}, EqualCase{8, 0, 0, 0, 4, false}));

class RealPrinter : public ReportFixture {
protected:
  RealPrinter() {
    system->names = {QStringLiteral("Laser"), QStringLiteral("Atrament")};
    system->index = 1;
    system->settings = {9,
                        {9, 11},
                        {QStringLiteral("A4"), QStringLiteral("A5")},
                        7,
                        {7, 15},
                        {QStringLiteral("Zásobník 1"), QStringLiteral("Ručný")},
                        false,
                        600,
                        600,
                        {4960, 7016},
                        {50, 50},
                        {4860, 6916}};
  }
  std::shared_ptr<FakeSystemPrinter> system = std::make_shared<FakeSystemPrinter>();
};

TEST_F(RealPrinter, ReadsTheDriversSettings) {
  TrpPrinter& printer = rpPrinter();
  printer.SetPrinter(system);
  EXPECT_EQ(printer.Printers,
            (QStringList{QStringLiteral("Laser"), QStringLiteral("Atrament"), QStringLiteral("Virtuálna tlačiareň")}));
  EXPECT_EQ(printer.PrinterIndex, 1);
  EXPECT_EQ(printer.VirtualPrinterIndex, 2);
  EXPECT_EQ((QList<int>{printer.PaperSize, printer.PaperWidth, printer.PaperHeight, printer.Bin}),
            (QList<int>{9, 2100, 2970, 7}));
  EXPECT_EQ(printer.BinNames,
            (QStringList{QStringLiteral("Východzie"), QStringLiteral("Zásobník 1"), QStringLiteral("Ručný")}));
  EXPECT_EQ(printer.BinToIndex(15), 2);
  TrpPrnInfo info;
  printer.FillPrnInfo(info);
  EXPECT_EQ(info, (TrpPrnInfo{4960, 7016, 757, 1071, 50, 50, 8, 8, 4860, 6916, 742, 1056}));

  printer.SelectByName(QStringLiteral("Laser"));
  EXPECT_EQ(system->index, 0);
  printer.SelectByName(QStringLiteral("Neznáma"));
  EXPECT_EQ(printer.PrinterIndex, 0);
}

TEST_F(RealPrinter, NothingChangesWhilePrinting) {
  TrpPrinter& printer = rpPrinter();
  printer.SetPrinter(system);
  system->printing = true;
  printer.SetPrinterInfo(11, 0, 0, 1, -1, true);
  EXPECT_TRUE(system->writtenPapers.isEmpty());
  EXPECT_EQ((QList<int>{printer.PaperSize, printer.Orientation}), (QList<int>{9, 0}));
}

TEST_F(RealPrinter, DriverFailureSelectsTheVirtualPrinter) {
  system->failRead = true;
  TrpPrinter& printer = rpPrinter();
  printer.SetPrinter(system);
  EXPECT_TRUE(printer.IsVirtual());
  EXPECT_EQ(printer.PaperCodes.size(), 67);
}

} // namespace
