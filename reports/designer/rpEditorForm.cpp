#include "reports/designer/rpEditorForm.h"
#include "reports/designer/rpAttrEditorForm.h"
#include "reports/designer/rpSyntaxMemo.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

TrpEditorForm::TrpEditorForm(QWidget* parent) : TrpTextEditorBase(parent), ScriptMemo(new TrpSyntaxMemo(this)) {
  ScriptMemo->SetSyntaxType(TSyntaxType::stPascal);
  AttachScriptPart();
  TagBtn = new QToolButton(ToolBar);
  TagBtn->setText(QStringLiteral("Tag"));
  TagBtn->setToolTip(rpLoadStr(53740));
  TagBtn->setFocusPolicy(Qt::NoFocus);
  AddToolButton(TagBtn);
  connect(TagBtn, &QToolButton::clicked, this, [] { TrpAttrEditorForm::EditTag(nullptr); });
}

bool TrpEditorForm::IsEmptyFrame(const QStringList& lines) {
  QString text = lines.join(QString());
  text.removeIf([](QChar c) { return c.unicode() <= 32; });
  return text.isEmpty() || text.compare(QStringLiteral("beginend"), Qt::CaseInsensitive) == 0;
}

QWidget* TrpEditorForm::ScriptPart() const { return ScriptMemo; }

void TrpEditorForm::SetScript(const QStringList& lines) { ScriptMemo->SetLines(lines); }

QStringList TrpEditorForm::Script() const { return ScriptMemo->Lines(); }

void TrpEditorForm::SetScriptReadOnly(bool readOnly) { ScriptMemo->SetReadOnly(readOnly); }

void TrpEditorForm::SetScriptFont(const QFont& font) { ScriptMemo->SetMemoFont(font); }

void TrpEditorForm::ClearScriptError() { ScriptMemo->SetFooterMessage(QString()); }

void TrpEditorForm::ShowScriptErrors(const QStringList& errors) {
  const QPoint at = ErrorPosition(errors.first());
  ScriptMemo->MoveCaret(at.x(), at.y());
  ScriptMemo->SetFooterMessage(errors.first());
}

void TrpEditorForm::InsertIntoScript(const QString& text) { ScriptMemo->InsertText(text); }

void TrpEditorForm::ScriptCut() { ScriptMemo->CutToClipboard(); }

void TrpEditorForm::ScriptCopy() { ScriptMemo->CopyToClipboard(); }

void TrpEditorForm::ScriptPaste() { ScriptMemo->PasteFromClipboard(); }
