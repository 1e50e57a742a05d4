#include "graphics/IPaint.h"

namespace ifx {
namespace igfx {

void IStrokeSettings::SetDash(const float* lengths, float offset, int count)
{
  if (count < 0 || !lengths)
    count = 0;
  if (count > kMaxDashes)
    count = kMaxDashes;
  dash.offset = offset;
  dash.count = count;
  for (int i = 0; i < count; ++i)
    dash.lengths[i] = lengths[i];
}

} // namespace igfx
} // namespace ifx
