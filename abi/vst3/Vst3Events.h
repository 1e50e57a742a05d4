#pragma once
// Events (notes, data, legacy MIDI controllers) and the event list.
#include <cstddef>

#include "abi/vst3/Vst3Types.h"

namespace Steinberg {
namespace Vst {

struct NoteOnEvent
{
  int16 channel;
  int16 pitch;
  float tuning;
  float velocity;
  int32 length;
  int32 noteId;
};

struct NoteOffEvent
{
  int16 channel;
  int16 pitch;
  float velocity;
  int32 noteId;
  float tuning;
};

struct DataEvent
{
  enum DataTypes : uint32
  {
    kMidiSysEx = 0
  };
  uint32 size;
  uint32 type;
  const uint8* bytes;
};

struct PolyPressureEvent
{
  int16 channel;
  int16 pitch;
  float pressure;
  int32 noteId;
};

struct ChordEvent
{
  int16 root;
  int16 bassNote;
  int16 mask;
  uint16 textLen;
  const TChar* text;
};

struct ScaleEvent
{
  int16 root;
  int16 mask;
  uint16 textLen;
  const TChar* text;
};

struct LegacyMIDICCOutEvent
{
  uint8 controlNumber;
  int8 channel;
  int8 value;
  int8 value2;
};

struct NoteExpressionValueEvent
{
  uint32 typeId;
  int32 noteId;
  double value;
};

struct NoteExpressionTextEvent
{
  uint32 typeId;
  int32 noteId;
  uint32 textLen;
  const TChar* text;
};

struct Event
{
  enum EventFlags : uint16
  {
    kIsLive = 1,
    kUserReserved1 = 0x4000,
    kUserReserved2 = 0x8000
  };
  enum EventTypes : uint16
  {
    kNoteOnEvent = 0,
    kNoteOffEvent = 1,
    kDataEvent = 2,
    kPolyPressureEvent = 3,
    kNoteExpressionValueEvent = 4,
    kNoteExpressionTextEvent = 5,
    kChordEvent = 6,
    kScaleEvent = 7,
    kLegacyMIDICCOutEvent = 65535,
  };
  int32 busIndex;
  int32 sampleOffset;
  TQuarterNotes ppqPosition;
  uint16 flags;
  uint16 type;
  union
  {
    NoteOnEvent noteOn;
    NoteOffEvent noteOff;
    DataEvent data;
    PolyPressureEvent polyPressure;
    NoteExpressionValueEvent noteExpressionValue;
    NoteExpressionTextEvent noteExpressionText;
    ChordEvent chord;
    ScaleEvent scale;
    LegacyMIDICCOutEvent midiCCOut;
  };
};

static_assert(sizeof(NoteOnEvent) == 20 && sizeof(NoteOffEvent) == 16 && offsetof(NoteOffEvent, tuning) == 12,
              "note event layout");
static_assert(sizeof(DataEvent) == 16 && offsetof(DataEvent, bytes) == 8, "DataEvent layout");
static_assert(sizeof(PolyPressureEvent) == 12 && sizeof(LegacyMIDICCOutEvent) == 4, "small event layouts");
static_assert(sizeof(ChordEvent) == 16 && sizeof(ScaleEvent) == 16 && offsetof(ScaleEvent, text) == 8,
              "chord and scale layouts");
static_assert(sizeof(NoteExpressionValueEvent) == 16 && sizeof(NoteExpressionTextEvent) == 24 &&
                offsetof(NoteExpressionTextEvent, text) == 16,
              "note expression layouts");
static_assert(sizeof(Event) == 48 && alignof(Event) == 8 && offsetof(Event, ppqPosition) == 8 &&
                offsetof(Event, flags) == 16 && offsetof(Event, type) == 18 && offsetof(Event, noteOn) == 24,
              "Event layout");

// Controller numbers beyond the 128 MIDI controllers.
enum ControllerNumbers : int16
{
  kAfterTouch = 128,
  kPitchBend = 129,
  kCountCtrlNumber = 130,
  kCtrlProgramChange = 130,
  kCtrlPolyPressure = 131,
  kCtrlQuarterFrame = 132,
};

class IEventList : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44)
  virtual int32 PLUGIN_API getEventCount() = 0;
  virtual tresult PLUGIN_API getEvent(int32 index, Event& e) = 0;
  virtual tresult PLUGIN_API addEvent(Event& e) = 0;
  MURKWISP_VST3_INTERFACE(IEventList)
};

} // namespace Vst
} // namespace Steinberg
