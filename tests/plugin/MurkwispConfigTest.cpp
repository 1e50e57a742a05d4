#include "MurkwispTestSupport.h"

#include "base/IPluginConfiguration.h"
#include "plugin/MurkwispConfig.h"
#include "base/IPresetSlot.h"
#include "base/IString.h"
#include "toolkit/IGfx.h"

#include <gtest/gtest.h>

#include <memory>

using namespace murkwisp;

using namespace ifx;
using murkwisp_test::MakePlugin;

namespace {

struct ExpectedParam
{
  int idx;
  const char* name;
  IParam::EParamType type;
  double min, max, def;
  const char* label;
};

const ExpectedParam kExpectedParams[] = {
  {kParamInput, "Input", IParam::kTypeDouble, 0, 100, 100, "%"},
  {kParamOutput, "Output", IParam::kTypeDouble, 0, 100, 100, "%"},
  {kParamHaunt, "Haunt", IParam::kTypeDouble, 0, 100, 50, "%"},
  {kParamPossess, "Possess", IParam::kTypeDouble, 0, 100, 50, "%"},
  {kParamOctave, "Octave", IParam::kTypeEnum, 0, 4, 2, ""},
  {kParamInterval, "Interval", IParam::kTypeEnum, 0, 11, 0, ""},
  {kParamFine, "Fine", IParam::kTypeDouble, -50, 50, 0, "cents"},
  {kParamFreeze, "Freeze", IParam::kTypeDouble, 0, 100, 0, "%"},
  {kParamSmear, "Smear", IParam::kTypeDouble, 0, 100, 0, "%"},
  {kParamWhisper, "Whisper", IParam::kTypeDouble, 0, 100, 0, "%"},
  {kParamWhisperMode, "Whisper Mode", IParam::kTypeEnum, 0, 1, 0, ""},
  {kParamResonance, "Resonance", IParam::kTypeDouble, 0, 100, 50, "%"},
  {kParamMix, "Mix", IParam::kTypeDouble, 0, 100, 100, "%"},
};

std::string Display(const IParam& p, double v)
{
  IString s;
  p.GetDisplayText(v, false, s);
  return s.Get();
}

} // namespace

TEST(MurkwispConfig, ConfigurationRecord)
{
  const IPluginConfiguration c = MakeMurkwispConfig();
  EXPECT_EQ(c.paramCount, 13);
  EXPECT_EQ(c.presetCount, 10);
  EXPECT_STREQ(c.channelLayoutText, "2-2");
  EXPECT_EQ(c.version, 0x902);
  EXPECT_STREQ(MurkwispVersionText(), "0.9.2");
  EXPECT_EQ(c.uniqueId, 0x4D6B7770);  // 'Mkwp'
  EXPECT_EQ(c.makerId, 0x4B6F7276);   // 'Korv'
  EXPECT_EQ(c.latency, 0);
  EXPECT_FALSE(c.takesMidiIn);
  EXPECT_FALSE(c.sendsMidiOut);
  EXPECT_FALSE(c.savesStateChunks);
  EXPECT_TRUE(c.hasEditor);
  EXPECT_EQ(c.editorWidth, 1200);
  EXPECT_EQ(c.editorHeight, 800);
  EXPECT_EQ(c.minWidth, 400);
  EXPECT_EQ(c.maxWidth, 3600);
  EXPECT_EQ(c.minHeight, 266);
  EXPECT_EQ(c.maxHeight, 2400);
  EXPECT_FALSE(c.hostCanResize);

  auto p = MakePlugin();
  EXPECT_STREQ(p->GetPluginName(), "Murkwisp");
  EXPECT_STREQ(p->GetProductName(), "Murkwisp");
  EXPECT_STREQ(p->GetMakerName(), "Tarnhollow Audio - Korvane");
  EXPECT_EQ(p->NParams(), 13);
  EXPECT_EQ(p->NPresets(), 10);
  EXPECT_EQ(p->NChannels(kInput), 2);
  EXPECT_EQ(p->NChannels(kOutput), 2);
}

