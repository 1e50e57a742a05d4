#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include "base/ILockFreeRing.h"

using ifx::ILockFreeRing;

namespace {

// Large enough that a torn copy would show as a mismatch.
struct Record
{
  uint64_t seq;
  uint64_t words[7];
};

Record MakeRecord(uint64_t seq)
{
  Record r;
  r.seq = seq;
  for (int i = 0; i < 7; ++i)
    r.words[i] = seq * 0x9E3779B97F4A7C15ull + static_cast<uint64_t>(i);
  return r;
}

bool Intact(const Record& r)
{
  for (int i = 0; i < 7; ++i)
    if (r.words[i] != r.seq * 0x9E3779B97F4A7C15ull + static_cast<uint64_t>(i))
      return false;
  return true;
}

} // namespace

TEST(LockFreeRingStress, ProducerAndConsumerThreads)
{
  static ILockFreeRing<Record, 65> ring;
  std::atomic<bool> stop {false};
  std::atomic<uint64_t> pushed {0}, dropped {0};

  std::thread producer([&] {
    uint64_t seq = 0;
    while (!stop.load(std::memory_order_relaxed))
    {
      if (ring.Push(MakeRecord(seq)))
      {
        ++seq;
        pushed.store(seq, std::memory_order_relaxed);
      }
      else
      {
        dropped.fetch_add(1, std::memory_order_relaxed);
        std::this_thread::yield();
      }
    }
  });

  uint64_t expected = 0, corrupt = 0, outOfOrder = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  Record r {};
  while (std::chrono::steady_clock::now() < end)
  {
    const int queued = ring.ElementsQueued();
    ASSERT_GE(queued, 0);
    ASSERT_LE(queued, 64);
    for (int i = 0; i < 16 && ring.Pop(r); ++i)
    {
      corrupt += Intact(r) ? 0 : 1;
      outOfOrder += r.seq == expected ? 0 : 1;
      expected = r.seq + 1;
    }
  }
  stop.store(true);
  producer.join();
  while (ring.Pop(r))
  {
    corrupt += Intact(r) ? 0 : 1;
    outOfOrder += r.seq == expected ? 0 : 1;
    expected = r.seq + 1;
  }

  EXPECT_EQ(corrupt, 0u);
  EXPECT_EQ(outOfOrder, 0u);
  EXPECT_EQ(expected, pushed.load());   // every accepted record arrived once
  EXPECT_GT(expected, 1000u);
  EXPECT_GT(dropped.load(), 0u);        // the ring did fill up on the way
}
