#pragma once
#include "controls/DataEntryControl.h"
#include "core/Exception.h"
#include "db/SqlCondition.h"
#include <QtCore/QVariant>
#include <QtCore/QVariantMap>
#include <QtWidgets/QComboBox>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QTimer;
class TIBDatabase;
class TIBQuery;
class TIBTransaction;

// The column values of one list row: value i belongs to key column i + 1
// (SKeyField .. SKeyField9); a value stays invalid when its column is not set.
struct TQPLComboObject {
  std::array<QVariant, 9> Values;
};

// A statement of the combo failed; the user has been told.
class EComboLookupError : public Exception {
public:
  using Exception::Exception;
};

// One statement of the combo with its bound values. `Runnable` is false when
// the typed text cannot name any row (a digits-only combo given a non-number):
// the statement then finds nothing without asking the server.
struct TComboStatement {
  QString Sql;
  QVariantMap Params;
  bool Runnable = true;
};

// The lookup combo box: chooses one row of a table or view by its shown
// column. Typing searches the table after a pause and completes the text;
// the list shows the rows that begin with the typed text, or that contain
// every "*"-separated piece of it; leaving settles on one row (a key chosen
// from the list or set by FindIt is kept while its text still matches) and
// refuses a text that names no row. Every statement runs with bound values
// in the combo's own read-only read-committed transaction.
class TIBComboBox : public QComboBox, public TDataEntryControl {
  Q_OBJECT
public:
  enum class TCharCase { Normal, Upper, Lower };

  explicit TIBComboBox(QWidget* parent = nullptr);
  ~TIBComboBox() override;

