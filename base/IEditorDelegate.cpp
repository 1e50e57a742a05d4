#include "base/IEditorDelegate.h"

#include <algorithm>
#include <new>

#include "base/IParam.h"
#include "base/Trace.h"

namespace ifx {

IEditorDelegate::IEditorDelegate(int nParams)
{
  const int n = std::max(0, nParams);
  mParams.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i)
    mParams.emplace_back(new IParam());
}

IEditorDelegate::~IEditorDelegate() = default;

IParam* IEditorDelegate::GetParam(int paramIdx) noexcept
{
  if (paramIdx < 0 || paramIdx >= NParams())
    return nullptr;
  return mParams[static_cast<size_t>(paramIdx)].get();
}

const IParam* IEditorDelegate::GetParam(int paramIdx) const noexcept
{
  if (paramIdx < 0 || paramIdx >= NParams())
    return nullptr;
  return mParams[static_cast<size_t>(paramIdx)].get();
}

void IEditorDelegate::SetEditorSize(int width, int height) noexcept
{
  mEditorWidth.store(width, std::memory_order_relaxed);
  mEditorHeight.store(height, std::memory_order_relaxed);
}

void IEditorDelegate::SetSizeConstraints(int widthA, int widthB, int heightA, int heightB) noexcept
{
  mMinWidth = std::min(widthA, widthB);
  mMaxWidth = std::max(widthA, widthB);
  mMinHeight = std::min(heightA, heightB);
  mMaxHeight = std::max(heightA, heightB);
}

void IEditorDelegate::PushAllParamValuesToUI()
{
  for (int i = 0; i < NParams(); ++i)
    PushParamValueToUI(i, mParams[static_cast<size_t>(i)]->GetNormalized(), true);
}

void* IEditorDelegate::OpenWindow(void* parent)
{
  OnEditorOpened();
  return nullptr;
}

void IEditorDelegate::CloseWindow() { OnEditorClosing(); }

void IEditorDelegate::OnEditorOpened() { PushAllParamValuesToUI(); }

void IEditorDelegate::OnParamChange(int paramIdx, EParamChangeSource source, int sampleOffset)
{
  Trace("ifx::IEditorDelegate::OnParamChange", __LINE__, "idx:%i src:%s\n", paramIdx, ParamChangeSourceText(source));
  OnParamIndexChanged(paramIdx);
}

void IEditorDelegate::OnParamsReset(EParamChangeSource source)
{
  for (int i = 0; i < NParams(); ++i)
  {
    OnParamChange(i, source, -1);
    OnParamChangedForUI(i, source);
  }
}

void IEditorDelegate::OnStateRestored() { PushAllParamValuesToUI(); }

void IEditorDelegate::PushControlMessageToUI(int controlTag, int msgTag, int dataSize, const void* data)
{
  OnMessage(msgTag, controlTag, dataSize, data);
}

void IEditorDelegate::PushMessageToUI(int msgTag, int dataSize, const void* data)
{
  OnMessage(msgTag, -1, dataSize, data);
}

void IEditorDelegate::PushMidiToUI(const IMidiMessage& msg) { OnMidiForUI(msg); }

void IEditorDelegate::PushSysExToUI(const ISysExMessage& msg) { OnSysExForUI(msg); }

void IEditorDelegate::PushParamValueToUI(int paramIdx, double value, bool normalized)
{
  OnParamChangedForUI(paramIdx, kChangeEditorDelegate);
}

bool IEditorDelegate::ClampEditorSize(int& width, int& height) const noexcept
{
  if (width >= mMinWidth && width <= mMaxWidth && height >= mMinHeight && height <= mMaxHeight)
    return true;
  width = std::min(mMaxWidth, std::max(mMinWidth, width));
  height = std::min(mMaxHeight, std::max(mMinHeight, height));
  return false;
}

} // namespace ifx
