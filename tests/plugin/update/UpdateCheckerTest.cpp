#include "plugin/UpdateChecker.h"
#include "base/OpenableUrl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>
#include <thread>
#include <vector>

using namespace murkwisp;

using murkwisp::UpdateChecker;

namespace {

std::string gFeed;
std::string gLastUrl;
int gFetchCount = 0;

std::string ServeFeed(const char* url)
{
  ++gFetchCount;
  gLastUrl = url;
  return gFeed;
}

std::string Feed(const std::string& version, const std::string& url = "https://tarnhollow-audio.example/get",
                 const std::string& changelog = "Fixes.")
{
  return "{\"version\":\"" + version + "\",\"url\":\"" + url + "\",\"changelog\":\"" + changelog + "\"}";
}

class UpdateCheckerTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    gFeed.clear();
    gLastUrl.clear();
    gFetchCount = 0;
    checker.SetFetchFunction(&ServeFeed);
  }

  int CheckFeed(const std::string& feed)
  {
    gFeed = feed;
    checker.CheckForUpdates(true);
    return checker.status;
  }

  UpdateChecker checker;
};

} // namespace

TEST_F(UpdateCheckerTest, StartsUncheckedAndEmpty)
{
  EXPECT_EQ(checker.status, murkwisp::kUpdateNotChecked);
  EXPECT_FALSE(checker.checkedOnce);
  EXPECT_STREQ(checker.latestVersion, "");
  EXPECT_STREQ(checker.downloadUrl, "");
  EXPECT_STREQ(checker.changelog, "");
}

TEST_F(UpdateCheckerTest, ComparesTheFeedVersionWithOurs)
{
  struct Case { const char* version; int status; };
  const Case cases[] = {
    {"0.9.3", murkwisp::kUpdateAvailable}, {"0.9.2", murkwisp::kUpdateUpToDate},
    {"0.10.0", murkwisp::kUpdateAvailable}, {"0.8.9", murkwisp::kUpdateUpToDate},
    {"0.9.10", murkwisp::kUpdateAvailable}, {"0.9", murkwisp::kUpdateUpToDate},
    {"0.10", murkwisp::kUpdateAvailable},
    // A new major version is a different product line: not offered.
    {"1.0.0", murkwisp::kUpdateUpToDate}, {"7.3.1", murkwisp::kUpdateUpToDate},
    // Fewer than two numbers count as up to date.
    {"3", murkwisp::kUpdateUpToDate}, {"latest", murkwisp::kUpdateUpToDate},
    {"v0.9.3", murkwisp::kUpdateUpToDate},
    // Numbers far past int range must not overflow.
    {"0.99999999999999999999.0", murkwisp::kUpdateAvailable},
    {"-99999999999999999999.9.9", murkwisp::kUpdateUpToDate},
  };
  for (const Case& c : cases)
  {
    EXPECT_EQ(CheckFeed(Feed(c.version)), c.status) << c.version;
    EXPECT_STREQ(checker.latestVersion, c.version);
  }
}

