#include "PreviewFixture.h"
#include "reports/engine/rpExportFilter.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/ui/rpFindForm.h"
#include "reports/engine/ui/rpPreview.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include "tests/reports/engine/ui/TwoPrinters.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPageLayout>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <cmath>

namespace {

// A preview shown (not modal) over the fixture's pages with a page box of a given size.
class Preview : public PreviewFixture {
protected:
  void Show(const QSize& box = QSize(800, 600), const QString& urlTag = QString()) {
    ASSERT_TRUE(Build(urlTag)) << errors.join(QLatin1Char('\n')).toStdString();
    form.Connect(&report);
    form.ApplyReportOptions();
    form.show();
    // The box gets exactly the size asked for.
    form.resize(form.size() + box - form.ScrollBox1->size());
    QApplication::processEvents();
    form.Redisplay(true);
    form.SetZoomTag(100);
  }
  // The page box as the user sees it.
  QImage Screen() { return form.ScrollBox1->grab().toImage(); }
  // Pixels darker than mid grey inside the rectangle (text, frames).
  static int DarkPixels(const QImage& image, const QRect& rect) {
    int dark = 0;
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
      for (int x = inside.left(); x <= inside.right(); ++x)
        dark += qGray(image.pixel(x, y)) < 100;
    return dark;
  }

