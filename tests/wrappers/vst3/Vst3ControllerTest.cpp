// The edit-controller side of the adapter: parameter objects, units,
// conversions, host values in and editor values out, interfaces.
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "abi/vst3/Vst3ChannelContext.h"
#include "abi/vst3/Vst3Units.h"
#include "base/IMidiMessage.h"
#include "base/IParam.h"
#include "base/IString.h"
#include "wrappers/vst3/Vst3TestHost.h"

using namespace vst3test;

namespace {

std::u16string Str(const char16_t* s) { return std::u16string(s); }

ParameterInfo Info(IEditController* c, int32 index)
{
  ParameterInfo info{};
  EXPECT_EQ(c->getParameterInfo(index, info), kResultTrue);
  return info;
}

std::u16string Display(IEditController* c, ParamID id, double v)
{
  String128 text{};
  EXPECT_EQ(c->getParamStringByValue(id, v, text), kResultTrue);
  return text;
}

} // namespace

using Vst3Controller = PluginFixture;

TEST_F(Vst3Controller, PublishesBypassThenOneObjectPerParameter)
{
  ASSERT_EQ(controller()->getParameterCount(), 14);
  const ParameterInfo bypass = Info(controller(), 0);
  EXPECT_EQ(bypass.id, 65536u);
  EXPECT_EQ(Str(bypass.title), u"Bypass");
  EXPECT_EQ(bypass.flags, 0x10009);
  EXPECT_EQ(bypass.stepCount, 1);
  EXPECT_EQ(bypass.defaultNormalizedValue, 0.);
  EXPECT_EQ(Display(controller(), 65536, 0.), u"off");
  EXPECT_EQ(Display(controller(), 65536, 1.), u"on");

  const char16_t* titles[13] = {u"Input",  u"Output", u"Haunt",   u"Possess",      u"Octave",    u"Interval", u"Fine",
                                u"Freeze", u"Smear",  u"Whisper", u"Whisper Mode", u"Resonance", u"Mix"};
  for (int32 i = 0; i < 13; ++i)
  {
    const ParameterInfo info = Info(controller(), i + 1);
    EXPECT_EQ(info.id, static_cast<ParamID>(i));
    EXPECT_EQ(Str(info.title), titles[i]);
    EXPECT_EQ(Str(info.shortTitle), u"");
    EXPECT_EQ(info.unitId, 0);
  }
  ParameterInfo none{};
  EXPECT_EQ(controller()->getParameterInfo(14, none), kResultFalse);
}

TEST_F(Vst3Controller, StepsUnitsFlagsAndDefaults)
{
  const ParameterInfo input = Info(controller(), 1);
  EXPECT_EQ(Str(input.units), u"%");
  EXPECT_EQ(input.stepCount, 0);
  EXPECT_EQ(input.flags, ParameterInfo::kCanAutomate);
  EXPECT_DOUBLE_EQ(input.defaultNormalizedValue, 1.);
  const ParameterInfo octave = Info(controller(), 5);
  EXPECT_EQ(octave.stepCount, 4);
  EXPECT_EQ(octave.flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
  EXPECT_DOUBLE_EQ(octave.defaultNormalizedValue, 0.5);
  // The enum shows its text, so its units are empty.
  EXPECT_EQ(Str(octave.units), u"");
  EXPECT_EQ(Info(controller(), 6).stepCount, 11);
  EXPECT_EQ(Info(controller(), 11).stepCount, 1);
  EXPECT_EQ(Str(Info(controller(), 7).units), u"cents");
}

TEST_F(Vst3Controller, ObjectsStartOnTheInitPresetNotTheDefaults)
{
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(0), 0.5);  // Input 50, default 100
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(2), 0.75); // Haunt 75
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(7), 0.8);  // Freeze 80
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(8), 0.64); // Smear 64
  EXPECT_EQ(controller()->getParamNormalized(65536), 0.);
  EXPECT_EQ(controller()->getParamNormalized(99), 0.);
}

