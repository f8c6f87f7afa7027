#include "ReportFixture.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"
#include "tests/support/PinnedFont.h"
#include "tests/support/TestOutput.h"
#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace {

// A text object measured by a deterministic hook: every character is 10
// pixels wide, so 9 characters fit into a width of 100 with GapX 2.
class MemoLayout : public ReportFixture {
protected:
  MemoLayout() {
    TrpGlobals& g = rpGlobals();
    TrpRunContext& run = rpRun();
    g.TextWidth = [](const QFont&, const QString& text) { return int(text.size()) * 10; };
    run.ExportText = [this](const QRect&, int x, int y, const QString& text, int frame, TrpView*) {
      exported.append({x, y, text, frame});
    };
    run.ExportObject = [this](int x, int y, TrpView* object) { exported.append({x, y, object->Name, -1}); };
    run.EngineMode = true;
    report.BindParser(rpRun());
    memo.SetBounds(10, 20, 100, 100);
    memo.Name = QStringLiteral("Memo1");
  }
  // The laid-out lines with the paragraph mark shown as "¶".
  QStringList Wrapped(const QStringList& lines, quint16 flags) {
    memo.Flags = flags;
    memo.WorkLines = lines;
    memo.PreWrapped = false;
    memo.WrapMemo(rpRun());
    QStringList shown = memo.WrapLines;
    for (QString& line : shown)
      line.replace(QChar(kParagraphMark), QStringLiteral("¶"));
    return shown;
  }
  struct Exported {
    int X, Y;
    QString Text;
    int Frame;
    bool operator==(const Exported&) const = default;
  };
  QList<Exported> ExportDraw() {
    exported.clear();
    const Exported object{memo.Left, memo.Top, QStringLiteral("Memo1"), -1};
    memo.SendToExport(rpRun());
    EXPECT_FALSE(memo.ExportMode);
    EXPECT_EQ(exported.value(0), object) << "the object itself comes first, at its position";
    return exported.mid(1);
  }

  QList<Exported> exported;
  QObject owner;
  TrpReport report{&owner};
  TrpMemoView memo;
};

} // namespace

