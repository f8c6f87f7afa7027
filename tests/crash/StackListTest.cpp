#include "crash/RtDebug.h"
#include "crash/RtHookExcept.h"
#include <array>
#include <gtest/gtest.h>

extern "C" void __wrap___cxa_throw(void*, std::type_info*, void (*)(void*));

namespace {

TEST(CallSiteTest, KnowsTheCallInstructionsBeforeAReturnAddress) {
  struct Case {
    const char* what;
    std::array<uchar, 8> before;
    int length;
  };
  const Case cases[] = {
      {"direct call", {0x90, 0x90, 0x90, 0xE8, 0x10, 0x20, 0x30, 0x40}, 5},
      {"call *%rax", {0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0xD0}, 2},
      {"call *%r8 (REX)", {0x90, 0x90, 0x90, 0x90, 0x90, 0x41, 0xFF, 0xD0}, 2},
      {"call *(%rax)", {0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0x10}, 2},
      {"call *(%rsp)", {0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0x14, 0x24}, 3},
      {"call *8(%rax)", {0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0x50, 0x08}, 3},
      {"call *8(%rsp)", {0x90, 0x90, 0x90, 0x90, 0xFF, 0x54, 0x24, 0x08}, 4},
      {"call *8(%r12) (REX)", {0x90, 0x90, 0x90, 0x41, 0xFF, 0x54, 0x24, 0x08}, 4},
      {"call *disp32(%rip)", {0x90, 0x90, 0xFF, 0x15, 0x10, 0x20, 0x30, 0x40}, 6},
      {"call *disp32(%rax)", {0x90, 0x90, 0xFF, 0x90, 0x10, 0x20, 0x30, 0x40}, 6},
      {"call *disp32(%rsp)", {0x90, 0xFF, 0x94, 0x24, 0x10, 0x20, 0x30, 0x40}, 7},
      {"call *disp32(%r12) (REX)", {0x41, 0xFF, 0x94, 0x24, 0x10, 0x20, 0x30, 0x40}, 7},
      {"jmp *%rax", {0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0xE0}, 0},
      {"push *8(%rsp)", {0x90, 0x90, 0x90, 0x90, 0xFF, 0x74, 0x24, 0x08}, 0},
      {"no call", {0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0xC3}, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CallSiteLength(c.before.data()), c.length) << c.what;
}

// A module of synthetic code: call instructions at known places, and a
// stack made of values that do and do not return behind them.
class SyntheticStackTest : public ::testing::Test {
protected:
  void SetUp() override {
    code_.fill(0x90);
    for (quintptr at : {quintptr(16), quintptr(48), quintptr(80), quintptr(112)})
      code_[at] = 0xE8; // 5-byte calls
    code_[150] = 0xFF;
    code_[151] = 0xD0; // call *%rax
    const quintptr base = quintptr(code_.data());
    modules_.Add({base, code_.size(), true, {{base, base + code_.size(), true, true}}});
  }
  quintptr Return(quintptr offset) const { return quintptr(code_.data()) + offset; }

  std::array<uchar, 256> code_;
  TRtModuleInfoList modules_{false, true};
};

TEST_F(SyntheticStackTest, RawWalkSkipsFramesAndRecordsARepeatedValueOnce) {
  const quintptr a = Return(21), b = Return(53), c = Return(85), d = Return(117), e = Return(152);
  // Stack slots from low to high addresses.
  const std::array<quintptr, 10> stack = {0x1234, a, a, Return(30), b, 0, c, b, d, e};
  struct Case {
    quint32 skip;
    QList<quintptr> callers;
  };
  const Case cases[] = {
      {0, {b - 5, c - 5, b - 5, d - 5, e - 2}}, // the first frame found is never stored
      {1, {c - 5, b - 5, d - 5, e - 2}},
      {4, {e - 2}},
      {7, {}},
  };
  for (const Case& test : cases) {
    TRtStackInfoList list(true, test.skip, 0, &modules_);
    list.Walk(quintptr(stack.data()), quintptr(stack.data() + stack.size()));
    QList<quintptr> callers;
    for (int i = 0; i < list.Count(); ++i)
      callers.append(list.Items(i).CallerAddress);
    EXPECT_EQ(callers, test.callers) << "skip " << test.skip;
    for (int i = 0; i < list.Count(); ++i)
      EXPECT_EQ(list.Items(i).Depth, test.skip + 2 + quint32(i));
  }
  // A first caller (a fault's address) stays the first entry.
  TRtStackInfoList withFault(true, 0, 0xABCD, &modules_);
  withFault.Walk(quintptr(stack.data()), quintptr(stack.data() + stack.size()));
  ASSERT_GE(withFault.Count(), 1);
  EXPECT_EQ(withFault.Items(0).CallerAddress, quintptr(0xABCD));
  EXPECT_EQ(withFault.Items(0).Depth, 0u);
}

TEST_F(SyntheticStackTest, FrameWalkFollowsTheFramePointerChain) {
  // Frames of two slots: the caller's frame pointer, then the return address.
  std::array<quintptr, 12> stack{};
  const quintptr at = quintptr(stack.data());
  auto frame = [&](int slot, int caller, quintptr returnAddress) {
    stack[slot] = caller >= 0 ? at + quintptr(caller) * 8 : 0;
    stack[slot + 1] = returnAddress;
  };
  frame(0, 2, Return(21));
  frame(2, 6, Return(53));
  frame(6, 8, 0x1234); // not code: passed over
  frame(8, -1, Return(117));
  TRtStackInfoList list(false, 0, 0, &modules_);
  list.Walk(at, at + stack.size() * 8);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0).CallerAddress, Return(53) - 5);
  EXPECT_EQ(list.Items(0).Frame, at + 16);
  EXPECT_EQ(list.Items(0).CallerFrame, at + 48);
  EXPECT_EQ(list.Items(0).FrameSize, 32u);
  EXPECT_EQ(list.Items(0).ParamCount, 2u);
  EXPECT_EQ(list.Items(0).Depth, 2u);
}

