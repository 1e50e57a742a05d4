#pragma once
// Track information the host passes to the plug-in.
#include "abi/vst3/Vst3Message.h"

namespace Steinberg {
namespace Vst {
namespace ChannelContext {

class IInfoListener : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x0F194781, 0x8D984ADA, 0xBBA0C1EF, 0xC011D8D0)
  virtual tresult PLUGIN_API setChannelContextInfos(IAttributeList* list) = 0;
  MURKWISP_VST3_INTERFACE(IInfoListener)
};

constexpr const char* kChannelUIDKey = "channel uid";
constexpr const char* kChannelUIDLengthKey = "channel uid length";
constexpr const char* kChannelRuntimeIDKey = "channel runtime id";
constexpr const char* kChannelNameKey = "channel name";
constexpr const char* kChannelNameLengthKey = "channel name length";
constexpr const char* kChannelColorKey = "channel color";
constexpr const char* kChannelIndexKey = "channel index";
constexpr const char* kChannelIndexNamespaceOrderKey = "channel index namespace order";
constexpr const char* kChannelIndexNamespaceKey = "channel index namespace";
constexpr const char* kChannelIndexNamespaceLengthKey = "channel index namespace length";
constexpr const char* kChannelImageKey = "channel image";
constexpr const char* kChannelPluginLocationKey = "channel plugin location";

} // namespace ChannelContext
} // namespace Vst
} // namespace Steinberg
