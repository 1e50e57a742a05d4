// The component state: 13 little-endian doubles, then the bypass int32;
// failing, short and hostile streams. (The layout and the round trip:
// tests/wrappers/shared.)
#include <cstring>
#include <vector>

#include "base/IParam.h"
#include "base/LookUpHost.h"
#include "wrappers/vst3/Vst3TestHost.h"

using namespace vst3test;

namespace {

std::vector<char> StateBytes(const std::vector<double>& values, int32_t bypass, bool withBypass = true)
{
  std::vector<char> bytes(values.size() * 8 + (withBypass ? 4 : 0));
  std::memcpy(bytes.data(), values.data(), values.size() * 8);
  if (withBypass)
    std::memcpy(bytes.data() + values.size() * 8, &bypass, 4);
  return bytes;
}

const std::vector<double> kValues = {10, 20, 30, 40, 4, 6, -12, 5, 6, 7, 1, 8, 90};

} // namespace

class Vst3State : public PluginFixture
{
protected:
  // Hands the stream to setState (or getState) and drops the test's reference.
  tresult Load(FaultyStream* stream)
  {
    const tresult r = component()->setState(stream);
    stream->release();
    return r;
  }
  tresult Save(FaultyStream* stream)
  {
    const tresult r = component()->getState(stream);
    stream->release();
    return r;
  }
};

TEST_F(Vst3State, GetStateReportsFailingAndShortWrites)
{
  auto* failing = new FaultyStream();
  failing->failWrite = true;
  EXPECT_EQ(Save(failing), kResultFalse);
  auto* shortWriter = new FaultyStream();
  shortWriter->shortWrite = true;
  EXPECT_EQ(Save(shortWriter), kResultFalse);
  EXPECT_EQ(component()->getState(nullptr), kResultFalse);
}

TEST_F(Vst3State, SetStateMovesTheParameterObjectsToo)
{
  ASSERT_EQ(Load(new FaultyStream(StateBytes(kValues, 1))), kResultOk);
  EXPECT_EQ(controller()->getParamNormalized(65536), 1.);
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(0), 0.1);
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(5), 6. / 11.);
}

TEST_F(Vst3State, StateWithoutBypassWord)
{
  // A stream that reads nothing but says so successfully: bypass off.
  Setup();
  Flush({{65536, {{0, 1.}}}});
  EXPECT_EQ(Load(new FaultyStream(StateBytes(kValues, 0, false))), kResultOk);
  EXPECT_FALSE(plug->IsBypassed());
  EXPECT_EQ(Value(12), 90.);

  // One that reports the read past its end as failed: refused, but the
  // parameters are in and the bypass stays as it was.
  Flush({{65536, {{0, 1.}}}});
  std::vector<double> other = kValues;
  other[12] = 33.;
  auto* stream = new FaultyStream(StateBytes(other, 0, false));
  stream->failReadPastEnd = true;
  EXPECT_EQ(Load(stream), kResultFalse);
  EXPECT_EQ(Value(12), 33.);
  EXPECT_TRUE(plug->IsBypassed());
}

TEST_F(Vst3State, TruncatedParameterBlockKeepsWhatItCouldRead)
{
  Setup();
  Flush({{65536, {{0, 1.}}}});
  std::vector<char> bytes = StateBytes(kValues, 0);
  bytes.resize(50); // six whole doubles and a part
  auto* stream = new FaultyStream(bytes);
  EXPECT_EQ(component()->setState(stream), kResultFalse);
  for (int64 pos : stream->seeks)
    EXPECT_GE(pos, 0);
  EXPECT_TRUE(stream->seeks.empty());
  stream->release();
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(Value(i), kValues[i]) << i;
  EXPECT_EQ(Value(6), 0.);  // "Init" Fine, untouched
  EXPECT_EQ(Value(7), 80.); // "Init" Freeze, untouched
  EXPECT_TRUE(plug->IsBypassed());
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(1), 0.2);

  EXPECT_EQ(Load(new FaultyStream()), kResultFalse);
  EXPECT_EQ(component()->setState(nullptr), kResultFalse);
}

