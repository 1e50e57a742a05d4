#include "toolkit/IGfx.h"
#include "plugin/editor/BackgroundDrawFunctions.h"
#include "plugin/editor/MurkwispStyles.h"

namespace murkwisp {

using namespace ifx::igfx;

void DrawDividerLine::operator()(ILambdaControl*, IGfx& g, const IRECT& r) const
{
  const float cy = (r.T + r.B) / 2.f;
  const IRgba half(127, kWhisperColor.R, kWhisperColor.G, kWhisperColor.B);
  g.PathRect(r);
  g.PathFill(IPaintPattern::CreateLinearGradient(
    r.L, cy, r.R, cy, {{kColorTransparent, 0.f}, {half, 0.3f}, {half, 0.7f}, {kColorTransparent, 1.f}}));
}

void DrawPitchPanel::operator()(ILambdaControl*, IGfx& g, const IRECT& r) const
{
  g.FillRoundRect(kPitchPanelColor, r, 8.f);
}

} // namespace murkwisp
