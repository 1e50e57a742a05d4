#pragma once
#include <atomic>

namespace ifx {

// Fixed-size ring between exactly one producing and one consuming thread
// (audio <-> main). N slots, one always kept empty, so N - 1 elements fit; a
// push onto a full ring is dropped and reported as false. No allocation, no
// lock: the producer alone writes mWrite, the consumer alone writes mRead.
// The release store of an index publishes the slot it covers to the other
// side, which reads that index with acquire.
template <class T, int N>
class ILockFreeRing
{
  static_assert(N >= 2, "a ring needs at least two slots");

public:
  static constexpr int kSlots = N;
  static constexpr int kCapacity = N - 1;

  ILockFreeRing() noexcept = default;
  ILockFreeRing(const ILockFreeRing&) = delete;
  ILockFreeRing& operator=(const ILockFreeRing&) = delete;

  // Producer side. False (element dropped) when the ring is full.
  bool Push(const T& item) noexcept
  {
    const int w = mWrite.load(std::memory_order_relaxed);
    const int next = w + 1 == N ? 0 : w + 1;
    if (next == mRead.load(std::memory_order_acquire))
      return false;
    mSlots[w] = item;
    mWrite.store(next, std::memory_order_release);
    return true;
  }

  // Consumer side. False when nothing is queued (out untouched).
  bool Pop(T& out) noexcept
  {
    const int r = mRead.load(std::memory_order_relaxed);
    if (r == mWrite.load(std::memory_order_acquire))
      return false;
    out = mSlots[r];
    mRead.store(r + 1 == N ? 0 : r + 1, std::memory_order_release);
    return true;
  }

  // Consumer side: the next element without taking it, null when empty. The
  // pointer stays valid until the consumer pops.
  const T* Peek() const noexcept
  {
    const int r = mRead.load(std::memory_order_relaxed);
    if (r == mWrite.load(std::memory_order_acquire))
      return nullptr;
    return &mSlots[r];
  }

  // Elements queued; exact on either side's own thread, a snapshot elsewhere.
  int ElementsQueued() const noexcept
  {
    const int w = mWrite.load(std::memory_order_acquire);
    const int r = mRead.load(std::memory_order_acquire);
    return w >= r ? w - r : w - r + N;
  }

  bool Empty() const noexcept { return ElementsQueued() == 0; }
  static constexpr int Capacity() noexcept { return kCapacity; }

  // Drops everything queued. Only while neither side is running (reset,
  // construction), or from the consumer side.
  void Clear() noexcept { mRead.store(mWrite.load(std::memory_order_acquire), std::memory_order_release); }

private:
  T mSlots[N]{};
  std::atomic<int> mWrite{0};
  std::atomic<int> mRead{0};
};

} // namespace ifx
