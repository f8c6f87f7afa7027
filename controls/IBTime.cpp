#include "controls/IBTime.h"
#include "controls/KitMessages.h"
#include "core/ui/EventBoundary.h"
#include "util/RtDateUtils.h"
#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QToolButton>
#include <cmath>

namespace {

constexpr int kMaxTypedTime = 4;
constexpr quint16 kClearedHours = 24, kClearedMinutes = 61;

double TimeOfDay(double value) { return value - std::floor(value); }

} // namespace

TIBTime::TIBTime(QWidget* parent) : TButtonLineEdit(parent, 65) {
  connect(button_, &QToolButton::clicked, this, &TIBTime::ClickButton);
  SetTime(DateTime::Now());
  PlaceButton();
  SetColor(StateColor(TColorOrder::FocusFirst));
}

QVariant TIBTime::Time() const { return time_.isNull() ? QVariant() : QVariant(TimeOfDay(time_.toDouble())); }

QString TIBTime::Shown() const {
  const QString format = hasFocus() ? QStringLiteral("hhnn") : QStringLiteral("hh:nn");
  return FormatDateTime(format, DateTime::EncodeTime(hours_, minutes_, 0));
}

void TIBTime::SetTime(const QVariant& value) {
  time_ = value;
  if (value.isNull()) {
    hours_ = minutes_ = 0;
    setText(QString());
    return;
  }
  const QTime time = DateTime::ToTime(value.toDouble());
  hours_ = quint16(time.hour());
  minutes_ = quint16(time.minute());
  if (!hasFocus()) setText(Shown());
}

void TIBTime::Clear() {
  SetTime(QVariant());
  hours_ = kClearedHours;
  minutes_ = kClearedMinutes;
}

bool TIBTime::ParseText() {
  const int typedHours = PartNumber(text().mid(0, 2));
  const int typedMinutes = PartNumber(text().mid(2, 2));
  const int hours = typedHours >= 0 ? typedHours : hours_;
  const int minutes = typedMinutes >= 0 ? typedMinutes : minutes_;
  if (hours <= 23 && minutes <= 59) {
    SetTime(DateTime::EncodeTime(hours, minutes, 0));
    return true;
  }
  Refuse(QStringLiteral("Nesprávny čas! Opravte hodnotu."));
  if (!time_.isNull()) setText(Shown());
  return false;
}

bool TIBTime::ValidationFailed() {
  if (text().isEmpty()) {
    if (Required()) {
      Refuse(QStringLiteral("Povinný údaj. Položka musí byť zadaná!"));
      return true;
    }
    Clear();
    return false;
  }
  if (!ParseText()) return true;
  const double time = TimeOfDay(time_.toDouble());
  if (!minTime_.isNull() && time < TimeOfDay(minTime_.toDouble())) {
    Refuse(QStringLiteral("Zadaný čas je menší ako je povolené! (%1)")
               .arg(FormatDateTime(QStringLiteral("tt"), minTime_.toDouble())));
    return true;
  }
  if (!maxTime_.isNull() && time > TimeOfDay(maxTime_.toDouble())) {
    Refuse(QStringLiteral("Zadaný čas je väčší ako je povolené! (%1)")
               .arg(FormatDateTime(QStringLiteral("tt"), maxTime_.toDouble())));
    return true;
  }
  return false;
}

void TIBTime::focusInEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QLineEdit::focusInEvent(event);
    if (!BeginEnter()) return;
    NoteEntryClick(event);
    SetColor(FocusColorByRequired());
    if (!time_.isNull() && time_.toDouble() != 0 && !ReadOnly()) setText(Shown());
    selectAll();
    emit OnEnter();
  });
}

void TIBTime::focusOutEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QLineEdit::focusOutEvent(event);
    if (!BeginLeave(event)) return;
    SetColor(ReadOnly() ? clBtnFace : UnfocusedColor());
    // Unlike the other edits, a Cancel button does not skip this check.
    const bool checked = !ChecksSkipped() && window()->isVisible();
    if (checked && ValidationFailed()) {
      SetColor(FocusColorByRequired());
      return;
    }
    if (hours_ == kClearedHours || minutes_ == kClearedMinutes)
      Clear();
    else
      setText(Shown());
    emit OnExit();
  });
}

void TIBTime::LeftUnseen() {
  TButtonLineEdit::LeftUnseen();
  if (!time_.isNull() && hours_ != kClearedHours && minutes_ != kClearedMinutes) setText(Shown());
}

void TIBTime::keyPressEvent(QKeyEvent* event) {
  RunGuarded([&] {
    if (IsPlainEnter(event)) {
      MoveToNextControl();
      return;
    }
    if (IsCtrlEnter(event)) {
      ClickButton();
      return;
    }
    if (event->key() == Qt::Key_F5 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      if (hasFocus() && !ReadOnly()) {
        SetTime(DateTime::Now());
        setText(Shown());
        selectAll();
      }
      return;
    }
    const QString typed = event->text();
    const bool character =
        typed.size() == 1 && typed.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const bool digit = character && typed.at(0) >= QLatin1Char('0') && typed.at(0) <= QLatin1Char('9');
    if (character && (!digit || text().size() - selectedText().size() >= kMaxTypedTime)) return;
    QLineEdit::keyPressEvent(event);
  });
}

void TIBTime::mouseDoubleClickEvent(QMouseEvent* event) {
  RunGuarded([&] {
    QLineEdit::mouseDoubleClickEvent(event);
    ClickButton();
  });
}

void TIBTime::ClickButton() {
  if (OnButtonClick && !ReadOnly()) OnButtonClick();
}
