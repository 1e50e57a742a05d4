#include "graphics/platform/win/WinText.h"

#include <windows.h>

namespace ifx {

std::wstring Widen(const char* text)
{
  if (!text || !*text)
    return std::wstring();
  const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
  if (units <= 0)
    return std::wstring();
  std::wstring wide(static_cast<size_t>(units), L'\0');
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, &wide[0], units) != units)
    return std::wstring();
  wide.resize(static_cast<size_t>(units - 1));
  return wide;
}

std::string Narrow(const wchar_t* text, int units)
{
  if (!text || units <= 0)
    return std::string();
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0)
    return std::string();
  std::string narrow(static_cast<size_t>(bytes), '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, text, units, &narrow[0], bytes, nullptr, nullptr) != bytes)
    return std::string();
  return narrow;
}

} // namespace ifx