TEST_F(Vst3Controller, DisplayTextsAndTextParsing)
{
  EXPECT_EQ(Display(controller(), 4, 0.5), u"0");
  EXPECT_EQ(Display(controller(), 4, 1.), u"+2");
  EXPECT_EQ(Display(controller(), 5, 6. / 11.), u"Tritone");
  EXPECT_EQ(Display(controller(), 6, 0.38), u"-12");
  EXPECT_EQ(Display(controller(), 0, 0.42), u"42");
  String128 text{};
  EXPECT_EQ(controller()->getParamStringByValue(1234, 0.5, text), kResultFalse);

  ParamValue v = -1.;
  char16_t tritone[] = u"Tritone";
  ASSERT_EQ(controller()->getParamValueByString(5, tritone, v), kResultTrue);
  EXPECT_DOUBLE_EQ(v, 6. / 11.);
  char16_t unknown[] = u"Augmented 9th";
  v = -1.;
  EXPECT_EQ(controller()->getParamValueByString(5, unknown, v), kResultFalse);
  EXPECT_EQ(v, -1.);
  char16_t fortyTwo[] = u"42";
  ASSERT_EQ(controller()->getParamValueByString(0, fortyTwo, v), kResultTrue);
  EXPECT_DOUBLE_EQ(v, 0.42);
  char16_t on[] = u"on";
  ASSERT_EQ(controller()->getParamValueByString(65536, on, v), kResultTrue);
  EXPECT_EQ(v, 1.);
  char16_t withLabel[] = u"-25 cents";
  ASSERT_EQ(controller()->getParamValueByString(6, withLabel, v), kResultTrue);
  EXPECT_DOUBLE_EQ(v, 0.25);

  // Text that is neither a number nor an entry fails and changes nothing
  // (it used to read as 0 and silence the Input).
  for (const auto& [id, text] : {std::pair<ParamID, std::u16string>{0, u"banana"},
                                 {0, u""},
                                 {0, u"12abc"},
                                 {0, u"nan"},
                                 {6, u"-25 %"},
                                 {5, u"Tritonee"},
                                 {10, u"fennows"}})
  {
    std::u16string buffer = text;
    v = -1.;
    EXPECT_EQ(controller()->getParamValueByString(id, buffer.data(), v), kResultFalse) << id;
    EXPECT_EQ(v, -1.);
  }
  EXPECT_EQ(Value(0), 50.);

  EXPECT_DOUBLE_EQ(controller()->normalizedParamToPlain(6, 0.75), 25.);
  EXPECT_DOUBLE_EQ(controller()->plainParamToNormalized(6, 25.), 0.75);
  EXPECT_DOUBLE_EQ(controller()->normalizedParamToPlain(4, 0.6), 2.);
}

TEST_F(Vst3Controller, UnitsAndPresetNames)
{
  IUnitInfo* units = static_cast<IUnitInfo*>(plug);
  ASSERT_EQ(units->getUnitCount(), 1);
  UnitInfo root{};
  ASSERT_EQ(units->getUnitInfo(0, root), kResultTrue);
  EXPECT_EQ(root.id, 0);
  EXPECT_EQ(root.parentUnitId, -1);
  EXPECT_EQ(root.programListId, -1);
  EXPECT_EQ(Str(root.name), u"Root");
  EXPECT_EQ(units->getProgramListCount(), 0);

  String128 name{};
  ASSERT_EQ(units->getProgramName(65537, 3, name), kResultOk);
  EXPECT_EQ(Str(name), u"Wailing Spirits");
  ASSERT_EQ(units->getProgramName(65537, 10, name), kResultOk);
  EXPECT_EQ(Str(name), u"");
  EXPECT_EQ(units->getProgramName(0, 3, name), kResultFalse);
}

