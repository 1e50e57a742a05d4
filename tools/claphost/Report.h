#pragma once
// The host checks' report: one line per check, PASS or FAIL with a detail,
// and the number of failures.
#include <ostream>
#include <string>
#include <vector>

#include "claphost/TestHost.h"

namespace claphost {

// The one plug-in the module offers.
inline constexpr char kPluginId[] = "com.Tarnhollow - Korvane.Murkwisp";

class Report
{
public:
  explicit Report(std::ostream& os) : mOs(os) {}
  bool Check(bool ok, const std::string& name, const std::string& detail = std::string())
  {
    mOs << (ok ? "PASS " : "FAIL ") << name;
    if (!ok && !detail.empty())
      mOs << ": " << detail;
    mOs << "\n";
    if (!ok)
      ++mFailures;
    return ok;
  }
  void Info(const std::string& line) { mOs << "INFO " << line << "\n"; }
  int Failures() const noexcept { return mFailures; }

private:
  std::ostream& mOs;
  int mFailures = 0;
};

// One check per rule the plug-in broke in its calls to the host, or one
// passed check when it broke none.
inline void CheckHostRules(Report& r, TestHost& host, const std::string& when)
{
  const std::vector<std::string> violations = host.Violations();
  for (const std::string& v : violations)
    r.Check(false, "host rules kept (" + when + ")", v);
  if (violations.empty())
    r.Check(true, "host rules kept (" + when + ")");
}

} // namespace claphost
