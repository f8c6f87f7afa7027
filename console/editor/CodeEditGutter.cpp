#include "console/editor/CodeEditGutter.h"

TCodeGutter::TCodeGutter() : font_(QStringLiteral("Courier New"), 8) {}

void TCodeGutter::Changed() {
  if (OnChange) OnChange(this);
}

template <typename T> void TCodeGutter::Set(T& field, T value) {
  if (field == value) return;
  field = value;
  Changed();
}

void TCodeGutter::SetAutoSize(bool value) { Set(autoSize_, value); }
void TCodeGutter::SetColor(TColor value) { Set(color_, value); }
void TCodeGutter::SetBorderColor(TColor value) { Set(borderColor_, value); }
void TCodeGutter::SetLeadingZeros(bool value) { Set(leadingZeros_, value); }
void TCodeGutter::SetLeftOffset(int value) { Set(leftOffset_, qMax(0, value)); }
void TCodeGutter::SetRightOffset(int value) { Set(rightOffset_, qMax(0, value)); }
void TCodeGutter::SetShowLineNumbers(bool value) { Set(showLineNumbers_, value); }
void TCodeGutter::SetUseFontStyle(bool value) { Set(useFontStyle_, value); }
void TCodeGutter::SetVisible(bool value) { Set(visible_, value); }
void TCodeGutter::SetWidth(int value) { Set(width_, qMax(0, value)); }
void TCodeGutter::SetGradient(bool value) { Set(gradient_, value); }
void TCodeGutter::SetGradientStartColor(TColor value) { Set(gradientStartColor_, value); }
void TCodeGutter::SetGradientEndColor(TColor value) { Set(gradientEndColor_, value); }
void TCodeGutter::SetGradientSteps(int value) { Set(gradientSteps_, qMax(2, value)); }

void TCodeGutter::SetBorderStyle(TCodeGutterBorderStyle value) {
  borderStyle_ = value;
  Changed();
}

void TCodeGutter::SetDigitCount(int value) {
  value = qBound(2, value, 12);
  if (value == digitCount_) return;
  digitCount_ = value;
  shownDigits_ = value;
  Changed();
}

void TCodeGutter::SetFont(const QFont& font, TColor color) {
  if (font == font_ && color == fontColor_) return;
  font_ = font;
  fontColor_ = color;
  Changed();
}

void TCodeGutter::SetLineNumberStart(int value) {
  value = qMax(0, value);
  if (value == lineNumberStart_) return;
  lineNumberStart_ = value;
  zeroStart_ = value == 0;
  Changed();
}

void TCodeGutter::Assign(const TCodeGutter& other) {
  const Qt::CursorShape cursor = cursor_;
  const auto onChange = std::move(OnChange);
  *this = other;
  cursor_ = cursor;
  OnChange = onChange;
  Changed();
}

int TCodeGutter::ShownNumber(int line) const {
  if (zeroStart_) return line - 1;
  return lineNumberStart_ > 1 ? line + lineNumberStart_ - 1 : line;
}

QString TCodeGutter::LineNumberText(int line) const {
  QString text = QString::number(ShownNumber(line)).rightJustified(shownDigits_, u' ');
  if (leadingZeros_)
    for (int i = 0; i < shownDigits_ - 1 && text[i] == u' '; ++i)
      text[i] = u'0';
  return text;
}

void TCodeGutter::FitDigitsToLineCount(int count) {
  if (!(visible_ && autoSize_ && showLineNumbers_)) {
    shownDigits_ = digitCount_;
    return;
  }
  const int digits = qMax(int(QString::number(ShownNumber(count)).size()), digitCount_);
  if (digits == shownDigits_) return;
  shownDigits_ = digits;
  Changed();
}

int TCodeGutter::PixelWidth(int charWidth) const {
  if (!visible_) return 0;
  if (!showLineNumbers_) return width_;
  return leftOffset_ + rightOffset_ + shownDigits_ * charWidth + 2;
}
