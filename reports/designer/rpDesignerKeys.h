#pragma once
#include <QtCore/Qt>

// A key of the dialog page window as the designer takes it: the clipboard
// keys Ctrl+C, Ctrl+X and Ctrl+V become Ctrl+Insert, Shift+Delete and
// Shift+Insert; Ctrl+A asks for select all; anything else passes unchanged.
struct TrpDialogPageKey {
  int Key = 0;
  Qt::KeyboardModifiers Modifiers;
  bool SelectAll = false;
  bool operator==(const TrpDialogPageKey&) const = default;
};

TrpDialogPageKey rpMapDialogPageKey(int key, Qt::KeyboardModifiers modifiers);
