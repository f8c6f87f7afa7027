#include "util/UxFunctions.h"
#include "util/RtErrors.h"

void CheckOSResult(bool ok) {
  if (!ok) RaiseLastSystemError();
}
