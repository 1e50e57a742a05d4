#pragma once
// What both test hosts' process command runs the plug-in over: a WAV file or
// a generated signal, the rate to run at, and the tail to render after it.
#include <string>

#include "hostaudio/AudioFiles.h"

namespace hostaudio {

struct InputOptions
{
  std::string path;            // a WAV file; empty for a generated signal
  std::string signal = "sine"; // the generated signal's kind and length
  long frames = 44100;
  double rate = 0.;         // --rate; 0: the file's own rate (44100 for a signal)
  double tailSeconds = -1.; // --tail; negative: no tail
};

constexpr double kDefaultRate = 44100.;

// The input as two channels or more, and the rate to process and write it at.
// False with error set to one line when the file cannot be read or is not a
// WAV file the hosts read, or the signal is unknown.
bool LoadInput(const InputOptions& options, Audio& audio, double& rate, std::string& error);

// With a tail asked for, appends the plug-in's latency plus tailSeconds of
// silence, so that the output holds the whole delayed input and what rings
// on after it.
void AppendTail(const InputOptions& options, long latency, double rate, Audio& audio);

// Reads the value of --tail: seconds, finite and not negative.
bool ParseTailSeconds(const char* text, double& seconds);

} // namespace hostaudio
