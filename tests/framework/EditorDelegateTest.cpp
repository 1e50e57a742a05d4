#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <regex>
#include <string>
#include <utility>
#if !defined(_WIN32)
#include <cstdlib>
#include <ctime>
#endif

#include "framework/FakeGfx.h"
#include "framework/TestPlugin.h"
#include "base/IStateChunk.h"
#include "platform/Timer.h"

using namespace basetest;

namespace {

struct NullTimer : ifx::Timer
{
  void Stop() override {}
};

// A plug-in whose editor opens onto a FakeGfx.
struct EditorFixture : testing::Test
{
  TestPlugin plug;
  NullTimer timer;
  FakeGfx* gfx = nullptr;
  int destroyed = 0;
  int made = 0;
  char parentWindow = 0;

  EditorFixture()
  {
    plug.makeGraphicsFunc = [this]() -> IGfx* {
      auto* g = new FakeGfx(plug, 1200, 800);
      g->destroyed = &destroyed;
      gfx = g;
      ++made;
      return g;
    };
  }

  void Open()
  {
    ASSERT_NE(plug.OpenWindow(&parentWindow), nullptr);
    ASSERT_TRUE(gfx->windowOpen);
  }

  RecordingControl* Attach(int paramIdx, int tag = -1)
  {
    auto* c = new RecordingControl(paramIdx);
    gfx->AttachControl(c, tag);
    return c;
  }
};

} // namespace

TEST_F(EditorFixture, UiValueReachesParameterHostAndPeerControls)
{
  Open();
  RecordingControl* knob = Attach(kHaunt);
  RecordingControl* twin = Attach(kHaunt);
  RecordingControl* other = Attach(kMix);

  plug.BeginParamGestureFromUI(kHaunt);
  knob->SetValueFromEditor(0.25, 0);
  plug.EndParamGestureFromUI(kHaunt);

  EXPECT_EQ(plug.GetParam(kHaunt)->Value(), 25.);
  ASSERT_EQ(plug.host.size(), 3u);
  EXPECT_EQ(plug.host[0].what, "begin");
  EXPECT_EQ(plug.host[1].what, "value");
  EXPECT_EQ(plug.host[1].paramIdx, kHaunt);
  EXPECT_DOUBLE_EQ(plug.host[1].value, 0.25);
  EXPECT_EQ(plug.host[2].what, "end");
  EXPECT_EQ(plug.paramChanges, std::vector<int>{kHaunt});
  EXPECT_EQ(plug.changedForUI, std::vector<int>{kHaunt});

  ASSERT_EQ(twin->hostValues.size(), 1u);
  EXPECT_DOUBLE_EQ(twin->hostValues[0].value, 0.25);
  EXPECT_DOUBLE_EQ(twin->GetValue(0), 0.25);
  EXPECT_TRUE(other->hostValues.empty());
}

TEST_F(EditorFixture, ApplyFromUiIgnoresUnknownParameters)
{
  plug.ApplyParamValueFromUI(-1, 0.5);
  plug.ApplyParamValueFromUI(kNumParams, 0.5);
  EXPECT_TRUE(plug.host.empty());
  // Enum values land on their steps.
  plug.ApplyParamValueFromUI(kOctave, 0.625);
  EXPECT_EQ(plug.GetParam(kOctave)->Value(), 3.);
}

TEST_F(EditorFixture, PushedValuesReachEveryBoundSlot)
{
  Open();
  RecordingControl* a = Attach(kFine);
  RecordingControl* b = Attach(kInput);
  b->AddValue(kFine, 0.);
  plug.PushParamValueToUI(kFine, 25., false); // real units: -50..50
  ASSERT_EQ(a->hostValues.size(), 1u);
  EXPECT_DOUBLE_EQ(a->hostValues[0].value, 0.75);
  ASSERT_EQ(b->hostValues.size(), 1u);
  EXPECT_EQ(b->hostValues[0].valIdx, 1);
  EXPECT_EQ(plug.changedForUI, std::vector<int>{kFine});

  plug.GetParam(kInput)->Set(20.);
  a->hostValues.clear();
  b->hostValues.clear();
  plug.OnStateRestored();
  EXPECT_EQ(a->hostValues.size(), 1u);
  ASSERT_EQ(b->hostValues.size(), 2u);
  EXPECT_DOUBLE_EQ(b->hostValues[0].value, 0.2);
}

