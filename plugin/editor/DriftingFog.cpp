#include <cmath>

#include "toolkit/IGfx.h"
#include "plugin/editor/BackgroundDrawFunctions.h"
#include "plugin/editor/LayerMath.h"

namespace murkwisp {

using namespace ifx::igfx;
using layer_math::Around;
using layer_math::AtAlpha;

AnimationCounter gFogCalls;

void DrawDriftingFog::operator()(ILambdaControl*, IGfx& g, const IRECT& r) const
{
  // The fog runs on its own clock, not the beat: it keeps moving at tempo 0.
  const double c = AnimationCounter::Seconds(counter->Advance());
  const double level = values.OutputLevel();
  const double w = r.W(), h = r.H();
  const double midX = (r.L + r.R) / 2.0, midY = (r.T + r.B) / 2.0;

  // Five banks of four nested ellipses, fainter outwards.
  for (int i = 0; i < 5; ++i)
  {
    const double t1 = (0.015 * i + 0.04) * c;
    const double cx = midX + (std::sin(0.7 * t1 + 2.21 * i) * 0.15 + std::sin(t1 + 1.7 * i) * 0.35) * w;
    const double t2 = (0.012 * i + 0.035) * c;
    const double cy = midY + (std::sin(1.84 * i + 0.5 * t2) * 0.15 + std::cos(2.3 * i + t2) * 0.25) * h;
    const double size = std::sin(0.08 * c + 0.9 * i) * 0.2 + 0.9 + 0.2 * level;
    const double a = (std::sin(0.03 * c + 1.5 * i) * 0.005 + 0.008 * i + 0.025) * (0.4 * level + 1.0);
    for (int j = 0; j < 4; ++j)
    {
      const double shrink = (1.0 - 0.2 * j) * size * 0.5;
      g.FillEllipse(AtAlpha(label, (1.0 - 0.25 * j) * a),
                    Around(cx, cy, (60.0 * i + 250.0) * shrink, (40.0 * i + 180.0) * shrink));
    }
  }

  // Four wisps, each a core and a wider, flatter halo.
  const double k = 0.3 * level + 1.0;
  for (int j = 0; j < 4; ++j)
  {
    const double x1 = (0.02 * j + 0.05) * c + 1.570795 * j;
    const double x2 = (0.015 * j + 0.04) * c + 2.1 * j;
    const double cx = midX + std::sin(x1) * 0.4 * w + std::cos(0.7 * x1) * 0.1 * w;
    const double cy = midY + std::cos(x2) * 0.35 * h + std::sin(0.6 * x2) * 0.1 * h;
    const double a = (std::sin(1.2 * j + 0.05 * c) * 0.005 + 0.03) * k;
    const double rx = std::sin(0.1 * c + j) * 20.0 + 80.0;
    const double ry = std::sin(0.12 * c + 0.7 * j) * 10.0 + 30.0;
    g.FillEllipse(AtAlpha(label, a), Around(cx, cy, rx, ry));
    g.FillEllipse(AtAlpha(label, 0.6 * a), Around(cx, cy, 1.3 * rx, 0.7 * ry));
  }
}

} // namespace murkwisp
