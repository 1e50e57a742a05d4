#include <gtest/gtest.h>

#include <string>

#include "base/LookUpHost.h"

using namespace ifx;

TEST(LookUpHost, TableOrderDecidesOverlaps)
{
  // Tested before "wavelab".
  EXPECT_EQ(LookUpHost("WaveLab Elements 12"), kHostWaveLabElements);
  EXPECT_EQ(LookUpHost("WaveLab Pro 12"), kHostWaveLab);
  // "tracktion" comes before "waveform".
  EXPECT_EQ(LookUpHost("Tracktion Waveform"), kHostTracktion);
  EXPECT_EQ(LookUpHost("Waveform 13"), kHostWaveform);
  // "live" is tested early, so names that merely contain it are Live.
  EXPECT_EQ(LookUpHost("Olive Standalone"), kHostAbletonLive);
  // "reaper" is tested before "reason" and "presonus".
  EXPECT_EQ(LookUpHost("Reason 12"), kHostReason);
  EXPECT_EQ(LookUpHost("PreSonus Studio One"), kHostStudioOne);
  // "digital" precedes "standalone"; "cakewalk" precedes "www".
  EXPECT_EQ(LookUpHost("Digital Performer Standalone"), kHostDigitalPerformer);
  EXPECT_EQ(LookUpHost("www.cakewalk.com"), kHostCakewalk);
  // "ardour" precedes "mixbus" only when the name holds both.
  EXPECT_EQ(LookUpHost("Harrison Mixbus"), kHostMixbus);
  EXPECT_EQ(LookUpHost("Mixbus (Ardour based)"), kHostArdour);
}

TEST(LookUpHost, UnknownEmptyAndNullGiveZero)
{
  EXPECT_EQ(LookUpHost("Some Unheard-Of DAW"), kHostUnknown);
  EXPECT_EQ(LookUpHost(""), kHostUnknown);
  EXPECT_EQ(LookUpHost(nullptr), kHostUnknown);
}

TEST(LookUpHost, OnlyTheFirst255CharactersCount)
{
  std::string name(255, 'x');
  EXPECT_EQ(LookUpHost((name + "reaper").c_str()), kHostUnknown);
  EXPECT_EQ(LookUpHost((std::string(249, 'x') + "reaper").c_str()), kHostReaper);
}

namespace {

// The lookup table as the host list gives it, in search order.
struct HostRow
{
  const char* text;
  int id;
};
const HostRow kHostRows[] = {
  {"reaper", 1},         {"protools", 2},     {"cubase", 3},
  {"nuendo", 4},         {"cakewalk", 5},     {"vegas", 6},
  {"fruity", 7},         {"samplitude", 8},   {"live", 9},
  {"tracktion", 10},     {"ntracks", 11},     {"melodyne", 12},
  {"vstmanlib", 13},     {"aulab", 14},       {"forte", 15},
  {"chainer", 16},       {"audition", 17},    {"orion", 18},
  {"bias", 19},          {"sawstudio", 20},   {"logic", 21},
  {"garageband", 22},    {"digital", 23},     {"audiomulch", 25},
  {"presonus", 26},      {"vst3plugintesthost", 27}, {"ardour", 28},
  {"renoise", 29},       {"openmpt", 30},     {"wavelab elements", 32},
  {"wavelab", 31},       {"twistedwave", 33}, {"bitwig studio", 34},
  {"reason", 36},        {"gwvst", 37},       {"waveform", 38},
  {"audacity", 39},      {"acoustica", 40},   {"plugindoctor", 41},
  {"izotope rx", 42},    {"savihost", 43},    {"blue cat's vst host", 44},
  {"mixbus", 45},        {"standalone", 24},  {"www", 35},
};

} // namespace

TEST(LookUpHost, EveryRowAndTheOrderBetweenAnyTwo)
{
  const int n = static_cast<int>(sizeof(kHostRows) / sizeof(kHostRows[0]));
  ASSERT_EQ(n, 45);
  for (int i = 0; i < n; ++i)
  {
    std::string upper = kHostRows[i].text;
    for (char& c : upper)
      c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    EXPECT_EQ(LookUpHost(kHostRows[i].text), kHostRows[i].id) << kHostRows[i].text;
    EXPECT_EQ(LookUpHost(("My " + upper + " 2").c_str()), kHostRows[i].id) << upper;
    // A name holding two texts is the host of the one searched first,
    // whichever comes first in the name.
    for (int j = i + 1; j < n; ++j)
    {
      const std::string both = std::string(kHostRows[j].text) + " / " + kHostRows[i].text;
      EXPECT_EQ(LookUpHost(both.c_str()), kHostRows[i].id) << both;
    }
  }
}
