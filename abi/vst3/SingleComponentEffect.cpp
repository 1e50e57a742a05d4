#include "abi/vst3/SingleComponentEffect.h"

#include <new>

namespace Steinberg {
namespace Vst {

SingleComponentEffect::SingleComponentEffect()
{
  processSetup.processMode = kRealtime;
  processSetup.symbolicSampleSize = kSample32;
  processSetup.maxSamplesPerBlock = 1024;
  processSetup.sampleRate = 44100.;
}

SingleComponentEffect::~SingleComponentEffect() = default;

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context)
{
  return EditControllerEx1::initialize(context);
}

tresult PLUGIN_API SingleComponentEffect::terminate()
{
  removeAudioBusses();
  removeEventBusses();
  return EditControllerEx1::terminate();
}

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir)
{
  if (type == kAudio)
    return dir == kInput ? &audioInputs : (dir == kOutput ? &audioOutputs : nullptr);
  if (type == kEvent)
    return dir == kInput ? &eventInputs : (dir == kOutput ? &eventOutputs : nullptr);
  return nullptr;
}

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir)
{
  BusList* list = getBusList(type, dir);
  return list ? list->count() : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& info)
{
  BusList* list = getBusList(type, dir);
  Bus* bus = list ? list->at(index) : nullptr;
  if (!bus)
    return kInvalidArgument;
  info.mediaType = type;
  info.direction = dir;
  return bus->getInfo(info) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index, TBool state)
{
  BusList* list = getBusList(type, dir);
  Bus* bus = list ? list->at(index) : nullptr;
  if (!bus)
    return kInvalidArgument;
  bus->setActive(state);
  return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                             SpeakerArrangement* outputs, int32 numOuts)
{
  if (numIns < 0 || numOuts < 0 || (numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
    return kInvalidArgument;
  if (numIns > audioInputs.count() || numOuts > audioOutputs.count())
    return kResultFalse;
  for (int32 i = 0; i < numIns; ++i)
    static_cast<AudioBus*>(audioInputs.at(i))->setArrangement(inputs[i]);
  for (int32 i = 0; i < numOuts; ++i)
    static_cast<AudioBus*>(audioOutputs.at(i))->setArrangement(outputs[i]);
  return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr)
{
  BusList* list = getBusList(kAudio, dir);
  Bus* bus = list ? list->at(index) : nullptr;
  if (!bus)
    return kInvalidArgument;
  arr = static_cast<AudioBus*>(bus)->getArrangement();
  return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize)
{
  return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup)
{
  if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue)
    return kResultFalse;
  processSetup = setup;
  return kResultOk;
}

namespace {
template <class B, class... Args>
B* AddBus(BusList& list, Args... args)
{
  auto* bus = new (std::nothrow) B(args...);
  return bus && list.add(bus) ? bus : nullptr;
}
} // namespace

AudioBus* SingleComponentEffect::addAudioInput(const TChar* name, SpeakerArrangement arr, BusType busType, int32 flags)
{
  return AddBus<AudioBus>(audioInputs, name, busType, flags, arr);
}

AudioBus* SingleComponentEffect::addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType busType, int32 flags)
{
  return AddBus<AudioBus>(audioOutputs, name, busType, flags, arr);
}

EventBus* SingleComponentEffect::addEventInput(const TChar* name, int32 channels, BusType busType, int32 flags)
{
  return AddBus<EventBus>(eventInputs, name, busType, flags, channels);
}

EventBus* SingleComponentEffect::addEventOutput(const TChar* name, int32 channels, BusType busType, int32 flags)
{
  return AddBus<EventBus>(eventOutputs, name, busType, flags, channels);
}

void SingleComponentEffect::removeAudioBusses()
{
  audioInputs.clear();
  audioOutputs.clear();
}

void SingleComponentEffect::removeEventBusses()
{
  eventInputs.clear();
  eventOutputs.clear();
}

tresult PLUGIN_API SingleComponentEffect::queryInterface(const TUID _iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  if (IidEqual(_iid, IComponent::iid))
    return AnswerInterface<IComponent>(this, obj);
  if (IidEqual(_iid, IAudioProcessor::iid))
    return AnswerInterface<IAudioProcessor>(this, obj);
  if (IidEqual(_iid, IProcessContextRequirements::iid))
    return AnswerInterface<IProcessContextRequirements>(this, obj);
  return EditControllerEx1::queryInterface(_iid, obj);
}

} // namespace Vst
} // namespace Steinberg
