#include "app/AppContext.h"
#include "app/ExceptionHandler.h"
#include "controls/QPLBtn.h"
#include "crash/fExceptionDialog.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtGui/QClipboard>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPlainTextEdit>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QByteArray FileBytes(const QString& fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(CrashLogTest, WritesBannersAndCleanLines) {
  QTemporaryDir folder;
  const QString fileName = folder.filePath(QStringLiteral("Vimek_Err.log"));
  for (int entry = 0; entry < 2; ++entry) {
    TSimpleExceptionLog log(fileName);
    log.WriteLogBanner(0);
    log.WriteLogText(QStringLiteral("Správa.  \r\n\r\n\tDetail\x01 \nkoniec\r\n"), 2);
    log.CloseLog();
  }
  const QString rule = QString(100, QLatin1Char('='));
  const QString date = QStringLiteral(R"(= \d{1,2}\.\d{1,2}\.\d{4} \d{1,2}:\d{2}:\d{2} +=)");
  const QString entry = QRegularExpression::escape(rule) + QStringLiteral("\r\n") + date + QStringLiteral("\r\n") +
                        QRegularExpression::escape(rule) + QStringLiteral("\r\n") +
                        QStringLiteral("  Správa\\.\r\n\r\n  \tDetail\r\n  koniec\r\n");
  // The first entry starts at the file's start, the next after an empty line.
  const QRegularExpression expected(QStringLiteral("\\A") + entry + QStringLiteral("\r\n") + entry +
                                    QStringLiteral("\\z"));
  const QString text = QString::fromUtf8(FileBytes(fileName));
  EXPECT_TRUE(expected.match(text).hasMatch()) << text.toStdString();
  // Each date line is as wide as the rules.
  for (const QString& line : text.split(QStringLiteral("\r\n"))) {
    if (line.startsWith(QStringLiteral("= "))) {
      EXPECT_EQ(line.size(), 100);
    }
  }

  TSimpleExceptionLog narrow(folder.filePath(QStringLiteral("narrow.log")));
  narrow.WriteLogBanner(5); // at least 20 wide
  narrow.CloseLog();
  EXPECT_TRUE(FileBytes(narrow.LogFileName()).startsWith(QByteArray(20, '=').append("\r\n")));

  TSimpleExceptionLog unwritable(folder.filePath(QStringLiteral("missing/folder/x.log")));
  unwritable.WriteLogBanner(100);
  EXPECT_FALSE(unwritable.IsLogOpen());
}

TEST(CrashDialogTest, MessageEndsWithAPeriodAndCrLfLines) {
  const std::pair<const char*, const char*> cases[] = {
      {"Chyba", "Chyba."}, {"Chyba.", "Chyba."}, {"prvý\ndruhý", "prvý\r\ndruhý."}, {"a\r\nb\rc.", "a\r\nb\r\nc."},
      {"", "."},
  };
  for (const auto& [message, shown] : cases)
    EXPECT_EQ(CrashMessageText(QString::fromUtf8(message)), QString::fromUtf8(shown)) << message;
}

TEST(CrashDialogTest, DetailsCaptionAndHeights) {
  TExceptionDialog dialog;
  const int screenHeight = dialog.screen()->geometry().height();
  EXPECT_EQ(dialog.DetailsBtn->Caption(), QStringLiteral("&Detaily >>"));
  EXPECT_EQ(dialog.height(), TExceptionDialog::kBevelTop);
  EXPECT_EQ(dialog.minimumHeight(), dialog.CompactHeight);
  EXPECT_EQ(dialog.maximumHeight(), dialog.CompactHeight);
  EXPECT_FALSE(dialog.DetailsMemo->isEnabled());
  for (int round = 0; round < 3; ++round) {
    dialog.DetailsBtnClick();
    EXPECT_EQ(dialog.DetailsBtn->Caption(), QStringLiteral("<< &Detaily"));
    EXPECT_EQ(dialog.height(), round == 0 ? TExceptionDialog::kDesignHeight : 500);
    EXPECT_EQ(dialog.minimumHeight(), dialog.CompactHeight + 100);
    EXPECT_EQ(dialog.maximumHeight(), screenHeight);
    EXPECT_TRUE(dialog.DetailsMemo->isEnabled());
    EXPECT_EQ(dialog.DetailsMemo->geometry().bottom() + 1, dialog.height() - 3);
    dialog.resize(dialog.width(), 500); // the user's height is kept for the next time
    dialog.DetailsBtnClick();
    EXPECT_EQ(dialog.DetailsBtn->Caption(), QStringLiteral("&Detaily >>"));
    EXPECT_EQ(dialog.height(), dialog.CompactHeight);
  }
}

