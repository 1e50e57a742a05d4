#include "wrappers/vst3/IFxVST3ProcessorBase.h"

#include <cmath>
#include <cstring>

#include "abi/vst3/Vst3Strings.h"
#include "base/IParam.h"
#include "base/IPluginConfiguration.h"
#include "base/IString.h"
#include "base/LookUpHost.h"
#include "framework/IFxAPIBase.h"
#include "wrappers/vst3/IFxVST3Ids.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ifx {

namespace {
// The processor's buffers hold at most this many frames: a larger maximum is
// kept as the host's promise, and its blocks are processed in slices.
constexpr int kMaxBlockSize = 65536;
// More buses than any configuration of this framework carries.
constexpr int kMaxBuses = 16;

// A MIDI message without a VST3 event of its own: a legacy controller event.
void SetLegacyCC(Event& e, int control, int channel, int value, int value2) noexcept
{
  e.type = Event::kLegacyMIDICCOutEvent;
  e.midiCCOut.controlNumber = static_cast<uint8>(control);
  e.midiCCOut.channel = static_cast<int8>(channel);
  e.midiCCOut.value = static_cast<int8>(value & 0x7F);
  e.midiCCOut.value2 = static_cast<int8>(value2 & 0x7F);
}

} // namespace

IFxVST3ProcessorBase::IFxVST3ProcessorBase(const IPluginConfiguration& config, IFxAPIBase& owner)
  : IFxProcessor(config)
  , mOwner(owner)
  , mMidiOutputQueue(IMidiMessageQueue::kDefaultGrowth, IMidiMessageQueue::kDefaultGrowth)
{
  SetChannelConnections(kInput, 0, NChannels(kInput), true);
  SetChannelConnections(kOutput, 0, NChannels(kOutput), true);
  mSideChainFirstChannel = MaxMainBusChannels();
  if (NChannels(kInput) > 0)
    MakeLatencyDelayLine();
  SetBlockSize(512);
  std::memset(&mProcessContext, 0, sizeof(mProcessContext));
}

IFxVST3ProcessorBase::~IFxVST3ProcessorBase() = default;

SpeakerArrangement IFxVST3ProcessorBase::GetSpeakerArrangementForChannels(int n) noexcept
{
  switch (n)
  {
    case 1: return 0x80000;
    case 2: return 0x3;
    case 3: return 0x7;
    case 4: return 0xF00000;
    case 5: return 0x37;
    case 6: return 0x3F;
    case 7: return 0xF7;
    case 8: return 0x63F;
    case 9: return 0x7C000F00000ull;
    case 10: return 0x300063F;
    case 16: return 0x3FFC000F00000ull;
    default: return 0;
  }
}

SpeakerArrangement IFxVST3ProcessorBase::GetSpeakerArrangementForBus(EBusDirection dir, int busIdx,
                                                                     const IChannelLayout& layout) const noexcept
{
  return GetSpeakerArrangementForChannels(layout.BusChannels(dir, busIdx));
}

void IFxVST3ProcessorBase::AddAudioBuses(SingleComponentEffect& effect, int inConfigIdx, int outConfigIdx)
{
  String128 name;
  IString text;
  for (int d = 0; d < 2; ++d)
  {
    const EBusDirection dir = d == 0 ? kInput : kOutput;
    const IChannelLayout* layout = GetChannelLayout(dir == kInput ? inConfigIdx : outConfigIdx);
    const int nBuses = layout ? layout->NBuses(dir) : 0;
    for (int b = 0; b < nBuses; ++b)
    {
      GetBusName(dir, b, nBuses, text);
      StrWidenBytes(name, text.Get(), 128);
      const SpeakerArrangement arr = GetSpeakerArrangementForBus(dir, b, *layout);
      const BusType type = b == 0 ? kMain : kAux;
      const int32 flags = b == 0 ? static_cast<int32>(BusInfo::kDefaultActive) : 0;
      if (dir == kInput)
        effect.addAudioInput(name, arr, type, flags);
      else
        effect.addAudioOutput(name, arr, type, flags);
    }
  }
}

void IFxVST3ProcessorBase::Initialize(SingleComponentEffect& effect)
{
  int inConfig = 0;
  int outConfig = 0;
  MaxBusCount(kInput, &inConfig);
  const int nOutBuses = MaxBusCount(kOutput, &outConfig);
  AddAudioBuses(effect, inConfig, outConfig);
  if (GetPluginKind() == 2 && nOutBuses == 0)
    effect.addAudioOutput(u"Dummy Output", 0, kMain, 0);
  if (TakesMidiIn())
    effect.addEventInput(u"MIDI Input", 1, kMain, BusInfo::kDefaultActive);
  if (SendsMidiOut())
    effect.addEventOutput(u"MIDI Output", 1, kMain, BusInfo::kDefaultActive);
}

