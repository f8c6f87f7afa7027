#include "reports/designer/rpSyntaxMemoText.h"
#include <algorithm>

namespace {

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Upper case by the ASCII rule: letters with diacritics stay as they are.
QString AsciiUpper(const QString& text) {
  QString result = text;
  for (QChar& c : result)
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 32);
  return result;
}

} // namespace

TrpSyntaxMemoText::TrpSyntaxMemoText() : lines_{QString()} {
  std::fill(std::begin(bookmarks_), std::end(bookmarks_), -1);
}

QString TrpSyntaxMemoText::TrimmedRight(const QString& line) {
  qsizetype n = line.size();
  while (n > 0 && line[n - 1] == QLatin1Char(' '))
    --n;
  return line.left(n);
}

int TrpSyntaxMemoText::FirstNonBlank(const QString& line) {
  for (qsizetype i = 0; i < line.size(); ++i)
    if (line[i] != QLatin1Char(' ')) return int(i) + 1;
  return 0;
}

QStringList TrpSyntaxMemoText::Lines() {
  for (QString& line : lines_)
    line = TrimmedRight(line);
  return lines_;
}

void TrpSyntaxMemoText::SetLines(const QStringList& lines) {
  lines_ = lines.isEmpty() ? QStringList{QString()} : lines;
  undo_.clear();
  column_ = line_ = 1;
  ClearSelection();
}

void TrpSyntaxMemoText::MoveCaret(int column, int line) {
  FooterMessage.clear();
  column_ = std::clamp(column, 1, kMaxColumn);
  line_ = std::clamp(line, 1, LineCount());
}

void TrpSyntaxMemoText::SetSelection(const QPoint& anchor, const QPoint& end) {
  // Both points lie on the text, so the edits that use them never reach past its last line.
  const auto onText = [this](const QPoint& p) {
    return QPoint(std::clamp(p.x(), 1, kMaxColumn), std::clamp(p.y(), 1, LineCount()));
  };
  anchor_ = onText(anchor);
  end_ = onText(end);
}

void TrpSyntaxMemoText::SelectAll() {
  const QPoint last(int(lines_.last().size()) + 1, LineCount());
  SetSelection(QPoint(1, 1), last);
  MoveCaret(last.x(), last.y());
}

qsizetype TrpSyntaxMemoText::Offset(int column, int line) const {
  qsizetype offset = 0;
  for (int i = 0; i < line - 1; ++i)
    offset += lines_[i].size() + 2;
  return offset + column - 1;
}

QString TrpSyntaxMemoText::SelectedText() const {
  if (!HasSelection()) return {};
  QPoint start = SelectionStart(), end = SelectionEnd();
  if (start.y() <= LineCount() && start.x() > lines_[start.y() - 1].size() + 1 && start.y() < LineCount())
    start = QPoint(1, start.y() + 1);
  end.setX(std::min<int>(end.x(), int(lines_[end.y() - 1].size()) + 1));
  start.setX(std::min<int>(start.x(), int(lines_[start.y() - 1].size()) + 1));
  const qsizetype from = Offset(start.x(), start.y()), to = Offset(end.x(), end.y());
  return to > from ? WholeText().mid(from, to - from) : QString();
}

void TrpSyntaxMemoText::PushUndo() {
  if (undo_.size() >= kUndoSteps) undo_.removeFirst();
  undo_.append(QStringLiteral("%1%2").arg(column_, 5).arg(line_, 5) + WholeText());
}

void TrpSyntaxMemoText::SetText(const QString& text) {
  lines_ = text.split(QStringLiteral("\r\n"));
  if (lines_.isEmpty()) lines_.append(QString());
}

void TrpSyntaxMemoText::MoveBookmarksBelow(int lineIndex, int by) {
  for (int& mark : bookmarks_)
    if (mark > lineIndex) mark = std::max(mark + by, 0);
}

void TrpSyntaxMemoText::InsertText(const QString& text) {
  if (ReadOnly) return;
  PushUndo();
  QPoint start(column_, line_), end(column_, line_);
  if (HasSelection()) {
    start = SelectionStart();
    end = SelectionEnd();
  }
  QString& first = lines_[start.y() - 1];
  if (start.x() > first.size() + 1) first = first.leftJustified(start.x() - 1, QLatin1Char(' '));
  end.setX(std::min<int>(end.x(), int(lines_[end.y() - 1].size()) + 1));
  QString whole = WholeText();
  const qsizetype from = Offset(start.x(), start.y()), to = std::max(Offset(end.x(), end.y()), from);
  whole.replace(from, to - from, text);
  const int keptLine = line_;
  SetText(whole);
  // The caret stands behind the inserted text.
  const QString before = whole.left(from + text.size());
  const qsizetype lastBreak = before.lastIndexOf(QStringLiteral("\r\n"));
  line_ = int(before.count(QStringLiteral("\r\n"))) + 1;
  column_ = std::min<int>(int(lastBreak < 0 ? before.size() : before.size() - lastBreak - 2) + 1, kMaxColumn);
  MoveBookmarksBelow(keptLine - 1, line_ - keptLine);
  ClearSelection();
}

