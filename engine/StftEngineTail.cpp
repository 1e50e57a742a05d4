// How long the engine goes on sounding once its input falls silent.
//
// From the first hop whose frame is all silence on, every bin's magnitude is
// 0, so no held magnitude is refreshed: each only keeps Hold() of itself per
// hop, from at most the largest magnitude a frame can have, the window's sum
// (N / 2) times the input's peak. A reshaped bin is at most a fixed multiple
// of the largest held magnitude (the pitch remap interpolates held values,
// some of them the previous hop's; the "Fennows" whisper adds terms in
// proportion to them), and has no dry part left. The inverse transform of
// such a spectrum, whose DC and Nyquist bins are empty, is at most twice the
// sum of its N / 2 - 1 bins' magnitudes, and the windows of the frames that
// overlap at one output sample sum to 4. The bound is loose (it takes every
// bin at its largest and in phase), but it holds for any input.
#include "engine/StftEngine.h"

#include <cmath>

namespace murkwisp::engine {

int64_t StftEngine::QuietHops(double inputPeak, double outputScale, double level) const noexcept
{
  constexpr double kHalf = kFftSize / 2;
  const double wet = std::fabs(outputScale) * blend;
  if (!(wet > 0.))
    return 0; // nothing held reaches the output
  if (WhisperOn() && whisperMode == 0)
    return kEndless;
  const double hold = Hold();
  if (hold >= kHoldCeiling)
    return kEndless;

  // The largest reshaped bin per unit of the largest held magnitude.
  const double shaped = (freeze * kFreezeLift + 1.0) * kWetGain * pitchGain;
  double perHeld = shaped;
  if (WhisperOn())
  {
    // "Fennows": at most 1.9 (the bumps) x 0.4 x (shaped + 1) from the root
    // and 0.25 from the resonance, times 5 x 2.5 x whisper x q.
    const double q = resonance * 0.5 + 0.5;
    perHeld += (0.76 * (shaped + 1.0) + 0.25) * 12.5 * whisper * q;
  }
  const double loudest = inputPeak * kHalf * perHeld * 2.0 * (kHalf - 1.0) * 4.0 * kOlaGain * wet;
  if (!(loudest > level))
    return 0;
  if (!(hold > 0.))
    return 2; // the first silent hop still holds the last sound's magnitudes
  // A hop may read the previous hop's held values: one hop more than the decay.
  const double decayHops = std::ceil(std::log(loudest / level) / -std::log(hold));
  return static_cast<int64_t>(decayHops) + 1;
}

} // namespace murkwisp::engine
