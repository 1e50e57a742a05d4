#include "plugin/editor/WornCase.h"

#include "toolkit/IGfx.h"
#include "plugin/editor/EditorAnimation.h"

namespace murkwisp {

using namespace ifx::igfx;

void WornCase::Draw(IGfx& g, const IRECT& r) const
{
  g.FillRoundRect(body, r, radius);
  g.FillRoundRect(face, r.GetPadded(-faceInset), radius - 1.f);
  g.DrawLine(bevel, r.L + bevelInset, r.T + 2.f, r.R - bevelInset, r.T + 2.f, nullptr, 1.f);
  g.DrawLine(WithAlpha(bevel, sideAlpha), r.L + 2.f, r.T + bevelInset, r.L + 2.f, r.B - bevelInset, nullptr, 1.f);
}

} // namespace murkwisp
