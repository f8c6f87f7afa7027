#include "controls/IBComboBox.h"
#include "controls/KitMessages.h"
#include "core/Exception.h"
#include "core/ui/EventBoundary.h"
#include "db/IBDatabase.h"
#include "db/IBError.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/base/Registry.h"
#include <QtCore/QDebug>
#include <QtCore/QMetaMethod>
#include <QtCore/QScopeGuard>
#include <QtCore/QTimer>
#include <QtGui/QFocusEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

namespace {

constexpr int kSmallestList = 3;

// The last character typed into any combo, and the flag that is set while
// Enter moves the focus on (one for all combos).
QChar lastCharacter;
bool comboEnterFlag = false;

// The text of a typed number ("12", "12,5") as a number, or nothing.
QVariant NumberOf(const QString& text) {
  QString number = text.trimmed();
  number.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const qlonglong whole = number.toLongLong(&ok);
  if (ok) return whole;
  const double fraction = number.toDouble(&ok);
  return ok ? QVariant(fraction) : QVariant();
}

// A comparison that ignores case the way the server's Czech collation does;
// the text parameter needs a known character set and length for it.
QString CollatedEquals(const QString& column, const QString& param, const QString& text) {
  const QString length = QString::number(qMax<qsizetype>(1, text.size()));
  return QStringLiteral("Upper(") + column + QStringLiteral(" COLLATE PXW_CSY)=Upper(cast(:") + param +
         QStringLiteral(" as varchar(") + length + QStringLiteral(") character set WIN1250) COLLATE PXW_CSY)");
}

const QString kLookupFailed = QStringLiteral("Údaje zoznamu sa nepodarilo prečítať z databázy.\r\n\r\n"
                                             "Skúste to znova, prípadne kontaktujte správcu systému.");

// Shows an error that escaped a handler of the combo, unless it was a failed
// lookup, which has been reported where it failed.
void ShowEscapedError(const Exception& error) {
  if (!dynamic_cast<const EComboLookupError*>(&error)) ShowKitError(error.Message());
}

class TWaitCursor {
public:
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace

TIBComboBox::TIBComboBox(QWidget* parent)
    : QComboBox(parent), TDataEntryControl(this),
      transaction_(std::make_unique<TIBTransaction>(nullptr, TIBTransactionKind::ReadOnlyReadCommitted)),
      query_(std::make_unique<TIBQuery>()), timer_(new QTimer(this)) {
  setEditable(true);
  // The combo completes from the database, not from Qt's own completer, and
  // never adds typed texts to its list.
  setCompleter(nullptr);
  setInsertPolicy(QComboBox::NoInsert);
  // Double clicks land in the edit part; the form opens its picker on them.
  lineEdit()->installEventFilter(this);
  setFont(QFont(QStringLiteral("Courier"), 10));
  setFixedHeight(EntryHeight);
  setMaxVisibleItems(30);
  query_->SetTransaction(transaction_.get());
  timer_->setInterval(500);
  connect(timer_, &QTimer::timeout, this, [this] {
    try {
      TimerElapsed();
    } catch (const Exception& error) {
      ShowEscapedError(error);
    }
  });
  connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
    if (quiet_ == 0) TextChanged(text);
  });
  connect(lineEdit(), &QLineEdit::textEdited, this, &TIBComboBox::TextEdited);
  connect(this, qOverload<int>(&QComboBox::activated), this, &TIBComboBox::ItemActivated);
  ApplyStateColor();
}

TIBComboBox::~TIBComboBox() = default;

void TIBComboBox::SetDatabase(TIBDatabase* database) {
  database_ = database;
  transaction_->SetDatabase(database);
  query_->SetDatabase(database);
}

void TIBComboBox::SetSAutoAppend(bool on) {
  sAutoAppend_ = on;
  if (on) autoComplete_ = false;
}

void TIBComboBox::SetAutoComplete(bool on) {
  autoComplete_ = on;
  if (on) sAutoAppend_ = false;
}

int TIBComboBox::STimerInterval() const { return timer_->interval(); }

void TIBComboBox::SetSTimerInterval(int milliseconds) { timer_->setInterval(milliseconds); }

void TIBComboBox::ApplyStateColor() { SetColor(StateColor(TColorOrder::FocusFirst)); }

void TIBComboBox::SetRequired(bool on) {
  SetRequiredFlag(on);
  ApplyStateColor();
}

