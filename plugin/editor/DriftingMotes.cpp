#include <cmath>

#include "toolkit/IGfx.h"
#include "plugin/editor/BackgroundDrawFunctions.h"
#include "plugin/editor/LayerMath.h"

namespace murkwisp {

using namespace ifx::igfx;
using layer_math::AtAlpha;
using layer_math::Rect;

AnimationCounter gMoteCalls;

namespace {

// A fixed spread of 0..0.999 per index: no random source, the same every frame.
double Spread(int index, int step) { return static_cast<double>((step * index) % 1000) / 1000.0; }

} // namespace

void DrawDriftingMotes::operator()(ILambdaControl*, IGfx& g, const IRECT& r) const
{
  const double t = AnimationCounter::Seconds(counter->Advance());
  const double w = r.W(), h = r.H();
  if (!(w > 0.0) || !(h > 0.0))
    return; // nothing to fall through, and the wrap needs a height
  const double beat = values.Beat();
  const double level = values.InputLevel();
  const double tb = t * beat;

  const double sizeFactor = 0.3 * level + 1.0;
  const double alphaFactor = 0.8 * level + 1.0;
  for (int q = 0; q < 48; ++q)
  {
    const double u = Spread(q, 73), v = Spread(q, 137), e = Spread(q, 211);
    const double sway = std::sin((0.3 * v + 0.2) * tb + 10.0 * v);
    const double x = r.L + w * u + 30.0 * sway;
    const double y = r.T + std::fmod((20.0 * v + 10.0) * 0.5 * tb + e * h, h);
    double s = (2.0 * u + 1.0) * sizeFactor;
    double a = (std::sin(20.0 * e + 2.0 * tb) * 0.4 + 0.6) * (0.12 * v + 0.08) * alphaFactor;
    if (u > 0.85) // a few big, bright ones
    {
      s *= 1.5;
      a *= 2.0;
    }
    g.FillEllipse(AtAlpha(label, a), Rect(x - s, y - s, x + s, y + s));
  }

  // Ash: flat flakes, wobbling on the clock even when the beat stands still.
  const double k = 0.2 * level + 1.0;
  for (int j = 0; j < 10; ++j)
  {
    const double u = Spread(j, 89), e = Spread(j, 167);
    const double x = r.L + w * u + 50.0 * std::sin(j + 0.15 * tb);
    const double y = r.T + std::fmod(e * h + 1.8 * tb, h);
    const double s = (2.0 * u + 2.0) * k;
    const double wobble = 2.0 * std::sin(j + 1.5 * t);
    g.FillEllipse(AtAlpha(label, std::sin(0.5 * j + 0.8 * t) * 0.04 + 0.06),
                  Rect(x - s + wobble, y - 0.7 * s, x + s + wobble, y + 0.7 * s));
  }
}

} // namespace murkwisp
