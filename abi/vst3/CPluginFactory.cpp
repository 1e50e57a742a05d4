#include "abi/vst3/CPluginFactory.h"

#include <cstring>
#include <new>

#include "abi/vst3/Vst3Strings.h"

namespace Steinberg {

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo(info) {}

CPluginFactory::~CPluginFactory() = default;

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateFunc createFunc, void* context)
{
  if (!info || !createFunc)
    return false;
  ClassEntry entry;
  entry.info2 = *info;
  entry.createFunc = createFunc;
  entry.context = context;
  PClassInfoW& w = entry.infoW;
  std::memset(&w, 0, sizeof(w));
  std::memcpy(w.cid, info->cid, sizeof(TUID));
  w.cardinality = info->cardinality;
  std::memcpy(w.category, info->category, sizeof(w.category));
  std::memcpy(w.subCategories, info->subCategories, sizeof(w.subCategories));
  w.classFlags = info->classFlags;
  // The 8-bit fields need not be terminated when they fill their width.
  char text[PClassInfo2::kSubCategoriesSize + 1];
  auto widen = [&text](char16* dst, const char8* src, size_t n) {
    std::memcpy(text, src, n);
    text[n] = 0;
    StrUtf8ToUtf16(dst, text, static_cast<int32>(n));
  };
  widen(w.name, info->name, sizeof(info->name));
  widen(w.vendor, info->vendor, sizeof(info->vendor));
  widen(w.version, info->version, sizeof(info->version));
  widen(w.sdkVersion, info->sdkVersion, sizeof(info->sdkVersion));
  try
  {
    classes.push_back(entry);
  }
  catch (const std::bad_alloc&)
  {
    return false;
  }
  return true;
}

bool CPluginFactory::isClassRegistered(const TUID cid) const
{
  for (const ClassEntry& c : classes)
    if (IidEqual(c.info2.cid, cid))
      return true;
  return false;
}

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID _iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  if (IidEqual(_iid, FUnknown::iid) || IidEqual(_iid, IPluginFactory::iid) || IidEqual(_iid, IPluginFactory2::iid) ||
      IidEqual(_iid, IPluginFactory3::iid))
    return AnswerInterface<IPluginFactory3>(this, obj);
  *obj = nullptr;
  return kNoInterface;
}

uint32 PLUGIN_API CPluginFactory::addRef() { return static_cast<uint32>(refCount.fetch_add(1) + 1); }

uint32 PLUGIN_API CPluginFactory::release()
{
  const int32 count = refCount.fetch_sub(1) - 1;
  if (count == 0)
  {
    delete this;
    return 0;
  }
  return static_cast<uint32>(count);
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info)
{
  if (!info)
    return kInvalidArgument;
  *info = factoryInfo;
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info)
{
  if (!info || index < 0 || index >= countClasses())
    return kInvalidArgument;
  const PClassInfo2& c = classes[static_cast<size_t>(index)].info2;
  std::memcpy(info->cid, c.cid, sizeof(TUID));
  info->cardinality = c.cardinality;
  std::memcpy(info->category, c.category, sizeof(info->category));
  std::memcpy(info->name, c.name, sizeof(info->name));
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info)
{
  if (!info || index < 0 || index >= countClasses())
    return kInvalidArgument;
  *info = classes[static_cast<size_t>(index)].info2;
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info)
{
  if (!info || index < 0 || index >= countClasses())
    return kInvalidArgument;
  *info = classes[static_cast<size_t>(index)].infoW;
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString _iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  *obj = nullptr;
  if (!cid || !_iid)
    return kInvalidArgument;
  for (const ClassEntry& c : classes)
  {
    if (!IidEqual(c.info2.cid, cid))
      continue;
    FUnknown* instance = c.createFunc(c.context);
    if (!instance)
      return kOutOfMemory;
    // The create function's reference goes once the host holds its own.
    const tresult result = instance->queryInterface(_iid, obj);
    instance->release();
    if (result != kResultOk)
    {
      *obj = nullptr;
      return kNoInterface;
    }
    return kResultOk;
  }
  return kNoInterface;
}

} // namespace Steinberg
