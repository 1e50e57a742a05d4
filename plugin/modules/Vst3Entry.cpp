// Module entry of Murkwisp.vst3: the exported functions a VST3 host calls,
// the module-attach step that keeps the module's handle, and the one plug-in
// class the factory offers.
#include "abi/vst3/Vst3PluginBase.h"
#include "plugin/Murkwisp.h"
#include "wrappers/vst3/IFxVST3.h"
#include "wrappers/vst3/IFxVST3Factory.h"

namespace {

using Murkwisp = murkwisp::MurkwispPlugin<ifx::IFxVST3>;

ifx::IFxVST3* CreateMurkwisp() { return new Murkwisp(ifx::InstanceInfo()); }

const ifx::vst3::PluginClass kMurkwispClass = {&murkwisp::MakeMurkwispConfig, &CreateMurkwisp};

} // namespace

#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
  if (reason == DLL_PROCESS_ATTACH)
    ifx::vst3::SetAttachedModuleHandle(instance);
  return TRUE;
}

extern "C" __declspec(dllexport) bool InitDll() { return ifx::vst3::InitModule(); }

extern "C" __declspec(dllexport) bool ExitDll() { return ifx::vst3::ExitModule(); }

extern "C" __declspec(dllexport) Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory()
{
  return ifx::vst3::GetPluginFactory(kMurkwispClass);
}

#else
#define MURKWISP_EXPORT extern "C" __attribute__((visibility("default")))

MURKWISP_EXPORT bool ModuleEntry(void* sharedLibraryHandle)
{
  ifx::vst3::SetAttachedModuleHandle(sharedLibraryHandle);
  return ifx::vst3::InitModule();
}

MURKWISP_EXPORT bool ModuleExit() { return ifx::vst3::ExitModule(); }

MURKWISP_EXPORT Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory()
{
  return ifx::vst3::GetPluginFactory(kMurkwispClass);
}
#endif
