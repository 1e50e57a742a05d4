#include "toolkit/IPanelControl.h"

#include "toolkit/IGfx.h"

namespace ifx {
namespace igfx {

IPanelControl::IPanelControl(const IRECT& bounds, const IPaintPattern& pattern, bool drawFrame, AttachFunc attachFunc,
                             ResizeFunc resizeFunc)
  : IContainerBase(bounds, std::move(attachFunc), std::move(resizeFunc)), mPattern(pattern), mDrawFrame(drawFrame)
{
}

void IPanelControl::Draw(IGfx& g)
{
  g.PathRect(mRECT);
  g.PathFill(mPattern, IFillSettings{}, &mBlend);
  if (mDrawFrame)
    g.DrawRect(kColorLightGrey, mRECT, &mBlend, 1.f);
}

} // namespace igfx
} // namespace ifx
