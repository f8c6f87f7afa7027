#include "ObjectsFixture.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/objects/rpCrossForm.h"
#include "reports/objects/rpCrossView.h"
#include "reports/objects/rpDictionaryForm.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include "util/UxMemDS.h"
#include <QtCore/QLocale>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <map>

namespace {

#define S(text) QStringLiteral(text)

// The members of a small branch: place, category, age, a fee (Null for some).
void FillMembers(TUxMemoryData& data) {
  for (const auto& [name, type] :
       {std::pair{"PLACE", TUxFieldType::String}, std::pair{"CATEGORY", TUxFieldType::String},
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
    // The report's owner is a form of the program, whose data sets the editor offers.
    owner.setObjectName(S("frmPrint"));
    rpAddGlobalComponent(&owner);
    members.setObjectName(S("Members"));
    members.setParent(&owner);
    FillMembers(members);
    rpRun().CurrentReport = &report;
    page = report.Pages.GetPage(0);
    cross = AddCross(*page, S("Members"), S("PLACE;"), S("CATEGORY;"), S("FEE+count;"));
  }
  ~CrossReport() override {
    rpRemoveGlobalComponent(&owner);
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
      for (const auto& [left, memo] : row)
        texts.append(memo->Memo.join(QLatin1Char('/')));
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
  cross->Dictionary = {S("FEE+count=Počet členov")};
  ASSERT_TRUE(Build());
  EXPECT_EQ(report.EMFPages.Count(), 1);
  EXPECT_EQ(Texts(0), (QStringList{S("Počet členov  |     CATEGORY"), S("PLACE|dospelý|dôchodca|mládež|Grand total"),
                                   S("Bojnice|1|0||1"), S("Nitra|2||1|3"), S("Grand total|3|0|1|4")}));
  const auto grid = Grid(0);
  const auto row = [&](int index) {
    auto it = grid.begin();
    std::advance(it, index);
    QList<TrpMemoView*> cells;
    for (const auto& [left, memo] : it->second)
      cells.append(memo);
    return cells;
  };
  // Widths are measured from the texts (10 pixels a character here) plus the gaps, the frame and 5.
  const QList<TrpMemoView*> captions = row(1);
  QList<int> widths;
  for (const TrpMemoView* memo : captions)
    widths.append(memo->Width);
  EXPECT_EQ(widths, (QList<int>{151, 81, 91, 71, 121})) << "the corner's caption fits in one line";
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
  for (int r = 0; r < 5; ++r)
    EXPECT_EQ(row(r)[0]->Height, 18) << r;
  // Nothing generated outlives the build.
  EXPECT_EQ(report.Pages.GetPage(0)->Count(), 1) << "the format memos made for the build go with it";
  EXPECT_EQ(owner.findChild<QObject*>(S("RowDSCross1")), nullptr);
}

TEST_F(CrossReport, StackedCellFieldsFormOneBoxUnderTheirCaptions) {
  AddMembers();
  cross->Memo[3] = S("FEE+;FEE+count;");
  cross->Dictionary = {S("FEE+=Príspevky"), S("FEE+count=Počet")};
  ASSERT_TRUE(Build());
  EXPECT_EQ(Texts(0),
            (QStringList{S("||     CATEGORY"), S("PLACE|Data|dospelý|dôchodca|mládež|Grand total"),
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
  for (const auto& [top, row] : Grid(0))
    heights.append(std::prev(row.end())->second->Height);
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

TEST_F(CrossReport, RepeatedCaptionsOnTheNextPageShowTheGrandTotalHeadingAgain) {
  for (int i = 0; i < 80; ++i)
    AddMember(members, QStringLiteral("Obec %1").arg(i, 2, 10, QLatin1Char('0')), S("dospelý"), 1);
  AddMember(members, S("Obec 00"), S("mládež"), 1);
  cross->Memo[2] = S("CATEGORY;FEE;"); // two header rows under the caption row
  cross->RepeatCaptions = true;
  ASSERT_TRUE(Build());
  ASSERT_GE(report.EMFPages.Count(), 2);
  for (int pageIndex : {0, 1}) {
    SCOPED_TRACE(pageIndex);
    const QStringList texts = Texts(pageIndex);
    ASSERT_GE(texts.size(), 3);
    EXPECT_TRUE(texts[1].endsWith(S("|Grand total"))) << texts[1].toStdString();
    EXPECT_EQ(texts[2], S("PLACE|1|1")) << "the grand total's heading covers this row";
  }
}

TEST_F(CrossReport, AnInternalFrameGivesEveryValueAllFourLines) {
  AddMembers();
  cross->InternalFrame = true;
  ASSERT_TRUE(Build());
  QStringList frames;
  for (const auto& [top, row] : Grid(0))
    frames.append(QString::number(std::next(row.begin())->second->FrameTyp));
  EXPECT_EQ(frames.mid(2), (QStringList{S("15"), S("15"), S("15")}))
      << "the first data row, the one before the grand total and the grand total";
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

TEST_F(CrossReport, CrossTabsOfOneReportChainTheirHandlersLastJoinedFirst) {
  AddMembers();
  // The report's own handler is there before any cross-tab joins.
  page->Delete(0);
  int original = 0;
  report.OnEndDoc = [&] { ++original; };
  QStringList counters; // the row counters made by the cross-tabs' builds, in order
  report.OnBeforeBuild = [&] {
    for (const QObject* child : owner.children())
      if (child->objectName().startsWith(S("RowDS"))) counters.append(child->objectName());
  };
  AddCross(*page, S("Members"), S("PLACE;"), S("CATEGORY;"), S("FEE+count;"));
  TrpPage* second = report.Pages.Add();
  AddCross(*second, S("Members"), S("CATEGORY;"), S("PLACE;"), S("FEE+;"));
  ASSERT_TRUE(Build());
  EXPECT_EQ(original, 1) << "the report's own handler runs once, after the cross-tabs";
  EXPECT_EQ(report.EMFPages.Count(), 2);
  EXPECT_EQ(Texts(0).value(1), S("PLACE|dospelý|dôchodca|mládež|Grand total"));
  EXPECT_EQ(Texts(1).value(1), S("CATEGORY|Bojnice|Nitra|Grand total"));
  EXPECT_EQ(counters, (QStringList{S("RowDSCross2"), S("RowDSCross1")})) << "the last joined builds first";
  EXPECT_EQ(owner.findChild<QObject*>(S("RowDSCross1")), nullptr) << "the counters go with the build";

  // Removing the first leaves the second hooked to all four events.
  TrpPage* first = report.Pages.GetPage(0);
  first->Delete(0);
  EXPECT_EQ(first->Count(), 0) << "its format memos went with it";
  original = 0;
  counters.clear();
  ASSERT_TRUE(Build());
  EXPECT_EQ(original, 1);
  EXPECT_EQ(counters, QStringList{S("RowDSCross2")});
  EXPECT_EQ(Texts(1).value(1), S("CATEGORY|Bojnice|Nitra|Grand total"));

  // Removing the only one gives the report back the handlers it had.
  report.Pages.GetPage(1)->Delete(0);
  EXPECT_FALSE(report.OnBeforePrint);
  EXPECT_FALSE(report.OnPrintColumn);
  original = 0;
  counters.clear();
  report.OnEndDoc();
  report.OnBeforeBuild();
  EXPECT_EQ(original, 1);
  EXPECT_TRUE(counters.isEmpty());
}

TEST_F(CrossReport, TheFormatMemosAppearAtTheFirstDrawingAndGoWithTheObject) {
  EXPECT_EQ(page->Count(), 1);
  QImage image(400, 200, QImage::Format_RGB32);
  QPainter painter(&image);
  cross->Draw(rpRun(), &painter);
  painter.end();
  ASSERT_EQ(page->Count(), 8);
  const TrpMemoView* cell = cross->FormatMemo(S("CellMemo"));
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->Name, S("CellMemoCross1"));
  EXPECT_EQ(cell->Memo, QStringList{S("Cell")});
  EXPECT_EQ(QRect(cell->Left, cell->Top, cell->Width, cell->Height), QRect(20 + 92, 20 + 28, 80, 18));
  EXPECT_FALSE(cell->Visible);
  EXPECT_EQ(cell->Restrictions, 0x70);
  EXPECT_EQ(cross->FormatMemo(S("GrandRowTotalMemo"))->FillColor, TColor(0xC0C0C0));
  // They are saved with the template and found again after loading it.
  const QByteArray saved = report.SaveToStream();
  report.LoadFromStream(saved, false);
  page = report.Pages.GetPage(0);
  ASSERT_EQ(page->Count(), 8);
  // A format memo moved before the cross-tab: deleting the cross-tab removes its own entry and its memos.
  page->MoveObject(3, 0);
  int at = -1;
  for (int i = 0; i < page->Count(); ++i)
    if (dynamic_cast<TrpCrossView*>(page->GetObject(i))) at = i;
  ASSERT_EQ(at, 1);
  page->Delete(at);
  EXPECT_EQ(page->Count(), 0);
}

TEST_F(CrossReport, ContextMenuItemsDoNotChangeAReadOnlyObject) {
  QList<TrpContextMenuItem> items;
  cross->AddContextMenuItems(items);
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0].Caption, S("Repeat captions"));
  EXPECT_EQ(items[2].Caption, S("Show header"));
  EXPECT_TRUE(items[2].Checked);
  items[0].OnClick();
  EXPECT_TRUE(cross->RepeatCaptions);
  cross->Restrictions |= rrModify;
  items[0].OnClick();
  items[1].OnClick();
  items[2].OnClick();
  EXPECT_TRUE(cross->RepeatCaptions);
  EXPECT_FALSE(cross->InternalFrame);
  EXPECT_TRUE(cross->ShowHeader);
}

TEST_F(CrossReport, PropertiesReachTheOptionsAndTheNameStaysOutOfTheInspector) {
  cross->WriteProperty(S("MAXNAMELEN"), 12);
  cross->WriteProperty(S("DATACAPTION"), S("Údaje"));
  cross->WriteProperty(S("INTERNALFRAME"), true);
  EXPECT_EQ(cross->ReadProperty(S("MaxNameLen")).toInt(), 12);
  EXPECT_EQ(cross->ReadProperty(S("DataCaption")).toString(), S("Údaje"));
  EXPECT_TRUE(cross->ReadProperty(S("InternalFrame")).toBool());
  EXPECT_EQ(cross->ReadProperty(S("Name")).toString(), S("Cross1"));
  cross->ListProperties();
  EXPECT_EQ(cross->FindPropertyRec(S("Name")), nullptr);
  ASSERT_NE(cross->FindPropertyRec(S("Dictionary")), nullptr);
  EXPECT_EQ(cross->FindPropertyRec(S("Dictionary"))->Type, 320);
  cross->Dictionary = {S("PLACE=Miesto"), S("CATEGORY=")};
  EXPECT_EQ(cross->FieldCaption(S("PLACE")), S("Miesto"));
  EXPECT_EQ(cross->FieldCaption(S("CATEGORY")), S("CATEGORY")) << "an empty caption shows the name";
  cross->Memo = {S("Members"), S("PLACE+;"), S("CATEGORY;"), S("FEE+count;FEE;")};
  EXPECT_EQ(cross->DictionaryTemplate(), (QStringList{S("PLACE="), S("CATEGORY="), S("FEE+count="), S("FEE=")}));
}

// The common view record and the cross-tab's own part of the given class version.
QByteArray CrossRecord(int classVersion) {
  TViewRecord view;
  view.Name = S("Cross1");
  view.Width = 348;
  view.Height = 94;
  view.Flags = 0x6001;
  view.FrameTyp = 15;
  view.Visible = false;
  view.Restrictions = 17;
  view.Memo = {S("Members"), S("PLACE;"), S("CATEGORY;"), S("FEE+;")};
  TBinaryWriter s;
  WriteViewRecord(s, view);
  QByteArray record = s.TakeData();
  record[10] = char(classVersion); // after the name (2 + 6 + 1 bytes) and the common record's version
  TBinaryWriter own;
  for (int flag : {1, 0, 1})
    rpWriteByte(own, quint8(flag));
  if (classVersion >= 1) {
    rpWriteByte(own, 0);
    rpWriteInteger(own, 120);
    rpWriteInteger(own, -1);
  }
  if (classVersion >= 2) {
    rpWriteString(own, S("PLACE=Miesto\r\nCATEGORY=Kategória\r\n"));
    rpWriteInteger(own, 20);
  }
  if (classVersion >= 3) rpWriteString(own, S("Údaje"));
  return record + own.TakeData();
}

TEST_F(ObjectsFixture, CrossTabRecordsLoadOldVersionsWithDefaultsAndRoundTripByteForByte) {
  TrpReport old;
  old.LoadFromStream(TemplateWith({{S("TrpCrossView"), CrossRecord(0)}}), false);
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  auto* view = dynamic_cast<TrpCrossView*>(old.Pages.GetPage(0)->GetObject(0));
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->InternalFrame);
  EXPECT_FALSE(view->RepeatCaptions);
  EXPECT_TRUE(view->ShowGrandTotal);
  EXPECT_EQ(view->DataWidth, -1);
  EXPECT_EQ(view->HeaderWidth, -1);
  EXPECT_TRUE(view->Dictionary.isEmpty());
  EXPECT_EQ(view->MaxNameLen, 100);
  EXPECT_EQ(view->DataCaption, S("Data"));

  const QByteArray current = TemplateWith({{S("TrpCrossView"), CrossRecord(3)}});
  TrpReport report;
  StopClock(report);
  report.LoadFromStream(current, false);
  view = dynamic_cast<TrpCrossView*>(report.Pages.GetPage(0)->GetObject(0));
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->ShowGrandTotal);
  EXPECT_EQ(view->DataWidth, 120);
  EXPECT_EQ(view->Dictionary, (QStringList{S("PLACE=Miesto"), S("CATEGORY=Kategória")}));
  EXPECT_EQ(view->MaxNameLen, 20);
  EXPECT_EQ(view->DataCaption, S("Údaje"));
  EXPECT_EQ(report.SaveToStream(), current);
}

QStringList ItemsOf(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i)
    items.append(list->item(i)->text());
  return items;
}

TEST_F(CrossReport, TheEditorReadsAndWritesTheDefinitionByItsDragRules) {
  cross->Memo = {S("Members"), S("PLACE+;"), S("CATEGORY;"), S("FEE+count;")};
  WhenModal<TrpCrossForm>([](TrpCrossForm* form) {
    EXPECT_EQ(form->windowTitle(), S("Cross-tab editor"));
    EXPECT_EQ(form->DatasetsLB->currentText(), S("Members"));
    EXPECT_EQ(ItemsOf(form->FieldsLB), QStringList{S("FEE")}) << "row and column fields leave the field list";
    EXPECT_EQ(ItemsOf(form->ListBox2), QStringList{S("PLACE+")});
    // A field dragged to the cells arrives with the sum and stays in the field list.
    form->DropField(form->FieldsLB, 0, form->ListBox4, -1);
    EXPECT_EQ(ItemsOf(form->ListBox4), (QStringList{S("FEE+count"), S("FEE+")}));
    EXPECT_EQ(ItemsOf(form->FieldsLB), QStringList{S("FEE")});
    // A cell field is no row field.
    form->DropField(form->FieldsLB, 0, form->ListBox2, -1);
    EXPECT_EQ(ItemsOf(form->ListBox2), QStringList{S("PLACE+")});
    // A row field dragged to the columns arrives bare, in front of the one it is dropped on.
    form->DropField(form->ListBox2, 0, form->ListBox3, 0);
    EXPECT_EQ(ItemsOf(form->ListBox3), (QStringList{S("PLACE"), S("CATEGORY")}));
    EXPECT_TRUE(ItemsOf(form->ListBox2).isEmpty());
    // A column field dragged to the cells returns to the field list too.
    form->DropField(form->ListBox3, 1, form->ListBox4, 0);
    EXPECT_EQ(ItemsOf(form->ListBox4), (QStringList{S("CATEGORY"), S("FEE+count"), S("FEE+")}));
    EXPECT_EQ(ItemsOf(form->FieldsLB), (QStringList{S("FEE"), S("CATEGORY")}));
    // A cell field dragged to the rows takes every cell entry of its field and leaves the field list.
    form->DropField(form->ListBox4, 1, form->ListBox2, -1);
    EXPECT_EQ(ItemsOf(form->ListBox2), QStringList{S("FEE")});
    EXPECT_EQ(ItemsOf(form->ListBox4), QStringList{S("CATEGORY")});
    EXPECT_EQ(ItemsOf(form->FieldsLB), QStringList{S("CATEGORY")});
    // A cell field dragged back to the field list is listed there once.
    form->DropField(form->ListBox4, 0, form->FieldsLB, -1);
    EXPECT_EQ(ItemsOf(form->FieldsLB), QStringList{S("CATEGORY")});
    form->DropField(form->FieldsLB, 0, form->ListBox4, -1);
    form->DropField(form->ListBox2, 0, form->FieldsLB, -1);
    EXPECT_EQ(ItemsOf(form->FieldsLB), (QStringList{S("CATEGORY"), S("FEE")}));
    form->DropField(form->FieldsLB, 1, form->ListBox2, -1);
    // Subtotals and functions through the selection.
    form->ListBox2->setCurrentRow(0);
    EXPECT_TRUE(form->CheckBox1->isEnabled());
    EXPECT_FALSE(form->ComboBox2->isEnabled());
    EXPECT_TRUE(form->CheckBox1->isChecked());
    form->CheckBox1->click();
    EXPECT_EQ(ItemsOf(form->ListBox2), QStringList{S("FEE")});
    form->ListBox4->setCurrentRow(0);
    EXPECT_TRUE(form->ListBox2->selectedItems().isEmpty()) << "one list's selection clears the others'";
    EXPECT_EQ(form->ComboBox2->currentIndex(), 1);
    form->ChooseFunction(5);
    EXPECT_EQ(ItemsOf(form->ListBox4), QStringList{S("CATEGORY+count")});
    form->SwapRowsAndColumns();
    EXPECT_EQ(ItemsOf(form->ListBox3), QStringList{S("FEE")});
    form->DropField(form->FieldsLB, 0, form->ListBox2, -1); // CATEGORY is a cell field: refused
    form->DropField(form->ListBox4, 0, form->ListBox4, -1);
    EXPECT_EQ(ItemsOf(form->ListBox2), QStringList{S("PLACE")});
    QTest::mouseClick(form->Button1, Qt::LeftButton);
  });
  cross->OpenEditor();
  EXPECT_EQ(cross->Memo, (QStringList{S("Members"), S("PLACE;"), S("FEE;"), S("CATEGORY+count;")}));
  // A read-only object keeps its definition.
  cross->Restrictions |= rrModify;
  WhenModal<TrpCrossForm>([](TrpCrossForm* form) {
    form->DropField(form->ListBox3, 0, form->ListBox2, -1);
    QTest::mouseClick(form->Button1, Qt::LeftButton);
  });
  cross->OpenEditor();
  EXPECT_EQ(cross->Memo[2], S("FEE;"));
}

TEST_F(CrossReport, ThePreviewDrawsTheLayoutOnceEveryListHasFields) {
  TrpCrossForm& form = rpCrossForm();
  const auto paint = [&] {
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    form.PaintPreview(painter);
    return image;
  };
  const auto pixels = [](const QImage& image, QColor color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        n += image.pixelColor(x, y) == color;
    return n;
  };
  form.ListBox2->clear();
  form.ListBox3->clear();
  form.ListBox4->clear();
  form.ListBox2->addItems({S("PLACE+"), S("SECTION")});
  form.ListBox3->addItem(S("CATEGORY"));
  EXPECT_EQ(pixels(paint(), Qt::white), 600 * 300) << "nothing without cell fields";
  form.ListBox4->addItems({S("FEE+"), S("FEE+count")});
  const QImage image = paint();
  EXPECT_GT(pixels(image, QColor(192, 192, 192)), 72 * 10) << "the grand-total row and column";
  EXPECT_GT(pixels(image, QColor(245, 245, 245)), 72 * 10) << "the subtotal of the marked row field";
  form.ListBox2->item(0)->setText(S("PLACE"));
  EXPECT_LT(pixels(paint(), QColor(245, 245, 245)), 10) << "no subtotals without \"+\"";
}

TEST_F(CrossReport, TheDictionaryEditorStartsWithOneLinePerField) {
  cross->Memo = {S("Members"), S("PLACE+;"), S("CATEGORY;"), S("FEE+count;")};
  WhenModal<TDictionaryForm>([](TDictionaryForm* form) {
    EXPECT_EQ(form->windowTitle(), S("Dictionary editor"));
    EXPECT_EQ(form->Memo1->toPlainText(), S("PLACE=\nCATEGORY=\nFEE+count="));
    form->Memo1->setPlainText(S("PLACE=Miesto\nCATEGORY=\nFEE+count=Počet"));
    QTest::mouseClick(form->OkButton, Qt::LeftButton);
  });
  cross->EditDictionary();
  EXPECT_EQ(cross->Dictionary, (QStringList{S("PLACE=Miesto"), S("CATEGORY="), S("FEE+count=Počet")}));
  WhenModal<TDictionaryForm>([](TDictionaryForm* form) {
    form->Memo1->setPlainText(S("x"));
    QTest::mouseClick(form->CancelButton, Qt::LeftButton);
  });
  cross->EditDictionary();
  EXPECT_EQ(cross->Dictionary.size(), 3);
}

} // namespace
