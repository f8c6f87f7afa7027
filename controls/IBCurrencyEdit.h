#pragma once
#include "controls/BaseNumEdit.h"
#include "controls/DataEntryControl.h"
#include <QtCore/QVariant>
#include <functional>

class TIBDatabase;

// The field of every amount, count, number and year: the numeric edit with
// the data-entry contract. Leaving it refuses 0 (unless AllowZero, message
// 1043), values outside MinValue..MaxValue and negative values (unless
// AllowNegative, message 1036); a blank field counts as 0 and is never
// refused. K opens the calculator, F8 and V clear the field, Enter checks
// the value and moves on only when it is accepted.
class TIBCurrencyEdit : public TBaseNumEdit, public TDataEntryControl {
  Q_OBJECT
public:
  static constexpr TColor MoneyBackground = TColor(0x2FFF63); // RGB 99, 255, 47

  explicit TIBCurrencyEdit(QWidget* parent = nullptr);

  using TDataEntryControl::Color;
  using TDataEntryControl::SetColor;

  bool AllowZero() const { return allowZero_; }
  void SetAllowZero(bool on) { allowZero_ = on; }
  int AllowZeroErrorText() const { return allowZeroErrorText_; }
  void SetAllowZeroErrorText(int number) { allowZeroErrorText_ = number; }
  bool AllowNegative() const { return allowNegative_; }
  void SetAllowNegative(bool on) { allowNegative_ = on; }
  int AllowNegativeErrorText() const { return allowNegativeErrorText_; }
  void SetAllowNegativeErrorText(int number) { allowNegativeErrorText_ = number; }
  void SetRequired(bool on);
  bool MoneyColor() const { return moneyColor_; }
  void SetMoneyColor(bool on);
  void SetReadOnly(bool on);
  bool CheckFailed() const { return checkFailed_; }
  QVariant Tag() const { return tag_; }
  void SetTag(const QVariant& tag) { tag_ = tag; }
  // Kept with the form data; the edit does not use them.
  QString MessagesSource() const { return messagesSource_; }
  void SetMessagesSource(const QString& source) { messagesSource_ = source; }
  int EmptyErrorText() const { return emptyErrorText_; }
  void SetEmptyErrorText(int number) { emptyErrorText_ = number; }
  TIBDatabase* Database() const { return database_; }
  void SetDatabase(TIBDatabase* database) { database_ = database; }

  // On: red with a white font; off: the state colour and the window-text font.
  void SetErrorColors(bool on);
  bool ValidationFailed() override;
  // Empties the field, then sets MinValue (when not 0) or 0.
  void Clear();
  // Opens the calculator with the value; takes its result unless read-only.
  void RunCalculator();

  // Fired after the edit's own key actions, with the key possibly already
  // cleared (0); setting it to 0 consumes it.
  std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyDown;

  TColor UnfocusedColor() const override;

signals:
  void OnEnter();
  void OnExit();
  void OnClickEnter();
  void OnCtrlEnter();

protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void ApplyStateColor() override;

private:
  // The leaving steps: colour back, blank as 0, the check; returns whether
  // the value was accepted (or the check skipped).
  bool Leave();
  // Handles the edit's own keys; returns true when the key was consumed.
  bool OwnKeyDown(QKeyEvent* event);
  bool Refuse(const std::function<void()>& message);
  double SafeValue() const;

  QVariant tag_ = 0;
  QString messagesSource_ = QStringLiteral("Messages");
  TIBDatabase* database_ = nullptr;
  int allowZeroErrorText_ = 1043;
  int allowNegativeErrorText_ = 1036;
  int emptyErrorText_ = 0;
  bool allowZero_ = true;
  bool allowNegative_ = true;
  bool moneyColor_ = false;
  bool checkFailed_ = false;
};
