#pragma once

// Routines that raise from a known depth, for the raise-tracking tests.
namespace raisetargets {

// The lines of the throw and of the two calls above it.
struct TRaiseSite {
  int ThrowLine = 0, MiddleLine = 0, OuterLine = 0;
};

// Throws std::runtime_error from two calls down; fills the site when given.
void ThrowFromOuter(TRaiseSite* site = nullptr);

} // namespace raisetargets
