#pragma once
// Murkwisp's audio: the control mapping, the per-sample ring walk that drives
// the spectral engine every 512 samples, the dry/wet mix and the meters. The
// same for every plug-in format: it reaches the plug-in only through the
// framework's parameter list and processor.
#include <atomic>
#include <cstdint>
#include <memory>

#include "base/IPeakAvgSender.h"
#include "engine/SampleRing.h"
#include "plugin/editor/EditorDisplayValues.h"

namespace ifx {
class IEditorDelegate;
class IFxProcessor;
} // namespace ifx

namespace murkwisp {

namespace engine {
class StftEngine;
}

class MurkwispDsp
{
public:
  static constexpr int kNumChannels = 2;
  static constexpr int kHopSize = 512;
  static constexpr int kLatencySamples = 4096;
  static constexpr float kSilentDb = -60.f;

  // Both are the plug-in object itself, which outlives this.
  MurkwispDsp(const ifx::IEditorDelegate& params, ifx::IFxProcessor& processor);
  ~MurkwispDsp();
  MurkwispDsp(const MurkwispDsp&) = delete;
  MurkwispDsp& operator=(const MurkwispDsp&) = delete;

  // Audio thread: allocation-free, lock-free.
  void ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept;
  // Processing set up or stopped: back to silence, latency 4096. Both this
  // and every block hand the processor the tail of the current settings.
  void Reset();
  // Main thread, every timer tick: meter packets to the editor.
  void FlushMetersToEditor(ifx::IEditorDelegate& editor);

  // Left behind by the last block for the editor's draw functions; read
  // without a lock from the main thread.
  EditorDisplayValues DisplayValues() const noexcept { return {&mDisplayTempo, &mInputPeakDB, &mOutputPeakDB}; }
  float GetDisplayTempo() const noexcept { return mDisplayTempo.load(std::memory_order_relaxed); }
  float GetInputPeakDB() const noexcept { return mInputPeakDB.load(std::memory_order_relaxed); }
  float GetOutputPeakDB() const noexcept { return mOutputPeakDB.load(std::memory_order_relaxed); }

  const engine::StftEngine& GetEngine() const noexcept { return *mEngine; }
  int GetRingWritePos() const noexcept { return mRingWritePos; }
  int GetHopCounter() const noexcept { return mHopCounter; }

private:
  // The block's controls from the parameters, and the tail they give.
  void UpdateEngineControls(double& inputGain, double& outputGain, double& mix) noexcept;
  // The samples the output may go on sounding (above -120 dBFS, for input up
  // to +24 dBFS) after the input falls silent, with the engine's controls as
  // set; IFxProcessor::kInfiniteTailSize for settings that never end.
  int TailSamples(double outputGain, double mix) const noexcept;

  const ifx::IEditorDelegate& mParams;
  ifx::IFxProcessor& mProcessor;
  ifx::IPeakAvgSender mInputSender;
  ifx::IPeakAvgSender mOutputSender;
  // Single 32-bit stores; relaxed atomics so the editor's unlocked reads are defined.
  std::atomic<float> mDisplayTempo{120.f};
  std::atomic<float> mInputPeakDB{kSilentDb};
  std::atomic<float> mOutputPeakDB{kSilentDb};
  std::unique_ptr<engine::SampleRing> mInputRings[kNumChannels];
  std::unique_ptr<engine::SampleRing> mOutputRings[kNumChannels];
  std::unique_ptr<engine::StftEngine> mEngine;
  int32_t mRingWritePos = 0;
  int32_t mHopCounter = 0;
};

} // namespace murkwisp
