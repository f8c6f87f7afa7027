#include "RaiseTargets.h"
#include <stdexcept>

namespace raisetargets {

__attribute__((noinline)) void Innermost(TRaiseSite* site) {
  if (site) site->ThrowLine = __LINE__ + 1;
  throw std::runtime_error("raised two calls down");
}

__attribute__((noinline)) void Middle(TRaiseSite* site) {
  if (site) site->MiddleLine = __LINE__ + 1;
  Innermost(site);
}

__attribute__((noinline)) void ThrowFromOuter(TRaiseSite* site) {
  if (site) site->OuterLine = __LINE__ + 1;
  Middle(site);
}

} // namespace raisetargets
