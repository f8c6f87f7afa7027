#include "PreviewFixture.h"
#include "reports/engine/ui/rpProgressForm.h"
#include "tests/support/QStringPrinter.h"
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

namespace {

class Progress : public PreviewFixture {
protected:
  Progress() { report.ShowProgress = true; }
  // The progress window on view when a page begins or ends.
  void WatchPages(std::function<void(int page, TrpProgressForm* window)> act) {
    report.OnBeginPage = report.OnEndPage = [act](int page) {
      act(page, qobject_cast<TrpProgressForm*>(QApplication::activeModalWidget()));
    };
  }
  // Each line the window showed, once.
  static void Note(QStringList& lines, const QString& line) {
    if (lines.isEmpty() || lines.last() != line) lines.append(line);
  }
};

TEST_F(Progress, ShowsThePagesWhileBuilding) {
  report.Title = QStringLiteral("Členovia");
  QStringList lines;
  QString caption;
  WatchPages([&](int, TrpProgressForm* window) {
    ASSERT_NE(window, nullptr);
    caption = window->windowTitle();
    Note(lines, window->Label1->text());
  });
  ASSERT_TRUE(Build());
  EXPECT_EQ(caption, QStringLiteral("Príprava zostavy - Členovia"));
  // The line names the page being finished; the third page's line comes after its last event.
  EXPECT_EQ(lines, (QStringList{QStringLiteral("Generovanie strany:  1"), QStringLiteral("Generovanie strany:  2")}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the window closes after the build";
  EXPECT_EQ(report.EMFPages.Count(), 3);
}

TEST_F(Progress, TwoPassesCountThenShowTheTotal) {
  report.DoublePassReport = true;
  QStringList lines;
  WatchPages([&](int, TrpProgressForm* window) { Note(lines, window->Label1->text()); });
  ASSERT_TRUE(Build());
  EXPECT_EQ(lines,
            (QStringList{QStringLiteral("Uskutočňujem 1. skok:  1"), QStringLiteral("Uskutočňujem 1. skok:  2"),
                         QStringLiteral("Generovanie strany:  1 z 3"), QStringLiteral("Generovanie strany:  2 z 3")}));
}

TEST_F(Progress, CancelOrEscStopsTheBuild) {
  for (const bool byEsc : {false, true}) {
    int pagesStarted = 0;
    report.OnBeginPage = [&](int) {
      if (++pagesStarted != 2) return;
      auto* window = qobject_cast<TrpProgressForm*>(QApplication::activeModalWidget());
      ASSERT_NE(window, nullptr);
      if (byEsc)
        QTest::keyClick(window, Qt::Key_Escape);
      else
        QTest::mouseClick(window->Button1, Qt::LeftButton);
    };
    report.Pages.Clear();
    report.Pages.Add();
    EXPECT_FALSE(Build()) << byEsc;
    EXPECT_EQ(pagesStarted, 2) << "no page follows the cancel";
    EXPECT_EQ(report.EMFPages.Count(), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

} // namespace
