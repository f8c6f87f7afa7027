#include "ReportFixture.h"
#include "reports/engine/rpEMFPages.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpPrintTable.h"
#include "tests/support/QStringPrinter.h"
#include "util/UxMemDS.h"
#include <functional>

namespace {

#define F(...) QStringLiteral(__VA_ARGS__)

// A member list printed as a table; text is 10 pixels per character wide.
class AdHocPrint : public ReportFixture {
public:
  AdHocPrint() {
    rpGlobals().TextWidth = [](const QFont&, const QString& text) { return int(text.size()) * 10; };
    print.DataSet = &data;
  }
  void AddField(const QString& name, TUxFieldType type, int size = 0) {
    TUxFieldDef def;
    def.Name = name;
    def.DataType = type;
    def.Size = size;
    data.AddFieldDef(def);
  }
  void Members(const QList<std::tuple<QString, QString, int>>& rows) {
    AddField(F("NAME"), TUxFieldType::String, 30);
    AddField(F("TOWN"), TUxFieldType::String, 30);
    AddField(F("FEE"), TUxFieldType::Integer);
    data.Open();
    for (const auto& [name, town, fee] : rows) {
      data.Append();
      data.FieldByName(F("NAME")).SetValue(name);
      data.FieldByName(F("TOWN")).SetValue(town);
      data.FieldByName(F("FEE")).SetValue(fee);
      data.Post();
    }
  }
  // The printable width of an A4 page in the orientation, without margins.
  int ActiveWidth(int orientation) {
    TrpReport scratch;
    TrpPage& page = *scratch.Pages.GetPage(0);
    page.ApplyPaper(9, 0, 0, 65535, orientation);
    return page.PrintableRight() - page.PrintableLeft();
  }
  // Every prepared page's texts.
  QList<QStringList> Prepared() {
    QList<QStringList> result;
    TrpEMFPages& pages = print.Report().EMFPages;
    for (int i = 0; i < pages.Count(); ++i) {
      QStringList texts;
      TrpPage& page = pages.LoadPageObjects(i);
      for (int k = 0; k < page.Count(); ++k) {
        QString text = page.GetObject(k)->Memo.join(QLatin1Char('|'));
        text.remove(QChar(kParagraphMark));
        texts.append(text);
      }
      result.append(texts);
    }
    return result;
  }

