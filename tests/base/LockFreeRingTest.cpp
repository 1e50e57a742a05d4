#include <gtest/gtest.h>

#include "base/ILockFreeRing.h"
#include "base/IMidiMessage.h"

using ifx::ILockFreeRing;

TEST(LockFreeRing, HoldsOneLessThanItsSlots)
{
  ILockFreeRing<int, 5> ring;
  EXPECT_EQ(ring.Capacity(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(ring.Push(i));
  EXPECT_FALSE(ring.Push(99));   // full: dropped
  EXPECT_EQ(ring.ElementsQueued(), 4);

  int v = -1;
  for (int i = 0; i < 4; ++i)
  {
    ASSERT_TRUE(ring.Pop(v));
    EXPECT_EQ(v, i);
  }
  EXPECT_FALSE(ring.Pop(v));
  EXPECT_EQ(v, 3);   // untouched when empty
  EXPECT_TRUE(ring.Empty());
}

TEST(LockFreeRing, CountsAcrossTheWrap)
{
  ILockFreeRing<int, 5> ring;
  int next = 0, expected = 0, v = 0;
  for (int round = 0; round < 50; ++round)
  {
    for (int i = 0; i < 3; ++i)
      ASSERT_TRUE(ring.Push(next++));
    ASSERT_EQ(ring.ElementsQueued(), 3);
    ASSERT_NE(ring.Peek(), nullptr);
    EXPECT_EQ(*ring.Peek(), expected);
    for (int i = 0; i < 3; ++i)
    {
      ASSERT_TRUE(ring.Pop(v));
      ASSERT_EQ(v, expected++);
    }
    ASSERT_EQ(ring.ElementsQueued(), 0);
    ASSERT_EQ(ring.Peek(), nullptr);
  }
}

TEST(LockFreeRing, MidiRingDropsThe33rdMessage)
{
  ILockFreeRing<ifx::IMidiMessage, 33> ring;
  for (int i = 0; i < 32; ++i)
    EXPECT_TRUE(ring.Push(ifx::IMidiMessage(i, 0x90, 60, 100)));
  EXPECT_FALSE(ring.Push(ifx::IMidiMessage(32, 0x90, 60, 100)));
  EXPECT_EQ(ring.ElementsQueued(), 32);
  ifx::IMidiMessage m;
  ASSERT_TRUE(ring.Pop(m));
  EXPECT_EQ(m.offset, 0);
  EXPECT_TRUE(ring.Push(ifx::IMidiMessage(33, 0x80, 60, 0)));   // room again
  ring.Clear();
  EXPECT_TRUE(ring.Empty());
  EXPECT_FALSE(ring.Pop(m));
}

TEST(LockFreeRing, TwoSlotsHoldOne)
{
  ILockFreeRing<int, 2> ring;
  int v = 0;
  for (int i = 0; i < 5; ++i)
  {
    EXPECT_TRUE(ring.Push(i));
    EXPECT_FALSE(ring.Push(100 + i));
    EXPECT_EQ(ring.ElementsQueued(), 1);
    ASSERT_TRUE(ring.Pop(v));
    EXPECT_EQ(v, i);
  }
}
