#pragma once
// Win32 side of the resource lookup: the name search that
// EnumResourceNamesW drives. Exposed for tests; callers use ResourceLookup.h.
#include <windows.h>

#include <string>

namespace ifx {

struct ResourceNameSearch
{
  std::string wanted; // UTF-8, lower-cased
  std::string found;  // the matching name exactly as enumerated, UTF-8
  bool isFound = false;
};

// EnumResourceNamesW callback; state points to a ResourceNameSearch.
// Returns FALSE (stop) on the first name that matches.
BOOL CALLBACK MatchResourceNameCallback(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR state);

} // namespace ifx
