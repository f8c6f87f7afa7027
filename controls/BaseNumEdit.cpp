#include "controls/BaseNumEdit.h"
#include "core/gui/ColorConvert.h"
#include "core/ui/EventBoundary.h"
#include <QtCore/QLocale>
#include <QtGui/QClipboard>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr int kMaxDecimals = 14;
constexpr int kMaxExponent = 4932;
constexpr int kSignificantDigits = 15;

// A decimal number as a digit string with the decimal point after
// `point` digits (point may be <= 0 or beyond the digits).
struct TDecimal {
  bool negative = false;
  QString digits;
  int point = 0;
};

TDecimal ShortestDecimal(double value) {
  TDecimal d;
  d.negative = std::signbit(value);
  // "d.ddde+XX": the shortest digits that read back as the same double.
  const QString text = QString::number(std::fabs(value), 'e', QLocale::FloatingPointShortest);
  const qsizetype e = text.indexOf(QLatin1Char('e'));
  d.digits = text.left(e).remove(QLatin1Char('.'));
  d.point = text.mid(e + 1).toInt() + 1;
  return d;
}

// Rounds half away from zero to `decimals` places; keeps `decimals` places.
TDecimal RoundTo(TDecimal d, int decimals) {
  const int keep = d.point + decimals;
  if (keep < 0) return {false, QStringLiteral("0"), 1};
  if (keep >= d.digits.size()) {
    d.digits += QString(keep - d.digits.size(), QLatin1Char('0'));
    return d;
  }
  const bool up = d.digits.at(keep) >= QLatin1Char('5');
  d.digits.truncate(keep);
  if (up) {
    int i = keep - 1;
    for (; i >= 0 && d.digits.at(i) == QLatin1Char('9'); --i)
      d.digits[i] = QLatin1Char('0');
    if (i >= 0)
      d.digits[i] = QChar(d.digits.at(i).unicode() + 1);
    else {
      d.digits.prepend(QLatin1Char('1'));
      ++d.point;
    }
  }
  return d;
}

QString FixedText(const TDecimal& d, int decimals) {
  QString digits = d.digits;
  int point = d.point;
  if (point <= 0) {
    digits.prepend(QString(1 - point, QLatin1Char('0')));
    point = 1;
  }
  QString whole = digits.left(point);
  while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
    whole.remove(0, 1);
  QString fraction = digits.mid(point, decimals);
  fraction += QString(decimals - fraction.size(), QLatin1Char('0'));
  const QString all = whole + fraction;
  const bool zero = std::all_of(all.begin(), all.end(), [](QChar c) { return c == QLatin1Char('0'); });
  QString text = (d.negative && !zero ? QStringLiteral("-") : QString()) + whole;
  if (decimals > 0) text += QLatin1Char('.') + fraction;
  return text;
}

// Where the parts of a number text begin and end.
struct TParts {
  int signEnd;  // 1 after a leading "-", else 0
  int ePos;     // the "E", or -1
  int numEnd;   // end of the mantissa
  int sepPos;   // the decimal separator in the mantissa, or -1
  int wholeEnd; // end of the whole part
};

TParts Parse(const QString& text, QChar separator) {
  TParts p;
  p.signEnd = text.startsWith(QLatin1Char('-')) ? 1 : 0;
  p.ePos = int(text.indexOf(QLatin1Char('E')));
  p.numEnd = p.ePos >= 0 ? p.ePos : int(text.size());
  p.sepPos = int(text.left(p.numEnd).indexOf(separator));
  p.wholeEnd = p.sepPos >= 0 ? p.sepPos : p.numEnd;
  return p;
}

} // namespace

QString RoundDecimalText(double value, int decimals) {
  if (!std::isfinite(value)) return QString::number(value);
  return FixedText(RoundTo(ShortestDecimal(value), decimals), decimals);
}

double RoundDecimal(double value, int decimals) { return RoundDecimalText(value, decimals).toDouble(); }

