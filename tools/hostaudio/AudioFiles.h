#pragma once
// Test signals and WAV files for the test host (channels of doubles).
#include <string>
#include <vector>

namespace hostaudio {

using Audio = std::vector<std::vector<double>>;

// "sine" (440 Hz left, 660 Hz right, amplitude 0.5), "noise" (uniform,
// amplitude 0.5, fixed seed), "impulse" (1 at frame 0) or "silence".
bool GenerateSignal(const std::string& kind, int channels, long frames, double rate, Audio& out);
// PCM 16/24/32-bit or 32-bit float, any channel count.
bool ReadWav(const std::string& path, Audio& out, double& rate, std::string& error);
// 32-bit float.
bool WriteWav(const std::string& path, const Audio& audio, double rate);

}  // namespace hostaudio
