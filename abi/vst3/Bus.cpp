#include "abi/vst3/Bus.h"

#include <new>

#include "abi/vst3/Vst3Strings.h"

namespace Steinberg {
namespace Vst {

Bus::Bus(const TChar* n, BusType type, int32 f) : name(n ? n : u""), busType(type), flags(f) {}

bool Bus::getInfo(BusInfo& info) const
{
  StrCopy16(info.name, name.c_str(), 128);
  info.busType = busType;
  info.flags = static_cast<uint32>(flags);
  return true;
}

EventBus::EventBus(const TChar* n, BusType type, int32 f, int32 channels) : Bus(n, type, f), channelCount(channels) {}

bool EventBus::getInfo(BusInfo& info) const
{
  info.mediaType = kEvent;
  info.channelCount = channelCount;
  return Bus::getInfo(info);
}

AudioBus::AudioBus(const TChar* n, BusType type, int32 f, SpeakerArrangement arr) : Bus(n, type, f), speakerArr(arr) {}

bool AudioBus::getInfo(BusInfo& info) const
{
  info.mediaType = kAudio;
  info.channelCount = SpeakerCount(speakerArr);
  return Bus::getInfo(info);
}

bool BusList::add(Bus* bus)
{
  if (!bus)
    return false;
  try
  {
    buses.push_back(bus);
  }
  catch (const std::bad_alloc&)
  {
    bus->release();
    return false;
  }
  return true;
}

Bus* BusList::at(int32 index) const
{
  return index >= 0 && index < count() ? buses[static_cast<size_t>(index)] : nullptr;
}

void BusList::clear()
{
  for (Bus* bus : buses)
    bus->release();
  buses.clear();
}

} // namespace Vst
} // namespace Steinberg
