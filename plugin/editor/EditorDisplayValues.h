#pragma once
// The plug-in values the animated layers follow: the host tempo and the
// input and output peak levels of the last block. The audio thread writes
// them, the draw functions read them without a lock (a stale value only
// changes one frame's picture); they live as long as the plug-in.
#include <atomic>
#include <cmath>

namespace murkwisp {

struct EditorDisplayValues
{
  static constexpr float kDefaultTempo = 120.f;
  static constexpr float kSilentDb = -60.f;

  const std::atomic<float>* tempo = nullptr;
  const std::atomic<float>* inputPeakDB = nullptr;
  const std::atomic<float>* outputPeakDB = nullptr;

  // Beats per second; a tempo that is unset, negative or not finite counts
  // as 120 bpm (0 is kept: it stands the beat-driven motion still).
  double Beat() const noexcept
  {
    const double bpm = Read(tempo, kDefaultTempo);
    return (std::isfinite(bpm) && bpm >= 0.0 ? bpm : kDefaultTempo) / 60.0;
  }
  // Levels 0..1 over -60..0 dB; unset or NaN is silence.
  double InputLevel() const noexcept { return Level(Read(inputPeakDB, kSilentDb)); }
  double OutputLevel() const noexcept { return Level(Read(outputPeakDB, kSilentDb)); }

  static double Level(double db) noexcept
  {
    const double v = (db + 60.0) / 60.0;
    return v > 0.0 ? (v < 1.0 ? v : 1.0) : 0.0; // NaN lands on 0
  }

private:
  static double Read(const std::atomic<float>* value, float fallback) noexcept
  {
    return value ? value->load(std::memory_order_relaxed) : fallback;
  }
};

} // namespace murkwisp
