#include "framework/ITimedQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> DrainData1(ifx::IMidiMessageQueue& q)
{
  std::vector<int> order;
  while (const ifx::IMidiMessage* m = q.Peek())
  {
    order.push_back(m->data1);
    q.Remove();
  }
  return order;
}

TEST(TimedQueue, OrderedByOffsetWithArrivalOrderForTiesAndGrowsByItsStep)
{
  ifx::IMidiMessageQueue q(4, 4);
  for (const auto& m : {ifx::IMidiMessage(5, 0x90, 1, 1), ifx::IMidiMessage(2, 0x90, 2, 1),
                        ifx::IMidiMessage(5, 0x90, 3, 1), ifx::IMidiMessage(0, 0x90, 4, 1),
                        ifx::IMidiMessage(5, 0x90, 5, 1)})
    EXPECT_TRUE(q.Add(m));
  EXPECT_EQ(q.Capacity(), 8);
  ASSERT_EQ(q.Count(), 5);
  EXPECT_EQ(q.Peek(4)->data1, 5);
  EXPECT_EQ(q.Peek(5), nullptr);
  EXPECT_EQ(q.Peek(-1), nullptr);
  EXPECT_EQ(DrainData1(q), (std::vector<int>{4, 2, 1, 3, 5}));
  EXPECT_TRUE(q.Empty());
}

// The end of a block drops what was sent; the rest count from the next
// block's start, and an item already due goes out at its first sample.
TEST(TimedQueue, FlushKeepsTheUnsentForTheNextBlockNeverBeforeItsStart)
{
  ifx::IMidiMessageQueue q(2, 2);
  for (const auto& m : {ifx::IMidiMessage(10, 0x90, 1, 1), ifx::IMidiMessage(5, 0x90, 2, 1),
                        ifx::IMidiMessage(5, 0x90, 3, 1), ifx::IMidiMessage(7, 0x90, 4, 1)})
    q.Add(m);
  q.Remove();
  q.Remove();
  q.Flush(6);
  ASSERT_EQ(q.Count(), 2);
  EXPECT_EQ(q.Peek(0)->offset, 1);
  EXPECT_EQ(q.Peek(1)->offset, 4);
  q.Flush(3);
  EXPECT_EQ(q.Peek(0)->offset, 0);
  EXPECT_EQ(q.Peek(1)->offset, 1);

  // Room for a block of 1000 frames: whole steps of 512, nothing lost.
  q.Resize(1000);
  EXPECT_EQ(q.GrowthStep(), 1024);
  EXPECT_EQ(q.Capacity(), 1024);
  EXPECT_EQ(DrainData1(q), (std::vector<int>{4, 1}));
}

TEST(TimedQueue, WithoutGrowthAFullQueueDropsUnlessSentItemsMakeRoom)
{
  ifx::IMidiMessageQueue fixed(2, 0);
  EXPECT_TRUE(fixed.Add(ifx::IMidiMessage(0, 0x90, 1, 1)));
  EXPECT_TRUE(fixed.Add(ifx::IMidiMessage(1, 0x90, 2, 1)));
  EXPECT_FALSE(fixed.Add(ifx::IMidiMessage(2, 0x90, 3, 1)));
  fixed.Remove();
  EXPECT_TRUE(fixed.Add(ifx::IMidiMessage(3, 0x90, 4, 1)));  // compacts instead of growing
  EXPECT_EQ(fixed.Capacity(), 2);
  EXPECT_EQ(DrainData1(fixed), (std::vector<int>{2, 4}));

  // SysEx records keep their bytes through compaction.
  ifx::ISysExMessageQueue sysex(2, 0);
  const uint8_t a[] = {0xF0, 1, 0xF7}, b[] = {0xF0, 2, 2, 0xF7};
  EXPECT_TRUE(sysex.Add(ifx::ISysExData(4, 3, a)));
  EXPECT_TRUE(sysex.Add(ifx::ISysExData(4, 4, b)));
  sysex.Remove();
  EXPECT_TRUE(sysex.Add(ifx::ISysExData(1, 3, a)));
  ASSERT_EQ(sysex.Count(), 2);
  EXPECT_EQ(sysex.Peek(0)->offset, 1);
  EXPECT_EQ(sysex.Peek(1)->size, 4);
  EXPECT_EQ(sysex.Peek(1)->data[1], 2);
}

} // namespace
