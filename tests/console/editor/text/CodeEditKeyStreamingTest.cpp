#include "console/editor/text/CodeEditKeyStreaming.h"
#include "console/editor/text/CodeEditErrors.h"
#include "tests/support/QStringPrinter.h"
#include <gtest/gtest.h>

namespace {

TCodeEditKeyStrokes& Defaults(TCodeEditKeyStrokes& list) {
  list.LoadDefaultBindings();
  return list;
}

TEST(CodeEditKeyStreamingTest, OnlyDifferencesFromTheDefaultsAreWritten) {
  TCodeEditKeyStrokes bindings;
  EXPECT_EQ(WriteKeystrokeDifferences(Defaults(bindings)), QString());

  const int help = bindings.FindSingleKey(vk::F1, 0);
  ASSERT_GE(help, 0);
  bindings.Delete(help);
  EXPECT_EQ(WriteKeystrokeDifferences(bindings),
            QStringLiteral("RemovedKeystrokes\nCommand=ecContextHelp ShortCut=112"));

  // The console's own binding: context help on Ctrl+F1.
  bindings.AddBinding(ecContextHelp, vk::F1, ssCtrl);
  TCodeEditKeyStroke& chord = bindings.Add();
  chord.SetCommand(TCodeEditorCommand(ecUserFirst + 5));
  chord.SetShortCut(ShortCut(vk::Char('Q'), ssCtrl));
  chord.SetShortCut2(ShortCut(vk::Char('E'), 0));
  const QString text = WriteKeystrokeDifferences(bindings);
  EXPECT_EQ(text, QStringLiteral("AddedKeystrokes\n"
                                 "Command=ecContextHelp ShortCut=16496\n"
                                 "Command=1006 ShortCut=16465 ShortCut2=69\n"
                                 "RemovedKeystrokes\n"
                                 "Command=ecContextHelp ShortCut=112"));
  TCodeEditKeyStrokes read;
  ReadKeystrokeDifferences(text, Defaults(read));
  EXPECT_TRUE(SameKeystrokes(read, bindings));
  EXPECT_EQ(read.Items(read.FindSingleKey(vk::F1, ssCtrl)).Command(), ecContextHelp);
  EXPECT_EQ(read.FindSingleKey(vk::F1, 0), -1);
}

TEST(CodeEditKeyStreamingTest, AnUnreadableTextChangesNothing) {
  for (const char* text : {"Command=ecUp ShortCut=38", "AddedKeystrokes\nCommand=ecNoSuch ShortCut=38",
                           "AddedKeystrokes\nCommand=ecUp ShortCut=70000", "AddedKeystrokes\nShortCut=38",
                           "RemovedKeystrokes\nCommand=ecUp Key=38"}) {
    TCodeEditKeyStrokes bindings;
    Defaults(bindings);
    EXPECT_THROW(ReadKeystrokeDifferences(QString::fromUtf8(text), bindings), ECodeKeyError) << text;
    EXPECT_EQ(bindings.Count(), 82);
  }
  // A removed binding whose command differs stays.
  TCodeEditKeyStrokes bindings;
  ReadKeystrokeDifferences(QStringLiteral("RemovedKeystrokes\nCommand=ecDown ShortCut=38"), Defaults(bindings));
  EXPECT_EQ(bindings.Count(), 82);
}

} // namespace
