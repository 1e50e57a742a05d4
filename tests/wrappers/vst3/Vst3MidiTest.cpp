// MIDI through the adapter, with a small plug-in that takes and sends MIDI:
// controller parameters and units, MIDI mapping, parameter-to-MIDI
// conversion, note events in, the time-ordered output queue out.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "abi/vst3/Vst3Units.h"
#include "base/IMidiMessage.h"
#include "base/IParam.h"
#include "base/IPluginConfiguration.h"
#include "wrappers/vst3/IFxVST3.h"
#include "wrappers/vst3/IFxVST3Parameter.h"
#include "wrappers/vst3/Vst3TestHost.h"

using namespace vst3test;

namespace {

ifx::IPluginConfiguration MidiConfig()
{
  ifx::IPluginConfiguration c;
  c.paramCount = 2;
  c.presetCount = 0;
  c.channelLayoutText = "2-2";
  c.pluginName = "MidiProbe";
  c.productName = "MidiProbe";
  c.makerName = "Tests";
  c.uniqueId = ifx::FourCharCode("Mprb");
  c.makerId = ifx::FourCharCode("Test");
  c.takesMidiIn = true;
  c.sendsMidiOut = true;
  return c;
}

// Records what reaches it and echoes every message to the output.
class MidiProbe final : public ifx::IFxVST3
{
public:
  MidiProbe() : IFxVST3(ifx::InstanceInfo(), MidiConfig())
  {
    GetParam(0)->ConfigureDouble("Gain", 50., 0., 100., 1., "dB", 0, "Levels");
    GetParam(1)->ConfigureEnum("Mode", 0, 3, "", 0, "Modes", "A", "B", "C");
  }
  void ProcessMidiMessage(const ifx::IMidiMessage& msg) noexcept override
  {
    received.push_back(msg);
    EmitMidiMessage(msg);
  }
  std::vector<ifx::IMidiMessage> received;
};

class Vst3Midi : public ::testing::Test
{
protected:
  void SetUp() override
  {
    probe = new MidiProbe();
    app = new vst3host::HostApplication(u"Tests");
    ASSERT_EQ(probe->initialize(app), kResultOk);
    SpeakerArrangement st = 0x3;
    static_cast<IAudioProcessor*>(probe)->setBusArrangements(&st, 1, &st, 1);
    ProcessSetup setup{kRealtime, kSample64, 256, 48000.};
    ASSERT_EQ(static_cast<IAudioProcessor*>(probe)->setupProcessing(setup), kResultOk);
  }
  void TearDown() override
  {
    probe->terminate();
    static_cast<IComponent*>(probe)->release();
    app->release();
  }
  void Run(IParameterChanges* changes, IEventList* in, IEventList* out, int32 frames = 0)
  {
    ProcessData data{};
    data.symbolicSampleSize = kSample64;
    data.numSamples = frames;
    data.inputParameterChanges = changes;
    data.inputEvents = in;
    data.outputEvents = out;
    static_cast<IAudioProcessor*>(probe)->process(data);
  }
  ifx::IMidiMessage FromParam(ParamID id, double value)
  {
    probe->received.clear();
    auto* changes = MakeChanges({{id, {{3, value}}}});
    Run(changes, nullptr, nullptr);
    changes->release();
    EXPECT_EQ(probe->received.size(), 1u);
    return probe->received.empty() ? ifx::IMidiMessage() : probe->received[0];
  }
  MidiProbe* probe = nullptr;
  vst3host::HostApplication* app = nullptr;
};

std::u16string Title(IEditController* c, ParamID id)
{
  for (int32 i = 0; i < c->getParameterCount(); ++i)
  {
    ParameterInfo info{};
    c->getParameterInfo(i, info);
    if (info.id == id)
      return info.title;
  }
  return u"?";
}

} // namespace