TEST(BreakWord, SlovakSyllables) {
  struct Case {
    const char* Word;
    QList<int> Breaks;
  };
  const Case cases[] = {
      {"počítač", {2, 4}}, {"rybárskeho", {2, 6, 8}}, {"ŠKOLA", {3}}, {"auto", {2}}, {"mraz", {}}, {"kôň", {}},
      {"dom", {}},         {"úžasné", {4}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(rpBreakWord(QString::fromUtf8(c.Word)), c.Breaks) << c.Word;
}

TEST_F(MemoLayout, WrappingTable) {
  struct Case {
    const char* Label;
    QStringList Lines;
    quint16 Flags;
    QStringList Expected;
  };
  const quint16 wrap = mfWordWrap, hyphen = mfWordWrap | mfWordBreak;
  const Case cases[] = {
      {"fits", {QStringLiteral("Ahoj")}, wrap, {QStringLiteral("Ahoj¶")}},
      {"no wrap keeps long lines",
       {QStringLiteral("Jeden dva tri styri")},
       0,
       {QStringLiteral("Jeden dva tri styri¶")}},
      {"breaks at the last blank",
       {QStringLiteral("Jeden dva tri styri")},
       wrap,
       {QStringLiteral("Jeden dva"), QStringLiteral("tri styri¶")}},
      {"ending line break gives no empty line", {QStringLiteral("Ahoj\r\n")}, wrap, {QStringLiteral("Ahoj¶")}},
      {"inner line breaks end paragraphs",
       {QStringLiteral("a\r\n\r\nb")},
       wrap,
       {QStringLiteral("a¶"), QStringLiteral("b¶")}},
      {"a long word breaks before the first letter that does not fit",
       {QStringLiteral("abcdefghijkl")},
       wrap,
       {QStringLiteral("abcdefghi"), QStringLiteral("jkl¶")}},
      {"hyphenation at Slovak syllables",
       {QStringLiteral("členovia rybárskeho zväzu")},
       hyphen,
       {QStringLiteral("členovia"), QStringLiteral("rybárske-"), QStringLiteral("ho zväzu¶")}},
      {"without hyphenation",
       {QStringLiteral("členovia rybárskeho zväzu")},
       wrap,
       {QStringLiteral("členovia"), QStringLiteral("rybárskeh"), QStringLiteral("o zväzu¶")}},
      {"empty line", {QString()}, wrap, {QStringLiteral("¶")}},
      {"tab is one character", {QStringLiteral("a\tb")}, wrap, {QStringLiteral("a\tb¶")}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Wrapped(c.Lines, c.Flags), c.Expected) << c.Label;
  EXPECT_EQ(memo.LineHeight, 15) << "10 points at 96 dpi is 13 pixels, plus LineSpacing 2";
}

TEST_F(MemoLayout, HeightAndVerticalAlignment) {
  memo.Memo = QStringList{QStringLiteral("Jeden dva tri styri")};
  EXPECT_EQ(memo.CalcHeight(rpRun()), 2 * 15 + 2 * 1);
  struct Case {
    qint32 Alignment;
    QList<int> Ys;
  };
  // DrawRect spans 20..120; the text block is 32 pixels high.
  const Case cases[] = {{0, {21, 36}}, {8, {21 + 34, 36 + 34}}, {16, {88, 103}}};
  for (const Case& c : cases) {
    memo.Alignment = c.Alignment;
    QList<int> ys;
    for (const Exported& e : ExportDraw())
      ys.append(e.Y);
    EXPECT_EQ(ys, c.Ys) << c.Alignment;
  }
}

TEST_F(MemoLayout, HorizontalAlignmentAndExportedFrames) {
  memo.Memo = QStringList{QStringLiteral("Jeden dva tri styri pat")};
  memo.FrameTyp = 15;
  memo.FrameWidth = 1;
  struct Case {
    qint32 Alignment;
    QList<int> Xs;
  };
  // DrawRect width 100, GapX 2; lines of 90, 90 and 30 pixels.
  const Case cases[] = {
      {0, {12, 12, 12}}, {1, {10 + 100 - 1 - 2 - 90, 17, 10 + 100 - 1 - 2 - 30}}, {2, {15, 15, 45}}, {3, {12, 12, 12}}};
  for (const Case& c : cases) {
    memo.Alignment = c.Alignment;
    QList<int> xs, frames;
    for (const Exported& e : ExportDraw()) {
      xs.append(e.X);
      frames.append(e.Frame);
    }
    EXPECT_EQ(xs, c.Xs) << c.Alignment;
    EXPECT_EQ(frames, (QList<int>{15 & ~2, 15 & ~10, 15 & ~8})) << "inner edges are dropped";
  }
}

TEST_F(MemoLayout, RotatedLinesRunUpwardAndAdvanceRight) {
  memo.Memo = QStringList{QStringLiteral("Jeden dva tri styri")};
  struct Case {
    qint32 Alignment;
    QList<Exported> Expected;
  };
  // Rotated: the available length is the height (100 - 2 x GapY = 98).
  const Case cases[] = {
      {4, {{12, 119, QStringLiteral("Jeden dva"), 0}, {27, 119, QStringLiteral("tri styri"), 0}}},
      {5, {{12, 90 + 20 + 1, QStringLiteral("Jeden dva"), 0}, {27, 111, QStringLiteral("tri styri"), 0}}},
      {6,
       {{12, 120 - 1 - 1 - (98 - 90) / 2, QStringLiteral("Jeden dva"), 0}, {27, 114, QStringLiteral("tri styri"), 0}}},
      // the block (2 x 15 + 2 x GapX = 34) ends at DrawRect's right edge 110
      {4 | 16, {{110 - 34 + 2, 119, QStringLiteral("Jeden dva"), 0}, {93, 119, QStringLiteral("tri styri"), 0}}},
  };
  for (const Case& c : cases) {
    memo.Alignment = c.Alignment;
    const QList<Exported> lines = ExportDraw();
    ASSERT_EQ(lines.size(), c.Expected.size()) << c.Alignment;
    for (qsizetype i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].X, c.Expected[i].X) << c.Alignment << " line " << i;
      EXPECT_EQ(lines[i].Y, c.Expected[i].Y) << c.Alignment << " line " << i;
      EXPECT_EQ(lines[i].Text, c.Expected[i].Text) << c.Alignment << " line " << i;
    }
  }
}

TEST_F(MemoLayout, SplittingAcrossPagesKeepsTheRest) {
  memo.SetBounds(0, 0, 100, 40); // room for two lines of 15 between GapY and the bottom
  memo.Memo = QStringList{QStringLiteral("a1 a2 a3 a4 a5 a6 a7 a8 a9 b1 b2 b3 b4 b5")};
  memo.Flags = mfWordWrap;
  memo.RecordMode = 1; // a prepared-page record carries WorkLines
  memo.SplitMode = 2;
  memo.WorkLines = memo.Memo;
  memo.ExpandMemo(rpRun());
  TBinaryWriter first;
  memo.WritePrepared(rpRun(), first);
  EXPECT_EQ(memo.LineNo, 2);
  QStringList rest = memo.WorkLines;
  EXPECT_EQ(rest, (QStringList{QStringLiteral("a7 a8 a9"), QStringLiteral("b1 b2 b3"),
                               QStringLiteral("b4 b5") + QChar(kParagraphMark)}));
  EXPECT_EQ(memo.SplitMode, 0);
  EXPECT_TRUE(first.Data().contains(QByteArrayLiteral("a1 a2 a3")));
  EXPECT_FALSE(first.Data().contains(QByteArrayLiteral("a7"))) << "only the lines that fit are written";
  // The next page prints the rest as it stands.
  memo.SplitMode = 2;
  TBinaryWriter second;
  memo.WritePrepared(rpRun(), second);
  EXPECT_TRUE(second.Data().contains(QByteArrayLiteral("a7 a8 a9")));
  EXPECT_EQ(memo.WorkLines, (QStringList{QStringLiteral("b4 b5") + QChar(kParagraphMark)}));
}

TEST_F(MemoLayout, SuppressWritesARepeatedTextOnce) {
  memo.Memo = QStringList{QStringLiteral("Rovnaké")};
  memo.Flags = mfWordWrap | mfSuppress;
  TBinaryWriter a, b;
  memo.WritePrepared(rpRun(), a);
  memo.WritePrepared(rpRun(), b);
  EXPECT_GT(a.Size(), 0);
  EXPECT_EQ(b.Size(), 0);
}

TEST_F(MemoLayout, TextOnlyAndMultiLineExpansion) {
  rpVariables().SetVariable(QStringLiteral("Dva"), QStringLiteral("prvý\r\ndruhý"));
  memo.Memo = QStringList{QStringLiteral("[Dva]"), QString()};
  memo.ExpandMemo(rpRun());
  EXPECT_EQ(memo.WorkLines, (QStringList{QStringLiteral("prvý"), QStringLiteral("druhý"), QString()}));
  memo.Flags |= mfTextOnly;
  memo.ExpandMemo(rpRun());
  EXPECT_EQ(memo.WorkLines, (QStringList{QStringLiteral("[Dva]"), QString()}));
}

TEST_F(MemoLayout, HighlightChangesOnlyThePrintedCopy) {
  memo.Memo = QStringList{QStringLiteral("Dlh")};
  memo.HighlightCondition = rpRun().Parser->ToPostfix(QStringLiteral("1 = 1"));
  memo.HighlightFontColor = clRed;
  memo.HighlightFillColor = clYellow;
  TBinaryWriter out;
  memo.WritePrepared(rpRun(), out);
  EXPECT_EQ(memo.Font.Color, clBlack);
  EXPECT_EQ(memo.FillColor, clNone);
  TBinaryReader reader(out.Data());
  EXPECT_EQ(rpReadByte(reader), 0);
  TrpMemoView copy;
  copy.RecordMode = memo.RecordMode;
  rpRun().StreamVersion = TrpReport::kStreamVersion;
  copy.LoadFromStream(reader);
  EXPECT_EQ(copy.Font.Color, clRed);
  EXPECT_EQ(copy.FillColor, clYellow);
  EXPECT_TRUE(copy.Font.Style.Bold);
}

namespace {

// Text objects drawn with the real metrics of the pinned font onto an image, as the preview draws them.
class MemoRendering : public ReportFixture {
protected:
  MemoRendering() {
    rpRun().EngineMode = true;
    report.BindParser(rpRun());
    image.fill(Qt::white);
  }
  TrpMemoView& Add(int left, int top, int width, int height, const QString& text, qint32 alignment, quint16 flags) {
    auto memo = std::make_unique<TrpMemoView>();
    memo->SetBounds(left, top, width, height);
    memo->Memo = QStringList{text};
    memo->Alignment = alignment;
    memo->Flags = flags;
    memo->FrameTyp = 15;
    memo->Font.Name = PinnedFontFamily();
    memos.push_back(std::move(memo));
    return *memos.back();
  }
  // Draws every text object and keeps the picture among the test output.
  void Render(const QString& name) {
    QPainter painter(&image);
    for (const auto& memo : memos)
      memo->Draw(rpRun(), &painter);
    painter.end();
    image.save(TestOutputPath(name + QStringLiteral(".png")));
  }
  // The rightmost column with dark ink in the rows.
  int InkRight(int top, int bottom, int left, int right) const {
    int found = -1;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (qGray(image.pixel(x, y)) < 128) found = std::max(found, x);
    return found;
  }

  QObject owner;
  TrpReport report{&owner};
  std::vector<std::unique_ptr<TrpMemoView>> memos;
  QImage image{520, 420, QImage::Format_RGB32};
};

const QString kParagraph = QStringLiteral(
    "Miestna organizácia Slovenského rybárskeho zväzu pozýva svojich členov na výročnú členskú schôdzu.");

} // namespace

TEST_F(MemoRendering, JustifiedLinesFillTheWidthButTheLast) {
  TrpMemoView& memo = Add(10, 10, 240, 120, kParagraph, 3, mfWordWrap);
  memo.FrameTyp = 0;
  Render(QStringLiteral("memo-justified"));
  const int th = memo.LineHeight;
  ASSERT_GT(memo.LineNo, 2);
  const int textRight = 10 + 240 - 2; // DrawRect right less GapX
  for (int line = 0; line < memo.LineNo; ++line) {
    const int top = 10 + 1 + line * th;
    const int ink = InkRight(top, top + th, 10, 260);
    if (line < memo.LineNo - 1)
      EXPECT_GE(ink, textRight - 3) << "line " << line << " reaches the right edge";
    else
      EXPECT_LT(ink, textRight - 20) << "the last line keeps its natural width";
  }
}

TEST_F(MemoRendering, SampleSheet) {
  Add(10, 10, 240, 90, kParagraph, 0, mfWordWrap);
  Add(270, 10, 240, 90, kParagraph, 1, mfWordWrap);
  Add(10, 110, 240, 90, kParagraph, 2 | 8, mfWordWrap);
  TrpMemoView& hyphen = Add(270, 110, 120, 120, kParagraph, 0, mfWordWrap | mfWordBreak);
  hyphen.FrameStyle = 5;
  hyphen.FrameWidth = 2;
  hyphen.FillColor = clYellow;
  TrpMemoView& rotated = Add(400, 110, 110, 200, QStringLiteral("Zoznam členov 2026"), 4 | 2, mfWordWrap);
  rotated.Font.Size = 14;
  rotated.Font.Style.Bold = true;
  rotated.FrameStyle = 1;
  rotated.FrameWidth = 3;
  rotated.FrameColor = clBlue;
  TrpMemoView& lined =
      Add(10, 210, 240, 100, QStringLiteral("Prvý riadok\r\nDruhý riadok"), 16, mfWordWrap | mfUnderlines);
  lined.FrameTyp = 0;
  lined.Font.Color = clMaroon;
  Render(QStringLiteral("memo-sheet"));
  EXPECT_LT(qGray(image.pixel(300, 120)), 250) << "the yellow fill is painted";
}

TEST_F(MemoLayout, HyphenationEndsOnEveryText) {
  rpGlobals().TextWidth = [](const QFont&, const QString& text) { return int(text.size()) * 7; };
  memo.SetBounds(0, 0, 81, 60);
  memo.Alignment = 5; // rotated: 58 pixels for 8 characters
  const QByteArray raw =
      QByteArray::fromHex("c48d6c656e6f76696120727962736b72736b1f686f207a7620727962c3a172736b65656a");
  // "členovia rybskrsk\x1fho zv rybárskeej": the second word has no break position.
  const QStringList lines = Wrapped({QString::fromUtf8(raw)}, mfWordWrap | mfWordBreak);
  EXPECT_EQ(lines, (QStringList{QStringLiteral("členovia"), QStringLiteral("rybskrsk"), QStringLiteral("\x1fho zv"),
                                QStringLiteral("rybárs-"), QStringLiteral("keej¶")}));
}

TEST_F(MemoLayout, AutoWidthFitsTheTextWhileBuilding) {
  struct Case {
    qint32 Alignment;
    int Left, Width, Height;
  };
  // "Ahoj svet" is 90 pixels: with frame width 1, GapX 2 twice and 1 the object is 96 wide.
  const Case cases[] = {{0, 10, 96, 100}, {1, 10 + 100 - 96, 96, 100}, {4, 10, 100, 96}};
  for (const Case& c : cases) {
    memo.SetBounds(10, 20, 100, 100);
    memo.Flags = mfWordWrap | mfAutoWidth;
    memo.Alignment = c.Alignment;
    memo.Memo = QStringList{QStringLiteral("Ahoj svet")};
    const QList<Exported> lines = ExportDraw();
    EXPECT_EQ(memo.Left, c.Left) << c.Alignment;
    EXPECT_EQ(memo.Width, c.Width) << c.Alignment;
    EXPECT_EQ(memo.Height, c.Height) << c.Alignment;
    ASSERT_EQ(lines.size(), 1) << "the measured width never breaks the line";
    EXPECT_EQ(lines[0].Text, QStringLiteral("Ahoj svet"));
  }
}

TEST_F(MemoRendering, ZoomedPreviewKeepsTheLineBreaks) {
  TrpMemoView& memo = Add(10, 10, 150, 80, kParagraph, 0, mfWordWrap);
  memo.FrameTyp = 0;
  Render(QStringLiteral("memo-zoom1"));
  const QStringList atOne = memo.WorkLines;
  image = QImage(520, 420, QImage::Format_RGB32);
  image.fill(Qt::white);
  memo.ZoomX = memo.ZoomY = 2.5;
  Render(QStringLiteral("memo-zoom25"));
  EXPECT_EQ(memo.WorkLines, atOne) << "lines are broken at 96 dpi whatever the zoom";
  EXPECT_GT(memo.LineNo, 2);
  EXPECT_GT(InkRight(10 * 2, 60 * 2, 0, 520), 200) << "the text is drawn larger";
}