void TrpSyntaxMemoText::Enter() {
  if (ReadOnly) return;
  const QString line = lines_[line_ - 1];
  const QString kept = TrimmedRight(line.left(column_ - 1));
  lines_[line_ - 1] = kept;
  lines_.insert(line_, line.mid(column_ - 1, kMaxColumn)); // may move the list's strings
  MoveBookmarksBelow(line_ - 1, 1);
  const int indent = FirstNonBlank(kept) > 0 ? FirstNonBlank(kept) : column_;
  MoveCaret(1, line_ + 1);
  ClearSelection();
  if (indent > 1) InsertText(QString(indent - 1, QLatin1Char(' ')));
}

void TrpSyntaxMemoText::Tab() {
  if (ReadOnly) return;
  int target = 0;
  for (int i = line_ - 2; i >= 0 && target == 0; --i) {
    const QString above = TrimmedRight(lines_[i]);
    if (above.size() < column_) continue;
    qsizetype at = column_ - 1;
    if (above[at] != QLatin1Char(' ')) {
      while (at < above.size() && above[at] != QLatin1Char(' '))
        ++at; // over the word
    }
    while (at < above.size() && above[at] == QLatin1Char(' '))
      ++at;
    target = int(at) + 1;
  }
  if (target > column_) InsertText(QString(target - column_, QLatin1Char(' ')));
}

void TrpSyntaxMemoText::Delete() {
  if (ReadOnly) return;
  FooterMessage.clear();
  if (HasSelection()) {
    InsertText(QString());
    return;
  }
  PushUndo();
  QString& line = lines_[line_ - 1];
  if (column_ > TrimmedRight(line).size() && line_ < LineCount()) {
    line = line.leftJustified(column_ - 1, QLatin1Char(' '), true) + TrimmedRight(lines_[line_]);
    lines_.removeAt(line_);
    MoveBookmarksBelow(line_ - 1, -1);
  } else if (column_ <= line.size()) {
    line.remove(column_ - 1, 1);
  }
}

void TrpSyntaxMemoText::Backspace() {
  if (ReadOnly) return;
  FooterMessage.clear();
  if (HasSelection()) {
    InsertText(QString());
    return;
  }
  if (column_ == 1) {
    if (line_ == 1) return;
    PushUndo();
    MoveBookmarksBelow(line_ - 1, -1);
    QString& previous = lines_[line_ - 2];
    previous = TrimmedRight(previous);
    const int join = int(previous.size()) + 1;
    previous += lines_[line_ - 1];
    lines_.removeAt(line_ - 1);
    MoveCaret(join, line_ - 1);
    return;
  }
  const QString& line = lines_[line_ - 1];
  const int first = FirstNonBlank(line);
  if (first == 0 || first == column_) {
    // Unindent to the indentation of the nearest line above that is less indented; never past the caret.
    int target = 1;
    for (int i = line_ - 2; i >= 0; --i) {
      const int indent = FirstNonBlank(lines_[i]);
      if (indent > 0 && indent < column_) {
        target = indent;
        break;
      }
    }
    const int caret = column_;
    SetSelection(QPoint(target, line_), QPoint(caret, line_));
    InsertText(QString());
    MoveCaret(target, line_);
    return;
  }
  PushUndo();
  if (column_ - 1 <= line.size()) lines_[line_ - 1].remove(column_ - 2, 1);
  MoveCaret(column_ - 1, line_);
}

void TrpSyntaxMemoText::ShiftBlock(bool indent) {
  if (ReadOnly || !HasSelection()) return;
  const QPoint start = SelectionStart(), end = SelectionEnd();
  const int last = end.x() == 1 && end.y() > start.y() ? end.y() - 1 : end.y();
  PushUndo();
  if (indent) {
    for (int i = start.y(); i <= last; ++i)
      lines_[i - 1].prepend(QStringLiteral("  "));
    return;
  }
  int least = 2;
  for (int i = start.y(); i <= last; ++i)
    if (const int first = FirstNonBlank(lines_[i - 1]); first > 0) least = std::min(least, first - 1);
  for (int i = start.y(); i <= last; ++i)
    if (FirstNonBlank(lines_[i - 1]) > 0) lines_[i - 1].remove(0, least);
}

