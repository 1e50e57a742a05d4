#include "claphost/HostedPlugin.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace claphost {

namespace {

struct WriteStream
{
  clap_ostream_t stream;
  std::vector<uint8_t>* out;
  size_t maxPerWrite;
};

int64_t CLAP_ABI WriteCallback(const clap_ostream_t* stream, const void* buffer, uint64_t size)
{
  auto* self = static_cast<WriteStream*>(stream->ctx);
  if (!buffer && size > 0)
    return -1;
  const size_t n = static_cast<size_t>(std::min<uint64_t>(size, self->maxPerWrite));
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  self->out->insert(self->out->end(), bytes, bytes + n);
  return static_cast<int64_t>(n);
}

struct ReadStream
{
  clap_istream_t stream;
  const std::vector<uint8_t>* in;
  size_t pos;
  size_t piece;
};

int64_t CLAP_ABI ReadCallback(const clap_istream_t* stream, void* buffer, uint64_t size)
{
  auto* self = static_cast<ReadStream*>(stream->ctx);
  const size_t left = self->in->size() - self->pos;
  const size_t n = std::min({static_cast<size_t>(size), left, self->piece});
  if (n > 0)
    std::memcpy(buffer, self->in->data() + self->pos, n);
  self->pos += n;
  return static_cast<int64_t>(n);
}

} // namespace

HostedPlugin::HostedPlugin(const clap_plugin_factory_t* factory, TestHost& host, const char* pluginId)
  : mHost(host)
{
  if (factory && factory->create_plugin)
    mPlugin = factory->create_plugin(factory, host.Clap(), pluginId);
  if (mPlugin && (!mPlugin->init || !mPlugin->destroy || !mPlugin->process || !mPlugin->get_extension))
    mHost.AddViolation("the plug-in record lacks a mandatory function");
}

HostedPlugin::HostedPlugin(const clap_plugin_t* plugin, TestHost& host)
  : mHost(host)
  , mPlugin(plugin)
{
}

HostedPlugin::~HostedPlugin()
{
  Destroy();
}

bool HostedPlugin::Init()
{
  if (!mPlugin)
    return false;
  mHost.SetInitCalled(true);  // host calls are allowed from inside init
  mInitCalled = mPlugin->init(mPlugin);
  return mInitCalled;
}

const void* HostedPlugin::Extension(const char* id) const
{
  if (!mPlugin || !mInitCalled)
    return nullptr;
  return mPlugin->get_extension(mPlugin, id);
}

bool HostedPlugin::Activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames)
{
  if (!mPlugin || mActive)
    return false;
  mHost.SetActivating(true);
  mActive = mPlugin->activate(mPlugin, sampleRate, minFrames, maxFrames);
  mHost.SetActivating(false);
  mHost.SetActive(mActive);
  return mActive;
}

void HostedPlugin::Deactivate()
{
  if (!mPlugin || !mActive)
    return;
  if (mPhase.load(std::memory_order_acquire) == kProcessing)
    mHost.RunOnAudioThread([this] { StopProcessing(); });
  mPlugin->deactivate(mPlugin);
  mActive = false;
  mHost.SetActive(false);
}

void HostedPlugin::Destroy()
{
  if (!mPlugin)
    return;
  Deactivate();
  mPlugin->destroy(mPlugin);
  mPlugin = nullptr;
  mHost.SetInitCalled(false);
}

bool HostedPlugin::StartProcessing()
{
  if (!mPlugin || !mActive)
    return false;
  int phase = kStopped;
  while (!mPhase.compare_exchange_weak(phase, kProcessing, std::memory_order_acquire))
  {
    if (phase == kProcessing)
      return false;
    // The main thread is in a flush, which is short: processing starts after it.
    phase = kStopped;
    std::this_thread::yield();
  }
  const bool started = mPlugin->start_processing(mPlugin);
  mHost.SetProcessing(started);
  if (!started)
    mPhase.store(kStopped, std::memory_order_release);
  return started;
}

void HostedPlugin::StopProcessing()
{
  if (!mPlugin || mPhase.load(std::memory_order_relaxed) != kProcessing)
    return;
  mPlugin->stop_processing(mPlugin);
  mHost.SetProcessing(false);
  mPhase.store(kStopped, std::memory_order_release);
}

void HostedPlugin::Reset()
{
  if (mPlugin && mActive)
    mPlugin->reset(mPlugin);
}

clap_process_status HostedPlugin::ProcessRecord(const clap_process_t& process)
{
  if (!mHost.OnAudioThread())
    mHost.AddViolation("test host error: process called off the audio thread");
  const clap_process_status status = mPlugin->process(mPlugin, &process);
  if (status < CLAP_PROCESS_ERROR || status > CLAP_PROCESS_SLEEP)
    mHost.AddViolation("process returned an unknown status " + std::to_string(status));
  mSteadyTime += process.frames_count;
  return status;
}

