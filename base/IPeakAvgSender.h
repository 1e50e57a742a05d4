#pragma once
#include <atomic>
#include <cstdint>
#include "base/IHeapBuf.h"
#include "base/ILockFreeRing.h"
#include "base/ISenderPacket.h"

namespace ifx {

class IEditorDelegate;

// Carries meter packets from the audio thread (producer) to the editor (the
// main thread's timer tick, consumer) through a lock-free ring of 65 slots.
class ISender
{
public:
  static constexpr int kQueueSlots = 65; // 64 packets fit
  static constexpr int kMessageTag = 0;

  ISender() noexcept = default;
  virtual ~ISender() = default;

  // Main thread: hands every queued packet to the delegate's
  // PushControlMessageToUI (control tag, message tag 0, 28 bytes).
  void FlushToUI(IEditorDelegate& dlg);

  int PacketsQueued() const noexcept { return mQueue.ElementsQueued(); }

protected:
  // Called on each packet just before it goes to the editor.
  virtual void PrepareDataForUI(ISenderPacket& packet) {}
  // Audio thread; false when the queue was full (packet dropped).
  bool PushPacket(const ISenderPacket& packet) noexcept { return mQueue.Push(packet); }

private:
  ILockFreeRing<ISenderPacket, kQueueSlots> mQueue;
};

// Turns stereo audio into meter packets: per window of windowMs it takes each
// channel's peak (held for holdMs) and RMS level (smoothed with attack and
// decay times) and queues one packet while the level is above the threshold.
class IPeakAvgSender : public ISender
{
public:
  IPeakAvgSender(double thresholdDb = -90., float windowMs = 5.f, float attackMs = 1.f, float decayMs = 100.f,
                 float holdMs = 500.f);
  ~IPeakAvgSender() override = default;

  // Main thread, processing stopped: sizes the windows for the sample rate.
  void Reset(double sampleRate);

  // Audio thread. Reads channels 0 and 1 of inputs.
  void ProcessBlock(double** inputs, int nFrames, int controlTag) noexcept;

  int GetWindowSize() const noexcept { return mWindowSize; }
  int GetHoldSamples() const noexcept { return mHoldSamples; }
  float GetAttackWindows() const noexcept { return mAttackWindows; }
  float GetDecayWindows() const noexcept { return mDecayWindows; }

private:
  static constexpr int kChannels = ISenderPacket::kChannels;

  // Reset (main thread, processing stopped) and ProcessBlock (audio thread)
  // both touch the window set-up and the held peaks; a host that resets
  // while processing must not tear them, hence the atomics (relaxed).
  float mThresholdGain;
  bool mUseRms = true;
  float mPreviousLevel = 1.f;
  std::atomic<int32_t> mWindowSize{32};
  std::atomic<int32_t> mHoldSamples{65536};
  int32_t mWindowPos = 0;
  float mWindowMs, mAttackMs, mDecayMs, mHoldMs;
  std::atomic<float> mAttackWindows{1.f};
  std::atomic<float> mDecayWindows{4800.f};
  std::atomic<float> mPeak[kChannels]{};
  IHeapBuf mWindowSamples[kChannels];
  std::atomic<int32_t> mHoldCount[kChannels]{};
  float mAverage[kChannels]{};
};

} // namespace ifx
