#include "ObjectsFixture.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/objects/rpCrossView.h"
#include "tests/support/QStringPrinter.h"
#include "util/UxMemDS.h"
#include <QtCore/QLocale>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <map>

namespace {

#define S(text) QStringLiteral(text)

// The members of a small branch: place, category, age, a fee (Null for some).
void FillMembers(TUxMemoryData& data) {
  for (const auto& [name, type] : {std::pair{"PLACE", TUxFieldType::String}, std::pair{"CATEGORY", TUxFieldType::String},
                                   std::pair{"FEE", TUxFieldType::Integer}}) {
    TUxFieldDef def;
    def.Name = QLatin1String(name);
    def.DataType = type;
    def.Size = type == TUxFieldType::String ? 40 : 0;
    data.AddFieldDef(def);
  }
  data.Open();
}

void AddMember(TUxMemoryData& data, const QString& place, const QString& category, const QVariant& fee) {
  data.Append();
  data.FieldByName(S("PLACE")).SetValue(place);
  data.FieldByName(S("CATEGORY")).SetValue(category);
  data.FieldByName(S("FEE")).SetValue(fee);
  data.Post();
}

// A report whose first page holds one cross-tab over the members.
class CrossReport : public ObjectsFixture {
protected:
  CrossReport() {
    QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
    members.setObjectName(S("Members"));
    members.setParent(&owner);
    FillMembers(members);
    rpGlobals().CurrentReport = &report;
    page = report.Pages.GetPage(0);
    cross = AddCross(*page, S("Members"), S("PLACE;"), S("CATEGORY;"), S("FEE+count;"));
  }
  ~CrossReport() override {
    members.setParent(nullptr);
    QLocale::setDefault(QLocale::system());
  }

  static TrpCrossView* AddCross(TrpPage& page, const QString& dataSet, const QString& rows, const QString& columns,
                                const QString& cells) {
    auto view = std::make_unique<TrpCrossView>();
    view->AssignFreeName();
    view->SetBounds(20, 20, 348, 94);
    view->Memo = {dataSet, rows, columns, cells};
    return static_cast<TrpCrossView*>(page.Add(std::move(view)));
  }

  void AddMembers() {
    AddMember(members, S("Nitra"), S("dospelý"), 20);
    AddMember(members, S("Nitra"), S("mládež"), 5);
    AddMember(members, S("Nitra"), S("dospelý"), 20);
    AddMember(members, S("Bojnice"), S("dospelý"), 20);
    AddMember(members, S("Bojnice"), S("dôchodca"), QVariant());
  }

  bool Build() {
    const bool built = report.BuildPreparedPages();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    return built;
  }

  // The text objects of a prepared page by rows (top) and columns (left).
  std::map<int, std::map<int, TrpMemoView*>> Grid(int pageIndex) {
    std::map<int, std::map<int, TrpMemoView*>> grid;
    TrpPage& prepared = report.EMFPages.LoadPageObjects(pageIndex);
    for (int i = 0; i < prepared.Count(); ++i)
      if (auto* memo = dynamic_cast<TrpMemoView*>(prepared.GetObject(i))) grid[memo->Top][memo->Left] = memo;
    return grid;
  }
  // Each row of the grid as its texts joined by "|".
  QStringList Texts(int pageIndex) {
    QStringList rows;
    for (const auto& [top, row] : Grid(pageIndex)) {
      QStringList texts;
      for (const auto& [left, memo] : row) texts.append(memo->Memo.join(QLatin1Char('/')));
      rows.append(texts.join(QLatin1Char('|')));
    }
    return rows;
  }

