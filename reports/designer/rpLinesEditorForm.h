#pragma once
#include "core/ui/Form.h"
#include <functional>

class QPlainTextEdit;
class TrpSpeedButton;

// The modal editor of a text of lines: a tool bar of cut, copy, paste,
// cancel and OK above the memo M1. The caller sets M1's text, shows the form
// and reads the text back after OK (1); Cancel (2) leaves the caller's text
// alone. Ctrl+Enter closes with OK; M1's modified flag tells whether the
// user changed the text.
class TrpLinesEditorForm : public TForm {
  Q_OBJECT
public:
  explicit TrpLinesEditorForm(QWidget* parent = nullptr);

  QPlainTextEdit* M1 = nullptr;
  TrpSpeedButton *CutBtn = nullptr, *CopyBtn = nullptr, *PasteBtn = nullptr, *CancelBtn = nullptr, *OkBtn = nullptr;

  // Shows the form over the text; true (the text replaced by the memo's) after OK.
  static bool Edit(QString& text, bool* modified = nullptr);

protected:
  bool FormKeyDown(QKeyEvent* event) override;
};

// The clipboard operations of an editor's memo.
struct TrpMemoClipboard {
  std::function<void()> Cut, Copy, Paste;
};
// The tool bar of the editors of lines (cut, copy, paste, cancel, OK) on
// `bar`, 33 pixels high, the buttons 24 x 24 at y 6 from x; returned in that order.
QList<TrpSpeedButton*> rpAddEditBar(TForm& form, QWidget& bar, const TrpMemoClipboard& memo, int x = 4);
// The 24 x 24 glyphs of the editors' buttons, drawn in code: "cut", "copy", "paste", "cancel", "ok", "open", "save",
// "builder".
QImage rpEditorGlyph(const char* name);
