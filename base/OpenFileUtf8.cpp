#include "base/OpenFileUtf8.h"

#if defined(_WIN32)
#include <wchar.h>

#include "base/UTFConversion.h"
#endif

namespace ifx {

std::FILE* OpenFileUtf8(const char* path, const char* mode)
{
  if (!path || !*path || !mode || !*mode)
    return nullptr;
#if defined(_WIN32)
  // The C runtime's narrow fopen reads the path in the ANSI code page.
  const IHeapBuf widePath = UTF8ToUTF16(path);
  const IHeapBuf wideMode = UTF8ToUTF16(mode);
  if (UTF16Length(widePath) == 0 || UTF16Length(wideMode) == 0)
    return nullptr;
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");
  return _wfopen(reinterpret_cast<const wchar_t*>(UTF16Text(widePath)),
                 reinterpret_cast<const wchar_t*>(UTF16Text(wideMode)));
#else
  return std::fopen(path, mode);
#endif
}

} // namespace ifx