  QObject owner;
  TUxMemoryData members;
  TrpReport report{&owner};
  TrpPage* page = nullptr;
  TrpCrossView* cross = nullptr;
};

TEST_F(CrossReport, MembersByPlaceAndCategoryAreCountedInAMeasuredFramedTable) {
  AddMembers();
  ASSERT_TRUE(Build());
  EXPECT_EQ(report.EMFPages.Count(), 1);
  EXPECT_EQ(Texts(0), (QStringList{S("FEE+count  |     CATEGORY"), S("PLACE|dospelý|dôchodca|mládež|Grand total"),
                                   S("Bojnice|1|0||1"), S("Nitra|2||1|3"), S("Grand total|3|0|1|4")}));
  const auto grid = Grid(0);
  const auto row = [&](int index) {
    auto it = grid.begin();
    std::advance(it, index);
    QList<TrpMemoView*> cells;
    for (const auto& [left, memo] : it->second) cells.append(memo);
    return cells;
  };
  // Widths are measured from the texts (10 pixels a character here) plus the gaps, the frame and 5.
  const QList<TrpMemoView*> captions = row(1);
  QList<int> widths;
  for (const TrpMemoView* memo : captions) widths.append(memo->Width);
  EXPECT_EQ(widths, (QList<int>{121, 81, 91, 71, 121}));
  EXPECT_EQ(row(0)[1]->Width, 81 + 91 + 71 + 121) << "the column fields' caption spans every column";
  // Frames: the first data row has a top line, the row before the grand total a bottom line.
  EXPECT_EQ(row(2)[1]->FrameTyp, 13);
  EXPECT_EQ(row(3)[1]->FrameTyp, 7);
  EXPECT_EQ(row(4)[1]->FrameTyp, 15);
  // Looks of the format memos: grand totals grey, values aligned like the cell memo.
  EXPECT_EQ(row(4)[0]->FillColor, TColor(0xC0C0C0));
  EXPECT_EQ(row(2)[4]->FillColor, TColor(0xC0C0C0));
  EXPECT_EQ(row(2)[1]->Alignment, 1);
  EXPECT_TRUE(row(1)[1]->Font.Style.Bold);
  EXPECT_FALSE(row(2)[1]->Font.Style.Bold);
  for (int r = 0; r < 5; ++r) EXPECT_EQ(row(r)[0]->Height, 18) << r;
  // Nothing generated outlives the build.
  EXPECT_EQ(report.Pages.GetPage(0)->Count(), 1) << "the format memos made for the build go with it";
  EXPECT_EQ(owner.findChild<QObject*>(S("RowDSCross1")), nullptr);
}

TEST_F(CrossReport, StackedCellFieldsFormOneBoxUnderTheirCaptions) {
  AddMembers();
  cross->Memo[3] = S("FEE+;FEE+count;");
  cross->Dictionary = {S("FEE+=Príspevky"), S("FEE+count=Počet")};
  ASSERT_TRUE(Build());
  EXPECT_EQ(Texts(0), (QStringList{S("||     CATEGORY"), S("PLACE|Data|dospelý|dôchodca|mládež|Grand total"),
                                   S("Bojnice|Príspevky/Počet|20|||20"), S("1|0||1"), S("Nitra|Príspevky/Počet|40||5|45"),
                                   S("2||1|3"), S("Grand total|Príspevky/Počet|60|0|5|65"), S("3|0|1|4")}));
  const auto grid = Grid(0);
  auto it = grid.begin();
  std::advance(it, 2);
  const TrpMemoView* sum = std::next(it->second.begin(), 2)->second;
  ++it;
  const TrpMemoView* count = it->second.begin()->second;
  EXPECT_EQ(sum->Memo, QStringList{S("20")});
  EXPECT_EQ(count->Memo, QStringList{S("1")});
  EXPECT_EQ(count->Left, sum->Left);
  EXPECT_EQ(count->Top, sum->Top + 18);
  EXPECT_EQ(sum->FrameTyp, 13 & 13) << "the upper value has no bottom line";
  EXPECT_EQ(count->FrameTyp, 13 & 7) << "the lower value has no top line";
}

TEST_F(CrossReport, TheGrandTotalRowTakesItsOwnMeasuredHeight) {
  AddMembers();
  cross->Memo[3] = S("FEE+;FEE+count;");
  TrpMemoView* cellMemo = nullptr;
  cross->CreateFormatMemos();
  cellMemo = cross->FormatMemo(S("CellMemo"));
  ASSERT_NE(cellMemo, nullptr);
  cellMemo->Font.Size = 20; // taller values; the grand totals keep their 10 points
  ASSERT_TRUE(Build());
  QList<int> heights;
  for (const auto& [top, row] : Grid(0)) heights.append(std::prev(row.end())->second->Height);
  ASSERT_EQ(heights.size(), 8);
  EXPECT_GT(heights[2], 18);
  EXPECT_EQ(heights[3], heights[2]);
  EXPECT_EQ(heights[6], 18);
  EXPECT_EQ(heights[7], 18);
  const auto grid = Grid(0);
  EXPECT_EQ(std::prev(grid.end())->first - std::prev(grid.end(), 2)->first, 18) << "grand-total lines 18 apart";
}

TEST_F(CrossReport, WithoutHeaderAndGrandTotalOnlyTheTableItselfPrints) {
  AddMembers();
  cross->ShowHeader = false;
  cross->ShowGrandTotal = false;
  ASSERT_TRUE(Build());
  EXPECT_EQ(Texts(0), (QStringList{S("dospelý|dôchodca|mládež"), S("Bojnice|1|0|"), S("Nitra|2||1")}));
}

TEST_F(CrossReport, ACaptionBeyondTheLimitPrintsAsAsterisksWithItsLegend) {
  AddMembers();
  cross->Dictionary = {S("FEE+count=Počet členov s príspevkom")};
  cross->MaxNameLen = 10;
  ASSERT_TRUE(Build());
  const QStringList texts = Texts(0);
  ASSERT_FALSE(texts.isEmpty());
  EXPECT_EQ(texts.first(), S("*  |     CATEGORY"));
  EXPECT_EQ(texts.last(), S("* - Počet členov s príspevkom"));
}

TEST_F(CrossReport, ADataSetThatCannotBeFoundStopsTheBuildNamingIt) {
  AddMembers();
  cross->Memo[0] = S("Catches");
  EXPECT_FALSE(report.BuildPreparedPages());
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(S("Cross1"))) << messages[0].toStdString();
  EXPECT_TRUE(messages[0].contains(S("„Catches“"))) << messages[0].toStdString();
}