TEST_F(Vst3State, HostReportedCountsAreClamped)
{
  auto* stream = new FaultyStream(StateBytes(kValues, 1));
  // Claims far more bytes than the buffer it was given holds.
  stream->claimReads = true;
  stream->claimedRead = 1 << 20;
  EXPECT_NE(Load(stream), kInternalError);
  auto* negative = new FaultyStream(StateBytes(kValues, 1));
  negative->claimReads = true;
  negative->claimedRead = -7;
  EXPECT_EQ(Load(negative), kResultFalse);
}

TEST_F(Vst3State, ReadErrorEndsTheStateAtTheBytesReadSoFar)
{
  auto* stream = new FaultyStream(StateBytes(kValues, 1));
  stream->maxRead = 50;
  stream->failEveryRead = true;
  EXPECT_EQ(component()->setState(stream), kResultFalse);
  EXPECT_EQ(stream->reads, 1);
  stream->release();
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(Value(i), kValues[i]) << i;
  EXPECT_NE(Value(7), kValues[7]);
}

// WaveLab reports errors on reads that still deliver: its state is read to
// the end all the same.
class Vst3WaveLabState : public Vst3State
{
protected:
  void SetUp() override
  {
    hostName = u"WaveLab Pro 12";
    Vst3State::SetUp();
  }
};

TEST_F(Vst3WaveLabState, ReadsOnWhileBytesCome)
{
  ASSERT_EQ(plug->GetHostId(), ifx::kHostWaveLab);
  auto* stream = new FaultyStream(StateBytes(kValues, 1));
  stream->maxRead = 50;
  stream->failEveryRead = true;
  // The bypass word's own read reports the error too.
  EXPECT_EQ(Load(stream), kResultFalse);
  for (int i = 0; i < 13; ++i)
    EXPECT_EQ(Value(i), kValues[i]) << i;
  EXPECT_DOUBLE_EQ(controller()->getParamNormalized(12), plug->GetParam(12)->GetNormalized());
}

TEST_F(Vst3State, StreamThatCannotSeekStillYieldsTheBypass)
{
  auto* stream = new FaultyStream(StateBytes(kValues, 1));
  stream->failSeek = true;
  EXPECT_EQ(Load(stream), kResultOk);
  EXPECT_TRUE(plug->IsBypassed());
}

TEST_F(Vst3State, BypassSurvivesByteByByteReadsAndAStateInsideALargerStream)
{
  // A host stream that hands out one byte per read.
  auto* trickle = new FaultyStream(StateBytes(kValues, 1));
  trickle->maxRead = 1;
  ASSERT_EQ(Load(trickle), kResultOk);
  EXPECT_TRUE(plug->IsBypassed());
  EXPECT_EQ(controller()->getParamNormalized(65536), 1.);
  EXPECT_EQ(Value(12), 90.);

  // The state begins 20 bytes into the host's own stream, which is where
  // the stream stands; nothing may be read from absolute positions.
  std::vector<double> other = kValues;
  other[0] = 77.;
  for (const int32_t bypass : {0, 1})
  {
    std::vector<char> bytes(20, 'h');
    const std::vector<char> state = StateBytes(other, bypass);
    bytes.insert(bytes.end(), state.begin(), state.end());
    auto* inner = new FaultyStream(bytes);
    int64 at = 0;
    ASSERT_EQ(inner->seek(20, IBStream::kIBSeekSet, &at), kResultOk);
    inner->seeks.clear();
    inner->addRef();
    ASSERT_EQ(Load(inner), kResultOk) << bypass;
    EXPECT_TRUE(inner->seeks.empty());
    inner->release();
    EXPECT_EQ(plug->IsBypassed(), bypass == 1);
    EXPECT_EQ(Value(0), 77.);
  }
}
