#include "console/editor/text/CodeEditWordWrap.h"
#include "console/editor/text/CodeEditErrors.h"
#include "console/editor/text/CodeEditStringList.h"
#include <gtest/gtest.h>
#include <random>

namespace {

// A control as the plug-in sees it: letters and digits are identifier characters.
class Host : public ICodeWordWrapHost {
public:
  int VisibleColumns() const override { return visible; }
  TCodeCharSet EditorIdentifierChars() const override {
    return TCodeCharSet::Range('a', 'z').IncludeRange('A', 'Z').IncludeRange('0', '9');
  }
  TCodeEditStringList& Lines() const override { return lines; }

  int visible = 10;
  mutable TCodeEditStringList lines;
};

std::vector<int> Rows(const ICodeEditBufferPlugin& plugin) {
  std::vector<int> rows;
  for (int row = 1; row <= plugin.RowCount(); ++row)
    rows.push_back(plugin.RowLength(row));
  return rows;
}

TEST(CodeEditWordWrapTest, LinesBreakBeforeNonIdentifierCharactersOrHard) {
  Host host;
  for (const char* line : {"alpha beta gamma", "abcdefghijklmnopqrstuvwxy", "", "0123456789"})
    host.lines.Add(QLatin1String(line));
  TCodeWordWrapPlugin plugin(&host);
  EXPECT_EQ(plugin.MaxRowWidth(), 10);
  EXPECT_EQ(plugin.MinRowWidth(), 7);
  EXPECT_EQ(Rows(plugin), (std::vector<int>{10, 6, 10, 10, 5, 0, 10}));
  EXPECT_EQ(plugin.LineCount(), 4);
}

TEST(CodeEditWordWrapTest, PositionsMapBothWays) {
  Host host;
  host.lines.Add(QStringLiteral("alpha beta gamma")); // rows 10 and 6
  host.lines.Add(QString());                          // row 3, width 0
  host.lines.Add(QStringLiteral("x"));                // row 4
  TCodeWordWrapPlugin plugin(&host);
  struct Case {
    TBufferCoord buffer;
    TScreenCoord screen;
  };
  const Case toScreen[] = {
      {{10, 1}, {10, 1}}, {{11, 1}, {1, 2}}, {{30, 1}, {20, 2}}, {{1, 2}, {1, 3}},
      {{4, 2}, {4, 3}},   {{2, 3}, {2, 4}},  {{7, 5}, {7, 6}}, // beyond the last line: one row per line
  };
  for (const Case& c : toScreen)
    EXPECT_EQ(plugin.BufferToScreen(c.buffer), c.screen) << c.buffer.Char << "," << c.buffer.Line;
  const Case toBuffer[] = {
      {{11, 1}, {15, 1}}, {{21, 1}, {15, 2}}, {{13, 1}, {3, 2}},
      {{1, 2}, {1, 3}},   {{11, 2}, {40, 3}}, {{7, 5}, {7, 6}}, // beyond the rows
  };
  for (const Case& c : toBuffer)
    EXPECT_EQ(plugin.ScreenToBuffer(c.screen), c.buffer) << c.screen.Column << "," << c.screen.Row;
}

TEST(CodeEditWordWrapTest, NoWidthWrapsNothingAndBadRowsRaise) {
  Host host;
  host.visible = 0;
  host.lines.Add(QStringLiteral("alpha beta gamma"));
  TCodeWordWrapPlugin plugin(&host);
  EXPECT_EQ(plugin.RowCount(), 0);
  EXPECT_EQ(plugin.LinesInserted(0, 1), 0);
  EXPECT_EQ(plugin.LinesReplaced(0, 1), 0);
  EXPECT_EQ(plugin.LinesDeleted(0, 1), 0);
  EXPECT_EQ(plugin.BufferToScreen({5, 1}), (TScreenCoord{5, 1}));
  try {
    plugin.RowLength(1);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("List index je mimo rozsahu (1)"));
  }
  host.visible = 10;
  plugin.ViewWidthChanged();
  EXPECT_EQ(Rows(plugin), (std::vector<int>{10, 6}));
  EXPECT_THROW(plugin.RowLength(3), EListError);
  try {
    TCodeWordWrapPlugin orphan(nullptr);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Owner of TCodeWordWrapPlugin must be a TCustomCodeEdit"));
  }
}

