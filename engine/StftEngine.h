#pragma once
#include "engine/AlignedBuffer.h"
#include "engine/LcgLanes.h"
#include "engine/RealFft.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace murkwisp::engine {

// The short-time spectral processor behind Murkwisp's sound. Every hop it
// windows the last 4096 input samples of one channel, reshapes each bin
// (held and decaying magnitudes, pitch remapping, phase smearing, resonant
// noise) and overlap-adds the result into that channel's output ring.
//
// One engine serves both channels: channel 1's hop starts from the per-bin
// state and random sequence that channel 0's hop left. That coupling is part
// of the sound and must stay.
//
// The bins are worked four at a time with SSE2, with the engine's own sine,
// cosine, arctangent and exponential and an FFT that has Kiss FFT's bits:
// every decision (hold or release, which bins a shift reads, the random
// draws) is exactly the straightforward loop's, and the values differ from
// it only by the last bits of the transcendental functions. The same code
// runs in every build, with no C library in the hot loop, so every build
// gives the same output.
class StftEngine
{
public:
  static constexpr int kFftSize = 4096;
  static constexpr int kNumBins = kFftSize / 2 + 1;
  static constexpr int kHopSize = kFftSize / 8; // the hop the overlap-add gain is made for

  StftEngine();
  StftEngine(const StftEngine&) = delete;
  StftEngine& operator=(const StftEngine&) = delete;

  // False when the FFT or a buffer could not be allocated.
  bool IsValid() const noexcept { return mValid; }

  // Processes one frame. Both rings hold kFftSize samples; `position` is the
  // ring index of the newest input sample. The kFftSize / 8 output samples
  // from `position` on are then complete (the next hop comes after they are
  // read), and none of them lies below the normal float range. Audio thread,
  // allocation-free.
  void ProcessHop(const double* inRing, double* outRing, int position) noexcept;

  // Back to silence: frames, bins and per-bin state cleared. The window,
  // control values and the generator state survive.
  void Reset() noexcept;

  // One step of the engine's linear congruential generator: a value in [0, 1].
  float NextRandom() noexcept;

  // How long what the engine holds goes on sounding once its input is silent,
  // for the current control values: the hops, counted from the first hop
  // whose frame is all silence, after which no hop adds more than `level` to
  // an output sample scaled by `outputScale`, for input that never went
  // beyond `inputPeak`. kEndless when it never ends: the "Sizzle" whisper
  // makes noise without input, and a hold at its ceiling freezes the spectrum.
  static constexpr int64_t kEndless = -1;
  int64_t QuietHops(double inputPeak, double outputScale, double level) const noexcept;

  // Control values, written by the block processor before every block.
  float decay = 0.f;
  float blend = 0.f;
  float pitchRatio = 1.f;
  float pitchGain = 1.f;
  float freeze = 0.f;
  float smear = 0.f;
  float whisper = 0.f;
  int32_t whisperMode = 0; // 0 "Sizzle", 1 "Fennows"
  float resonance = 0.5f;
  uint32_t rngState = 12345;

  // Read-only views for tests and meters.
  const float* Window() const noexcept { return window.get(); }
  const float* HeldMagnitude() const noexcept { return held.get(); }
  const float* Phase() const noexcept { return phase.get(); }
  const float* PreviousMagnitude() const noexcept { return previousMagnitude.get(); }

private:
  static constexpr float kHoldCeiling = 0.9999f; // the most a held magnitude keeps per hop
  static constexpr float kWhisperFloor = 0.01f;  // whisper amounts up to this add no noise
  static constexpr float kWetGain = 1.5f;
  static constexpr float kFreezeLift = 0.2f; // the wet gain grows by this times Freeze
  // Overlap-add gain: Hann windows at a 1/8 hop sum to 4, the unnormalised
  // inverse adds N, and 1.5 / N brings the wet path back near unity.
  static constexpr float kOlaGain = 1.5f / static_cast<float>(kFftSize);

  // What a held magnitude keeps from one hop to the next.
  float Hold() const noexcept { return std::min(kHoldCeiling, (1.0f - decay) * freeze + decay); }
  bool WhisperOn() const noexcept { return whisper > kWhisperFloor; }

  // Bins are worked in groups of four from bin 0; arrays are padded to a
  // whole group past bin N/2.
  static constexpr int kStride = kNumBins + 3;
  // Bins 1 .. N/2 - 1 are reshaped: the groups cover 0 .. N/2 - 1 and bin 0
  // is put back afterwards.
  static constexpr int kGroupedBins = kFftSize / 2;
  static constexpr int kMaxDraws = 5; // random draws per bin: smear 1, whisper 3 or 4

  void WindowFrame(const double* inRing, int position) noexcept;
  void OverlapAdd(double* outRing, int position) noexcept;
  void ProcessBins() noexcept;
  void UpdateHold(bool keepPrevious) noexcept;
  void ShapeBins() noexcept;
  void RefreshResonanceTable() noexcept;
  void RefreshSourceTable() noexcept;

  bool mValid = false;
  RealFft fft{kFftSize};
  AlignedBuffer<float> inputFrame;
  AlignedBuffer<float> outputFrame;
  AlignedBuffer<float> binRe;
  AlignedBuffer<float> binIm;
  AlignedBuffer<float> window;
  // Per-bin state kept from hop to hop. `held` and `phase` have a second
  // half of kStride values: the previous hop's, for shifts that read bins
  // above the one being made.
  AlignedBuffer<float> held;
  AlignedBuffer<float> phase;
  AlignedBuffer<float> previousMagnitude;
  AlignedBuffer<float> magnitude; // this hop's, for the smear and the noise

  // Values that depend only on the bin, the resonance or the pitch ratio.
  AlignedBuffer<float> binX;                                      // k / (N/2 + 1)
  AlignedBuffer<float> fennowBumps;                               // the three formant bumps of "Fennows"
  AlignedBuffer<float> resonanceGain;                             // g for `tableResonance`
  float tableResonance = std::numeric_limits<float>::quiet_NaN(); // NaN: nothing cached yet
  // The remap of bin k reads (1 - f) * v[i0] + f * v[i1], with i0 and i1
  // indices into `held` and `phase` (second half for the previous hop's
  // values); bins that read nothing point at the empty bin N/2 with f = 0.
  AlignedBuffer<int32_t> sourceLow;
  AlignedBuffer<int32_t> sourceHigh;
  AlignedBuffer<float> sourceFraction;
  float tableRatio = std::numeric_limits<float>::quiet_NaN();
  bool readsPrevious = false; // some bin reads a bin above it
  bool identityShift = false; // every bin reads itself

  // Lane starts for every number of draws per bin, and the whole hop's jump.
  LcgLanePlan drawPlans[kMaxDraws + 1][kMaxDraws];
  LcgJump hopJump[kMaxDraws + 1];
};

} // namespace murkwisp::engine
