#pragma once
// The trace hook as the plug-in bases use it. Traces are compiled in but go
// nowhere in this system; the location, line and format still document what
// each call site would report.
#include <cstdarg>

#if __has_include("core/Trace.h")
#include "core/Trace.h"
#else
namespace ifx {
#if defined(__GNUC__)
__attribute__((format(printf, 3, 4)))
#endif
inline void Trace(const char* /*location*/, int /*line*/, const char* /*format*/, ...) noexcept {}
inline void TraceV(const char* /*location*/, int /*line*/, const char* /*format*/, va_list /*args*/) noexcept {}
} // namespace ifx
#endif
