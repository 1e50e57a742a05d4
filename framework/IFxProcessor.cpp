#include "framework/IFxProcessor.h"

#include "base/DebugAssert.h"
#include "base/FlushBelowFloatRange.h"
#include "base/IMidiMessage.h"
#include "base/IPluginConfiguration.h"
#include "base/IString.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace ifx {

IFxProcessor::IFxProcessor(const IPluginConfiguration& config)
  : mPluginKind(config.pluginKind)
  , mTakesMidiIn(config.takesMidiIn)
  , mSendsMidiOut(config.sendsMidiOut)
  , mProcessorOption(config.processorOption)
  , mLatency(std::max(0, config.latency))
{
  ParseChannelLayoutText(config.channelLayoutText, mChannelLayouts, mTotalInChannels, mTotalOutChannels, mTotalInBuses,
                         mTotalOutBuses);
  // "*" buses make negative sums; such a side has no fixed channels here.
  mTotalInChannels = std::max(0, mTotalInChannels);
  mTotalOutChannels = std::max(0, mTotalOutChannels);

  mInputPtrs.assign(static_cast<size_t>(mTotalInChannels), nullptr);
  mOutputPtrs.assign(static_cast<size_t>(mTotalOutChannels), nullptr);
  mInputChannels.resize(static_cast<size_t>(mTotalInChannels));
  mOutputChannels.resize(static_cast<size_t>(mTotalOutChannels));
  for (size_t i = 0; i < mInputChannels.size(); ++i)
    mInputChannels[i].slot = &mInputPtrs[i];
  for (size_t i = 0; i < mOutputChannels.size(); ++i)
    mOutputChannels[i].slot = &mOutputPtrs[i];
}

IFxProcessor::~IFxProcessor() = default;

// ---- Virtual operations --------------------------------------------------------

void IFxProcessor::ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept
{
  if (!outputs || nFrames <= 0)
    return;
  const size_t bytes = sizeof(double) * static_cast<size_t>(nFrames);
  for (int c = 0; c < mTotalOutChannels; ++c)
  {
    double* out = outputs[c];
    if (!out)
      continue;
    const double* in = (inputs && c < mTotalInChannels) ? inputs[c] : nullptr;
    if (in)
    {
      if (in != out)
        std::memmove(out, in, bytes);
    }
    else
      std::memset(out, 0, bytes);
  }
}

void IFxProcessor::ProcessMidiMessage(const IMidiMessage& msg) noexcept { EmitMidiMessage(msg); }

bool IFxProcessor::EmitMidiMessages(const IMidiMessage* msgs, int count) noexcept
{
  bool all = true;
  for (int i = 0; msgs && i < count; ++i)
    all = EmitMidiMessage(msgs[i]) && all;
  return all;
}

void IFxProcessor::GetBusName(EBusDirection dir, int busIdx, int nBuses, IString& out) const
{
  if (dir == kOutput)
  {
    if (nBuses == 1)
      out.Set("Output");
    else
      out.SetFormatted(32, "Output %i", busIdx);
    return;
  }
  if (nBuses == 1)
    out.Set("Input");
  else if (nBuses == 2)
    out.Set(busIdx == 0 ? "Main" : "Aux");
  else
    out.SetFormatted(32, "Input %i", busIdx);
}

void IFxProcessor::SetLatency(int samples)
{
  mLatency = std::max(0, samples);
  if (HasLatencyDelayLine())
    ResizeDelayLine(mLatency);
}

void IFxProcessor::SetTailSize(int samples) { mTailSize.store(samples, std::memory_order_relaxed); }

// ---- Configuration -------------------------------------------------------------

const IChannelLayout* IFxProcessor::GetChannelLayout(int idx) const noexcept
{
  if (idx < 0 || idx >= NChannelLayouts())
    return nullptr;
  return mChannelLayouts[static_cast<size_t>(idx)].get();
}

int IFxProcessor::MaxBusCount(EBusDirection dir, int* configIdx) const noexcept
{
  int best = 0;
  int bestIdx = 0;
  for (int i = 0; i < NChannelLayouts(); ++i)
  {
    const int n = mChannelLayouts[static_cast<size_t>(i)]->NBuses(dir);
    if (n >= best)
    {
      best = n;
      bestIdx = i;
    }
  }
  if (configIdx)
    *configIdx = bestIdx;
  return best;
}

