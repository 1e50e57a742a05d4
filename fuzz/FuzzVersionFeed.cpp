// Whatever a feed server sends: the member scanner and the whole check with
// the fetch replaced by the fuzzer's bytes.
#include "base/OpenableUrl.h"
#include "plugin/JsonScanner.h"
#include "plugin/UpdateChecker.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using namespace murkwisp;

namespace {

std::string gFeed;

std::string FetchFuzzedFeed(const char*)
{
  return gFeed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  gFeed.assign(reinterpret_cast<const char*>(data), size);

  // The first bytes up to a NUL (at most 16) also serve as a key.
  const size_t keyLen = strnlen(gFeed.c_str(), std::min<size_t>(size, 16));
  murkwisp::ExtractJsonString(gFeed, std::string_view(gFeed.data(), keyLen));

  murkwisp::UpdateChecker checker;
  checker.SetFetchFunction(&FetchFuzzedFeed);
  checker.CheckForUpdates(false);

  const int status = checker.status;
  if (status != murkwisp::kUpdateUpToDate && status != murkwisp::kUpdateAvailable && status != murkwisp::kUpdateFailed)
    __builtin_trap();
  if (std::strlen(checker.latestVersion) > 31 || std::strlen(checker.downloadUrl) > 255
      || std::strlen(checker.changelog) > 511)
    __builtin_trap();
  if (checker.downloadUrl[0] && !ifx::IsOpenableUrl(checker.downloadUrl))
    __builtin_trap();
  return 0;
}
