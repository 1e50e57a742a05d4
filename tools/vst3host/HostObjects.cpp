#include "vst3host/HostObjects.h"

#include <cstring>

#include "abi/vst3/Vst3Strings.h"

namespace vst3host {

tresult PLUGIN_API HostApplication::getName(String128 out)
{
  if (!out)
    return kInvalidArgument;
  StrCopy16(out, name.c_str(), 128);
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::beginEdit(ParamID) { return kResultOk; }

tresult PLUGIN_API ComponentHandler::performEdit(ParamID id, ParamValue value)
{
  edits.emplace_back(id, value);
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::endEdit(ParamID) { return kResultOk; }

tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags)
{
  restarts.push_back(flags);
  return kResultOk;
}

bool SetViewContentScale(IPlugView* view, float factor)
{
  IPlugViewContentScaleSupport* scale = nullptr;
  if (!view || view->queryInterface(IPlugViewContentScaleSupport::iid, reinterpret_cast<void**>(&scale)) != kResultOk)
    return false;
  const tresult answer = scale->setContentScaleFactor(factor);
  scale->release();
  return answer == kResultOk;
}

tresult PLUGIN_API MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead)
{
  if (numBytesRead)
    *numBytesRead = 0;
  if (!buffer || numBytes < 0)
    return kInvalidArgument;
  const int64 size = static_cast<int64>(data.size());
  int64 n = size - position;
  if (n > numBytes)
    n = numBytes;
  if (n < 0)
    n = 0;
  if (n > 0)
    std::memcpy(buffer, data.data() + position, static_cast<size_t>(n));
  position += n;
  if (numBytesRead)
    *numBytesRead = static_cast<int32>(n);
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten)
{
  if (numBytesWritten)
    *numBytesWritten = 0;
  if (!buffer || numBytes < 0)
    return kInvalidArgument;
  const size_t end = static_cast<size_t>(position) + static_cast<size_t>(numBytes);
  if (data.size() < end)
    data.resize(end);
  std::memcpy(data.data() + position, buffer, static_cast<size_t>(numBytes));
  position = static_cast<int64>(end);
  if (numBytesWritten)
    *numBytesWritten = numBytes;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::seek(int64 pos, int32 mode, int64* result)
{
  int64 base = mode == kIBSeekSet ? 0 : (mode == kIBSeekCur ? position : static_cast<int64>(data.size()));
  if (mode < kIBSeekSet || mode > kIBSeekEnd || base + pos < 0)
    return kInvalidArgument;
  position = base + pos;
  if (result)
    *result = position;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::tell(int64* pos)
{
  if (!pos)
    return kInvalidArgument;
  *pos = position;
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value)
{
  if (index < 0 || index >= getPointCount())
    return kResultFalse;
  sampleOffset = points[static_cast<size_t>(index)].first;
  value = points[static_cast<size_t>(index)].second;
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index)
{
  points.emplace_back(sampleOffset, value);
  index = getPointCount() - 1;
  return kResultOk;
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
  return index >= 0 && index < getParameterCount() ? queues[static_cast<size_t>(index)] : nullptr;
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index)
{
  for (size_t i = 0; i < queues.size(); ++i)
    if (queues[i]->id == id)
    {
      index = static_cast<int32>(i);
      return queues[i];
    }
  queues.push_back(new ParamValueQueue(id));
  index = getParameterCount() - 1;
  return queues.back();
}

void ParameterChanges::clear()
{
  for (ParamValueQueue* q : queues)
    q->release();
  queues.clear();
}

tresult PLUGIN_API EventList::getEvent(int32 index, Event& e)
{
  if (index < 0 || index >= getEventCount())
    return kResultFalse;
  e = events[static_cast<size_t>(index)];
  return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Event& e)
{
  events.push_back(e);
  return kResultOk;
}

tresult PLUGIN_API AttributeList::setInt(AttrID id, int64 value)
{
  if (!id)
    return kInvalidArgument;
  ints[id] = value;
  return kResultOk;
}

tresult PLUGIN_API AttributeList::getInt(AttrID id, int64& value)
{
  auto it = id ? ints.find(id) : ints.end();
  if (it == ints.end())
    return kResultFalse;
  value = it->second;
  return kResultOk;
}

tresult PLUGIN_API AttributeList::setString(AttrID id, const TChar* string)
{
  if (!id || !string)
    return kInvalidArgument;
  strings[id] = string;
  return kResultOk;
}

tresult PLUGIN_API AttributeList::getString(AttrID id, TChar* string, uint32 sizeInBytes)
{
  auto it = id ? strings.find(id) : strings.end();
  if (it == strings.end() || !string || sizeInBytes < sizeof(TChar))
    return kResultFalse;
  StrCopy16(string, it->second.c_str(), static_cast<int32>(sizeInBytes / sizeof(TChar)));
  return kResultOk;
}

} // namespace vst3host
