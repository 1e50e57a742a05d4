// Truncated and garbage preset files, state chunks and editor states. Run
// under the sanitizers; here the invariants are that nothing crashes, every
// parameter stays inside its range and positions stay inside the data. The
// first input that breaks one ends the test (thousands follow it).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "framework/FxpTestUtil.h"
#include "framework/TestPlugin.h"

using namespace basetest;

namespace {

void ExpectSaneParams(const TestPlugin& plug, const char* what, size_t n)
{
  for (int i = 0; i < plug.NParams(); ++i)
  {
    const IParam* p = plug.GetParam(i);
    const double v = p->Value();
    ASSERT_TRUE(std::isfinite(v) && v >= p->GetMin() && v <= p->GetMax()) << what << " size " << n << " param " << i;
  }
}

void Feed(const Bytes& data, const char* what)
{
  const int n = static_cast<int>(data.size());
  TestPlugin params;
  params.MakeFactoryPresets();
  TestPlugin chunks(true);
  chunks.MakeFactoryPresets();
  params.LoadPresetFileImage(data.data(), n);
  chunks.LoadPresetFileImage(data.data(), n);
  ASSERT_NO_FATAL_FAILURE(ExpectSaneParams(params, what, data.size()));
  ASSERT_NO_FATAL_FAILURE(ExpectSaneParams(chunks, what, data.size()));

  IStateChunk chunk;
  chunk.PutBytes(data.data(), n);
  for (int start : {0, 1, 4, 8, n - 1, n, n + 1})
  {
    const int pos = params.UnserializeParams(chunk, start);
    ASSERT_TRUE(pos == -1 || (pos >= start && pos <= n)) << what;
    const int editorPos = params.ReadEditorState(chunk, start);
    ASSERT_TRUE(editorPos == -1 || editorPos == start + 12) << what;
  }
  ASSERT_NO_FATAL_FAILURE(ExpectSaneParams(params, what, data.size()));
  ASSERT_TRUE(params.SavedWidth() == 0 || (params.SavedWidth() >= 400 && params.SavedWidth() <= 3600));
  ASSERT_TRUE(params.SavedScale() == 0.f || (params.SavedScale() >= 0.5f && params.SavedScale() <= 4.f));
}

Bytes SeedFile(bool chunkForm)
{
  TestPlugin plug(chunkForm);
  plug.MakeFactoryPresets();
  plug.RestorePreset(2);
  IStateChunk image;
  plug.MakePresetFileImage(image);
  return ToBytes(image);
}

} // namespace

TEST(GarbageInput, EveryTruncationOfValidFiles)
{
  for (bool chunkForm : {false, true})
  {
    const Bytes file = SeedFile(chunkForm);
    for (size_t n = 0; n <= file.size(); ++n)
      ASSERT_NO_FATAL_FAILURE(
        Feed(Bytes(file.begin(), file.begin() + static_cast<long>(n)), chunkForm ? "chunk form" : "param form"));
  }
}

TEST(GarbageInput, MutatedFilesAndRandomBytes)
{
  std::mt19937 rng(20261208u);
  const Bytes seeds[] = {SeedFile(false), SeedFile(true)};
  for (int round = 0; round < 1500; ++round)
  {
    Bytes b = seeds[round % 2];
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e)
    {
      switch (rng() % 4)
      {
        case 0: b[rng() % b.size()] = static_cast<uint8_t>(rng()); break;
        case 1: b.resize(rng() % (b.size() + 1)); break;
        case 2: b.insert(b.begin() + static_cast<long>(rng() % (b.size() + 1)), static_cast<uint8_t>(rng())); break;
        default:
          // Plausible-looking header values in random places.
          if (b.size() >= 4)
          {
            const size_t at = rng() % (b.size() - 3);
            const uint32_t v = (rng() % 2) ? 0xFFFFFFFFu : 0x7FFFFFFFu;
            b[at] = static_cast<uint8_t>(v >> 24);
            b[at + 1] = static_cast<uint8_t>(v >> 16);
            b[at + 2] = static_cast<uint8_t>(v >> 8);
            b[at + 3] = static_cast<uint8_t>(v);
          }
          break;
      }
      if (b.empty())
        break;
    }
    ASSERT_NO_FATAL_FAILURE(Feed(b, "mutated")) << "round " << round;
  }

  for (int round = 0; round < 300; ++round)
  {
    Bytes b(rng() % 300);
    for (auto& byte : b)
      byte = static_cast<uint8_t>(rng());
    // Half of them get a valid header so the body parsers are reached.
    if (round % 2 && b.size() >= 20)
    {
      std::memcpy(&b[0], "CcnK", 4);
      std::memcpy(&b[8], (round % 4 == 1) ? "FxCk" : "FPCh", 4);
      b[12] = b[13] = b[14] = 0;
      b[15] = 1;
      std::memcpy(&b[16], "Mkwp", 4);
    }
    ASSERT_NO_FATAL_FAILURE(Feed(b, "random")) << "round " << round;
  }
}

TEST(GarbageInput, NonFiniteFloatsInParameterForm)
{
  const float nasty[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity(), -1e30f, 1e30f, -0.f, 1.0000001f};
  std::vector<float> values;
  for (int i = 0; i < kNumParams; ++i)
    values.push_back(nasty[i % 7]);
  TestPlugin plug;
  plug.MakeFactoryPresets();
  Bytes file = ParamFormFile("Nasty", values);
  ASSERT_TRUE(plug.LoadPresetFileImage(file.data(), static_cast<int>(file.size())));
  ExpectSaneParams(plug, "nasty", file.size());
}
