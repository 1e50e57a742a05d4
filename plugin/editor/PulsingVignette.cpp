#include <cmath>

#include "toolkit/IGfx.h"
#include "plugin/editor/BackgroundDrawFunctions.h"
#include "plugin/editor/LayerMath.h"

namespace murkwisp {

using namespace ifx::igfx;

AnimationCounter gVignetteCalls;

namespace {

// One edge band: the colour at alpha k where the gradient starts, nothing
// where it ends.
void Band(IGfx& g, const IRECT& rect, float x1, float y1, float x2, float y2, const IRgba& color, double k)
{
  g.PathRect(rect);
  g.PathFill(IPaintPattern::CreateLinearGradient(x1, y1, x2, y2,
                                                 {{layer_math::AtAlpha(color, k), 0.f}, {kColorTransparent, 1.f}}));
}

} // namespace

void DrawPulsingVignette::operator()(ILambdaControl*, IGfx& g, const IRECT& r) const
{
  const double time = AnimationCounter::Seconds(counter->Advance());
  const double level = values.OutputLevel();
  const double pulse = std::fmod(time * values.Beat() * 0.25, 1.0);
  const double s = std::sin(2.0 * 3.14159 * pulse);
  const double a = ((s * 0.5 + 0.5) * 0.08 + 0.1) * (level * 0.5 + 1.0);
  const float cx = (r.L + r.R) / 2.f;
  const float cy = (r.T + r.B) / 2.f;

  Band(g, IRECT(r.L, r.T, r.R, r.T + 150.f), cx, r.T, cx, r.T + 150.f, accent, a);
  Band(g, IRECT(r.L, r.B - 200.f, r.R, r.B), cx, r.B, cx, r.B - 200.f, accent, 1.5 * a);
  Band(g, IRECT(r.L, r.T, r.L + 100.f, r.B), r.L, cy, r.L + 100.f, cy, accent, 0.7 * a);
  Band(g, IRECT(r.R - 100.f, r.T, r.R, r.B), r.R, cy, r.R - 100.f, cy, accent, 0.7 * a);
}

} // namespace murkwisp
