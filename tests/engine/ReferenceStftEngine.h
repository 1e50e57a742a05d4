#pragma once
// The spectral engine as first written: one straightforward loop per bin.
// Kept as the oracle that every optimisation of StftEngine must match bit
// for bit.
#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>

namespace murkwisp_reference {

class ReferenceStftEngine
{
public:
  static constexpr int kFftSize = 4096;
  static constexpr int kNumBins = kFftSize / 2 + 1;

  ReferenceStftEngine();
  ~ReferenceStftEngine();
  ReferenceStftEngine(const ReferenceStftEngine&) = delete;
  ReferenceStftEngine& operator=(const ReferenceStftEngine&) = delete;

  // False when an FFT plan or a buffer could not be allocated.
  bool IsValid() const noexcept;

  // Processes one frame. Both rings hold kFftSize samples; `position` is the
  // ring index of the newest input sample. Audio thread, allocation-free.
  void ProcessHop(const double* inRing, double* outRing, int position) noexcept;

  // Back to silence: frames, bins and per-bin state cleared. The window,
  // plans, control values and the generator state survive.
  void Reset() noexcept;

  // One step of the engine's linear congruential generator: a value in [0, 1].
  float NextRandom() noexcept;

  // Control values, written by the block processor before every block.
  float decay = 0.f;
  float blend = 0.f;
  float pitchRatio = 1.f;
  float pitchGain = 1.f;
  float freeze = 0.f;
  float smear = 0.f;
  float whisper = 0.f;
  int32_t whisperMode = 0;  // 0 "Sizzle", 1 "Fennows"
  float resonance = 0.5f;
  uint32_t rngState = 12345;

  // Read-only views for tests and meters.
  const float* Window() const noexcept { return window.get(); }
  const float* HeldMagnitude() const noexcept { return heldMagnitude.get(); }
  const float* Phase() const noexcept { return phase.get(); }
  const float* PreviousMagnitude() const noexcept { return previousMagnitude.get(); }

private:
  struct Complex
  {
    float r;
    float i;
  };
  struct PlanDeleter
  {
    void operator()(kiss_fftr_state* plan) const noexcept;
  };
  using Plan = std::unique_ptr<kiss_fftr_state, PlanDeleter>;

  void ProcessBins() noexcept;