void TIBComboBox::SetReadOnly(bool on) {
  if (on == ReadOnly()) return;
  SetReadOnlyFlag(on);
  lineEdit()->setReadOnly(on);
  setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
  SetColor(on ? clBtnFace : UnfocusedColor());
}

// --- key values ---------------------------------------------------------

QVariant TIBComboBox::KeyValue(int index) const {
  if (selectedItem_ >= 0 && selectedItem_ < int(objects_.size()))
    return objects_[size_t(selectedItem_)]->Values[size_t(index)];
  return keys_[size_t(index)];
}

const TQPLComboObject* TIBComboBox::ItemObject(int index) const {
  return index >= 0 && index < int(objects_.size()) ? objects_[size_t(index)].get() : nullptr;
}

void TIBComboBox::ClearKeys() {
  keys_.fill(QVariant());
  chosenText_.clear();
  foundText_.clear();
  selectedItem_ = -1;
}

void TIBComboBox::SetKeys(const TKeyValues& values, const QString& rowText) {
  keys_ = values;
  chosenText_ = rowText;
}

QString TIBComboBox::RowText() const {
  return !KeyValue(0).isNull() && !chosenText_.isEmpty() ? chosenText_ : currentText();
}

bool TIBComboBox::HoldsChoiceFor(const QString& text) const {
  // A key chosen from the list or set by FindIt stays while the text still
  // names its row: re-resolving the text could pick a namesake instead.
  const bool held = !KeyValue(0).isNull() && !chosenText_.isEmpty();
  return held && chosenText_.compare(text.trimmed(), Qt::CaseInsensitive) == 0;
}

TIBComboBox::TKeyValues TIBComboBox::RowKeys(int row) const {
  TKeyValues values;
  int column = 1;
  for (size_t i = 0; i < sKeyFields_.size(); ++i)
    if (!sKeyFields_[i].isEmpty()) values[i] = query_->ValueAt(row, column++);
  return values;
}

QStringList TIBComboBox::SetKeyColumns(int from) const {
  QStringList columns;
  for (size_t i = size_t(from); i < sKeyFields_.size(); ++i)
    if (!sKeyFields_[i].isEmpty()) columns.append(sKeyFields_[i]);
  return columns;
}

// --- statements ---------------------------------------------------------

namespace {

QString SelectList(const QString& shown, const QStringList& keys) {
  QString list = shown;
  for (const QString& key : keys)
    list += QLatin1Char(',') + key;
  return list;
}

// Appends the extra condition with "where" or "and", its values, and the order.
void Finish(QStringList& lines, QVariantMap& params, bool hasWhere, const TSqlCondition& where,
            const QString& orderBy) {
  if (!where.IsEmpty()) {
    lines.append((hasWhere ? QStringLiteral("and ") : QStringLiteral("where ")) + where.Text);
    params.insert(where.Params);
  }
  if (!orderBy.isEmpty()) lines.append(QStringLiteral("order by ") + orderBy);
}

} // namespace

TComboStatement TIBComboBox::CompletionStatement(const QString& text) const {
  // The server folds the typed text exactly as its triggers fill the shadow
  // columns, so the program keeps no second copy of the folding.
  const QString searched = sUseBasicASCIIColumn_
                               ? QString(sAppendFromField_ + QStringLiteral("_X"))
                               : QString(QStringLiteral("UpperQPL2(") + sAppendFromField_ + QLatin1Char(')'));
  QStringList lines{QStringLiteral("Select First 1 ") + SelectList(sAppendFromField_, SetKeyColumns(0)),
                    QStringLiteral("from ") + sTableName_ + QStringLiteral(" where"),
                    searched + QStringLiteral(" starting UpperQPL2(:DATA)")};
  QVariantMap params{{QStringLiteral("DATA"), text}};
  Finish(lines, params, true, sWhere_, sOrderBy_);
  return {lines.join(QLatin1Char('\n')), params};
}

