#include "controls/UxCalculator.h"
#include <QtCore/QLocale>
#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QStyle>
#include <QtWidgets/qdrawutil.h>
#include <cmath>

namespace {

QChar DecimalSeparator() { return QLocale().decimalPoint().at(0); }

struct TCalcButtonLayout {
  TCalcBtnKind kind;
  int left, top;
  const char* caption; // empty: drawn picture
  QRgb fontColor;      // 0: button text
};

constexpr QRgb kPurple = 0x800080, kNavy = 0x000080, kMaroon = 0x800000;

// Layout of the panel: position, caption and font colour of every kind.
const TCalcButtonLayout kButtons[] = {
    {TCalcBtnKind::Digit0, 47, 104, "0", 0},
    {TCalcBtnKind::Digit1, 47, 80, "1", 0},
    {TCalcBtnKind::Digit2, 85, 80, "2", 0},
    {TCalcBtnKind::Digit3, 123, 80, "3", 0},
    {TCalcBtnKind::Digit4, 47, 56, "4", 0},
    {TCalcBtnKind::Digit5, 85, 56, "5", 0},
    {TCalcBtnKind::Digit6, 123, 56, "6", 0},
    {TCalcBtnKind::Digit7, 47, 32, "7", 0},
    {TCalcBtnKind::Digit8, 85, 32, "8", 0},
    {TCalcBtnKind::Digit9, 123, 32, "9", 0},
    {TCalcBtnKind::Sign, 85, 104, "", 0},
    {TCalcBtnKind::Decimal, 123, 104, "", 0},
    {TCalcBtnKind::Divide, 161, 32, "/", kPurple},
    {TCalcBtnKind::Multiply, 161, 56, "", kPurple},
    {TCalcBtnKind::Subtract, 161, 80, "", kPurple},
    {TCalcBtnKind::Add, 161, 104, "", kPurple},
    {TCalcBtnKind::Sqrt, 199, 32, "sqrt", kNavy},
    {TCalcBtnKind::Percent, 199, 56, "%", kNavy},
    {TCalcBtnKind::Reciprocal, 199, 80, "1/x", kNavy},
    {TCalcBtnKind::Equals, 199, 104, "=", kPurple},
    {TCalcBtnKind::Backspace, 145, 6, "<-", kMaroon},
    {TCalcBtnKind::Clear, 191, 6, "C", kMaroon},
    {TCalcBtnKind::MemoryAdd, 5, 104, "MP", kNavy},
    {TCalcBtnKind::MemoryStore, 5, 80, "MS", kNavy},
    {TCalcBtnKind::MemoryRecall, 5, 56, "MR", kNavy},
    {TCalcBtnKind::MemoryClear, 5, 32, "MC", kNavy},
    {TCalcBtnKind::Ok, 47, 6, "", 0},
    {TCalcBtnKind::Cancel, 85, 6, "", 0},
};

// The key characters of the keyboard-reachable kinds, in kind order.
QString KeyString() {
  return QStringLiteral("0123456789_") + DecimalSeparator() + QStringLiteral("/*-+Q%R=") + QChar(u'\b') +
         QLatin1Char('C');
}

QFont ButtonFont() {
  QFont font = QApplication::font("QMessageBox");
  font.setBold(true);
  return font;
}

// The six pictures: Cancel, OK, sign, multiply, subtract, add.
void DrawPicture(QPainter& p, TCalcBtnKind kind, const QRect& r, const QColor& color) {
  const QPointF c = QRectF(r).center();
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(color, 2);
  p.setPen(pen);
  const auto line = [&](double x1, double y1, double x2, double y2) {
    p.drawLine(QPointF(c.x() + x1, c.y() + y1), QPointF(c.x() + x2, c.y() + y2));
  };
  switch (kind) {
  case TCalcBtnKind::Cancel:
    p.setPen(QPen(color.isValid() && color != Qt::gray ? QColor(Qt::red) : color, 2));
    line(-4, -4, 4, 4);
    line(-4, 4, 4, -4);
    break;
  case TCalcBtnKind::Ok:
    p.setPen(QPen(color != Qt::gray ? QColor(Qt::darkGreen) : color, 2));
    line(-5, 0, -1, 4);
    line(-1, 4, 5, -4);
    break;
  case TCalcBtnKind::Sign:
    line(-4, -3, 0, -3);
    line(-2, -5, -2, -1);
    line(0, 4, 4, 4);
    line(3, -5, -3, 5);
    break;
  case TCalcBtnKind::Multiply:
    line(-3, -3, 3, 3);
    line(-3, 3, 3, -3);
    break;
  case TCalcBtnKind::Subtract:
    line(-4, 0, 4, 0);
    break;
  case TCalcBtnKind::Add:
    line(-4, 0, 4, 0);
    line(0, -4, 0, 4);
    break;
  default:
    break;
  }
}

const TCalcButtonLayout& LayoutOf(TCalcBtnKind kind) {
  return *std::find_if(std::begin(kButtons), std::end(kButtons),
                       [kind](const TCalcButtonLayout& s) { return s.kind == kind; });
}

} // namespace