TEST(CrashDialogTest, ModuleLines) {
  TCrashModule plain{0x7f0000001000, QStringLiteral("/usr/lib/libQt6Core.so.6")};
  TCrashModule moved{0x500000, QStringLiteral("/opt/old"), 0x400000};
  TCrashModule atHome{0x400000, QStringLiteral("/opt/fixed"), 0x400000};
  TCrashModule program{0x55550000,
                       QStringLiteral("/opt/vimek/Vimek"),
                       std::nullopt,
                       true,
                       QStringLiteral("1.0.7.0"),
                       QStringLiteral("1.0.7.0"),
                       QStringLiteral("Vimek")};
  const QString blanks(19, QLatin1Char(' '));
  struct Case {
    const TCrashModule* module;
    QStringList lines;
  };
  const Case cases[] = {
      {&plain,
       {QStringLiteral("[00007f0000001000] /usr/lib/libQt6Core.so.6"), blanks + QStringLiteral("(no version info)")}},
      {&moved, {QStringLiteral("[0000000000500000] /opt/old"), QStringLiteral("<0000000000400000> (no version info)")}},
      {&atHome, {QStringLiteral("[0000000000400000] /opt/fixed"), blanks + QStringLiteral("(no version info)")}},
      {&program,
       {QStringLiteral("[0000000055550000] /opt/vimek/Vimek"), blanks + QStringLiteral("1.0.7.0 - 1.0.7.0"),
        blanks + QStringLiteral("Vimek")}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ModuleLines(*c.module), c.lines) << c.module->FileName.toStdString();
}

TEST(CrashDialogTest, ModulesAreTheFilesWithCode) {
  const QString maps =
      QStringLiteral("55d3b9511000-55d3b9520000 r--p 00000000 08:01 1 /opt/vimek/Vimek\n"
                     "55d3b9520000-55d3b9600000 r-xp 0000f000 08:01 1 /opt/vimek/Vimek\n"
                     "7f4090269000-7f4090280000 r--p 00000000 08:01 2 /usr/share/fonts/LiberationMono-Regular.ttf\n"
                     "7f4093c1e000-7f4093c44000 r--p 00000000 08:01 3 /usr/lib/libc.so.6\n"
                     "7f4093c44000-7f4093d99000 r-xp 00026000 08:01 3 /usr/lib/libc.so.6\n"
                     "7ffd1c1fe000-7ffd1c200000 r-xp 00000000 00:00 0 [vdso]\n");
  const QList<TModuleEntry> modules = CodeModulesOfMaps(maps);
  ASSERT_EQ(modules.size(), 2);
  EXPECT_EQ(modules[0].Path, QStringLiteral("/opt/vimek/Vimek"));
  EXPECT_EQ(modules[0].Base, quintptr(0x55d3b9511000));
  EXPECT_EQ(modules[1].Path, QStringLiteral("/usr/lib/libc.so.6"));
  EXPECT_EQ(modules[1].Base, quintptr(0x7f4093c1e000));
}

TEST(CrashDialogTest, ReportTextAndCtrlCCopy) {
  TExceptionDialog dialog;
  dialog.SetMessage(QStringLiteral("Nastala chyba"));
  dialog.AddDetailLine(QStringLiteral("Exception class: ERtError"));
  dialog.AddSeparatorLine();
  EXPECT_EQ(dialog.ReportText(),
            QStringLiteral("Nastala chyba.\r\n\r\nException class: ERtError\r\n") + QString(100, QLatin1Char('-')));
  QGuiApplication::clipboard()->clear();
  dialog.show();
  QTest::keyClick(dialog.DetailsMemo, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), dialog.ReportText());
}

// A report in full, in this process: the dialog is built, logged and shown;
// an error while it shows goes to the plain error dialog.
TEST(CrashDialogTest, UnhandledErrorsEndInOneCrashDialog) {
  QTemporaryDir folder;
  const QString programBefore = ProgramFilePath();
  SetProgramFilePath(folder.filePath(QStringLiteral("crashtest")));
  QStringList plain;
  SetApplicationExceptionHandler([&plain](std::exception_ptr e) { plain.append(ExceptionText(e)); });
  InstallCrashHandlers();
  QStringList reports;
  SetCrashDialogShownHook([&](TExceptionDialog& dialog) {
    reports.append(dialog.ReportText());
    // A second error while the report shows.
    RunGuarded([] { throw std::runtime_error("druhá chyba"); });
    dialog.OkBtn->click();
  });
  RunGuarded([] { throw std::runtime_error("prvá chyba"); });
  SetCrashDialogShownHook(nullptr);
  RemoveCrashHandlers();
  SetApplicationExceptionHandler(nullptr);
  SetProgramFilePath(programBefore);

  ASSERT_EQ(reports.size(), 1);
  EXPECT_TRUE(reports[0].startsWith(QStringLiteral("prvá chyba.\r\n\r\nException class: std::runtime_error\r\n")))
      << reports[0].toStdString();
  EXPECT_TRUE(reports[0].contains(QStringLiteral("Stack list, generated "))) << reports[0].toStdString();
  EXPECT_TRUE(reports[0].contains(QStringLiteral("List of loaded modules:")));
  EXPECT_EQ(plain, QStringList{QStringLiteral("druhá chyba")});
  EXPECT_TRUE(QString::fromUtf8(FileBytes(folder.filePath(QStringLiteral("crashtest_Err.log"))))
                  .contains(QStringLiteral("prvá chyba.\r\n")));
  EXPECT_FALSE(ReportShowing());
}

} // namespace
