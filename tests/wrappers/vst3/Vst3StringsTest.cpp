// Text at the VST3 boundary: fixed-width fields, String128 cuts, byte-wise
// widening and the UTF-8 <-> UTF-16 conversions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "abi/vst3/Vst3Strings.h"

using namespace Steinberg;

TEST(Vst3Strings, FixedWidthFieldsAreCutAndZeroFilled)
{
  char field[8];
  std::memset(field, 'x', sizeof(field));
  StrCopy8(field, "Korvane Audio", sizeof(field));
  EXPECT_EQ(std::string(field), "Korvane");
  std::memset(field, 'x', sizeof(field));
  StrCopy8(field, "Fx", sizeof(field));
  for (size_t i = 2; i < sizeof(field); ++i)
    EXPECT_EQ(field[i], 0) << i;
  StrCopy8(field, nullptr, sizeof(field));
  EXPECT_EQ(field[0], 0);
}

TEST(Vst3Strings, String128HoldsAtMost127UnitsAndAZero)
{
  const std::string longText(300, 'a');
  char16 out[128];
  std::fill(std::begin(out), std::end(out), u'x');
  StrWidenBytes(out, longText.c_str(), 128);
  EXPECT_EQ(StrLength16(out), 127);
  EXPECT_EQ(out[127], 0);

  const std::u16string longWide(300, u'b');
  StrCopy16(out, longWide.c_str(), 128);
  EXPECT_EQ(StrLength16(out), 127);
  StrCopy16(out, nullptr, 128);
  EXPECT_EQ(out[0], 0);

  // Bytes widen one by one, whatever they encode.
  StrWidenBytes(out, "\xE9t\xE9", 128);
  EXPECT_EQ(std::u16string(out), u"\u00E9t\u00E9");
}

TEST(Vst3Strings, Utf8AndUtf16RoundTripAndRefuseMalformedInput)
{
  char16 out[16];
  StrUtf8ToUtf16(out, "caf\xC3\xA9 \xF0\x9F\x8E\xB9", 16);
  EXPECT_EQ(std::u16string(out), u"caf\u00E9 \U0001F3B9");
  EXPECT_EQ(StrUtf16ToUtf8(out), "caf\xC3\xA9 \xF0\x9F\x8E\xB9");

  // A pair that does not fit is dropped whole, never split.
  char16 small[4];
  StrUtf8ToUtf16(small, "ab\xF0\x9F\x8E\xB9", 4);
  EXPECT_EQ(std::u16string(small), u"ab");

  // Stray continuation bytes, overlong forms and a cut sequence.
  StrUtf8ToUtf16(out,
                 "\x80"
                 "a\xC0\xAF"
                 "b\xE2\x82",
                 16);
  EXPECT_EQ(std::u16string(out), u"\uFFFDa\uFFFDb\uFFFD");

  const char16 lone[] = {u'x', 0xD800, u'y', 0};
  EXPECT_EQ(StrUtf16ToUtf8(lone), "x\xEF\xBF\xBDy");
  const char16 unterminated[] = {u'o', u'k', u'!', u'?'};
  EXPECT_EQ(StrUtf16ToUtf8(unterminated, 3), "ok!");
}