TComboStatement TIBComboBox::ListStatement(bool withFilter) const {
  TComboStatement statement;
  QStringList lines{QStringLiteral("Select")};
  if (sDistinct_) lines.append(QStringLiteral("Distinct"));
  lines.append(SelectList(sAppendFromField_, SetKeyColumns(0)));
  lines.append(QStringLiteral("from ") + sTableName_);
  bool hasWhere = false;
  const QString text = currentText();
  if (withFilter && text.startsWith(QLatin1Char('*'))) {
    QString column = QStringLiteral("UpperQPL2(") + sAppendFromField_ + QLatin1Char(')');
    if (sUseBasicASCIIColumn_)
      column = sAppendFromField_ + QStringLiteral("_x");
    else if (onlyNumbers_)
      column = sAppendFromField_;
    int number = 0;
    for (const QString& piece : text.split(QLatin1Char('*'), Qt::SkipEmptyParts)) {
      const QString part = piece.trimmed();
      if (part.isEmpty()) continue;
      const QString param = QStringLiteral("DATA") + QString::number(++number);
      lines.append((hasWhere ? QStringLiteral("and ") : QStringLiteral("where ")) + column +
                   QStringLiteral(" containing UpperQPL2(:") + param + QLatin1Char(')'));
      statement.Params.insert(param, part);
      hasWhere = true;
    }
  } else if (withFilter) {
    // Only the characters the user typed count, not an appended completion.
    const QString typed = typedLength_ > 0 && typedLength_ <= text.size() ? text.left(typedLength_) : text;
    if (sUseBasicASCIIColumn_)
      lines.append(QStringLiteral("where ") + sAppendFromField_ + QStringLiteral("_x starting UpperQPL2(:DATA)"));
    else if (onlyNumbers_)
      lines.append(QStringLiteral("where ") + sAppendFromField_ + QStringLiteral(" starting :DATA"));
    else
      lines.append(QStringLiteral("where UpperQPL2(") + sAppendFromField_ +
                   QStringLiteral(") starting UpperQPL2(:DATA)"));
    statement.Params.insert(QStringLiteral("DATA"), typed);
    hasWhere = true;
  }
  Finish(lines, statement.Params, hasWhere, sWhere_, sOrderBy_);
  statement.Sql = lines.join(QLatin1Char('\n'));
  return statement;
}

TComboStatement TIBComboBox::ExistStatement(const QString& text) const {
  TComboStatement statement;
  QStringList lines{QStringLiteral("Select ") + SelectList(sAppendFromField_, SetKeyColumns(0)),
                    QStringLiteral("from ") + sTableName_};
  if (sUseBasicASCIIColumn_) {
    lines.append(QStringLiteral("where ") + sAppendFromField_ + QStringLiteral("_X=UpperQPL2(:SWHERE)"));
    statement.Params.insert(QStringLiteral("SWHERE"), text);
  } else if (onlyNumbers_) {
    lines.append(QStringLiteral("where Cast(") + sAppendFromField_ + QStringLiteral(" as numeric(18,4))=:SWHERE"));
    const QVariant number = NumberOf(text);
    statement.Runnable = number.isValid();
    statement.Params.insert(QStringLiteral("SWHERE"), number);
  } else {
    lines.append(QStringLiteral("where ") + CollatedEquals(sAppendFromField_, QStringLiteral("SWHERE"), text));
    statement.Params.insert(QStringLiteral("SWHERE"), text);
  }
  Finish(lines, statement.Params, true, sWhere_, QString());
  statement.Sql = lines.join(QLatin1Char('\n'));
  return statement;
}

TComboStatement TIBComboBox::FindStatement(const QStringList& keyColumns, const QVariantList& values,
                                           bool firstOnly) const {
  TComboStatement statement;
  QStringList lines{(firstOnly ? QStringLiteral("Select First 1 ") : QStringLiteral("Select ")) +
                        SelectList(sAppendFromField_, SetKeyColumns(0)),
                    QStringLiteral("from ") + sTableName_};
  for (int i = 0; i < keyColumns.size(); ++i) {
    const QString param = QStringLiteral("SKEYVALUE") + (i == 0 ? QString() : QString::number(i + 1));
    lines.append((i == 0 ? QStringLiteral("Where ") : QStringLiteral("and ")) + keyColumns[i] + QStringLiteral("=:") +
                 param);
    statement.Params.insert(param, values.value(i));
  }
  Finish(lines, statement.Params, true, sWhere_, sOrderBy_);
  statement.Sql = lines.join(QLatin1Char('\n'));
  return statement;
}

TComboStatement TIBComboBox::FindFirstStatement() const {
  TComboStatement statement;
  QStringList lines{QStringLiteral("Select ") + sKeyFields_[0] + QStringLiteral(" from ") + sTableName_};
  Finish(lines, statement.Params, false, sWhere_, sOrderBy_);
  statement.Sql = lines.join(QLatin1Char('\n'));
  return statement;
}

