#include "plugin/JsonScanner.h"

#include <gtest/gtest.h>

#include <string>

using namespace murkwisp;

using murkwisp::ExtractJsonString;

TEST(JsonScanner, StringMembersAsTheFeedWritesThem)
{
  struct Case
  {
    const char* text;
    const char* key;
    const char* value;
  };
  const char* const feed = R"({"version":"0.9.3","url":"https://example.test/dl","changelog":"Quieter ghosts."})";
  const char* const repeated = R"({"myversion":"9","version":"1.2.3","version":"4.5.6"})";
  const Case cases[] = {
    {feed, "version", "0.9.3"}, {feed, "url", "https://example.test/dl"},
    {feed, "changelog", "Quieter ghosts."}, {feed, "missing", ""},
    // The first occurrence wins; keys match whole.
    {repeated, "version", "1.2.3"}, {repeated, "myversion", "9"},
    // Blanks around the colon, and values that are not strings, are not matched.
    {R"({"version" : "1.0.0"})", "version", ""}, {R"({"version": "1.0.0"})", "version", ""},
    {R"({"version":1})", "version", ""},
    // A value ends at the next quote, even an escaped one.
    {R"({"changelog":"say \"boo\""})", "changelog", "say \\"}, {R"({"changelog":""})", "changelog", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExtractJsonString(c.text, c.key), c.value) << c.text << " " << c.key;
}

TEST(JsonScanner, TruncatedAndUnterminatedInputGivesEmpty)
{
  const std::string full = R"({"version":"0.9.3"})";
  for (size_t n = 0; n < full.size(); ++n)
  {
    const std::string cut = full.substr(0, n);
    const std::string got = ExtractJsonString(cut, "version");
    // Up to the closing quote nothing is found; after it the whole value is.
    EXPECT_EQ(got, n > full.find("3\"") + 1 ? "0.9.3" : "") << "prefix length " << n;
  }
  EXPECT_EQ(ExtractJsonString("\"version\":\"", "version"), "");
  EXPECT_EQ(ExtractJsonString("", "version"), "");
  EXPECT_EQ(ExtractJsonString("\"", ""), "");
}

TEST(JsonScanner, BinaryAndEmbeddedNulsAreHandledByLength)
{
  std::string feed("\x00\xff\x01{\"version\":\"1\x00" "2\"}", 20);
  EXPECT_EQ(ExtractJsonString(feed, "version"), std::string("1\x00" "2", 3));

  std::string noise(70000, '\0');
  for (size_t i = 0; i < noise.size(); ++i)
    noise[i] = static_cast<char>((i * 7919u) >> 3);
  EXPECT_NO_FATAL_FAILURE(ExtractJsonString(noise, "version"));
}

TEST(JsonScanner, HugeAndDeeplyNestedInput)
{
  std::string nested(200000, '[');
  nested += R"({"version":"2.0.0"})";
  nested.append(200000, ']');
  EXPECT_EQ(ExtractJsonString(nested, "version"), "2.0.0");

  std::string longValue = "{\"changelog\":\"" + std::string(3u << 20, 'x') + "\"}";
  EXPECT_EQ(ExtractJsonString(longValue, "changelog").size(), 3u << 20);
  longValue.pop_back();
  longValue.pop_back();
  EXPECT_EQ(ExtractJsonString(longValue, "changelog"), "");
}
