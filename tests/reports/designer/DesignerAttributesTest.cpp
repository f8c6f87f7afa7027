#include "DesignerFixture.h"
#include "platform/base/Registry.h"
#include "reports/designer/rpDesignerAttributes.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDesignerPage.h"
#include "reports/designer/rpHilightForm.h"
#include "reports/designer/rpInspForm.h"
#include "reports/designer/rpRestrictionsForm.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpLineView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/ui/rpComboBox.h"
#include "reports/engine/ui/rpComboEdit.h"
#include "reports/engine/ui/rpDock.h"
#include "reports/engine/ui/rpFmtForm.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/PinnedFont.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/TestOutput.h"
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFontDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

namespace {

#define ATR(text) QStringLiteral(text)
using namespace rpAttributeTag;

TrpMemoView* Text(TrpView* view) { return static_cast<TrpMemoView*>(view); }

// A band holding two texts and a line; the tests select what they need.
class DesignerAttributes : public DesignerFixture {
protected:
  DesignerAttributes() {
    TRegistry::Root().DeleteKey(rpRegistryRoot());
    page = report->Pages.GetPage(0);
    band = AddBand(page, btMasterData, ATR("MasterData1"), 100, 40);
    first = AddText(page, ATR("Priezvisko"), {40, 100, 100, 18}, ATR("[MASTER.\"PRIEZVISKO\"]"));
    second = AddText(page, ATR("Meno"), {150, 100, 100, 18}, ATR("[MASTER.\"MENO\"]"));
    auto line = std::make_unique<TrpLineView>();
    line->SetBounds(40, 130, 200, 0);
    line->Name = ATR("Line1");
    this->line = page->Add(std::move(line));
  }
  ~DesignerAttributes() override {
    TRegistry::Root().DeleteKey(rpRegistryRoot());
    rpInsertDefaults() = TrpInsertDefaults{};
  }

  // The designer with the objects selected as a user does: a click on the
  // first, Shift and a click on each further one.
  std::unique_ptr<TrpDesignerForm> Open(const QList<TrpView*>& selected) {
    auto form = std::make_unique<TrpDesignerForm>(*report, true);
    form->show();
    for (TrpView* object : selected) {
      // A band is taken by its empty right part, where no object lies.
      const QPoint at =
          dynamic_cast<TrpBandView*>(object) ? QPoint(600, object->Top + 5) : QPoint(object->Left + 5, object->Top + 5);
      const Qt::KeyboardModifiers shift = object == selected.first() ? Qt::NoModifier : Qt::ShiftModifier;
      QTest::mouseClick(form->Workspace(), Qt::LeftButton, shift, at);
    }
    EXPECT_EQ(form->Selection().Count(), selected.size());
    return form;
  }

  static void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center()); }

  static QString InspectorRow(TrpDesignerForm& form, const QString& name) {
    TrpInspProps& props = form.Inspector()->Props();
    const int index = props.IndexOf(name);
    return index < 0 ? ATR("(missing)") : props.Row(index).Text;
  }

  TrpPage* page = nullptr;
  TrpView* band = nullptr;
  TrpView* first = nullptr;
  TrpView* second = nullptr;
  TrpView* line = nullptr;
};

