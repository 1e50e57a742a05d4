#pragma once
#include <cmath>

namespace murkwisp::engine {

// Single-precision cosine and power as the float nearest the double-precision
// result: correctly rounded but in vanishingly rare cases, and so the same
// bits from every C library. The float functions themselves differ between
// glibc and mingw in the last bit on some arguments (glibc's cosf on 24 of
// the window's 4096), which made the two builds sound different. Set-up and
// control code only: the hot loop has its own functions (SimdMath).
inline float RoundedCos(float x) { return static_cast<float>(std::cos(static_cast<double>(x))); }

inline float RoundedPow(float base, float exponent)
{
  return static_cast<float>(std::pow(static_cast<double>(base), static_cast<double>(exponent)));
}

} // namespace murkwisp::engine
