#pragma once
// The audio processor interface and the records of one process call.
#include <cstddef>

#include "abi/vst3/Vst3Events.h"
#include "abi/vst3/Vst3ParameterChanges.h"
#include "abi/vst3/Vst3Types.h"

namespace Steinberg {
namespace Vst {

enum SymbolicSampleSizes : int32
{
  kSample32 = 0,
  kSample64 = 1
};
enum ProcessModes : int32
{
  kRealtime = 0,
  kPrefetch = 1,
  kOffline = 2
};
constexpr uint32 kNoTail = 0;
constexpr uint32 kInfiniteTail = 0xFFFFFFFFu;

struct ProcessSetup
{
  int32 processMode;
  int32 symbolicSampleSize;
  int32 maxSamplesPerBlock;
  SampleRate sampleRate;
};

struct AudioBusBuffers
{
  int32 numChannels;
  uint64 silenceFlags;
  union
  {
    Sample32** channelBuffers32;
    Sample64** channelBuffers64;
  };
};

struct FrameRate
{
  enum FrameRateFlags : uint32
  {
    kPullDownRate = 1,
    kDropRate = 2
  };
  uint32 framesPerSecond;
  uint32 flags;
};

struct Chord
{
  uint8 keyNote;
  uint8 rootNote;
  int16 chordMask;
};

struct ProcessContext
{
  enum StatesAndFlags : uint32
  {
    kPlaying = 1 << 1,
    kCycleActive = 1 << 2,
    kRecording = 1 << 3,
    kSystemTimeValid = 1 << 8,
    kProjectTimeMusicValid = 1 << 9,
    kTempoValid = 1 << 10,
    kBarPositionValid = 1 << 11,
    kCycleValid = 1 << 12,
    kTimeSigValid = 1 << 13,
    kSmpteValid = 1 << 14,
    kClockValid = 1 << 15,
    kContTimeValid = 1 << 17,
    kChordValid = 1 << 18,
  };
  uint32 state;
  double sampleRate;
  TSamples projectTimeSamples;
  int64 systemTime;
  TSamples continousTimeSamples;
  TQuarterNotes projectTimeMusic;
  TQuarterNotes barPositionMusic;
  TQuarterNotes cycleStartMusic;
  TQuarterNotes cycleEndMusic;
  double tempo;
  int32 timeSigNumerator;
  int32 timeSigDenominator;
  Chord chord;
  int32 smpteOffsetSubframes;
  FrameRate frameRate;
  int32 samplesToNextClock;
};

struct ProcessData
{
  int32 processMode;
  int32 symbolicSampleSize;
  int32 numSamples;
  int32 numInputs;
  int32 numOutputs;
  AudioBusBuffers* inputs;
  AudioBusBuffers* outputs;
  IParameterChanges* inputParameterChanges;
  IParameterChanges* outputParameterChanges;
  IEventList* inputEvents;
  IEventList* outputEvents;
  ProcessContext* processContext;
};

static_assert(sizeof(ProcessSetup) == 24 && alignof(ProcessSetup) == 8 && offsetof(ProcessSetup, sampleRate) == 16,
              "ProcessSetup layout");
static_assert(sizeof(AudioBusBuffers) == 24 && offsetof(AudioBusBuffers, silenceFlags) == 8 &&
                offsetof(AudioBusBuffers, channelBuffers32) == 16,
              "AudioBusBuffers layout");
static_assert(sizeof(FrameRate) == 8 && sizeof(Chord) == 4 && alignof(Chord) == 2, "FrameRate and Chord");
static_assert(sizeof(ProcessContext) == 112 && alignof(ProcessContext) == 8 &&
                offsetof(ProcessContext, sampleRate) == 8 && offsetof(ProcessContext, projectTimeSamples) == 16 &&
                offsetof(ProcessContext, projectTimeMusic) == 40 && offsetof(ProcessContext, tempo) == 72 &&
                offsetof(ProcessContext, timeSigNumerator) == 80 && offsetof(ProcessContext, chord) == 88 &&
                offsetof(ProcessContext, smpteOffsetSubframes) == 92 && offsetof(ProcessContext, frameRate) == 96 &&
                offsetof(ProcessContext, samplesToNextClock) == 104,
              "ProcessContext layout");
static_assert(sizeof(ProcessData) == 80 && offsetof(ProcessData, numOutputs) == 16 &&
                offsetof(ProcessData, inputs) == 24 && offsetof(ProcessData, outputs) == 32 &&
                offsetof(ProcessData, inputParameterChanges) == 40 &&
                offsetof(ProcessData, outputParameterChanges) == 48 && offsetof(ProcessData, inputEvents) == 56 &&
                offsetof(ProcessData, outputEvents) == 64 && offsetof(ProcessData, processContext) == 72,
              "ProcessData layout");

class IAudioProcessor : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D)
  virtual tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                                int32 numOuts) = 0;
  virtual tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) = 0;
  virtual tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) = 0;
  virtual uint32 PLUGIN_API getLatencySamples() = 0;
  virtual tresult PLUGIN_API setupProcessing(ProcessSetup& setup) = 0;
  virtual tresult PLUGIN_API setProcessing(TBool state) = 0;
  virtual tresult PLUGIN_API process(ProcessData& data) = 0;
  virtual uint32 PLUGIN_API getTailSamples() = 0;
  MURKWISP_VST3_INTERFACE(IAudioProcessor)
};

class IProcessContextRequirements : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0)
  enum Flags : uint32
  {
    kNeedSystemTime = 1 << 0,
    kNeedContinousTimeSamples = 1 << 1,
    kNeedProjectTimeMusic = 1 << 2,
    kNeedBarPositionMusic = 1 << 3,
    kNeedCycleMusic = 1 << 4,
    kNeedSamplesToNextClock = 1 << 5,
    kNeedTempo = 1 << 6,
    kNeedTimeSignature = 1 << 7,
    kNeedChord = 1 << 8,
    kNeedFrameRate = 1 << 9,
    kNeedTransportState = 1 << 10,
  };
  virtual uint32 PLUGIN_API getProcessContextRequirements() = 0;
  MURKWISP_VST3_INTERFACE(IProcessContextRequirements)
};

} // namespace Vst
} // namespace Steinberg
