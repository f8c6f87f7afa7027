#include "controls/IBDate.h"
#include "controls/KitMessages.h"
#include "controls/fMonthCalendar.h"
#include "core/ui/EventBoundary.h"
#include "util/RtDateUtils.h"
#include <QtCore/QScopeGuard>
#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QToolButton>
#include <cmath>

namespace {

// At most eight typed characters; the dots of the shown "dd.mm.yyyy" do not
// count, so a shown date can be edited in place.
constexpr int kMaxTypedDate = 8;
const QString kRequired = QStringLiteral("Povinný údaj. Položka musí byť zadaná!");

bool AcceptsCharacter(QChar c) {
  return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') || c == QLatin1Char('-');
}

bool IsEmptyDate(const QVariant& value) { return value.isNull() || value.toDouble() == 0; }

qsizetype TypedLength(const QString& text) { return text.size() - text.count(QLatin1Char('.')); }

// Day, month and year texts: "dd.mm.yyyy" (a shown date, maybe edited) split
// at its dots, bare digits "ddmmyyyy" by position. False for a fourth part.
bool SplitDateText(const QString& text, QString& day, QString& month, QString& year) {
  if (!text.contains(QLatin1Char('.'))) {
    day = text.mid(0, 2);
    month = text.mid(2, 2);
    year = text.mid(4, 4);
    return true;
  }
  const QStringList parts = text.split(QLatin1Char('.'));
  day = parts.value(0);
  month = parts.value(1);
  year = parts.value(2);
  return parts.size() <= 3 && day.size() <= 2 && month.size() <= 2 && year.size() <= 4;
}

// Years below 1000 (three-digit years, year 0) are typing errors, and no
// shift may leave the years the database holds.
bool InDateRange(double date) {
  return date >= DateTime::EncodeDate(1000, 1, 1) && date < DateTime::EncodeDate(10000, 1, 1);
}

} // namespace

TIBDate::TIBDate(QWidget* parent) : TButtonLineEdit(parent, 105) {
  connect(button_, &QToolButton::clicked, this, &TIBDate::CalendarButtonClick);
  // A new edit holds the current moment and shows today without its parts.
  date_ = DateTime::Now();
  setText(FormatDateTime(QStringLiteral("dd.mm.yyyy"), date_.toDouble()));
  PlaceButton();
  SetColor(StateColor(TColorOrder::FocusFirst));
}

// Focused or not: a date the user did not type yet must read as a date.
QString TIBDate::Shown(double value) const { return FormatDateTime(QStringLiteral("dd.mm.yyyy"), value); }

void TIBDate::SetDate(const QVariant& value) {
  date_ = value;
  if (IsEmptyDate(value)) {
    day_ = month_ = year_ = 0;
    setText(QString());
    return;
  }
  int year = 0, month = 0, day = 0;
  DecodeDateParts(value.toDouble(), year, month, day);
  year_ = quint16(year);
  month_ = quint16(month);
  day_ = quint16(day);
  setText(Shown(std::floor(value.toDouble())));
}

void TIBDate::SetErrorColors(bool on) {
  SetColor(on ? ErrorColor : StateColor(TColorOrder::ReadOnlyFirst));
  SetFontColor(on ? ErrorFontColor : clWindowText);
  PlaceButton();
}

bool TIBDate::ParseShift(bool quiet) {
  const QString typed = text();
  const qsizetype signs = typed.count(QLatin1Char('+')) + typed.count(QLatin1Char('-'));
  if (signs > 1 || (typed.at(0) != QLatin1Char('+') && typed.at(0) != QLatin1Char('-'))) {
    if (!quiet) Refuse(QStringLiteral("Neznámy príkaz!\r\n\r\nMusíte použiť napr. +13 alebo -7."));
    return false;
  }
  if (date_.isNull()) {
    if (!quiet) Refuse(QStringLiteral("Nebol zadaný žiadny dátum! Funkciu nie je možné vykonať."));
    return false;
  }
  const int days = qMax(0, PartNumber(typed.mid(1)));
  const double shifted = date_.toDouble() + (typed.at(0) == QLatin1Char('+') ? days : -days);
  if (!InDateRange(shifted)) return RefuseWrongDate(quiet);
  SetDate(shifted);
  return true;
}

bool TIBDate::ParseText(bool quiet) {
  const QString typed = text();
  if (typed.contains(QLatin1Char('+')) || typed.contains(QLatin1Char('-'))) return ParseShift(quiet);
  QString dayText, monthText, yearText;
  bool valid = SplitDateText(typed, dayText, monthText, yearText);
  int year = PartNumber(yearText);
  if (!yearText.isEmpty() && yearText.size() <= 2) {
    const int century = CenturyPivot / 100 * 100;
    valid = valid && year >= 0; // a pasted year that is no number
    year = year > CenturyPivot - century ? year + century - 100 : year + century;
  }
  const QDate today = QDate::currentDate();
  if (month_ == 0) month_ = quint16(today.month());
  if (year_ == 0) year_ = quint16(today.year());
  const int day = PartNumber(dayText) >= 0 ? PartNumber(dayText) : day_;
  const int month = PartNumber(monthText) >= 0 ? PartNumber(monthText) : month_;
  if (year < 0) year = year_;
  valid = valid && QDate(year, month, day).isValid() && InDateRange(DateTime::EncodeDate(year, month, day));
  if (valid) {
    SetDate(DateTime::EncodeDate(year, month, day));
    return true;
  }
  return RefuseWrongDate(quiet);
}

