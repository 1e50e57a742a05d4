#include "engine/StftEngine.h"

#include "base/FlushBelowFloatRange.h"
#include "engine/RoundedMath.h"
#include "engine/SimdMath.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>

namespace murkwisp::engine {

namespace {

constexpr int N = StftEngine::kFftSize;
constexpr int kHalf = N / 2;
constexpr float kTwoPi = 6.2831855f;
constexpr int kHop = StftEngine::kHopSize;

// e^x of every value in place (n a multiple of 4, 16-byte aligned).
void ExpInPlace(float* v, int n)
{
  for (int i = 0; i < n; i += 4)
    _mm_store_ps(v + i, simd::Exp(_mm_load_ps(v + i)));
}

} // namespace

StftEngine::StftEngine()
  : inputFrame(N)
  , outputFrame(N)
  , binRe(kStride)
  , binIm(kStride)
  , window(N)
  , held(2 * kStride)
  , phase(2 * kStride)
  , previousMagnitude(kStride)
  , magnitude(kStride)
  , binX(kStride)
  , fennowBumps(kStride)
  , resonanceGain(kStride)
  , sourceLow(kStride)
  , sourceHigh(kStride)
  , sourceFraction(kStride)
{
  mValid = fft.IsValid() && inputFrame && outputFrame && binRe && binIm && window && held && phase &&
           previousMagnitude && magnitude && binX && fennowBumps && resonanceGain && sourceLow && sourceHigh &&
           sourceFraction;
  if (!mValid)
    return;
  // Periodic Hann, in single precision as the sound was tuned with.
  for (int j = 0; j < N; ++j)
    window[j] = (1.0f - RoundedCos(static_cast<float>(j) * kTwoPi / static_cast<float>(N))) * 0.5f;

  // The three bumps of "Fennows" are summed after their exponentials.
  float* bumps[3] = {fennowBumps.get(), resonanceGain.get(), sourceFraction.get()}; // scratch for two of them
  for (int k = 0; k < kGroupedBins; ++k)
  {
    const float x = static_cast<float>(k) / static_cast<float>(kHalf + 1);
    binX[k] = x;
    const float b1 = (x - 0.35f) * 12.0f;
    const float b2 = (x - 0.15f) * 10.0f;
    const float b3 = (x - 0.55f) * 15.0f;
    bumps[0][k] = -(b1 * b1);
    bumps[1][k] = -(b2 * b2);
    bumps[2][k] = -(b3 * b3);
  }
  for (float* b : bumps)
    ExpInPlace(b, kGroupedBins);
  for (int k = 0; k < kGroupedBins; ++k)
    fennowBumps[k] = bumps[0][k] + bumps[1][k] + bumps[2][k];

  // Draw d of bin k is step (k - 1) * D + d + 1 of a hop's sequence; lanes
  // hold bins k .. k + 3 (bin 0's draws, before the hop's first, are never
  // used).
  for (int draws = 1; draws <= kMaxDraws; ++draws)
  {
    for (int d = 0; d < draws; ++d)
      drawPlans[draws][d] = LcgLanePlan::Make(-draws + d + 1, draws);
    hopJump[draws] = LcgJump::Steps(static_cast<uint32_t>((kHalf - 1) * draws));
  }
  Reset();
}

void StftEngine::Reset() noexcept
{
  if (!mValid)
    return;
  std::fill_n(inputFrame.get(), N, 0.0f);
  std::fill_n(outputFrame.get(), N, 0.0f);
  std::fill_n(binRe.get(), kStride, 0.0f);
  std::fill_n(binIm.get(), kStride, 0.0f);
  std::fill_n(held.get(), 2 * kStride, 0.0f);
  std::fill_n(phase.get(), 2 * kStride, 0.0f);
  std::fill_n(previousMagnitude.get(), kStride, 0.0f);
  std::fill_n(magnitude.get(), kStride, 0.0f);
}

float StftEngine::NextRandom() noexcept
{
  rngState = rngState * LcgJump::kMultiplier + LcgJump::kIncrement;
  return static_cast<float>(rngState & 0x7FFFFFFFu) * (1.0f / 2147483648.0f);
}

void StftEngine::RefreshResonanceTable() noexcept
{
  if (resonance == tableResonance)
    return;
  const float width = (1.0f - resonance) * 0.05f + 0.03f;
  for (int k = 0; k < kGroupedBins; ++k)
  {
    const float d = binX[k] - resonance;
    resonanceGain[k] = -(d * d) / (2.0f * width * width);
  }
  ExpInPlace(resonanceGain.get(), kGroupedBins);
  tableResonance = resonance;
}

void StftEngine::RefreshSourceTable() noexcept
{
  // Compared by value: NaN never matches, so it is recomputed every hop.
  if (pitchRatio == tableRatio)
    return;
  readsPrevious = false;
  identityShift = pitchRatio == 1.0f;
  for (int k = 0; k < kGroupedBins; ++k)
  {
    // Bins at or below k already hold this hop's values; those above k are
    // read as the previous hop left them, which matters only with a weight.
    int i0 = kHalf, i1 = kHalf; // the empty bin N/2: reads nothing
    float f = 0.0f;
    const float s = static_cast<float>(k) / pitchRatio;
    if (k == 0 || s < 1.0f)
    {
    }
    else if (s < static_cast<float>(kHalf))
    {
      i0 = static_cast<int>(s);
      i1 = i0 + 1;
      f = s - static_cast<float>(i0);
    }
    else if (s < static_cast<float>(kHalf + 1))
    {
      const int nearest = static_cast<int>(s + 0.5f);
      if (nearest >= 1 && nearest <= kHalf)
        i0 = i1 = nearest;
    }
    const bool previous0 = i0 > k && i0 < kHalf;
    const bool previous1 = i1 > k && i1 < kHalf && f != 0.0f;
    sourceLow[k] = i0 + (previous0 ? kStride : 0);
    sourceHigh[k] = i1 + (previous1 ? kStride : 0);
    sourceFraction[k] = f;
    readsPrevious = readsPrevious || previous0 || previous1;
  }
  tableRatio = pitchRatio;
}

void StftEngine::ProcessHop(const double* inRing, double* outRing, int position) noexcept
{
  if (!mValid || !inRing || !outRing)
    return;
  position &= N - 1;
  WindowFrame(inRing, position);
  fft.Forward(inputFrame.get(), binRe.get(), binIm.get());
  ProcessBins();
  fft.Inverse(binRe.get(), binIm.get(), outputFrame.get());
  OverlapAdd(outRing, position);
}

// inputFrame[i] = window[i] * inRing[(position + i) mod N], the product in
// double and stored as float: the frame starts at the newest sample and
// wraps on to the oldest.
void StftEngine::WindowFrame(const double* inRing, int position) noexcept
{
  const float* win = window.get();
  float* frame = inputFrame.get();
  const int firstRun = N - position;
  int i = 0;
  for (const int run : {firstRun, N})
  {
    const double* ring = inRing + (run == firstRun ? position : 0); // ring[i - start]
    const int start = run == firstRun ? 0 : firstRun;
    for (; i + 4 <= run; i += 4)
    {
      const __m128 w = _mm_loadu_ps(win + i);
      const __m128d lo = _mm_mul_pd(_mm_cvtps_pd(w), _mm_loadu_pd(ring + (i - start)));
      const __m128d hi = _mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(w, w)), _mm_loadu_pd(ring + (i - start) + 2));
      _mm_storeu_ps(frame + i, _mm_movelh_ps(_mm_cvtpd_ps(lo), _mm_cvtpd_ps(hi)));
    }
    for (; i < run; ++i)
      frame[i] = static_cast<float>(static_cast<double>(win[i]) * ring[i - start]);
  }
}