  TIBDatabase* Database() const { return database_; }
  void SetDatabase(TIBDatabase* database);
  QString STableName() const { return sTableName_; }
  void SetSTableName(const QString& name) { sTableName_ = name; }
  QString SAppendFromField() const { return sAppendFromField_; }
  void SetSAppendFromField(const QString& name) { sAppendFromField_ = name; }
  // Key column 1 .. 9 (index 0 .. 8).
  QString SKeyField(int index = 0) const { return sKeyFields_[size_t(index)]; }
  void SetSKeyField(int index, const QString& name) { sKeyFields_[size_t(index)] = name; }
  void SetSKeyField(const QString& name) { sKeyFields_[0] = name; }
  // The condition every statement of the combo adds, with its bound values.
  const TSqlCondition& SWhere() const { return sWhere_; }
  void SetSWhere(const TSqlCondition& condition) { sWhere_ = condition; }
  QString SOrderBy() const { return sOrderBy_; }
  void SetSOrderBy(const QString& order) { sOrderBy_ = order; }
  bool SDistinct() const { return sDistinct_; }
  void SetSDistinct(bool on) { sDistinct_ = on; }
  bool SAutoAppend() const { return sAutoAppend_; }
  void SetSAutoAppend(bool on);
  bool AutoComplete() const { return autoComplete_; }
  void SetAutoComplete(bool on);
  int SMinSearchLength() const { return sMinSearchLength_; }
  void SetSMinSearchLength(int length) { sMinSearchLength_ = length; }
  bool SSearchIfFound() const { return sSearchIfFound_; }
  void SetSSearchIfFound(bool on) { sSearchIfFound_ = on; }
  int SNotFoundErrorText() const { return sNotFoundErrorText_; }
  void SetSNotFoundErrorText(int number) { sNotFoundErrorText_ = number; }
  bool SetFocusIfNotFound() const { return setFocusIfNotFound_; }
  void SetSetFocusIfNotFound(bool on) { setFocusIfNotFound_ = on; }
  bool SUseBasicASCIIColumn() const { return sUseBasicASCIIColumn_; }
  void SetSUseBasicASCIIColumn(bool on) { sUseBasicASCIIColumn_ = on; }
  bool STimerUse() const { return sTimerUse_; }
  void SetSTimerUse(bool on) { sTimerUse_ = on; }
  int STimerInterval() const;
  void SetSTimerInterval(int milliseconds);
  void SetRequired(bool on);
  void SetReadOnly(bool on);
  int EmptyErrorText() const { return emptyErrorText_; }
  void SetEmptyErrorText(int number) { emptyErrorText_ = number; }
  int MinLength() const { return minLength_; }
  void SetMinLength(int length) { minLength_ = length; }
  bool OnlyNumbers() const { return onlyNumbers_; }
  void SetOnlyNumbers(bool on) { onlyNumbers_ = on; }
  QString OnlyTheseChars() const { return onlyTheseChars_; }
  void SetOnlyTheseChars(const QString& chars) { onlyTheseChars_ = chars; }
  TCharCase CharCase() const { return charCase_; }
  void SetCharCase(TCharCase charCase) { charCase_ = charCase; }
  int DropDownCount() const { return maxVisibleItems(); }
  void SetDropDownCount(int count) { setMaxVisibleItems(count); }
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int width) { dropDownWidth_ = width; }
  QVariant Tag() const { return tag_; }
  void SetTag(const QVariant& tag) { tag_ = tag; }
  QString MessagesSource() const { return messagesSource_; }
  void SetMessagesSource(const QString& source) { messagesSource_ = source; }

  // The uniqueness test (no form switches it on).
  bool UniqueTest() const { return uniqueTest_; }
  void SetUniqueTest(bool on) { uniqueTest_ = on; }
  void SetUTableName(const QString& name) { uTableName_ = name; }
  void SetUTestColumn(const QString& name) { uTestColumn_ = name; }
  void SetUniqueColumn(const QString& name) { uniqueColumn_ = name; }
  void SetUniqueColumnValue(const QVariant& value) { uniqueColumnValue_ = value; }
  void SetUAdditionalToWhere(const TSqlCondition& condition) { uAdditionalToWhere_ = condition; }
  void SetUBezDiakritiky(bool on) { uBezDiakritiky_ = on; }
  void SetUniqueErrorText(int number) { uniqueErrorText_ = number; }
  void SetUniqueTestSKeyValue(bool on) { uniqueTestSKeyValue_ = on; }
  void SetUniqueTestSKeyField(const QString& name) { uniqueTestSKeyField_ = name; }

  // Sets the combo to the row whose SKeyField equals `value`; Null or an
  // unknown key (also a value that cannot be a key) leaves it empty.
  void FindIt(const QVariant& value);
  // The same by SKeyField2; key value 1 is then the row's SKeyField.
  void FindIt3(const QVariant& value);
  // The same by SKeyField and SKeyField2 together.
  void FindIt2(const QVariant& value1, const QVariant& value2);
  // Sets the combo to the first row of the list's order.
  void FindFirst();
  // Empties the combo: no row, no list items, no text.
  void ClearValue();
  // Writes a text the user may accept or type over: no search starts for
  // it, and it is selected, so that the first key typed replaces it.
  void ProposeText(const QString& text);
  // Key value 1 .. 8 of the chosen list item, else of the remembered row;
  // Null when nothing is chosen.
  QVariant GetKeyValue() const { return KeyValue(0); }
  QVariant GetKeyValue2() const { return KeyValue(1); }
  QVariant GetKeyValue3() const { return KeyValue(2); }
  QVariant GetKeyValue4() const { return KeyValue(3); }
  QVariant GetKeyValue5() const { return KeyValue(4); }
  QVariant GetKeyValue6() const { return KeyValue(5); }
  QVariant GetKeyValue7() const { return KeyValue(6); }
  QVariant GetKeyValue8() const { return KeyValue(7); }
  // Key 1 as it was when the combo last received the focus (Null before):
  // leaving handlers act only on a changed choice.
  QVariant EntryKeyValue() const { return entryKeyValue_; }
  bool IsTextEmpty() const { return currentText().trimmed().isEmpty(); }
  // The full text of the row the last completion found; empty when none.
  QString FoundText() const { return foundText_; }
  // The shown column of the row the key values belong to, as the row holds
  // it (a completion keeps the typed letters' case until the combo is left);
  // the shown text when no row is held. What a dialog stores or prints.
  QString RowText() const;
  bool CheckFailed() const { return checkFailed_; }
  const TQPLComboObject* ItemObject(int index) const;

  // The leaving check: blank while required, shorter than MinLength, naming
  // no row, or not unique; the message has been shown and the combo holds
  // the focus (when it can).
  bool ValidationFailed() override;

  // The timer's step: runs the pending completion search unless the list is
  // open. Tests call it instead of waiting for the pause.
  void TimerElapsed();
  // The completion search: completes the text from the first matching row.
  void RunCompletion();
  // Fills the list as opening it does (without showing it).
  void FillList();
  // True when the lookup's table holds no row at all (a register not filled
  // yet), whatever the combo's filter; false also when that cannot be read.
  bool ListIsEmpty();

  // The statements, with their bound values, for the current settings.
  TComboStatement CompletionStatement(const QString& text) const;
  TComboStatement ListStatement(bool withFilter) const;
  TComboStatement ExistStatement(const QString& text) const;
  // Selects the shown column and every set key column of the rows whose
  // `keyColumns` equal `values`.
  TComboStatement FindStatement(const QStringList& keyColumns, const QVariantList& values, bool firstOnly) const;
  TComboStatement FindFirstStatement() const;
  TComboStatement UniqueStatement() const;

  // The registry key and value name of the list's stored size.
  QString SettingsKey() const;
  QString SettingsValueName() const;

  void showPopup() override;

  // The combo's own key-down event, after the combo's own handling.
  std::function<void(int key, Qt::KeyboardModifiers shift)> OnKeyDown;
  std::function<void(int key, Qt::KeyboardModifiers shift)> OnKeyUp;

