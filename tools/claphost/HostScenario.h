#pragma once
#include <ostream>
#include <string>

namespace claphost {

// Runs the full host check against one .clap module: loading, entry and
// factory, instances through their whole life, processing at two rates and
// both sample widths, parameters, state, and the host's rule checks. Writes
// one line per check to report; returns the number of failed checks.
int RunHostScenario(const std::string& modulePath, std::ostream& report);

} // namespace claphost
