#pragma once
#include <cstdint>

namespace ifx {
class IPluginBase;
}

namespace murkwisp {

// One factory preset in parameter order. Enum parameters are entry indices
// (int32), everything else doubles: MakePreset reads its variadic values by
// the parameter types, so these field types are part of the preset format.
struct MurkwispPresetRecord
{
  const char* name;
  double input, output, haunt, possess;
  int32_t octave, interval;
  double fine, freeze, smear, whisper;
  int32_t whisperMode;
  double resonance, mix;
};

constexpr int kNumFactoryPresets = 10;
extern const MurkwispPresetRecord kFactoryPresets[kNumFactoryPresets];

// Fills the preset slots in table order.
void MakeMurkwispPresets(ifx::IPluginBase& plugin);

} // namespace murkwisp
