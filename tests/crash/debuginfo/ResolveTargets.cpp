#include "ResolveTargets.h"

namespace {

// The return address of this call, one byte back so that it lies inside the
// call instruction itself.
__attribute__((noinline)) const void* CallSite() { return static_cast<const char*>(__builtin_return_address(0)) - 1; }

} // namespace

namespace resolvetargets {

TCallSite FreeFunction() { return {CallSite(), __LINE__}; }

TCallSite TTarget::Method() { return {CallSite(), __LINE__}; }

TCallSite TTarget::operator()() const { return {CallSite(), __LINE__}; }

} // namespace resolvetargets
