#include "plugin/UpdateChecker.h"

#include "base/OpenableUrl.h"
#include "platform/CommandOutput.h"
#include "plugin/JsonScanner.h"
#include "plugin/MurkwispConfig.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace murkwisp {

#ifdef _WIN32
// Run by cmd.exe; curl's own messages are dropped.
static const char* const kFetchCommand = "curl -s --max-time 5 \"%s\" 2>nul";
#else
// The same command for /bin/sh, where "2>nul" would create a file named nul.
static const char* const kFetchCommand = "curl -s --max-time 5 \"%s\" 2>/dev/null";
#endif

namespace {

// A feed is a few hundred bytes; anything past this is read and dropped so a
// broken or hostile server cannot make the host's process grow without bound.
constexpr size_t kMaxFeedBytes = 1 << 20;

// Reads up to three dotted numbers the way "%d.%d.%d" would (blanks and a
// sign before each number) but saturates instead of overflowing. Returns how
// many fields were read; unread fields stay 0.
int ParseVersion(const char* text, int (&fields)[3])
{
  fields[0] = fields[1] = fields[2] = 0;
  const char* p = text;
  int count = 0;
  for (; count < 3; ++count)
  {
    if (count > 0)
    {
      if (*p != '.')
        break;
      ++p;
    }
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
      ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
      negative = (*p++ == '-');
    if (*p < '0' || *p > '9')
      break;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
    {
      if (value <= INT_MAX)
        value = value * 10 + (*p - '0');
    }
    if (negative)
      value = -value;
    if (value > INT_MAX)
      value = INT_MAX;
    if (value < INT_MIN)
      value = INT_MIN;
    fields[count] = static_cast<int>(value);
  }
  return count;
}

// Copies src into dst[capacity] (NUL-terminated), cutting at a UTF-8
// character boundary so the editor's UTF-16 conversion never sees half a
// character.
template <size_t N>
void CopyText(char (&dst)[N], const std::string& src)
{
  size_t len = src.size();
  if (len > N - 1)
  {
    len = N - 1;
    while (len > 0 && (static_cast<unsigned char>(src[len]) & 0xC0) == 0x80)
      --len;
  }
  std::memcpy(dst, src.data(), len);
  dst[len] = '\0';
}

} // namespace

UpdateChecker& UpdateChecker::Instance()
{
  static UpdateChecker instance;
  return instance;
}

void UpdateChecker::SetFeedUrl(const char* url) { mFeedUrl = url ? url : ""; }

std::string UpdateChecker::FetchVersionFeed(const char* url)
{
  std::string result;
  if (!url || !*url)
    return result;
  // The address goes inside a quoted shell argument: refuse anything that
  // could leave the quotes.
  for (const char* p = url; *p; ++p)
  {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c < 0x20 || c == '"' || c == '%' || c == '\\' || c == '`' || c == '$')
      return result;
  }

  char command[512];
  const int len = std::snprintf(command, sizeof(command), kFetchCommand, url);
  if (len < 0 || len >= static_cast<int>(sizeof(command)))
    return result; // a cut command line would run something else

  return ifx::ReadCommandOutput(command, kMaxFeedBytes);
}

void UpdateChecker::CheckForUpdates(bool force)
{
  if (status == kUpdateChecking)
    return;
  if (checkedOnce && !force)
    return;

  status = kUpdateChecking;
  checkedOnce = true;

  std::string version;
  std::string download;
  std::string notes;
  try
  {
    const char* url = mFeedUrl.empty() ? kVersionFeedUrl : mFeedUrl.c_str();
    const std::string feed = mFetch ? mFetch(url) : FetchVersionFeed(url);
    version = ExtractJsonString(feed, "version");
    download = ExtractJsonString(feed, "url");
    notes = ExtractJsonString(feed, "changelog");
  }
  catch (...)
  {
    // Out of memory while reading the feed: a failed check, never one left
    // "checking" for good, which would also lock out the button.
    version.clear();
  }
  // Empty output has no version either.
  if (version.empty())
  {
    status = kUpdateFailed;
    return;
  }

  CopyText(latestVersion, version);
  // It is later handed to the shell. Checked as stored: the cut to the
  // field's size must not make an address that would be refused whole.
  CopyText(downloadUrl, download);
  if (!ifx::IsOpenableUrl(downloadUrl))
    downloadUrl[0] = '\0';
  CopyText(changelog, notes);

  int remote[3];
  int local[3];
  const int remoteCount = ParseVersion(latestVersion, remote);
  const int localCount = ParseVersion(MurkwispVersionText(), local);
  if (remoteCount < 2 || localCount < 2)
  {
    status = kUpdateUpToDate;
    return;
  }

  const bool newer = remote[0] > local[0] || (remote[0] == local[0] && remote[1] > local[1]) ||
                     (remote[0] == local[0] && remote[1] == local[1] && remote[2] > local[2]);
  // A new major version is a separate product: it is not offered as an update.
  status = (newer && remote[0] == local[0]) ? kUpdateAvailable : kUpdateUpToDate;
}

} // namespace murkwisp
