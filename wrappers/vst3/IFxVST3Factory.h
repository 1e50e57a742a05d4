#pragma once
// The module's class factory and load bookkeeping behind the exports
// GetPluginFactory, InitDll/ExitDll (ModuleEntry/ModuleExit natively).
#include <cstdint>

#include "abi/vst3/Vst3PluginBase.h"
#include "base/IPluginConfiguration.h"

namespace ifx {

class IFxVST3;

namespace vst3 {

// The one plug-in class of the module, as the module entry names it: its
// configuration (names, ids and version for the class information) and a
// function that makes a new instance (it may throw).
struct PluginClass
{
  IPluginConfiguration (*makeConfig)();
  IFxVST3* (*create)();
};

// The factory with one reference for the caller: made on the first call (or
// the first after the last release destroyed it) with the class given, else
// the same one with one more reference. Null only when out of memory. The
// class must outlive the factory.
Steinberg::IPluginFactory* GetPluginFactory(const PluginClass& pluginClass);

// The factory's create function; context is the PluginClass. Builds one
// plug-in under the process-wide creation lock and returns its
// IAudioProcessor interface, or null (nothing escapes as an exception).
Steinberg::FUnknown* CreateVST3Instance(void* context);

// Counts loads; the first hands the module handle (kept by the module's
// attach step) to the framework. Always true.
bool InitModule();
// False once more unloads than loads were counted.
bool ExitModule();
int LoadCount();

// The module's own handle (HINSTANCE on Windows, the dlopen handle
// natively), as kept by the attach step, and the framework's copy of it that
// the editor window uses.
void SetAttachedModuleHandle(void* handle);
void* GetModuleInstance();

// The class information the factory registers.
void FillClassInfo(const IPluginConfiguration& config, Steinberg::PClassInfo2& info);
void FillFactoryInfo(const IPluginConfiguration& config, Steinberg::PFactoryInfo& info);

} // namespace vst3
} // namespace ifx
