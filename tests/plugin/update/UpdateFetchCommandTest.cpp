// The exact command line of the fetch, seen by a stand-in curl that prints
// its arguments; it is put first on PATH, so it lives in its own program.
#include "plugin/UpdateChecker.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace murkwisp;

#ifdef _WIN32
#include <direct.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

using murkwisp::UpdateChecker;

namespace {

const char* const kFolder = "fetch-command-bin";

bool WriteText(const std::string& path, const char* text)
{
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f)
    return false;
  const bool ok = std::fputs(text, f) >= 0;
  return std::fclose(f) == 0 && ok;
}

[[maybe_unused]] bool FileExists(const char* path)
{
  std::FILE* f = std::fopen(path, "rb");
  if (f)
    std::fclose(f);
  return f != nullptr;
}

// Installs the stand-in and puts its folder first on PATH.
bool InstallStandInCurl()
{
  char cwd[1024];
#ifdef _WIN32
  if (!_getcwd(cwd, sizeof(cwd)))
    return false;
  _mkdir(kFolder);
  const std::string folder = std::string(cwd) + "\\" + kFolder;
  // Prints its arguments as cmd.exe passed them on, and noise on stderr.
  if (!WriteText(folder + "\\curl.bat", "@echo off\r\necho args: %*\r\necho noise 1>&2\r\n"))
    return false;
  const char* path = std::getenv("PATH");
  const std::string setting = "PATH=" + folder + ";" + (path ? path : "");
  return _putenv(setting.c_str()) == 0;
#else
  if (!getcwd(cwd, sizeof(cwd)))
    return false;
  mkdir(kFolder, 0755);
  const std::string folder = std::string(cwd) + "/" + kFolder;
  // One bracketed argument each, as the shell split them, and noise on stderr.
  if (!WriteText(folder + "/curl", "#!/bin/sh\nprintf 'args:'; printf ' [%s]' \"$@\"; echo; echo noise >&2\n"))
    return false;
  if (chmod((folder + "/curl").c_str(), 0755) != 0)
    return false;
  const char* path = std::getenv("PATH");
  return setenv("PATH", (folder + ":" + (path ? path : "")).c_str(), 1) == 0;
#endif
}

} // namespace

TEST(UpdateFetchCommand, RunsCurlSilentlyWithAFiveSecondLimitOnTheQuotedAddress)
{
  ASSERT_TRUE(InstallStandInCurl());
  std::remove("nul");
  const std::string url = "https://tarnhollow-audio.example/api/version.json?a=1&b=2";
  const std::string printed = UpdateChecker::FetchVersionFeed(url.c_str());
#ifdef _WIN32
  // cmd.exe keeps the blank that stood before the redirection it removed.
  std::string args = printed;
  while (!args.empty() && (args.back() == '\n' || args.back() == ' '))
    args.pop_back();
  EXPECT_EQ(args, "args: -s --max-time 5 \"" + url + "\"");
#else
  EXPECT_EQ(printed, "args: [-s] [--max-time] [5] [" + url + "]\n");
  // stderr goes to the null device, not to a file named after it.
  EXPECT_FALSE(FileExists("nul"));
#endif
}
