#pragma once

// Three routines of this test program whose own addresses the program's
// binary debug file must resolve. Each returns a point inside its call
// instruction and the line that instruction stands on.
struct TCallSite {
  const void* Address;
  int Line;
};

namespace resolvetargets {
// The return address of the call of this routine, one byte back so that it
// lies inside the call instruction itself.
const void* ReturnAddressInCall();

TCallSite FreeFunction();

class TTarget {
public:
  static TCallSite Method();
  TCallSite operator()() const;
};
} // namespace resolvetargets
