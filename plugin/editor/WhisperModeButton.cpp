#include "plugin/editor/WhisperModeButton.h"

#include <cmath>

#include "toolkit/IGfx.h"
#include "plugin/editor/EditorAnimation.h"
#include "plugin/editor/MurkwispStyles.h"
#include "plugin/editor/WornCase.h"

namespace murkwisp {

using namespace ifx::igfx;

namespace {

const WornCase kButtonCase{{220, 35, 32, 42}, {200, 22, 20, 28}, 2.f, 6.f, {100, 180, 175, 190}, 102, 4.f};
const FlickerLight::Tuning kModeLEDTuning{0.02f, 0.00038f, 0.4f, 0.0006f, 0.03f, 0.0002f, 10, 0.15f, 0.3f, 0.004f};

} // namespace

WhisperModeButton::WhisperModeButton(const IRECT& bounds, int paramIdx)
  : IControl(bounds, paramIdx, nullptr), mFirstColor(kWhisperColor), mSecondColor(kLabelColor)
{
  mFlicker.level = 0.8f;
  mFlicker.target = 1.f;
  mFlicker.rate = 0.05f;
  mFlicker.timer = 2.f * 0.001f * static_cast<float>(EditorRand() % 1000);
  mFlicker.interval = 0.05f + 0.002f * static_cast<float>(EditorRand() % 100);
  mPhase = static_cast<float>(EditorRand() % 1000) * 0.00628f;
  mSeed = EditorRand() % 10000;
}

void WhisperModeButton::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  SetValue(IsSecondMode() ? 0.0 : 1.0, 0);
  SetDirty(true, -1);
}

void WhisperModeButton::Draw(IGfx& g)
{
  AdvancePhase(mPhase, 0.01f);
  const float glow = mFlicker.Step(kModeLEDTuning);
  const IRgba modeColor = IsSecondMode() ? IRgba(255, 80, 100, 180) : IRgba(255, 100, 80, 160);
  const IRECT& r = mRECT;

  kButtonCase.Draw(g, r);
  for (int q = 0; q < 3; ++q)
  {
    const float a = std::sin(2.f * static_cast<float>(q) + mPhase) * 0.15f + 0.3f;
    g.FillCircle(IRgba(ClampedAlpha(a), 55, 42, 38), r.L + r.W() * SeedFraction(mSeed + 137 * q),
                 r.T + r.H() * SeedFraction(mSeed + 211 * q), q % 2 == 0 ? 2.f : 3.f);
  }
  g.DrawRoundRect(IRgba(160, 60, 55, 65), r.GetPadded(-1.f), 5.f, nullptr, 1.5f);
  const IRgba scuff(80, 90, 85, 80);
  g.DrawLine(scuff, r.L + 3.f, r.T + 5.f, r.L + 8.f, r.T + 3.f, nullptr, 1.f);
  g.DrawLine(WithAlpha(scuff, 127), r.R - 10.f, r.B - 4.f, r.R - 4.f, r.B - 6.f, nullptr, 1.f);

  const float x = r.L + 14.f, y = r.MH();
  g.FillCircle(IRgba(200, 45, 40, 50), x, y, 8.f);
  g.DrawCircle(IRgba(160, 60, 55, 65), x, y, 8.f, nullptr, 1.f);
  g.DrawArc(IRgba(127, 60, 55, 65), x, y, 7.f, 200.f, 340.f, nullptr, 1.5f);
  g.FillCircle(WithAlpha(modeColor, ClampedAlpha(0.5f * glow)), x, y, 6.f);
  g.FillCircle(WithAlpha(modeColor, ClampedAlpha(0.5f * glow + 0.5f)), x, y, 4.f);
  g.FillCircle(IRgba(255, 255, 255, static_cast<int32_t>(160.f * glow)), x - 1.f, y - 1.f, 1.6f);
  g.FillCircle(IRgba(40, 80, 75, 70), x + 1.f, y + 1.f, 2.f);

  const ITextStyle style(14.f, WithAlpha(mSecondColor, ClampedAlpha(std::sin(0.5f * mPhase) * 0.1f + 0.85f)),
                         kFontRoboto, kAlignCenter, kVAlignMiddle);
  g.DrawText(style, ModeLabel(), IRECT(r.L + 24.f, r.T, r.R, r.B));
  SetDirty(false, -1);
}

} // namespace murkwisp
