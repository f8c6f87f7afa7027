#include "ReportFixture.h"
#include "core/Exception.h"
#include "reports/engine/rpExportFilter.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPrintJob.h"
#include "reports/engine/rpReport.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace {

// --- page lists and print order

struct PageListCase {
  const char* text;
  int pageCount;
  QList<int> pages;
};

TEST(PrintJob, PageListsNamePagesInPageOrder) {
  const PageListCase cases[] = {
      {"", 5, {1, 2, 3, 4, 5}},   // all pages
      {"  ", 3, {1, 2, 3}},       // blanks only: all pages
      {"1,3-5", 6, {1, 3, 4, 5}}, // the dialog's example
      {"3,1", 5, {1, 3}},         // page order, not list order
      {"2-", 5, {2, 3, 4, 5}},    // to the end
      {" 1 , 2 - 3 ", 5, {1, 2, 3}},
      {"4-2", 5, {}}, // a falling range names nothing
      {"4-2,5", 5, {5}},
      {"2,2,1-2", 5, {1, 2}},     // each page once
      {"0,7,9-12", 5, {}},        // pages the report lacks
      {"4-999999999", 5, {4, 5}}, // a huge range costs no more than the report
      {"1", 0, {}},
  };
  for (const PageListCase& c : cases)
    EXPECT_EQ(rpParsePageList(QString::fromUtf8(c.text), c.pageCount), c.pages) << c.text;
}

TEST(PrintJob, TextThatIsNoPageListIsRefused) {
  rpEngineStart(); // the message is an engine string
  for (const char* bad : {"a", "1,,3", "1-2-3", "-3", "1;3", "+2", "2x", "1-b", "99999999999", ","}) {
    try {
      rpParsePageList(QString::fromUtf8(bad), 5);
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const Exception& e) {
      EXPECT_TRUE(e.Message().contains(QString::fromUtf8(bad))) << e.Message().toStdString();
    }
  }
  rpEngineEnd();
}

struct PlanCase {
  const char* name;
  TrpPrintSettings settings;
  int pageCount;
  bool driverCopies;
  QList<int> pages;
  int deviceCopies;
};

TEST(PrintJob, CopiesCollationAndOddEvenGiveThePrintOrder) {
  const PlanCase cases[] = {
      {"all once", {QString(), 1, true, 0}, 3, false, {1, 2, 3}, 1},
      {"collated copies", {QStringLiteral("1-3"), 2, true, 0}, 5, false, {1, 2, 3, 1, 2, 3}, 1},
      {"collated although the driver copies", {QString(), 2, true, 0}, 2, true, {1, 2, 1, 2}, 1},
      {"uncollated, we copy", {QStringLiteral("1-3"), 2, false, 0}, 5, false, {1, 1, 2, 2, 3, 3}, 1},
      {"uncollated, the driver copies", {QStringLiteral("1-3"), 3, false, 0}, 5, true, {1, 2, 3}, 3},
      {"odd pages", {QString(), 1, true, 1}, 6, false, {1, 3, 5}, 1},
      {"even pages", {QString(), 1, true, 2}, 6, false, {2, 4, 6}, 1},
      {"even pages of a list", {QStringLiteral("2-5"), 2, false, 2}, 6, false, {2, 2, 4, 4}, 1},
      {"odd of one even page", {QStringLiteral("2"), 1, true, 1}, 6, false, {}, 1},
      {"unknown selector prints nothing", {QString(), 1, true, 3}, 4, false, {}, 1},
      {"no copies count as one", {QStringLiteral("2"), 0, false, 0}, 3, false, {2}, 1},
      {"negative copies count as one", {QStringLiteral("2"), -4, true, 0}, 3, false, {2}, 1},
      {"too many copies are capped", {QStringLiteral("1"), 5000, false, 0}, 1, true, {1}, kMaxPrintCopies},
  };
  for (const PlanCase& c : cases) {
    const TrpPrintPlan plan = rpPlanPrint(c.settings, c.pageCount, c.driverCopies);
    EXPECT_EQ(plan.Pages, c.pages) << c.name;
    EXPECT_EQ(plan.DeviceCopies, c.deviceCopies) << c.name;
  }
}

// --- printing through a device

