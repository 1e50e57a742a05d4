// The class factory and module bookkeeping behind GetPluginFactory,
// InitDll and ExitDll.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "abi/vst3/Vst3AudioProcessor.h"
#include "abi/vst3/Vst3Component.h"
#include "wrappers/vst3/MurkwispClass.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::string Text(const char* s, size_t n) { return std::string(s, strnlen(s, n)); }

std::u16string Text16(const char16_t* s) { return std::u16string(s); }

} // namespace

TEST(Vst3Factory, DescribesTheMakerAndOneClass)
{
  IPluginFactory* factory = ifx::vst3::GetPluginFactory(vst3test::kMurkwispClass);
  ASSERT_NE(factory, nullptr);
  PFactoryInfo info;
  std::memset(&info, 0x55, sizeof(info));
  ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
  EXPECT_EQ(Text(info.vendor, sizeof(info.vendor)), "Tarnhollow Audio - Korvane");
  EXPECT_EQ(Text(info.email, sizeof(info.email)), "");
  EXPECT_EQ(info.flags, 16);
  // Zero-filled behind the text.
  for (size_t i = std::strlen(info.vendor); i < sizeof(info.vendor); ++i)
    EXPECT_EQ(info.vendor[i], 0);
  EXPECT_EQ(factory->countClasses(), 1);
  factory->release();
}

TEST(Vst3Factory, ClassInformationInAllThreeForms)
{
  IPluginFactory* factory = ifx::vst3::GetPluginFactory(vst3test::kMurkwispClass);
  ASSERT_NE(factory, nullptr);
  void* obj = nullptr;
  ASSERT_EQ(factory->queryInterface(IPluginFactory3::iid, &obj), kResultOk);
  auto* f3 = static_cast<IPluginFactory3*>(obj);

  const unsigned char cid[16] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F,
                                 'K',  'o',  'r',  'v',  'M',  'k',  'w',  'p'};
  PClassInfo c1{};
  ASSERT_EQ(f3->getClassInfo(0, &c1), kResultOk);
  EXPECT_EQ(std::memcmp(c1.cid, cid, 16), 0);
  EXPECT_EQ(c1.cardinality, 0x7FFFFFFF);
  EXPECT_EQ(Text(c1.category, sizeof(c1.category)), "Audio Module Class");
  EXPECT_EQ(Text(c1.name, sizeof(c1.name)), "Murkwisp");

  PClassInfo2 c2{};
  ASSERT_EQ(f3->getClassInfo2(0, &c2), kResultOk);
  EXPECT_EQ(c2.classFlags, 2u);
  EXPECT_EQ(Text(c2.subCategories, sizeof(c2.subCategories)), "Fx");
  EXPECT_EQ(Text(c2.vendor, sizeof(c2.vendor)), "");
  EXPECT_EQ(Text(c2.version, sizeof(c2.version)), "0.9.2");
  EXPECT_EQ(Text(c2.sdkVersion, sizeof(c2.sdkVersion)), "VST 3.8.0");

  PClassInfoW cw{};
  ASSERT_EQ(f3->getClassInfoUnicode(0, &cw), kResultOk);
  EXPECT_EQ(std::memcmp(cw.cid, cid, 16), 0);
  EXPECT_EQ(Text16(cw.name), u"Murkwisp");
  EXPECT_EQ(Text16(cw.version), u"0.9.2");
  EXPECT_EQ(Text16(cw.sdkVersion), u"VST 3.8.0");
  EXPECT_EQ(Text(cw.category, sizeof(cw.category)), "Audio Module Class");

  EXPECT_EQ(f3->getClassInfo(1, &c1), kInvalidArgument);
  EXPECT_EQ(f3->getClassInfo2(-1, &c2), kInvalidArgument);
  f3->release();
  factory->release();
}

TEST(Vst3Factory, RepeatedCallsShareOneFactoryAndItDiesWithItsLastReference)
{
  IPluginFactory* first = ifx::vst3::GetPluginFactory(vst3test::kMurkwispClass);
  IPluginFactory* second = ifx::vst3::GetPluginFactory(vst3test::kMurkwispClass);
  EXPECT_EQ(first, second);
  EXPECT_EQ(second->countClasses(), 1);
  EXPECT_EQ(second->release(), 1u);
  EXPECT_EQ(first->release(), 0u);
  // After the last release a new, live factory comes back.
  IPluginFactory* again = ifx::vst3::GetPluginFactory(vst3test::kMurkwispClass);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->countClasses(), 1);
  PFactoryInfo info{};
  EXPECT_EQ(again->getFactoryInfo(&info), kResultOk);
  EXPECT_EQ(again->release(), 0u);
}

TEST(Vst3Factory, CreatesIndependentInstancesByClassIdOnly)
{
  IPluginFactory* factory = ifx::vst3::GetPluginFactory(vst3test::kMurkwispClass);
  PClassInfo info{};
  factory->getClassInfo(0, &info);

  void* a = nullptr;
  void* b = nullptr;
  ASSERT_EQ(factory->createInstance(info.cid, IComponent::iid, &a), kResultOk);
  ASSERT_EQ(factory->createInstance(info.cid, FUnknown::iid, &b), kResultOk);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  // The host holds the only reference.
  auto* component = static_cast<IComponent*>(a);
  component->addRef();
  EXPECT_EQ(component->release(), 1u);
  EXPECT_EQ(component->release(), 0u);
  static_cast<FUnknown*>(b)->release();

  char otherCid[16];
  std::memcpy(otherCid, info.cid, 16);
  otherCid[15] ^= 1;
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->createInstance(otherCid, IComponent::iid, &none), kNoInterface);
  EXPECT_EQ(none, nullptr);
  const char unknownIid[16] = {1, 2, 3};
  none = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->createInstance(info.cid, unknownIid, &none), kNoInterface);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(factory->createInstance(info.cid, IComponent::iid, nullptr), kInvalidArgument);
  factory->release();
}

TEST(Vst3Module, LoadCounterAndModuleHandle)
{
  int marker = 0;
  ifx::vst3::SetAttachedModuleHandle(&marker);
  const int before = ifx::vst3::LoadCount();
  ASSERT_EQ(before, 0);
  EXPECT_TRUE(ifx::vst3::InitModule());
  EXPECT_EQ(ifx::vst3::GetModuleInstance(), &marker);
  EXPECT_TRUE(ifx::vst3::InitModule());
  EXPECT_EQ(ifx::vst3::LoadCount(), 2);
  EXPECT_TRUE(ifx::vst3::ExitModule());
  EXPECT_TRUE(ifx::vst3::ExitModule());
  EXPECT_FALSE(ifx::vst3::ExitModule());
  EXPECT_TRUE(ifx::vst3::InitModule());
  EXPECT_EQ(ifx::vst3::LoadCount(), 0);
}
