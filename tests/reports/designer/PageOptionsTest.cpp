#include "DesignerFixture.h"
#include "reports/designer/rpPageOptions.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpPrinter.h"
#include "tests/support/QStringPrinter.h"

namespace {

#define S(text) QStringLiteral(text)

class PageOptions : public DesignerFixture {
protected:
  PageOptions() { page = report->Pages.Add(); }

  // The fields of an A4 page with 10 mm margins, one column and no gap.
  TrpPageOptionsFields A4Fields() const {
    TrpPageOptionsFields fields;
    fields.PaperIndex = rpPrinter().PaperSizeToIndex(9);
    fields.LeftMargin = fields.TopMargin = fields.RightMargin = fields.BottomMargin = S("10");
    fields.Columns = S("1");
    fields.ColumnGap = S("0");
    return fields;
  }
  int CustomIndex() const { return int(rpPrinter().PaperCodes.size()) - 1; }

  TrpPage* page = nullptr;
};

TEST_F(PageOptions, TheFieldsShowThePageInMillimetres) {
  page->LeftMargin = 36;
  page->TopMargin = 45;
  page->RightMargin = 50;
  page->BottomMargin = 0;
  page->ColumnCount = 2;
  page->ColumnGap = 18;
  page->UseMargins = false;
  page->PrintToPrevPage = true;
  TrpPageOptionsFields fields = rpPageOptionsFields(*page, rpPrinter());
  EXPECT_EQ(fields.PaperIndex, rpPrinter().PaperSizeToIndex(9));
  EXPECT_EQ(rpPrinter().PaperCodes.value(fields.PaperIndex), 9);
  EXPECT_EQ((QStringList{fields.LeftMargin, fields.TopMargin, fields.RightMargin, fields.BottomMargin}),
            (QStringList{S("10"), S("12,5"), S("13,89"), S("0")}));
  EXPECT_EQ(fields.Columns, S("2"));
  EXPECT_EQ(fields.ColumnGap, S("5"));
  EXPECT_TRUE(fields.PaperWidth.isEmpty()) << "only the custom size shows its width";
  EXPECT_TRUE(fields.StretchToPrintable);
  EXPECT_TRUE(fields.PrintToPrevPage);
  EXPECT_EQ(fields.BinIndex, 0) << "the default source";

  page->ApplyPaper(kCustomPaper, 2105, 1480, -1, 1);
  fields = rpPageOptionsFields(*page, rpPrinter());
  EXPECT_EQ(fields.PaperIndex, CustomIndex());
  EXPECT_EQ(fields.PaperWidth, S("210,5"));
  EXPECT_EQ(fields.PaperHeight, S("148"));
  EXPECT_EQ(fields.Orientation, 1);
}

// Each row changes one field of an A4 page with 10 mm margins and tells
// what is read, or which field is refused with what message.
TEST_F(PageOptions, ReadingRules) {
  enum Paper { A4, Custom };
  const struct {
    Paper paper;
    TrpPageField field; // the field typed into
    const char* typed;
    int read; // the value read (pixels, tenths or columns), or -1 when refused
    const char* error;
  } cases[] = {
      {A4, TrpPageField::LeftMargin, "10", 36, ""},
      {A4, TrpPageField::TopMargin, "15", 54, ""},
      {A4, TrpPageField::RightMargin, "12,5", 45, ""},
      {A4, TrpPageField::RightMargin, "12.5", 45, ""},
      {A4, TrpPageField::BottomMargin, " 7 ", 25, ""},
      {A4, TrpPageField::ColumnGap, "2,5", 9, ""},
      {A4, TrpPageField::Columns, "3", 3, ""},
      {A4, TrpPageField::Columns, " 2 ", 2, ""},
      {A4, TrpPageField::PaperWidth, "abc", -2, ""}, // not read for a listed paper
      {Custom, TrpPageField::PaperWidth, "210,5", 2105, ""},
      {Custom, TrpPageField::PaperHeight, "99.96", 1000, ""},
      {A4, TrpPageField::LeftMargin, "", -1, "Ľavý,v mm: '' nie je platné číslo."},
      {A4, TrpPageField::BottomMargin, "1O", -1, "Dolný,v mm: '1O' nie je platné číslo."},
      {A4, TrpPageField::TopMargin, "inf", -1, "Horný,v mm: 'inf' nie je platné číslo."},
      {A4, TrpPageField::RightMargin, "1e12", -1, "Pravý,v mm: '1e12' nie je platné číslo."},
      {A4, TrpPageField::ColumnGap, "x", -1, "Medzera,v mm: 'x' nie je platné číslo."},
      {A4, TrpPageField::Columns, "2,5", -1, "Stĺpce: '2,5' nie je platné celé číslo."},
      {A4, TrpPageField::Columns, "", -1, "Stĺpce: '' nie je platné celé číslo."},
      {Custom, TrpPageField::PaperWidth, "široký", -1, "Šírka, mm: 'široký' nie je platné číslo."},
      {Custom, TrpPageField::PaperHeight, "", -1, "Výška, mm: '' nie je platné číslo."},
  };
  for (const auto& c : cases) {
    const QString typed = QString::fromUtf8(c.typed);
    TrpPageOptionsFields fields = A4Fields();
    if (c.paper == Custom) {
      fields.PaperIndex = CustomIndex();
      fields.PaperWidth = S("100");
      fields.PaperHeight = S("100");
    }
    QString* const texts[] = {nullptr,           &fields.PaperWidth,  &fields.PaperHeight,  &fields.LeftMargin,
                              &fields.TopMargin, &fields.RightMargin, &fields.BottomMargin, &fields.Columns,
                              &fields.ColumnGap};
    *texts[int(c.field)] = typed;
    const TrpPageOptionsReading reading = rpReadPageOptions(fields, rpPrinter());
    if (c.read == -1) {
      EXPECT_FALSE(reading.Options) << c.typed;
      EXPECT_EQ(reading.Failed, c.field) << c.typed;
      EXPECT_EQ(reading.Error, QString::fromUtf8(c.error));
      continue;
    }
    ASSERT_TRUE(reading.Options) << c.typed << ": " << reading.Error.toStdString();
    const TrpPageOptions& read = *reading.Options;
    const int values[] = {0,
                          read.PaperWidth,
                          read.PaperHeight,
                          read.LeftMargin,
                          read.TopMargin,
                          read.RightMargin,
                          read.BottomMargin,
                          read.Columns,
                          read.ColumnGap};
    if (c.read >= 0) {
      EXPECT_EQ(values[int(c.field)], c.read) << c.typed;
    }
    EXPECT_EQ(read.PaperSize, c.paper == Custom ? kCustomPaper : 9) << c.typed;
  }
}

TEST_F(PageOptions, TheFirstUnreadableFieldInDialogOrderIsNamed) {
  TrpPageOptionsFields fields = A4Fields();
  fields.ColumnGap = S("?");
  fields.Columns = S("1,5");
  fields.RightMargin = S("");
  const TrpPageOptionsReading reading = rpReadPageOptions(fields, rpPrinter());
  EXPECT_EQ(reading.Failed, TrpPageField::RightMargin);
}

TEST_F(PageOptions, ReadOptionsGoIntoThePageWithThePaperThroughThePrinter) {
  TrpPageOptionsFields fields = A4Fields();
  fields.TopMargin = S("15");
  fields.Columns = S("2");
  fields.ColumnGap = S("5");
  fields.Orientation = 1;
  fields.StretchToPrintable = true;
  fields.PrintToPrevPage = true;
  fields.PaperIndex = CustomIndex();
  fields.PaperWidth = S("200");
  fields.PaperHeight = S("100");
  const TrpPageOptionsReading reading = rpReadPageOptions(fields, rpPrinter());
  ASSERT_TRUE(reading.Options) << reading.Error.toStdString();
  rpApplyPageOptions(*page, *reading.Options);
  EXPECT_EQ((QList<int>{page->LeftMargin, page->TopMargin, page->RightMargin, page->BottomMargin}),
            (QList<int>{36, 54, 36, 36}));
  EXPECT_EQ(page->ColumnCount, 2);
  EXPECT_EQ(page->ColumnGap, 18);
  EXPECT_FALSE(page->UseMargins);
  EXPECT_TRUE(page->PrintToPrevPage);
  EXPECT_EQ(page->PaperSize, kCustomPaper);
  EXPECT_EQ(page->PaperWidth, 2000);
  EXPECT_EQ(page->PaperHeight, 1000);
  EXPECT_EQ(page->Orientation, 1);
  EXPECT_EQ(page->Bin, 65535) << "the default source";
  EXPECT_GT(page->PrnInfo.Width, 0) << "the printer's geometry of the new paper";
}

} // namespace
