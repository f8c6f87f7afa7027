#include "platform/base/TerminationSignals.h"
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <signal.h>

namespace {

TEST(TerminationSignalsTest, EachSignalReachesTheHandlerThroughTheEventLoop) {
  QList<int> calls;
  int current = 0;
  OnTerminationSignal([&] { calls << current; });
  for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
    current = number;
    ASSERT_EQ(raise(number), 0);
    EXPECT_TRUE(calls.isEmpty() || calls.last() != number) << "handled inside the signal handler";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !calls.isEmpty() && calls.last() == number; }, 2000)) << number;
  }
  EXPECT_EQ(calls, (QList<int>{SIGTERM, SIGINT, SIGHUP}));
  OnTerminationSignal(nullptr);
}

} // namespace
