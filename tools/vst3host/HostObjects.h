#pragma once
// The host side of the VST3 interfaces our test host hands to a plug-in:
// application, component handler, memory stream, parameter changes, event
// list and attribute list.
#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "abi/vst3/Vst3AudioProcessor.h"
#include "abi/vst3/Vst3EditController.h"
#include "abi/vst3/Vst3HostApplication.h"
#include "abi/vst3/Vst3Message.h"
#include "abi/vst3/Vst3PlugView.h"
#include "abi/vst3/Vst3Stream.h"

namespace vst3host {

using namespace Steinberg;
using namespace Steinberg::Vst;

// Reference counting and FUnknown for one interface.
template <class I>
class HostObject : public I
{
public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
  {
    if (!obj)
      return kInvalidArgument;
    if (IidEqual(iid, FUnknown::iid) || IidEqual(iid, I::iid))
      return AnswerInterface<I>(this, obj);
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() override { return ++refs; }
  uint32 PLUGIN_API release() override
  {
    const uint32 n = --refs;
    if (n == 0)
      delete this;
    return n;
  }
  virtual ~HostObject() = default;

private:
  std::atomic<uint32> refs{1};
};

class HostApplication : public HostObject<IHostApplication>
{
public:
  explicit HostApplication(std::u16string name) : name(std::move(name)) {}
  tresult PLUGIN_API getName(String128 out) override;
  tresult PLUGIN_API createInstance(TUID, TUID, void** obj) override
  {
    if (obj)
      *obj = nullptr;
    return kNotImplemented;
  }

private:
  std::u16string name;
};

class ComponentHandler : public HostObject<IComponentHandler>
{
public:
  tresult PLUGIN_API beginEdit(ParamID id) override;
  tresult PLUGIN_API performEdit(ParamID id, ParamValue value) override;
  tresult PLUGIN_API endEdit(ParamID id) override;
  tresult PLUGIN_API restartComponent(int32 flags) override;
  std::vector<int32> restarts;
  std::vector<std::pair<ParamID, ParamValue>> edits;
};

// The frame around an editor view, as hosts implement it: records every
// resize the plug-in asks for and, when it grants one, gives the view its
// new size inside the call (keeping the view's answers).
class PlugFrame : public HostObject<IPlugFrame>
{
public:
  tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) override
  {
    if (!view || !newSize)
      return kInvalidArgument;
    resizes.push_back(*newSize);
    if (answer != kResultTrue)
      return answer;
    // The host's window takes the size first; then the view hears of it.
    if (resizeWindow && !resizeWindow(newSize->getWidth(), newSize->getHeight()))
      return kResultFalse;
    ViewRect size = *newSize;
    sizeAnswers.push_back(view->onSize(&size));
    return kResultTrue;
  }
  std::vector<ViewRect> resizes;
  std::vector<tresult> sizeAnswers;
  tresult answer = kResultTrue; // anything else: a host that refuses
  // The host's window made width x height; false when it cannot be.
  std::function<bool(int width, int height)> resizeWindow;
};

// The host's display scale for a view (its content scale support); false
// when the view has none or does not answer kResultOk.
bool SetViewContentScale(IPlugView* view, float factor);

class MemoryStream : public HostObject<IBStream>
{
public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<char> bytes) : data(std::move(bytes)) {}
  tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override;
  tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override;
  tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) override;
  tresult PLUGIN_API tell(int64* pos) override;
  std::vector<char> data;
  int64 position = 0;
};

class ParamValueQueue : public HostObject<IParamValueQueue>
{
public:
  explicit ParamValueQueue(ParamID id) : id(id) {}
  ParamID PLUGIN_API getParameterId() override { return id; }
  int32 PLUGIN_API getPointCount() override { return static_cast<int32>(points.size()); }
  tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) override;
  tresult PLUGIN_API addPoint(int32 sampleOffset, ParamValue value, int32& index) override;
  ParamID id;
  std::vector<std::pair<int32, ParamValue>> points;
};

class ParameterChanges : public HostObject<IParameterChanges>
{
public:
  ~ParameterChanges() override { clear(); }
  int32 PLUGIN_API getParameterCount() override { return static_cast<int32>(queues.size()); }
  IParamValueQueue* PLUGIN_API getParameterData(int32 index) override;
  IParamValueQueue* PLUGIN_API addParameterData(const ParamID& id, int32& index) override;
  void clear();
  std::vector<ParamValueQueue*> queues;
};

class EventList : public HostObject<IEventList>
{
public:
  int32 PLUGIN_API getEventCount() override { return static_cast<int32>(events.size()); }
  tresult PLUGIN_API getEvent(int32 index, Event& e) override;
  tresult PLUGIN_API addEvent(Event& e) override;
  std::vector<Event> events;
};

class AttributeList : public HostObject<IAttributeList>
{
public:
  tresult PLUGIN_API setInt(AttrID id, int64 value) override;
  tresult PLUGIN_API getInt(AttrID id, int64& value) override;
  tresult PLUGIN_API setFloat(AttrID, double) override { return kNotImplemented; }
  tresult PLUGIN_API getFloat(AttrID, double&) override { return kResultFalse; }
  tresult PLUGIN_API setString(AttrID id, const TChar* string) override;
  tresult PLUGIN_API getString(AttrID id, TChar* string, uint32 sizeInBytes) override;
  tresult PLUGIN_API setBinary(AttrID, const void*, uint32) override { return kNotImplemented; }
  tresult PLUGIN_API getBinary(AttrID, const void*&, uint32&) override { return kResultFalse; }
  std::map<std::string, int64> ints;
  std::map<std::string, std::u16string> strings;
};

} // namespace vst3host
