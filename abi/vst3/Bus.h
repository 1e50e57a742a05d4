#pragma once
// Audio and event buses of a component and the lists that hold them.
#include <string>
#include <vector>

#include "abi/vst3/FObject.h"
#include "abi/vst3/Vst3Component.h"

namespace Steinberg {
namespace Vst {

class Bus : public FObject
{
public:
  Bus(const TChar* name, BusType busType, int32 flags);
  bool isActive() const { return active; }
  void setActive(TBool state) { active = state != 0; }
  const std::u16string& getName() const { return name; }
  void setName(const TChar* newName) { name = newName ? newName : u""; }
  BusType getBusType() const { return busType; }
  int32 getFlags() const { return flags; }
  // Fills name, bus type and flags; the subclasses add media type and
  // channel count.
  virtual bool getInfo(BusInfo& info) const;
  MURKWISP_FOBJECT_CLASS(Bus, FObject)

protected:
  std::u16string name;
  BusType busType;
  int32 flags;
  bool active = false;
};

class EventBus : public Bus
{
public:
  EventBus(const TChar* name, BusType busType, int32 flags, int32 channelCount);
  bool getInfo(BusInfo& info) const override;
  MURKWISP_FOBJECT_CLASS(EventBus, Bus)

private:
  int32 channelCount;
};

class AudioBus : public Bus
{
public:
  AudioBus(const TChar* name, BusType busType, int32 flags, SpeakerArrangement arr);
  SpeakerArrangement getArrangement() const { return speakerArr; }
  void setArrangement(SpeakerArrangement arr) { speakerArr = arr; }
  bool getInfo(BusInfo& info) const override;
  MURKWISP_FOBJECT_CLASS(AudioBus, Bus)

private:
  SpeakerArrangement speakerArr;
};

// Holds one reference per bus; buses of one media type and direction.
class BusList
{
public:
  BusList(MediaType type, BusDirection direction) : type(type), direction(direction) {}
  BusList(const BusList&) = delete;
  BusList& operator=(const BusList&) = delete;
  ~BusList() { clear(); }

  // Takes over the caller's reference; false (and released) when it cannot
  // be stored.
  bool add(Bus* bus);
  int32 count() const { return static_cast<int32>(buses.size()); }
  Bus* at(int32 index) const;
  void clear();
  MediaType getType() const { return type; }
  BusDirection getDirection() const { return direction; }

private:
  MediaType type;
  BusDirection direction;
  std::vector<Bus*> buses;
};

} // namespace Vst
} // namespace Steinberg
