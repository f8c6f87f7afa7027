#pragma once
#include "controls/DataEntryControl.h"
#include "db/SqlCondition.h"
#include <QtCore/QVariant>
#include <QtWidgets/QLineEdit>
#include <functional>

class QToolButton;
class TIBDatabase;

// The statement of the text edit's uniqueness test with its bound values:
// parameter KEY is the edited row's key, TEXT the typed text (or its number).
struct TUniqueStatement {
  QString Sql;
  QVariant Key;
  QVariant Text;
  QVariantMap Params; // of the additional condition
  // False when the typed text cannot equal any row (a digits-only edit whose
  // text is no number): the test finds nothing without asking the server.
  bool Runnable = true;
};

// The validating single-line text edit of the dialogs: the data-entry
// contract (state colours, Enter as Tab, the leaving check, read-only mode),
// character filters (digits only, one decimal separator, a set of allowed
// characters), the required and minimum-length checks, the optional "..."
// button, and a test against the database that no other row carries the
// typed name (run with bound parameters).
class TIBEdit : public QLineEdit, public TDataEntryControl {
  Q_OBJECT
public:
  explicit TIBEdit(QWidget* parent = nullptr);

  void SetRequired(bool on);
  void SetReadOnly(bool on);
  int EmptyErrorText() const { return emptyErrorText_; }
  void SetEmptyErrorText(int number) { emptyErrorText_ = number; }
  int MinLength() const { return minLength_; }
  void SetMinLength(int length) { minLength_ = length; }
  bool OnlyNumbers() const { return onlyNumbers_; }
  void SetOnlyNumbers(bool on) { onlyNumbers_ = on; }
  bool WithDecimals() const { return withDecimals_; }
  void SetWithDecimals(bool on) { withDecimals_ = on; }
  QString OnlyTheseChars() const { return onlyTheseChars_; }
  void SetOnlyTheseChars(const QString& chars) { onlyTheseChars_ = chars; }

  bool UniqueTest() const { return uniqueTest_; }
  void SetUniqueTest(bool on) { uniqueTest_ = on; }
  TIBDatabase* Database() const { return database_; }
  void SetDatabase(TIBDatabase* database) { database_ = database; }
  QString UTableName() const { return uTableName_; }
  void SetUTableName(const QString& name) { uTableName_ = name; }
  QString UTestColumn() const { return uTestColumn_; }
  void SetUTestColumn(const QString& name) { uTestColumn_ = name; }
  QString UniqueColumn() const { return uniqueColumn_; }
  void SetUniqueColumn(const QString& name) { uniqueColumn_ = name; }
  QVariant UniqueColumnValue() const { return uniqueColumnValue_; }
  void SetUniqueColumnValue(const QVariant& key) { uniqueColumnValue_ = key; }
  // A further condition of the test, written with its leading "and", with its bound values.
  const TSqlCondition& UAdditionalToWhere() const { return uAdditionalToWhere_; }
  void SetUAdditionalToWhere(const TSqlCondition& condition) { uAdditionalToWhere_ = condition; }
  bool UBezDiakritiky() const { return uBezDiakritiky_; }
  void SetUBezDiakritiky(bool on) { uBezDiakritiky_ = on; }
  int UniqueErrorText() const { return uniqueErrorText_; }
  void SetUniqueErrorText(int number) { uniqueErrorText_ = number; }

  bool ButtonVisible() const { return buttonVisible_; }
  void SetButtonVisible(bool on);
  QToolButton* Button() const { return button_; }
  // Alignment of the text while the edit has no focus.
  Qt::Alignment Alignment() const { return alignment_; }
  void SetAlignment(Qt::Alignment alignment);
  QVariant Tag() const { return tag_; }
  void SetTag(const QVariant& tag) { tag_ = tag; }
  // Kept with the form data; the edit does not use them.
  QString MessagesSource() const { return messagesSource_; }
  void SetMessagesSource(const QString& source) { messagesSource_ = source; }
  int SMinSearchLength() const { return sMinSearchLength_; }
  void SetSMinSearchLength(int length) { sMinSearchLength_ = length; }

  // True when the text is refused: blank while required, shorter than
  // MinLength, or used by another row; the message has been shown and the
  // edit holds the focus.
  bool ValidationFailed() override;
  // True when the uniqueness test found another row (it showed the message).
  // A database error shows two messages and is raised again.
  bool IsUnique();
  bool IsTextEmpty() const { return text().trimmed().isEmpty(); }
  TUniqueStatement UniqueStatement() const;

  // The edit's own key-down event, before the standard handling; setting
  // `key` to 0 consumes it.
  std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
  // The standard key-press event, between the decimal-separator step and
  // the character filters; setting `key` to a null QChar drops it.
  std::function<void(QChar& key)> OnKeyPress;

signals:
  void OnEnter();
  void OnExit();
  void OnClickEnter();
  void OnCtrlEnter();
  void OnButtonClick();

protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  // Returns the character to insert, or a null QChar to drop the key.
  QChar FilterChar(QChar typed);
  void ClickButton();
  void PlaceButton();
  void ApplyAlignment();

  QToolButton* button_;
  QVariant uniqueColumnValue_;
  QVariant tag_ = 0;
  QString onlyTheseChars_;
  QString uTableName_, uTestColumn_, uniqueColumn_;
  TSqlCondition uAdditionalToWhere_;
  QString messagesSource_ = QStringLiteral("Messages");
  TIBDatabase* database_ = nullptr;
  Qt::Alignment alignment_ = Qt::AlignLeft;
  int emptyErrorText_ = 1001;
  int uniqueErrorText_ = 1004;
  int minLength_ = 0;
  int sMinSearchLength_ = 3;
  bool onlyNumbers_ = false;
  bool withDecimals_ = false;
  bool uniqueTest_ = false;
  bool uBezDiakritiky_ = false;
  bool buttonVisible_ = false;
};
