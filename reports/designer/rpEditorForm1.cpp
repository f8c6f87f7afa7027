#include "reports/designer/rpEditorForm1.h"
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QVBoxLayout>

TrpEditorForm1::TrpEditorForm1(QWidget* parent) : TrpTextEditorBase(parent) {
  ScriptPanel = new QWidget(this);
  ScriptEdit = new QPlainTextEdit(ScriptPanel);
  ScriptEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
  ErrorLine = new QLabel(ScriptPanel);
  ErrorLine->setTextFormat(Qt::PlainText);
  ErrorLine->setAutoFillBackground(true);
  QPalette palette = ErrorLine->palette();
  palette.setColor(QPalette::Window, QColor(0x80, 0, 0));
  palette.setColor(QPalette::WindowText, Qt::white);
  ErrorLine->setPalette(palette);
  ErrorLine->hide();
  ScriptPanel->setFocusProxy(ScriptEdit);
  auto* layout = new QVBoxLayout(ScriptPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ScriptEdit);
  layout->addWidget(ErrorLine);
  AttachScriptPart();
}

bool TrpEditorForm1::IsEmptyFrame(const QStringList& lines) {
  return lines.size() == 3 && lines[0].trimmed() == QLatin1String("begin") && lines[1].trimmed().isEmpty() &&
         lines[2].trimmed() == QLatin1String("end");
}

void TrpEditorForm1::SetScript(const QStringList& lines) { ScriptEdit->setPlainText(lines.join(QLatin1Char('\n'))); }

QStringList TrpEditorForm1::Script() const { return ScriptEdit->toPlainText().split(QLatin1Char('\n')); }

void TrpEditorForm1::SetScriptReadOnly(bool readOnly) { ScriptEdit->setReadOnly(readOnly); }

void TrpEditorForm1::SetScriptFont(const QFont& font) { ScriptEdit->setFont(font); }

void TrpEditorForm1::ClearScriptError() { ErrorLine->hide(); }

void TrpEditorForm1::ShowScriptErrors(const QStringList& errors) {
  ErrorLine->setText(QLatin1Char(' ') + errors.join(QLatin1Char('\n')));
  ErrorLine->show();
  // The caret at the error: the lengths of the lines before it (each with its line break) and the column.
  const QPoint at = ErrorPosition(errors.first());
  const QStringList lines = Script();
  qsizetype offset = 0;
  for (int i = 0; i < at.y() - 1 && i < lines.size(); ++i)
    offset += lines[i].size() + 1;
  QTextCursor cursor = ScriptEdit->textCursor();
  cursor.setPosition(int(std::clamp<qsizetype>(offset + at.x() - 1, 0, ScriptEdit->toPlainText().size())));
  ScriptEdit->setTextCursor(cursor);
  ScriptEdit->ensureCursorVisible();
}

void TrpEditorForm1::InsertIntoScript(const QString& text) {
  if (!ScriptEdit->isReadOnly()) ScriptEdit->insertPlainText(text);
}

void TrpEditorForm1::ScriptCut() { ScriptEdit->cut(); }

void TrpEditorForm1::ScriptCopy() { ScriptEdit->copy(); }

void TrpEditorForm1::ScriptPaste() { ScriptEdit->paste(); }

void TrpEditorForm1::resizeEvent(QResizeEvent* event) {
  TrpTextEditorBase::resizeEvent(event);
  ErrorLine->hide();
}
