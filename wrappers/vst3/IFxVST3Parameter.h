#pragma once
// The VST3 parameter objects the controller publishes: one per IParam, the
// host bypass parameter, and the names of the MIDI-controller parameters.
#include "abi/vst3/Parameter.h"

namespace ifx {

class IParam;

// A parameter object bound to one IParam, which it does not own.
class IFxVST3Parameter : public Steinberg::Vst::Parameter
{
public:
  // The object starts at the parameter's current value.
  IFxVST3Parameter(IParam* param, Steinberg::Vst::ParamID tag, Steinberg::Vst::UnitID unitID);

  void toString(Steinberg::Vst::ParamValue valueNormalized, Steinberg::Vst::String128 string) const override;
  // False for a list parameter when no entry has the text.
  bool fromString(const Steinberg::Vst::TChar* string, Steinberg::Vst::ParamValue& valueNormalized) const override;
  Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue valueNormalized) const override;
  Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plainValue) const override;

  IParam* GetIParam() const noexcept { return mParam; }

  MURKWISP_FOBJECT_CLASS(IFxVST3Parameter, Parameter)

private:
  IParam* mParam;
};

// "Bypass": tag 65536, "off"/"on", flagged as the host bypass.
class IFxVST3BypassParameter : public Steinberg::Vst::StringListParameter
{
public:
  IFxVST3BypassParameter();
  MURKWISP_FOBJECT_CLASS(IFxVST3BypassParameter, StringListParameter)
};

// Name of MIDI controller n (0..127), as hosts show it.
const char* MidiControllerName(int n) noexcept;

} // namespace ifx
