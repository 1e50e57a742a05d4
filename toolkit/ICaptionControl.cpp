#include "toolkit/ICaptionControl.h"

#include "base/IParam.h"
#include "toolkit/IGfx.h"

namespace ifx {
namespace igfx {

ICaptionControl::ICaptionControl(const IRECT& bounds, int paramIdx, const ITextStyle& style)
  : ITextControl(bounds, "", style)
{
  SetParamIndex(paramIdx, 0);
  mPromptDisabled = false;
  mDblAsSingleClick = true;
  mIgnoreMouse = false;
}

void ICaptionControl::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  if ((mod.L || mod.R) && GetParamIdx(0) >= 0 && !mPromptDisabled && mGraphics)
    mGraphics->AskValueFromUser(this, mRECT, 0);
}

void ICaptionControl::OnResize()
{
  const IParam* param = GetParam(0);
  if (!param || param->Type() != IParam::kTypeEnum)
    return;
  const float s = mText.size;
  const float boxL = mText.align == kAlignFar ? mRECT.L : mRECT.R - s;
  const float l = boxL + 0.5f * s - 0.25f * s;
  const float h = 0.33f * s;
  const float t = mRECT.MH() - 0.5f * h;
  mTriangleRect = IRECT(l, t, l + 0.5f * s, t + h);
}

void ICaptionControl::Draw(IGfx& g)
{
  if (const IParam* param = GetParam(0))
  {
    // Rebuilt in place each frame: the string keeps its memory once it has grown.
    param->GetDisplayText(param->Value(), false, mStr, true);
    if (mShowParamLabel)
    {
      mStr.Append(" ");
      mStr.Append(param->GetLabelForValue());
    }
  }
  ITextControl::Draw(g);

  if (mTriangleRect.W() > 0.f)
  {
    const IRECT& r = mTriangleRect;
    static constexpr IBlendMode kHalf{0, 0.5f};
    if (mMouseIsOver)
      g.FillTriangle(mTriangleMouseOverColor, r.L, r.T, r.R, r.T, r.MW(), r.B, nullptr);
    else
      g.FillTriangle(mTriangleColor, r.L, r.T, r.R, r.T, r.MW(), r.B, &kHalf);
  }
}

} // namespace igfx
} // namespace ifx
