#pragma once
#include "base/IPeakAvgSender.h"
#include "plugin/MurkwispParams.h"
#include "engine/SampleRing.h"

// The format wrapper this build of the plug-in stands on: the format library
// it is linked with names it (ifx::IFxVST3, ifx::IFxCLAP or, with no host,
// ifx::IFxHeadless) and its header. Each wrapper header also defines
// ifx::InstanceInfo, the creation arguments the constructor hands on.
#if !defined(MURKWISP_PLUGIN_API) || !defined(MURKWISP_PLUGIN_API_HEADER)
#error "link the plug-in with one format library (vst3, clap or headless)"
#endif
#include MURKWISP_PLUGIN_API_HEADER

namespace ifx {
using IFxPluginApi = MURKWISP_PLUGIN_API;
}

#include <atomic>
#include <cstdint>
#include <memory>

class StftEngine;

namespace ifx {
namespace igfx {
class IGfx;
}
struct IPluginConfiguration;
}

// The Murkwisp plug-in: a spectral pitch-shifting reverb. One object is the
// processor, the controller and the editor delegate.
class Murkwisp final : public ifx::IFxPluginApi
{
public:
  static constexpr int kNumChannels = 2;
  static constexpr int kHopSize = 512;
  static constexpr int kLatencySamples = 4096;
  static constexpr float kSilentDb = -60.f;

  explicit Murkwisp(const ifx::InstanceInfo& info);
  ~Murkwisp() override;

  // The record handed to the framework constructors.
  static ifx::IPluginConfiguration MakeConfig();

  // Audio thread: allocation-free, lock-free.
  void ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept override;
  // Processing set up or stopped: back to silence, latency 4096.
  void OnReset() override;
  // Main thread, every timer tick: meter packets to the editor.
  void OnIdle() override;

  // Editor seam (plugin/MurkwispEditorHooks.cpp).
  ifx::igfx::IGfx* CreateEditorGraphics();
  void LayoutEditor(ifx::igfx::IGfx* gfx);

  // Left behind by the last block for the editor's draw functions; read
  // without a lock from the main thread.
  float GetDisplayTempo() const noexcept { return displayTempo.load(std::memory_order_relaxed); }
  float GetInputPeakDB() const noexcept { return mInputPeakDB.load(std::memory_order_relaxed); }
  float GetOutputPeakDB() const noexcept { return mOutputPeakDB.load(std::memory_order_relaxed); }

  const StftEngine& GetEngine() const noexcept { return *engine; }
  int GetRingWritePos() const noexcept { return ringWritePos; }
  int GetHopCounter() const noexcept { return hopCounter; }

private:
  void UpdateEngineControls(double& inputGain, double& outputGain, double& mix) noexcept;

  ifx::IPeakAvgSender inputSender;
  ifx::IPeakAvgSender outputSender;
  // Single 32-bit stores; relaxed atomics so the editor's unlocked reads are defined.
  std::atomic<float> displayTempo{120.f};
  std::atomic<float> mInputPeakDB{kSilentDb};
  std::atomic<float> mOutputPeakDB{kSilentDb};
  std::unique_ptr<SampleRing> inputRings[kNumChannels];
  std::unique_ptr<SampleRing> outputRings[kNumChannels];
  std::unique_ptr<StftEngine> engine;
  int32_t ringWritePos = 0;
  int32_t hopCounter = 0;
};
