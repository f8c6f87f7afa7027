#include "ReportFixture.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpValue.h"

namespace {

QStringList Names(const TrpObject& object) {
  QStringList names;
  for (const TrpPropRec& r : object.PropertyList())
    names.append(r.Name);
  return names;
}

const QStringList kCommon{QStringLiteral("Name"),        QStringLiteral("Left"),          QStringLiteral("Top"),
                          QStringLiteral("Width"),       QStringLiteral("Height"),        QStringLiteral("Flags"),
                          QStringLiteral("Visible"),     QStringLiteral("OnBeforePrint"), QStringLiteral("Memo.Count"),
                          QStringLiteral("Restrictions")};

struct BandListCase {
  int type;
  QStringList own;
};

class BandProperties : public ReportFixture, public ::testing::WithParamInterface<BandListCase> {};

TEST_P(BandProperties, ListByBandType) {
  TrpBandView band;
  band.SetBandType(GetParam().type);
  band.ListProperties();
  EXPECT_EQ(Names(band), kCommon + GetParam().own);
}

INSTANTIATE_TEST_SUITE_P(
    Band, BandProperties,
    ::testing::Values(
        BandListCase{3, {QStringLiteral("OnFirstPage"), QStringLiteral("OnLastPage"), QStringLiteral("EOF")}},
        BandListCase{5,
                     {QStringLiteral("ChildBand"), QStringLiteral("PrintChildIfInvisible"), QStringLiteral("Stretched"),
                      QStringLiteral("FormNewPage"), QStringLiteral("PrintIfSubsetEmpty"), QStringLiteral("Breaked"),
                      QStringLiteral("Columns"), QStringLiteral("ColumnWidth"), QStringLiteral("ColumnGap"),
                      QStringLiteral("DataSource"), QStringLiteral("EOF")}},
        BandListCase{16,
                     {QStringLiteral("ChildBand"), QStringLiteral("PrintChildIfInvisible"), QStringLiteral("Stretched"),
                      QStringLiteral("FormNewPage"), QStringLiteral("Breaked"), QStringLiteral("RepeatHeader"),
                      QStringLiteral("Condition"), QStringLiteral("Master"), QStringLiteral("EOF")}},
        BandListCase{19,
                     {QStringLiteral("ChildBand"), QStringLiteral("PrintChildIfInvisible"),
                      QStringLiteral("DataSource"), QStringLiteral("EOF")}}));

TEST_F(ReportFixture, BandEnumerationsNameTheOtherBandsOfThePage) {
  TrpPages pages;
  TrpPage* page = pages.Add();
  const auto add = [&](const char* name, int type) {
    auto band = std::make_unique<TrpBandView>();
    band->Name = QLatin1String(name);
    band->SetBandType(type);
    return static_cast<TrpBandView*>(page->Add(std::move(band)));
  };
  add("Child1", 21);
  add("MasterData1", 5);
  add("DetailData1", 8);
  TrpBandView* group = add("GroupHeader1", 16);
  add("Child2", 21);
  group->ListProperties();
  EXPECT_EQ(group->FindPropertyRec(QStringLiteral("childband"))->EnumNames,
            (QStringList{QStringLiteral("Child1"), QStringLiteral("Child2")}));
  EXPECT_EQ(group->FindPropertyRec(QStringLiteral("Master"))->EnumNames,
            (QStringList{QStringLiteral("MasterData1"), QStringLiteral("DetailData1")}));
}

TEST_F(ReportFixture, ParentBandHoldsTheTopLeftCorner) {
  TrpPages pages;
  TrpPage* page = pages.Add();
  const auto add = [&](std::unique_ptr<TrpView> view, QRect r) {
    view->SetBounds(r.x(), r.y(), r.width(), r.height());
    return page->Add(std::move(view));
  };
  TrpView* header = add(std::make_unique<TrpBandView>(), {0, 0, 700, 40});
  TrpView* data = add(std::make_unique<TrpBandView>(), {0, 40, 700, 20});
  TrpView* inData = add(std::make_unique<TrpMemoView>(), {10, 45, 50, 10});
  TrpView* onEdge = add(std::make_unique<TrpMemoView>(), {700, 40, 50, 10});
  TrpView* below = add(std::make_unique<TrpMemoView>(), {10, 61, 50, 10});
  EXPECT_EQ(inData->FindParentBand(), data);
  EXPECT_EQ(onEdge->FindParentBand(), data) << "edges count; the last band wins";
  EXPECT_EQ(below->FindParentBand(), nullptr);
  EXPECT_EQ(header->FindParentBand(), nullptr);
}

struct BandFlagCase {
  const char* name;
  quint16 bit;
};

class BandFlags : public ReportFixture, public ::testing::WithParamInterface<BandFlagCase> {};

TEST_P(BandFlags, SetAndClearTheirBit) {
  TrpBandView band;
  band.Flags = 0;
  band.WriteProperty(QLatin1String(GetParam().name), true);
  EXPECT_EQ(band.Flags, GetParam().bit);
  EXPECT_EQ(band.ReadProperty(QLatin1String(GetParam().name)).toBool(), true);
  band.WriteProperty(QLatin1String(GetParam().name), false);
  EXPECT_EQ(band.Flags, 0);
}

INSTANTIATE_TEST_SUITE_P(Band, BandFlags,
                         ::testing::Values(BandFlagCase{"Stretched", 1}, BandFlagCase{"FormNewPage", 2},
                                           BandFlagCase{"printifsubsetempty", 4}, BandFlagCase{"Breaked", 8},
                                           BandFlagCase{"OnFirstPage", 16}, BandFlagCase{"OnLastPage", 32},
                                           BandFlagCase{"RepeatHeader", 64},
                                           BandFlagCase{"PrintChildIfInvisible", 128}));

TEST_F(ReportFixture, BandTextsAndColumns) {
  TrpBandView band;
  band.WriteProperty(QStringLiteral("Condition"), QStringLiteral("[MASTER.\"ROK\"]"));
  band.WriteProperty(QStringLiteral("ChildBand"), QStringLiteral("Child1"));
  band.WriteProperty(QStringLiteral("NewColumnAfter"), 3);
  EXPECT_EQ(band.DisplayFormatText, QStringLiteral("[MASTER.\"ROK\"]"));
  EXPECT_EQ(band.ReadProperty(QStringLiteral("CHILDBAND")).toString(), QStringLiteral("Child1"));
  EXPECT_EQ(band.ReadProperty(QStringLiteral("COLUMNWIDTH")).toInt(), 200);
  EXPECT_EQ(band.NewColumnAfter, 3);
  EXPECT_EQ(band.Flags, 48) << "on the first and the last page by default";
}

// Version 23: the common record without version bytes, restrictions, tag,
// gaps or alignment, and no band fields after it.
TEST_F(ReportFixture, BandOfVersion23KeepsColumnAndLinkDefaults) {
  TBinaryWriter w;
  rpWriteString(w, QStringLiteral("MasterData1"));
  for (int v : {0, 100, 500, 40})
    rpWriteInteger(w, v);
  rpWriteWord(w, 48);
  rpWriteWord(w, 5);
  rpWriteInteger(w, 1);
  rpWriteInteger(w, 0);
  rpWriteWord(w, 0);
  rpWriteInteger(w, clNone);
  rpWriteInteger(w, 0);
  rpWriteString(w, QStringLiteral("MASTER"));
  rpWriteMemo(w, {});
  rpWriteMemo(w, {});
  rpWriteWord(w, 0xFFFF);
  rpRun().StreamVersion = 23;
  TrpBandView band;
  TBinaryReader reader(w.Data());
  band.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(band.GetBandType(), 5);
  EXPECT_EQ(band.DisplayFormatText, QStringLiteral("MASTER"));
  EXPECT_EQ((QList<int>{band.Columns, band.ColumnWidth, band.ColumnGap, band.NewColumnAfter}),
            (QList<int>{1, 200, 20, 1}));
  EXPECT_TRUE(band.ChildBand.isEmpty());
}

struct BandRecordCase {
  int subVersion;
  QString master;
};

class BandRecord : public ReportFixture, public ::testing::WithParamInterface<BandRecordCase> {};

TEST_P(BandRecord, ReadsTheMasterFromRecordVersion21) {
  TrpBandView source;
  source.Name = QStringLiteral("GroupHeader1");
  source.Columns = 3;
  source.Master = QStringLiteral("MasterData1");
  TBinaryWriter writer;
  source.SaveToStream(writer);
  QByteArray bytes = writer.TakeData();
  bytes[2 + 12 + 1 + 1] = char(GetParam().subVersion); // after the name: version 2, then the sub-version
  rpRun().StreamVersion = 25;
  TrpBandView read;
  TBinaryReader reader(bytes);
  read.LoadFromStream(reader);
  EXPECT_EQ(read.Columns, 3);
  EXPECT_EQ(read.Master, GetParam().master);
}

INSTANTIATE_TEST_SUITE_P(Band, BandRecord,
                         ::testing::Values(BandRecordCase{0, QString()},
                                           BandRecordCase{1, QStringLiteral("MasterData1")}));

} // namespace
