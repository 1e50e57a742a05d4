#pragma once
// Test signals and WAV files for the test hosts (channels of doubles).
#include <string>
#include <vector>

namespace hostaudio {

using Audio = std::vector<std::vector<double>>;

// "sine" (440 Hz left, 660 Hz right, amplitude 0.5), "noise" (uniform,
// amplitude 0.5, fixed seed), "impulse" (1 at frame 0) or "silence".
bool GenerateSignal(const std::string& kind, int channels, long frames, double rate, Audio& out);

// PCM 16/24/32-bit or 32-bit float, any channel count. On failure error
// holds one line naming the file and the reason, and out and rate are left
// as they were.
bool ReadWav(const std::string& path, Audio& out, double& rate, std::string& error);

// 32-bit float, with the extended format chunk and the fact chunk that
// non-PCM data carries. False when the file cannot be written completely.
bool WriteWav(const std::string& path, const Audio& audio, double rate);

} // namespace hostaudio