TEST_F(DesignerAttributes, EachTagChangesItsAttributeOfTheObjectsItMayChangeAndTheInsertionDefault) {
  struct Case {
    int Tag;
    TrpAttributeInput Input;
    std::function<QVariant(const TrpMemoView&)> Field;
    QVariant Expected;
    std::function<QVariant(const TrpInsertDefaults&)> Default;
    QVariant ExpectedDefault;
  };
  const auto frame = [](const TrpMemoView& t) { return QVariant(int(t.FrameTyp)); };
  const auto alignment = [](const TrpMemoView& t) { return QVariant(int(t.Alignment)); };
  const auto defaultAlignment = [](const TrpInsertDefaults& d) { return QVariant(int(d.Alignment)); };
  const auto noDefault = [](const TrpInsertDefaults&) { return QVariant(); };
  const Case cases[] = {
      {FrameTop, {.Down = true}, frame, 8 | 1, noDefault, {}},
      {FrameRight, {.Down = false}, frame, 0, noDefault, {}},
      {FrameAll, {}, frame, 15, [](const TrpInsertDefaults& d) { return QVariant(int(d.FrameType)); }, 15},
      {FrameNone, {}, frame, 0, [](const TrpInsertDefaults& d) { return QVariant(int(d.FrameType)); }, 0},
      {FillColor,
       {.Color = clYellow},
       [](const TrpMemoView& t) { return QVariant(t.FillColor); },
       clYellow,
       [](const TrpInsertDefaults& d) { return QVariant(d.FillColor); },
       clYellow},
      {FrameWidth,
       {.Text = ATR("2,5")},
       [](const TrpMemoView& t) { return QVariant(double(t.FrameWidth)); },
       2.5,
       [](const TrpInsertDefaults& d) { return QVariant(double(d.FrameWidth)); },
       2.5},
      {FontName,
       {.Text = ATR("Courier New")},
       [](const TrpMemoView& t) { return QVariant(t.Font.Name); },
       ATR("Courier New"),
       [](const TrpInsertDefaults& d) { return QVariant(d.FontName); },
       ATR("Courier New")},
      {FontSize,
       {.Text = ATR(" 14")},
       [](const TrpMemoView& t) { return QVariant(t.Font.Size); },
       14,
       [](const TrpInsertDefaults& d) { return QVariant(d.FontSize); },
       14},
      {Bold,
       {.Down = true},
       [](const TrpMemoView& t) { return QVariant(t.Font.Style.Bold && t.Font.Style.Italic); },
       true,
       [](const TrpInsertDefaults& d) { return QVariant(int(d.FontStyle)); },
       1 | 2},
      {Underline,
       {.Down = true},
       [](const TrpMemoView& t) { return QVariant(t.Font.Style.Underline); },
       true,
       [](const TrpInsertDefaults& d) { return QVariant(int(d.FontStyle)); },
       1 | 4},
      {AlignCentre, {}, alignment, 2 | 4 | 16, defaultAlignment, 2 | 4 | 16},
      {AlignRight, {}, alignment, 1 | 4 | 16, defaultAlignment, 1 | 4 | 16},
      {Justify, {}, alignment, 3 | 4 | 16, defaultAlignment, 3 | 4 | 16},
      {Rotated, {.Down = false}, alignment, 1 | 16, defaultAlignment, 1 | 16},
      {VerticalAlign, {.MiddleDown = true}, alignment, 1 | 4 | 8, defaultAlignment, 1 | 4 | 8},
      {VerticalAlign, {}, alignment, 1 | 4, defaultAlignment, 1 | 4},
      {FontColor,
       {.Color = clRed},
       [](const TrpMemoView& t) { return QVariant(t.Font.Color); },
       clRed,
       [](const TrpInsertDefaults& d) { return QVariant(d.FontColor); },
       clRed},
      {FrameColor,
       {.Color = clBlue},
       [](const TrpMemoView& t) { return QVariant(t.FrameColor); },
       clBlue,
       [](const TrpInsertDefaults& d) { return QVariant(d.FrameColor); },
       clBlue},
      {LastFrameStyle, {}, [](const TrpMemoView& t) { return QVariant(int(t.FrameStyle)); }, 5, noDefault, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Tag);
    const auto italicText = [] {
      auto text = std::make_unique<TrpMemoView>();
      text->FrameTyp = 1;
      text->Alignment = 1 | 4 | 16;
      text->Font.Style.Italic = true;
      return text;
    };
    const auto text = italicText(), locked = italicText(), untouched = italicText();
    locked->Restrictions = rrModify;
    TrpBandView bandView;
    bandView.SetBandType(btMasterData);
    const quint16 bandFrame = bandView.FrameTyp;
    TrpInsertDefaults defaults;
    const QList<TrpView*> changed = rpApplyAttribute({&bandView, text.get(), locked.get()}, c.Tag, c.Input, defaults);
    EXPECT_EQ(changed, QList<TrpView*>{text.get()}) << "not the band, not the object that may not be modified";
    EXPECT_EQ(c.Field(*text), c.Expected);
    EXPECT_EQ(c.Field(*locked), c.Field(*untouched));
    EXPECT_EQ(bandView.FrameTyp, bandFrame);
    if (c.ExpectedDefault.isValid()) {
      EXPECT_EQ(c.Default(defaults), c.ExpectedDefault);
    }
  }
}

TEST_F(DesignerAttributes, TextTagsPassOverOtherObjectsAndTheLineWidthIsTheLinesOwnDefault) {
  TrpInsertDefaults defaults;
  const auto changed = rpApplyAttribute({line, first}, Bold, {.Down = true}, defaults);
  EXPECT_EQ(changed, QList<TrpView*>{first});
  rpApplyAttribute({line}, FrameWidth, {.Text = ATR("3")}, defaults);
  EXPECT_EQ(line->FrameWidth, 3.0f);
  EXPECT_EQ(defaults.LineWidth, 3.0f);
  EXPECT_EQ(defaults.FrameWidth, 1.0f) << "a line's width is not a frame's";

  for (const auto& [tag, text] : {std::pair{FrameWidth, ATR("abc")}, std::pair{FontSize, ATR("1,5")},
                                  std::pair{FontSize, ATR("0")}, std::pair{FontSize, ATR("")}}) {
    EXPECT_THROW(rpApplyAttribute({first}, tag, {.Text = text}, defaults), ErpConversionError) << text.toStdString();
    EXPECT_EQ(Text(first)->Font.Size, 10);
  }
}

