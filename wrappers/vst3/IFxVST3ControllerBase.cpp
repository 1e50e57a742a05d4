#include "wrappers/vst3/IFxVST3ControllerBase.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "abi/vst3/Vst3ChannelContext.h"
#include "abi/vst3/Vst3Strings.h"
#include "base/IParam.h"
#include "base/UTFConversion.h"
#include "framework/IPluginBase.h"
#include "wrappers/vst3/IFxVST3Ids.h"
#include "wrappers/vst3/IFxVST3Parameter.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ifx {

namespace {

Unit* MakeUnit(const char* name, UnitID id, UnitID parent)
{
  String128 wide;
  StrWidenBytes(wide, name, 128);
  return new (std::nothrow) Unit(wide, id, parent, kNoProgramListId);
}

// Host texts arrive with a length the host states; the buffer is never sized
// from it beyond this.
constexpr int kMaxContextText = 1024;

bool ReadContextString(IAttributeList* list, const char* lengthKey, const char* key, IString& out)
{
  int64 stated = 0;
  if (list->getInt(lengthKey, stated) != kResultOk)
    return false;
  const int length = static_cast<int>(std::max<int64>(0, std::min<int64>(stated, kMaxContextText - 1)));
  TChar buffer[kMaxContextText] = {};
  const uint32 bytes = static_cast<uint32>((length + 1) * sizeof(TChar));
  if (list->getString(key, buffer, bytes) != kResultOk)
    return false;
  buffer[length] = 0;
  // A text cut at the limit loses a pair it would split; malformed text (an
  // unpaired surrogate) is kept as the empty text.
  const int kept = stated > length ? UTF16CutLength(buffer, length + 1, length) : length;
  ConvertWideToUtf8(buffer, kept, out);
  return true;
}

} // namespace

void IFxVST3ControllerBase::Initialize(IPluginBase& plug, EditControllerEx1& controller, ParameterContainer& params,
                                       bool isInstrument, bool takesMidi)
{
  mGroups.clear();
  mBypassParameter = nullptr;
  if (!isInstrument)
  {
    auto* bypass = new (std::nothrow) IFxVST3BypassParameter();
    mBypassParameter = static_cast<IFxVST3BypassParameter*>(params.addParameter(bypass));
  }

  controller.addUnit(MakeUnit("Root", kRootUnitId, kNoParentUnitId));

  for (int i = 0; i < plug.NParams(); ++i)
  {
    IParam* param = plug.GetParam(i);
    UnitID unit = kRootUnitId;
    const char* group = param->GetGroup();
    if (group && group[0])
    {
      size_t pos = 0;
      while (pos < mGroups.size() && mGroups[pos] != group)
        ++pos;
      if (pos == mGroups.size())
      {
        mGroups.emplace_back(group);
        controller.addUnit(MakeUnit(group, static_cast<UnitID>(mGroups.size()), kRootUnitId));
      }
      unit = static_cast<UnitID>(pos + 1);
    }
    params.addParameter(new (std::nothrow) IFxVST3Parameter(param, static_cast<ParamID>(i), unit));
  }

  if (takesMidi)
  {
    const UnitID ccUnit = controller.getUnitCount() + 1;
    controller.addUnit(MakeUnit("MIDI CCs", ccUnit, kRootUnitId));
    char name[16];
    std::snprintf(name, sizeof(name), "CH%i", 1);
    const UnitID channelUnit = controller.getUnitCount() + 1;
    controller.addUnit(MakeUnit(name, channelUnit, ccUnit));
    String128 title;
    for (int n = 0; n < 128; ++n)
    {
      StrWidenBytes(title, MidiControllerName(n), 128);
      params.addParameter(title, nullptr, 0, 0., 0, kMidiCCParamStartId + static_cast<ParamID>(n), channelUnit);
    }
    params.addParameter(u"Channel Aftertouch", nullptr, 0, 0., 0, kMidiCCParamStartId + 128, channelUnit);
    params.addParameter(u"Pitch Bend", nullptr, 0, 0.5, 0, kMidiCCParamStartId + 129, channelUnit);
  }
}

bool IFxVST3ControllerBase::SetChannelContextInfos(IAttributeList* list)
{
  if (!list)
    return false;
  using namespace ChannelContext;
  ReadContextString(list, kChannelNameLengthKey, kChannelNameKey, mChannelName);
  ReadContextString(list, kChannelUIDLengthKey, kChannelUIDKey, mChannelUID);
  int64 value = 0;
  if (list->getInt(kChannelIndexKey, value) == kResultOk)
    mChannelIndex = static_cast<int32_t>(value);
  if (list->getInt(kChannelColorKey, value) == kResultOk)
    mChannelColor = static_cast<uint32_t>(value);
  if (list->getInt(kChannelIndexNamespaceOrderKey, value) == kResultOk)
    mChannelNamespaceOrder = static_cast<int32_t>(value);
  ReadContextString(list, kChannelIndexNamespaceLengthKey, kChannelIndexNamespaceKey, mChannelNamespace);
  // Read for completeness; where the host put us changes nothing here.
  list->getInt(kChannelPluginLocationKey, value);
  return true;
}

} // namespace ifx