bool TIBDate::RefuseWrongDate(bool quiet) {
  if (!quiet) Refuse(QStringLiteral("Nesprávny dátum! Opravte hodnotu."));
  if (!IsEmptyDate(date_)) setText(Shown(std::floor(date_.toDouble())));
  return false;
}

bool TIBDate::ValidationFailed() {
  if (text().isEmpty()) {
    if (Required()) {
      Refuse(kRequired);
      return true;
    }
    SetDate(QVariant());
    return false;
  }
  if (!ParseText(false)) return true;
  if (ReadOnly() || date_.isNull()) return false;
  const double value = date_.toDouble();
  if (!minDate_.isNull() && value < minDate_.toDouble()) {
    Refuse(QStringLiteral("Zadaný dátum je menší ako je povolené! (%1)")
               .arg(FormatDateTime(QStringLiteral("ddddd"), minDate_.toDouble())));
    return true;
  }
  if (!maxDate_.isNull() && value > maxDate_.toDouble()) {
    Refuse(QStringLiteral("Zadaný dátum je väčší ako je povolené! (%1)")
               .arg(FormatDateTime(QStringLiteral("ddddd"), maxDate_.toDouble())));
    return true;
  }
  return false;
}

void TIBDate::focusInEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QLineEdit::focusInEvent(event);
    if (!BeginEnter()) return;
    NoteEntryClick(event);
    SetColor(FocusColorByRequired());
    entryDate_ = date_;
    if (!IsEmptyDate(date_) && !ReadOnly()) setText(Shown(std::floor(date_.toDouble())));
    selectAll();
    emit OnEnter();
  });
}

void TIBDate::focusOutEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QLineEdit::focusOutEvent(event);
    if (!BeginLeave(event)) return;
    if (BypassesCheck(QApplication::focusWidget())) {
      emit OnExit();
      return;
    }
    SetColor(ReadOnly() ? clBtnFace : UnfocusedColor());
    if (LeaveCheck() == TLeaveResult::Refused) return;
    if (day_ != 0 && month_ != 0 && year_ != 0)
      setText(Shown(DateTime::EncodeDate(year_, month_, day_)));
    else
      SetDate(QVariant());
    if (date_ != entryDate_) setModified(true);
    emit OnExit();
  });
}

void TIBDate::LeftUnseen() {
  TButtonLineEdit::LeftUnseen();
  if (!IsEmptyDate(date_)) setText(Shown(std::floor(date_.toDouble())));
}

void TIBDate::PutToday() {
  SetDate(DateTime::Now());
  selectAll();
}

void TIBDate::keyPressEvent(QKeyEvent* event) {
  RunGuarded([&] {
    if (IsPlainEnter(event)) {
      MoveToNextControl();
      return;
    }
    if (IsCtrlEnter(event)) {
      CalendarButtonClick();
      return;
    }
    if (event->key() == Qt::Key_F5 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      if (hasFocus() && !ReadOnly()) PutToday();
      return;
    }
    const QString typed = event->text();
    const bool character =
        typed.size() == 1 && typed.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (character &&
        (!AcceptsCharacter(typed.at(0)) || TypedLength(text()) - TypedLength(selectedText()) >= kMaxTypedDate))
      return;
    QLineEdit::keyPressEvent(event);
  });
}

void TIBDate::mouseDoubleClickEvent(QMouseEvent* event) {
  RunGuarded([&] {
    if (OnDblClick) {
      OnDblClick();
      return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
    if (!ReadOnly()) PutToday();
  });
}

void TIBDate::CalendarButtonClick() {
  if (CanFocus()) setFocus(Qt::OtherFocusReason);
  if (OnButtonClick) {
    if (!ReadOnly()) OnButtonClick();
    return;
  }
  if (ReadOnly()) return;
  frmMonthCalendar = new TfrmMonthCalendar(window());
  const auto release = qScopeGuard([] {
    delete frmMonthCalendar;
    frmMonthCalendar = nullptr;
  });
  // A pending +N or -N is applied before the calendar opens.
  frmMonthCalendar->SetDate(ParseText(true) ? DateTime::ToDate(date_.toDouble()) : QDate::currentDate());
  const bool focused = hasFocus();
  const int result = frmMonthCalendar->ShowModal();
  // The focus comes back to the edit from the closed calendar.
  if (focused) {
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
  }
  if (result != mrOk) return;
  SetDate(DateTime::FromDate(frmMonthCalendar->Date()));
  if (focused) selectAll();
}
