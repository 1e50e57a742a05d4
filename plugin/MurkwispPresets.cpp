#include "plugin/MurkwispPresets.h"

#include "framework/IPluginBase.h"

namespace murkwisp {

// clang-format off
const MurkwispPresetRecord kFactoryPresets[kNumFactoryPresets] = {
  // name               Input Output Haunt Possess Oct Int Fine Freeze Smear Whisper Mode Reson. Mix
  {"Init",              50.,  50.,   75.,  50.,    2,  0,  0.,  80.,   64.,  0.,     0,   50.,   100.},
  {"Fennow Choir",      55.,  52.,   78.,  91.,    3,  0,  0.,  84.,   60.,  59.,    0,   73.,   78.},
  {"Banshee Scream",    55.,  35.,   94.,  80.,    4,  6,  0.,  76.,   30.,  59.,    0,   15.,   91.},
  {"Wailing Spirits",   55.,  52.,   94.,  57.,    2,  7,  0.,  68.,   90.,  59.,    0,   73.,   92.},
  {"Crypt Dweller",     56.,  52.,   69.,  78.,    0,  0,  0.,  86.,   27.,  65.,    0,   28.,   100.},
  {"Haunted Attic",     60.,  55.,   65.,  70.,    2,  5,  0.,  45.,   50.,  40.,    1,   60.,   85.},
  {"Spectral Drone",    50.,  60.,   90.,  95.,    1,  0,  0.,  95.,   80.,  20.,    0,   40.,   100.},
  {"Poltergeist",       70.,  45.,   45.,  60.,    3,  7,  25., 30.,   70.,  75.,    1,   80.,   70.},
  {"Ethereal Pad",      55.,  58.,   85.,  80.,    2,  0,  0.,  70.,   40.,  30.,    0,   55.,   90.},
  {"Demonic Whisper",   45.,  50.,   70.,  85.,    1,  6,  -15.,55.,   65.,  80.,    1,   90.,   75.},
};
// clang-format on

void MakeMurkwispPresets(ifx::IPluginBase& plugin)
{
  for (const MurkwispPresetRecord& p : kFactoryPresets)
    plugin.MakePreset(p.name, p.input, p.output, p.haunt, p.possess, p.octave, p.interval, p.fine, p.freeze, p.smear,
                      p.whisper, p.whisperMode, p.resonance, p.mix);
}

} // namespace murkwisp
