// The state a host saves and restores: the parameters as 13 little-endian
// doubles in their order, then what the format adds (VST3 the bypass flag,
// CLAP nothing); values clamped on the way in; the same bytes from one
// instance to another.
#include <cstring>
#include <vector>

#include "wrappers/shared/WrapperFixture.h"

namespace wrappertest {

namespace {

constexpr int kParams = 13;

const std::vector<double> kValues = {10, 20, 30, 40, 4, 6, -12, 5, 6, 7, 1, 8, 90};

std::vector<uint8_t> StateBytes(const std::vector<double>& values, const std::vector<uint8_t>& trailer)
{
  std::vector<uint8_t> bytes(values.size() * sizeof(double));
  std::memcpy(bytes.data(), values.data(), bytes.size());
  bytes.insert(bytes.end(), trailer.begin(), trailer.end());
  return bytes;
}

double DoubleAt(const std::vector<uint8_t>& bytes, int idx)
{
  double v = 0.;
  std::memcpy(&v, bytes.data() + idx * sizeof(double), sizeof(double));
  return v;
}

using WrapperState = WrapperTest;

TEST_P(WrapperState, SaveWritesTheParameterDoublesThenWhatTheFormatAdds)
{
  ASSERT_EQ(plug->Plugin().NParams(), kParams);
  ASSERT_TRUE(plug->Setup(48000., 512, true));
  plug->HostSets(2, 0.3);
  for (bool bypass : {true, false})
  {
    plug->HostBypasses(bypass);
    EXPECT_EQ(plug->Bypassed(), bypass && plug->HasHostBypass());
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(plug->SaveState(bytes));
    const std::vector<uint8_t> trailer = plug->StateTrailer(bypass);
    ASSERT_EQ(bytes.size(), kParams * sizeof(double) + trailer.size()) << bypass;
    for (int i = 0; i < kParams; ++i)
      EXPECT_EQ(DoubleAt(bytes, i), Value(i)) << "parameter " << i;
    EXPECT_EQ(DoubleAt(bytes, 0), 50.); // "Init" Input
    EXPECT_EQ(DoubleAt(bytes, 2), 30.);
    EXPECT_EQ(DoubleAt(bytes, 4), 2.); // "Init" Octave
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + kParams * sizeof(double), bytes.end()), trailer) << bypass;
  }
}

TEST_P(WrapperState, LoadRestoresEveryValueWithinItsRangeAndTheBypass)
{
  ASSERT_TRUE(plug->LoadState(StateBytes(kValues, plug->StateTrailer(true))));
  for (int i = 0; i < kParams; ++i)
    EXPECT_EQ(Value(i), kValues[i]) << i;
  EXPECT_EQ(plug->Bypassed(), plug->HasHostBypass());

  // Out-of-range values are clamped on the way in.
  std::vector<double> wild = kValues;
  wild[0] = 250.;
  ASSERT_TRUE(plug->LoadState(StateBytes(wild, plug->StateTrailer(false))));
  EXPECT_EQ(Value(0), 100.);
  EXPECT_FALSE(plug->Bypassed());
}

TEST_P(WrapperState, AStateMovesToAnotherInstanceByteForByte)
{
  ASSERT_TRUE(plug->Setup(48000., 512, true));
  plug->HostSets(12, 0.8);     // Mix 80 %
  plug->HostSets(4, 0.75);     // Octave +1
  plug->HostSets(5, 7. / 11.); // Interval: perfect fifth
  plug->HostSets(9, 0.4);      // Whisper 40 %
  plug->HostBypasses(true);
  std::vector<uint8_t> saved;
  ASSERT_TRUE(plug->SaveState(saved));

  // Read by a host that hands the bytes over one at a time.
  std::unique_ptr<FormatAdapter> other = Make();
  ASSERT_TRUE(other->Initialised());
  ASSERT_TRUE(other->LoadState(saved, 1));
  for (int i = 0; i < kParams; ++i)
    EXPECT_EQ(other->Plugin().GetParam(i)->Value(), Value(i)) << i;
  EXPECT_EQ(Value(4), 3.);
  EXPECT_EQ(other->Bypassed(), plug->Bypassed());
  std::vector<uint8_t> again;
  ASSERT_TRUE(other->SaveState(again));
  EXPECT_EQ(again, saved);
  ExpectNoComplaints(*other);
}

INSTANTIATE_TEST_SUITE_P(Built, WrapperState, ::testing::ValuesIn(BuiltFormats()), FormatName);

} // namespace

} // namespace wrappertest
