// The test hosts' WAV files and process input: what they write (a float file
// sox reads without complaint), what they read or refuse with one line, the
// rate they run at and the tail they add.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "hostaudio/AudioFiles.h"
#include "hostaudio/ProcessInput.h"

using namespace hostaudio;

namespace {

std::vector<unsigned char> Bytes(const std::string& path)
{
  std::vector<unsigned char> out;
  if (std::FILE* f = std::fopen(path.c_str(), "rb"))
  {
    int c;
    while ((c = std::fgetc(f)) != EOF)
      out.push_back(static_cast<unsigned char>(c));
    std::fclose(f);
  }
  return out;
}

void Write(const std::string& path, const std::vector<unsigned char>& bytes)
{
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void Put(std::vector<unsigned char>& out, uint32_t v, int bytes)
{
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// A WAV file with a 16-byte format chunk, then the data chunk (its stated
// size may exceed what follows).
std::vector<unsigned char> Wav(int format, int channels, uint32_t rate, int bits,
                               const std::vector<unsigned char>& data, uint32_t statedSize = 0)
{
  std::vector<unsigned char> f = {'R', 'I', 'F', 'F'};
  Put(f, static_cast<uint32_t>(36 + data.size()), 4);
  for (char c : std::string("WAVEfmt "))
    f.push_back(static_cast<unsigned char>(c));
  Put(f, 16, 4);
  Put(f, static_cast<uint32_t>(format), 2);
  Put(f, static_cast<uint32_t>(channels), 2);
  Put(f, rate, 4);
  Put(f, rate * static_cast<uint32_t>(channels * bits / 8), 4);
  Put(f, static_cast<uint32_t>(channels * bits / 8), 2);
  Put(f, static_cast<uint32_t>(bits), 2);
  for (char c : std::string("data"))
    f.push_back(static_cast<unsigned char>(c));
  Put(f, statedSize ? statedSize : static_cast<uint32_t>(data.size()), 4);
  f.insert(f.end(), data.begin(), data.end());
  return f;
}

} // namespace

TEST(HostAudio, FloatFilesCarryTheExtendedFormatAndFactChunks)
{
  const Audio audio = {{0.5, -1.0, 0.25}, {0.0, 1.0, -0.125}};
  ASSERT_TRUE(WriteWav("host_audio_float.wav", audio, 48000.));
  const std::vector<unsigned char> b = Bytes("host_audio_float.wav");
  ASSERT_EQ(b.size(), 58u + 24u);
  const std::string tags(b.begin(), b.end());
  EXPECT_EQ(tags.substr(0, 4), "RIFF");
  EXPECT_EQ(b[4] | (b[5] << 8), 50 + 24);
  EXPECT_EQ(tags.substr(8, 8), "WAVEfmt ");
  const std::vector<unsigned char> fmt(b.begin() + 16, b.begin() + 38);
  // size 18; float; 2 channels; 48000 Hz; 384000 bytes/s; 8 bytes a frame; 32 bits; no extension
  EXPECT_EQ(fmt, (std::vector<unsigned char>{18, 0, 0, 0, 3, 0, 2, 0, 0x80, 0xBB, 0, 0, 0, 0xDC, 5, 0, 8, 0, 32, 0, 0, 0}));
  EXPECT_EQ(tags.substr(38, 4), "fact");
  EXPECT_EQ(std::vector<unsigned char>(b.begin() + 42, b.begin() + 50), (std::vector<unsigned char>{4, 0, 0, 0, 3, 0, 0, 0}));
  EXPECT_EQ(tags.substr(50, 4), "data");
  EXPECT_EQ(b[54], 24);

  Audio back;
  double rate = 0.;
  std::string error;
  ASSERT_TRUE(ReadWav("host_audio_float.wav", back, rate, error)) << error;
  EXPECT_EQ(rate, 48000.);
  EXPECT_EQ(back, audio);
  std::remove("host_audio_float.wav");
}

TEST(HostAudio, PcmIsReadAndACutShortDataChunkGivesTheFramesThatAreThere)
{
  // 16-bit stereo: two frames; 24-bit mono: stated as four frames, two there.
  Write("host_audio_16.wav", Wav(1, 2, 96000, 16, {0x00, 0x40, 0x00, 0x80, 0xFF, 0x7F, 0x00, 0x00}));
  Write("host_audio_24.wav", Wav(1, 1, 22050, 24, {0x00, 0x00, 0x40, 0xFF, 0xFF, 0xFF}, 12));
  Audio a;
  double rate = 0.;
  std::string error;
  ASSERT_TRUE(ReadWav("host_audio_16.wav", a, rate, error)) << error;
  EXPECT_EQ(rate, 96000.);
  EXPECT_EQ(a, (Audio{{0.5, 32767. / 32768.}, {-1.0, 0.0}}));
  ASSERT_TRUE(ReadWav("host_audio_24.wav", a, rate, error)) << error;
  EXPECT_EQ(rate, 22050.);
  EXPECT_EQ(a, (Audio{{0.5, -1. / 8388608.}}));
  std::remove("host_audio_16.wav");
  std::remove("host_audio_24.wav");
}

TEST(HostAudio, UnusableInputIsRefusedWithOneLineAndNothingChanges)
{
  Write("host_audio_text.wav", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '\n'});
  Write("host_audio_8bit.wav", Wav(1, 2, 44100, 8, {0x80, 0x80}));
  Write("host_audio_double.wav", Wav(3, 1, 44100, 64, std::vector<unsigned char>(8, 0)));
  Write("host_audio_rate0.wav", Wav(1, 1, 0, 16, {0, 0}));
  std::vector<unsigned char> noData = Wav(1, 1, 44100, 16, {});
  noData.resize(36);
  Write("host_audio_nodata.wav", noData);
  const struct
  {
    const char* path;
    const char* expected;
  } cases[] = {
    {"host_audio_missing.wav", "cannot open host_audio_missing.wav: "},
    {".", "cannot "},
    {"host_audio_text.wav", "host_audio_text.wav is not a WAV file"},
    {"host_audio_8bit.wav", "host_audio_8bit.wav: unsupported WAV data (format 1, 8 bits); "},
    {"host_audio_double.wav", "host_audio_double.wav: unsupported WAV data (format 3, 64 bits); "},
    {"host_audio_rate0.wav", "host_audio_rate0.wav: sample rate 0"},
    {"host_audio_nodata.wav", "host_audio_nodata.wav has no audio data"},
  };
  for (const auto& c : cases)
  {
    Audio audio = {{1.0}};
    double rate = 7.;
    std::string error;
    EXPECT_FALSE(ReadWav(c.path, audio, rate, error)) << c.path;
    EXPECT_EQ(error.rfind(c.expected, 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_EQ(audio, (Audio{{1.0}})) << c.path;
    EXPECT_EQ(rate, 7.) << c.path;
  }
  for (const char* p : {"host_audio_text.wav", "host_audio_8bit.wav", "host_audio_double.wav", "host_audio_rate0.wav",
                        "host_audio_nodata.wav"})
    std::remove(p);
}

TEST(HostAudio, TheFileSetsTheRateUnlessOneIsGivenAndTheTailFollowsTheInput)
{
  ASSERT_TRUE(WriteWav("host_audio_in.wav", {{0.5, 0.5, 0.5}}, 48000.));
  InputOptions options;
  options.path = "host_audio_in.wav";
  Audio audio;
  double rate = 0.;
  std::string error;
  ASSERT_TRUE(LoadInput(options, audio, rate, error)) << error;
  EXPECT_EQ(rate, 48000.);
  options.rate = 96000.;
  ASSERT_TRUE(LoadInput(options, audio, rate, error));
  EXPECT_EQ(rate, 96000.);
  options.path.clear();
  options.rate = 0.;
  options.frames = 10;
  ASSERT_TRUE(LoadInput(options, audio, rate, error));
  EXPECT_EQ(rate, 44100.);
  ASSERT_EQ(audio.size(), 2u);
  options.signal = "chirp";
  EXPECT_FALSE(LoadInput(options, audio, rate, error));
  EXPECT_EQ(error, "unknown signal chirp");
  std::remove("host_audio_in.wav");

  // No tail unless asked; then the latency and the seconds asked for, silent.
  Audio input = {{0.25, 0.25}, {0.5, 0.5}};
  AppendTail(options, 4096, 48000., input);
  EXPECT_EQ(input[0].size(), 2u);
  options.tailSeconds = 0.5;
  AppendTail(options, 4096, 48000., input);
  EXPECT_EQ(input[0].size(), 2u + 4096u + 24000u);
  EXPECT_EQ(input[1].size(), input[0].size());
  EXPECT_EQ(input[1][1], 0.5);
  EXPECT_EQ(input[1].back(), 0.);

  double seconds = -1.;
  EXPECT_TRUE(ParseTailSeconds("0", seconds));
  EXPECT_TRUE(ParseTailSeconds("2.5", seconds));
  EXPECT_EQ(seconds, 2.5);
  for (const char* bad : {"", "-1", "abc", "1s", "nan", "inf", "601"})
    EXPECT_FALSE(ParseTailSeconds(bad, seconds)) << bad;
  EXPECT_EQ(seconds, 2.5);
}
