#pragma once
// Parameter ids the VST3 wrapper publishes besides the plug-in's own (whose
// id is their index).
#include <cstdint>

namespace ifx {

constexpr uint32_t kBypassParamId = 65536;
// Names the preset list in getProgramName.
constexpr uint32_t kPresetParamId = 65537;
// 65538 + channel x 130 + n: n 0..127 controllers, 128 channel pressure,
// 129 pitch bend.
constexpr uint32_t kMidiCCParamStartId = 65538;
constexpr int kMidiCCParamsPerChannel = 130;

} // namespace ifx
