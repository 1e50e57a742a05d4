#include "base/OpenableUrl.h"

#include <cstring>

namespace ifx {

bool IsOpenableUrl(const char* url) noexcept
{
  static const char kScheme[] = "https://";
  if (!url || std::strncmp(url, kScheme, sizeof(kScheme) - 1) != 0)
    return false;
  for (const char* p = url; *p; ++p)
  {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c <= 0x20 || c == 0x7F || c == '"' || c == '\'' || c == '`')
      return false;
  }
  return true;
}

} // namespace ifx
