#include "core/Exception.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/ui/rpEngineUi.h"
#include "reports/engine/ui/rpPrintForm.h"
#include "reports/engine/ui/rpQtPrinter.h"
#include "tests/reports/engine/ui/TwoPrinters.h"
#include "tests/support/ModalDriver.h"
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>
#include <gtest/gtest.h>

namespace {

const QString kDiacritics = QStringLiteral("ľščťžýáíéúäňô");

// The output of a command-line tool, or a null string when it is not installed.
QString RunTool(const QString& tool, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(tool).isEmpty()) return QString();
  QProcess process;
  process.start(tool, arguments);
  process.waitForFinished(30000);
  return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// A running engine with its windows, printing to PDF files (no system printer
// is needed: the virtual printer stands for a PDF file).
class Printing : public ::testing::Test {
protected:
  Printing() {
    rpInstallEngineUi();
    rpPrinter().SetPrinterIndex(rpPrinter().VirtualPrinterIndex);
    rpGlobals().ErrorBox = [this](const QString& text, const QString& caption) {
      errors.append(caption + QStringLiteral(": ") + text);
    };
    report.ShowProgress = false;
    report.Title = QStringLiteral("Zoznam členov");
    report.PrintFileName = dir.filePath(QStringLiteral("tlac.pdf"));
  }

  // A prepared page of the paper (code, orientation) with a text line per text.
  void AddPage(int paperSize, int orientation, const QStringList& texts) {
    TrpPage paper(nullptr, paperSize, 0, 0, 65535, orientation);
    paper.UseMargins = true;
    const int index = report.EMFPages.Count();
    report.EMFPages.Add(paper);
    auto page = std::make_unique<TrpPage>(nullptr, paperSize, 0, 0, 65535, orientation);
    int y = 40;
    for (const QString& text : texts) {
      auto memo = std::make_unique<TrpMemoView>();
      memo->SetBounds(40, y, 500, 24);
      memo->Memo = QStringList{text};
      memo->Font.Size = 14;
      page->Add(std::move(memo));
      y += 30;
    }
    report.EMFPages.GetPage(index).PageObject = std::move(page);
    report.EMFPages.StorePageObjects(index);
    report.EMFPages.GetPage(index).PageObject.reset();
  }

  void AddThreePages() {
    for (int i = 1; i <= 3; ++i)
      AddPage(9, 0, {QStringLiteral("Strana %1 z 3").arg(i), QStringLiteral("Člen %1: %2").arg(i).arg(kDiacritics)});
  }

  QString PdfInfo(const QString& extra = QString()) {
    QStringList args{report.PrintFileName};
    if (!extra.isEmpty())
      args = QStringList{QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), extra} + args;
    return RunTool(QStringLiteral("pdfinfo"), args);
  }
  // The size in points (rounded) that pdfinfo gives for the page ("" for the first page of a plain listing).
  static QSize PageSize(const QString& info, const QString& page) {
    const QString label =
        page.isEmpty() ? QStringLiteral("Page size:") : QStringLiteral("Page\\s+") + page + QStringLiteral(" size:");
    const QRegularExpressionMatch m =
        QRegularExpression(label + QStringLiteral("\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    return m.hasMatch() ? QSize(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble())) : QSize();
  }
  int PdfPages() {
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(PdfInfo());
    return m.hasMatch() ? m.captured(1).toInt() : -1;
  }

  // The engine runs from before the report is made until after it is gone.
  struct EngineRun {
    EngineRun() { rpEngineStart(); }
    ~EngineRun() { rpEngineEnd(); }
  } engine;
  QTemporaryDir dir;
  TrpReport report;
  QStringList errors;
};

TEST_F(Printing, ThreePagesToAPdfFileThatReadersAccept) {
  AddThreePages();
  ASSERT_TRUE(rpPrinter().IsVirtual());
  ASSERT_TRUE(report.PrintPages(QString(), 1, true, 0)) << errors.join(QLatin1Char('\n')).toStdString();
  ASSERT_TRUE(QFile::exists(report.PrintFileName));
  if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) GTEST_SKIP() << "pdfinfo is not installed";
  const QString info = PdfInfo();
  EXPECT_EQ(PdfPages(), 3) << info.toStdString();
  EXPECT_TRUE(QRegularExpression(QStringLiteral("Title:\\s+Zoznam členov")).match(info).hasMatch())
      << info.toStdString();
  EXPECT_EQ(PageSize(info, QString()), QSize(595, 842)) << "A4, " << info.toStdString();

  const QString text =
      RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), report.PrintFileName, QStringLiteral("-")});
  if (text.isNull()) GTEST_SKIP() << "pdftotext is not installed";
  for (int i = 1; i <= 3; ++i) {
    EXPECT_TRUE(text.contains(QStringLiteral("Strana %1 z 3").arg(i))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Člen %1: ").arg(i) + kDiacritics)) << text.toStdString();
  }
  EXPECT_EQ(text.count(QChar(0x0C)), 3) << "one form feed per page";

  // The text object at 40, 40 report units (91.6 per inch) lands 31.4 pt from the paper's corner.
  const QString boxes = RunTool(QStringLiteral("pdftotext"),
                                {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                 QStringLiteral("-l"), QStringLiteral("1"), report.PrintFileName, QStringLiteral("-")});
  const QRegularExpressionMatch word =
      QRegularExpression(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>Strana<")).match(boxes);
  ASSERT_TRUE(word.hasMatch()) << boxes.toStdString();
  EXPECT_NEAR(word.captured(1).toDouble(), 40 * 72 / kReportUnitsPerInch, 2.0) << boxes.toStdString();
  EXPECT_NEAR(word.captured(2).toDouble(), 40 * 72 / kReportUnitsPerInch, 4.0) << boxes.toStdString();

  const QString check = RunTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), report.PrintFileName});
  if (check.isNull()) GTEST_SKIP() << "qpdf is not installed";
  EXPECT_TRUE(check.contains(QStringLiteral("No syntax or stream encoding errors found"))) << check.toStdString();
}

