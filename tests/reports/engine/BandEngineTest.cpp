#include "ReportFixture.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpCompositeReport.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPageBuild.h"
#include "reports/engine/rpPictureView.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpSubReportView.h"
#include "tests/support/QStringPrinter.h"
#include "util/UxMemDS.h"
#include <QtCore/QBuffer>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QImage>
#include <functional>

namespace {

// A member list over the in-memory data set, walked through the database
// adapter named "Members", and a report template built in code. Text is
// measured at 10 pixels per character; the virtual printer's A4 page prints
// from y 18 to y 1053.
class BandEngine : public ReportFixture {
protected:
  BandEngine() {
    rpGlobals().TextWidth = [](const QFont&, const QString& text) { return int(text.size()) * 10; };
    for (const auto& [name, type, size] :
         {std::tuple{"NAME", TUxFieldType::String, 30}, std::tuple{"TOWN", TUxFieldType::String, 30},
          std::tuple{"FEE", TUxFieldType::Integer, 0}, std::tuple{"NOTE", TUxFieldType::Memo, 0},
          std::tuple{"PHOTO", TUxFieldType::Blob, 0}}) {
      TUxFieldDef def;
      def.Name = QString::fromLatin1(name);
      def.DataType = type;
      def.Size = size;
      data.AddFieldDef(def);
    }
    data.Open();
    members.setObjectName(QStringLiteral("Members"));
    members.SetDataSet(&data);
    page = report.Pages.GetPage(0);
  }

  void AddMembers(int count, int perTown = 1000) {
    for (int i = 1; i <= count; ++i)
      AddMember(QStringLiteral("Člen %1").arg(i), QStringLiteral("Obec %1").arg((i - 1) / perTown + 1), i);
  }
  void AddMember(const QString& name, const QString& town, int fee) {
    data.Append();
    data.FieldByName(QStringLiteral("NAME")).SetValue(name);
    data.FieldByName(QStringLiteral("TOWN")).SetValue(town);
    data.FieldByName(QStringLiteral("FEE")).SetValue(fee);
    data.Post();
  }

  TrpBandView* AddBand(int type, int top, int height, quint16 flags = 0, const QString& source = {}) {
    auto band = std::make_unique<TrpBandView>();
    band->SetBandType(type);
    band->SetBounds(0, top, 700, height);
    band->Flags = flags;
    band->DisplayFormatText = source;
    band->Name = QStringLiteral("Band%1").arg(++bands);
    return static_cast<TrpBandView*>(page->Add(std::move(band)));
  }
  TrpMemoView* AddText(int left, int top, int width, int height, const QString& text) {
    auto memo = std::make_unique<TrpMemoView>();
    memo->SetBounds(left, top, width, height);
    memo->Memo = text.split(QLatin1Char('\n'));
    memo->Name = QStringLiteral("Text%1").arg(++texts);
    memo->Flags &= quint16(~mfStretched);
    return static_cast<TrpMemoView*>(page->Add(std::move(memo)));
  }

  // Every prepared page (of the fixture's report unless given) as "x,y:text" per object.
  QList<QStringList> Prepared(TrpEMFPages* pages = nullptr) {
    TrpEMFPages& from = pages ? *pages : report.EMFPages;
    QList<QStringList> result;
    for (int i = 0; i < from.Count(); ++i) {
      QStringList objects;
      TrpPage& prepared = from.LoadPageObjects(i);
      for (int k = 0; k < prepared.Count(); ++k) {
        const TrpView* v = prepared.GetObject(k);
        QString text = v->Memo.join(QLatin1Char('|'));
        text.remove(QChar(kParagraphMark));
        objects.append(QStringLiteral("%1,%2:%3").arg(v->Left).arg(v->Top).arg(text));
      }
      result.append(objects);
    }
    return result;
  }

  QObject owner;
  TUxMemoryData data;
  TrpDBDataSet members{&owner};
  TrpReport report{&owner};
  TrpPage* page = nullptr;
  int bands = 0, texts = 0;
};

struct BuildCase {
  const char* name;
  std::function<void(BandEngine&)> setUp;
  QList<QStringList> pages;
};

#define F(...) QStringLiteral(__VA_ARGS__)

// Builders reach the fixture's protected helpers through this shim; the
// cases' fixture derives from it, so a builder's cast names its true type.
struct T : BandEngine {
  static void List(BandEngine& f) { static_cast<T&>(f).DoList(); }
  static void Pages(BandEngine& f) { static_cast<T&>(f).DoPages(); }
  static void Groups(BandEngine& f) { static_cast<T&>(f).DoGroups(); }
  static void Columns(BandEngine& f) { static_cast<T&>(f).DoColumns(); }
  static void Split(BandEngine& f) { static_cast<T&>(f).DoSplit(); }
  static void Empty(BandEngine& f) { static_cast<T&>(f).DoEmpty(); }
  static void Outside(BandEngine& f) { static_cast<T&>(f).DoOutside(); }
  static void Subreport(BandEngine& f) { static_cast<T&>(f).DoSubreport(); }
  static void Details(BandEngine& f) { static_cast<T&>(f).DoDetails(F("2"), 0); }
  static void NoDetails(BandEngine& f) { static_cast<T&>(f).DoDetails(F("Nikto"), 0); }
  static void NoDetailsPrinted(BandEngine& f) { static_cast<T&>(f).DoDetails(F("Nikto"), bfPrintIfSubsetEmpty); }
  static void PrevPage(BandEngine& f) { static_cast<T&>(f).DoPrevPage(); }
  static void GroupPages(BandEngine& f) { static_cast<T&>(f).DoGroupPages(); }
  static void ScriptPages(BandEngine& f) { static_cast<T&>(f).DoScriptPages(); }
  static void RepeatedHeader(BandEngine& f) { static_cast<T&>(f).DoRepeatedHeader(); }
  static void Multiple(BandEngine& f) { static_cast<T&>(f).DoMultiple(); }
  static void Manual(BandEngine& f) { static_cast<T&>(f).DoManual(); }
  static void RunBand(BandEngine& f) { static_cast<T&>(f).DoRunBand(); }
  static void HiddenPages(BandEngine& f) { static_cast<T&>(f).DoHiddenPages(); }

  // Two hidden template pages: the first one's script shows it, the second stays hidden.
  void DoHiddenPages() {
    AddBand(btReportTitle, 20, 30);
    AddText(10, 25, 200, 20, F("Prvá"));
    for (const char* text : {"Druhá", "Tretia"}) {
      page = report.Pages.Add();
      page->Visible = false;
      AddBand(btReportTitle, 20, 30);
      AddText(10, 25, 200, 20, QString::fromUtf8(text));
    }
    report.Pages.GetPage(1)->Script = QStringList{F("PAGE2.Visible := True")};
  }

