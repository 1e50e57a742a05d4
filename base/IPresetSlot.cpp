#include "base/IPresetSlot.h"

namespace ifx {

void IPresetSlot::SetName(const char* text) noexcept
{
  if (!text)
    text = "";
  int n = 0;
  for (; n < kMaxNameLen - 1 && text[n]; ++n)
    name[n] = text[n];
  name[n] = '\0';
}

} // namespace ifx
