#include "platform/CommandOutput.h"

#include <algorithm>
#include <cstdio>

namespace ifx {

std::string ReadCommandOutput(const char* commandLine, size_t maxBytes)
{
  std::string output;
  if (!commandLine || !*commandLine)
    return output;
  std::FILE* pipe = popen(commandLine, "r");
  if (!pipe)
    return output;
  // Closed (and the command waited for) even when an append runs out of
  // memory.
  struct PipeCloser
  {
    std::FILE* pipe;
    ~PipeCloser() { pclose(pipe); }
  } closer{pipe};

  char piece[4096];
  size_t got;
  while ((got = std::fread(piece, 1, sizeof(piece), pipe)) > 0)
  {
    if (output.size() < maxBytes)
      output.append(piece, std::min(got, maxBytes - output.size()));
  }
  return output;
}

} // namespace ifx
