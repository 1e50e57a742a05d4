#pragma once
// The component interface: buses, activation, state.
#include <cstddef>

#include "abi/vst3/Vst3PluginBase.h"
#include "abi/vst3/Vst3Stream.h"
#include "abi/vst3/Vst3Types.h"

namespace Steinberg {
namespace Vst {

struct BusInfo
{
  enum BusFlags : uint32
  {
    kDefaultActive = 1,
    kIsControlVoltage = 2
  };
  MediaType mediaType;
  BusDirection direction;
  int32 channelCount;
  String128 name;
  BusType busType;
  uint32 flags;
};

struct RoutingInfo
{
  MediaType mediaType;
  int32 busIndex;
  int32 channel;
};

static_assert(sizeof(BusInfo) == 276 && alignof(BusInfo) == 4, "BusInfo layout");
static_assert(offsetof(BusInfo, channelCount) == 8 && offsetof(BusInfo, name) == 12 &&
                offsetof(BusInfo, busType) == 268 && offsetof(BusInfo, flags) == 272,
              "BusInfo offsets");
static_assert(sizeof(RoutingInfo) == 12 && offsetof(RoutingInfo, channel) == 8, "RoutingInfo layout");

class IComponent : public IPluginBase
{
public:
  MURKWISP_VST3_IID(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802)
  virtual tresult PLUGIN_API getControllerClassId(TUID classId) = 0;
  virtual tresult PLUGIN_API setIoMode(IoMode mode) = 0;
  virtual int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) = 0;
  virtual tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) = 0;
  virtual tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
  virtual tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index, TBool state) = 0;
  virtual tresult PLUGIN_API setActive(TBool state) = 0;
  virtual tresult PLUGIN_API setState(IBStream* state) = 0;
  virtual tresult PLUGIN_API getState(IBStream* state) = 0;
  MURKWISP_VST3_INTERFACE(IComponent)
};

} // namespace Vst
} // namespace Steinberg
