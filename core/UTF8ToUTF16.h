#pragma once
// UTF-8 to UTF-16, for text that leaves the system at a Windows call. The
// result is a NUL-terminated run of UTF-16 units in an IHeapBuf (granularity
// 4096). Input that is not well-formed UTF-8 (stray continuation bytes,
// overlong forms, surrogates, values past U+10FFFF, cut-off sequences) fails
// the conversion, and a failed conversion gives the empty text, as the
// Windows calls expect.
#include "core/IHeapBuf.h"

namespace ifx {

IHeapBuf UTF8ToUTF16(const char* text) noexcept;

// The units of a conversion result; "" for an empty or failed one. On
// Windows char16_t and wchar_t units are the same 16 bits.
const char16_t* UTF16Text(const IHeapBuf& wide) noexcept;
// Units before the terminating NUL.
int UTF16Length(const IHeapBuf& wide) noexcept;

} // namespace ifx
