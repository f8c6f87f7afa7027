#include "ResolveTargets.h"

namespace resolvetargets {

__attribute__((noinline)) const void* ReturnAddressInCall() {
  return static_cast<const char*>(__builtin_return_address(0)) - 1;
}

TCallSite FreeFunction() { return {ReturnAddressInCall(), __LINE__}; }

TCallSite TTarget::Method() { return {ReturnAddressInCall(), __LINE__}; }

TCallSite TTarget::operator()() const { return {ReturnAddressInCall(), __LINE__}; }

} // namespace resolvetargets
