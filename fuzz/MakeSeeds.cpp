// Writes the seed corpora of the preset-file and state targets from the
// plug-in's own factory presets: make_fuzz_seeds <fuzz/corpus folder>.
#include "fuzz/FuzzPlugin.h"

#include <cstdio>
#include <string>

namespace {

bool WriteFile(const std::string& path, const uint8_t* data, int size, const uint8_t* prefix = nullptr)
{
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f)
    return false;
  bool ok = !prefix || std::fwrite(prefix, 1, 1, f) == 1;
  ok = ok && std::fwrite(data, 1, static_cast<size_t>(size), f) == static_cast<size_t>(size);
  return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: make_fuzz_seeds <corpus folder>\n");
    return 2;
  }
  const std::string root = argv[1];
  Murkwisp& plugin = fuzz::Plugin();
  bool ok = true;
  for (int i = 0; i < plugin.NPresets(); i += 3)
  {
    plugin.RestorePreset(i);
    ifx::IStateChunk image;
    ok = ok && plugin.MakePresetFileImage(image);
    ok = ok && WriteFile(root + "/fxp_file/preset-" + std::to_string(i) + ".fxp", image.GetData(), image.Size());

    ifx::IStateChunk state;
    ok = ok && plugin.SerializeParams(state);
    // The state target reads its start position from the first byte: 1 is 0.
    const uint8_t start = 1;
    ok = ok && WriteFile(root + "/state_chunk/state-" + std::to_string(i) + ".bin", state.GetData(), state.Size(), &start);
  }
  return ok ? 0 : 1;
}