TEST_F(DesignerAttributes, FrameAllWithABandAndATextSelectedFramesOnlyTheText) {
  auto form = Open({band, first});
  const quint16 bandFrame = band->FrameTyp;
  ASSERT_TRUE(form->Control(ATR("FrB5"))->isEnabled());
  const int steps = form->UndoBuffers().UndoCount();
  Click(form->Control(ATR("FrB5")));
  EXPECT_EQ(first->FrameTyp, 15);
  EXPECT_EQ(band->FrameTyp, bandFrame);
  EXPECT_EQ(form->UndoBuffers().UndoCount(), steps + 1);
  EXPECT_TRUE(form->GetModified());
  EXPECT_EQ(rpInsertDefaults().FrameType, 15) << "new objects are framed too";
  form->Undo();
  EXPECT_EQ(report->FindObject(ATR("Priezvisko"))->FrameTyp, 0);
}

TEST_F(DesignerAttributes, ThreeTextsOfDifferentSizesAllTakeTheTypedSizeAndTheInspectorShowsIt) {
  TrpView* third = AddText(page, ATR("Rok"), {260, 100, 40, 18}, ATR("[ROK]"));
  Text(first)->Font.Size = 8;
  Text(second)->Font.Size = 12;
  Text(third)->Font.Size = 16;
  auto form = Open({first, second, third});
  EXPECT_EQ(InspectorRow(*form, ATR("Font.Size")), QString()) << "the sizes differ";
  auto* size = static_cast<QComboBox*>(form->Control(ATR("C3")));
  ASSERT_TRUE(size->isEnabled());
  size->setFocus();
  size->lineEdit()->selectAll();
  QTest::keyClicks(size->lineEdit(), ATR("14"));
  QTest::keyClick(size->lineEdit(), Qt::Key_Return);
  for (TrpView* text : {first, second, third})
    EXPECT_EQ(Text(text)->Font.Size, 14) << text->Name.toStdString();
  EXPECT_EQ(InspectorRow(*form, ATR("Font.Size")), ATR("14"));
  EXPECT_FALSE(size->hasFocus()) << "the page takes the keys again";
  form->grab().save(TestOutputPath(ATR("designer-attributes-size.png")));

  auto* width = static_cast<QComboBox*>(form->Control(ATR("C4")));
  const int steps = form->UndoBuffers().UndoCount();
  width->setFocus();
  width->lineEdit()->selectAll();
  QTest::keyClicks(width->lineEdit(), ATR("x1"));
  QTest::keyClick(width->lineEdit(), Qt::Key_Return);
  ASSERT_EQ(errors.size(), 1) << "a width that is no number is told";
  EXPECT_TRUE(errors.first().contains(ATR("x1")));
  EXPECT_EQ(first->FrameWidth, 1.0f);
  EXPECT_EQ(form->UndoBuffers().UndoCount(), steps) << "nothing changed, nothing to undo";

  // Picking a name from the font list applies it as well.
  auto* name = static_cast<TrpFontComboBox*>(form->Control(ATR("C2")));
  name->setCurrentText(ATR("Courier New"));
  emit name->Click();
  EXPECT_EQ(Text(second)->Font.Name, ATR("Courier New"));
}

TEST_F(DesignerAttributes, BoldAndAlignmentButtonsFollowAndChangeTheSelectedText) {
  auto form = Open({first});
  Click(form->Control(ATR("FnB1")));
  EXPECT_TRUE(Text(first)->Font.Style.Bold);
  Click(form->Control(ATR("AlB3")));
  Click(form->Control(ATR("AlB7")));
  EXPECT_EQ(Text(first)->Alignment, 2 | 16);
  Click(form->Control(ATR("FrB2")));
  EXPECT_EQ(first->FrameTyp, 4);
  Click(form->Control(ATR("FnB1")));
  EXPECT_FALSE(Text(first)->Font.Style.Bold);
  form->Undo();
  EXPECT_TRUE(Text(report->FindObject(ATR("Priezvisko")))->Font.Style.Bold) << "undo brings the bold back";
  form->Redo();
  EXPECT_FALSE(Text(report->FindObject(ATR("Priezvisko")))->Font.Style.Bold);
}

