#include "controls/IBCurrencyEdit.h"
#include "controls/KitMessages.h"
#include "controls/UxCalculator.h"
#include "core/ui/EventBoundary.h"
#include <QtCore/QLocale>
#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>

namespace {

// The count of decimals of the locale's currency format (2 for the Slovak one).
int CurrencyDecimals() {
  const QLocale locale;
  const QString one = locale.toCurrencyString(1.0);
  const qsizetype separator = one.indexOf(locale.decimalPoint());
  if (separator < 0) return 0;
  int count = 0;
  for (qsizetype i = separator + 1; i < one.size() && one.at(i).isDigit(); ++i)
    ++count;
  return count;
}

} // namespace

TIBCurrencyEdit::TIBCurrencyEdit(QWidget* parent) : TBaseNumEdit(parent), TDataEntryControl(this) {
  setFont(QFont(QStringLiteral("Courier"), 10));
  SetMaxLength(14);
  setFixedHeight(EntryHeight);
  resize(121, EntryHeight);
  SetDecimals(CurrencyDecimals());
  SetColor(StateColor(TColorOrder::FocusFirst));
}

TColor TIBCurrencyEdit::UnfocusedColor() const {
  return moneyColor_ ? MoneyBackground : TDataEntryControl::UnfocusedColor();
}

void TIBCurrencyEdit::ApplyStateColor() {
  // Disabled: the numeric edit's disabled colour; enabled: the state colour.
  if (isEnabled())
    SetColor(Color());
  else
    TBaseNumEdit::ApplyStateColor();
}

void TIBCurrencyEdit::SetRequired(bool on) {
  SetRequiredFlag(on);
  SetColor(StateColor(TColorOrder::FocusFirst));
}

void TIBCurrencyEdit::SetMoneyColor(bool on) {
  moneyColor_ = on;
  SetColor(StateColor(TColorOrder::FocusFirst));
}

void TIBCurrencyEdit::SetReadOnly(bool on) {
  setReadOnly(on);
  if (on == ReadOnly()) return;
  SetReadOnlyFlag(on);
  setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
  SetColor(StateColor(TColorOrder::ReadOnlyFirst));
}

void TIBCurrencyEdit::SetErrorColors(bool on) {
  SetColor(on ? ErrorColor : StateColor(TColorOrder::FocusFirst));
  SetFontColor(on ? ErrorFontColor : clWindowText);
}

double TIBCurrencyEdit::SafeValue() const {
  try {
    return Value();
  } catch (const EConvertError&) {
    return 0; // a text set by the program that is no number
  }
}

void TIBCurrencyEdit::Clear() {
  setText(QString());
  SetValue(MinValue() != 0 ? MinValue() : 0);
}

bool TIBCurrencyEdit::Refuse(const std::function<void()>& message) {
  ShowRefusal(message);
  selectAll();
  checkFailed_ = true;
  return true;
}

bool TIBCurrencyEdit::ValidationFailed() {
  if (ReadOnly() || !CanFocus()) return false;
  const double value = SafeValue();
  const QLocale locale;
  if (!allowZero_ && value == 0)
    return Refuse([this] {
      if (allowZeroErrorText_ != 0) ShowKitNumberedError(allowZeroErrorText_);
    });
  if (MaxValue() > 0 && value > MaxValue())
    return Refuse([&] {
      ShowKitInformation(QStringLiteral("Zadaná hodnota je väčšia ako povolená. (MaxValue=%1)")
                             .arg(locale.toString(MaxValue(), 'f', 2)));
    });
  if (MinValue() != 0 && value < MinValue())
    return Refuse([&] {
      ShowKitInformation(QStringLiteral("Zadaná hodnota je menšia ako povolená. (MinValue=%1)")
                             .arg(locale.toString(MinValue(), 'f', 2)));
    });
  if (!allowNegative_ && value < 0)
    return Refuse([this] {
      if (allowNegativeErrorText_ != 0) ShowKitNumberedError(allowNegativeErrorText_);
    });
  return false;
}

void TIBCurrencyEdit::focusInEvent(QFocusEvent* event) {
  RunGuarded([&] {
    TBaseNumEdit::focusInEvent(event);
    if (!BeginEnter()) return;
    NoteEntryClick(event);
    checkFailed_ = false;
    setModified(false);
    if (!ReadOnly()) {
      RememberColor();
      SetColor(FocusColorByRequired());
    }
    emit OnEnter();
    selectAll();
  });
}

void TIBCurrencyEdit::mousePressEvent(QMouseEvent* event) {
  RunGuarded([&] {
    if (!TakeEntryClick(event)) TBaseNumEdit::mousePressEvent(event);
  });
}

void TIBCurrencyEdit::focusOutEvent(QFocusEvent* event) {
  RunGuarded([&] {
    // The text is not reformatted on leaving.
    QLineEdit::focusOutEvent(event);
    if (BeginLeave(event)) Leave();
  });
}

bool TIBCurrencyEdit::Leave() {
  if (!ReadOnly()) SetColor(RememberedColor());
  if (text().isEmpty()) SetValue(0);
  const TLeaveResult result = LeaveCheck();
  if (result == TLeaveResult::Refused) {
    checkFailed_ = true;
    return false;
  }
  if (result == TLeaveResult::Passed) emit OnExit();
  return true;
}

void TIBCurrencyEdit::RunCalculator() {
  TUxCalculator calculator(window());
  calculator.SetBeepOnError(true);
  calculator.SetTitle(QStringLiteral("Kalkulačka..."));
  calculator.SetValue(SafeValue());
  calculator.OnCalcKey = [](QChar&) {};
  calculator.Execute();
  if (!ReadOnly()) SetValue(calculator.Value());
  selectAll();
}

bool TIBCurrencyEdit::OwnKeyDown(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (modifiers == Qt::ControlModifier) {
      emit OnCtrlEnter();
    } else if (modifiers == Qt::NoModifier) {
      emit OnClickEnter();
      checkFailed_ = false;
      // The value is checked here once; the move to the next control then
      // leaves this edit without a second check.
      const bool accepted = Leave();
      if (accepted && hasFocus() && !checkFailed_) {
        const TSkipChecks skip;
        MoveToNextControl();
      }
    }
    return true;
  }
  if (modifiers != Qt::NoModifier) return false;
  switch (event->key()) {
  case Qt::Key_Up:
  case Qt::Key_Down:
    selectAll();
    return true;
  case Qt::Key_F8:
  case Qt::Key_V:
    if (!ReadOnly()) Clear();
    selectAll();
    return true;
  case Qt::Key_K:
    RunCalculator();
    return true;
  default:
    return false;
  }
}

void TIBCurrencyEdit::keyPressEvent(QKeyEvent* event) {
  RunGuarded([&] {
    int key = OwnKeyDown(event) ? 0 : event->key();
    if (OnKeyDown) OnKeyDown(key, event->modifiers());
    if (text().isEmpty()) SetValue(0);
    if (key == 0) return;
    const QString typed = event->text();
    const bool character =
        typed.size() == 1 && typed.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!character) {
      TBaseNumEdit::keyPressEvent(event);
      return;
    }
    QChar c = typed.at(0);
    if (c == QLatin1Char('.') || c == QLatin1Char(',')) c = DecimalSeparator();
    TypeChar(c);
  });
}