TComboStatement TIBComboBox::UniqueStatement() const {
  TComboStatement statement;
  const QString text = currentText();
  QStringList lines{QStringLiteral("Select first 1 jedin from ") + uTableName_ + QStringLiteral(" where ") +
                    uniqueColumn_ + QStringLiteral("<>:KEY")};
  statement.Params.insert(QStringLiteral("KEY"), uniqueColumnValue_.isValid() ? uniqueColumnValue_.toLongLong() : 0);
  if (uniqueTestSKeyValue_) {
    lines.append(QStringLiteral("and ") + uniqueTestSKeyField_ + QStringLiteral("=:VALUE"));
    statement.Params.insert(QStringLiteral("VALUE"), KeyValue(0).toString());
  } else if (uBezDiakritiky_) {
    lines.append(QStringLiteral("and ") + uTestColumn_ + QStringLiteral("_X=UpperQPL2(:VALUE)"));
    statement.Params.insert(QStringLiteral("VALUE"), text);
  } else if (onlyNumbers_) {
    lines.append(QStringLiteral("and ") + uTestColumn_ + QStringLiteral("=:VALUE"));
    const QVariant number = NumberOf(text);
    statement.Runnable = number.isValid();
    statement.Params.insert(QStringLiteral("VALUE"), number);
  } else {
    lines.append(QStringLiteral("and ") + CollatedEquals(uTestColumn_, QStringLiteral("VALUE"), text));
    statement.Params.insert(QStringLiteral("VALUE"), text);
  }
  if (!uAdditionalToWhere_.IsEmpty()) {
    lines.append(uAdditionalToWhere_.Text);
    statement.Params.insert(uAdditionalToWhere_.Params);
  }
  statement.Sql = lines.join(QLatin1Char('\n'));
  return statement;
}

// --- running statements -------------------------------------------------

bool TIBComboBox::OpenStatement(const TComboStatement& statement) {
  query_->Close();
  if (!statement.Runnable) return false;
  if (!database_) throw EIBError(objectName() + QStringLiteral(": combo nemá databázu."));
  if (!transaction_->InTransaction()) transaction_->StartTransaction();
  query_->SetSQL(statement.Sql);
  for (auto it = statement.Params.begin(); it != statement.Params.end(); ++it)
    query_->ParamByName(it.key()).SetValue(it.value());
  try {
    query_->Open();
  } catch (const EIBParamValueError&) {
    // A value its column cannot hold (a text where a number is expected)
    // names no row.
    return false;
  }
  return !query_->IsEmpty();
}

void TIBComboBox::Guarded(const char* operation, const std::function<void()>& action, bool rollback, bool rethrow) {
  try {
    action();
  } catch (const Exception& error) {
    if (rollback && transaction_->InTransaction()) {
      try {
        transaction_->RollbackRetaining();
      } catch (const Exception&) {
        // The statement's own error is the one to report.
      }
    }
    // The user is told in words; the statement and the server's own text are
    // for whoever reads the program's log.
    qWarning().noquote() << objectName() << operation << error.Message() << query_->SQL();
    ShowKitError(kLookupFailed);
    if (rethrow) throw EComboLookupError(kLookupFailed);
  }
}

void TIBComboBox::AdjustMaxLength(const TIBQuery& query) {
  // The user cannot type more than the shown column holds.
  if (query.FieldCount() == 0) return;
  const int size = query.Fields().front()->Size();
  if (size > 0 && size != lineEdit()->maxLength()) lineEdit()->setMaxLength(size);
}

// --- text changes and typing -------------------------------------------

void TIBComboBox::SetTextQuietly(const QString& text) {
  ++quiet_;
  lineEdit()->setText(text);
  --quiet_;
  ShowTextStart();
}

void TIBComboBox::ProposeText(const QString& text) {
  SetTextQuietly(text);
  searchPending_ = false;
  lineEdit()->selectAll();
}

void TIBComboBox::TextEdited() { selectedItem_ = -1; }

void TIBComboBox::ItemActivated(int index) {
  const TQPLComboObject* object = ItemObject(index);
  if (!object) return;
  selectedItem_ = index;
  SetKeys(object->Values, itemText(index));
  foundText_ = itemText(index);
}

