#pragma once
// The wrapper for running the plug-in without a host: native tests, tools and
// benchmarks construct, feed, save and restore the plug-in through it.
#include "framework/IFxAPIBase.h"
#include "framework/IFxProcessor.h"

namespace ifx {

class IStateChunk;

// What a headless instance is created with: nothing beyond the configuration.
struct InstanceInfo
{};

class IFxHeadless
  : public IFxAPIBase
  , public IFxProcessor
{
public:
  IFxHeadless(const InstanceInfo& info, const IPluginConfiguration& config);
  ~IFxHeadless() override;

  // Host set-up: rate (a bad rate is refused and the previous one kept, false),
  // maximum block size, every channel connected, activation and reset.
  bool Setup(double sampleRate, int maxBlockSize);

  // Host process calls over non-interleaved buffers (any length: longer blocks
  // run in slices of the maximum block size). nIn/nOut host channels are
  // connected in order; processor channels beyond them stay unconnected.
  void Process(double* const* inputs, int nIn, double* const* outputs, int nOut, int nFrames,
               bool bypassed = false) noexcept;
  void Process(float* const* inputs, int nIn, float* const* outputs, int nOut, int nFrames,
               bool bypassed = false) noexcept;

  // Host state: the parameter serialisation. LoadState returns the position
  // after the values, or -1 when the data runs short.
  bool SaveState(IStateChunk& chunk);
  int LoadState(const IStateChunk& chunk);

private:
  template <class T>
  void ProcessHost(T* const* inputs, int nIn, T* const* outputs, int nOut, int nFrames, bool bypassed) noexcept;
};

} // namespace ifx
