#include "app/FormActions.h"
#include "app/MyUnits.h"
#include "app/QPLUnit.h"
#include "controls/DataEntryControl.h"
#include <exception>

bool RequiredInputFailed(std::initializer_list<TDataEntryControl*> controls) {
  for (TDataEntryControl* control : controls)
    if (control->ValidationFailed()) return true;
  return false;
}

bool RunDatabaseAction(TIBTransaction& transaction, const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const std::exception& error) {
    RollbackIfActive(transaction);
    if (HandleDatabaseError(error) == 0) throw;
    return false;
  }
}
