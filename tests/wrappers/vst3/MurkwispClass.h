#pragma once
// The plug-in class as the module entry registers it with the factory.
#include "wrappers/vst3/IFxVST3Factory.h"
#include "plugin/MurkwispConfig.h"
#include "plugin/Murkwisp.h"
#include "plugin/MurkwispParams.h"
#include "wrappers/vst3/IFxVST3.h"

using namespace murkwisp;

using Murkwisp = murkwisp::MurkwispPlugin<ifx::IFxVST3>;

namespace vst3test {

inline ifx::IFxVST3* CreateMurkwisp() { return new Murkwisp(ifx::InstanceInfo()); }

inline const ifx::vst3::PluginClass kMurkwispClass = {&murkwisp::MakeMurkwispConfig, &CreateMurkwisp};

} // namespace vst3test
