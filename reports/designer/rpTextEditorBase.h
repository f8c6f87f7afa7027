#pragma once
#include "reports/engine/ui/rpObjEditorForm.h"

class QPlainTextEdit;
class QSplitter;
class QToolBar;
class QToolButton;

// What the two text editors share: the tool bar, the text part (the
// object's Memo) above a splitter, the script part below it, the fonts and
// splitter place kept in the registry, the check of the script on OK and the
// write-back of both parts. The script part is the subclass's.
class TrpTextEditorBase : public TrpObjEditorForm {
  Q_OBJECT
public:
  explicit TrpTextEditorBase(QWidget* parent = nullptr);

  // Edits the object's text and script modally; after OK (1) both are stored.
  int ShowEditor(TrpView* object) override;
  // OK: compiles the script; closes with 1 when it compiles, else shows the first error.
  void OkBtnClick();
  // Inserts at the caret of the part entered last, replacing its selection.
  void InsertText(const QString& text);
  bool ScriptShown() const;
  // Line and column of an error line "Line <line>/<column>: message" (0 and 1 without "/").
  static QPoint ErrorPosition(const QString& error);

  QToolBar* ToolBar;
  QToolButton* OkBtn;
  QToolButton* CancelBtn;
  QToolButton* ExprBtn;
  QToolButton* DBFieldBtn;
  QToolButton* WordWrapBtn;
  QToolButton* ScriptBtn;
  QToolButton* CutBtn;
  QToolButton* CopyBtn;
  QToolButton* PasteBtn;
  QSplitter* Splitter;
  QPlainTextEdit* TextMemo;

protected:
  // The script part: its widget, text and the rule of an untouched frame.
  virtual QWidget* ScriptPart() const = 0;
  virtual void SetScript(const QStringList& lines) = 0;
  virtual QStringList Script() const = 0;
  virtual bool IsEmptyScript(const QStringList& lines) const = 0;
  virtual void SetScriptReadOnly(bool readOnly) = 0;
  virtual void SetScriptFont(const QFont& font) = 0;
  virtual void ClearScriptError() = 0;
  // Shows the compiler's errors (at least one) and puts the caret on the first.
  virtual void ShowScriptErrors(const QStringList& errors) = 0;
  virtual void InsertIntoScript(const QString& text) = 0;
  virtual void ScriptCut() = 0;
  virtual void ScriptCopy() = 0;
  virtual void ScriptPaste() = 0;
  // A key reached one of the parts.
  virtual void PartKeyPressed() {}
  // Puts the script part into the splitter; subclasses call it once in their constructor.
  void AttachScriptPart();
  void AddToolButton(QToolButton* button);

  bool FormKeyDown(QKeyEvent* event) override;
  void FormShow() override;
  void FormClose(TCloseAction& action) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  QToolButton* NewButton(const QString& hint, const QString& text);
  void ApplyFonts();
  void ApplyLayout();
  void StoreEdits();
  void ShowScriptPart(bool show);

  TrpView* object_ = nullptr;
  bool hasTextPart_ = true;
  bool scriptVisible_ = true;
  bool scriptTargeted_ = false;
  int splitterPos_ = 100;
};
