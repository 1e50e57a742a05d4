// Our VST3 declarations against the published binary interface: interface
// ids byte for byte, result codes, and the vtable slot of every method.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "abi/vst3/FUID.h"
#include "abi/vst3/Vst3AudioProcessor.h"
#include "abi/vst3/Vst3ChannelContext.h"
#include "abi/vst3/Vst3Component.h"
#include "abi/vst3/Vst3ContextMenu.h"
#include "abi/vst3/Vst3EditController.h"
#include "abi/vst3/Vst3HostApplication.h"
#include "abi/vst3/Vst3Message.h"
#include "abi/vst3/Vst3PlugView.h"
#include "abi/vst3/Vst3PluginBase.h"
#include "abi/vst3/Vst3Stream.h"
#include "abi/vst3/Vst3Units.h"
#include "wrappers/vst3/Vst3IidTable.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::string Hex(const char* bytes)
{
  std::string out;
  char buf[4];
  for (int i = 0; i < 16; ++i)
  {
    std::snprintf(buf, sizeof(buf), i ? " %02X" : "%02X", static_cast<unsigned char>(bytes[i]));
    out += buf;
  }
  return out;
}

const IidRow* Row(const char* name)
{
  for (const IidRow& r : kIidTable)
    if (std::strcmp(r.name, name) == 0)
      return &r;
  return nullptr;
}

const char* PlatformColumn(const IidRow& r) { return MURKWISP_VST3_COM_COMPATIBLE ? r.windowsBytes : r.plainBytes; }

} // namespace

TEST(Vst3Iid, EncodingRuleMatchesEveryPublishedRow)
{
  for (const IidRow& r : kIidTable)
  {
    const FUID uid(r.l1, r.l2, r.l3, r.l4);
    const std::string bytes = Hex(uid.toTUID());
    std::printf("%-52s %s\n", r.name, bytes.c_str());
    EXPECT_EQ(bytes, PlatformColumn(r)) << r.name;
  }
}