TEST_F(Printing, PageListsCopiesAndPaperReachThePdf) {
  AddThreePages();
  AddPage(9, 1, {QStringLiteral("Naležato")});
  AddPage(11, 0, {QStringLiteral("A5")});
  if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) GTEST_SKIP() << "pdfinfo is not installed";
  struct Case {
    const char* list;
    int copies;
    bool collate;
    int oddEven;
    int pages;
  };
  const Case cases[] = {{"1,3-5", 1, true, 0, 4}, {"2-3", 2, true, 0, 4}, {"2-3", 3, false, 0, 6}, {"", 1, true, 2, 2}};
  for (const Case& c : cases) {
    ASSERT_TRUE(report.PrintPages(QString::fromUtf8(c.list), c.copies, c.collate, c.oddEven)) << c.list;
    EXPECT_EQ(PdfPages(), c.pages) << c.list;
  }
  // Other paper within the one document: A4, A4 landscape, A5.
  ASSERT_TRUE(report.PrintPages(QStringLiteral("3-5"), 1, true, 0));
  const QString sizes = PdfInfo(QStringLiteral("3"));
  EXPECT_EQ(PageSize(sizes, QStringLiteral("1")), QSize(595, 842)) << sizes.toStdString();
  EXPECT_EQ(PageSize(sizes, QStringLiteral("2")), QSize(842, 595)) << sizes.toStdString();
  EXPECT_EQ(PageSize(sizes, QStringLiteral("3")), QSize(420, 595)) << sizes.toStdString();
  const QString text = RunTool(QStringLiteral("pdftotext"), {report.PrintFileName, QStringLiteral("-")});
  EXPECT_TRUE(text.contains(QStringLiteral("Naležato")) && text.contains(QStringLiteral("A5"))) << text.toStdString();
}

TEST_F(Printing, AFailedPrintIsReportedAndLeavesNoFile) {
  AddThreePages();
  report.PrintFileName = dir.filePath(QStringLiteral("chyba/tlac.pdf")); // the folder does not exist
  EXPECT_FALSE(report.PrintPages(QString(), 1, true, 0));
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Chyba: Tlač sa nepodarila: "))) << errors[0].toStdString();
  EXPECT_FALSE(QFile::exists(report.PrintFileName));
}

