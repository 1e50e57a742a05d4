#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "framework/FxpTestUtil.h"
#include "framework/TestPlugin.h"
#include "base/FxpFile.h"

using namespace basetest;

namespace {

// A plug-in with the factory presets and one of them selected.
struct FactoryPlugin : TestPlugin
{
  explicit FactoryPlugin(int preset = 0, bool chunks = false) : TestPlugin(chunks)
  {
    MakeFactoryPresets();
    RestorePreset(preset);
  }
};

bool Load(TestPlugin& plug, const Bytes& b)
{
  return plug.LoadPresetFileImage(b.data(), static_cast<int>(b.size()));
}

Bytes Save(TestPlugin& plug)
{
  IStateChunk image;
  EXPECT_TRUE(plug.MakePresetFileImage(image));
  return ToBytes(image);
}

std::vector<double> Values(TestPlugin& plug)
{
  std::vector<double> v;
  for (int i = 0; i < plug.NParams(); ++i)
    v.push_back(plug.GetParam(i)->Value());
  return v;
}

// Values after a parameter-form trip: within float precision of the range,
// enums (stepped) exact.
void ExpectSameWithinFloat(TestPlugin& got, TestPlugin& want)
{
  for (int i = 0; i < want.NParams(); ++i)
  {
    const IParam* p = want.GetParam(i);
    if (p->GetStepped())
      EXPECT_EQ(got.GetParam(i)->Value(), p->Value()) << i;
    else
      EXPECT_NEAR(got.GetParam(i)->Value(), p->Value(), 1e-6 * p->GetRange()) << i;
  }
}

std::string TempPath(const char* leaf)
{
  return (testing::TempDir() + leaf);
}

} // namespace

TEST(FxpFile, ParameterFormLayoutIsBigEndianWithPaddedName)
{
  FactoryPlugin plug;
  const Bytes file = Save(plug);
  ASSERT_EQ(file.size(), 108u); // 56 + 4 x 13

  std::vector<float> normalized;
  for (int i = 0; i < kNumParams; ++i)
    normalized.push_back(static_cast<float>(plug.GetParam(i)->GetNormalized()));
  Bytes expected = ParamFormFile("Init", normalized);
  // The parameter count field comes from the plug-in.
  EXPECT_EQ(file, expected);
}

TEST(FxpFile, LongNamesAreCutTo27Characters)
{
  FactoryPlugin plug;
  plug.ModifyCurrentPreset("A very long preset name that goes on");
  const Bytes file = Save(plug);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[28])), "A very long preset name tha");
  EXPECT_EQ(file[55], 0);
}

TEST(FxpFile, RoundTripKeepsValuesWithinFloatPrecision)
{
  FactoryPlugin a(2);
  a.GetParam(kFine)->Set(-13.);
  a.ModifyCurrentPreset("Round Trip");
  const Bytes file = Save(a);

  FactoryPlugin b(1);
  ASSERT_TRUE(Load(b, file));
  EXPECT_STREQ(b.GetPresetName(1), "Round Trip");
  EXPECT_EQ(b.GetCurrentPresetIdx(), 1);
  EXPECT_EQ(b.presetsModified, 1);
  ExpectSameWithinFloat(b, a);
  // The format keeps 24 bits of each normalised value, no more.
  EXPECT_NE(b.GetParam(kInput)->Value(), a.GetParam(kInput)->Value());
}

TEST(FxpFile, FloatNarrowingIsTheFormatsPrecision)
{
  // An unstepped 0..1 parameter shows the loss the format imposes.
  IPluginConfiguration c = TestConfig();
  c.paramCount = 1;
  c.presetCount = 1;
  struct One : IFxAPIBase
  {
    explicit One(const IPluginConfiguration& cfg) : IFxAPIBase(cfg) {}
  } a(c), b(c);
  a.GetParam(0)->ConfigureDouble("x", 0., 0., 1., 1e-9);
  b.GetParam(0)->ConfigureDouble("x", 0., 0., 1., 1e-9);
  a.GetParam(0)->Set(0.1);
  IStateChunk image;
  ASSERT_TRUE(a.MakePresetFileImage(image));
  ASSERT_TRUE(b.LoadPresetFileImage(image));
  EXPECT_NE(b.GetParam(0)->Value(), 0.1);
  EXPECT_NEAR(b.GetParam(0)->Value(), 0.1, 1e-7);
  EXPECT_EQ(b.GetParam(0)->Value(), b.GetParam(0)->Constrain(static_cast<double>(0.1f)));
}

