#include "toolkit/IControl.h"

#include <algorithm>
#include <cmath>

#include "base/IEditorDelegate.h"
#include "base/IParam.h"
#include "toolkit/GfxClock.h"
#include "toolkit/IGfx.h"
#include "toolkit/IPopupMenu.h"

namespace ifx {
namespace igfx {

size_t GestureKindHash::operator()(int32_t kind) const noexcept
{
  uint64_t h = 0xcbf29ce484222325ull;
  const uint32_t u = static_cast<uint32_t>(kind);
  for (int i = 0; i < 4; ++i)
  {
    h ^= (u >> (8 * i)) & 0xFFu;
    h *= 0x100000001b3ull;
  }
  return static_cast<size_t>(h);
}

IControl::IControl(const IRECT& bounds, int paramIdx, IControlAction action)
  : mRECT(bounds), mTargetRECT(bounds), mAction(std::move(action))
{
  mVals.push_back(IValue{paramIdx, 0.0});
}

IControl::~IControl() = default;

// -- Values --------------------------------------------------------------------

double IControl::GetValue(int valIdx) const
{
  return IsValIdxValid(valIdx) ? mVals[static_cast<size_t>(valIdx)].value : 0.0;
}

int IControl::GetParamIdx(int valIdx) const
{
  return IsValIdxValid(valIdx) ? mVals[static_cast<size_t>(valIdx)].paramIdx : -1;
}

const IParam* IControl::GetParam(int valIdx) const
{
  const int paramIdx = GetParamIdx(valIdx);
  if (paramIdx < 0 || !mDelegate)
    return nullptr;
  return static_cast<const IEditorDelegate*>(mDelegate)->GetParam(paramIdx);
}

int IControl::LinkedToParam(int paramIdx) const
{
  for (int i = 0; i < NVals(); ++i)
    if (mVals[static_cast<size_t>(i)].paramIdx == paramIdx)
      return i;
  return -1;
}

void IControl::SetNVals(int n)
{
  if (n < 1)
    n = 1;
  mVals.resize(static_cast<size_t>(n), IValue{-1, 0.0});
}

void IControl::SetParamIndex(int paramIdx, int valIdx)
{
  // A bad index is ignored: this may run inside an event handler.
  if (!IsValIdxValid(valIdx))
    return;
  mVals[static_cast<size_t>(valIdx)].paramIdx = paramIdx;
  SetDirty(false);
}

void IControl::SetValue(double value, int valIdx)
{
  if (IsValIdxValid(valIdx))
    mVals[static_cast<size_t>(valIdx)].value = value;
}

void IControl::SetValueFromHostSide(double value, int valIdx)
{
  // The user's drag wins over the host.
  if (mGraphics && mGraphics->ControlIsCaptured(this))
    return;
  if (!IsValIdxValid(valIdx))
    return;
  const double current = GetValue(valIdx);
  if (std::isnan(value) || value != current)
  {
    SetValue(value, valIdx);
    SetDirty(false);
  }
}

void IControl::SetValueFromEditor(double value, int valIdx)
{
  if (!IsValIdxValid(valIdx))
    return;
  if (value != GetValue(valIdx))
  {
    SetValue(value, valIdx);
    SetDirty(true, valIdx);
  }
}

void IControl::ResetValueToParamDefault(int valIdx)
{
  for (int i = 0; i < NVals(); ++i)
  {
    if (valIdx >= 0 && i != valIdx)
      continue;
    if (const IParam* param = GetParam(i))
      SetValue(param->ToNormalized(param->GetDefault()), i);
  }
}

void IControl::ResetValueToDefault(int valIdx)
{
  if (NVals() == 1)
    valIdx = 0;
  ResetValueToParamDefault(valIdx);
  SetDirty(true, valIdx);
}

void IControl::SetDirty(bool triggerAction, int valIdx)
{
  if (NVals() == 1)
    valIdx = 0;

  // NaN (which clamping would keep) becomes 0, as a parameter takes it to its
  // minimum: it must never reach the host.
  auto clampAndStore = [this](int i) {
    const double v = GetValue(i);
    SetValue(std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0), i);
  };
  if (valIdx >= 0)
  {
    if (!IsValIdxValid(valIdx))
      return;
    clampAndStore(valIdx);
  }
  else
  {
    for (int i = 0; i < NVals(); ++i)
      clampAndStore(i);
  }

  mDirty = true;
  if (!triggerAction)
    return;

  // Before attachment there is no delegate and no peer list to tell.
  if (mDelegate && mGraphics)
  {
    auto notify = [this](int i) {
      const int paramIdx = GetParamIdx(i);
      if (paramIdx < 0)
        return;
      const double v = GetValue(i);
      mDelegate->ApplyParamValueFromUI(paramIdx, v);
      mGraphics->UpdatePeers(this, paramIdx, v);
    };
    if (valIdx >= 0)
      notify(valIdx);
    else
      for (int i = 0; i < NVals(); ++i)
        notify(i);
  }

