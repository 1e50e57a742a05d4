#include "tools/claphost/BlockRunner.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace claphost {

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
      clap_process_status status;
      if (use64)
      {
        double* in[2];
        double* out[2];
        for (int c = 0; c < 2; ++c)
        {
          in64[c].assign(s.ch[c].begin() + static_cast<long>(pos), s.ch[c].begin() + static_cast<long>(pos + n));
          out64[c].assign(n, 0.0);
          in[c] = in64[c].data();
          out[c] = out64[c].data();
        }
        status = p.Process64(in, 2, out, 2, n, events, outEvents);
        for (int c = 0; c < 2; ++c)
          std::copy(out64[c].begin(), out64[c].end(), result.out[c].begin() + static_cast<long>(pos));
      }
      else
      {
        float* in[2];
        float* out[2];
        for (int c = 0; c < 2; ++c)
        {
          in32[c].assign(s.ch[c].begin() + static_cast<long>(pos), s.ch[c].begin() + static_cast<long>(pos + n));
          out32[c].assign(n, 0.f);
          in[c] = in32[c].data();
          out[c] = out32[c].data();
        }
        status = p.Process32(in, 2, out, 2, n, events, outEvents);
        for (int c = 0; c < 2; ++c)
          std::copy(out32[c].begin(), out32[c].end(), result.out[c].begin() + static_cast<long>(pos));
      }
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