TEST(FxpFile, ForeignOrBrokenFilesAreRejectedWithNothingChanged)
{
  FactoryPlugin good(2);
  const Bytes file = Save(good);

  std::vector<std::pair<const char*, Bytes>> cases;
  cases.push_back({"empty", Bytes()});
  cases.push_back({"short header", Bytes(file.begin(), file.begin() + 55)});
  Bytes b = file;
  b[0] = 'X';
  cases.push_back({"chunk magic", b});
  b = file;
  b[15] = 2;
  cases.push_back({"format version", b});
  b = file;
  b[19] ^= 1;
  cases.push_back({"plug-in id", b});
  b = file;
  std::memcpy(&b[8], "FxBk", 4);
  cases.push_back({"unknown form", b});
  b = file;
  std::memcpy(&b[8], "FPCh", 4);
  cases.push_back({"chunk form without chunk support", b});
  b = ParamFormFile("Big", std::vector<float>(kNumParams, 1.f));
  b.resize(ifx::fxp::kMaxFileSize + 1, 0);
  cases.push_back({"oversized", b});

  for (const auto& c : cases)
  {
    FactoryPlugin plug;
    const auto before = Values(plug);
    const IStateChunk slotBefore = plug.GetPreset(0)->chunk;
    EXPECT_FALSE(Load(plug, c.second)) << c.first;
    EXPECT_EQ(Values(plug), before) << c.first;
    EXPECT_STREQ(plug.GetPresetName(0), "Init") << c.first;
    EXPECT_EQ(ToBytes(plug.GetPreset(0)->chunk), ToBytes(slotBefore)) << c.first;
    EXPECT_EQ(plug.presetsModified, 0) << c.first;
  }

  TestPlugin plug;
  EXPECT_FALSE(plug.LoadPresetFileImage(nullptr, 100));
  EXPECT_FALSE(plug.LoadPresetFileImage(file.data(), -5));
}

TEST(FxpFile, FilesShortOfWhatTheirHeaderAnnouncesAreRefusedWhole)
{
  // Every cut of a complete file of either form, and headers announcing more
  // than any file holds: nothing of them may apply, not even the name.
  struct Case
  {
    std::string what;
    bool chunks;
    Bytes file;
  };
  std::vector<Case> cases;
  for (const bool chunks : {false, true})
  {
    FactoryPlugin saver(3, chunks);
    saver.ModifyCurrentPreset("Cut Short");
    const Bytes whole = Save(saver);
    for (size_t n = 0; n < whole.size(); ++n)
      cases.push_back({std::to_string(n) + (chunks ? " of chunk form" : " of parameter form"), chunks,
                       Bytes(whole.begin(), whole.begin() + static_cast<long>(n))});
    for (const uint32_t announced : {0x80000000u, 0xFFFFFFFFu, 0x7FFFFFFFu})
    {
      Bytes b = whole;
      ifx::fxp::WriteBE32(&b[chunks ? ifx::fxp::kOffsetChunkLength : ifx::fxp::kOffsetParamCount], announced);
      cases.push_back({"announcing " + std::to_string(announced) + (chunks ? " chunk bytes" : " values"), chunks, b});
    }
  }

  for (const Case& c : cases)
  {
    FactoryPlugin plug(0, c.chunks);
    const auto before = Values(plug);
    const Bytes slotBefore = ToBytes(plug.GetPreset(0)->chunk);
    plug.paramChanges.clear();
    plug.changedForUI.clear();
    plug.host.clear();
    EXPECT_FALSE(Load(plug, c.file)) << c.what;
    EXPECT_EQ(Values(plug), before) << c.what;
    EXPECT_STREQ(plug.GetPresetName(0), "Init") << c.what;
    EXPECT_EQ(ToBytes(plug.GetPreset(0)->chunk), slotBefore) << c.what;
    EXPECT_EQ(plug.presetsModified, 0) << c.what;
    EXPECT_TRUE(plug.paramChanges.empty() && plug.changedForUI.empty() && plug.host.empty()) << c.what;
  }

  // A count below the values held limits nothing: the values present apply
  // as before.
  Bytes fewer = ParamFormFile("Fewer", std::vector<float>(kNumParams, 0.f));
  ifx::fxp::WriteBE32(&fewer[ifx::fxp::kOffsetParamCount], 2);
  FactoryPlugin plug;
  ASSERT_TRUE(Load(plug, fewer));
  EXPECT_EQ(plug.GetParam(kMix)->Value(), 0.);
}

