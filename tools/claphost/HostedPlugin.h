#pragma once
// One plug-in instance as the test host drives it. Lifetime calls run on the
// main thread, processing on the host's audio thread, always in the order
// the standard prescribes, so that anything odd comes from the plug-in.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "abi/clap/Clap.h"
#include "claphost/HostEvents.h"
#include "claphost/TestHost.h"

namespace claphost {

class HostedPlugin
{
public:
  // Creates through the factory; Valid() tells whether it worked.
  HostedPlugin(const clap_plugin_factory_t* factory, TestHost& host, const char* pluginId);
  // Takes over an instance created elsewhere (tests that build the plug-in
  // object directly).
  HostedPlugin(const clap_plugin_t* plugin, TestHost& host);
  // Deactivates and destroys what is still alive.
  ~HostedPlugin();
  HostedPlugin(const HostedPlugin&) = delete;
  HostedPlugin& operator=(const HostedPlugin&) = delete;

  bool Valid() const noexcept { return mPlugin != nullptr; }
  const clap_plugin_t* Clap() const noexcept { return mPlugin; }
  TestHost& Host() noexcept { return mHost; }

  bool Init();
  const void* Extension(const char* id) const;
  template <class T>
  const T* Ext(const char* id) const { return static_cast<const T*>(Extension(id)); }

  bool Activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames);
  void Deactivate();
  void Destroy();
  bool IsActive() const noexcept { return mActive; }

  // Audio thread only (inside TestHost::RunOnAudioThread).
  bool StartProcessing();
  void StopProcessing();
  void Reset();
  // Stereo in, stereo out. Pointers may be null to test a host that passes none.
  clap_process_status Process32(float* const* in, uint32_t nIn, float* const* out, uint32_t nOut, uint32_t frames,
                                const InputEvents* events, OutputEvents* outEvents,
                                const clap_event_transport_t* transport = nullptr);
  clap_process_status Process64(double* const* in, uint32_t nIn, double* const* out, uint32_t nOut,
                                uint32_t frames, const InputEvents* events, OutputEvents* outEvents,
                                const clap_event_transport_t* transport = nullptr);
  clap_process_status ProcessRecord(const clap_process_t& process);

  // Main thread: answers on_main_thread requests and, while not processing,
  // the plug-in's flush requests; processing does not start while a flush
  // runs. Returns how many calls it made.
  int PumpMainThread(OutputEvents* flushed = nullptr);

  // ---- conveniences over the extensions -----------------------------------------
  bool GetParamValue(clap_id id, double& value) const;
  std::vector<double> AllParamValues() const;
  // Host stream that accepts at most maxPerWrite bytes per write call.
  bool SaveState(std::vector<uint8_t>& out, size_t maxPerWrite = SIZE_MAX) const;
  // Host stream that hands out at most piece bytes per read call.
  bool LoadState(const std::vector<uint8_t>& in, size_t piece = SIZE_MAX) const;

private:
  // One stereo buffer each way, either sample width.
  clap_process_status ProcessBuffers(const clap_audio_buffer_t& inBuf, clap_audio_buffer_t& outBuf, uint32_t frames,
                                     const InputEvents* events, OutputEvents* outEvents,
                                     const clap_event_transport_t* transport);

  TestHost& mHost;
  const clap_plugin_t* mPlugin = nullptr;
  // Whose turn it is: the audio thread's between start and stop processing,
  // or the main thread's while it answers a flush request. The standard
  // never lets the two overlap; the audio thread changes it, the main thread
  // reads it.
  enum Phase : int
  {
    kStopped,
    kProcessing,
    kFlushing
  };

  bool mInitCalled = false;
  bool mActive = false;
  std::atomic<int> mPhase{kStopped};
  int64_t mSteadyTime = 0;
};

} // namespace claphost
