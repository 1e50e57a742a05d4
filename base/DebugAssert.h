#pragma once
// Preconditions of the audio path, checked in debug builds only: a broken
// one stops a debug run (and the sanitizer test trees, which are debug
// builds) at its cause. Release builds compile the check away, so the audio
// thread pays nothing for it.
#include <cstdio>
#include <cstdlib>

namespace ifx {

[[noreturn]] inline void DebugAssertionFailed(const char* condition, const char* file, int line) noexcept
{
  std::fprintf(stderr, "%s:%d: assertion failed: %s\n", file, line, condition);
  std::abort();
}

} // namespace ifx

#if defined(NDEBUG)
// The condition stays an unevaluated operand, so what only the check uses
// still counts as used.
#define MURKWISP_ASSERT(condition) ((void)sizeof((condition) ? 1 : 0))
#else
#define MURKWISP_ASSERT(condition) ((condition) ? (void)0 : ::ifx::DebugAssertionFailed(#condition, __FILE__, __LINE__))
#endif
