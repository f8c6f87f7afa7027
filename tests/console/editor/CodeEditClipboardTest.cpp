#include "EditorTestSupport.h"
#include "console/editor/CodeEdit.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QClipboard>
#include <QtGui/QDropEvent>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

QString Lines(const TCustomCodeEdit& edit) { return EditorLines(edit).join(u'|'); }

void SetClipboardText(const QString& text) {
  auto* mime = new QMimeData;
  mime->setText(text);
  QGuiApplication::clipboard()->setMimeData(mime);
}

TEST(CodeEditClipboardTest, BlocksTravelBetweenEditorsInTheirModes) {
  struct Case {
    const char* what;
    TCodeSelectionMode mode;
    TBufferCoord anchor, activeEnd;
    QString copied;       // the plain text other programs see
    TBufferCoord pasteAt; // in the target, whose selection mode is normal
    QString pasted;
  };
  const Case cases[] = {
      {"stream", smNormal, {2, 1}, {3, 2}, QStringLiteral("bcd\nef"), {2, 1}, QStringLiteral("xbcd|efy|uvw")},
      {"whole lines",
       smLine,
       {2, 1},
       {2, 2},
       QStringLiteral("abcd\nefgh\n"),
       {2, 2},
       QStringLiteral("xy|abcd|efgh|uvw")},
      {"column", smColumn, {2, 1}, {4, 3}, QStringLiteral("bc\nfg\nj "), {2, 1}, QStringLiteral("xbcy|ufgvw| j ")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TCodeEdit source, target;
    ShowEditor(source);
    ShowEditor(target);
    source.SetText(QStringLiteral("abcd\r\nefgh\r\nij"));
    source.SetSelectionMode(c.mode);
    source.PlaceCaretAndSelection(c.activeEnd, c.anchor, c.activeEnd);
    source.ProcessCommand(ecCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), c.copied);
    target.SetText(QStringLiteral("xy\r\nuvw"));
    target.MoveCaretCollapsing(c.pasteAt);
    target.ProcessCommand(ecPaste);
    EXPECT_EQ(Lines(target), c.pasted);
    target.Undo(); // a paste is one step
    EXPECT_EQ(Lines(target), QStringLiteral("xy|uvw"));
  }
}

TEST(CodeEditClipboardTest, TextOfOtherProgramsAndColumnBlocksForThem) {
  TCodeEdit edit;
  ShowEditor(edit);
  edit.SetText(QStringLiteral("ab\r\ncd"));
  SetClipboardText(QStringLiteral("x\ny\r\nz"));
  edit.MoveCaretCollapsing({2, 1});
  edit.ProcessCommand(ecPaste);
  EXPECT_EQ(Lines(edit), QStringLiteral("ax|y|zb|cd"));
  EXPECT_EQ(edit.CaretPos(), (TBufferCoord{2, 3}));
  // In column mode, text of another program is pasted as a column too.
  edit.SetText(QStringLiteral("ab\r\ncd"));
  edit.SetSelectionMode(smColumn);
  edit.MoveCaretCollapsing({2, 1});
  edit.ProcessCommand(ecPaste);
  EXPECT_EQ(Lines(edit), QStringLiteral("axb|cyd| z"));

  // A column block reaches another program as lines of text.
  TCodeEdit source;
  ShowEditor(source);
  source.SetText(QStringLiteral("abcd\r\nef"));
  source.SetSelectionMode(smColumn);
  source.PlaceCaretAndSelection({4, 2}, {2, 1}, {4, 2});
  source.CopySelection();
  QPlainTextEdit other;
  other.paste();
  EXPECT_EQ(other.toPlainText(), QStringLiteral("bc\nf "));
  // With trailing blanks trimmed, a copy still has the block's width; a cut not.
  source.SetOptions(source.Options() | Opt(eoTrimTrailingSpaces));
  source.CopySelection();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("bc\nf "));
  source.CutSelection();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("bc\nf"));
  EXPECT_EQ(Lines(source), QStringLiteral("ad|e"));
  // An empty selection leaves the clipboard alone; a read-only editor pastes nothing.
  source.MoveCaretCollapsing({1, 1});
  source.ProcessCommand(ecCopy);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("bc\nf"));
  source.SetReadOnly(true);
  source.ProcessCommand(ecPaste);
  EXPECT_EQ(Lines(source), QStringLiteral("ad|e"));
}

