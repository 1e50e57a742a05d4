#include "toolkit/IVTrackControlBase.h"

#include <algorithm>

#include "toolkit/IGfx.h"

namespace ifx {
namespace igfx {

IVTrackControlBase::IVTrackControlBase(const IRECT& bounds, const IVectorStyle& style,
                                       std::initializer_list<const char*> trackNames, int nTracks)
  : IControl(bounds, -1, nullptr), IVectorBase(style, false)
{
  AttachIControl(this);
  SetNVals(std::max(1, nTracks));
  for (int i = 0; i < NVals(); ++i)
    SetDirty(false, i);
  mTrackBounds.resize(static_cast<size_t>(NVals()));
  mTrackNames.reserve(trackNames.size());
  for (const char* name : trackNames)
    mTrackNames.emplace_back(name);
  SetLabelStr("");
}

IRECT IVTrackControlBase::GetTrackBounds(int chIdx) const
{
  return chIdx >= 0 && chIdx < NTracks() ? mTrackBounds[static_cast<size_t>(chIdx)] : IRECT();
}

IRECT IVTrackControlBase::GetStepBounds(int cell) const
{
  return cell >= 0 && cell < NStepCells() ? mStepBounds[static_cast<size_t>(cell)] : IRECT();
}

// -- Layout ------------------------------------------------------------------------------------

void IVTrackControlBase::OnResize()
{
  SetTargetRECT(LayoutParts(mRECT, false));
  mMouseIsOver = false;
  LayoutTracks(mWidgetBounds);
  LayoutSteps(mWidgetBounds, mNSteps);
  SetDirty(false);
}

void IVTrackControlBase::LayoutTracks(const IRECT& r)
{
  const int n = NVals();
  mTrackBounds.resize(static_cast<size_t>(n));
  const float p = mTrackPadding;
  for (int i = 0; i < n; ++i)
  {
    const float fi = static_cast<float>(i);
    IRECT& t = mTrackBounds[static_cast<size_t>(i)];
    if (mDirection == kHorizontal)
    {
      const float h = r.H() / static_cast<float>(n);
      t = IRECT(r.L, r.T + fi * h + p, r.R, r.T + (fi + 1.f) * h - p);
    }
    else
    {
      const float w = r.W() / static_cast<float>(n);
      t = IRECT(r.L + fi * w, r.T, r.L + (fi + 1.f) * w - p, r.B - p);
    }
  }
}

void IVTrackControlBase::LayoutSteps(const IRECT& r, int steps)
{
  mStepBounds.clear();
  if (steps <= 0)
    return;
  const int count = mZeroValueStepHasBounds ? steps + 1 : steps;
  mStepBounds.resize(static_cast<size_t>(count));
  // Cell 0 is the bottom (vertical) or rightmost (horizontal) cell.
  for (int k = 0; k < count; ++k)
  {
    const float pos = static_cast<float>(count - 1 - k);
    if (mDirection == kHorizontal)
    {
      const float w = r.W() / static_cast<float>(count);
      mStepBounds[static_cast<size_t>(k)] = IRECT(r.L + pos * w, r.T, r.L + (pos + 1.f) * w, r.B);
    }
    else
    {
      const float h = r.H() / static_cast<float>(count);
      mStepBounds[static_cast<size_t>(k)] = IRECT(r.L, r.T + pos * h, r.R, r.T + (pos + 1.f) * h);
    }
  }
}

// -- Input -------------------------------------------------------------------------------------

int IVTrackControlBase::ValueIndexAt(float x, float y) const
{
  for (int i = 0; i < NTracks(); ++i)
    if (mTrackBounds[static_cast<size_t>(i)].Contains(x, y))
      return i;
  return -1;
}

void IVTrackControlBase::OnMouseOver(float x, float y, const IMouseModifiers& mod)
{
  mMouseOverTrack = ValueIndexAt(x, y);
  SetDirty(false);
}

void IVTrackControlBase::OnMouseOut()
{
  mMouseOverTrack = -1;
  SetDirty(false);
}

// -- Drawing -----------------------------------------------------------------------------------

void IVTrackControlBase::DrawBackground(IGfx& g, const IRECT& r)
{
  IVectorBase::DrawBackground(g, r);
  if (mBaseline > 0.0)
  {
    const float b = static_cast<float>(mBaseline);
    if (mDirection == kHorizontal)
      g.DrawVerticalLine(GetColor(kColorShadow), r, b, 1.f);
    else
      g.DrawHorizontalLine(GetColor(kColorShadow), r, b, 1.f);
  }
}

void IVTrackControlBase::DrawWidget(IGfx& g)
{
  for (int i = 0; i < NVals() && i < NTracks(); ++i)
    DrawTrack(g, mTrackBounds[static_cast<size_t>(i)], i);
}

void IVTrackControlBase::DrawTrack(IGfx& g, const IRECT& r, int chIdx)
{
  DrawTrackBackground(g, r, chIdx);
  if (!mTrackNames.empty())
    DrawTrackName(g, r, chIdx);

  const float v = static_cast<float>(GetValue(chIdx));
  const float b = static_cast<float>(mBaseline);
  const float from = b > 0.f ? std::min(v, b) : 0.f;
  const float to = b > 0.f ? std::max(v, b) : v;
  const bool horizontal = mDirection == kHorizontal;
  IRECT bar = horizontal ? IRECT(r.L + r.W() * from, r.T, r.L + r.W() * to, r.B)
                         : IRECT(r.L, r.B - r.H() * to, r.R, r.B - r.H() * from);

  if (!mStepBounds.empty())
  {
    // The bar lights the one cell its value falls in.
    const float edge = horizontal ? r.L + r.W() * v : r.B - r.H() * v;
    const IRECT* cell = nullptr;
    if (v == 0.f && !horizontal && mZeroValueStepHasBounds)
      cell = &mStepBounds.front();
    for (size_t k = 0; !cell && k < mStepBounds.size(); ++k)
    {
      const IRECT& c = mStepBounds[k];
      if (horizontal ? (edge >= c.L && edge <= c.R) : (edge >= c.T && edge <= c.B))
        cell = &c;
    }
    if (cell)
    {
      if (horizontal)
      {
        bar.L = cell->L;
        bar.R = cell->R;
      }
      else
      {
        bar.T = cell->T;
        bar.B = cell->B;
      }
    }
    if (mZeroValueStepHasBounds || v > 0.f)
      DrawTrackValue(g, bar, chIdx, v > b);
  }
  else
  {
    DrawTrackValue(g, bar, chIdx, v > b);
    IRECT strip;
    if (horizontal)
      strip = v >= b ? IRECT(bar.R - mPeakSize, bar.T, bar.R, bar.B) : IRECT(bar.L, bar.T, bar.L + mPeakSize, bar.B);
    else
      strip = v >= b ? IRECT(bar.L, bar.T, bar.R, bar.T + mPeakSize) : IRECT(bar.L, bar.B - mPeakSize, bar.R, bar.B);
    DrawPeak(g, strip, chIdx, v > b);
  }

  if (mStyle.drawFrame && mDrawTrackFrame)
    g.DrawRect(GetColor(kColorFrame), r, &mBlend, mStyle.frameThickness);
}

void IVTrackControlBase::DrawTrackBackground(IGfx& g, const IRECT& r, int chIdx)
{
  g.FillRect(chIdx == mSelectedTrack ? GetColor(kColorHighlight) : kColorTransparent, r);
}

void IVTrackControlBase::DrawTrackName(IGfx& g, const IRECT& r, int chIdx)
{
  if (chIdx >= 0 && chIdx < static_cast<int>(mTrackNames.size()))
  {
    const IString& name = mTrackNames[static_cast<size_t>(chIdx)];
    if (!name.Empty())
      g.DrawText(mText, name.Get(), r);
  }
}

void IVTrackControlBase::DrawTrackValue(IGfx& g, const IRECT& r, int chIdx, bool aboveBaseline)
{
  g.FillRect(GetColor(chIdx == mSelectedTrack ? kColorExtra1 : kColorForeground), r, &mBlend);
  if (chIdx == mMouseOverTrack)
    g.FillRect(GetColor(kColorHighlight), r, &mBlend);
}

void IVTrackControlBase::DrawPeak(IGfx& g, const IRECT& r, int chIdx, bool aboveBaseline)
{
  g.FillRect(GetColor(kColorFrame), r, &mBlend);
}

} // namespace igfx
} // namespace ifx
