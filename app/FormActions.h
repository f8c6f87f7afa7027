#pragma once
#include <initializer_list>

class TDataEntryControl;

// The form-edge routines of the administration dialogs.

// Runs the required-input checks of the controls in tab order; true (the
// message shown, the focus on the control) at the first control that refuses.
bool RequiredInputFailed(std::initializer_list<TDataEntryControl*> controls);
