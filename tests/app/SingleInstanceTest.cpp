#include "app/SingleInstance.h"
#include "core/ui/Form.h"
#include "tests/support/HelperProcess.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDeadlineTimer>
#include <QtCore/QProcess>
#include <QtCore/QSocketNotifier>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A table block of its own, zeroed as a new table is.
struct Block {
  std::array<unsigned char, TRtInstanceTable::BlockSize> bytes{};
  TRtInstanceTable table{bytes.data()};
};

TEST(SingleInstanceTest, TableRegistersWithinTheLimitAndKeepsLaterEntries) {
  Block block;
  EXPECT_TRUE(block.table.Register(100, 1));
  EXPECT_EQ(block.table.Maximum(), 1);
  EXPECT_EQ(block.table.Count(), 1);
  // The bytes as other processes read them: little-endian fields.
  EXPECT_EQ(block.bytes[0], 1);
  EXPECT_EQ(block.bytes[2], 1);
  EXPECT_EQ(block.bytes[4], 100);
  // Beyond the limit the process is refused but entered, so its end removes it.
  EXPECT_FALSE(block.table.Register(200, 5));
  EXPECT_EQ(block.table.Maximum(), 1); // the first registration fixed it
  EXPECT_EQ(block.table.ProcessId(1), 200u);
  EXPECT_TRUE(block.table.Unregister(200));
  EXPECT_FALSE(block.table.Unregister(200));
  EXPECT_EQ(block.table.Count(), 1);
  EXPECT_EQ(block.table.ProcessId(0), 100u);
  EXPECT_EQ(block.table.ProcessId(1), 0u);
  EXPECT_EQ(block.table.ProcessId(-1), 0u);
}

TEST(SingleInstanceTest, TableRemovalKeepsTheOrder) {
  Block block;
  for (quint32 pid : {11, 22, 33, 44})
    block.table.Register(pid, 4);
  EXPECT_TRUE(block.table.Unregister(22));
  ASSERT_EQ(block.table.Count(), 3);
  EXPECT_EQ(block.table.ProcessId(0), 11u);
  EXPECT_EQ(block.table.ProcessId(1), 33u);
  EXPECT_EQ(block.table.ProcessId(2), 44u);
  EXPECT_EQ(block.table.DropEntries([](quint32 pid) { return pid != 33; }), 2);
  ASSERT_EQ(block.table.Count(), 1);
  EXPECT_EQ(block.table.ProcessId(0), 33u);
}

TEST(SingleInstanceTest, FullTableRefusesWithoutWritingPastItsEnd) {
  // A guard byte right after the block catches a write past the last entry.
  std::array<unsigned char, TRtInstanceTable::BlockSize + 4> bytes{};
  bytes.back() = 0xAB;
  TRtInstanceTable table(bytes.data());
  for (int i = 0; i < TRtInstanceTable::Capacity; ++i)
    table.Register(quint32(1000 + i), 1);
  EXPECT_EQ(table.Count(), TRtInstanceTable::Capacity);
  EXPECT_FALSE(table.Register(99999, 1));
  EXPECT_EQ(table.Count(), TRtInstanceTable::Capacity);
  EXPECT_EQ(table.ProcessId(TRtInstanceTable::Capacity - 1), quint32(1000 + TRtInstanceTable::Capacity - 1));
  for (size_t i = TRtInstanceTable::BlockSize; i < bytes.size() - 1; ++i)
    EXPECT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(bytes.back(), 0xAB);
  // A damaged count is never read beyond the block either.
  bytes[2] = 0xFF;
  bytes[3] = 0xFF;
  EXPECT_EQ(table.ProcessId(300), 0u);
  EXPECT_FALSE(table.Unregister(12345));
}

TEST(SingleInstanceTest, BaseNameFromThePath) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Program Files\\App\\Vimek.exe", "RTC:_PROGRAM FILES_APP_VIMEK.EXE"},
      {"/opt/vimek/Vimek", "RT/OPT/VIMEK/VIMEK"},
      {"/opt/rybári/Vimek", "RT/OPT/RYBÁRI/VIMEK"},
  };
  for (const auto& [path, name] : cases)
    EXPECT_EQ(InstanceBaseName(QString::fromUtf8(path)), QString::fromUtf8(name)) << path;
  // Another letter case names the same instance; another folder does not.
  TRtAppInstances a(QStringLiteral("/tmp/x/Vimek")), b(QStringLiteral("/TMP/X/vimek")),
      c(QStringLiteral("/tmp/y/Vimek"));
  EXPECT_EQ(a.ServerName(1), b.ServerName(1));
  EXPECT_NE(a.ServerName(1), c.ServerName(1));
}

