#include "console/editor/text/CodeEditWordWrap.h"
#include "console/editor/text/CodeEditErrors.h"
#include "console/editor/text/CodeEditStringList.h"
#include <algorithm>

TCodeWordWrapPlugin::TCodeWordWrapPlugin(ICodeWordWrapHost* host) : host_(host) {
  if (!host_) throw Exception(QStringLiteral("Owner of TCodeWordWrapPlugin must be a TCustomCodeEdit"));
  Rebuild();
}

void TCodeWordWrapPlugin::Rebuild() {
  maxRowWidth_ = ClampInt(host_->VisibleColumns(), 0, 65535);
  minRowWidth_ = qMax(1, maxRowWidth_ - maxRowWidth_ / 3);
  breakCharacters_ = host_->EditorIdentifierChars().Complement();
  WrapAllLines();
}

void TCodeWordWrapPlugin::ViewWidthChanged() {
  if (ClampInt(host_->VisibleColumns(), 0, 65535) != maxRowWidth_) Rebuild();
}

void TCodeWordWrapPlugin::BreakLine(int line, Rows& rows) const {
  rows.clear();
  const QString text = host_->Lines().GetExpandedLine(line);
  const int length = int(text.size());
  int start = 0;
  for (int p = start + maxRowWidth_; p < length; p = start + maxRowWidth_) {
    for (int q = p; q >= start + minRowWidth_ + 1; --q) {
      if (breakCharacters_.Contains(text[q])) {
        p = q;
        break;
      }
    }
    if (text[p].isLowSurrogate() && text[p - 1].isHighSurrogate()) p += p - 1 > start ? -1 : 1;
    rows.push_back(quint16(p - start));
    start = p;
  }
  if (start < length || length == 0) rows.push_back(quint16(length - start));
}

void TCodeWordWrapPlugin::WrapAllLines() {
  lineRowEnds_.clear();
  rowWidths_.clear();
  const TCodeEditStringList& lines = host_->Lines();
  if (lines.Count() == 0 || maxRowWidth_ == 0) {
    lineRowEnds_.shrink_to_fit();
    rowWidths_.shrink_to_fit();
    return;
  }
  lineRowEnds_.reserve(lines.Count());
  rowWidths_.reserve(lines.Count());
  Rows rows;
  for (int line = 0; line < lines.Count(); ++line) {
    BreakLine(line, rows);
    rowWidths_.insert(rowWidths_.end(), rows.begin(), rows.end());
    lineRowEnds_.push_back(int(rowWidths_.size()));
  }
}

int TCodeWordWrapPlugin::RewrapLine(int line) {
  Rows rows;
  BreakLine(line, rows);
  const int first = FirstRowOf(line);
  const int old = RowsOf(line);
  const int delta = int(rows.size()) - old;
  rowWidths_.erase(rowWidths_.begin() + first, rowWidths_.begin() + first + old);
  rowWidths_.insert(rowWidths_.begin() + first, rows.begin(), rows.end());
  for (auto end = lineRowEnds_.begin() + line; end != lineRowEnds_.end(); ++end)
    *end += delta;
  return delta;
}

int TCodeWordWrapPlugin::LinesInserted(int index, int count) {
  if (maxRowWidth_ == 0) return 0;
  Q_ASSERT(index >= 0 && index <= LineCount() && count > 0);
  lineRowEnds_.insert(lineRowEnds_.begin() + index, count, FirstRowOf(index));
  int added = 0;
  for (int line = index; line < index + count; ++line)
    added += RewrapLine(line);
  return added;
}

int TCodeWordWrapPlugin::LinesDeleted(int index, int count) {
  if (maxRowWidth_ == 0) return 0;
  Q_ASSERT(index >= 0 && count > 0 && index + count <= LineCount());
  const int firstRow = FirstRowOf(index);
  const int removed = lineRowEnds_[index + count - 1] - firstRow;
  rowWidths_.erase(rowWidths_.begin() + firstRow, rowWidths_.begin() + firstRow + removed);
  lineRowEnds_.erase(lineRowEnds_.begin() + index, lineRowEnds_.begin() + index + count);
  for (auto end = lineRowEnds_.begin() + index; end != lineRowEnds_.end(); ++end)
    *end -= removed;
  return removed;
}

int TCodeWordWrapPlugin::LinesReplaced(int index, int count) {
  if (maxRowWidth_ == 0) return 0;
  Q_ASSERT(index >= 0 && count > 0 && index + count <= LineCount());
  int delta = 0;
  for (int line = index; line < index + count; ++line)
    delta += RewrapLine(line);
  return delta;
}

int TCodeWordWrapPlugin::RowLength(int row) const {
  if (row < 1 || row > RowCount()) throw EListError(QStringLiteral("List index je mimo rozsahu (%1)").arg(row));
  return rowWidths_[row - 1];
}

TScreenCoord TCodeWordWrapPlugin::BufferToScreen(const TBufferCoord& position) {
  Q_ASSERT(position.Char >= 1 && position.Line >= 1);
  if (position.Line > LineCount()) return {position.Char, RowCount() + (position.Line - LineCount())};
  const int line = position.Line - 1;
  const int first = FirstRowOf(line);
  const int last = lineRowEnds_[line] - 1;
  int before = 0;
  for (int row = first; row < last; ++row) {
    if (before + rowWidths_[row] >= position.Char) return {position.Char - before, row + 1};
    before += rowWidths_[row];
  }
  return {position.Char - before, last + 1};
}

TBufferCoord TCodeWordWrapPlugin::ScreenToBuffer(const TScreenCoord& position) {
  Q_ASSERT(position.Column >= 1 && position.Row >= 1);
  if (position.Row > RowCount()) return {position.Column, position.Row - RowCount() + LineCount()};
  const int row = position.Row - 1;
  const int line = int(std::upper_bound(lineRowEnds_.begin(), lineRowEnds_.end(), row) - lineRowEnds_.begin());
  const int first = FirstRowOf(line);
  const bool lastRow = row == lineRowEnds_[line] - 1;
  int charIndex = qMin(position.Column, (lastRow ? maxRowWidth_ : rowWidths_[row]) + 1);
  for (int r = first; r < row; ++r)
    charIndex += rowWidths_[r];
  return {charIndex, line + 1};
}
