#pragma once
namespace ifx {

// The CLAP module's own handle (HINSTANCE on Windows), stored by the module
// entry when the system loads the DLL; the editor window needs it. Null
// natively and before the module is attached.
void SetClapModuleInstance(void* instance) noexcept;
void* GetClapModuleInstance() noexcept;

} // namespace ifx
