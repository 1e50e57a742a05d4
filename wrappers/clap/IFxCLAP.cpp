#include "wrappers/clap/IFxCLAP.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/IParam.h"
#include "base/LookUpHost.h"
#include "platform/Timer.h"

namespace ifx {

namespace {

// Activation beyond this many frames per block is refused: the conversion
// buffers are sized to it, and a host passing nonsense here must not make us
// reserve gigabytes.
constexpr uint32_t kMaxSupportedFrames = 1u << 20;

// "major.minor.patch"; missing parts read as 0, each part limited so that the
// packed version cannot overflow.
int ParseHostVersion(const char* text)
{
  if (!text || !*text)
    return 0;
  int major = 0, minor = 0, patch = 0;
  std::sscanf(text, "%d.%d.%d", &major, &minor, &patch);
  major = std::clamp(major, 0, 0x7FFF);
  minor = std::clamp(minor, 0, 0xFF);
  patch = std::clamp(patch, 0, 0xFF);
  return (major << 16) + (minor << 8) + patch;
}

} // namespace

IFxCLAP::IFxCLAP(const InstanceInfo& info, const IPluginConfiguration& config)
  : IFxAPIBase(config), IFxProcessor(config), clap::helpers::Plugin<0, 0>(info.desc, info.host)
{
  const size_t channels = static_cast<size_t>(std::max(NChannels(kInput), NChannels(kOutput)));
  mHostChannels32.assign(channels, nullptr);
  mHostChannels64.assign(channels, nullptr);
  // Only the host record's plain fields are read here: the standard forbids
  // calling the host before init. The framework timer starts in init too.
  IdentifyHost(info.host);
}

IFxCLAP::~IFxCLAP() = default;

void IFxCLAP::IdentifyHost(const clap_host_t* host)
{
  const char* name = host && host->name ? host->name : "";
  const int version = ParseHostVersion(host ? host->version : nullptr);
  SetHostIdentity(name, version);
}

void IFxCLAP::StartTimer()
{
  if (IsInitCalled())
    IFxAPIBase::StartTimer();
}

// ---- life cycle -----------------------------------------------------------------

bool IFxCLAP::Init()
{
  mSelectedConfig = 0;
  IFxAPIBase::StartTimer();

  if (Host().trackInfo)
  {
    if (Host().trackInfo->get)
    {
      clap_track_info_t info{};
      // The channel count means something only when the host says so.
      if (Host().GetTrackInfo(info) && (info.flags & CLAP_TRACK_INFO_HAS_AUDIO_CHANNEL))
      {
        if (SelectConfigForChannelCount(info.audio_channel_count) || info.audio_channel_count == 2)
          return true;
      }
    }
    else
      Log(CLAP_LOG_HOST_MISBEHAVING, "clap_host_track_info is partially implemented");
  }
  SelectConfigForChannelCount(2);
  return true;
}

bool IFxCLAP::Activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames)
{
  if (maxFrames < 1 || maxFrames > kMaxSupportedFrames)
    return false;
  if (!std::isfinite(sampleRate) || sampleRate <= 0.0)
    return false;
  // Without memory for the buffers the activation fails and nothing changes.
  if (!SetBlockSize(static_cast<int>(maxFrames)))
    return false;
  SetSampleRate(sampleRate);
  OnActivate(true);
  SetActive(true);
  OnParamsReset(kChangeReset);
  OnReset();
  mTailCounter = 0;
  // The host may hear of a latency change only now, while it activates us.
  if (mLatencyChangePending.exchange(false))
    Host().LatencyChanged();
  return true;
}

void IFxCLAP::Deactivate()
{
  OnActivate(false);
  SetActive(false);
}

void IFxCLAP::Reset() noexcept
{
  // The silence count goes on: a reset empties the buffers, so nothing the
  // plug-in still holds could need a longer tail than before.
  try
  {
    OnReset();
  }
  catch (...)
  {
  }
}

// ---- latency and tail ---------------------------------------------------------------

void IFxCLAP::SetLatency(int samples)
{
  const int previous = GetLatency();
  IFxProcessor::SetLatency(samples);
  if (samples == previous || !Host().latency)
    return;

  // While active this may run on the audio thread (a host reset): no lock, no
  // allocation, no logging there. The standard allows latency.changed only
  // during activate, so an active plug-in asks for a restart and reports the
  // change in the following activate.
  const bool mayBeAudioThread = IsActivated() && !IsActivating();
  if (!Host().latency->changed)
  {
    if (!mayBeAudioThread)
      Log(CLAP_LOG_HOST_MISBEHAVING, "clap_host_latency is partially implemented");
    return;
  }
  mLatencyChangePending.store(true);
  if (mayBeAudioThread)
    Host().RequestRestart(); // thread-safe by the standard
}

void IFxCLAP::SetTailSize(int samples)
{
  // The host's tail.changed may only be called from the audio thread, and
  // the tail may change on the main thread too (a reset while activating).
  if (samples != GetTailSize())
    mTailChangePending.store(true);
  IFxProcessor::SetTailSize(samples);
}

uint32_t IFxCLAP::LatencyGet() const { return static_cast<uint32_t>(std::max(0, GetLatency())); }

uint32_t IFxCLAP::TailGet() const
{
  const int tail = GetTailSize();
  if (tail >= kInfiniteTailSize)
    return UINT32_MAX;
  return static_cast<uint32_t>(std::max(0, tail));
}

bool IFxCLAP::RenderSet(clap_plugin_render_mode mode)
{
  SetRenderingOffline(mode == CLAP_RENDER_OFFLINE);
  return true;
}

// ---- configurations ----------------------------------------------------------------------

bool IFxCLAP::ConfigMatchesChannelCount(int configIdx, int channelCount) const noexcept
{
  const IChannelLayout* layout = GetChannelLayout(configIdx);
  if (!layout || layout->NBuses(kOutput) < 1 || layout->BusChannels(kOutput, 0) != channelCount)
    return false;
  if (layout->NBuses(kInput) > 0 && layout->BusChannels(kInput, 0) == channelCount)
    return true;
  const bool instrument = GetPluginKind() == 1;
  return instrument && (layout->NBuses(kInput) == 0 || layout->BusChannels(kInput, 0) == 0);
}

bool IFxCLAP::SelectConfigForChannelCount(int channelCount) noexcept
{
  for (int i = 0; i < NChannelLayouts(); ++i)
  {
    if (ConfigMatchesChannelCount(i, channelCount))
    {
      mSelectedConfig = i;
      return true;
    }
  }
  return false;
}

int IFxCLAP::ConfigBusChannelCount(EBusDirection dir, int bus, int configIdx) const noexcept
{
  const IChannelLayout* layout = GetChannelLayout(configIdx);
  if (!layout || bus < 0 || bus >= layout->NBuses(dir))
    return 0;
  return layout->BusChannels(dir, bus);
}

// ---- main-thread tasks -------------------------------------------------------------------------

void IFxCLAP::HostParamsFlushTask()
{
  if (!IsBeingDestroyed())
    Host().RequestFlush();
}

void IFxCLAP::OnPresetRestored()
{
  // Presets restored while the plug-in is built come before init: the host
  // may not be called yet, and it reads the values on its own afterwards.
  if (!IsInitCalled() || IsBeingDestroyed())
    return;
  RunOnMainThread([this] {
    if (IsBeingDestroyed())
      return;
    Host().RescanParams(CLAP_PARAM_RESCAN_VALUES);
    Host().MarkStateDirty();
  });
}

} // namespace ifx