  QObject owner;
  TUxMemoryData data{&owner};
  TrpPrintTable print{&owner};
};

struct TWidthCase {
  const char* name;
  std::function<void(AdHocPrint&, TrpPrintTable&)> setUp;
  // Expected widths from the page's active width A.
  std::function<QList<int>(int A)> widths;
  TrpPrintOrientation orientation = TrpPrintOrientation::Portrait;
};

class Widths : public AdHocPrint, public ::testing::WithParamInterface<TWidthCase> {
public:
  void Standard() {
    Members({{F("Adam"), F("Nitra"), 120}, {F("Bohumil Šťastný"), F("Žilina"), 99999}, {F("Cyril"), F("Zvolen"), 3}});
  }
  // Three columns of 400, 200 and 200 given by the widths event; fitting runs after it.
  void Given(TrpPrintTable& p, QList<int> widths) {
    Standard();
    p.AutoOrientation.Enabled = false;
    p.FitWidth.Enabled = true;
    p.OnCustomizeWidths = [widths](QList<int>& w, int columns, int) {
      ASSERT_EQ(columns, widths.size());
      w = widths;
    };
  }
  // One column whose text is `ratio` times the portrait page's width.
  void Wide(double ratio) {
    AddField(F("NOTE"), TUxFieldType::String, 2000);
    data.Open();
    data.Append();
    data.FieldByName(F("NOTE")).SetValue(QString(int((ActiveWidth(0) * ratio - 8) / 10), QLatin1Char('x')));
    data.Post();
  }
};

TEST_P(Widths, OfTheColumns) {
  GetParam().setUp(*this, print);
  print.BuildAdHocReport();
  ASSERT_EQ(print.Report().Pages.Count(), 1);
  TrpPage& page = *print.Report().Pages.GetPage(0);
  const int active = page.PrintableRight() - page.PrintableLeft();
  if (GetParam().widths) EXPECT_EQ(print.Widths(), GetParam().widths(active));
  EXPECT_EQ(print.Orientation, GetParam().orientation);
}

INSTANTIATE_TEST_SUITE_P(
    AdHocPrint, Widths,
    ::testing::Values(
        // "Bohumil Šťastný" 15 characters, "Žilina" 6 against "TOWN" 4, FEE "99999" and its sum "100122".
        TWidthCase{"measuredFromLabelsAndTexts",
                   [](AdHocPrint& f, TrpPrintTable& p) {
                     static_cast<Widths&>(f).Standard();
                     p.AggregateFields = QStringList{F("fee=sum")};
                   },
                   [](int) {
                     return QList<int>{158, 68, 68};
                   }},
        TWidthCase{"withoutAggregatesTheSumDoesNotCount",
                   [](AdHocPrint& f, TrpPrintTable&) { static_cast<Widths&>(f).Standard(); },
                   [](int) {
                     return QList<int>{158, 68, 58};
                   }},
        TWidthCase{"hiddenFieldDropsItsColumn",
                   [](AdHocPrint& f, TrpPrintTable&) {
                     static_cast<Widths&>(f).Standard();
                     f.data.FieldByName(F("TOWN")).Visible = false;
                   },
                   [](int) {
                     return QList<int>{158, 58};
                   }},
        TWidthCase{"fitProportional",
                   [](AdHocPrint& f, TrpPrintTable& p) {
                     static_cast<Widths&>(f).Given(p, {800, 400, 400});
                   },
                   [](int A) {
                     const double k = A / 1600.0;
                     return QList<int>{int(std::lround(800 * k)) - 1, int(std::lround(400 * k)) - 1,
                                       int(std::lround(400 * k)) - 1};
                   }},
        TWidthCase{"fitEven",
                   [](AdHocPrint& f, TrpPrintTable& p) {
                     static_cast<Widths&>(f).Given(p, {800, 400, 400});
                     p.FitWidth.Proportional = false;
                   },
                   [](int A) {
                     const int d = (A - 1600) / 3;
                     return QList<int>{800 + d - 1, 400 + d - 1, 400 + d - 1};
                   }},
        TWidthCase{"shrinkOnlyKeepsANarrowTable",
                   [](AdHocPrint& f, TrpPrintTable& p) {
                     static_cast<Widths&>(f).Given(p, {100, 50, 50});
                   },
                   [](int) {
                     return QList<int>{100, 50, 50};
                   }},
        TWidthCase{"growsWithoutShrinkOnly",
                   [](AdHocPrint& f, TrpPrintTable& p) {
                     static_cast<Widths&>(f).Given(p, {100, 50, 50});
                     p.FitWidth.ShrinkOnly = false;
                   },
                   [](int A) {
                     const double k = A / 200.0;
                     return QList<int>{int(std::lround(100 * k)) - 1, int(std::lround(50 * k)) - 1,
                                       int(std::lround(50 * k)) - 1};
                   }},
        TWidthCase{"namedFieldsTakeTheDifference",
                   [](AdHocPrint& f, TrpPrintTable& p) {
                     static_cast<Widths&>(f).Given(p, {1000, 300, 300});
                     p.FitWidth.Fields = F("name;nothing");
                   },
                   [](int A) {
                     return QList<int>{int(std::lround(1000 * (1 + (A - 1600) / 1000.0))) - 1, 300, 300};
                   }},
        TWidthCase{"namedFieldsTooNarrowToTakeTheDifference",
                   [](AdHocPrint& f, TrpPrintTable& p) {
                     static_cast<Widths&>(f).Given(p, {800, 400, 400});
                     p.FitWidth.Fields = F("NAME");
                   },
                   [](int) {
                     return QList<int>{800, 400, 400};
                   }},
        TWidthCase{"tenPercentTooWideTurnsLandscape",
                   [](AdHocPrint& f, TrpPrintTable&) { static_cast<Widths&>(f).Wide(1.1); }, nullptr,
                   TrpPrintOrientation::Landscape},
        TWidthCase{"threeTimesTooWideStaysPortrait",
                   [](AdHocPrint& f, TrpPrintTable&) { static_cast<Widths&>(f).Wide(3); }, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AdHocPrint, PrintsTitlesCellsAndAggregatesAsTexts) {
  Members({{F("Adam"), F("Nitra"), 120}, {F("Bohumil Šťastný"), F("Žilina"), 30}});
  data.FieldByName(F("TOWN")).SetDisplayLabel(F("Obec"));
  print.AggregateFields = QStringList{F("FEE=SUM"), F("NAME=count")};
  print.PrintOptions |= frpoFooter;
  print.PageHeader.Text = F("Zoznam členov");
  print.Title.Text = F("Členovia");
  print.BuildAdHocReport();
  ASSERT_TRUE(print.Report().BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(Prepared(), (QList<QStringList>{{F("Členovia"), F("Zoznam členov"), F("NAME"), F("Obec"), F("FEE"),
                                             F("Adam"), F("Nitra"), F("120"), F("Bohumil Šťastný"), F("Žilina"),
                                             F("30"), F("2"), QString(), F("150")}}));
}

TEST_F(AdHocPrint, TitleHiddenWhenTheRowHandlerSaysSo) {
  Members({{F("Adam"), F("Nitra"), 120}});
  print.Title.Text = F("Členovia");
  print.OnPrintRow = [](bool& isPrint) { isPrint = false; };
  print.BuildAdHocReport();
  ASSERT_TRUE(print.Report().BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  EXPECT_FALSE(Prepared().value(0).contains(F("Členovia")));
}

// Widths and column records are sized to the columns: 300 fields print 300 columns.
TEST_F(AdHocPrint, EveryColumnOfAWideDataSetPrints) {
  for (int i = 1; i <= 300; ++i)
    AddField(F("F%1").arg(i), TUxFieldType::Integer);
  data.Open();
  data.Append();
  for (int i = 1; i <= 300; ++i)
    data.FieldByNumber(i - 1).SetValue(i);
  data.Post();
  print.AutoOrientation.Enabled = false;
  print.BuildAdHocReport();
  EXPECT_EQ(print.Widths().size(), 300);
  ASSERT_TRUE(print.Report().BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  QStringList texts;
  for (const QStringList& page : Prepared())
    texts += page;
  for (int i = 1; i <= 300; ++i) {
    EXPECT_TRUE(texts.contains(F("F%1").arg(i))) << i;
    EXPECT_TRUE(texts.contains(QString::number(i))) << i;
  }
}

TEST_F(AdHocPrint, PercentOutsideOneToHundredIsRefused) {
  print.FitWidth.SetResizePercent(0);
  print.AutoOrientation.SetResizePercent(101);
  EXPECT_EQ(print.FitWidth.ResizePercent(), 30);
  EXPECT_EQ(print.AutoOrientation.ResizePercent(), 20);
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages[0].contains(F("1 až 100")));
}

TEST_F(AdHocPrint, NothingWithoutADataSet) {
  print.DataSet = nullptr;
  print.BuildAdHocReport();
  EXPECT_TRUE(print.Widths().isEmpty());
}

} // namespace
