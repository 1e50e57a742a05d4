#include "wrappers/clap/ClapModuleInstance.h"

#include <atomic>

namespace ifx {

namespace {
std::atomic<void*> gInstance{nullptr};
}

void SetClapModuleInstance(void* instance) noexcept { gInstance.store(instance); }

void* GetClapModuleInstance() noexcept { return gInstance.load(); }

} // namespace ifx
