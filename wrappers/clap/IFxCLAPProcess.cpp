// One host block: transport, input events, the editor's MIDI and SysEx,
// host buffers of either sample width attached to the processor's channels,
// the plug-in's block processing, output events and the process status.
// Audio thread: nothing here allocates, locks or logs.
#include <algorithm>
#include <cmath>

#include "wrappers/clap/IFxCLAP.h"

namespace ifx {

namespace {

// Every buffer that claims channels must carry an array for the chosen width
// with a pointer per channel.
bool BuffersUsable(const clap_audio_buffer_t* buffers, uint32_t count, bool use64) noexcept
{
  if (count > 0 && !buffers)
    return false;
  for (uint32_t b = 0; b < count; ++b)
  {
    const clap_audio_buffer_t& buf = buffers[b];
    if (buf.channel_count == 0)
      continue;
    if (use64 ? !buf.data64 : !buf.data32)
      return false;
    for (uint32_t c = 0; c < buf.channel_count; ++c)
      if (use64 ? !buf.data64[c] : !buf.data32[c])
        return false;
  }
  return true;
}

// The first buffer that has channels decides: inputs first, then outputs.
bool Uses64Bit(const clap_process_t& process) noexcept
{
  if (process.audio_inputs && process.audio_inputs_count > 0 && process.audio_inputs[0].channel_count > 0)
    return process.audio_inputs[0].data64 != nullptr;
  if (process.audio_outputs && process.audio_outputs_count > 0 && process.audio_outputs[0].channel_count > 0)
    return process.audio_outputs[0].data64 != nullptr;
  return false;
}

} // namespace

void IFxCLAP::ReadTransport(const clap_event_transport_t& transport) noexcept
{
  IHostTimeInfo info; // defaults: 120 bpm, unknown positions, 4/4, stopped
  const double factor = static_cast<double>(CLAP_BEATTIME_FACTOR);
  if (transport.flags & CLAP_TRANSPORT_HAS_TEMPO)
    info.tempo = transport.tempo;
  if (transport.flags & CLAP_TRANSPORT_HAS_SECONDS_TIMELINE)
    info.samplePos = static_cast<double>(transport.song_pos_seconds) * GetSampleRate() / factor;
  if (transport.flags & CLAP_TRANSPORT_HAS_BEATS_TIMELINE)
  {
    info.ppqPos = static_cast<double>(transport.song_pos_beats) / factor;
    info.lastBarStart = static_cast<double>(transport.bar_start) / factor;
    info.cycleStart = static_cast<double>(transport.loop_start_beats) / factor;
    info.cycleEnd = static_cast<double>(transport.loop_end_beats) / factor;
  }
  if (transport.flags & CLAP_TRANSPORT_HAS_TIME_SIGNATURE)
  {
    info.numerator = transport.tsig_num;
    info.denominator = transport.tsig_denom;
  }
  info.playing = (transport.flags & CLAP_TRANSPORT_IS_PLAYING) != 0;
  info.looping = (transport.flags & CLAP_TRANSPORT_IS_LOOP_ACTIVE) != 0;
  SetTimeInfo(info);
}

void IFxCLAP::ReadEditorQueues() noexcept
{
  IMidiMessage msg;
  while (midiFromEditorRing.Pop(msg))
    ProcessMidiMessage(msg);
  ISysExData record;
  // SysEx from the editor goes out to the host.
  while (sysExFromEditorRing.Pop(record))
    EmitSysExMessage(record.Message());
}

bool IFxCLAP::IsInputSilent(const clap_process_t& process, bool use64) const noexcept
{
  for (uint32_t b = 0; process.audio_inputs && b < process.audio_inputs_count; ++b)
  {
    const clap_audio_buffer_t& buf = process.audio_inputs[b];
    for (uint32_t c = 0; c < buf.channel_count; ++c)
    {
      for (uint32_t i = 0; i < process.frames_count; ++i)
      {
        const double s = use64 ? buf.data64[c][i] : static_cast<double>(buf.data32[c][i]);
        if (s != 0.0) // NaN counts as sound too
          return false;
      }
    }
  }
  return true;
}

int IFxCLAP::ConnectChannels(EBusDirection dir, const clap_audio_buffer_t* buffers, uint32_t nBuffers,
                             bool use64) noexcept
{
  const int processorChannels = NChannels(dir);
  int n = 0;
  for (uint32_t b = 0; buffers && b < nBuffers; ++b)
  {
    for (uint32_t c = 0; c < buffers[b].channel_count && n < processorChannels; ++c, ++n)
    {
      if (use64)
        mHostChannels64[static_cast<size_t>(n)] = buffers[b].data64[c];
      else
        mHostChannels32[static_cast<size_t>(n)] = buffers[b].data32[c];
    }
  }
  // Channels the host does not feed stay on their own (zeroed) scratch.
  SetChannelConnections(dir, 0, n, true);
  SetChannelConnections(dir, n, processorChannels - n, false);
  if (n > 0)
  {
    if (use64)
      AttachBuffers(dir, 0, n, mHostChannels64.data(), n);
    else
      AttachBuffers(dir, 0, n, mHostChannels32.data(), n);
  }
  return n;
}

clap_process_status IFxCLAP::Process(const clap_process_t* process) noexcept
{
  // The glue cuts a block to the maximum of activate, which sized the
  // buffers: a longer one can only come from a caller that bypassed it.
  if (!process || process->frames_count > static_cast<uint32_t>(GetBlockSize()))
    return CLAP_PROCESS_ERROR;
  const clap_process_t& p = *process;
  const bool use64 = Uses64Bit(p);
  if (!BuffersUsable(p.audio_inputs, p.audio_inputs_count, use64) ||
      !BuffersUsable(p.audio_outputs, p.audio_outputs_count, use64))
    return CLAP_PROCESS_ERROR;

  if (p.transport)
    ReadTransport(*p.transport);
  ReadInputEvents(p.in_events);
  ReadEditorQueues();

  // Checked before processing, which may write the outputs over the inputs.
  const bool silent = IsInputSilent(p, use64);

  ConnectChannels(kInput, p.audio_inputs, p.audio_inputs_count, use64);
  ConnectChannels(kOutput, p.audio_outputs, p.audio_outputs_count, use64);
  ProcessAttachedBuffers(static_cast<int>(p.frames_count), false);

  WriteOutputEvents(p.out_events, p.frames_count);
  // A new tail counts from here: what is held may have decayed more slowly
  // under the old settings than the new tail allows for.
  if (mTailChangePending.exchange(false))
  {
    mTailCounter = 0;
    Host().TailChanged();
  }

  // The tail as this block's settings left it. No tail, or one that may never
  // end: the host keeps us going while the output is audible, and may let us
  // sleep once it is quiet (a frozen spectrum fades over many minutes).
  const int tail = GetTailSize();
  if (tail == 0 || tail == kInfiniteTailSize)
    return CLAP_PROCESS_CONTINUE_IF_NOT_QUIET;
  if (!silent)
  {
    mTailCounter = 0;
    return CLAP_PROCESS_CONTINUE;
  }
  const int64_t counter = static_cast<int64_t>(mTailCounter) + p.frames_count;
  mTailCounter = static_cast<int32_t>(std::min<int64_t>(tail, counter));
  return mTailCounter < tail ? CLAP_PROCESS_CONTINUE : CLAP_PROCESS_SLEEP;
}

} // namespace ifx
