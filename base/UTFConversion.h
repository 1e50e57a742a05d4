#pragma once
// UTF-8 inside the system, UTF-16 at every Windows call: the one conversion
// both ways. Input that is not well-formed (UTF-8: stray continuation bytes,
// overlong forms, surrogates, values past U+10FFFF, cut-off sequences;
// UTF-16: unpaired surrogates) fails the conversion, and a failed conversion
// gives the empty text, which the Windows calls then refuse. On Windows
// char16_t and wchar_t units are the same 16 bits.
#include "base/IHeapBuf.h"
#include "base/IString.h"

namespace ifx {

// A NUL-terminated run of UTF-16 units in an IHeapBuf (granularity 4096).
IHeapBuf UTF8ToUTF16(const char* text) noexcept;

// The units of a conversion result; "" for an empty or failed one.
const char16_t* UTF16Text(const IHeapBuf& wide) noexcept;
// Units before the terminating NUL.
int UTF16Length(const IHeapBuf& wide) noexcept;

// Into a caller's buffer of capacity units: the whole text and its NUL, or,
// when it does not fit or is malformed, the empty text and false.
bool ConvertUtf8ToWide(char16_t* buffer, const char* text, int capacity) noexcept;

// UTF-16 to UTF-8: units units, or up to the NUL when units < 0 (a NUL
// inside the units ends the text too). False, with out "", when malformed
// or when memory is short.
bool ConvertWideToUtf8(const char16_t* text, int units, IString& out) noexcept;

// How many of the first units of text can be kept within maxUnits without
// splitting a surrogate pair.
int UTF16CutLength(const char16_t* text, int units, int maxUnits) noexcept;

} // namespace ifx
