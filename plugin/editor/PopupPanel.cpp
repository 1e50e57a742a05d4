#include "plugin/editor/PopupPanel.h"

#include <cmath>

#include "toolkit/IGfx.h"
#include "plugin/editor/EditorAnimation.h"

namespace murkwisp {

using namespace ifx::igfx;

namespace {

constexpr float kPhaseStep = 0.03f;
constexpr IRgba kDimColor{180, 0, 0, 0};

} // namespace

PopupPanel::PopupPanel(const IRECT& bounds, const IRgba& panelColor, const IRgba& textColor, const IRgba& accentColor)
  : IControl(bounds, -1, nullptr), mPanelColor(panelColor), mTextColor(textColor), mAccentColor(accentColor)
{
  SetTargetRECT(IRECT());
}

void PopupPanel::OpenOverEditor()
{
  mOpen = true;
  SetTargetRECT(mRECT);
  mMouseIsOver = false;
}

void PopupPanel::Close()
{
  mOpen = false;
  SetTargetRECT(IRECT());
  mMouseIsOver = false;
}

void PopupPanel::Dismiss()
{
  Close();
  SetDirty(true, -1);
}

bool PopupPanel::OnKeyDown(float x, float y, const IKeyEvent& key)
{
  if (!mOpen || key.VK != kKeyEscape)
    return false;
  Dismiss();
  return true;
}

void PopupPanel::AdvancePhase() { murkwisp::AdvancePhase(mPhase, kPhaseStep); }

void PopupPanel::DrawPanel(IGfx& g, const IRECT& p) const
{
  g.FillRect(kDimColor, mRECT);
  const float glow = std::sin(2.f * mPhase) * 0.1f + 0.4f;
  g.FillRoundRect(WithAlpha(mAccentColor, ClampedAlpha(0.3f * glow)), p.GetPadded(15.f), 12.f);
  g.FillRoundRect(WithAlpha(mAccentColor, ClampedAlpha(0.15f * glow)), p.GetPadded(25.f), 15.f);
  g.FillRoundRect(mPanelColor, p, 10.f);
  g.DrawRoundRect(WithAlpha(mAccentColor, 153), p, 10.f, nullptr, 2.f);
  const float shimmer = ((std::sin(5.7f * mPhase) * 0.2f + 0.3f) + std::sin(13.3f * mPhase) * 0.1f) * 0.3f;
  g.DrawRoundRect(WithAlpha(mTextColor, ClampedAlpha(shimmer)), p.GetPadded(-4.f), 8.f, nullptr, 1.f);
}

ITextStyle PopupPanel::Text(float size, const IRgba& color, int32_t align, const char* font)
{
  return ITextStyle(size, color, font, align, kVAlignMiddle);
}

} // namespace murkwisp