TEST_F(UpdateCheckerTest, FailedFetchOrMissingVersionFailsAndKeepsEarlierTexts)
{
  ASSERT_EQ(CheckFeed(Feed("0.9.3", "https://a.example/x", "First.")), murkwisp::kUpdateAvailable);

  EXPECT_EQ(CheckFeed(""), murkwisp::kUpdateFailed);
  EXPECT_EQ(CheckFeed("<html>502 Bad Gateway</html>"), murkwisp::kUpdateFailed);
  EXPECT_EQ(CheckFeed(R"({"url":"https://b.example/","changelog":"Other."})"), murkwisp::kUpdateFailed);
  EXPECT_EQ(CheckFeed(R"({"version" : "0.9.4"})"), murkwisp::kUpdateFailed);
  EXPECT_EQ(CheckFeed(R"({"version":"0.9.4)"), murkwisp::kUpdateFailed);

  EXPECT_STREQ(checker.latestVersion, "0.9.3");
  EXPECT_STREQ(checker.downloadUrl, "https://a.example/x");
  EXPECT_STREQ(checker.changelog, "First.");
}

namespace {
std::string FetchOutOfMemory(const char*)
{
  throw std::bad_alloc();
}
} // namespace

TEST_F(UpdateCheckerTest, FetchRunningOutOfMemoryFailsWithoutLockingOutLaterChecks)
{
  ASSERT_EQ(CheckFeed(Feed("0.9.3", "https://a.example/x", "First.")), murkwisp::kUpdateAvailable);
  checker.SetFetchFunction(&FetchOutOfMemory);
  EXPECT_NO_THROW(checker.CheckForUpdates(true));
  EXPECT_EQ(checker.status, murkwisp::kUpdateFailed);
  EXPECT_STREQ(checker.latestVersion, "0.9.3");
  EXPECT_STREQ(checker.changelog, "First.");

  checker.SetFetchFunction(&ServeFeed);
  EXPECT_EQ(CheckFeed(Feed("0.9.4")), murkwisp::kUpdateAvailable);
  EXPECT_STREQ(checker.latestVersion, "0.9.4");
}

TEST_F(UpdateCheckerTest, DownloadAddressIsKeptOnlyWhenSafeToOpen)
{
  struct Case { std::string url; bool kept; };
  const Case cases[] = {
    {"https://tarnhollow-audio.example/murkwisp?from=0.9.2&os=win", true},
    {"http://tarnhollow-audio.example/", false},
    {"HTTPS://tarnhollow-audio.example/", false},
    {"file:///C:/Windows/System32/calc.exe", false},
    {"calc.exe", false},
    {"https://x.example/a'b", false},
    {"https://x.example/a`b", false},
    {"https://x.example/a\tb", false},
    {"https://x.example/a\nb", false},
    {"https://x.example/a\x7f", false},
    {"https://x.example/a b", false},
    {"", false},
  };
  for (const Case& c : cases)
  {
    ASSERT_EQ(CheckFeed(Feed("0.9.3", c.url)), murkwisp::kUpdateAvailable) << c.url;
    EXPECT_STREQ(checker.downloadUrl, c.kept ? c.url.c_str() : "") << c.url;
    EXPECT_EQ(ifx::IsOpenableUrl(c.url.c_str()), c.kept) << c.url;
  }
}

TEST_F(UpdateCheckerTest, LongTextsAreCutToTheirFields)
{
  const std::string longVersion = "0.9.3-" + std::string(100, 'b');
  const std::string longUrl = "https://x.example/" + std::string(400, 'p');
  const std::string longLog(2000, 'c');
  ASSERT_EQ(CheckFeed(Feed(longVersion, longUrl, longLog)), murkwisp::kUpdateAvailable);
  EXPECT_EQ(std::strlen(checker.latestVersion), 31u);
  EXPECT_EQ(std::strlen(checker.downloadUrl), 255u);
  EXPECT_EQ(std::strlen(checker.changelog), 511u);
  EXPECT_EQ(std::string(checker.changelog), longLog.substr(0, 511));

  // An address whose cut would end inside its scheme is not kept.
  const std::string wideUrl = "https://" + std::string(300, '\xBD');
  ASSERT_EQ(CheckFeed(Feed("0.9.3", wideUrl)), murkwisp::kUpdateAvailable);
  EXPECT_STREQ(checker.downloadUrl, "");

  // A cut never splits a UTF-8 character (the editor converts to UTF-16).
  std::string accented;
  while (accented.size() < 600)
    accented += "\xC3\xA9"; // é
  ASSERT_EQ(CheckFeed(Feed("0.9.3", "https://x.example/", accented)), murkwisp::kUpdateAvailable);
  EXPECT_EQ(std::strlen(checker.changelog), 510u);
}

TEST_F(UpdateCheckerTest, RunsOnceUnlessForced)
{
  gFeed = Feed("0.9.3");
  checker.CheckForUpdates(false);
  checker.CheckForUpdates(false);
  checker.CheckForUpdates(false);
  EXPECT_EQ(gFetchCount, 1);
  EXPECT_TRUE(checker.checkedOnce);
  EXPECT_EQ(checker.status, murkwisp::kUpdateAvailable);

  checker.CheckForUpdates(true);
  checker.CheckForUpdates(true);
  EXPECT_EQ(gFetchCount, 3);
}

TEST_F(UpdateCheckerTest, FetchesTheMakersFeedUnlessPointedElsewhere)
{
  gFeed = Feed("0.9.2");
  checker.CheckForUpdates(false);
  EXPECT_EQ(gLastUrl, murkwisp::kVersionFeedUrl);
  EXPECT_EQ(gLastUrl.rfind("https://", 0), 0u);
  EXPECT_NE(gLastUrl.find("/api/version.json"), std::string::npos);

  checker.SetFeedUrl("http://127.0.0.1:9/api/version.json");
  checker.CheckForUpdates(true);
  EXPECT_EQ(gLastUrl, "http://127.0.0.1:9/api/version.json");
  checker.SetFeedUrl(nullptr);
  checker.CheckForUpdates(true);
  EXPECT_EQ(gLastUrl, murkwisp::kVersionFeedUrl);
}

namespace {
std::string ReenterWhileChecking(const char*)
{
  ++gFetchCount;
  EXPECT_EQ(UpdateChecker::Instance().status, murkwisp::kUpdateChecking);
  UpdateChecker::Instance().CheckForUpdates(true); // ignored while running
  return "{\"version\":\"0.9.2\"}";
}
} // namespace

TEST(UpdateCheckerInstance, OneRecordPerProcessCheckedOnceAcrossCallers)
{
  gFetchCount = 0;
  UpdateChecker& shared = UpdateChecker::Instance();
  shared.SetFetchFunction(&ReenterWhileChecking);

  std::vector<UpdateChecker*> seen(8, nullptr);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < seen.size(); ++i)
    threads.emplace_back([&seen, i] { seen[i] = &UpdateChecker::Instance(); });
  for (std::thread& t : threads)
    t.join();
  for (UpdateChecker* p : seen)
    EXPECT_EQ(p, &shared);

  // What every plug-in constructor does.
  for (int i = 0; i < 16; ++i)
    UpdateChecker::Instance().CheckForUpdates(false);
  EXPECT_EQ(gFetchCount, 1);
  EXPECT_EQ(shared.status, murkwisp::kUpdateUpToDate);
  shared.SetFetchFunction(nullptr);
}

TEST(UpdateCheckerFetch, RefusesAddressesThatWouldBreakTheCommandLine)
{
  EXPECT_EQ(UpdateChecker::FetchVersionFeed(nullptr), "");
  EXPECT_EQ(UpdateChecker::FetchVersionFeed(""), "");
  EXPECT_EQ(UpdateChecker::FetchVersionFeed("https://x.example/\" & echo pwned & \""), "");
  EXPECT_EQ(UpdateChecker::FetchVersionFeed(("https://x.example/" + std::string(600, 'a')).c_str()), "");
}