TEST_F(Vst3Controller, HostValuesReachTheParameterAndOnlyKnownTags)
{
  EXPECT_EQ(controller()->setParamNormalized(2, 0.25), kResultOk);
  EXPECT_DOUBLE_EQ(Value(2), 25.);
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(2), 0.25);
  EXPECT_EQ(controller()->setParamNormalized(5, 0.6), kResultOk);
  EXPECT_DOUBLE_EQ(Value(5), 7.);

  EXPECT_EQ(controller()->setParamNormalized(13, 0.5), kResultFalse);
  EXPECT_EQ(controller()->setParamNormalized(65537, 0.5), kResultFalse);
  EXPECT_EQ(controller()->setParamNormalized(2, std::numeric_limits<double>::quiet_NaN()), kResultFalse);
  EXPECT_DOUBLE_EQ(Value(2), 25.);

  // Bypass: only the object moves; the processor follows its own queue.
  EXPECT_EQ(controller()->setParamNormalized(65536, 1.), kResultOk);
  EXPECT_EQ(controller()->getParamNormalized(65536), 1.);
  EXPECT_FALSE(plug->IsBypassed());
}

TEST_F(Vst3Controller, EditorChangesAndPresetRestoresReachTheHost)
{
  plug->ApplyParamValueFromUI(3, 0.2);
  EXPECT_DOUBLE_EQ(Value(3), 20.);
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(3), 0.2);
  ASSERT_EQ(handler->edits.size(), 1u);
  EXPECT_EQ(handler->edits[0].first, 3u);
  EXPECT_DOUBLE_EQ(handler->edits[0].second, 0.2);

  handler->restarts.clear();
  ASSERT_TRUE(plug->RestorePreset(3));
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(2), 0.94);
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(5), 7. / 11.);
  ASSERT_EQ(handler->restarts.size(), 1u);
  EXPECT_EQ(handler->restarts[0], kParamValuesChanged);

  handler->edits.clear();
  plug->ApplyAllParamValuesFromUI();
  EXPECT_EQ(handler->edits.size(), 13u);
  plug->NotifyHostParamDetails();
  EXPECT_EQ(handler->restarts.back(), kParamTitlesChanged);
}

TEST_F(Vst3Controller, EditorPresetsLeaveTheHostsBypassValueAlone)
{
  // The host has moved its bypass; the processor follows with the next block.
  ASSERT_EQ(controller()->setParamNormalized(65536, 1.), kResultOk);
  ASSERT_TRUE(plug->RestorePreset(2));
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(65536), 1.);
  plug->ApplyAllParamValuesFromUI();
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(65536), 1.);
  for (const auto& edit : handler->edits)
    EXPECT_NE(edit.first, 65536u);
}

namespace {

// Asked through `from`, interface I comes back as the plug-in's own I.
template <class I, class From>
void ExpectSubObject(ifx::IFxVST3* plug, From* from)
{
  void* obj = nullptr;
  ASSERT_EQ(from->queryInterface(I::iid, &obj), kResultOk);
  EXPECT_EQ(obj, static_cast<void*>(static_cast<I*>(plug)));
  static_cast<I*>(obj)->release();
}

} // namespace