TEST_F(EditorFixture, HostChangesReachTheEditorWhenTheTimerDrainsTheRing)
{
  Open();
  RecordingControl* knob = Attach(kResonance);
  plug.QueueParamValueForUI(kResonance, 0.75, true);
  plug.QueueParamValueForUI(kOctave, 1.0, true);
  EXPECT_TRUE(knob->hostValues.empty());
  EXPECT_EQ(plug.paramToEditorRing.ElementsQueued(), 2);

  plug.OnTimer(timer);
  ASSERT_EQ(knob->hostValues.size(), 1u);
  EXPECT_DOUBLE_EQ(knob->hostValues[0].value, 0.75);
  EXPECT_EQ(plug.changedForUI, (std::vector<int>{kResonance, kOctave}));
  EXPECT_EQ(plug.idleCount, 1);
  EXPECT_TRUE(plug.paramToEditorRing.Empty());

  // Plain values travel as they are; normalised ones are converted first.
  IParamChangeForUI change;
  plug.QueueParamValueForUI(kOctave, 0.6, true);
  ASSERT_TRUE(plug.paramToEditorRing.Pop(change));
  EXPECT_EQ(change.value, 2.);
  plug.QueueParamValueForUI(kFine, 12., false);
  ASSERT_TRUE(plug.paramToEditorRing.Pop(change));
  EXPECT_EQ(change.value, 12.);
  plug.QueueParamValueForUI(99, 1., false);
  EXPECT_TRUE(plug.paramToEditorRing.Empty());
}

TEST_F(EditorFixture, FullParameterRingDropsWithoutCorruption)
{
  Open();
  RecordingControl* knob = Attach(kInput);
  for (int i = 0; i < 600; ++i)
    plug.QueueParamValueForUI(kInput, static_cast<double>(i % 101), false);
  EXPECT_EQ(plug.paramToEditorRing.ElementsQueued(), 512);
  plug.OnTimer(timer);
  ASSERT_EQ(knob->hostValues.size(), 512u);
  for (int i = 0; i < 512; ++i)
    ASSERT_DOUBLE_EQ(knob->hostValues[i].value, (i % 101) / 100.) << i;
  plug.QueueParamValueForUI(kInput, 50., false);
  plug.OnTimer(timer);
  EXPECT_DOUBLE_EQ(knob->hostValues.back().value, 0.5);
}

TEST_F(EditorFixture, MidiAndSysExFromTheProcessorReachTheEditor)
{
  Open();
  RecordingControl* listener = Attach(-1);
  listener->SetWantsMidi(true);
  RecordingControl* deaf = Attach(-1);

  for (int i = 0; i < 33; ++i)
    plug.midiToEditorRing.Push(IMidiMessage(i, 0x90, static_cast<uint8_t>(i), 100));
  EXPECT_EQ(plug.midiToEditorRing.ElementsQueued(), 32); // the 33rd is dropped
  const uint8_t bytes[] = {0xF0, 0x7E, 0xF7};
  plug.sysExToEditorRing.Push(ISysExData(9, 3, bytes));
  plug.OnTimer(timer);
  ASSERT_EQ(plug.midiForUI.size(), 32u);
  ASSERT_EQ(listener->midi.size(), 32u);
  EXPECT_EQ(listener->midi[31].data1, 31);
  EXPECT_TRUE(deaf->midi.empty());
  ASSERT_EQ(plug.sysExForUI.size(), 1u);
  EXPECT_EQ(plug.sysExForUI[0].offset, 9);
  EXPECT_EQ(plug.sysExForUI[0].size, 3);
  EXPECT_EQ(plug.sysExForUI[0].data[1], 0x7E);
}

