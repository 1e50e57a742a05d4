#include "plugin/Murkwisp.h"

#include "base/IPluginConfiguration.h"
#include "plugin/MurkwispPresets.h"
#include "plugin/UpdateChecker.h"
#include "engine/StftEngine.h"

using namespace ifx;

namespace {
constexpr double kMeterThresholdDb = -90.;
constexpr float kMeterWindowMs = 5.f;
constexpr float kMeterAttackMs = 1.f;
constexpr float kMeterDecayMs = 100.f;
constexpr float kMeterHoldMs = 500.f;
} // namespace

IPluginConfiguration Murkwisp::MakeConfig()
{
  IPluginConfiguration config;
  config.paramCount = kParamCount;
  config.presetCount = kNumFactoryPresets;
  config.channelLayoutText = "2-2";
  config.pluginName = "Murkwisp";
  config.productName = "Murkwisp";
  config.makerName = "Tarnhollow Audio - Korvane";
  config.version = 0x902;
  config.uniqueId = FourCharCode("Mkwp");
  config.makerId = FourCharCode("Korv");
  config.latency = 0;  // the engine's 4096 is announced at the first reset
  config.takesMidiIn = false;
  config.sendsMidiOut = false;
  config.processorOption = false;
  config.savesStateChunks = false;
  config.pluginKind = 0;
  config.hasEditor = true;
  config.editorWidth = 1200;
  config.editorHeight = 800;
  config.minWidth = 400;
  config.maxWidth = 3600;
  config.minHeight = 266;
  config.maxHeight = 2400;
  config.hostCanResize = false;
  config.extraText1 = "";
  config.extraText2 = "";
  return config;
}

Murkwisp::Murkwisp(const InstanceInfo& info)
  : IFxPluginApi(info, MakeConfig())
  , inputSender(kMeterThresholdDb, kMeterWindowMs, kMeterAttackMs, kMeterDecayMs, kMeterHoldMs)
  , outputSender(kMeterThresholdDb, kMeterWindowMs, kMeterAttackMs, kMeterDecayMs, kMeterHoldMs)
{
  StartTimer();

  ConfigureMurkwispParams(*this);

  engine = std::make_unique<StftEngine>();
  for (int c = 0; c < kNumChannels; ++c)
  {
    inputRings[c] = std::make_unique<SampleRing>();
    outputRings[c] = std::make_unique<SampleRing>();
  }

  MakeMurkwispPresets(*this);
  // A new instance starts on "Init", not on the parameter defaults.
  RestorePreset(0);

  // Once per process; later instances find it done.
  UpdateChecker::Instance().CheckForUpdates(false);

  makeGraphicsFunc = [this]() { return CreateEditorGraphics(); };
  layoutFunc = [this](igfx::IGfx* gfx) { LayoutEditor(gfx); };
}

Murkwisp::~Murkwisp()
{
  // OnIdle reads the meter senders, which go before the framework base (and
  // its own StopTimer) does: no tick may come after this point.
  StopTimer();
}

void Murkwisp::OnIdle()
{
  inputSender.FlushToUI(*this);
  outputSender.FlushToUI(*this);
}
