#include "plugin/engine/StftEngine.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <new>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define MURKWISP_SSE_SQRT 1
#endif

namespace {

constexpr int N = StftEngine::kFftSize;
constexpr int kHalf = N / 2;
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
// Overlap-add gain: Hann windows at a 1/8 hop sum to 4, the unnormalised
// inverse adds N, and 1.5 / N brings the wet path back near unity.
constexpr float kOlaGain = 1.5f / static_cast<float>(N);

template <class T>
std::unique_ptr<T[]> Zeroed(int n)
{
  std::unique_ptr<T[]> p(new (std::nothrow) T[static_cast<size_t>(n)]());
  return p;
}

} // namespace

static_assert(sizeof(kiss_fft_cpx) == 2 * sizeof(float), "bins are pairs of floats");

void StftEngine::PlanDeleter::operator()(kiss_fftr_state* plan) const noexcept
{
  kiss_fftr_free(plan);
}

StftEngine::StftEngine()
  : forwardPlan(kiss_fftr_alloc(N, 0, nullptr, nullptr))
  , inversePlan(kiss_fftr_alloc(N, 1, nullptr, nullptr))
  , inputFrame(Zeroed<float>(N))
  , outputFrame(Zeroed<float>(N))
  , bins(Zeroed<Complex>(kNumBins))
  , window(Zeroed<float>(N))
  , heldMagnitude(Zeroed<float>(kNumBins))
  , phase(Zeroed<float>(kNumBins))
  , previousMagnitude(Zeroed<float>(kNumBins))
  , binX(Zeroed<float>(kNumBins))
  , fennowBumps(Zeroed<float>(kNumBins))
  , resonanceGain(Zeroed<float>(kNumBins))
  , sourcePosition(Zeroed<float>(kNumBins))
  , magnitude(Zeroed<float>(kNumBins))
  , lastHeld(Zeroed<float>(kNumBins))
  , lastPhase(Zeroed<float>(kNumBins))
  , outMagnitude(Zeroed<float>(kNumBins))
  , outPhase(Zeroed<float>(kNumBins))
  , peakBins(Zeroed<int32_t>(kNumBins))
{
  if (!IsValid())
    return;
  // Periodic Hann, in single precision as the sound was tuned with.
  for (int j = 0; j < N; ++j)
    window[j] = (1.0f - std::cos(static_cast<float>(j) * kTwoPi / static_cast<float>(N))) * 0.5f;

  for (int k = 0; k < kNumBins; ++k)
  {
    const float x = static_cast<float>(k) / static_cast<float>(kHalf + 1);
    binX[k] = x;
    const float b1 = (x - 0.35f) * 12.0f;
    const float b2 = (x - 0.15f) * 10.0f;
    const float b3 = (x - 0.55f) * 15.0f;
    fennowBumps[k] = std::exp(-(b1 * b1)) + std::exp(-(b2 * b2)) + std::exp(-(b3 * b3));
  }
}

StftEngine::~StftEngine() = default;

bool StftEngine::IsValid() const noexcept
{
  return forwardPlan && inversePlan && inputFrame && outputFrame && bins && window && heldMagnitude && phase &&
         previousMagnitude && binX && fennowBumps && resonanceGain && sourcePosition && magnitude && lastHeld && lastPhase &&
         outMagnitude && outPhase && peakBins;
}

void StftEngine::Reset() noexcept
{
  if (!IsValid())
    return;
  std::fill_n(inputFrame.get(), N, 0.0f);
  std::fill_n(outputFrame.get(), N, 0.0f);
  std::fill_n(bins.get(), kNumBins, Complex{0.0f, 0.0f});
  std::fill_n(heldMagnitude.get(), kNumBins, 0.0f);
  std::fill_n(phase.get(), kNumBins, 0.0f);
  std::fill_n(previousMagnitude.get(), kNumBins, 0.0f);
}

float StftEngine::NextRandom() noexcept
{
  rngState = rngState * 1664525u + 1013904223u;
  return static_cast<float>(rngState & 0x7FFFFFFFu) * (1.0f / 2147483648.0f);
}

void StftEngine::RefreshResonanceTable() noexcept
{
  if (resonance == tableResonance)
    return;
  const float width = (1.0f - resonance) * 0.05f + 0.03f;
  for (int k = 1; k < kHalf; ++k)
  {
    const float d = binX[k] - resonance;
    resonanceGain[k] = std::exp(-(d * d) / (2.0f * width * width));
  }
  tableResonance = resonance;
}