TEST_F(EditorFixture, MidiAndSysExFromTheEditorQueueForTheProcessor)
{
  for (int i = 0; i < 40; ++i)
    plug.PushMidiFromUI(IMidiMessage(0, 0xB0, 7, static_cast<uint8_t>(i)));
  EXPECT_EQ(plug.midiFromEditorRing.ElementsQueued(), 32);
  IMidiMessage m;
  ASSERT_TRUE(plug.midiFromEditorRing.Pop(m));
  EXPECT_EQ(m.data2, 0);

  std::vector<uint8_t> big(600, 0xAB);
  plug.PushSysExFromUI(ISysExMessage(3, big.data(), 600));
  plug.PushSysExFromUI(ISysExMessage(4, nullptr, 20));
  plug.PushSysExFromUI(ISysExMessage(5, big.data(), -7));
  plug.PushSysExFromUI(ISysExMessage(6, big.data(), 2));
  plug.PushSysExFromUI(ISysExMessage(7, big.data(), 2)); // 5 slots hold 4
  EXPECT_EQ(plug.sysExFromEditorRing.ElementsQueued(), 4);

  ISysExData rec;
  ASSERT_TRUE(plug.sysExFromEditorRing.Pop(rec));
  EXPECT_EQ(rec.offset, 3);
  EXPECT_EQ(rec.size, 512);
  EXPECT_EQ(rec.data[511], 0xAB);
  ASSERT_TRUE(plug.sysExFromEditorRing.Pop(rec));
  EXPECT_EQ(rec.size, 20);
  for (uint8_t byte : rec.data)
    ASSERT_EQ(byte, 0);
  ASSERT_TRUE(plug.sysExFromEditorRing.Pop(rec));
  EXPECT_EQ(rec.size, 0);
  ASSERT_TRUE(plug.sysExFromEditorRing.Pop(rec));
  EXPECT_EQ(rec.offset, 6);
  EXPECT_FALSE(plug.sysExFromEditorRing.Pop(rec));
}

TEST(EditorlessTimer, OnlyIdles)
{
  IPluginConfiguration c = TestConfig();
  c.hasEditor = false;
  TestPlugin plug(c);
  NullTimer timer;
  plug.midiToEditorRing.Push(IMidiMessage(0, 0x90, 60, 1));
  plug.QueueParamValueForUI(kInput, 1., false);
  plug.OnTimer(timer);
  EXPECT_EQ(plug.idleCount, 1);
  EXPECT_TRUE(plug.midiForUI.empty());
  EXPECT_TRUE(plug.changedForUI.empty());
}

TEST_F(EditorFixture, KeysGoToTheControlUnderThePointer)
{
  IKeyEvent key;
  key.VK = 0x41;
  EXPECT_FALSE(plug.OnKeyDown(key)); // no editor open

  Open();
  Attach(-1);                        // the background never takes keys
  RecordingControl* knob = Attach(kHaunt);
  knob->SetTargetAndDrawRECTs(IRECT(100.f, 100.f, 200.f, 150.f));
  gfx->mouseX = 150.f;
  gfx->mouseY = 120.f;
  EXPECT_TRUE(plug.OnKeyDown(key));
  EXPECT_TRUE(plug.OnKeyUp(key));
  ASSERT_EQ(knob->keys.size(), 2u);
  EXPECT_FLOAT_EQ(knob->keys[0].x, 150.f);
  EXPECT_FLOAT_EQ(knob->keys[0].y, 120.f);
  EXPECT_EQ(knob->keys[0].vk, 0x41);
  EXPECT_FALSE(knob->keys[0].up);
  EXPECT_TRUE(knob->keys[1].up);

  // Elsewhere, or refused by the control: the editor's key handler decides.
  std::vector<bool> handled;
  gfx->SetKeyHandlerFunc([&](const IKeyEvent&, bool isUp) {
    handled.push_back(isUp);
    return isUp;
  });
  knob->takesKeys = false;
  EXPECT_FALSE(plug.OnKeyDown(key));
  gfx->mouseX = 500.f;
  EXPECT_TRUE(plug.OnKeyUp(key));
  EXPECT_EQ(handled, (std::vector<bool>{false, true}));
  EXPECT_EQ(knob->keys.size(), 3u);
}

