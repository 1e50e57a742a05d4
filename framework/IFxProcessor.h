#pragma once
#include "framework/IBusDescription.h"
#include "framework/IChannelLayout.h"
#include "framework/IHostTimeInfo.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ifx {

struct IPluginConfiguration;
struct IMidiMessage;
struct ISysExMessage;
class IString;

// One input or output channel of the processor.
struct IChannelData
{
  bool connected = false;
  double** slot = nullptr;        // this channel's entry in the processor's pointer array
  void* hostBuffer = nullptr;     // the host buffer attached for the current block, or null
  bool hostIsFloat = false;       // 32-bit host buffer: it travels through `conversion`
  std::vector<double> conversion; // blockSize doubles: 32-bit hosts and unconnected channels
  std::string label;
};

// The audio half of the plug-in object: channel configurations and buses,
// per-channel buffers, sample rate, block size, latency, tail and transport.
//
// How a wrapper drives one host block (audio thread):
//   SetChannelConnections(kInput/kOutput, ...)   mark what the host connected
//   AttachBuffers(kInput/kOutput, ..., host buffers)   64-bit or 32-bit
//   ProcessAttachedBuffers(nFrames, bypassed)
// The wrappers pass at most the block size the host agreed to, so its
// buffers are never touched past it. ProcessAttachedBuffers never hands
// ProcessBlock more than GetBlockSize() frames at once: a longer block (the
// headless wrapper's, or a host maximum beyond the buffers kept here) is
// processed in slices, so the conversion buffers cannot be overrun. Inputs
// without a host buffer read silence; outputs without one write to their own
// scratch buffer, cleared for every slice.
class IFxProcessor
{
public:
  static constexpr int32_t kInfiniteTailSize = 0x7FFFFFFF;

  explicit IFxProcessor(const IPluginConfiguration& config);
  virtual ~IFxProcessor();

  IFxProcessor(const IFxProcessor&) = delete;
  IFxProcessor& operator=(const IFxProcessor&) = delete;

  // ---- Virtual operations (slot order) --------------------------------------
  // Base: copies each input that has an output of the same index, zero-fills
  // the remaining outputs.
  virtual void ProcessBlock(double** inputs, double** outputs, int nFrames) noexcept;
  // Base: EmitMidiMessage (pass-through).
  virtual void ProcessMidiMessage(const IMidiMessage& msg) noexcept;
  virtual void ProcessSysExMessage(const ISysExMessage& msg) noexcept {}
  virtual void OnReset() {}
  virtual void OnActivate(bool active) {}
  // Provided by the wrapper; the base has nowhere to send it.
  virtual bool EmitMidiMessage(const IMidiMessage& msg) noexcept { return false; }
  // EmitMidiMessage for each; true only when all succeeded.
  virtual bool EmitMidiMessages(const IMidiMessage* msgs, int count) noexcept;
  virtual bool EmitSysExMessage(const ISysExMessage& msg) noexcept { return false; }
  // "Input"/"Main"/"Aux"/"Input %i", "Output"/"Output %i".
  virtual void GetBusName(EBusDirection dir, int busIdx, int nBuses, IString& out) const;
  // Stores the latency; an existing latency delay line is resized and cleared.
  // Wrappers override it to tell the host, calling the base first.
  virtual void SetLatency(int samples);
  // Samples the output may go on after the input falls silent;
  // kInfiniteTailSize when it may never end. Any thread: the plug-in keeps it
  // current from its audio thread, hosts read it from theirs.
  virtual void SetTailSize(int samples);

  // ---- Configuration ----------------------------------------------------------
  int GetPluginKind() const noexcept { return mPluginKind; }
  bool TakesMidiIn() const noexcept { return mTakesMidiIn; }
  bool SendsMidiOut() const noexcept { return mSendsMidiOut; }
  bool ProcessorOption() const noexcept { return mProcessorOption; }

  int NChannelLayouts() const noexcept { return static_cast<int>(mChannelLayouts.size()); }
  const IChannelLayout* GetChannelLayout(int idx) const noexcept;
  // Totals over the widest configuration.
  int NChannels(EBusDirection dir) const noexcept { return dir == kInput ? mTotalInChannels : mTotalOutChannels; }
  int NTotalBuses(EBusDirection dir) const noexcept { return dir == kInput ? mTotalInBuses : mTotalOutBuses; }
  // Largest bus count of a direction over the configurations; configIdx (may
  // be null) gets the last configuration with that count. 0 without layouts.
  int MaxBusCount(EBusDirection dir, int* configIdx = nullptr) const noexcept;
  // First configuration whose buses match the given channel counts bus by bus; -1 if none.
  int FindChannelLayout(const int* inBusChannels, int nInBuses, const int* outBusChannels,
                        int nOutBuses) const noexcept;
  // -1 when an input bus of the first configuration takes any count; else the
  // widest input bus 0 over all configurations.
  int MaxMainBusChannels() const noexcept;

