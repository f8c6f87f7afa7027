#pragma once
#include "console/editor/CodeEdit.h"

// The editor control that also answers as a multi-line edit control, so that
// other software can read and change its text and selection: the edit
// control's requests are methods (offsets count a line break as two
// characters; packed results keep their 16-bit halves), and screen readers
// reach the same through Qt's accessible text and editable-text interfaces.
class TCodeMemo : public TCodeEdit {
  Q_OBJECT
public:
  explicit TCodeMemo(QWidget* parent = nullptr);

  // Selection start in the low 16 bits, end in the high 16; each also stored
  // where a pointer is given.
  quint32 EmGetSel(int* start = nullptr, int* end = nullptr) const;
  void EmSetSel(int start, int end);
  int EmGetModify() const { return Modified() ? 1 : 0; }
  void EmSetModify(bool modified) { SetModified(modified); }
  int EmGetLineCount() const { return Lines().Count(); }
  // Replaces the selection, as one undo step when `canUndo`; nothing on a
  // read-only editor.
  void EmReplaceSel(const QString& text, bool canUndo);
  // Copies at most buffer[0] characters of the 0-based line to the buffer's
  // start; returns how many (0 for a line that does not exist).
  int EmGetLine(int line, char16_t* buffer) const;
  int EmCanUndo() const { return CanUndo() ? 1 : 0; }
  // 1 when there was something to undo (and it is undone), else 0.
  int EmUndo();
  int EmGetFirstVisibleLine() const { return TopRow() - 1; }
  // The client point (x low, y high 16 bits) to the offset (low 16) and the
  // 0-based line (high 16) of the character there.
  quint32 EmCharFromPos(quint32 point) const;
  // Copies the selected text and a closing NUL to the buffer; its length.
  int EmGetSelText(char16_t* buffer) const;

  // The offset of a client point, as EmCharFromPos finds it (not packed).
  int OffsetAtPoint(const QPoint& point) const;

protected:
  void FireStatusChange() override;
};
