#pragma once
#include "ResolveTargets.h"

// Routines that the build keeps once for the whole program (weak symbols):
// an inline routine and a template's member, made from this header alone.
// Each returns a point inside its call instruction and that line.
namespace resolvetargets {

__attribute__((noinline)) inline TCallSite InlineFunction() { return {ReturnAddressInCall(), __LINE__}; }

template <typename T> struct TTemplateTarget {
  __attribute__((noinline)) static TCallSite Grow(T) { return {ReturnAddressInCall(), __LINE__}; }
};

} // namespace resolvetargets
