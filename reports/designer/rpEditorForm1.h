#pragma once
#include "reports/designer/rpTextEditorBase.h"

class QLabel;

// The text editor whose script part is a plain multi-line edit; the
// compiler's errors show in an error line under it until the next key or resize.
class TrpEditorForm1 : public TrpTextEditorBase {
  Q_OBJECT
public:
  explicit TrpEditorForm1(QWidget* parent = nullptr);

  // An untouched frame: exactly three lines whose trimmed texts are "begin", empty and "end".
  static bool IsEmptyFrame(const QStringList& lines);

  QWidget* ScriptPanel;
  QPlainTextEdit* ScriptEdit;
  QLabel* ErrorLine;

protected:
  QWidget* ScriptPart() const override { return ScriptPanel; }
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
  void PartKeyPressed() override { ClearScriptError(); }
  void resizeEvent(QResizeEvent* event) override;
};
