#pragma once
#include "core/Color.h"
#include <functional>

// The colours of selected text.
class TCodeSelectedColor {
public:
  TColor Background() const { return background_; }
  TColor Foreground() const { return foreground_; }
  void SetBackground(TColor color);
  void SetForeground(TColor color);
  // Copies both colours with one notice.
  void Assign(const TCodeSelectedColor& other);

  std::function<void(TCodeSelectedColor* sender)> OnChange;

private:
  void Changed();
  TColor background_ = clHighlight;
  TColor foreground_ = clHighlightText;
};
