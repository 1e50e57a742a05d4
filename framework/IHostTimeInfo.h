#pragma once
#include <cstdint>

namespace ifx {

// Transport of the current block as the wrapper read it from the host.
// Positions are -1 when the host gives none.
struct IHostTimeInfo
{
  double tempo = 120.0;       // beats per minute
  double samplePos = -1.0;    // project position in samples
  double ppqPos = -1.0;       // musical position in quarter notes
  double lastBarStart = -1.0; // quarter notes
  double cycleStart = -1.0;   // quarter notes
  double cycleEnd = -1.0;     // quarter notes
  int32_t numerator = 4;
  int32_t denominator = 4;
  bool playing = false;
  bool looping = false;
};

} // namespace ifx
