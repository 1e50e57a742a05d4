#include "hostaudio/AudioFiles.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace hostaudio {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

uint32_t U32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void Put32(std::vector<unsigned char>& out, uint32_t v)
{
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void Put16(std::vector<unsigned char>& out, uint16_t v)
{
  out.push_back(static_cast<unsigned char>(v));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

void PutTag(std::vector<unsigned char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// The whole file, or false with error set.
bool ReadFile(const std::string& path, std::vector<unsigned char>& bytes, std::string& error)
{
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f)
  {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  unsigned char buf[65536];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof(buf), f)) > 0)
    bytes.insert(bytes.end(), buf, buf + got);
  const bool failed = std::ferror(f) != 0;
  const int cause = errno;
  std::fclose(f);
  if (failed)
  {
    error = "cannot read " + path + ": " + std::strerror(cause);
    return false;
  }
  return true;
}

} // namespace

bool GenerateSignal(const std::string& kind, int channels, long frames, double rate, Audio& out)
{
  if (channels < 1 || frames < 0 || !(rate > 0.))
    return false;
  out.assign(static_cast<size_t>(channels), std::vector<double>(static_cast<size_t>(frames), 0.));
  uint32_t seed = 0x12345678u;
  for (long i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
    {
      double v = 0.;
      if (kind == "sine")
      {
        v = 0.5 * std::sin(kTwoPi * (440. + 220. * c) * static_cast<double>(i) / rate);
      }
      else if (kind == "noise")
      {
        seed = seed * 1664525u + 1013904223u;
        v = 0.5 * (static_cast<double>(seed >> 8) / 8388608. - 1.);
      }
      else if (kind == "impulse")
      {
        v = i == 0 ? 1. : 0.;
      }
      else if (kind != "silence")
      {
        return false;
      }
      // Exactly representable as float, so 32-bit and 64-bit runs see the same input.
      out[static_cast<size_t>(c)][static_cast<size_t>(i)] = static_cast<float>(v);
    }
  return true;
}

bool ReadWav(const std::string& path, Audio& out, double& rate, std::string& error)
{
  std::vector<unsigned char> d;
  if (!ReadFile(path, d, error))
    return false;
  if (d.size() < 12 || std::memcmp(d.data(), "RIFF", 4) != 0 || std::memcmp(d.data() + 8, "WAVE", 4) != 0)
  {
    error = path + " is not a WAV file";
    return false;
  }
  int format = 0, channels = 0, bits = 0;
  uint32_t fileRate = 0;
  const unsigned char* samples = nullptr;
  size_t dataSize = 0;
  for (size_t pos = 12; pos + 8 <= d.size();)
  {
    size_t size = U32(&d[pos + 4]);
    const size_t body = pos + 8;
    const bool isData = std::memcmp(&d[pos], "data", 4) == 0;
    if (size > d.size() - body)
    {
      // A recorder that stopped short leaves the data chunk's size too large:
      // take the samples that are there.
      if (!isData)
        break;
      size = d.size() - body;
    }
    if (std::memcmp(&d[pos], "fmt ", 4) == 0 && size >= 16)
    {
      format = U16(&d[body]);
      channels = U16(&d[body + 2]);
      fileRate = U32(&d[body + 4]);
      bits = U16(&d[body + 14]);
      if (format == kFormatExtensible && size >= 26)
        format = U16(&d[body + 24]);
    }
    else if (isData)
    {
      samples = &d[body];
      dataSize = size;
    }
    pos = body + size + (size & 1);
  }
  if (!samples || channels < 1)
  {
    error = path + " has no audio data";
    return false;
  }
  const bool pcm = format == kFormatPcm && (bits == 16 || bits == 24 || bits == 32);
  const bool flt = format == kFormatFloat && bits == 32;
  if (!pcm && !flt)
  {
    error = path + ": unsupported WAV data (format " + std::to_string(format) + ", " + std::to_string(bits) +
            " bits); 16-, 24- and 32-bit PCM and 32-bit float are read";
    return false;
  }
  if (fileRate == 0)
  {
    error = path + ": sample rate 0";
    return false;
  }
  const size_t bytes = static_cast<size_t>(bits / 8);
  const size_t frames = dataSize / (bytes * static_cast<size_t>(channels));
  out.assign(static_cast<size_t>(channels), std::vector<double>(frames));
  for (size_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
    {
      const unsigned char* p = samples + (i * static_cast<size_t>(channels) + static_cast<size_t>(c)) * bytes;
      double v = 0.;
      if (flt)
      {
        float f;
        std::memcpy(&f, p, 4);
        v = f;
      }
      else if (bits == 16)
      {
        v = static_cast<int16_t>(U16(p)) / 32768.;
      }
      else if (bits == 24)
      {
        int32_t s = p[0] | (p[1] << 8) | (p[2] << 16);
        if (s & 0x800000)
          s -= 0x1000000;
        v = s / 8388608.;
      }
      else
      {
        v = static_cast<int32_t>(U32(p)) / 2147483648.;
      }
      out[static_cast<size_t>(c)][i] = v;
    }
  rate = fileRate;
  return true;
}

bool WriteWav(const std::string& path, const Audio& audio, double rate)
{
  const uint64_t channels = audio.size();
  const uint64_t frames = channels ? audio[0].size() : 0;
  const uint64_t dataSize = frames * channels * 4;
  // The header's fields are 32 bits; the RIFF size counts 50 bytes of header
  // after its own field.
  if (channels > 0xFFFF || dataSize > std::numeric_limits<uint32_t>::max() - 50 || !(rate >= 1.) ||
      rate > std::numeric_limits<uint32_t>::max() / (channels ? channels * 4 : 1))
    return false;
  const auto rateHz = static_cast<uint32_t>(rate);

  std::vector<unsigned char> file;
  file.reserve(58 + static_cast<size_t>(dataSize));
  PutTag(file, "RIFF");
  Put32(file, static_cast<uint32_t>(50 + dataSize));
  PutTag(file, "WAVE");
  // Formats other than integer PCM carry the size of their extension (none).
  PutTag(file, "fmt ");
  Put32(file, 18);
  Put16(file, kFormatFloat);
  Put16(file, static_cast<uint16_t>(channels));
  Put32(file, rateHz);
  Put32(file, static_cast<uint32_t>(rateHz * channels * 4));
  Put16(file, static_cast<uint16_t>(channels * 4));
  Put16(file, 32);
  Put16(file, 0);
  // ... and the length in frames.
  PutTag(file, "fact");
  Put32(file, 4);
  Put32(file, static_cast<uint32_t>(frames));
  PutTag(file, "data");
  Put32(file, static_cast<uint32_t>(dataSize));
  for (uint64_t i = 0; i < frames; ++i)
    for (uint64_t c = 0; c < channels; ++c)
    {
      const float v = static_cast<float>(audio[c].size() > i ? audio[c][i] : 0.);
      uint32_t bitsOf;
      std::memcpy(&bitsOf, &v, 4);
      Put32(file, bitsOf);
    }

  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f)
    return false;
  const bool written = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  return std::fclose(f) == 0 && written;
}

} // namespace hostaudio