clap_process_status HostedPlugin::ProcessBuffers(const clap_audio_buffer_t& inBuf, clap_audio_buffer_t& outBuf,
                                                 uint32_t frames, const InputEvents* events, OutputEvents* outEvents,
                                                 const clap_event_transport_t* transport)
{
  clap_process_t p{};
  p.steady_time = mSteadyTime;
  p.frames_count = frames;
  p.transport = transport;
  p.audio_inputs = &inBuf;
  p.audio_outputs = &outBuf;
  p.audio_inputs_count = 1;
  p.audio_outputs_count = 1;
  p.in_events = events ? events->Clap() : nullptr;
  p.out_events = outEvents ? outEvents->Clap() : nullptr;
  if (outEvents)
    outEvents->BeginBlock(frames);
  return ProcessRecord(p);
}

clap_process_status HostedPlugin::Process32(float* const* in, uint32_t nIn, float* const* out, uint32_t nOut,
                                            uint32_t frames, const InputEvents* events, OutputEvents* outEvents,
                                            const clap_event_transport_t* transport)
{
  clap_audio_buffer_t inBuf{};
  inBuf.data32 = const_cast<float**>(in);
  inBuf.channel_count = nIn;
  clap_audio_buffer_t outBuf{};
  outBuf.data32 = const_cast<float**>(out);
  outBuf.channel_count = nOut;
  return ProcessBuffers(inBuf, outBuf, frames, events, outEvents, transport);
}

clap_process_status HostedPlugin::Process64(double* const* in, uint32_t nIn, double* const* out, uint32_t nOut,
                                            uint32_t frames, const InputEvents* events, OutputEvents* outEvents,
                                            const clap_event_transport_t* transport)
{
  clap_audio_buffer_t inBuf{};
  inBuf.data64 = const_cast<double**>(in);
  inBuf.channel_count = nIn;
  clap_audio_buffer_t outBuf{};
  outBuf.data64 = const_cast<double**>(out);
  outBuf.channel_count = nOut;
  return ProcessBuffers(inBuf, outBuf, frames, events, outEvents, transport);
}

int HostedPlugin::PumpMainThread(OutputEvents* flushed)
{
  if (!mPlugin)
    return 0;
  int calls = 0;
  for (int round = 0; round < 16; ++round)
  {
    bool any = false;
    if (mHost.TakeCallbackRequest())
    {
      mPlugin->on_main_thread(mPlugin);
      ++calls;
      any = true;
    }
    int phase = kStopped;
    if (mPhase.compare_exchange_strong(phase, kFlushing, std::memory_order_acquire))
    {
      const auto* params = mHost.TakeFlushRequest() ? Ext<clap_plugin_params_t>(CLAP_EXT_PARAMS) : nullptr;
      if (params && params->flush)
      {
        InputEvents none;
        OutputEvents sink;
        OutputEvents* out = flushed ? flushed : &sink;
        out->BeginBlock(0);
        params->flush(mPlugin, none.Clap(), out->Clap());
        ++calls;
        any = true;
      }
      mPhase.store(kStopped, std::memory_order_release);
    }
    if (!any)
      break;
  }
  return calls;
}

bool HostedPlugin::GetParamValue(clap_id id, double& value) const
{
  const auto* params = Ext<clap_plugin_params_t>(CLAP_EXT_PARAMS);
  return params && params->get_value(mPlugin, id, &value);
}

std::vector<double> HostedPlugin::AllParamValues() const
{
  std::vector<double> values;
  const auto* params = Ext<clap_plugin_params_t>(CLAP_EXT_PARAMS);
  if (!params)
    return values;
  const uint32_t count = params->count(mPlugin);
  for (uint32_t i = 0; i < count; ++i)
  {
    clap_param_info_t info{};
    double v = 0.0;
    if (params->get_info(mPlugin, i, &info) && params->get_value(mPlugin, info.id, &v))
      values.push_back(v);
  }
  return values;
}

bool HostedPlugin::SaveState(std::vector<uint8_t>& out, size_t maxPerWrite) const
{
  const auto* state = Ext<clap_plugin_state_t>(CLAP_EXT_STATE);
  if (!state)
    return false;
  out.clear();
  WriteStream ws{{nullptr, WriteCallback}, &out, maxPerWrite == 0 ? 1 : maxPerWrite};
  ws.stream.ctx = &ws;
  return state->save(mPlugin, &ws.stream);
}

bool HostedPlugin::LoadState(const std::vector<uint8_t>& in, size_t piece) const
{
  const auto* state = Ext<clap_plugin_state_t>(CLAP_EXT_STATE);
  if (!state)
    return false;
  ReadStream rs{{nullptr, ReadCallback}, &in, 0, piece == 0 ? 1 : piece};
  rs.stream.ctx = &rs;
  return state->load(mPlugin, &rs.stream);
}

} // namespace claphost
