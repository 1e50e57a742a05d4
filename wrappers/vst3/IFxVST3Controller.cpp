// IFxVST3: the edit-controller side: host values in, editor values out,
// preset names, MIDI mapping, channel context.
#include <cmath>

#include "abi/vst3/Vst3Strings.h"
#include "base/EParamChangeSource.h"
#include "base/IParam.h"
#include "base/IString.h"
#include "wrappers/vst3/IFxVST3.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ifx {

tresult PLUGIN_API IFxVST3::setParamNormalized(ParamID tag, ParamValue value)
{
  Parameter* p = parameters.getParameter(tag);
  if (!p || !std::isfinite(value))
    return kResultFalse;
  value = value < 0. ? 0. : (value > 1. ? 1. : value);
  p->setNormalized(value);
  if (tag < kBypassParamId && static_cast<int>(tag) < NParams())
  {
    const int idx = static_cast<int>(tag);
    IParam* param = GetParam(idx);
    param->Set(param->FromNormalized(value));
    OnParamChangedForUI(idx, kChangeHost);
    PushParamValueToUI(idx, value, true);
  }
  return kResultOk;
}

tresult PLUGIN_API IFxVST3::getProgramName(ProgramListID listId, int32 programIndex, String128 name)
{
  if (listId != static_cast<ProgramListID>(kPresetParamId) || NPresets() == 0)
    return kResultFalse;
  if (!name)
    return kInvalidArgument;
  const char* preset = GetPresetName(programIndex);
  StrWidenBytes(name, preset ? preset : "", 128);
  return kResultOk;
}

tresult PLUGIN_API IFxVST3::getMidiControllerAssignment(int32 busIndex, int16 channel, CtrlNumber midiControllerNumber,
                                                        ParamID& id)
{
  if (busIndex != 0 || channel != 0 || midiControllerNumber < 0 || midiControllerNumber >= kMidiCCParamsPerChannel)
    return kResultFalse;
  const ParamID tag = kMidiCCParamStartId + static_cast<ParamID>(channel) * kMidiCCParamsPerChannel +
                      static_cast<ParamID>(midiControllerNumber);
  // Only controllers that have a parameter are offered.
  if (!parameters.getParameter(tag))
    return kResultFalse;
  id = tag;
  return kResultOk;
}

tresult PLUGIN_API IFxVST3::setChannelContextInfos(IAttributeList* list)
{
  try
  {
    return SetChannelContextInfos(list) ? kResultOk : kResultFalse;
  }
  catch (...)
  {
    return kResultFalse;
  }
}

void IFxVST3::BeginHostParamGesture(int paramIdx) { beginEdit(static_cast<ParamID>(paramIdx)); }

void IFxVST3::EndHostParamGesture(int paramIdx) { endEdit(static_cast<ParamID>(paramIdx)); }

void IFxVST3::NotifyHostParamValue(int paramIdx, double normalizedValue)
{
  performEdit(static_cast<ParamID>(paramIdx), normalizedValue);
}

void IFxVST3::ApplyParamValueFromUI(int paramIdx, double normalizedValue)
{
  IParam* param = GetParam(paramIdx);
  if (!param || !std::isfinite(normalizedValue))
    return;
  if (Parameter* p = parameters.getParameter(static_cast<ParamID>(paramIdx)))
    p->setNormalized(normalizedValue);
  param->Set(param->FromNormalized(normalizedValue));
  NotifyHostParamValue(paramIdx, normalizedValue);
  OnParamChange(paramIdx, kChangeUI, -1);
  OnParamChangedForUI(paramIdx, kChangeUI);
}

void IFxVST3::ApplyAllParamValuesFromUI()
{
  SyncParameterObjects();
  startGroupEdit();
  for (int i = 0; i < NParams(); ++i)
    NotifyHostParamValue(i, GetParam(i)->GetNormalized());
  finishGroupEdit();
}

void IFxVST3::NotifyHostParamDetails()
{
  if (componentHandler)
    componentHandler->restartComponent(kParamTitlesChanged);
}

void IFxVST3::OnStateRestored()
{
  IFxAPIBase::OnStateRestored();
  SyncParameterObjects();
  if (componentHandler && OnMainThread())
    componentHandler->restartComponent(kParamValuesChanged);
}

void IFxVST3::GetTrackColor(int& r, int& g, int& b)
{
  const uint32_t color = ChannelColor();
  r = static_cast<int>((color >> 16) & 0xFF);
  g = static_cast<int>((color >> 8) & 0xFF);
  b = static_cast<int>(color & 0xFF);
}

void IFxVST3::GetTrackName(IString& out) { out.Set(ChannelName()); }

int IFxVST3::GetTrackIndex() { return ChannelIndex(); }

void IFxVST3::GetTrackNamespace(IString& out) { out.Set(ChannelNamespace()); }

int IFxVST3::GetTrackNamespaceIndex() { return ChannelNamespaceOrder(); }

} // namespace ifx
