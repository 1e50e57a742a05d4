#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include "base/IHeapBuf.h"

using ifx::IHeapBuf;

namespace {

void Fill(IHeapBuf& buf)
{
  auto* p = buf.GetAs<unsigned char>();
  for (int i = 0; i < buf.GetSize(); ++i)
    p[i] = static_cast<unsigned char>(i * 7);
}

bool Holds(const IHeapBuf& buf, int n)
{
  const auto* p = buf.GetAs<unsigned char>();
  for (int i = 0; i < n; ++i)
    if (p[i] != static_cast<unsigned char>(i * 7))
      return false;
  return true;
}

} // namespace

TEST(HeapBuf, DefaultStateHoldsNothing)
{
  IHeapBuf buf;
  EXPECT_EQ(buf.Get(), nullptr);
  EXPECT_EQ(buf.GetSize(), 0);
  EXPECT_EQ(buf.GetAllocated(), 0);
  EXPECT_EQ(buf.GetGranularity(), 4096);
}

TEST(HeapBuf, AllocationFollowsGranularity)
{
  IHeapBuf pages(4096);
  EXPECT_NE(pages.Resize(10), nullptr);
  EXPECT_EQ(pages.GetSize(), 10);
  EXPECT_EQ(pages.GetAllocated(), 4000);   // one page minus allocator overhead

  IHeapBuf names(128);
  names.Resize(10);
  EXPECT_EQ(names.GetAllocated(), 138);

  // Growth steps are capped at 4 MB: 10 MB + 96 + 4 MB, rounded down to pages, - 96.
  IHeapBuf big(4096);
  big.Resize(10000000);
  EXPECT_EQ(big.GetAllocated(), 14192544);
}

TEST(HeapBuf, ShrinkKeepsMemoryUntilWellBelowAllocation)
{
  IHeapBuf buf(4096);
  buf.Resize(5000, false);
  EXPECT_EQ(buf.GetAllocated(), 8096);
  Fill(buf);
  void* before = buf.Get();

  EXPECT_EQ(buf.Resize(100, true), before);
  EXPECT_EQ(buf.GetAllocated(), 8096);
  EXPECT_EQ(buf.GetSize(), 100);
  EXPECT_TRUE(Holds(buf, 100));

  EXPECT_EQ(buf.Resize(0, true), nullptr);
  EXPECT_EQ(buf.Get(), nullptr);
  EXPECT_EQ(buf.GetAllocated(), 0);
  EXPECT_EQ(buf.GetSize(), 0);

  // A negative size counts as zero.
  buf.Resize(50);
  EXPECT_EQ(buf.Resize(-5), nullptr);
  EXPECT_EQ(buf.GetSize(), 0);
}

TEST(HeapBuf, ResizeDownReallocatesSmallGranularity)
{
  IHeapBuf buf(128);
  buf.Resize(1000);
  EXPECT_EQ(buf.GetAllocated(), 1500);
  Fill(buf);
  buf.Resize(100, true);   // below min(750, 1500 - 512)
  EXPECT_EQ(buf.GetAllocated(), 228);
  EXPECT_TRUE(Holds(buf, 100));

  buf.Resize(1000);
  buf.Resize(100, false);  // without resizeDown memory stays
  EXPECT_EQ(buf.GetAllocated(), 1500);
}

TEST(HeapBuf, GrowthKeepsContents)
{
  IHeapBuf buf(128);
  buf.Resize(64);
  Fill(buf);
  for (int n = 65; n < 20000; n += 97)
  {
    buf.Resize(n);
    ASSERT_TRUE(Holds(buf, 64));
    ASSERT_GE(buf.GetAllocated(), n);
  }
}

TEST(HeapBuf, SizesBeyond32BitsAreRefusedAndLeaveBufferAlone)
{
  IHeapBuf pages(4096);
  pages.Resize(1000);
  Fill(pages);
  void* data = pages.Get();

  // The allocation for this size does not fit 32 bits: refused, reported by
  // the size that was not reached.
  EXPECT_EQ(pages.Resize(INT_MAX - 10), data);
  EXPECT_EQ(pages.GetSize(), 1000);
  EXPECT_EQ(pages.GetAllocated(), 4000);
  EXPECT_TRUE(Holds(pages, 1000));

  IHeapBuf names(128);
  names.Resize(20);
  Fill(names);
  EXPECT_EQ(names.Resize(INT_MAX), names.Get());
  EXPECT_EQ(names.GetSize(), 20);
  EXPECT_TRUE(Holds(names, 20));

  IHeapBuf empty(4096);
  EXPECT_EQ(empty.Resize(INT_MAX), nullptr);
  EXPECT_EQ(empty.GetSize(), 0);
}

TEST(HeapBuf, GrowComputesTotalsIn64Bits)
{
  IHeapBuf buf;
  buf.Resize(100);
  Fill(buf);
  EXPECT_EQ(buf.Grow(INT_MAX), nullptr);
  EXPECT_EQ(buf.Grow(static_cast<int64_t>(1) << 40), nullptr);
  EXPECT_EQ(buf.Grow(-8), nullptr);
  EXPECT_EQ(buf.Grow(0), nullptr);
  EXPECT_EQ(buf.GetSize(), 100);
  EXPECT_TRUE(Holds(buf, 100));

  auto* tail = static_cast<char*>(buf.Grow(8));
  ASSERT_NE(tail, nullptr);
  EXPECT_EQ(buf.GetSize(), 108);
  EXPECT_EQ(tail, buf.GetAs<char>() + 100);
  EXPECT_TRUE(Holds(buf, 100));
}

TEST(HeapBuf, CopiesAreIndependent)
{
  IHeapBuf src(128);
  src.Resize(300);
  Fill(src);

  IHeapBuf copy(src);
  EXPECT_EQ(copy.GetGranularity(), 128);
  EXPECT_EQ(copy.GetAllocated(), src.GetAllocated());
  EXPECT_EQ(copy.GetSize(), 300);
  EXPECT_NE(copy.Get(), src.Get());
  EXPECT_TRUE(Holds(copy, 300));

  IHeapBuf target(4096);
  EXPECT_TRUE(target.CopyFrom(src));
  EXPECT_EQ(target.GetSize(), 300);
  EXPECT_EQ(target.GetGranularity(), 4096);
  EXPECT_TRUE(Holds(target, 300));

  IHeapBuf empty;
  IHeapBuf fromEmpty(empty);
  EXPECT_EQ(fromEmpty.Get(), nullptr);
  EXPECT_EQ(fromEmpty.GetSize(), 0);
  EXPECT_TRUE(target.CopyFrom(empty));
  EXPECT_EQ(target.GetSize(), 0);

  EXPECT_TRUE(src.CopyFrom(src));
  EXPECT_TRUE(Holds(src, 300));

  IHeapBuf moved(std::move(copy));
  EXPECT_EQ(moved.GetSize(), 300);
  EXPECT_EQ(copy.GetSize(), 0);
  EXPECT_EQ(copy.Get(), nullptr);
  EXPECT_TRUE(Holds(moved, 300));
}