// A print device that records what the report does with it.
class RecordingDevice : public TrpPrintDevice {
public:
  explicit RecordingDevice(QStringList& log) : log_(log), image_(200, 300, QImage::Format_RGB32) {}
  bool CanCopy() const override { return canCopy; }
  void BeginDoc(const QString& title, int copies, const TrpEMFPage& paper) override {
    log_.append(QStringLiteral("begin %1 x%2 %3").arg(title).arg(copies).arg(Paper(paper)));
    if (failBegin) throw Exception(QStringLiteral("no toner"));
    painter_.begin(&image_);
  }
  void NewPage(const TrpEMFPage& paper) override { log_.append(QStringLiteral("page ") + Paper(paper)); }
  QPainter& Canvas() override { return painter_; }
  int DpiX() const override { return 300; }
  int DpiY() const override { return 300; }
  void EndDoc() override {
    painter_.end();
    log_.append(QStringLiteral("end"));
    if (failEnd) throw Exception(QStringLiteral("spooler gone"));
  }
  void Abort() override {
    if (painter_.isActive()) painter_.end();
    log_.append(QStringLiteral("abort"));
  }

  bool canCopy = false;
  bool failBegin = false;
  bool failEnd = false;

private:
  static QString Paper(const TrpEMFPage& p) { return QStringLiteral("%1/%2").arg(p.PaperSize).arg(p.Orientation); }
  QStringList& log_;
  QImage image_;
  QPainter painter_;
};

class ReportPrint : public ReportFixture {
protected:
  ReportPrint() {
    report.ShowProgress = false;
    report.Title = QStringLiteral("Zoznam členov");
    report.OnProgress = [this](int page) { log.append(QStringLiteral("print %1").arg(page)); };
    rpGlobals().OpenPrintDevice = [this](const QString& fileName) -> std::unique_ptr<TrpPrintDevice> {
      log.append(QStringLiteral("open ") + fileName);
      if (cancelOutput) return nullptr;
      auto device = std::make_unique<RecordingDevice>(log);
      device->canCopy = canCopy;
      device->failBegin = failBegin;
      device->failEnd = failEnd;
      return device;
    };
  }

  // A prepared page of the paper (code, orientation) with one text.
  void AddPage(int paperSize, int orientation, const QString& text) {
    TrpPage paper(nullptr, paperSize, 0, 0, 65535, orientation);
    const int index = report.EMFPages.Count();
    report.EMFPages.Add(paper);
    auto page = std::make_unique<TrpPage>(nullptr, paperSize, 0, 0, 65535, orientation);
    auto memo = std::make_unique<TrpMemoView>();
    memo->SetBounds(30, 30, 300, 20);
    memo->Memo = QStringList{text};
    page->Add(std::move(memo));
    report.EMFPages.GetPage(index).PageObject = std::move(page);
    report.EMFPages.StorePageObjects(index);
    report.EMFPages.GetPage(index).PageObject.reset();
  }

  TrpReport report;
  QStringList log;
  bool canCopy = false, failBegin = false, failEnd = false, cancelOutput = false;
};

TEST_F(ReportPrint, PagesGoToTheDeviceInPlanOrderAsOneDocument) {
  for (int i = 1; i <= 3; ++i)
    AddPage(9, 0, QStringLiteral("Strana %1").arg(i));
  report.PrintFileName = QStringLiteral("/tmp/tlac.pdf");
  bool announced = false;
  report.OnPrintReport = [&] { announced = log.size() == 1; }; // after the output opened, before the document
  EXPECT_TRUE(report.PrintPages(QStringLiteral("2-"), 2, true, 0));
  EXPECT_TRUE(announced);
  EXPECT_EQ(log, (QStringList{QStringLiteral("open /tmp/tlac.pdf"), QStringLiteral("begin Zoznam členov x1 9/0"),
                              QStringLiteral("print 2"), QStringLiteral("page 9/0"), QStringLiteral("print 3"),
                              QStringLiteral("page 9/0"), QStringLiteral("print 2"), QStringLiteral("page 9/0"),
                              QStringLiteral("print 3"), QStringLiteral("end")}));
  EXPECT_EQ(report.PrintSettings, (TrpPrintSettings{QStringLiteral("2-"), 2, true, 0}));
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(report.EMFPages.GetPage(i).PageObject, nullptr) << "printed pages free their objects";

  log.clear();
  canCopy = true;
  report.Title.clear();
  EXPECT_TRUE(report.PrintPages(QStringLiteral("1"), 4, false, 0));
  EXPECT_EQ(log.mid(1, 2), (QStringList{QStringLiteral("begin Bezmena x4 9/0"), QStringLiteral("print 1")}))
      << "the driver makes the uncollated copies; an empty title prints as Bezmena";
}

