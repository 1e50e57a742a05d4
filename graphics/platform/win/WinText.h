#pragma once
// UTF-8 inside, UTF-16 at every Windows call. A failed conversion gives the
// empty text, which the Windows calls then refuse.
#include <string>

namespace ifx {

std::wstring Widen(const char* text);
// units: the UTF-16 units to convert (no terminator needed).
std::string Narrow(const wchar_t* text, int units);

} // namespace ifx
