#pragma once
// Plug-in base, class factory and their information records.
#include <cstddef>

#include "abi/vst3/Vst3Base.h"

namespace Steinberg {

class IPluginBase : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625)
  virtual tresult PLUGIN_API initialize(FUnknown* context) = 0;
  virtual tresult PLUGIN_API terminate() = 0;
  MURKWISP_VST3_INTERFACE(IPluginBase)
};

struct PFactoryInfo
{
  enum FactoryFlags : int32
  {
    kNoFlags = 0,
    kClassesDiscardable = 1,
    kLicenseCheck = 2,
    kComponentNonDiscardable = 8,
    kUnicode = 16,
  };
  enum
  {
    kURLSize = 256,
    kEmailSize = 128,
    kNameSize = 64
  };
  char8 vendor[kNameSize];
  char8 url[kURLSize];
  char8 email[kEmailSize];
  int32 flags;
};

struct PClassInfo
{
  enum ClassCardinality : int32
  {
    kManyInstances = 0x7FFFFFFF
  };
  enum
  {
    kCategorySize = 32,
    kNameSize = 64
  };
  TUID cid;
  int32 cardinality;
  char8 category[kCategorySize];
  char8 name[kNameSize];
};

struct PClassInfo2
{
  enum
  {
    kVendorSize = 64,
    kVersionSize = 64,
    kSubCategoriesSize = 128
  };
  TUID cid;
  int32 cardinality;
  char8 category[PClassInfo::kCategorySize];
  char8 name[PClassInfo::kNameSize];
  uint32 classFlags;
  char8 subCategories[kSubCategoriesSize];
  char8 vendor[kVendorSize];
  char8 version[kVersionSize];
  char8 sdkVersion[kVersionSize];
};

struct PClassInfoW
{
  enum
  {
    kVendorSize = 64,
    kVersionSize = 64,
    kSubCategoriesSize = 128
  };
  TUID cid;
  int32 cardinality;
  char8 category[PClassInfo::kCategorySize];
  char16 name[PClassInfo::kNameSize];
  uint32 classFlags;
  char8 subCategories[kSubCategoriesSize];
  char16 vendor[kVendorSize];
  char16 version[kVersionSize];
  char16 sdkVersion[kVersionSize];
};

static_assert(sizeof(PFactoryInfo) == 452 && alignof(PFactoryInfo) == 4, "PFactoryInfo layout");
static_assert(offsetof(PFactoryInfo, url) == 64 && offsetof(PFactoryInfo, email) == 320 &&
                offsetof(PFactoryInfo, flags) == 448,
              "PFactoryInfo offsets");
static_assert(sizeof(PClassInfo) == 116 && alignof(PClassInfo) == 4, "PClassInfo layout");
static_assert(offsetof(PClassInfo, cardinality) == 16 && offsetof(PClassInfo, category) == 20 &&
                offsetof(PClassInfo, name) == 52,
              "PClassInfo offsets");
static_assert(sizeof(PClassInfo2) == 440 && alignof(PClassInfo2) == 4, "PClassInfo2 layout");
static_assert(offsetof(PClassInfo2, classFlags) == 116 && offsetof(PClassInfo2, subCategories) == 120 &&
                offsetof(PClassInfo2, vendor) == 248 && offsetof(PClassInfo2, version) == 312 &&
                offsetof(PClassInfo2, sdkVersion) == 376,
              "PClassInfo2 offsets");
static_assert(sizeof(PClassInfoW) == 696 && alignof(PClassInfoW) == 4, "PClassInfoW layout");
static_assert(offsetof(PClassInfoW, name) == 52 && offsetof(PClassInfoW, classFlags) == 180 &&
                offsetof(PClassInfoW, subCategories) == 184 && offsetof(PClassInfoW, vendor) == 312 &&
                offsetof(PClassInfoW, version) == 440 && offsetof(PClassInfoW, sdkVersion) == 568,
              "PClassInfoW offsets");

class IPluginFactory : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F)
  virtual tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) = 0;
  virtual int32 PLUGIN_API countClasses() = 0;
  virtual tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) = 0;
  // cid and _iid point at 16-byte ids, not at text.
  virtual tresult PLUGIN_API createInstance(FIDString cid, FIDString _iid, void** obj) = 0;
  MURKWISP_VST3_INTERFACE(IPluginFactory)
};

class IPluginFactory2 : public IPluginFactory
{
public:
  MURKWISP_VST3_IID(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB)
  virtual tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) = 0;
  MURKWISP_VST3_INTERFACE(IPluginFactory2)
};

class IPluginFactory3 : public IPluginFactory2
{
public:
  MURKWISP_VST3_IID(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931)
  virtual tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
  virtual tresult PLUGIN_API setHostContext(FUnknown* context) = 0;
  MURKWISP_VST3_INTERFACE(IPluginFactory3)
};

using GetFactoryProc = IPluginFactory*(PLUGIN_API*)();

} // namespace Steinberg