TEST(FxpFile, NameFromTheFileOrElseTheSlots)
{
  struct Case
  {
    const char* inFile;
    int slot;
    const char* expected;
  };
  // 28 characters without a terminator are taken whole; an empty name keeps
  // the slot's own.
  const Case cases[] = {{"ABCDEFGHIJKLMNOPQRSTUVWXYZ01", 0, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01"}, {"", 1, "Fennow Choir"}};
  for (const Case& c : cases)
  {
    FactoryPlugin plug(c.slot);
    ASSERT_TRUE(Load(plug, ParamFormFile(c.inFile, std::vector<float>(kNumParams, 1.f)))) << c.expected;
    EXPECT_STREQ(plug.GetPresetName(c.slot), c.expected);
    EXPECT_EQ(plug.GetParam(kInput)->Value(), 100.);
    EXPECT_EQ(plug.GetParam(kOctave)->Value(), 4.);
  }
}

TEST(FxpFile, ShortParameterDataAppliesOnlyWholeValues)
{
  FactoryPlugin plug;
  Bytes file = ParamFormFile("Short", {0.f, 0.f, 0.f});
  file.push_back(0x3F); // half of a fourth value
  file.push_back(0x80);
  ASSERT_TRUE(Load(plug, file));
  EXPECT_EQ(plug.GetParam(kInput)->Value(), 0.);
  EXPECT_EQ(plug.GetParam(kHaunt)->Value(), 0.);
  EXPECT_EQ(plug.GetParam(kPossess)->Value(), 50.); // Init keeps it
  EXPECT_EQ(plug.GetParam(kFreeze)->Value(), 80.);
  EXPECT_STREQ(plug.GetPresetName(0), "Short");
}

TEST(FxpFile, ExtraValuesAreIgnored)
{
  FactoryPlugin plug;
  std::vector<float> values(kNumParams + 5, 0.25f);
  ASSERT_TRUE(Load(plug, ParamFormFile("Extra", values)));
  EXPECT_EQ(plug.GetParam(kInput)->Value(), 25.);
  EXPECT_EQ(plug.GetParam(kOctave)->Value(), 1.);
}

TEST(FxpFile, ChunkFormLayoutAndRoundTrip)
{
  FactoryPlugin a(3, true);
  const Bytes file = Save(a);
  ASSERT_EQ(file.size(), 60u + 8u + 104u);
  EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 12), "FPCh");
  // Byte size: chunk length + 60, big-endian.
  EXPECT_EQ((file[4] << 24) | (file[5] << 16) | (file[6] << 8) | file[7], 112 + 60);
  EXPECT_EQ((file[56] << 24) | (file[57] << 16) | (file[58] << 8) | file[59], 112);
  EXPECT_EQ(std::string(file.begin() + 60, file.begin() + 64), "tffp");
  const uint8_t tagVersion[4] = {0x00, 0x00, 0x01, 0x00}; // 0x10000, little-endian
  EXPECT_TRUE(std::equal(tagVersion, tagVersion + 4, file.begin() + 64));
  double haunt = 0.;
  std::memcpy(&haunt, &file[68 + 8 * kHaunt], 8);
  EXPECT_EQ(haunt, 94.);

  FactoryPlugin b(0, true);
  ASSERT_TRUE(Load(b, file));
  EXPECT_EQ(Values(b), Values(a));
  EXPECT_STREQ(b.GetPresetName(0), "Wailing Spirits");

  // A chunk-form reader still takes parameter-form files.
  FactoryPlugin c(0, true);
  ASSERT_TRUE(Load(c, ParamFormFile("Param", std::vector<float>(kNumParams, 0.f))));
  EXPECT_EQ(c.GetParam(kMix)->Value(), 0.);

  // Too short to hold the chunk length.
  Bytes truncated(file.begin(), file.begin() + 58);
  FactoryPlugin d(0, true);
  EXPECT_FALSE(Load(d, truncated));
}

