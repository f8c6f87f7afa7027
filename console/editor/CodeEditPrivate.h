#pragma once
#include "console/editor/CodeEdit.h"

// Holds the control's paint lock for a scope; the deferred caret, scroll-bar
// and status work runs when the outermost lock ends, also after an error.
class TCodeEditPaintLock {
public:
  explicit TCodeEditPaintLock(TCustomCodeEdit& edit) : edit_(edit) { edit_.BeginPaintLock(); }
  ~TCodeEditPaintLock() noexcept(false) { edit_.EndPaintLock(); }
  TCodeEditPaintLock(const TCodeEditPaintLock&) = delete;
  TCodeEditPaintLock& operator=(const TCodeEditPaintLock&) = delete;

private:
  TCustomCodeEdit& edit_;
};
