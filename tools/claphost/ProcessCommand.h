#pragma once
#include <ostream>

#include "claphost/BlockRunner.h"
#include "hostaudio/AudioFiles.h"

namespace claphost {

// claphost process <module> [--rate hz] [--block n] [--double] [--frames n]
//                  [--signal sine|noise|impulse|silence] [--input in.wav]
//                  [--tail seconds] [--output out.wav] [--set id=value[@frame]]...
//   Runs one instance over a signal or a WAV file and writes its output as a
//   32-bit float WAV file, at the input file's sample rate unless --rate is
//   given (44100 for a generated signal). --tail renders the plug-in's
//   latency plus that many seconds past the end of the input. Values of
//   --set are in the units the host sees (normalised for continuous
//   parameters, plain for stepped ones); each reaches the plug-in with the
//   block its frame (default 0) falls in.
// claphost make-signal <kind> <frames> <rate> <out.wav>
//   Writes a stereo test signal, for feeding the same input to several hosts.
// Both return the process exit code (0 on success) and report on `report`;
// an input that cannot be used is reported on `errors`, alone.
int RunProcessCommand(int argc, char** argv, std::ostream& report, std::ostream& errors);
int RunMakeSignalCommand(int argc, char** argv, std::ostream& report);

// The first two channels (one is doubled) as 32-bit values: WAV files and
// generated signals hold nothing finer, so both sample widths see the same
// numbers.
void ToSignal(const hostaudio::Audio& audio, Signal& signal);

} // namespace claphost