TEST_F(EditorFixture, ControlsAddressedByTag)
{
  Open();
  RecordingControl* meter = Attach(-1, 7);
  plug.PushControlValueToUI(7, 0.4);
  ASSERT_EQ(meter->hostValues.size(), 1u);
  EXPECT_DOUBLE_EQ(meter->hostValues[0].value, 0.4);
  int payload = 0;
  plug.PushControlMessageToUI(7, 3, 4, &payload);
  plug.PushControlMessageToUI(8, 3, 4, &payload); // no such tag
  EXPECT_EQ(meter->messages, std::vector<int>{3});
}

// -- Size and editor state -----------------------------------------------------------------

TEST(EditorSize, LimitsAreSortedAndSizesClamped)
{
  TestPlugin plug;
  EXPECT_EQ(plug.GetMinWidth(), 400);
  EXPECT_EQ(plug.GetMaxWidth(), 3600);
  EXPECT_EQ(plug.GetEditorWidth(), 1200);
  int w = 5000, h = 100;
  EXPECT_FALSE(plug.ClampEditorSize(w, h));
  EXPECT_EQ(w, 3600);
  EXPECT_EQ(h, 266);
  w = 1000;
  h = 700;
  EXPECT_TRUE(plug.ClampEditorSize(w, h));
  EXPECT_EQ(w, 1000);
}

TEST(EditorSize, SizeRequestsGoToTheHostOnlyWhenThePlatformMustResize)
{
  TestPlugin plug;
  EXPECT_TRUE(plug.RequestEditorSizeFromUI(800, 600, false));
  EXPECT_TRUE(plug.host.empty());
  plug.resizeResult = false;
  EXPECT_FALSE(plug.RequestEditorSizeFromUI(800, 600, true));
  ASSERT_EQ(plug.host.size(), 1u);
  EXPECT_EQ(plug.host[0].what, "resize");
}

TEST_F(EditorFixture, CloseKeepsSizeAndScaleForTheNextOpening)
{
  Open();
  gfx->Resize(900, 600, 2.f, false);
  plug.CloseWindow();
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(plug.EditorGraphics(), nullptr);
  EXPECT_EQ(plug.SavedWidth(), 900);
  EXPECT_FLOAT_EQ(plug.SavedScale(), 2.f);
  plug.CloseWindow(); // already closed: harmless

  Open();
  EXPECT_EQ(made, 2);
  EXPECT_EQ(gfx->Width(), 900);
  EXPECT_EQ(gfx->Height(), 600);
  EXPECT_FLOAT_EQ(gfx->GetDrawScale(), 2.f);
}

TEST_F(EditorFixture, CloseReachedAgainFromTheWindowTeardownDeletesOnce)
{
  Open();
  gfx->onClose = [this]() { plug.CloseWindow(); };
  plug.CloseWindow();
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(plug.EditorGraphics(), nullptr);
}

TEST_F(EditorFixture, DisplayScaleReachesTheGraphicsWhenSane)
{
  Open();
  plug.SetDisplayScale(2.f);
  EXPECT_FLOAT_EQ(gfx->GetScreenScale(), 2.f);
  plug.SetDisplayScale(std::numeric_limits<float>::quiet_NaN());
  plug.SetDisplayScale(0.f);
  plug.SetDisplayScale(-1.f);
  EXPECT_FLOAT_EQ(gfx->GetScreenScale(), 2.f);
}

TEST_F(EditorFixture, HostWindowResizeDividesByTheScreenScale)
{
  Open();
  gfx->screenScaleFactor = 2.f;
  plug.OnHostWindowResized(2001, 1400);
  EXPECT_EQ(gfx->Width(), 1000);
  EXPECT_EQ(gfx->Height(), 700);
  EXPECT_FLOAT_EQ(gfx->GetDrawScale(), 1.f);
}

TEST(EditorWithoutGraphics, OpenWithoutFactoryGivesNull)
{
  TestPlugin plug;
  char parent = 0;
  EXPECT_EQ(plug.OpenWindow(&parent), nullptr);
  plug.CloseWindow();
  plug.PushParamValueToUI(kInput, 1., false);
  plug.SetDisplayScale(2.f);
  EXPECT_EQ(plug.changedForUI, std::vector<int>{kInput});
}

