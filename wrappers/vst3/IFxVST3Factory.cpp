#include "wrappers/vst3/IFxVST3Factory.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <new>

#include "abi/vst3/CPluginFactory.h"
#include "abi/vst3/FLock.h"
#include "abi/vst3/Vst3Strings.h"
#include "abi/vst3/Vst3Types.h"
#include "base/IPluginConfiguration.h"
#include "wrappers/vst3/IFxVST3.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ifx {
namespace vst3 {

namespace {

// Fixed bytes, then the maker code and the plug-in code in reading order.
constexpr unsigned char kClassIdPrefix[8] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F};
constexpr const char* kMakerUrl = "https://tarnhollow-audio.example";

std::atomic<int> gLoadCount{0};
std::atomic<void*> gAttachedModule{nullptr};
std::atomic<void*> gModuleInstance{nullptr};

FLock& FactoryLock()
{
  static FLock lock;
  return lock;
}

// The factory clears the singleton when its last reference goes, so the
// next GetPluginFactory makes a fresh one instead of handing out a dead one.
// Releases count down under the factory lock: a GetPluginFactory on another
// thread can then never add a reference to a factory already being deleted.
class ModuleFactory final : public CPluginFactory
{
public:
  using CPluginFactory::CPluginFactory;
  ~ModuleFactory() override;
  uint32 PLUGIN_API release() override
  {
    FGuard guard(FactoryLock());
    return CPluginFactory::release();
  }
};

ModuleFactory* gFactory = nullptr;

ModuleFactory::~ModuleFactory()
{
  FGuard guard(FactoryLock());
  if (gFactory == this)
    gFactory = nullptr;
}

// Construction touches process-wide state (timers, caches, the version
// check): one at a time.
std::mutex& CreateLock()
{
  static std::mutex lock;
  return lock;
}

void PutFourCC(char* dst, int32_t code)
{
  const auto u = static_cast<uint32_t>(code);
  dst[0] = static_cast<char>(u >> 24);
  dst[1] = static_cast<char>(u >> 16);
  dst[2] = static_cast<char>(u >> 8);
  dst[3] = static_cast<char>(u);
}

} // namespace

void FillFactoryInfo(const IPluginConfiguration& config, PFactoryInfo& info)
{
  StrCopy8(info.vendor, config.makerName, PFactoryInfo::kNameSize);
  StrCopy8(info.url, kMakerUrl, PFactoryInfo::kURLSize);
  StrCopy8(info.email, "", PFactoryInfo::kEmailSize);
  info.flags = PFactoryInfo::kUnicode;
}

void FillClassInfo(const IPluginConfiguration& config, PClassInfo2& info)
{
  std::memcpy(info.cid, kClassIdPrefix, sizeof(kClassIdPrefix));
  PutFourCC(info.cid + 8, config.makerId);
  PutFourCC(info.cid + 12, config.uniqueId);
  info.cardinality = PClassInfo::kManyInstances;
  StrCopy8(info.category, kVstAudioEffectClass, PClassInfo::kCategorySize);
  StrCopy8(info.name, config.pluginName, PClassInfo::kNameSize);
  info.classFlags = kSimpleModeSupported;
  StrCopy8(info.subCategories, "Fx", PClassInfo2::kSubCategoriesSize);
  StrCopy8(info.vendor, "", PClassInfo2::kVendorSize);
  StrCopy8(info.version, VersionText(config.version).text, PClassInfo2::kVersionSize);
  StrCopy8(info.sdkVersion, kVstVersionString, PClassInfo2::kVersionSize);
}

FUnknown* CreateVST3Instance(void* context)
{
  const auto* pluginClass = static_cast<const PluginClass*>(context);
  if (!pluginClass || !pluginClass->create)
    return nullptr;
  try
  {
    std::lock_guard<std::mutex> guard(CreateLock());
    // A throwing constructor frees the allocation on its way out.
    IFxVST3* plug = pluginClass->create();
    return plug ? static_cast<IAudioProcessor*>(plug) : nullptr;
  }
  catch (...)
  {
    return nullptr;
  }
}

IPluginFactory* GetPluginFactory(const PluginClass& pluginClass)
{
  FGuard guard(FactoryLock());
  if (gFactory)
  {
    gFactory->addRef();
    return gFactory;
  }
  try
  {
    const IPluginConfiguration config = pluginClass.makeConfig();
    PFactoryInfo factoryInfo = {};
    FillFactoryInfo(config, factoryInfo);
    PClassInfo2 classInfo = {};
    FillClassInfo(config, classInfo);
    auto* factory = new ModuleFactory(factoryInfo);
    factory->registerClass(&classInfo, CreateVST3Instance, const_cast<PluginClass*>(&pluginClass));
    gFactory = factory;
  }
  catch (...)
  {
    return nullptr;
  }
  return gFactory;
}

bool InitModule()
{
  if (gLoadCount.fetch_add(1) == 0)
    gModuleInstance.store(gAttachedModule.load());
  return true;
}

bool ExitModule() { return gLoadCount.fetch_sub(1) - 1 >= 0; }

int LoadCount() { return gLoadCount.load(); }

void SetAttachedModuleHandle(void* handle) { gAttachedModule.store(handle); }

void* GetModuleInstance() { return gModuleInstance.load(); }

} // namespace vst3
} // namespace ifx
