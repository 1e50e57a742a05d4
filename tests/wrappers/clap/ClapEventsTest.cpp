// Events between host and plug-in: the editor's gestures and values through
// the parameter-to-host ring, host parameter events, notes, MIDI and SysEx in
// and out, and the time-ordered output queues.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ClapTestFixture.h"
#include "base/IParam.h"

namespace {

using claphost::InputEvents;
using claphost::OutputEvents;
using clap_tests::MurkwispClapFixture;

using ClapEventsTest = MurkwispClapFixture;

TEST_F(ClapEventsTest, EditorGestureReachesTheHostInOrderThroughFlush)
{
  plugin->BeginParamGestureFromUI(3);
  plugin->ApplyParamValueFromUI(3, 0.25);
  plugin->EndParamGestureFromUI(3);
  EXPECT_DOUBLE_EQ(plugin->GetParam(3)->Value(), 25.0);
  EXPECT_GE(host.flushRequests, 1);

  OutputEvents out;
  hosted->PumpMainThread(&out);
  ASSERT_EQ(out.Events().size(), 3u);
  EXPECT_EQ(out.Events()[0].header.type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
  EXPECT_EQ(out.Events()[1].header.type, CLAP_EVENT_PARAM_VALUE);
  EXPECT_EQ(out.Events()[2].header.type, CLAP_EVENT_PARAM_GESTURE_END);
  for (const auto& ev : out.Events())
  {
    EXPECT_EQ(ev.header.time, 0u);
    EXPECT_EQ(ev.paramId, 3u);
  }
  EXPECT_DOUBLE_EQ(out.Events()[1].value, 0.25);
  EXPECT_TRUE(out.Problems().empty());
  EXPECT_EQ(plugin->PendingParamChangesToHost(), 0);
}

TEST_F(ClapEventsTest, EntriesTheHostRefusesLeaveLaterInOrder)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 256));
  plugin->BeginParamGestureFromUI(3);
  plugin->ApplyParamValueFromUI(3, 0.25);
  plugin->EndParamGestureFromUI(3);

  // A full list in a flush and in a block: nothing is taken, nothing lost.
  OutputEvents full;
  full.Refuse(true);
  hosted->PumpMainThread(&full);
  ProcessBlock(64, nullptr, &full);
  EXPECT_TRUE(full.Events().empty());
  EXPECT_EQ(plugin->PendingParamChangesToHost(), 3);

  // The next block's list takes all three, the gesture's end last.
  OutputEvents out;
  ProcessBlock(64, nullptr, &out);
  ASSERT_EQ(out.Events().size(), 3u);
  EXPECT_EQ(out.Events()[0].header.type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
  EXPECT_EQ(out.Events()[1].header.type, CLAP_EVENT_PARAM_VALUE);
  EXPECT_DOUBLE_EQ(out.Events()[1].value, 0.25);
  EXPECT_EQ(out.Events()[2].header.type, CLAP_EVENT_PARAM_GESTURE_END);
  EXPECT_EQ(plugin->PendingParamChangesToHost(), 0);
}

TEST_F(ClapEventsTest, EnumValueGoesOutInPlainUnits)
{
  plugin->ApplyParamValueFromUI(4, 0.75);  // Octave, 5 entries
  OutputEvents out;
  hosted->PumpMainThread(&out);
  ASSERT_EQ(out.Events().size(), 1u);
  EXPECT_DOUBLE_EQ(out.Events()[0].value, 3.0);
}

TEST_F(ClapEventsTest, FullRingKeeps512Entries)
{
  for (int i = 0; i < 600; ++i)
    plugin->BeginHostParamGesture(0);
  EXPECT_EQ(plugin->PendingParamChangesToHost(), 512);
  plugin->BeginHostParamGesture(99);  // no such parameter: nothing queued
  EXPECT_EQ(plugin->PendingParamChangesToHost(), 512);
}

TEST_F(ClapEventsTest, WhileProcessingEntriesLeaveWithTheNextBlock)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 256));
  host.RunOnAudioThread([&] { ASSERT_TRUE(hosted->StartProcessing()); });
  plugin->ApplyParamValueFromUI(12, 0.5);
  OutputEvents out;
  host.RunOnAudioThread([&] {
    std::vector<float> buf(64, 0.f);
    float* io[2] = {buf.data(), buf.data()};
    hosted->Process32(io, 2, io, 2, 64, nullptr, &out);
    hosted->StopProcessing();
  });
  ASSERT_EQ(out.Events().size(), 1u);
  EXPECT_EQ(out.Events()[0].paramId, 12u);
  EXPECT_DOUBLE_EQ(out.Events()[0].value, 0.5);
}

