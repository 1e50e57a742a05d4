// Writes the seed corpora of the preset-file and state targets from the
// plug-in's own factory presets, and of the font-file target from Debian's
// fonts cut down to the tables the reader reads and from crafted fonts:
// make_fuzz_seeds <fuzz/corpus folder>.
#include "platform/FontBuilder.h"
#include "FuzzPlugin.h"

#include <cstdio>
#include <string>

using namespace murkwisp;

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

bool WriteFontSeeds(const std::string& dir)
{
  using namespace ifx::testfonts;
  const std::vector<std::string> tags = {"head", "hhea", "name", "OS/2"};
  bool ok = true;
  auto write = [&](const char* name, const Bytes& font) {
    ok = ok && WriteFile(dir + "/" + name, reinterpret_cast<const uint8_t*>(font.data()), int(font.size()));
  };
  const Bytes roboto = ReadFile(MURKWISP_ROBOTO_FONT);
  const Bytes collection = ReadFile(MURKWISP_COLLECTION_FONT);
  if (roboto.empty() || collection.empty())
  {
    std::fprintf(stderr, "make_fuzz_seeds: Debian's Roboto or WenQuanYi font is missing\n");
    return false;
  }
  write("roboto-cut.ttf", Sfnt(TablesOf(roboto, 0, tags)));
  write("wqy-cut.ttc", Collection({TablesOf(collection, 0, tags), TablesOf(collection, 1, tags)}));
  write("mac-names.otf", Sfnt({{"head", HeadTable(1000, 1)},
                               {"hhea", HheaTable(900, -300, 0)},
                               {"name", NameTable({MacName(1, "Cinzel"), MacName(2, "Bold")})},
                               {"fdsc", Bytes(8, '\0')}},
                              "OTTO"));
  write("surrogates.ttf", Sfnt(FontTables(u"G\xD835\xDD09\xDC00", u"Italic", 700, 700, 2), Bytes("1\0\0\0", 4)));
  write("apple.ttf", Sfnt(FontTables(u"Ghost", u"Regular"), "true"));
  return ok;
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
  ok = WriteFontSeeds(root + "/font_file") && ok;
  return ok ? 0 : 1;
}
