#pragma once
// A plug-in-like object on the API base: thirteen parameters shaped like the
// product's, ten preset slots, and every host hook recorded.
#include <string>
#include <vector>

#include "base/IParam.h"
#include "base/IPluginConfiguration.h"
#include "framework/IFxAPIBase.h"

namespace basetest {

using namespace ifx;

enum
{
  kInput = 0,
  kOutput,
  kHaunt,
  kPossess,
  kOctave,
  kInterval,
  kFine,
  kFreeze,
  kSmear,
  kWhisper,
  kWhisperMode,
  kResonance,
  kMix,
  kNumParams
};

inline IPluginConfiguration TestConfig(bool chunks = false)
{
  IPluginConfiguration c;
  c.paramCount = kNumParams;
  c.presetCount = 10;
  c.channelLayoutText = "2-2";
  c.pluginName = "Murkwisp";
  c.productName = "Murkwisp";
  c.makerName = "Tarnhollow Audio - Korvane";
  c.version = 0x902;
  c.uniqueId = FourCharCode("Mkwp");
  c.makerId = FourCharCode("Korv");
  c.savesStateChunks = chunks;
  c.hasEditor = true;
  c.editorWidth = 1200;
  c.editorHeight = 800;
  // Given in the wrong order on purpose: the base sorts each pair.
  c.minWidth = 3600;
  c.maxWidth = 400;
  c.minHeight = 266;
  c.maxHeight = 2400;
  return c;
}

class TestPlugin : public IFxAPIBase
{
public:
  explicit TestPlugin(bool chunks = false) : TestPlugin(TestConfig(chunks)) {}
  explicit TestPlugin(const IPluginConfiguration& config) : IFxAPIBase(config)
  {
    const char* percentNames[] = {"Input", "Output", "Haunt", "Possess"};
    for (int i = 0; i < 4; ++i)
      GetParam(i)->ConfigureDouble(percentNames[i], 50., 0., 100., 1., "%");
    GetParam(kOctave)->ConfigureEnum("Octave", 2, 5, "", 0, "", "-2", "-1", "0", "+1", "+2");
    GetParam(kInterval)->ConfigureEnum("Interval", 0, 12, "", 0, "", "Unison", "Minor 2nd", "Major 2nd",
                                       "Minor 3rd", "Major 3rd", "Perfect 4th", "Tritone", "Perfect 5th",
                                       "Minor 6th", "Major 6th", "Minor 7th", "Major 7th");
    GetParam(kFine)->ConfigureDouble("Fine", 0., -50., 50., 1., "cents");
    GetParam(kFreeze)->ConfigureDouble("Freeze", 0., 0., 100., 1., "%");
    GetParam(kSmear)->ConfigureDouble("Smear", 0., 0., 100., 1., "%");
    GetParam(kWhisper)->ConfigureDouble("Whisper", 0., 0., 100., 1., "%");
    GetParam(kWhisperMode)->ConfigureEnum("Whisper Mode", 0, 2, "", 0, "", "Sizzle", "Fennows");
    GetParam(kResonance)->ConfigureDouble("Resonance", 50., 0., 100., 1., "%");
    GetParam(kMix)->ConfigureDouble("Mix", 100., 0., 100., 1., "%");
  }

  void MakeFactoryPresets()
  {
    MakePreset("Init", 50., 50., 75., 50., 2, 0, 0., 80., 64., 0., 0, 50., 100.);
    MakePreset("Fennow Choir", 55., 52., 78., 91., 3, 0, 0., 84., 60., 59., 0, 73., 78.);
    MakePreset("Banshee Scream", 55., 35., 94., 80., 4, 6, 0., 76., 30., 59., 0, 15., 91.);
    MakePreset("Wailing Spirits", 55., 52., 94., 57., 2, 7, 0., 68., 90., 59., 0, 73., 92.);
  }

  // Host side, as a wrapper would see it.
  struct HostCall
  {
    std::string what;
    int paramIdx;
    double value;
  };
  std::vector<HostCall> host;
  std::vector<int> changedForUI;
  std::vector<int> paramChanges;
  std::vector<IMidiMessage> midiForUI;
  std::vector<ISysExData> sysExForUI;
  int idleCount = 0;
  int presetsModified = 0;
  int hostKnown = 0;
  int preparedForHost = 0;
  bool resizeResult = true;

  void BeginHostParamGesture(int idx) override { host.push_back({"begin", idx, 0.}); }
  void EndHostParamGesture(int idx) override { host.push_back({"end", idx, 0.}); }
  void NotifyHostParamValue(int idx, double v) override { host.push_back({"value", idx, v}); }
  bool ResizeHostEditor(int w, int h) override
  {
    host.push_back({"resize", w, static_cast<double>(h)});
    return resizeResult;
  }
  void OnParamChangedForUI(int idx, EParamChangeSource) override { changedForUI.push_back(idx); }
  void OnParamIndexChanged(int idx) override { paramChanges.push_back(idx); }
  void OnMidiForUI(const IMidiMessage& msg) override { midiForUI.push_back(msg); }
  void OnSysExForUI(const ISysExMessage& msg) override { sysExForUI.emplace_back(msg); }
  void OnIdle() override { ++idleCount; }
  void OnPresetsModified() override { ++presetsModified; }
  void OnHostKnown() override { ++hostKnown; }
  void PrepareForHost() override { ++preparedForHost; }

  using IPluginBase::mCurrentPresetIdx;
};

} // namespace basetest
