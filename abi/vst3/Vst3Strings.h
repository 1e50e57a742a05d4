#pragma once
// Text helpers at the VST3 boundary: fixed-width 8-bit fields, byte-wise
// widening into String128, and UTF-8 <-> UTF-16 conversion.
#include <string>

#include "abi/vst3/Vst3Base.h"

namespace Steinberg {

// Copies src into a field of `size` bytes, cut to size - 1 characters and
// zero-filled behind the text.
void StrCopy8(char8* dst, const char8* src, int32 size);

// Copies UTF-16 text into a field of maxUnits units, cut to maxUnits - 1
// units and terminated (null src gives an empty field).
void StrCopy16(char16* dst, const char16* src, int32 maxUnits);

// Widens each byte of src to one UTF-16 unit, at most maxUnits - 1 units,
// then a terminating zero (the rule for text handed to a VST3 host).
void StrWidenBytes(char16* dst, const char8* src, int32 maxUnits);

// UTF-8 to UTF-16, cut to maxUnits - 1 units (never inside a surrogate
// pair) and terminated; invalid bytes become U+FFFD.
void StrUtf8ToUtf16(char16* dst, const char8* src, int32 maxUnits);

// UTF-16 (zero-terminated, or at most maxUnits units) to UTF-8.
std::string StrUtf16ToUtf8(const char16* src, int32 maxUnits = -1);

int32 StrLength16(const char16* s);

} // namespace Steinberg
