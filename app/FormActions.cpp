#include "app/FormActions.h"
#include "controls/DataEntryControl.h"

bool RequiredInputFailed(std::initializer_list<TDataEntryControl*> controls) {
  for (TDataEntryControl* control : controls)
    if (control->ValidationFailed()) return true;
  return false;
}
