#pragma once
// One object that is component, audio processor and edit controller at
// once (processor and controller not distributable).
#include "abi/vst3/Bus.h"
#include "abi/vst3/EditController.h"
#include "abi/vst3/Vst3AudioProcessor.h"
#include "abi/vst3/Vst3Component.h"

namespace Steinberg {
namespace Vst {

// IComponent's setState/getState share name and signature with
// IEditController's; this shim gives the component's pair its own hooks so
// the two slots can answer differently.
class ComponentStateSlots : public IComponent
{
public:
  tresult PLUGIN_API setState(IBStream* state) final { return setComponentStateFromHost(state); }
  tresult PLUGIN_API getState(IBStream* state) final { return getComponentStateForHost(state); }
  virtual tresult setComponentStateFromHost(IBStream* state) = 0;
  virtual tresult getComponentStateForHost(IBStream* state) = 0;
  MURKWISP_VST3_INTERFACE(ComponentStateSlots)
};

class SingleComponentEffect
  : public EditControllerEx1
  , public ComponentStateSlots
  , public IAudioProcessor
  , public IProcessContextRequirements
{
public:
  SingleComponentEffect();
  ~SingleComponentEffect() override;

  tresult PLUGIN_API initialize(FUnknown* context) override;
  tresult PLUGIN_API terminate() override;

  // IComponent
  tresult PLUGIN_API getControllerClassId(TUID classId) override { return kNotImplemented; }
  tresult PLUGIN_API setIoMode(IoMode mode) override { return kNotImplemented; }
  int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) override;
  tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) override;
  tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) override { return kNotImplemented; }
  tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index, TBool state) override;
  tresult PLUGIN_API setActive(TBool state) override { return kResultOk; }
  tresult setComponentStateFromHost(IBStream* state) override { return kNotImplemented; }
  tresult getComponentStateForHost(IBStream* state) override { return kNotImplemented; }

  // IAudioProcessor
  tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                        int32 numOuts) override;
  tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) override;
  tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) override;
  uint32 PLUGIN_API getLatencySamples() override { return 0; }
  tresult PLUGIN_API setupProcessing(ProcessSetup& setup) override;
  tresult PLUGIN_API setProcessing(TBool state) override { return kNotImplemented; }
  tresult PLUGIN_API process(ProcessData& data) override { return kResultOk; }
  uint32 PLUGIN_API getTailSamples() override { return kNoTail; }

  // IProcessContextRequirements
  uint32 PLUGIN_API getProcessContextRequirements() override { return processContextRequirements; }

  AudioBus* addAudioInput(const TChar* name, SpeakerArrangement arr, BusType busType = kMain,
                          int32 flags = BusInfo::kDefaultActive);
  AudioBus* addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType busType = kMain,
                           int32 flags = BusInfo::kDefaultActive);
  EventBus* addEventInput(const TChar* name, int32 channels = 16, BusType busType = kMain,
                          int32 flags = BusInfo::kDefaultActive);
  EventBus* addEventOutput(const TChar* name, int32 channels = 16, BusType busType = kMain,
                           int32 flags = BusInfo::kDefaultActive);
  void removeAudioBusses();
  void removeEventBusses();
  BusList* getBusList(MediaType type, BusDirection dir);

  MURKWISP_FOBJECT_REFCOUNT
  tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
  MURKWISP_FOBJECT_CLASS(SingleComponentEffect, EditControllerEx1)

protected:
  BusList audioInputs{kAudio, kInput};
  BusList audioOutputs{kAudio, kOutput};
  BusList eventInputs{kEvent, kInput};
  BusList eventOutputs{kEvent, kOutput};
  ProcessSetup processSetup;
  uint32 processContextRequirements = 0;
};

} // namespace Vst
} // namespace Steinberg
