#include "DesignerFixture.h"
#include "reports/designer/rpInspProps.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/rpView.h"
#include "tests/support/QStringPrinter.h"

namespace {

#define S(text) QStringLiteral(text)

TEST_F(DesignerFixture, InspectorTextsFollowTheTypeRules) {
  const QStringList styles{S("psSolid"), S("psDash"), S("psDot")};
  const QVariantList alignValues{0, 4, 8};
  const struct {
    const char* name;
    QVariant value;
    quint16 type;
    QStringList names;
    QVariantList values;
    const char* text;
  } cases[] = {
      {"red", qint64(0x0000FF), ptColor, {}, {}, "clRed"},
      {"other colour", qint64(0x123456), ptColor, {}, {}, "$123456"},
      {"true", qint64(-1), ptBoolean, {}, {}, "True"},
      {"false", qint64(0), ptBoolean, {}, {}, "False"},
      {"text true", S("true"), ptBoolean, {}, {}, "True"},
      {"decimal", 2.5, ptFloat, {}, {}, "2,50"},
      {"enumeration by position", S("psDash"), ptEnum, styles, {}, "psDash"},
      {"enumeration by value", qint64(8), ptEnum, styles, alignValues, "psDot"},
      {"whole number", qint64(42), ptInteger, {}, {}, "42"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TProp(S("P"), c.value, c.type, c.names, c.values).Text, QString::fromUtf8(c.text)) << c.name;
}

TEST_F(DesignerFixture, InspectorValuesComeFromTheTexts) {
  TProp colour(S("FillColor"), qint64(0), ptColor);
  colour.Text = S("clred");
  EXPECT_EQ(colour.Value().toLongLong(), 0xFF);
  colour.Text = S("$123456");
  EXPECT_EQ(colour.Value().toLongLong(), 0x123456);
  colour.Text = S("16777215");
  EXPECT_EQ(colour.Value().toLongLong(), 0xFFFFFF);
  colour.Text = S("modrá");
  EXPECT_THROW(colour.Value(), ErpConversionError);

  TProp number(S("Left"), qint64(3), ptInteger);
  number.Text = S("abc");
  EXPECT_THROW(number.Value(), ErpConversionError);
  TProp decimal(S("FrameWidth"), 1.0, ptFloat);
  decimal.Text = S("1,5");
  EXPECT_DOUBLE_EQ(decimal.Value().toDouble(), 1.5);
  TProp flag(S("Visible"), true, ptBoolean);
  for (const auto& [text, value] :
       {std::pair{"FALSE", false}, {"0", false}, {"", false}, {"x", true}, {"TRUE", true}}) {
    flag.Text = QString::fromLatin1(text);
    EXPECT_EQ(flag.Value().toBool(), value) << text;
  }
  TProp arrayed(S("A"), qint64(4), ptEnum, {S("a"), S("b"), S("c")}, {0, 4, 8});
  EXPECT_EQ(arrayed.Value().toLongLong(), 4);
  arrayed.Text = S("7");
  EXPECT_EQ(arrayed.Value().toLongLong(), 7);
}

TEST_F(DesignerFixture, ADoubleClickStepsFlagsAndEnumerationsAroundTheirValues) {
  TProp flag(S("Visible"), qint64(-1), ptBoolean);
  ASSERT_TRUE(flag.StepValue());
  EXPECT_EQ(flag.Text, S("False"));
  TProp styles(S("FrameStyle"), S("psDot"), ptEnum, {S("psSolid"), S("psDash"), S("psDot")});
  ASSERT_TRUE(styles.StepValue());
  EXPECT_EQ(styles.Text, S("psSolid")) << "the last wraps to the first";
  TProp arrayed(S("A"), qint64(8), ptEnum, {S("a"), S("b"), S("c")}, {0, 4, 8});
  ASSERT_TRUE(arrayed.StepValue());
  EXPECT_EQ(arrayed.Text, S("a"));
  arrayed.Text = S("unknown");
  ASSERT_TRUE(arrayed.StepValue());
  EXPECT_EQ(arrayed.Text, S("a"));
  TProp text(S("Name"), S("Text1"), ptText);
  EXPECT_FALSE(text.StepValue());
}

TEST_F(DesignerFixture, TheValueListShowsEightRowsAndWidensForItsScrollBar) {
  const auto width = [](const QString& text) { return int(text.size()) * 6; };
  const QStringList eight{S("a"), S("b"), S("c"), S("d"), S("e"), S("f"), S("g"), S("hhhh")};
  EXPECT_EQ(rpInspValueListSize(eight, 11, width), QSize(24 + 8, 12 * 8 + 2));
  QStringList nine = eight;
  nine << S("i");
  EXPECT_EQ(rpInspValueListSize(nine, 11, width), QSize(24 + 8 + 16, 12 * 8 + 2));
  EXPECT_EQ(TProp(S("C"), qint64(0), ptColor).ValueList().size(), rpColorTable().size());
  EXPECT_EQ(TProp(S("V"), true, ptBoolean).ValueList(), (QStringList{S("False"), S("True")}));
}

TEST_F(DesignerFixture, AnEmptyNameIsRefusedButTheChangeIsStillReported) {
  TrpInspProps props;
  props.Add(TProp(S("Name"), S("Text1"), ptText));
  props.Add(TProp(S("Left"), qint64(10), ptInteger));
  QList<int> reported;
  props.OnPropertyModified = [&](int index) {
    reported << index;
    EXPECT_TRUE(props.InModify());
  };
  props.SetItemIndex(0);
  props.ApplyEditText(QString());
  EXPECT_EQ(props.Row(0).Text, S("Text1"));
  props.SetItemIndex(1);
  props.ApplyEditText(S("20"));
  EXPECT_EQ(props.Row(1).Text, S("20"));
  EXPECT_EQ(reported, (QList<int>{0, 1}));
  EXPECT_EQ(props.ItemIndex(), 1);
  // A refill that drops rows while the change is reported selects the first row.
  props.OnPropertyModified = [&](int) {
    props.Clear();
    props.Add(TProp(S("Name"), S("X"), ptText));
  };
  props.ApplyEditText(S("30"));
  EXPECT_EQ(props.ItemIndex(), 0);
  props.SetItemIndex(5);
  EXPECT_EQ(props.ItemIndex(), 0) << "past the last is the last";
}

} // namespace
#undef S
