#pragma once
#include <cstdint>
#include <limits>
#include <memory>

struct kiss_fftr_state;

// The short-time spectral processor behind Murkwisp's sound. Every hop it
// windows the last 4096 input samples of one channel, reshapes each bin
// (held and decaying magnitudes, pitch remapping, phase smearing, resonant
// noise) and overlap-adds the result into that channel's output ring.
//
// One engine serves both channels: channel 1's hop starts from the per-bin
// state and random sequence that channel 0's hop left. That coupling is part
// of the sound and must stay.
class StftEngine
{
public:
  static constexpr int kFftSize = 4096;
  static constexpr int kNumBins = kFftSize / 2 + 1;

  StftEngine();
  ~StftEngine();
  StftEngine(const StftEngine&) = delete;
  StftEngine& operator=(const StftEngine&) = delete;

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
  void RefreshResonanceTable() noexcept;
  void RefreshSourcePositions() noexcept;

  // Not read: the code works with kFftSize. Kept with the rest of the state.
  [[maybe_unused]] int32_t fftSize = kFftSize;
  Plan forwardPlan;
  Plan inversePlan;
  std::unique_ptr<float[]> inputFrame;
  std::unique_ptr<float[]> outputFrame;
  std::unique_ptr<Complex[]> bins;
  std::unique_ptr<float[]> window;
  std::unique_ptr<float[]> heldMagnitude;
  std::unique_ptr<float[]> phase;
  std::unique_ptr<float[]> previousMagnitude;

  // Per-bin values that depend only on the bin (or on the resonance), kept
  // so a hop does not recompute them; each is formed exactly as the per-bin
  // formula would, so results are unchanged.
  std::unique_ptr<float[]> binX;         // k / (N/2 + 1)
  std::unique_ptr<float[]> fennowBumps;  // the three formant bumps of "Fennows"
  std::unique_ptr<float[]> resonanceGain;  // g for `tableResonance`
  float tableResonance = std::numeric_limits<float>::quiet_NaN();  // NaN: nothing cached yet
  std::unique_ptr<float[]> sourcePosition;  // k / ratio for `tableRatio`
  float tableRatio = std::numeric_limits<float>::quiet_NaN();

  // Scratch of one hop. The bin loop runs in passes (magnitudes, hold,
  // remap and noise, polar to cartesian) so the plain arithmetic is not
  // interleaved with library calls; the remap reads the held spectrum "as it
  // stands at bin k", so the previous hop's values are kept for bins above k.
  std::unique_ptr<float[]> magnitude;
  std::unique_ptr<float[]> lastHeld;
  std::unique_ptr<float[]> lastPhase;
  std::unique_ptr<float[]> outMagnitude;
  std::unique_ptr<float[]> outPhase;
  std::unique_ptr<int32_t[]> peakBins;  // bins whose hold took the new peak
};
