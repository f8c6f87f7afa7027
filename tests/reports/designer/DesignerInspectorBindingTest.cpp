#include "DesignerFixture.h"
#include "core/BinaryStream.h"
#include "platform/base/Registry.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDesignerUnits.h"
#include "reports/designer/rpInspForm.h"
#include "reports/designer/rpInspectorRules.h"
#include "reports/designer/rpToolWindowLayout.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/ui/rpDock.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/TestOutput.h"
#include <QtGui/QMouseEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QTabBar>
#include <algorithm>
#include <functional>

namespace {

#define INB(text) QStringLiteral(text)

// A title band with its text and a master band with two texts and a child band.
class DesignerInspectorBinding : public DesignerFixture {
protected:
  DesignerInspectorBinding() {
    TRegistry::Root().DeleteKey(rpRegistryRoot());
    page = report->Pages.GetPage(0);
    AddBand(page, btReportTitle, INB("ReportTitle1"), 20, 40);
    title = AddText(page, INB("Nadpis"), {60, 30, 300, 20}, INB("Zoznam členov"));
    master = AddBand(page, btMasterData, INB("MasterData1"), 100, 20);
    first = AddText(page, INB("Priezvisko"), {40, 100, 100, 18}, INB("[MASTER.\"PRIEZVISKO\"]"));
    second = AddText(page, INB("Meno"), {150, 100, 100, 18}, INB("[MASTER.\"MENO\"]"));
    child = AddBand(page, btChild, INB("Child1"), 140, 20);
    static_cast<TrpBandView*>(master)->ChildBand = INB("Child1");
  }
  ~DesignerInspectorBinding() override { TRegistry::Root().DeleteKey(rpRegistryRoot()); }

  std::unique_ptr<TrpDesignerForm> Open() {
    auto form = std::make_unique<TrpDesignerForm>(*report, true);
    form->show();
    return form;
  }

  // Types a text into the inspector's row of that name, as Enter commits it.
  static void Type(TrpDesignerForm& form, const QString& row, const QString& text) {
    TrpInspForm* inspector = form.Inspector();
    const int index = inspector->Props().IndexOf(row);
    ASSERT_GE(index, 0) << row.toStdString();
    inspector->SetItemIndex(index);
    inspector->ApplyEditText(text);
  }
  static QString Shown(TrpDesignerForm& form, const QString& row) {
    const int index = form.Inspector()->Props().IndexOf(row);
    return index < 0 ? INB("(missing)") : form.Inspector()->Props().Row(index).Text;
  }

