#pragma once
// Controller-side data of the VST3 adapter: builds the parameter objects and
// units, keeps the bypass parameter and the host's channel context.
#include <cstdint>
#include <string>
#include <vector>

#include "abi/vst3/EditController.h"
#include "abi/vst3/Vst3Message.h"
#include "base/IString.h"

namespace ifx {

class IPluginBase;
class IFxVST3BypassParameter;

class IFxVST3ControllerBase
{
public:
  IFxVST3ControllerBase() = default;
  IFxVST3ControllerBase(const IFxVST3ControllerBase&) = delete;
  IFxVST3ControllerBase& operator=(const IFxVST3ControllerBase&) = delete;

  // Once, from initialize: the bypass parameter (not for instruments), the
  // root unit, one unit per parameter group, one parameter object per
  // IParam, and with MIDI input the controller units and parameters.
  void Initialize(IPluginBase& plug, Steinberg::Vst::EditControllerEx1& controller,
                  Steinberg::Vst::ParameterContainer& params, bool isInstrument, bool takesMidi);

  // Reads what the list holds; a missing attribute leaves its field as it
  // was. False only for a null list.
  bool SetChannelContextInfos(Steinberg::Vst::IAttributeList* list);

  IFxVST3BypassParameter* GetBypassParameter() const noexcept { return mBypassParameter; }
  const char* ChannelName() const noexcept { return mChannelName.Get(); }
  const char* ChannelUID() const noexcept { return mChannelUID.Get(); }
  const char* ChannelNamespace() const noexcept { return mChannelNamespace.Get(); }
  int32_t ChannelNamespaceOrder() const noexcept { return mChannelNamespaceOrder; }
  int32_t ChannelIndex() const noexcept { return mChannelIndex; }
  uint32_t ChannelColor() const noexcept { return mChannelColor; }
  int NParameterGroups() const noexcept { return static_cast<int>(mGroups.size()); }

protected:
  IFxVST3BypassParameter* mBypassParameter = nullptr; // owned by the container

private:
  std::vector<std::string> mGroups;
  // The host's texts as UTF-8.
  IString mChannelName;
  IString mChannelUID;
  IString mChannelNamespace;
  int32_t mChannelNamespaceOrder = 0;
  int32_t mChannelIndex = 0;
  uint32_t mChannelColor = 0;
};

} // namespace ifx