TEST_F(CrossReport, AnUnfinishedDefinitionOrAnEmptyTablePrintsNothing) {
  report.PrintIfEmpty = true;
  cross->Memo[2] = S(" ");
  ASSERT_TRUE(Build());
  EXPECT_EQ(Texts(0), QStringList{});
  report.Pages.GetPage(0)->GetObject(0)->Memo = QStringList{S("Members"), S("PLACE;"), S("CATEGORY;"), S("FEE;")};
  ASSERT_TRUE(Build()) << "no members: a table without columns";
  EXPECT_EQ(Texts(0), QStringList{});
}

TEST_F(CrossReport, AHeaderGroupWiderThanThePageIsCutAtItsEdgeAndShownAgain) {
  AddMembers();
  AddMember(members, S("Nitra"), S("ženy"), 20);
  cross->Memo[1] = S("FEE;");
  cross->Memo[2] = S("PLACE;CATEGORY;");
  cross->DataWidth = 150;
  cross->HeaderWidth = 100;
  for (const bool repeat : {false, true}) {
    SCOPED_TRACE(repeat ? "repeated captions" : "plain");
    auto* view = static_cast<TrpCrossView*>(report.Pages.GetPage(0)->GetObject(0));
    view->RepeatCaptions = repeat;
    ASSERT_TRUE(Build());
    ASSERT_EQ(report.EMFPages.Count(), 2);
    const int right = report.Pages.GetPage(0)->PrintableRight();
    EXPECT_EQ(Texts(0).mid(0, 3), (QStringList{S("FEE+count  |     PLACE     CATEGORY"), S("|Bojnice|Nitra"),
                                               S("FEE|dospelý|dôchodca|dospelý|mládež")}));
    const QString corner = repeat ? S("FEE+count  |") : QString();
    EXPECT_EQ(Texts(1).mid(0, 3), (QStringList{corner + S("     PLACE     CATEGORY"),
                                               (repeat ? S("|") : QString()) + S("Nitra|Grand total"),
                                               (repeat ? S("FEE|") : QString()) + S("ženy")}));
    const auto first = Grid(0);
    const TrpMemoView* nitra = std::prev(std::next(first.begin())->second.end())->second;
    ASSERT_EQ(nitra->Memo, QStringList{S("Nitra")});
    EXPECT_EQ(nitra->Width, 300) << "widened over the columns that fit";
    EXPECT_LE(nitra->Left + nitra->Width, right);
    EXPECT_EQ(bool(nitra->FrameTyp & 1), repeat) << "the cut group keeps its right line only with repeated captions";
    const auto second = std::next(Grid(1).begin())->second;
    const TrpMemoView* again = std::next(second.begin(), repeat ? 1 : 0)->second;
    EXPECT_EQ(again->Memo, QStringList{S("Nitra")});
    EXPECT_EQ(again->Left, report.Pages.GetPage(0)->PrintableLeft() + (repeat ? 100 : 0));
    EXPECT_EQ(again->Width, 150);
  }
}

} // namespace
