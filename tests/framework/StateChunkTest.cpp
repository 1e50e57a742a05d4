#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "base/IStateChunk.h"

using ifx::IStateChunk;

TEST(StateChunk, AppendsRawLittleEndianWithoutHeader)
{
  IStateChunk chunk;
  EXPECT_TRUE(chunk.Put(int32_t(0x01020304)));
  EXPECT_TRUE(chunk.Put(1.0f));
  EXPECT_TRUE(chunk.Put(-2.0));
  EXPECT_TRUE(chunk.PutBytes("ab", 2));
  ASSERT_EQ(chunk.Size(), 4 + 4 + 8 + 2);

  const uint8_t expected[] = {0x04, 0x03, 0x02, 0x01,                         // int32
                              0x00, 0x00, 0x80, 0x3F,                         // 1.0f
                              0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, // -2.0
                              'a',  'b'};
  EXPECT_EQ(std::memcmp(chunk.GetData(), expected, sizeof(expected)), 0);
}

TEST(StateChunk, ReadsReturnNextPositionOrMinusOne)
{
  IStateChunk chunk;
  chunk.Put(int32_t(7));
  chunk.Put(3.5);

  int32_t i = 0;
  double d = 0.;
  int pos = chunk.Get(i, 0);
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(i, 7);
  pos = chunk.Get(d, pos);
  EXPECT_EQ(pos, 12);
  EXPECT_EQ(d, 3.5);

  // Short data leaves the value unread.
  double untouched = 99.;
  EXPECT_EQ(chunk.Get(untouched, 8), -1);
  EXPECT_EQ(untouched, 99.);
  EXPECT_EQ(chunk.Get(i, 12), -1);
  EXPECT_EQ(chunk.Get(i, -1), -1);
  EXPECT_EQ(chunk.Get(i, std::numeric_limits<int>::max()), -1);
  char byte;
  EXPECT_EQ(chunk.GetBytes(&byte, std::numeric_limits<int>::max(), 4), -1);
  EXPECT_EQ(chunk.GetBytes(&byte, -1, 0), -1);
  EXPECT_EQ(chunk.GetBytes(nullptr, 0, 12), 12);
}

TEST(StateChunk, NullBytesAppendZerosAndCopiesAreDeep)
{
  IStateChunk chunk;
  ASSERT_TRUE(chunk.PutBytes(nullptr, 3));
  ASSERT_EQ(chunk.Size(), 3);
  EXPECT_EQ(chunk.GetData()[0] | chunk.GetData()[1] | chunk.GetData()[2], 0);
  EXPECT_FALSE(chunk.PutBytes("x", -1));
  EXPECT_EQ(chunk.Size(), 3);

  IStateChunk copy(chunk);
  copy.Put(int32_t(1));
  EXPECT_EQ(chunk.Size(), 3);
  EXPECT_EQ(copy.Size(), 7);
  chunk = copy;
  EXPECT_EQ(chunk.Size(), 7);
  chunk.Clear();
  EXPECT_EQ(chunk.Size(), 0);
  EXPECT_EQ(copy.Size(), 7);
}

TEST(StateChunk, GrowsAcrossManyAppends)
{
  IStateChunk chunk;
  for (int i = 0; i < 10000; ++i)
    ASSERT_TRUE(chunk.Put(static_cast<double>(i)));
  ASSERT_EQ(chunk.Size(), 80000);
  double v = 0.;
  EXPECT_EQ(chunk.Get(v, 8 * 9999), 80000);
  EXPECT_EQ(v, 9999.);
}

TEST(StateChunk, AppendingItsOwnBytesSurvivesGrowth)
{
  IStateChunk chunk;
  for (int i = 0; i < 4000; ++i)
    chunk.Put(static_cast<uint8_t>(i));
  // Crosses the first allocation, so the buffer moves during the append.
  ASSERT_TRUE(chunk.PutChunk(chunk));
  ASSERT_EQ(chunk.Size(), 8000);
  EXPECT_EQ(chunk.GetData()[4000 + 3999], static_cast<uint8_t>(3999));
  ASSERT_TRUE(chunk.PutBytes(chunk.GetData() + 10, 5000));
  EXPECT_EQ(chunk.GetData()[8000], 10);
}