TEST_F(Vst3Controller, AnswersEachInterfaceWithItsOwnSubObject)
{
  ExpectSubObject<IComponent>(plug, plug);
  ExpectSubObject<IAudioProcessor>(plug, component());
  ExpectSubObject<IEditController>(plug, component());
  ExpectSubObject<IMidiMapping>(plug, processor());
  ExpectSubObject<ChannelContext::IInfoListener>(plug, processor());
  ExpectSubObject<IUnitInfo>(plug, processor());

  void* obj = reinterpret_cast<void*>(1);
  EXPECT_EQ(plug->queryInterface(IConnectionPoint::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);

  void* a = nullptr;
  void* b = nullptr;
  component()->queryInterface(FUnknown::iid, &a);
  controller()->queryInterface(FUnknown::iid, &b);
  EXPECT_EQ(a, b);
  static_cast<FUnknown*>(a)->release();
  static_cast<FUnknown*>(b)->release();

  EXPECT_STREQ(plug->isA(), "IFxVST3");
  EXPECT_TRUE(plug->isTypeOf("EditController"));
  EXPECT_TRUE(plug->isTypeOf("FObject"));
  EXPECT_FALSE(plug->isTypeOf("EditController", false));
}

TEST_F(Vst3Controller, ControllerStateIsEmptyAndSecondInitializeRefused)
{
  auto* stream = new FaultyStream();
  EXPECT_EQ(controller()->getState(stream), kResultOk);
  EXPECT_EQ(controller()->setState(stream), kResultOk);
  EXPECT_TRUE(stream->data.empty());
  stream->release();
  EXPECT_EQ(component()->initialize(app), kResultFalse);
  EXPECT_EQ(controller()->getParameterCount(), 14);
}

TEST_F(Vst3Controller, NoMidiMappingOrMidiOutputWithoutMidi)
{
  ParamID id = 0;
  EXPECT_EQ(static_cast<IMidiMapping*>(plug)->getMidiControllerAssignment(0, 0, 7, id), kResultFalse);
  EXPECT_FALSE(plug->EmitMidiMessage(ifx::IMidiMessage(0, 0x90, 60, 100)));
  EXPECT_EQ(plug->MidiOutputQueue().Count(), 0);
}

TEST_F(Vst3Controller, ChannelContextIsKeptForTheTrackQueries)
{
  auto* list = new vst3host::AttributeList();
  list->setInt("channel name length", 9);
  list->setString("channel name", u"Vocals \U0001F3A4");
  list->setInt("channel color", 0xFF102030);
  list->setInt("channel index", 4);
  list->setInt("channel index namespace order", 2);
  // A length far beyond the text and the buffer.
  list->setInt("channel index namespace length", 1 << 30);
  list->setString("channel index namespace", u"Bus");
  EXPECT_EQ(static_cast<ChannelContext::IInfoListener*>(plug)->setChannelContextInfos(list), kResultOk);
  int r = 0, g = 0, b = 0;
  plug->GetTrackColor(r, g, b);
  EXPECT_EQ(r, 0x10);
  EXPECT_EQ(g, 0x20);
  EXPECT_EQ(b, 0x30);
  ifx::IString name;
  plug->GetTrackName(name);
  EXPECT_STREQ(name.Get(), "Vocals \xF0\x9F\x8E\xA4");
  plug->GetTrackNamespace(name);
  EXPECT_STREQ(name.Get(), "Bus");
  EXPECT_EQ(plug->GetTrackIndex(), 4);
  EXPECT_EQ(plug->GetTrackNamespaceIndex(), 2);
  // A text that is no UTF-16 (an unpaired surrogate) is kept as "".
  list->setInt("channel name length", 2);
  list->setString("channel name", u"a\xD800");
  static_cast<ChannelContext::IInfoListener*>(plug)->setChannelContextInfos(list);
  plug->GetTrackName(name);
  EXPECT_STREQ(name.Get(), "");
  // A name longer than the plug-in keeps is cut before a pair it would split.
  const std::u16string longName = std::u16string(1022, u'a') + u"\U0001F3A4 and more";
  list->setInt("channel name length", static_cast<int64>(longName.size()));
  list->setString("channel name", longName.c_str());
  static_cast<ChannelContext::IInfoListener*>(plug)->setChannelContextInfos(list);
  plug->GetTrackName(name);
  EXPECT_EQ(std::string(name.Get()), std::string(1022, 'a'));
  list->release();
  EXPECT_EQ(static_cast<ChannelContext::IInfoListener*>(plug)->setChannelContextInfos(nullptr), kResultFalse);
}

TEST_F(Vst3Controller, TerminateThenInitializeBuildsEverythingOnce)
{
  ASSERT_EQ(component()->terminate(), kResultOk);
  EXPECT_EQ(controller()->getParameterCount(), 0);
  EXPECT_EQ(component()->getBusCount(kAudio, kInput), 0);
  ASSERT_EQ(component()->initialize(app), kResultOk);
  EXPECT_EQ(controller()->getParameterCount(), 14);
  EXPECT_EQ(static_cast<IUnitInfo*>(plug)->getUnitCount(), 1);
  EXPECT_EQ(component()->getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(controller()->setParamNormalized(65536, 1.), kResultOk);
}