int IFxProcessor::FindChannelLayout(const int* inBusChannels, int nInBuses, const int* outBusChannels,
                                    int nOutBuses) const noexcept
{
  if ((nInBuses > 0 && !inBusChannels) || (nOutBuses > 0 && !outBusChannels))
    return -1;
  for (int i = 0; i < NChannelLayouts(); ++i)
  {
    const IChannelLayout& layout = *mChannelLayouts[static_cast<size_t>(i)];
    if (layout.NBuses(kInput) != nInBuses || layout.NBuses(kOutput) != nOutBuses)
      continue;
    bool match = true;
    for (int b = 0; match && b < nInBuses; ++b)
      match = layout.BusChannels(kInput, b) == inBusChannels[b];
    for (int b = 0; match && b < nOutBuses; ++b)
      match = layout.BusChannels(kOutput, b) == outBusChannels[b];
    if (match)
      return i;
  }
  return -1;
}

int IFxProcessor::MaxMainBusChannels() const noexcept
{
  if (const IChannelLayout* first = GetChannelLayout(0))
  {
    for (int b = 0; b < first->NBuses(kInput); ++b)
      if (first->BusChannels(kInput, b) < 0)
        return -1;
  }
  int widest = 0;
  for (const auto& layout : mChannelLayouts)
    widest = std::max(widest, layout->BusChannels(kInput, 0));
  return widest;
}

// ---- Rates and sizes -------------------------------------------------------------

bool IFxProcessor::SetSampleRate(double rate) noexcept
{
  if (!std::isfinite(rate) || rate <= 0.0)
    return false;
  mSampleRate = rate;
  return true;
}

bool IFxProcessor::SetBlockSize(int size)
{
  size = std::max(0, size);
  if (size == mBlockSize && mScratchFrames == size)
    return true;
  // Every buffer is made before anything changes: processing slices blocks
  // by mScratchFrames, so it must never name a size the buffers lack.
  std::vector<std::vector<double>> fresh;
  try
  {
    fresh.resize(mInputChannels.size() + mOutputChannels.size());
    for (std::vector<double>& buffer : fresh)
      buffer.assign(static_cast<size_t>(size), 0.0);
  }
  catch (const std::bad_alloc&)
  {
    return false;
  }
  size_t next = 0;
  for (auto* channels : {&mInputChannels, &mOutputChannels})
  {
    for (IChannelData& ch : *channels)
    {
      ch.conversion.swap(fresh[next++]);
      ch.hostBuffer = nullptr;
      *ch.slot = size > 0 ? ch.conversion.data() : nullptr;
    }
  }
  mBlockSize = size;
  mScratchFrames = size;
  return true;
}

// ---- Channels ----------------------------------------------------------------------

IChannelData* IFxProcessor::GetChannelData(EBusDirection dir, int idx) noexcept
{
  auto& channels = Channels(dir);
  if (idx < 0 || idx >= static_cast<int>(channels.size()))
    return nullptr;
  return &channels[static_cast<size_t>(idx)];
}

const IChannelData* IFxProcessor::GetChannelData(EBusDirection dir, int idx) const noexcept
{
  const auto& channels = Channels(dir);
  if (idx < 0 || idx >= static_cast<int>(channels.size()))
    return nullptr;
  return &channels[static_cast<size_t>(idx)];
}

bool IFxProcessor::IsChannelConnected(EBusDirection dir, int idx) const noexcept
{
  const IChannelData* ch = GetChannelData(dir, idx);
  return ch && ch->connected;
}

int IFxProcessor::NConnectedChannels(EBusDirection dir) const noexcept
{
  int n = 0;
  for (const IChannelData& ch : Channels(dir))
    n += ch.connected ? 1 : 0;
  return n;
}

void IFxProcessor::SetChannelLabel(EBusDirection dir, int idx, const char* label)
{
  if (IChannelData* ch = GetChannelData(dir, idx))
    ch->label = label ? label : "";
}

void IFxProcessor::SetChannelConnections(EBusDirection dir, int first, int count, bool connected) noexcept
{
  auto& channels = Channels(dir);
  const int begin = std::max(0, first);
  const int end = std::min(static_cast<int>(channels.size()), first + std::max(0, count));
  for (int i = begin; i < end; ++i)
  {
    IChannelData& ch = channels[static_cast<size_t>(i)];
    ch.connected = connected;
    ch.hostBuffer = nullptr;
    ch.hostIsFloat = false;
    *ch.slot = ch.conversion.empty() ? nullptr : ch.conversion.data();
  }
}

template <class T>
static void AttachTo(std::vector<IChannelData>& channels, int first, int count, T* const* buffers, int nBuffers,
                     bool isFloat) noexcept
{
  const int begin = std::max(0, first);
  const int end = std::min(static_cast<int>(channels.size()), first + std::max(0, count));
  int next = 0;
  for (int i = begin; i < end; ++i)
  {
    IChannelData& ch = channels[static_cast<size_t>(i)];
    if (!ch.connected)
      continue;
    T* buf = (buffers && next < nBuffers) ? buffers[next] : nullptr;
    ++next;
    if (!buf)
    {
      ch.hostBuffer = nullptr;
      continue;
    }
    ch.hostBuffer = buf;
    ch.hostIsFloat = isFloat;
  }
}

