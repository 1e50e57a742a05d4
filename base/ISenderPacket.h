#pragma once
#include <cstddef>
#include <cstdint>

namespace ifx {

// One meter reading handed from the audio thread to a meter control: a
// (peak, average) pair per channel, linear gain.
struct ISenderPacket
{
  static constexpr int kChannels = 2;

  int32_t controlTag = 0;
  int32_t nChans = kChannels;
  int32_t chanOffset = 0;
  float vals[kChannels][2]{}; // [channel][0 peak, 1 average]

  float Peak(int ch) const noexcept { return vals[ch][0]; }
  float Average(int ch) const noexcept { return vals[ch][1]; }
};

static_assert(sizeof(ISenderPacket) == 28, "meter packets are 28 bytes");
static_assert(offsetof(ISenderPacket, vals) == 12, "channel values follow the 12-byte header");

} // namespace ifx