TEST_F(EditorFixture, EditorStateIsTwelveRawBytesAndRoundTrips)
{
  IStateChunk empty;
  ASSERT_TRUE(plug.WriteEditorState(empty));
  ASSERT_EQ(empty.Size(), 12);
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(empty.GetData()[i], 0);

  Open();
  gfx->Resize(1000, 700, 1.5f, false);
  IStateChunk state;
  ASSERT_TRUE(plug.WriteEditorState(state));
  const uint8_t expected[12] = {0xE8, 0x03, 0, 0, 0xBC, 0x02, 0, 0, 0x00, 0x00, 0xC0, 0x3F};
  ASSERT_EQ(state.Size(), 12);
  EXPECT_EQ(std::memcmp(state.GetData(), expected, 12), 0);

  TestPlugin other;
  EXPECT_EQ(other.ReadEditorState(state, 0), 12);
  EXPECT_EQ(other.SavedWidth(), 1000);
  EXPECT_EQ(other.SavedHeight(), 700);
  EXPECT_FLOAT_EQ(other.SavedScale(), 1.5f);

  // With the editor open the state applies at once.
  IStateChunk smaller;
  smaller.Put(int32_t(800));
  smaller.Put(int32_t(500));
  smaller.Put(1.0f);
  EXPECT_EQ(plug.ReadEditorState(smaller, 0), 12);
  EXPECT_EQ(gfx->Width(), 800);
  EXPECT_FLOAT_EQ(gfx->GetDrawScale(), 1.f);
}

TEST(EditorState, BadStateLeavesTheSizeAlone)
{
  auto make = [](int32_t w, int32_t h, float s) {
    IStateChunk c;
    c.Put(w);
    c.Put(h);
    c.Put(s);
    return c;
  };
  TestPlugin plug;
  ASSERT_EQ(plug.ReadEditorState(make(1000, 700, 1.5f), 0), 12);

  IStateChunk shortState = make(640, 480, 1.f);
  shortState.Resize(8);
  EXPECT_EQ(plug.ReadEditorState(shortState, 0), -1);
  EXPECT_EQ(plug.ReadEditorState(make(640, 480, 1.f), -4), -1);
  EXPECT_EQ(plug.ReadEditorState(make(640, 480, 1.f), 4), -1);
  EXPECT_EQ(plug.ReadEditorState(make(640, 480, std::numeric_limits<float>::quiet_NaN()), 0), 12);
  EXPECT_EQ(plug.ReadEditorState(make(640, 480, std::numeric_limits<float>::infinity()), 0), 12);
  EXPECT_EQ(plug.ReadEditorState(make(640, 480, 1000.f), 0), 12);
  EXPECT_EQ(plug.ReadEditorState(make(640, 480, -1.f), 0), 12);
  EXPECT_EQ(plug.ReadEditorState(make(0, 480, 1.f), 0), 12);
  EXPECT_EQ(plug.SavedWidth(), 1000);
  EXPECT_EQ(plug.SavedHeight(), 700);
  EXPECT_FLOAT_EQ(plug.SavedScale(), 1.5f);

  // Sizes outside the limits are clamped rather than taken as they are.
  EXPECT_EQ(plug.ReadEditorState(make(1 << 30, -5, 2.f), 0), 12);
  EXPECT_EQ(plug.SavedWidth(), 3600);
  EXPECT_EQ(plug.SavedHeight(), 266);
  EXPECT_FLOAT_EQ(plug.SavedScale(), 2.f);
}

// -- Host identification -------------------------------------------------------------------------