void IFxProcessor::AttachBuffers(EBusDirection dir, int first, int count, double* const* buffers, int nBuffers) noexcept
{
  AttachTo(Channels(dir), first, count, buffers, nBuffers, false);
}

void IFxProcessor::AttachBuffers(EBusDirection dir, int first, int count, float* const* buffers, int nBuffers) noexcept
{
  AttachTo(Channels(dir), first, count, buffers, nBuffers, true);
}

void IFxProcessor::PointAtSlice(int offset, int frames) noexcept
{
  // Every channel's scratch buffer holds a whole slice.
  MURKWISP_ASSERT(offset >= 0 && frames >= 0 && frames <= mScratchFrames);
  for (IChannelData& ch : mInputChannels)
  {
    if (!ch.hostBuffer)
    {
      // An input the host does not feed reads silence, never audio that
      // an earlier block converted into its scratch buffer.
      std::fill_n(ch.conversion.data(), frames, 0.0);
      *ch.slot = ch.conversion.data();
    }
    else if (ch.hostIsFloat)
    {
      CastCopyFloatToDouble(ch.conversion.data(), static_cast<const float*>(ch.hostBuffer) + offset, frames);
      *ch.slot = ch.conversion.data();
    }
    else
      *ch.slot = static_cast<double*>(ch.hostBuffer) + offset;
  }
  for (IChannelData& ch : mOutputChannels)
  {
    if (ch.hostBuffer && !ch.hostIsFloat)
      *ch.slot = static_cast<double*>(ch.hostBuffer) + offset;
    else
    {
      // A processor may leave an output it was not given alone; whatever
      // reads it next (a meter, the 32-bit copy) then sees silence, not an
      // earlier block.
      std::fill_n(ch.conversion.data(), frames, 0.0);
      *ch.slot = ch.conversion.data();
    }
  }
}

void IFxProcessor::SilenceAttachedOutputs(int nFrames) noexcept
{
  for (IChannelData& ch : mOutputChannels)
  {
    if (!ch.hostBuffer)
      continue;
    if (ch.hostIsFloat)
      std::fill_n(static_cast<float*>(ch.hostBuffer), nFrames, 0.0f);
    else
      std::fill_n(static_cast<double*>(ch.hostBuffer), nFrames, 0.0);
  }
}

void IFxProcessor::ProcessAttachedBuffers(int nFrames, bool bypassed) noexcept
{
  nFrames = std::max(0, nFrames);
  if (mScratchFrames <= 0)
  {
    SilenceAttachedOutputs(nFrames);
    return;
  }

  int offset = 0;
  do
  {
    const int frames = std::min(mScratchFrames, nFrames - offset);
    PointAtSlice(offset, frames);
    if (bypassed)
      ProcessBypassed(offset, frames);
    else
    {
      // The line holds the last inputs all the time, so bypass starts with
      // the input of exactly one latency ago, never with a stale one.
      FeedDelayLine(frames);
      ProcessBlock(InputPointers(), OutputPointers(), frames);
    }
    for (IChannelData& ch : mOutputChannels)
    {
      if (!ch.hostBuffer)
        continue;
      if (ch.hostIsFloat)
        CastCopyDoubleToFloat(static_cast<float*>(ch.hostBuffer) + offset, ch.conversion.data(), frames);
      else
        FlushBelowFloatRange(static_cast<double*>(ch.hostBuffer) + offset, frames);
    }
    offset += frames;
  } while (offset < nFrames);
}

// ---- Bypass path ---------------------------------------------------------------------

bool IFxProcessor::MakeLatencyDelayLine()
{
  mDelay.lanes = mTotalInChannels;
  if (mDelay.lanes <= 0)
    return false;
  mDelay.length = 0;
  return ResizeDelayLine(mLatency);
}