  // ---- Rates, sizes, transport ------------------------------------------------
  double GetSampleRate() const noexcept { return mSampleRate; }
  // A rate that is not finite or not above 0 is refused (false, rate kept).
  bool SetSampleRate(double rate) noexcept;
  int GetBlockSize() const noexcept { return mBlockSize; }
  // Main thread, processing stopped: sizes every channel's conversion buffer.
  // False when memory ran out: the old size and buffers then stay, whole.
  bool SetBlockSize(int size);
  int GetLatency() const noexcept { return mLatency; }
  int GetTailSize() const noexcept { return mTailSize.load(std::memory_order_relaxed); }
  bool IsRenderingOffline() const noexcept { return mRenderingOffline; }
  void SetRenderingOffline(bool offline) noexcept { mRenderingOffline = offline; }
  bool IsActive() const noexcept { return mActive; }
  void SetActive(bool active) noexcept { mActive = active; }
  const IHostTimeInfo& GetTimeInfo() const noexcept { return mTimeInfo; }
  void SetTimeInfo(const IHostTimeInfo& info) noexcept { mTimeInfo = info; }

  // ---- Channels ------------------------------------------------------------------
  // Null outside the channel range.
  IChannelData* GetChannelData(EBusDirection dir, int idx) noexcept;
  const IChannelData* GetChannelData(EBusDirection dir, int idx) const noexcept;
  bool IsChannelConnected(EBusDirection dir, int idx) const noexcept;
  int NConnectedChannels(EBusDirection dir) const noexcept;
  void SetChannelLabel(EBusDirection dir, int idx, const char* label);
  // Marks channels first..first+count-1 (clipped to the range). Each channel
  // is detached from any host buffer and points at its scratch buffer until
  // AttachBuffers. Inputs left without a host buffer read silence.
  void SetChannelConnections(EBusDirection dir, int first, int count, bool connected) noexcept;
  // Walks channels first..first+count-1: each connected one takes the next of
  // the nBuffers host buffers (a missing or null buffer leaves the channel on
  // its scratch buffer). 64-bit buffers are used in place; 32-bit ones are
  // converted in ProcessAttachedBuffers.
  void AttachBuffers(EBusDirection dir, int first, int count, double* const* buffers, int nBuffers) noexcept;
  void AttachBuffers(EBusDirection dir, int first, int count, float* const* buffers, int nBuffers) noexcept;
  // Runs ProcessBlock over the attached buffers in slices of at most
  // GetBlockSize() frames; 32-bit outputs are converted back. No host output
  // is left below the normal float range: such samples become 0. The latency
  // delay line is fed all the time; when bypassed, ProcessBlock still runs
  // (into scratch) and the outputs come from CopyInputsToOutputs. Without a
  // block size (never set up) the attached outputs are silenced.
  void ProcessAttachedBuffers(int nFrames, bool bypassed) noexcept;
  // The pointer arrays ProcessBlock receives (null when a direction has no channels).
  double** InputPointers() noexcept { return mInputPtrs.empty() ? nullptr : mInputPtrs.data(); }
  double** OutputPointers() noexcept { return mOutputPtrs.empty() ? nullptr : mOutputPtrs.data(); }

  // ---- Bypass path -------------------------------------------------------------
  // Makes the latency delay line (one lane per input channel, latency doubles
  // each, cleared). Main thread. False when it could not be allocated.
  bool MakeLatencyDelayLine();
  bool HasLatencyDelayLine() const noexcept { return mDelay.lanes > 0; }
  // Bypass: inputs to outputs through the latency delay line when there is
  // one and a latency, else a plain copy (unmatched outputs zeroed). Works on
  // the processor's pointer arrays; safe for in-place buffers.
  void CopyInputsToOutputs(int nFrames) noexcept;

  static void CastCopyFloatToDouble(double* dst, const float* src, int n) noexcept;
  // Values too small for a normal float become 0, never a subnormal.
  static void CastCopyDoubleToFloat(float* dst, const double* src, int n) noexcept;

protected:
  IHostTimeInfo mTimeInfo;

private:
  struct LatencyDelayLine
  {
    int lanes = 0;  // input channels
    int length = 0; // samples per lane
    int pos = 0;
    std::unique_ptr<double[]> buffer;
  };

  std::vector<IChannelData>& Channels(EBusDirection dir) noexcept
  {
    return dir == kInput ? mInputChannels : mOutputChannels;
  }
  const std::vector<IChannelData>& Channels(EBusDirection dir) const noexcept
  {
    return dir == kInput ? mInputChannels : mOutputChannels;
  }
  bool ResizeDelayLine(int length);
  void CopyThroughDelayLine(int nFrames) noexcept;
  // The inputs into the latency delay line, nothing out.
  void FeedDelayLine(int nFrames) noexcept;
  // One bypassed slice starting `offset` frames into the host buffers.
  void ProcessBypassed(int offset, int frames) noexcept;
  void SilenceAttachedOutputs(int nFrames) noexcept;
  void PointAtSlice(int offset, int frames) noexcept;

  int32_t mPluginKind = 0;
  bool mTakesMidiIn = false;
  bool mSendsMidiOut = false;
  bool mProcessorOption = false;
  int32_t mLatency = 0;
  double mSampleRate = 48000.0;
  int32_t mBlockSize = 0;
  std::atomic<int32_t> mTailSize{0};
  bool mRenderingOffline = false;
  bool mActive = false;

  IChannelLayoutList mChannelLayouts;
  int mTotalInChannels = 0;
  int mTotalOutChannels = 0;
  int mTotalInBuses = 0;
  int mTotalOutBuses = 0;

  std::vector<double*> mInputPtrs;
  std::vector<double*> mOutputPtrs;
  std::vector<IChannelData> mInputChannels;
  std::vector<IChannelData> mOutputChannels;
  int mScratchFrames = 0; // frames every conversion buffer holds
  LatencyDelayLine mDelay;
};

} // namespace ifx