TEST_F(Printing, PrintRunsInsideTheProgressWindow) {
  AddThreePages();
  report.ShowProgress = true;
  QStringList lines;
  QString caption;
  // The progress window's line, seen from inside the run.
  const auto install = rpGlobals().ProgressWindow;
  rpGlobals().ProgressWindow = [&](TrpReport& r, const QString& title, const std::function<void()>& work) {
    caption = title;
    return install(r, title, [&] {
      const auto shown = rpGlobals().ProgressText;
      rpGlobals().ProgressText = [&](const QString& text) {
        lines.append(text);
        shown(text);
      };
      work();
      rpGlobals().ProgressText = shown;
    });
  };
  EXPECT_TRUE(report.PrintPages(QStringLiteral("2-3"), 1, true, 0));
  EXPECT_EQ(caption, QStringLiteral("Príprava zostavy - Zoznam členov"));
  EXPECT_EQ(lines, (QStringList{QStringLiteral("Tlač strany:  2"), QStringLiteral("Tlač strany:  3")}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(QFile::exists(report.PrintFileName));
}

TEST_F(Printing, PrintDialogDrivenByTheUserGivesTheJobSettings) {
  AddThreePages();
  WhenModal([](QWidget* modal) {
    auto* form = qobject_cast<TrpPrintForm*>(modal);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Caption(), QStringLiteral("Tlač"));
    EXPECT_FALSE(form->RB2->isEnabled()) << "the report's own call offers no current page";
    EXPECT_EQ(form->E1->text(), QStringLiteral("2")) << "DefaultCopies";
    EXPECT_TRUE(form->CollateCB->isChecked());
    EXPECT_TRUE(form->RB1->isChecked());
    EXPECT_EQ(form->CB1->count(), rpPrinter().VirtualPrinterIndex) << "system printers only";
    QTest::keyClicks(form->E2, QStringLiteral("1,3"));
    EXPECT_TRUE(form->RB3->isChecked()) << "typing a page list chooses it";
    form->rpSpeedButton1->click(); // 3 copies
    QTest::mouseClick(form->Label3, Qt::LeftButton);
    EXPECT_FALSE(form->CollateCB->isChecked()) << "the label toggles collation";
    QTest::mouseClick(form->Button1, Qt::LeftButton);
  });
  report.DefaultCopies = 2;
  EXPECT_TRUE(report.PrintWithDialog());
  EXPECT_EQ(report.PrintSettings, (TrpPrintSettings{QStringLiteral("1,3"), 3, false, 0}));
  if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) GTEST_SKIP() << "pdfinfo is not installed";
  EXPECT_EQ(PdfPages(), 6) << "pages 1 and 3, three uncollated copies each";
  const QString text = RunTool(QStringLiteral("pdftotext"), {report.PrintFileName, QStringLiteral("-")});
  const QStringList order = QRegularExpression(QStringLiteral("Strana (\\d) z 3")).globalMatch(text).hasNext()
                                ? [&] {
                                    QStringList found;
                                    auto it = QRegularExpression(QStringLiteral("Strana (\\d) z 3")).globalMatch(text);
                                    while (it.hasNext()) found.append(it.next().captured(1));
                                    return found;
                                  }()
                                : QStringList();
  EXPECT_EQ(order.join(QLatin1Char(',')), QStringLiteral("1,1,1,3,3,3"));
}

TEST_F(Printing, PrintDialogControls) {
  TrpPrintForm form;
  form.Preset(TrpPrintSettings{QString(), 1, true, 0}, 2);
  EXPECT_TRUE(form.RB2->isEnabled());
  form.rpSpeedButton2->click();
  EXPECT_EQ(form.E1->text(), QStringLiteral("1")) << "never below one copy";
  form.rpSpeedButton1->click();
  form.rpSpeedButton1->click();
  EXPECT_EQ(form.E1->text(), QStringLiteral("3"));
  form.RB2->setChecked(true);
  form.CB2->setCurrentIndex(1);
  EXPECT_EQ(form.Settings(), (TrpPrintSettings{QStringLiteral("2"), 3, true, 1})) << "current page, odd pages";
  form.RB1->setChecked(true);
  EXPECT_EQ(form.Settings().PageList, QString()) << "all pages";
  EXPECT_EQ((QStringList{form.GroupBox1->title(), form.GroupBox2->title(), form.GroupBox3->title(),
                         form.CB2->itemText(2), form.Label2->text()}),
            (QStringList{QStringLiteral("Tlačiareň"), QStringLiteral("Rozsah strán"), QStringLiteral("Kópie"),
                         QStringLiteral("Párne strany"),
                         QStringLiteral("Vložte číslo strán alebo ich rozsah. Príklad: 1,3,5-12")}));
}

TEST_F(Printing, CancelledOrRefusedDialogPrintsNothing) {
  AddThreePages();
  // A page list that is not one keeps the dialog open with the message; then Návrat.
  WhenModal([this](QWidget* modal) {
    auto* form = qobject_cast<TrpPrintForm*>(modal);
    ASSERT_NE(form, nullptr);
    form->RB3->setChecked(true);
    form->E2->setText(QStringLiteral("1-x"));
    form->Button1->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(errors.size(), 1);
    form->Button2->click();
  });
  EXPECT_FALSE(report.PrintWithDialog());
  EXPECT_FALSE(QFile::exists(report.PrintFileName));
}

TEST_F(Printing, PrinterChosenInTheDialogStaysOnlyWithOk) {
  rpPrinter().SetPrinter(std::make_shared<TwoPrinters>());
  for (const bool ok : {false, true}) {
    rpPrinter().SetPrinterIndex(0);
    TrpPrintForm form;
    EXPECT_EQ(form.CB1->count(), 2) << "the virtual printer is not offered";
    EXPECT_EQ(form.CB1->currentIndex(), 0);
    WhenModal([&form, ok](QWidget*) {
      form.CB1->setCurrentIndex(1);
      emit form.CB1->activated(1);
      EXPECT_EQ(rpPrinter().CurrentPrinterName(), QStringLiteral("Atrament")) << "current at once";
      (ok ? form.Button1 : form.Button2)->click();
    });
    EXPECT_EQ(form.ShowModal(), ok ? mrOk : mrCancel);
    EXPECT_EQ(rpPrinter().CurrentPrinterName(), ok ? QStringLiteral("Atrament") : QStringLiteral("Laser"));
  }
  rpPrinter().SetPrinter(nullptr);
}

} // namespace