  TrpPage* page = nullptr;
  TrpView* title = nullptr;
  TrpView* master = nullptr;
  TrpView* first = nullptr;
  TrpView* second = nullptr;
  TrpView* child = nullptr;
};

TEST(DesignerUnitsConversion, MillimetresAndInchesGiveWholeReportPixels) {
  struct Case {
    double Value;
    TrpDesignerUnits Units;
    int Pixels;
  };
  const Case cases[] = {{10, TrpDesignerUnits::Millimetres, 36}, {12.5, TrpDesignerUnits::Millimetres, 45},
                        {15, TrpDesignerUnits::Millimetres, 54}, {1, TrpDesignerUnits::Inches, 91},
                        {7.6, TrpDesignerUnits::Pixels, 8},      {0.1, TrpDesignerUnits::Millimetres, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(rpUnitsToPixels(c.Value, c.Units), c.Pixels) << c.Value;
  EXPECT_DOUBLE_EQ(rpPixelsToUnits(36, TrpDesignerUnits::Millimetres), 10.0);
  EXPECT_DOUBLE_EQ(rpUnitsToExactPixels(0.5, TrpDesignerUnits::Millimetres), 1.8);

  const quint16 size = ptUnitLength, frameWidth = ptUnitLength | ptFloat;
  EXPECT_EQ(rpInspectorValueToPixels(12.5, size, true, TrpDesignerUnits::Millimetres), QVariant(45));
  EXPECT_EQ(rpInspectorValueToPixels(0.5, frameWidth, true, TrpDesignerUnits::Millimetres), QVariant(1.8));
  EXPECT_EQ(rpInspectorValueToPixels(12.5, size, false, TrpDesignerUnits::Millimetres), QVariant(12.5))
      << "a dialog page shows pixels";
  EXPECT_EQ(rpInspectorValueToPixels(INB("Meno"), ptText, true, TrpDesignerUnits::Millimetres), QVariant(INB("Meno")));
}

TEST_F(DesignerInspectorBinding, TypedMillimetresBecomePixelsAndAValueThatDoesNotConvertShowsTheOldOneAgain) {
  auto form = Open();
  form->NextUnits();
  form->SelectObject(first);
  Type(*form, INB("Width"), INB("10"));
  EXPECT_EQ(first->Width, 36);
  Type(*form, INB("Left"), INB("12,5"));
  EXPECT_EQ(first->Left, 45);
  EXPECT_EQ(Shown(*form, INB("Left")), INB("12,50"));
  Type(*form, INB("FrameWidth"), INB("0,5"));
  EXPECT_FLOAT_EQ(first->FrameWidth, 1.8f) << "a frame width keeps its fraction";

  const int steps = form->UndoBuffers().UndoCount();
  Type(*form, INB("Top"), INB("dvanásť"));
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors.first().contains(INB("dvanásť")));
  EXPECT_EQ(first->Top, 100);
  EXPECT_EQ(Shown(*form, INB("Top")), INB("27,78")) << "the old value again";
  EXPECT_EQ(form->UndoBuffers().UndoCount(), steps);
  EXPECT_EQ(Shown(*form, INB("Font")), INB("(Font)")) << "edited only through its editor";
}

TEST_F(DesignerInspectorBinding, EveryRowShownIsWrittenBackAndRowsWithoutATypeTakeTheirText) {
  auto form = Open();
  form->SelectObject(first);
  auto* text = static_cast<TrpMemoView*>(first);
  const struct {
    const char* row;
    const char* typed;
    std::function<QVariant()> stored;
    QVariant expected;
  } cases[] = {
      {"Font.Size", "14", [&] { return text->Font.Size; }, 14},
      {"Font.Color", "255", [&] { return qint64(text->Font.Color); }, qint64(clRed)},
      {"Font.Name", "Liberation Serif", [&] { return text->Font.Name; }, INB("Liberation Serif")},
      {"Font.Style", "2", [&] { return bool(text->Font.Style.Bold); }, true},
      {"Alignment", "2", [&] { return text->Alignment; }, 2},
  };
  for (const auto& c : cases) {
    Type(*form, QString::fromLatin1(c.row), QString::fromUtf8(c.typed));
    EXPECT_EQ(c.stored(), c.expected) << c.row;
    EXPECT_EQ(Shown(*form, QString::fromLatin1(c.row)), QString::fromUtf8(c.typed)) << c.row;
  }
  EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();

  // Whatever a row shows, typed again, is taken without complaint and changes nothing.
  for (TrpView* object : {first, master, title}) {
    form->SelectObject(object);
    // The object's own record (the report's stream also holds the time of the last change).
    const auto record = [](TrpView* view) {
      TBinaryWriter stream;
      view->SaveToStream(stream);
      return stream.TakeData();
    };
    const QByteArray before = record(object);
    const TrpInspProps& props = form->Inspector()->Props();
    QStringList rows;
    for (int i = 0; i < props.Count(); ++i)
      if (!(props.Row(i).Type & ptEditor) || (props.Row(i).Type & ptText)) rows << props.Row(i).Name;
    for (const QString& row : rows) {
      Type(*form, row, Shown(*form, row));
      EXPECT_EQ(record(object), before) << object->Name.toStdString() << " " << row.toStdString();
    }
    EXPECT_TRUE(errors.isEmpty()) << object->Name.toStdString() << ": " << errors.join(QLatin1Char('\n')).toStdString();
    errors.clear();
  }
}

TEST_F(DesignerInspectorBinding, TheInspectorFollowsAMoveAndAResizeWithTheMouse) {
  auto form = Open();
  QWidget* workspace = form->Workspace();
  const auto send = [workspace](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, workspace->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(workspace, &event);
  };
  const auto drag = [&](QPoint from, QPoint to) {
    send(QEvent::MouseMove, from, Qt::NoButton); // the cursor over a grip takes its shape first
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step)
      send(QEvent::MouseMove, from + (to - from) * step / 4, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
  };
  QTest::mouseClick(workspace, Qt::LeftButton, {}, QPoint(first->Left + 5, first->Top + 5));
  ASSERT_EQ(form->Selection().LastSelected(), first);
  ASSERT_EQ(Shown(*form, INB("Left")), INB("40"));
  drag(QPoint(first->Left + 20, first->Top + 9), QPoint(first->Left + 60, first->Top + 9));
  EXPECT_EQ(first->Left, 80);
  EXPECT_EQ(Shown(*form, INB("Left")), INB("80")) << "the inspector follows the move";
  // The bottom edge's middle grip.
  const QPoint grip(first->Left + first->Width / 2, first->Top + first->Height);
  drag(grip, grip + QPoint(0, 12));
  EXPECT_EQ(first->Height, 30);
  EXPECT_EQ(Shown(*form, INB("Height")), INB("30")) << "the inspector follows the resize";
}

TEST_F(DesignerInspectorBinding, WithNothingSelectedTheFontBoxesAreEmpty) {
  auto form = Open();
  auto* fontName = form->findChild<QComboBox*>(INB("C2"));
  auto* fontSize = form->findChild<QComboBox*>(INB("C3"));
  ASSERT_TRUE(fontName && fontSize);
  EXPECT_EQ(fontName->currentText(), QString());
  EXPECT_EQ(fontSize->currentText(), QString());
  form->SelectObject(first);
  EXPECT_EQ(fontSize->currentText(), QString::number(static_cast<TrpMemoView*>(first)->Font.Size));
  QTest::mouseClick(form->Workspace(), Qt::LeftButton, {}, QPoint(600, 400)); // the empty page
  ASSERT_EQ(form->Selection().Count(), 0);
  EXPECT_EQ(fontName->currentText(), QString());
  EXPECT_EQ(fontSize->currentText(), QString());
}

TEST_F(DesignerInspectorBinding, TheStandardBarKeepsItsOrderWhateverIsHidden) {
  auto form = Open();
  TrpToolBar* bar = form->ToolBar(INB("Panel2"));
  const QStringList order{
      INB("FileBtn1"), INB("FileBtn2"), INB("FileBtn3"), INB("FileBtn4"), INB("CutB"),    INB("CopyB"),   INB("PstB"),
      INB("UndoB"),    INB("RedoB"),    INB("ZB1"),      INB("ZB2"),      INB("SelAllB"), INB("PgB1"),    INB("PgB4"),
      INB("PgB2"),     INB("PgB3"),     INB("GB1"),      INB("GB2"),      INB("GB3"),     INB("HelpBtn"), INB("ExitB")};
  // The visible buttons from left to right.
  const auto shown = [bar] {
    QList<QWidget*> controls;
    for (QWidget* control : bar->Controls())
      if (!control->isHidden()) controls << control;
    std::sort(controls.begin(), controls.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    QStringList names;
    for (QWidget* control : controls)
      names << control->objectName();
    return names;
  };
  EXPECT_EQ(shown(), order);
  // Hidden and shown again in another order, the buttons stand where they belong.
  for (const char* name : {"CutB", "UndoB", "GB3", "FileBtn1"})
    bar->findChild<QWidget*>(QString::fromLatin1(name))->hide();
  bar->AdjustBounds();
  QStringList without = order;
  for (const char* name : {"CutB", "UndoB", "GB3", "FileBtn1"})
    without.removeAll(QString::fromLatin1(name));
  EXPECT_EQ(shown(), without);
  for (const char* name : {"GB3", "FileBtn1", "UndoB", "CutB"})
    bar->findChild<QWidget*>(QString::fromLatin1(name))->show();
  bar->AdjustBounds();
  EXPECT_EQ(shown(), order);
}

TEST_F(DesignerInspectorBinding, ADuplicateNameIsRefusedAndARenamedChildBandIsFollowedByItsReference) {
  auto form = Open();
  form->SelectObject(second);
  Type(*form, INB("Name"), INB("priezvisko"));
  EXPECT_EQ(second->Name, INB("Meno")) << "another object bears it, without regard to case";
  EXPECT_EQ(Shown(*form, INB("Name")), INB("Meno"));
  Type(*form, INB("Name"), INB("MENO"));
  EXPECT_EQ(second->Name, INB("MENO")) << "only the case changed: its own name";
  Type(*form, INB("Name"), INB("Krstné"));
  EXPECT_EQ(second->Name, INB("Krstné"));

  form->SelectObject(child);
  Type(*form, INB("Name"), INB("Poznamka"));
  EXPECT_EQ(child->Name, INB("Poznamka"));
  EXPECT_EQ(static_cast<TrpBandView*>(master)->ChildBand, INB("Poznamka"));

  first->Restrictions = rrModify;
  form->SelectObject(first);
  Type(*form, INB("Name"), INB("Iné"));
  EXPECT_EQ(first->Name, INB("Priezvisko")) << "may not be modified";
}

TEST_F(DesignerInspectorBinding, PositionAndSizeSkipTheObjectsThatMayNotBeMovedOrResized) {
  auto form = Open();
  first->Restrictions = rrMove;
  second->Restrictions = rrSize;
  form->Selection().SetSelected(first, true);
  form->Selection().SetSelected(second, true);
  form->RefreshInspector();
  Type(*form, INB("Top"), INB("104"));
  Type(*form, INB("Height"), INB("30"));
  EXPECT_EQ(first->Top, 100);
  EXPECT_EQ(second->Top, 104);
  EXPECT_EQ(first->Height, 30);
  EXPECT_EQ(second->Height, 18);
  form->Undo();
  EXPECT_EQ(report->FindObject(INB("Priezvisko"))->Height, 18) << "one undo step per typed value";
}

TEST_F(DesignerInspectorBinding, ThePageTypeAsksOnlyForAPageWithObjectsAndNoKeepsIt) {
  auto form = Open();
  ASSERT_EQ(form->Inspector()->ObjectName, INB("Page1"));
  answers = {7};
  Type(*form, INB("Type"), INB("ptDialog"));
  ASSERT_EQ(questions.size(), 1);
  EXPECT_EQ(questions.first(), INB("Upozornenie: Naozaj chcete vymazať všetky objekty z tejto strany."));
  EXPECT_EQ(page->PageType, 0);
  EXPECT_EQ(page->Count(), 6);
  EXPECT_EQ(Shown(*form, INB("Type")), INB("ptReport"));

  Type(*form, INB("Type"), INB("ptReport"));
  EXPECT_EQ(questions.size(), 1) << "the same type asks nothing and clears nothing";

  TrpPage* empty = report->Pages.Add();
  empty->AssignFreeName();
  form->SetCurrentPage(1);
  Type(*form, INB("Type"), INB("ptDialog"));
  EXPECT_EQ(questions.size(), 1) << "an empty page asks nothing";
  EXPECT_EQ(empty->PageType, 1);
  EXPECT_TRUE(form->GetModified());

  form->SetCurrentPage(0);
  answers = {6};
  Type(*form, INB("Type"), INB("ptDialog"));
  EXPECT_EQ(page->PageType, 1);
  EXPECT_EQ(page->Count(), 0) << "Yes clears the page first";
}

TEST_F(DesignerInspectorBinding, TheInspectorsListNamesTheObjectsAndPagesAndPage2SwitchesToIt) {
  report->Pages.Add()->AssignFreeName();
  AddText(report->Pages.GetPage(1), INB("Poznamka"), {20, 20, 100, 18}, INB("..."));
  auto form = Open();
  QComboBox* names = form->Inspector()->CB1;
  QStringList listed;
  for (int i = 0; i < names->count(); ++i)
    listed << names->itemText(i);
  EXPECT_EQ(listed, (QStringList{INB("ReportTitle1"), INB("MasterData1"), INB("Child1"), INB("Nadpis"),
                                 INB("Priezvisko"), INB("Meno"), INB("Page1"), INB("Page2")}))
      << "in page order, bands first";
  emit names->activated(names->findText(INB("Page2")));
  EXPECT_EQ(form->CurrentPageIndex(), 1);
  EXPECT_EQ(form->Tabs()->currentIndex(), 1);
  EXPECT_EQ(form->Inspector()->ObjectName, INB("Page2"));
  emit names->activated(names->findText(INB("Poznamka")));
  EXPECT_EQ(form->Selection().LastSelected(), report->FindObject(INB("Poznamka")));
  form->grab().save(TestOutputPath(INB("designer-inspector-page2.png")));
}

TEST(DesignerToolWindows, TheFieldsWindowKeepsItsHeightAtTheFarEndAndTheInspectorTakesTheRest) {
  const QRect area(100, 50, 600, 500); // rows 50 to 549
  const QRect inspector(720, 80, 200, 300), fields(740, 300, 180, 150);
  EXPECT_FALSE(rpStackToolWindows(inspector, QRect(950, 300, 100, 150), area, false)) << "side by side";

  const auto below = rpStackToolWindows(inspector, fields, area, false);
  ASSERT_TRUE(below);
  EXPECT_EQ(below->Fields, QRect(740, 400, 180, 150)) << "at the bottom: the inspector was higher up";
  EXPECT_EQ(below->Inspector, QRect(720, 50, 200, 350));

  const auto above = rpStackToolWindows(QRect(720, 350, 200, 100), fields, area, false);
  ASSERT_TRUE(above);
  EXPECT_EQ(above->Fields, QRect(740, 50, 180, 150));
  EXPECT_EQ(above->Inspector, QRect(720, 200, 200, 350));

  const auto rolled = rpStackToolWindows(QRect(720, 80, 200, 18), fields, area, true);
  ASSERT_TRUE(rolled);
  EXPECT_EQ(rolled->Inspector, QRect(720, 80, 200, 18)) << "a rolled-up inspector stays as it is";
  EXPECT_EQ(rolled->Fields.top(), 400);
}

} // namespace
#undef INB
