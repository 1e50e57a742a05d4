#include "plugin/editor/HauntedMeterControl.h"

#include <cmath>

#include "plugin/editor/EditorAnimation.h"
#include "plugin/editor/WornCase.h"

namespace murkwisp {

using namespace ifx::igfx;

namespace {

const WornCase kMeterCase{{220, 35, 30, 38}, {200, 20, 18, 22}, 3.f, 4.f, {100, 180, 175, 195}, 102, 3.f};

} // namespace

HauntedMeterControl::HauntedMeterControl(const IRECT& bounds, const IVectorStyle& style, int which)
  : IVPeakAvgMeterControl<2>(bounds, "", style, kMeterLog, {}, {0, -6, -12, -24, -48}, -60.f, 12.f), mWhich(which)
{
  // Drawn in this order so that a given random source gives the same meter.
  mFlickerPhase = static_cast<float>(EditorRand() % 1000) * 0.00628f;
  mGlowPhase = static_cast<float>(EditorRand() % 1000) * 0.00628f;
  mSeed = EditorRand() % 10000;
  for (SegmentSlot& slot : mSlots)
  {
    slot.level = 0.8f + 0.001f * static_cast<float>(EditorRand() % 200);
    slot.target = 0.9f;
    slot.timer = 0.001f * static_cast<float>(EditorRand() % 1000);
  }
}

float HauntedMeterControl::StepSegment(SegmentSlot& slot)
{
  slot.timer += 0.016f;
  slot.level += (slot.target - slot.level) * 0.08f;
  if (slot.timer > 0.003f * static_cast<float>(EditorRand() % 100) + 0.1f)
  {
    slot.timer = 0.f;
    slot.target = 0.6f + 0.001f * static_cast<float>(EditorRand() % 400);
    if (EditorRand() % 30 == 0)
      slot.target = 0.1f;
  }
  return slot.level;
}

void HauntedMeterControl::Draw(IGfx& g)
{
  AdvancePhase(mFlickerPhase, 0.02f);
  AdvancePhase(mGlowPhase, 0.015f);
  DrawHousing(g);
  const IRECT well = mRECT.GetPadded(-5.f);
  g.FillRect(IRgba(240, 15, 14, 18), well);
  g.DrawLine(IRgba(40, 150, 145, 160), well.L + 2.f, well.T + 2.f, well.L + 2.f, well.T + 0.3f * well.H(), nullptr,
             1.f);
  DrawColumns(g, well);
  DrawWear(g, well);

  // Now and then the light browns out.
  float y = std::sin(7.3f * mFlickerPhase) * 0.05f + 0.95f;
  if (EditorRand() % 200 == 0)
    y = 0.7f;
  if (y < 0.9f)
    g.FillRect(IRgba(static_cast<int32_t>((1.f - y) * 100.f), 0, 0, 0), well);
  SetDirty(false, -1);
}

void HauntedMeterControl::DrawHousing(IGfx& g)
{
  const IRECT& r = mRECT;
  kMeterCase.Draw(g, r);
  for (int k = 0; k < 4; ++k)
  {
    const float y = r.T + r.H() * static_cast<float>(k) / 3.f;
    const float a = std::sin(static_cast<float>(k) + mFlickerPhase) * 0.2f + 0.3f;
    g.FillCircle(IRgba(ClampedAlpha(a), 55, 40, 35), r.L + 2.f, y, 3.f);
    g.FillCircle(IRgba(ClampedAlpha(0.7f * a), 55, 40, 35), r.R - 2.f, y + 10.f, 2.f);
  }
}

void HauntedMeterControl::DrawColumns(IGfx& g, const IRECT& well)
{
  const float h = (well.W() - 6.f) / 2.f;
  const float s = well.H() / static_cast<float>(kSegments);
  const float left[2] = {well.L + 2.f, well.R - 2.f - h + 1.f};
  const float right[2] = {well.L + 2.f + h - 1.f, well.R - 2.f};
  const float values[2] = {static_cast<float>(GetValue(0)), static_cast<float>(GetValue(1))};

  for (int m = 0; m < kSegments; ++m)
  {
    const float level = StepSegment(mSlots[m % kSegmentSlots]);
    const float p = static_cast<float>(m + 1) / static_cast<float>(kSegments);
    const IRgba hue = p < 0.6f    ? IRgba(255, 100, 100, 110)
                      : p < 0.85f ? IRgba(255, 70, 100, 140)
                                  : IRgba(255, 120, 70, 140);
    const float threshold = p - 0.05f;
    const float top = well.B - static_cast<float>(m + 1) * s;
    const float bottom = well.B - static_cast<float>(m) * s - 1.f;
    for (int col = 0; col < 2; ++col)
    {
      const IRECT seg(left[col], top, right[col], bottom);
      if (values[col] >= threshold)
      {
        g.FillRect(WithAlpha(hue, ClampedAlpha(0.9f * level)), seg);
        g.FillRect(WithAlpha(hue, ClampedAlpha(0.3f * level)), seg.GetPadded(1.f));
        g.FillRect(IRgba(static_cast<int32_t>(level * 180.f), 255, 255, 255),
                   IRECT(seg.L + 1.f, seg.T, seg.R - 1.f, seg.T + 1.f));
      }
      else
      {
        g.FillRect(WithAlpha(hue, 20), seg);
      }
    }
  }

  // A faint cap floats just above each column's level.
  const IRgba cap(ClampedAlpha(std::sin(2.f * mGlowPhase) * 0.1f + 0.15f), 100, 140, 120);
  for (int col = 0; col < 2; ++col)
  {
    const float y = well.B - well.H() * values[col] - 10.f;
    g.FillRect(cap, IRECT(left[col], y, right[col], y + 8.f));
  }
}

void HauntedMeterControl::DrawWear(IGfx& g, const IRECT& well)
{
  const int n = mSeed;
  const float d = well.W();
  const float x0 = well.L + 0.3f * d * SeedFraction(7 * n);
  const float x1 = well.L + d / 2.f + 0.3f * d * SeedFraction(13 * n);
  auto Y = [&well](float f) { return well.T + f * well.H(); };
  const IRgba crack(60, 120, 115, 110);
  g.DrawLine(crack, x0 + 5.f, well.T, x0 + 15.f, Y(0.4f), nullptr, 1.f);
  g.DrawLine(crack, x0 + 15.f, Y(0.4f), x0 + 8.f, Y(0.7f), nullptr, 1.f);
  g.DrawLine(WithAlpha(crack, 127), x0 + 15.f, Y(0.4f), x0 + 25.f, Y(0.5f), nullptr, 1.f);
  g.DrawLine(WithAlpha(crack, 178), x1, well.B, x1 - 10.f, Y(0.7f), nullptr, 1.f);
  g.DrawLine(WithAlpha(crack, 102), x1 - 10.f, Y(0.7f), x1 + 5.f, Y(0.5f), nullptr, 1.f);

  for (int q = 0; q < 6; ++q)
  {
    const int a = 137 * q, b = 211 * q, c = 73 * q;
    g.FillCircle(IRgba(80, 60, 55, 50), well.L + d * SeedFraction(n + a), well.T + well.H() * SeedFraction(n + b),
                 static_cast<float>((c + n) % 30) * 0.1f + 1.f);
  }

  const IRECT& r = mRECT;
  const IRgba scratch(100, 80, 75, 70);
  g.DrawLine(scratch, r.L + 1.f, r.T + 20.f, r.L + 1.f, r.T + 40.f, nullptr, 1.f);
  g.DrawLine(scratch, r.R - 1.f, r.B - 30.f, r.R - 1.f, r.B - 60.f, nullptr, 1.f);
}

} // namespace murkwisp
