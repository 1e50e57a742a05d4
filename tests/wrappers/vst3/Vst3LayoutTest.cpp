// Every published struct of the VST3 interface, field by field: size,
// alignment and offsets on x86_64 (the same on Windows and Linux), checked
// when this file compiles in either tree.
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

#define LAYOUT(T, size, align) static_assert(sizeof(T) == (size) && alignof(T) == (align), #T " size")
#define AT(T, field, offset) static_assert(offsetof(T, field) == (offset), #T "." #field)

LAYOUT(PFactoryInfo, 452, 4);
AT(PFactoryInfo, vendor, 0);
AT(PFactoryInfo, url, 64);
AT(PFactoryInfo, email, 320);
AT(PFactoryInfo, flags, 448);

LAYOUT(PClassInfo, 116, 4);
AT(PClassInfo, cid, 0);
AT(PClassInfo, cardinality, 16);
AT(PClassInfo, category, 20);
AT(PClassInfo, name, 52);

LAYOUT(PClassInfo2, 440, 4);
AT(PClassInfo2, cid, 0);
AT(PClassInfo2, cardinality, 16);
AT(PClassInfo2, category, 20);
AT(PClassInfo2, name, 52);
AT(PClassInfo2, classFlags, 116);
AT(PClassInfo2, subCategories, 120);
AT(PClassInfo2, vendor, 248);
AT(PClassInfo2, version, 312);
AT(PClassInfo2, sdkVersion, 376);

LAYOUT(PClassInfoW, 696, 4);
AT(PClassInfoW, cid, 0);
AT(PClassInfoW, cardinality, 16);
AT(PClassInfoW, category, 20);
AT(PClassInfoW, name, 52);
AT(PClassInfoW, classFlags, 180);
AT(PClassInfoW, subCategories, 184);
AT(PClassInfoW, vendor, 312);
AT(PClassInfoW, version, 440);
AT(PClassInfoW, sdkVersion, 568);

LAYOUT(BusInfo, 276, 4);
AT(BusInfo, mediaType, 0);
AT(BusInfo, direction, 4);
AT(BusInfo, channelCount, 8);
AT(BusInfo, name, 12);
AT(BusInfo, busType, 268);
AT(BusInfo, flags, 272);

LAYOUT(RoutingInfo, 12, 4);
AT(RoutingInfo, mediaType, 0);
AT(RoutingInfo, busIndex, 4);
AT(RoutingInfo, channel, 8);

LAYOUT(ProcessSetup, 24, 8);
AT(ProcessSetup, processMode, 0);
AT(ProcessSetup, symbolicSampleSize, 4);
AT(ProcessSetup, maxSamplesPerBlock, 8);
AT(ProcessSetup, sampleRate, 16);

LAYOUT(AudioBusBuffers, 24, 8);
AT(AudioBusBuffers, numChannels, 0);
AT(AudioBusBuffers, silenceFlags, 8);
AT(AudioBusBuffers, channelBuffers32, 16);

LAYOUT(ProcessData, 80, 8);
AT(ProcessData, processMode, 0);
AT(ProcessData, symbolicSampleSize, 4);
AT(ProcessData, numSamples, 8);
AT(ProcessData, numInputs, 12);
AT(ProcessData, numOutputs, 16);
AT(ProcessData, inputs, 24);
AT(ProcessData, outputs, 32);
AT(ProcessData, inputParameterChanges, 40);
AT(ProcessData, outputParameterChanges, 48);
AT(ProcessData, inputEvents, 56);
AT(ProcessData, outputEvents, 64);
AT(ProcessData, processContext, 72);

LAYOUT(FrameRate, 8, 4);
AT(FrameRate, framesPerSecond, 0);
AT(FrameRate, flags, 4);

LAYOUT(Chord, 4, 2);
AT(Chord, keyNote, 0);
AT(Chord, rootNote, 1);
AT(Chord, chordMask, 2);

LAYOUT(ProcessContext, 112, 8);
AT(ProcessContext, state, 0);
AT(ProcessContext, sampleRate, 8);
AT(ProcessContext, projectTimeSamples, 16);
AT(ProcessContext, systemTime, 24);
AT(ProcessContext, continousTimeSamples, 32);
AT(ProcessContext, projectTimeMusic, 40);
AT(ProcessContext, barPositionMusic, 48);
AT(ProcessContext, cycleStartMusic, 56);
AT(ProcessContext, cycleEndMusic, 64);
AT(ProcessContext, tempo, 72);
AT(ProcessContext, timeSigNumerator, 80);
AT(ProcessContext, timeSigDenominator, 84);
AT(ProcessContext, chord, 88);
AT(ProcessContext, smpteOffsetSubframes, 92);
AT(ProcessContext, frameRate, 96);
AT(ProcessContext, samplesToNextClock, 104);

