// RealFft against Kiss FFT: the same bits for every size, direction and
// kind of input, including the signs of zeros (an all-zero frame's bins feed
// the engine's phase through atan2).
#include "engine/RealFft.h"

#include <kiss_fftr.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

using namespace murkwisp::engine;

namespace {

struct KissPair
{
  explicit KissPair(int n) : forward(kiss_fftr_alloc(n, 0, nullptr, nullptr)), inverse(kiss_fftr_alloc(n, 1, nullptr, nullptr)) {}
  ~KissPair()
  {
    kiss_fftr_free(forward);
    kiss_fftr_free(inverse);
  }
  kiss_fftr_cfg forward;
  kiss_fftr_cfg inverse;
};

bool SameBits(float a, float b)
{
  return std::memcmp(&a, &b, sizeof(float)) == 0;
}

// Inputs that exercise different paths: noise over a wide range of levels,
// a lone impulse, a constant, all zeros and all negative zeros.
std::vector<std::vector<float>> Inputs(int n)
{
  std::vector<std::vector<float>> inputs;
  uint32_t seed = 99;
  for (int trial = 0; trial < 4; ++trial)
  {
    std::vector<float> x(static_cast<size_t>(n));
    for (float& v : x)
    {
      seed = seed * 1664525u + 1013904223u;
      v = static_cast<float>(static_cast<int32_t>(seed)) / 2147483648.0f * (trial == 3 ? 1e-30f : 1.0f + trial * 1000.0f);
    }
    inputs.push_back(x);
  }
  std::vector<float> impulse(static_cast<size_t>(n), 0.0f);
  impulse[3] = 1.0f;
  inputs.push_back(impulse);
  inputs.push_back(std::vector<float>(static_cast<size_t>(n), 0.25f));
  inputs.push_back(std::vector<float>(static_cast<size_t>(n), 0.0f));
  inputs.push_back(std::vector<float>(static_cast<size_t>(n), -0.0f));
  return inputs;
}

} // namespace

TEST(RealFft, MatchesKissFftBitForBitAtEverySize)
{
  for (int n = RealFft::kMinSize; n <= RealFft::kMaxSize; n *= 2)
  {
    SCOPED_TRACE(n);
    RealFft fft(n);
    ASSERT_TRUE(fft.IsValid());
    ASSERT_EQ(fft.Size(), n);
    KissPair kiss(n);
    const int bins = n / 2 + 1;
    std::vector<kiss_fft_cpx> expected(static_cast<size_t>(bins));
    std::vector<float> re(static_cast<size_t>(bins)), im(static_cast<size_t>(bins));
    std::vector<float> time(static_cast<size_t>(n)), expectedTime(static_cast<size_t>(n));
    int input = 0;
    for (const std::vector<float>& x : Inputs(n))
    {
      SCOPED_TRACE(input++);
      kiss_fftr(kiss.forward, x.data(), expected.data());
      fft.Forward(x.data(), re.data(), im.data());
      for (int k = 0; k < bins; ++k)
        ASSERT_TRUE(SameBits(re[k], expected[k].r) && SameBits(im[k], expected[k].i))
          << "bin " << k << ": " << re[k] << " " << im[k] << " against " << expected[k].r << " " << expected[k].i;

      // The inverse of those same bins (unscaled), again as Kiss has it.
      kiss_fftri(kiss.inverse, expected.data(), expectedTime.data());
      fft.Inverse(re.data(), im.data(), time.data());
      for (int i = 0; i < n; ++i)
        ASSERT_TRUE(SameBits(time[i], expectedTime[i])) << "sample " << i << ": " << time[i] << " against " << expectedTime[i];
    }
  }
}

TEST(RealFft, TakesBuffersOnAnyFloatBoundary)
{
  const int n = 4096;
  RealFft fft(n);
  std::vector<float> x = Inputs(n).front();
  // One float past a 16-byte boundary, for every buffer.
  std::vector<float> in(n + 1), re(n / 2 + 2), im(n / 2 + 2), back(n + 1);
  std::copy(x.begin(), x.end(), in.begin() + 1);
  std::vector<float> alignedRe(n / 2 + 1), alignedIm(n / 2 + 1), alignedBack(n);
  fft.Forward(x.data(), alignedRe.data(), alignedIm.data());
  fft.Inverse(alignedRe.data(), alignedIm.data(), alignedBack.data());
  fft.Forward(in.data() + 1, re.data() + 1, im.data() + 1);
  fft.Inverse(re.data() + 1, im.data() + 1, back.data() + 1);
  EXPECT_TRUE(std::equal(alignedRe.begin(), alignedRe.end(), re.begin() + 1));
  EXPECT_TRUE(std::equal(alignedIm.begin(), alignedIm.end(), im.begin() + 1));
  EXPECT_TRUE(std::equal(alignedBack.begin(), alignedBack.end(), back.begin() + 1));
}

TEST(RealFft, RefusesSizesItCannotDo)
{
  for (int n : {0, -4096, 16, 48, 4095, 4097, 3 * 1024, 131072})
  {
    RealFft fft(n);
    EXPECT_FALSE(fft.IsValid()) << n;
    // A refused transform leaves the caller's buffers alone.
    float re[2] = {7.0f, 7.0f}, im[2] = {7.0f, 7.0f}, x[2] = {1.0f, 2.0f};
    fft.Forward(x, re, im);
    fft.Inverse(re, im, x);
    EXPECT_EQ(re[0], 7.0f);
    EXPECT_EQ(x[0], 1.0f);
  }
}
