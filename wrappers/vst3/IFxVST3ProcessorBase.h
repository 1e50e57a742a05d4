#pragma once
// The audio half of the VST3 adapter: buses, processing set-up, and one host
// process call turned into one ProcessBlock (transport, parameter changes,
// MIDI both ways, host buffers, bypass).
#include <atomic>
#include <cstdint>

#include "abi/vst3/SingleComponentEffect.h"
#include "base/ISysEx.h"
#include "framework/IFxProcessor.h"
#include "framework/ITimedQueue.h"

namespace ifx {

class IFxAPIBase;

class IFxVST3ProcessorBase : public IFxProcessor
{
public:
  IFxVST3ProcessorBase(const IPluginConfiguration& config, IFxAPIBase& owner);
  ~IFxVST3ProcessorBase() override;

  // Speaker arrangement for a bus of that many channels (0 when none fits).
  static Steinberg::Vst::SpeakerArrangement GetSpeakerArrangementForChannels(int nChannels) noexcept;
  Steinberg::Vst::SpeakerArrangement GetSpeakerArrangementForBus(EBusDirection dir, int busIdx,
                                                                 const IChannelLayout& layout) const noexcept;

  // Audio and event buses from the channel configurations (initialize).
  void Initialize(Steinberg::Vst::SingleComponentEffect& effect);
  // True when a configuration matches; the audio buses are then rebuilt.
  bool SetBusArrangements(Steinberg::Vst::SingleComponentEffect& effect, Steinberg::Vst::SpeakerArrangement* inputs,
                          int32_t numIns, Steinberg::Vst::SpeakerArrangement* outputs, int32_t numOuts);
  // 32- or 64-bit samples only; the set-up is copied into `kept`.
  bool SetupProcessing(const Steinberg::Vst::ProcessSetup& setup, Steinberg::Vst::ProcessSetup& kept);

  // Audio thread.
  void ProcessVST3(Steinberg::Vst::ProcessData& data, const Steinberg::Vst::ProcessSetup& setup,
                   Steinberg::Vst::SingleComponentEffect& effect) noexcept;

  bool EmitMidiMessage(const IMidiMessage& msg) noexcept override;

  bool IsBypassed() const noexcept { return mBypassed.load(std::memory_order_relaxed); }
  void SetBypassed(bool bypassed) noexcept { mBypassed.store(bypassed, std::memory_order_relaxed); }
  const IMidiMessageQueue& MidiOutputQueue() const noexcept { return mMidiOutputQueue; }

protected:
  void ProcessParameterChanges(Steinberg::Vst::IParameterChanges* changes) noexcept;
  void ProcessInputEvents(Steinberg::Vst::IEventList* events) noexcept;
  void ProcessAudio(Steinberg::Vst::ProcessData& data, const Steinberg::Vst::ProcessSetup& setup,
                    Steinberg::Vst::SingleComponentEffect& effect) noexcept;
  void ProcessOutputEvents(Steinberg::Vst::IEventList* events, int nFrames) noexcept;

private:
  void AddAudioBuses(Steinberg::Vst::SingleComponentEffect& effect, int inConfigIdx, int outConfigIdx);
  // Connects up to the bus's channel count (clamped to the processor's
  // channels from `first`); a channel whose host buffer is null stays
  // disconnected. Returns the channels the bus spans.
  int ConnectBus(EBusDirection dir, int first, const Steinberg::Vst::AudioBusBuffers& bus, bool is64,
                 bool allowed) noexcept;
  void UpdateTimeInfo() noexcept;

  IFxAPIBase& mOwner;
  std::atomic<bool> mBypassed{false};
  int mSideChainFirstChannel = 0;
  bool mSideChainWasActive = false;
  Steinberg::Vst::ProcessContext mProcessContext;
  IMidiMessageQueue mMidiOutputQueue;
  ISysExData mSysExStaging;
};

} // namespace ifx