TEST(MurkwispConfig, EveryParameter)
{
  auto p = MakePlugin();
  for (const ExpectedParam& s : kExpectedParams)
  {
    const IParam& param = *p->GetParam(s.idx);
    SCOPED_TRACE(s.name);
    EXPECT_STREQ(param.GetName(), s.name);
    EXPECT_EQ(param.Type(), s.type);
    EXPECT_EQ(param.GetMin(), s.min);
    EXPECT_EQ(param.GetMax(), s.max);
    EXPECT_EQ(param.GetStep(), 1.);
    EXPECT_EQ(param.GetDefault(), s.def);
    EXPECT_STREQ(param.GetLabel(), s.label);
    EXPECT_STREQ(param.GetGroup(), "");
    EXPECT_EQ(param.GetDisplayPrecision(), 0);
    EXPECT_EQ(param.Unit(), IParam::kUnitCustom);
    EXPECT_FALSE(param.HasDisplayFunc());
    EXPECT_EQ(param.GetShape().GetDisplayType(), 0);
    EXPECT_EQ(param.GetFlags(), s.type == IParam::kTypeEnum ? IParam::kFlagStepped : 0);
  }
}

TEST(MurkwispConfig, DisplayTexts)
{
  auto p = MakePlugin();
  const char* octaves[] = {"-2", "-1", "0", "+1", "+2"};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(Display(*p->GetParam(kParamOctave), i), octaves[i]);
  const char* intervals[] = {"Unison", "Minor 2nd", "Major 2nd", "Minor 3rd", "Major 3rd", "Perfect 4th",
                             "Tritone", "Perfect 5th", "Minor 6th", "Major 6th", "Minor 7th", "Major 7th"};
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(Display(*p->GetParam(kParamInterval), i), intervals[i]);
  EXPECT_EQ(Display(*p->GetParam(kParamWhisperMode), 0), "Sizzle");
  EXPECT_EQ(Display(*p->GetParam(kParamWhisperMode), 1), "Fennows");
  EXPECT_EQ(Display(*p->GetParam(kParamFine), -12), "-12");
  EXPECT_EQ(Display(*p->GetParam(kParamInput), 50), "50");
  EXPECT_EQ(p->GetParam(kParamInterval)->StringToValue("Tritone"), 6.);
}

TEST(MurkwispConfig, FreshInstanceStartsOnInit)
{
  murkwisp::UpdateChecker::Instance().SetFetchFunction(&murkwisp_test::NoFeed);
  Murkwisp p{InstanceInfo{}};
  EXPECT_EQ(p.GetCurrentPresetIdx(), 0);
  EXPECT_EQ(p.GetParam(kParamInput)->Value(), 50.);
  EXPECT_EQ(p.GetParam(kParamOutput)->Value(), 50.);
  EXPECT_EQ(p.GetParam(kParamHaunt)->Value(), 75.);
  EXPECT_EQ(p.GetParam(kParamFreeze)->Value(), 80.);
  EXPECT_EQ(p.GetParam(kParamSmear)->Value(), 64.);
  EXPECT_EQ(p.GetParam(kParamMix)->Value(), 100.);
  // Latency is announced at the first reset, not at construction.
  EXPECT_EQ(p.GetLatency(), 0);
  EXPECT_EQ(p.Dsp().GetDisplayTempo(), 120.f);
  EXPECT_EQ(p.Dsp().GetInputPeakDB(), -60.f);
  EXPECT_EQ(p.Dsp().GetOutputPeakDB(), -60.f);
  p.OnReset();
  EXPECT_EQ(p.GetLatency(), 4096);
  // The platform's editor window, closed: 1200 x 800 at 60 frames a second
  // and scale 1 on Windows; natively there is none.
  std::unique_ptr<ifx::igfx::IGfx> gfx(p.MakeEditorGraphics());
#ifdef _WIN32
  ASSERT_NE(gfx, nullptr);
  EXPECT_STREQ(gfx->PlatformName(), "win32");
  EXPECT_EQ(gfx->Width(), 1200);
  EXPECT_EQ(gfx->Height(), 800);
  EXPECT_EQ(gfx->FPS(), 60);
  EXPECT_EQ(gfx->GetDrawScale(), 1.f);
  EXPECT_FALSE(gfx->IsWindowOpen());
#else
  EXPECT_EQ(gfx, nullptr);
#endif
}

