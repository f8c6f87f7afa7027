#pragma once

// Three routines of this test program whose own addresses the program's
// binary debug file must resolve. Each returns a point inside its call
// instruction and the line that instruction stands on.
struct TCallSite {
  const void* Address;
  int Line;
};

namespace resolvetargets {
TCallSite FreeFunction();

class TTarget {
public:
  static TCallSite Method();
  TCallSite operator()() const;
};
} // namespace resolvetargets
