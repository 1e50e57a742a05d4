#pragma once
// Version check against the maker's web feed. The request runs the `curl`
// program through the command interpreter (on Windows without a console
// window); the plug-in has no network code of its own. Everything here runs
// on the main thread: the first plug-in construction in a process and the
// about popup's "Check for Updates" button.
#include <cstdint>
#include <string>

namespace murkwisp {

enum EUpdateStatus : int32_t
{
  kUpdateNotChecked = 0,
  kUpdateChecking = 1,
  kUpdateUpToDate = 2,
  kUpdateAvailable = 3,
  kUpdateFailed = 4,
};

// The feed of released versions: a JSON object with the string members
// "version", "url" and "changelog".
constexpr const char* kVersionFeedUrl = "https://tarnhollow-audio.example/api/version.json";

class UpdateChecker
{
public:
  // Returns the feed's whole output, or "" when the fetch failed.
  using FetchFunc = std::string (*)(const char* url);

  // The process-wide record (created on first use, thread-safe).
  static UpdateChecker& Instance();

  // Runs the check unless one is running, or one already ran and force is
  // false. Blocks until the fetch ends (curl gives up after 5 s).
  void CheckForUpdates(bool force);

  // Runs curl on url and returns everything it printed ("" when it could not
  // be started or printed nothing).
  static std::string FetchVersionFeed(const char* url);

  // Test and host seams: where the feed is and how it is fetched. Null
  // restores the defaults (kVersionFeedUrl, FetchVersionFeed).
  void SetFetchFunction(FetchFunc fetch) { mFetch = fetch; }
  void SetFeedUrl(const char* url);

  EUpdateStatus status = kUpdateNotChecked;
  bool checkedOnce = false;
  char latestVersion[32] = {};
  char downloadUrl[256] = {};
  char changelog[512] = {};

private:
  FetchFunc mFetch = nullptr;
  std::string mFeedUrl;
};

} // namespace murkwisp
