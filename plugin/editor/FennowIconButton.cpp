#include "plugin/editor/FennowIconButton.h"

#include <cmath>

#include "toolkit/IGfx.h"
#include "plugin/UpdateChecker.h"
#include "plugin/editor/AboutPopup.h"
#include "plugin/editor/EditorAnimation.h"

namespace murkwisp {

using namespace ifx::igfx;

void FennowIconButton::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  if (!mPopup)
    return;
  mPopup->SetOpen(!mPopup->IsOpen());
  mPopup->SetDirty(true, -1);
}

void FennowIconButton::Draw(IGfx& g)
{
  DrawGlowAndIcon(g);
  if (UpdateChecker::Instance().status == kUpdateAvailable)
  {
    const float x = mRECT.R - 6.f, y = mRECT.T + 6.f;
    g.FillCircle(IRgba(ClampedAlpha((std::sin(2.f * mPhase) * 0.3f + 0.7f) * 0.5f), 80, 200, 100), x, y, 8.f);
    g.FillCircle(IRgba(255, 100, 220, 120), x, y, 5.f);
    g.DrawCircle(IRgba(255, 150, 255, 170), x, y, 5.f, nullptr, 1.f);
  }
}

} // namespace murkwisp
