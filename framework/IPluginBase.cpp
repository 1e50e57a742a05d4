#include "framework/IPluginBase.h"

#include <cmath>
#include <cstdarg>
#include <cstring>

#include "base/Trace.h"
#include "base/IParam.h"

namespace ifx {

IPluginBase::IPluginBase(int nParams, int nPresets) : IGEditorDelegate(nParams), mNPresets(nPresets > 0 ? nPresets : 0)
{
  if (mNPresets > 0)
    mPresets.reset(new IPresetSlot[static_cast<size_t>(mNPresets)]);
}

IPluginBase::~IPluginBase() = default;

int32_t IPluginBase::GetPackedVersion() const noexcept
{
  const int major = (mVersion >> 16) & 0xFFFF;
  const int minor = (mVersion >> 8) & 0xFF;
  const int patch = mVersion & 0xFF;
  return major * 10000 + minor * 100 + patch;
}

bool IPluginBase::SetParamFromUI(int paramIdx, double normalizedValue)
{
  IParam* param = GetParam(paramIdx);
  if (!param)
    return false;
  param->Set(param->FromNormalized(normalizedValue));
  return true;
}

void IPluginBase::ApplyParamValueFromUI(int paramIdx, double normalizedValue)
{
  if (SetParamFromUI(paramIdx, normalizedValue))
    OnParamChangedForUI(paramIdx, kChangeUI);
}

// -- State ---------------------------------------------------------------------

bool IPluginBase::SerializeParams(IStateChunk& chunk)
{
  for (int i = 0; i < NParams(); ++i)
  {
    const IParam* param = GetParam(i);
    const double value = param->Value();
    Trace("ifx::IPluginBase::SerializeParams", __LINE__, "%d %s %f", i, param->GetName(), value);
    // Any short append spoils the whole record, not only the first one.
    if (!chunk.Put(value))
      return false;
  }
  return true;
}

int IPluginBase::UnserializeParams(const IStateChunk& chunk, int startPos)
{
  // A read at a negative position fails like a short one: -1, nothing set.
  int pos = startPos < 0 ? -1 : startPos;
  for (int i = 0; i < NParams() && pos >= 0; ++i)
  {
    double value = 0.0;
    pos = chunk.Get(value, pos);
    if (pos < 0)
      break;
    GetParam(i)->Set(value);
    Trace("ifx::IPluginBase::UnserializeParams", __LINE__);
  }
  OnParamsReset(kChangePreset);
  return pos;
}

bool IPluginBase::CompareState(const double* stored, int startIdx) const
{
  for (int i = 0; i < NParams(); ++i)
  {
    const double v = static_cast<float>(GetParam(i)->Value());
    if (!(std::fabs(v - stored[startIdx + i]) < 1e-5))
      return false;
  }
  return true;
}

// -- Presets ----------------------------------------------------------------------

IPresetSlot* IPluginBase::GetPresetSlot(int idx) noexcept
{
  return (idx >= 0 && idx < mNPresets) ? &mPresets[static_cast<size_t>(idx)] : nullptr;
}

const IPresetSlot* IPluginBase::GetPreset(int idx) const noexcept
{
  return (idx >= 0 && idx < mNPresets) ? &mPresets[static_cast<size_t>(idx)] : nullptr;
}

const char* IPluginBase::GetPresetName(int idx) const noexcept
{
  const IPresetSlot* slot = GetPreset(idx);
  return slot ? slot->name : "";
}

void IPluginBase::MakePreset(const char* name, ...)
{
  IPresetSlot* slot = nullptr;
  for (int i = 0; i < mNPresets && !slot; ++i)
  {
    if (!mPresets[static_cast<size_t>(i)].initialized)
      slot = &mPresets[static_cast<size_t>(i)];
  }
  if (!slot)
    return;

  slot->initialized = true;
  slot->SetName(name);

  va_list args;
  va_start(args, name);
  for (int i = 0; i < NParams(); ++i)
  {
    double value;
    switch (GetParam(i)->Type())
    {
      case IParam::kTypeBool:
      case IParam::kTypeInt:
      case IParam::kTypeEnum: value = static_cast<double>(va_arg(args, int)); break;
      default: value = va_arg(args, double); break;
    }
    slot->chunk.Put(value);
  }
  va_end(args);
}

bool IPluginBase::RestorePreset(int idx)
{
  IPresetSlot* slot = GetPresetSlot(idx);
  if (!slot)
    return false;

  bool ok;
  if (slot->initialized)
  {
    ok = UnserializeParams(slot->chunk, 0) > 0;
  }
  else
  {
    // An empty slot captures the current sound under a fresh user name.
    int userPresets = 0;
    for (int i = 0; i < mNPresets; ++i)
    {
      if (std::strstr(mPresets[static_cast<size_t>(i)].name, "user preset"))
        ++userPresets;
    }
    slot->initialized = true;
    IString name;
    name.SetFormatted(IPresetSlot::kMaxNameLen - 1, "%s %d", "user preset", userPresets + 1);
    slot->SetName(name.Get());
    // A rewrite of the current slot may have left values here already.
    slot->chunk.Clear();
    ok = SerializeParams(slot->chunk);
  }

  if (ok)
  {
    mCurrentPresetIdx = idx;
    OnPresetRestored();
    OnStateRestored();
  }
  return ok;
}

void IPluginBase::ModifyCurrentPreset(const char* name)
{
  IPresetSlot* slot = GetPresetSlot(mCurrentPresetIdx);
  if (!slot)
    return;
  slot->chunk.Clear();
  Trace("ifx::IPluginBase::ModifyCurrentPreset", __LINE__, "%d %s", mCurrentPresetIdx, slot->name);
  SerializeParams(slot->chunk);
  if (name && name[0])
    slot->SetName(name);
}

} // namespace ifx