TEST(HostIdentity, RecordedOnceWithLookUpAndHooks)
{
  TestPlugin plug;
  EXPECT_EQ(plug.GetHostId(), -1);
  plug.SetHostIdentity("Steinberg Cubase", (13 << 16) | (0 << 8) | 40);
  EXPECT_EQ(plug.GetHostId(), 3);
  EXPECT_STREQ(plug.GetHostName(), "Steinberg Cubase");
  EXPECT_EQ(plug.GetHostVersion(), (13 << 16) | 40);
  EXPECT_EQ(plug.preparedForHost, 1);
  EXPECT_EQ(plug.hostKnown, 1);
  plug.SetHostIdentity("REAPER", 0);
  EXPECT_EQ(plug.GetHostId(), 3);
  EXPECT_EQ(plug.hostKnown, 1);

  TestPlugin unknown;
  unknown.SetHostIdentity(nullptr, 0);
  EXPECT_EQ(unknown.GetHostId(), 0);
  EXPECT_STREQ(unknown.GetHostName(), "");
}

TEST(Configuration, IdentityComesFromTheRecord)
{
  TestPlugin plug;
  EXPECT_EQ(plug.GetUniqueId(), 0x4D6B7770);   // "Mkwp", first character highest
  EXPECT_EQ(plug.GetPackedVersion(), 902);
  EXPECT_EQ(plug.NParams(), kNumParams);
  EXPECT_EQ(plug.GetParam(kNumParams), nullptr);
  EXPECT_STRNE(IFxAPIBase::TraceTimeStamp(), "");
}

TEST(ChangeSource, Texts)
{
  const std::pair<int, const char*> cases[] = {
    {ifx::kChangeReset, "Reset"}, {ifx::kChangeHost, "Host"}, {ifx::kChangePreset, "Preset"},
    {ifx::kChangeUI, "UI"}, {ifx::kChangeEditorDelegate, "Editor Delegate"},
    {ifx::kChangeRecompile, "Recompile"}, {ifx::kChangeUnknown, "Unknown"}, {42, "Unknown"}, {-1, "Unknown"}};
  for (const auto& c : cases)
    EXPECT_STREQ(ifx::ParamChangeSourceText(c.first), c.second) << c.first;
}

#if !defined(_WIN32)
#include "platform/native/TimerNative.h"

TEST(FrameworkTimer, StartedTimerDrivesTheTickAndIsReplaced)
{
  TestPlugin plug;
  plug.StartTimer();
  ifx::Timer* first = plug.GetTimer();
  ASSERT_NE(first, nullptr);
  ifx::native::TickTimers();
  EXPECT_EQ(plug.idleCount, 1);
  // A second start replaces (and stops) the first timer: one tick per round.
  plug.StartTimer();
  ifx::native::TickTimers();
  EXPECT_EQ(plug.idleCount, 2);
  plug.AdoptTimer(plug.GetTimer()); // adopting the own timer keeps it
  ifx::native::TickTimers();
  EXPECT_EQ(plug.idleCount, 3);
  plug.StopTimer();
  EXPECT_EQ(plug.GetTimer(), nullptr);
  ifx::native::TickTimers();
  EXPECT_EQ(plug.idleCount, 3);
}
#endif

#if !defined(_WIN32)
TEST(Configuration, TraceTimeStampCarriesTheOffsetFromUtc)
{
  const char* oldTz = std::getenv("TZ");
  const std::string saved = oldTz ? oldTz : "";
  struct Case
  {
    const char* tz;
    const char* offset;
  };
  // UTC+14 and UTC-12 fall on another day than UTC for most of the day; at
  // any moment at least one of them does, so the day correction is exercised.
  const Case cases[] = {{"UTC0", "+0000"}, {"IST-5:30", "+0530"}, {"NST3:30", "-0330"},
                        {"LINT-14", "+1400"}, {"BIT12", "-1200"}};
  for (const Case& c : cases)
  {
    setenv("TZ", c.tz, 1);
    tzset();
    TestPlugin plug;
    const std::string stamp = IFxAPIBase::TraceTimeStamp();
    EXPECT_TRUE(std::regex_match(stamp, std::regex("[0-9]{8} [0-9]{2}:[0-9]{2} [+-][0-9]{4}"))) << stamp;
    EXPECT_EQ(stamp.substr(stamp.size() - 5), c.offset) << c.tz;
  }
  if (oldTz)
    setenv("TZ", saved.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}
#endif