void StftEngine::RefreshSourcePositions() noexcept
{
  // Compared by value: NaN never matches, so it is recomputed every hop.
  if (pitchRatio == tableRatio)
    return;
  for (int k = 1; k < kHalf; ++k)
    sourcePosition[k] = static_cast<float>(k) / pitchRatio;
  tableRatio = pitchRatio;
}

void StftEngine::ProcessHop(const double* inRing, double* outRing, int position) noexcept
{
  if (!IsValid() || !inRing || !outRing)
    return;
  position &= N - 1;

  // The frame starts at the newest sample and wraps on to the oldest.
  const float* win = window.get();
  float* frame = inputFrame.get();
  const int firstRun = N - position;
  for (int i = 0; i < firstRun; ++i)
    frame[i] = static_cast<float>(static_cast<double>(win[i]) * inRing[position + i]);
  for (int i = firstRun; i < N; ++i)
    frame[i] = static_cast<float>(static_cast<double>(win[i]) * inRing[i - firstRun]);

  kiss_fftr(forwardPlan.get(), frame, reinterpret_cast<kiss_fft_cpx*>(bins.get()));
  ProcessBins();
  kiss_fftri(inversePlan.get(), reinterpret_cast<const kiss_fft_cpx*>(bins.get()), outputFrame.get());

  const float* out = outputFrame.get();
  for (int k = 0; k < firstRun; ++k)
    outRing[position + k] += static_cast<double>(out[k] * win[k] * kOlaGain);
  for (int k = firstRun; k < N; ++k)
    outRing[k - firstRun] += static_cast<double>(out[k] * win[k] * kOlaGain);
}

// All per-bin arithmetic is single precision, in the order the sound was
// tuned with; values hoisted out of the loops are the same expressions, and
// splitting the bin loop into passes changes no result: each pass keeps the
// bin order, and the remap reads exactly the values the single loop saw.
void StftEngine::ProcessBins() noexcept
{
  float* held = heldMagnitude.get();
  float* ph = phase.get();
  float* prevMag = previousMagnitude.get();
  float* mags = magnitude.get();
  float* oldHeld = lastHeld.get();
  float* oldPhase = lastPhase.get();
  float* oMag = outMagnitude.get();
  float* oPhase = outPhase.get();
  int32_t* peaks = peakBins.get();
  Complex* bin = bins.get();

  // Magnitudes (bins 0 and N/2 pass through untouched). SIMD square roots
  // are correctly rounded like the scalar ones, so four at a time is exact.
  int k0 = 1;
#if defined(MURKWISP_SSE_SQRT)
  for (; k0 + 4 <= kHalf; k0 += 4)
  {
    const __m128 a = _mm_loadu_ps(&bin[k0].r);
    const __m128 b = _mm_loadu_ps(&bin[k0 + 2].r);
    const __m128 re = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    const __m128 im = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
    _mm_storeu_ps(mags + k0, _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(re, re), _mm_mul_ps(im, im))));
  }
