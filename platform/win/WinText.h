#pragma once
// The base layer's UTF-8/UTF-16 conversion in the Windows calls' own types.
// A failed conversion gives the empty text, which the Windows calls then
// refuse.
#include <string>

namespace ifx {

std::wstring Widen(const char* text);
// units: the UTF-16 units to convert (no terminator needed; a NUL among
// them ends the text).
std::string Narrow(const wchar_t* text, int units);

} // namespace ifx
