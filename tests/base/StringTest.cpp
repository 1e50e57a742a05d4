#include <gtest/gtest.h>

#include <climits>
#include <string>
#include "base/IString.h"

using ifx::IString;

TEST(String, NeverSetReadsEmpty)
{
  IString s;
  EXPECT_STREQ(s.Get(), "");
  EXPECT_EQ(s.GetLength(), 0);
  EXPECT_EQ(s.GetBuffer().GetSize(), 0);
  EXPECT_EQ(s.GetBuffer().GetGranularity(), 128);
}

TEST(String, SetCountsCharactersWithinMaxLen)
{
  IString s;
  s.Set("abcdef", 3);
  EXPECT_STREQ(s.Get(), "abc");
  EXPECT_EQ(s.GetBuffer().GetSize(), 4);

  s.Set("ab\0cdef", 5);   // stops at the NUL inside maxLen
  EXPECT_STREQ(s.Get(), "ab");

  s.Set(nullptr);
  EXPECT_STREQ(s.Get(), "");
  EXPECT_EQ(s.GetBuffer().GetSize(), 1);
}

TEST(String, ShorterTextKeepsMemory)
{
  IString s;
  s.Set(std::string(500, 'x').c_str());
  const int allocated = s.GetBuffer().GetAllocated();
  s.Set("short");
  EXPECT_STREQ(s.Get(), "short");
  EXPECT_EQ(s.GetBuffer().GetSize(), 6);
  EXPECT_EQ(s.GetBuffer().GetAllocated(), allocated);
}

TEST(String, SetFromItsOwnText)
{
  IString s("hello world");
  s.Set(s.Get() + 6);
  EXPECT_STREQ(s.Get(), "world");

  // Appending the string to itself repeatedly forces the buffer to move.
  IString grow("abc");
  std::string expected = "abc";
  for (int i = 0; i < 10; ++i)
  {
    grow.Append(grow.Get());
    expected += expected;
  }
  EXPECT_EQ(std::string(grow.Get()), expected);
  EXPECT_EQ(grow.GetLength(), 3 * 1024);

  IString inserted("abcdef");
  inserted.Insert(3, inserted.Get(), 3, 3);
  EXPECT_STREQ(inserted.Get(), "abcabcdef");
}

TEST(String, InsertMovesTailBehindText)
{
  IString s("abcdef");
  s.Insert(2, "XY", 2, 4);
  EXPECT_STREQ(s.Get(), "abXYcdef");

  s.Insert(0, ">", 1, s.GetLength());
  EXPECT_STREQ(s.Get(), ">abXYcdef");

  // Without a tail the text after pos is replaced.
  s.Insert(3, "!", 1, 0);
  EXPECT_STREQ(s.Get(), ">ab!");

  // Appending is Insert at the length.
  s.Insert(s.GetLength(), "zz", 2, 0);
  EXPECT_STREQ(s.Get(), ">ab!zz");
}

TEST(String, InsertRejectsPositionsPastTheEndAndClampsTail)
{
  IString s("abc");
  s.Insert(4, "Z", 1, 0);
  EXPECT_STREQ(s.Get(), "abc");
  s.Insert(1000000, "Z", 1, 5);
  EXPECT_STREQ(s.Get(), "abc");
  s.Insert(-1, "Z", 1, 0);
  EXPECT_STREQ(s.Get(), "abc");
  s.Insert(1, "Z", 0, 2);
  EXPECT_STREQ(s.Get(), "abc");

  // A tail longer than what follows pos keeps only what is there.
  s.Insert(1, "Z", 1, 1000);
  EXPECT_STREQ(s.Get(), "aZbc");
  EXPECT_EQ(s.GetLength(), 4);
  s.Insert(4, "!", 1, 50);
  EXPECT_STREQ(s.Get(), "aZbc!");

  // A len longer than the text copies only the text.
  s.Insert(5, "12", 10, 0);
  EXPECT_STREQ(s.Get(), "aZbc!12");

  s.Insert(0, nullptr, 0, 0);
  EXPECT_STREQ(s.Get(), "");
}

TEST(String, FormattedTextIsCutToMaxLength)
{
  IString s;
  s.SetFormatted(4, "%d", 123456);
  EXPECT_STREQ(s.Get(), "1234");
  EXPECT_EQ(s.GetBuffer().GetSize(), 5);

  s.SetFormatted(32, "%s-%d", "v", 7);
  EXPECT_STREQ(s.Get(), "v-7");
  s.AppendFormatted(3, "%s", "xyz12");
  EXPECT_STREQ(s.Get(), "v-7xyz");
  s.AppendFormatted(0, "%s", "ignored");
  EXPECT_STREQ(s.Get(), "v-7xyz");
  s.SetFormatted(0, "%s", "gone");
  EXPECT_STREQ(s.Get(), "");
  s.SetFormatted(10, "%s", "");
  EXPECT_STREQ(s.Get(), "");
  EXPECT_EQ(s.GetLength(), 0);
}

TEST(String, CopiesAndLength)
{
  IString a("name");
  IString b(a);
  b.Append("s");
  EXPECT_STREQ(a.Get(), "name");
  EXPECT_STREQ(b.Get(), "names");
  a = b;
  EXPECT_STREQ(a.Get(), "names");
  a = "x";
  EXPECT_STREQ(a.Get(), "x");

  IString c("abcdef");
  c.GetMutable()[2] = 0;   // written shorter through the raw buffer
  EXPECT_EQ(c.GetLength(), 2);
  c.Append("Z");
  EXPECT_STREQ(c.Get(), "abZ");
  c.SetLength(1);
  EXPECT_STREQ(c.Get(), "a");
  c.SetLength(10);
  EXPECT_STREQ(c.Get(), "a");
}

TEST(String, LengthsBeyond32BitsAreRefused)
{
  IString s("abc");
  s.AppendFormatted(INT_MAX, "%d", 1);
  EXPECT_STREQ(s.Get(), "abc");
  s.SetFormatted(INT_MAX - 1, "%d", 1);
  EXPECT_STREQ(s.Get(), "abc");
  s.Insert(3, nullptr, INT_MAX, 0);
  EXPECT_STREQ(s.Get(), "abc");
  s.Insert(1, nullptr, INT_MAX - 2, 2);
  EXPECT_STREQ(s.Get(), "abc");
  EXPECT_EQ(s.GetBuffer().GetSize(), 4);
}