bool IFxProcessor::ResizeDelayLine(int length)
{
  mDelay.pos = 0;
  const size_t n = static_cast<size_t>(mDelay.lanes) * static_cast<size_t>(std::max(0, length));
  if (n != 0 && mDelay.buffer && length == mDelay.length)
  {
    // Hosts reset on the audio thread (VST3 setProcessing(false), a CLAP
    // reset): the same length is cleared in place, never reallocated.
    std::fill_n(mDelay.buffer.get(), n, 0.0);
    return true;
  }
  if (n == 0)
  {
    mDelay.buffer.reset();
    mDelay.length = 0;
    return true;
  }
  std::unique_ptr<double[]> fresh(new (std::nothrow) double[n]);
  if (!fresh)
  {
    // Without memory the bypass falls back to a plain copy.
    mDelay.buffer.reset();
    mDelay.length = 0;
    return false;
  }
  std::fill_n(fresh.get(), n, 0.0);
  mDelay.buffer = std::move(fresh);
  mDelay.length = length;
  return true;
}

void IFxProcessor::CopyThroughDelayLine(int nFrames) noexcept
{
  double** in = InputPointers();
  double** out = OutputPointers();
  const int channels = std::min(std::min(mDelay.lanes, mTotalInChannels), mTotalOutChannels);
  const int len = mDelay.length;
  int pos = mDelay.pos;
  for (int j = 0; j < nFrames; ++j)
  {
    for (int c = 0; c < channels; ++c)
    {
      if (!in[c] || !out[c])
        continue;
      double& cell = mDelay.buffer[static_cast<size_t>(c) * static_cast<size_t>(len) + static_cast<size_t>(pos)];
      const double x = in[c][j]; // read first: buffers may be in place
      out[c][j] = cell;
      cell = x;
    }
    pos = (pos + 1) % len;
  }
  mDelay.pos = pos;
  for (int c = channels; c < mTotalOutChannels; ++c)
    if (out[c])
      std::fill_n(out[c], nFrames, 0.0);
}

void IFxProcessor::FeedDelayLine(int nFrames) noexcept
{
  double** in = InputPointers();
  if (nFrames <= 0 || !in || mLatency <= 0 || mDelay.length != mLatency || !mDelay.buffer)
    return;
  const int lanes = std::min(mDelay.lanes, mTotalInChannels);
  const int len = mDelay.length;
  int pos = mDelay.pos;
  for (int j = 0; j < nFrames; ++j)
  {
    for (int c = 0; c < lanes; ++c)
      if (in[c])
        mDelay.buffer[static_cast<size_t>(c) * static_cast<size_t>(len) + static_cast<size_t>(pos)] = in[c][j];
    pos = (pos + 1) % len;
  }
  mDelay.pos = pos;
}

void IFxProcessor::ProcessBypassed(int offset, int frames) noexcept
{
  MURKWISP_ASSERT(offset >= 0 && frames >= 0 && frames <= mScratchFrames);
  // The plug-in runs on, unheard, so that leaving bypass is as seamless as
  // entering it: its state has followed the input all along. It writes into
  // the output scratch buffers, leaving the inputs (which may share the host
  // buffers of the outputs) whole for the delay line.
  for (IChannelData& ch : mOutputChannels)
    if (ch.hostBuffer && !ch.hostIsFloat)
    {
      std::fill_n(ch.conversion.data(), frames, 0.0);
      *ch.slot = ch.conversion.data();
    }
  ProcessBlock(InputPointers(), OutputPointers(), frames);
  for (IChannelData& ch : mOutputChannels)
    if (ch.hostBuffer && !ch.hostIsFloat)
      *ch.slot = static_cast<double*>(ch.hostBuffer) + offset;
  CopyInputsToOutputs(frames);
}

void IFxProcessor::CopyInputsToOutputs(int nFrames) noexcept
{
  if (nFrames <= 0 || !OutputPointers())
    return;
  if (mLatency > 0 && mDelay.length == mLatency && mDelay.buffer && InputPointers())
    CopyThroughDelayLine(nFrames);
  else
    IFxProcessor::ProcessBlock(InputPointers(), OutputPointers(), nFrames);
}

void IFxProcessor::CastCopyFloatToDouble(double* dst, const float* src, int n) noexcept
{
  for (int i = 0; i < n; ++i)
    dst[i] = static_cast<double>(src[i]);
}

void IFxProcessor::CastCopyDoubleToFloat(float* dst, const double* src, int n) noexcept
{
  int i = 0;
#if defined(IFX_FLOAT_RANGE_SSE2)
  for (; i + 4 <= n; i += 4)
  {
    const __m128 lo = _mm_cvtpd_ps(FlushBelowFloatRange(_mm_loadu_pd(src + i)));
    const __m128 hi = _mm_cvtpd_ps(FlushBelowFloatRange(_mm_loadu_pd(src + i + 2)));
    _mm_storeu_ps(dst + i, _mm_movelh_ps(lo, hi));
  }
#endif
  for (; i < n; ++i)
    dst[i] = static_cast<float>(FlushBelowFloatRange(src[i]));
}

} // namespace ifx