void TrpSyntaxMemoText::DeleteLine() {
  if (ReadOnly) return;
  PushUndo();
  ClearSelection(); // it may have covered the line
  if (line_ < LineCount()) {
    lines_.removeAt(line_ - 1);
    MoveBookmarksBelow(line_ - 1, -1);
  } else {
    lines_[line_ - 1].clear();
    MoveCaret(1, line_);
  }
}

void TrpSyntaxMemoText::Undo() {
  if (undo_.isEmpty()) return;
  const QString snapshot = undo_.takeLast();
  SetText(snapshot.mid(10));
  ClearSelection();
  MoveCaret(snapshot.left(5).trimmed().toInt(), snapshot.mid(5, 5).trimmed().toInt());
}

void TrpSyntaxMemoText::WordLeft() {
  const QString& line = lines_[line_ - 1];
  int at = std::min<int>(column_ - 1, int(line.size())); // characters before the caret
  while (at > 0 && !IsWordChar(line[at - 1]))
    --at;
  if (at == 0) {
    if (line_ > 1)
      MoveCaret(int(TrimmedRight(lines_[line_ - 2]).size()) + 1, line_ - 1);
    else
      MoveCaret(1, 1);
    return;
  }
  while (at > 0 && IsWordChar(line[at - 1]))
    --at;
  MoveCaret(at + 1, line_);
}

void TrpSyntaxMemoText::WordRight() {
  const QString line = TrimmedRight(lines_[line_ - 1]);
  if (column_ > line.size()) {
    if (line_ < LineCount()) MoveCaret(1, line_ + 1);
    return;
  }
  int at = column_ - 1;
  while (at < line.size() && IsWordChar(line[at]))
    ++at;
  while (at < line.size() && !IsWordChar(line[at]))
    ++at;
  MoveCaret(at + 1, line_);
}

void TrpSyntaxMemoText::LineEnd() { MoveCaret(int(TrimmedRight(lines_[line_ - 1]).size()) + 1, line_); }

void TrpSyntaxMemoText::TextEnd() { MoveCaret(int(TrimmedRight(lines_.last()).size()) + 1, LineCount()); }

void TrpSyntaxMemoText::SelectWordAtCaret() {
  const QString& line = lines_[line_ - 1];
  if (column_ - 1 < line.size() && IsWordChar(line[column_ - 1]) && column_ > 1 && IsWordChar(line[column_ - 2]))
    WordLeft();
  else if (column_ - 1 >= line.size() || !IsWordChar(line[column_ - 1]))
    WordLeft();
  const QPoint anchor(column_, line_);
  int at = column_ - 1;
  const QString& current = lines_[line_ - 1];
  while (at < current.size() && IsWordChar(current[at]))
    ++at;
  MoveCaret(at + 1, line_);
  SetSelection(anchor, QPoint(column_, line_));
}

int TrpSyntaxMemoText::BookmarkOfLine(int index) const {
  for (int d = 0; d < 10; ++d)
    if (bookmarks_[d] == index) return d;
  return -1;
}

void TrpSyntaxMemoText::ToggleBookmark(int digit) {
  const int held = BookmarkOfLine(line_ - 1);
  if (held == -1)
    bookmarks_[digit] = line_ - 1;
  else if (held == digit)
    bookmarks_[digit] = -1;
}

void TrpSyntaxMemoText::GotoBookmark(int digit) {
  if (bookmarks_[digit] >= 0) MoveCaret(1, bookmarks_[digit] + 1);
}

bool TrpSyntaxMemoText::FindText(const QString& text) {
  const QString wanted = AsciiUpper(text);
  if (!wanted.isEmpty()) {
    // The rest of the caret line first, then the lines after it.
    const qsizetype from = std::min<qsizetype>(column_, lines_[line_ - 1].size() + 1);
    if (const qsizetype at = AsciiUpper(lines_[line_ - 1]).indexOf(wanted, from); at >= 0) {
      MoveCaret(int(at) + 1, line_);
      return true;
    }
    for (int i = line_; i < LineCount(); ++i)
      if (const qsizetype at = AsciiUpper(lines_[i]).indexOf(wanted); at >= 0) {
        MoveCaret(int(at) + 1, i + 1);
        return true;
      }
  }
  FooterMessage = QStringLiteral("Text \"") + text + QStringLiteral("\" not found.");
  return false;
}
