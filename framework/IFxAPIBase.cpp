#include "framework/IFxAPIBase.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>

#include "base/Trace.h"
#include "base/IParam.h"
#include "base/LookUpHost.h"
#include "platform/Timer.h"

namespace ifx {

namespace {

// One process-wide text; every instance refreshes it on construction (main
// thread, inside the wrapper's creation lock).
char gTraceTimeStamp[64] = "";

void FormatTraceTimeStamp(char* out, size_t outSize)
{
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  std::tm utc{};
#if defined(_WIN32)
  localtime_s(&local, &now);
  gmtime_s(&utc, &now);
#else
  localtime_r(&now, &local);
  gmtime_r(&now, &utc);
#endif
  int offset = (local.tm_hour - utc.tm_hour) * 60 + (local.tm_min - utc.tm_min);
  // Across midnight the days of the year differ by one; across the turn of
  // the year the difference is large and points the other way.
  const int dayDiff = local.tm_yday - utc.tm_yday;
  if (dayDiff == 1 || dayDiff < -1)
    offset += 1440;
  else if (dayDiff == -1 || dayDiff > 1)
    offset -= 1440;

  char date[32];
  if (std::strftime(date, sizeof(date), "%Y%m%d %H:%M ", &local) == 0)
    date[0] = '\0';
  const int absOffset = offset < 0 ? -offset : offset;
  std::snprintf(out, outSize, "%s%c%02d%02d", date, offset < 0 ? '-' : '+', absOffset / 60, absOffset % 60);
}

} // namespace

const char* IFxAPIBase::TraceTimeStamp() noexcept { return gTraceTimeStamp; }

IFxAPIBase::IFxAPIBase(const IPluginConfiguration& config) : IPluginBase(config.paramCount, config.presetCount)
{
  mPluginName.Set(config.pluginName);
  mProductName.Set(config.productName);
  mMakerName.Set(config.makerName);
  mUniqueId = config.uniqueId;
  mMakerId = config.makerId;
  mVersion = config.version;
  mSavesStateChunks = config.savesStateChunks;
  mHasEditor = config.hasEditor;
  mHostCanResize = config.hostCanResize;
  mExtraText1.Set(config.extraText1);
  mExtraText2.Set(config.extraText2);
  SetEditorSize(config.editorWidth, config.editorHeight);
  SetSizeConstraints(config.minWidth, config.maxWidth, config.minHeight, config.maxHeight);
  FormatTraceTimeStamp(gTraceTimeStamp, sizeof(gTraceTimeStamp));
  Trace("ifx::IFxAPIBase::IFxAPIBase", __LINE__);
}

IFxAPIBase::~IFxAPIBase()
{
  // Stop the tick before anything it reaches goes away.
  StopTimer();
}

// -- Editor to plug-in ----------------------------------------------------------------

void IFxAPIBase::ApplyAllParamValuesFromUI()
{
  for (int i = 0; i < NParams(); ++i)
    NotifyHostParamValue(i, GetParam(i)->GetNormalized());
}

void IFxAPIBase::BeginParamGestureFromUI(int paramIdx) { BeginHostParamGesture(paramIdx); }

void IFxAPIBase::ApplyParamValueFromUI(int paramIdx, double normalizedValue)
{
  if (!SetParamFromUI(paramIdx, normalizedValue))
    return;
  NotifyHostParamValue(paramIdx, normalizedValue);
  OnParamChange(paramIdx, kChangeUI, -1);
  OnParamChangedForUI(paramIdx, kChangeUI);
}

void IFxAPIBase::EndParamGestureFromUI(int paramIdx) { EndHostParamGesture(paramIdx); }

bool IFxAPIBase::RequestEditorSizeFromUI(int width, int height, bool needsPlatformResize)
{
  if (needsPlatformResize)
    return ResizeHostEditor(width, height);
  // The host's window has this size already (it resized it): the size the
  // host reads back is the one the editor took.
  SetEditorSize(width, height);
  return true;
}

void IFxAPIBase::PushMidiFromUI(const IMidiMessage& msg) { QueueMidiFromUI(msg); }

void IFxAPIBase::PushSysExFromUI(const ISysExMessage& msg) { QueueSysExFromUI(msg); }

void IFxAPIBase::PushMessageFromUI(int msgTag, int controlTag, int dataSize, const void* data)
{
  OnMessage(msgTag, controlTag, dataSize, data);
}

void IFxAPIBase::QueueMidiFromUI(const IMidiMessage& msg) { midiFromEditorRing.Push(msg); }

void IFxAPIBase::QueueSysExFromUI(const ISysExMessage& msg) { sysExFromEditorRing.Push(ISysExData(msg)); }

// -- Main-thread tick ---------------------------------------------------------------------

void IFxAPIBase::OnTimer(Timer& timer)
{
  if (mHasEditor)
  {
    DrainParamChangesForUI();

    IMidiMessage msg;
    while (midiToEditorRing.Pop(msg))
      PushMidiToUI(msg);

    ISysExData sysEx;
    while (sysExToEditorRing.Pop(sysEx))
      PushSysExToUI(sysEx.Message());
  }
  OnIdle();
}

void IFxAPIBase::DrainParamChangesForUI()
{
  IParamChangeForUI change;
  while (paramToEditorRing.Pop(change))
    PushParamValueToUI(change.paramIdx, change.value, false);
}

void IFxAPIBase::AdoptTimer(Timer* timer)
{
  if (timer == mTimer.get())
    return;
  // The old timer goes first, so two never tick for one instance.
  mTimer.reset();
  mTimer.reset(timer);
}

void IFxAPIBase::StopTimer() noexcept { mTimer.reset(); }

void IFxAPIBase::StartTimer()
{
  AdoptTimer(Timer::Create([this](Timer& t) { OnTimer(t); }));
}

void IFxAPIBase::QueueParamValueForUI(int paramIdx, double value, bool normalized) noexcept
{
  const IParam* param = GetParam(paramIdx);
  if (!param)
    return;
  if (normalized)
    value = param->Constrain(param->GetShape().NormalizedToValue(value, *param));
  IParamChangeForUI change;
  change.paramIdx = paramIdx;
  change.value = value;
  paramToEditorRing.Push(change);
}

// -- Host identification ---------------------------------------------------------------------

void IFxAPIBase::SetHostIdentity(const char* hostName, int hostVersion)
{
  if (GetHostId() != -1)
    return;
  mHostName.Set(hostName ? hostName : "", 127);
  const int id = LookUpHost(mHostName.Get());
  mHostVersion.store(hostVersion, std::memory_order_relaxed);
  mHostId.store(id, std::memory_order_relaxed);

  Trace("ifx::IFxAPIBase::SetHost", __LINE__, "host_%sknown:%s:v%d.%d.%d", id == kHostUnknown ? "un" : "",
        mHostName.Get(), (hostVersion >> 16) & 0xFFFF, (hostVersion >> 8) & 0xFF, hostVersion & 0xFF);
  PrepareForHost();
  OnHostKnown();
}

void IFxAPIBase::TraceFormatted(const char* location, const char* format, ...)
{
  va_list args;
  va_start(args, format);
  TraceV(location, __LINE__, format, args);
  va_end(args);
}

} // namespace ifx
