#pragma once
// The plug-in class as the module entry registers it with the factory.
#include "wrappers/vst3/IFxVST3Factory.h"
#include "plugin/Murkwisp.h"

namespace vst3test {

inline ifx::IFxVST3* CreateMurkwisp()
{
  return new Murkwisp(ifx::InstanceInfo());
}

inline const ifx::vst3::PluginClass kMurkwispClass = {&Murkwisp::MakeConfig, &CreateMurkwisp};

} // namespace vst3test
