#include "window/TextEntryFilter.h"

namespace ifx {
namespace igfx {

bool TextEntryAcceptsChar(const IParam* param, uint32_t ch)
{
  if (ch == '\r' || ch == '\n')
    return false;
  if (!param || ch == '\b')
    return true;
  const bool number = (ch >= '0' && ch <= '9') || ch == '+' || ch == '-';
  switch (param->Type())
  {
    case IParam::kTypeBool:
    case IParam::kTypeInt:
    case IParam::kTypeEnum: return number;
    case IParam::kTypeDouble: return number || ch == '.';
    default: return true;
  }
}

} // namespace igfx
} // namespace ifx
