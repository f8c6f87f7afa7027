#pragma once
#include "reports/designer/rpTextEditorBase.h"

class TrpSyntaxMemo;

// The text editor whose script part is the syntax memo: keywords, comments
// and strings coloured, the first error of the script in its footer with the
// caret on it. Its tag button edits the designer's selected object's tag.
class TrpEditorForm : public TrpTextEditorBase {
  Q_OBJECT
public:
  explicit TrpEditorForm(QWidget* parent = nullptr);

  // An untouched frame: nothing but "begin" and "end" (any case) once every character up to code 32 is gone.
  static bool IsEmptyFrame(const QStringList& lines);

  TrpSyntaxMemo* ScriptMemo;
  QToolButton* TagBtn;

protected:
  QWidget* ScriptPart() const override;
  void SetScript(const QStringList& lines) override;
  QStringList Script() const override;
  bool IsEmptyScript(const QStringList& lines) const override { return IsEmptyFrame(lines); }
  void SetScriptReadOnly(bool readOnly) override;
  void SetScriptFont(const QFont& font) override;
  void ClearScriptError() override;
  void ShowScriptErrors(const QStringList& errors) override;
  void InsertIntoScript(const QString& text) override;
  void ScriptCut() override;
  void ScriptCopy() override;
  void ScriptPaste() override;
};
