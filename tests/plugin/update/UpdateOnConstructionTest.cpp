// The plug-in checks for updates once per process, however many instances a
// host creates; the feed is served by the test instead of curl.
#include "plugin/Murkwisp.h"
#include "wrappers/headless/IFxHeadless.h"
#include "plugin/UpdateChecker.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace murkwisp;

using Murkwisp = murkwisp::MurkwispPlugin<ifx::IFxHeadless>;

using murkwisp::UpdateChecker;

namespace {

int gFetches = 0;

std::string ServeNewerFeed(const char* url)
{
  ++gFetches;
  EXPECT_STREQ(url, murkwisp::kVersionFeedUrl);
  return R"({"version":"0.9.3","url":"https://tarnhollow-audio.example/murkwisp","changelog":"Darker tails."})";
}

} // namespace

TEST(UpdateOnConstruction, ManyInstancesOneCheck)
{
  UpdateChecker& checker = UpdateChecker::Instance();
  checker.SetFetchFunction(&ServeNewerFeed);
  ASSERT_EQ(checker.status, murkwisp::kUpdateNotChecked);

  std::vector<std::unique_ptr<Murkwisp>> plugins;
  for (int i = 0; i < 4; ++i)
  {
    plugins.push_back(std::make_unique<Murkwisp>(ifx::InstanceInfo{}));
    EXPECT_EQ(gFetches, 1) << "instance " << i;
  }
  EXPECT_EQ(checker.status, murkwisp::kUpdateAvailable);
  EXPECT_STREQ(checker.latestVersion, "0.9.3");
  EXPECT_STREQ(checker.downloadUrl, "https://tarnhollow-audio.example/murkwisp");

  // Instances destroyed and created again: still no new check.
  plugins.clear();
  plugins.push_back(std::make_unique<Murkwisp>(ifx::InstanceInfo{}));
  EXPECT_EQ(gFetches, 1);

  // The about popup's button asks again.
  checker.CheckForUpdates(true);
  EXPECT_EQ(gFetches, 2);
  checker.SetFetchFunction(nullptr);
}
