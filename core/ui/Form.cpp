#include "core/ui/Form.h"
#include "core/ui/EventBoundary.h"
#include <QtGui/QCloseEvent>
#include <QtGui/QFontMetrics>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>

TForm::TForm(QWidget* parent) : QDialog(parent) {
  // A form is a plain top-level window with its own title-bar buttons, not a
  // dialog with a help button.
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

TForm::~TForm() {
  emit Destroying();
  if (keyPreview_) qApp->removeEventFilter(this);
}

void TForm::SetKeyPreview(bool on) {
  if (on == keyPreview_) return;
  keyPreview_ = on;
  // Keys go to the focused control first; the application-wide filter lets
  // the form look at the keys of its own controls before they do.
  if (on)
    qApp->installEventFilter(this);
  else
    qApp->removeEventFilter(this);
}

void TForm::SetModalResult(int result) {
  modalResult_ = result;
  // Ending a modal run closes the form as the close button would: the form's
  // close query may refuse (the result is then cleared) and its close hook runs.
  if (result != mrNone && inModalRun_ && !close()) modalResult_ = mrNone;
}

int TForm::ShowModal() {
  modalResult_ = mrNone;
  inModalRun_ = true;
  const int result = exec();
  inModalRun_ = false;
  modalResult_ = result == QDialog::Rejected && modalResult_ == mrNone ? mrCancel : modalResult_;
  return modalResult_;
}

void TForm::reject() {
  // Esc or the close button: a modal run ends with mrCancel, a modeless form closes.
  if (inModalRun_)
    SetModalResult(mrCancel);
  else
    close();
}

void TForm::done(int result) {
  if (inModalRun_) {
    modalResult_ = result == QDialog::Rejected ? mrCancel : result;
    QDialog::done(modalResult_);
  } else {
    modalResult_ = result;
    close();
  }
}

void TForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TForm::setVisible(bool visible) {
  // Before the dialog places itself on the screen by its size.
  if (visible && !isVisible()) FitCaption();
  QDialog::setVisible(visible);
}

void TForm::FitCaption() {
  // The title bar cuts a caption wider than the window; it also holds the
  // window's icon and buttons.
  constexpr int kTitleBarExtras = 120;
  if (!testAttribute(Qt::WA_Resized)) {
    // The size the window is about to take; still its own to adjust.
    adjustSize();
    setAttribute(Qt::WA_Resized, false);
  }
  QFont bold = font();
  bold.setBold(true);
  const int needed = QFontMetrics(bold).horizontalAdvance(windowTitle()) + kTitleBarExtras;
  if (width() < needed && maximumWidth() > width()) resize(std::min(needed, maximumWidth()), height());
}

void TForm::closeEvent(QCloseEvent* event) {
  // A close query or close hook that fails keeps the form open.
  bool canClose = true;
  if (!RunGuarded([&] { FormCloseQuery(canClose); }) || !canClose) {
    event->ignore();
    return;
  }
  TCloseAction action = testAttribute(Qt::WA_DeleteOnClose) ? TCloseAction::Free : TCloseAction::Hide;
  if (!RunGuarded([&] { FormClose(action); })) action = TCloseAction::None;
  switch (action) {
  case TCloseAction::None:
    event->ignore();
    return;
  case TCloseAction::Minimize:
    event->ignore();
    showMinimized();
    return;
  case TCloseAction::Free:
    setAttribute(Qt::WA_DeleteOnClose);
    break;
  case TCloseAction::Hide:
    break;
  }
  if (inModalRun_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    QDialog::done(modalResult_);
  }
  event->accept();
}

bool TForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) RunGuarded([this] { FormActivate(); });
  return QDialog::event(event);
}

bool TForm::SaveCancelKeyDown(QKeyEvent* event, const std::function<void()>& cancel,
                              const std::function<void()>& save) {
  if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return false;
  if (event->key() == Qt::Key_Escape) {
    cancel();
    return true;
  }
  if (event->key() == Qt::Key_F12 && save) {
    save();
    return true;
  }
  return false;
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    // An unaccepted key travels up the parent chain and passes this filter
    // again, one parent at a time; the form previews each key press once.
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = static_cast<QWidget*>(watched);
    const PreviewedKey seen{key, key->timestamp(), key->key(), widget};
    const bool propagated = lastPreviewed_.event == seen.event && lastPreviewed_.timestamp == seen.timestamp &&
                            lastPreviewed_.key == seen.key && lastPreviewed_.nextReceiver == widget;
    lastPreviewed_ = seen;
    lastPreviewed_.nextReceiver = widget->parentWidget();
    if (propagated) return false;
    // A key whose handler failed counts as handled: the control must not act on it too.
    bool consumed = true;
    RunGuarded([&] { consumed = FormKeyDown(key); });
    if (consumed) return true;
  }
  return QDialog::eventFilter(watched, event);
}
