#pragma once
// One plug-in instance as a host of one format drives it, in the few terms
// the behaviours both wrappers share are written in: the editor's size, the
// state, processing. Each format's build of these tests links exactly one
// implementation (the two builds of the plug-in cannot share a program), and
// BuiltFormats() names it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace ifx {
class IFxAPIBase;
class IFxProcessor;
} // namespace ifx

namespace wrappertest {

struct EditorSize
{
  int width = 0;
  int height = 0;
};

inline bool operator==(EditorSize a, EditorSize b) { return a.width == b.width && a.height == b.height; }

inline std::ostream& operator<<(std::ostream& os, EditorSize s) { return os << s.width << "x" << s.height; }

class FormatAdapter
{
public:
  virtual ~FormatAdapter() = default;

  // ---- where the formats differ --------------------------------------------------
  // The bytes the state carries after the parameter doubles: VST3 the bypass
  // flag as a little-endian int32, CLAP nothing.
  virtual std::vector<uint8_t> StateTrailer(bool bypassed) const = 0;
  // VST3 keeps a size only once the host's frame has taken it; CLAP stores
  // what it asked for whatever the host answers.
  virtual bool KeepsARefusedSize() const = 0;
  // A scale that is no scale: CLAP answers false, VST3 succeeds and ignores it.
  virtual bool RefusesANonScale() const = 0;
  // A host size within the limits that the editor can take only rounded (at
  // a fractional display scale): CLAP answers false, VST3 succeeds.
  virtual bool RefusesASizeItRounds() const = 0;
  // VST3 hosts bypass through a parameter of the wrapper's own; CLAP has none.
  virtual bool HasHostBypass() const = 0;

  // ---- the plug-in ---------------------------------------------------------------
  virtual bool Initialised() const = 0;
  virtual ifx::IFxAPIBase& Plugin() = 0;
  virtual ifx::IFxProcessor& Processor() = 0;
  // Rules of the format the plug-in broke in its calls to the host.
  virtual std::vector<std::string> HostComplaints() const = 0;

  // ---- editor ----------------------------------------------------------------------
  // The host's editor object (VST3 a view in a frame, CLAP a created gui);
  // then its window opened in a parent and closed again.
  virtual bool CreateEditor() = 0;
  virtual bool OpenEditor() = 0;
  virtual void CloseEditor() = 0;
  // The format's answer to a display scale.
  virtual bool SetScale(double factor) = 0;
  // The editor's size as the host reads it.
  virtual EditorSize HostReadsSize() = 0;
  // A size the host gives the editor's window (VST3 onSize, CLAP set_size);
  // whether the format reports it taken.
  virtual bool HostSizes(int width, int height) = 0;
  // Sizes the editor asked the host for; the host accepts them or refuses.
  // Accepting, it gives the editor that size inside the request, as hosts do.
  virtual int ResizeRequests() const = 0;
  virtual EditorSize LastResizeRequest() const = 0;
  virtual void AnswerResizeRequests(bool accept) = 0;

  // ---- state -----------------------------------------------------------------------
  virtual bool SaveState(std::vector<uint8_t>& bytes) = 0;
  // The host hands the bytes over at most `piece` at a time.
  virtual bool LoadState(const std::vector<uint8_t>& bytes, size_t piece = SIZE_MAX) = 0;
  // A parameter the host sets between blocks (after Setup), normalised.
  virtual void HostSets(int paramIdx, double normalized) = 0;
  // The host's bypass; nothing without one.
  virtual void HostBypasses(bool bypass) = 0;
  virtual bool Bypassed() const = 0;

  // ---- processing ------------------------------------------------------------------
  // Stereo in and out at a rate, up to maxFrames per block, in 64-bit or
  // 32-bit samples; false when the plug-in refuses.
  virtual bool Setup(double rate, int maxFrames, bool use64) = 0;
  // What a host does once the plug-in has refused a set-up: a VST3 host
  // carries on, a CLAP host activates again as it was.
  virtual void ResumeAfterRefusedSetup() = 0;
  // Runs work on the host's audio thread, with processing started around it.
  virtual void RunOnAudioThread(const std::function<void()>& work) = 0;
  // Everything a host of the format sends along with blocks (automation and
  // the transport; CLAP notes, MIDI and SysEx too), made here on the main
  // thread so that passing it on allocates nothing on the host's side.
  virtual void PrepareHostEvents() = 0;
  // Audio thread: one block in the set-up's width, `frames` as the host
  // claims it; false when the format reports an error.
  virtual bool Process(float* const* in, float* const* out, uint32_t frames, bool withEvents) = 0;
  virtual bool Process(double* const* in, double* const* out, uint32_t frames, bool withEvents) = 0;
  // Audio thread: the format's reset while processing.
  virtual void Reset() = 0;
  // The tail the host reads (UINT32_MAX: endless, in both formats).
  virtual uint32_t HostReadsTail() = 0;
};

struct Format
{
  const char* name;
  std::unique_ptr<FormatAdapter> (*make)();
};

// The format this program was built for.
std::vector<Format> BuiltFormats();

} // namespace wrappertest
