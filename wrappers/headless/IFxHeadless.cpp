#include "wrappers/headless/IFxHeadless.h"

#include "base/EParamChangeSource.h"
#include "base/IStateChunk.h"

#include <algorithm>

namespace ifx {

IFxHeadless::IFxHeadless(const InstanceInfo& /*info*/, const IPluginConfiguration& config)
  : IFxAPIBase(config), IFxProcessor(config)
{
}

IFxHeadless::~IFxHeadless() = default;

bool IFxHeadless::Setup(double sampleRate, int maxBlockSize)
{
  const bool rateOk = SetSampleRate(sampleRate);
  const bool sizeOk = SetBlockSize(maxBlockSize);
  SetChannelConnections(kInput, 0, NChannels(kInput), true);
  SetChannelConnections(kOutput, 0, NChannels(kOutput), true);
  SetActive(true);
  OnActivate(true);
  OnReset();
  return rateOk && sizeOk;
}

template <class T>
void IFxHeadless::ProcessHost(T* const* inputs, int nIn, T* const* outputs, int nOut, int nFrames,
                              bool bypassed) noexcept
{
  nIn = std::max(0, inputs ? nIn : 0);
  nOut = std::max(0, outputs ? nOut : 0);
  SetChannelConnections(kInput, 0, NChannels(kInput), false);
  SetChannelConnections(kOutput, 0, NChannels(kOutput), false);
  SetChannelConnections(kInput, 0, nIn, true);
  SetChannelConnections(kOutput, 0, nOut, true);
  AttachBuffers(kInput, 0, NChannels(kInput), inputs, nIn);
  AttachBuffers(kOutput, 0, NChannels(kOutput), outputs, nOut);
  ProcessAttachedBuffers(nFrames, bypassed);
}

void IFxHeadless::Process(double* const* inputs, int nIn, double* const* outputs, int nOut, int nFrames,
                          bool bypassed) noexcept
{
  ProcessHost(inputs, nIn, outputs, nOut, nFrames, bypassed);
}

void IFxHeadless::Process(float* const* inputs, int nIn, float* const* outputs, int nOut, int nFrames,
                          bool bypassed) noexcept
{
  ProcessHost(inputs, nIn, outputs, nOut, nFrames, bypassed);
}

bool IFxHeadless::SaveState(IStateChunk& chunk) { return SerializeParams(chunk); }

int IFxHeadless::LoadState(const IStateChunk& chunk)
{
  // A short chunk is refused whole rather than half applied.
  if (chunk.Size() < NParams() * static_cast<int>(sizeof(double)))
    return -1;
  return UnserializeParams(chunk, 0);
}

} // namespace ifx
