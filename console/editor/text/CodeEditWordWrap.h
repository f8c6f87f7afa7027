#pragma once
#include "console/editor/text/CodeEditSupport.h"
#include <vector>

class TCodeEditStringList;

// A plug-in that maps between unwrapped positions (column after tab
// expansion, line) and display positions (column, row). The control tells it
// about changed lines and a changed view width.
class ICodeEditBufferPlugin {
public:
  virtual ~ICodeEditBufferPlugin() = default;
  // Both take and give 1-based positions; positions beyond the described
  // lines or rows map one row per line.
  virtual TScreenCoord BufferToScreen(const TBufferCoord& position) = 0;
  virtual TBufferCoord ScreenToBuffer(const TScreenCoord& position) = 0;
  virtual int RowCount() const = 0;
  // Raises EListError for a row outside 1..RowCount.
  virtual int RowLength(int row) const = 0;
  // Line changes (0-based index): the rows added, the rows removed, and the
  // change in rows of the replaced lines.
  virtual int LinesInserted(int index, int count) = 0;
  virtual int LinesDeleted(int index, int count) = 0;
  virtual int LinesReplaced(int index, int count) = 0;
  virtual void ViewWidthChanged() = 0;
  virtual void Rebuild() = 0;
};

// What the word-wrap plug-in needs of its editor control.
class ICodeWordWrapHost {
public:
  virtual ~ICodeWordWrapHost() = default;
  virtual int VisibleColumns() const = 0;
  virtual TCodeCharSet EditorIdentifierChars() const = 0;
  virtual TCodeEditStringList& Lines() const = 0;
};

// Splits every line, after tab expansion, into display rows no wider than the
// control's visible columns, ending a row before a character that cannot be
// part of an identifier where it can. It keeps, per line, the rows up to and
// including it, and per row its width; a change re-wraps only its lines.
//
// A row is at most 65535 columns wide, so the window's whole width is used
// however wide it is. A character of two code units is never split: where a
// hard break would fall inside one it moves before it, or after it when that
// would leave an empty row (a one-column view).
class TCodeWordWrapPlugin : public ICodeEditBufferPlugin {
public:
  // Raises Exception without a host.
  explicit TCodeWordWrapPlugin(ICodeWordWrapHost* host);

  TScreenCoord BufferToScreen(const TBufferCoord& position) override;
  TBufferCoord ScreenToBuffer(const TScreenCoord& position) override;
  int RowCount() const override { return lineRowEnds_.empty() ? 0 : lineRowEnds_.back(); }
  int RowLength(int row) const override;
  int LinesInserted(int index, int count) override;
  int LinesDeleted(int index, int count) override;
  int LinesReplaced(int index, int count) override;
  void ViewWidthChanged() override;
  void Rebuild() override;

  int LineCount() const { return int(lineRowEnds_.size()); }
  int MaxRowWidth() const { return maxRowWidth_; }
  int MinRowWidth() const { return minRowWidth_; }

private:
  using Rows = std::vector<quint16>;
  // The rows of the 0-based line: first row index (0-based) and count.
  int FirstRowOf(int line) const { return line == 0 ? 0 : lineRowEnds_[line - 1]; }
  int RowsOf(int line) const { return lineRowEnds_[line] - FirstRowOf(line); }
  void BreakLine(int line, Rows& rows) const;
  void WrapAllLines();
  int RewrapLine(int line);

  ICodeWordWrapHost* host_;
  std::vector<int> lineRowEnds_;
  Rows rowWidths_;
  int minRowWidth_ = 0;
  int maxRowWidth_ = 0;
  TCodeCharSet breakCharacters_;
};
