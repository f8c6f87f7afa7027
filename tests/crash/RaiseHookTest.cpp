#include "RaiseTargets.h"
#include "crash/RtDebug.h"
#include "crash/RtHookExcept.h"
#include "tests/support/QStringPrinter.h"
#include <gtest/gtest.h>
#include <stdexcept>

extern "C" void __wrap___cxa_throw(void*, std::type_info*, void (*)(void*));

namespace {

QList<int> calls;
void First(void*, quintptr, bool) { calls.append(1); }
void Second(void*, quintptr, bool) { calls.append(2); }
void Third(void*, quintptr, bool) { calls.append(3); }

// Removes every notifier a test added, and the hooks.
class RaiseHookTest : public ::testing::Test {
protected:
  void TearDown() override {
    for (TRaiseNotifier notifier : {First, Second, Third})
      RemoveRaiseNotifier(notifier);
    RemoveRaiseHooks();
    calls.clear();
  }
};

TEST_F(RaiseHookTest, NotifiesByPriorityThenOrderAndRemovesEveryItem) {
  struct Registration {
    TRaiseNotifier notifier;
    quint8 priority;
  };
  struct Case {
    const char* what;
    QList<Registration> added;
    QList<TRaiseNotifier> removed;
    QList<int> order;
  };
  const Case cases[] = {
      {"priority 1 first, though added later", {{First, 0}, {Second, 1}}, {}, {2, 1}},
      {"each priority in the order added", {{First, 1}, {Second, 0}, {Third, 1}}, {}, {1, 3, 2}},
      {"a notifier added twice runs twice", {{First, 0}, {First, 0}}, {}, {1, 1}},
      {"removal takes every item of the notifier", {{First, 0}, {Second, 1}, {First, 1}}, {First}, {2}},
  };
  for (const Case& c : cases) {
    for (const Registration& r : c.added)
      ASSERT_TRUE(AddRaiseNotifier(r.notifier, r.priority));
    for (TRaiseNotifier notifier : c.removed)
      EXPECT_TRUE(RemoveRaiseNotifier(notifier));
    calls.clear();
    NotifyRaise(nullptr, 0x1234, false);
    EXPECT_EQ(calls, c.order) << c.what;
    for (TRaiseNotifier notifier : {First, Second, Third})
      RemoveRaiseNotifier(notifier);
  }
  EXPECT_FALSE(AddRaiseNotifier(nullptr, 0));
  EXPECT_FALSE(RemoveRaiseNotifier(nullptr));
}

int nestedCalls = 0;
void RaisingNotifier(void*, quintptr, bool) {
  ++nestedCalls;
  try {
    throw std::runtime_error("inside the notifier");
  } catch (const std::exception&) {
  }
}
void EscapingNotifier(void*, quintptr, bool) {
  ++nestedCalls;
  throw std::logic_error("out of the notifier");
}

TEST_F(RaiseHookTest, ARaiseInsideANotifierIsNotAnnouncedAgain) {
  EXPECT_TRUE(RemoveRaiseHooks()); // not hooked: nothing changes
  ASSERT_TRUE(InstallRaiseHooks());
  EXPECT_TRUE(InstallRaiseHooks());
  AddRaiseNotifier(RaisingNotifier, 0);
  nestedCalls = 0;
  EXPECT_THROW(raisetargets::ThrowFromOuter(), std::runtime_error);
  EXPECT_EQ(nestedCalls, 1);
  RemoveRaiseNotifier(RaisingNotifier);

  // A notifier's own exception leaves the raise; the next raise is announced again.
  AddRaiseNotifier(EscapingNotifier, 0);
  nestedCalls = 0;
  EXPECT_THROW(raisetargets::ThrowFromOuter(), std::logic_error);
  EXPECT_THROW(raisetargets::ThrowFromOuter(), std::logic_error);
  EXPECT_EQ(nestedCalls, 2);
  RemoveRaiseNotifier(EscapingNotifier);

  // Unhooked, throws are not announced.
  RemoveRaiseHooks();
  AddRaiseNotifier(First, 0);
  EXPECT_THROW(raisetargets::ThrowFromOuter(), std::runtime_error);
  EXPECT_TRUE(calls.isEmpty());
}

TEST_F(RaiseHookTest, TheHookCodeIsToldApart) {
  EXPECT_TRUE(IsInRaiseHookCode(quintptr(&__wrap___cxa_throw) + 4));
  EXPECT_FALSE(IsInRaiseHookCode(quintptr(&NotifyRaise)));
  EXPECT_FALSE(IsInRaiseHookCode(quintptr(&raisetargets::ThrowFromOuter)));
}

// The stack recorded at a raise starts at the raise, however deep the hook
// and tracking code below it were.
TEST_F(RaiseHookTest, TrackingRecordsTheStackWhereTheExceptionWasRaised) {
  SetTrackingOptions(toRecordStack | toRawWalk);
  ASSERT_TRUE(StartRaiseTracking());
  EXPECT_FALSE(StartRaiseTracking());
  raisetargets::TRaiseSite site;
  void* thrown = nullptr;
  try {
    raisetargets::ThrowFromOuter(&site);
  } catch (const std::runtime_error& e) {
    thrown = const_cast<std::runtime_error*>(&e);
  }
  EXPECT_TRUE(StopRaiseTracking());
  EXPECT_FALSE(StopRaiseTracking());
  SetTrackingOptions(toRecordStack);

  TRtStackInfoList* list = StackListOfThread();
  ASSERT_TRUE(list);
  EXPECT_EQ(list->ExceptionObject(), thrown);
  EXPECT_EQ(LastRaise().ExceptionObject, thrown);
  ASSERT_GE(list->Count(), 3);
  // The first entry is the throw itself; the callers follow in order.
  const struct {
    const char* procedure;
    int line;
  } expected[] = {{"raisetargets.Innermost", site.ThrowLine},
                  {"raisetargets.Middle", site.MiddleLine},
                  {"raisetargets.ThrowFromOuter", site.OuterLine}};
  int found = 0;
  for (int i = 0; i < list->Count() && found < 3; ++i) {
    TRtLocationInfo location;
    if (!LocationOfAddress(list->Items(i).CallerAddress, location)) continue;
    if (location.Procedure != QLatin1String(expected[found].procedure)) {
      EXPECT_GT(found, 0) << "the first entry is " << location.Procedure.toStdString();
      continue;
    }
    EXPECT_EQ(location.Line, expected[found].line) << expected[found].procedure;
    EXPECT_EQ(location.SourceFile, QStringLiteral("RaiseTargets.cpp"));
    ++found;
  }
  EXPECT_EQ(found, 3);
  EXPECT_EQ(LastRaise().Address, list->Items(0).CallerAddress + 5); // the return address of the call
}

} // namespace
