#include "app/util/UxFunctions.h"
#include "app/util/RtErrors.h"

void CheckOSResult(bool ok) {
  if (!ok) RaiseLastSystemError();
}
