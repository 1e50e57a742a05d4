#pragma once
// The framework's trace hook. Call sites pass their method name, a line and
// optionally a printf-style format with its values; this build records
// nothing, so the calls cost nothing and are safe on the audio thread. The
// format attribute still has the compiler check every trace line.
#include <cstdarg>

namespace ifx {

#if defined(__GNUC__)
__attribute__((format(printf, 3, 4)))
#endif
inline void
Trace(const char* /*location*/, int /*line*/, const char* /*format*/, ...) noexcept
{
}

// A trace line without a format: only the place.
inline void Trace(const char* /*location*/, int /*line*/) noexcept {}

inline void TraceV(const char* /*location*/, int /*line*/, const char* /*format*/, va_list /*args*/) noexcept {}

} // namespace ifx
