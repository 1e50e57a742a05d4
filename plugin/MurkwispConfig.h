#pragma once
// What Murkwisp hands the framework: names, ids, version, latency, editor
// size and limits. The one home of these facts; the version is the project's
// own (CMakeLists.txt), given to this file by the build.
#include "base/IPluginConfiguration.h"

namespace murkwisp {

ifx::IPluginConfiguration MakeMurkwispConfig();

// "major.minor.patch" of the configuration's version.
const char* MurkwispVersionText();

} // namespace murkwisp