// outRing[(position + k) mod N] += outputFrame[k] * window[k] * (1.5 / N),
// the product in float, added in double.
void StftEngine::OverlapAdd(double* outRing, int position) noexcept
{
  const float* win = window.get();
  const float* out = outputFrame.get();
  const int firstRun = N - position;
  const __m128 gain = _mm_set1_ps(kOlaGain);
  int k = 0;
  for (const int run : {firstRun, N})
  {
    double* ring = outRing + (run == firstRun ? position : 0); // ring[k - start]
    const int start = run == firstRun ? 0 : firstRun;
    for (; k + 4 <= run; k += 4)
    {
      const __m128 y = _mm_mul_ps(_mm_mul_ps(_mm_loadu_ps(out + k), _mm_loadu_ps(win + k)), gain);
      double* r = ring + (k - start);
      _mm_storeu_pd(r, _mm_add_pd(_mm_loadu_pd(r), _mm_cvtps_pd(y)));
      _mm_storeu_pd(r + 2, _mm_add_pd(_mm_loadu_pd(r + 2), _mm_cvtps_pd(_mm_movehl_ps(y, y))));
    }
    for (; k < run; ++k)
      ring[k - start] += static_cast<double>(out[k] * win[k] * kOlaGain);
  }
  // The hop's first kHop sums are complete: the block processor reads them
  // before the next hop adds to them again. Float terms that nearly cancel
  // leave sums below the normal float range, and a decaying tail passes
  // through it on its way to silence. The other sums are left exact.
  const int firstPart = std::min(kHop, N - position);
  ifx::FlushBelowFloatRange(outRing + position, firstPart);
  ifx::FlushBelowFloatRange(outRing, kHop - firstPart);
}

} // namespace murkwisp::engine
