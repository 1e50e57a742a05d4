// The version check against a stand-in curl first on PATH: it prints a feed
// (whose change log tells how curl was started) or nothing.
#include "plugin/UpdateChecker.h"
#include "platform/StandInCurl.h"

#include <gtest/gtest.h>

#include <string>

using murkwisp::UpdateChecker;

TEST(UpdateStandInCurl, PrintedFeedIsReadAndSilenceFails)
{
  ASSERT_TRUE(standin::PutStandInCurlFirstOnPath());
  const std::string feed = "https://tarnhollow-audio.example/api/version.json?";
  UpdateChecker checker;
  checker.SetFeedUrl((feed + "feed&console=" + std::to_string(standin::ThisProcess())).c_str());
  checker.CheckForUpdates(false);
  EXPECT_EQ(checker.status, murkwisp::kUpdateAvailable);
  EXPECT_STREQ(checker.latestVersion, "0.9.3");
  EXPECT_STREQ(checker.downloadUrl, "https://tarnhollow-audio.example/murkwisp");
#ifdef _WIN32
  // Started from a host, which has no console, the interpreter must not open
  // a console window: it runs in a windowless console of its own, its input
  // and error output devices rather than a console.
  EXPECT_STREQ(checker.changelog, "console=own window=no in=device err=device");
#endif

  checker.SetFeedUrl((feed + "silent").c_str());
  checker.CheckForUpdates(true);
  EXPECT_EQ(checker.status, murkwisp::kUpdateFailed);
  EXPECT_STREQ(checker.latestVersion, "0.9.3");
}
