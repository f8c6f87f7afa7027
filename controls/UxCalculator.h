#pragma once
#include <QtCore/QObject>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QDialog>
#include <functional>

class QLabel;
class TUxCalculatorPanel;

// The kinds of calculator buttons; the first 22 (digit 0 .. clear) are the
// ones a typed key can reach, their Tag is the kind number - 1.
enum class TCalcBtnKind {
  Digit0,
  Digit1,
  Digit2,
  Digit3,
  Digit4,
  Digit5,
  Digit6,
  Digit7,
  Digit8,
  Digit9,
  Sign,
  Decimal,
  Divide,
  Multiply,
  Subtract,
  Add,
  Sqrt,
  Percent,
  Reciprocal,
  Equals,
  Backspace,
  Clear,
  MemoryAdd,
  MemoryStore,
  MemoryRecall,
  MemoryClear,
  Ok,
  Cancel
};

// A calculator button: a focusless speed button with a raised 3D frame that
// sinks while pressed, showing its caption or its picture centred.
class TUxCalcButton : public QAbstractButton {
  Q_OBJECT
public:
  TUxCalcButton(TCalcBtnKind kind, QWidget* parent);
  TCalcBtnKind Kind() const { return kind_; }
  // Kind number - 1 for the keyboard-reachable kinds, else -1.
  int Tag() const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  TCalcBtnKind kind_;
};

// The calculating state and the button panel (240 x 129) of the calculator
// dialog. Keys and button clicks end up in CalcKey; the panel shows its
// display text in the label given to it.
class TUxCalculatorPanel : public QWidget {
  Q_OBJECT
public:
  enum class TStatus { First, Valid, Error };

  TUxCalculatorPanel(QWidget* parent, QLabel* display, int precision, bool beepOnError);

  QString DisplayText() const { return display_; }
  // The display read as a number; 0 in the error status.
  double DisplayValue() const;
  // Shows a computed value (fires DisplayValueChanged).
  void SetDisplayValue(double value);
  TStatus Status() const { return status_; }
  double Memory() const { return memory_; }
  void SetMemory(double memory);
  // Starts from a given value: displayed, status first, pending "=".
  void StartWith(double value);

  // Handles a calculator key: digits, the decimal separator, "_" (sign),
  // "+-*/%=", "Q" (square root), "R" (reciprocal), "C" or Esc, Backspace,
  // Ctrl+C and Ctrl+V (as the control characters 3 and 22).
  void CalcKey(QChar key);
  // Maps a typed character to its button and clicks it; a character without
  // a button goes straight to CalcKey.
  void TypeChar(QChar typed);
  TUxCalcButton* Button(TCalcBtnKind kind) const;

  // Called with each key before the panel handles it; may change it.
  std::function<void(QChar&)> OnCalcKey;

signals:
  void DisplayValueChanged();
  void OkClicked();
  void CancelClicked();

private:
  void ButtonClicked(TCalcBtnKind kind);
  void SetDisplay(const QString& text);
  void SetError();
  void Beep() const;
  void BeginEntry(const QString& startText);
  void ApplyOperator(QChar op);
  void UpdateIndicator();
  QChar KeyOf(TCalcBtnKind kind) const;

  QLabel* displayLabel_;
  QLabel* indicator_ = nullptr;
  QList<TUxCalcButton*> buttons_;
  QString display_ = QStringLiteral("0");
  TStatus status_ = TStatus::First;
  QChar operator_;
  double operand_ = 0;
  double memory_ = 0;
  int precision_;
  bool beepOnError_;
};

// The calculator dialog (242 x 159, key preview on): a display box above the
// button panel; typed keys go to the panel.
class TUxCalculatorForm : public QDialog {
  Q_OBJECT
public:
  TUxCalculatorForm(QWidget* parent, int precision, bool beepOnError);
  TUxCalculatorPanel* Panel() const { return panel_; }

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  TUxCalculatorPanel* panel_;
};

// The pocket calculator component: Execute shows the dialog modally with
// Value as the starting number and returns true when the user closed it with
// OK, after which Value holds the displayed result.
class TUxCalculator : public QObject {
  Q_OBJECT
public:
  explicit TUxCalculator(QObject* owner = nullptr);

  QString Title() const { return title_; }
  void SetTitle(const QString& title) { title_ = title; }
  double Value() const { return value_; }
  void SetValue(double value) { value_ = value; }
  int Precision() const { return precision_; }
  void SetPrecision(int precision) { precision_ = precision; }
  bool BeepOnError() const { return beepOnError_; }
  void SetBeepOnError(bool on) { beepOnError_ = on; }
  double Memory() const { return memory_; }
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool on) { ctl3D_ = on; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int context) { helpContext_ = context; }

  bool Execute();
  // The dialog while Execute runs, else null (lets callers and tests drive it).
  TUxCalculatorForm* Form() const { return form_; }

  std::function<void(QChar&)> OnCalcKey;

signals:
  void OnChange();
  void OnDisplayChange();

private:
  QString title_ = QStringLiteral("Calculator");
  double value_ = 0;
  double memory_ = 0;
  int precision_ = 15;
  int helpContext_ = 0;
  bool beepOnError_ = true;
  bool ctl3D_ = true;
  TUxCalculatorForm* form_ = nullptr;
};

// A number in the calculator's display format: general format with the given
// significant digits, the locale's decimal separator, an exponent as "E-5".
QString CalcFormatNumber(double value, int precision);
