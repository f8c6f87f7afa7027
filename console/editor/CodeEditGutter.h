#pragma once
#include "core/Color.h"
#include <QtGui/QFont>
#include <functional>

enum TCodeGutterBorderStyle : quint8 { gbsNone, gbsMiddle, gbsRight };

// The gutter's settings and its line-number rules. Every write that changes a
// value notifies OnChange (BorderStyle also when equal); `ShownDigits` is the
// number of digit places the line numbers take now.
class TCodeGutter {
public:
  TCodeGutter();

  bool AutoSize() const { return autoSize_; }
  TCodeGutterBorderStyle BorderStyle() const { return borderStyle_; }
  TColor Color() const { return color_; }
  TColor BorderColor() const { return borderColor_; }
  Qt::CursorShape Cursor() const { return cursor_; }
  int DigitCount() const { return digitCount_; }
  const QFont& Font() const { return font_; }
  TColor FontColor() const { return fontColor_; }
  bool LeadingZeros() const { return leadingZeros_; }
  int LeftOffset() const { return leftOffset_; }
  int RightOffset() const { return rightOffset_; }
  bool ShowLineNumbers() const { return showLineNumbers_; }
  bool UseFontStyle() const { return useFontStyle_; }
  bool Visible() const { return visible_; }
  int Width() const { return width_; }
  bool ZeroStart() const { return zeroStart_; }
  int LineNumberStart() const { return lineNumberStart_; }
  bool Gradient() const { return gradient_; }
  TColor GradientStartColor() const { return gradientStartColor_; }
  TColor GradientEndColor() const { return gradientEndColor_; }
  int GradientSteps() const { return gradientSteps_; }
  int ShownDigits() const { return shownDigits_; }

  void SetAutoSize(bool value);
  void SetBorderStyle(TCodeGutterBorderStyle value);
  void SetColor(TColor value);
  void SetBorderColor(TColor value);
  void SetCursor(Qt::CursorShape value) { cursor_ = value; }
  // Clamped to 2..12.
  void SetDigitCount(int value);
  void SetFont(const QFont& font, TColor color = clWindowText);
  void SetLeadingZeros(bool value);
  // Negative offsets and widths count as 0.
  void SetLeftOffset(int value);
  void SetRightOffset(int value);
  void SetShowLineNumbers(bool value);
  void SetUseFontStyle(bool value);
  void SetVisible(bool value);
  void SetWidth(int value);
  // A negative start counts as 0; ZeroStart holds exactly for 0.
  void SetLineNumberStart(int value);
  void SetGradient(bool value);
  void SetGradientStartColor(TColor value);
  void SetGradientEndColor(TColor value);
  // Below 2 counts as 2.
  void SetGradientSteps(int value);
  // Every setting but the cursor, with one notice.
  void Assign(const TCodeGutter& other);

  // The text shown for a 1-based line number, right-aligned in ShownDigits
  // places (a longer number is not cut), with leading zeros when asked.
  QString LineNumberText(int line) const;
  // With AutoSize and line numbers shown: enough places for the highest
  // number shown (at least DigitCount); notices a change. Otherwise DigitCount.
  void FitDigitsToLineCount(int count);
  // 0 when invisible; Width without line numbers; else the offsets, the digit
  // places at the given character width, and 2.
  int PixelWidth(int charWidth) const;

  std::function<void(TCodeGutter* sender)> OnChange;

private:
  template <typename T> void Set(T& field, T value);
  void Changed();
  int ShownNumber(int line) const;

  QFont font_;
  TColor fontColor_ = clWindowText;
  TColor color_ = clBtnFace;
  TColor borderColor_ = clWindow;
  int width_ = 30;
  bool showLineNumbers_ = false;
  int digitCount_ = 4;
  bool leadingZeros_ = false;
  bool zeroStart_ = false;
  int leftOffset_ = 16;
  int rightOffset_ = 2;
  Qt::CursorShape cursor_ = Qt::ArrowCursor;
  bool visible_ = true;
  bool useFontStyle_ = true;
  bool autoSize_ = false;
  int shownDigits_ = 4;
  TCodeGutterBorderStyle borderStyle_ = gbsMiddle;
  int lineNumberStart_ = 1;
  bool gradient_ = false;
  TColor gradientStartColor_ = clWindow;
  TColor gradientEndColor_ = clBtnFace;
  int gradientSteps_ = 48;
};