QString CalcFormatNumber(double value, int precision) {
  if (value == 0) return QStringLiteral("0"); // also -0
  QString text = QString::number(value, 'g', qMax(2, precision)).toUpper();
  // "1.5E+15" -> "1.5E15", "1E-05" -> "1E-5"
  const qsizetype e = text.indexOf(QLatin1Char('E'));
  if (e >= 0) {
    QString exponent = text.mid(e + 1);
    const bool negative = exponent.startsWith(QLatin1Char('-'));
    exponent.remove(QLatin1Char('+')).remove(QLatin1Char('-'));
    while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
      exponent.remove(0, 1);
    text = text.left(e + 1) + (negative ? QStringLiteral("-") : QString()) + exponent;
  }
  return text.replace(QLatin1Char('.'), DecimalSeparator());
}

// ---------------------------------------------------------------- button

TUxCalcButton::TUxCalcButton(TCalcBtnKind kind, QWidget* parent) : QAbstractButton(parent), kind_(kind) {
  setFocusPolicy(Qt::NoFocus);
  const TCalcButtonLayout& layout = LayoutOf(kind);
  const bool wide = kind == TCalcBtnKind::Backspace || kind == TCalcBtnKind::Clear;
  setGeometry(layout.left, layout.top, wide ? 44 : 36, 22);
  setText(kind == TCalcBtnKind::Decimal ? QString(DecimalSeparator()) : QString::fromLatin1(layout.caption));
  setFont(ButtonFont());
}

int TUxCalcButton::Tag() const { return int(kind_) <= int(TCalcBtnKind::Clear) ? int(kind_) : -1; }

void TUxCalcButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const bool sunken = isDown();
  qDrawWinButton(&p, rect(), palette(), sunken, &palette().brush(QPalette::Button));
  QRect content = rect().adjusted(2, 2, -2, -2);
  if (sunken) content.translate(1, 1);
  const QRgb fontColor = LayoutOf(kind_).fontColor;
  QColor color = fontColor ? QColor(fontColor) : palette().color(QPalette::ButtonText);
  if (!isEnabled()) {
    // Embossed: highlight one pixel right and down, then shadow in place.
    color = palette().color(QPalette::Dark);
    p.setPen(palette().color(QPalette::Light));
    p.drawText(content.translated(1, 1), Qt::AlignCenter, text());
  }
  if (text().isEmpty()) {
    DrawPicture(p, kind_, content, isEnabled() ? color : QColor(Qt::gray));
    return;
  }
  p.setPen(color);
  p.drawText(content, Qt::AlignCenter, text());
}

// ---------------------------------------------------------------- panel

TUxCalculatorPanel::TUxCalculatorPanel(QWidget* parent, QLabel* display, int precision, bool beepOnError)
    : QWidget(parent), displayLabel_(display), precision_(qMax(2, precision)), beepOnError_(beepOnError) {
  setFixedSize(240, 129);
  auto* box = new QFrame(this);
  box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  box->setGeometry(6, 7, 34, 20);
  indicator_ = new QLabel(box);
  indicator_->setAlignment(Qt::AlignCenter);
  indicator_->setGeometry(box->contentsRect());
  for (const TCalcButtonLayout& layout : kButtons) {
    auto* button = new TUxCalcButton(layout.kind, this);
    connect(button, &QAbstractButton::clicked, this, [this, kind = layout.kind] { ButtonClicked(kind); });
    buttons_.append(button);
  }
  if (displayLabel_) displayLabel_->setText(display_);
}

TUxCalcButton* TUxCalculatorPanel::Button(TCalcBtnKind kind) const {
  for (TUxCalcButton* button : buttons_)
    if (button->Kind() == kind) return button;
  return nullptr;
}

double TUxCalculatorPanel::DisplayValue() const {
  if (status_ == TStatus::Error) return 0;
  QString text = display_.trimmed();
  text.replace(DecimalSeparator(), QLatin1Char('.'));
  return text.toDouble();
}

void TUxCalculatorPanel::SetDisplay(const QString& text) {
  display_ = text;
  if (displayLabel_) displayLabel_->setText(text);
}

void TUxCalculatorPanel::SetDisplayValue(double value) {
  SetDisplay(CalcFormatNumber(value, precision_));
  emit DisplayValueChanged();
}

void TUxCalculatorPanel::SetMemory(double memory) {
  memory_ = memory;
  UpdateIndicator();
}

