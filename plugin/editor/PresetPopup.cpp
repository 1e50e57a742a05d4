#include "plugin/editor/PresetPopup.h"

#include <algorithm>

#include "graphics/IGfx.h"

using namespace ifx::igfx;

PresetPopup::PresetPopup(const IRECT& bounds, const IRgba& panelColor, const IRgba& textColor,
                         const IRgba& accentColor)
  : IControl(bounds, -1, nullptr), mPanelColor(panelColor), mTextColor(textColor), mAccentColor(accentColor)
{
  SetTargetRECT(IRECT());
}

void PresetPopup::Open(int selected)
{
  mOpen = true;
  mSelected = selected;
  mFirstVisibleRow = std::max(0, selected - (kVisibleRows - 1));
  SetTargetRECT(mRECT);
  mMouseIsOver = false;
}

void PresetPopup::Close()
{
  mOpen = false;
  SetTargetRECT(IRECT());
  mMouseIsOver = false;
}

void PresetPopup::Draw(IGfx& g)
{
  if (mOpen)
    g.FillRect(mPanelColor, mRECT);
}

void PresetPopup::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  Close();
  SetDirty(false);
}
