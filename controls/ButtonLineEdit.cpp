#include "controls/ButtonLineEdit.h"
#include "controls/KitMessages.h"
#include <QtWidgets/QApplication>
#include <QtWidgets/QToolButton>

TButtonLineEdit::TButtonLineEdit(QWidget* parent, int width)
    : QLineEdit(parent), TDataEntryControl(this), button_(new QToolButton(this)) {
  setFont(QFont(QStringLiteral("Courier"), 10));
  setFixedHeight(EntryHeight);
  resize(width, EntryHeight);
  button_->setCursor(Qt::PointingHandCursor);
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setFont(QApplication::font());
}

void TButtonLineEdit::SetRequired(bool on) {
  SetRequiredFlag(on);
  SetColor(hasFocus() ? FocusColorByRequired() : UnfocusedColor());
}

void TButtonLineEdit::SetReadOnly(bool on) {
  if (on == ReadOnly()) return;
  SetReadOnlyFlag(on);
  setReadOnly(on);
  setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
  button_->setVisible(!on);
  SetColor(StateColor(TColorOrder::ReadOnlyFirst));
  PlaceButton();
}

void TButtonLineEdit::PlaceButton() {
  button_->setGeometry(width() - EntryButtonWidth - 4, 0, EntryButtonWidth, height() - 4);
  setTextMargins(0, 0, button_->isVisibleTo(this) ? EntryButtonWidth + 2 : 0, 0);
}

void TButtonLineEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  PlaceButton();
}

void TButtonLineEdit::mousePressEvent(QMouseEvent* event) {
  if (!TakeEntryClick(event)) QLineEdit::mousePressEvent(event);
}

void TButtonLineEdit::Refuse(const QString& message) {
  ShowRefusal([&] { ShowKitInformation(message); });
}

int TButtonLineEdit::PartNumber(const QString& text) {
  bool ok = false;
  const int number = text.toInt(&ok);
  return ok && !text.isEmpty() ? number : -1;
}
