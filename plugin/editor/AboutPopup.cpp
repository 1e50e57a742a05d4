#include "plugin/editor/AboutPopup.h"

#include "graphics/IGfx.h"

using namespace ifx::igfx;

AboutPopup::AboutPopup(const IRECT& bounds, const IRgba& panelColor, const IRgba& textColor,
                       const IRgba& accentColor)
  : IControl(bounds, -1, nullptr), mPanelColor(panelColor), mTextColor(textColor), mAccentColor(accentColor)
{
  SetTargetRECT(IRECT());
}

void AboutPopup::SetOpen(bool open)
{
  mOpen = open;
  SetTargetRECT(open ? mRECT : IRECT());
  mMouseIsOver = false;
}

void AboutPopup::Draw(IGfx& g)
{
  if (mOpen)
    g.FillRect(mPanelColor, mRECT);
}

void AboutPopup::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  SetOpen(false);
  SetDirty(false);
}
