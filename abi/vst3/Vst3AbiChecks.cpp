// Compile-time checks of every published struct of the VST3 interface, field
// by field: size, alignment and offsets on x86_64 (the same on Windows and
// Linux). A mismatch would corrupt every call between host and plug-in, so it
// must fail the build.
#include <cstddef>

#include "abi/vst3/Vst3AudioProcessor.h"
#include "abi/vst3/Vst3Component.h"
#include "abi/vst3/Vst3ContextMenu.h"
#include "abi/vst3/Vst3EditController.h"
#include "abi/vst3/Vst3Events.h"
#include "abi/vst3/Vst3PlugView.h"
#include "abi/vst3/Vst3PluginBase.h"
#include "abi/vst3/Vst3Units.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

#define CHECK_SIZE(T, size, align)                \
  static_assert(sizeof(T) == (size), #T " size"); \
  static_assert(alignof(T) == (align), #T " alignment")
#define CHECK_AT(T, field, offset) static_assert(offsetof(T, field) == (offset), #T "." #field)

CHECK_SIZE(PFactoryInfo, 452, 4);
CHECK_AT(PFactoryInfo, vendor, 0);
CHECK_AT(PFactoryInfo, url, 64);
CHECK_AT(PFactoryInfo, email, 320);
CHECK_AT(PFactoryInfo, flags, 448);

CHECK_SIZE(PClassInfo, 116, 4);
CHECK_AT(PClassInfo, cid, 0);
CHECK_AT(PClassInfo, cardinality, 16);
CHECK_AT(PClassInfo, category, 20);
CHECK_AT(PClassInfo, name, 52);

CHECK_SIZE(PClassInfo2, 440, 4);
CHECK_AT(PClassInfo2, cid, 0);
CHECK_AT(PClassInfo2, cardinality, 16);
CHECK_AT(PClassInfo2, category, 20);
CHECK_AT(PClassInfo2, name, 52);
CHECK_AT(PClassInfo2, classFlags, 116);
CHECK_AT(PClassInfo2, subCategories, 120);
CHECK_AT(PClassInfo2, vendor, 248);
CHECK_AT(PClassInfo2, version, 312);
CHECK_AT(PClassInfo2, sdkVersion, 376);

CHECK_SIZE(PClassInfoW, 696, 4);
CHECK_AT(PClassInfoW, cid, 0);
CHECK_AT(PClassInfoW, cardinality, 16);
CHECK_AT(PClassInfoW, category, 20);
CHECK_AT(PClassInfoW, name, 52);
CHECK_AT(PClassInfoW, classFlags, 180);
CHECK_AT(PClassInfoW, subCategories, 184);
CHECK_AT(PClassInfoW, vendor, 312);
CHECK_AT(PClassInfoW, version, 440);
CHECK_AT(PClassInfoW, sdkVersion, 568);

CHECK_SIZE(BusInfo, 276, 4);
CHECK_AT(BusInfo, mediaType, 0);
CHECK_AT(BusInfo, direction, 4);
CHECK_AT(BusInfo, channelCount, 8);
CHECK_AT(BusInfo, name, 12);
CHECK_AT(BusInfo, busType, 268);
CHECK_AT(BusInfo, flags, 272);

CHECK_SIZE(RoutingInfo, 12, 4);
CHECK_AT(RoutingInfo, mediaType, 0);
CHECK_AT(RoutingInfo, busIndex, 4);
CHECK_AT(RoutingInfo, channel, 8);

CHECK_SIZE(ProcessSetup, 24, 8);
CHECK_AT(ProcessSetup, processMode, 0);
CHECK_AT(ProcessSetup, symbolicSampleSize, 4);
CHECK_AT(ProcessSetup, maxSamplesPerBlock, 8);
CHECK_AT(ProcessSetup, sampleRate, 16);

CHECK_SIZE(AudioBusBuffers, 24, 8);
CHECK_AT(AudioBusBuffers, numChannels, 0);
CHECK_AT(AudioBusBuffers, silenceFlags, 8);
CHECK_AT(AudioBusBuffers, channelBuffers32, 16);

CHECK_SIZE(ProcessData, 80, 8);
CHECK_AT(ProcessData, processMode, 0);
CHECK_AT(ProcessData, symbolicSampleSize, 4);
CHECK_AT(ProcessData, numSamples, 8);
CHECK_AT(ProcessData, numInputs, 12);
CHECK_AT(ProcessData, numOutputs, 16);
CHECK_AT(ProcessData, inputs, 24);
CHECK_AT(ProcessData, outputs, 32);
CHECK_AT(ProcessData, inputParameterChanges, 40);
CHECK_AT(ProcessData, outputParameterChanges, 48);
CHECK_AT(ProcessData, inputEvents, 56);
CHECK_AT(ProcessData, outputEvents, 64);
CHECK_AT(ProcessData, processContext, 72);

CHECK_SIZE(FrameRate, 8, 4);
CHECK_AT(FrameRate, framesPerSecond, 0);
CHECK_AT(FrameRate, flags, 4);

CHECK_SIZE(Chord, 4, 2);
CHECK_AT(Chord, keyNote, 0);
CHECK_AT(Chord, rootNote, 1);
CHECK_AT(Chord, chordMask, 2);

CHECK_SIZE(ProcessContext, 112, 8);
CHECK_AT(ProcessContext, state, 0);
CHECK_AT(ProcessContext, sampleRate, 8);
CHECK_AT(ProcessContext, projectTimeSamples, 16);
CHECK_AT(ProcessContext, systemTime, 24);
CHECK_AT(ProcessContext, continousTimeSamples, 32);
CHECK_AT(ProcessContext, projectTimeMusic, 40);
CHECK_AT(ProcessContext, barPositionMusic, 48);
CHECK_AT(ProcessContext, cycleStartMusic, 56);
CHECK_AT(ProcessContext, cycleEndMusic, 64);
CHECK_AT(ProcessContext, tempo, 72);
CHECK_AT(ProcessContext, timeSigNumerator, 80);
CHECK_AT(ProcessContext, timeSigDenominator, 84);
CHECK_AT(ProcessContext, chord, 88);
CHECK_AT(ProcessContext, smpteOffsetSubframes, 92);
CHECK_AT(ProcessContext, frameRate, 96);
CHECK_AT(ProcessContext, samplesToNextClock, 104);

CHECK_SIZE(NoteOnEvent, 20, 4);
CHECK_AT(NoteOnEvent, channel, 0);
CHECK_AT(NoteOnEvent, pitch, 2);
CHECK_AT(NoteOnEvent, tuning, 4);
CHECK_AT(NoteOnEvent, velocity, 8);
CHECK_AT(NoteOnEvent, length, 12);
CHECK_AT(NoteOnEvent, noteId, 16);

CHECK_SIZE(NoteOffEvent, 16, 4);
CHECK_AT(NoteOffEvent, channel, 0);
CHECK_AT(NoteOffEvent, pitch, 2);
CHECK_AT(NoteOffEvent, velocity, 4);
CHECK_AT(NoteOffEvent, noteId, 8);
CHECK_AT(NoteOffEvent, tuning, 12);

CHECK_SIZE(DataEvent, 16, 8);
CHECK_AT(DataEvent, size, 0);
CHECK_AT(DataEvent, type, 4);
CHECK_AT(DataEvent, bytes, 8);

CHECK_SIZE(PolyPressureEvent, 12, 4);
CHECK_AT(PolyPressureEvent, channel, 0);
CHECK_AT(PolyPressureEvent, pitch, 2);
CHECK_AT(PolyPressureEvent, pressure, 4);
CHECK_AT(PolyPressureEvent, noteId, 8);

CHECK_SIZE(ChordEvent, 16, 8);
CHECK_AT(ChordEvent, root, 0);
CHECK_AT(ChordEvent, bassNote, 2);
CHECK_AT(ChordEvent, mask, 4);
CHECK_AT(ChordEvent, textLen, 6);
CHECK_AT(ChordEvent, text, 8);

CHECK_SIZE(ScaleEvent, 16, 8);
CHECK_AT(ScaleEvent, root, 0);
CHECK_AT(ScaleEvent, mask, 2);
CHECK_AT(ScaleEvent, textLen, 4);
CHECK_AT(ScaleEvent, text, 8);

CHECK_SIZE(LegacyMIDICCOutEvent, 4, 1);
CHECK_AT(LegacyMIDICCOutEvent, controlNumber, 0);
CHECK_AT(LegacyMIDICCOutEvent, channel, 1);
CHECK_AT(LegacyMIDICCOutEvent, value, 2);
CHECK_AT(LegacyMIDICCOutEvent, value2, 3);

CHECK_SIZE(NoteExpressionValueEvent, 16, 8);
CHECK_AT(NoteExpressionValueEvent, typeId, 0);
CHECK_AT(NoteExpressionValueEvent, noteId, 4);
CHECK_AT(NoteExpressionValueEvent, value, 8);

CHECK_SIZE(NoteExpressionTextEvent, 24, 8);
CHECK_AT(NoteExpressionTextEvent, typeId, 0);
CHECK_AT(NoteExpressionTextEvent, noteId, 4);
CHECK_AT(NoteExpressionTextEvent, textLen, 8);
CHECK_AT(NoteExpressionTextEvent, text, 16);

CHECK_SIZE(Event, 48, 8);
CHECK_AT(Event, busIndex, 0);
CHECK_AT(Event, sampleOffset, 4);
CHECK_AT(Event, ppqPosition, 8);
CHECK_AT(Event, flags, 16);
CHECK_AT(Event, type, 18);
CHECK_AT(Event, noteOn, 24);

CHECK_SIZE(ParameterInfo, 792, 8);
CHECK_AT(ParameterInfo, id, 0);
CHECK_AT(ParameterInfo, title, 4);
CHECK_AT(ParameterInfo, shortTitle, 260);
CHECK_AT(ParameterInfo, units, 516);
CHECK_AT(ParameterInfo, stepCount, 772);
CHECK_AT(ParameterInfo, defaultNormalizedValue, 776);
CHECK_AT(ParameterInfo, unitId, 784);
CHECK_AT(ParameterInfo, flags, 788);

CHECK_SIZE(UnitInfo, 268, 4);
CHECK_AT(UnitInfo, id, 0);
CHECK_AT(UnitInfo, parentUnitId, 4);
CHECK_AT(UnitInfo, name, 8);
CHECK_AT(UnitInfo, programListId, 264);

CHECK_SIZE(ProgramListInfo, 264, 4);
CHECK_AT(ProgramListInfo, id, 0);
CHECK_AT(ProgramListInfo, name, 4);
CHECK_AT(ProgramListInfo, programCount, 260);

CHECK_SIZE(IContextMenuItem, 264, 4);
CHECK_AT(IContextMenuItem, name, 0);
CHECK_AT(IContextMenuItem, tag, 256);
CHECK_AT(IContextMenuItem, flags, 260);

CHECK_SIZE(ViewRect, 16, 4);
CHECK_AT(ViewRect, left, 0);
CHECK_AT(ViewRect, top, 4);
CHECK_AT(ViewRect, right, 8);
CHECK_AT(ViewRect, bottom, 12);
