#pragma once
#if defined(__SSE__) || defined(_M_X64) || defined(_M_IX86_FP)
#include <xmmintrin.h>

namespace murkwisp::engine {
#define MURKWISP_HAS_MXCSR 1
#endif

// Sets flush-to-zero and denormals-are-zero for the scope of a processing
// call and restores the caller's mode on exit. Decaying spectral tails and
// ring contents would otherwise sink into subnormals after loud input and
// make silence expensive.
class DenormalGuard
{
public:
#if defined(MURKWISP_HAS_MXCSR)
  static constexpr unsigned kFlushToZero = 0x8000;
  static constexpr unsigned kDenormalsAreZero = 0x0040;

  DenormalGuard() noexcept : mSaved(_mm_getcsr()) { _mm_setcsr(mSaved | kFlushToZero | kDenormalsAreZero); }
  ~DenormalGuard() { _mm_setcsr(mSaved); }

  static unsigned CurrentMode() noexcept { return _mm_getcsr() & (kFlushToZero | kDenormalsAreZero); }

private:
  unsigned mSaved;
#else
  static unsigned CurrentMode() noexcept { return 0; }
#endif

public:
  DenormalGuard(const DenormalGuard&) = delete;
  DenormalGuard& operator=(const DenormalGuard&) = delete;
};

} // namespace murkwisp::engine
