// The module half: resources compiled into this test program by windres.
#include "platform/ResourceLookup.h"
#include "platform/win/ResourceLookupWin.h"
#include "platform/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace ifx;
using namespace ifx::testfiles;

namespace {

void* ThisModule()
{
  return GetModuleHandleW(nullptr);
}

bool Matches(const wchar_t* storedName, const char* wanted, std::string* found = nullptr)
{
  ResourceNameSearch search;
  search.wanted = wanted;
  std::wstring name(storedName);
  const BOOL goOn = MatchResourceNameCallback(nullptr, L"TTF", &name[0], reinterpret_cast<LONG_PTR>(&search));
  EXPECT_EQ(goOn == FALSE, search.isFound);
  if (found)
    *found = search.found;
  return search.isFound;
}

} // namespace

TEST(ResourceLookupModule, EmbeddedFontFoundInAnyCaseAndLoadedByTheReturnedName)
{
  const std::string expected = ReadAll("embedded-font.bin");
  ASSERT_EQ(expected.size(), 4544u);

  for (const char* name : {"Roboto-Regular.ttf", "ROBOTO-REGULAR.TTF", "roboto-regular.ttf", "rObOtO-rEgUlAr.TtF"})
  {
    IString result;
    ASSERT_EQ(FindResourceOrFile(name, "ttf", result, ThisModule()), kResourceEmbedded) << name;
    // The stored name, quotes included.
    EXPECT_STREQ(result.Get(), "\"ROBOTO-REGULAR.TTF\"");
    EXPECT_EQ(result.GetLength(), 20);

    int size = 0;
    const void* data = LoadResourceData(result.Get(), "ttf", size, ThisModule());
    ASSERT_NE(data, nullptr) << name;
    ASSERT_EQ(size, static_cast<int>(expected.size()));
    EXPECT_EQ(std::memcmp(data, expected.data(), expected.size()), 0);
  }
}

TEST(ResourceLookupModule, NameStoredWithoutQuotesIsFoundAndLoadedToo)
{
  IString result;
  ASSERT_EQ(FindResourceOrFile("Ghost-Sans.ttf", "ttf", result, ThisModule()), kResourceEmbedded);
  EXPECT_STREQ(result.Get(), "GHOST-SANS.TTF");
  int size = 0;
  EXPECT_NE(LoadResourceData(result.Get(), "ttf", size, ThisModule()), nullptr);
  EXPECT_EQ(size, 4544);
}

TEST(ResourceLookupModule, TypeMustMatch)
{
  IString result("untouched");
  EXPECT_EQ(FindResourceOrFile("Roboto-Regular.ttf", "png", result, ThisModule()), kResourceNotFound);
  EXPECT_EQ(FindResourceOrFile("background.png", "png", result, ThisModule()), kResourceEmbedded);
  EXPECT_STREQ(result.Get(), "BACKGROUND.PNG");
  EXPECT_EQ(FindResourceOrFile("background.png", "svg", result, ThisModule()), kResourceNotFound);
  EXPECT_EQ(FindResourceOrFile("Roboto-Regular.ttf", "", result, ThisModule()), kResourceNotFound);
  EXPECT_EQ(FindResourceOrFile("Roboto-Regular.ttf", nullptr, result, ThisModule()), kResourceNotFound);
}

TEST(ResourceLookupModule, ResourcesOfSevenBytesOrLessAreNotLoaded)
{
  int size = -1;
  EXPECT_EQ(LoadResourceData("SEVEN-BYTES.TTF", "ttf", size, ThisModule()), nullptr);
  EXPECT_EQ(size, -1);
  EXPECT_EQ(LoadResourceData("NOT-THERE.TTF", "ttf", size, ThisModule()), nullptr);
  EXPECT_EQ(size, -1);
  EXPECT_EQ(LoadResourceData("", "ttf", size, ThisModule()), nullptr);
  EXPECT_EQ(LoadResourceData(nullptr, "ttf", size, ThisModule()), nullptr);
  EXPECT_EQ(size, -1);

  const void* eight = LoadResourceData("eight-bytes.ttf", "TTF", size, ThisModule());
  ASSERT_NE(eight, nullptr);
  EXPECT_EQ(size, 8);
  EXPECT_EQ(std::memcmp(eight, "12345678", 8), 0);
}

TEST(ResourceLookupModule, EmbeddedResourceWinsOverAFileOfTheSameName)
{
  // (Not the Roboto name: the disk test, which may run at the same time in
  // this folder, expects no such file.)
  ASSERT_TRUE(WriteAll("Ghost-Sans.ttf", "not really a font"));
  IString result;
  EXPECT_EQ(FindResourceOrFile("Ghost-Sans.ttf", "ttf", result, ThisModule()), kResourceEmbedded);
  EXPECT_STREQ(result.Get(), "GHOST-SANS.TTF");
  std::remove("Ghost-Sans.ttf");

  EXPECT_EQ(FindResourceOrFile("eight-bytes.bin", "ttf", result, ThisModule()), kResourceOnDisk);
  EXPECT_STREQ(result.Get(), "eight-bytes.bin");
}

TEST(ResourceLookupModule, NameMatchingRules)
{
  std::string found;
  EXPECT_TRUE(Matches(L"\"ROBOTO-REGULAR.TTF\"", "roboto-regular.ttf", &found));
  EXPECT_EQ(found, "\"ROBOTO-REGULAR.TTF\"");
  EXPECT_TRUE(Matches(L"ROBOTO-REGULAR.TTF", "roboto-regular.ttf", &found));
  EXPECT_EQ(found, "ROBOTO-REGULAR.TTF");
  // Only a matching pair of quotes is dropped.
  EXPECT_FALSE(Matches(L"\"ROBOTO-REGULAR.TTF", "roboto-regular.ttf"));
  EXPECT_FALSE(Matches(L"\"ROBOTO-REGULAR.TTF\"", "\"roboto-regular.ttf\""));
  EXPECT_FALSE(Matches(L"ROBOTO-REGULAR.TTF", "oboto-regular.tt"));
  // Short names: two quotes compare as empty, which no wanted name is.
  EXPECT_FALSE(Matches(L"\"\"", "\"\""));
  EXPECT_FALSE(Matches(L"\"", "x"));
  EXPECT_TRUE(Matches(L"X", "x"));
  // Non-ASCII names are lower-cased through UTF-16.
  EXPECT_TRUE(Matches(L"\"\x00C4RGER.TTF\"", "\xC3\xA4rger.ttf", &found));
  EXPECT_EQ(found, "\"\xC3\x84RGER.TTF\"");

  // Integer identifiers are skipped.
  ResourceNameSearch search;
  search.wanted = "42";
  EXPECT_EQ(MatchResourceNameCallback(nullptr, L"TTF", MAKEINTRESOURCEW(42), reinterpret_cast<LONG_PTR>(&search)), TRUE);
  EXPECT_FALSE(search.isFound);
  IString result("untouched");
  EXPECT_EQ(FindResourceOrFile("42", "ttf", result, ThisModule()), kResourceNotFound);
}