TEST(CodeEditWordWrapTest, CharactersOfTwoCodeUnitsAreNeverSplit) {
  const QString pair = QString::fromUcs4(U"\U0001D11E");
  Host host;
  host.lines.Add(QStringLiteral("abcdefghi") + pair + QStringLiteral("jk")); // the pair at 9 and 10
  TCodeWordWrapPlugin plugin(&host);
  EXPECT_EQ(Rows(plugin), (std::vector<int>{9, 4}));
  // One column: the pair keeps a row of its own rather than leaving an empty one.
  host.visible = 1;
  plugin.ViewWidthChanged();
  std::vector<int> rows(9, 1);
  rows.insert(rows.end(), {2, 1, 1});
  EXPECT_EQ(Rows(plugin), rows);
}

// Random edits through the buffer's events keep the same rows as wrapping the
// whole text again.
TEST(CodeEditWordWrapTest, IncrementalRowsEqualAFullRebuild) {
  std::mt19937 random(20240611);
  const QString pieces[] = {QStringLiteral("select"), QStringLiteral(" "), QStringLiteral("\t"),
                            QStringLiteral("a-b"),    QStringLiteral("x"), QString::fromUcs4(U"\U0001F600"),
                            QStringLiteral("ľščťž"),  QStringLiteral(",,")};
  const auto randomText = [&] {
    QString text;
    for (int n = int(random() % 12); n > 0; --n)
      text += pieces[random() % std::size(pieces)];
    return text;
  };
  Host host;
  host.lines.SetTabWidth(4);
  TCodeWordWrapPlugin plugin(&host);
  host.lines.OnLinesInserted = [&](TCodeEditStringList*, int i, int n) { plugin.LinesInserted(i, n); };
  host.lines.OnLinesDeleted = [&](TCodeEditStringList*, int i, int n) { plugin.LinesDeleted(i, n); };
  host.lines.OnLinesReplaced = [&](TCodeEditStringList*, int i, int n) { plugin.LinesReplaced(i, n); };
  host.lines.OnLinesCleared = [&](TCodeEditStringList*) { plugin.Rebuild(); };
  for (int step = 0; step < 3000; ++step) {
    TCodeEditStringList& lines = host.lines;
    const int count = lines.Count();
    const int at = count == 0 ? 0 : int(random() % count);
    switch (random() % 9) {
    case 0:
    case 1:
      lines.Insert(int(random() % (count + 1)), randomText());
      break;
    case 2:
    case 3:
      if (count > 0) lines.Put(at, randomText());
      break;
    case 4:
      if (count > 0) lines.Delete(at);
      break;
    case 5:
      lines.DeleteLineRange(at, int(random() % 4));
      break;
    case 6:
      lines.InsertBlankLines(int(random() % (count + 1)), int(random() % 3));
      break;
    case 7:
      lines.AddStrings({randomText(), randomText()});
      break;
    case 8:
      if (random() % 10 == 0) {
        host.visible = 3 + int(random() % 20);
        plugin.ViewWidthChanged();
      } else if (random() % 10 == 0) {
        lines.SetText(randomText() + QStringLiteral("\r\n") + randomText());
      }
      break;
    }
    TCodeWordWrapPlugin fresh(&host);
    ASSERT_EQ(plugin.LineCount(), lines.Count()) << "step " << step;
    ASSERT_EQ(Rows(plugin), Rows(fresh)) << "step " << step;
    for (int line = 1; line <= lines.Count(); ++line)
      ASSERT_EQ(plugin.BufferToScreen({1, line}), fresh.BufferToScreen({1, line})) << "step " << step;
  }
}

} // namespace
