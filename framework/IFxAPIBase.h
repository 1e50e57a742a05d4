#pragma once
// The base every format wrapper stands on: configuration, the lock-free rings
// between the audio and main threads, the framework timer, host
// identification, and the hooks the wrappers fill with host calls.
#include <atomic>
#include <cstdint>
#include <memory>

#include "base/ILockFreeRing.h"
#include "base/IPluginConfiguration.h"
#include "framework/IPluginBase.h"

namespace ifx {

class Timer;

// One host-side parameter change on its way to the editor.
struct IParamChangeForUI
{
  int32_t paramIdx = 0;
  double value = 0.0; // real units
};
static_assert(sizeof(IParamChangeForUI) == 16, "parameter ring entries are 16 bytes");

class IFxAPIBase : public IPluginBase
{
public:
  static constexpr int kParamRingSlots = 513;
  static constexpr int kMidiRingSlots = 33;
  static constexpr int kSysExRingSlots = 5;

  using ParamRing = ILockFreeRing<IParamChangeForUI, kParamRingSlots>;
  using MidiRing = ILockFreeRing<IMidiMessage, kMidiRingSlots>;
  using SysExRing = ILockFreeRing<ISysExData, kSysExRingSlots>;

  explicit IFxAPIBase(const IPluginConfiguration& config);
  ~IFxAPIBase() override;

  // -- Editor to plug-in ---------------------------------------------------------
  void ApplyAllParamValuesFromUI() override;
  void BeginParamGestureFromUI(int paramIdx) override;
  void ApplyParamValueFromUI(int paramIdx, double normalizedValue) override;
  void EndParamGestureFromUI(int paramIdx) override;
  bool RequestEditorSizeFromUI(int width, int height, bool needsPlatformResize) override;
  void PushMidiFromUI(const IMidiMessage& msg) override;
  void PushSysExFromUI(const ISysExMessage& msg) override;
  void PushMessageFromUI(int msgTag, int controlTag, int dataSize, const void* data) override;
  void QueueMidiFromUI(const IMidiMessage& msg) override;
  void QueueSysExFromUI(const ISysExMessage& msg) override;

  // -- Main-thread tick ----------------------------------------------------------
  // The timer's function, every 20 ms on the main thread. With an editor it
  // first hands queued host parameter changes to the editor
  // (DrainParamChangesForUI), then the MIDI and SysEx from the processor;
  // then, always, OnIdle.
  void OnTimer(Timer& timer);
  virtual void OnIdle() {}
  // Pops every entry of the parameter ring into PushParamValueToUI (plain
  // values). The CLAP wrapper's host changes arrive here; a wrapper with
  // other queues of its own overrides this and calls the base.
  virtual void DrainParamChangesForUI();

  // Takes ownership of the framework timer; an earlier one is deleted first.
  void AdoptTimer(Timer* timer);
  // Creates the 20 ms timer bound to OnTimer and adopts it. A wrapper whose
  // host allows no timer yet defers it.
  virtual void StartTimer();
  // Stops and deletes the timer. A plug-in whose OnIdle reaches its own
  // members calls this first in its destructor, so that no tick can find
  // them gone; the base does it again (harmlessly) in its own destructor.
  void StopTimer() noexcept;
  Timer* GetTimer() const noexcept { return mTimer.get(); }

  // -- Host queries (wrappers ask the host) ------------------------------------------
  virtual void GetTrackColor(int& r, int& g, int& b) { r = g = b = 0; }
  virtual void GetTrackName(IString& out) {}
  virtual int GetTrackIndex() { return 0; }
  virtual void GetTrackNamespace(IString& out) {}
  virtual int GetTrackNamespaceIndex() { return 0; }

  // Audio thread: a normalised value is converted to real units first. A full
  // ring drops the change.
  virtual void QueueParamValueForUI(int paramIdx, double value, bool normalized) noexcept;

  virtual void PrepareForHost() {}
  virtual bool ResizeHostEditor(int width, int height) { return false; }
  virtual void BeginHostParamGesture(int paramIdx) {}
  virtual void EndHostParamGesture(int paramIdx) {}
  virtual void NotifyHostParamValue(int paramIdx, double normalizedValue) {}

  // -- Host identification -----------------------------------------------------------
  // Records the host once (while the id is still unknown): name, id from
  // LookUpHost, version (major << 16 | minor << 8 | patch); then
  // PrepareForHost and OnHostKnown. The wrappers call it with what their host
  // reports.
  void SetHostIdentity(const char* hostName, int hostVersion);
  const char* GetHostName() const noexcept { return mHostName.Get(); }
  int GetHostVersion() const noexcept { return mHostVersion.load(std::memory_order_relaxed); }

  // -- Configuration -----------------------------------------------------------------
  int32_t GetMakerId() const noexcept { return mMakerId; }
  bool HasEditor() const noexcept { return mHasEditor; }
  bool HostCanResize() const noexcept { return mHostCanResize; }
  const char* GetExtraText1() const noexcept { return mExtraText1.Get(); }
  const char* GetExtraText2() const noexcept { return mExtraText2.Get(); }

  // Trace hook with this class's location.
  static void TraceFormatted(const char* location, const char* format, ...);
  // Local time and UTC offset ("20261208 21:04 +0100") of the latest
  // construction, for traces.
  static const char* TraceTimeStamp() noexcept;

  // The five rings. Each has one producing and one consuming thread:
  //   paramToEditor:   QueueParamValueForUI (audio)  -> OnTimer (main)
  //   midiFromEditor:  QueueMidiFromUI (main)        -> wrapper's process (audio)
  //   midiToEditor:    wrapper's process (audio)      -> OnTimer (main)
  //   sysExFromEditor: QueueSysExFromUI (main)       -> wrapper's process (audio)
  //   sysExToEditor:   wrapper's process (audio)      -> OnTimer (main)
  ParamRing paramToEditorRing;
  MidiRing midiFromEditorRing;
  MidiRing midiToEditorRing;
  SysExRing sysExFromEditorRing;
  SysExRing sysExToEditorRing;

protected:
  int32_t mMakerId = 0;
  bool mHasEditor = false;
  bool mHostCanResize = false;
  IString mExtraText1;
  IString mExtraText2;
  IString mHostName;
  std::atomic<int> mHostVersion{0};

private:
  std::unique_ptr<Timer> mTimer;
};

} // namespace ifx
