#include "tests/support/QStringPrinter.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The test program copied with its debug file into a folder of its own, so
// that its crash log lands there.
class CrashProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    const QString built = qEnvironmentVariable("VIMEK_BINARY_DIR", QStringLiteral(".")) +
                          QStringLiteral("/tests/crash/crash_test_program");
    ASSERT_TRUE(QFile::copy(built, Program()));
    ASSERT_TRUE(QFile::copy(built + QStringLiteral(".rdbg"), Program() + QStringLiteral(".rdbg")));
  }
  QString Program() const { return folder_.filePath(QStringLiteral("crash_test_program")); }
  QString Read(const QString& suffix) const {
    QFile file(Program() + suffix);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  // Runs the program in the given mode; its output and how it ended.
  struct TRun {
    QString output;
    int status = -1; // the shell's status: 128 + signal for a killed program
  };
  TRun Run(const QString& mode) {
    QProcess process;
    process.setWorkingDirectory(folder_.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder_.filePath(QStringLiteral("config")));
    environment.remove(QStringLiteral("CRASH_TEST_INTERACTIVE"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"), QStringLiteral("\"$0\" \"$1\"; echo STATUS=$?"), Program(), mode});
    EXPECT_TRUE(process.waitForFinished(60000)) << "the program hangs";
    TRun run;
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpressionMatch status = QRegularExpression(QStringLiteral("STATUS=(\\d+)")).match(run.output);
    if (status.hasMatch()) run.status = status.captured(1).toInt();
    return run;
  }
  // The lines the program printed for its three routines.
  static QList<int> Lines(const QString& output) {
    QList<int> lines(3);
    for (const QRegularExpressionMatch& match :
         QRegularExpression(QStringLiteral("LINE (\\d) (\\d+)")).globalMatch(output))
      lines[match.captured(1).toInt()] = match.captured(2).toInt();
    return lines;
  }
  // The stack lines of a report that name the program's three routines, in order.
  static QStringList RoutineLines(const QString& report, const QList<int>& lines) {
    const char* names[] = {"Innermost", "Middle", "Outer"};
    QStringList found;
    int next = 0;
    for (const QString& line : report.split(QStringLiteral("\r\n"))) {
      if (next == 3) break;
      const QString expected = QStringLiteral("] CrashTestProgram.crashprogram.%1 (Line %2, \"CrashTestProgram.cpp\"")
                                   .arg(QLatin1String(names[next]))
                                   .arg(lines[next]);
      if (line.contains(expected)) {
        found.append(line);
        ++next;
      }
    }
    return found;
  }
  static QString FirstStackLine(const QString& report) {
    const qsizetype start = report.indexOf(QStringLiteral("Stack list, generated"));
    return start < 0 ? QString() : report.mid(start).section(QStringLiteral("\r\n"), 1, 1);
  }

  QTemporaryDir folder_;
};

TEST_F(CrashProgramTest, AnErrorThrownInAnEventHandlerIsReportedAndTheLoopGoesOn) {
  const TRun run = Run(QStringLiteral("throw"));
  EXPECT_EQ(run.status, 0) << run.output.toStdString();
  EXPECT_TRUE(run.output.contains(QStringLiteral("LOOP CONTINUES")));
  const QList<int> lines = Lines(run.output);
  const QString log = Read(QStringLiteral("_Err.log"));
  const QString dialog = Read(QStringLiteral(".report.txt"));
  for (const QString& report : {log, dialog}) {
    EXPECT_EQ(RoutineLines(report, lines).size(), 3) << report.toStdString();
    EXPECT_TRUE(FirstStackLine(report).contains(QStringLiteral("crashprogram.Innermost"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Chyba testovacieho programu\r\nv treťom vnorenom volaní.\r\n")));
    EXPECT_TRUE(report.contains(QStringLiteral("Exception class: ERtError\r\n")));
  }
  EXPECT_TRUE(log.startsWith(QString(100, QLatin1Char('=')) + QStringLiteral("\r\n")));
}

TEST_F(CrashProgramTest, AFaultIsReportedByANewRunAndTheProgramEndsWithItsSignal) {
  const TRun run = Run(QStringLiteral("fault"));
  EXPECT_EQ(run.status, 128 + 11) << run.output.toStdString(); // SIGSEGV
  EXPECT_FALSE(run.output.contains(QStringLiteral("LOOP CONTINUES")));
  const QList<int> lines = Lines(run.output);
  const QString log = Read(QStringLiteral("_Err.log"));
  EXPECT_EQ(RoutineLines(log, lines).size(), 3) << log.toStdString();
  // The faulting routine itself comes first.
  EXPECT_TRUE(FirstStackLine(log).contains(QStringLiteral("crashprogram.Innermost (Line %1,").arg(lines[0])))
      << log.toStdString();
  EXPECT_TRUE(log.contains(QStringLiteral("Exception class: EAccessViolation\r\n")));
  EXPECT_TRUE(log.contains(QStringLiteral("Program musel skončiť.")));
  EXPECT_EQ(Read(QStringLiteral(".report.txt")).isEmpty(), false);
}

} // namespace