TEST_F(DesignerAttributes, TheFontEditorAppliesOnlyWhatDiffersFromWhatItShowed) {
  TrpFont before;
  before.Name = ATR("Arial");
  before.Size = 10;
  TrpFont chosen = before;
  chosen.Size = 12;
  chosen.Style.Italic = true;
  const TrpFontChange change = rpFontChange(before, chosen);
  EXPECT_TRUE(change.Size && change.Style);
  EXPECT_FALSE(change.Name || change.Color || change.Charset);
  TrpFont other;
  other.Name = ATR("Courier New");
  other.Size = 8;
  other.Color = clRed;
  rpApplyFontChange(other, chosen, change);
  EXPECT_EQ(other.Name, ATR("Courier New"));
  EXPECT_EQ(other.Size, 12);
  EXPECT_TRUE(other.Style.Italic);
  EXPECT_EQ(other.Color, clRed);

  Text(first)->Font.Name = ATR("Courier New");
  Text(first)->Font.Size = 8;
  Text(second)->Font.Name = PinnedFontFamily(); // a family the dialog knows
  Text(second)->Font.Size = 11;
  auto form = Open({first, second});
  WhenModal<QFontDialog>([](QFontDialog* dialog) {
    QFont font = dialog->currentFont();
    EXPECT_EQ(font.pointSize(), 11) << "the last selected text's font";
    font.setUnderline(true);
    dialog->setCurrentFont(font);
    dialog->grab().save(TestOutputPath(ATR("designer-font-editor.png")));
    dialog->accept();
  });
  auto* name = static_cast<QComboBox*>(form->Control(ATR("C2")));
  QTest::mouseDClick(name->lineEdit(), Qt::LeftButton);
  EXPECT_TRUE(Text(first)->Font.Style.Underline);
  EXPECT_TRUE(Text(second)->Font.Style.Underline);
  EXPECT_EQ(Text(first)->Font.Name, ATR("Courier New")) << "the name was not changed in the dialog";
  EXPECT_EQ(Text(first)->Font.Size, 8);
  EXPECT_EQ(Text(second)->Font.Size, 11);
  EXPECT_TRUE(form->GetModified());

  // A family the system lacks shows as another one; confirmed unchanged, it stays.
  Text(second)->Font.Name = ATR("Rodina Ktorá Nie Je");
  WhenModal<QFontDialog>([](QFontDialog* dialog) { dialog->accept(); });
  QTest::mouseDClick(name->lineEdit(), Qt::LeftButton);
  EXPECT_EQ(Text(second)->Font.Name, ATR("Rodina Ktorá Nie Je"));
  EXPECT_EQ(Text(first)->Font.Name, ATR("Courier New"));
}

TEST_F(DesignerAttributes, TheHighlightButtonAndThePropertyEditorsChangeTheSelection) {
  auto form = Open({first, second});
  WhenModal<TrpHilightForm>([](TrpHilightForm* dialog) {
    dialog->ConditionEdit->setEditText(ATR("Value > 0"));
    dialog->ItalicCB->setChecked(true);
    dialog->BoldCB->setChecked(false);
    dialog->grab().save(TestOutputPath(ATR("designer-highlight.png")));
    dialog->SetModalResult(mrOk);
  });
  Click(form->Control(ATR("HlB1")));
  for (TrpView* text : {first, second}) {
    EXPECT_EQ(Text(text)->HighlightCondition, ATR("Value > 0"));
    EXPECT_EQ(Text(text)->HighlightStyle, 1) << "italic alone";
  }

  WhenModal<TrpRestrictionsForm>([](TrpRestrictionsForm* dialog) {
    dialog->Boxes[5]->setChecked(true); // may not be moved
    dialog->SetModalResult(mrOk);
  });
  rpGlobals().DesignerEditor(first, ATR("Restrictions"));
  EXPECT_EQ(first->Restrictions, 32);
  EXPECT_EQ(second->Restrictions, 32) << "every selected object";

  // Objects whose contents may not be edited open no checked editor.
  second->Restrictions = rrContents;
  rpGlobals().DesignerEditor(second, ATR("DisplayFormat"));
  rpGlobals().DesignerEditor(second, ATR("DataField"));

  second->Restrictions = 0;
  const qint32 code = Text(first)->DisplayFormatCode;
  WhenModal<TrpFmtForm>([](TrpFmtForm* dialog) {
    dialog->CatLB->setCurrentRow(1); // a number
    dialog->grab().save(TestOutputPath(ATR("designer-display-format.png")));
    dialog->Button1->click();
  });
  rpGlobals().DesignerEditor(second, ATR("DisplayFormat"));
  EXPECT_NE(Text(first)->DisplayFormatCode, code);
  EXPECT_EQ(Text(second)->DisplayFormatCode, Text(first)->DisplayFormatCode);
  form->Undo();
  EXPECT_EQ(Text(report->FindObject(ATR("Priezvisko")))->DisplayFormatCode, code) << "undone as one step";
}

} // namespace
#undef ATR
