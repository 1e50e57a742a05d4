#include <cmath>

#include "toolkit/IGfx.h"
#include "plugin/editor/BackgroundDrawFunctions.h"
#include "plugin/editor/LayerMath.h"

namespace murkwisp {

using namespace ifx::igfx;
using layer_math::AtAlpha;
using layer_math::Hash;
using layer_math::Rect;

AnimationCounter gGlitchCalls;

void DrawGlitchLayer::operator()(ILambdaControl*, IGfx& g, const IRECT& r) const
{
  const double t = AnimationCounter::Seconds(counter->Advance());
  const double w = r.W(), h = r.H();
  if (!(w > 0.0) || !(h > 0.0))
    return; // the scan lines wrap over the height
  const double beat = values.Beat();
  const double level = values.OutputLevel();
  const double tb = t * beat;
  const double strength = 0.5 * level + 0.5;

  // Scan lines drifting up or down with the beat.
  for (int i = 0; i < 8; ++i)
  {
    const double dir = Hash(7.3 * i) > 0.5 ? 1.0 : -1.0;
    const float y =
      static_cast<float>(r.T + std::fmod(std::fabs((5.0 * Hash(3.7 * i) + 2.0) * tb * dir + 113.0 * i), h));
    g.DrawLine(AtAlpha(first, (std::sin(0.8 * i + 2.0 * tb) * 0.05 + 0.06) * strength), r.L, y, r.R, y, nullptr, 1.f);
  }

  // Bars flashing where two beat-rate sines agree; louder output lowers the bar.
  const int bars = 3 + static_cast<int>(3.0 * level);
  for (int k = 0; k < bars; ++k)
  {
    if (std::sin(10.0 * Hash(13.7 * k) + (0.5 * k + 1.0) * tb) * std::sin((0.25 * k + 0.5) * tb) <= 0.4 - 0.2 * level)
      continue;
    const double x = r.L + 0.9 * w * Hash(17.3 * k + 0.1 * t);
    const double y = r.T + 0.9 * h * Hash(23.7 * k + 0.1 * t + 100.0);
    const double width = (170.0 * Hash(k + t) + 30.0) * strength;
    const double height = (13.0 * Hash(k + 2.0 * t) + 2.0) * strength;
    const IRgba color = k % 2 ? AtAlpha(first, 0.12 * strength) : AtAlpha(second, 0.2 * strength);
    g.FillRect(color, Rect(x, y, x + width, y + height));
  }

  // Tears: slanted full-height lines.
  const int tears = 1 + static_cast<int>(2.0 * level);
  for (int k = 0; k < tears; ++k)
  {
    if (std::sin((0.3 * k + 0.75) * tb) * std::sin((0.25 * k + 0.5) * tb) <= 0.5 - 0.2 * level)
      continue;
    const float x = static_cast<float>(r.L + w * Hash(50.0 * k + 0.5 * t));
    g.DrawLine(AtAlpha(second, 0.15 * strength), x, r.T, x + 2.f, r.B, nullptr, 3.f);
  }

  // Sparkles, every frame somewhere else.
  const int sparkles = 15 + static_cast<int>(8.0 * level);
  for (int m = 0; m < sparkles; ++m)
  {
    const double x = r.L + w * Hash(97.0 * m + 0.3 * t);
    const double y = r.T + h * Hash(53.0 * m + 0.3 * t + 500.0);
    g.FillEllipse(AtAlpha(first, (std::sin(0.7 * m + 4.0 * tb) * 0.5 + 0.5) * (0.1 * level + 0.1)),
                  Rect(x - 2.0, y - 2.0, x + 2.0, y + 2.0));
  }
}

} // namespace murkwisp
