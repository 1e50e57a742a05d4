#include "plugin/MurkwispConfig.h"

#include "plugin/MurkwispParams.h"
#include "plugin/MurkwispPresets.h"

namespace murkwisp {

#if !defined(MURKWISP_VERSION_MAJOR) || !defined(MURKWISP_VERSION_MINOR) || !defined(MURKWISP_VERSION_PATCH)
#error "the build gives the project's version (cmake/Layers.cmake)"
#endif

using namespace ifx;

IPluginConfiguration MakeMurkwispConfig()
{
  IPluginConfiguration config;
  config.paramCount = kParamCount;
  config.presetCount = kNumFactoryPresets;
  config.channelLayoutText = "2-2";
  config.pluginName = "Murkwisp";
  config.productName = "Murkwisp";
  config.makerName = "Tarnhollow Audio - Korvane";
  config.version = MURKWISP_VERSION_MAJOR << 16 | MURKWISP_VERSION_MINOR << 8 | MURKWISP_VERSION_PATCH;
  config.uniqueId = FourCharCode("Mkwp");
  config.makerId = FourCharCode("Korv");
  config.latency = 0; // the engine's 4096 is announced at the first reset
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

const char* MurkwispVersionText()
{
  static const VersionText text(MakeMurkwispConfig().version);
  return text.text;
}

} // namespace murkwisp