void TIBComboBox::TextChanged(const QString& text) {
  if (ReadOnly() && hasFocus()) {
    SetTextQuietly(readOnlyText_);
    lineEdit()->selectAll();
  }
  searchPending_ = true;
  const bool blank = currentText().trimmed().isEmpty();
  const bool active = window()->isVisible() && hasFocus() && !ReadOnly();
  if (blank) {
    ClearKeys();
    if (active) SetColor(FocusColorByRequired());
  }
  if (active && !blank && !view()->isVisible() && lastKey_ != Qt::Key_Delete) {
    if (sAutoAppend_) {
      typedLength_ = int(text.size());
      if (!sTimerUse_) RunCompletion();
    } else if (autoComplete_ && !autoCompleting_ && lastKey_ != Qt::Key_Backspace && lastKey_ != Qt::Key_Return &&
               lastKey_ != Qt::Key_Enter) {
      const int index = findText(text, Qt::MatchStartsWith);
      if (index >= 0) {
        autoCompleting_ = true;
        const auto done = qScopeGuard([this] { autoCompleting_ = false; });
        setCurrentIndex(index);
        selectedItem_ = index;
        lineEdit()->setSelection(int(itemText(index).size()), int(text.size() - itemText(index).size()));
      }
    }
  }
  emit OnChange();
}

void TIBComboBox::TypeCharacter(QKeyEvent* event) {
  QChar c = event->text().at(0);
  if (charCase_ == TCharCase::Upper) c = c.toUpper();
  if (charCase_ == TCharCase::Lower) c = c.toLower();
  lastCharacter = c;
  const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
  if (onlyNumbers_ && !digit) return;
  if (!onlyTheseChars_.isEmpty() && !onlyTheseChars_.contains(c) && c != QLatin1Char('/')) return;
  QKeyEvent converted(event->type(), event->key(), event->modifiers(), QString(c));
  QComboBox::keyPressEvent(&converted);
}

bool TIBComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::MouseButtonDblClick && !ReadOnly()) {
    RunGuarded([this] { emit OnDblClick(); });
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}

void TIBComboBox::keyPressEvent(QKeyEvent* event) {
  RunGuarded([&] {
    if (sTimerUse_) timer_->stop();
    lastKey_ = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (modifiers == Qt::ControlModifier) emit OnCtrlEnter();
      if (modifiers == Qt::NoModifier) EnterPressed();
    } else if (key == Qt::Key_Down && modifiers == Qt::NoModifier && !view()->isVisible()) {
      timer_->stop();
      showPopup();
    } else if (keypad && modifiers == Qt::ControlModifier && (key == Qt::Key_Plus || key == Qt::Key_Minus)) {
      ChangeDropDownCount(key == Qt::Key_Plus ? 1 : -1);
    } else {
      if (key == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        hidePopup();
        if (lineEdit()->hasSelectedText()) ClearKeys();
      }
      if (key == Qt::Key_Backspace) lastCharacter = QLatin1Char('\b');
      const QString text = event->text();
      const bool character =
          text.size() == 1 && text.at(0).isPrint() && !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
      if (character && !ReadOnly())
        TypeCharacter(event);
      else
        QComboBox::keyPressEvent(event);
    }
    if (OnKeyDown) OnKeyDown(key, event->modifiers());
  });
}

void TIBComboBox::keyReleaseEvent(QKeyEvent* event) {
  RunGuarded([&] {
    QComboBox::keyReleaseEvent(event);
    // The pause counts from the last key released.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (sTimerUse_ && hasFocus() && plain && event->key() != Qt::Key_Delete) timer_->start();
    if (OnKeyUp) OnKeyUp(event->key(), event->modifiers());
  });
}

// --- completion ---------------------------------------------------------

void TIBComboBox::TimerElapsed() {
  if (view()->isVisible()) return; // the timer stays on while the list is open
  timer_->stop();
  RunCompletion();
}

void TIBComboBox::RunCompletion() {
  if (!searchPending_) return;
  const QString text = currentText();
  const int typed = int(text.size());
  searchPending_ = false;
  if (HoldsChoiceFor(text)) return;
  bool found = false;
  TWaitCursor wait;
  Guarded(
      "AppendText",
      [&] {
        if (typed < sMinSearchLength_ || lastCharacter == QLatin1Char('\b') || lastCharacter == QLatin1Char(' ')) {
          ClearKeys();
          if (lastCharacter == QLatin1Char('\b') && hasFocus() && !ReadOnly()) SetColor(FocusColorByRequired());
          return;
        }
        found = OpenStatement(CompletionStatement(text));
        AdjustMaxLength(*query_);
        if (!found) {
          ClearKeys();
          const bool flag = !ReadOnly() && hasFocus() && !text.isEmpty() && !text.startsWith(QLatin1Char('*'));
          if (flag && Color() != ErrorColor) SetColor(ErrorColor); // the typed text leads to no row
          return;
        }
        if (hasFocus() && !ReadOnly()) SetColor(FocusColorByRequired());
        const QString rowText = query_->ValueAt(0, 0).toString();
        SetKeys(RowKeys(0), rowText);
        foundText_ = rowText;
      },
      true, true);
  query_->Close();
  if (!found) return;
  const QString completed = text.left(typed) + foundText_.mid(typed);
  SetTextQuietly(completed);
  lineEdit()->setSelection(int(completed.size()), typed - int(completed.size()));
  typedLength_ = typed;
  emit OnChange();
}