TEST_F(ReportPrint, OtherPaperChangesThePageWithinTheDocument) {
  AddPage(9, 0, QStringLiteral("A4"));
  AddPage(9, 1, QStringLiteral("A4 naležato"));
  AddPage(11, 0, QStringLiteral("A5"));
  EXPECT_TRUE(report.PrintPages(QString(), 1, true, 0));
  EXPECT_EQ(log.filter(QRegularExpression(QStringLiteral("^(begin|page|end)"))),
            (QStringList{QStringLiteral("begin Zoznam členov x1 9/0"), QStringLiteral("page 9/1"),
                         QStringLiteral("page 11/0"), QStringLiteral("end")}));
}

TEST_F(ReportPrint, FailuresAndRefusalsAreNotReportedAsSuccess) {
  AddPage(9, 0, QStringLiteral("Jediná"));
  struct Case {
    const char* name;
    QString pageList;
    bool failBegin, failEnd, cancelOutput;
    QString lastLog; // the device's last word
    bool errorShown;
  };
  const Case cases[] = {
      {"document cannot start", QString(), true, false, false, QStringLiteral("abort"), true},
      {"document cannot end", QString(), false, true, false, QStringLiteral("abort"), true},
      {"output cancelled by the user", QString(), false, false, true, QStringLiteral("open "), false},
      {"not a page list", QStringLiteral("x"), false, false, false, QString(), true},
      {"no page of the report", QStringLiteral("5-9"), false, false, false, QString(), true},
  };
  for (const Case& c : cases) {
    log.clear();
    messages.clear();
    failBegin = c.failBegin;
    failEnd = c.failEnd;
    cancelOutput = c.cancelOutput;
    EXPECT_FALSE(report.PrintPages(c.pageList, 1, true, 0)) << c.name;
    EXPECT_EQ(log.isEmpty() ? QString() : log.last(), c.lastLog) << c.name;
    EXPECT_EQ(messages.size(), c.errorShown ? 1 : 0) << c.name;
    if (c.errorShown) {
      EXPECT_TRUE(messages.value(0).startsWith(QStringLiteral("Chyba: Tlač sa nepodarila: "))) << c.name;
    }
  }
}

TEST_F(ReportPrint, TerminatedAbortsTheDocument) {
  for (int i = 1; i <= 3; ++i)
    AddPage(9, 0, QString::number(i));
  report.OnProgress = [this](int page) {
    log.append(QStringLiteral("print %1").arg(page));
    report.Terminated = page == 2; // the progress window's cancel
  };
  EXPECT_FALSE(report.PrintPages(QString(), 1, true, 0));
  EXPECT_EQ(log.mid(2), (QStringList{QStringLiteral("print 1"), QStringLiteral("page 9/0"), QStringLiteral("print 2"),
                                     QStringLiteral("abort")}));
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ReportPrint, PrintWithDialogTakesTheDialogsChoiceAndStopsOnCancel) {
  for (int i = 1; i <= 4; ++i)
    AddPage(9, 0, QString::number(i));
  report.DefaultCopies = 2;
  report.DefaultCollate = false;
  TrpPrintSettings offered;
  int offeredPage = -1;
  bool confirm = false;
  rpGlobals().PrintDialog = [&](TrpPrintSettings& settings, int currentPage) {
    offered = settings;
    offeredPage = currentPage;
    settings = {QStringLiteral("3"), 1, true, 0};
    return confirm;
  };
  EXPECT_FALSE(report.PrintWithDialog());
  EXPECT_EQ(offered, (TrpPrintSettings{QString(), 2, false, 0}));
  EXPECT_EQ(offeredPage, 0) << "the report's own call offers no current page";
  EXPECT_TRUE(log.isEmpty());

  confirm = true;
  EXPECT_TRUE(report.PrintWithDialog(2));
  EXPECT_EQ(offeredPage, 2);
  EXPECT_EQ(log.filter(QStringLiteral("print")), QStringList{QStringLiteral("print 3")});

  log.clear();
  report.ShowPrintDialog = false;
  offeredPage = -1;
  EXPECT_TRUE(report.PrintWithDialog());
  EXPECT_EQ(offeredPage, -1) << "no dialog";
  EXPECT_EQ(log.filter(QStringLiteral("print")).size(), 8) << "4 pages, 2 copies each";

  TrpReport empty;
  log.clear();
  EXPECT_FALSE(empty.PrintWithDialog());
  EXPECT_TRUE(log.isEmpty());
}