// Drops through the drop event, with what a drag of the source carries.
void Drop(TCustomCodeEdit& target, TCustomCodeEdit& source, const QPoint& point, Qt::KeyboardModifiers modifiers) {
  const std::unique_ptr<QMimeData> data(source.DragMimeData());
  QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, modifiers);
  QCoreApplication::sendEvent(target.viewport(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDragMoveEvent move(point, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, modifiers);
  QCoreApplication::sendEvent(target.viewport(), &move);
  QDropEvent drop(point, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, modifiers);
  QCoreApplication::sendEvent(target.viewport(), &drop);
}

QPoint Before(const TCustomCodeEdit& edit, int charIndex, int line) {
  return edit.ScreenCoordToPixel({charIndex, line}) + QPoint(1, edit.RowHeight() / 2);
}

TEST(CodeEditClipboardTest, DraggingMovesOrCopiesTheSelection) {
  struct Case {
    const char* what;
    TBufferCoord anchor, activeEnd;
    TBufferCoord dropAt;
    Qt::KeyboardModifiers modifiers;
    QString text;
  };
  const Case cases[] = {
      {"moved after, on its line", {2, 1}, {4, 1}, {6, 1}, Qt::NoModifier, QStringLiteral("adebcf|ghij")},
      {"moved to the next line", {2, 1}, {4, 1}, {3, 2}, Qt::NoModifier, QStringLiteral("adef|ghbcij")},
      {"moved before", {4, 1}, {6, 1}, {2, 1}, Qt::NoModifier, QStringLiteral("adebcf|ghij")},
      {"lines taken out before the target", {3, 1}, {2, 2}, {4, 2}, Qt::NoModifier, QStringLiteral("abhicdef|gj")},
      {"copied with Ctrl", {2, 1}, {4, 1}, {1, 2}, Qt::ControlModifier, QStringLiteral("abcdef|bcghij")},
      {"dropped on itself: nothing", {2, 1}, {5, 1}, {3, 1}, Qt::NoModifier, QStringLiteral("abcdef|ghij")},
      {"dropped just after itself: nothing", {2, 1}, {4, 1}, {4, 1}, Qt::NoModifier, QStringLiteral("abcdef|ghij")},
      {"copied just after itself with Ctrl",
       {2, 1},
       {4, 1},
       {4, 1},
       Qt::ControlModifier,
       QStringLiteral("abcbcdef|ghij")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TCodeEdit edit;
    ShowEditor(edit);
    edit.SetText(QStringLiteral("abcdef\r\nghij"));
    edit.PlaceCaretAndSelection(c.activeEnd, c.anchor, c.activeEnd);
    Drop(edit, edit, Before(edit, c.dropAt.Char, c.dropAt.Line), c.modifiers);
    EXPECT_EQ(Lines(edit), c.text);
    edit.Undo();
    EXPECT_EQ(Lines(edit), QStringLiteral("abcdef|ghij"));
  }
}

TEST(CodeEditClipboardTest, DraggingBetweenEditorsCopiesOrMovesWithShift) {
  for (const bool move : {false, true}) {
    TCodeEdit source, target;
    ShowEditor(source);
    ShowEditor(target);
    source.SetText(QStringLiteral("select a"));
    target.SetText(QStringLiteral("from t"));
    source.PlaceCaretAndSelection({8, 1}, {1, 1}, {8, 1});
    Drop(target, source, Before(target, 6, 1), move ? Qt::ShiftModifier : Qt::NoModifier);
    EXPECT_EQ(target.Text(), QStringLiteral("from select t"));
    EXPECT_EQ(target.SelectedText(), QStringLiteral("select "));
    EXPECT_EQ(source.Text(), move ? QStringLiteral("a") : QStringLiteral("select a"));
    target.Undo();
    EXPECT_EQ(target.Text(), QStringLiteral("from t"));
  }
}

TEST(CodeEditClipboardTest, FilesDroppedFromOutsideReachTheDropEvent) {
  TCodeEdit edit;
  ShowEditor(edit);
  QStringList dropped;
  QPoint at;
  edit.OnDropFiles = [&](TCustomCodeEdit*, int x, int y, const QStringList& files) {
    dropped = files;
    at = QPoint(x, y);
  };
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.sql")), QUrl::fromLocalFile(QStringLiteral("/tmp/b.sql"))});
  QDragEnterEvent refused(QPoint(50, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(edit.viewport(), &refused);
  EXPECT_FALSE(refused.isAccepted()); // without eoDropFiles
  edit.SetOptions(edit.Options() | Opt(eoDropFiles));
  QDragEnterEvent enter(QPoint(50, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(edit.viewport(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPoint(50, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(edit.viewport(), &drop);
  EXPECT_EQ(dropped, (QStringList{QStringLiteral("/tmp/a.sql"), QStringLiteral("/tmp/b.sql")}));
  EXPECT_EQ(at, QPoint(50, 20));
}

} // namespace