// ---------------------------------------------------------------- edit

TBaseNumEdit::TBaseNumEdit(QWidget* parent) : QLineEdit(parent) {
  formattedDecimal_ = DecimalSeparator();
  formattedThousands_ = ThousandsSeparator();
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setAcceptDrops(false);
  resize(100, height());
  setText(FormatValue(0));
  ApplyStateColor();
}

QChar TBaseNumEdit::DecimalSeparator() const { return locale().decimalPoint().at(0); }

QChar TBaseNumEdit::ThousandsSeparator() const {
  const QString group = locale().groupSeparator();
  return group.isEmpty() ? QChar() : group.at(0);
}

void TBaseNumEdit::Refuse() const { QApplication::beep(); }

QString TBaseNumEdit::MapSeparators(const QString& text) const {
  const QChar decimal = DecimalSeparator();
  const QChar thousands = ThousandsSeparator();
  if (decimal == formattedDecimal_ && thousands == formattedThousands_) return text;
  QString mapped = text;
  for (QChar& c : mapped) {
    if (c == formattedDecimal_)
      c = decimal;
    else if (c == formattedThousands_)
      c = thousands;
  }
  formattedDecimal_ = decimal;
  formattedThousands_ = thousands;
  return mapped;
}

QString TBaseNumEdit::NormalizeText(const QString& text) const {
  QString normal = MapSeparators(text);
  if (!ThousandsSeparator().isNull()) normal.remove(ThousandsSeparator());
  if (normal.isEmpty()) return QStringLiteral("0");
  if (normal == QStringLiteral("-")) return QStringLiteral("-0");
  return normal;
}

double TBaseNumEdit::Value() const {
  QString number = NormalizeText(text());
  // An exponent begun but not typed yet: the mantissa is the number so far.
  if (number.endsWith(QStringLiteral("E-")))
    number.chop(2);
  else if (number.endsWith(QLatin1Char('E')))
    number.chop(1);
  number.replace(DecimalSeparator(), QLatin1Char('.'));
  const QByteArray latin = number.trimmed().toLatin1();
  double value = 0;
  const auto [end, error] = std::from_chars(latin.begin(), latin.end(), value);
  if (end != latin.end() || latin.isEmpty() || (error != std::errc() && error != std::errc::result_out_of_range))
    throw EConvertError(QStringLiteral("'%1' nie je platné číslo").arg(text()));
  if (error == std::errc::result_out_of_range) return OutOfRangeValue(latin);
  return value;
}

// A number beyond the range of a double (the exponent may reach 4932): the
// largest double of its sign, or 0 for one too close to zero.
double TBaseNumEdit::OutOfRangeValue(const QByteArray& number) {
  long double wide = 0;
  const auto [end, error] = std::from_chars(number.begin(), number.end(), wide);
  bool huge = error == std::errc() ? std::fabs(wide) > std::numeric_limits<double>::max() : !number.contains("E-");
  if (error == std::errc() && !huge) return double(wide);
  if (!huge) return 0;
  return number.startsWith('-') ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
}

void TBaseNumEdit::SetValue(double value) {
  const QString formatted = FormatValue(value);
  if (formatted == text()) return;
  setText(formatted);
  // The caret goes before the new text, not behind its last decimal, where
  // every digit typed next would be refused: typing into a field that the
  // program has just set (a blank field shown as 0) replaces its leading 0.
  setCursorPosition(0);
}

