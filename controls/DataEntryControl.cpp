#include "controls/DataEntryControl.h"
#include "controls/KitMessages.h"
#include "controls/QPLBtn.h"
#include "core/CodePage1250.h"
#include "core/gui/ColorConvert.h"
#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

namespace {
int skipChecksDepth = 0;
}

TDataEntryControl::TDataEntryControl(QWidget* control) : control_(control) {}

TDataEntryControl::~TDataEntryControl() = default;

QString TDataEntryControl::FieldCaption() const {
  QString caption;
  for (const QLabel* label : control_->window()->findChildren<QLabel*>())
    if (label->buddy() == control_) caption = label->text();
  for (const QWidget* row = control_; caption.isEmpty() && row && !row->isWindow(); row = row->parentWidget())
    if (const auto* form = row->parentWidget() ? qobject_cast<QFormLayout*>(row->parentWidget()->layout()) : nullptr)
      if (const auto* label = qobject_cast<QLabel*>(form->labelForField(const_cast<QWidget*>(row))))
        caption = label->text();
  caption.remove(QLatin1Char('&'));
  caption = caption.trimmed();
  if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
  return caption.trimmed();
}

bool TDataEntryControl::RefusesUnstorableText(QStringView text) {
  const qsizetype bad = Cp1250::FirstUnencodable(text);
  if (bad < 0) return false;
  const QString character = TSingleByteCodePage::CharacterName(text, bad);
  const QString caption = FieldCaption();
  const QString where =
      caption.isEmpty() ? QStringLiteral("Zadanie obsahuje") : QStringLiteral("Pole „%1“ obsahuje").arg(caption);
  ShowRefusal([&] {
    ShowKitError(
        where +
        QStringLiteral(" znak %1, ktorý program nemôže uložiť. Nahraďte ho, prosím, iným znakom.").arg(character));
  });
  return true;
}

void TDataEntryControl::SetColor(TColor color) {
  color_ = color;
  ApplyPalette();
}

void TDataEntryControl::SetFontColor(TColor color) {
  fontColor_ = color;
  ApplyPalette();
}

void TDataEntryControl::ApplyPalette() {
  QPalette palette = control_->palette();
  const QColor background = ToQColor(color_);
  const QColor font = ToQColor(fontColor_);
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, background);
    palette.setColor(group, QPalette::Window, background);
    palette.setColor(group, QPalette::Text, font);
    palette.setColor(group, QPalette::WindowText, font);
    palette.setColor(group, QPalette::ButtonText, font);
  }
  control_->setPalette(palette);
  control_->update();
}

TColor TDataEntryControl::FocusColorByRequired() const { return required_ ? FocusRequiredColor : FocusColor; }

TColor TDataEntryControl::UnfocusedColor() const { return required_ ? clYellow : clWindow; }

TColor TDataEntryControl::StateColor(TColorOrder order) const {
  const bool focused = control_->hasFocus();
  if (order == TColorOrder::ReadOnlyFirst && readOnly_) return clBtnFace;
  if (focused) return FocusColorByRequired();
  if (readOnly_) return clBtnFace;
  return UnfocusedColor();
}

bool TDataEntryControl::CanFocus() const {
  const QWidget* window = control_->window();
  return control_->isVisible() && control_->isEnabled() && window->isVisible() && window->isEnabled() &&
         control_->focusPolicy() != Qt::NoFocus;
}

void TDataEntryControl::WithErrorColors(const std::function<void()>& show) {
  const TColor color = color_;
  const TColor font = fontColor_;
  color_ = ErrorColor;
  fontColor_ = ErrorFontColor;
  ApplyPalette();
  show();
  color_ = color;
  fontColor_ = font;
  ApplyPalette();
}

void TDataEntryControl::ShowRefusal(const std::function<void()>& show) {
  // The focus comes back before the message, so that closing the message
  // box returns it to this control and not to where the user was going.
  TakeFocusBack();
  WithErrorColors(show);
}

