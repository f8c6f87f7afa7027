#include "ReportFixture.h"
#include "core/CodePage1250.h"
#include "core/DataSet.h"
#include "reports/engine/rpLineView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpValue.h"
#include <QtGui/QPainter>

namespace {

struct FrameWidthCase {
  float width;
  qint32 code;
  float readBack;
};

class FrameWidthCode : public ::testing::TestWithParam<FrameWidthCase> {};

TEST_P(FrameWidthCode, StoresWidthsSoTheyRoundTrip) {
  const FrameWidthCase& c = GetParam();
  EXPECT_EQ(rpFrameWidthCode(c.width), c.code);
  EXPECT_FLOAT_EQ(rpFrameWidthFromCode(c.code), c.readBack);
}

INSTANTIATE_TEST_SUITE_P(View, FrameWidthCode,
                         ::testing::Values(FrameWidthCase{0, 0, 0}, FrameWidthCase{1, 1, 1}, FrameWidthCase{10, 10, 10},
                                           FrameWidthCase{15, 15000, 15}, FrameWidthCase{1.5f, 1500, 1.5f},
                                           FrameWidthCase{0.1f, 100, 0.1f}, FrameWidthCase{0.5f, 500, 0.5f},
                                           // thin widths would read back a thousand times larger as 1..10
                                           FrameWidthCase{0.005f, -5, 0.005f}, FrameWidthCase{0.01f, -10, 0.01f},
                                           FrameWidthCase{0.011f, 11, 0.011f}, FrameWidthCase{0.0002f, 0, 0},
                                           FrameWidthCase{-2, 0, 0}));

class ViewTest : public ReportFixture {
protected:
  ViewTest() {
    report.Pages.Add();
    memo1 = Place(0, QStringLiteral("Memo1"));
    memo2 = Place(1, QStringLiteral("Memo2"));
    pageA = Place(1, QStringLiteral("PageA"));
    rpRun().CurrentReport = &report;
    rpRun().CurrentObject = memo2;
  }

  TrpMemoView* Place(int page, const QString& name) {
    auto memo = std::make_unique<TrpMemoView>();
    memo->Name = name;
    return static_cast<TrpMemoView*>(report.Pages.GetPage(page)->Add(std::move(memo)));
  }