  int32_t fftSize = kFftSize;
  Plan forwardPlan;
  Plan inversePlan;
  std::unique_ptr<float[]> inputFrame;
  std::unique_ptr<float[]> outputFrame;
  std::unique_ptr<Complex[]> bins;
  std::unique_ptr<float[]> window;
  std::unique_ptr<float[]> heldMagnitude;
  std::unique_ptr<float[]> phase;
  std::unique_ptr<float[]> previousMagnitude;
};

constexpr int N = 4096;
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


inline void ReferenceStftEngine::PlanDeleter::operator()(kiss_fftr_state* plan) const noexcept
{
  kiss_fftr_free(plan);
}

inline ReferenceStftEngine::ReferenceStftEngine()
  : forwardPlan(kiss_fftr_alloc(N, 0, nullptr, nullptr))
  , inversePlan(kiss_fftr_alloc(N, 1, nullptr, nullptr))
  , inputFrame(Zeroed<float>(N))
  , outputFrame(Zeroed<float>(N))
  , bins(Zeroed<Complex>(kNumBins))
  , window(Zeroed<float>(N))
  , heldMagnitude(Zeroed<float>(kNumBins))
  , phase(Zeroed<float>(kNumBins))
  , previousMagnitude(Zeroed<float>(kNumBins))
{
  if (!IsValid())
    return;
  // Periodic Hann, in single precision as the sound was tuned with. The
  // cosine is the float nearest the true value (through double precision):
  // C libraries' cosf differ from it, and from each other, in the last bit
  // of a few of these.
  for (int j = 0; j < N; ++j)
  {
    const float angle = static_cast<float>(j) * kTwoPi / static_cast<float>(N);
    window[j] = (1.0f - static_cast<float>(std::cos(static_cast<double>(angle)))) * 0.5f;
  }
}

inline ReferenceStftEngine::~ReferenceStftEngine() = default;

inline bool ReferenceStftEngine::IsValid() const noexcept
{
  return forwardPlan && inversePlan && inputFrame && outputFrame && bins && window && heldMagnitude && phase &&
         previousMagnitude;
}

inline void ReferenceStftEngine::Reset() noexcept
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

inline float ReferenceStftEngine::NextRandom() noexcept
{
  rngState = rngState * 1664525u + 1013904223u;
  return static_cast<float>(rngState & 0x7FFFFFFFu) * (1.0f / 2147483648.0f);
}

inline void ReferenceStftEngine::ProcessHop(const double* inRing, double* outRing, int position) noexcept
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
// tuned with. Every value is formed inside the bin loop, as written, even
// where it depends only on the bin or on a control.
inline void ReferenceStftEngine::ProcessBins() noexcept
{
  float* held = heldMagnitude.get();
  float* ph = phase.get();
  float* prevMag = previousMagnitude.get();
  Complex* bin = bins.get();

  for (int k = 1; k < kHalf; ++k)
  {
    const float re = bin[k].r;
    const float im = bin[k].i;
    const float mag = std::sqrt(re * re + im * im);

    const float prev = prevMag[k];
    prevMag[k] = mag;
    const float hold = std::min(0.9999f, (1.0f - decay) * freeze + decay);
    const float candidate = hold * held[k];
    if (prev > candidate)
    {
      held[k] = prev;
      ph[k] = std::atan2(im, re);
    }
    else
    {
      held[k] = candidate;
      ph[k] += 0.01f;
    }

    // Pitch remap: read the (partly updated) held spectrum at k / ratio.
    const float s = static_cast<float>(k) / pitchRatio;
    float srcMag = 0.0f;
    float srcPhase = 0.0f;
    if (s < 1.0f)
    {
    }
    else if (s < static_cast<float>(kHalf))
    {
      const int i0 = static_cast<int>(s);
      const float f = s - static_cast<float>(i0);
      srcMag = (1.0f - f) * held[i0] + f * held[i0 + 1];
      srcPhase = (1.0f - f) * ph[i0] + f * ph[i0 + 1];
    }
    else if (s < static_cast<float>(kHalf + 1))
    {
      const int i0 = static_cast<int>(s + 0.5f);
      if (i0 >= 1 && i0 <= kHalf)
      {
        srcMag = held[i0];
        srcPhase = ph[i0];
      }
    }

    float outMag = (freeze * 0.2f + 1.0f) * (srcMag * 1.5f) * pitchGain;
    float outPhase = srcPhase;

    if (smear > 0.04f)
    {
      const float r = NextRandom();
      const float magRatio = srcMag / (mag + 0.0001f);
      outPhase += (std::min(10.0f, magRatio) + 2.0f) * ((2.0f * r - 1.0f) * smear) * kPi * 3.0f;
    }

    if (whisper > 0.01f)
    {
      const float x = static_cast<float>(k) / static_cast<float>(kHalf + 1);
      const float width = (1.0f - resonance) * 0.05f + 0.03f;
      const float g = std::exp(-((x - resonance) * (x - resonance)) / (2.0f * width * width));
      const float sq = srcMag * srcMag;
      const float r1 = NextRandom();
      const float r2 = NextRandom();
      const float r3 = NextRandom();
      const float a = (2.0f * r1 - 1.0f) * 0.5f;
      const float b = 2.0f * r2 - 1.0f;
      const float q = resonance * 0.5f + 0.5f;
      if (whisperMode != 0)
      {
        const float bumps = std::exp(-(((x - 0.35f) * 12.0f) * ((x - 0.35f) * 12.0f))) +
                            std::exp(-(((x - 0.15f) * 10.0f) * ((x - 0.15f) * 10.0f))) +
                            std::exp(-(((x - 0.55f) * 15.0f) * ((x - 0.55f) * 15.0f)));
        float add = (bumps * 0.3f + 1.0f) * (std::sqrt(outMag * outMag + sq) * (std::fabs(b) * (a + 0.5f)) * 0.4f);
        add = (add + g * held[k] * 0.25f) * (g * 4.0f + 1.0f) * whisper * 2.5f * q;
        outPhase += (2.0f * r3 - 1.0f) * kPi * whisper * ((a + 0.5f) * 0.5f + 0.5f);
        outMag += add;
      }
      else
      {
        const float s2 = std::fabs(b * 0.3f + a) * (x * x);
        const float u = std::sqrt(mag * mag + sq + 0.001f);
        outMag = (s2 * u * 0.8f * (g * 5.0f + 1.0f) * whisper * 3.0f * q + outMag) *
                 (std::fabs(2.0f * r3 - 1.0f) * 0.3f * (g * 3.0f + 1.0f) * whisper * 0.5f + 1.0f);
        const float r4 = NextRandom();
        outPhase += (2.0f * r4 - 1.0f) * kPi * 0.6f * whisper * (2.0f * g + 1.0f);
      }
    }

    bin[k].r = std::cos(outPhase) * outMag * blend + (1.0f - blend) * re;
    bin[k].i = std::sin(outPhase) * outMag * blend + (1.0f - blend) * im;
  }
}

} // namespace murkwisp_reference