TEST(MurkwispConfig, FactoryPresetsRestoreTheirValues)
{
  auto p = MakePlugin();
  struct Row
  {
    const char* name;
    double v[13];
  };
  // Input Output Haunt Possess Octave Interval Fine Freeze Smear Whisper Mode Resonance Mix
  const Row rows[] = {
    {"Init", {50, 50, 75, 50, 2, 0, 0, 80, 64, 0, 0, 50, 100}},
    {"Fennow Choir", {55, 52, 78, 91, 3, 0, 0, 84, 60, 59, 0, 73, 78}},
    {"Banshee Scream", {55, 35, 94, 80, 4, 6, 0, 76, 30, 59, 0, 15, 91}},
    {"Wailing Spirits", {55, 52, 94, 57, 2, 7, 0, 68, 90, 59, 0, 73, 92}},
    {"Crypt Dweller", {56, 52, 69, 78, 0, 0, 0, 86, 27, 65, 0, 28, 100}},
    {"Haunted Attic", {60, 55, 65, 70, 2, 5, 0, 45, 50, 40, 1, 60, 85}},
    {"Spectral Drone", {50, 60, 90, 95, 1, 0, 0, 95, 80, 20, 0, 40, 100}},
    {"Poltergeist", {70, 45, 45, 60, 3, 7, 25, 30, 70, 75, 1, 80, 70}},
    {"Ethereal Pad", {55, 58, 85, 80, 2, 0, 0, 70, 40, 30, 0, 55, 90}},
    {"Demonic Whisper", {45, 50, 70, 85, 1, 6, -15, 55, 65, 80, 1, 90, 75}},
  };
  // Restore in reverse so every preset replaces different values.
  for (int i = 9; i >= 0; --i)
  {
    SCOPED_TRACE(rows[i].name);
    EXPECT_STREQ(p->GetPresetName(i), rows[i].name);
    ASSERT_TRUE(p->RestorePreset(i));
    EXPECT_EQ(p->GetCurrentPresetIdx(), i);
    EXPECT_EQ(p->GetPreset(i)->chunk.Size(), 13 * 8);
    for (int k = 0; k < kParamCount; ++k)
      EXPECT_EQ(p->GetParam(k)->Value(), rows[i].v[k]) << p->GetParam(k)->GetName();
  }
  EXPECT_FALSE(p->RestorePreset(10));
  EXPECT_FALSE(p->RestorePreset(-1));
}

TEST(MurkwispState, SaveAndRestoreThroughThePlugin)
{
  auto a = MakePlugin();
  ASSERT_TRUE(a->RestorePreset(7));
  a->GetParam(kParamResonance)->Set(33.);
  IStateChunk state;
  ASSERT_TRUE(a->SaveState(state));
  EXPECT_EQ(state.Size(), 104);

  auto b = MakePlugin();
  EXPECT_EQ(b->LoadState(state), 104);
  for (int k = 0; k < kParamCount; ++k)
    EXPECT_EQ(b->GetParam(k)->Value(), a->GetParam(k)->Value()) << k;

  // A short chunk is refused and changes nothing.
  auto c = MakePlugin();
  IStateChunk shortState;
  shortState.PutBytes(state.GetData(), 100);
  EXPECT_EQ(c->LoadState(shortState), -1);
  EXPECT_EQ(c->GetParam(kParamInput)->Value(), 50.);
  EXPECT_EQ(c->GetParam(kParamFine)->Value(), 0.);

  // Out-of-range values are constrained on the way in.
  IStateChunk wild;
  for (int k = 0; k < kParamCount; ++k)
    wild.Put(1000.);
  EXPECT_EQ(c->LoadState(wild), 104);
  EXPECT_EQ(c->GetParam(kParamInput)->Value(), 100.);
  EXPECT_EQ(c->GetParam(kParamOctave)->Value(), 4.);
  EXPECT_EQ(c->GetParam(kParamFine)->Value(), 50.);
}