  // The title's script gives the master band a virtual data set of two rows and hides the summary.
  void DoRunBand() {
    AddMembers(5);
    TrpBandView* title = AddBand(btReportTitle, 20, 30);
    title->Script = QStringList{F("begin Band2.DataSource := '2'; Band3.Visible := False; end")};
    AddText(10, 25, 200, 20, F("Nadpis"));
    AddBand(btMasterData, 100, 20, 0, F("Members"));
    AddText(10, 100, 200, 20, F("[LINE#]"));
    AddBand(btReportSummary, 200, 20);
    AddText(10, 200, 200, 20, F("Koniec"));
  }

  // The whole report once per member: a title with the member's name and the page number.
  void DoMultiple() {
    AddMembers(3);
    report.SetDataset(&members);
    report.ReportType = rtMultiple;
    AddBand(btReportTitle, 20, 30);
    AddText(10, 25, 200, 20, F("[Members.\"NAME\"] [PAGE#]"));
  }
  // The handler shows the row band once per member; title, data walk and summary stay out.
  void DoManual() {
    AddMembers(3);
    AddBand(btReportTitle, 20, 30);
    AddText(10, 25, 200, 20, F("Nadpis"));
    AddBand(btMasterData, 100, 20);
    AddText(50, 100, 200, 20, F("[Members.\"NAME\"]"));
    AddBand(btReportSummary, 200, 20);
    AddText(10, 200, 200, 20, F("Koniec"));
    report.OnManualBuild = [this](TrpPage* built) {
      EXPECT_EQ(built, report.Pages.GetPage(0));
      for (data.First(); !data.Eof(); data.Next())
        rpRun().Run->ShowBand(F("Band2"));
    };
  }

  // The title holds a subreport of the second template page, which lists the members beside the title's text.
  void DoSubreport() {
    AddMembers(3);
    AddBand(btReportTitle, 20, 40);
    AddText(10, 20, 100, 20, F("Nadpis"));
    auto sub = std::make_unique<TrpSubReportView>();
    sub->SetBounds(300, 30, 200, 20);
    sub->SubPage = 1;
    page->Add(std::move(sub));
    AddBand(btReportSummary, 200, 20);
    AddText(10, 200, 100, 20, F("Koniec"));
    page = report.Pages.Add();
    AddBand(btMasterData, 100, 20, 0, F("Members"));
    AddText(5, 100, 200, 20, F("[Members.\"NAME\"]"));
  }
  // Two members, each with a detail level of a virtual data set (or none) and a master footer.
  void DoDetails(const QString& detailSource, quint16 masterFlags) {
    AddMembers(2);
    AddBand(btMasterData, 100, 20, masterFlags, F("Members"));
    AddText(10, 100, 200, 20, F("[Members.\"NAME\"]"));
    AddBand(btDetailData, 150, 20, 0, detailSource);
    AddText(30, 150, 100, 20, F("riadok [LINE#]"));
    AddBand(btMasterFooter, 200, 20);
    AddText(10, 200, 100, 20, F("Koniec"));
  }
  // A second template page that continues on the first one's last prepared page.
  void DoPrevPage() {
    AddMembers(2);
    AddBand(btMasterData, 100, 20, 0, F("Members"));
    AddText(10, 100, 200, 20, F("[Members.\"NAME\"]"));
    AddBand(btReportSummary, 200, 20);
    AddText(10, 200, 100, 20, F("Koniec 1"));
    page = report.Pages.Add();
    page->PrintToPrevPage = true;
    AddBand(btReportTitle, 20, 20);
    AddText(10, 20, 100, 20, F("Druhá časť"));
  }
  // Three towns of two members; a group starting a new page does so between groups only.
  void DoGroupPages() {
    AddMembers(6, 2);
    AddBand(btGroupHeader, 50, 20, bfFormNewPage, F("[Members.\"TOWN\"]"));
    AddText(10, 50, 200, 20, F("[Members.\"TOWN\"]"));
    AddBand(btMasterData, 100, 20, 0, F("Members"));
    AddText(50, 100, 200, 20, F("[LINE#] [Members.\"NAME\"]"));
  }
  void DoScriptPages() {
    AddMembers(1);
    TrpBandView* band = AddBand(btMasterData, 100, 20, 0, F("Members"));
    band->Script = QStringList{F("begin NEWPAGE; NEWPAGE; end")};
    AddText(50, 100, 200, 20, F("[Members.\"NAME\"]"));
  }
  // 55 rows of 20 pixels under a repeated master header of 20: 50 rows on the first page.
  void DoRepeatedHeader() {
    AddMembers(55);
    AddBand(btMasterHeader, 50, 20, bfRepeatHeader);
    AddText(10, 50, 100, 20, F("Meno"));
    AddBand(btMasterData, 100, 20, 0, F("Members"));
    AddText(50, 100, 200, 20, F("[LINE#] [Members.\"NAME\"]"));
  }

