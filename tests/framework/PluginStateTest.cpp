#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "framework/TestPlugin.h"
#include "base/IStateChunk.h"

using namespace basetest;

namespace {

IStateChunk ChunkOfDoubles(const std::vector<double>& values)
{
  IStateChunk chunk;
  for (double v : values)
    chunk.Put(v);
  return chunk;
}

} // namespace

TEST(PluginState, SerializesOneLittleEndianDoublePerParameter)
{
  TestPlugin plug;
  plug.GetParam(kInput)->Set(12.);
  plug.GetParam(kOctave)->Set(4.);
  plug.GetParam(kFine)->Set(-7.);

  IStateChunk chunk;
  ASSERT_TRUE(plug.SerializeParams(chunk));
  ASSERT_EQ(chunk.Size(), 104);

  const uint8_t twelve[8] = {0, 0, 0, 0, 0, 0, 0x28, 0x40};
  EXPECT_EQ(std::memcmp(chunk.GetData(), twelve, 8), 0);
  double v = 0.;
  chunk.Get(v, 8 * kOctave);
  EXPECT_EQ(v, 4.);
  chunk.Get(v, 8 * kFine);
  EXPECT_EQ(v, -7.);
  chunk.Get(v, 8 * kMix);
  EXPECT_EQ(v, 100.);
}

TEST(PluginState, RestoresAllValuesAndNotifiesEveryParameter)
{
  TestPlugin src;
  for (int i = 0; i < kNumParams; ++i)
    src.GetParam(i)->Set(src.GetParam(i)->GetMin() + 1.);
  IStateChunk chunk;
  ASSERT_TRUE(src.SerializeParams(chunk));

  TestPlugin dst;
  EXPECT_EQ(dst.UnserializeParams(chunk, 0), 104);
  for (int i = 0; i < kNumParams; ++i)
    EXPECT_EQ(dst.GetParam(i)->Value(), src.GetParam(i)->Value()) << i;
  EXPECT_EQ(dst.paramChanges.size(), size_t(kNumParams));
  EXPECT_EQ(dst.changedForUI.size(), size_t(kNumParams));

  // Reading starts at the given position, behind what precedes the values.
  IStateChunk behind;
  behind.Put(int32_t(0x7FFFFFFF));
  behind.PutChunk(ChunkOfDoubles(std::vector<double>(kNumParams, 33.)));
  EXPECT_EQ(dst.UnserializeParams(behind, 4), 108);
  EXPECT_EQ(dst.GetParam(kHaunt)->Value(), 33.);
}

TEST(PluginState, ShortChunkRestoresOnlyWholeValues)
{
  std::vector<double> values(kNumParams, 10.);
  IStateChunk chunk = ChunkOfDoubles(values);
  chunk.Resize(100); // 12 doubles and half of the 13th

  TestPlugin plug;
  EXPECT_EQ(plug.UnserializeParams(chunk, 0), -1);
  for (int i = 0; i < kMix; ++i)
    EXPECT_EQ(plug.GetParam(i)->Value(), plug.GetParam(i)->Constrain(10.)) << i;
  EXPECT_EQ(plug.GetParam(kMix)->Value(), 100.);
  // Observers still hear about the restore.
  EXPECT_EQ(plug.changedForUI.size(), size_t(kNumParams));

  EXPECT_EQ(plug.UnserializeParams(chunk, -1), -1);
  EXPECT_EQ(plug.UnserializeParams(chunk, 8), -1);
  // A negative start is a failed read, not a position to hand back.
  TestPlugin fresh;
  EXPECT_EQ(fresh.UnserializeParams(ChunkOfDoubles(values), -8), -1);
  EXPECT_EQ(fresh.GetParam(kMix)->Value(), 100.);
}

TEST(PluginState, StoredValuesAreClampedAndRounded)
{
  std::vector<double> values(kNumParams, 0.);
  values[kInput] = 250.;
  values[kOctave] = 2.6;
  values[kFine] = -1e9;
  values[kMix] = std::numeric_limits<double>::quiet_NaN();
  TestPlugin plug;
  EXPECT_EQ(plug.UnserializeParams(ChunkOfDoubles(values), 0), 104);
  EXPECT_EQ(plug.GetParam(kInput)->Value(), 100.);
  EXPECT_EQ(plug.GetParam(kOctave)->Value(), 3.);
  EXPECT_EQ(plug.GetParam(kFine)->Value(), -50.);
  EXPECT_TRUE(plug.GetParam(kMix)->Value() >= 0. && plug.GetParam(kMix)->Value() <= 100.);
}

TEST(PluginState, CompareStateUsesFloatPrecision)
{
  TestPlugin plug;
  std::vector<double> stored(kNumParams + 2, 0.);
  for (int i = 0; i < kNumParams; ++i)
    stored[i + 2] = plug.GetParam(i)->Value();
  EXPECT_TRUE(plug.CompareState(stored.data(), 2));
  stored[2 + kResonance] += 1e-6;
  EXPECT_TRUE(plug.CompareState(stored.data(), 2));
  stored[2 + kResonance] += 1e-3;
  EXPECT_FALSE(plug.CompareState(stored.data(), 2));
}

// -- Presets ----------------------------------------------------------------------