signals:
  void OnEnter();
  void OnExit();
  void OnChange();
  void OnCtrlEnter();
  // A double click in the combo (not read-only): forms open the register as a picker.
  void OnDblClick();
  void OnClickEnter();
  void OnNotFound();
  void OnDropDown();

protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void LeftUnseen() override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

private:
  using TKeyValues = std::array<QVariant, 9>;

  QVariant KeyValue(int index) const;
  QStringList SetKeyColumns(int from) const;
  void ClearKeys();
  void SetKeys(const TKeyValues& values, const QString& rowText);
  bool HoldsChoiceFor(const QString& text) const;
  void TextChanged(const QString& text);
  void TextEdited();
  void ItemActivated(int index);
  void SetTextQuietly(const QString& text);
  void ShowTextStart();
  void TypeCharacter(QKeyEvent* event);
  void EnterPressed();
  void LeaveSequence();
  // The first steps of leaving: a pending completion runs now, and the row
  // of the held key writes its exact text back.
  void SettleOnRow();
  bool IsNotExist(bool withFocus);
  bool IsUnique();
  void FindBy(const char* operation, const TComboStatement& statement, const QVariant& firstKey, bool rethrow);
  TKeyValues RowKeys(int row) const;
  void AdjustMaxLength(const TIBQuery& query);
  void FillItems(TIBQuery& query);
  void ChangeDropDownCount(int delta);
  void ReadDropDownCount();
  void ApplyStateColor();
  // Opens `statement` on the combo's query; false when it cannot find a row
  // (not runnable, or a value the column's type cannot hold).
  bool OpenStatement(const TComboStatement& statement);
  // Runs `action`; a failing statement rolls back (retaining) when
  // `rollback`, tells the user that the list could not be read (never the
  // statement, which goes to the log with the `operation`), and is raised
  // again as an EComboLookupError when `rethrow`.
  void Guarded(const char* operation, const std::function<void()>& action, bool rollback, bool rethrow);

  std::unique_ptr<TIBTransaction> transaction_;
  std::unique_ptr<TIBQuery> query_;
  QTimer* timer_;
  TIBDatabase* database_ = nullptr;
  std::vector<std::unique_ptr<TQPLComboObject>> objects_;
  std::array<QString, 9> sKeyFields_;
  TKeyValues keys_;
  QVariant entryKeyValue_;
  QString chosenText_; // the row text of the held keys
  QString foundText_;
  QString readOnlyText_;
  QString sTableName_, sAppendFromField_, sOrderBy_, onlyTheseChars_;
  TSqlCondition sWhere_;
  QString uTableName_, uTestColumn_, uniqueColumn_, uniqueTestSKeyField_;
  TSqlCondition uAdditionalToWhere_;
  QString messagesSource_ = QStringLiteral("Messages");
  QVariant uniqueColumnValue_;
  QVariant tag_ = 0;
  TCharCase charCase_ = TCharCase::Normal;
  int selectedItem_ = -1; // the list item the user chose, -1 when none
  int typedLength_ = 0;
  int lastKey_ = 0;
  int sMinSearchLength_ = 0;
  int sNotFoundErrorText_ = 1019;
  int emptyErrorText_ = 1001;
  int minLength_ = 0;
  int dropDownWidth_ = 0;
  int uniqueErrorText_ = 0;
  int quiet_ = 0; // > 0 while the combo changes its own text
  bool searchPending_ = false;
  bool checkFailed_ = false;
  bool sDistinct_ = false;
  bool sAutoAppend_ = false;
  bool autoComplete_ = false;
  bool autoCompleting_ = false;
  bool sSearchIfFound_ = true;
  bool setFocusIfNotFound_ = true;
  bool sUseBasicASCIIColumn_ = false;
  bool sTimerUse_ = true;
  bool onlyNumbers_ = false;
  bool uniqueTest_ = false;
  bool uBezDiakritiky_ = false;
  bool uniqueTestSKeyValue_ = false;
};
