#pragma once
// The module's class factory and load bookkeeping behind the exports
// GetPluginFactory, InitDll/ExitDll (ModuleEntry/ModuleExit natively).
#include <cstdint>

#include "abi/vst3/Vst3PluginBase.h"

namespace ifx {
namespace vst3 {

// The factory with one reference for the caller: made on the first call (or
// the first after the last release destroyed it), else the same one with one
// more reference. Null only when out of memory.
Steinberg::IPluginFactory* GetPluginFactory();

// Builds one plug-in under the process-wide creation lock and returns its
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
void FillClassInfo(Steinberg::PClassInfo2& info);
void FillFactoryInfo(Steinberg::PFactoryInfo& info);

} // namespace vst3
} // namespace ifx