  TrpPreviewForm form;
};

TEST_F(Preview, TakesThePagesAndNavigates) {
  Show();
  EXPECT_EQ(form.PageCount(), 3);
  EXPECT_EQ(report.EMFPages.Count(), 0) << "the preview holds the pages while it shows";
  EXPECT_EQ(form.Label1->text(), QStringLiteral("Strana 1/3"));
  QTest::mouseClick(form.PgDown, Qt::LeftButton);
  EXPECT_EQ(form.Label1->text(), QStringLiteral("Strana 2/3"));
  QTest::keyClick(form.ScrollBox1, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(form.CurrentPage(), 3);
  QTest::mouseClick(form.PgDown, Qt::LeftButton);
  EXPECT_EQ(form.CurrentPage(), 3) << "no page after the last";
  QTest::keyClick(form.ScrollBox1, Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(form.CurrentPage(), 2);
  EXPECT_EQ(form.PageRect(1).top(), 10) << "the current page lies 10 pixels below the top";
  QTest::keyClick(form.ScrollBox1, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(form.CurrentPage(), 1) << "scrolling to the top makes the first page current";
  QTest::keyClick(form.ScrollBox1, Qt::Key_Down);
  EXPECT_EQ(form.VScrollBar->value(), 10);
  form.Disconnect();
  EXPECT_EQ(report.EMFPages.Count(), 3) << "the pages go back to the report";
  EXPECT_EQ(form.PageCount(), 0);
}

struct ZoomCase {
  int tag;
  int perRow; // pages sharing the first row
  bool centred;
};

class PreviewZoom : public Preview, public ::testing::WithParamInterface<ZoomCase> {};

TEST_P(PreviewZoom, LaysPagesOutAtTheZoom) {
  Show(QSize(1000, 700));
  const ZoomCase c = GetParam();
  form.SetZoomTag(c.tag);
  const TrpPrnInfo& info = form.Pages().GetPage(0).PrnInfo;
  const double expected = c.tag == 1   ? (1000 - 20) / double(info.Width)
                          : c.tag == 2 ? (700 - 20) / double(info.Height)
                          : c.tag == 3 ? (1000 - 30) / (2.0 * info.Width)
                                       : c.tag / 100.0;
  EXPECT_DOUBLE_EQ(form.Zoom(), expected);
  EXPECT_EQ(form.ZoomBtn->Caption(), QString::number(std::lround(expected * 100)) + QLatin1Char('%'));
  int inFirstRow = 0;
  for (int i = 0; i < form.PageCount(); ++i)
    inFirstRow += form.Pages().GetPage(i).PreviewRect.top() == 10;
  EXPECT_EQ(inFirstRow, c.perRow);
  const QRect first = form.Pages().GetPage(0).PreviewRect;
  EXPECT_EQ(first.width(), int(std::lround(info.Width * expected)));
  EXPECT_EQ(first.left(), c.centred ? (1000 - first.width()) / 2 : 10);

  // The zoom chosen here is where the next preview starts.
  TrpPreviewForm next;
  report.EMFPages.Clear();
  ASSERT_TRUE(Build());
  next.Connect(&report);
  next.Redisplay(true);
  EXPECT_EQ(next.ZoomMode(), c.tag <= 3 ? c.tag : 0);
  if (c.tag > 3) {
    EXPECT_DOUBLE_EQ(next.Zoom(), expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Tags, PreviewZoom,
                         ::testing::Values(ZoomCase{100, 1, true}, ZoomCase{50, 2, false}, ZoomCase{10, 3, false},
                                           ZoomCase{200, 1, false}, ZoomCase{1, 1, true}, ZoomCase{2, 1, true},
                                           ZoomCase{3, 2, false}));

TEST_F(Preview, DrawsPagesFarBelowTheTop) {
  // At 200 % the second page starts more than 2000 pixels below the top of a tall box.
  Show(QSize(1700, 4600));
  form.SetZoomTag(200);
  const QRect second = form.PageRect(1);
  ASSERT_GT(second.top(), 2000);
  ASSERT_LT(second.top() + 200, 4600);
  const QImage screen = Screen();
  EXPECT_EQ(screen.pixel(second.left() + 5, second.top() + 5), qRgb(255, 255, 255)) << "the page is painted";
  const QRect nameRows(second.left() + 60, second.top() + 160, 600, 200);
  EXPECT_GT(DarkPixels(screen, nameRows), 200) << "its texts are drawn";
  EXPECT_EQ(screen.pixel(5, 5), qRgb(128, 128, 128)) << "grey around the pages";
}

TEST_F(Preview, FindsTextPageByPage) {
  Show();
  EXPECT_TRUE(form.StartFind(QStringLiteral("ľudovít"), false, true));
  EXPECT_EQ(form.CurrentPage(), 3);
  const QRect hit = form.HitRect();
  ASSERT_FALSE(hit.isEmpty());
  EXPECT_TRUE(form.ScrollBox1->rect().contains(hit)) << "the hit is scrolled into view";
  // The mark inverts the text under it: the hit's middle turns dark where the page was white.
  const QImage marked = Screen();
  EXPECT_GT(DarkPixels(marked, hit), hit.width() * hit.height() / 2);

  const int firstTop = hit.top() + form.VScrollBar->value();
  EXPECT_TRUE(form.StartFind(QStringLiteral("ľudovít"), false, false))
      << "searching again from the current page finds the second occurrence on it";
  EXPECT_EQ(form.CurrentPage(), 3);
  EXPECT_EQ(form.HitRect().top() + form.VScrollBar->value() - firstTop, 5 * 20);
  EXPECT_FALSE(form.FindNext()) << "nothing after the last hit";

  EXPECT_FALSE(form.StartFind(QStringLiteral("ľudovít"), true, true)) << "case sensitive";
  EXPECT_TRUE(form.StartFind(QStringLiteral("Člen 51"), true, true));
  EXPECT_EQ(form.CurrentPage(), 2);
  form.GoToPage(1);
  EXPECT_TRUE(form.StartFind(QStringLiteral("ZOZNAM"), false, false)) << "from the current page";
  EXPECT_EQ(form.CurrentPage(), 1);
  EXPECT_TRUE(form.FindNext());
  EXPECT_EQ(form.CurrentPage(), 2) << "the next page's title";
}

TEST_F(Preview, FindDialogStartsTheSearch) {
  Show();
  WhenModal([](QWidget* modal) {
    auto* find = qobject_cast<TrpPreviewSearchForm*>(modal);
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->windowTitle(), QStringLiteral("Vyhľadať text"));
    find->Edit1->setText(QStringLiteral("Člen 101"));
    find->Button1->click();
  });
  QTest::keyClick(form.ScrollBox1, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(form.CurrentPage(), 3);
  form.GoToPage(1);
  QTest::keyClick(form.ScrollBox1, Qt::Key_F3);
  EXPECT_EQ(form.CurrentPage(), 3) << "F3 on another page searches again from that page on";
}

struct LinkCase {
  const char* tag;
  int page; // the current page after the click
  const char* opened;
};

class PreviewLinks : public Preview, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(PreviewLinks, ClickOnLinkObject) {
  QStringList opened;
  report.EMFPages.OpenUrl = [&opened](const QString& url) { opened.append(url); };
  Show(QSize(800, 600), QString::fromUtf8(GetParam().tag));
  form.SetZoomTag(100);
  // The middle of the link object, on the first page drawn at 100 % with its margins.
  ASSERT_TRUE(form.Pages().GetPage(0).UseMargins);
  const TrpView* link = form.Pages().LoadPageObjects(0).FindObject(QStringLiteral("URLlink"));
  ASSERT_NE(link, nullptr);
  const QPoint at = form.PageRect(0).topLeft() + QPoint(link->Left + 10, link->Top + 10);
  QTest::mouseClick(form.ScrollBox1, Qt::LeftButton, {}, at);
  EXPECT_EQ(form.CurrentPage(), GetParam().page);
  EXPECT_EQ(opened.join(QLatin1Char(' ')), QString::fromUtf8(GetParam().opened));
}

INSTANTIATE_TEST_SUITE_P(Tags, PreviewLinks,
                         ::testing::Values(LinkCase{"@3", 3, ""}, LinkCase{"@0", 1, ""}, LinkCase{"@9", 1, ""},
                                           LinkCase{"https://www.srzo.sk/", 1, "https://www.srzo.sk/"},
                                           LinkCase{"mailto:zo@example.sk", 1, "mailto:zo@example.sk"},
                                           LinkCase{"/usr/bin/xterm", 1, ""}, LinkCase{"file:///etc/passwd", 1, ""},
                                           LinkCase{"calc.exe", 1, ""}));

TEST_F(Preview, SavesAndLoadsPreparedReports) {
  Show();
  QTemporaryDir dir;
  const QString saved = dir.filePath(QStringLiteral("zoznam.txt"));
  ASSERT_TRUE(form.SaveFile(saved));
  const QString rpp = dir.filePath(QStringLiteral("zoznam.rpp"));
  EXPECT_TRUE(QFile::exists(rpp)) << "the extension becomes .rpp";
  EXPECT_EQ(form.PageCount(), 3) << "the pages come back after saving";

  QFile damaged(dir.filePath(QStringLiteral("zly.rpp")));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  QFile good(rpp);
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  damaged.write(good.readAll().left(300));
  damaged.close();
  form.LoadFile(damaged.fileName());
  EXPECT_EQ(errors.size(), 1) << "a damaged file says so";
  EXPECT_EQ(form.PageCount(), 3) << "and leaves the shown pages";

  form.GoToPage(3);
  form.LoadFile(rpp);
  EXPECT_EQ(form.PageCount(), 3);
  EXPECT_EQ(form.CurrentPage(), 1);
  EXPECT_TRUE(form.StartFind(QStringLiteral("Člen 130"), true, true)) << "the loaded pages hold the texts";
}

TEST_F(Preview, ShowPreviewIsModalAndGivesThePagesBack) {
  ASSERT_TRUE(Build());
  report.Title = QStringLiteral("Členovia");
  int shownPages = -1;
  QString caption;
  WhenModal([&](QWidget* modal) {
    auto* preview = qobject_cast<TrpPreviewForm*>(modal);
    ASSERT_NE(preview, nullptr);
    shownPages = preview->PageCount();
    caption = preview->windowTitle();
    QTest::keyClick(preview->ScrollBox1, Qt::Key_Escape);
  });
  report.ShowPreview();
  EXPECT_EQ(shownPages, 3);
  EXPECT_EQ(caption, QStringLiteral("Ukážka - Členovia"));
  EXPECT_EQ(report.EMFPages.Count(), 3);

  report.EMFPages.Clear();
  report.ShowPreview(); // without pages nothing shows (a modal window would block here)
}

// The preview opens maximized the first time; once the user made it a window
// of its own size, it comes back there.
TEST_F(Preview, ReopensWhereItClosed) {
  ASSERT_TRUE(Build());
  QRect closedAt;
  WhenModal([&](QWidget* modal) {
    EXPECT_TRUE(modal->isMaximized());
    modal->showNormal();
    modal->setGeometry(40, 50, 640, 480);
    closedAt = modal->geometry();
    QTest::keyClick(static_cast<TrpPreviewForm*>(modal)->ScrollBox1, Qt::Key_Escape);
  });
  report.ShowPreview();
  QRect reopenedAt;
  bool maximized = true;
  WhenModal([&](QWidget* modal) {
    reopenedAt = modal->geometry();
    maximized = modal->isMaximized();
    QTest::keyClick(static_cast<TrpPreviewForm*>(modal)->ScrollBox1, Qt::Key_Escape);
  });
  report.ShowPreview();
  EXPECT_FALSE(maximized);
  EXPECT_EQ(reopenedAt, closedAt);
}

TEST_F(Preview, ButtonsFollowTheReport) {
  report.PreviewButtons = pbZoom | pbPrint | pbExit;
  Show();
  EXPECT_TRUE(form.ZoomBtn->isVisible());
  EXPECT_FALSE(form.LoadBtn->isVisible());
  EXPECT_FALSE(form.SaveBtn->isVisible());
  EXPECT_FALSE(form.FindBtn->isVisible());
  EXPECT_FALSE(form.Separator3->isVisible());
  QTest::keyClick(form.ScrollBox1, Qt::Key_F, Qt::ControlModifier); // no find button: no dialog
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  // Without any print device Ctrl+P does nothing.
  rpGlobals().OpenPrintDevice = nullptr;
  form.ApplyReportOptions();
  EXPECT_FALSE(form.PrintBtn->isEnabled());
  bool printed = false;
  report.OnPrintReport = [&printed] { printed = true; };
  QTest::keyClick(form.ScrollBox1, Qt::Key_P, Qt::ControlModifier);
  EXPECT_FALSE(printed);
  EXPECT_EQ(form.PageCount(), 3);
}

} // namespace

namespace {

TEST_F(Preview, PrintButtonPrintsAndKeepsThePages) {
  Show();
  rpPrinter().SetPrinterIndex(rpPrinter().VirtualPrinterIndex);
  QTemporaryDir dir;
  report.PrintFileName = dir.filePath(QStringLiteral("ukazka.pdf"));
  report.ShowPrintDialog = false;
  ASSERT_TRUE(form.PrintBtn->isEnabled());
  form.GoToPage(2);
  QTest::keyClick(form.ScrollBox1, Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(form.PageCount(), 3) << "the pages come back after printing";
  EXPECT_EQ(form.CurrentPage(), 2);
  ASSERT_TRUE(QFile::exists(report.PrintFileName));
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {report.PrintFileName});
  if (!info.waitForFinished() || info.exitStatus() != QProcess::NormalExit) GTEST_SKIP() << "pdfinfo is not installed";
  EXPECT_TRUE(
      QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\b"))));
}

} // namespace

namespace {

// The window as the user sees it at two zoom levels and after a find; the
// pictures go to $VIMEK_SCREENS_DIR when it is set (run under xvfb-run to
// see the desktop's own look).
TEST_F(Preview, ScreensAtTwoZoomsAndAfterFind) {
  report.Title = QStringLiteral("Zoznam členov");
  form.SetCaption(QStringLiteral("Ukážka - Zoznam členov"));
  Show(QSize(1000, 700));
  const QImage actualSize = form.grab().toImage();
  form.SetZoomTag(2);
  const QImage wholePage = form.grab().toImage();
  ASSERT_TRUE(form.StartFind(QStringLiteral("štúr"), false, true));
  const QImage found = form.grab().toImage();
  EXPECT_NE(actualSize, wholePage);
  EXPECT_NE(wholePage, found);
  EXPECT_EQ(form.ZoomBtn->Caption(), QString::number(std::lround(form.Zoom() * 100)) + QLatin1Char('%'));
  EXPECT_EQ(form.Label1->text(), QStringLiteral("Strana 3/3"));
  const QString folder = qEnvironmentVariable("VIMEK_SCREENS_DIR");
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  EXPECT_TRUE(actualSize.save(folder + QStringLiteral("/preview-100.png")));
  EXPECT_TRUE(wholePage.save(folder + QStringLiteral("/preview-whole-page.png")));
  EXPECT_TRUE(found.save(folder + QStringLiteral("/preview-find.png")));
}

} // namespace

namespace {

TEST_F(Preview, PanelInAHostForm) {
  ASSERT_TRUE(Build());
  QWidget host;
  host.resize(900, 700);
  auto* panel = new TrpPreview(&host);
  panel->setGeometry(0, 0, 900, 700);
  host.show();
  report.Preview = panel;
  QSignalSpy pages(panel, &TrpPreview::PageChanged);
  report.ShowPreview();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no window of its own";
  TrpPreviewForm* window = panel->Window();
  EXPECT_EQ(window->PageCount(), 3);
  EXPECT_EQ(report.EMFPages.Count(), 0);
  window->GoToPage(2);
  ASSERT_FALSE(pages.isEmpty());
  EXPECT_EQ(pages.last().at(0).toInt(), 2);
  EXPECT_EQ(panel->CurrentPage(), 2);

  EXPECT_TRUE(window->BPanel->isVisibleTo(panel)) << "the status line comes with the pages";
  EXPECT_FALSE(window->TPanel->isVisibleTo(panel)) << "the tool bar stays in the hidden window";
  panel->SetShowToolbar(true);
  EXPECT_TRUE(window->TPanel->isVisibleTo(panel));
  EXPECT_TRUE(window->FindBtn->isVisibleTo(panel));
  EXPECT_FALSE(window->ExitBtn->isVisibleTo(panel)) << "no exit button inside a host form";
  panel->SetScrollBars(TrpPreview::ssNone);
  EXPECT_FALSE(window->RPanel->isVisibleTo(panel));
  EXPECT_FALSE(window->BPanel->isVisibleTo(panel));

  const int before = window->VScrollBar->value();
  QWheelEvent wheel(QPointF(5, 5), host.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&host, &wheel);
  EXPECT_EQ(window->VScrollBar->value() - before, 30) << "the host's wheel scrolls three times as far";

  panel->Disconnect();
  EXPECT_EQ(report.EMFPages.Count(), 3);
  delete panel;
  EXPECT_EQ(report.Preview, nullptr);
}

} // namespace

namespace {

TEST_F(Preview, PageSetupRebuildsOnTheNewPaper) {
  report.PreviewButtons |= pbPageSetup;
  Show();
  EXPECT_TRUE(form.PageSetupBtn->isVisible());
  const TrpPrnInfo portrait = form.Pages().GetPage(0).PrnInfo;
  ASSERT_GT(portrait.Height, portrait.Width);
  form.GoToPage(2);
  // A5 across with 20 mm margins holds far fewer rows of 20 pixels.
  ASSERT_TRUE(form.ApplyPageSetup(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                              QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter)));
  const TrpEMFPage& first = form.Pages().GetPage(0);
  EXPECT_GT(first.PrnInfo.Width, first.PrnInfo.Height) << "landscape";
  EXPECT_EQ(first.PaperSize, 11) << "A5";
  EXPECT_EQ(first.LeftMargin, 72) << "20 mm in pixels";
  EXPECT_GT(form.PageCount(), 6);
  EXPECT_EQ(form.CurrentPage(), 1);
  EXPECT_EQ(report.Pages.GetPage(0)->Orientation, 1) << "the template takes the paper";

  QTemporaryDir dir;
  const QString rpp = dir.filePath(QStringLiteral("a5.rpp"));
  ASSERT_TRUE(form.SaveFile(rpp));
  form.LoadFile(rpp);
  EXPECT_FALSE(form.ApplyPageSetup(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF())))
      << "loaded pages are not rebuilt from the template";
}

} // namespace

namespace {

// An export filter that counts the pages it gets.
class PageCountingFilter : public TrpExportFilter {
public:
  PageCountingFilter() { Register(QStringLiteral("Počet strán"), QStringLiteral("*.cnt")); }
  void BeginPage() override { ++pages; }
  int pages = 0;
};

TEST_F(Preview, ExportsThroughAFilter) {
  Show();
  PageCountingFilter filter;
  QTemporaryDir dir;
  form.GoToPage(2);
  ASSERT_TRUE(form.ExportFile(&filter, QStringLiteral("*.cnt"), dir.filePath(QStringLiteral("zoznam.txt"))));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("zoznam.cnt")))) << "the filter's extension";
  EXPECT_EQ(filter.pages, 3);
  EXPECT_EQ(form.PageCount(), 3) << "the pages come back after the export";
  EXPECT_EQ(form.CurrentPage(), 2) << "without returning to page 1";
}

} // namespace

namespace {

TEST_F(Preview, AnotherPrinterRebuildsThePagesOnlyWithRebuildPrinter) {
  rpPrinter().SetPrinter(std::make_shared<TwoPrinters>());
  for (const bool rebuild : {false, true}) {
    rpPrinter().SetPrinterIndex(0);
    int builds = 0;
    report.OnBeginDoc = [&builds] { ++builds; };
    report.RebuildPrinter = rebuild;
    report.Pages.Clear();
    report.Pages.Add();
    Show();
    ASSERT_EQ(builds, 1);
    QString printedPages;
    rpGlobals().PrintDialog = [](TrpPrintSettings& settings, int) {
      rpPrinter().SetPrinterIndex(1);
      settings.PageList = QStringLiteral("1");
      return true;
    };
    // The device is "cancelled", so nothing reaches the fake printer.
    rpGlobals().OpenPrintDevice = [&](const QString&) {
      printedPages = report.PrintSettings.PageList;
      return std::unique_ptr<TrpPrintDevice>();
    };
    form.PrintBtnClick();
    EXPECT_EQ(rpPrinter().CurrentPrinterName(), QStringLiteral("Atrament"));
    EXPECT_EQ(builds, rebuild ? 2 : 1) << rebuild;
    EXPECT_EQ(printedPages, QStringLiteral("1")) << "the dialog's pages go to the print";
    EXPECT_EQ(form.PageCount(), 3);
    form.Disconnect();
  }
  rpPrinter().SetPrinter(nullptr);
}

} // namespace

namespace {

TEST_F(Preview, PageItemsShowOnlyWithARegisteredDesignerAndEditAddAndRemovePages) {
  rpGlobals().DesignerWindow = {};
  Show();
  EXPECT_FALSE(form.EditPageItem->isVisible());
  QTest::mouseClick(form.ScrollBox1, Qt::RightButton, {}, QPoint(100, 100));
  form.ProcMenu->hide();
  EXPECT_FALSE(form.AddPageItem->isVisible()) << "no designer, no page items";

  QList<bool> designed; // the editing mode of every designer opened
  rpGlobals().DesignerWindow = [&designed](TrpReport& edited, bool editingTemplate) {
    designed << editingTemplate;
    edited.Modified = false;
    return int(mrOk);
  };
  form.ApplyReportOptions();
  QTest::mouseClick(form.ScrollBox1, Qt::RightButton, {}, QPoint(100, 100));
  form.ProcMenu->hide();
  EXPECT_TRUE(form.EditPageItem->isVisible());
  EXPECT_TRUE(form.AddPageItem->isVisible());
  EXPECT_TRUE(form.RemovePageItem->isVisible());
  EXPECT_EQ(form.EditPageItem->text(), QStringLiteral("Upraviť stranu..."));
  EXPECT_EQ(form.AddPageItem->text(), QStringLiteral("Pridať stranu"));
  EXPECT_EQ(form.RemovePageItem->text(), QStringLiteral("Odobrať stranu"));

  QTest::keyClick(form.ScrollBox1, Qt::Key_E, Qt::ControlModifier);
  QTest::mouseDClick(form.ScrollBox1, Qt::LeftButton, {}, form.PageRect(0).center());
  EXPECT_EQ(designed, (QList<bool>{false, false}));
  EXPECT_EQ(form.PageCount(), 3) << "the pages come back to the preview";

  form.AddPageItem->trigger();
  EXPECT_EQ(form.PageCount(), 4);
  int asked = 0;
  rpGlobals().MessageBox = [&asked](const QString& text, const QString& caption, int) {
    EXPECT_EQ(caption + QLatin1Char(' ') + text, QStringLiteral("Dotaz Odobrať túto stránku?"));
    return ++asked == 1 ? int(mrNo) : int(mrYes);
  };
  form.RemovePageItem->trigger();
  EXPECT_EQ(form.PageCount(), 4);
  form.RemovePageItem->trigger();
  EXPECT_EQ(form.PageCount(), 3);

  report.ModifyPrepared = false;
  form.ApplyReportOptions();
  EXPECT_FALSE(form.EditPageItem->isVisible());
  rpGlobals().DesignerWindow = {};
}

} // namespace