QString TBaseNumEdit::FormatValue(double value) const {
  QString text;
  if (std::fabs(value) >= 1e18 || !std::isfinite(value)) {
    text = QString::number(value, 'g', kSignificantDigits).toUpper().replace(QStringLiteral("E+"), QStringLiteral("E"));
  } else if (decimals_ < 0) {
    text = RoundDecimalText(value, kMaxDecimals);
    if (text.contains(QLatin1Char('.'))) {
      while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
      if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
    if (text == QStringLiteral("-0")) text = QStringLiteral("0");
  } else {
    text = RoundDecimalText(value, decimals_);
    // At most 15 significant digits; further places are zeros.
    const int wholeDigits = int(text.indexOf(QLatin1Char('.'))) - (text.startsWith(QLatin1Char('-')) ? 1 : 0);
    if (decimals_ > 0 && decimals_ > kSignificantDigits - wholeDigits) {
      const int kept = qMax(0, kSignificantDigits - wholeDigits);
      text = RoundDecimalText(value, kept);
      if (kept == 0) text += QLatin1Char('.');
      text += QString(decimals_ - kept, QLatin1Char('0'));
    }
  }
  return text.replace(QLatin1Char('.'), DecimalSeparator());
}

void TBaseNumEdit::SetDecimals(int decimals) {
  decimals = qBound(-1, decimals, kMaxDecimals);
  if (maxLength_ > 0 && decimals > maxLength_ - 2) decimals = maxLength_ - 2;
  decimals_ = qMax(-1, decimals);
  Reformat();
}

void TBaseNumEdit::Reformat() {
  double value = 0;
  try {
    value = Value();
  } catch (const EConvertError&) {
    // A text that is no number is formatted as 0.
  }
  setText(FormatValue(value));
}

void TBaseNumEdit::SetMinValue(double value) {
  if (value == minValue_ || value > maxValue_) return;
  minValue_ = value;
}

void TBaseNumEdit::SetMaxValue(double value) {
  if (value == maxValue_ || value < minValue_) return;
  maxValue_ = value;
}

void TBaseNumEdit::SetNumberFormat(TNumberFormat format) {
  numberFormat_ = format;
  Reformat();
}

void TBaseNumEdit::SetColor(TColor color) {
  color_ = color;
  ApplyStateColor();
}

void TBaseNumEdit::SetDisabledColor(TColor color) {
  disabledColor_ = color;
  ApplyStateColor();
}

void TBaseNumEdit::ApplyStateColor() {
  QPalette p = palette();
  const QColor background = ToQColor(isEnabled() ? color_ : disabledColor_);
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    p.setColor(group, QPalette::Base, background);
  setPalette(p);
}

void TBaseNumEdit::Commit(const QString& text, int caret) {
  if (text != this->text()) {
    setText(text);
    setModified(true);
  }
  setCursorPosition(qBound(0, caret, int(text.size())));
}

// ---------------------------------------------------------------- keys

bool TBaseNumEdit::TypeChar(QChar typed) {
  if (isReadOnly()) return false;
  const QChar separator = DecimalSeparator();
  QChar c = typed == QLatin1Char('e') ? QLatin1Char('E') : typed;
  const bool accepted =
      c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('E') || (c == separator && decimals_ != 0);
  if (!accepted || (c.isDigit() && c.unicode() > 0x7F)) {
    Refuse();
    return false;
  }
  QString t = text();
  int caret = cursorPosition();
  if (hasSelectedText()) {
    if (c.isDigit() || c == QLatin1Char('-')) DeleteSelection(t, caret);
    // The decimal separator and "E" only collapse the selection.
  }
  TParts p = Parse(t, separator);
  // The caret never stays before the "-" of a negative number or of the exponent.
  if (p.signEnd == 1 && caret == 0) caret = 1;
  if (p.ePos >= 0 && caret == p.ePos + 1 && t.mid(p.ePos + 1, 1) == QStringLiteral("-")) caret = p.ePos + 2;

  if (c == QLatin1Char('-')) {
    ToggleSign(t, caret);
  } else if (c == separator) {
    if (p.sepPos >= 0) {
      caret = p.sepPos + 1;
    } else {
      if (Full(t)) return Refuse(), false;
      t.insert(p.numEnd, separator);
      caret = p.numEnd + 1;
    }
  } else if (c == QLatin1Char('E')) {
    if (p.ePos >= 0) {
      caret = p.ePos + 1;
    } else {
      if (Full(t)) return Refuse(), false;
      t.append(QLatin1Char('E'));
      caret = int(t.size());
    }
  } else if (!InsertDigit(t, caret, c)) {
    Refuse();
    return false;
  }
  Commit(t, caret);
  return true;
}

void TBaseNumEdit::ToggleSign(QString& t, int& caret) const {
  const TParts p = Parse(t, DecimalSeparator());
  if (p.ePos >= 0 && caret > p.ePos) {
    if (t.mid(p.ePos + 1, 1) == QStringLiteral("-")) {
      t.remove(p.ePos + 1, 1);
      if (caret > p.ePos + 1) --caret;
    } else {
      t.insert(p.ePos + 1, QLatin1Char('-'));
      ++caret;
    }
  } else if (p.signEnd == 1) {
    t.remove(0, 1);
    caret = qMax(0, caret - 1);
  } else {
    t.prepend(QLatin1Char('-'));
    ++caret;
  }
}

bool TBaseNumEdit::InsertDigit(QString& t, int& caret, QChar digit) const {
  const TParts p = Parse(t, DecimalSeparator());
  const bool full = Full(t);
  if (p.ePos >= 0 && caret > p.ePos) {
    const int expStart = p.ePos + 1 + (t.mid(p.ePos + 1, 1) == QStringLiteral("-") ? 1 : 0);
    QString candidate = t;
    int at = qMax(caret, expStart);
    if (t.mid(expStart) == QStringLiteral("0"))
      candidate[expStart] = digit, at = expStart + 1;
    else if (full)
      return false;
    else
      candidate.insert(at++, digit);
    if (std::abs(candidate.mid(expStart).toInt()) > kMaxExponent) return false;
    t = candidate;
    caret = at;
    return true;
  }
  if (caret <= p.wholeEnd && t.mid(p.signEnd, p.wholeEnd - p.signEnd) == QStringLiteral("0")) {
    t[p.signEnd] = digit; // a leading 0 is replaced
    caret = p.signEnd + 1;
    return true;
  }
  if (decimals_ >= 1 && p.sepPos >= 0 && caret > p.sepPos) {
    if (caret >= p.sepPos + 1 + decimals_) return false;
    if (caret < p.numEnd) {
      t[caret++] = digit; // decimals are overwritten
      return true;
    }
  }
  if (full) return false;
  t.insert(caret++, digit);
  return true;
}

void TBaseNumEdit::RemoveChar(QString& t, int index, int& caret) const {
  const TParts p = Parse(t, DecimalSeparator());
  caret = index;
  if (p.sepPos >= 0 && index > p.sepPos && index < p.numEnd) {
    t.remove(index, 1);
    // The count of decimals stays fixed.
    if (decimals_ > 0) t.insert(p.numEnd - 1, QLatin1Char('0'));
  } else if (index == 0 && p.signEnd == 1) {
    t.remove(0, 1);
  } else if (index >= p.signEnd && index < p.wholeEnd && p.wholeEnd - p.signEnd == 1) {
    t[index] = QLatin1Char('0');
  } else {
    t.remove(index, 1);
  }
  if (t.isEmpty()) t = QStringLiteral("0");
}

void TBaseNumEdit::BackspaceAt(QString& t, int& caret) const {
  const QChar separator = DecimalSeparator();
  const QChar thousands = ThousandsSeparator();
  int i = caret - 1;
  // An "E" without exponent digits can be taken back.
  if (i >= 0 && i == t.size() - 1 && t.at(i) == QLatin1Char('E')) {
    t.chop(1);
    caret = i;
    return;
  }
  while (i >= 0 && (t.at(i) == separator || t.at(i) == thousands || t.at(i) == QLatin1Char('E')))
    --i;
  if (i < 0) return;
  RemoveChar(t, i, caret);
}

void TBaseNumEdit::DeleteForward(QString& t, int& caret) const {
  const QChar separator = DecimalSeparator();
  const QChar thousands = ThousandsSeparator();
  int i = caret;
  while (i < t.size() && (t.at(i) == separator || t.at(i) == thousands || t.at(i) == QLatin1Char('E')))
    ++i;
  if (i >= t.size()) return;
  RemoveChar(t, i, caret);
}

void TBaseNumEdit::DeleteSelection(QString& t, int& caret) const {
  const int start = selectionStart();
  const int length = int(selectedText().size());
  if (start < 0 || length == 0) return;
  if (length == t.size()) {
    t = FormatValue(0);
    caret = Parse(t, DecimalSeparator()).wholeEnd;
    return;
  }
  const int digits =
      int(std::count_if(t.begin() + start, t.begin() + start + length, [](QChar c) { return c.isDigit(); }));
  caret = start + length;
  for (int i = 0; i < digits; ++i)
    BackspaceAt(t, caret);
}

void TBaseNumEdit::DeleteKey(bool backspace) {
  if (isReadOnly()) return;
  QString t = text();
  int caret = cursorPosition();
  if (hasSelectedText())
    DeleteSelection(t, caret);
  else if (backspace)
    BackspaceAt(t, caret);
  else
    DeleteForward(t, caret);
  Commit(t, caret);
}

void TBaseNumEdit::CopySelection() const {
  if (!hasSelectedText()) return;
  QString selection = MapSeparators(selectedText());
  if (!ThousandsSeparator().isNull()) selection.remove(ThousandsSeparator());
  QGuiApplication::clipboard()->setText(selection);
}

void TBaseNumEdit::CutSelection() {
  if (isReadOnly() || !hasSelectedText()) return;
  CopySelection();
  DeleteKey(true);
}

void TBaseNumEdit::PasteText(const QString& pasted) {
  if (isReadOnly()) return;
  if (hasSelectedText()) DeleteKey(true);
  for (const QChar c : pasted)
    TypeChar(c);
}

void TBaseNumEdit::keyPressEvent(QKeyEvent* event) {
  RunGuarded([&] {
    if (event->matches(QKeySequence::Copy)) return CopySelection();
    if (event->matches(QKeySequence::Cut)) return CutSelection();
    if (event->matches(QKeySequence::Paste)) return PasteText(QGuiApplication::clipboard()->text());
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete))
      return DeleteKey(event->key() == Qt::Key_Backspace);
    const QString typed = event->text();
    if (plain && !typed.isEmpty() && typed.at(0).isPrint()) {
      for (const QChar c : typed)
        TypeChar(c);
      return;
    }
    // Navigation and the rest; Tab and Enter stay with the dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Tab) {
      event->ignore();
      return;
    }
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) return;
    QLineEdit::keyPressEvent(event);
  });
}

void TBaseNumEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::LocaleChange) {
    const int caret = cursorPosition();
    setText(MapSeparators(text()));
    setCursorPosition(caret);
  } else if (event->type() == QEvent::EnabledChange) {
    ApplyStateColor();
  }
}

void TBaseNumEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  const bool writable = !isReadOnly();
  menu.addAction(QStringLiteral("Vystrihnúť"), this, &TBaseNumEdit::CutSelection)
      ->setEnabled(writable && hasSelectedText());
  menu.addAction(QStringLiteral("Kopírovať"), this, &TBaseNumEdit::CopySelection)->setEnabled(hasSelectedText());
  menu.addAction(QStringLiteral("Prilepiť"), this, [this] { PasteText(QGuiApplication::clipboard()->text()); })
      ->setEnabled(writable && !QGuiApplication::clipboard()->text().isEmpty());
  menu.addSeparator();
  menu.addAction(QStringLiteral("Vybrať všetko"), this, &QLineEdit::selectAll);
  menu.exec(event->globalPos());
}
