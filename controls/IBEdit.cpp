#include "controls/IBEdit.h"
#include "controls/KitMessages.h"
#include "core/Exception.h"
#include "core/ui/EventBoundary.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include <QtCore/QLocale>
#include <QtCore/QScopeGuard>
#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QToolButton>

TIBEdit::TIBEdit(QWidget* parent) : QLineEdit(parent), TDataEntryControl(this) {
  setFont(QFont(QStringLiteral("Courier"), 10));
  setFixedHeight(EntryHeight);
  button_ = new QToolButton(this);
  button_->setText(QStringLiteral("..."));
  button_->setAutoRaise(true);
  button_->setCursor(Qt::PointingHandCursor);
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setFont(QApplication::font());
  button_->hide();
  connect(button_, &QToolButton::clicked, this, &TIBEdit::ClickButton);
  // The button repaints with every change of the text while it is shown.
  connect(this, &QLineEdit::textChanged, button_, qOverload<>(&QWidget::update));
  PlaceButton();
  SetColor(StateColor(TColorOrder::FocusFirst));
}

void TIBEdit::SetRequired(bool on) {
  SetRequiredFlag(on);
  SetColor(StateColor(TColorOrder::FocusFirst));
}

void TIBEdit::SetReadOnly(bool on) {
  if (on == ReadOnly()) return;
  SetReadOnlyFlag(on);
  setReadOnly(on);
  setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
  button_->setVisible(buttonVisible_ && !on);
  SetColor(StateColor(TColorOrder::ReadOnlyFirst));
  PlaceButton();
}

void TIBEdit::SetButtonVisible(bool on) {
  buttonVisible_ = on;
  button_->setVisible(on);
  PlaceButton();
}

void TIBEdit::SetAlignment(Qt::Alignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  ApplyAlignment();
}

void TIBEdit::ApplyAlignment() {
  // With the focus the text is always edited left-aligned.
  setAlignment((hasFocus() ? Qt::AlignLeft : alignment_) | Qt::AlignVCenter);
}

void TIBEdit::PlaceButton() {
  button_->setGeometry(width() - EntryButtonWidth - 4, 0, EntryButtonWidth, height() - 4);
  // The text never runs under the button.
  setTextMargins(0, 0, button_->isVisibleTo(this) ? EntryButtonWidth + 2 : 0, 0);
}

void TIBEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  PlaceButton();
}

void TIBEdit::ClickButton() {
  if (!ReadOnly() && buttonVisible_) emit OnButtonClick();
}

void TIBEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  RunGuarded([&] {
    QLineEdit::mouseDoubleClickEvent(event);
    ClickButton();
  });
}

void TIBEdit::focusInEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QLineEdit::focusInEvent(event);
    if (!BeginEnter()) return;
    RememberColor();
    SetColor(FocusColorByRequired());
    ApplyAlignment();
    selectAll();
    emit OnEnter();
  });
}

void TIBEdit::focusOutEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QLineEdit::focusOutEvent(event);
    if (!BeginLeave(event)) return;
    SetColor(RememberedColor());
    ApplyAlignment();
    try {
      if (LeaveCheck() == TLeaveResult::Passed) emit OnExit();
    } catch (const Exception& error) {
      // No exception may leave an event handler: the error is shown here and
      // the leaving ends without OnExit.
      ShowKitError(error.Message());
    }
  });
}

void TIBEdit::keyPressEvent(QKeyEvent* event) {
  RunGuarded([&] {
    if (IsPlainEnter(event)) {
      emit OnClickEnter();
      MoveToNextControl();
      return;
    }
    if (IsCtrlEnter(event)) {
      emit OnCtrlEnter();
      return;
    }
    if (OnKeyDown) {
      int key = event->key();
      OnKeyDown(key, event->modifiers());
      if (key == 0) return;
    }
    const QString typed = event->text();
    const bool character =
        typed.size() == 1 && typed.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!character || ReadOnly()) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    const QChar c = FilterChar(typed.at(0));
    if (c.isNull()) return;
    insert(QString(c));
  });
}

