#pragma once

// Integer minimum and maximum of the control kit.
constexpr int IntMin(int a, int b) { return a < b ? a : b; }
constexpr int IntMax(int a, int b) { return a > b ? a : b; }