// --- the list -----------------------------------------------------------

void TIBComboBox::ReadDropDownCount() {
  const auto stored = TRegistry::Root().ReadValue(SettingsKey(), SettingsValueName());
  if (stored && stored->Type == TRegValueType::Dword) setMaxVisibleItems(int(stored->Dword));
}

QString TIBComboBox::SettingsKey() const {
  return QStringLiteral("Software\\Kalim s.r.o.\\") + QCoreApplication::applicationName() +
         QStringLiteral("\\ComboBox Settings\\") + QString::fromLatin1(window()->metaObject()->className());
}

QString TIBComboBox::SettingsValueName() const { return objectName() + QStringLiteral(".DropDownCount"); }

void TIBComboBox::ChangeDropDownCount(int delta) {
  if (delta < 0 && maxVisibleItems() <= kSmallestList) {
    QApplication::beep();
    return;
  }
  TRegistry& registry = TRegistry::Root();
  registry.WriteValue(SettingsKey(), QString(), TRegValue::String(SettingsValueName()), true);
  setMaxVisibleItems(maxVisibleItems() + delta);
  registry.WriteValue(SettingsKey(), SettingsValueName(), TRegValue::FromDword(quint32(maxVisibleItems())), true);
}

void TIBComboBox::FillItems(TIBQuery& query) {
  const QString text = currentText();
  const int selectionStart = lineEdit()->selectionStart();
  const int selectionLength = int(lineEdit()->selectedText().size());
  ++quiet_;
  clear();
  objects_.clear();
  for (int row = 0; row < query.RecordCount(); ++row) {
    auto object = std::make_unique<TQPLComboObject>();
    object->Values = RowKeys(row);
    addItem(query.ValueAt(row, 0).toString());
    objects_.push_back(std::move(object));
  }
  setCurrentIndex(-1);
  lineEdit()->setText(text);
  if (selectionStart >= 0) lineEdit()->setSelection(selectionStart, selectionLength);
  --quiet_;
  selectedItem_ = -1;
}

void TIBComboBox::FillList() {
  if (!sAutoAppend_) return;
  const QString text = currentText();
  const bool wholeSelected = text.isEmpty() || lineEdit()->selectedText() == text;
  TWaitCursor wait;
  Guarded(
      "DropDown",
      [&] {
        OpenStatement(ListStatement(!wholeSelected));
        AdjustMaxLength(*query_);
        FillItems(*query_);
        if (count() == 0 && !wholeSelected) {
          // A text that matches nothing shows the whole list.
          OpenStatement(ListStatement(false));
          FillItems(*query_);
          lineEdit()->selectAll();
        }
      },
      false, true);
  query_->Close();
}

void TIBComboBox::showPopup() {
  if (ReadOnly()) return;
  ReadDropDownCount();
  try {
    FillList();
  } catch (const Exception& error) {
    ShowEscapedError(error);
    return;
  }
  if (dropDownWidth_ > 0) view()->setMinimumWidth(dropDownWidth_);
  // The open list keeps the window colours whatever state colour the edit
  // shows: a palette with every role set is not inherited from the combo.
  QPalette plain = QApplication::palette(view());
  plain.setResolveMask(~QPalette::ResolveMask(0));
  view()->setPalette(plain);
  emit OnDropDown();
  QComboBox::showPopup();
}

// --- the FindIt family --------------------------------------------------

void TIBComboBox::FindBy(const char* operation, const TComboStatement& statement, const QVariant& firstKey,
                         bool rethrow) {
  TWaitCursor wait;
  Guarded(
      operation,
      [&] {
        const bool found = OpenStatement(statement);
        selectedItem_ = -1;
        if (!found) {
          SetTextQuietly(QString());
          ClearKeys();
          return;
        }
        const QString rowText = query_->ValueAt(0, 0).toString();
        TKeyValues values = RowKeys(0);
        if (firstKey.isValid()) values[0] = firstKey;
        SetTextQuietly(rowText);
        SetKeys(values, rowText);
      },
      true, rethrow);
  query_->Close();
  TextChanged(currentText());
}

