#pragma once
#include <functional>
#include <initializer_list>

class TDataEntryControl;
class TIBTransaction;

// The form-edge routines of the administration dialogs.

// Runs the required-input checks of the controls in tab order; true (the
// message shown, the focus on the control) at the first control that refuses.
bool RequiredInputFailed(std::initializer_list<TDataEntryControl*> controls);

// Runs one database action of a form: on an error rolls the transaction back
// (retaining) and hands the error to the database-error handler; returns
// false when the handler reported it and raises it again when the handler
// does not know it. True when the action ran through.
bool RunDatabaseAction(TIBTransaction& transaction, const std::function<void()>& action);