#define EXPECT_IID(Type)                                      \
  do                                                          \
  {                                                           \
    const IidRow* row = Row(#Type);                           \
    ASSERT_NE(row, nullptr) << #Type;                         \
    EXPECT_EQ(Hex(Type::iid), PlatformColumn(*row)) << #Type; \
  } while (0)

TEST(Vst3Iid, DeclaredInterfacesCarryThePublishedIds)
{
  EXPECT_IID(Steinberg::FUnknown);
  EXPECT_IID(Steinberg::IPluginBase);
  EXPECT_IID(Steinberg::IPluginFactory);
  EXPECT_IID(Steinberg::IPluginFactory2);
  EXPECT_IID(Steinberg::IPluginFactory3);
  EXPECT_IID(Steinberg::IBStream);
  EXPECT_IID(Steinberg::ISizeableStream);
  EXPECT_IID(Steinberg::IPlugView);
  EXPECT_IID(Steinberg::IPlugFrame);
  EXPECT_IID(Steinberg::IPlugViewContentScaleSupport);
  EXPECT_IID(Steinberg::Vst::IComponent);
  EXPECT_IID(Steinberg::Vst::IAudioProcessor);
  EXPECT_IID(Steinberg::Vst::IProcessContextRequirements);
  EXPECT_IID(Steinberg::Vst::IEditController);
  EXPECT_IID(Steinberg::Vst::IEditController2);
  EXPECT_IID(Steinberg::Vst::IMidiMapping);
  EXPECT_IID(Steinberg::Vst::IUnitInfo);
  EXPECT_IID(Steinberg::Vst::IConnectionPoint);
  EXPECT_IID(Steinberg::Vst::IMessage);
  EXPECT_IID(Steinberg::Vst::IAttributeList);
  EXPECT_IID(Steinberg::Vst::IStreamAttributes);
  EXPECT_IID(Steinberg::Vst::ChannelContext::IInfoListener);
  EXPECT_IID(Steinberg::Vst::IContextMenuTarget);
  EXPECT_IID(Steinberg::Vst::IContextMenu);
  EXPECT_IID(Steinberg::Vst::IComponentHandler);
  EXPECT_IID(Steinberg::Vst::IComponentHandler2);
  EXPECT_IID(Steinberg::Vst::IComponentHandler3);
  EXPECT_IID(Steinberg::Vst::IEventList);
  EXPECT_IID(Steinberg::Vst::IHostApplication);
  EXPECT_IID(Steinberg::Vst::IPlugInterfaceSupport);
  EXPECT_IID(Steinberg::Vst::IParamValueQueue);
  EXPECT_IID(Steinberg::Vst::IParameterChanges);
}

TEST(Vst3Abi, ResultCodesFollowThePlatform)
{
#if defined(_WIN32)
  EXPECT_EQ(static_cast<uint32>(kNoInterface), 0x80004002u);
  EXPECT_EQ(static_cast<uint32>(kNotImplemented), 0x80004001u);
  EXPECT_EQ(static_cast<uint32>(kInvalidArgument), 0x80070057u);
  EXPECT_EQ(static_cast<uint32>(kInternalError), 0x80004005u);
#else
  EXPECT_EQ(kNoInterface, -1);
  EXPECT_EQ(kNotImplemented, 3);
  EXPECT_EQ(kInvalidArgument, 2);
  EXPECT_EQ(kInternalError, 4);
#endif
  EXPECT_EQ(kResultOk, 0);
  EXPECT_EQ(kResultTrue, 0);
  EXPECT_EQ(kResultFalse, 1);
}

// A pointer to a virtual member function holds 1 + the byte offset of its
// vtable slot (Itanium ABI, which both GCC and MinGW use).
template <class F>
int Slot(F pmf)
{
  static_assert(sizeof(F) == 2 * sizeof(void*), "virtual member pointer representation");
  uintptr_t word = 0;
  std::memcpy(&word, &pmf, sizeof(word));
  return static_cast<int>((word - 1) / sizeof(void*));
}

#define EXPECT_SLOT(Type, method, n) EXPECT_EQ(Slot(&Type::method), n) << #Type "::" #method

TEST(Vst3Abi, EveryMethodSitsInItsPublishedSlot)
{
  EXPECT_SLOT(FUnknown, queryInterface, 0);
  EXPECT_SLOT(FUnknown, addRef, 1);
  EXPECT_SLOT(FUnknown, release, 2);
  EXPECT_SLOT(IPluginBase, initialize, 3);
  EXPECT_SLOT(IPluginBase, terminate, 4);
  EXPECT_SLOT(IPluginFactory3, getFactoryInfo, 3);
  EXPECT_SLOT(IPluginFactory3, countClasses, 4);
  EXPECT_SLOT(IPluginFactory3, getClassInfo, 5);
  EXPECT_SLOT(IPluginFactory3, createInstance, 6);
  EXPECT_SLOT(IPluginFactory3, getClassInfo2, 7);
  EXPECT_SLOT(IPluginFactory3, getClassInfoUnicode, 8);
  EXPECT_SLOT(IPluginFactory3, setHostContext, 9);
  EXPECT_SLOT(IComponent, getControllerClassId, 5);
  EXPECT_SLOT(IComponent, setIoMode, 6);
  EXPECT_SLOT(IComponent, getBusCount, 7);
  EXPECT_SLOT(IComponent, getBusInfo, 8);
  EXPECT_SLOT(IComponent, getRoutingInfo, 9);
  EXPECT_SLOT(IComponent, activateBus, 10);
  EXPECT_SLOT(IComponent, setActive, 11);
  EXPECT_SLOT(IComponent, setState, 12);
  EXPECT_SLOT(IComponent, getState, 13);
  EXPECT_SLOT(IAudioProcessor, setBusArrangements, 3);
  EXPECT_SLOT(IAudioProcessor, getBusArrangement, 4);
  EXPECT_SLOT(IAudioProcessor, canProcessSampleSize, 5);
  EXPECT_SLOT(IAudioProcessor, getLatencySamples, 6);
  EXPECT_SLOT(IAudioProcessor, setupProcessing, 7);
  EXPECT_SLOT(IAudioProcessor, setProcessing, 8);
  EXPECT_SLOT(IAudioProcessor, process, 9);
  EXPECT_SLOT(IAudioProcessor, getTailSamples, 10);
  EXPECT_SLOT(IProcessContextRequirements, getProcessContextRequirements, 3);
  EXPECT_SLOT(IEditController, setComponentState, 5);
  EXPECT_SLOT(IEditController, setState, 6);
  EXPECT_SLOT(IEditController, getState, 7);
  EXPECT_SLOT(IEditController, getParameterCount, 8);
  EXPECT_SLOT(IEditController, getParameterInfo, 9);
  EXPECT_SLOT(IEditController, getParamStringByValue, 10);
  EXPECT_SLOT(IEditController, getParamValueByString, 11);
  EXPECT_SLOT(IEditController, normalizedParamToPlain, 12);
  EXPECT_SLOT(IEditController, plainParamToNormalized, 13);
  EXPECT_SLOT(IEditController, getParamNormalized, 14);
  EXPECT_SLOT(IEditController, setParamNormalized, 15);
  EXPECT_SLOT(IEditController, setComponentHandler, 16);
  EXPECT_SLOT(IEditController, createView, 17);
  EXPECT_SLOT(IEditController2, setKnobMode, 3);
  EXPECT_SLOT(IEditController2, openHelp, 4);
  EXPECT_SLOT(IEditController2, openAboutBox, 5);
  EXPECT_SLOT(IMidiMapping, getMidiControllerAssignment, 3);
  EXPECT_SLOT(IUnitInfo, getUnitCount, 3);
  EXPECT_SLOT(IUnitInfo, getUnitInfo, 4);
  EXPECT_SLOT(IUnitInfo, getProgramListCount, 5);
  EXPECT_SLOT(IUnitInfo, getProgramListInfo, 6);
  EXPECT_SLOT(IUnitInfo, getProgramName, 7);
  EXPECT_SLOT(IUnitInfo, getProgramInfo, 8);
  EXPECT_SLOT(IUnitInfo, hasProgramPitchNames, 9);
  EXPECT_SLOT(IUnitInfo, getProgramPitchName, 10);
  EXPECT_SLOT(IUnitInfo, getSelectedUnit, 11);
  EXPECT_SLOT(IUnitInfo, selectUnit, 12);
  EXPECT_SLOT(IUnitInfo, getUnitByBus, 13);
  EXPECT_SLOT(IUnitInfo, setUnitProgramData, 14);
  EXPECT_SLOT(IConnectionPoint, connect, 3);
  EXPECT_SLOT(IConnectionPoint, disconnect, 4);
  EXPECT_SLOT(IConnectionPoint, notify, 5);
  EXPECT_SLOT(IMessage, getMessageID, 3);
  EXPECT_SLOT(IMessage, setMessageID, 4);
  EXPECT_SLOT(IMessage, getAttributes, 5);
  EXPECT_SLOT(IAttributeList, setInt, 3);
  EXPECT_SLOT(IAttributeList, getInt, 4);
  EXPECT_SLOT(IAttributeList, setFloat, 5);
  EXPECT_SLOT(IAttributeList, getFloat, 6);
  EXPECT_SLOT(IAttributeList, setString, 7);
  EXPECT_SLOT(IAttributeList, getString, 8);
  EXPECT_SLOT(IAttributeList, setBinary, 9);
  EXPECT_SLOT(IAttributeList, getBinary, 10);
  EXPECT_SLOT(IStreamAttributes, getFileName, 3);
  EXPECT_SLOT(IStreamAttributes, getAttributes, 4);
  EXPECT_SLOT(IBStream, read, 3);
  EXPECT_SLOT(IBStream, write, 4);
  EXPECT_SLOT(IBStream, seek, 5);
  EXPECT_SLOT(IBStream, tell, 6);
  EXPECT_SLOT(ISizeableStream, getStreamSize, 3);
  EXPECT_SLOT(ISizeableStream, setStreamSize, 4);
  EXPECT_SLOT(IParamValueQueue, getParameterId, 3);
  EXPECT_SLOT(IParamValueQueue, getPointCount, 4);
  EXPECT_SLOT(IParamValueQueue, getPoint, 5);
  EXPECT_SLOT(IParamValueQueue, addPoint, 6);
  EXPECT_SLOT(IParameterChanges, getParameterCount, 3);
  EXPECT_SLOT(IParameterChanges, getParameterData, 4);
  EXPECT_SLOT(IParameterChanges, addParameterData, 5);
  EXPECT_SLOT(IEventList, getEventCount, 3);
  EXPECT_SLOT(IEventList, getEvent, 4);
  EXPECT_SLOT(IEventList, addEvent, 5);
  EXPECT_SLOT(IComponentHandler, beginEdit, 3);
  EXPECT_SLOT(IComponentHandler, performEdit, 4);
  EXPECT_SLOT(IComponentHandler, endEdit, 5);
  EXPECT_SLOT(IComponentHandler, restartComponent, 6);
  EXPECT_SLOT(IComponentHandler2, setDirty, 3);
  EXPECT_SLOT(IComponentHandler2, requestOpenEditor, 4);
  EXPECT_SLOT(IComponentHandler2, startGroupEdit, 5);
  EXPECT_SLOT(IComponentHandler2, finishGroupEdit, 6);
  EXPECT_SLOT(IComponentHandler3, createContextMenu, 3);
  EXPECT_SLOT(IHostApplication, getName, 3);
  EXPECT_SLOT(IHostApplication, createInstance, 4);
  EXPECT_SLOT(IPlugInterfaceSupport, isPlugInterfaceSupported, 3);
  EXPECT_SLOT(IContextMenuTarget, executeMenuItem, 3);
  EXPECT_SLOT(IContextMenu, getItemCount, 3);
  EXPECT_SLOT(IContextMenu, getItem, 4);
  EXPECT_SLOT(IContextMenu, addItem, 5);
  EXPECT_SLOT(IContextMenu, removeItem, 6);
  EXPECT_SLOT(IContextMenu, popup, 7);
  EXPECT_SLOT(ChannelContext::IInfoListener, setChannelContextInfos, 3);
  EXPECT_SLOT(IPlugView, isPlatformTypeSupported, 3);
  EXPECT_SLOT(IPlugView, attached, 4);
  EXPECT_SLOT(IPlugView, removed, 5);
  EXPECT_SLOT(IPlugView, onWheel, 6);
  EXPECT_SLOT(IPlugView, onKeyDown, 7);
  EXPECT_SLOT(IPlugView, onKeyUp, 8);
  EXPECT_SLOT(IPlugView, getSize, 9);
  EXPECT_SLOT(IPlugView, onSize, 10);
  EXPECT_SLOT(IPlugView, onFocus, 11);
  EXPECT_SLOT(IPlugView, setFrame, 12);
  EXPECT_SLOT(IPlugView, canResize, 13);
  EXPECT_SLOT(IPlugView, checkSizeConstraint, 14);
  EXPECT_SLOT(IPlugFrame, resizeView, 3);
  EXPECT_SLOT(IPlugViewContentScaleSupport, setContentScaleFactor, 3);
}