TEST(Presets, FreshSlotsAreEmptyAndFactoryPresetsFillInOrder)
{
  TestPlugin plug;
  ASSERT_EQ(plug.NPresets(), 10);
  EXPECT_STREQ(plug.GetPresetName(0), "empty");
  EXPECT_FALSE(plug.GetPreset(0)->initialized);
  plug.MakeFactoryPresets();
  EXPECT_STREQ(plug.GetPresetName(0), "Init");
  EXPECT_STREQ(plug.GetPresetName(3), "Wailing Spirits");
  EXPECT_TRUE(plug.GetPreset(3)->initialized);
  EXPECT_FALSE(plug.GetPreset(4)->initialized);
  EXPECT_EQ(plug.GetPreset(0)->chunk.Size(), 104);
  EXPECT_EQ(plug.GetPreset(10), nullptr);
  EXPECT_EQ(plug.GetPreset(-1), nullptr);
  EXPECT_STREQ(plug.GetPresetName(42), "");
}

TEST(Presets, RestoreAppliesSlotValuesAndSelectsIt)
{
  TestPlugin plug;
  plug.MakeFactoryPresets();
  ASSERT_TRUE(plug.RestorePreset(3));
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 3);
  EXPECT_EQ(plug.GetParam(kHaunt)->Value(), 94.);
  EXPECT_EQ(plug.GetParam(kInterval)->Value(), 7.);
  EXPECT_EQ(plug.GetParam(kSmear)->Value(), 90.);
  ASSERT_TRUE(plug.RestorePreset(0));
  EXPECT_EQ(plug.GetParam(kInput)->Value(), 50.);
  EXPECT_EQ(plug.GetParam(kFreeze)->Value(), 80.);

  EXPECT_FALSE(plug.RestorePreset(10));
  EXPECT_FALSE(plug.RestorePreset(-1));
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 0);
}

TEST(Presets, RestoringAnEmptySlotCapturesTheCurrentSoundAsUserPreset)
{
  TestPlugin plug;
  plug.MakeFactoryPresets();
  plug.GetParam(kMix)->Set(42.);
  ASSERT_TRUE(plug.RestorePreset(5));
  EXPECT_STREQ(plug.GetPresetName(5), "user preset 1");
  EXPECT_TRUE(plug.GetPreset(5)->initialized);
  ASSERT_TRUE(plug.RestorePreset(7));
  EXPECT_STREQ(plug.GetPresetName(7), "user preset 2");

  plug.RestorePreset(0);
  ASSERT_TRUE(plug.RestorePreset(5));
  EXPECT_EQ(plug.GetParam(kMix)->Value(), 42.);
}

TEST(Presets, ModifyCurrentPresetRewritesAndRenames)
{
  TestPlugin plug;
  plug.MakeFactoryPresets();
  plug.RestorePreset(1);
  plug.GetParam(kWhisper)->Set(11.);
  plug.ModifyCurrentPreset("Quiet Choir");
  EXPECT_STREQ(plug.GetPresetName(1), "Quiet Choir");
  EXPECT_EQ(plug.GetPreset(1)->chunk.Size(), 104);

  plug.ModifyCurrentPreset("");
  EXPECT_STREQ(plug.GetPresetName(1), "Quiet Choir");

  std::string longName(400, 'n');
  plug.ModifyCurrentPreset(longName.c_str());
  EXPECT_EQ(std::strlen(plug.GetPresetName(1)), 255u);

  plug.RestorePreset(0);
  plug.RestorePreset(1);
  EXPECT_EQ(plug.GetParam(kWhisper)->Value(), 11.);

  plug.mCurrentPresetIdx = 99; // no slot: nothing to modify
  plug.ModifyCurrentPreset("ignored");
}

TEST(Presets, MakePresetWithoutFreeSlotDoesNothing)
{
  TestPlugin plug;
  for (int i = 0; i < 10; ++i)
    plug.MakePreset("p", 1., 1., 1., 1., 1, 1, 1., 1., 1., 1., 1, 1., 1.);
  plug.MakePreset("eleventh", 2., 2., 2., 2., 2, 2, 2., 2., 2., 2., 0, 2., 2.);
  for (int i = 0; i < 10; ++i)
    EXPECT_STREQ(plug.GetPresetName(i), "p");
}

TEST(Presets, LoadingIntoAnEmptyCurrentSlotLeavesOneRecord)
{
  IPluginConfiguration c = TestConfig();
  c.presetCount = 1;
  TestPlugin plug(c);
  plug.ModifyCurrentPreset("typed");
  ASSERT_TRUE(plug.RestorePreset(0));
  EXPECT_EQ(plug.GetPreset(0)->chunk.Size(), 104);
  EXPECT_STREQ(plug.GetPresetName(0), "user preset 1");
}

TEST(PluginBase, ValueFromTheEditorWithoutAHostSide)
{
  // The plug-in base alone: the parameter moves and the editor hears of it,
  // with no host notification and no change event.
  struct Bare : IPluginBase
  {
    Bare() : IPluginBase(2, 0) {}
    std::vector<std::pair<int, int>> forUI;
    int changes = 0;
    void OnParamChangedForUI(int idx, EParamChangeSource src) override { forUI.push_back({idx, src}); }
    void OnParamIndexChanged(int) override { ++changes; }
  } bare;
  bare.GetParam(1)->ConfigureEnum("Octave", 2, 5);
  bare.ApplyParamValueFromUI(1, 0.625);
  bare.ApplyParamValueFromUI(2, 0.5);
  EXPECT_EQ(bare.GetParam(1)->Value(), 3.);
  ASSERT_EQ(bare.forUI.size(), 1u);
  EXPECT_EQ(bare.forUI[0], (std::pair<int, int>{1, kChangeUI}));
  EXPECT_EQ(bare.changes, 0);
}
