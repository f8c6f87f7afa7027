#pragma once
#include "core/Color.h"
#include "core/Exception.h"
#include <QtWidgets/QLineEdit>

// Raised when a text cannot be read as a number.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

enum class TNumberFormat { Standard, Thousands, Scientific, Engineering };

// A decimal number rounded half away from zero, taken from the shortest text
// that reads back as the same double (so 1.005 rounds to 1.01, as typed).
// Returns the digits with `decimals` places after a "." ("-12.35"); no sign
// on a result of zero.
QString RoundDecimalText(double value, int decimals);
// The value rounded half away from zero to `decimals` places, by the same rule.
double RoundDecimal(double value, int decimals);

// The numeric entry field under the money edit: its text stays a number
// with a fixed count of decimals while the user types (decimals are
// overwritten, "-" toggles the sign wherever the caret is, the decimal
// separator jumps to the decimals), it reads and writes an extended `Value`,
// and it formats a written value with FormatValue. Separators are those of
// the widget's locale and follow its changes.
class TBaseNumEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit TBaseNumEdit(QWidget* parent = nullptr);

  // The text read as a number: an empty text or a lone "-" is 0, a text
  // ending in an unfinished exponent ("12E", "12E-") reads as its mantissa,
  // a number beyond a double's range as the largest double of its sign (or
  // 0 when too close to zero). Throws EConvertError for a text that is not
  // a number.
  double Value() const;
  // Writes the formatted value with the caret before it; the text (and the
  // caret) stay untouched when the formatted text equals the current one.
  void SetValue(double value);
  // Decimal places; -1 = as many as the number needs (at most 14).
  int Decimals() const { return decimals_; }
  void SetDecimals(int decimals);
  double MinValue() const { return minValue_; }
  void SetMinValue(double value);
  double MaxValue() const { return maxValue_; }
  void SetMaxValue(double value);
  // The most characters the user may type; 0 = no limit. Unlike the line
  // edit's own limit it never cuts a text the program writes.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length) { maxLength_ = qMax(0, length); }
  TNumberFormat NumberFormat() const { return numberFormat_; }
  void SetNumberFormat(TNumberFormat format);
  // The colours while enabled and while disabled.
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TColor color);

  // The text of a value: no grouping, `Decimals` places (at most 15
  // significant digits, further places zero), halves away from zero.
  QString FormatValue(double value) const;
  // The text with the current separators, thousands separators removed, an
  // empty text as "0" and a lone "-" as "-0".
  QString NormalizeText(const QString& text) const;

  // The key filter for one typed character; returns false when it was
  // refused (with a beep).
  bool TypeChar(QChar typed);
  // Backspace (or Delete when !backspace) with the rules of the field.
  void DeleteKey(bool backspace);
  // Clipboard: copy and cut put the normalised selection there; paste feeds
  // the clipboard's characters through the key filter.
  void CopySelection() const;
  void CutSelection();
  void PasteText(const QString& text);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // Paints the background colour the state asks for (enabled or disabled).
  virtual void ApplyStateColor();
  QChar DecimalSeparator() const;
  QChar ThousandsSeparator() const;
  // Replaces the text and puts the caret at `caret` (no selection).
  void Commit(const QString& text, int caret);
  void Refuse() const;

private:
  void DeleteSelection(QString& text, int& caret) const;
  void BackspaceAt(QString& text, int& caret) const;
  void DeleteForward(QString& text, int& caret) const;
  void RemoveChar(QString& text, int index, int& caret) const;
  bool InsertDigit(QString& text, int& caret, QChar digit) const;
  void ToggleSign(QString& text, int& caret) const;
  QString MapSeparators(const QString& text) const;
  void Reformat();
  static double OutOfRangeValue(const QByteArray& number);

  bool Full(const QString& text) const { return maxLength_ > 0 && text.size() >= maxLength_; }

  int decimals_ = -1;
  int maxLength_ = 0;
  double minValue_ = 0;
  double maxValue_ = 0;
  TNumberFormat numberFormat_ = TNumberFormat::Standard;
  TColor color_ = clWindow;
  TColor disabledColor_ = clBtnFace;
  // The separators the current text was formatted with.
  mutable QChar formattedDecimal_;
  mutable QChar formattedThousands_;
};
