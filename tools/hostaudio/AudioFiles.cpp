#include "hostaudio/AudioFiles.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace hostaudio {

namespace {
constexpr double kTwoPi = 6.28318530717958647692;
}

bool GenerateSignal(const std::string& kind, int channels, long frames, double rate, Audio& out) {
  if (channels < 1 || frames < 0 || !(rate > 0.)) return false;
  out.assign(static_cast<size_t>(channels), std::vector<double>(static_cast<size_t>(frames), 0.));
  uint32_t seed = 0x12345678u;
  for (long i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c) {
      double v = 0.;
      if (kind == "sine") {
        v = 0.5 * std::sin(kTwoPi * (440. + 220. * c) * static_cast<double>(i) / rate);
      } else if (kind == "noise") {
        seed = seed * 1664525u + 1013904223u;
        v = 0.5 * (static_cast<double>(seed >> 8) / 8388608. - 1.);
      } else if (kind == "impulse") {
        v = i == 0 ? 1. : 0.;
      } else if (kind != "silence") {
        return false;
      }
      // Exactly representable as float, so 32-bit and 64-bit runs see the same input.
      out[static_cast<size_t>(c)][static_cast<size_t>(i)] = static_cast<float>(v);
    }
  return true;
}

namespace {
uint32_t U32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
}  // namespace

bool ReadWav(const std::string& path, Audio& out, double& rate, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot open " + path;
    return false;
  }
  std::vector<unsigned char> d((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (d.size() < 12 || std::memcmp(d.data(), "RIFF", 4) != 0 || std::memcmp(d.data() + 8, "WAVE", 4) != 0) {
    error = "not a WAV file";
    return false;
  }
  int format = 0, channels = 0, bits = 0;
  const unsigned char* samples = nullptr;
  size_t dataSize = 0;
  for (size_t pos = 12; pos + 8 <= d.size();) {
    const uint32_t size = U32(&d[pos + 4]);
    const size_t body = pos + 8;
    if (size > d.size() - body) break;
    if (std::memcmp(&d[pos], "fmt ", 4) == 0 && size >= 16) {
      format = U16(&d[body]);
      channels = U16(&d[body + 2]);
      rate = U32(&d[body + 4]);
      bits = U16(&d[body + 14]);
      if (format == 0xFFFE && size >= 26) format = U16(&d[body + 24]);
    } else if (std::memcmp(&d[pos], "data", 4) == 0) {
      samples = &d[body];
      dataSize = size;
    }
    pos = body + size + (size & 1);
  }
  const bool pcm = format == 1 && (bits == 16 || bits == 24 || bits == 32);
  const bool flt = format == 3 && bits == 32;
  if (!samples || channels < 1 || (!pcm && !flt)) {
    error = "unsupported WAV format";
    return false;
  }
  const size_t bytes = static_cast<size_t>(bits / 8);
  const size_t frames = dataSize / (bytes * static_cast<size_t>(channels));
  out.assign(static_cast<size_t>(channels), std::vector<double>(frames));
  for (size_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c) {
      const unsigned char* p = samples + (i * static_cast<size_t>(channels) + static_cast<size_t>(c)) * bytes;
      double v = 0.;
      if (flt) {
        float f;
        std::memcpy(&f, p, 4);
        v = f;
      } else if (bits == 16) {
        v = static_cast<int16_t>(U16(p)) / 32768.;
      } else if (bits == 24) {
        int32_t s = p[0] | (p[1] << 8) | (p[2] << 16);
        if (s & 0x800000) s -= 0x1000000;
        v = s / 8388608.;
      } else {
        v = static_cast<int32_t>(U32(p)) / 2147483648.;
      }
      out[static_cast<size_t>(c)][i] = v;
    }
  return true;
}

bool WriteWav(const std::string& path, const Audio& audio, double rate) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const uint32_t channels = static_cast<uint32_t>(audio.size());
  const uint32_t frames = channels ? static_cast<uint32_t>(audio[0].size()) : 0;
  const uint32_t dataSize = frames * channels * 4;
  auto put32 = [f](uint32_t v) {
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                          static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    std::fwrite(b, 1, 4, f);
  };
  auto put16 = [f](uint16_t v) {
    unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    std::fwrite(b, 1, 2, f);
  };
  std::fwrite("RIFF", 1, 4, f);
  put32(36 + dataSize);
  std::fwrite("WAVEfmt ", 1, 8, f);
  put32(16);
  put16(3);
  put16(static_cast<uint16_t>(channels));
  put32(static_cast<uint32_t>(rate));
  put32(static_cast<uint32_t>(rate) * channels * 4);
  put16(static_cast<uint16_t>(channels * 4));
  put16(32);
  std::fwrite("data", 1, 4, f);
  put32(dataSize);
  for (uint32_t i = 0; i < frames; ++i)
    for (uint32_t c = 0; c < channels; ++c) {
      const float v = static_cast<float>(audio[c][i]);
      std::fwrite(&v, 4, 1, f);
    }
  return std::fclose(f) == 0;
}

}  // namespace hostaudio