void TIBComboBox::FindIt(const QVariant& value) {
  if (!sAutoAppend_) return;
  if (value.isNull()) {
    ClearValue();
    return;
  }
  FindBy("FindIt", FindStatement({sKeyFields_[0]}, {value}, false), value, false);
}

void TIBComboBox::FindIt3(const QVariant& value) {
  if (!sAutoAppend_) return;
  const QVariant key = value.isNull() ? QVariant(QString()) : value;
  FindBy("FindIt3", FindStatement({sKeyFields_[1]}, {key}, false), QVariant(), false);
}

void TIBComboBox::FindIt2(const QVariant& value1, const QVariant& value2) {
  if (!sAutoAppend_) return;
  QStringList columns{sKeyFields_[0]};
  if (!sKeyFields_[1].isEmpty()) columns.append(sKeyFields_[1]);
  FindBy("FindIt2", FindStatement(columns, {value1, value2}, true), value1, true);
}

bool TIBComboBox::ListIsEmpty() {
  if (sTableName_.isEmpty() || sKeyFields_[0].isEmpty() || !database_) return false;
  // The table itself, not the combo's filter: a filter that leaves nothing
  // has its own reason, which the dialog names.
  const TComboStatement statement{QStringLiteral("Select first 1 ") + sKeyFields_[0] + QStringLiteral(" from ") +
                                  sTableName_};
  bool empty = false;
  Guarded(
      "ListIsEmpty", [&] { empty = !OpenStatement(statement); }, true, false);
  query_->Close();
  return empty;
}

void TIBComboBox::FindFirst() {
  if (sKeyFields_[0].isEmpty()) return;
  QVariant first;
  {
    TWaitCursor wait;
    Guarded(
        "FindFirst",
        [&] {
          if (OpenStatement(FindFirstStatement())) first = query_->ValueAt(0, 0);
          selectedItem_ = -1;
        },
        true, false);
    query_->Close();
  }
  if (!first.isNull()) FindIt(first);
}

void TIBComboBox::ClearValue() {
  ClearKeys();
  ++quiet_;
  clear();
  objects_.clear();
  lineEdit()->clear();
  --quiet_;
  TextChanged(QString());
}

// --- entering and leaving ----------------------------------------------

void TIBComboBox::focusInEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QComboBox::focusInEvent(event);
    if (!BeginEnter()) return;
    if (ReadOnly()) readOnlyText_ = currentText();
    const QVariant key = KeyValue(0);
    entryKeyValue_ = key.isNull() ? QVariant() : key;
    searchPending_ = false;
    checkFailed_ = false;
    if (dropDownWidth_ > 0) view()->setMinimumWidth(dropDownWidth_);
    RememberColor();
    if (!ReadOnly()) SetColor(FocusColorByRequired());
    lineEdit()->selectAll();
    emit OnEnter();
  });
}

void TIBComboBox::focusOutEvent(QFocusEvent* event) {
  RunGuarded([&] {
    QComboBox::focusOutEvent(event);
    if (!BeginLeave(event)) return;
    try {
      LeaveSequence();
    } catch (const Exception& error) {
      // No exception may leave an event handler.
      ShowEscapedError(error);
    }
    ShowTextStart();
  });
}

void TIBComboBox::LeftUnseen() {
  TDataEntryControl::LeftUnseen();
  ShowTextStart();
}

void TIBComboBox::ShowTextStart() {
  // A text longer than the combo shows its beginning (the name) when the
  // user is not in it, not the end that writing it left in sight.
  if (!hasFocus()) lineEdit()->setCursorPosition(0);
}

void TIBComboBox::LeaveSequence() {
  if (!ReadOnly()) {
    try {
      SettleOnRow();
    } catch (const EComboLookupError&) {
      // The row could not be read (the user has been told): the entry stays
      // unconfirmed and the focus with it.
      checkFailed_ = true;
      ClearKeys();
      TakeFocusBack();
      SetColor(FocusColorByRequired());
      return;
    }
  }
  if (comboEnterFlag) return;
  switch (LeaveCheck()) {
  case TLeaveResult::Skipped:
    return;
  case TLeaveResult::Refused:
    checkFailed_ = true;
    ClearKeys();
    return;
  case TLeaveResult::Passed:
    emit OnExit();
    if (!ReadOnly()) SetColor(UnfocusedColor());
    return;
  }
}

