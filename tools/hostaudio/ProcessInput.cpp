#include "hostaudio/ProcessInput.h"

#include <cmath>
#include <cstdlib>

namespace hostaudio {

bool LoadInput(const InputOptions& options, Audio& audio, double& rate, std::string& error)
{
  if (options.path.empty())
  {
    rate = options.rate > 0. ? options.rate : kDefaultRate;
    if (!GenerateSignal(options.signal, 2, options.frames, rate, audio))
    {
      error = "unknown signal " + options.signal;
      return false;
    }
    return true;
  }
  double fileRate = 0.;
  if (!ReadWav(options.path, audio, fileRate, error))
    return false;
  rate = options.rate > 0. ? options.rate : fileRate;
  return true;
}

void AppendTail(const InputOptions& options, long latency, double rate, Audio& audio)
{
  if (options.tailSeconds < 0.)
    return;
  const double extra = static_cast<double>(latency > 0 ? latency : 0) + std::round(options.tailSeconds * rate);
  for (std::vector<double>& channel : audio)
    channel.resize(channel.size() + static_cast<size_t>(extra), 0.);
}

bool ParseTailSeconds(const char* text, double& seconds)
{
  char* end = nullptr;
  const double v = std::strtod(text, &end);
  // Ten minutes is far more than any tail; it also keeps the buffers sane.
  if (end == text || *end != '\0' || !std::isfinite(v) || v < 0. || v > 600.)
    return false;
  seconds = v;
  return true;
}

} // namespace hostaudio
