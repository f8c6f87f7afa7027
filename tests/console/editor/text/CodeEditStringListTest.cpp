#include "console/editor/text/CodeEditStringList.h"
#include "console/editor/text/CodeEditErrors.h"
#include "tests/support/Utf8Text.h"
#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList Lines(const TCodeEditStringList& list) {
  QStringList lines;
  for (int i = 0; i < list.Count(); ++i)
    lines << list.Get(i);
  return lines;
}

void Fill(TCodeEditStringList& list, const QStringList& lines) {
  for (const QString& line : lines)
    list.Add(line);
}

// Every event of the buffer as one text, in order.
struct EventLog {
  explicit EventLog(TCodeEditStringList& list) {
    list.OnChanging = [this](TCodeEditStringList*) { events << QStringLiteral("changing"); };
    list.OnChanged = [this](TCodeEditStringList*) { events << QStringLiteral("changed"); };
    list.OnLinesCleared = [this](TCodeEditStringList*) { events << QStringLiteral("cleared"); };
    list.OnLinesInserted = Recorder(QStringLiteral("inserted"));
    list.OnLinesDeleted = Recorder(QStringLiteral("deleted"));
    list.OnLinesReplaced = Recorder(QStringLiteral("replaced"));
  }
  TCodeEditStringList::TLinesChangeEvent Recorder(const QString& name) {
    return [this, name](TCodeEditStringList*, int index, int count) {
      events << QStringLiteral("%1 %2 %3").arg(name).arg(index).arg(count);
    };
  }
  QString Take() {
    const QString text = events.join(u',');
    events.clear();
    return text;
  }
  QStringList events;
};

struct StreamCase {
  QByteArray bytes;
  bool trailingLineBreak;
  QStringList lines;
  TLineBreakStyle style;
  QByteArray saved;
};

TEST(CodeEditStringListTest, StreamsLoadAndSaveEveryLineBreakStyle) {
  const StreamCase cases[] = {
      {"a\r\nb\r\n", false, L({"a", "b", ""}), lbsCrLf, "a\r\nb\r\n"},
      {"a\r\nb\r\n", true, L({"a", "b"}), lbsCrLf, "a\r\nb\r\n"},
      {"a\rb", false, L({"a", "b"}), lbsCr, "a\rb"},
      {"a\rb\r", true, L({"a", "b"}), lbsCr, "a\rb\r"},
      {"a\nb", false, L({"a", "b"}), lbsLf, "a\nb"},
      {"a\n\rb", false, L({"a", "", "b"}), lbsCrLf, "a\r\n\r\nb"},
      {"abc", false, L({"abc"}), lbsCrLf, "abc"},
      {"abc", true, L({"abc"}), lbsCrLf, "abc\r\n"},
      {"", false, L({}), lbsCrLf, ""},
      {"", true, L({}), lbsCrLf, ""},
      {"\r\n", false, L({"", ""}), lbsCrLf, "\r\n"},
      {"\r\n", true, L({""}), lbsCrLf, "\r\n"},
      {"\x9a\xe8\n\xbe", false, L({"šč", "ľ"}), lbsLf, "\x9a\xe8\n\xbe"},
      {QByteArray("x\r\n").repeated(80), false, QStringList(80, QStringLiteral("x")) << QString(), lbsCrLf,
       QByteArray("x\r\n").repeated(80)},
      {QByteArray("x\n").repeated(64) + "x", false, QStringList(65, QStringLiteral("x")), lbsLf,
       QByteArray("x\n").repeated(64) + "x"},
  };
  for (const StreamCase& c : cases) {
    SCOPED_TRACE(c.bytes.toStdString() + (c.trailingLineBreak ? " trailing" : ""));
    TCodeEditStringList list;
    list.SetLineBreakStyle(lbsLf);
    list.SetTrailingLineBreak(c.trailingLineBreak);
    list.Add(QStringLiteral("old"));
    QBuffer in;
    in.setData(c.bytes);
    in.open(QIODevice::ReadOnly);
    in.seek(in.size()); // loading reads from the stream's start
    list.LoadFromStream(in);
    EXPECT_EQ(Lines(list), c.lines);
    EXPECT_EQ(list.LineBreakStyle(), c.style);
    TCodeEditStringList added;
    Fill(added, c.lines);
    EXPECT_EQ(list.Capacity(), added.Capacity()) << "a load grows the array as adding its lines does";
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    list.SaveToStream(out);
    EXPECT_EQ(out.data(), c.saved);
  }
}

