#include "toolkit/IGEditorDelegate.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/IParam.h"
#include "base/IStateChunk.h"
#include "toolkit/IControl.h"
#include "toolkit/IGfx.h"

namespace ifx {
namespace igfx {

namespace {

// Scales outside the graphics' own zoom limits are not a state we wrote.
constexpr float kMinSavedScale = 0.5f;
constexpr float kMaxSavedScale = 4.0f;

bool SaneScale(float scale) { return std::isfinite(scale) && scale >= kMinSavedScale && scale <= kMaxSavedScale; }

// The window's span in pixels at display scale s, computed as the graphics
// does when it asks the host for its size (the window grows with the scale).
int WindowSpan(float s, int base) { return static_cast<int>(s * static_cast<float>(base)); }

bool SpanWithin(float s, int base, int lo, int hi)
{
  const int span = WindowSpan(s, base);
  return span >= lo && span <= hi;
}

// Moves scale to where a window of base pixels at scale 1 spans lo to hi
// pixels, when it is not there: the limits' quotients, then a few
// representable steps for what their rounding left outside.
void FitSpan(float& scale, int base, int lo, int hi)
{
  if (base <= 0)
    return;
  scale = std::clamp(scale, static_cast<float>(lo) / static_cast<float>(base),
                     static_cast<float>(hi) / static_cast<float>(base));
  for (int step = 0; step < 4 && WindowSpan(scale, base) < lo; ++step)
    scale = std::nextafter(scale, std::numeric_limits<float>::infinity());
  for (int step = 0; step < 4 && WindowSpan(scale, base) > hi; ++step)
    scale = std::nextafter(scale, 0.f);
}

} // namespace

IGEditorDelegate::IGEditorDelegate(int nParams) : IEditorDelegate(nParams) {}

IGEditorDelegate::~IGEditorDelegate()
{
  IGfx* gfx = mGraphics;
  mGraphics = nullptr;
  delete gfx;
}

void* IGEditorDelegate::OpenWindow(void* parent)
{
  if (!mGraphics)
  {
    mGraphics = MakeEditorGraphics();
    // Re-apply what the last close (or a restored state) kept.
    if (mGraphics && mSavedWidth != 0 && mSavedHeight != 0 && mSavedScale != 0.f)
      mGraphics->Resize(mSavedWidth, mSavedHeight, mSavedScale, true);
  }
  if (!mGraphics)
    return nullptr;
  return mGraphics->OpenWindow(parent);
}

void IGEditorDelegate::CloseWindow()
{
  // Closing the window can reach back here (the window's own destruction
  // path); the guard keeps that from deleting the graphics twice.
  if (mClosing)
    return;
  mClosing = true;
  OnEditorClosing();
  if (IGfx* gfx = mGraphics)
  {
    mSavedWidth = gfx->Width();
    mSavedHeight = gfx->Height();
    mSavedScale = gfx->GetDrawScale();
    gfx->CloseWindow();
    mGraphics = nullptr;
    delete gfx;
  }
  mClosing = false;
}

void IGEditorDelegate::OnHostWindowResized(int width, int height)
{
  if (!mGraphics)
    return;
  float s = mGraphics->WindowScaleFactor();
  if (!(s > 0.f) || !std::isfinite(s))
    s = 1.f;
  mGraphics->Resize(static_cast<int>(static_cast<float>(width) / s), static_cast<int>(static_cast<float>(height) / s),
                    1.f, false);
}

bool IGEditorDelegate::ForwardKey(const IKeyEvent& key, bool (IGfx::*handler)(float, float, const IKeyEvent&))
{
  if (!mGraphics)
    return false;
  // Key events carry no position: the pointer's decides which control hears it.
  float x = 0.f, y = 0.f;
  mGraphics->GetMouseLocation(x, y);
  return (mGraphics->*handler)(x, y, key);
}

bool IGEditorDelegate::OnKeyDown(const IKeyEvent& key) { return ForwardKey(key, &IGfx::OnKeyDown); }

bool IGEditorDelegate::OnKeyUp(const IKeyEvent& key) { return ForwardKey(key, &IGfx::OnKeyUp); }

void IGEditorDelegate::PushControlValueToUI(int controlTag, double normalizedValue)
{
  if (!mGraphics)
    return;
  if (IControl* control = mGraphics->FindControlByTag(controlTag))
    control->SetValueFromHostSide(normalizedValue, 0);
}

void IGEditorDelegate::PushControlMessageToUI(int controlTag, int msgTag, int dataSize, const void* data)
{
  if (!mGraphics)
    return;
  if (IControl* control = mGraphics->FindControlByTag(controlTag))
    control->OnDelegateMessage(msgTag, dataSize, data);
}

void IGEditorDelegate::PushMidiToUI(const IMidiMessage& msg)
{
  if (mGraphics)
  {
    mGraphics->VisitAllControls([&msg](IControl* control) {
      if (control->GetWantsMidi())
        control->OnMidi(msg);
    });
  }
  OnMidiForUI(msg);
}

void IGEditorDelegate::PushParamValueToUI(int paramIdx, double value, bool normalized)
{
  if (mGraphics)
  {
    if (!normalized)
    {
      if (const IParam* param = GetParam(paramIdx))
        value = param->ToNormalized(value);
    }
    mGraphics->VisitAllControls([paramIdx, value](IControl* control) {
      for (int v = 0; v < control->NVals(); ++v)
      {
        if (control->GetParamIdx(v) == paramIdx)
          control->SetValueFromHostSide(value, v);
      }
    });
  }
  OnParamChangedForUI(paramIdx, kChangeEditorDelegate);
}

bool IGEditorDelegate::WriteEditorState(IStateChunk& chunk)
{
  int32_t width = mSavedWidth;
  int32_t height = mSavedHeight;
  float scale = mSavedScale;
  if (mGraphics)
  {
    width = mGraphics->Width();
    height = mGraphics->Height();
    scale = mGraphics->GetDrawScale();
  }
  const bool ok = chunk.Put(width) && chunk.Put(height) && chunk.Put(scale);
  return ok;
}

int IGEditorDelegate::ReadEditorState(const IStateChunk& chunk, int startPos)
{
  int32_t width = 0;
  int32_t height = 0;
  float scale = 0.f;
  int pos = chunk.Get(width, startPos);
  if (pos >= 0)
    pos = chunk.Get(height, pos);
  if (pos >= 0)
    pos = chunk.Get(scale, pos);
  if (pos < 0)
    return -1;

  // Zeros mean "nothing saved"; a size outside the limits is clamped, and a
  // scale that is not a finite zoom we could have written keeps the current
  // size as it is.
  if (width == 0 || height == 0 || scale == 0.f || !SaneScale(scale))
    return pos;
  int w = width;
  int h = height;
  ClampEditorSize(w, h);

  if (mGraphics)
    mGraphics->Resize(w, h, scale, true);
  else
  {
    mSavedWidth = w;
    mSavedHeight = h;
    mSavedScale = scale;
  }
  return pos;
}

void IGEditorDelegate::SetDisplayScale(float scale)
{
  if (!mGraphics || !std::isfinite(scale) || !(scale > 0.f))
    return;
  // A scale the size limits cannot honour would ask the host for a window
  // they refuse (or a size that overflows): it is brought within them, or
  // ignored when the limits leave no scale for this editor size.
  const float drawScale = mGraphics->GetDrawScale();
  const int baseW = static_cast<int>(static_cast<float>(mGraphics->Width()) * drawScale);
  const int baseH = static_cast<int>(static_cast<float>(mGraphics->Height()) * drawScale);
  FitSpan(scale, baseW, GetMinWidth(), GetMaxWidth());
  FitSpan(scale, baseH, GetMinHeight(), GetMaxHeight());
  if (SpanWithin(scale, baseW, GetMinWidth(), GetMaxWidth()) &&
      SpanWithin(scale, baseH, GetMinHeight(), GetMaxHeight()))
    mGraphics->SetHostDisplayScale(scale);
}

IGfx* IGEditorDelegate::MakeEditorGraphics() { return makeGraphicsFunc ? makeGraphicsFunc() : nullptr; }

void IGEditorDelegate::BuildEditorLayout(IGfx* gfx)
{
  if (layoutFunc)
    layoutFunc(gfx);
}

} // namespace igfx
} // namespace ifx
