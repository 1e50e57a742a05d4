// The disk half of the resource lookup, shared by both builds.
#include "platform/ResourceLookup.h"
#include "platform/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

using namespace ifx;
using namespace ifx::testfiles;

TEST(ResourceLookupDisk, EmptyOrMissingNameFindsNothing)
{
  IString result("untouched");
  EXPECT_EQ(FindResourceOrFile(nullptr, "ttf", result, nullptr), kResourceNotFound);
  EXPECT_EQ(FindResourceOrFile("", "ttf", result, nullptr), kResourceNotFound);
  EXPECT_EQ(FindResourceOrFile("no-such-image@2x.png", "png", result, nullptr), kResourceNotFound);
  EXPECT_STREQ(result.Get(), "untouched");
}

TEST(ResourceLookupDisk, Utf8PathsRoundTrip)
{
  // "Spukhaus-Klänge-夜.fxp": umlaut and a CJK character in the file name.
  const char* name = "Spukhaus-Kl\xC3\xA4nge-\xE5\xA4\x9C.fxp";
  const std::string bytes("FXP\0\x01\x02 state", 12);
  ASSERT_TRUE(WriteAll(name, bytes));
  EXPECT_EQ(ReadAll(name), bytes);

  IString result;
  EXPECT_EQ(FindResourceOrFile(name, "fxp", result, nullptr), kResourceOnDisk);
  EXPECT_STREQ(result.Get(), name);
  RemoveUtf8(name);
  EXPECT_EQ(OpenFileUtf8(name, "rb"), nullptr);
}

TEST(ResourceLookupDisk, OpenRejectsMissingArguments)
{
  EXPECT_EQ(OpenFileUtf8(nullptr, "rb"), nullptr);
  EXPECT_EQ(OpenFileUtf8("", "rb"), nullptr);
  EXPECT_EQ(OpenFileUtf8("embedded-font.bin", nullptr), nullptr);
  EXPECT_EQ(OpenFileUtf8("no-such-folder/x.fxp", "rb"), nullptr);
}

TEST(ResourceLookupDisk, ModuleWithoutResourcesFallsBackToDisk)
{
  // This test program embeds nothing: names are found only as files.
  IString result("untouched");
  EXPECT_EQ(FindResourceOrFile("Roboto-Regular.ttf", "ttf", result, nullptr), kResourceNotFound);
  int size = -5;
  EXPECT_EQ(LoadResourceData("ROBOTO-REGULAR.TTF", "ttf", size, nullptr), nullptr);
  EXPECT_EQ(size, -5);

  EXPECT_EQ(FindResourceOrFile("embedded-font.bin", "ttf", result, nullptr), kResourceOnDisk);
  EXPECT_EQ(ReadAll(result.Get()).size(), 4544u);
}
