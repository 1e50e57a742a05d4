#pragma once
// Types and constants of the Steinberg::Vst namespace shared by many
// interfaces: ids, samples, speaker arrangements, version text.
#include "abi/vst3/Vst3Base.h"

namespace Steinberg {
namespace Vst {

using TChar = char16;
using String128 = TChar[128];
using CString = const char8*;
using MediaType = int32;
using BusDirection = int32;
using BusType = int32;
using IoMode = int32;
using UnitID = int32;
using ProgramListID = int32;
using ParamValue = double;
using ParamID = uint32;
using TQuarterNotes = double;
using SampleRate = double;
using Sample32 = float;
using Sample64 = double;
using CtrlNumber = int16;
using TSamples = int64;
using ColorSpec = uint32;
using SpeakerArrangement = uint64;
using Speaker = uint64;
using KnobMode = int32;

static_assert(sizeof(String128) == 256, "String128 is 128 UTF-16 units");

constexpr ParamID kNoParamId = 0xFFFFFFFF;
constexpr const char8* kVstVersionString = "VST 3.8.0";
constexpr const char8* kVstAudioEffectClass = "Audio Module Class";

enum MediaTypes : int32
{
  kAudio = 0,
  kEvent = 1,
  kNumMediaTypes = 2
};
enum BusDirections : int32
{
  kInput = 0,
  kOutput = 1
};
enum BusTypes : int32
{
  kMain = 0,
  kAux = 1
};
enum IoModes : int32
{
  kSimple = 0,
  kAdvanced = 1,
  kOfflineProcessing = 2
};
enum ComponentFlags : uint32
{
  kDistributable = 1,
  kSimpleModeSupported = 2
};

namespace SpeakerArr {
constexpr SpeakerArrangement kEmpty = 0;
constexpr SpeakerArrangement kMono = 1ull << 19;
constexpr SpeakerArrangement kStereo = 0x3;
} // namespace SpeakerArr

// Channel count of an arrangement: its number of speakers (set bits).
inline int32 SpeakerCount(SpeakerArrangement arr) noexcept
{
  int32 n = 0;
  for (; arr; arr &= arr - 1)
    ++n;
  return n;
}

} // namespace Vst
} // namespace Steinberg
