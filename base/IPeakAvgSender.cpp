#include "base/IPeakAvgSender.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include "base/IEditorDelegate.h"

namespace ifx {

// ---- ISender ----------------------------------------------------------------

void ISender::FlushToUI(IEditorDelegate& dlg)
{
  ISenderPacket packet;
  while (mQueue.Pop(packet))
  {
    PrepareDataForUI(packet);
    dlg.PushControlMessageToUI(packet.controlTag, kMessageTag, static_cast<int>(sizeof(packet)), &packet);
  }
}

// ---- IPeakAvgSender -----------------------------------------------------------

namespace {

// Zero and subnormal levels become 0: keeps the decay out of denormals.
float FlushTiny(float x) { return std::fpclassify(x) == FP_SUBNORMAL ? 0.f : x; }

int32_t SamplesFor(double ms, double sampleRate)
{
  const double n = std::trunc(ms * 0.001 * sampleRate);
  if (!(n > 0.))
    return 0;
  return n >= INT_MAX ? INT_MAX : static_cast<int32_t>(n);
}

} // namespace

IPeakAvgSender::IPeakAvgSender(double thresholdDb, float windowMs, float attackMs, float decayMs, float holdMs)
  : mThresholdGain(static_cast<float>(std::exp(thresholdDb * 0.1151292546497)))
  , mWindowMs(windowMs)
  , mAttackMs(attackMs)
  , mDecayMs(decayMs)
  , mHoldMs(holdMs)
{
  Reset(48000.);
}

void IPeakAvgSender::Reset(double sampleRate)
{
  const double rate = (std::isfinite(sampleRate) && sampleRate > 0.) ? sampleRate : 0.;

  // A window shorter than one sample (tiny rates or window times) would
  // divide by zero: one sample is the least.
  int32_t windowSize = std::max<int32_t>(1, SamplesFor(mWindowMs, rate));
  // Float samples; keep the count where the byte size stays in 32 bits.
  windowSize = std::min<int32_t>(windowSize, INT_MAX / static_cast<int32_t>(sizeof(float)));

  int32_t held = windowSize;
  for (IHeapBuf& buf : mWindowSamples)
  {
    buf.Resize(windowSize * static_cast<int>(sizeof(float)), true);
    held = std::min<int32_t>(held, buf.GetSize() / static_cast<int>(sizeof(float)));
    if (buf.Get())
      std::memset(buf.Get(), 0, static_cast<size_t>(buf.GetSize()));
  }
  // Out of memory: a window of 0 switches metering off rather than writing
  // past the buffers.
  windowSize = held;

  const double windowsPerSecond = windowSize > 0 ? rate / windowSize : 0.;
  mAttackWindows.store(static_cast<float>(mAttackMs * 0.001 * windowsPerSecond), std::memory_order_relaxed);
  mDecayWindows.store(static_cast<float>(mDecayMs * 0.001 * windowsPerSecond), std::memory_order_relaxed);
  const int32_t holdSamples = SamplesFor(mHoldMs, rate);
  mHoldSamples.store(holdSamples, std::memory_order_relaxed);
  for (int c = 0; c < kChannels; ++c)
  {
    mHoldCount[c].store(holdSamples, std::memory_order_relaxed);
    mPeak[c].store(0.f, std::memory_order_relaxed);
  }
  if (windowSize > 0)
    mWindowPos %= windowSize;
  else
    mWindowPos = 0;
  mWindowSize.store(windowSize, std::memory_order_relaxed);
}

void IPeakAvgSender::ProcessBlock(double** inputs, int nFrames, int controlTag) noexcept
{
  const int32_t windowSize = mWindowSize.load(std::memory_order_relaxed);
  if (windowSize < 1 || nFrames < 1 || !inputs || !inputs[0] || !inputs[1])
    return;
  float* window[kChannels] = {mWindowSamples[0].GetAs<float>(), mWindowSamples[1].GetAs<float>()};
  if (!window[0] || !window[1])
    return;

  const int32_t holdSamples = mHoldSamples.load(std::memory_order_relaxed);
  const float attackWindows = mAttackWindows.load(std::memory_order_relaxed);
  const float decayWindows = mDecayWindows.load(std::memory_order_relaxed);
  // The position lives in a local for the loop: a per-frame modulo and a
  // member store were the meter's main cost.
  int32_t pos = mWindowPos >= windowSize || mWindowPos < 0 ? 0 : mWindowPos;
  for (int i = 0; i < nFrames; ++i)
  {
    // The slot follows the running window position, so a window always holds
    // the last windowSize frames, whatever the host's block size.
    // A non-finite sample counts as silence: an infinity in the running
    // average would turn it to NaN for good.
    for (int c = 0; c < kChannels; ++c)
      window[c][pos] = std::isfinite(inputs[c][i]) ? static_cast<float>(inputs[c][i]) : 0.f;

    if (pos != 0)
    {
      if (++pos == windowSize)
        pos = 0;
      continue;
    }

    ISenderPacket packet;
    packet.controlTag = controlTag;
    packet.nChans = kChannels;
    packet.chanOffset = 0;

    for (int c = 0; c < kChannels; ++c)
    {
      double sum = 0.;
      float pk = 0.f;
      for (int j = 0; j < windowSize; ++j)
      {
        const float x = std::fabs(window[c][j]);
        sum += mUseRms ? static_cast<double>(x) * x : x;
        pk = std::max(pk, x);
      }
      double avgD = sum / windowSize;
      if (mUseRms)
        avgD = std::sqrt(avgD);
      const float avg = static_cast<float>(avgD);

      float peak = mPeak[c].load(std::memory_order_relaxed);
      int32_t holdCount = mHoldCount[c].load(std::memory_order_relaxed);
      if (holdCount < 1)
        peak = 0.f;
      if (pk > peak)
      {
        peak = pk;
        holdCount = holdSamples;
      }
      else
      {
        if (holdCount > 0)
          holdCount -= windowSize;
        pk = peak;
      }
      mPeak[c].store(peak, std::memory_order_relaxed);
      mHoldCount[c].store(holdCount, std::memory_order_relaxed);

      float& average = mAverage[c];
      if (avg > average)
        average = attackWindows > 1.f ? (avg - average) / attackWindows + average : avg;
      else if (avg < average)
        average = decayWindows > 1.f ? (avg - average) / decayWindows + average : avg;
      average = FlushTiny(average);

      packet.vals[c][0] = pk;
      packet.vals[c][1] = average;
    }

    if (mPreviousLevel > mThresholdGain)
      PushPacket(packet); // a full queue drops it
    mPreviousLevel = mAverage[0] + mAverage[1];
    if (++pos == windowSize)
      pos = 0;
  }
  mWindowPos = pos;
}

} // namespace ifx