void TUxCalculatorPanel::UpdateIndicator() { indicator_->setText(memory_ != 0 ? QStringLiteral("M") : QString()); }

void TUxCalculatorPanel::StartWith(double value) {
  SetDisplayValue(value);
  status_ = TStatus::First;
  operator_ = QLatin1Char('=');
}

void TUxCalculatorPanel::Beep() const {
  if (beepOnError_) QApplication::beep();
}

void TUxCalculatorPanel::SetError() {
  status_ = TStatus::Error;
  SetDisplay(QStringLiteral("Error"));
  Beep();
}

QChar TUxCalculatorPanel::KeyOf(TCalcBtnKind kind) const { return KeyString().at(int(kind)); }

void TUxCalculatorPanel::TypeChar(QChar typed) {
  QChar c = typed;
  if (c == QLatin1Char(',') || c == QLatin1Char('.'))
    c = DecimalSeparator();
  else if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
    c = QLatin1Char('=');
  else if (c == QChar(0x1B))
    c = QLatin1Char('C');
  const qsizetype position = KeyString().indexOf(c, 0, Qt::CaseInsensitive);
  if (position < 0) {
    CalcKey(c);
    return;
  }
  TUxCalcButton* button = Button(TCalcBtnKind(position));
  // The press is shown briefly; the click itself happens at once so that
  // quickly typed keys keep their order.
  button->setDown(true);
  QTimer::singleShot(20, button, [button] { button->setDown(false); });
  button->click();
}

void TUxCalculatorPanel::ButtonClicked(TCalcBtnKind kind) {
  switch (kind) {
  case TCalcBtnKind::MemoryAdd:
    if (status_ == TStatus::Error) return;
    status_ = TStatus::First;
    SetMemory(memory_ + DisplayValue());
    return;
  case TCalcBtnKind::MemoryStore:
    if (status_ == TStatus::Error) return;
    status_ = TStatus::First;
    SetMemory(DisplayValue());
    return;
  case TCalcBtnKind::MemoryRecall:
    if (status_ == TStatus::Error) return;
    status_ = TStatus::Valid;
    SetDisplayValue(memory_);
    return;
  case TCalcBtnKind::MemoryClear:
    SetMemory(0);
    return;
  case TCalcBtnKind::Ok:
    if (status_ == TStatus::Error) {
      Beep();
      return;
    }
    SetDisplay(CalcFormatNumber(DisplayValue(), precision_));
    emit OkClicked();
    return;
  case TCalcBtnKind::Cancel:
    emit CancelClicked();
    return;
  default:
    CalcKey(KeyOf(kind));
  }
}

void TUxCalculatorPanel::BeginEntry(const QString& startText) {
  if (status_ == TStatus::First) SetDisplay(startText);
  status_ = TStatus::Valid;
}

void TUxCalculatorPanel::ApplyOperator(QChar op) {
  if (status_ == TStatus::Valid) {
    status_ = TStatus::First;
    double v = DisplayValue();
    const QChar pending = operator_;
    if (op == QLatin1Char('%')) {
      if (pending == QLatin1Char('*') || pending == QLatin1Char('/'))
        v = v / 100;
      else if (pending == QLatin1Char('+') || pending == QLatin1Char('-'))
        v = operand_ * v / 100;
    }
    double result = v;
    if (pending == QLatin1Char('*'))
      result = operand_ * v;
    else if (pending == QLatin1Char('+'))
      result = operand_ + v;
    else if (pending == QLatin1Char('-'))
      result = operand_ - v;
    else if (pending == QLatin1Char('/')) {
      if (v == 0)
        SetError();
      else
        result = operand_ / v;
    }
    if (status_ != TStatus::Error) SetDisplayValue(result);
  }
  operator_ = op;
  operand_ = DisplayValue();
}

