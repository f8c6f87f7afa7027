#pragma once
#include "core/ui/Form.h"
#include <QtCore/QDate>
#include <QtWidgets/QCalendarWidget>

class TUxFormPlacement;

// The platform's month calendar with week numbers; the hint colour and the
// mouse-enter and -leave events of the original control have no use here.
class TUxMonthCalendar : public QCalendarWidget {
  Q_OBJECT
public:
  explicit TUxMonthCalendar(QWidget* parent = nullptr);
};

// The modal date picker of the date edit: Enter or a double click chooses
// (mrOk), Esc cancels; the arrows move by a day or a week.
class TfrmMonthCalendar : public TForm {
  Q_OBJECT
public:
  explicit TfrmMonthCalendar(QWidget* parent = nullptr);

  QDate Date() const { return MC->selectedDate(); }
  void SetDate(QDate date) { MC->setSelectedDate(date); }

  TUxMonthCalendar* MC;
  TUxFormPlacement* fp;

protected:
  bool FormKeyDown(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void MCDblClick();
  bool MCKeyDown(QKeyEvent* event);

  QObject* days_ = nullptr;
};

// The picker while it is shown (null otherwise).
extern TfrmMonthCalendar* frmMonthCalendar;
