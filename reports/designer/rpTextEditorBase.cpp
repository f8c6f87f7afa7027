#include "reports/designer/rpTextEditorBase.h"
#include "reports/designer/rpDesignerSettings.h"
#include "reports/designer/rpExpressionBuilder.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpControl.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpDock.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QStyle>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace {

// The designer's own section, where its options dialog writes the editor's fonts.
QString TextEditorSettingsKey() { return rpRegistryRoot() + QStringLiteral("\\Form\\TrpDesignerForm"); }

const QStringList& EmptyScriptFrame() {
  static const QStringList frame{QStringLiteral("begin"), QStringLiteral("  "), QStringLiteral("end")};
  return frame;
}

} // namespace

TrpTextEditorBase::TrpTextEditorBase(QWidget* parent) : TrpObjEditorForm(parent) {
  SetCaption(rpLoadStr(53060));
  SetKeyPreview(true);
  ToolBar = new QToolBar(this);
  ToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QStyle* style = QApplication::style();
  OkBtn = NewButton(rpLoadStr(55000), rpLoadStr(55000));
  OkBtn->setIcon(style->standardIcon(QStyle::SP_DialogOkButton));
  CancelBtn = NewButton(rpLoadStr(55001), rpLoadStr(55001));
  CancelBtn->setIcon(style->standardIcon(QStyle::SP_DialogCancelButton));
  ToolBar->addSeparator();
  ExprBtn = NewButton(rpLoadStr(53061), QStringLiteral("[ƒ]"));
  DBFieldBtn = NewButton(rpLoadStr(53062), QStringLiteral("[DB]"));
  WordWrapBtn = NewButton(rpLoadStr(53063), QStringLiteral("¶"));
  WordWrapBtn->setCheckable(true);
  ScriptBtn = NewButton(rpLoadStr(53064), QStringLiteral("{ }"));
  ScriptBtn->setCheckable(true);
  ScriptBtn->setChecked(true);
  ToolBar->addSeparator();
  CutBtn = NewButton(rpLoadStr(53091), rpLoadStr(53091));
  CopyBtn = NewButton(rpLoadStr(53092), rpLoadStr(53092));
  PasteBtn = NewButton(rpLoadStr(53093), rpLoadStr(53093));
  connect(OkBtn, &QToolButton::clicked, this, &TrpTextEditorBase::OkBtnClick);
  connect(CancelBtn, &QToolButton::clicked, this, [this] { SetModalResult(mrCancel); });
  connect(ExprBtn, &QToolButton::clicked, this, [this] { InsertText(rpInsertExpression()); });
  connect(DBFieldBtn, &QToolButton::clicked, this, [this] { InsertText(rpInsertDBField()); });
  connect(WordWrapBtn, &QToolButton::toggled, this,
          [this](bool on) { TextMemo->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap); });
  connect(ScriptBtn, &QToolButton::clicked, this, [this](bool on) {
    // A band or a dialog control shows its script alone: the button stays down.
    if (!hasTextPart_)
      ScriptBtn->setChecked(true);
    else
      ShowScriptPart(on);
  });
  connect(CutBtn, &QToolButton::clicked, this, [this] {
    if (scriptTargeted_)
      ScriptCut();
    else
      TextMemo->cut();
  });
  connect(CopyBtn, &QToolButton::clicked, this, [this] {
    if (scriptTargeted_)
      ScriptCopy();
    else
      TextMemo->copy();
  });
  connect(PasteBtn, &QToolButton::clicked, this, [this] {
    if (scriptTargeted_)
      ScriptPaste();
    else
      TextMemo->paste();
  });

  TextMemo = new QPlainTextEdit(this);
  TextMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Splitter = new QSplitter(Qt::Vertical, this);
  Splitter->setChildrenCollapsible(false);
  Splitter->addWidget(TextMemo);
  Splitter->setStretchFactor(0, 1);
  connect(Splitter, &QSplitter::splitterMoved, this, [this](int pos) { splitterPos_ = pos; });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ToolBar);
  layout->addWidget(Splitter, 1);
  resize(560, 420);
}

QToolButton* TrpTextEditorBase::NewButton(const QString& hint, const QString& text) {
  auto* button = new QToolButton(ToolBar);
  button->setText(text);
  button->setToolTip(hint);
  button->setFocusPolicy(Qt::NoFocus);
  AddToolButton(button);
  return button;
}

void TrpTextEditorBase::AddToolButton(QToolButton* button) { ToolBar->addWidget(button); }

void TrpTextEditorBase::AttachScriptPart() {
  Splitter->addWidget(ScriptPart());
  Splitter->setStretchFactor(1, 0);
}

