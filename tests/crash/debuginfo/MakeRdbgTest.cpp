#include "DebugInfoTestSupport.h"
#include "crash/debuginfo/RtBinDebug.h"
#include "crash/debuginfo/makerdbg/ElfDebugFacts.h"
#include "tests/support/QStringPrinter.h"
#include <gtest/gtest.h>

namespace {

TEST(MakeRdbgTest, SplitsDemangledNamesIntoScopeAndName) {
  struct Case {
    const char* demangled;
    const char* first;
    const char* second;
  };
  const Case cases[] = {
      {"main", "main", ""},
      {"resolvetargets::FreeFunction()", "resolvetargets", "FreeFunction"},
      {"ns::TClass::Method(int, QString const&) const", "ns::TClass", "Method"},
      {"void ns::Make<int>(std::vector<int, std::allocator<int> > const&)", "ns", "Make<int>"},
      {"std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> > ns::Name[abi:cxx11](int)", "ns",
       "Name[abi:cxx11]"},
      {"(anonymous namespace)::Helper(int)", "(anonymous namespace)", "Helper"},
      {"ns::TClass::operator()(int) const", "ns::TClass", "operator()"},
      {"ns::TClass::operator<(ns::TClass const&) const", "ns::TClass", "operator<"},
      {"ns::TClass::operator bool() const", "ns::TClass", "operator bool"},
      {"operator new(unsigned long)", "operator new", ""},
      {"ns::f()::{lambda(int)#1}::operator()(int) const", "ns::f()::{lambda(int)#1}", "operator()"},
      {"ns::TClass::~TClass()", "ns::TClass", "~TClass"},
      {"Run(int) [clone .cold]", "Run", ""},
  };
  for (const Case& c : cases) {
    const auto [first, second] = SplitQualifiedName(QLatin1String(c.demangled));
    EXPECT_EQ(first, QLatin1String(c.first)) << c.demangled;
    EXPECT_EQ(second, QLatin1String(c.second)) << c.demangled;
  }
}

// The writer's rules: offsets count from the lowest segment's page plus 4096,
// code between units and after routines and line sequences has no names.
TEST(MakeRdbgTest, WritesUnitsRoutinesAndLinesAtModuleOffsets) {
  TElfDebugFacts facts;
  facts.LinkBase = 0x400000;
  const quint64 code = 0x401000; // offset 0
  facts.Units = {{code + 0x100, code + 0x180, QStringLiteral("Second")}, {code, code + 0x80, QStringLiteral("First")}};
  facts.Symbols = {{code, 0x40, QStringLiteral("ns::TFirst::Run(int)")},
                   {code, 0x40, QStringLiteral("RunAlias")},
                   {code + 0x40, 0x20, QStringLiteral("helper")},
                   {code + 0x100, 0x80, QStringLiteral("second()")}};
  facts.Lines = {
      {code, 10, QStringLiteral("First.cpp"), false},         {code + 0x8, 11, QStringLiteral("First.cpp"), false},
      {code + 0x10, 11, QStringLiteral("First.cpp"), false}, // repeats the line: dropped
      {code + 0x20, 40, QStringLiteral("Inline.h"), false},   {code + 0x60, 12, QStringLiteral("First.cpp"), true},
      {code + 0x100, 5, QStringLiteral("Second.cpp"), false}, {code + 0x180, 6, QStringLiteral("Second.cpp"), true}};
  const QByteArray data = BinaryDebugData(facts, QStringLiteral("Program"));
  const TRtBinDebugScanner scanner(ViewOf(data));
  ASSERT_TRUE(scanner.ValidFormat());
  EXPECT_EQ(scanner.ModuleName(), QStringLiteral("Program"));
  ExpectLookups([&scanner](quint32 offset) { return AskScanner(scanner, offset); },
                {
                    {0x04, "First", "ns::TFirst.Run", 4, 10, 4, "First.cpp"},
                    {0x14, "First", "ns::TFirst.Run", 0x14, 11, 0xC, "First.cpp"},
                    {0x24, "First", "ns::TFirst.Run", 0x24, 40, 4, "Inline.h"},
                    {0x44, "First", "helper", 4, 40, 0x24, "Inline.h"},
                    // after the routine and the line sequence: no names
                    {0x64, "First", "", 4, 0, 4, ""},
                    {0x90, "", "", 0, 0, 0, ""}, // between the units
                    {0x104, "Second", "second", 4, 5, 4, "Second.cpp"},
                });
}

} // namespace
