#pragma once
// The plug-in's CLAP descriptor, built from its configuration as the VST3
// factory builds its class information: name, vendor and version come from
// the record; the id, addresses, description and features are what CLAP
// alone asks for.
#include <string>

#include "abi/clap/Clap.h"
#include "base/IPluginConfiguration.h"

namespace ifx {

struct ClapDescriptorExtras
{
  const char* id = "";
  const char* url = "";
  const char* manualUrl = "";
  const char* supportUrl = "";
  const char* description = "";
  const char* const* features = nullptr; // null-terminated
};

class ClapDescriptor
{
public:
  // The texts are copied; the features array must outlive the descriptor.
  ClapDescriptor(const IPluginConfiguration& config, const ClapDescriptorExtras& extras);
  ClapDescriptor(const ClapDescriptor&) = delete;
  ClapDescriptor& operator=(const ClapDescriptor&) = delete;

  const clap_plugin_descriptor_t* Get() const noexcept { return &mDescriptor; }

private:
  std::string mId, mName, mVendor, mUrl, mManualUrl, mSupportUrl, mVersion, mDescription;
  clap_plugin_descriptor_t mDescriptor{};
};

} // namespace ifx
