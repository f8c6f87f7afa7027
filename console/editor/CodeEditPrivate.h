#pragma once
#include "console/editor/CodeEdit.h"

// A blank between words: space or tab.
inline bool IsBlankChar(QChar c) { return c == u' ' || c == u'\t'; }

// Holds the control's paint lock for a scope; the deferred caret, scroll-bar
// and status work runs when the outermost lock ends, also after an error.
class TCodeEditPaintLock {
public:
  explicit TCodeEditPaintLock(TCustomCodeEdit& edit) : edit_(edit) { edit_.BeginPaintLock(); }
  ~TCodeEditPaintLock() noexcept(false) { edit_.EndPaintLock(); }
  TCodeEditPaintLock(const TCodeEditPaintLock&) = delete;
  TCodeEditPaintLock& operator=(const TCodeEditPaintLock&) = delete;

private:
  TCustomCodeEdit& edit_;
};

// Switches one option on or off for a scope, without the option setter's side
// effects (undo and redo reproduce positions past the line ends this way),
// and puts it back afterwards, also after an error.
class TCodeEditOptionSwitch {
public:
  TCodeEditOptionSwitch(TCustomCodeEdit& edit, TCodeEditorOption option, bool on)
      : edit_(edit), option_(option), was_(edit.HasOption(option)) {
    Set(on);
  }
  ~TCodeEditOptionSwitch() { Set(was_); }
  TCodeEditOptionSwitch(const TCodeEditOptionSwitch&) = delete;
  TCodeEditOptionSwitch& operator=(const TCodeEditOptionSwitch&) = delete;

private:
  void Set(bool on) { edit_.options_ = on ? (edit_.options_ | Opt(option_)) : (edit_.options_ & ~Opt(option_)); }
  TCustomCodeEdit& edit_;
  TCodeEditorOption option_;
  bool was_;
};

// Keeps an undo block of the control open for a scope.
class TCodeEditUndoBlock {
public:
  explicit TCodeEditUndoBlock(TCustomCodeEdit& edit) : edit_(edit) { edit_.BeginUndoBlock(); }
  ~TCodeEditUndoBlock() { edit_.EndUndoBlock(); }
  TCodeEditUndoBlock(const TCodeEditUndoBlock&) = delete;
  TCodeEditUndoBlock& operator=(const TCodeEditUndoBlock&) = delete;

private:
  TCustomCodeEdit& edit_;
};

// The segments of a text cut at its line breaks (CR LF, CR or LF), up to a
// NUL; `endsWithBreak` tells whether the text's last segment is empty because
// the text ended with a break.
QStringList SplitAtLineBreaks(const QString& text, bool* endsWithBreak = nullptr);
// The text without its trailing blanks (spaces and tabs).
QString TrimTrailingBlanks(QString text);
// Each of the two 1-based character indexes that lies on the second half of
// a two-unit character moves one to the right.
void SnapColumnsToCharBounds(QStringView text, int& a, int& b);
