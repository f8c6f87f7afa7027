#pragma once
#include <QtCore/QList>
#include <QtCore/QPoint>
#include <QtCore/QString>
#include <QtCore/QStringList>

// The text of the syntax memo without a window: the line list, the caret
// (column and line, 1-based; the column may stand beyond a line's end, up to
// 1024), the selection, a 32-step undo of whole-text snapshots, ten
// bookmarks, the line search and every edit the keys make. Lines may carry
// trailing blanks inside; Lines() gives them trimmed.
class TrpSyntaxMemoText {
public:
  static constexpr int kMaxColumn = 1024;
  static constexpr int kUndoSteps = 32;

  TrpSyntaxMemoText();

  // The lines with their trailing blanks removed (also inside).
  QStringList Lines();
  // Replaces the text; caret (1, 1), no selection, empty undo stack.
  void SetLines(const QStringList& lines);
  const QStringList& StoredLines() const { return lines_; }
  int LineCount() const { return int(lines_.size()); }

  bool ReadOnly = false;

  // --- caret and selection
  int CaretColumn() const { return column_; }
  int CaretLine() const { return line_; }
  // Clamped to 1..1024 and 1..line count.
  void MoveCaret(int column, int line);
  bool HasSelection() const { return anchor_.x() != 0; }
  // Points beyond the text are moved onto it (column 1..1024, line 1..line count).
  void SetSelection(const QPoint& anchor, const QPoint& end);
  void ClearSelection() { anchor_ = end_ = QPoint(); }
  void SelectAll();
  QString SelectedText() const;
  QPoint SelectionAnchor() const { return anchor_; }
  // The earlier and the later point of the selection (the later one exclusive).
  QPoint SelectionStart() const { return Key(anchor_) <= Key(end_) ? anchor_ : end_; }
  QPoint SelectionEnd() const { return Key(anchor_) <= Key(end_) ? end_ : anchor_; }
  // Whether the cell lies inside the selection.
  bool IsSelected(int column, int line) const {
    return HasSelection() && Key(SelectionStart()) <= Key(QPoint(column, line)) &&
           Key(QPoint(column, line)) < Key(SelectionEnd());
  }

  // --- edits (none while ReadOnly)
  // Replaces the selection, or inserts at the caret (padding the line when the caret stands beyond its end).
  void InsertText(const QString& text);
  void Enter();
  void Tab();
  void Delete();
  void Backspace();
  // Indents (two blanks) or unindents the lines of the selection.
  void ShiftBlock(bool indent);
  void DeleteLine();
  void Undo();
  int UndoCount() const { return int(undo_.size()); }

  // --- navigation (the caret may stand beyond a line's end)
  void WordLeft();
  void WordRight();
  void LineEnd();
  void TextEnd();
  void SelectWordAtCaret();

  // --- bookmarks 0..9: line indices, -1 unset
  int Bookmark(int digit) const { return bookmarks_[digit]; }
  // Sets the digit on the caret line, clears it there, or does nothing when the line holds another one.
  void ToggleBookmark(int digit);
  void GotoBookmark(int digit);
  // The digit marking the line (0-based), or -1.
  int BookmarkOfLine(int index) const;

  // Searches from behind the caret, then the following lines, comparing
  // without regard to ASCII letter case; on a hit the caret goes to the match.
  bool FindText(const QString& text);
  QString FooterMessage;

private:
  void PushUndo();
  QString WholeText() const { return lines_.join(QStringLiteral("\r\n")); }
  void SetText(const QString& text);
  // A point's position in the whole text.
  qsizetype Offset(int column, int line) const;
  static qsizetype Key(const QPoint& p) { return qsizetype(p.y()) * kMaxColumn + p.x(); }
  void MoveBookmarksBelow(int lineIndex, int by);
  static QString TrimmedRight(const QString& line);
  static int FirstNonBlank(const QString& line); // 1-based; 0 for a blank line

  QStringList lines_;
  int column_ = 1, line_ = 1;
  QPoint anchor_, end_;
  QStringList undo_;
  int bookmarks_[10];
};
