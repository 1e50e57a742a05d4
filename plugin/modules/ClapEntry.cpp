// Module entry of Murkwisp.clap: the clap_entry and clap_factory exports, the
// plug-in descriptor and the process-wide creation lock.
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "abi/clap/Clap.h"
#include "plugin/Murkwisp.h"
#include "wrappers/clap/ClapDescriptor.h"
#include "wrappers/clap/ClapModuleInstance.h"
#include "wrappers/clap/IFxCLAP.h"

namespace {

using Murkwisp = murkwisp::MurkwispPlugin<ifx::IFxCLAP>;

const char* const kFeatures[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_STEREO, nullptr};

// What CLAP asks for beyond the plug-in's configuration.
ifx::ClapDescriptorExtras DescriptorExtras()
{
  ifx::ClapDescriptorExtras extras;
  extras.id = "com.Tarnhollow - Korvane.Murkwisp";
  extras.url = "https://tarnhollow-audio.example";
  extras.manualUrl = "https://tarnhollow-audio.example/murkwisp/manual";
  extras.supportUrl = "https://tarnhollow-audio.example/support";
  extras.description =
    "Haunted spectral audio effect with FFT-based pitch shifting, fennowly resonance, and whisper effects";
  extras.features = kFeatures;
  return extras;
}

// init and deinit may come several times (CLAP 1.2); only the first init and
// the matching last deinit do the work, and both are counted under a lock.
std::mutex gEntryMutex;
int gInitCount = 0;
std::unique_ptr<ifx::ClapDescriptor> gPluginDescriptor;

// Two host threads never construct plug-ins at the same time.
std::mutex gCreateMutex;

bool CLAP_ABI ClapEntryInit(const char* pluginPath)
{
  if (!pluginPath)
    return false;
  try
  {
    std::lock_guard<std::mutex> lock(gEntryMutex);
    if (gInitCount > 0)
    {
      ++gInitCount;
      return true;
    }
    auto desc = std::make_unique<ifx::ClapDescriptor>(murkwisp::MakeMurkwispConfig(), DescriptorExtras());
    gPluginDescriptor = std::move(desc);
    gInitCount = 1;
    return true;
  }
  catch (...)
  {
    return false;
  }
}

void CLAP_ABI ClapEntryDeinit(void)
{
  try
  {
    std::lock_guard<std::mutex> lock(gEntryMutex);
    if (gInitCount == 0)
      return;
    if (--gInitCount > 0)
      return;
    gPluginDescriptor.reset();
  }
  catch (...)
  {
  }
}

const clap_plugin_descriptor_t* CurrentDescriptor()
{
  std::lock_guard<std::mutex> lock(gEntryMutex);
  return gPluginDescriptor ? gPluginDescriptor->Get() : nullptr;
}

uint32_t CLAP_ABI ClapFactoryGetPluginCount(const clap_plugin_factory_t*) { return 1; }

const clap_plugin_descriptor_t* CLAP_ABI ClapFactoryGetPluginDescriptor(const clap_plugin_factory_t*, uint32_t index)
{
  try
  {
    return index == 0 ? CurrentDescriptor() : nullptr;
  }
  catch (...)
  {
    return nullptr;
  }
}

const clap_plugin_t* CLAP_ABI ClapFactoryCreatePlugin(const clap_plugin_factory_t*, const clap_host_t* host,
                                                      const char* pluginId)
{
  if (!host || !pluginId)
    return nullptr;
  try
  {
    // Before init or after the last deinit there is no descriptor to hand out.
    const clap_plugin_descriptor_t* desc = CurrentDescriptor();
    if (!desc || std::strcmp(pluginId, desc->id) != 0)
      return nullptr;
    const ifx::InstanceInfo args{desc, host};
    std::lock_guard<std::mutex> lock(gCreateMutex);
    Murkwisp* plugin = new Murkwisp(args);
    return plugin->ClapPlugin();
  }
  catch (...)
  {
    return nullptr;
  }
}

const void* CLAP_ABI ClapEntryGetFactory(const char* factoryId);

} // namespace

extern "C" {

CLAP_EXPORT extern const clap_plugin_factory_t clap_factory;
const clap_plugin_factory_t clap_factory = {ClapFactoryGetPluginCount, ClapFactoryGetPluginDescriptor,
                                            ClapFactoryCreatePlugin};

CLAP_EXPORT extern const clap_plugin_entry_t clap_entry;
const clap_plugin_entry_t clap_entry = {CLAP_VERSION_INIT, ClapEntryInit, ClapEntryDeinit, ClapEntryGetFactory};

} // extern "C"

namespace {

const void* CLAP_ABI ClapEntryGetFactory(const char* factoryId)
{
  if (factoryId && std::strcmp(factoryId, CLAP_PLUGIN_FACTORY_ID) == 0)
    return &clap_factory;
  return nullptr;
}

} // namespace

#if defined(_WIN32)
// Keeps the instance handle on every call, whatever the reason, for the
// editor window.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
  ifx::SetClapModuleInstance(instance);
  return TRUE;
}
#endif