TEST_F(ClapEventsTest, HostParameterEventsAreCheckedAndApplied)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 256));
  InputEvents in;
  in.AddParamValue(0, 2, 0.25);            // Haunt 0..100, normalised
  in.AddParamValue(1, 4, 1.0);             // Octave, plain units
  in.AddParamValue(2, 13, 0.5);            // no such id
  in.AddParamValue(3, 8, std::nan(""));    // not a number
  in.AddParamValue(4, 7, HUGE_VAL);        // infinite
  clap_event_param_value_t shortEvent{};
  shortEvent.header.size = sizeof(clap_event_header_t);  // too short for its type
  shortEvent.header.type = CLAP_EVENT_PARAM_VALUE;
  shortEvent.param_id = 9;
  shortEvent.value = 1.0;
  in.AddRaw(&shortEvent, sizeof(shortEvent));
  clap_event_param_value_t foreign{};
  foreign.header.size = sizeof(foreign);
  foreign.header.space_id = 7;  // not the core event space
  foreign.header.type = CLAP_EVENT_PARAM_VALUE;
  foreign.param_id = 10;
  foreign.value = 1.0;
  in.AddRaw(&foreign, sizeof(foreign));

  const std::vector<double> before = hosted->AllParamValues();
  EXPECT_NE(ProcessBlock(128, &in, nullptr), CLAP_PROCESS_ERROR);
  EXPECT_DOUBLE_EQ(plugin->GetParam(2)->Value(), 25.0);
  EXPECT_DOUBLE_EQ(plugin->GetParam(4)->Value(), 1.0);
  // The bad events touched nothing: Freeze, Smear, Whisper, Whisper Mode.
  const std::vector<double> after = hosted->AllParamValues();
  for (int id : {7, 8, 9, 10})
    EXPECT_EQ(after[id], before[id]) << "parameter " << id;
  // The editor hears of the two valid changes, in plain units.
  EXPECT_EQ(plugin->paramToEditorRing.ElementsQueued(), 2);
}

TEST_F(ClapEventsTest, NotesBecomeMidiAndComeBackAsNotes)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 256));
  InputEvents in;
  in.AddNoteOn(5, 3, 60, 0.5);
  in.AddNoteOn(6, 0, 61, 1.0);
  in.AddNoteOn(7, -1, 62, 1.0);  // wildcard channel
  in.AddNoteOn(8, 0, -1, 1.0);   // wildcard key
  OutputEvents out;
  ProcessBlock(128, &in, &out);
  ASSERT_EQ(out.Events().size(), 2u);
  EXPECT_EQ(out.Events()[0].header.type, CLAP_EVENT_NOTE_ON);
  EXPECT_EQ(out.Events()[0].header.time, 5u);
  EXPECT_EQ(out.Events()[0].bytes, (std::vector<uint8_t>{3, 60}));
  EXPECT_DOUBLE_EQ(out.Events()[0].value, 64 / 127.0);  // 63.5 rounds away from zero
  EXPECT_DOUBLE_EQ(out.Events()[1].value, 1.0);
  EXPECT_EQ(plugin->midiToEditorRing.ElementsQueued(), 2);
}

TEST_F(ClapEventsTest, MidiBeyondTheBlockLeavesInALaterBlockAtTheRightTime)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 512));
  plugin->EmitMidiMessage(ifx::IMidiMessage(700, 0xB0, 7, 100));
  plugin->EmitMidiMessage(ifx::IMidiMessage(10, 0x93, 60, 100));
  const uint8_t sysex[3] = {0xF0, 0x01, 0xF7};
  EXPECT_TRUE(plugin->EmitSysExMessage(ifx::ISysExMessage(10, sysex, 3)));
  OutputEvents first;
  ProcessBlock(512, nullptr, &first);
  ASSERT_EQ(first.Events().size(), 2u);
  EXPECT_EQ(first.Events()[0].header.type, CLAP_EVENT_MIDI_SYSEX);  // SysEx first at equal offsets
  EXPECT_EQ(first.Events()[0].bytes, (std::vector<uint8_t>{0xF0, 0x01, 0xF7}));
  EXPECT_EQ(first.Events()[1].header.type, CLAP_EVENT_NOTE_ON);
  EXPECT_EQ(first.Events()[1].bytes, (std::vector<uint8_t>{3, 60}));
  OutputEvents second;
  ProcessBlock(512, nullptr, &second);
  ASSERT_EQ(second.Events().size(), 1u);
  EXPECT_EQ(second.Events()[0].header.type, CLAP_EVENT_MIDI);
  EXPECT_EQ(second.Events()[0].header.time, 188u);
  EXPECT_EQ(second.Events()[0].bytes, (std::vector<uint8_t>{0xB0, 7, 100}));
}

TEST_F(ClapEventsTest, SysExLongerThanARecordIsDroppedWhole)
{
  ASSERT_TRUE(hosted->Activate(48000.0, 1, 256));
  std::vector<uint8_t> longMsg(600, 0x11), fits(512, 0x22);
  InputEvents in;
  in.AddSysEx(0, longMsg.data(), static_cast<uint32_t>(longMsg.size()));
  in.AddSysEx(1, fits.data(), static_cast<uint32_t>(fits.size()));
  in.AddSysEx(2, nullptr, 10);  // no data: an empty message
  ProcessBlock(64, &in, nullptr);
  ASSERT_EQ(plugin->sysExToEditorRing.ElementsQueued(), 2);
  ifx::ISysExData record;
  ASSERT_TRUE(plugin->sysExToEditorRing.Pop(record));
  EXPECT_EQ(record.size, 512);
  EXPECT_EQ(record.offset, 1);
  ASSERT_TRUE(plugin->sysExToEditorRing.Pop(record));
  EXPECT_EQ(record.size, 0);

  EXPECT_FALSE(plugin->EmitSysExMessage(ifx::ISysExMessage(0, longMsg.data(), 513)));
}

} // namespace
