#include "controls/fMonthCalendar.h"
#include "controls/UxPlacemnt.h"
#include "core/ui/EventBoundary.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QVBoxLayout>

TfrmMonthCalendar* frmMonthCalendar = nullptr;

TUxMonthCalendar::TUxMonthCalendar(QWidget* parent) : QCalendarWidget(parent) {
  setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
  setGridVisible(false);
}

TfrmMonthCalendar::TfrmMonthCalendar(QWidget* parent) : TForm(parent), MC(new TUxMonthCalendar(this)) {
  setObjectName(QStringLiteral("frmMonthCalendar"));
  SetCaption(QStringLiteral("Zvoľte dátum..."));
  resize(205, 187);
  SetKeyPreview(true);
  MC->setObjectName(QStringLiteral("MC"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(MC);
  fp = new TUxFormPlacement(this);
  fp->setObjectName(QStringLiteral("fp"));
  connect(MC, &QCalendarWidget::activated, this, &TfrmMonthCalendar::MCDblClick);
  // The keys reach the calendar's day table, not the calendar itself; the
  // form's key preview shows them to the form.
  days_ = MC->findChild<QAbstractItemView*>();
}

bool TfrmMonthCalendar::FormKeyDown(QKeyEvent* event) {
  if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  switch (event->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    SetModalResult(mrOk);
    return true;
  case Qt::Key_Escape:
    SetModalResult(mrCancel);
    return true;
  default:
    return false;
  }
}

void TfrmMonthCalendar::MCDblClick() { SetModalResult(mrOk); }

bool TfrmMonthCalendar::MCKeyDown(QKeyEvent* event) {
  if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  int days = 0;
  switch (event->key()) {
  case Qt::Key_Left:
    days = -1;
    break;
  case Qt::Key_Right:
    days = 1;
    break;
  case Qt::Key_Up:
    days = -7;
    break;
  case Qt::Key_Down:
    days = 7;
    break;
  default:
    return false;
  }
  // Consumed: the calendar's own arrow handling would move the day a second time.
  MC->setSelectedDate(MC->selectedDate().addDays(days));
  return true;
}

bool TfrmMonthCalendar::eventFilter(QObject* watched, QEvent* event) {
  // The form's key preview comes first, then the calendar's own handler.
  if (TForm::eventFilter(watched, event)) return true;
  if (event->type() != QEvent::KeyPress || watched != days_) return false;
  bool consumed = true; // a key whose handler failed is not the calendar's to act on
  RunGuarded([&] { consumed = MCKeyDown(static_cast<QKeyEvent*>(event)); });
  return consumed;
}
