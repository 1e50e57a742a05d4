// Preset files as read from disk: any bytes, any length.
#include "FuzzPlugin.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace murkwisp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  Murkwisp& plugin = fuzz::Plugin();
  plugin.RestorePreset(0);

  // A private copy of exactly size bytes, so a read past the end is caught.
  std::vector<uint8_t> bytes(data, data + size);
  const bool loaded = plugin.LoadPresetFileImage(bytes.empty() ? nullptr : bytes.data(),
                                                 static_cast<int>(bytes.size()));
  fuzz::CheckParamsInRange(plugin);

  if (loaded)
  {
    // What loaded must save and load again.
    ifx::IStateChunk image;
    if (!plugin.MakePresetFileImage(image) || !plugin.LoadPresetFileImage(image))
      __builtin_trap();
    fuzz::CheckParamsInRange(plugin);
  }
  return 0;
}
