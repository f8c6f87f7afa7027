#include "console/editor/CodeEditSelectedColor.h"

void TCodeSelectedColor::Changed() {
  if (OnChange) OnChange(this);
}

void TCodeSelectedColor::SetBackground(TColor color) {
  if (color == background_) return;
  background_ = color;
  Changed();
}

void TCodeSelectedColor::SetForeground(TColor color) {
  if (color == foreground_) return;
  foreground_ = color;
  Changed();
}

void TCodeSelectedColor::Assign(const TCodeSelectedColor& other) {
  background_ = other.background_;
  foreground_ = other.foreground_;
  Changed();
}
