#pragma once
#include "controls/ButtonLineEdit.h"
#include <functional>

// The time-of-day entry: shows "hh:nn", takes the four digits "hhnn" while
// focused (a part left out keeps the current hours or minutes), F5 puts the
// current time in. Leaving refuses a blank required entry, an invalid time
// and times outside MinTime..MaxTime with plain messages; the check also
// serves the form-wide required check. `Time` is Null or a time of day (the
// fraction of a day).
class TIBTime : public TButtonLineEdit {
  Q_OBJECT
public:
  explicit TIBTime(QWidget* parent = nullptr);

  // Null, or the time-of-day part of the stored value.
  QVariant Time() const;
  void SetTime(const QVariant& value);
  QVariant MinTime() const { return minTime_; }
  void SetMinTime(const QVariant& value) { minTime_ = value; }
  QVariant MaxTime() const { return maxTime_; }
  void SetMaxTime(const QVariant& value) { maxTime_ = value; }
  // Empties the edit and marks it cleared (hours 24, minutes 61).
  void Clear();
  int Hours() const { return hours_; }
  int Minutes() const { return minutes_; }

  // Reads the typed text into `Time`; false (after the message) when it is no valid time.
  bool ParseText();
  bool ValidationFailed() override;

  // The action of the button, a double click and Ctrl+Enter.
  std::function<void()> OnButtonClick;

signals:
  void OnEnter();
  void OnExit();

protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void LeftUnseen() override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  QString Shown() const;
  void ClickButton();

  QVariant time_;
  QVariant minTime_, maxTime_;
  quint16 hours_ = 0, minutes_ = 0;
};
