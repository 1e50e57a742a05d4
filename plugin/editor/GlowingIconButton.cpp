#include "plugin/editor/GlowingIconButton.h"

#include <cmath>

#include "toolkit/IGfx.h"
#include "plugin/editor/EditorAnimation.h"

namespace murkwisp {

using namespace ifx::igfx;

GlowingIconButton::GlowingIconButton(const IRECT& bounds, const IBitmapRef& bitmap) : IBitmapControl(bounds, bitmap) {}

void GlowingIconButton::OnMouseOver(float x, float y, const IMouseModifiers& mod)
{
  mHover = true;
  SetDirty(false, -1);
}

void GlowingIconButton::OnMouseOut()
{
  mHover = false;
  SetDirty(false, -1);
}

void GlowingIconButton::DrawGlowAndIcon(IGfx& g)
{
  AdvancePhase(mPhase, 0.05f);
  const float a = (std::sin(1.5f * mPhase) * 0.15f + 0.3f + (mHover ? 0.3f : 0.f)) * 0.5f;
  g.FillCircle(IRgba(ClampedAlpha(a), 140, 140, 140), mRECT.MW(), mRECT.MH(), 0.55f * mRECT.W());
  // A missing image draws nothing here.
  g.DrawFittedBitmap(mBitmap, mHover ? mRECT.GetCentredInside(1.1f * mRECT.W(), 1.1f * mRECT.H()) : mRECT);
}

} // namespace murkwisp