TEST(StackListTest, TrimsTheHookFramesOffTheTop) {
  const quintptr hook = quintptr(&__wrap___cxa_throw) + 1;
  auto make = [&](QList<quintptr> callers, quintptr first) {
    TRtModuleInfoList none(false, true);
    auto list = std::make_unique<TRtStackInfoList>(true, 0, first, &none);
    for (quintptr caller : callers)
      list->Append({caller, 1});
    return list;
  };
  auto callers = [](const TRtStackInfoList& list) {
    QList<quintptr> result;
    for (int i = 0; i < list.Count(); ++i)
      result.append(list.Items(i).CallerAddress);
    return result;
  };
  auto raised = make({0x10, hook, 0x20, hook, 0x30, 0x40}, 0);
  raised->TrimHookFrames(false);
  EXPECT_EQ(callers(*raised), (QList<quintptr>{0x30, 0x40}));
  auto fault = make({0x10, hook, 0x30}, 0x99);
  fault->TrimHookFrames(true);
  EXPECT_EQ(callers(*fault), (QList<quintptr>{0x99, 0x30}));
  auto none = make({0x10, 0x20}, 0);
  none->TrimHookFrames(false);
  EXPECT_EQ(callers(*none), (QList<quintptr>{0x10, 0x20}));
}

TEST(StackListTest, TheRegistryKeepsOneListPerThread) {
  TRtGlobalStackList registry;
  auto first = std::make_unique<TRtStackInfoList>(true, 0, 0x11);
  first->SetExceptionObject(first.get());
  registry.Register(std::move(first));
  registry.Register(std::make_unique<TRtStackInfoList>(true, 0, 0x22));
  registry.Register(std::make_unique<TRtExceptFrameList>());
  TRtStackInfoList* list = registry.StackListOf(CurrentThreadId());
  ASSERT_TRUE(list);
  EXPECT_EQ(list->Items(0).CallerAddress, quintptr(0x22));
  const std::unique_ptr<TRtStackInfoList> copy = registry.CopyStackListOf(CurrentThreadId());
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Items(0).CallerAddress, quintptr(0x22));
  EXPECT_EQ(copy->CreatedAt(), list->CreatedAt());
  EXPECT_FALSE(registry.StackListOf(CurrentThreadId() + 1));
  EXPECT_FALSE(registry.CopyStackListOf(CurrentThreadId() + 1));
}

} // namespace