QChar TIBEdit::FilterChar(QChar typed) {
  const QChar separator = QLocale().decimalPoint().at(0);
  QChar c = typed;
  if (onlyNumbers_ && withDecimals_ && (c == QLatin1Char('.') || c == QLatin1Char(',') || c == separator)) {
    if (text().contains(separator) && !selectedText().contains(separator)) return {};
    c = separator;
  }
  if (OnKeyPress) OnKeyPress(c);
  if (c.isNull()) return {};
  if (onlyNumbers_) {
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digit && !(withDecimals_ && c == separator)) return {};
  }
  if (!onlyTheseChars_.isEmpty() && !onlyTheseChars_.contains(c) && c != QLatin1Char('/')) return {};
  return c;
}

bool TIBEdit::ValidationFailed() {
  const bool checkable = CanFocus() && !ReadOnly();
  if (checkable && RefusesUnstorableText(text())) return true;
  if (Required() && IsTextEmpty() && checkable) {
    ShowRefusal([this] { ShowKitNumberedError(emptyErrorText_); });
    return true;
  }
  const int length = int(text().trimmed().size());
  if (length > 0 && length < minLength_ && checkable) {
    ShowRefusal([this] { ShowKitInformation(QStringLiteral("Zadajte minimálne %1 znakov").arg(minLength_)); });
    return true;
  }
  return IsUnique();
}

TUniqueStatement TIBEdit::UniqueStatement() const {
  TUniqueStatement statement;
  statement.Key = uniqueColumnValue_.isValid() ? uniqueColumnValue_.toLongLong() : 0;
  QString comparison;
  if (uBezDiakritiky_) {
    // The server folds the text exactly as its triggers fill the "_X" columns.
    comparison = QStringLiteral("and ") + uTestColumn_ + QStringLiteral("_X=UpperQPL2(:TEXT)");
    statement.Text = text();
  } else if (onlyNumbers_) {
    QString number = text().trimmed();
    number.replace(QLocale().decimalPoint(), QStringLiteral("."));
    bool isInteger = false, isNumber = false;
    const qlonglong whole = number.toLongLong(&isInteger);
    const double fraction = number.toDouble(&isNumber);
    statement.Runnable = isInteger || isNumber;
    statement.Text = isInteger ? QVariant(whole) : QVariant(fraction);
    comparison = QStringLiteral("and ") + uTestColumn_ + QStringLiteral("=:TEXT");
  } else {
    // The collation needs a text of a known character set and length.
    const QString length = QString::number(qMax<qsizetype>(1, text().size()));
    comparison = QStringLiteral("and Upper(") + uTestColumn_ +
                 QStringLiteral(" Collate PXW_CSY)=Upper(cast(:TEXT as varchar(") + length +
                 QStringLiteral(") character set WIN1250) Collate PXW_CSY)");
    statement.Text = text();
  }
  QStringList lines{QStringLiteral("Select first 1 ") + uniqueColumn_ + QStringLiteral(" from ") + uTableName_ +
                        QStringLiteral(" where ") + uniqueColumn_ + QStringLiteral("<>:KEY"),
                    comparison};
  if (!uAdditionalToWhere_.IsEmpty()) {
    lines.append(uAdditionalToWhere_.Text);
    statement.Params = uAdditionalToWhere_.Params;
  }
  statement.Sql = lines.join(QLatin1Char('\n'));
  return statement;
}

bool TIBEdit::IsUnique() {
  if (!uniqueTest_) return false;
  const TUniqueStatement statement = UniqueStatement();
  if (!statement.Runnable) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
  bool found = false;
  try {
    TIBTransaction transaction(database_, TIBTransactionKind::ReadOnlyReadCommitted);
    TIBQuery query;
    query.SetDatabase(database_);
    query.SetTransaction(&transaction);
    query.SetSQL(statement.Sql);
    query.ParamByName(QStringLiteral("KEY")).SetValue(statement.Key);
    query.ParamByName(QStringLiteral("TEXT")).SetValue(statement.Text);
    for (auto it = statement.Params.begin(); it != statement.Params.end(); ++it)
      query.ParamByName(it.key()).SetValue(it.value());
    transaction.StartTransaction();
    query.Open();
    found = !query.IsEmpty();
    query.Close();
    transaction.Commit();
  } catch (const Exception&) {
    ShowKitInformation(objectName() + QStringLiteral(": Error in \"IsUnique\" function"));
    ShowKitInformation(statement.Sql);
    throw;
  }
  if (!found) return false;
  ShowRefusal([this] { ShowKitNumberedError(uniqueErrorText_); });
  if (hasFocus()) selectAll();
  return true;
}
