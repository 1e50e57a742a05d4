#include "claphost/BlockRunner.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace claphost {

namespace {

clap_process_status ProcessWidth(HostedPlugin& p, float* const* in, float* const* out, uint32_t n,
                                 const InputEvents* events, OutputEvents* outEvents)
{
  return p.Process32(in, 2, out, 2, n, events, outEvents);
}

clap_process_status ProcessWidth(HostedPlugin& p, double* const* in, double* const* out, uint32_t n,
                                 const InputEvents* events, OutputEvents* outEvents)
{
  return p.Process64(in, 2, out, 2, n, events, outEvents);
}

// One block of n frames from pos on, in samples of type T; the output lands
// in result at pos.
template <class T>
clap_process_status RunBlock(HostedPlugin& p, const Signal& s, size_t pos, uint32_t n, std::vector<T> (&inBuf)[2],
                             std::vector<T> (&outBuf)[2], const InputEvents* events, OutputEvents* outEvents,
                             RunResult& result)
{
  T* in[2];
  T* out[2];
  for (int c = 0; c < 2; ++c)
  {
    inBuf[c].assign(s.ch[c].begin() + static_cast<long>(pos), s.ch[c].begin() + static_cast<long>(pos + n));
    outBuf[c].assign(n, T(0));
    in[c] = inBuf[c].data();
    out[c] = outBuf[c].data();
  }
  const clap_process_status status = ProcessWidth(p, in, out, n, events, outEvents);
  for (int c = 0; c < 2; ++c)
    std::copy(outBuf[c].begin(), outBuf[c].end(), result.out[c].begin() + static_cast<long>(pos));
  return status;
}

} // namespace

RunResult Run(HostedPlugin& p, const Signal& s, bool use64, const std::vector<uint32_t>& blocks,
              const InputEvents* firstEvents, OutputEvents* outEvents)
{
  return Run(p, s, use64, blocks,
             [firstEvents](size_t pos, uint32_t) { return pos == 0 ? firstEvents : nullptr; }, outEvents);
}

RunResult Run(HostedPlugin& p, const Signal& s, bool use64, const std::vector<uint32_t>& blocks,
              const BlockEvents& eventsFor, OutputEvents* outEvents)
{
  RunResult result;
  const size_t frames = s.ch[0].size();
  for (int c = 0; c < 2; ++c)
    result.out[c].assign(frames, 0.0);
  p.Host().RunOnAudioThread([&] {
    p.StartProcessing();
    std::vector<float> in32[2], out32[2];
    std::vector<double> in64[2], out64[2];
    size_t pos = 0;
    size_t b = 0;
    while (pos < frames)
    {
      const uint32_t n = static_cast<uint32_t>(std::min<size_t>(blocks[b++ % blocks.size()], frames - pos));
      const InputEvents* events = eventsFor ? eventsFor(pos, n) : nullptr;
      const clap_process_status status =
        use64 ? RunBlock(p, s, pos, n, in64, out64, events, outEvents, result)
              : RunBlock(p, s, pos, n, in32, out32, events, outEvents, result);
      if (status == CLAP_PROCESS_ERROR)
        ++result.errors;
      pos += n;
    }
    p.StopProcessing();
  });
  for (int c = 0; c < 2; ++c)
    for (double v : result.out[c])
      if (!std::isfinite(v))
        result.finite = false;
  return result;
}

} // namespace claphost
