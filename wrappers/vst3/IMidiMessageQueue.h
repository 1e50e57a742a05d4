#pragma once
// Time-ordered queue of outgoing MIDI messages of one block: the plug-in
// adds on the audio thread, the VST3 wrapper sends and drops them at the end
// of the block. Sized for a whole block when processing is set up, so adding
// allocates only when a block brings more than that.
#include <cstdint>
#include <cstdlib>

#include "base/IMidiMessage.h"

namespace ifx {

class IMidiMessageQueue
{
public:
  static constexpr int kDefaultGrowth = 512;

  explicit IMidiMessageQueue(int capacity = kDefaultGrowth, int growthStep = kDefaultGrowth);
  ~IMidiMessageQueue();
  IMidiMessageQueue(const IMidiMessageQueue&) = delete;
  IMidiMessageQueue& operator=(const IMidiMessageQueue&) = delete;

  // Keeps the items ordered by sample offset; equal offsets keep their order
  // of arrival. False when the message was dropped (no room and no growth).
  bool Add(const IMidiMessage& msg) noexcept;

  int Count() const noexcept { return mCount - mFront; }
  bool Empty() const noexcept { return Count() == 0; }
  // i-th unsent item (0 = front); null outside.
  const IMidiMessage* Peek(int i = 0) const noexcept;
  // Marks the front item sent.
  void Remove() noexcept;
  // End of a block: drops the sent items and moves the remaining offsets back
  // by the frames of the block (never below 0).
  void Flush(int nFrames) noexcept;
  void Clear() noexcept { mFront = mCount = 0; }

  // Main thread: growth step and capacity for blocks of up to maxBlockSize
  // frames (a multiple of 512 messages). On failure the old storage stays.
  void Resize(int maxBlockSize) noexcept;

  int Capacity() const noexcept { return mCapacity; }
  int GrowthStep() const noexcept { return mGrowth; }

private:
  void Compact() noexcept;
  bool Reallocate(int capacity) noexcept;

  IMidiMessage* mItems = nullptr;
  int mCapacity = 0;
  int mGrowth = kDefaultGrowth;
  int mFront = 0;
  int mCount = 0;
};

} // namespace ifx
