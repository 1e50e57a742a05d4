#pragma once
// The class factory a module hands to hosts: factory information, a list
// of registered classes with their create functions, and createInstance.
#include <atomic>
#include <vector>

#include "abi/vst3/Vst3PluginBase.h"

namespace Steinberg {

class CPluginFactory : public IPluginFactory3
{
public:
  // Makes an instance of a registered class and returns one of its
  // interfaces with one reference, or null.
  using CreateFunc = FUnknown* (*)(void* context);

  explicit CPluginFactory(const PFactoryInfo& info);
  virtual ~CPluginFactory();
  CPluginFactory(const CPluginFactory&) = delete;
  CPluginFactory& operator=(const CPluginFactory&) = delete;

  bool registerClass(const PClassInfo2* info, CreateFunc createFunc, void* context = nullptr);
  bool isClassRegistered(const TUID cid) const;

  tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
  uint32 PLUGIN_API addRef() override;
  uint32 PLUGIN_API release() override;

  tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override;
  int32 PLUGIN_API countClasses() override { return static_cast<int32>(classes.size()); }
  tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) override;
  tresult PLUGIN_API createInstance(FIDString cid, FIDString _iid, void** obj) override;
  tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) override;
  tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) override;
  tresult PLUGIN_API setHostContext(FUnknown* context) override { return kNotImplemented; }

private:
  struct ClassEntry
  {
    PClassInfo2 info2;
    PClassInfoW infoW;
    CreateFunc createFunc;
    void* context;
  };
  std::atomic<int32> refCount{1};
  PFactoryInfo factoryInfo;
  std::vector<ClassEntry> classes;
};

} // namespace Steinberg