void TUxCalculatorPanel::CalcKey(QChar key) {
  QChar c = key.toUpper();
  if (status_ == TStatus::Error && c != QLatin1Char('C') && c != QChar(0x1B)) c = QChar();
  if (OnCalcKey) OnCalcKey(c);
  if (c.isNull()) return;
  const QChar separator = DecimalSeparator();
  if (c == separator) {
    BeginEntry(QStringLiteral("0"));
    if (!display_.contains(separator)) SetDisplay(display_ + separator);
  } else if (c == QChar(3)) {
    QGuiApplication::clipboard()->setText(display_);
  } else if (c == QChar(22)) {
    QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) return;
    text = text.remove(QLocale().currencySymbol()).trimmed().replace(separator, QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    SetDisplayValue(ok ? value : 0);
  } else if (c == QLatin1Char('\b')) {
    BeginEntry(QStringLiteral("0"));
    const bool lastDigit = display_.size() == 1 || (display_.size() == 2 && display_.startsWith(QLatin1Char('-')));
    SetDisplay(lastDigit ? QStringLiteral("0") : display_.chopped(1));
  } else if (QStringLiteral("+-*/%=\r").contains(c)) {
    ApplyOperator(c == QLatin1Char('\r') ? QLatin1Char('=') : c);
  } else if (c == QChar(0x1B) || c == QLatin1Char('C')) {
    status_ = TStatus::First;
    SetDisplay(QStringLiteral("0"));
    operator_ = QLatin1Char('=');
  } else if (c.isDigit()) {
    BeginEntry(QString());
    if (display_ == QStringLiteral("0")) SetDisplay(QString());
    if (display_.contains(QLatin1Char('E'))) return;
    const int limit = precision_ + (display_.contains(QLatin1Char('-')) ? 1 : 0);
    if (display_.size() < limit)
      SetDisplay(display_ + c);
    else
      Beep();
  } else if (c == QLatin1Char('Q')) {
    status_ = TStatus::First;
    const double v = DisplayValue();
    if (v < 0)
      SetError();
    else
      SetDisplayValue(std::sqrt(v));
  } else if (c == QLatin1Char('R')) {
    status_ = TStatus::First;
    const double v = DisplayValue();
    if (v == 0)
      SetError();
    else
      SetDisplayValue(1 / v);
  } else if (c == QLatin1Char('_')) {
    SetDisplayValue(-DisplayValue());
  }
}

// ---------------------------------------------------------------- form

TUxCalculatorForm::TUxCalculatorForm(QWidget* parent, int precision, bool beepOnError) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(242, 159);
  setFont(ButtonFont());
  auto* back = new QFrame(this);
  back->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  back->setGeometry(rect());
  auto* displayBox = new QFrame(back);
  displayBox->setGeometry(6, 6, 230, 23);
  displayBox->setAutoFillBackground(true);
  displayBox->setBackgroundRole(QPalette::Base);
  auto* display = new QLabel(displayBox);
  display->setGeometry(5, 2, 217, 15);
  display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  display->setObjectName(QStringLiteral("display"));
  panel_ = new TUxCalculatorPanel(back, display, precision, beepOnError);
  panel_->move(1, back->height() - panel_->height() - 1);
  connect(panel_, &TUxCalculatorPanel::OkClicked, this, &QDialog::accept);
  connect(panel_, &TUxCalculatorPanel::CancelClicked, this, &QDialog::reject);
}

void TUxCalculatorForm::keyPressEvent(QKeyEvent* event) {
  // Enter means "=" and Esc means clear: the dialog closes only by its
  // OK and Cancel buttons or the close box.
  QChar typed;
  if (event->matches(QKeySequence::Copy))
    typed = QChar(3);
  else if (event->matches(QKeySequence::Paste))
    typed = QChar(22);
  else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
    typed = QLatin1Char('\r');
  else if (event->key() == Qt::Key_Escape)
    typed = QChar(0x1B);
  else if (event->key() == Qt::Key_Backspace)
    typed = QLatin1Char('\b');
  else if (!event->text().isEmpty())
    typed = event->text().at(0);
  if (typed.isNull()) {
    QDialog::keyPressEvent(event);
    return;
  }
  panel_->TypeChar(typed);
}

void TUxCalculatorForm::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_Insert), this,
                 [this] { panel_->CalcKey(QChar(3)); });
  QAction* paste = menu.addAction(QStringLiteral("&Paste"), QKeySequence(Qt::SHIFT | Qt::Key_Insert), this,
                                  [this] { panel_->CalcKey(QChar(22)); });
  paste->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
  menu.exec(event->globalPos());
}

// ---------------------------------------------------------------- component

TUxCalculator::TUxCalculator(QObject* owner) : QObject(owner) {}

bool TUxCalculator::Execute() {
  QWidget* parent = qobject_cast<QWidget*>(this->parent());
  TUxCalculatorForm form(parent, precision_, beepOnError_);
  form.setWindowTitle(title_);
  // A help context adds the help button to the title bar.
  form.setWindowFlag(Qt::WindowContextHelpButtonHint, helpContext_ != 0);
  TUxCalculatorPanel* panel = form.Panel();
  panel->SetMemory(memory_);
  panel->OnCalcKey = OnCalcKey;
  connect(panel, &TUxCalculatorPanel::DisplayValueChanged, this, &TUxCalculator::OnDisplayChange);
  if (value_ != 0) panel->StartWith(value_);
  form_ = &form;
  const bool accepted = form.exec() == QDialog::Accepted;
  form_ = nullptr;
  if (!accepted) return false;
  memory_ = panel->Memory();
  if (panel->DisplayValue() != value_) {
    value_ = panel->DisplayValue();
    emit OnChange();
  }
  return true;
}
