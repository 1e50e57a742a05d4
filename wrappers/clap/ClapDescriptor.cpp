#include "wrappers/clap/ClapDescriptor.h"

namespace ifx {

namespace {
const char* const kNoFeatures[] = {nullptr};
}

ClapDescriptor::ClapDescriptor(const IPluginConfiguration& config, const ClapDescriptorExtras& extras)
  : mId(extras.id)
  , mName(config.pluginName)
  , mVendor(config.makerName)
  , mUrl(extras.url)
  , mManualUrl(extras.manualUrl)
  , mSupportUrl(extras.supportUrl)
  , mVersion(VersionText(config.version).text)
  , mDescription(extras.description)
{
  mDescriptor.clap_version = CLAP_VERSION_INIT;
  mDescriptor.id = mId.c_str();
  mDescriptor.name = mName.c_str();
  mDescriptor.vendor = mVendor.c_str();
  mDescriptor.url = mUrl.c_str();
  mDescriptor.manual_url = mManualUrl.c_str();
  mDescriptor.support_url = mSupportUrl.c_str();
  mDescriptor.version = mVersion.c_str();
  mDescriptor.description = mDescription.c_str();
  mDescriptor.features = extras.features ? extras.features : kNoFeatures;
}

} // namespace ifx
