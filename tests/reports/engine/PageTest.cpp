#include "ReportFixture.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpValue.h"

namespace {

class PageTest : public ReportFixture {
protected:
  TrpPages pages;
};

TEST_F(PageTest, ReportPageSizeInPixels) {
  TrpPage* page = pages.Add();
  EXPECT_EQ((QList<int>{page->PaperSize, page->PaperWidth, page->PaperHeight}), (QList<int>{9, 2100, 2970}));
  EXPECT_EQ(page->ReadProperty(QStringLiteral("Width")).toInt(), 756);
  EXPECT_EQ(page->ReadProperty(QStringLiteral("height")).toInt(), 1069);
  page->WriteProperty(QStringLiteral("WIDTH"), 500);
  EXPECT_EQ(page->PaperWidth, 1389);
  page->PageType = 1;
  page->WriteProperty(QStringLiteral("Width"), 500);
  EXPECT_EQ(page->DialogWidth, 500) << "a dialog page's width is its window's";
}

struct PrintableCase {
  const char* name;
  bool useMargins;
  QList<int> margins; // left, top, right, bottom
  QList<int> edges;   // PrintableLeft, Top, Right, Bottom
};

class PrintableArea : public PageTest, public ::testing::WithParamInterface<PrintableCase> {};

// The virtual printer's A4 page: 758 x 1071 units, offsets 18, printable 722 x 1035.
TEST_P(PrintableArea, FollowsMarginsAndThePrinter) {
  const PrintableCase& c = GetParam();
  TrpPage* page = pages.Add();
  page->UseMargins = c.useMargins;
  page->LeftMargin = c.margins[0];
  page->TopMargin = c.margins[1];
  page->RightMargin = c.margins[2];
  page->BottomMargin = c.margins[3];
  EXPECT_EQ((QList<int>{page->PrintableLeft(), page->PrintableTop(), page->PrintableRight(), page->PrintableBottom()}),
            c.edges);
  EXPECT_EQ(page->ReadProperty(QStringLiteral("StretchToPrintable")).toBool(), !c.useMargins);
}

INSTANTIATE_TEST_SUITE_P(Page, PrintableArea,
                         ::testing::Values(PrintableCase{"stretched", false, {10, 20, 30, 40}, {0, 0, 758, 1071}},
                                           PrintableCase{"margins", true, {10, 20, 30, 40}, {10, 20, 728, 1031}},
                                           PrintableCase{"printerOffsets", true, {0, 0, 0, 0}, {18, 18, 740, 1053}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageTest, FreeNamesObjectsAndOrder) {
  pages.Add()->Name = QStringLiteral("Page1");
  pages.Add()->Name = QStringLiteral("Page3");
  TrpPage* page = pages.Add();
  page->AssignFreeName();
  EXPECT_EQ(page->Name, QStringLiteral("Page2"));

  for (const char* name : {"Memo1", "Memo2", "Memo3"}) {
    auto memo = rpNewObjectOfType(0, {});
    memo->Name = QLatin1String(name);
    page->Add(std::move(memo));
  }
  const qint32 secondId = page->GetObject(1)->ObjectId;
  EXPECT_EQ(page->FindObject(QStringLiteral("MEMO2")), page->GetObject(1));
  page->Delete(0);
  EXPECT_EQ(page->IndexOfObjectID(secondId), 0);
  EXPECT_EQ(page->IndexOfObjectID(-5), -1);
  EXPECT_EQ(page->GetObject(0)->Page, page);

  pages.Move(2, 0);
  EXPECT_EQ(pages.GetPage(0), page);
  EXPECT_EQ(pages.IndexOf(page), 0);
}

TEST_F(PageTest, PropertyListsByPageType) {
  TrpPage* page = pages.Add();
  page->ListProperties();
  const TrpPropRec* size = page->FindPropertyRec(QStringLiteral("Size"));
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->EnumNames.size(), 67);
  EXPECT_EQ(size->EnumNames.value(8), QStringLiteral("A4 210 x 297 mm"));
  EXPECT_EQ(size->EnumValues.toList().value(66).toInt(), 256);
  EXPECT_EQ(page->FindPropertyRec(QStringLiteral("Caption")), nullptr);
  EXPECT_EQ(page->FindPropertyRec(QStringLiteral("Name")), nullptr) << "Name is reached by scripts only";

  page->WriteProperty(QStringLiteral("type"), 1);
  page->ListProperties();
  QStringList names;
  for (const TrpPropRec& r : page->PropertyList())
    names.append(r.Name);
  EXPECT_EQ(names, (QStringList{QStringLiteral("Type"), QStringLiteral("Visible"), QStringLiteral("BorderStyle"),
                                QStringLiteral("Caption"), QStringLiteral("Color"), QStringLiteral("Left"),
                                QStringLiteral("Top"), QStringLiteral("Width"), QStringLiteral("Height"),
                                QStringLiteral("Position"), QStringLiteral("OnActivate")}));
  EXPECT_EQ(page->FindPropertyRec(QStringLiteral("Position"))->EnumValues.toList(), (QVariantList{0, 4}));
}

TEST_F(PageTest, RecordWithoutMarkerHasNoScript) {
  TrpPage* page = pages.Add();
  page->Name = QStringLiteral("Hlavná");
  page->Script = {QStringLiteral("x := 1")};
  TBinaryWriter writer;
  page->SaveToStream(writer);
  TBinaryWriter script;
  rpWriteMemo(script, page->Script);
  QByteArray bytes = writer.TakeData().mid(4); // without the marker the paper size comes first
  bytes.chop(script.Size());                   // and no script ends it
  rpRun().StreamVersion = 25;
  TrpPage* read = pages.Add();
  read->Script = {QStringLiteral("stale")};
  TBinaryReader reader(bytes);
  read->LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_TRUE(read->Script.isEmpty());
  EXPECT_EQ(read->Name, QStringLiteral("Hlavná"));
}

TEST_F(PageTest, RefusedPaperFallsBackToCustomSize) {
  auto system = std::make_shared<FakeSystemPrinter>();
  system->refusedPaper = 5;
  // 254 dots per inch: device pixels are tenths of a millimetre.
  system->settings = {9,
                      {9, 5, 256},
                      {QStringLiteral("A4"), QStringLiteral("Legal"), QStringLiteral("Custom")},
                      -1,
                      {},
                      {},
                      false,
                      254,
                      254,
                      {2100, 2970},
                      {40, 40},
                      {2020, 2890}};
  rpPrinter().SetPrinter(system);
  TrpPage* page = pages.Add();
  page->ApplyPaper(5, 2159, 3556, 3, 0);
  EXPECT_EQ(system->writtenPapers, QList<int>{256});
  EXPECT_EQ(page->PaperSize, 256);
  EXPECT_EQ(page->Bin, -1) << "the printer's default source";
  EXPECT_EQ(page->PrnInfo.OffsetX, 14);
}

} // namespace

namespace {

TEST_F(PageTest, ScriptAsTextProperty) {
  TrpPage* page = pages.Add();
  page->WriteProperty(QStringLiteral("OnBeforePrint"), QStringLiteral("a := 1\r\nb := 2"));
  EXPECT_EQ(page->Script, (QStringList{QStringLiteral("a := 1"), QStringLiteral("b := 2")}));
  EXPECT_EQ(page->ReadProperty(QStringLiteral("ONACTIVATE")).toString(), QStringLiteral("a := 1\r\nb := 2"));
  page->WriteProperty(QStringLiteral("OnBeforePrint"), QString());
  EXPECT_TRUE(page->Script.isEmpty());
}

} // namespace
