#pragma once
// Streams a stereo signal through a hosted plug-in block by block on the
// host's audio thread, as a host plays a track.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "claphost/HostEvents.h"
#include "claphost/HostedPlugin.h"

namespace claphost {

// Stereo test signal as 32-bit values (so the 64-bit run gets the same numbers).
struct Signal
{
  std::vector<float> ch[2];
};

struct RunResult
{
  std::vector<double> out[2];
  int errors = 0;
  bool finite = true;
};

// Processes the whole signal in the given block sizes (repeated), on the
// host's audio thread, between start_processing and stop_processing.
// firstEvents go with the first block only.
RunResult Run(HostedPlugin& p, const Signal& s, bool use64, const std::vector<uint32_t>& blocks,
              const InputEvents* firstEvents, OutputEvents* outEvents);

// The input events of the block that starts at frame `pos` and holds
// `frames` frames (null for none); called on the audio thread.
using BlockEvents = std::function<const InputEvents*(size_t pos, uint32_t frames)>;
RunResult Run(HostedPlugin& p, const Signal& s, bool use64, const std::vector<uint32_t>& blocks,
              const BlockEvents& eventsFor, OutputEvents* outEvents);

} // namespace claphost