TEST(CodeEditStringListTest, WholeTextSplitsLikeAStreamButAddsNoLineForAFinalBreak) {
  TCodeEditStringList list;
  EventLog log(list);
  list.SetText(QStringLiteral("a\r\n"));
  EXPECT_EQ(Lines(list), QStringList{QStringLiteral("a")});
  EXPECT_EQ(log.Take(), QStringLiteral("changing,inserted 0 1,changed"));
  list.SetText(QStringLiteral("x\ry\nz") + QChar(0) + QStringLiteral("ignored"));
  EXPECT_EQ(Lines(list), QStringList({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}));
  EXPECT_EQ(log.Take(), QStringLiteral("changing,cleared,inserted 0 1,inserted 1 1,inserted 2 1,changed"));
  EXPECT_EQ(list.Text(), QStringLiteral("x\r\ny\r\nz"));
}

TEST(CodeEditStringListTest, CapacityGrowsBySixteenThenByAQuarter) {
  TCodeEditStringList list;
  const std::pair<int, int> steps[] = {{1, 16}, {16, 16}, {17, 32}, {64, 64}, {65, 80}, {80, 80}, {81, 100}};
  for (auto [lines, capacity] : steps) {
    while (list.Count() < lines)
      list.Add(QStringLiteral("x"));
    EXPECT_EQ(list.Capacity(), capacity) << lines << " lines";
  }
  try {
    list.SetCapacity(80);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Stringlist capacity cannot be smaller than count"));
  }
  EXPECT_EQ(list.Capacity(), 100);
  list.InsertBlankLines(3, 2);
  EXPECT_EQ(list.Capacity(), 83);
  TCodeEditStringList other;
  other.AddStrings(QStringList(17, QStringLiteral("y")));
  EXPECT_EQ(other.Capacity(), 32);
  other.Clear();
  EXPECT_EQ(other.Capacity(), 0);
}

TEST(CodeEditStringListTest, ChangesReportTheirLinesInsideOneBracket) {
  TCodeEditStringList list;
  EventLog log(list);
  struct Step {
    std::function<void()> change;
    const char* events;
    QStringList lines;
  };
  const Step steps[] = {
      {[&] { list.Add(QStringLiteral("a")); }, "changing,inserted 0 1,changed", L({"a"})},
      {[&] { list.Put(1, QStringLiteral("c")); }, "changing,inserted 1 1,changed", L({"a", "c"})},
      {[&] { list.Insert(1, QStringLiteral("b")); }, "changing,inserted 1 1,changed", L({"a", "b", "c"})},
      {[&] { list.Put(0, QStringLiteral("A")); }, "changing,replaced 0 1,changed", L({"A", "b", "c"})},
      {[&] { list.DeleteLineRange(1, 5); }, "changing,deleted 1 2,changed", L({"A"})},
      {[&] { list.DeleteLineRange(1, 5); }, "", L({"A"})},
      {[&] { list.InsertBlankLines(0, 2); }, "changing,inserted 0 2,changed", L({"", "", "A"})},
      {[&] { list.Delete(0); }, "changing,deleted 0 1,changed", L({"", "A"})},
      {[&] { list.Exchange(0, 1); }, "changing,changed", L({"A", ""})},
      {[&] {
         list.AddStrings({QStringLiteral("x"), QStringLiteral("y")});
       },
       "changing,inserted 2 2,changed", L({"A", "", "x", "y"})},
      {[&] {
         list.BeginUpdate();
         list.Delete(3);
         list.SetLineRange(0, 7);
         list.EndUpdate();
       },
       "changing,deleted 3 1,changed", L({"A", "", "x"})},
      {[&] { list.Clear(); }, "changing,cleared,changed", L({})},
      {[&] { list.Clear(); }, "", L({})},
  };
  for (const Step& step : steps) {
    step.change();
    EXPECT_EQ(log.Take(), QLatin1String(step.events));
    EXPECT_EQ(Lines(list), step.lines);
  }
}