int TrpTextEditorBase::ShowEditor(TrpView* object) {
  object_ = object;
  hasTextPart_ = !dynamic_cast<TrpControl*>(object) && !dynamic_cast<TrpBandView*>(object);
  rpRestoreFormPosition(this);
  TextMemo->setLineWrapMode(WordWrapBtn->isChecked() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  TextMemo->setPlainText(object->Memo.join(QLatin1Char('\n')));
  SetScript(object->Script.isEmpty() ? EmptyScriptFrame() : object->Script);
  ClearScriptError();
  ApplyFonts();
  TextMemo->setReadOnly(object->Restrictions & 1);
  SetScriptReadOnly(object->Restrictions & 2);
  splitterPos_ = rpRegistryReadInt(TextEditorSettingsKey(), QStringLiteral("SplitterPos"), 100);
  ApplyLayout();
  scriptTargeted_ = !hasTextPart_;
  TextMemo->moveCursor(QTextCursor::Start);
  const int result = ShowModal();
  if (result == mrOk) StoreEdits();
  object_ = nullptr;
  return result;
}

void TrpTextEditorBase::ApplyFonts() {
  const bool textObject = dynamic_cast<TrpMemoView*>(object_);
  const TrpTextEditorFonts fonts = TrpTextEditorFonts::Read();
  QFont text(fonts.TextFontName);
  text.setPointSize(fonts.TextFontSize);
  if (textObject && fonts.UseDefaultFont) {
    text.setFamily(static_cast<TrpMemoView*>(object_)->Font.Name);
    text.setPointSize(10);
  }
  TextMemo->setFont(text);
  QFont script(fonts.ScriptFontName);
  script.setPointSize(fonts.ScriptFontSize);
  SetScriptFont(script);
}

void TrpTextEditorBase::ApplyLayout() {
  TextMemo->setVisible(hasTextPart_);
  ScriptBtn->setChecked(hasTextPart_ ? scriptVisible_ : true);
  ScriptPart()->setVisible(!hasTextPart_ || scriptVisible_);
  if (hasTextPart_) {
    const int total = Splitter->height();
    Splitter->setSizes({splitterPos_, std::max(0, total - splitterPos_ - Splitter->handleWidth())});
  }
}

void TrpTextEditorBase::ShowScriptPart(bool show) {
  ScriptPart()->setVisible(show);
  if (!show && scriptTargeted_) scriptTargeted_ = false;
}

bool TrpTextEditorBase::ScriptShown() const { return ScriptPart()->isVisible(); }

void TrpTextEditorBase::FormShow() {
  ApplyLayout();
  if (hasTextPart_)
    TextMemo->setFocus();
  else
    ScriptPart()->setFocus();
}

QPoint TrpTextEditorBase::ErrorPosition(const QString& error) {
  const qsizetype slash = error.indexOf(QLatin1Char('/'));
  if (slash < 0) return {1, 0};
  const qsizetype colon = error.indexOf(QLatin1Char(':'), slash);
  const int line = error.mid(5, slash - 5).trimmed().toInt();
  const int column = error.mid(slash + 1, colon < 0 ? -1 : colon - slash - 1).trimmed().toInt();
  return {column, line};
}

void TrpTextEditorBase::OkBtnClick() {
  QStringList code, errors;
  if (rpEngineStarted()) rpRun().Interpreter->PrepareScript(Script(), code, errors);
  if (!errors.isEmpty()) {
    if (!ScriptShown()) {
      ScriptBtn->setChecked(true);
      ShowScriptPart(true);
    }
    ShowScriptErrors(errors);
    ScriptPart()->setFocus();
    return;
  }
  SetModalResult(mrOk);
}

void TrpTextEditorBase::StoreEdits() {
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->BeforeChange();
  // Without wrapping, wrapped lines are not split into lines of their own.
  TextMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  const QString text = TextMemo->toPlainText();
  object_->Memo = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
  const QStringList script = Script();
  if (IsEmptyScript(script))
    object_->Script.clear();
  else
    object_->Script = script;
}

void TrpTextEditorBase::InsertText(const QString& text) {
  if (text.isEmpty()) return;
  if (scriptTargeted_)
    InsertIntoScript(text);
  else if (!TextMemo->isReadOnly())
    TextMemo->insertPlainText(text);
}

void TrpTextEditorBase::FormClose(TCloseAction&) {
  if (hasTextPart_) scriptVisible_ = ScriptBtn->isChecked();
  if (hasTextPart_ && ScriptShown()) splitterPos_ = Splitter->sizes().value(0, splitterPos_);
  rpRegistryWriteInt(TextEditorSettingsKey(), QStringLiteral("SplitterPos"), splitterPos_);
  rpSaveFormPosition(this);
}

bool TrpTextEditorBase::FormKeyDown(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  const QWidget* focus = focusWidget();
  if (!focus || (focus != TextMemo && focus != ScriptPart() && !ScriptPart()->isAncestorOf(focus))) return false;
  PartKeyPressed();
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && mods == Qt::ControlModifier) {
    OkBtnClick();
    return true;
  }
  if (event->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
    InsertText(rpInsertDBField());
    return true;
  }
  return false;
}

bool TrpTextEditorBase::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget == TextMemo)
      scriptTargeted_ = false;
    else if (widget == ScriptPart() || ScriptPart()->isAncestorOf(widget))
      scriptTargeted_ = true;
  }
  return TrpObjEditorForm::eventFilter(watched, event);
}

void TrpTextEditorBase::resizeEvent(QResizeEvent* event) {
  TrpObjEditorForm::resizeEvent(event);
  if (!hasTextPart_ || !ScriptShown()) return;
  const QList<int> sizes = Splitter->sizes();
  const int client = Splitter->height();
  if (sizes.size() == 2 && client - 40 < sizes[1]) Splitter->setSizes({client - client / 2, client / 2});
}