// A system printer whose first printer's driver cannot tell its settings.
class HalfBrokenPrinter : public FakeSystemPrinter {
public:
  TrpDeviceSettings ReadSettings() override {
    if (index == 0) throw Exception(QStringLiteral("driver error"));
    return settings;
  }
};

TEST_F(ReportPrint, SwitchPrinterReappliesPaperAndUndoesAFailedChoice) {
  auto system = std::make_shared<HalfBrokenPrinter>();
  system->names = {QStringLiteral("Laser"), QStringLiteral("Atrament")};
  system->index = 1;
  system->settings.PaperSize = 9;
  system->settings.DpiX = system->settings.DpiY = 600;
  system->settings.PhysicalSize = {4960, 7016};
  system->settings.PhysicalOffset = {50, 50};
  system->settings.PrintableSize = {4860, 6916};
  TrpPrinter& printer = rpPrinter();
  printer.SetPrinterIndex(printer.VirtualPrinterIndex);
  TrpPage* page = report.Pages.Add();
  EXPECT_EQ(page->PrnInfo.DeviceWidth, 0) << "laid out on the virtual printer";
  printer.SetPrinter(system);
  printer.SetPrinterIndex(printer.VirtualPrinterIndex);

  EXPECT_TRUE(report.SwitchPrinter(printer.VirtualPrinterIndex, 1));
  EXPECT_EQ(printer.CurrentPrinterName(), QStringLiteral("Atrament"));
  EXPECT_EQ(page->PrnInfo.DeviceWidth, 4960) << "the page takes its paper from the new printer";
  EXPECT_TRUE(messages.isEmpty());

  EXPECT_FALSE(report.SwitchPrinter(1, 0));
  EXPECT_EQ(messages, QStringList{QStringLiteral("Chyba: Nastavená tlačiareň nedostupná")});
  EXPECT_EQ(printer.CurrentPrinterName(), QStringLiteral("Atrament")) << "the old printer again";
  EXPECT_EQ(page->PrnInfo.DeviceWidth, 4960);
  printer.SetPrinter(nullptr);
}

TEST_F(ReportPrint, TemplatePrinterIsSelectedUnlessTheTemplateUsesTheCurrentOne) {
  auto system = std::make_shared<FakeSystemPrinter>();
  system->names = {QStringLiteral("Laser"), QStringLiteral("Atrament")};
  system->settings.DpiX = system->settings.DpiY = 600;
  system->settings.PhysicalSize = {4960, 7016};
  TrpPrinter& printer = rpPrinter();
  printer.SetPrinter(system);
  report.UseCurrentPrinter = true;
  report.SelectPrinterByName(QStringLiteral("Atrament"));
  EXPECT_EQ(printer.CurrentPrinterName(), QStringLiteral("Laser"));
  report.UseCurrentPrinter = false;
  report.SelectPrinterByName(QStringLiteral("Atrament"));
  EXPECT_EQ(printer.CurrentPrinterName(), QStringLiteral("Atrament"));
  printer.SetPrinter(nullptr);
}

// --- exporting through a filter

class RecordingFilter : public TrpExportFilter {
public:
  explicit RecordingFilter(QStringList& log) : log_(log) { Register(QStringLiteral("Text"), QStringLiteral("*.txt")); }
  int OptionsDialog() override {
    log_.append(QStringLiteral("options"));
    return optionsResult;
  }
  void BeginDocument() override {
    log_.append(QStringLiteral("begin"));
    Stream->write("<doc>");
  }
  void EndDocument() override {
    log_.append(QStringLiteral("end"));
    Stream->write("</doc>");
  }
  void BeginPage() override { log_.append(QStringLiteral("page")); }
  void EndPage() override { log_.append(QStringLiteral("/page")); }
  void ObjectData(int x, int y, TrpView* object) override { log_.append(QStringLiteral("object %1,%2").arg(x).arg(y)); }
  void ObjectText(const QRect&, int, int, const QString& text, int, TrpView*) override {
    log_.append(QStringLiteral("text ") + text);
    if (text == failOn) throw Exception(QStringLiteral("disk full"));
    Stream->write(text.toUtf8());
  }
  int optionsResult = 1;
  QString failOn;

private:
  QStringList& log_;
};