TEST(CodeEditStringListTest, BadIndexesRaiseWithTheIndexAndReadersNever) {
  TCodeEditStringList list;
  Fill(list, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
  struct Case {
    std::function<void()> call;
    int index;
  };
  const Case cases[] = {
      {[&] { list.Put(4, QString()); }, 4},     {[&] { list.Insert(-1, QString()); }, -1},
      {[&] { list.Insert(4, QString()); }, 4},  {[&] { list.Delete(3); }, 3},
      {[&] { list.Exchange(0, 7); }, 7},        {[&] { list.Exchange(-3, 7); }, -3},
      {[&] { list.SetLineRange(3, 1); }, 3},    {[&] { list.SetObject(-2, nullptr); }, -2},
      {[&] { list.DeleteLineRange(4, 1); }, 4}, {[&] { list.InsertBlankLines(5, 1); }, 5},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no error for " << c.index;
    } catch (const ECodeEditStringList& e) {
      EXPECT_EQ(e.Message(), QStringLiteral("Invalid stringlist index %1").arg(c.index));
    }
  }
  EXPECT_EQ(Lines(list), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
  EXPECT_EQ(list.Get(3), QString());
  EXPECT_EQ(list.Objects(-1), nullptr);
  EXPECT_EQ(list.GetLineRange(3), 0);
  EXPECT_EQ(list.GetLineRange(0), -1); // a new line's range is not yet computed
  EXPECT_EQ(list.GetExpandedLine(-1), QString());
  EXPECT_EQ(list.GetExpandedLineLength(9), 0);
}

TEST(CodeEditStringListTest, ExpandedLengthsAndTheLongestLineFollowEditsAndTabWidth) {
  TCodeEditStringList list;
  list.SetTabWidth(4);
  Fill(list, {QStringLiteral("abcd"), QStringLiteral("\tx"), QStringLiteral("12345")});
  EXPECT_EQ(list.GetExpandedLineLength(1), 5);
  EXPECT_EQ(list.GetExpandedLine(1), QStringLiteral("\t\t\t\tx"));
  const QString plain = list.Get(0);
  EXPECT_EQ(list.GetExpandedLine(0).constData(), plain.constData());
  EXPECT_EQ(list.GetLongestLineLength(), 5);
  list.SetTabWidth(8);
  EXPECT_EQ(list.GetExpandedLineLength(1), 9);
  EXPECT_EQ(list.GetLongestLineLength(), 9);
  list.Put(1, QStringLiteral("x"));
  EXPECT_EQ(list.GetLongestLineLength(), 5);
  list.Insert(0, QStringLiteral("a\tb\tc"));
  EXPECT_EQ(list.GetLongestLineLength(), 17);
  list.Exchange(0, 3);
  EXPECT_EQ(list.GetLongestLineLength(), 17);
  list.Delete(3);
  EXPECT_EQ(list.GetLongestLineLength(), 5);
  list.SetTabWidth(1);
  list.Add(QStringLiteral("\t\t\t\t\t\t"));
  EXPECT_EQ(list.GetLongestLineLength(), 6);
  list.Clear();
  EXPECT_EQ(list.GetLongestLineLength(), 0);
  list.Add(QString());
  EXPECT_EQ(list.GetLongestLineLength(), 0);
}

TEST(CodeEditStringListTest, FilesAreWrittenThroughTheBufferAndRefusedWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("script.sql"));
  TCodeEditStringList list;
  const QString longLine = QStringLiteral("select ") + QString(20000, u'x');
  Fill(list, {longLine, QStringLiteral("from dual"), QStringLiteral("-- ľščť")});
  list.SetLineBreakStyle(lbsLf);
  list.SaveToFile(path);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), longLine.toLatin1() + "\nfrom dual\n-- \xbe\x9a\xe8\x9d");
  file.close();

  TCodeEditStringList reread;
  reread.LoadFromFile(path);
  EXPECT_EQ(Lines(reread), Lines(list));
  EXPECT_EQ(reread.LineBreakStyle(), lbsLf);

  list.Add(QStringLiteral("Ж")); // outside code page 1250
  EXPECT_THROW(list.SaveToFile(path), ECodePageError);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.size(), longLine.size() + 18); // the old file is left as it was
  EXPECT_THROW(list.LoadFromFile(dir.filePath(QStringLiteral("missing.sql"))), EStreamError);
}

} // namespace