bool IFxVST3ProcessorBase::SetBusArrangements(SingleComponentEffect& effect, SpeakerArrangement* inputs, int32_t numIns,
                                              SpeakerArrangement* outputs, int32_t numOuts)
{
  const int hostId = mOwner.GetHostId();
  if (hostId == kHostArdour || hostId == kHostMixbus)
    return true;

  SetChannelConnections(kInput, 0, NChannels(kInput), false);
  SetChannelConnections(kOutput, 0, NChannels(kOutput), false);

  if (numIns < 0 || numOuts < 0 || (numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
    return false;
  if (numIns > MaxBusCount(kInput) || numOuts > MaxBusCount(kOutput) || numIns > kMaxBuses || numOuts > kMaxBuses)
    return false;

  int inChannels[kMaxBuses] = {};
  int outChannels[kMaxBuses] = {};
  for (int i = 0; i < numIns; ++i)
    inChannels[i] = SpeakerCount(inputs[i]);
  for (int i = 0; i < numOuts; ++i)
    outChannels[i] = SpeakerCount(outputs[i]);

  const int config = FindChannelLayout(inChannels, numIns, outChannels, numOuts);
  if (config < 0)
    return false;

  effect.getBusList(kAudio, kInput)->clear();
  effect.getBusList(kAudio, kOutput)->clear();
  AddAudioBuses(effect, config, config);
  return true;
}

bool IFxVST3ProcessorBase::SetupProcessing(const ProcessSetup& setup, ProcessSetup& kept)
{
  if (setup.symbolicSampleSize != kSample32 && setup.symbolicSampleSize != kSample64)
    return false;
  if (!std::isfinite(setup.sampleRate) || setup.sampleRate <= 0.)
    return false;
  // Every block is cut to the maximum agreed here: without one, nothing
  // could be processed.
  if (setup.maxSamplesPerBlock < 1)
    return false;
  const int blockSize = setup.maxSamplesPerBlock > kMaxBlockSize ? kMaxBlockSize : setup.maxSamplesPerBlock;
  // Without memory for the buffers the set-up fails and the old one stays.
  if (!SetBlockSize(blockSize))
    return false;
  kept = setup;
  SetSampleRate(setup.sampleRate);
  mMidiOutputQueue.Resize(blockSize);
  OnReset();
  return true;
}

void IFxVST3ProcessorBase::UpdateTimeInfo() noexcept
{
  const ProcessContext& c = mProcessContext;
  IHostTimeInfo info;
  info.tempo = c.tempo;
  info.samplePos = (c.state & ProcessContext::kProjectTimeMusicValid) ? static_cast<double>(c.projectTimeSamples) : -1.;
  info.ppqPos = c.projectTimeMusic;
  info.lastBarStart = c.barPositionMusic;
  info.cycleStart = c.cycleStartMusic;
  info.cycleEnd = c.cycleEndMusic;
  info.numerator = c.timeSigNumerator;
  info.denominator = c.timeSigDenominator;
  info.playing = (c.state & ProcessContext::kPlaying) != 0;
  info.looping = (c.state & ProcessContext::kCycleActive) != 0;
  SetTimeInfo(info);
}

void IFxVST3ProcessorBase::ProcessVST3(ProcessData& data, const ProcessSetup& setup,
                                       SingleComponentEffect& effect) noexcept
{
  if (data.processContext)
    mProcessContext = *data.processContext;
  UpdateTimeInfo();
  SetRenderingOffline(setup.processMode == kOffline);
  ProcessParameterChanges(data.inputParameterChanges);
  if (TakesMidiIn())
    ProcessInputEvents(data.inputEvents);
  // A block without samples only carries parameter changes.
  if (data.numSamples <= 0)
    return;
  ProcessAudio(data, setup, effect);
  if (SendsMidiOut())
    ProcessOutputEvents(data.outputEvents, data.numSamples);
}

void IFxVST3ProcessorBase::ProcessParameterChanges(IParameterChanges* changes) noexcept
{
  if (!changes)
    return;
  const int32 nQueues = changes->getParameterCount();
  for (int32 i = 0; i < nQueues; ++i)
  {
    IParamValueQueue* queue = changes->getParameterData(i);
    if (!queue)
      continue;
    const int32 nPoints = queue->getPointCount();
    if (nPoints <= 0)
      continue;
    int32 offset = 0;
    ParamValue value = 0.;
    if (queue->getPoint(nPoints - 1, offset, value) != kResultOk)
      continue;
    if (!std::isfinite(value))
      continue;
    value = value < 0. ? 0. : (value > 1. ? 1. : value);
    if (offset < 0)
      offset = 0;

    const ParamID id = queue->getParameterId();
    if (id == kBypassParamId)
    {
      SetBypassed(value > 0.5);
    }
    else if (id < static_cast<ParamID>(mOwner.NParams()))
    {
      IParam* param = mOwner.GetParam(static_cast<int>(id));
      param->Set(param->FromNormalized(value));
      mOwner.OnParamChange(static_cast<int>(id), kChangeHost, offset);
    }
    else if (TakesMidiIn() && id >= kMidiCCParamStartId && id < kMidiCCParamStartId + kMidiCCParamsPerChannel)
    {
      // Only channel 1's controller parameters exist.
      const int n = static_cast<int>(id - kMidiCCParamStartId);
      IMidiMessage msg;
      msg.offset = offset;
      if (n == 128)
      {
        msg.status = 0xD0;
        msg.data1 = static_cast<uint8_t>(value * 127.);
      }
      else if (n == 129)
      {
        int v = 8192 - static_cast<int>((2. * value - 1.) * -8192.);
        v = v < 0 ? 0 : (v > 16383 ? 16383 : v);
        msg.status = 0xE0;
        msg.data1 = static_cast<uint8_t>(v & 0x7F);
        msg.data2 = static_cast<uint8_t>(v >> 7);
      }
      else
      {
        msg.status = 0xB0;
        msg.data1 = static_cast<uint8_t>(n);
        msg.data2 = static_cast<uint8_t>(value * 127.);
      }
      mOwner.midiToEditorRing.Push(msg);
      ProcessMidiMessage(msg);
    }
    // Anything else (the preset-list id, unknown ids) is ignored.
  }
}

void IFxVST3ProcessorBase::ProcessInputEvents(IEventList* events) noexcept
{
  if (events)
  {
    const int32 n = events->getEventCount();
    for (int32 i = 0; i < n; ++i)
    {
      Event e;
      std::memset(&e, 0, sizeof(e));
      if (events->getEvent(i, e) != kResultOk)
        continue;
      auto toByte = [](double v) -> uint8_t {
        if (!(v > 0.))
          return 0;
        return static_cast<uint8_t>(v >= 1. ? 127 : static_cast<int>(v * 127.));
      };
      IMidiMessage msg;
      msg.offset = e.sampleOffset < 0 ? 0 : e.sampleOffset;
      switch (e.type)
      {
        case Event::kNoteOnEvent:
          msg.status = static_cast<uint8_t>(0x90 | (e.noteOn.channel & 0x0F));
          msg.data1 = static_cast<uint8_t>(e.noteOn.pitch & 0x7F);
          msg.data2 = toByte(e.noteOn.velocity);
          break;
        case Event::kNoteOffEvent:
          msg.status = static_cast<uint8_t>(0x80 | (e.noteOff.channel & 0x0F));
          msg.data1 = static_cast<uint8_t>(e.noteOff.pitch & 0x7F);
          break;
        case Event::kPolyPressureEvent:
          msg.status = static_cast<uint8_t>(0xA0 | (e.polyPressure.channel & 0x0F));
          msg.data1 = static_cast<uint8_t>(e.polyPressure.pitch & 0x7F);
          msg.data2 = toByte(e.polyPressure.pressure);
          break;
        case Event::kDataEvent:
          if (e.data.bytes && e.data.size > 0 && e.data.size < 0x7FFFFFFFu)
            ProcessSysExMessage(ISysExMessage(msg.offset, e.data.bytes, static_cast<int32_t>(e.data.size)));
          continue;
        default: continue;
      }
      ProcessMidiMessage(msg);
      mOwner.midiToEditorRing.Push(msg);
    }
  }
  IMidiMessage fromEditor;
  while (mOwner.midiFromEditorRing.Pop(fromEditor))
    ProcessMidiMessage(fromEditor);
}

int IFxVST3ProcessorBase::ConnectBus(EBusDirection dir, int first, const AudioBusBuffers& bus, bool is64,
                                     bool allowed) noexcept
{
  const int room = NChannels(dir) - first;
  int n = bus.numChannels;
  n = n < 0 ? 0 : (n > room ? (room < 0 ? 0 : room) : n);
  for (int i = 0; i < n; ++i)
  {
    void* buffer = nullptr;
    if (is64)
      buffer = bus.channelBuffers64 ? bus.channelBuffers64[i] : nullptr;
    else
      buffer = bus.channelBuffers32 ? bus.channelBuffers32[i] : nullptr;
    const bool connected = allowed && buffer;
    SetChannelConnections(dir, first + i, 1, connected);
    if (!connected)
      continue;
    if (is64)
    {
      double* b = static_cast<double*>(buffer);
      AttachBuffers(dir, first + i, 1, &b, 1);
    }
    else
    {
      float* b = static_cast<float*>(buffer);
      AttachBuffers(dir, first + i, 1, &b, 1);
    }
  }
  return n;
}

void IFxVST3ProcessorBase::ProcessAudio(ProcessData& data, const ProcessSetup& setup,
                                        SingleComponentEffect& effect) noexcept
{
  const int32 sampleSize = data.symbolicSampleSize;
  if (sampleSize != kSample32 && sampleSize != kSample64)
    return;
  const bool is64 = sampleSize == kSample64;
  // A host that breaks its own maximum more likely has buffers of that size
  // than larger ones: the frames past it are left alone, never written.
  const int32 frames = data.numSamples < setup.maxSamplesPerBlock ? data.numSamples : setup.maxSamplesPerBlock;

  // Every block starts from nothing connected: a buffer the host gave in an
  // earlier block is never reached again.
  SetChannelConnections(kInput, 0, NChannels(kInput), false);
  SetChannelConnections(kOutput, 0, NChannels(kOutput), false);

  if (data.inputs && data.numInputs > 0)
  {
    ConnectBus(kInput, 0, data.inputs[0], is64, true);
    if (data.numInputs >= 2 && mSideChainFirstChannel > 0)
    {
      Bus* sideChain = effect.getBusList(kAudio, kInput)->at(1);
      const bool active = sideChain && sideChain->isActive();
      if (active)
        ConnectBus(kInput, mSideChainFirstChannel, data.inputs[1], is64, true);
      mSideChainWasActive = active;
    }
  }

  if (data.outputs && data.numOutputs > 0)
  {
    BusList* outBuses = effect.getBusList(kAudio, kOutput);
    int first = 0;
    for (int32 b = 0; b < data.numOutputs && first < NChannels(kOutput); ++b)
    {
      Bus* bus = outBuses->at(b);
      const bool active = bus && bus->isActive();
      first += ConnectBus(kOutput, first, data.outputs[b], is64, active);
    }
  }

  ProcessAttachedBuffers(frames, IsBypassed());
}

bool IFxVST3ProcessorBase::EmitMidiMessage(const IMidiMessage& msg) noexcept
{
  // Without a MIDI output nothing would ever send or drop these.
  if (!SendsMidiOut())
    return false;
  return mMidiOutputQueue.Add(msg);
}

void IFxVST3ProcessorBase::ProcessOutputEvents(IEventList* events, int nFrames) noexcept
{
  if (events)
  {
    for (int i = 0; i < mMidiOutputQueue.Count(); ++i)
    {
      const IMidiMessage& msg = *mMidiOutputQueue.Peek(i);
      Event e;
      std::memset(&e, 0, sizeof(e));
      e.busIndex = 0;
      e.sampleOffset = msg.offset;
      const int16 channel = static_cast<int16>(msg.Channel());
      bool send = true;
      switch (msg.StatusKind())
      {
        case 0x9:
          e.type = Event::kNoteOnEvent;
          e.noteOn.channel = channel;
          e.noteOn.pitch = msg.data1;
          e.noteOn.velocity = msg.data2 / 127.f;
          e.noteOn.noteId = -1;
          break;
        case 0x8:
          e.type = Event::kNoteOffEvent;
          e.noteOff.channel = channel;
          e.noteOff.pitch = msg.data1;
          e.noteOff.velocity = msg.data2 / 127.f;
          e.noteOff.noteId = -1;
          break;
        case 0xA: SetLegacyCC(e, kCtrlPolyPressure, channel, msg.data1, msg.data2); break;
        case 0xD: SetLegacyCC(e, kAfterTouch, channel, msg.data1, msg.data2); break;
        case 0xC: SetLegacyCC(e, kCtrlProgramChange, channel, msg.data1, 0); break;
        case 0xB: SetLegacyCC(e, msg.data1, channel, msg.data2, 0); break;
        case 0xE:
          // Hosts read pitch bend as the 7 low bits in value, the 7 high in value2.
          SetLegacyCC(e, kPitchBend, channel, msg.data1, msg.data2);
          break;
        default: send = false; break;
      }
      if (send)
        events->addEvent(e);
    }
  }
  for (int i = mMidiOutputQueue.Count(); i > 0; --i)
    mMidiOutputQueue.Remove();
  mMidiOutputQueue.Flush(nFrames);

  while (mOwner.sysExFromEditorRing.Pop(mSysExStaging))
  {
    if (!events)
      continue;
    Event e;
    std::memset(&e, 0, sizeof(e));
    e.busIndex = 0;
    e.sampleOffset = mSysExStaging.offset;
    e.type = Event::kDataEvent;
    e.data.type = DataEvent::kMidiSysEx;
    e.data.size = static_cast<uint32>(mSysExStaging.size);
    e.data.bytes = mSysExStaging.data;
    events->addEvent(e);
  }
}

} // namespace ifx
