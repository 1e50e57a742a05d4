#include <gtest/gtest.h>

#include <string>
#include "core/UTF8ToUTF16.h"

#if defined(_WIN32)
#include <windows.h>
#endif

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

// Well-formed texts across the encoding lengths, and malformed ones.
const char* const kGood[] = {
  "", "Murkwisp", "Spuk \xC3\xBC", "\xE5\xB9\xBD\xE9\x9C\x8A", "\xE2\x82\xAC 9",
  "\xF0\x9F\x91\xBB ghost", "\xEF\xBF\xBF", "\xF4\x8F\xBF\xBF", "\xC2\x80", "\xED\x9F\xBF"};
const char* const kBad[] = {
  "\x80", "abc\xBF", "\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
  "\xF5\x80\x80\x80", "\xFF", "\xC3", "\xE5\xB9", "\xF0\x9F\x91", "x\xC3(y"};

} // namespace

TEST(UTF8ToUTF16, ConvertsEveryEncodingLength)
{
  EXPECT_EQ(Convert("Murkwisp"), u"Murkwisp");
  EXPECT_EQ(Convert("Spuk \xC3\xBC"), u"Spuk \u00FC");
  EXPECT_EQ(Convert("\xE5\xB9\xBD\xE9\x9C\x8A"), u"\u5E7D\u970A");
  // Beyond the basic plane: a surrogate pair.
  const std::u16string ghost = Convert("\xF0\x9F\x91\xBB");
  ASSERT_EQ(ghost.size(), 2u);
  EXPECT_EQ(ghost[0], 0xD83D);
  EXPECT_EQ(ghost[1], 0xDC7B);
  EXPECT_EQ(Convert("\xF4\x8F\xBF\xBF"), (std::u16string{0xDBFF, 0xDFFF}));

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
  for (const char* good : kGood)
    EXPECT_EQ(Convert(good), system(good)) << good;
  for (const char* bad : kBad)
    EXPECT_EQ(Convert(bad), system(bad)) << bad;
}
#endif
