#include "core/IPresetSlot.h"

#include <cstring>

namespace ifx {

void IPresetSlot::SetName(const char* text) noexcept
{
  if (!text)
    text = "";
  std::strncpy(name, text, kMaxNameLen - 1);
  name[kMaxNameLen - 1] = '\0';
}

} // namespace ifx