#endif
  for (int k = k0; k < kHalf; ++k)
  {
    const float re = bin[k].r;
    const float im = bin[k].i;
    mags[k] = std::sqrt(re * re + im * im);
  }

  // The remap of bin k sees bins above k as the previous hop left them.
  // Shifting up (ratio above 1) only ever reads bins at or below k.
  const bool readsAbove = !(pitchRatio > 1.0f);
  if (readsAbove)
  {
    std::copy_n(held, kNumBins, oldHeld);
    std::copy_n(ph, kNumBins, oldPhase);
  }

  // Hold: a new peak (the previous hop's magnitude above the decayed hold)
  // takes over with this hop's phase; otherwise the hold decays and its
  // phase drifts.
  const float hold = std::min(0.9999f, (1.0f - decay) * freeze + decay);
  int nPeaks = 0;
  for (int k = 1; k < kHalf; ++k)
  {
    const float prev = prevMag[k];
    prevMag[k] = mags[k];
    const float candidate = hold * held[k];
    const bool peak = prev > candidate;
    held[k] = peak ? prev : candidate;
    ph[k] = peak ? ph[k] : ph[k] + 0.01f;
    peaks[nPeaks] = k;
    nPeaks += peak ? 1 : 0;
  }
  for (int i = 0; i < nPeaks; ++i)
  {
    const int k = peaks[i];
    ph[k] = std::atan2(bin[k].i, bin[k].r);
  }

  // Pitch remap, smear and whisper, into polar output values.
  const float freezeBoost = freeze * 0.2f + 1.0f;
  const float gain = pitchGain;
  RefreshSourcePositions();
  const float* source = sourcePosition.get();
  // Without the copy above, "the previous hop's values" are never asked for.
  const float* aboveHeld = readsAbove ? oldHeld : held;
  const float* abovePhase = readsAbove ? oldPhase : ph;
  const bool smearOn = smear > 0.04f;
  const bool whisperOn = whisper > 0.01f;
  if (whisperOn)
    RefreshResonanceTable();
  const float q = resonance * 0.5f + 0.5f;

  for (int k = 1; k < kHalf; ++k)
  {
    const float s = source[k];
    float srcMag = 0.0f;
    float srcPhase = 0.0f;
    if (s < 1.0f)
    {
    }
    else if (s < static_cast<float>(kHalf))
    {
      const int i0 = static_cast<int>(s);
      const int i1 = i0 + 1;
      const float f = s - static_cast<float>(i0);
      const float h0 = i0 <= k ? held[i0] : aboveHeld[i0];
      const float h1 = i1 <= k ? held[i1] : aboveHeld[i1];
      const float p0 = i0 <= k ? ph[i0] : abovePhase[i0];
      const float p1 = i1 <= k ? ph[i1] : abovePhase[i1];
      srcMag = (1.0f - f) * h0 + f * h1;
      srcPhase = (1.0f - f) * p0 + f * p1;
    }
    else if (s < static_cast<float>(kHalf + 1))
    {
      const int i0 = static_cast<int>(s + 0.5f);
      if (i0 >= 1 && i0 <= kHalf)
      {
        srcMag = i0 <= k ? held[i0] : aboveHeld[i0];
        srcPhase = i0 <= k ? ph[i0] : abovePhase[i0];
      }
    }

    float outMag = freezeBoost * (srcMag * 1.5f) * gain;
    float outPh = srcPhase;

    if (smearOn)
    {
      const float r = NextRandom();
      const float magRatio = srcMag / (mags[k] + 0.0001f);
      outPh += (std::min(10.0f, magRatio) + 2.0f) * ((2.0f * r - 1.0f) * smear) * kPi * 3.0f;
    }

    if (whisperOn)
    {
      const float x = binX[k];
      const float g = resonanceGain[k];
      const float sq = srcMag * srcMag;
      const float r1 = NextRandom();
      const float r2 = NextRandom();
      const float r3 = NextRandom();
      const float a = (2.0f * r1 - 1.0f) * 0.5f;
      const float b = 2.0f * r2 - 1.0f;
      if (whisperMode != 0)
      {
        float add = (fennowBumps[k] * 0.3f + 1.0f) * (std::sqrt(outMag * outMag + sq) * (std::fabs(b) * (a + 0.5f)) * 0.4f);
        add = (add + g * held[k] * 0.25f) * (g * 4.0f + 1.0f) * whisper * 2.5f * q;
        outPh += (2.0f * r3 - 1.0f) * kPi * whisper * ((a + 0.5f) * 0.5f + 0.5f);
        outMag += add;
      }
      else
      {
        const float mag = mags[k];
        const float s2 = std::fabs(b * 0.3f + a) * (x * x);
        const float u = std::sqrt(mag * mag + sq + 0.001f);
        outMag = (s2 * u * 0.8f * (g * 5.0f + 1.0f) * whisper * 3.0f * q + outMag) *
                 (std::fabs(2.0f * r3 - 1.0f) * 0.3f * (g * 3.0f + 1.0f) * whisper * 0.5f + 1.0f);
        const float r4 = NextRandom();
        outPh += (2.0f * r4 - 1.0f) * kPi * 0.6f * whisper * (2.0f * g + 1.0f);
      }
    }
    oMag[k] = outMag;
    oPhase[k] = outPh;
  }

  // Back to cartesian, blended with the dry bin.
  const float wetBlend = blend;
  const float dryBlend = 1.0f - blend;
  for (int k = 1; k < kHalf; ++k)
  {
    const float re = bin[k].r;
    const float im = bin[k].i;
    const float phs = oPhase[k];  // one load, so sine and cosine come from one call
    const float m = oMag[k];
    bin[k].r = std::cos(phs) * m * wetBlend + dryBlend * re;
    bin[k].i = std::sin(phs) * m * wetBlend + dryBlend * im;
  }
}