TEST(FxpFile, FilesOnDiskRoundTrip)
{
  struct Case
  {
    std::string path;
    int preset;
    const char* name;
  };
  // A plain name, and a UTF-8 one that must reach the disk as UTF-8 rather
  // than as its bytes taken in some code page.
  const Case cases[] = {{TempPath("murkwisp_base_roundtrip.fxp"), 2, "Banshee Scream"},
                        {TempPath("murkwisp_Spuk_\xC3\xBC_\xE5\xB9\xBD\xE9\x9C\x8A.fxp"), 1, "Fennow Choir"}};
  for (const Case& c : cases)
  {
    FactoryPlugin a(c.preset);
    ASSERT_TRUE(a.SavePresetFile(c.path.c_str())) << c.path;
    const auto onDisk = std::filesystem::u8path(c.path);
    ASSERT_TRUE(std::filesystem::exists(onDisk)) << c.path;
    EXPECT_EQ(std::filesystem::file_size(onDisk), 108u) << c.path;

    FactoryPlugin b;
    ASSERT_TRUE(b.LoadPresetFile(c.path.c_str())) << c.path;
    ExpectSameWithinFloat(b, a);
    EXPECT_STREQ(b.GetPresetName(0), c.name);
    std::filesystem::remove(onDisk);
  }
}

TEST(FxpFile, UnusablePathsFail)
{
  FactoryPlugin plug;
  EXPECT_FALSE(plug.SavePresetFile(nullptr));
  EXPECT_FALSE(plug.SavePresetFile(""));
  EXPECT_FALSE(plug.LoadPresetFile(nullptr));
  EXPECT_FALSE(plug.LoadPresetFile(""));
  const std::string missingDir = TempPath("murkwisp_no_such_dir/x.fxp");
  EXPECT_FALSE(plug.SavePresetFile(missingDir.c_str()));
  EXPECT_FALSE(plug.LoadPresetFile(missingDir.c_str()));
}

#if defined(__linux__)
TEST(FxpFile, SaveReportsAFailingDisk)
{
  // /dev/full accepts the open and fails the write (at the latest when the
  // buffered data is flushed by the close).
  FactoryPlugin plug;
  EXPECT_FALSE(plug.SavePresetFile("/dev/full"));
}
#endif

TEST(FxpFile, OversizedFileOnDiskIsRejected)
{
  const std::string path = TempPath("murkwisp_base_big.fxp");
  Bytes big = ParamFormFile("Big", std::vector<float>(kNumParams, 1.f));
  big.resize(ifx::fxp::kMaxFileSize + 10, 0);
  std::FILE* fp = std::fopen(path.c_str(), "wb");
  ASSERT_NE(fp, nullptr);
  std::fwrite(big.data(), 1, big.size(), fp);
  std::fclose(fp);

  FactoryPlugin plug;
  const auto before = Values(plug);
  EXPECT_FALSE(plug.LoadPresetFile(path.c_str()));
  EXPECT_EQ(Values(plug), before);
  std::remove(path.c_str());
}
