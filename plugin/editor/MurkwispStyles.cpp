#include "plugin/editor/MurkwispStyles.h"

namespace murkwisp {

using namespace ifx::igfx;

IVectorStyle MakeMeterStyle()
{
  IVectorStyle style;
  style.colorSpec.SetColor(kColorBackground, IRgba(60, 30, 28, 35));
  style.colorSpec.SetColor(kColorForeground, kWhisperColor);
  style.colorSpec.SetColor(kColorFrame, IRgba(180, 160, 130, 190));
  style.colorSpec.SetColor(kColorHighlight, IRgba(255, 90, 70, 120));
  style.labelText = LabelStyle(11.f);
  style.valueText = LabelStyle(11.f);
  return style;
}

} // namespace murkwisp
