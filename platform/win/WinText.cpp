#include "platform/win/WinText.h"

#include "base/UTFConversion.h"

namespace ifx {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

std::wstring Widen(const char* text)
{
  const IHeapBuf wide = UTF8ToUTF16(text);
  const auto* units = reinterpret_cast<const wchar_t*>(UTF16Text(wide));
  return std::wstring(units, static_cast<size_t>(UTF16Length(wide)));
}

std::string Narrow(const wchar_t* text, int units)
{
  IString narrow;
  if (!text || units <= 0 || !ConvertWideToUtf8(reinterpret_cast<const char16_t*>(text), units, narrow))
    return std::string();
  return std::string(narrow.Get(), static_cast<size_t>(narrow.GetLength()));
}

} // namespace ifx