void TIBComboBox::SettleOnRow() {
  if (sTimerUse_) {
    timer_->stop();
    const QString text = currentText();
    if (!text.isEmpty() && !HoldsChoiceFor(text)) {
      searchPending_ = true;
      lastKey_ = 0;
      RunCompletion();
      if (!foundText_.isEmpty()) SetTextQuietly(foundText_);
    }
  }
  const QVariant key1 = KeyValue(0), key2 = KeyValue(1);
  if (!key1.isNull() && !key2.isNull())
    FindIt2(key1, key2);
  else if (!key1.isNull())
    FindIt(key1);
}

void TIBComboBox::EnterPressed() {
  if (!ReadOnly()) hidePopup();
  TextChanged(currentText());
  emit OnClickEnter();
  checkFailed_ = false;
  comboEnterFlag = false;
  LeaveSequence();
  comboEnterFlag = true;
  const auto clear = qScopeGuard([] { comboEnterFlag = false; });
  if (hasFocus() && !checkFailed_) MoveToNextControl();
}

bool TIBComboBox::ValidationFailed() {
  const bool checkable = CanFocus() && !ReadOnly();
  const auto refuse = [this](const std::function<void()>& show) {
    ShowRefusal(show);
    checkFailed_ = true;
    ClearKeys();
    return true;
  };
  if (Required() && IsTextEmpty() && checkable) return refuse([this] { ShowKitNumberedError(emptyErrorText_); });
  // The typed text is looked up and may be stored: a character the database
  // cannot hold is the user's to correct.
  if (checkable && RefusesUnstorableText(currentText())) {
    checkFailed_ = true;
    return true;
  }
  const int length = int(currentText().trimmed().size());
  if (length > 0 && length < minLength_ && checkable)
    return refuse([this] { ShowKitInformation(QStringLiteral("Zadajte minimálne %1 znakov").arg(minLength_)); });
  bool failed = false;
  try {
    if (IsNotExist(true) && sSearchIfFound_)
      failed = checkable;
    else if (IsUnique())
      failed = checkable;
  } catch (const EComboLookupError&) {
    // The row could not be looked up (the user has been told): the entry
    // stays unconfirmed, so nothing is saved with it.
    checkFailed_ = true;
    return checkable;
  }
  if (isSignalConnected(QMetaMethod::fromSignal(&TIBComboBox::OnNotFound)) && KeyValue(0).isNull() &&
      (!IsTextEmpty() || Required()) && !ReadOnly())
    emit OnNotFound();
  return failed;
}

bool TIBComboBox::IsNotExist(bool withFocus) {
  const QString text = currentText();
  if (!sAutoAppend_ || !sSearchIfFound_ || text.isEmpty() || !CanFocus() || ReadOnly()) return false;
  if (HoldsChoiceFor(text)) return false;
  ClearKeys();
  bool found = false;
  {
    TWaitCursor wait;
    Guarded(
        "IsNotExist",
        [&] {
          if (!OpenStatement(ExistStatement(text))) return;
          for (int row = 0; row < query_->RecordCount() && !found; ++row) {
            const QString rowText = query_->ValueAt(row, 0).toString();
            if (!onlyNumbers_ && rowText.compare(text, Qt::CaseInsensitive) != 0) continue;
            found = true;
            SetKeys(RowKeys(row), rowText);
            if (rowText != text) SetTextQuietly(rowText);
          }
        },
        true, true);
    query_->Close();
  }
  if (found) return false;
  ClearKeys();
  if (setFocusIfNotFound_) checkFailed_ = true;
  const auto show = [this] { ShowKitNumberedError(sNotFoundErrorText_); };
  if (sNotFoundErrorText_ != 0) {
    if (withFocus && setFocusIfNotFound_ && CanFocus())
      ShowRefusal(show);
    else
      WithErrorColors(show);
  } else if (withFocus && setFocusIfNotFound_ && CanFocus()) {
    TakeFocusBack();
  }
  return setFocusIfNotFound_;
}

bool TIBComboBox::IsUnique() {
  if (!uniqueTest_) return false;
  bool found = false;
  {
    TWaitCursor wait;
    Guarded(
        "IsUnique", [&] { found = OpenStatement(UniqueStatement()); }, true, true);
    query_->Close();
  }
  if (!found) return false;
  ShowRefusal([this] {
    if (uniqueErrorText_ != 0) ShowKitNumberedError(uniqueErrorText_);
  });
  if (hasFocus()) lineEdit()->selectAll();
  return true;
}