  TrpReport report;
  TrpMemoView* memo1;
  TrpMemoView* memo2;
  TrpMemoView* pageA;
};

struct PropertyCase {
  const char* write;
  QVariant value;
  const char* read;
  QVariant expected;
};

class TextProperties : public ViewTest, public ::testing::WithParamInterface<PropertyCase> {};

TEST_P(TextProperties, WriteThenRead) {
  const PropertyCase& c = GetParam();
  memo1->WriteProperty(QLatin1String(c.write), c.value);
  const QVariant read = memo1->ReadProperty(QLatin1String(c.read));
  if (rpIsNull(c.expected)) {
    EXPECT_TRUE(rpIsNull(read)) << read.toString().toStdString();
  } else
    EXPECT_EQ(rpCompare(read, c.expected), 0) << read.toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    View, TextProperties,
    ::testing::Values(PropertyCase{"visible", false, "VISIBLE", false}, PropertyCase{"ViSiBlE", 0, "Visible", false},
                      PropertyCase{"Memo", QStringLiteral("a\r\nb"), "Memo.Count", 2},
                      PropertyCase{"Memo", QStringLiteral("a\r\nb"), "LINES.COUNT", 2},
                      PropertyCase{"DataField", QStringLiteral("ib1.MENO"), "DATAFIELD", QStringLiteral("ib1.MENO")},
                      PropertyCase{"Stretched", false, "FLAGS", 2}, PropertyCase{"WordBreak", true, "FLAGS", 7},
                      PropertyCase{"HideZeros", true, "HIDEZEROS", true},
                      PropertyCase{"Font.Size", 14, "FONT.SIZE", 14}, PropertyCase{"Font.Style", 3, "Font.Style", 3},
                      PropertyCase{"FrameWidth", 0.5, "FRAMEWIDTH", 0.5}, PropertyCase{"BandAlign", 3, "BANDALIGN", 3},
                      PropertyCase{"Tag", QStringLiteral("[Rok]"), "TAG", QStringLiteral("[Rok]")},
                      PropertyCase{"LineSpacing", 5, "LINESPACING", 5}, PropertyCase{"GapX", 9, "GAPX", 9},
                      PropertyCase{"Nonsense", 1, "NONSENSE", QVariant()}));

TEST_F(ViewTest, UnknownWriteChangesNothing) {
  TBinaryWriter before, after;
  memo1->SaveToStream(before);
  memo1->WriteProperty(QStringLiteral("Nonsense"), 5);
  memo1->SaveToStream(after);
  EXPECT_EQ(after.Data(), before.Data());
}

TEST_F(ViewTest, ListMethods) {
  memo1->Memo = {QStringLiteral("a"), QStringLiteral("b")};
  const QVariant none;
  EXPECT_EQ(memo1->CallMethod(rpRun(), QStringLiteral("LINES.INDEXOF"), QStringLiteral("'c'"), none, none).toInt(), -1);
  EXPECT_EQ(memo1->CallMethod(rpRun(), QStringLiteral("MEMO.INDEXOF"), QStringLiteral("'b'"), none, none).toInt(), 1);
  memo1->CallMethod(rpRun(), QStringLiteral("MEMO.ADD"), QStringLiteral("'x' + 'y'"), none, none);
  memo1->CallMethod(rpRun(), QStringLiteral("LINES.DELETE"), QStringLiteral("0"), none, none);
  memo1->CallMethod(rpRun(), QStringLiteral("SETINDEXPROPERTY"), QStringLiteral("LINES"), 0, QStringLiteral("B"));
  EXPECT_EQ(memo1->Memo, (QStringList{QStringLiteral("B"), QStringLiteral("xy")}));
  EXPECT_EQ(memo1->CallMethod(rpRun(), QStringLiteral("GETINDEXPROPERTY"), QStringLiteral("MEMO"), 1, none).toString(),
            QStringLiteral("xy"));
  memo1->CallMethod(rpRun(), QStringLiteral("HIDE"), none, none, none);
  EXPECT_FALSE(memo1->Visible);
  memo1->CallMethod(rpRun(), QStringLiteral("MEMO.CLEAR"), none, none, none);
  EXPECT_TRUE(memo1->Memo.isEmpty());

  TrpLineView line;
  line.Height = 77;
  EXPECT_EQ(line.CallMethod(rpRun(), QStringLiteral("CALCHEIGHT"), none, none, none).toInt(), 77);
}

struct ResolveCase {
  const char* name;
  const char* object; // "Memo1", "Memo2", "PageA", "page2" or "" for none
  const char* property;
};

class ResolveName : public ViewTest, public ::testing::WithParamInterface<ResolveCase> {};

TEST_P(ResolveName, SplitsObjectAndProperty) {
  TrpObject* object = nullptr;
  QString property;
  rpGetObjectAndProperty(rpRun(), QLatin1String(GetParam().name), object, property);
  const QString expected = QLatin1String(GetParam().object);
  TrpObject* expectedObject = expected == QLatin1String("page2") ? static_cast<TrpObject*>(report.Pages.GetPage(1))
                              : expected.isEmpty()               ? nullptr
                                                                 : report.FindObject(expected);
  EXPECT_EQ(object, expectedObject);
  EXPECT_EQ(property, QLatin1String(GetParam().property));
  if (object) {
    EXPECT_FALSE(object->PropertyList().isEmpty()) << "the property list is built";
  }
}

INSTANTIATE_TEST_SUITE_P(
    View, ResolveName,
    ::testing::Values(ResolveCase{"Memo1.Font.Size", "Memo1", "Font.Size"},
                      ResolveCase{"Font.Size", "Memo2", "Font.Size"}, ResolveCase{"Visible", "Memo2", "Visible"},
                      ResolveCase{"PAGE2.Visible", "page2", "Visible"}, ResolveCase{"PageA.Left", "PageA", "Left"},
                      ResolveCase{"page9.Left", "", "Left"}, ResolveCase{"Nothing.Left", "", "Left"}));

TEST_F(ViewTest, DeviceCoordinatesAndBack) {
  memo1->SetBounds(10, 20, 100, 50);
  memo1->FrameTyp = 15;
  memo1->FrameWidth = 2;
  memo1->ZoomX = memo1->ZoomY = 2;
  memo1->OffsetX = memo1->OffsetY = 5;
  memo1->ToDeviceCoords(false);
  EXPECT_EQ(QRect(memo1->Left, memo1->Top, memo1->Width, memo1->Height), QRect(25, 45, 200, 100));
  EXPECT_EQ((QList<int>{memo1->GapX, memo1->GapY}), (QList<int>{6, 3}));
  EXPECT_FLOAT_EQ(memo1->FrameWidth, 4);
  EXPECT_EQ(memo1->DrawRect, QRect(QPoint(27, 47), QPoint(223, 143)));
  memo1->RestoreDesignCoords();
  EXPECT_EQ(QRect(memo1->Left, memo1->Top, memo1->Width, memo1->Height), QRect(10, 20, 100, 50));
  EXPECT_EQ((QList<int>{memo1->GapX, memo1->GapY}), (QList<int>{2, 1}));
  EXPECT_FLOAT_EQ(memo1->FrameWidth, 2);

  memo1->ToDeviceCoords(true); // designing: no zoom, no offset
  EXPECT_EQ(memo1->DrawRect, QRect(QPoint(10, 20), QPoint(109, 69)));
  memo1->RestoreDesignCoords();
}

TEST_F(ViewTest, PreparedRecordCarriesThePrintedText) {
  memo1->Memo = {QStringLiteral("[Rok]")};
  memo1->WorkLines = {QStringLiteral("2026")};
  memo1->Visible = false;
  memo1->RecordMode = 1;
  TBinaryWriter writer;
  memo1->SaveToStream(writer);
  TrpMemoView read;
  read.RecordMode = 1;
  rpRun().StreamVersion = 25;
  TBinaryReader reader(writer.Data());
  read.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(read.Memo, QStringList{QStringLiteral("2026")});
  EXPECT_TRUE(read.Visible) << "prepared records carry no visibility";
  EXPECT_EQ(read.Name, QStringLiteral("Memo1"));
}

TEST_F(ViewTest, AssignCopiesEveryStoredField) {
  memo1->SetBounds(1, 2, 3, 4);
  memo1->Font.Name = QStringLiteral("Courier New");
  memo1->Script = {QStringLiteral("x := 1")};
  memo1->IsSelected = 1;
  memo1->RecordMode = 1;
  TrpMemoView copy;
  copy.Assign(*memo1);
  TBinaryWriter a, b;
  memo1->SaveToStream(a);
  copy.SaveToStream(b);
  EXPECT_EQ(b.Data(), a.Data());
  EXPECT_EQ(copy.IsSelected, 1);
  EXPECT_EQ(copy.Script, memo1->Script);
}

TEST_F(ViewTest, FreeNamesAndObjectIds) {
  memo2->Name = QStringLiteral("Memo3");
  TrpMemoView fresh;
  fresh.AssignFreeName();
  EXPECT_EQ(fresh.Name, QStringLiteral("Memo2"));

  auto first = rpNewObjectOfType(4, {});
  auto second = rpNewObjectOfType(0, {});
  EXPECT_EQ(second->ObjectId, first->ObjectId + 1);
  EXPECT_EQ(rpNewObjectOfType(7, {}), nullptr);
  EXPECT_EQ(rpNewObjectOfType(10, QStringLiteral("trpshapeview")), nullptr) << "class names match exactly";
}

// A dialog control becomes a component of the engine's host form, so its
// generated name must be free there too; other objects ignore the form.
TEST_F(ViewTest, FreeNamesOfDialogControlsAvoidTheHostForm) {
  QStringList hostNames{QStringLiteral("View1"), QStringLiteral("View2"), QStringLiteral("Memo2")};
  rpGlobals().HostFormHasComponent = [&](const QString& name) { return hostNames.contains(name); };
  TestEditControl control;
  control.AssignFreeName();
  EXPECT_EQ(control.Name, QStringLiteral("View3"));
  memo2->Name = QStringLiteral("Memo3");
  TrpMemoView memo;
  memo.AssignFreeName();
  EXPECT_EQ(memo.Name, QStringLiteral("Memo2")) << "a report object is named by the report alone";
  for (int i = 3; i <= 10000; ++i)
    hostNames.append(QStringLiteral("View%1").arg(i));
  control.AssignFreeName();
  EXPECT_TRUE(control.Name.isEmpty()) << "all names taken leaves the name empty";
}

// Properties with an editor open the designer's editor for their object, and
// only while a designer is linked.
TEST_F(ViewTest, EditorPropertiesOpenTheDesignersEditor) {
  memo1->ListProperties();
  for (const TrpPropRec& rec : memo1->PropertyList())
    EXPECT_FALSE(rec.Editor) << rec.Name.toStdString();
  QStringList opened;
  rpGlobals().DesignerEditor = [&](TrpObject* object, const QString& property) {
    opened.append((object == memo1 ? QStringLiteral("Memo1.") : QStringLiteral("?.")) + property);
  };
  memo1->ListProperties();
  QStringList withEditor;
  for (const TrpPropRec& rec : memo1->PropertyList())
    if (rec.Editor) {
      withEditor.append(rec.Name);
      rec.Editor();
    }
  const QStringList expected{QStringLiteral("Tag"),  QStringLiteral("Memo"),          QStringLiteral("Restrictions"),
                             QStringLiteral("Font"), QStringLiteral("DisplayFormat"), QStringLiteral("Highlight")};
  EXPECT_EQ(withEditor, expected);
  QStringList expectedOpened;
  for (const QString& name : expected)
    expectedOpened.append(QStringLiteral("Memo1.") + name);
  EXPECT_EQ(opened, expectedOpened);
}

// A non-visual component is 28 by 28 pixels in the designer whatever size was stored.
TEST_F(ViewTest, NonVisualControlDrawsAsASquareOfButtonFace) {
  TrpNonVisualControl component;
  component.SetBounds(10, 10, 50, 40);
  rpRun().EngineMode = false;
  QImage canvas(80, 80, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  component.Draw(rpRun(), &painter);
  painter.end();
  EXPECT_EQ(QSize(component.Width, component.Height), QSize(28, 28));
  EXPECT_EQ(canvas.pixelColor(24, 30), rpPaintColor(clBtnFace)) << "inside the square";
  EXPECT_EQ(canvas.pixelColor(45, 45), QColor(Qt::white)) << "outside 28 x 28";
  EXPECT_NE(canvas.pixelColor(10, 20), canvas.pixelColor(37, 20)) << "light and shadow edges differ";
}

TEST_F(ViewTest, AddInRegistry) {
  const auto names = [] {
    QStringList list;
    for (const TrpAddInObjectInfo& e : rpAddInObjects())
      list.append(e.ClassName + (e.IsControl ? QStringLiteral("!") : QString()));
    return list;
  };
  const QStringList before = names();
  EXPECT_EQ(before, (QStringList{QStringLiteral("TrpShapeView"), QStringLiteral("TrpEditControl!")}));
  EXPECT_FALSE(rpAddObjectClass(QStringLiteral("TrpShapeView"), [] { return new TestShapeView; }, {}, {}));
  rpRemoveObjectClass(QStringLiteral("TrpNoSuchView"));
  EXPECT_EQ(names(), before);

  for (int i = 0; i < 62; ++i) {
    ASSERT_TRUE(rpAddObjectClass(QStringLiteral("TrpView%1").arg(i), [] { return new TestShapeView; }, {}, {}));
  }
  EXPECT_FALSE(rpAddObjectClass(QStringLiteral("TrpView65"), [] { return new TestShapeView; }, {}, {}))
      << "the registry holds 64 entries";
  for (int i = 0; i < 62; ++i)
    rpRemoveObjectClass(QStringLiteral("TrpView%1").arg(i));
  EXPECT_EQ(names(), before);
}

TEST_F(ViewTest, TextObjectHeights) {
  memo1->Height = 100;
  memo1->GapY = 2;
  memo1->FrameWidth = 1;
  memo1->Font.Size = 9; // 12 pixels at 96 dots per inch, 14 with the spacing of 2
  EXPECT_EQ(memo1->MinimumHeight(), 2 * 2 + 14 + 2);
  EXPECT_EQ(memo1->RemainingHeight(), (100 - 6) % 14 + 6);
}

// One memo column holding two lines in code page 1250.
class NoteRows : public TDataSet {
protected:
  void DoOpen(QList<TFieldDef>& out) override { out = {TFieldDef{QStringLiteral("POZN"), TFieldType::Memo}}; }
  void DoClose() override {}
  int DoRecordCount() const override { return 1; }
  QVariant DoValue(int, int) const override { return Cp1250::Encode(QStringLiteral("Rybár\r\nKaprár")); }
};

TEST_F(ViewTest, TextFromBlobFieldGoesToThePrintedLines) {
  NoteRows rows;
  rows.Open();
  TrpView* view = memo1;
  view->LoadFromBlobField(&rows.FieldByName(QStringLiteral("POZN")));
  EXPECT_EQ(memo1->WorkLines, (QStringList{QStringLiteral("Rybár"), QStringLiteral("Kaprár")}));
  EXPECT_TRUE(memo1->Memo.isEmpty());
}

struct LineCase {
  int width, height;
  int expectedWidth, expectedHeight, frameTyp;
};

class LineShape : public ReportFixture, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineShape, FollowsTheLongerSide) {
  TrpLineView line;
  line.SetBounds(5, 5, GetParam().width, GetParam().height);
  line.MakeLine();
  EXPECT_EQ((QList<int>{line.Width, line.Height, line.FrameTyp}),
            (QList<int>{GetParam().expectedWidth, GetParam().expectedHeight, GetParam().frameTyp}));
}

INSTANTIATE_TEST_SUITE_P(View, LineShape,
                         ::testing::Values(LineCase{100, 3, 100, 0, 8}, LineCase{3, 100, 0, 100, 4},
                                           LineCase{10, 10, 0, 10, 4}));

} // namespace
