#include <gtest/gtest.h>

#include <string>
#include "base/UTFConversion.h"

#if defined(_WIN32)
#include <windows.h>
#endif

using ifx::ConvertUtf8ToWide;
using ifx::ConvertWideToUtf8;
using ifx::UTF16CutLength;
using ifx::UTF16Length;
using ifx::UTF16Text;
using ifx::UTF8ToUTF16;

namespace {

std::u16string Convert(const char* text)
{
  const ifx::IHeapBuf wide = UTF8ToUTF16(text);
  EXPECT_EQ(wide.GetGranularity(), 4096);
  return std::u16string(UTF16Text(wide), static_cast<size_t>(UTF16Length(wide)));
}

// Well-formed texts across the encoding lengths (beyond the basic plane as
// surrogate pairs), and malformed ones.
const struct
{
  const char* utf8;
  std::u16string utf16;
} kGood[] = {
  {"", u""}, {"Murkwisp", u"Murkwisp"}, {"Spuk \xC3\xBC", u"Spuk \u00FC"},
  {"\xE5\xB9\xBD\xE9\x9C\x8A", u"\u5E7D\u970A"}, {"\xE2\x82\xAC 9", u"\u20AC 9"},
  {"\xF0\x9F\x91\xBB ghost", {0xD83D, 0xDC7B, u' ', u'g', u'h', u'o', u's', u't'}},
  {"\xEF\xBF\xBF", u"\uFFFF"}, {"\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF}}, {"\xC2\x80", u"\u0080"},
  {"\xED\x9F\xBF", u"\uD7FF"}};
const char* const kBad[] = {
  "\x80", "abc\xBF", "\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
  "\xF5\x80\x80\x80", "\xFF", "\xC3", "\xE5\xB9", "\xF0\x9F\x91", "x\xC3(y"};

std::string Narrow(const std::u16string& wide, int units = -1, bool* ok = nullptr)
{
  ifx::IString out("stale");
  const bool converted = ConvertWideToUtf8(wide.c_str(), units, out);
  if (ok)
    *ok = converted;
  else
    EXPECT_TRUE(converted);
  return out.Get();
}

} // namespace

TEST(UTFConversion, ConvertsEveryEncodingLengthBothWays)
{
  for (const auto& good : kGood)
  {
    EXPECT_EQ(Convert(good.utf8), good.utf16) << good.utf8;
    EXPECT_EQ(Narrow(good.utf16), good.utf8);
  }
  EXPECT_EQ(Narrow(u"ab\U0001F47Bcd", 4), "ab\xF0\x9F\x91\xBB");   // a count of units
  EXPECT_EQ(Narrow(std::u16string(u"ab\0cd", 5), 5), "ab");            // a NUL ends it early
  EXPECT_EQ(Narrow(u"", 0), "");

  // The buffer holds the units and the terminating NUL.
  const ifx::IHeapBuf wide = UTF8ToUTF16("ab\xC3\xBC");
  EXPECT_EQ(wide.GetSize(), 4 * 2);
  EXPECT_EQ(UTF16Text(wide)[3], 0);
}

TEST(UTF8ToUTF16, MalformedOrMissingTextGivesTheEmptyText)
{
  for (const char* bad : kBad)
  {
    const ifx::IHeapBuf wide = UTF8ToUTF16(bad);
    EXPECT_EQ(UTF16Length(wide), 0) << bad;
    EXPECT_EQ(UTF16Text(wide)[0], 0) << bad;
  }
  EXPECT_EQ(Convert(nullptr), u"");
  EXPECT_EQ(Convert(""), u"");
  EXPECT_EQ(UTF8ToUTF16("").GetSize(), 2);   // at least the NUL

  const ifx::IHeapBuf never;
  EXPECT_EQ(UTF16Text(never)[0], 0);
  EXPECT_EQ(UTF16Length(never), 0);
}

TEST(UTF8ToUTF16, LongTextsGrowTheBuffer)
{
  std::string text;
  std::u16string expected;
  for (int i = 0; i < 5000; ++i)
  {
    text += "\xE2\x82\xAC\xF0\x9F\x91\xBB";
    expected += u"\u20AC\U0001F47B";
  }
  EXPECT_EQ(Convert(text.c_str()), expected);
}

// A caller's fixed buffer takes the whole text with its NUL, or nothing.
TEST(UTF8ToUTF16, FixedBuffersHoldTheWholeTextOrNothing)
{
  char16_t buffer[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_TRUE(ConvertUtf8ToWide(buffer, "a\xC3\xBC\xE2\x82\xAC", 4));
  EXPECT_EQ(std::u16string(buffer), u"a\u00FC\u20AC");
  EXPECT_TRUE(ConvertUtf8ToWide(buffer, "\xF0\x9F\x91\xBB", 3));   // a pair and the NUL
  EXPECT_EQ(std::u16string(buffer), u"\U0001F47B");

  for (const char* refused : {"abcd", "ab\xF0\x9F\x91\xBB", "\xC3", static_cast<const char*>(nullptr)})
  {
    buffer[0] = u'x';
    EXPECT_FALSE(ConvertUtf8ToWide(buffer, refused, 4)) << (refused ? refused : "null");
    EXPECT_EQ(buffer[0], 0);
  }
  EXPECT_FALSE(ConvertUtf8ToWide(buffer, "a", 0));
  EXPECT_EQ(buffer[0], 0);   // a capacity of 0 writes nothing
}

TEST(UTF16ToUTF8, UnpairedSurrogatesGiveTheEmptyText)
{
  const std::u16string bad[] = {{0xD83D}, {u'a', 0xDC7B}, {0xDC7B, 0xD83D}, {0xD83D, u'x'}};
  for (const std::u16string& text : bad)
  {
    bool ok = true;
    EXPECT_EQ(Narrow(text, -1, &ok), "");
    EXPECT_FALSE(ok);
  }
  bool ok = true;
  EXPECT_EQ(Narrow(u"a\U0001F47B", 2, &ok), "");   // the count ends inside the pair
  EXPECT_FALSE(ok);
  ifx::IString out("stale");
  EXPECT_FALSE(ConvertWideToUtf8(nullptr, -1, out));
  EXPECT_STREQ(out.Get(), "");
}

TEST(UTF16ToUTF8, CutsNeverSplitAPair)
{
  const std::u16string text = u"ab\U0001F47Bc";   // a b hi lo c
  const int units = static_cast<int>(text.size());
  const int expected[] = {0, 1, 2, 2, 4, 5, 5};   // kept units for maxUnits 0..6
  for (int max = 0; max <= 6; ++max)
    EXPECT_EQ(UTF16CutLength(text.c_str(), units, max), expected[max]) << max;
  EXPECT_EQ(UTF16CutLength(nullptr, 3, 2), 0);
}

#if defined(_WIN32)
// What the Windows calls make of the same bytes, with invalid input refused.
TEST(UTF8ToUTF16, AgreesWithTheSystemConversion)
{
  auto system = [](const char* text) {
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (units <= 0)
      return std::u16string();
    std::wstring w(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, &w[0], units);
    return std::u16string(w.begin(), w.end() - 1);
  };
  for (const auto& good : kGood)
    EXPECT_EQ(Convert(good.utf8), system(good.utf8)) << good.utf8;
  for (const char* bad : kBad)
    EXPECT_EQ(Convert(bad), system(bad)) << bad;

  auto systemNarrow = [](const std::u16string& text) {
    const auto* w = reinterpret_cast<const wchar_t*>(text.c_str());
    const int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, w, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
      return std::string();
    std::string s(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, w, -1, &s[0], bytes, nullptr, nullptr);
    return s.substr(0, s.size() - 1);
  };
  for (const auto& good : kGood)
    EXPECT_EQ(Narrow(good.utf16), systemNarrow(good.utf16)) << good.utf8;
  for (const std::u16string& bad : {std::u16string{0xD83D}, std::u16string{u'a', 0xDC7B}})
  {
    bool ok = true;
    EXPECT_EQ(Narrow(bad, -1, &ok), systemNarrow(bad));
  }
}
#endif