// The instance a helper process plays, started by the two-process test below
// through the test executable itself.
TEST(SingleInstanceHelper, DISABLED_Run) {
  const QString path = qEnvironmentVariable("VIMEK_GUARD_PATH");
  ASSERT_FALSE(path.isEmpty());
  auto instances = std::make_unique<TRtAppInstances>(path);
  if (!instances->EnsureSingleInstance()) {
    std::printf("refused\n");
    std::fflush(stdout);
    return; // the controller's end unregisters; the process ends with 0
  }
  TForm window;
  window.SetCaption(QStringLiteral("first"));
  window.showMinimized();
  QObject::connect(instances.get(), &TRtAppInstances::ActivationRequested, &window, [&] {
    std::printf("activated minimized=%d active=%d\n", int(window.isMinimized()),
                int(QApplication::activeWindow() == &window));
    std::fflush(stdout);
  });
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QEventLoop loop;
  QObject::connect(&input, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
  QTimer::singleShot(20000, &loop, &QEventLoop::quit);
  std::printf("ready\n");
  std::fflush(stdout);
  loop.exec();
}

class TwoProcessesTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    path = folder.filePath(QStringLiteral("Vimek"));
  }

  bool Start(THelperProcess& process) {
    return process.Start(QStringLiteral("SingleInstanceHelper.DISABLED_Run"),
                         {{QStringLiteral("VIMEK_GUARD_PATH"), path}});
  }

  QTemporaryDir folder;
  QString path;
};

TEST_F(TwoProcessesTest, SecondStartActivatesTheFirstAndEndsWithZero) {
  THelperProcess first;
  ASSERT_TRUE(Start(first));
  ASSERT_EQ(first.WaitForLine(QStringLiteral("ready")), QStringLiteral("ready"));

  THelperProcess second;
  ASSERT_TRUE(Start(second));
  ASSERT_TRUE(second.waitForFinished(15000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  const QString secondOutput = QString::fromLocal8Bit(second.readAllStandardOutput());
  EXPECT_TRUE(secondOutput.contains(QLatin1String("refused")));
  EXPECT_FALSE(secondOutput.contains(QLatin1String("ready"))); // it never showed a window

  // The first one was restored from minimised and came to the front.
  EXPECT_EQ(first.WaitForLine(QStringLiteral("activated")), QStringLiteral("activated minimized=0 active=1"));
  TRtAppInstances observer(path);
  EXPECT_EQ(observer.InstanceCount(), 1);
  EXPECT_EQ(observer.InstanceProcessId(0), quint32(first.processId()));

  first.write("quit\n");
  ASSERT_TRUE(first.waitForFinished(15000));
  EXPECT_EQ(first.exitCode(), 0);
  EXPECT_EQ(observer.InstanceCount(), 0);
}

TEST_F(TwoProcessesTest, TwoStartsAtOnceLeaveExactlyOneRunning) {
  THelperProcess a, b;
  ASSERT_TRUE(Start(a));
  ASSERT_TRUE(Start(b));
  // The refused one ends by itself; the other waits for "quit".
  THelperProcess* refused = nullptr;
  QDeadlineTimer deadline(15000);
  while (!refused && !deadline.hasExpired()) {
    for (THelperProcess* p : {&a, &b})
      if (p->waitForFinished(50)) refused = p;
  }
  ASSERT_NE(refused, nullptr);
  THelperProcess* running = refused == &a ? &b : &a;
  EXPECT_EQ(refused->exitCode(), 0);
  EXPECT_TRUE(QString::fromLocal8Bit(refused->readAllStandardOutput()).contains(QLatin1String("refused")));
  EXPECT_EQ(running->WaitForLine(QStringLiteral("ready")), QStringLiteral("ready"));
  EXPECT_EQ(running->state(), QProcess::Running);
  running->write("quit\n");
  ASSERT_TRUE(running->waitForFinished(15000));
}

TEST_F(TwoProcessesTest, KilledInstanceDoesNotBlockTheNextStart) {
  THelperProcess first;
  ASSERT_TRUE(Start(first));
  ASSERT_EQ(first.WaitForLine(QStringLiteral("ready")), QStringLiteral("ready"));
  const quint32 killed = quint32(first.processId());
  first.kill();
  ASSERT_TRUE(first.waitForFinished(15000));

  TRtAppInstances next(path);
  EXPECT_EQ(next.InstanceProcessId(0), killed); // left behind
  EXPECT_TRUE(next.EnsureSingleInstance());
  EXPECT_EQ(next.InstanceCount(), 1);
  EXPECT_EQ(next.InstanceProcessId(0), quint32(QCoreApplication::applicationPid()));
  EXPECT_TRUE(next.EnsureSingleInstance()); // asking again in the same process keeps the answer
  EXPECT_EQ(next.InstanceCount(), 1);
}

TEST_F(TwoProcessesTest, AnnouncementsReachRegisteredInstances) {
  TRtAppInstances own(path);
  QList<std::pair<int, quint32>> seen;
  QObject::connect(&own, &TRtAppInstances::Notified, [&](int kind, quint32 value) { seen.append({kind, value}); });
  ASSERT_TRUE(own.RegisterInstance(2));
  THelperProcess other;
  ASSERT_TRUE(Start(other));
  ASSERT_EQ(other.WaitForLine(QStringLiteral("ready")), QStringLiteral("ready"));
  const quint32 pid = quint32(other.processId());
  other.write("quit\n");
  ASSERT_TRUE(other.waitForFinished(15000));
  QDeadlineTimer deadline(5000);
  while (seen.size() < 3 && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  const quint32 self = quint32(QCoreApplication::applicationPid());
  const QList<std::pair<int, quint32>> expected = {{TRtAppInstances::InstanceStarted, self},
                                                   {TRtAppInstances::InstanceStarted, pid},
                                                   {TRtAppInstances::InstanceEnded, pid}};
  EXPECT_EQ(seen, expected);
}

} // namespace
