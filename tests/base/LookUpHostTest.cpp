#include <gtest/gtest.h>

#include <string>

#include "core/LookUpHost.h"

using namespace ifx;

TEST(LookUpHost, MatchesAnyCaseAnywhereInTheName)
{
  EXPECT_EQ(LookUpHost("Cubase"), kHostCubase);
  EXPECT_EQ(LookUpHost("Steinberg CUBASE Pro 13"), 3);
  EXPECT_EQ(LookUpHost("REAPER"), 1);
  EXPECT_EQ(LookUpHost("Ableton Live 12"), 9);
  EXPECT_EQ(LookUpHost("Bitwig Studio"), 34);
  EXPECT_EQ(LookUpHost("VST3PluginTestHost"), 27);
  EXPECT_EQ(LookUpHost("Blue Cat's VST Host"), 44);
  EXPECT_EQ(LookUpHost("iZotope RX 10"), 42);
  EXPECT_EQ(LookUpHost("Standalone"), 24);
  EXPECT_EQ(LookUpHost("www.example.org"), 35);
}

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