  if (mAction)
    mAction(this);
}

void IControl::SetValueFromPointer(float x, float y, int direction, const IRECT& bounds, int valIdx, double minValue,
                                   double maxValue)
{
  x = std::clamp(x, bounds.L, bounds.R);
  y = std::clamp(y, bounds.T, bounds.B);

  const float w = bounds.W(), h = bounds.H();
  // A degenerate track gives no position: the value stays.
  if (direction != 0 ? !(w > 0.f) : !(h > 0.f))
    return;
  float v = direction != 0 ? (x - bounds.L) / w : 1.f - (y - bounds.T) / h;
  if (!std::isfinite(v))
    return;

  double q = std::round(static_cast<double>(v) / 0.001) * 0.001;
  q = std::clamp(q, minValue, maxValue);

  if (valIdx < 0)
  {
    for (int i = 0; i < NVals(); ++i)
      SetValue(q, i);
  }
  else if (IsValIdxValid(valIdx))
  {
    SetValue(q, valIdx);
  }
  else
  {
    return;
  }
  SetDirty(true, valIdx);
}

// -- Events --------------------------------------------------------------------

void IControl::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  if (!mod.R)
    return;
  const int valIdx = ValueIndexAt(x, y);
  if (valIdx < 0)
    return;
  if (GetParamIdx(valIdx) < 0 || mPromptDisabled)
    return;
  const IParam* param = GetParam(valIdx);
  IRECT bounds = mRECT;
  if (!param || param->NDisplayTexts() == 0)
    bounds = mRECT.GetCentredInside(40.f, 16.f);
  if (mGraphics)
    mGraphics->AskValueFromUser(this, bounds, valIdx);
  SetDirty(false);
}

void IControl::OnMouseDoubleClick(float x, float y, const IMouseModifiers& mod)
{
  ResetValueToDefault(ValueIndexAt(x, y));
}

void IControl::OnMouseOver(float x, float y, const IMouseModifiers& mod)
{
  if (!mMouseIsOver)
  {
    mMouseIsOver = true;
    SetDirty(false);
  }
}

void IControl::OnMouseOut()
{
  if (mMouseIsOver)
  {
    mMouseIsOver = false;
    SetDirty(false);
  }
}

void IControl::OnDropPaths(const std::vector<const char*>& paths)
{
  if (!paths.empty())
    OnDrop(paths.front());
}

bool IControl::OnGesture(const IGestureInfo& info)
{
  const auto it = mGestureFuncs.find(info.type);
  if (it == mGestureFuncs.end())
    return false;
  mLastGesture = info.type;
  it->second(this, info);
  return true;
}

void IControl::AttachGestureRecognizer(int32_t kind, IGestureFunc func) { mGestureFuncs[kind] = std::move(func); }

void IControl::OnMenuSelection(IPopupMenu* menu, int valIdx)
{
  if (!menu || valIdx < 0 || GetParamIdx(valIdx) < 0 || mPromptDisabled)
    return;
  const IParam* param = GetParam(valIdx);
  if (!param)
    return;
  SetValueFromEditor(param->ToNormalized(static_cast<double>(menu->GetChosenItemIdx())), valIdx);
}

// -- Drawing and layout ----------------------------------------------------------

void IControl::DrawHighlight(IGfx& g)
{
  if (mHighlight)
    g.FillCircle(mHighlightColor, mTargetRECT.R - 5.f, mTargetRECT.T + 5.f, 2.f, nullptr);
}

void IControl::SetPosition(float x, float y)
{
  x = std::max(0.f, x);
  y = std::max(0.f, y);
  const float offsetX = mTargetRECT.L - mRECT.L;
  const float offsetY = mTargetRECT.T - mRECT.T;
  mRECT = IRECT(x, y, x + mRECT.W(), y + mRECT.H());
  mMouseIsOver = false;
  OnResize();
  const float tw = mTargetRECT.W(), th = mTargetRECT.H();
  mTargetRECT = IRECT(mRECT.L + offsetX, mRECT.T + offsetY, mRECT.L + offsetX + tw, mRECT.T + offsetY + th);
  mMouseIsOver = false;
}

void IControl::SetSize(float w, float h)
{
  w = std::max(0.f, w);
  h = std::max(0.f, h);
  mRECT = IRECT(mRECT.L, mRECT.T, mRECT.L + w, mRECT.T + h);
  mTargetRECT = mRECT;
  mMouseIsOver = false;
  OnResize();
}

void IControl::Hide(bool hide)
{
  mHide = hide;
  SetDirty(false);
}

void IControl::SetDisabled(bool disable)
{
  mDisabled = disable;
  mBlend.weight = disable ? 0.25f : 1.f;
  SetDirty(false);
}

// -- Animation -------------------------------------------------------------------

void IControl::SetAnimation(IControlAnimation animation, int durationMs)
{
  mAnimation = std::move(animation);
  mAnimationStartMs = GfxClock::NowMillis();
  mAnimationDurationMs = static_cast<double>(durationMs);
}

double IControl::GetAnimationProgress() const
{
  if (!mAnimation)
    return 0.0;
  const double nowNs = static_cast<double>(GfxClock::NowNanos());
  const double elapsedMs = (nowNs - mAnimationStartMs * 1000000.0) / 1000000.0;
  // A zero duration counts as already over rather than dividing by zero.
  if (!(mAnimationDurationMs > 0.0))
    return elapsedMs >= 0.0 ? 2.0 : 0.0;
  return elapsedMs / mAnimationDurationMs;
}

void IControl::DefaultAnimation(IControl* control)
{
  if (control && control->GetAnimationProgress() > 1.0)
    control->OnAnimationEnd();
}

void IControl::DefaultClickAction(IControl* control)
{
  if (control)
    control->SetAnimation(&IControl::DefaultAnimation, 100);
}

void IControl::OnAnimationEnd()
{
  mAnimation = nullptr;
  SetDirty(false);
  if (mAnimationEndAction)
    mAnimationEndAction(this);
}

} // namespace igfx
} // namespace ifx
