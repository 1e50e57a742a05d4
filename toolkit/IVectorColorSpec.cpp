#include "toolkit/IVectorStyle.h"

namespace ifx {
namespace igfx {

IVectorColorSpec::IVectorColorSpec()
{
  for (int i = 0; i < kNumVectorColors; ++i)
    mColors[i] = GetDefaultColor(i);
}

IVectorColorSpec::IVectorColorSpec(std::initializer_list<IRgba> colors) : IVectorColorSpec()
{
  int i = 0;
  for (const IRgba& c : colors)
  {
    if (i >= kNumVectorColors)
      break;
    mColors[i++] = c;
  }
}

IRgba IVectorColorSpec::GetDefaultColor(int kind)
{
  switch (kind)
  {
    case kColorBackground: return kColorTransparent;
    case kColorForeground: return kColorMidGrey;
    case kColorPressed: return kColorLightGrey;
    case kColorFrame: return kColorDarkGrey;
    case kColorHighlight: return kColorTranslucent;
    case kColorShadow: return kColorShadowDefault;
    case kColorExtra1: return kColorBlack;
    case kColorExtra2: return kColorGreen;
    case kColorExtra3: return kColorBlue;
    default: return kColorTransparent;
  }
}

IRgba IVectorColorSpec::GetColor(int kind) const
{
  if (kind < 0 || kind >= kNumVectorColors)
    return kColorTransparent;
  return mColors[kind];
}

void IVectorColorSpec::SetColor(int kind, const IRgba& color)
{
  if (kind >= 0 && kind < kNumVectorColors)
    mColors[kind] = color;
}

bool IVectorColorSpec::operator==(const IVectorColorSpec& o) const
{
  for (int i = 0; i < kNumVectorColors; ++i)
    if (mColors[i] != o.mColors[i])
      return false;
  return true;
}

} // namespace igfx
} // namespace ifx