  void DoList() {
    AddMembers(3);
    AddBand(btReportTitle, 20, 30);
    AddText(10, 25, 200, 20, F("Zoznam členov"));
    AddBand(btMasterData, 100, 20, 0, F("Members"));
    AddText(10, 100, 30, 20, F("[LINE#]"));
    AddText(50, 100, 200, 20, F("[Members.\"NAME\"]"));
    AddBand(btReportSummary, 200, 20);
    AddText(10, 200, 200, 20, F("Spolu [COUNT(Band2)]"));
  }
  // 60 rows of 20 pixels do not fit under a page header on one page.
  void DoPages() {
    report.DoublePassReport = true;
    AddMembers(60);
    AddBand(btPageHeader, 20, 20);
    AddText(10, 20, 100, 20, F("Hlavička"));
    AddBand(btMasterData, 100, 20, 0, F("Members"));
    AddText(50, 100, 200, 20, F("[Members.\"NAME\"]"));
    AddBand(btPageFooter, 300, 20, bfOnFirstPage | bfOnLastPage);
    AddText(10, 300, 200, 20, F("Strana [PAGE#] z [TOTALPAGES]"));
  }
  // Two passes: totals of the first pass must not leak into the final one.
  void DoGroups() {
    report.DoublePassReport = true;
    AddMember(F("Adam"), F("Nitra"), 10);
    AddMember(F("Boris"), F("Nitra"), 20);
    AddMember(F("Cyril"), F("Žilina"), 5);
    AddBand(btGroupHeader, 50, 20, 0, F("[Members.\"TOWN\"]"));
    AddText(10, 50, 200, 20, F("[Members.\"TOWN\"]"));
    AddBand(btMasterData, 100, 20, 0, F("Members"));
    AddText(50, 100, 200, 20, F("[Members.\"NAME\"]"));
    AddBand(btGroupFooter, 150, 20);
    AddText(10, 150, 200, 20, F("[Members.\"TOWN\"] [SUM([Members.\"FEE\"], Band2)] [AVG([Members.\"FEE\"], Band2)]"));
    AddBand(btReportSummary, 200, 20);
    AddText(10, 200, 300, 20,
            F("[SUM([Members.\"FEE\"], Band2)] [MIN([Members.\"FEE\"], Band2)] [MAX([Members.\"FEE\"], Band2)]"));
  }
  void DoColumns() {
    AddMembers(4);
    TrpBandView* band = AddBand(btMasterData, 100, 20, 0, F("Members"));
    band->Columns = 3;
    band->ColumnWidth = 200;
    band->ColumnGap = 20;
    AddText(0, 100, 150, 20, F("[Members.\"NAME\"]"));
  }
  // A breaked band whose text of 70 lines (15 pixels each) crosses the page bottom.
  void DoSplit() {
    AddMembers(1);
    AddBand(btMasterData, 100, 20, bfBreaked | bfStretched, F("Members"));
    QStringList lines;
    for (int i = 1; i <= 70; ++i)
      lines.append(QStringLiteral("r%1").arg(i));
    TrpMemoView* memo = AddText(10, 100, 300, 20, lines.join(QLatin1Char('\n')));
    memo->Flags |= mfStretched;
  }
  void DoEmpty() {
    report.PrintIfEmpty = false;
    AddBand(btReportTitle, 20, 30);
    AddText(10, 25, 200, 20, F("Nadpis"));
    AddBand(btMasterData, 100, 20, 0, F("Members"));
  }
  void DoOutside() {
    AddMembers(2);
    AddText(400, 5, 100, 10, F("mimo pásov"));
    AddBand(btMasterData, 100, 20, bfFormNewPage, F("Members"));
    AddText(50, 100, 200, 20, F("[Members.\"NAME\"]"));
  }
};

class BuildCases : public T, public ::testing::WithParamInterface<BuildCase> {};

TEST_P(BuildCases, GivePreparedPages) {
  GetParam().setUp(*this);
  report.BuildPreparedPages();
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(Prepared(), GetParam().pages);
}

QList<QStringList> ListPages(int first, int last, int y0) {
  QStringList page;
  for (int i = first; i <= last; ++i)
    page.append(QStringLiteral("50,%1:Člen %2").arg(y0 + (i - first) * 20).arg(i));
  return {page};
}

QList<QStringList> PagedList() {
  // Page 1: rows from y 18 (no header on the first page), bottom 1053 - 20 (footer): 50 rows.
  QStringList first = ListPages(1, 50, 18).first();
  first.append(F("10,1033:Strana 1 z 2"));
  QStringList second{F("10,18:Hlavička")};
  second.append(ListPages(51, 60, 38).first());
  second.append(F("10,1033:Strana 2 z 2"));
  return {first, second};
}

QList<QStringList> RepeatedHeaderPages() {
  QStringList first{F("10,18:Meno")}, second{F("10,18:Meno")};
  for (int i = 1; i <= 50; ++i)
    first.append(QStringLiteral("50,%1:%2 Člen %2").arg(38 + (i - 1) * 20).arg(i));
  for (int i = 51; i <= 55; ++i)
    second.append(QStringLiteral("50,%1:%2 Člen %2").arg(38 + (i - 51) * 20).arg(i));
  return {first, second};
}

QList<QStringList> SplitPages() {
  // Room on the first page: 1053 - 18 - 2 pixels; with a line of 15 pixels and
  // the text's gaps 68 lines fit, the other 2 continue at the top of the next page.
  QStringList first, second;
  for (int i = 1; i <= 68; ++i)
    first.append(QStringLiteral("r%1").arg(i));
  for (int i = 69; i <= 70; ++i)
    second.append(QStringLiteral("r%1").arg(i));
  return {{F("10,18:") + first.join(QLatin1Char('|'))}, {F("10,18:") + second.join(QLatin1Char('|'))}};
}

INSTANTIATE_TEST_SUITE_P(
    Report, BuildCases,
    ::testing::Values(
        BuildCase{"titleRowsAndSummary",
                  T::List,
                  {{F("10,23:Zoznam členov"), F("10,48:1"), F("50,48:Člen 1"), F("10,68:2"), F("50,68:Člen 2"),
                    F("10,88:3"), F("50,88:Člen 3"), F("10,108:Spolu 3")}}},
        BuildCase{"pagesWithTotalPages", T::Pages, PagedList()},
        BuildCase{"groupsWithFooters",
                  T::Groups,
                  {{F("10,18:Nitra"), F("50,38:Adam"), F("50,58:Boris"), F("10,78:Nitra 30 15"), F("10,98:Žilina"),
                    F("50,118:Cyril"), F("10,138:Žilina 5 5"), F("10,158:35 5 20")}}},
        BuildCase{
            "bandColumns", T::Columns, {{F("0,18:Člen 1"), F("220,18:Člen 2"), F("440,18:Člen 3"), F("0,38:Člen 4")}}},
        BuildCase{"breakedBandSplitAcrossPages", T::Split, SplitPages()},
        BuildCase{"subreportBesideTheTitle",
                  T::Subreport,
                  {{F("10,18:Nadpis"), F("305,28:Člen 1"), F("305,48:Člen 2"), F("305,68:Člen 3"), F("10,88:Koniec")}}},
        BuildCase{"masterWithDetails",
                  T::Details,
                  {{F("10,18:Člen 1"), F("30,38:riadok 1"), F("30,58:riadok 2"), F("10,78:Člen 2"), F("30,98:riadok 1"),
                    F("30,118:riadok 2"), F("10,138:Koniec")}}},
        BuildCase{"masterWithoutDetailsLeavesOnlyTheFooter", T::NoDetails, {{F("10,18:Koniec")}}},
        BuildCase{"masterWithoutDetailsPrintIfSubsetEmpty",
                  T::NoDetailsPrinted,
                  {{F("10,18:Člen 1"), F("10,38:Člen 2"), F("10,58:Koniec")}}},
        BuildCase{"secondTemplateContinuesOnThePreviousPage",
                  T::PrevPage,
                  {{F("10,18:Člen 1"), F("10,38:Člen 2"), F("10,58:Koniec 1"), F("10,78:Druhá časť")}}},
        BuildCase{"groupHeaderStartsPagesBetweenGroups",
                  T::GroupPages,
                  {{F("10,18:Obec 1"), F("50,38:1 Člen 1"), F("50,58:2 Člen 2")},
                   {F("10,18:Obec 2"), F("50,38:1 Člen 3"), F("50,58:2 Člen 4")},
                   {F("10,18:Obec 3"), F("50,38:1 Člen 5"), F("50,58:2 Člen 6")}}},
        BuildCase{"scriptRequestsTwoPagesBeforeItsBand", T::ScriptPages, {{}, {}, {F("50,18:Člen 1")}}},
        BuildCase{"repeatedHeaderOnTheNextPage", T::RepeatedHeader, RepeatedHeaderPages()},
        BuildCase{"emptyDataWithoutPrintIfEmpty", T::Empty, {}},
        BuildCase{"multipleReportOncePerRecord",
                  T::Multiple,
                  {{F("10,23:Člen 1 1")}, {F("10,23:Člen 2 2")}, {F("10,23:Člen 3 3")}}},
        BuildCase{"hiddenPageShownByItsScript", T::HiddenPages, {{F("10,23:Prvá")}, {F("10,23:Druhá")}}},
        BuildCase{"scriptSwitchesTheRunningBands", T::RunBand, {{F("10,23:Nadpis"), F("10,48:1"), F("10,68:2")}}},
        BuildCase{
            "manualBuildShowsTheBandsItNames", T::Manual, {{F("50,18:Člen 1"), F("50,38:Člen 2"), F("50,58:Člen 3")}}},
        BuildCase{"objectOutsideBandsOnFirstPageOnly",
                  T::Outside,
                  {{F("400,5:mimo pásov"), F("50,18:Člen 1")}, {F("50,18:Člen 2")}}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

TEST_F(BandEngine, PendingBandsBeyondTheLimitStopTheBuildWithAMessage) {
  AddMembers(2);
  AddBand(btMasterData, 100, 20, 0, F("Members"));
  for (int i = 0; i <= TrpPageBuild::kMaxPendingBands; ++i)
    AddBand(btGroupHeader, 30, 1, 0, F("[Members.\"TOWN\"]"));
  EXPECT_FALSE(report.BuildPreparedPages());
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(F("viac ako 100 pásov"))) << messages[0].toStdString();
  EXPECT_EQ(report.EMFPages.Count(), 0);
}

TEST_F(BandEngine, PreparedFileOfABuiltReportLoadsTheSamePages) {
  AddMembers(60);
  AddBand(btMasterData, 100, 20, 0, F("Members"));
  AddText(50, 100, 200, 20, F("[LINE#] [Members.\"NAME\"]"));
  ASSERT_TRUE(report.BuildPreparedPages());
  const QList<QStringList> built = Prepared();
  ASSERT_EQ(built.size(), 2);
  const QString file = QDir::temp().filePath(F("vimek-engine4-%1.rpp").arg(QCoreApplication::applicationPid()));
  report.SavePreparedFile(file);
  report.EMFPages.Clear();
  report.LoadPreparedFile(file);
  QFile::remove(file);
  EXPECT_EQ(Prepared(), built);
  EXPECT_FALSE(report.CanRebuild);
}

TEST_F(BandEngine, TemplateIsRestoredAfterTheBuild) {
  AddMembers(1);
  AddBand(btMasterData, 100, 20, 0, F("Members"));
  AddText(50, 100, 200, 20, F("[Members.\"NAME\"]"));
  report.BuildPreparedPages();
  EXPECT_EQ(report.Pages.GetPage(0)->GetObject(1)->Top, 100) << "objects keep their page positions";
  EXPECT_EQ(report.Pages.GetPage(0)->GetObject(1)->RecordMode, 0);
}

// Aggregate reading: AVG divides by the rows accumulated since the last reset,
// also in a column key, where the column comes first and the function one field later.
TEST_F(BandEngine, AggregateValuesFromPlainAndColumnKeys) {
  TrpPageBuild build(report, *page, report.EMFPages, report.RunContext());
  TrpBand band(btMasterData, build);
  const struct {
    QString key;
    QVariant stored;
    int rows;
    double expected;
  } cases[] = {
      {rpAggregateKey(F("Footer"), akAvg, F("[x]"), {}), 30, 3, 10},
      {F("2\x01") + rpAggregateKey(F("Footer"), akAvg, F("[x]"), {}), 30, 4, 7.5},
      {F("2\x01") + rpAggregateKey(F("Footer"), akSum, F("[x]"), {}), 30, 4, 30},
      {rpAggregateKey(F("Footer"), akAvg, F("[x]"), {}), 30, 0, 0},
  };
  for (const auto& c : cases) {
    band.AddAggregate(c.key, c.stored);
    band.aggregateRows = c.rows;
    EXPECT_DOUBLE_EQ(band.AggregateValue(c.key).toDouble(), c.expected) << c.key.toStdString() << " rows " << c.rows;
  }
  EXPECT_FALSE(band.AggregateValue(F("absent")).isValid());
}

class DBDataSet : public BandEngine {
protected:
  // The names of the records one walk visits.
  QStringList Walk(TrpDataset& walker) {
    QStringList names;
    walker.Init();
    for (walker.First(); !walker.Eof() && names.size() < 100; walker.Next())
      names.append(data.FieldByName(F("NAME")).AsString());
    walker.Exit();
    return names;
  }
};

TEST_F(DBDataSet, RangesOfTheWalk) {
  AddMembers(5);
  data.First();
  data.Next(); // "Člen 2" is current
  const struct {
    const char* name;
    TRangeBegin begin;
    TRangeEnd end;
    int count;
    QStringList names;
  } cases[] = {
      {"all",
       TRangeBegin::rbFirst,
       TRangeEnd::reLast,
       0,
       {F("Člen 1"), F("Člen 2"), F("Člen 3"), F("Člen 4"), F("Člen 5")}},
      {"count", TRangeBegin::rbFirst, TRangeEnd::reCount, 3, {F("Člen 1"), F("Člen 2"), F("Člen 3")}},
      {"current", TRangeBegin::rbCurrent, TRangeEnd::reCurrent, 0, {F("Člen 2")}},
  };
  for (const auto& c : cases) {
    data.First();
    data.Next();
    members.RangeBegin = c.begin;
    members.RangeEnd = c.end;
    members.RangeEndCount = c.count;
    EXPECT_EQ(Walk(members), c.names) << c.name;
  }
  EXPECT_EQ(data.FieldByName(F("NAME")).AsString(), F("Člen 2")) << "a walk of the current record returns to it";
  EXPECT_TRUE(data.Active()) << "the data set stays open without CloseDataSource";
  members.CloseDataSource = true;
  Walk(members);
  EXPECT_FALSE(data.Active());
}

TEST_F(DBDataSet, DataSourceAndDataSetReplaceEachOther) {
  AddMembers(2);
  TDataSource source;
  source.SetDataSet(&data);
  TrpDBDataSet walker;
  walker.setObjectName(F("rpDB2"));
  walker.SetDataSource(&source);
  EXPECT_EQ(walker.DataSet(), nullptr);
  EXPECT_EQ(Walk(walker), (QStringList{F("Člen 1"), F("Člen 2")}));
  walker.SetDataSet(&data);
  EXPECT_EQ(walker.DataSource(), nullptr) << "a data set clears the data source";
  walker.SetDataSource(&source);
  source.SetDataSet(nullptr);
  EXPECT_THROW(walker.Init(), EDSError) << "a data source without a data set walks nothing";
}

TEST_F(DBDataSet, WithoutDataSetTheWalkFailsWithTheName) {
  TrpDBDataSet empty;
  empty.setObjectName(F("rpDB1"));
  try {
    empty.Init();
    FAIL() << "no error";
  } catch (const EDSError& error) {
    EXPECT_EQ(error.Message(), F("Unable to open dataset rpDB1"));
  }
}

} // namespace

namespace {

TEST_F(BandEngine, StoppedOrFailedBuildsLeaveNoPages) {
  const struct {
    const char* name;
    QStringList script;
    bool message;
  } cases[] = {
      {"STOPREPORT", {F("begin STOPREPORT; end")}, false},
      {"script that does not compile", {F("begin if then; end")}, true},
  };
  AddMembers(3);
  // Each build reloads the template, so the band is found by its name every time.
  const QString band = AddBand(btMasterData, 100, 20, 0, F("Members"))->Name;
  AddText(10, 100, 200, 20, F("[Members.\"NAME\"]"));
  for (const auto& c : cases) {
    messages.clear();
    report.Pages.GetPage(0)->FindObject(band)->Script = c.script;
    EXPECT_FALSE(report.BuildPreparedPages()) << c.name;
    EXPECT_EQ(report.EMFPages.Count(), 0) << c.name;
    EXPECT_EQ(messages.size() == 1 && messages[0].startsWith(F("Chyba: ")) && messages[0].contains(F("\"then\"")),
              c.message)
        << c.name << ": " << messages.join(QLatin1Char('\n')).toStdString();
  }
}

} // namespace

namespace {

// Events of a one-page list: bands without band objects (title, page header,
// column header and footer, summary) are shown too, in build order.
TEST_F(BandEngine, EventsFireInBuildOrder) {
  AddMembers(2);
  AddBand(btMasterData, 100, 20, 0, F("Members"));
  QStringList events;
  report.OnBeginDoc = [&] { events.append(F("doc")); };
  report.OnEndDoc = [&] { events.append(F("/doc")); };
  report.OnBeginPage = [&](int n) { events.append(F("page %1").arg(n)); };
  report.OnEndPage = [&](int n) { events.append(F("/page %1").arg(n)); };
  report.OnBeginBand = [&](TrpBand* band) { events.append(F("band %1").arg(band->kind)); };
  ASSERT_TRUE(report.BuildPreparedPages());
  EXPECT_EQ(events, (QStringList{F("doc"), F("page 0"), F("band 13"), F("band 22"), F("band 0"), F("band 14"),
                                 F("band 5"), F("band 5"), F("band 15"), F("band 1"), F("/page 0"), F("/doc")}));
}

// A report built from an event of another one while that one builds: each
// runs in its own context, so the other's data set of the same name (on
// another owner), page numbers and line numbers stay its own, and both
// reports come out as when each is built alone.
TEST_F(BandEngine, ReportBuiltDuringAnotherBuildLeavesBothRight) {
  AddMembers(60, 25);
  AddBand(btMasterData, 100, 20, 0, F("Members"));
  AddText(50, 100, 300, 20, F("[Members.\"NAME\"] [Members.\"TOWN\"] [LINE#]"));
  AddBand(btPageFooter, 1000, 20, bfOnFirstPage | bfOnLastPage);
  AddText(10, 1000, 200, 20, F("Strana [PAGE#] z [TOTALPAGES]"));
  report.DoublePassReport = true;

  QObject otherOwner;
  TUxMemoryData otherData;
  TUxFieldDef def;
  def.Name = F("NAME");
  def.DataType = TUxFieldType::String;
  def.Size = 30;
  otherData.AddFieldDef(def);
  otherData.Open();
  for (const char* name : {"Iný", "Druhý", "Tretí"}) {
    otherData.Append();
    otherData.FieldByName(F("NAME")).SetValue(QString::fromUtf8(name));
    otherData.Post();
  }
  TrpDBDataSet otherMembers{&otherOwner};
  otherMembers.setObjectName(F("Members"));
  otherMembers.SetDataSet(&otherData);
  TrpReport other{&otherOwner};
  page = other.Pages.GetPage(0);
  AddBand(btReportTitle, 20, 30);
  AddText(10, 25, 200, 20, F("Zoznam [PAGE#]"));
  AddBand(btMasterData, 100, 20, 0, F("Members"));
  AddText(50, 100, 300, 20, F("[Members.\"NAME\"] [LINE#]"));

  ASSERT_TRUE(report.BuildPreparedPages());
  const QList<QStringList> alone = Prepared();
  ASSERT_TRUE(other.BuildPreparedPages());
  const QList<QStringList> otherAlone = Prepared(&other.EMFPages);
  ASSERT_EQ(alone.size(), 2);
  EXPECT_EQ(alone[0].first(), F("50,18:Člen 1 Obec 1 1"));
  EXPECT_EQ(alone[1].last(), F("10,1033:Strana 2 z 2"));
  EXPECT_EQ(otherAlone,
            (QList<QStringList>{{F("10,23:Zoznam 1"), F("50,48:Iný 1"), F("50,68:Druhý 2"), F("50,88:Tretí 3")}}));

  // The other report is built at every 25th data band of this one, in both passes and on both pages.
  int dataBands = 0, builtInside = 0;
  report.OnBeginBand = [&](TrpBand* band) {
    if (band->kind != btMasterData || ++dataBands % 25 != 7) return;
    EXPECT_TRUE(other.BuildPreparedPages());
    ++builtInside;
  };
  ASSERT_TRUE(report.BuildPreparedPages());
  EXPECT_EQ(builtInside, 5) << "60 records in each of two passes";
  EXPECT_EQ(Prepared(), alone);
  EXPECT_EQ(Prepared(&other.EMFPages), otherAlone);
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

} // namespace

namespace {

// Two member reports built into one composite: the fixture's member list with
// a numbered page footer, and an appendix whose title names its page.
class CompositeBuild : public BandEngine {
protected:
  CompositeBuild() {
    AddMembers(2);
    AddBand(btMasterData, 100, 20, 0, F("Members"));
    AddText(50, 100, 200, 20, F("[Members.\"NAME\"]"));
    AddBand(btPageFooter, 300, 20, bfOnFirstPage | bfOnLastPage);
    AddText(10, 300, 200, 20, F("Strana [PAGE#] z [TOTALPAGES]"));
    page = appendix.Pages.GetPage(0);
    AddBand(btReportTitle, 20, 30);
    AddText(10, 25, 200, 20, F("Príloha [PAGE#]"));
    composite.MemberReports = {&report, &appendix};
  }

  TrpReport appendix{&owner};
  TrpCompositeReport composite{&owner};
};

TEST_F(CompositeBuild, MembersBuildIntoOnePageSet) {
  const struct {
    const char* name;
    bool twoPasses;
    bool toPreviousPage;
    quint8 appendixOrientation;
    bool driven; // the composite walks the members' data set and builds both reports per member
    QList<QStringList> pages;
  } cases[] = {
      {"one after the other",
       false,
       false,
       0,
       false,
       {{F("50,18:Člen 1"), F("50,38:Člen 2"), F("10,1033:Strana 1 z 0")}, {F("10,23:Príloha 2")}}},
      {"two passes know the total",
       true,
       false,
       0,
       false,
       {{F("50,18:Člen 1"), F("50,38:Člen 2"), F("10,1033:Strana 1 z 2")}, {F("10,23:Príloha 2")}}},
      {"appendix continues on the same paper",
       false,
       true,
       0,
       false,
       {{F("50,18:Člen 1"), F("50,38:Člen 2"), F("10,1033:Strana 1 z 0"), F("10,63:Príloha 1")}}},
      {"appendix in landscape starts a page",
       false,
       true,
       1,
       false,
       {{F("50,18:Člen 1"), F("50,38:Člen 2"), F("10,1033:Strana 1 z 0")}, {F("10,23:Príloha 2")}}},
      {"once per record of the driving data set",
       false,
       false,
       0,
       true,
       {{F("50,18:Člen 1"), F("50,38:Člen 2"), F("10,1033:Strana 1 z 0")},
        {F("10,23:Príloha 2")},
        {F("50,18:Člen 1"), F("50,38:Člen 2"), F("10,1033:Strana 3 z 0")},
        {F("10,23:Príloha 4")}}},
  };
  TrpDBDataSet driver{&owner};
  driver.setObjectName(F("Driver"));
  TUxMemoryData driverData;
  TUxFieldDef def;
  def.Name = F("N");
  def.DataType = TUxFieldType::Integer;
  driverData.AddFieldDef(def);
  driverData.Open();
  for (int i = 1; i <= 2; ++i) {
    driverData.Append();
    driverData.FieldByName(F("N")).SetValue(i);
    driverData.Post();
  }
  driver.SetDataSet(&driverData);
  for (const auto& c : cases) {
    composite.DoublePassReport = c.twoPasses;
    TrpPage* first = appendix.Pages.GetPage(0);
    first->PrintToPrevPage = c.toPreviousPage;
    first->ApplyPaper(first->PaperSize, first->PaperWidth, first->PaperHeight, first->Bin, c.appendixOrientation);
    composite.SetDataset(c.driven ? &driver : nullptr);
    EXPECT_TRUE(composite.BuildPreparedPages()) << c.name;
    EXPECT_TRUE(messages.isEmpty()) << c.name << ": " << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Prepared(&composite.EMFPages), c.pages) << c.name;
    EXPECT_EQ(report.EMFPages.Count() + appendix.EMFPages.Count(), 0) << c.name << ": members keep no pages";
  }
}

// Page events reach the member being built and the composite; FINALPASS follows the composite's passes.
TEST_F(CompositeBuild, MemberAndCompositeHearOfEveryPage) {
  QStringList events;
  const auto record = [&events](const char* who) {
    return [&events, who](int n) { events.append(QString::fromUtf8(who) + QString::number(n)); };
  };
  report.OnBeginPage = record("zoznam+");
  report.OnEndPage = record("zoznam-");
  appendix.OnBeginPage = record("príloha+");
  appendix.OnEndPage = record("príloha-");
  composite.OnBeginPage = record("spolu+");
  composite.OnEndPage = record("spolu-");
  composite.DoublePassReport = true;
  TrpView* title = page->FindObject(F("Text3"));
  ASSERT_TRUE(title);
  title->Memo = QStringList{F("Príloha [FINALPASS]")};
  ASSERT_TRUE(composite.BuildPreparedPages());
  // The list's footer closes page 0, then the list's end reports the page count it reached.
  const QStringList onePass{F("zoznam+0"), F("spolu+0"),   F("zoznam-0"), F("spolu-0"),   F("zoznam-1"),
                            F("spolu-1"),  F("príloha+1"), F("spolu+1"),  F("príloha-1"), F("spolu-1")};
  EXPECT_EQ(events, onePass + onePass) << "both passes";
  EXPECT_EQ(Prepared(&composite.EMFPages).value(1), (QStringList{F("10,23:Príloha True")}));
}

// An object on the watch list (Flags bit 15) hears of every text object printed.
class TestWatcher : public TrpView {
public:
  TestWatcher() { SetKind(10, QStringLiteral("Watch"), QStringLiteral("TrpTestWatcher")); }
  void NotifyObjectPrinted(TrpView* object) override { heard->append(object->Name); }
  static inline QStringList* heard = nullptr;
};

TEST_F(BandEngine, WatchersHearOfEveryPrintedText) {
  rpAddObjectClass(
      QStringLiteral("TrpTestWatcher"), [] { return new TestWatcher; }, {}, QStringLiteral("55226"));
  QStringList heard;
  TestWatcher::heard = &heard;
  AddMembers(2);
  AddBand(btMasterData, 100, 20, 0, F("Members"));
  AddText(10, 100, 200, 20, F("[Members.\"NAME\"]"));
  AddBand(btReportSummary, 200, 20);
  AddText(10, 200, 200, 20, F("Koniec"));
  auto watcher = std::make_unique<TestWatcher>();
  watcher->Flags |= 0x8000;
  watcher->SetBounds(400, 5, 10, 10);
  page->Add(std::move(watcher));
  EXPECT_TRUE(report.BuildPreparedPages());
  rpRemoveObjectClass(QStringLiteral("TrpTestWatcher"));
  EXPECT_EQ(heard, (QStringList{F("Text1"), F("Text1"), F("Text2")}));
  EXPECT_TRUE(rpRun().WatchList.isEmpty()) << "the watchers go with the run";
}

// A dialog page ahead of the report page: its control's value reaches the
// report's expressions, and a cancel (by the user or by the page's script) stops the report.
TEST_F(BandEngine, DialogPageAtBuildTime) {
  const struct {
    const char* name;
    int answer; // what the user presses: 1 OK, 2 cancel
    QStringList script;
    bool visible;
    int shown;
    QList<QStringList> pages;
  } cases[] = {
      {"confirmed with a typed town", 1, {}, true, 1, {{F("10,23:Obec Nitra")}}},
      {"cancelled", 2, {}, true, 1, {}},
      {"script cancels before showing", 1, {F("begin MODALRESULT := 2; end")}, true, 0, {}},
      {"script confirms before showing", 2, {F("begin MODALRESULT := 1; end")}, true, 0, {{F("10,23:Obec Senec")}}},
      {"invisible page only runs its script", 2, {}, false, 0, {{F("10,23:Obec Senec")}}},
  };
  AddBand(btReportTitle, 20, 30);
  AddText(10, 25, 200, 20, F("Obec [Edit1.Text]"));
  TrpPage* dialog = report.Pages.Add();
  dialog->PageType = 1;
  auto edit = std::make_unique<TestEditControl>();
  edit->Name = F("Edit1");
  edit->Text = F("Senec");
  edit->SetBounds(10, 10, 100, 21);
  dialog->Add(std::move(edit));
  int shown = 0, answer = 0;
  rpGlobals().ShowDialogPage = [&](TrpPage& shownPage) {
    ++shown;
    static_cast<TestEditControl*>(shownPage.FindObject(F("Edit1")))->Text = F("Nitra");
    return answer;
  };
  for (const auto& c : cases) {
    shown = 0;
    answer = c.answer;
    dialog = report.Pages.GetPage(1); // the build reloads the template
    dialog->Script = c.script;
    dialog->Visible = c.visible;
    EXPECT_EQ(report.BuildPreparedPages(), !c.pages.isEmpty()) << c.name;
    EXPECT_EQ(shown, c.shown) << c.name;
    EXPECT_EQ(Prepared(), c.pages) << c.name;
    EXPECT_TRUE(messages.isEmpty()) << c.name << ": " << messages.join(QLatin1Char('\n')).toStdString();
  }
}

TEST_F(BandEngine, ReportForgetsADestroyedDataset) {
  auto walker = std::make_unique<TrpDBDataSet>();
  report.SetDataset(walker.get());
  report.ReportType = rtMultiple;
  walker.reset();
  EXPECT_EQ(report.Dataset(), nullptr);
  AddBand(btReportTitle, 20, 30);
  AddText(10, 25, 200, 20, F("Nadpis"));
  EXPECT_TRUE(report.BuildPreparedPages()) << "without its data set the report builds once";
  EXPECT_EQ(report.EMFPages.Count(), 1);
}

// A dialog page of non-visual components only: each is handed to
// OnCustomizeObject, and with no control to show the form stays hidden.
TEST_F(BandEngine, DialogComponentsAreCustomizedWithoutAForm) {
  struct TestComponent : TrpNonVisualControl {
    TestComponent() { SetKind(10, QStringLiteral("View"), QStringLiteral("TrpTestComponent")); }
  };
  rpAddControlClass(
      QStringLiteral("TrpTestComponent"), [] { return new TestComponent; }, {}, QStringLiteral("55226"));
  AddBand(btReportTitle, 20, 30);
  AddText(10, 25, 200, 20, F("Nadpis"));
  TrpPage* dialog = report.Pages.Add();
  dialog->PageType = 1;
  for (const char* name : {"Query1", "Query2"}) {
    auto component = std::make_unique<TestComponent>();
    component->Name = QString::fromLatin1(name);
    dialog->Add(std::move(component));
  }
  QStringList customized;
  report.OnCustomizeObject = [&](TrpView* control) { customized.append(control->Name); };
  int shown = 0;
  rpGlobals().ShowDialogPage = [&](TrpPage&) { return ++shown, 2; };
  EXPECT_TRUE(report.BuildPreparedPages());
  rpRemoveObjectClass(QStringLiteral("TrpTestComponent"));
  EXPECT_EQ(customized, (QStringList{F("Query1"), F("Query2")}));
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(Prepared(), (QList<QStringList>{{F("10,23:Nadpis")}}));
}

// Objects whose text is one bracketed field reference are bound to that field
// while the page prepares; blob fields then print their content.
TEST_F(BandEngine, FieldObjectsAreBoundToTheirFields) {
  QImage photo(4, 3, QImage::Format_RGB32);
  photo.fill(Qt::red);
  QByteArray photoBytes;
  QBuffer buffer(&photoBytes);
  buffer.open(QIODevice::WriteOnly);
  photo.save(&buffer, "BMP");
  data.Append();
  data.FieldByName(F("NAME")).SetValue(F("Adam"));
  data.FieldByName(F("NOTE")).SetValue(F("prvý riadok\r\ndruhý riadok"));
  data.FieldByName(F("PHOTO")).SetValue(photoBytes);
  data.Post();
  const struct {
    const char* text;
    bool textOnly;
    QString field;
  } cases[] = {
      {"[Members.\"NAME\"]", false, F("NAME")},
      {"[Members.\"NAME\"] €", false, F("NAME")},
      {"[NAME]", false, F("NAME")}, // the data band's data set by default
      {"Meno [Members.\"NAME\"]", false, {}},
      {"[LINE#]", false, {}},
      {"[Members.\"NAME\"]", true, {}},
      {"[A", false, {}},
      {"[Members.\"NOTE\"]", false, F("NOTE")},
  };
  AddBand(btMasterData, 100, 200, 0, F("Members"));
  int y = 100;
  for (const auto& c : cases) {
    TrpMemoView* memo = AddText(10, y, 300, 20, QString::fromUtf8(c.text));
    if (c.textOnly) memo->Flags |= mfTextOnly;
    y += 20;
  }
  auto picture = std::make_unique<TrpPictureView>();
  picture->Name = F("Photo");
  picture->SetBounds(400, 100, 40, 30);
  picture->Memo = QStringList{F("[Members.\"PHOTO\"]")};
  page->Add(std::move(picture));
  QMap<QString, QString> bound;
  report.OnBeforePrint = [&](QStringList&, TrpView* object) {
    bound[object->Name] = object->BoundDataSet == &data ? object->BoundFieldName : QString();
  };
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  for (int i = 0; i < int(std::size(cases)); ++i)
    EXPECT_EQ(bound.value(QStringLiteral("Text%1").arg(i + 1)), cases[i].field) << cases[i].text;
  EXPECT_EQ(bound.value(F("Photo")), F("PHOTO"));
  TrpPage& prepared = report.EMFPages.LoadPageObjects(0);
  ASSERT_EQ(prepared.Count(), int(std::size(cases)) + 1);
  EXPECT_EQ(prepared.GetObject(7)->Memo.join(QLatin1Char('|')).remove(QChar(kParagraphMark)),
            F("prvý riadok|druhý riadok"));
  const auto* printed = dynamic_cast<const TrpPictureView*>(prepared.GetObject(8));
  ASSERT_TRUE(printed);
  EXPECT_EQ(printed->Picture.Kind, 1);
  EXPECT_EQ(printed->Picture.Image.size(), QSize(4, 3));
}

} // namespace

namespace {

// Cross bands: a member list whose rows grow cells to the right. The page
// prints from x 20 to x 720; the cross data band starts at x 220 and is 100
// wide, so five data cells fit beside a row's own text.
class CrossBands : public BandEngine {
protected:
  CrossBands() {
    page->LeftMargin = 20;
    page->RightMargin = page->PrnInfo.Width - 720;
    top = page->PrintableTop();
    bottom = 1053; // the virtual printer's A4 page
    columns.setObjectName(F("Cols"));
    columns.RangeEnd = TRangeEnd::reCount;
  }

  TrpBandView* AddCrossBand(int type, int left, int width, const QString& source = {}) {
    TrpBandView* band = AddBand(type, 0, 1000, 0, source);
    band->SetBounds(left, 0, width, 1000);
    return band;
  }
  // A master list of members with their name at x 10 and a cell "c<COLUMN#>" in the cross data band.
  void AddMemberRows(int count) {
    AddMembers(count);
    AddBand(btMasterData, 100, 20, 0, F("Members"));
    AddText(10, 100, 100, 20, F("[Members.\"NAME\"]"));
    AddCrossBand(btCrossData, 220, 100, F("Cols"));
    AddText(220, 100, 100, 20, F("c[COLUMN#]"));
  }
  static QString At(int x, int y, const QString& text) { return QStringLiteral("%1,%2:%3").arg(x).arg(y).arg(text); }

  TrpUserDataset columns{&owner};
  int top = 0, bottom = 0; // the build reloads the template, so `page` is read before it
};

TEST_F(CrossBands, RowWiderThanThePageContinuesOnTheNextPageAtTheSameY) {
  ASSERT_EQ(page->PrintableRight(), 720);
  report.DoublePassReport = true; // the first pass counts the pages to the right too
  AddMemberRows(2);
  columns.RangeEndCount = 7;
  AddBand(btPageFooter, 300, 20, bfOnFirstPage | bfOnLastPage);
  AddText(10, 300, 100, 20, F("[PAGE#]/[TOTALPAGES]"));
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  QStringList left, right;
  for (int row = 0; row < 2; ++row) {
    const int y = top + row * 20;
    left.append(At(10, y, F("Člen %1").arg(row + 1)));
    for (int c = 1; c <= 5; ++c)
      left.append(At(220 + (c - 1) * 100, y, F("c%1").arg(c)));
    for (int c = 6; c <= 7; ++c)
      right.append(At(20 + (c - 6) * 100, y, F("c%1").arg(c)));
  }
  left.append(At(10, bottom - 20, F("1/2")));
  right.append(At(10, bottom - 20, F("2/2")));
  EXPECT_EQ(Prepared(), (QList<QStringList>{left, right}));
}

// Rows of 1, 3 and 2 columns (as many as the member's fee); the master footer
// below them prints three cells with the column sums and the cross footer the
// row totals.
TEST_F(CrossBands, MasterFooterPrintsTheWidestRowsColumnsWithTheirSums) {
  for (int fee : {1, 3, 2})
    AddMember(F("Člen %1").arg(fee), F("Obec"), fee);
  columns.OnFirst = [this](TrpDataset*) {
    TDataSet& d = data;
    columns.RangeEndCount = d.Eof() ? 0 : d.FieldByName(F("FEE")).AsInteger();
  };
  AddBand(btMasterData, 100, 20, 0, F("Members"));
  AddCrossBand(btCrossData, 220, 100, F("Cols"));
  AddText(220, 100, 100, 20, F("[Members.\"FEE\"]"));
  AddCrossBand(btCrossFooter, 620, 100);
  AddText(620, 100, 100, 20, F("=[SUM([Members.\"FEE\"])]"));
  AddBand(btMasterFooter, 200, 20);
  AddText(10, 200, 100, 20, F("Spolu"));
  AddText(220, 200, 100, 20, F("[SUM([Members.\"FEE\"], Band1)]"));
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(Prepared(), (QList<QStringList>{{
                            At(220, top, F("1")),
                            At(320, top, F("=1")),
                            At(220, top + 20, F("3")),
                            At(320, top + 20, F("3")),
                            At(420, top + 20, F("3")),
                            At(520, top + 20, F("=9")),
                            At(220, top + 40, F("2")),
                            At(320, top + 40, F("2")),
                            At(420, top + 40, F("=4")),
                            At(10, top + 60, F("Spolu")),
                            At(220, top + 60, F("6")),
                            At(320, top + 60, F("5")),
                            At(420, top + 60, F("3")),
                        }}));
}

TEST_F(CrossBands, PageFooterAndSplitBandsPrintNoCells) {
  AddMembers(1);
  AddBand(btMasterData, 100, 20, bfBreaked, F("Members"));
  AddText(10, 100, 100, 20, F("[Members.\"NAME\"]"));
  AddText(220, 100, 100, 20, F("bunka"));
  AddBand(btPageFooter, 300, 20, bfOnFirstPage | bfOnLastPage);
  AddText(10, 300, 100, 20, F("Päta"));
  AddText(220, 300, 100, 20, F("bunka v päte"));
  AddCrossBand(btCrossData, 220, 100, F("Cols"));
  columns.RangeEndCount = 2;
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  const QList<QStringList> pages = Prepared();
  ASSERT_EQ(pages.size(), 1);
  EXPECT_EQ(pages[0], (QStringList{At(10, top, F("Člen 1")), At(10, bottom - 20, F("Päta"))}));
}

// "Band1=Two;Band2=Cols;": the master header runs two columns, the rows three.
TEST_F(CrossBands, PairsGiveBandsTheirOwnVerticalSources) {
  TrpUserDataset two(&owner);
  two.setObjectName(F("Two"));
  two.RangeEnd = TRangeEnd::reCount;
  two.RangeEndCount = 2;
  columns.RangeEndCount = 3;
  AddMembers(1);
  AddBand(btMasterHeader, 50, 20);
  AddText(220, 50, 100, 20, F("h[COLUMN#]"));
  AddBand(btMasterData, 100, 20, 0, F("Members"));
  AddText(220, 100, 100, 20, F("d[COLUMN#]"));
  AddCrossBand(btCrossData, 220, 100, F("Band1=Two;Band2=Cols;"));
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(Prepared(), (QList<QStringList>{{At(220, top, F("h1")), At(320, top, F("h2")), At(220, top + 20, F("d1")),
                                             At(320, top + 20, F("d2")), At(420, top + 20, F("d3"))}}));
}

TEST_F(CrossBands, WidthSetWhileAColumnPrintsStaysForTheFollowingCells) {
  AddMemberRows(2);
  columns.RangeEndCount = 3;
  int rows = 0;
  report.OnBeginColumn = [&](TrpBand* band) {
    EXPECT_EQ(band->kind, btMasterData);
    ++rows;
  };
  report.OnPrintColumn = [](int column, int& width) {
    if (column == 2) width = 50;
  };
  ASSERT_TRUE(report.BuildPreparedPages()) << messages.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(Prepared(),
            (QList<QStringList>{{At(10, top, F("Člen 1")), At(220, top, F("c1")), At(320, top, F("c2")),
                                 At(370, top, F("c3")), At(10, top + 20, F("Člen 2")), At(220, top + 20, F("c1")),
                                 At(270, top + 20, F("c2")), At(320, top + 20, F("c3"))}}));
  EXPECT_EQ(rows, 2);
}

} // namespace
