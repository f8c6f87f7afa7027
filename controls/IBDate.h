#pragma once
#include "controls/ButtonLineEdit.h"
#include <functional>

// The date entry field: shows "dd.mm.yyyy" (also while focused), takes bare
// digits "ddmmyyyy" or the shown form edited in place (shorter entries
// complete from the last date shown or from today; two-digit years 00-29 are
// 2000-2029, 30-99 are 1930-1999), the day shifts +N and -N, today on F5 or a
// double click, and a month calendar from its button or Ctrl+Enter. Leaving
// refuses a blank required entry, an impossible date, a
// year below 1000 and dates outside MinDate..MaxDate with plain messages.
// `Date` is Null or a date value (days since 30.12.1899).
class TIBDate : public TButtonLineEdit {
  Q_OBJECT
public:
  static constexpr int CenturyPivot = 2029;

  explicit TIBDate(QWidget* parent = nullptr);

  QVariant Date() const { return date_; }
  // Null or 0 empties the edit; otherwise the parts and the text follow.
  void SetDate(const QVariant& value);
  QVariant MinDate() const { return minDate_; }
  void SetMinDate(const QVariant& value) { minDate_ = value; }
  QVariant MaxDate() const { return maxDate_; }
  void SetMaxDate(const QVariant& value) { maxDate_ = value; }
  void Clear() { SetDate(QVariant()); }

  // Turns the text into `Date`: a day shift or an absolute date; false (and,
  // unless quiet, a message) when the text is refused.
  bool ParseText(bool quiet);
  // Red with a white font, or the state colours again.
  void SetErrorColors(bool on);
  bool ValidationFailed() override;
  // The button's and Ctrl+Enter's action: the handler when one is set,
  // otherwise the month calendar.
  void CalendarButtonClick();

  // When set, replace the calendar (button, Ctrl+Enter) and today (double click).
  std::function<void()> OnButtonClick;
  std::function<void()> OnDblClick;

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
  QString Shown(double value) const;
  void PutToday();
  bool ParseShift(bool quiet);
  // The refusal of an impossible date: a message unless quiet, the date
  // before shown again; false.
  bool RefuseWrongDate(bool quiet);

  QVariant date_;
  QVariant minDate_, maxDate_;
  QVariant entryDate_;
  quint16 day_ = 0, month_ = 0, year_ = 0;
};