TEST_F(Vst3Midi, ControllerParametersAndUnits)
{
  auto* c = static_cast<IEditController*>(probe);
  ASSERT_EQ(c->getParameterCount(), 1 + 2 + 130);
  EXPECT_EQ(Title(c, 65538 + 0), u"BankSel.MSB");
  EXPECT_EQ(Title(c, 65538 + 3), u"Contr. 3");
  EXPECT_EQ(Title(c, 65538 + 7), u"MainVolume");
  EXPECT_EQ(Title(c, 65538 + 66), u"Sostenuto ");
  EXPECT_EQ(Title(c, 65538 + 79), u"SoundCont 10");
  EXPECT_EQ(Title(c, 65538 + 80), u"Gen.Purp.5");
  EXPECT_EQ(Title(c, 65538 + 91), u"FX 1 Depth");
  EXPECT_EQ(Title(c, 65538 + 101), u"Reg MSB");
  EXPECT_EQ(Title(c, 65538 + 120), u"Contr. 120");
  EXPECT_EQ(Title(c, 65538 + 121), u"Reset Ctrl");
  EXPECT_EQ(Title(c, 65538 + 127), u"PolyModeOn");
  EXPECT_EQ(Title(c, 65666), u"Channel Aftertouch");
  EXPECT_EQ(Title(c, 65667), u"Pitch Bend");
  EXPECT_EQ(c->getParamNormalized(65667), 0.5);

  auto* units = static_cast<IUnitInfo*>(probe);
  ASSERT_EQ(units->getUnitCount(), 5);
  UnitInfo u{};
  units->getUnitInfo(1, u);
  EXPECT_EQ(std::u16string(u.name), u"Levels");
  EXPECT_EQ(u.id, 1);
  units->getUnitInfo(2, u);
  EXPECT_EQ(std::u16string(u.name), u"Modes");
  units->getUnitInfo(3, u);
  EXPECT_EQ(std::u16string(u.name), u"MIDI CCs");
  EXPECT_EQ(u.id, 4);
  const UnitID ccUnit = u.id;
  units->getUnitInfo(4, u);
  EXPECT_EQ(std::u16string(u.name), u"CH1");
  EXPECT_EQ(u.parentUnitId, ccUnit);

  ParameterInfo mode{};
  c->getParameterInfo(2, mode);
  EXPECT_EQ(mode.id, 1u);
  EXPECT_EQ(mode.stepCount, 2);
  EXPECT_EQ(mode.flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
  EXPECT_EQ(mode.unitId, 2);
}

TEST_F(Vst3Midi, MappingOnlyForExistingControllers)
{
  auto* mapping = static_cast<IMidiMapping*>(probe);
  ParamID id = 0;
  ASSERT_EQ(mapping->getMidiControllerAssignment(0, 0, 7, id), kResultOk);
  EXPECT_EQ(id, 65545u);
  ASSERT_EQ(mapping->getMidiControllerAssignment(0, 0, kPitchBend, id), kResultOk);
  EXPECT_EQ(id, 65667u);
  EXPECT_EQ(mapping->getMidiControllerAssignment(0, 1, 7, id), kResultFalse);
  EXPECT_EQ(mapping->getMidiControllerAssignment(1, 0, 7, id), kResultFalse);
  EXPECT_EQ(mapping->getMidiControllerAssignment(0, -1, 7, id), kResultFalse);
  EXPECT_EQ(mapping->getMidiControllerAssignment(0, 0, 130, id), kResultFalse);
  EXPECT_EQ(mapping->getMidiControllerAssignment(0, 0, -2, id), kResultFalse);
}

TEST_F(Vst3Midi, ControllerParametersBecomeMidiMessages)
{
  ifx::IMidiMessage m = FromParam(65538 + 7, 1.);
  EXPECT_EQ(m.status, 0xB0);
  EXPECT_EQ(m.data1, 7);
  EXPECT_EQ(m.data2, 127);
  EXPECT_EQ(m.offset, 3);
  m = FromParam(65666, 0.5);
  EXPECT_EQ(m.status, 0xD0);
  EXPECT_EQ(m.data1, 63);
  m = FromParam(65667, 0.5);
  EXPECT_EQ(m.status, 0xE0);
  EXPECT_EQ(m.data1, 0x00);
  EXPECT_EQ(m.data2, 0x40);
  m = FromParam(65667, 1.);
  EXPECT_EQ(m.data1, 0x7F);
  EXPECT_EQ(m.data2, 0x7F);
  m = FromParam(65667, 0.);
  EXPECT_EQ(m.data1, 0x00);
  EXPECT_EQ(m.data2, 0x00);
  // Controllers of channels that have no parameters are not invented.
  probe->received.clear();
  auto* changes = MakeChanges({{65538 + 130 + 7, {{0, 1.}}}});
  Run(changes, nullptr, nullptr);
  changes->release();
  EXPECT_TRUE(probe->received.empty());
}

TEST_F(Vst3Midi, NoteEventsInAndTimeOrderedEventsOut)
{
  auto* in = new vst3host::EventList();
  Event e{};
  e.type = Event::kNoteOnEvent;
  e.sampleOffset = 10;
  e.noteOn.channel = 2;
  e.noteOn.pitch = 60;
  e.noteOn.velocity = 1.f;
  in->addEvent(e);
  e = Event{};
  e.type = Event::kNoteOffEvent;
  e.sampleOffset = 5;
  e.noteOff.channel = 2;
  e.noteOff.pitch = 60;
  in->addEvent(e);
  e = Event{};
  e.type = Event::kNoteExpressionValueEvent;
  in->addEvent(e);
  auto* out = new vst3host::EventList();
  Run(nullptr, in, out, 64);
  ASSERT_EQ(probe->received.size(), 2u);
  EXPECT_EQ(probe->received[0].status, 0x92);
  EXPECT_EQ(probe->received[0].data2, 127);
  EXPECT_EQ(probe->received[1].status, 0x82);
  // The echo went out ordered by offset: the note-off at 5 first.
  ASSERT_EQ(out->events.size(), 2u);
  EXPECT_EQ(out->events[0].type, Event::kNoteOffEvent);
  EXPECT_EQ(out->events[0].sampleOffset, 5);
  EXPECT_EQ(out->events[1].type, Event::kNoteOnEvent);
  EXPECT_EQ(out->events[1].noteOn.pitch, 60);
  EXPECT_FLOAT_EQ(out->events[1].noteOn.velocity, 1.f);
  EXPECT_EQ(probe->MidiOutputQueue().Count(), 0);
  in->release();
  out->release();
}

// Messages from the editor reach the plug-in, whose echo leaves as legacy
// controller events; editor SysEx leaves as data events.
TEST_F(Vst3Midi, ControllerStyleMessagesGoOutAsLegacyEvents)
{
  const ifx::IMidiMessage fromEditor[] = {{1, 0xB3, 7, 100}, {2, 0xE3, 0x11, 0x40}, {3, 0xD3, 50, 0},
                                          {4, 0xC3, 9, 0},   {5, 0xA3, 60, 30},     {6, 0xF8, 0, 0}};
  for (const auto& m : fromEditor)
    ASSERT_TRUE(probe->midiFromEditorRing.Push(m));
  const uint8_t sysEx[] = {0xF0, 0x7E, 0x01, 0xF7};
  ASSERT_TRUE(probe->sysExFromEditorRing.Push(ifx::ISysExData(9, 4, sysEx)));
  auto* out = new vst3host::EventList();
  Run(nullptr, nullptr, out, 64);
  EXPECT_EQ(probe->received.size(), 6u);
  struct Expected
  {
    int control, value, value2;
  };
  const Expected expected[] = {{7, 100, 0}, {129, 0x11, 0x40}, {128, 50, 0}, {130, 9, 0}, {131, 60, 30}};
  ASSERT_EQ(out->events.size(), 6u); // the clock tick has no event
  for (int i = 0; i < 5; ++i)
  {
    const Event& e = out->events[static_cast<size_t>(i)];
    EXPECT_EQ(e.type, Event::kLegacyMIDICCOutEvent) << i;
    EXPECT_EQ(e.sampleOffset, i + 1) << i;
    EXPECT_EQ(e.midiCCOut.channel, 3) << i;
    EXPECT_EQ(e.midiCCOut.controlNumber, expected[i].control) << i;
    EXPECT_EQ(e.midiCCOut.value, expected[i].value) << i;
    EXPECT_EQ(e.midiCCOut.value2, expected[i].value2) << i;
  }
  const Event& data = out->events[5];
  EXPECT_EQ(data.type, Event::kDataEvent);
  EXPECT_EQ(data.sampleOffset, 9);
  EXPECT_EQ(data.data.type, DataEvent::kMidiSysEx);
  ASSERT_EQ(data.data.size, 4u);
  EXPECT_EQ(std::memcmp(data.data.bytes, sysEx, 4), 0);
  out->release();
}

TEST(Vst3Names, ControllerNameTable)
{
  EXPECT_STREQ(ifx::MidiControllerName(1), "Modulation");
  EXPECT_STREQ(ifx::MidiControllerName(64), "Damper Ped");
  EXPECT_STREQ(ifx::MidiControllerName(70), "SoundCont 1");
  EXPECT_STREQ(ifx::MidiControllerName(102), "Contr. 102");
  EXPECT_STREQ(ifx::MidiControllerName(128), "");
}
