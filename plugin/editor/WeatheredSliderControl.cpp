#include "plugin/editor/WeatheredSliderControl.h"

#include <algorithm>
#include <cmath>

#include "toolkit/IGfx.h"
#include "plugin/editor/EditorAnimation.h"

namespace murkwisp {

using namespace ifx::igfx;

WeatheredSliderControl::WeatheredSliderControl(const IRECT& bounds, int paramIdx, int, int, int direction)
  : ISliderControlBase(bounds, paramIdx, direction, 4.0, 0.f)
{
  mTickPhase = static_cast<float>(EditorRand() % 1000) * 0.00628f;
  mGlowPhase = static_cast<float>(EditorRand() % 1000) * 0.00628f;
}

// The value jumps to the click and then follows the pointer; the graphics
// has begun the host gesture before this is called.
void WeatheredSliderControl::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  mDragging = true;
  OnMouseDrag(x, y, 0.f, 0.f, mod);
}

void WeatheredSliderControl::OnMouseUp(float x, float y, const IMouseModifiers& mod) { mDragging = false; }

void WeatheredSliderControl::OnMouseDrag(float x, float y, float dX, float dY, const IMouseModifiers& mod)
{
  const IRECT& r = mRECT;
  float v =
    mDirection != 0 ? (x - r.L - kMargin) / (r.W() - 2.f * kMargin) : (r.B - kMargin - y) / (r.H() - 2.f * kMargin);
  // A slider too short for its margins (or a pointer at no position) has no value to give.
  if (!std::isfinite(v))
    return;
  v = std::max(std::min(v, 1.f), 0.f);
  SetValue(v, 0);
  SetDirty(true, -1);
}

IRECT WeatheredSliderControl::TrackBounds() const
{
  const IRECT& r = mRECT;
  return mDirection != 0 ? IRECT(r.L + kMargin, r.MH() - 4.f, r.R - kMargin, r.MH() + 4.f)
                         : IRECT(r.MW() - 4.f, r.T + kMargin, r.MW() + 4.f, r.B - kMargin);
}

IRECT WeatheredSliderControl::HandleBounds() const
{
  const IRECT& r = mRECT;
  const IRECT track = TrackBounds();
  const float v = static_cast<float>(GetValue());
  if (mDirection != 0)
  {
    const float hx = track.L + track.W() * v, half = r.H() * 0.7f * 0.5f;
    return IRECT(hx - 10.f, r.MH() - half, hx + 10.f, r.MH() + half);
  }
  const float hy = track.B - track.H() * v, half = r.W() * 0.7f * 0.5f;
  return IRECT(r.MW() - half, hy - 10.f, r.MW() + half, hy + 10.f);
}

void WeatheredSliderControl::Draw(IGfx& g)
{
  AdvancePhase(mTickPhase, 0.008f);
  AdvancePhase(mGlowPhase, 0.012f);
  const bool horizontal = mDirection != 0;

  const IRECT track = TrackBounds();
  g.FillRoundRect(IRgba(200, 45, 35, 30), track, 3.f);
  g.FillRoundRect(IRgba(180, 25, 22, 28), track.GetPadded(-2.f), 2.f);
  for (int i = 0; i < 6; ++i)
  {
    const float f = static_cast<float>(i) / 5.f;
    const IRgba tick(ClampedAlpha(std::sin(mTickPhase * 3.f + f * 5.f) * 0.1f + 0.15f), 60, 45, 35);
    if (horizontal)
    {
      const float x = track.L + track.W() * f;
      g.FillRect(tick, IRECT(x - 1.f, track.T, x + 1.f, track.B));
    }
    else
    {
      const float y = track.T + track.H() * f;
      g.FillRect(tick, IRECT(track.L, y - 1.f, track.R, y + 1.f));
    }
  }

  const IRECT h = HandleBounds();
  g.FillRoundRect(IRgba(100, 0, 0, 0), h.GetTranslated(2.f, 2.f), 4.f);
  g.FillRoundRect(WithAlpha(mHandleColor, ClampedAlpha(std::sin(mGlowPhase * 2.3f) * 0.1f + 0.9f)), h, 4.f);
  const float my = h.MH(), mx = h.MW();
  const float inset = horizontal ? 2.f : 3.f;
  g.DrawLine(IRgba(120, 200, 195, 210), h.L + inset, h.T + 2.f, h.R - inset, h.T + 2.f, nullptr, 1.5f);
  g.DrawLine(IRgba(80, 160, 155, 170), h.L + 2.f, h.T + 3.f, h.L + 2.f, h.B - 3.f, nullptr, 1.f);
  g.DrawLine(IRgba(60, 20, 18, 15), h.L + 4.f, my - 2.f, h.R - 4.f, my - 2.f, nullptr, 1.f);
  g.DrawLine(IRgba(60, 20, 18, 15), h.L + 6.f, my + 2.f, h.R - 6.f, my + 2.f, nullptr, 1.f);
  g.DrawRoundRect(IRgba(160, 50, 45, 55), h.GetPadded(-1.f), 3.f, nullptr, 1.f);
  if (horizontal)
    g.DrawLine(IRgba(140, 80, 75, 70), h.L + 4.f, my, h.R - 4.f, my, nullptr, 2.f);
  else
    g.DrawLine(IRgba(140, 80, 75, 70), mx, h.T + 4.f, mx, h.B - 4.f, nullptr, 2.f);
  // Redrawn every frame to animate; no value is sent.
  SetDirty(false, -1);
}

} // namespace murkwisp