LAYOUT(NoteOnEvent, 20, 4);
AT(NoteOnEvent, channel, 0);
AT(NoteOnEvent, pitch, 2);
AT(NoteOnEvent, tuning, 4);
AT(NoteOnEvent, velocity, 8);
AT(NoteOnEvent, length, 12);
AT(NoteOnEvent, noteId, 16);

LAYOUT(NoteOffEvent, 16, 4);
AT(NoteOffEvent, channel, 0);
AT(NoteOffEvent, pitch, 2);
AT(NoteOffEvent, velocity, 4);
AT(NoteOffEvent, noteId, 8);
AT(NoteOffEvent, tuning, 12);

LAYOUT(DataEvent, 16, 8);
AT(DataEvent, size, 0);
AT(DataEvent, type, 4);
AT(DataEvent, bytes, 8);

LAYOUT(PolyPressureEvent, 12, 4);
AT(PolyPressureEvent, channel, 0);
AT(PolyPressureEvent, pitch, 2);
AT(PolyPressureEvent, pressure, 4);
AT(PolyPressureEvent, noteId, 8);

LAYOUT(ChordEvent, 16, 8);
AT(ChordEvent, root, 0);
AT(ChordEvent, bassNote, 2);
AT(ChordEvent, mask, 4);
AT(ChordEvent, textLen, 6);
AT(ChordEvent, text, 8);

LAYOUT(ScaleEvent, 16, 8);
AT(ScaleEvent, root, 0);
AT(ScaleEvent, mask, 2);
AT(ScaleEvent, textLen, 4);
AT(ScaleEvent, text, 8);

LAYOUT(LegacyMIDICCOutEvent, 4, 1);
AT(LegacyMIDICCOutEvent, controlNumber, 0);
AT(LegacyMIDICCOutEvent, channel, 1);
AT(LegacyMIDICCOutEvent, value, 2);
AT(LegacyMIDICCOutEvent, value2, 3);

LAYOUT(NoteExpressionValueEvent, 16, 8);
AT(NoteExpressionValueEvent, typeId, 0);
AT(NoteExpressionValueEvent, noteId, 4);
AT(NoteExpressionValueEvent, value, 8);

LAYOUT(NoteExpressionTextEvent, 24, 8);
AT(NoteExpressionTextEvent, typeId, 0);
AT(NoteExpressionTextEvent, noteId, 4);
AT(NoteExpressionTextEvent, textLen, 8);
AT(NoteExpressionTextEvent, text, 16);

LAYOUT(Event, 48, 8);
AT(Event, busIndex, 0);
AT(Event, sampleOffset, 4);
AT(Event, ppqPosition, 8);
AT(Event, flags, 16);
AT(Event, type, 18);
AT(Event, noteOn, 24);

LAYOUT(ParameterInfo, 792, 8);
AT(ParameterInfo, id, 0);
AT(ParameterInfo, title, 4);
AT(ParameterInfo, shortTitle, 260);
AT(ParameterInfo, units, 516);
AT(ParameterInfo, stepCount, 772);
AT(ParameterInfo, defaultNormalizedValue, 776);
AT(ParameterInfo, unitId, 784);
AT(ParameterInfo, flags, 788);

LAYOUT(UnitInfo, 268, 4);
AT(UnitInfo, id, 0);
AT(UnitInfo, parentUnitId, 4);
AT(UnitInfo, name, 8);
AT(UnitInfo, programListId, 264);

LAYOUT(ProgramListInfo, 264, 4);
AT(ProgramListInfo, id, 0);
AT(ProgramListInfo, name, 4);
AT(ProgramListInfo, programCount, 260);

LAYOUT(IContextMenuItem, 264, 4);
AT(IContextMenuItem, name, 0);
AT(IContextMenuItem, tag, 256);
AT(IContextMenuItem, flags, 260);

LAYOUT(ViewRect, 16, 4);
AT(ViewRect, left, 0);
AT(ViewRect, top, 4);
AT(ViewRect, right, 8);
AT(ViewRect, bottom, 12);
