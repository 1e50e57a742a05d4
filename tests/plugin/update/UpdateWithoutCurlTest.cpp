// Under wine (and Windows systems without curl) the command interpreter finds
// no curl: the check must end quickly as a failure, not hang or crash.
#include "plugin/UpdateChecker.h"

#include <gtest/gtest.h>

#include <chrono>

using murkwisp::UpdateChecker;

TEST(UpdateWithoutCurl, FetchGivesNothingQuickly)
{
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(UpdateChecker::FetchVersionFeed(murkwisp::kVersionFeedUrl), "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(UpdateWithoutCurl, ProcessWideCheckFailsOnceAndStaysQuiet)
{
  UpdateChecker& checker = UpdateChecker::Instance();
  checker.CheckForUpdates(false);
  EXPECT_EQ(checker.status, murkwisp::kUpdateFailed);
  EXPECT_TRUE(checker.checkedOnce);
  EXPECT_STREQ(checker.latestVersion, "");
  EXPECT_STREQ(checker.downloadUrl, "");

  // Later constructions do not try again; the button does.
  checker.CheckForUpdates(false);
  EXPECT_EQ(checker.status, murkwisp::kUpdateFailed);
  checker.CheckForUpdates(true);
  EXPECT_EQ(checker.status, murkwisp::kUpdateFailed);
}