TEST_F(ReportPrint, ExportFeedsTheFilterPageByPage) {
  AddPage(9, 0, QStringLiteral("Čľen Ďurčo"));
  AddPage(9, 0, QStringLiteral("Ťažký Žofia"));
  QTemporaryDir dir;
  RecordingFilter filter(log);
  ASSERT_EQ(rpGlobals().ExportFilters.Entries().size(), 1);
  EXPECT_EQ(rpGlobals().ExportFilters.Entries()[0].Mask, QStringLiteral("*.txt"));
  QString after;
  filter.OnBeforeExport = [&](QString& fileName, bool&) { fileName = dir.filePath(QStringLiteral("iny.txt")); };
  filter.OnAfterExport = [&](const QString& fileName) { after = fileName; };

  log.clear();
  EXPECT_TRUE(report.ExportToFile(&filter, dir.filePath(QStringLiteral("zostava.txt"))));
  EXPECT_EQ(log, (QStringList{QStringLiteral("options"), QStringLiteral("begin"), QStringLiteral("page"),
                              QStringLiteral("object 30,30"), QStringLiteral("text Čľen Ďurčo"),
                              QStringLiteral("print 1"), QStringLiteral("/page"), QStringLiteral("page"),
                              QStringLiteral("object 30,30"), QStringLiteral("text Ťažký Žofia"),
                              QStringLiteral("print 2"), QStringLiteral("/page"), QStringLiteral("end")}));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("zostava.txt"))));
  EXPECT_EQ(after, dir.filePath(QStringLiteral("iny.txt"))) << "the renamed file";
  QFile written(after);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(written.readAll()), QStringLiteral("<doc>Čľen ĎurčoŤažký Žofia</doc>"));
  EXPECT_EQ(report.CurrentFilter, nullptr);
  EXPECT_FALSE(bool(rpRun().ExportObject)) << "the export hooks are put back";
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ReportPrint, CancelledVetoedOrFailedExportsLeaveNoFile) {
  AddPage(9, 0, QStringLiteral("Prvá"));
  AddPage(9, 0, QStringLiteral("Druhá"));
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("zostava.txt"));
  RecordingFilter filter(log);
  struct Case {
    const char* name;
    bool veto;
    int options;
    QString failOn;
    int errors;
  };
  const Case cases[] = {
      {"vetoed before the dialog", true, 1, QString(), 0},
      {"options dialog cancelled", false, 2, QString(), 0},
      {"the filter fails on the second page", false, 1, QStringLiteral("Druhá"), 1},
  };
  for (const Case& c : cases) {
    log.clear();
    messages.clear();
    filter.OnBeforeExport = [&](QString&, bool& go) { go = !c.veto; };
    filter.optionsResult = c.options;
    filter.failOn = c.failOn;
    EXPECT_FALSE(report.ExportToFile(&filter, target)) << c.name;
    EXPECT_FALSE(QFile::exists(target)) << c.name;
    EXPECT_EQ(log.contains(QStringLiteral("begin")), !c.failOn.isEmpty()) << c.name;
    EXPECT_EQ(messages.size(), c.errors) << c.name;
    EXPECT_EQ(rpRun().ExportStream, nullptr) << c.name;
  }
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()) << "no half-written file either";
}

TEST_F(ReportPrint, ExportWithoutFilterSavesThePreparedFileAndFiltersLeaveTheRegistry) {
  AddPage(9, 0, QStringLiteral("Jediná"));
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("zostava.rpp"));
  EXPECT_TRUE(report.ExportToFile(nullptr, target));
  TrpReport loaded;
  loaded.LoadPreparedFile(target);
  EXPECT_EQ(loaded.EMFPages.Count(), 1);
  EXPECT_FALSE(report.ExportToFile(nullptr, dir.filePath(QStringLiteral("chyba/zostava.rpp"))));
  EXPECT_EQ(messages.size(), 1);
  {
    RecordingFilter filter(log);
    EXPECT_EQ(rpGlobals().ExportFilters.Entries().size(), 1);
  }
  EXPECT_TRUE(rpGlobals().ExportFilters.Entries().isEmpty());
}

} // namespace