void TDataEntryControl::TakeFocusBack() {
  if (control_->hasFocus() || !CanFocus()) return;
  refocusing_ = true;
  control_->setFocus(Qt::OtherFocusReason);
  refocusing_ = false;
  entered_ = true;
}

bool TDataEntryControl::BeginEnter() {
  if (entered_ || refocusing_) return false;
  entered_ = true;
  EndUnseenFocus(control_);
  return true;
}

void TDataEntryControl::EndUnseenFocus(const QWidget* focused) {
  const QWidget* window = focused->window();
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (widget == focused || widget->window() != window || widget->hasFocus()) continue;
    if (auto* button = qobject_cast<TQPLBtn*>(widget)) {
      button->DropFocusColor();
    } else if (auto* control = dynamic_cast<TDataEntryControl*>(widget); control && control->entered_) {
      control->entered_ = false;
      control->LeftUnseen();
    }
  }
}

void TDataEntryControl::LeftUnseen() { SetColor(StateColor(TColorOrder::ReadOnlyFirst)); }

bool TDataEntryControl::BeginLeave(const QFocusEvent* event) {
  const Qt::FocusReason reason = event->reason();
  const bool deactivation =
      reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
  if (deactivation && control_->window()->isVisible()) return false;
  // Opening a combo's list hands the focus to the list, a pop-up the control
  // owns: the user is still in the control.
  if (FocusInOwnPopup()) return false;
  // A control that a refusal elsewhere kept from getting the focus gets a
  // focus-out without a focus-in: it was never entered, so it is not left.
  if (!entered_) return false;
  entered_ = false;
  return true;
}

bool TDataEntryControl::FocusInOwnPopup() const {
  const QWidget* focused = QApplication::focusWidget();
  if (!focused || focused->window() == control_->window()) return false;
  for (const QWidget* widget = focused; widget; widget = widget->parentWidget())
    if (widget == control_) return true;
  return false;
}

void TDataEntryControl::NoteEntryClick(const QFocusEvent* event) {
  entryClick_ = event->reason() == Qt::MouseFocusReason;
}

bool TDataEntryControl::TakeEntryClick(QMouseEvent* event) {
  if (!entryClick_) return false;
  entryClick_ = false;
  event->accept();
  return true;
}

bool TDataEntryControl::BypassesCheck(const QWidget* newFocus) {
  const auto* button = qobject_cast<const TQPLBtn*>(newFocus);
  return button && button->Cancel();
}

TDataEntryControl::TSkipChecks::TSkipChecks() { ++skipChecksDepth; }
TDataEntryControl::TSkipChecks::~TSkipChecks() { --skipChecksDepth; }
bool TDataEntryControl::ChecksSkipped() { return skipChecksDepth > 0; }

TDataEntryControl::TLeaveResult TDataEntryControl::LeaveCheck() {
  // While the focus moves, the application's focus widget is already the
  // control that receives it.
  QWidget* newFocus = QApplication::focusWidget();
  if (ChecksSkipped() || BypassesCheck(newFocus) || !control_->window()->isVisible()) return TLeaveResult::Skipped;
  if (ValidationFailed()) {
    entered_ = control_->hasFocus();
    SetColor(FocusColorByRequired());
    return TLeaveResult::Refused;
  }
  RecoverLostFocus();
  return TLeaveResult::Passed;
}

void TDataEntryControl::RecoverLostFocus() {
  QWidget* focused = QApplication::focusWidget();
  if (focused && focused != control_->window() && focused->window() == control_->window()) return;
  if (focused && focused->window() != control_->window()) return; // another window took it
  if (CanFocus())
    TakeFocusBack();
  else
    ShowKitInformation(QStringLiteral("nie je mozne nastavit fokus"));
}

bool TDataEntryControl::IsPlainEnter(const QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  return enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool TDataEntryControl::IsCtrlEnter(const QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  return enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

void TDataEntryControl::MoveToNextControl() {
  // Enter becomes Tab: the widget's own Tab handling moves the focus.
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(control_, &tab);
}
