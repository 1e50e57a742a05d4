#include "abi/clap/Plugin.h"

#include <cstdio>

namespace clap {
namespace helpers {

using PluginGlue = Plugin<0, 0>;

PluginGlue::Plugin(const clap_plugin_descriptor_t* desc, const clap_host_t* host) noexcept : mHost(host)
{
  mPlugin.desc = desc;
  mPlugin.plugin_data = this;
  mPlugin.init = InitCallback;
  mPlugin.destroy = DestroyCallback;
  mPlugin.activate = ActivateCallback;
  mPlugin.deactivate = DeactivateCallback;
  mPlugin.start_processing = StartProcessingCallback;
  mPlugin.stop_processing = StopProcessingCallback;
  mPlugin.reset = ResetCallback;
  mPlugin.process = ProcessCallback;
  mPlugin.get_extension = GetExtensionCallback;
  mPlugin.on_main_thread = OnMainThreadCallback;
}

PluginGlue::~Plugin() = default;

PluginGlue* PluginGlue::FromClap(const clap_plugin_t* plugin) noexcept
{
  return plugin ? static_cast<PluginGlue*>(plugin->plugin_data) : nullptr;
}

uint32_t PluginGlue::FindParamIndex(clap_id paramId) const
{
  const uint32_t count = ParamsCount();
  clap_param_info_t info{};
  for (uint32_t i = 0; i < count; ++i)
    if (ParamsGetInfo(i, &info) && info.id == paramId)
      return i;
  return UINT32_MAX;
}

// ---- logging ------------------------------------------------------------------

void PluginGlue::Log(clap_log_severity severity, const char* message) const noexcept
{
  if (!message)
    message = "";
  OnLog(severity, message);
  if (mHost.LogToHost(severity, message))
    return;
  // Plain stdio: the stream library would add half a megabyte to the module
  // for this one line.
  std::fputs(message, stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

// ---- main-thread tasks ----------------------------------------------------------

void PluginGlue::RunOnMainThread(std::function<void()> task)
{
  if (!task)
    return;
  if (mHost.IsMainThread())
  {
    task();
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mTaskMutex);
    mTasks.push_back(std::move(task));
  }
  // Outside the lock: a host may answer request_callback by calling
  // on_main_thread at once, which takes the same lock.
  mHost.RequestCallback();
}

void PluginGlue::RunQueuedMainThreadCallbacks()
{
  for (;;)
  {
    std::function<void()> task;
    {
      std::lock_guard<std::mutex> lock(mTaskMutex);
      if (mTasks.empty())
        return;
      task = std::move(mTasks.front());
      mTasks.pop_front();
    }
    task();
  }
}

// ---- callbacks -----------------------------------------------------------------------

bool CLAP_ABI PluginGlue::InitCallback(const clap_plugin_t* plugin)
{
  PluginGlue* self = FromClap(plugin);
  if (!self)
    return false;
  try
  {
    self->mInitCalled = true;
    self->mHost.QueryHostExtensions();
    return self->Init();
  }
  catch (...)
  {
    return false;
  }
}

void CLAP_ABI PluginGlue::DestroyCallback(const clap_plugin_t* plugin)
{
  PluginGlue* self = FromClap(plugin);
  if (!self)
    return;
  self->mDestroyBegun = true;
  if (self->mGuiCreated)
  {
    try
    {
      self->GuiDestroy();
    }
    catch (...)
    {
    }
    self->mGuiCreated = false;
    self->mGuiEmbedded = false;
  }
  if (self->mActive.load())
  {
    self->Log(CLAP_LOG_HOST_MISBEHAVING, "host destroyed the plug-in while it was active");
    try
    {
      self->Deactivate();
    }
    catch (...)
    {
    }
    self->mActive.store(false);
    self->mSampleRate = 0.0;
  }
  try
  {
    self->RunQueuedMainThreadCallbacks();
  }
  catch (...)
  {
  }
  try
  {
    delete self;
  }
  catch (...)
  {
  }
}

bool CLAP_ABI PluginGlue::ActivateCallback(const clap_plugin_t* plugin, double rate, uint32_t minFrames,
                                           uint32_t maxFrames)
{
  PluginGlue* self = FromClap(plugin);
  if (!self)
    return false;
  bool result = false;
  self->mActivating.store(true);
  try
  {
    result = self->Activate(rate, minFrames, maxFrames);
  }
  catch (...)
  {
    result = false;
  }
  self->mActivating.store(false);
  if (result)
  {
    self->mSampleRate = rate;
    self->mMaxFrames = maxFrames;
    self->mActive.store(true, std::memory_order_release);
  }
  return result;
}

void CLAP_ABI PluginGlue::DeactivateCallback(const clap_plugin_t* plugin)
{
  PluginGlue* self = FromClap(plugin);
  if (!self)
    return;
  try
  {
    self->Deactivate();
  }
  catch (...)
  {
  }
  self->mActive.store(false, std::memory_order_release);
  self->mSampleRate = 0.0;
  self->mMaxFrames = 0;
}

bool CLAP_ABI PluginGlue::StartProcessingCallback(const clap_plugin_t* plugin)
{
  PluginGlue* self = FromClap(plugin);
  // Processing needs the buffers of an activation: an inactive plug-in cannot start.
  if (!self || !self->IsActivated())
    return false;
  bool result = false;
  try
  {
    result = self->StartProcessing();
  }
  catch (...)
  {
    result = false;
  }
  self->mProcessing.store(result, std::memory_order_release);
  return result;
}

void CLAP_ABI PluginGlue::StopProcessingCallback(const clap_plugin_t* plugin)
{
  PluginGlue* self = FromClap(plugin);
  if (!self)
    return;
  try
  {
    self->StopProcessing();
  }
  catch (...)
  {
  }
  self->mProcessing.store(false, std::memory_order_release);
}

void CLAP_ABI PluginGlue::ResetCallback(const clap_plugin_t* plugin)
{
  PluginGlue* self = FromClap(plugin);
  if (!self)
    return;
  self->Reset();
}

clap_process_status CLAP_ABI PluginGlue::ProcessCallback(const clap_plugin_t* plugin, const clap_process_t* process)
{
  PluginGlue* self = FromClap(plugin);
  if (!self || !process)
    return CLAP_PROCESS_ERROR;
  // Buffers are sized at activate: nothing may run before it.
  if (!self->IsActivated())
    return CLAP_PROCESS_ERROR;
  if (process->frames_count <= self->mMaxFrames)
    return self->Process(process);
  // A host that breaks the maximum it announced more likely has buffers of
  // that size than larger ones: the plug-in sees a block of the maximum and
  // the frames past it are left alone.
  clap_process_t cut = *process;
  cut.frames_count = self->mMaxFrames;
  return self->Process(&cut);
}

const void* CLAP_ABI PluginGlue::GetExtensionCallback(const clap_plugin_t* plugin, const char* id)
{
  PluginGlue* self = FromClap(plugin);
  if (!self || !id)
    return nullptr;
  try
  {
    return self->LookUpExtension(id);
  }
  catch (...)
  {
    return nullptr;
  }
}

void CLAP_ABI PluginGlue::OnMainThreadCallback(const clap_plugin_t* plugin)
{
  PluginGlue* self = FromClap(plugin);
  if (!self)
    return;
  try
  {
    self->RunQueuedMainThreadCallbacks();
    self->OnMainThread();
  }
  catch (...)
  {
  }
}

} // namespace helpers
} // namespace clap
