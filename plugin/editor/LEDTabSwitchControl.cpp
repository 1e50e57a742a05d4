#include "plugin/editor/LEDTabSwitchControl.h"

#include <algorithm>
#include <cmath>

#include "toolkit/IGfx.h"
#include "plugin/editor/EditorAnimation.h"
#include "plugin/editor/MurkwispStyles.h"
#include "plugin/editor/WornCase.h"

namespace murkwisp {

using namespace ifx::igfx;

namespace {

const WornCase kTabCase{{220, 35, 32, 42}, {200, 22, 20, 28}, 2.f, 5.f, {90, 170, 165, 180}, 89, 4.f};
const FlickerLight::Tuning kTabLEDTuning{0.02f, 0.00035f, 0.4f, 0.0006f, 0.03f, 0.00018f, 12, 0.12f, 0.3f, 0.003f};

} // namespace

LEDTabSwitchControl::LEDTabSwitchControl(const IRECT& bounds, int paramIdx, std::initializer_list<const char*> labels)
  : IControl(bounds, paramIdx, nullptr), mLabels(labels)
{
  for (FlickerLight& led : mLEDs)
  {
    led.level = 0.7f + 0.003f * static_cast<float>(EditorRand() % 100);
    led.target = 0.8f + 0.002f * static_cast<float>(EditorRand() % 100);
    led.rate = 0.04f + 0.001f * static_cast<float>(EditorRand() % 100);
    led.timer = 0.002f * static_cast<float>(EditorRand() % 1000);
    led.interval = 0.05f + 0.0003f * static_cast<float>(EditorRand() % 1000);
  }
  mPhase = static_cast<float>(EditorRand() % 1000) * 0.00628f;
  mSeed = EditorRand() % 10000;
}

int LEDTabSwitchControl::SelectedTab() const
{
  const int n = NTabs();
  return n > 0 ? std::clamp(static_cast<int>(static_cast<double>(n - 1) * GetValue() + 0.5), 0, n - 1) : 0;
}

IRECT LEDTabSwitchControl::TabBounds(int tab) const
{
  const float c = mRECT.W() / static_cast<float>(std::max(NTabs(), 1));
  return IRECT(mRECT.L + static_cast<float>(tab) * c, mRECT.T, mRECT.L + static_cast<float>(tab + 1) * c, mRECT.B);
}

void LEDTabSwitchControl::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  const int n = NTabs();
  if (n == 0)
    return;
  // Tabs count from the left edge; a pointer left of it (or a rect without
  // width) picks the first, right of the last tab the last.
  const float width = mRECT.W() / static_cast<float>(n);
  const float pos = (x - mRECT.L) / width;
  const int tab = pos >= 1.f ? static_cast<int>(std::min(pos, static_cast<float>(n - 1))) : 0;
  // A single tab has nowhere to go but 0.
  SetValue(n > 1 ? static_cast<double>(tab) / static_cast<double>(n - 1) : 0.0, 0);
  SetDirty(true, -1);
}

void LEDTabSwitchControl::Draw(IGfx& g)
{
  AdvancePhase(mPhase, 0.008f);
  const int n = NTabs();
  if (n == 0)
    return;
  const IRECT& r = mRECT;
  const int selected = SelectedTab();

  kTabCase.Draw(g, r);
  for (int q = 0; q < 5; ++q)
  {
    const float a = std::sin(1.7f * static_cast<float>(q) + mPhase) * 0.1f + 0.25f;
    g.FillCircle(IRgba(ClampedAlpha(a), 55, 42, 38), r.L + r.W() * SeedFraction(mSeed + 97 * q),
                 r.T + r.H() * SeedFraction(mSeed + 151 * q), q % 2 == 0 ? 1.5f : 2.5f);
  }

  for (int j = 0; j < n; ++j)
  {
    const IRECT tab = TabBounds(j);
    if (j == selected)
      DrawLED(g, tab.MW(), r.T + 9.f, mLEDs[j % kLEDSlots].Step(kTabLEDTuning));
    if (j < n - 1)
    {
      g.DrawLine(IRgba(80, 50, 48, 55), tab.R, r.T + 3.f, tab.R, r.B - 3.f, nullptr, 1.f);
      g.DrawLine(IRgba(40, 80, 75, 70), tab.R + 1.f, r.T + 5.f, tab.R + 1.f, r.B - 5.f, nullptr, 1.f);
    }
    const char* label = mLabels[static_cast<size_t>(j)];
    if (label && label[0])
    {
      const float f = j == selected ? std::sin(mPhase) * 0.05f + 0.9f : 0.55f;
      const ITextStyle style(12.f, WithAlpha(mLabelColor, ClampedAlpha(f)), kFontRoboto, kAlignCenter, kVAlignMiddle);
      g.DrawText(style, label, j == selected ? tab.GetTranslated(0.f, 5.f) : tab);
    }
  }

  g.DrawRoundRect(IRgba(140, 55, 52, 62), r.GetPadded(-1.f), 4.f, nullptr, 1.5f);
  const IRgba scuff(60, 80, 75, 70);
  g.DrawLine(scuff, r.L + 2.f, r.T + 3.f, r.L + 6.f, r.T + 2.f, nullptr, 1.f);
  g.DrawLine(WithAlpha(scuff, 127), r.R - 8.f, r.B - 2.f, r.R - 3.f, r.B - 4.f, nullptr, 1.f);
  SetDirty(false, -1);
}

void LEDTabSwitchControl::DrawLED(IGfx& g, float x, float y, float glow)
{
  g.FillCircle(IRgba(180, 40, 38, 48), x, y, 6.f);
  g.DrawCircle(IRgba(120, 55, 50, 60), x, y, 6.f, nullptr, 1.f);
  g.DrawArc(IRgba(80, 160, 155, 170), x, y, 5.5f, 200.f, 340.f, nullptr, 1.f);
  g.FillCircle(WithAlpha(mLEDColor, ClampedAlpha(0.5f * glow)), x, y, 4.5f);
  g.FillCircle(WithAlpha(mLEDColor, ClampedAlpha(0.5f * glow + 0.5f)), x, y, 3.f);
  g.FillCircle(IRgba(255, 255, 255, static_cast<int32_t>(140.f * glow)), x - 0.5f, y - 0.5f, 1.2f);
  g.FillCircle(IRgba(30, 60, 55, 50), x + 0.5f, y + 0.5f, 1.2f);
}

} // namespace murkwisp
