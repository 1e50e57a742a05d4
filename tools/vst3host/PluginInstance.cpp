#include "vst3host/PluginInstance.h"

#include <algorithm>

namespace vst3host {

bool PluginInstance::create(IPluginFactory* factory, const char* cid, std::string& error)
{
  void* obj = nullptr;
  if (factory->createInstance(cid, IComponent::iid, &obj) != kResultOk || !obj)
  {
    error = "createInstance failed";
    return false;
  }
  component = static_cast<IComponent*>(obj);
  if (component->queryInterface(IAudioProcessor::iid, &obj) == kResultOk)
    processor = static_cast<IAudioProcessor*>(obj);
  if (component->queryInterface(IEditController::iid, &obj) == kResultOk)
    controller = static_cast<IEditController*>(obj);
  if (!processor)
  {
    error = "no IAudioProcessor";
    return false;
  }
  return true;
}

bool PluginInstance::initialize(std::string& error)
{
  app = new HostApplication(u"Murkwisp Test Host");
  if (component->initialize(app) != kResultOk)
  {
    error = "initialize failed";
    return false;
  }
  initialized = true;
  handler = new ComponentHandler();
  if (controller)
    controller->setComponentHandler(handler);
  return true;
}

bool PluginInstance::start(const RunOptions& o, std::string& error)
{
  options = o;
  SpeakerArrangement in = 0x3, out = 0x3;
  if (processor->setBusArrangements(&in, 1, &out, 1) != kResultOk)
  {
    error = "stereo arrangement refused";
    return false;
  }
  for (int dir = 0; dir < 2; ++dir)
    for (int32 i = 0; i < component->getBusCount(kAudio, dir); ++i)
      component->activateBus(kAudio, dir, i, true);
  const int32 size = options.use64 ? kSample64 : kSample32;
  if (processor->canProcessSampleSize(size) != kResultTrue)
  {
    error = "sample size refused";
    return false;
  }
  ProcessSetup setup{kRealtime, size, options.announce > 0 ? options.announce : options.block, options.rate};
  if (processor->setupProcessing(setup) != kResultOk)
  {
    error = "setupProcessing failed";
    return false;
  }
  component->setActive(true);
  processor->setProcessing(true);
  started = true;
  return true;
}

void PluginInstance::run(const Audio& input, Audio& output, const std::vector<ParamPoint>& automation)
{
  const size_t channels = 2;
  const long frames = input.empty() ? 0 : static_cast<long>(input[0].size());
  output.assign(channels, std::vector<double>(static_cast<size_t>(frames), 0.));
  std::vector<std::vector<float>> in32(channels), out32(channels);
  std::vector<std::vector<double>> in64(channels), out64(channels);
  std::vector<float*> inPtr32(channels), outPtr32(channels);
  std::vector<double*> inPtr64(channels), outPtr64(channels);
  ParameterChanges* changes = new ParameterChanges();
  EventList* inEvents = new EventList();
  EventList* outEvents = new EventList();
  ProcessContext context{};
  context.sampleRate = options.rate;
  context.tempo = 120.;
  context.timeSigNumerator = context.timeSigDenominator = 4;
  context.state = ProcessContext::kPlaying | ProcessContext::kTempoValid | ProcessContext::kTimeSigValid |
                  ProcessContext::kProjectTimeMusicValid;

  for (long start = 0; start < frames; start += options.block)
  {
    const int n = static_cast<int>(std::min<long>(options.block, frames - start));
    for (size_t c = 0; c < channels; ++c)
    {
      const std::vector<double>& src = input[std::min(c, input.size() - 1)];
      in32[c].assign(static_cast<size_t>(n), 0.f);
      in64[c].assign(static_cast<size_t>(n), 0.);
      out32[c].assign(static_cast<size_t>(n), 0.f);
      out64[c].assign(static_cast<size_t>(n), 0.);
      for (int i = 0; i < n; ++i)
      {
        in64[c][static_cast<size_t>(i)] = src[static_cast<size_t>(start + i)];
        in32[c][static_cast<size_t>(i)] = static_cast<float>(src[static_cast<size_t>(start + i)]);
      }
      inPtr32[c] = in32[c].data();
      inPtr64[c] = in64[c].data();
      outPtr32[c] = options.inPlace ? in32[c].data() : out32[c].data();
      outPtr64[c] = options.inPlace ? in64[c].data() : out64[c].data();
    }
    changes->clear();
    for (const ParamPoint& p : automation)
      if (p.frame >= start && p.frame < start + n)
      {
        int32 index = 0;
        IParamValueQueue* q = changes->addParameterData(p.id, index);
        q->addPoint(static_cast<int32>(p.frame - start), p.value, index);
      }
    outEvents->events.clear();
    AudioBusBuffers inBus{}, outBus{};
    inBus.numChannels = outBus.numChannels = static_cast<int32>(channels);
    if (options.use64)
    {
      inBus.channelBuffers64 = inPtr64.data();
      outBus.channelBuffers64 = outPtr64.data();
    }
    else
    {
      inBus.channelBuffers32 = inPtr32.data();
      outBus.channelBuffers32 = outPtr32.data();
    }
    context.projectTimeSamples = start;
    context.projectTimeMusic = static_cast<double>(start) / options.rate * 2.;
    ProcessData data{};
    data.processMode = kRealtime;
    data.symbolicSampleSize = options.use64 ? kSample64 : kSample32;
    data.numSamples = n;
    data.numInputs = data.numOutputs = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
    data.inputParameterChanges = changes;
    data.inputEvents = inEvents;
    data.outputEvents = outEvents;
    data.processContext = &context;
    processor->process(data);
    for (size_t c = 0; c < channels; ++c)
      for (int i = 0; i < n; ++i)
        output[c][static_cast<size_t>(start + i)] =
          options.use64 ? outPtr64[c][static_cast<size_t>(i)] : outPtr32[c][static_cast<size_t>(i)];
  }
  changes->release();
  inEvents->release();
  outEvents->release();
}

void PluginInstance::flush(const std::vector<ParamPoint>& automation)
{
  ParameterChanges* changes = new ParameterChanges();
  for (const ParamPoint& p : automation)
  {
    int32 index = 0;
    changes->addParameterData(p.id, index)->addPoint(static_cast<int32>(p.frame), p.value, index);
  }
  ProcessData data{};
  data.symbolicSampleSize = options.use64 ? kSample64 : kSample32;
  data.inputParameterChanges = changes;
  processor->process(data);
  if (controller)
    for (ParamValueQueue* q : changes->queues)
      controller->setParamNormalized(q->id, q->points.back().second);
  changes->release();
}

void PluginInstance::stop()
{
  if (!started)
    return;
  processor->setProcessing(false);
  component->setActive(false);
  started = false;
}

void PluginInstance::shutdown()
{
  stop();
  if (controller)
  {
    controller->setComponentHandler(nullptr);
    controller->release();
    controller = nullptr;
  }
  if (processor)
  {
    processor->release();
    processor = nullptr;
  }
  if (component)
  {
    if (initialized)
      component->terminate();
    component->release();
    component = nullptr;
  }
  initialized = false;
  if (handler)
    handler->release();
  if (app)
    app->release();
  handler = nullptr;
  app = nullptr;
}

bool PluginInstance::getState(std::vector<char>& bytes, tresult& result)
{
  MemoryStream* stream = new MemoryStream();
  result = component->getState(stream);
  bytes = stream->data;
  stream->release();
  return result == kResultOk;
}

tresult PluginInstance::setState(const std::vector<char>& bytes)
{
  MemoryStream* stream = new MemoryStream(bytes);
  const tresult result = component->setState(stream);
  stream->release();
  return result;
}

} // namespace vst3host
